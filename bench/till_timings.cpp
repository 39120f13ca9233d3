// till_timings.exe [samples] [sales]: what the person at the till waits for, measured on
// the real terminal under this machine's Wine in one run, each figure set against the
// bare remote call it rests on, measured in the same run from this process:
//
//   start    launching varenko.exe until the logon dialog takes typing (the splash
//            stays two seconds by design); goal: ready within 0.5 s of those 2 s
//   scan     Enter (a real key event) after an item number until the basket list has
//            the new line and nothing of the list or the main window waits to be
//            painted, at basket sizes 1, 100 and 399, against a bare FetchItem of the
//            same key; goals: the 399th line costs at most 1.5 times the first, and
//            the terminal adds under 10 ms to the round trip
//   ok       Enter in the cash dialog of a 400-line sale until the summary dialog is
//            shown and painted, against a bare CommitSale of a 400-line record
//   log      Ctrl+L until the log viewer shows a 50 MB day file; goal: under 20 ms
//
// It starts shopserver.exe (option 34: stock may go below zero, so 400 lines of one item
// are accepted) and the terminal, configured as an online till, from its own folder;
// the terminal's data directory is the one of this Wine prefix. `samples` (default 7)
// timed scans at each size, cold starts and log views; `sales` (default 3) 400-line sales.
// Each figure is printed with its median, its best sample (what a quiet machine gives)
// and every sample, and each goal is judged on both. Nothing here passes or fails on
// timing: a goal missed is printed as MISSED.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "basket/item_entry.h"
#include "bench_support.h"
#include "e2e/terminal_process.h"
#include "link/records.h"
#include "link/remote.h"
#include "resources/resource_ids.h"
#include "shell/startup.h"
#include "support/real_input.h"
#include "support/temp_dir.h"

namespace {

using bench::Fail;
using bench::Median;

// The item every line sells: Baked Beans 415g, 0.85, no tax, typed by number.
constexpr const char* kItemNumber = "1302";
constexpr std::int64_t kItem = 1302;
constexpr double kItemPrice = 0.85;
constexpr int kBareCallsPerSample = 5;
constexpr DWORD kWaitMs = 60000;
constexpr std::int64_t kLogBytes = 50LL * 1024 * 1024;

const bench::Stopwatch g_clock;
std::unique_ptr<TerminalProcess> g_terminal;

BOOL CALLBACK PrintIfTerminalWindow(HWND window, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(pid) && IsWindowVisible(window)) {
        std::fprintf(stderr, "till_timings: the terminal shows %s", DescribeWindow(window).c_str());
        if (HWND text = FindWindowExA(window, nullptr, "Static", nullptr))
            std::fprintf(stderr, ": %s", DescribeWindow(text).c_str());
        std::fprintf(stderr, "\n");
    }
    return TRUE;
}

// On failure: what the terminal showed, a picture of the screen, and the terminal stopped.
void StopTerminal() {
    if (g_terminal) {
        EnumWindows(PrintIfTerminalWindow, static_cast<LPARAM>(g_terminal->processId()));
        SaveWindowPicture(GetDesktopWindow(), ProgramDirectory() + "\\till-timings-failure.bmp");
    }
    g_terminal.reset();  // terminates a terminal still running
}

double Ms(std::int64_t from, std::int64_t to) { return g_clock.Milliseconds(from, to); }

// Polls `done` every millisecond; the time it first held. Fails after `timeoutMs`.
std::int64_t WaitFor(const std::string& what, const std::function<bool()>& done, DWORD timeoutMs = kWaitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) Fail("no " + what + " within " + std::to_string(timeoutMs) + " ms");
        Sleep(1);
    }
    return g_clock.Now();
}

void Check(const testing::AssertionResult& result, const std::string& step) {
    if (!result) Fail(step + ": " + result.message());
}

int ListCount(HWND list) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return -1;
    return static_cast<int>(count);
}

// The length of a control's text (of any process).
int TextLength(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return -1;
    return static_cast<int>(length);
}

// No part of the window (its children aside) waits for WM_PAINT.
bool Painted(HWND window) { return IsWindow(window) && !GetUpdateRect(window, nullptr, FALSE); }

// A top-level window of the process, by class and (when given) title; a visible one
// unless `hiddenToo`.
HWND ProcessWindow(DWORD pid, const char* windowClass, const char* title = nullptr, bool hiddenToo = false) {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, windowClass, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == pid && (hiddenToo || IsWindowVisible(found))) return found;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------
// The bare calls, from this process over its own binding to the same server.

std::vector<double> g_bareFetch, g_bareCommit;

void BareFetches(int count) {
    const std::optional<ItemKey> key = BuildItemKey(0, kItemNumber, false);  // as item entry builds it
    for (int i = 0; i < count; ++i) {
        InventoryItem item;
        const std::int64_t start = g_clock.Now();
        const unsigned long code = RemoteFetchItem(*key, item);
        g_bareFetch.push_back(Ms(start, g_clock.Now()));
        if (code != 0) Fail("FetchItem " + bench::Raised(code));
        if (item.Number() != kItem) Fail("FetchItem answered item " + std::to_string(item.Number()));
    }
}

// A 400-line cash sale of the item, as the basket sends it.
TransactionRecord FourHundredLineSale() {
    TransactionRecord sale;
    for (int i = 0; i < txn::kMaxLines; ++i) {
        sale.SetLineItemNumber(i, kItem);
        sale.SetLineDescription(i, "Baked Beans 415g");
        sale.SetLineNonTaxable(i, kItemPrice);
        sale.SetLineCost(i, 0.38);
        sale.SetLineTotal(i, kItemPrice);
    }
    sale.SetLineCount(txn::kMaxLines);
    const double total = txn::kMaxLines * kItemPrice;
    sale.SetNonTaxableTotal(total);
    sale.SetSubTotal(total);
    sale.SetCostTotal(txn::kMaxLines * 0.38);
    sale.SetTotal(total);
    sale.SetCashPaid(total);
    sale.SetPaymentType("Cash");
    sale.SetAssociate(1);
    sale.SetTime("12:00");
    sale.SetDate("Sun 6 Dec 26");
    sale.SetComputerName("BENCH");
    return sale;
}

void BareCommits(int count) {
    static const TransactionRecord sale = FourHundredLineSale();
    for (int i = 0; i < count; ++i) {
        std::int32_t result = -1;
        const std::int64_t start = g_clock.Now();
        const unsigned long code = RemoteCommitSale(sale, result);
        g_bareCommit.push_back(Ms(start, g_clock.Now()));
        if (code != 0) Fail("CommitSale " + bench::Raised(code));
        if (result < 20) Fail("CommitSale refused the 400-line sale with code " + std::to_string(result));
    }
}

// ---------------------------------------------------------------------------------
// Cold start.

struct StartTimes {
    double created = 0;      // process start -> main window created (hidden): Wine starting the process
    double startUp = 0;      // -> splash shown: the main window's start-up (controls, server, pictures)
    double splash = 0;       // -> splash gone
    double shown = 0;        // -> main window shown
    double logon = 0;        // -> logon dialog ready for typing
    double ready = 0;        // process start -> logon dialog ready
};

// Starts the terminal and follows it until the logon dialog has the focus in its
// password box, painted. The main window exists from the start of its creation, whose
// start-up work runs before the splash is made.
StartTimes ColdStart() {
    g_terminal = std::make_unique<TerminalProcess>();
    const std::int64_t start = g_clock.Now();
    if (!g_terminal->Start()) Fail("varenko.exe did not start");
    const DWORD pid = g_terminal->processId();
    std::int64_t created = 0, splashShown = 0, splashGone = 0, mainShown = 0;
    const std::int64_t ready = WaitFor("logon dialog ready for typing", [&] {
        const std::int64_t now = g_clock.Now();
        if (!created && ProcessWindow(pid, "WNEC", nullptr, true)) created = now;
        const bool splash = ProcessWindow(pid, kSplashClassName) != nullptr;
        if (splash && !splashShown) splashShown = now;
        if (!splash && splashShown && !splashGone) splashGone = now;
        if (!mainShown && ProcessWindow(pid, "WNEC")) mainShown = now;
        HWND logon = ProcessWindow(pid, "#32770", "VARENKO Logon");
        return logon && FocusedWindow(logon) == GetDlgItem(logon, IDC_EDIT1) && Painted(logon);
    });
    if (!created || !splashShown || !splashGone || !mainShown) Fail("a step of the start was not seen");
    return {Ms(start, created), Ms(created, splashShown), Ms(splashShown, splashGone), Ms(splashGone, mainShown),
            Ms(mainShown, ready), Ms(start, ready)};
}

// ---------------------------------------------------------------------------------
// The till in use.

struct Till {
    HWND window = nullptr;
    HWND box = nullptr;
    HWND list = nullptr;
};

int Lines(const Till& till) { return ListCount(till.list); }

// Enter after the item number: the time to the new line, and to the line painted.
struct ScanTimes {
    double line = 0, painted = 0;
};

ScanTimes TimedScan(const Till& till) {
    const int before = Lines(till);
    Check(TypeInto(till.box, kItemNumber), "typing the item number");  // waits for the focus
    const std::int64_t enter = g_clock.Now();
    PressKey(VK_RETURN);
    const std::int64_t line = WaitFor("new basket line", [&] { return Lines(till) > before; });
    const std::int64_t painted =
        WaitFor("basket painted", [&] { return Painted(till.list) && Painted(till.window); });
    if (Lines(till) != before + 1) Fail("one scan added " + std::to_string(Lines(till) - before) + " lines");
    return {Ms(enter, line), Ms(enter, painted)};
}

// Clicks a main-window button, then takes the mouse off the window, so that no tool tip
// comes up during the timed steps.
void ClickButton(const Till& till, int id) {
    Check(Click(GetDlgItem(till.window, id)), "clicking button " + std::to_string(id));
    RECT r;
    GetWindowRect(till.window, &r);
    MoveMouse({r.right + 5 < GetSystemMetrics(SM_CXSCREEN) ? r.right + 5 : 0, r.bottom - 5});
}

void WaitForLines(const Till& till, int lines) {
    WaitFor(std::to_string(lines) + " basket lines", [&] { return Lines(till) == lines; });
}

// Fills the basket up to `lines` with "Repeat" (the count typed into the item box).
void RepeatUpTo(const Till& till, int lines) {
    if (lines < 1) return;
    if (Lines(till) == 0) TimedScan(till);
    const int more = lines - Lines(till);
    if (more <= 0) return;
    Check(TypeInto(till.box, std::to_string(more)), "typing the repeat count");
    ClickButton(till, CMD_REPEAT_LINE);
    WaitForLines(till, lines);
}

// One timed scan that makes line `size` (the basket filled up to it with "Repeat"),
// and the bare round trips beside it.
ScanTimes ScanAtSize(const Till& till, int size) {
    RepeatUpTo(till, size - 1);
    const ScanTimes times = TimedScan(till);
    BareFetches(kBareCallsPerSample);
    return times;
}

// A 400-line sale paid in cash: Enter in the cash dialog until the summary is painted.
double TimedFourHundredLineSale(const Till& till) {
    RepeatUpTo(till, txn::kMaxLines);
    Check(PressKeyIn(till.box, VK_F5), "F5");
    HWND cash = WaitForDialog("Cash payment");
    if (!cash) Fail("F5 opened no cash dialog");
    Check(TypeInto(GetDlgItem(cash, IDC_EDIT1), "100000"), "typing the tendered amount");  // 1000.00
    const std::int64_t enter = g_clock.Now();
    PressKey(VK_RETURN);
    HWND summary = nullptr;
    const std::int64_t shown = WaitFor("summary dialog", [&] {
        summary = ProcessWindow(g_terminal->processId(), "#32770", "Transaction committed, summary");
        return summary && Painted(summary);
    });
    BareCommits(kBareCallsPerSample);
    Check(AnswerWithKey(summary), "closing the summary");
    WaitForLines(till, 0);
    return Ms(enter, shown);
}

// Ctrl+L until the viewer shows the day file's first window, painted.
double TimedLogView(const Till& till) {
    Check(WaitForFocus(till.box), "focus on the item box");
    const std::int64_t keys = g_clock.Now();
    PressChord(VK_CONTROL, 'L');
    HWND viewer = nullptr;
    const std::int64_t shown = WaitFor("log viewer", [&] {
        viewer = ProcessWindow(g_terminal->processId(), "#32770", "VARENKO log");
        return viewer && Painted(viewer) && TextLength(GetDlgItem(viewer, IDC_EDIT1)) > 0;
    });
    Check(AnswerWithKey(viewer, VK_ESCAPE), "closing the log viewer");
    return Ms(keys, shown);
}

// Makes today's day file 50 MB long (sale entries, as the till writes them).
void GrowTodaysLog() {
    const std::string path = TodayLogFile(TerminalDataDirectory());
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot open " + path);
    std::string block;
    const std::string entry = "\r\n10:07 05/01/2027  Transaction 1234  Cash  12.34  Clerk 1\r\n";
    while (block.size() < 1024 * 1024) block += entry;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    for (std::int64_t written = size.QuadPart; written < kLogBytes; written += static_cast<std::int64_t>(block.size())) {
        DWORD done = 0;
        if (!WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &done, nullptr)) Fail("writing " + path);
    }
    CloseHandle(file);
}

// ---------------------------------------------------------------------------------
// The report.

double Best(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// One figure: its median, its best sample and every sample.
void Row(const char* group, const std::string& what, const std::vector<double>& values) {
    std::string all;
    char one[32];
    for (double v : values) {
        std::snprintf(one, sizeof one, "%s%.1f", all.empty() ? "" : " ", v);
        all += one;
    }
    if (values.size() > 20) all = std::to_string(values.size()) + " calls";
    std::printf("%-6s %-41s %8.2f %8.2f  [%s]\n", group, what.c_str(), Median(values), Best(values), all.c_str());
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

template <typename T>
std::vector<double> Field(const std::vector<T>& rows, double T::*field) {
    std::vector<double> values;
    for (const T& row : rows) values.push_back(row.*field);
    return values;
}

}  // namespace

int main(int argc, char** argv) {
    bench::SetProgramName("till_timings");
    bench::OnFailure(StopTerminal);
    const int samples = argc > 1 ? std::atoi(argv[1]) : 7;
    const int sales = argc > 2 ? std::atoi(argv[2]) : 3;
    if (samples < 1 || samples > 50 || sales < 1 || sales > 20) Fail("usage: till_timings [samples 1-50] [sales 1-20]");

    std::unique_ptr<ShopServerProcess> server = bench::StartShopServer();
    if (BindToServer("") != BindResult::Bound) Fail("BindToServer(\"\") did not bind");
    BareFetches(20);  // warm-up, not kept
    g_bareFetch.clear();
    PrepareOnlineTill(TerminalDataDirectory());

    // Cold starts: the last one stays for the rest of the run.
    std::vector<StartTimes> starts;
    for (int s = 0; s < samples; ++s) {
        starts.push_back(ColdStart());
        if (s + 1 < samples) {
            g_terminal.reset();
            Sleep(500);
        }
    }
    Check(LogOn("1111"), "logon");
    Till till;
    till.window = g_terminal->WaitForMainWindow();
    if (!till.window || !WaitForTitle(till.window, "Assoc")) Fail("no associate logged on");
    till.box = ItemBox(till.window);
    till.list = FindWindowExA(till.window, nullptr, "ListBox", nullptr);
    if (!till.box || !till.list) Fail("no item box or basket list");

    // Rounds of one scan at each size, so that the machine's load falls alike on the
    // three sizes; the first `sales` rounds end with the 400-line sale, the others with
    // "Empty basket".
    const int scanSizes[] = {1, 100, 399};
    std::vector<ScanTimes> scans[3];
    std::vector<double> oks;
    for (int round = 0; round < std::max(samples, sales); ++round) {
        for (int k = 0; k < 3; ++k) {
            if (round < samples) scans[k].push_back(ScanAtSize(till, scanSizes[k]));
        }
        if (round < sales) {
            oks.push_back(TimedFourHundredLineSale(till));
        } else {
            ClickButton(till, CMD_EMPTY_BASKET);
            WaitForLines(till, 0);
        }
    }

    GrowTodaysLog();
    std::vector<double> views;
    for (int s = 0; s < samples; ++s) views.push_back(TimedLogView(till));

    if (g_terminal->Close() != 0) Fail("the terminal did not close cleanly");
    g_terminal.reset();
    DeleteFileA(TodayLogFile(TerminalDataDirectory()).c_str());
    server->Stop();

    std::printf("till_timings: %d samples a figure, %d 400-line sales; ms\n", samples, sales);
    std::printf("%-6s %-41s %8s %8s  %s\n", "", "", "median", "best", "samples");
    const struct {
        const char* what;
        double StartTimes::*field;
    } steps[] = {
        {"process start -> main window created", &StartTimes::created},
        {"created -> splash shown (start-up)", &StartTimes::startUp},
        {"splash shown -> splash gone", &StartTimes::splash},
        {"splash gone -> main window shown", &StartTimes::shown},
        {"main window shown -> logon ready", &StartTimes::logon},
        {"process start -> logon ready", &StartTimes::ready},
    };
    for (const auto& step : steps) Row(step.field == steps[0].field ? "start" : "", step.what, Field(starts, step.field));
    Row("bare", "FetchItem \"1302\" round trip", g_bareFetch);
    const int sizes[] = {1, 100, 399};
    std::vector<double> painted[3];
    for (int k = 0; k < 3; ++k) {
        painted[k] = Field(scans[k], &ScanTimes::painted);
        Row(k == 0 ? "scan" : "", "line " + std::to_string(sizes[k]) + ": Enter -> line in the list",
            Field(scans[k], &ScanTimes::line));
        Row("", "line " + std::to_string(sizes[k]) + ": Enter -> line painted", painted[k]);
    }
    Row("ok", "400 lines: Enter -> summary painted", oks);
    Row("bare", "CommitSale, 400 lines", g_bareCommit);
    Row("log", "Ctrl+L -> viewer shown, 50 MB day file", views);

    // The goals, on the medians and on the best samples (what a quiet machine gives).
    const auto ready = Field(starts, &StartTimes::ready);
    std::printf("goal   logon ready - the splash's 2000 ms: %.1f, best %.1f (at most 500): %s, best %s\n",
                Median(ready) - 2000, Best(ready) - 2000, Verdict(Median(ready) - 2000 <= 500),
                Verdict(Best(ready) - 2000 <= 500));
    const double ratio = Median(painted[2]) / Median(painted[0]), bestRatio = Best(painted[2]) / Best(painted[0]);
    std::printf("goal   line 399 / line 1 painted: %.2f, best %.2f (at most 1.5): %s, best %s; line 100 / line 1: %.2f\n",
                ratio, bestRatio, Verdict(ratio <= 1.5), Verdict(bestRatio <= 1.5),
                Median(painted[1]) / Median(painted[0]));
    for (int k = 0; k < 3; ++k) {
        const double over = Median(painted[k]) - Median(g_bareFetch), bestOver = Best(painted[k]) - Best(g_bareFetch);
        std::printf("goal   line %d painted - bare FetchItem: %.1f, best %.1f (under 10): %s, best %s\n", sizes[k],
                    over, bestOver, Verdict(over < 10), Verdict(bestOver < 10));
    }
    std::printf("info   400-line OK / bare CommitSale: %.2f; the terminal's own part %.1f (medians)\n",
                Median(oks) / Median(g_bareCommit), Median(oks) - Median(g_bareCommit));
    std::printf("goal   log viewer shown: %.1f, best %.1f (under 20): %s, best %s\n", Median(views), Best(views),
                Verdict(Median(views) < 20), Verdict(Best(views) < 20));
    return 0;
}
