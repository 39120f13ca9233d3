// The real program under Wine on its data directory: its first start on an empty one,
// and what the associate is told, and that no sale and no configuration is lost, when it
// cannot be written (a file in its place, read-only, or a disk with no room left) or the
// receipt printer's queue is stopped or deleted.
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "e2e/terminal_process.h"
#include "shell/terminal_config.h"
#include "support/host_agent.h"
#include "support/printed_pdfs.h"
#include "support/real_input.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

// Answers the terminal's message boxes with Enter, as the associate does, for as long
// as it lives, and keeps "caption: text" of each.
class MessageAnswerer {
public:
    std::vector<std::string> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    void Run(const std::stop_token& stop) {
        for (; !stop.stop_requested(); Sleep(50)) {
            for (const char* caption : {"Problem", "Fatal error"}) {
                HWND box = FindWindowA("#32770", caption);
                if (!box || !IsWindowVisible(box)) continue;
                std::unique_lock<std::mutex> lock(mutex_);
                seen_.push_back(WindowTitle(box) + ": " + ControlText(GetDlgItem(box, 0xFFFF)));
                lock.unlock();
                if (!AnswerWithKey(box)) Sleep(200);
            }
        }
    }

    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::jthread thread_{[this](std::stop_token stop) { Run(stop); }};  // stopped and joined first
};

// Asks the host agent to undo a fault at the end of its scope, whatever the test's end.
struct Mend {
    std::string request;
    ~Mend() { EXPECT_TRUE(AskHost(request)); }
};

// A file in the data directory's place ends the program, which saves nothing; on an empty
// one the first start writes the configuration and the day log, and the second names the clerk.
TEST(StartupEndToEnd, AFileForTheDataDirectoryEndsItThenTheFirstStartWritesItAndTheSecondNamesTheClerk) {
    const std::string dataDir = TerminalDataDirectory();
    RemoveTree(dataDir);
    CreateDirectoryA(dataDir.substr(0, dataDir.find_last_of('\\')).c_str(), nullptr);
    WriteWholeFile(dataDir, "not a folder");  // nothing can be created in it, no configuration loaded
    {
        MessageAnswerer answerer;
        TerminalProcess terminal;
        ASSERT_TRUE(terminal.Start());
        EXPECT_EQ(terminal.Close(), 0);  // by itself, once its messages are answered
        const std::vector<std::string> expected = {"Fatal error: Unable to create data directory",
                                                   "Fatal error: Data file vkc.cfg not present.",
                                                   "Fatal error: Data file vkc.cfg not present in Opendata."};
        EXPECT_EQ(answerer.Seen(), expected);
    }
    EXPECT_EQ(ReadWholeFile(dataDir), "not a folder");
    DeleteFileA(dataDir.c_str());
    for (int start = 1; start <= 2; ++start) {
        TerminalProcess terminal;
        ASSERT_TRUE(terminal.Start());
        HWND window = terminal.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        // Without a server the logon does not open: scanned items must reach the item box.
        EXPECT_TRUE(WaitUntil([&] { return FocusedWindow(window) == ItemBox(window); }))
            << "start " << start << ": the focus is on " << DescribeWindow(FocusedWindow(window));
        EXPECT_EQ(terminal.Close(), 0);
    }
    const TerminalConfig saved = SavedConfig(dataDir);
    EXPECT_EQ(saved.HeaderText(0), "VARENKO");
    EXPECT_EQ(saved.CurrentAssociate(), 1);
    EXPECT_FALSE(ReadWholeFile(dataDir + "\\letter.bmp").empty());
    EXPECT_FALSE(ReadWholeFile(dataDir + "\\receipt.bmp").empty());
    // On the very first start the live associate names are still empty; the second
    // start reads them from the file the first one saved.
    EXPECT_EQ(MarkedDayLog(dataDir), "\r\n@  Switched on.\r\n\r\n@  Switched off.\r\nClerk: 1, \r\n"
                                     "\r\n@  Switched on.\r\n\r\n@  Switched off.\r\nClerk: 1, Administrator\r\n");
}

// A sale whose summary prints the receipt by itself, on a till whose data directory or
// receipt queue fails: the sale and the configuration stand; a stopped queue prints the
// receipt once started again.
TEST(FaultEndToEnd, AnUnwritableDataDirectoryOrAFailedReceiptQueueLosesNoSaleAndNoConfiguration) {
    if (!HostAgentAvailable()) GTEST_SKIP() << "needs the host agent (the test runner starts it as root)";
    if (!RequirePrinter(kReceiptQueue)) return;
    const std::vector<std::string> fullDisk = {
        "Problem: vkc.cfg",                                    // start-up: the configuration kept as it was
        "Problem: Unable to update the log file in WM_CREATE.",  // "Switched on."
        "Problem: Unable to store bitmap",                     // the stock pictures, once
        "Problem: Unable to store bitmap",                     // the first page's own pictures, once
        "Problem: Data log file",                              // the logon entry
        "Problem: Data log file not present.",                 // the sale's entry; the sale stands
        "Problem: Unable to create vkc.cfg at end of WinMain",
        "Problem: Unable to open log text file at end of WinMain.",  // "Switched off."
    };
    std::vector<std::string> readOnly = fullDisk;
    readOnly.insert(readOnly.begin() + 1, "Fatal error: Unable to create year log directory");
    readOnly.insert(readOnly.end() - 1, "Fatal error: Unable to create year log directory");
    const std::string dataDir = TerminalDataDirectory(), queue = kReceiptQueue;
    const struct { const char* why; std::string fault, mend; std::vector<std::string> seen; int receipts; } rows[] = {
        {"read-only", "readonly " + dataDir, "release " + dataDir, readOnly, 1},
        {"disk full", "full " + dataDir + " 64", "release " + dataDir, fullDisk, 1},
        {"queue stopped", "queue-stop " + queue, "queue-start " + queue, {}, 1},
        {"queue deleted", "queue-delete " + queue, "queues-restore", {}, 0},
    };
    const std::string receipts = UnixPdfDirectory("receipt");
    for (const auto& r : rows) {
        ShopServerProcess server;
        ASSERT_TRUE(server.Start()) << server.Log();
        PrepareOnlineTill(dataDir, [](TerminalConfig& till) {
            till.SetInt32(cfg::kTermCodes, 1);  // the receipt printer, by name
            till.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
            till.SetSwitch(0, 1);  // the standard receipt
        });
        const std::string config = ReadWholeFile(dataDir + "\\vks.cfg");
        const std::set<std::string> before = PdfNames(receipts);
        ASSERT_TRUE(AskHost(r.fault)) << r.why;
        {
            Mend mend{r.mend};
            MessageAnswerer answerer;
            TerminalProcess terminal;
            ASSERT_TRUE(terminal.Start());
            HWND window = terminal.WaitForMainWindow();
            ASSERT_NE(window, nullptr) << r.why << testing::PrintToString(answerer.Seen());
            ASSERT_TRUE(LogOn("1111")) << r.why << testing::PrintToString(answerer.Seen());
            ASSERT_TRUE(Scan(window, "1302")) << r.why;
            ASSERT_TRUE(PayCash(window, "500")) << r.why;
            HWND summary = WaitForDialog("Transaction committed, summary");
            ASSERT_NE(summary, nullptr) << r.why << "\n" << server.Log();
            // A message box of the answerer may still be in front of it: clicked again until it closes.
            testing::AssertionResult closed = testing::AssertionFailure();
            for (int attempt = 0; attempt < 4 && !closed; ++attempt) closed = AnswerWithClick(summary, IDOK);
            ASSERT_TRUE(closed) << r.why;
            EXPECT_EQ(terminal.Close(), 0) << r.why;
            EXPECT_EQ(answerer.Seen(), r.seen) << r.why << ": what the associate saw";
            // Where nothing could be written the configuration is as it was, not half written.
            EXPECT_TRUE(r.seen.empty() || ReadWholeFile(dataDir + "\\vks.cfg") == config) << r.why;
        }
        EXPECT_NE(server.Log().find("CommitSale expected 1, 1 lines -> 22"), std::string::npos)
            << r.why << ": the sale reached the shop\n" << server.Log();
        EXPECT_EQ(WaitForPdfs(receipts, before, "Receipt: 1", r.receipts), r.receipts) << r.why;
    }
}

}  // namespace
