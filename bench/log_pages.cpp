// The log viewer and the printed log on a 50 MB day file: opening the viewer, stepping
// through windows, and laying out a page deep in the file, each against a bare read of
// the same bytes (the baseline), in one run. Native; the Windows side reads the same
// windows through one ReadFile each.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "logs/log_viewer.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string ReadAt(const std::string& path, std::int64_t offset, std::size_t count) {
    std::ifstream file(path, std::ios::binary);
    file.seekg(offset);
    std::string bytes(count, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "/tmp/varenko-50mb-day.txt";
    {
        std::ofstream out(path, std::ios::binary);
        const std::string entry = "\r\n10:07 05/01/2027  Transaction 1234  Cash  12.34  Clerk 1\r\n";
        for (std::size_t written = 0; written < 50u * 1024 * 1024; written += entry.size()) out << entry;
    }
    const LogReader read = [&](std::int64_t offset, std::size_t count) { return ReadAt(path, offset, count); };

    auto start = Clock::now();
    for (int i = 0; i < 100; ++i) ReadAt(path, 40'000'000 + i * 32000, kLogWindowSize);
    const double bare = Ms(Clock::now() - start) / 100;

    start = Clock::now();
    LogViewer viewer;
    OpenLogViewer(viewer, read);
    for (int i = 0; i < 99; ++i) NextLogWindow(viewer, read);
    const double window = Ms(Clock::now() - start) / 100;

    LogPageInput in{"Corner Shop", LocalTime{2027, 1, 0, 5}, 900, 50, 3300};
    start = Clock::now();
    std::size_t consumed = 0;
    for (int i = 0; i < 100; ++i)
        consumed += LayoutLogPage(in, ReadAt(path, 40'000'000, LogPageBytesNeeded(in))).consumed;
    const double page = Ms(Clock::now() - start) / 100;

    std::printf("50 MB day file: bare 32 KB read %.3f ms; viewer window %.3f ms (%.2fx); printed page %.3f ms "
                "(%.2fx, %zu bytes a page)\n",
                bare, window, window / bare, page, page / bare, consumed / 100);
    std::remove(path.c_str());
    return 0;
}
