// A day at the till, worked as an associate works it, with real keys and clicks against
// the shop server: switch on and log on, thirty sales paid every way (an offer, a kit, a
// price, a weight, a loose line, a discount, two tables with a kitchen ticket, a picture
// button, an age alert, a sale on account), a customer added and amended, a refund, the
// log read on screen and printed, switch off. The day log is checked entry by entry,
// the printed receipts, ticket and log through their PDFs, and the server's journal
// transaction by transaction.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "basket/money.h"
#include "e2e/terminal_process.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/terminal_config.h"
#include "shop/seed_files.h"
#include "shop/store.h"
#include "support/printed_pdfs.h"
#include "support/real_input.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

// The demo shop's items by number, read as the shop server reads them: the "ALL"
// category's buttons hold them in this order.
shop::Inventory DemoItems() {
    TerminalConfig config;
    shop::Inventory items;
    std::string error;
    const std::filesystem::path folder = std::filesystem::path(VARENKO_DEMO_ITEMS).parent_path();
    EXPECT_TRUE(shop::LoadShopConfig(folder / shop::kShopFile, LocalTime{}, config, error) &&
                shop::LoadItems(folder / shop::kItemsFile, shop::CategoryCodesOf(config), items, error))
        << error;
    return items;
}
const shop::Inventory kItems = DemoItems();

// Every document prints customer 1002's name and billing address on consecutive rows.
#define ADDRESS "BRIGHTWATER SAILING CLUB\nTHE SLIPWAY\nSALCOMBE ROAD\nSALCOMBE\nTQ8 8BB\n"
const std::string k1002 = "1002 BRIGHTWATER SAILING CLUB";

enum class Pay { Cash, Cash5, Exact, Cheque, Card, SplitCheque, SplitCard };

using Items = std::vector<std::string>;  // item numbers

// A test printer's PDFs: Next waits for one new PDF that holds `token` and gives its
// text, keeping the PDF as build/artifacts/<artifact>.pdf when named (run-tests.sh renders it).
struct PrintedPdfs {
    explicit PrintedPdfs(const char* queue) : dir(UnixPdfDirectory(queue)), seen(PdfNames(dir)) {}
    std::string Next(const std::string& token, const char* artifact = nullptr) {
        std::set<std::string> printed;
        if (WaitForPdfs(dir, seen, token, 1, &printed) != 1) return "nothing printed with " + token;
        seen.insert(printed.begin(), printed.end());
        const std::string pdf = dir + "/" + *printed.begin();
        if (artifact)
            CopyFileA(WindowsPath(pdf).c_str(), (VARENKO_ARTIFACTS_DIR "/" + std::string(artifact) + ".pdf").c_str(),
                      FALSE);
        return PdfText(pdf);
    }
    std::string dir;
    std::set<std::string> seen;
};

// The mail program of this prefix replaced, for one test, by one that keeps the link it
// is given (the order e-mail) in the registry.
class MailLinkRecorder {
public:
    MailLinkRecorder() {
        LONG size = sizeof previous_;
        if (RegQueryValueA(HKEY_LOCAL_MACHINE, kCommandKey, previous_, &size) != 0) previous_[0] = 0;
        RegSetValueA(HKEY_LOCAL_MACHINE, kCommandKey, REG_SZ,
                     "reg.exe add HKCU\\Software\\VarenkoTest /v MailLink /d \"%1\" /f", 0);
        RegDeleteKeyA(HKEY_CURRENT_USER, kLinkKey);
    }
    ~MailLinkRecorder() {
        if (previous_[0])
            RegSetValueA(HKEY_LOCAL_MACHINE, kCommandKey, REG_SZ, previous_, 0);
        else
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kCommandKey, nullptr);
        RegDeleteKeyA(HKEY_CURRENT_USER, kLinkKey);
    }
    // The link last opened; empty when none comes within 10 s.
    std::string Link() const {
        char link[4096] = {};
        const auto recorded = [&] {
            DWORD size = sizeof link - 1;
            return RegGetValueA(HKEY_CURRENT_USER, kLinkKey, "MailLink", RRF_RT_REG_SZ, nullptr, link, &size) == 0;
        };
        WaitUntil(recorded, 10000);
        // Until the recorder has gone, Wine may hand it the activation, and with it the
        // keys meant for the till.
        WaitUntil([] { return ProcessesOf("reg.exe").empty(); }, 10000);
        return link;
    }

private:
    static constexpr const char* kCommandKey = "Software\\Classes\\mailto\\shell\\open\\command";
    static constexpr const char* kLinkKey = "Software\\VarenkoTest";
    char previous_[512] = {};  // the mail program's command, empty when there was none
};

class DayAtTheTill : public testing::Test {
protected:
    void SetUp() override {
        if (!RequirePrinter(kReceiptQueue) || !RequirePrinter(kDocumentQueue) || !RequirePrinter(kKitchenQueue))
            GTEST_SKIP();
        // "Add discount" takes the discount off the total; the shop's custom layouts name
        // the customer: the receipt on rows 9 to 15, the invoice on rows 5 to 13.
        const std::string shop = server_.shopDirectory() + "\\shop.txt";
        WriteWholeFile(shop, ReadWholeFile(shop) +
                                 "switch 28 = 2\nint32 5614 = 9\nint32 5618 = 10\nswitch 194 = 11\nswitch 195 = 12\n"
                                 "switch 196 = 13\nswitch 197 = 14\nswitch 198 = 15\nswitch 150 = 5\nswitch 148 = 6\n"
                                 "switch 149 = 12\nswitch 157 = 13\nswitch 147 = 15\nswitch 154 = 30\n");
        ASSERT_TRUE(server_.Start()) << server_.Log();
        PrepareOnlineTill(TerminalDataDirectory(), [](TerminalConfig& till) {
            till.SetInt32(cfg::kTermCodes, 1);  // receipts on the receipt printer, by name
            till.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
            till.SetOption(1, 1);  // kitchen tickets on the kitchen printer, by name
            till.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, kKitchenQueue);
            till.SetOption(9, 0);  // documents on the default printer, without asking
        });
        ASSERT_TRUE(defaultPrinter_.set());
    }

    // Scans each item (answering its age alert) and waits until the basket holds `lines`.
    testing::AssertionResult Sell(const Items& items, int lines) {
        for (const std::string& item : items) {
            if (auto scanned = Scan(window_, item); !scanned) return scanned;
            if (kItems.at(std::stoll(item)).ageLimit >= 2)
                if (auto answered = AnswerDialog("Age alert"); !answered) return answered << " for " << item;
        }
        if (WaitUntil([&] { return BasketLines(window_) == lines; })) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "the basket holds " << BasketLines(window_) << " lines, not " << lines;
    }

    testing::AssertionResult PayBy(Pay pay, const std::string& typed) {
        switch (pay) {
        case Pay::Cash: return PayCash(window_, typed);
        case Pay::Cash5:
        case Pay::Exact:
            if (auto f5 = PressKeyIn(ItemBox(window_), VK_F5); !f5) return f5;
            return AnswerWithClick(WaitForDialog("Cash payment"), pay == Pay::Cash5 ? IDC_TENDER_5 : IDC_EXACT_AMOUNT);
        case Pay::Cheque: return ChooseFromMenu(window_, 3, 1);  // Payments, CH
        case Pay::Card: return PressKeyIn(ItemBox(window_), VK_F7);
        case Pay::SplitCheque:
        case Pay::SplitCard: {
            if (auto menu = ChooseFromMenu(window_, 3, 4); !menu) return menu;  // Payments, Split Cash Other
            HWND split = WaitForDialog("Split payment");
            if (auto typedIn = TypeInto(GetDlgItem(split, IDC_EDIT1), typed); !typedIn) return typedIn;
            if (pay == Pay::SplitCard)
                if (auto eft = Click(GetDlgItem(split, IDC_SPLIT_EFT)); !eft) return eft;
            if (auto ok = AnswerWithClick(split, IDOK); !ok) return ok;
            // The cash part: "20.00" for the cheque split, typed exactly for the card one.
            if (pay == Pay::SplitCard) return EnterInDialog("Cash payment", typed);
            return AnswerWithClick(WaitForDialog("Cash payment"), IDC_TENDER_20);
        }
        }
        return testing::AssertionFailure();
    }

    // The summary of a sale: its total agrees with `total`; the documents printed from it
    // by their buttons hold their texts (the standard receipt, with token "", also the
    // total); `atSummary` runs; OK. The sale's day log entry and journal entry are expected.
    struct Document {
        int button;
        std::string token;  // in this document only
        std::vector<std::string> texts;
        const char* artifact = nullptr;
    };
    void Finish(const std::string& total, const std::vector<std::string>& lines, const char* paymentType,
                const std::vector<Document>& documents = {}, const std::function<void(HWND)>& atSummary = {}) {
        HWND summary = WaitForDialog("Transaction committed, summary");
        ASSERT_NE(summary, nullptr) << server_.Log();
        EXPECT_EQ(ControlText(GetDlgItem(summary, IDC_SUMMARY_TOTAL)), total) << "transaction " << transaction_;
        for (Document document : documents) {
            if (document.token.empty()) {
                document.token = "Receipt: " + std::to_string(transaction_);
                document.texts.push_back("Total: \xC2\xA3" + total);  // the pound sign, as pdftotext writes it
            }
            const bool receipt =
                document.button == IDC_SUMMARY_STANDARD_RECEIPT || document.button == IDC_SUMMARY_CUSTOM_RECEIPT;
            ASSERT_TRUE(Click(GetDlgItem(summary, document.button)));
            const std::string text = (receipt ? receipts_ : documents_).Next(document.token, document.artifact);
            for (const std::string& expected : document.texts)
                EXPECT_NE(text.find(expected), std::string::npos) << expected << " not on\n" << text;
        }
        if (atSummary) atSummary(summary);
        ASSERT_TRUE(AnswerWithClick(summary, IDOK));
        if (lines.empty()) return;  // a sale on account: the caller expects it
        std::string entry = "\r\n@  Transaction " + std::to_string(transaction_);
        std::size_t items = 0;
        for (const std::string& line : lines) {
            entry += "\r\n" + line;
            items += line.rfind("Customer ", 0) == 0 ? 0 : 1;
        }
        Expect("sale", total, items, entry + "\r\nTotal: " + total + "\r\nClerk: 1, Administrator   Items: " +
                                         std::to_string(items) + "\r\nPayment type: " + paymentType + "\r\n");
    }

    // The next transaction as the server is to journal it, and its entry in the day log.
    void Expect(const char* kind, const std::string& total, std::size_t lines, const std::string& logEntry) {
        journaled_[transaction_++] = kind + (" " + total) + ", " + std::to_string(lines) + " lines";
        expectedLog_ += logEntry;
    }

    // Customer 1002 typed into the search, its CUSTOMER view (showing `balance`, when given)
    // closed with Enter.
    testing::AssertionResult Find1002(const std::string& balance = {}) {
        if (auto entered = EnterInDialog("Find customer", "1002"); !entered) return entered;
        HWND view = WaitForDialog("CUSTOMER");
        if (const auto shown = ControlText(GetDlgItem(view, IDC_VIEW_BALANCE)); !balance.empty() && shown != balance)
            return testing::AssertionFailure() << "customer 1002's balance is " << shown << ", not " << balance;
        return AnswerWithKey(view);
    }

    // "number  description" for each item number.
    static std::vector<std::string> LogLines(const Items& items) {
        std::vector<std::string> lines;
        for (const std::string& item : items)
            lines.push_back(item + "  " + kItems.at(std::stoll(item)).description);
        return lines;
    }

    // The basket holds what was scanned unless `basket` says otherwise.
    void SellAndPay(const Items& scanned, Pay pay, const std::string& typed, const std::string& total,
                    const char* onReceipt = nullptr, const Items& basket = {}) {
        const std::vector<std::string> lines = LogLines(basket.empty() ? scanned : basket);
        ASSERT_TRUE(Sell(scanned, static_cast<int>(lines.size())));
        ASSERT_TRUE(PayBy(pay, typed));
        static const char* const kTypes[] = {"Cash", "Cash", "Cash", "CH", "EFT", "Split", "Split"};
        std::vector<Document> documents;
        if (onReceipt) documents.push_back({IDC_SUMMARY_STANDARD_RECEIPT, "", {onReceipt}});
        ASSERT_NO_FATAL_FAILURE(Finish(total, lines, kTypes[static_cast<int>(pay)], documents));
    }

    ShopServerProcess server_;
    TerminalProcess terminal_;
    HWND window_ = nullptr;
    DefaultPrinter defaultPrinter_{kDocumentQueue};  // documents and the log print there
    PrintedPdfs receipts_{"receipt"}, documents_{"document"}, kitchen_{"kitchen"};
    int transaction_ = 1;
    std::string expectedLog_;  // '@' for an entry's time and date, '#' for a customer entry's
    std::map<std::int64_t, std::string> journaled_;  // "kind total, n lines" by number, as the server is to keep them
};

TEST_F(DayAtTheTill, ThirtySalesACustomerARefundAndTheLogAgreeOnScreenInTheLogAndOnTheServer) {
    const std::string dataDir = TerminalDataDirectory();
    ASSERT_TRUE(terminal_.Start());
    window_ = terminal_.WaitForMainWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(LogOn("9999", LogonBy::Keypad));  // wrong: the dialog opens again at once
    ASSERT_TRUE(LogOn("3031", LogonBy::Keypad));  // associate 3's password, shown is 1
    ASSERT_TRUE(LogOn("1111"));                   // the password typed and Enter
    ASSERT_TRUE(WaitForTitle(window_, "VARENKO    Assoc: 1, Administrator")) << WindowTitle(window_);
    RECT placed;
    GetWindowRect(window_, &placed);
    EXPECT_EQ(std::pair(placed.right - placed.left, placed.bottom - placed.top), std::pair(1024L, 708L));
    Sleep(500);  // let the window repaint under the closed dialog
    EXPECT_TRUE(SaveWindowPicture(window_, VARENKO_ARTIFACTS_DIR "/main-window.bmp"));
    expectedLog_ = "\r\n@  Switched on.\r\n\r\n@  User 1, Administrator, logged on.\r\n";

    // Every way of paying; each wording of the receipt's payment line (the shop's own) printed once.
    // The third tin of beans is free; the kit sells as its four parts.
    ASSERT_NO_FATAL_FAILURE(SellAndPay({"1302", "1302", "1302"}, Pay::Cash, "500", "1.70", "Cash change: 3.30"));
    ASSERT_NO_FATAL_FAILURE(
        SellAndPay({"3001"}, Pay::Cheque, "", "6.26", "Payment: Cheque", {"1501", "2501", "2001", "2001"}));
    ASSERT_NO_FATAL_FAILURE(SellAndPay({"1201"}, Pay::Card, "", "9.99", "Payment: Card"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay({"1301", "1303"}, Pay::Cash5, "", "1.40"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay({"1601", "1602"}, Pay::Exact, "", "4.40"));
    ASSERT_NO_FATAL_FAILURE(
        SellAndPay({"1201", "1202"}, Pay::SplitCheque, "1000", "16.98", "Payment: Cheque with cash"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay({"1203"}, Pay::SplitCard, "500", "12.99", "Payment: Card with cash"));

    // Cola, 0.83 + 20 % tax, priced at 1.50, then weighed at 300; a loose line of 10.00;
    // 0.79 off the total of 14.79 by the Transaction menu's "Add discount".
    ASSERT_TRUE(Sell({"1701"}, 1));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_ADJUST_PRICE)));
    ASSERT_TRUE(EnterInDialog("Adjust item price", "150"));
    ASSERT_TRUE(Sell({"1701"}, 2));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_WEIGHT)));
    ASSERT_TRUE(EnterInDialog("Adjust by weight", "300"));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_NON_INVENTORY_SALE)));
    HWND loose = WaitForDialog("Non inventory sale");
    const std::string category = ControlText(GetDlgItem(loose, 2408));
    ASSERT_TRUE(Click(GetDlgItem(loose, 2408)));
    ASSERT_TRUE(Click(GetDlgItem(loose, 2405)));
    ASSERT_TRUE(AnswerWithClick(loose, IDOK));
    ASSERT_TRUE(ChooseFromMenu(window_, 5, 0));
    HWND discount = WaitForDialog("Discount total");
    ASSERT_TRUE(TypeInto(GetDlgItem(discount, IDC_EDIT1), "79"));
    EXPECT_EQ(ControlText(GetDlgItem(discount, 1112)), "14.00");
    ASSERT_TRUE(AnswerWithKey(discount));
    ASSERT_TRUE(PayCash(window_, "5000"));
    ASSERT_NO_FATAL_FAILURE(Finish("14.00", {"1701  Cola 330ml Can", "1701  Cola 330ml Can", "0  " + category}, "Cash",
                                   {{IDC_SUMMARY_STANDARD_RECEIPT, "",
                                     {"1.80\n2.99\n10.00\n", "Discount: (0.79)", "VAT: 0.80 (20.00%)",
                                      "Payment: Cash"}, "receipt"}}));

    // Table 1 waits with coffee while table 2 buys tea and pays; then table 1's coffee
    // goes to the kitchen (Ctrl+X), and table 1 pays.
    ASSERT_TRUE(Sell({"1501"}, 1));
    ASSERT_TRUE(ChooseFromMenu(window_, 5, 3));  // Transaction, Change basket table
    ASSERT_TRUE(AnswerWithClick(WaitForDialog("Change basket table"), IDC_BASKET_TABLE_2));  // empty till the tea
    ASSERT_NO_FATAL_FAILURE(SellAndPay({"2501"}, Pay::Exact, "", "2.40"));
    ASSERT_TRUE(ChooseFromMenu(window_, 5, 3));
    ASSERT_TRUE(AnswerWithClick(WaitForDialog("Change basket table"), IDC_BASKET_TABLE_1));
    ASSERT_TRUE(WaitUntil([&] { return BasketLines(window_) == 1; }));
    ASSERT_TRUE(WaitForFocus(ItemBox(window_)));
    PressChord(VK_CONTROL, 'X');
    const std::string ticket = kitchen_.Next("Table: 1", "kitchen-ticket");
    for (const char* line : {"Associate: 1: Administrator", "Ground Coffee"})
        EXPECT_NE(ticket.find(line), std::string::npos) << line << " not on\n" << ticket;
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F7));
    ASSERT_NO_FATAL_FAILURE(Finish("3.50", LogLines({"1501"}), "EFT"));

    // Sweets, whose page of buttons comes with each item's own picture (clicked again, as
    // a person would, when nothing changes), then the first picture button: Milk Chocolate
    // Bar, 0.83 + 0.17 tax. Every item, one page on: the first button holds the item after
    // the last one shown.
    const std::string pictures = server_.shopDirectory() + "\\pictures\\";
    const auto paged = [&] { return ReadWholeFile(dataDir + "\\m2601.bmp") == ReadWholeFile(pictures + "m2601.bmp"); };
    HWND sweets = GetDlgItem(window_, kFirstCategoryButton + 16);
    ASSERT_TRUE(Click(sweets));
    if (!WaitUntil(paged)) {
        ASSERT_TRUE(Click(sweets));
    }
    ASSERT_TRUE(WaitUntil(paged)) << "an item's own picture comes with its page of buttons";
    ASSERT_TRUE(Click(GetDlgItem(window_, kFirstPictureButton)));
    ASSERT_TRUE(WaitUntil([&] { return BasketLines(window_) == 1; }))
        << "in front is " << DescribeWindow(GetForegroundWindow());
    EXPECT_TRUE(SaveWindowPicture(window_, VARENKO_ARTIFACTS_DIR "/picture-buttons.bmp"));
    ASSERT_TRUE(Click(GetDlgItem(window_, kFirstCategoryButton + 18)));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_SCROLL_FORWARDS)));
    int shown = 0;
    for (int id = kFirstPictureButton; id <= kLastPictureButton; ++id)
        shown += IsWindowVisible(GetDlgItem(window_, id)) ? 1 : 0;
    ASSERT_LT(static_cast<std::size_t>(shown), kItems.size());
    const auto scrolled = std::next(kItems.begin(), shown);
    ASSERT_TRUE(Click(GetDlgItem(window_, kFirstPictureButton)));
    if (scrolled->second.ageLimit >= 2) {
        ASSERT_TRUE(AnswerDialog("Age alert"));
    }
    ASSERT_TRUE(WaitUntil([&] { return BasketLines(window_) == 2; }));
    // F2 and a description: the matches one by one (2601, 2602), Escape selling none; F2 and
    // a number: the item view and its large picture, fetched whole from the server.
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F2));
    ASSERT_TRUE(EnterInDialog("VARENKO", "chocolate"));
    ASSERT_TRUE(AnswerWithClick(WaitForDialog("FIND INVENTORY"), IDC_INV_NEXT));
    ASSERT_TRUE(AnswerWithKey(WaitForDialog("FIND INVENTORY"), VK_ESCAPE));
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F2));
    ASSERT_TRUE(EnterInDialog("VARENKO", "2701"));
    HWND item = WaitForDialog("Inventory");
    ASSERT_TRUE(Click(GetDlgItem(item, IDC_INV_LARGE_PICTURE)));
    HWND large = WaitForDialog("Inventory: 2701");
    EXPECT_TRUE(SaveWindowPicture(large, VARENKO_ARTIFACTS_DIR "/item-picture.bmp"));
    ASSERT_TRUE(AnswerWithKey(large));
    ASSERT_TRUE(AnswerWithClick(item, IDOK));
    EXPECT_EQ(ReadWholeFile(dataDir + "\\m2701.bmp"), ReadWholeFile(pictures + "m2701.bmp"));
    const shop::Item& extra = scrolled->second;
    const double taxed = extra.taxCode == 1 || extra.taxCode == 2 ? std::round(extra.price * 20) / 100 : 0;  // 20 % VAT
    ASSERT_TRUE(PayCash(window_, "10000"));
    ASSERT_NO_FATAL_FAILURE(Finish(FormatMoney(1.00 + extra.price + taxed), {"2601  Milk Chocolate Bar 100g",
                                           std::to_string(scrolled->first) + "  " + extra.description}, "Cash"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay({"1001"}, Pay::Cash, "2000", "19.00"));  // after the age alert

    // A new customer, then the same customer's town amended.
    ASSERT_TRUE(ChooseFromMenu(window_, 2, 1));  // Customer, Add
    HWND form = WaitForDialog("NEW CUSTOMER");
    ASSERT_TRUE(TypeInto(GetDlgItem(form, IDC_FORM_NAME), "JO BLOGGS"));
    ASSERT_TRUE(AnswerWithClick(form, IDOK));
    ASSERT_TRUE(AnswerDialog("Customer", "Customer added"));
    ASSERT_TRUE(ChooseFromMenu(window_, 2, 2));  // Customer, Amend
    ASSERT_TRUE(EnterInDialog("Amend customer", "1023"));
    form = WaitForDialog("Amend customer");
    ASSERT_TRUE(Click(GetDlgItem(form, IDC_FORM_TOWN)));
    ASSERT_TRUE(TypeInto(GetDlgItem(form, IDC_FORM_TOWN), "SALCOMBE"));
    ASSERT_TRUE(AnswerWithClick(form, IDOK));
    ASSERT_TRUE(AnswerDialog("Customer update"));
    expectedLog_ += "\r\nNew customer: #\r\nAssoc: 1, Administrator\r\nCustomer 1023, JO BLOGGS\r\n"
                    "\r\nCustomer update: #\r\nAssoc: 1, Administrator\r\nCustomer 1023, JO BLOGGS\r\n"
                    "Balance: 0.00\r\n";

    // Customer 1002 (balance 1240.50, terms "Nett, 30 days") buys beans three times:
    // associated with a cash sale, on account, and refunded to the account. Every
    // document of the summary and the order e-mail name the customer.
    ASSERT_TRUE(Sell({"1302"}, 1));
    ASSERT_TRUE(ChooseFromMenu(window_, 5, 2));  // Transaction, Associate customer
    ASSERT_TRUE(Find1002());
    ASSERT_TRUE(AnswerDialog("Customer associated", "BRIGHTWATER SAILING CLUB"));
    ASSERT_TRUE(PayCash(window_, "100"));
    ASSERT_NO_FATAL_FAILURE(Finish("0.85", {"Customer " + k1002, "1302  Baked Beans 415g"}, "Cash",
                                   {{IDC_SUMMARY_INVOICE_1, "Customer code",
                                     {"Customer code: 1002", "CUSTOMER\n" ADDRESS, "1002\n01548 555 0142\n"},
                                     "invoice1"}}));

    ASSERT_TRUE(Sell({"1302"}, 1));
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F6));  // on account
    ASSERT_TRUE(Find1002());
    ASSERT_TRUE(AnswerDialog("Customer transaction"));
    MailLinkRecorder mail;
    const int creditSale = transaction_;
    ASSERT_NO_FATAL_FAILURE(Finish(
        "0.85", {}, "Credit",
        {{IDC_SUMMARY_INVOICE_2, "Order Number",
          {"ACCOUNT NO: 1002\n" ADDRESS "Terms: Nett, 30 days\n", "1002\nBRIGHTWATER SAILING CLUB\n01548 555 0142\n"}},
         {IDC_SUMMARY_CUSTOM_RECEIPT, "Total", {"Customer: 1002\n" ADDRESS "01548 555 0142\n"}},
         {IDC_SUMMARY_CUSTOM_INVOICE, "Previous balance",
          {"ACCOUNT NO: 1002\n" ADDRESS "Terms: Nett, 30 days\nPrevious balance: 1240.50\n", "Balance: 1241.35\n"}},
         {IDC_SUMMARY_DELIVERY_NOTE, "Delivery Note",
          {"ACCOUNT NO: 1002\n" ADDRESS "Terms: Nett, 30 days\nPrevious balance: 1240.50\nBalance: 1241.35\n"},
          "delivery-note"}},
        [&](HWND summary) {
            ASSERT_TRUE(Click(GetDlgItem(summary, IDC_SUMMARY_EMAIL)));
            const std::string link = mail.Link();
            EXPECT_EQ(link.rfind("mailto:bar@brightwater.example?subject=ORCHARD%20LANE%20STORES%20Order", 0), 0u)
                << link;
        }));
    Expect("sale", "0.85", 1, "\r\n@ Sale: " + std::to_string(creditSale) + ", Total: 0.85\r\nClerk: 1, "
                              "Administrator   Items: 1\r\nPayment type: Credit\r\nCustomer: " + k1002 + "\r\n");
    // The beans refunded to the account: the server's balance is raised by the sale until then.
    ASSERT_TRUE(Sell({"1302"}, 1));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_REFUND)));
    HWND refund = WaitForDialog("Refund");
    EXPECT_EQ(ControlText(GetDlgItem(refund, IDC_REFUND_TOTAL)), "0.85");
    ASSERT_TRUE(Click(GetDlgItem(refund, IDC_REFUND_CREDIT)));
    ASSERT_TRUE(AnswerWithClick(refund, IDOK));
    ASSERT_TRUE(Find1002("1241.35"));
    ASSERT_TRUE(AnswerDialog("1002 Name: BRIGHTWATER SAILING CLUB"));  // "Credit this customer?"
    const int refundNumber = transaction_;
    ASSERT_TRUE(AnswerDialog("Transaction successful", std::to_string(refundNumber) + " committed")) << server_.Log();
    Expect("refund", "0.85", 1, "\r\n@ Refund: " + std::to_string(refundNumber) + ", Total: 0.85\r\nClerk: 1, "
                                  "Administrator   Items: 1\r\nForm: Credit\r\nCustomer: " + k1002 + "\r\n");
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F4));
    ASSERT_TRUE(Find1002("1240.50"));

    // The rest of the day: one item a customer, paid by cash, cheque and card in turn.
    const struct { const char* item; const char* total; } kQuickSales[] = {
        {"1501", "3.50"}, {"1502", "14.50"}, {"1603", "1.95"}, {"1703", "1.60"},
        {"2002", "1.90"}, {"2103", "4.49"}, {"2301", "1.20"},  {"2302", "2.50"}, {"2303", "1.50"},
        {"2501", "2.40"}, {"2502", "1.95"}, {"1901", "1.55"},  {"2001", "0.18"}, {"1301", "0.65"},
        {"1303", "0.75"}, {"1202", "6.99"},
    };
    const Pay kTurns[] = {Pay::Cash, Pay::Cheque, Pay::Card};
    int turn = 0;
    for (const auto& sale : kQuickSales) {
        SCOPED_TRACE(sale.item);
        const Pay pay = kTurns[turn++ % 3];
        ASSERT_NO_FATAL_FAILURE(SellAndPay({sale.item}, pay, pay == Pay::Cash ? "2000" : "", sale.total));
    }

    // The log on screen is the day file; printed, it names every transaction.
    ASSERT_TRUE(WaitForFocus(ItemBox(window_)));
    PressChord(VK_CONTROL, 'L');  // Display log for today
    HWND viewer = WaitForDialog("VARENKO log");
    EXPECT_EQ(ControlText(GetDlgItem(viewer, IDC_EDIT1)), ReadWholeFile(TodayLogFile(dataDir)));
    ASSERT_TRUE(AnswerWithClick(viewer, IDOK));
    ASSERT_TRUE(ChooseFromMenu(window_, 4, 2));  // Reports, Print log for today
    ASSERT_TRUE(AnswerDialog("Print"));
    const std::string printed = documents_.Next("Activity log");
    for (int n = 1; n < transaction_; ++n) {
        const char* kind = n == creditSale ? "Sale: " : n == refundNumber ? "Refund: " : "Transaction ";
        const std::string entry = kind + std::to_string(n);
        EXPECT_NE(printed.find(entry), std::string::npos) << entry << " not in the printed log:\n" << printed;
    }
    EXPECT_EQ(terminal_.Close(), 0);
    expectedLog_ += "\r\n@  Switched off.\r\nClerk: 1, Administrator\r\n";

    // Entry by entry, the day log as the day went.
    EXPECT_EQ(std::regex_replace(MarkedDayLog(dataDir), std::regex(R"(\d\d:\d\d [^\r]+)"), "#"), expectedLog_);

    // The server journaled each transaction once under its number, with its total and lines.
    std::vector<shop::store::JournalEntry> journal;
    std::size_t journalBytes = 0;
    std::string error;
    const std::string journalFile = server_.shopDirectory() + "\\state\\journal.txt";
    ASSERT_TRUE(shop::store::ReadJournal(journalFile, journal, journalBytes, error)) << error;
    std::map<std::int64_t, std::string> onJournal;
    for (const shop::store::JournalEntry& e : journal) {
        const auto entry = (e.kind == shop::Kind::Sale ? "sale " : "refund ") + FormatMoney(e.transaction.total) +
                           ", " + std::to_string(e.transaction.lines.size()) + " lines";
        EXPECT_TRUE(onJournal.emplace(e.number, entry).second) << e.number << " journaled twice";
    }
    EXPECT_EQ(onJournal, journaled_);

    // The till kept its own settings over the shop's.
    const TerminalConfig config = SavedConfig(dataDir);
    EXPECT_EQ(config.Switch(16), 2);
    EXPECT_EQ(config.Text(cfg::kKitchenPrinter, cfg::kLongTextWidth), kKitchenQueue);
    EXPECT_EQ(config.HeaderText(0), "VARENKO");  // shop-wide fields stay as read from the file
    EXPECT_NE(server_.Log().find("FetchLabelTable"), std::string::npos) << server_.Log();
}

}  // namespace
