// The real program under Wine: first start on an empty data directory, close, check files.
#include <gtest/gtest.h>

#include <cstdlib>
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

TerminalConfig ReadConfig(const std::string& path) {
    TerminalConfig c;
    const std::string file = ReadWholeFile(path);
    EXPECT_EQ(file.size(), cfg::kSize);
    std::memcpy(c.data(), file.data(), std::min(file.size(), cfg::kSize));
    return c;
}

const char* const kStamp = R"(\d\d:\d\d \d\d/\d\d/\d{4})";

TEST(StartupEndToEnd, FirstStartWritesTheConfigurationAndTheDayLogThenSecondStartNamesTheClerk) {
    const std::string dataDir = TerminalDataDirectory();
    RemoveTree(dataDir);

    {
        TerminalProcess terminal;
        ASSERT_TRUE(terminal.Start());
        HWND window = terminal.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        // Without a server the logon does not open: scanned items must reach the item box.
        HWND box = FindWindowExA(window, nullptr, "Edit", nullptr);
        EXPECT_TRUE(WaitUntil([&] { return FocusedWindow(window) == box; }))
            << "the focus is on " << DescribeWindow(FocusedWindow(window));
        EXPECT_EQ(terminal.Close(), 0);
    }
    const TerminalConfig first = ReadConfig(dataDir + "\\vks.cfg");
    EXPECT_EQ(first.HeaderText(0), "VARENKO");
    EXPECT_EQ(first.Option(33), 2000);
    EXPECT_EQ(first.CurrentAssociate(), 1);
    EXPECT_EQ(first.AssociateName(1), "Administrator");  // reached the file with the start-up save
    EXPECT_FALSE(ReadWholeFile(dataDir + "\\letter.bmp").empty());
    EXPECT_FALSE(ReadWholeFile(dataDir + "\\receipt.bmp").empty());

    const std::string log = ReadWholeFile(TodayLogFile(dataDir));
    const std::string on = std::string("\r\n") + kStamp + "  Switched on\\.\r\n";
    const std::string off = std::string("\r\n") + kStamp + "  Switched off\\.\r\n";
    // On the very first start the live associate names are still empty.
    EXPECT_TRUE(std::regex_match(log, std::regex(on + off + "Clerk: 1, \r\n"))) << log;

    {
        TerminalProcess terminal;
        ASSERT_TRUE(terminal.Start());
        ASSERT_NE(terminal.WaitForMainWindow(), nullptr);
        EXPECT_EQ(terminal.Close(), 0);
    }
    const std::string log2 = ReadWholeFile(TodayLogFile(dataDir));
    EXPECT_TRUE(std::regex_match(log2, std::regex(on + off + "Clerk: 1, \r\n" + on + off +
                                                  "Clerk: 1, Administrator\r\n")))
        << log2;
}

TEST(StartupEndToEnd, ConfigurationThatCannotBeLoadedEndsTheProgramWithoutSaving) {
    const std::string dataDir = TerminalDataDirectory();
    RemoveTree(dataDir);
    // The data directory is a file: nothing can be created, the load fails.
    const std::string parent = dataDir.substr(0, dataDir.find_last_of('\\'));
    CreateDirectoryA(parent.c_str(), nullptr);
    WriteWholeFile(dataDir, "not a folder");
    // The program shows its messages and quits; answer each message box with Enter as it appears.
    TerminalProcess terminal;
    ASSERT_TRUE(terminal.Start());
    std::vector<std::string> texts;
    int exitCode = -1;
    for (int i = 0; i < 300 && exitCode == -1; ++i) {
        HWND box = FindWindowA("#32770", nullptr);
        if (box && IsWindowVisible(box)) {
            const std::string text = ControlText(GetDlgItem(box, 0xFFFF));
            if (!text.empty()) {  // the box is complete
                texts.push_back(text);
                ASSERT_TRUE(AnswerWithKey(box)) << text;
            }
        }
        exitCode = terminal.Close(100);
    }
    EXPECT_EQ(exitCode, 0);
    const std::vector<std::string> expected = {"Unable to create data directory", "Data file vkc.cfg not present.",
                                               "Data file vkc.cfg not present in Opendata."};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(ReadWholeFile(dataDir), "not a folder");
    DeleteFileA(dataDir.c_str());
}

}  // namespace

namespace {

TEST(StartupEndToEnd, OnlineStartTakesTheShopsConfigurationAndKeepsTheTillsOwnSettings) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start()) << server.Log();
    const std::string dataDir = TerminalDataDirectory();
    PrepareOnlineTill(dataDir);
    {
        TerminalProcess terminal;
        ASSERT_TRUE(terminal.Start());
        HWND window = terminal.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(LogOn("1111"));
        EXPECT_EQ(terminal.Close(), 0);
    }
    const TerminalConfig saved = ReadConfig(dataDir + "\\vks.cfg");
    EXPECT_EQ(saved.Switch(16), 2);
    EXPECT_EQ(saved.Text(cfg::kKitchenPrinter, cfg::kLongTextWidth), "Kitchen Printer");
    EXPECT_EQ(saved.HeaderText(0), "VARENKO");  // shop-wide fields stay as read from the file
    const std::string log = server.Log();
    EXPECT_NE(log.find("FetchTerminalConfig"), std::string::npos) << log;
    EXPECT_NE(log.find("FetchLabelTable"), std::string::npos) << log;
}

}  // namespace

namespace {

TEST(StartupEndToEnd, OnlineStartOpensTheLogonAndTheAssociateIsLoggedAndShown) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start()) << server.Log();
    const std::string dataDir = TerminalDataDirectory();
    PrepareOnlineTill(dataDir);
    TerminalProcess terminal;
    ASSERT_TRUE(terminal.Start());
    HWND window = terminal.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(LogOn("9999"));  // wrong: the dialog opens again at once
    // Associate 1's password is 1111; this one is associate 3's, shown is 1.
    ASSERT_TRUE(LogOn("3031", LogonBy::Keypad));
    ASSERT_TRUE(LogOn("1111", LogonBy::Keypad));
    ASSERT_TRUE(WaitForTitle(window, "Assoc"));
    EXPECT_EQ(WindowTitle(window), "VARENKO    Assoc: 1, Administrator");
    Sleep(500);  // let the window repaint under the closed dialog
    RECT placed;
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.right - placed.left, 1024);
    EXPECT_EQ(placed.bottom - placed.top, 708);
    EXPECT_TRUE(SaveWindowPicture(window, VARENKO_ARTIFACTS_DIR "/main-window.bmp"));
    EXPECT_EQ(terminal.Close(), 0);

    const std::string log = ReadWholeFile(TodayLogFile(dataDir));
    EXPECT_TRUE(std::regex_search(log, std::regex(std::string("\r\n") + R"(\d\d:\d\d \d\d/\d\d/\d{4})" +
                                                  "  User 1, Administrator, logged on\\.\r\n")))
        << log;
    EXPECT_EQ(log.find("logged on"), log.rfind("logged on"));  // the wrong passwords logged nothing
    EXPECT_NE(log.find("Clerk: 1, Administrator"), std::string::npos);
}

}  // namespace

namespace {

// The whole sale by keyboard and mouse, as at the till: the password and Enter, the
// item number and Enter, the age alert answered, Cash (F5), the amount and Enter, and
// OK on the summary.
TEST(SaleEndToEnd, AScannedItemPaidInCashIsCommittedAndLogged) {
    ShopServerProcess server;
    TerminalProcess terminal;
    HWND window = nullptr;
    ASSERT_TRUE(OpenOnlineTill(server, terminal, window));
    const std::string dataDir = TerminalDataDirectory();

    ASSERT_TRUE(Scan(window, "1001")) << server.Log();  // Kingsbridge Vodka 70cl, 15.83 + 20 % tax
    HWND alert = WaitForDialog("Age alert");
    ASSERT_NE(alert, nullptr) << server.Log();
    ASSERT_TRUE(AnswerWithKey(alert));
    ASSERT_TRUE(PayCash(window, "2000"));
    // This till shows the summary after each sale (and prints nothing by itself).
    HWND summary = WaitForDialog("Transaction committed, summary");
    ASSERT_NE(summary, nullptr) << server.Log();
    EXPECT_EQ(ControlText(GetDlgItem(summary, IDC_SUMMARY_TOTAL)), "19.00");
    EXPECT_EQ(ControlText(GetDlgItem(summary, IDC_SUMMARY_TENDERED)), "20.00");
    EXPECT_EQ(ControlText(GetDlgItem(summary, IDC_SUMMARY_CHANGE)), "1.00");
    ASSERT_TRUE(AnswerWithClick(summary, IDOK));
    EXPECT_EQ(terminal.Close(), 0);

    EXPECT_NE(server.Log().find("CommitSale expected 1, 1 lines -> 22"), std::string::npos) << server.Log();
    const std::string log = ReadWholeFile(TodayLogFile(dataDir));
    EXPECT_NE(log.find("  Transaction 1\r\n1001  Kingsbridge Vodka 70cl\r\nTotal: 19.00\r\n"
                       "Clerk: 1, Administrator   Items: 1\r\nPayment type: Cash\r\n"),
              std::string::npos)
        << log;
    const TerminalConfig saved = ReadConfig(dataDir + "\\vks.cfg");
    EXPECT_EQ(saved.CurrentAssociate(), 1);
}

}  // namespace

namespace {

// A number of the shop server's journal ("total = 14"); -1 when the key is missing.
double JournalNumber(const std::string& journal, const std::string& key) {
    const std::size_t at = journal.find("\n" + key + " = ");
    return at == std::string::npos ? -1 : std::atof(journal.c_str() + at + key.size() + 4);
}

// The line totals of the journal's lines ("line = item;...;total;description").
std::vector<double> JournalLineTotals(const std::string& journal) {
    std::vector<double> totals;
    for (std::size_t at = journal.find("\nline = "); at != std::string::npos; at = journal.find("\nline = ", at + 1)) {
        std::size_t field = at;
        for (int i = 0; i < 7 && field != std::string::npos; ++i) field = journal.find(';', field + 1);
        if (field != std::string::npos) totals.push_back(std::atof(journal.c_str() + field + 1));
    }
    return totals;
}

}  // namespace

// Prices changed by hand, by weight and off the total, and a line without an item,
// paid in cash; the standard receipt printed from the summary.
TEST(SaleEndToEnd, APricedAWeighedALooseLineAndADiscountAgreeOnScreenOnTheServerAndOnTheReceipt) {
    if (!RequirePrinter(kReceiptQueue)) return;
    ShopServerProcess server;
    server.AddShopLines("switch 28 = 2\n");  // "Add discount" takes the discount off the total
    TerminalProcess terminal;
    HWND window = nullptr;
    ASSERT_TRUE(OpenOnlineTill(server, terminal, window, [](TerminalConfig& till) {
        till.SetInt32(cfg::kTermCodes, 1);  // receipts on the receipt printer, by name
        till.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
    }));
    const std::string dataDir = TerminalDataDirectory();

    // Cola 330ml Can, 0.83 + 20 % tax: priced at 1.50, then a second one weighed at 300.
    ASSERT_TRUE(Scan(window, "1701")) << server.Log();
    ASSERT_TRUE(Click(GetDlgItem(window, CMD_ADJUST_PRICE)));
    ASSERT_TRUE(EnterInDialog("Adjust item price", "150"));
    ASSERT_TRUE(Scan(window, "1701")) << server.Log();
    ASSERT_TRUE(Click(GetDlgItem(window, CMD_WEIGHT)));
    ASSERT_TRUE(EnterInDialog("Adjust by weight", "300"));
    // A loose line of 10.00 in three touches.
    ASSERT_TRUE(Click(GetDlgItem(window, CMD_NON_INVENTORY_SALE)));
    HWND loose = WaitForDialog("Non inventory sale");
    ASSERT_NE(loose, nullptr);
    const std::string category = ControlText(GetDlgItem(loose, 2408));
    ASSERT_TRUE(Click(GetDlgItem(loose, 2408)));
    ASSERT_TRUE(Click(GetDlgItem(loose, 2405)));
    ASSERT_TRUE(AnswerWithClick(loose, IDOK));
    // 0.79 off the total of 14.79 (1.50 + 0.30 tax; 2.49 + 0.50 tax; 10.00), by the
    // Transaction menu's "Add discount".
    ASSERT_TRUE(ChooseFromMenu(window, 5, 0));
    HWND discount = WaitForDialog("Discount total");
    ASSERT_NE(discount, nullptr);
    ASSERT_TRUE(TypeInto(GetDlgItem(discount, IDC_EDIT1), "79"));
    EXPECT_EQ(ControlText(GetDlgItem(discount, 1112)), "14.00");
    ASSERT_TRUE(AnswerWithKey(discount));
    // The amounts of the basket list's entries ("Cola 330ml Can (120)  1.80").
    std::vector<std::string> onScreen;
    HWND basketList = FindWindowExA(window, nullptr, "ListBox", nullptr);
    for (int i = 0; i < 3; ++i) {
        wchar_t entry[256] = {};  // in UTF-16: Wine hands the 8-bit text between processes cut short
        SendMessageW(basketList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
        const std::wstring text = entry;
        onScreen.emplace_back(text.begin() + text.rfind(L' ') + 1, text.end());
    }

    ASSERT_TRUE(PayCash(window, "5000"));
    HWND summary = WaitForDialog("Transaction committed, summary");
    ASSERT_NE(summary, nullptr) << server.Log();
    EXPECT_EQ(ControlText(GetDlgItem(summary, IDC_SUMMARY_TOTAL)), "14.00");
    EXPECT_EQ(ControlText(GetDlgItem(summary, IDC_SUMMARY_CHANGE)), "36.00");
    const std::string receipts = UnixPdfDirectory("receipt");
    const std::set<std::string> before = PdfNames(receipts);
    ASSERT_TRUE(Click(GetDlgItem(summary, IDC_SUMMARY_STANDARD_RECEIPT)));
    std::set<std::string> printed;
    ASSERT_EQ(WaitForPdfs(receipts, before, "Receipt: 1", 1, &printed), 1);
    ASSERT_TRUE(AnswerWithClick(summary, IDOK));
    EXPECT_EQ(terminal.Close(), 0);

    // The server's record, the receipt and the screen agree to the penny.
    const std::string receipt = PdfText(receipts + "/" + *printed.begin());
    const std::string journal = ReadWholeFile(server.shopDirectory() + "\\state\\journal.txt");
    const std::vector<double> lineTotals = JournalLineTotals(journal);
    ASSERT_EQ(lineTotals.size(), 3u) << journal;
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(lineTotals[i], std::atof(onScreen[i].c_str()), 0.001) << journal;
    const std::string amounts = onScreen[0] + "\n" + onScreen[1] + "\n" + onScreen[2] + "\n";
    EXPECT_NE(receipt.find(amounts), std::string::npos) << amounts << " not on the receipt:\n" << receipt;
    const struct {
        const char* printed;
        const char* key;
        double value;
    } kTotals[] = {
        {"Discount: (0.79)", "discount_total", 0.79},
        {"Total: \xC2\xA3" "14.00", "total", 14.00},  // the pound sign, as pdftotext writes it
        {"VAT: 0.80 (20.00%)", "tax1_total", 0.80},
        {"Payment: Cash", "cash", 14.00},
    };
    for (const auto& total : kTotals) {
        EXPECT_NE(receipt.find(total.printed), std::string::npos) << total.printed << " not on:\n" << receipt;
        EXPECT_NEAR(JournalNumber(journal, total.key), total.value, 0.001) << total.key << " in\n" << journal;
    }
    EXPECT_NE(server.Log().find("CommitSale expected 1, 3 lines -> 22"), std::string::npos) << server.Log();
    const std::string log = ReadWholeFile(TodayLogFile(dataDir));
    EXPECT_NE(log.find("1701  Cola 330ml Can\r\n1701  Cola 330ml Can\r\n0  " + category + "\r\nTotal: 14.00\r\n"),
              std::string::npos)
        << log;
}
