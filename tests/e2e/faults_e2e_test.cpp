// The real program under Wine on a data directory that cannot be written: read-only,
// or a disk with no room left. What the associate is told, and that no sale and no
// configuration is lost.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "e2e/terminal_process.h"
#include "resources/resource_ids.h"
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
    MessageAnswerer() : thread_([this] { Run(); }) {}
    ~MessageAnswerer() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::string> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    static BOOL CALLBACK FindBox(HWND hwnd, LPARAM out) {
        char className[16] = {}, caption[64] = {};
        GetClassNameA(hwnd, className, sizeof className);
        GetWindowTextA(hwnd, caption, sizeof caption);
        const std::string title = caption;
        if (std::string(className) == "#32770" && IsWindowVisible(hwnd) &&
            (title == "Problem" || title == "Fatal error")) {
            *reinterpret_cast<HWND*>(out) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    void Run() {
        while (!stop_) {
            HWND box = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
            if (!box) {
                Sleep(50);
                continue;
            }
            const std::string text = WindowTitle(box) + ": " + ControlText(GetDlgItem(box, 0xFFFF));
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.push_back(text);
            }
            if (!AnswerWithKey(box)) Sleep(200);
        }
    }

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::thread thread_;
};

// Gives the data directory back whatever the test's end.
struct Release {
    std::string dataDir;
    ~Release() { EXPECT_TRUE(AskHost("release " + dataDir)); }
};

// A click on a button of a dialog that a message box of the answerer may still be in
// front of: tried again until the dialog closes.
testing::AssertionResult ClickWhenFree(HWND dialog, int button) {
    testing::AssertionResult result = testing::AssertionFailure();
    for (int attempt = 0; attempt < 4 && !result; ++attempt) result = AnswerWithClick(dialog, button);
    return result;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

TEST(FaultEndToEnd, ADataDirectoryThatCannotBeWrittenLosesNoSaleAndNoConfiguration) {
    if (!HostAgentAvailable()) GTEST_SKIP() << "needs the host agent (the test runner starts it as root)";
    struct Row {
        const char* why;
        const char* request;  // with the data directory appended
        std::vector<std::string> seen;
    };
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
    const Row rows[] = {
        {"read-only", "readonly", readOnly},
        {"disk full", "full", fullDisk},
    };
    for (const Row& r : rows) {
        ShopServerProcess server;
        ASSERT_TRUE(server.Start()) << server.Log();
        const std::string dataDir = TerminalDataDirectory();
        PrepareOnlineTill(dataDir);
        const std::string config = ReadWholeFile(dataDir + "\\vks.cfg");
        std::string request = std::string(r.request) + " " + dataDir + (r.request == std::string("full") ? " 64" : "");
        ASSERT_TRUE(AskHost(request)) << r.why;
        std::vector<std::string> seen;
        {
            Release release{dataDir};
            MessageAnswerer answerer;
            TerminalProcess terminal;
            ASSERT_TRUE(terminal.Start());
            HWND window = terminal.WaitForMainWindow();
            ASSERT_NE(window, nullptr) << r.why << "\n" << Lines(answerer.Seen());
            ASSERT_TRUE(LogOn("1111")) << r.why << "\n" << Lines(answerer.Seen());
            ASSERT_TRUE(Scan(window, "1302")) << r.why;
            ASSERT_TRUE(PayCash(window, "500")) << r.why;
            HWND summary = WaitForDialog("Transaction committed, summary");
            ASSERT_NE(summary, nullptr) << r.why << "\n" << server.Log();
            ASSERT_TRUE(ClickWhenFree(summary, IDOK));
            EXPECT_EQ(terminal.Close(), 0) << r.why;
            seen = answerer.Seen();
            EXPECT_EQ(ReadWholeFile(dataDir + "\\vks.cfg"), config) << r.why << ": the configuration is whole";
        }
        EXPECT_NE(server.Log().find("CommitSale expected 1, 1 lines -> 22"), std::string::npos)
            << r.why << ": the sale reached the shop\n" << server.Log();
        EXPECT_EQ(ReadWholeFile(dataDir + "\\vks.cfg"), config) << r.why;
        EXPECT_EQ(seen, r.seen) << r.why << ", what the associate saw:\n" << Lines(seen);
    }
}

}  // namespace

namespace {

// The receipt printer's queue stopped, or deleted, while the till sells: the sales go
// on; a stopped queue prints its receipts once started again.
TEST(FaultEndToEnd, AStoppedOrDeletedReceiptQueueStopsNoSale) {
    if (!HostAgentAvailable()) GTEST_SKIP() << "needs the host agent (the test runner starts it as root)";
    if (!RequirePrinter(kReceiptQueue)) return;
    struct Row {
        const char* why;
        const char* fault;
        const char* mend;
        int receiptsAfter;  // printed once the queue is mended
        std::vector<std::string> seen;
    };
    const Row rows[] = {
        {"stopped", "queue-stop", "queue-start", 2, {}},
        {"deleted", "queue-delete", "queues-restore", 0, {}},
    };
    for (const Row& r : rows) {
        ShopServerProcess server;
        TerminalProcess terminal;
        HWND window = nullptr;
        ASSERT_TRUE(OpenOnlineTill(server, terminal, window, [](TerminalConfig& till) {
            till.SetInt32(cfg::kTermCodes, 1);  // the receipt printer, by name
            till.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
            till.SetOption(12, 1);  // print directly, no summary
            till.SetSwitch(0, 1);   // the standard receipt
        }));
        const std::string receipts = UnixPdfDirectory("receipt");
        const std::set<std::string> before = PdfNames(receipts);
        ASSERT_TRUE(AskHost(std::string(r.fault) + " " + kReceiptQueue)) << r.why;
        std::vector<std::string> seen;
        {
            MessageAnswerer answerer;
            for (int sale = 0; sale < 2; ++sale) {
                ASSERT_TRUE(Scan(window, "1302")) << r.why << " sale " << sale;
                ASSERT_TRUE(PayCash(window, "100")) << r.why << " sale " << sale;
                ASSERT_TRUE(WaitUntil([&] { return ControlText(ItemBox(window)).empty(); })) << r.why;
            }
            EXPECT_EQ(terminal.Close(), 0) << r.why;
            seen = answerer.Seen();
        }
        ASSERT_TRUE(AskHost(std::string(r.mend) + " " + kReceiptQueue)) << r.why;
        EXPECT_NE(server.Log().find("CommitSale expected 2, 1 lines -> 23"), std::string::npos) << r.why << server.Log();
        EXPECT_EQ(WaitForPdfs(receipts, before, "Receipt: ", r.receiptsAfter), r.receiptsAfter) << r.why;
        EXPECT_EQ(seen, r.seen) << r.why << ", what the associate saw:\n" << Lines(seen);
    }
}

}  // namespace
