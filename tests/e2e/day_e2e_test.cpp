// A day at the till, worked as an associate works it, with real keys and clicks against
// the shop server: switch on and log on, thirty sales paid every way (an offer, a kit, a
// price, a weight, a loose line, a discount, two tables, a picture button, an age alert,
// a sale on account), a customer added and amended, a refund, the log read on screen
// and printed, switch off. The day log is checked entry by entry, the printed receipts
// and log through their PDFs, the server's journal sale by sale, and the day's takings
// agree on screen, in the log and on the server.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/terminal_process.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/terminal_config.h"
#include "shop/seed_files.h"
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

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

double Amount(const std::string& text) { return std::atof(text.c_str()); }

// The sum of the numbers that follow each `key` in `text`.
double SumAfter(const std::string& text, const std::string& key) {
    double sum = 0;
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1))
        sum += std::atof(text.c_str() + at + key.size());
    return sum;
}

class DayAtTheTill : public testing::Test {
protected:
    void SetUp() override {
        if (!RequirePrinter(kReceiptQueue) || !RequirePrinter(kDocumentQueue)) GTEST_SKIP();
        // "Add discount" takes the discount off the total; the shop's custom layouts name
        // the customer: the receipt on rows 9 to 15, the invoice on rows 5 to 13.
        server_.AddShopLines("switch 28 = 2\nint32 5614 = 9\nint32 5618 = 10\nswitch 194 = 11\nswitch 195 = 12\n"
                             "switch 196 = 13\nswitch 197 = 14\nswitch 198 = 15\nswitch 150 = 5\nswitch 148 = 6\n"
                             "switch 149 = 12\nswitch 157 = 13\nswitch 147 = 15\nswitch 154 = 30\n");
        ASSERT_TRUE(server_.Start()) << server_.Log();
        PrepareOnlineTill(TerminalDataDirectory(), [](TerminalConfig& till) {
            till.SetInt32(cfg::kTermCodes, 1);  // receipts on the receipt printer, by name
            till.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
            till.SetOption(9, 0);  // documents on the default printer, without asking
        });
        ASSERT_TRUE(defaultPrinter_.set());
        receipts_ = UnixPdfDirectory("receipt");
        seenReceipts_ = PdfNames(receipts_);
        documents_ = UnixPdfDirectory("document");
        seenDocuments_ = PdfNames(documents_);
    }

    // Scans each item (answering its age alert) and waits until the basket holds `lines`.
    testing::AssertionResult Sell(const std::string& items, int lines) {
        for (const std::string& item : Words(items)) {
            if (auto scanned = Scan(window_, item); !scanned) return scanned;
            if (kItems.at(std::stoll(item)).ageLimit >= 2) {
                HWND alert = WaitForDialog("Age alert");
                if (!alert) return testing::AssertionFailure() << "no age alert for " << item;
                if (auto answered = AnswerWithKey(alert); !answered) return answered;
            }
        }
        if (WaitUntil([&] { return BasketLines(window_) == lines; })) return testing::AssertionSuccess();
        return testing::AssertionFailure() << items << " left " << BasketLines(window_) << " lines, not " << lines;
    }

    testing::AssertionResult TenderCash(const std::string& typed, int quickButton) {
        HWND cash = WaitForDialog("Cash payment");
        if (!cash) return testing::AssertionFailure() << "no cash dialog";
        if (quickButton) return AnswerWithClick(cash, quickButton);
        HWND amount = GetDlgItem(cash, IDC_EDIT1);
        if (auto typedIn = TypeInto(amount, typed); !typedIn) return typedIn;
        if (auto enter = PressKeyIn(amount, VK_RETURN); !enter) return enter;
        return WaitForWindowGone(cash);
    }

    testing::AssertionResult PayBy(Pay pay, const std::string& typed) {
        switch (pay) {
        case Pay::Cash: return PayCash(window_, typed);
        case Pay::Cash5:
        case Pay::Exact:
            if (auto f5 = PressKeyIn(ItemBox(window_), VK_F5); !f5) return f5;
            return TenderCash("", pay == Pay::Cash5 ? IDC_TENDER_5 : IDC_EXACT_AMOUNT);
        case Pay::Cheque: return ChooseFromMenu(window_, 3, 1);  // Payments, CH
        case Pay::Card: return PressKeyIn(ItemBox(window_), VK_F7);
        case Pay::SplitCheque:
        case Pay::SplitCard: {
            if (auto menu = ChooseFromMenu(window_, 3, 4); !menu) return menu;  // Payments, Split Cash Other
            HWND split = WaitForDialog("Split payment");
            if (!split) return testing::AssertionFailure() << "no split dialog";
            if (auto typedIn = TypeInto(GetDlgItem(split, IDC_EDIT1), typed); !typedIn) return typedIn;
            if (pay == Pay::SplitCard)
                if (auto eft = Click(GetDlgItem(split, IDC_SPLIT_EFT)); !eft) return eft;
            if (auto ok = AnswerWithClick(split, IDOK); !ok) return ok;
            // The cash part: "20.00" for the cheque split, typed exactly for the card one.
            return pay == Pay::SplitCheque ? TenderCash("", IDC_TENDER_20) : TenderCash(typed, 0);
        }
        }
        return testing::AssertionFailure();
    }

    // A document printed from the summary by its button: the text of its PDF.
    std::string PrintFromSummary(HWND summary, int button, const std::string& token) {
        const bool receipt = button == IDC_SUMMARY_STANDARD_RECEIPT || button == IDC_SUMMARY_CUSTOM_RECEIPT;
        const std::string& dir = receipt ? receipts_ : documents_;
        std::set<std::string>& seen = receipt ? seenReceipts_ : seenDocuments_;
        std::set<std::string> printed;
        if (!Click(GetDlgItem(summary, button)) || WaitForPdfs(dir, seen, token, 1, &printed) != 1)
            return "nothing printed with " + token;
        seen.insert(printed.begin(), printed.end());
        return PdfText(dir + "/" + *printed.begin());
    }

    // The summary of a sale: its total agrees with `total`; the documents printed from it
    // hold their texts (the standard receipt, with token "", also the total); `atSummary`
    // runs; OK. The sale's day log entry is expected.
    struct Document {
        int button;
        std::string token;  // in this document only
        std::vector<std::string> texts;
    };
    void Finish(const std::string& total, const std::vector<std::string>& lines, const char* paymentType,
                const std::vector<Document>& documents = {},
                const std::function<void(HWND)>& atSummary = {}) {
        HWND summary = WaitForDialog("Transaction committed, summary");
        ASSERT_NE(summary, nullptr) << server_.Log();
        const std::string shown = ControlText(GetDlgItem(summary, IDC_SUMMARY_TOTAL));
        EXPECT_EQ(shown, total) << "transaction " << transaction_;
        onScreen_ += Amount(shown);
        for (Document document : documents) {
            if (document.token.empty()) {
                document.token = "Receipt: " + std::to_string(transaction_);
                document.texts.push_back("Total: \xC2\xA3" + total);  // the pound sign, as pdftotext writes it
            }
            const std::string text = PrintFromSummary(summary, document.button, document.token);
            for (const std::string& expected : document.texts)
                EXPECT_NE(text.find(expected), std::string::npos) << expected << " not on\n" << text;
        }
        if (atSummary) atSummary(summary);
        ASSERT_TRUE(AnswerWithClick(summary, IDOK));
        if (std::strcmp(paymentType, "Credit") == 0) {
            journaled_[transaction_] = {"sale", total, 1};
            expectedLog_ += "\r\n@ Sale: " + std::to_string(transaction_++) + ", Total: " + total +
                            "\r\nClerk: 1, Administrator   Items: 1\r\nPayment type: Credit\r\nCustomer: " + k1002 +
                            "\r\n";
            return;
        }
        std::string entry = "\r\n@  Transaction " + std::to_string(transaction_);
        std::size_t items = 0;
        for (const std::string& line : lines) {
            entry += "\r\n" + line;
            items += line.rfind("Customer ", 0) == 0 ? 0 : 1;
        }
        journaled_[transaction_++] = {"sale", total, items};
        expectedLog_ += entry + "\r\nTotal: " + total + "\r\nClerk: 1, Administrator   Items: " +
                        std::to_string(items) + "\r\nPayment type: " + paymentType + "\r\n";
    }

    // Customer 1002 typed into the search, its CUSTOMER view closed with Enter; the
    // balance the view showed.
    testing::AssertionResult Find1002(const char* searchTitle, std::string& balance) {
        if (auto entered = EnterInDialog(searchTitle, "1002"); !entered) return entered;
        HWND view = WaitForDialog("CUSTOMER");
        if (!view) return testing::AssertionFailure() << "no CUSTOMER view";
        balance = ControlText(GetDlgItem(view, IDC_VIEW_BALANCE));
        return AnswerWithKey(view);
    }

    // "number  description" for each item number.
    static std::vector<std::string> LogLines(const std::string& items) {
        std::vector<std::string> lines;
        for (const std::string& item : Words(items))
            lines.push_back(item + "  " + kItems.at(std::stoll(item)).description);
        return lines;
    }

    void SellAndPay(const std::string& scanned, const std::string& basket, Pay pay, const std::string& typed,
                    const std::string& total, const char* onReceipt = nullptr) {
        const std::vector<std::string> lines = LogLines(basket);
        ASSERT_TRUE(Sell(scanned, static_cast<int>(lines.size())));
        ASSERT_TRUE(PayBy(pay, typed));
        static const char* const kTypes[] = {"Cash", "Cash", "Cash", "CH", "EFT", "Split", "Split"};
        std::vector<Document> documents;
        if (onReceipt) documents.push_back({IDC_SUMMARY_STANDARD_RECEIPT, "", {onReceipt}});
        ASSERT_NO_FATAL_FAILURE(Finish(total, lines, kTypes[static_cast<int>(pay)], documents));
    }

    testing::AssertionResult SwitchTable(int button) {
        if (auto menu = ChooseFromMenu(window_, 5, 3); !menu) return menu;  // Transaction, Change basket table
        HWND tables = WaitForDialog("Change basket table");
        if (!tables) return testing::AssertionFailure() << "no table dialog";
        return AnswerWithClick(tables, button);
    }

    ShopServerProcess server_;
    TerminalProcess terminal_;
    HWND window_ = nullptr;
    DefaultPrinter defaultPrinter_{kDocumentQueue};  // documents and the log print there
    std::string receipts_, documents_;
    std::set<std::string> seenReceipts_, seenDocuments_;
    int transaction_ = 1;
    double onScreen_ = 0;
    std::string expectedLog_;  // '@' for an entry's time and date, '#' for a customer entry's
    struct Journaled {
        std::string kind, total;
        std::size_t lines;
        bool operator==(const Journaled&) const = default;
    };
    std::map<int, Journaled> journaled_;  // by transaction number, as the server is to keep them
};

TEST_F(DayAtTheTill, ThirtySalesACustomerARefundAndTheLogAgreeOnScreenInTheLogAndOnTheServer) {
    const std::string dataDir = TerminalDataDirectory();
    ASSERT_TRUE(terminal_.Start());
    window_ = terminal_.WaitForMainWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(LogOn("9999", LogonBy::Keypad));  // wrong: the dialog opens again at once
    ASSERT_TRUE(LogOn("3031", LogonBy::Keypad));  // associate 3's password, shown is 1
    ASSERT_TRUE(LogOn("1111"));                   // the password typed and Enter
    ASSERT_TRUE(WaitForTitle(window_, "Assoc"));
    EXPECT_EQ(WindowTitle(window_), "VARENKO    Assoc: 1, Administrator");
    RECT placed;
    GetWindowRect(window_, &placed);
    EXPECT_EQ(placed.right - placed.left, 1024);
    EXPECT_EQ(placed.bottom - placed.top, 708);
    Sleep(500);  // let the window repaint under the closed dialog
    EXPECT_TRUE(SaveWindowPicture(window_, VARENKO_ARTIFACTS_DIR "/main-window.bmp"));
    expectedLog_ = "\r\n@  Switched on.\r\n\r\n@  User 1, Administrator, logged on.\r\n";

    // Every way of paying; each wording of the receipt's payment line (the shop's own) printed once.
    // The third tin of beans is free; the kit sells as its four parts.
    ASSERT_NO_FATAL_FAILURE(
        SellAndPay("1302 1302 1302", "1302 1302 1302", Pay::Cash, "500", "1.70", "Cash change: 3.30"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay("3001", "1501 2501 2001 2001", Pay::Cheque, "", "6.26", "Payment: Cheque"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay("1201", "1201", Pay::Card, "", "9.99", "Payment: Card"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay("1301 1303", "1301 1303", Pay::Cash5, "", "1.40"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay("1601 1602", "1601 1602", Pay::Exact, "", "4.40"));
    ASSERT_NO_FATAL_FAILURE(
        SellAndPay("1201 1202", "1201 1202", Pay::SplitCheque, "1000", "16.98", "Payment: Cheque with cash"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay("1203", "1203", Pay::SplitCard, "500", "12.99", "Payment: Card with cash"));

    // Cola, 0.83 + 20 % tax, priced at 1.50, then weighed at 300; a loose line of 10.00;
    // 0.79 off the total of 14.79 by the Transaction menu's "Add discount".
    ASSERT_TRUE(Sell("1701", 1));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_ADJUST_PRICE)));
    ASSERT_TRUE(EnterInDialog("Adjust item price", "150"));
    ASSERT_TRUE(Sell("1701", 2));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_WEIGHT)));
    ASSERT_TRUE(EnterInDialog("Adjust by weight", "300"));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_NON_INVENTORY_SALE)));
    HWND loose = WaitForDialog("Non inventory sale");
    ASSERT_NE(loose, nullptr);
    const std::string category = ControlText(GetDlgItem(loose, 2408));
    ASSERT_TRUE(Click(GetDlgItem(loose, 2408)));
    ASSERT_TRUE(Click(GetDlgItem(loose, 2405)));
    ASSERT_TRUE(AnswerWithClick(loose, IDOK));
    ASSERT_TRUE(ChooseFromMenu(window_, 5, 0));
    HWND discount = WaitForDialog("Discount total");
    ASSERT_NE(discount, nullptr);
    ASSERT_TRUE(TypeInto(GetDlgItem(discount, IDC_EDIT1), "79"));
    EXPECT_EQ(ControlText(GetDlgItem(discount, 1112)), "14.00");
    ASSERT_TRUE(AnswerWithKey(discount));
    ASSERT_TRUE(PayCash(window_, "5000"));
    ASSERT_NO_FATAL_FAILURE(Finish("14.00", {"1701  Cola 330ml Can", "1701  Cola 330ml Can", "0  " + category}, "Cash",
                                   {{IDC_SUMMARY_STANDARD_RECEIPT, "",
                                     {"1.80\n2.99\n10.00\n", "Discount: (0.79)", "VAT: 0.80 (20.00%)",
                                      "Payment: Cash"}}}));

    // Table 1 waits with coffee while table 2 buys tea and pays; then table 1 pays.
    ASSERT_TRUE(Sell("1501", 1));
    ASSERT_TRUE(SwitchTable(IDC_BASKET_TABLE_2));
    EXPECT_EQ(BasketLines(window_), 0);
    ASSERT_NO_FATAL_FAILURE(SellAndPay("2501", "2501", Pay::Exact, "", "2.40"));
    ASSERT_TRUE(SwitchTable(IDC_BASKET_TABLE_1));
    ASSERT_TRUE(WaitUntil([&] { return BasketLines(window_) == 1; }));
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F7));
    ASSERT_NO_FATAL_FAILURE(Finish("3.50", LogLines("1501"), "EFT"));

    // Sweets, then the first picture button: Milk Chocolate Bar, 0.83 + 0.17 tax. Every
    // item, one page on: the first button holds the item after the last one shown.
    ASSERT_TRUE(Click(GetDlgItem(window_, kFirstCategoryButton + 16)));
    ASSERT_TRUE(Click(GetDlgItem(window_, kFirstPictureButton)));
    ASSERT_TRUE(WaitUntil([&] { return BasketLines(window_) == 1; }));
    const std::string pictures = server_.shopDirectory() + "\\pictures\\";
    EXPECT_EQ(ReadWholeFile(dataDir + "\\m2601.bmp"), ReadWholeFile(pictures + "m2601.bmp"))
        << "an item's own picture comes with its page of buttons";
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
        HWND alert = WaitForDialog("Age alert");
        ASSERT_NE(alert, nullptr);
        ASSERT_TRUE(AnswerWithKey(alert));
    }
    ASSERT_TRUE(WaitUntil([&] { return BasketLines(window_) == 2; }));
    // F2 and a description: the matches one by one; F2 and a number: the item view and
    // its large picture, fetched whole from the server.
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F2));
    ASSERT_TRUE(EnterInDialog("VARENKO", "chocolate"));
    HWND found = WaitForDialog("FIND INVENTORY");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(found, IDC_INV_NUMBER)), "2601");
    ASSERT_TRUE(AnswerWithClick(found, IDC_INV_NEXT));
    found = WaitForDialog("FIND INVENTORY");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(found, IDC_INV_NUMBER)), "2602");
    ASSERT_TRUE(AnswerWithKey(found, VK_ESCAPE));
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F2));
    ASSERT_TRUE(EnterInDialog("VARENKO", "2701"));
    HWND item = WaitForDialog("Inventory");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(item, IDC_INV_DESCRIPTION)), "Rioja Reserva 75cl");
    ASSERT_TRUE(Click(GetDlgItem(item, IDC_INV_LARGE_PICTURE)));
    HWND large = WaitForDialog("Inventory: 2701");
    ASSERT_NE(large, nullptr);
    EXPECT_TRUE(SaveWindowPicture(large, VARENKO_ARTIFACTS_DIR "/item-picture.bmp"));
    ASSERT_TRUE(AnswerWithKey(large));
    ASSERT_TRUE(AnswerWithClick(item, IDOK));
    EXPECT_EQ(ReadWholeFile(dataDir + "\\m2701.bmp"), ReadWholeFile(pictures + "m2701.bmp"));
    const shop::Item& extra = scrolled->second;
    const double taxed = extra.taxCode == 1 || extra.taxCode == 2 ? std::round(extra.price * 20) / 100 : 0;  // 20 % VAT
    char total[32];
    std::snprintf(total, sizeof total, "%.2f", 1.00 + extra.price + taxed);
    ASSERT_TRUE(PayCash(window_, "10000"));
    ASSERT_NO_FATAL_FAILURE(Finish(total, {"2601  Milk Chocolate Bar 100g",
                                           std::to_string(scrolled->first) + "  " + extra.description}, "Cash"));
    ASSERT_NO_FATAL_FAILURE(SellAndPay("1001", "1001", Pay::Cash, "2000", "19.00"));  // after the age alert

    // A new customer, then the same customer's town amended.
    ASSERT_TRUE(ChooseFromMenu(window_, 2, 1));  // Customer, Add
    HWND form = WaitForDialog("NEW CUSTOMER");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(form, IDC_FORM_NUMBER)), "1023");
    ASSERT_TRUE(TypeInto(GetDlgItem(form, IDC_FORM_NAME), "JO BLOGGS"));
    ASSERT_TRUE(AnswerWithClick(form, IDOK));
    HWND added = WaitForDialog("Customer");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(added, 0xFFFF)), "Customer added");
    ASSERT_TRUE(AnswerWithKey(added));
    ASSERT_TRUE(ChooseFromMenu(window_, 2, 2));  // Customer, Amend
    ASSERT_TRUE(EnterInDialog("Amend customer", "1023"));
    form = WaitForDialog("Amend customer");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(form, IDC_FORM_NAME)), "JO BLOGGS");
    ASSERT_TRUE(Click(GetDlgItem(form, IDC_FORM_TOWN)));
    ASSERT_TRUE(TypeInto(GetDlgItem(form, IDC_FORM_TOWN), "SALCOMBE"));
    ASSERT_TRUE(AnswerWithClick(form, IDOK));
    HWND updated = WaitForDialog("Customer update");
    ASSERT_NE(updated, nullptr);
    ASSERT_TRUE(AnswerWithKey(updated));
    expectedLog_ += "\r\nNew customer: #\r\nAssoc: 1, Administrator\r\nCustomer 1023, JO BLOGGS\r\n"
                    "\r\nCustomer update: #\r\nAssoc: 1, Administrator\r\nCustomer 1023, JO BLOGGS\r\n"
                    "Balance: 0.00\r\n";

    // Customer 1002 (balance 1240.50, terms "Nett, 30 days") buys beans three times:
    // associated with a cash sale, on account, and refunded to the account. Every
    // document of the summary and the order e-mail name the customer.
    std::string balance;
    ASSERT_TRUE(Sell("1302", 1));
    ASSERT_TRUE(ChooseFromMenu(window_, 5, 2));  // Transaction, Associate customer
    ASSERT_TRUE(Find1002("Find customer", balance));
    EXPECT_EQ(balance, "1240.50");
    HWND associated = WaitForDialog("Customer associated");
    ASSERT_NE(associated, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(associated, 0xFFFF)), "BRIGHTWATER SAILING CLUB");
    ASSERT_TRUE(AnswerWithKey(associated));
    ASSERT_TRUE(PayCash(window_, "100"));
    ASSERT_NO_FATAL_FAILURE(Finish("0.85", {"Customer " + k1002, "1302  Baked Beans 415g"}, "Cash",
                                   {{IDC_SUMMARY_INVOICE_1, "Customer code",
                                     {"Customer code: 1002", "CUSTOMER\n" ADDRESS, "1002\n01548 555 0142\n"}}}));

    ASSERT_TRUE(Sell("1302", 1));
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F6));  // on account
    ASSERT_TRUE(Find1002("Find customer", balance));
    HWND onAccount = WaitForDialog("Customer transaction");
    ASSERT_NE(onAccount, nullptr);
    ASSERT_TRUE(AnswerWithKey(onAccount));
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
          {"ACCOUNT NO: 1002\n" ADDRESS "Terms: Nett, 30 days\nPrevious balance: 1240.50\nBalance: 1241.35\n"}}},
        [&](HWND summary) {
            ASSERT_TRUE(Click(GetDlgItem(summary, IDC_SUMMARY_EMAIL)));
            const std::string link = mail.Link();
            EXPECT_EQ(link.rfind("mailto:bar@brightwater.example?subject=ORCHARD%20LANE%20STORES%20Order", 0), 0u)
                << link;
        }));
    // The beans refunded to the account: the server's balance is raised by the sale until then.
    ASSERT_TRUE(Sell("1302", 1));
    ASSERT_TRUE(Click(GetDlgItem(window_, CMD_REFUND)));
    HWND refund = WaitForDialog("Refund");
    ASSERT_NE(refund, nullptr);
    const std::string refunded = ControlText(GetDlgItem(refund, IDC_REFUND_TOTAL));
    EXPECT_EQ(refunded, "0.85");
    onScreen_ -= Amount(refunded);
    ASSERT_TRUE(Click(GetDlgItem(refund, IDC_REFUND_CREDIT)));
    ASSERT_TRUE(AnswerWithClick(refund, IDOK));
    ASSERT_TRUE(Find1002("Find customer", balance));
    EXPECT_EQ(balance, "1241.35");
    HWND credit = WaitForDialog("1002 Name: BRIGHTWATER SAILING CLUB");
    ASSERT_NE(credit, nullptr) << "no \"Credit this customer?\"";
    ASSERT_TRUE(AnswerWithKey(credit));
    HWND committed = WaitForDialog("Transaction successful");
    ASSERT_NE(committed, nullptr) << server_.Log();
    const int refundNumber = transaction_++;
    journaled_[refundNumber] = {"refund", refunded, 1};
    EXPECT_EQ(ControlText(GetDlgItem(committed, 0xFFFF)), std::to_string(refundNumber) + " committed");
    ASSERT_TRUE(AnswerWithKey(committed));
    ASSERT_TRUE(PressKeyIn(ItemBox(window_), VK_F4));
    ASSERT_TRUE(Find1002("Find customer", balance));
    EXPECT_EQ(balance, "1240.50");
    expectedLog_ += "\r\n@ Refund: " + std::to_string(refundNumber) +
                    ", Total: 0.85\r\nClerk: 1, Administrator   Items: 1\r\nForm: Credit\r\nCustomer: " + k1002 +
                    "\r\n";

    // The rest of the day: one item a customer, paid by cash, cheque and card in turn.
    const struct {
        const char* item;
        const char* total;
    } kQuickSales[] = {
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
        ASSERT_NO_FATAL_FAILURE(SellAndPay(sale.item, sale.item, pay, pay == Pay::Cash ? "2000" : "", sale.total));
    }
    ASSERT_EQ(transaction_, 32);  // 30 sales, one of them on account, and the refund

    // The log on screen is the day file; printed, it names every transaction.
    const std::string logFile = TodayLogFile(dataDir);
    ASSERT_TRUE(WaitForFocus(ItemBox(window_)));
    PressChord(VK_CONTROL, 'L');  // Display log for today
    HWND viewer = WaitForDialog("VARENKO log");
    ASSERT_NE(viewer, nullptr) << "in front is " << DescribeWindow(GetForegroundWindow());
    EXPECT_EQ(ControlText(GetDlgItem(viewer, IDC_EDIT1)), ReadWholeFile(logFile));
    ASSERT_TRUE(AnswerWithClick(viewer, IDOK));
    ASSERT_TRUE(ChooseFromMenu(window_, 4, 2));  // Reports, Print log for today
    HWND print = WaitForDialog("Print");
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(AnswerWithKey(print));
    std::set<std::string> printedLog;
    ASSERT_EQ(WaitForPdfs(documents_, seenDocuments_, "Activity log", 1, &printedLog), 1);
    const std::string printed = PdfText(documents_ + "/" + *printedLog.begin());
    for (int n = 1; n < transaction_; ++n) {
        const char* kind = n == creditSale ? "Sale: " : n == refundNumber ? "Refund: " : "Transaction ";
        const std::string entry = kind + std::to_string(n);
        EXPECT_NE(printed.find(entry), std::string::npos) << entry << " not in the printed log:\n" << printed;
    }
    EXPECT_EQ(terminal_.Close(), 0);
    expectedLog_ += "\r\n@  Switched off.\r\nClerk: 1, Administrator\r\n";

    // Entry by entry, the day log as the day went.
    const std::string log = ReadWholeFile(logFile);
    std::string pattern;
    for (char c : expectedLog_) {
        if (c == '@')
            pattern += R"(\d\d:\d\d \d\d/\d\d/\d{4})";
        else if (c == '#')
            pattern += R"(\d\d:\d\d [^\r]+)";
        else
            pattern += std::strchr("\\^$.|?*+()[]{}", c) ? std::string("\\") + c : std::string(1, c);
    }
    EXPECT_TRUE(std::regex_match(log, std::regex(pattern))) << log;

    // The server journaled each transaction once under its number, with its total and lines.
    const std::string journal = "\n" + ReadWholeFile(server_.shopDirectory() + "\\state\\journal.txt");
    double onServer = 0;
    std::map<int, Journaled> onJournal;
    for (std::size_t at = journal.find("\n["); at != std::string::npos; at = journal.find("\n[", at + 1)) {
        const std::size_t space = journal.find(' ', at), end = journal.find("\n[end ", at);
        const std::string kind = journal.substr(at + 2, space - at - 2);
        if (kind != "sale" && kind != "refund") continue;
        const int number = std::atoi(journal.c_str() + space + 1);
        const std::size_t total = journal.find("\ntotal = ", at);
        ASSERT_LT(total, end) << journal;
        char shown[32];
        std::snprintf(shown, sizeof shown, "%.2f", std::atof(journal.c_str() + total + 9));
        std::size_t lines = 0;
        for (std::size_t line = journal.find("\nline = ", at); line < end; line = journal.find("\nline = ", line + 1))
            ++lines;
        EXPECT_TRUE(onJournal.emplace(number, Journaled{kind, shown, lines}).second) << number << " journaled twice";
        onServer += (kind == "sale" ? 1 : -1) * std::atof(shown);
    }
    EXPECT_TRUE(onJournal == journaled_) << journal;
    // The day's takings three ways.
    const double inLog = SumAfter(log, "\r\nTotal: ") +
                         SumAfter(log, " Sale: " + std::to_string(creditSale) + ", Total: ") -
                         SumAfter(log, " Refund: " + std::to_string(refundNumber) + ", Total: ");
    EXPECT_NEAR(onScreen_, 142.08 + extra.price + taxed, 0.001);
    EXPECT_NEAR(inLog, onScreen_, 0.001);
    EXPECT_NEAR(onServer, onScreen_, 0.001) << journal;

    // The till kept its own settings over the shop's.
    const std::string saved = ReadWholeFile(dataDir + "\\vks.cfg");
    ASSERT_EQ(saved.size(), cfg::kSize);
    TerminalConfig config;
    std::memcpy(config.data(), saved.data(), cfg::kSize);
    EXPECT_EQ(config.Switch(16), 2);
    EXPECT_EQ(config.Text(cfg::kKitchenPrinter, cfg::kLongTextWidth), "Kitchen Printer");
    EXPECT_EQ(config.HeaderText(0), "VARENKO");  // shop-wide fields stay as read from the file
    for (const char* call : {"FetchTerminalConfig", "FetchLabelTable", "CommitSale expected 1, 3 lines -> 22"})
        EXPECT_NE(server_.Log().find(call), std::string::npos) << call << " not in\n" << server_.Log();
}

}  // namespace
