#include "logs/log_viewer.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t kLogLineMax = 253;
constexpr int kFirstRow = 2;

int TwoDigits(std::string_view s) { return (s[0] - '0') * 10 + (s[1] - '0'); }

bool Digits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Loads the window at the viewer's position; a full window moves the position past it.
void Load(LogViewer& viewer, const LogReader& read) {
    viewer.text = read(viewer.position, kLogWindowSize).substr(0, kLogWindowSize);
    viewer.loaded = viewer.text.size();
    if (viewer.loaded == kLogWindowSize) viewer.position += static_cast<std::int64_t>(kLogWindowSize);
}

// Whether a window follows the one shown: a full window with bytes after it.
bool MoreFollows(const LogViewer& viewer, const LogReader& read) {
    return viewer.loaded == kLogWindowSize && !read(viewer.position, 1).empty();
}

bool PageFull(const LogPageInput& in, int row) {
    return static_cast<long long>(in.lineHeight + 2) * row > in.pageHeight;
}

// What a page prints when no byte is dropped: each line reads at most 254 bytes (253
// kept, one dropped). The file is read in pieces of this size.
std::size_t BytesPerRead(const LogPageInput& input) {
    int rows = kFirstRow;
    while (!PageFull(input, rows) && rows < 100000) ++rows;
    return static_cast<std::size_t>(rows - kFirstRow + 1) * (kLogLineMax + 1);
}

}  // namespace

std::optional<LocalTime> ParseLogDay(std::string_view typed) {
    if (typed.size() != 10 || typed[2] != '/' || typed[5] != '/') return std::nullopt;
    // The C library reads the numbers; digits are what a date holds, anything else reads as no date.
    if (!Digits(typed.substr(0, 2)) || !Digits(typed.substr(3, 2)) || !Digits(typed.substr(6, 4))) return std::nullopt;
    LocalTime t;
    t.day = static_cast<std::uint16_t>(TwoDigits(typed.substr(0, 2)));
    t.month = static_cast<std::uint16_t>(TwoDigits(typed.substr(3, 2)));
    t.year = static_cast<std::uint16_t>(TwoDigits(typed.substr(6, 2)) * 100 + TwoDigits(typed.substr(8, 2)));
    return t;
}

void OpenLogViewer(LogViewer& viewer, const LogReader& read) {
    viewer = LogViewer{};
    Load(viewer, read);
    viewer.nextEnabled = MoreFollows(viewer, read);
    viewer.previousEnabled = false;
}

void NextLogWindow(LogViewer& viewer, const LogReader& read) {
    Load(viewer, read);
    viewer.nextEnabled = MoreFollows(viewer, read);
    viewer.previousEnabled = true;
}

void PreviousLogWindow(LogViewer& viewer, const LogReader& read) {
    const auto back = static_cast<std::int64_t>(viewer.loaded < kLogWindowSize ? kLogWindowSize : 2 * kLogWindowSize);
    viewer.position = std::max<std::int64_t>(0, viewer.position - back);
    Load(viewer, read);
    viewer.nextEnabled = MoreFollows(viewer, read);
    viewer.previousEnabled = viewer.position >= 32000;
}

LogPage LayoutLogPage(const LogPageInput& in, const LogReader& read, std::int64_t from) {
    LogPage page;
    char header[160];
    std::snprintf(header, sizeof header, "%.60s Activity log: %02d/%02d/%d      Page: %d", in.shopName.c_str(), in.day.day,
                  in.day.month, in.day.year, in.page);
    page.plan.Text(0, 0, print::Align::Left, header);
    if (in.lineHeight <= 0 || in.pageHeight <= 0) return page;

    std::string line;
    int row = kFirstRow;
    auto printLine = [&] {
        page.plan.Text(0, in.lineHeight * row, print::Align::Left, line);
        line.clear();
        ++row;
        return PageFull(in, row);
    };
    for (;;) {
        const std::string bytes = read(from + static_cast<std::int64_t>(page.consumed), BytesPerRead(in));
        if (bytes.empty()) return page;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            ++page.consumed;
            if (byte == '\r' || line.size() >= kLogLineMax) {
                // A full line drops the byte that would overflow it.
                if (printLine()) {
                    page.full = true;
                    return page;
                }
            } else if (byte >= 31 && byte <= 127) {
                line += static_cast<char>(byte);
            }
        }
    }
}
