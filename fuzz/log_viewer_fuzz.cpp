// Day files of any content and length in the log viewer's windows, stepped through
// with "Next" and "Previous" as a person can (only while the button is enabled), and
// printed page after page as the print job does, reading for each page only what
// LogPageBytesNeeded asks for.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>

#include "fuzz_check.h"
#include "logs/log_viewer.h"

namespace {

// A file of `length` bytes made of the pattern over and over.
std::string Repeated(const std::string& pattern, std::size_t length) {
    if (pattern.empty()) return {};
    std::string file = pattern;
    while (file.size() < length) file += file;
    file.resize(length);
    return file;
}

LogReader Over(const std::string& file) {
    return [&file](std::int64_t offset, std::size_t count) {
        FUZZ_CHECK(offset >= 0, "the viewer never reads before the file");
        return offset >= static_cast<std::int64_t>(file.size()) ? std::string()
                                                                 : file.substr(static_cast<std::size_t>(offset), count);
    };
}

// The viewer shows the window starting at `start`.
void CheckWindow(const LogViewer& v, const std::string& file, std::size_t start) {
    const std::string expected = start < file.size() ? file.substr(start, kLogWindowSize) : std::string();
    FUZZ_CHECK(v.text == expected && v.loaded == expected.size(), "the window is the file's bytes from its start");
    FUZZ_CHECK(v.nextEnabled == (v.loaded == kLogWindowSize && file.size() > start + kLogWindowSize),
               "Next only while a window follows");
    FUZZ_CHECK(v.previousEnabled == (start > 0), "Previous only while a window comes before");
}

void CheckViewer(FuzzedDataProvider& in, const std::string& file) {
    LogViewer v;
    const LogReader read = Over(file);
    OpenLogViewer(v, read);
    std::size_t start = 0;
    CheckWindow(v, file, start);
    for (int step = 0; step < 6 && in.remaining_bytes() > 0; ++step) {
        if (in.ConsumeBool()) {
            if (!v.nextEnabled) continue;
            NextLogWindow(v, read);
            start += kLogWindowSize;
        } else {
            if (!v.previousEnabled) continue;
            PreviousLogWindow(v, read);
            start = start > kLogWindowSize ? start - kLogWindowSize : 0;
        }
        CheckWindow(v, file, start);
    }
}

// Every byte of the file is printed: each page reads on from where the last one
// stopped, and the job ends when a page is not full. A page is the same however the
// file hands its bytes over.
void CheckPrinting(FuzzedDataProvider& in, const std::string& file) {
    LogPageInput page;
    page.shopName = in.ConsumeRandomLengthString(80);
    page.day = fuzz::Now();
    page.lineHeight = in.ConsumeIntegralInRange<int>(-2, 400);
    page.pageHeight = in.ConsumeIntegralInRange<int>(-2, 12000);
    const std::size_t piece = in.ConsumeIntegralInRange<std::size_t>(7, 400);
    const LogReader whole = Over(file);
    const LogReader pieces = [&file, piece](std::int64_t offset, std::size_t count) {
        return Over(file)(offset, std::min(count, piece));
    };
    std::int64_t resume = 0;
    for (;; ++page.page) {
        const LogPage printed = LayoutLogPage(page, whole, resume);
        const LogPage again = LayoutLogPage(page, pieces, resume);
        FUZZ_CHECK(printed.consumed == again.consumed && printed.full == again.full &&
                       printed.plan.items.size() == again.plan.items.size(),
                   "a page does not depend on how the file is read");
        for (std::size_t i = 1; i < printed.plan.items.size(); ++i) {
            const auto* text = std::get_if<print::TextItem>(&printed.plan.items[i]);
            FUZZ_CHECK(text && text->text.size() <= 253, "a printed line holds 253 characters at most");
            for (char c : text->text)
                FUZZ_CHECK(static_cast<unsigned char>(c) >= 31 && static_cast<unsigned char>(c) <= 127,
                           "only printable bytes are printed");
        }
        resume += static_cast<std::int64_t>(printed.consumed);
        if (!printed.full) break;
        FUZZ_CHECK(printed.consumed > 0, "a full page moves on");
        if (page.page == 64) return;  // enough pages of one file: the time goes to other files
    }
    if (page.lineHeight > 0 && page.pageHeight > 0)
        FUZZ_CHECK(resume == static_cast<std::int64_t>(file.size()), "the printed log reaches the end of the day file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool viewing = in.ConsumeBool();
    const std::size_t length = viewing ? in.ConsumeIntegralInRange<std::size_t>(0, 4 * kLogWindowSize + 10)
                                       : in.ConsumeIntegralInRange<std::size_t>(0, 3000);
    const std::string pattern = in.ConsumeRandomLengthString(600);
    const std::string file = Repeated(pattern, length);
    if (viewing)
        CheckViewer(in, file);
    else
        CheckPrinting(in, file);
    return 0;
}
