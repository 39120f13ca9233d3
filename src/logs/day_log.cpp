#include "logs/day_log.h"

#include "shell/message_box.h"

LocalTime g_localTime;
ClockText g_clockText;
ClockText g_dateText;

namespace {

ClockSource g_clockSource = nullptr;

void TakeLocalTime() {
    if (g_clockSource) {
        g_clockSource(g_localTime);
        return;
    }
    SYSTEMTIME st;
    GetLocalTime(&st);
    g_localTime = {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

bool FileOpensForReading(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

bool IsDirectory(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opens for writing, creating when missing, shared for reading, positioned at the end.
HANDLE OpenForAppend(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) SetFilePointer(h, 0, nullptr, FILE_END);
    return h;
}

bool WriteText(HANDLE h, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(h, data, size, &written, nullptr) && written == size;
}

// Creates a log directory with its marker; false (after the message) when the directory fails.
bool EnsureMarkedDirectory(const std::string& dir, const char* dirFailure, const char* markerFailure,
                           bool isYear) {
    const std::string marker = dir + "\\" + kMarkerFileName;
    if (FileOpensForReading(marker)) return true;
    if (!CreateDirectoryA(dir.c_str(), nullptr) && !IsDirectory(dir)) {
        ShowMessage(nullptr, dirFailure, "Fatal error");
        return false;
    }
    HANDLE h = OpenForAppend(marker);
    if (h == INVALID_HANDLE_VALUE) {
        ShowMessage(nullptr, markerFailure, "Problem");
        return true;
    }
    RefreshClock();
    if (isYear) {
        const char zeros[4] = {0, 0, 0, 0};
        WriteText(h, zeros, sizeof zeros);
    } else {
        const std::string time = MonthMarkerText(g_localTime);
        WriteText(h, time.data(), static_cast<DWORD>(time.size()));
    }
    CloseHandle(h);
    return true;
}

}  // namespace

void SetClockSource(ClockSource source) { g_clockSource = source; }

void RefreshClock() {
    TakeLocalTime();
    FormatClockText(g_clockText, g_localTime);
}

void RefreshClockDate() {
    TakeLocalTime();
    FormatClockDate(g_clockText, g_localTime);
}

int FormatDateWithLocale(const LocalTime& t, const char* pattern, char* out, int outSize) {
    SYSTEMTIME st = {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds};
    // The day of the week is recomputed by the formatter from the date.
    return GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, pattern, out, outSize);
}

int ConvertDate() {
    TakeLocalTime();
    return ConvertDateText(g_dateText, g_localTime, FormatDateWithLocale);
}

void EnsureLogDirectories(const char* dataDir) {
    RefreshClockDate();
    const LocalTime today = g_localTime;
    if (FileOpensForReading(MonthDirectory(dataDir, today) + "\\" + kMarkerFileName)) return;
    if (!EnsureMarkedDirectory(YearDirectory(dataDir, today), "Unable to create year log directory",
                               "Unable to open base.dat in year log.", true))
        return;
    EnsureMarkedDirectory(MonthDirectory(dataDir, today), "Unable to create month log directory",
                          "Unable to open base.dat in month log.", false);
}

bool AppendToDayFile(const char* dataDir, const LogEntry& entry) {
    HANDLE h = OpenForAppend(DayFilePath(dataDir, g_localTime));
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER start = {};
    SetFilePointerEx(h, start, &start, FILE_CURRENT);
    bool whole = true;
    for (const std::string& text : entry) whole = whole && WriteText(h, text.data(), static_cast<DWORD>(text.size()));
    if (!whole) {  // a full disk: no half entry is left behind
        SetFilePointerEx(h, start, nullptr, FILE_BEGIN);
        SetEndOfFile(h);
    }
    CloseHandle(h);
    return whole;
}
