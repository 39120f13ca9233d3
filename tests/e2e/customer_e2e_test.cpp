// A customer's day at the till, by keyboard and mouse: a customer associated with a
// cash sale, a sale on the customer's account and a credit refund, checked in the day
// log, on the shop server, and on every document of the sale summary that names the
// customer (the PDFs of the test printers, read back with pdftotext), including the
// recipient of the order e-mail.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "e2e/terminal_process.h"
#include "resources/resource_ids.h"
#include "shell/terminal_config.h"
#include "support/printed_pdfs.h"
#include "support/real_input.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

// Every document prints the customer's name and billing address on consecutive rows.
#define ADDRESS "BRIGHTWATER SAILING CLUB\nTHE SLIPWAY\nSALCOMBE ROAD\nSALCOMBE\nTQ8 8BB\n"

// A day log text with '@' for each entry's time and date.
std::regex LogPattern(const std::string& text) {
    std::string pattern;
    for (char c : text) {
        if (c == '@') {
            pattern += R"(\d\d:\d\d \d\d/\d\d/\d{4})";
            continue;
        }
        if (std::strchr(".()", c)) pattern += '\\';
        pattern += c;
    }
    return std::regex(pattern);
}

}  // namespace

// Customer 1002 (balance 1240.50, terms 4: "Nett, 30 days") buys baked beans (0.85, no
// tax) three times: associated with a cash sale, on account, and refunded to the account.
TEST(CustomerEndToEnd, AnAssociatedSaleACreditSaleAndACreditRefundNameTheCustomerEverywhere) {
    if (!RequirePrinter(kDocumentQueue) || !RequirePrinter(kReceiptQueue)) return;
    DefaultPrinter documents(kDocumentQueue);
    ASSERT_TRUE(documents.set());
    ShopServerProcess server;
    // The shop's custom layouts name the customer: the receipt on rows 9 to 15, the
    // invoice on rows 5 to 13 before its items.
    server.AddShopLines("int32 5614 = 9\nint32 5618 = 10\nswitch 194 = 11\nswitch 195 = 12\nswitch 196 = 13\n"
                        "switch 197 = 14\nswitch 198 = 15\nswitch 150 = 5\nswitch 148 = 6\nswitch 149 = 12\n"
                        "switch 157 = 13\nswitch 147 = 15\nswitch 154 = 30\n");
    TerminalProcess terminal;
    HWND window = nullptr;
    ASSERT_TRUE(OpenOnlineTill(server, terminal, window, [](TerminalConfig& till) {
        till.SetInt32(cfg::kTermCodes, 1);  // receipts on the receipt printer, by name
        till.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
        till.SetOption(12, 0);  // the summary after each sale
        till.SetOption(9, 0);   // documents on the default printer, without asking
    }));
    MailLinkRecorder mail;
    const std::string docs = UnixPdfDirectory("document"), receipts = UnixPdfDirectory("receipt");
    std::set<std::string> seen = PdfNames(docs), seenReceipts = PdfNames(receipts);
    // A summary button pressed; the text of the PDF it printed.
    auto print = [&](HWND summary, int button, const char* token) {
        const bool receipt = button == IDC_SUMMARY_CUSTOM_RECEIPT;
        const std::string& dir = receipt ? receipts : docs;
        std::set<std::string>& before = receipt ? seenReceipts : seen;
        std::set<std::string> printed;
        if (!Click(GetDlgItem(summary, button)) || WaitForPdfs(dir, before, token, 1, &printed) != 1)
            return std::string("nothing printed");
        before.insert(printed.begin(), printed.end());
        return PdfText(dir + "/" + *printed.begin());
    };
    // Customer 1002 typed into the search, its CUSTOMER view closed with Enter; the
    // balance the view showed.
    auto find1002 = [](std::string& balance) {
        if (auto entered = EnterInDialog("Find customer", "1002"); !entered) return entered;
        HWND view = WaitForDialog("CUSTOMER");
        if (!view) return testing::AssertionFailure() << "no CUSTOMER view";
        balance = ControlText(GetDlgItem(view, IDC_VIEW_BALANCE));
        return AnswerWithKey(view);
    };
    std::string balance;

    // Associated by the Transaction menu, paid in cash, "Invoice 1" printed.
    ASSERT_TRUE(Scan(window, "1302"));
    ASSERT_TRUE(ChooseFromMenu(window, 5, 2));  // Transaction, Associate customer
    ASSERT_TRUE(find1002(balance));
    EXPECT_EQ(balance, "1240.50");
    HWND associated = WaitForDialog("Customer associated");
    ASSERT_NE(associated, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(associated, 0xFFFF)), "BRIGHTWATER SAILING CLUB");
    ASSERT_TRUE(AnswerWithKey(associated));
    ASSERT_TRUE(PayCash(window, "100"));
    HWND summary = WaitForDialog("Transaction committed, summary");
    ASSERT_NE(summary, nullptr) << server.Log();
    const std::string invoice1 = print(summary, IDC_SUMMARY_INVOICE_1, "Customer code");
    for (const char* text : {"Customer code: 1002", "CUSTOMER\n" ADDRESS, "1002\n01548 555 0142\n"})
        EXPECT_NE(invoice1.find(text), std::string::npos) << text << " not on Invoice 1:\n" << invoice1;
    ASSERT_TRUE(AnswerWithClick(summary, IDOK));

    // On account (F6, Enter for Credit); every document of the summary and the e-mail.
    ASSERT_TRUE(Scan(window, "1302"));
    ASSERT_TRUE(PressKeyIn(FindWindowExA(window, nullptr, "Edit", nullptr), VK_F6));
    ASSERT_TRUE(find1002(balance));
    HWND sale = WaitForDialog("Customer transaction");
    ASSERT_NE(sale, nullptr);
    ASSERT_TRUE(AnswerWithKey(sale));
    summary = WaitForDialog("Transaction committed, summary");
    ASSERT_NE(summary, nullptr) << server.Log();
    const struct {
        int button;
        const char* token;  // in this document only
        std::vector<const char*> texts;
    } kDocuments[] = {
        {IDC_SUMMARY_INVOICE_2, "Order Number",
         {"ACCOUNT NO: 1002\n" ADDRESS "Terms: Nett, 30 days\n", "1002\nBRIGHTWATER SAILING CLUB\n01548 555 0142\n"}},
        {IDC_SUMMARY_CUSTOM_RECEIPT, "Total", {"Customer: 1002\n" ADDRESS "01548 555 0142\n"}},
        {IDC_SUMMARY_CUSTOM_INVOICE, "Previous balance",
         {"ACCOUNT NO: 1002\n" ADDRESS "Terms: Nett, 30 days\nPrevious balance: 1240.50\n", "Balance: 1241.35\n"}},
        {IDC_SUMMARY_DELIVERY_NOTE, "Delivery Note",
         {"ACCOUNT NO: 1002\n" ADDRESS "Terms: Nett, 30 days\nPrevious balance: 1240.50\nBalance: 1241.35\n"}},
    };
    for (const auto& document : kDocuments) {
        const std::string text = print(summary, document.button, document.token);
        for (const char* expected : document.texts)
            EXPECT_NE(text.find(expected), std::string::npos)
                << expected << " not on the document of button " << document.button << ":\n" << text;
    }
    ASSERT_TRUE(Click(GetDlgItem(summary, IDC_SUMMARY_EMAIL)));
    EXPECT_EQ(mail.Link().rfind("mailto:bar@brightwater.example?subject=ORCHARD%20LANE%20STORES%20Order", 0), 0u)
        << mail.Link();
    ASSERT_TRUE(AnswerWithClick(summary, IDOK));

    // Refunded to the account: the server's balance is raised by the sale until then.
    ASSERT_TRUE(Scan(window, "1302"));
    ASSERT_TRUE(Click(GetDlgItem(window, CMD_REFUND)));
    HWND refund = WaitForDialog("Refund");
    ASSERT_NE(refund, nullptr) << "in front is " << DescribeWindow(GetForegroundWindow());
    ASSERT_TRUE(Click(GetDlgItem(refund, IDC_REFUND_CREDIT)));
    ASSERT_TRUE(AnswerWithClick(refund, IDOK));
    ASSERT_TRUE(find1002(balance));
    EXPECT_EQ(balance, "1241.35");
    HWND credit = WaitForDialog("1002 Name: BRIGHTWATER SAILING CLUB");
    ASSERT_NE(credit, nullptr) << "no \"Credit this customer?\"";
    ASSERT_TRUE(AnswerWithKey(credit));
    HWND committed = WaitForDialog("Transaction successful");
    ASSERT_NE(committed, nullptr) << server.Log();
    EXPECT_EQ(ControlText(GetDlgItem(committed, 0xFFFF)), "3 committed");
    ASSERT_TRUE(AnswerWithKey(committed));
    ASSERT_TRUE(PressKeyIn(FindWindowExA(window, nullptr, "Edit", nullptr), VK_F4));
    ASSERT_TRUE(find1002(balance));
    EXPECT_EQ(balance, "1240.50");
    EXPECT_EQ(terminal.Close(), 0);

    const std::string log = ReadWholeFile(TodayLogFile(TerminalDataDirectory()));
    EXPECT_TRUE(std::regex_search(
        log, LogPattern("\r\n@  Transaction 1\r\nCustomer 1002 BRIGHTWATER SAILING CLUB\r\n1302  Baked Beans 415g\r\n"
                        "Total: 0.85\r\nClerk: 1, Administrator   Items: 1\r\nPayment type: Cash\r\n"
                        "\r\n@ Sale: 2, Total: 0.85\r\nClerk: 1, Administrator   Items: 1\r\nPayment type: Credit\r\n"
                        "Customer: 1002 BRIGHTWATER SAILING CLUB\r\n"
                        "\r\n@ Refund: 3, Total: 0.85\r\nClerk: 1, Administrator   Items: 1\r\nForm: Credit"
                        "\r\nCustomer: 1002 BRIGHTWATER SAILING CLUB\r\n\r\n@  Switched off.")))
        << log;
}
