// Reading the day files back: the day asked for ("DD/MM/YYYY"), the viewer's windows
// of at most 31999 characters with "Next" and "Previous", and the printed log's pages.
// Portable: the viewer dialog and the print job move bytes between files, controls
// and printers around these functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "logs/clock.h"
#include "printing/page_plan.h"

namespace logmsg {
inline constexpr const char* kDayPrompt = "Enter day (DD/MM/YYYY):";
inline constexpr const char* kInvalidDate = "Invalid date";
inline constexpr const char* kNoLogForDay = "No log for that day.";
inline constexpr const char* kDataLogFile = "Data log file.";
inline constexpr const char* kUnableToOpen = "Unable to open file.";
}  // namespace logmsg

// The day typed at the prompt: exactly 10 characters with "/" at positions 2 and 5;
// day, month and year are the decimal values of their digits (not checked further).
std::optional<LocalTime> ParseLogDay(std::string_view typed);

// The viewer shows the day file in windows of this many characters.
inline constexpr std::size_t kLogWindowSize = 31999;

// Up to `count` bytes of the day file from byte `offset` (fewer at its end).
using LogReader = std::function<std::string(std::int64_t offset, std::size_t count)>;

struct LogViewer {
    std::int64_t position = 0;   // where the next window starts
    std::size_t loaded = 0;      // characters in the window shown
    std::string text;            // the window shown
    bool nextEnabled = false;
    bool previousEnabled = false;
};
void OpenLogViewer(LogViewer& viewer, const LogReader& read);
void NextLogWindow(LogViewer& viewer, const LogReader& read);
void PreviousLogWindow(LogViewer& viewer, const LogReader& read);

// One printed page of a day file.
struct LogPageInput {
    std::string shopName;       // header text 1
    LocalTime day;              // the day printed
    int page = 1;
    int lineHeight = 0;         // font height + external leading
    int pageHeight = 0;         // the device's vertical resolution
};
struct LogPage {
    print::PagePlan plan;
    std::size_t consumed = 0;   // bytes of the input read for this page
    bool full = false;          // the page is full: another one follows
};
// The header "<shop> Activity log: DD/MM/YYYY      Page: n" at (0, 0), then the file's
// lines from row 2: printable bytes 31..127 only, a line printed at each carriage
// return or when it already holds 253 characters (the next byte is then dropped).
// The day file is read from byte `from` until the page is full or the file ends;
// dropped bytes take no room, so how much a page reads has no bound.
LogPage LayoutLogPage(const LogPageInput& input, const LogReader& read, std::int64_t from);
