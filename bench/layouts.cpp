// The layouts the till computes from long inputs, each timed on its own in one run and
// held against the 20 ms a person does not notice:
//   - the log viewer and the printed log on a 50 MB day file, against a bare read of
//     the same bytes (opening the viewer, stepping through windows, a page deep in the
//     file); the Windows side reads the same windows through one ReadFile each
//   - the standard and the custom receipt of a 400-line sale, with 400 different items
//     (no two lines group: the grouping compares every pair) and with 400 of one item
//     (all lines print as one)
// Built in both trees: the cross build's layouts.exe runs the product's own compiler
// output and heap under Wine (what bench/till.sh runs); the native one is for a quick look.
//   layouts [day file path]     (default: a file in the temporary folder, removed afterwards)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "logs/log_viewer.h"
#include "printing/receipt_layout.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kGoalMs = 20.0;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string ReadAt(const std::string& path, std::int64_t offset, std::size_t count) {
    std::ifstream file(path, std::ios::binary);
    file.seekg(offset);
    std::string bytes(count, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

// Median and maximum of `runs` timed calls.
struct Timing {
    double median = 0, max = 0;
};
Timing TimeRuns(int runs, const std::function<void()>& call) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        call();
        ms.push_back(Ms(Clock::now() - start));
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

const char* Verdict(double ms) { return ms < kGoalMs ? "met" : "MISSED"; }

void LogViewerFigures(const std::string& path) {
    {
        std::ofstream out(path, std::ios::binary);
        const std::string entry = "\r\n10:07 05/01/2027  Transaction 1234  Cash  12.34  Clerk 1\r\n";
        for (std::size_t written = 0; written < 50u * 1024 * 1024; written += entry.size()) out << entry;
    }
    const LogReader read = [&](std::int64_t offset, std::size_t count) { return ReadAt(path, offset, count); };

    auto start = Clock::now();
    for (int i = 0; i < 100; ++i) ReadAt(path, 40'000'000 + i * 32000, kLogWindowSize);
    const double bare = Ms(Clock::now() - start) / 100;

    LogViewer viewer;
    const Timing open = TimeRuns(100, [&] { OpenLogViewer(viewer, read); });
    start = Clock::now();
    for (int i = 0; i < 99; ++i) NextLogWindow(viewer, read);
    const double window = Ms(Clock::now() - start) / 99;

    LogPageInput in{"Corner Shop", LocalTime{2027, 1, 0, 5}, 900, 50, 3300};
    std::size_t consumed = 0;
    const Timing page = TimeRuns(100, [&] {
        consumed += LayoutLogPage(in, read, 40'000'000).consumed;
    });

    std::printf("50 MB day file: bare 32 KB read %.3f ms; viewer window %.3f ms (%.2fx); printed page %.3f ms "
                "(%.2fx, %zu bytes a page)\n",
                bare, window, window / bare, page.median, page.median / bare, consumed / 100);
    std::printf("goal   log viewer opened on a 50 MB day file: %.3f ms, max %.3f (under %.0f): %s\n", open.median,
                open.max, kGoalMs, Verdict(open.median));
    std::printf("goal   printed log page 40 MB into the file: %.3f ms, max %.3f (under %.0f): %s\n", page.median,
                page.max, kGoalMs, Verdict(page.median));
}

// A 400-line cash sale on a till with the default configuration, headers set.
struct Sale {
    TerminalConfig config;
    TransactionRecord record;
    print::SaleDocumentInputs in;

    explicit Sale(bool sameItem) {
        ApplyDefaults(config, LocalTime{2026, 12, 0, 6, 12});
        for (int i = 0; i < cfg::kHeaderTextCount; ++i)
            config.SetText(cfg::kHeaderTexts + cfg::kHeaderTextWidth * i, cfg::kHeaderTextWidth,
                           "Orchard Lane Stores header " + std::to_string(i + 1));
        double total = 0;
        for (int i = 0; i < txn::kMaxLines; ++i) {
            const double price = sameItem ? 0.85 : 1.00 + i / 100.0;
            record.SetLineItemNumber(i, sameItem ? 1302 : 5001 + i);
            record.SetLineDescription(i, sameItem ? "Baked Beans 415g" : "Numbered line " + std::to_string(i + 1));
            record.SetLineTaxable(i, price);
            record.SetLineTax1(i, price * 0.2);
            record.SetLineTotal(i, price * 1.2);
            total += price * 1.2;
        }
        record.SetLineCount(txn::kMaxLines);
        record.SetTotal(total), record.SetSubTotal(total / 1.2), record.SetTax1Total(total - total / 1.2);
        record.SetCashPaid(total), record.SetPaymentType("Cash"), record.SetNumber(1234);
        record.SetTime("12:00"), record.SetDate("Sun 6 Dec 26");
        in.sale = &record, in.config = &config;
        in.tender = {1000.0, 1000.0 - total};
        in.nowClock = "12:01", in.todayLong = "Dec 6 2026", in.kitchenDate = "Sun 6 Dec 26";
    }
};

void ReceiptFigures() {
    // An 80 mm receipt printer at 203 dpi with its own 12-dot font.
    print::PageMetrics m{24, 288, 100000, 0, 0, 12, false, 203, 203, 576, {}};
    for (bool sameItem : {false, true}) {
        const Sale sale(sameItem);
        for (int kind : {print::kStandardReceipt, print::kCustomReceipt}) {
            std::size_t items = 0;
            const Timing t = TimeRuns(50, [&] { items = print::LayOutReceipt(sale.in, m, kind).items.size(); });
            std::printf("goal   %s receipt, 400 lines of %s: %.3f ms, max %.3f, %zu items (under %.0f): %s\n",
                        kind == print::kStandardReceipt ? "standard" : "custom  ",
                        sameItem ? "one item    " : "400 items   ", t.median, t.max, items, kGoalMs,
                        Verdict(t.median));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path =
        argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "varenko-50mb-day.txt").string();
    LogViewerFigures(path);
    std::remove(path.c_str());
    ReceiptFigures();
    return 0;
}
