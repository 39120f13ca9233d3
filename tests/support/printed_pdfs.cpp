#include "support/printed_pdfs.h"

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "support/temp_dir.h"

// Two levels above this program (build/<dir>/bin).
std::string UnixPdfDirectory(const std::string& queue) {
    const std::string program = ProgramDirectory();
    if (program.size() < 2 || (program[0] != 'Z' && program[0] != 'z') || program[1] != ':') return {};
    std::string unixPath = program.substr(2, program.find_last_of('\\', program.find_last_of('\\') - 1) - 2);
    std::replace(unixPath.begin(), unixPath.end(), '\\', '/');
    return unixPath + "/artifacts/pdf/" + queue;
}

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::set<std::string> PdfNames(const std::string& unixDir) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((WindowsPath(unixDir) + "\\*.pdf").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

std::string PdfText(const std::string& unixPdf) {
    const std::string unixText = unixPdf + ".txt";
    DeleteFileA(WindowsPath(unixText).c_str());
    // Quiet and detached from our output: a half-written PDF makes pdftotext complain.
    std::string command = "/bin/sh -c \"exec /usr/bin/pdftotext -q '" + unixPdf + "' '" + unixText +
                          "' </dev/null >/dev/null 2>&1\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
    // Wine hands a Unix program to a starter whose process may end before the program
    // does: wait for the text's last page end, a form feed.
    std::string text;
    for (int i = 0; i < 100; ++i) {
        if ((text = ReadWholeFile(WindowsPath(unixText))).find('\f') != std::string::npos) return text;
        Sleep(100);
    }
    return text;
}

// Whether the printer has finished writing a PDF: its trailer ends it. Read before that,
// its text lacks the last page, and PdfText waits in vain for it.
static bool PdfWritten(const std::string& unixPdf) {
    const std::string pdf = ReadWholeFile(WindowsPath(unixPdf));
    return pdf.find("%%EOF", pdf.size() < 32 ? 0 : pdf.size() - 32) != std::string::npos;
}

int WaitForPdfs(const std::string& unixDir, const std::set<std::string>& before, const std::string& token,
                int copies, std::set<std::string>* names) {
    std::set<std::string> matched;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(500)) {
        for (const std::string& name : PdfNames(unixDir)) {
            if (before.count(name) || matched.count(name) || !PdfWritten(unixDir + "/" + name)) continue;
            if (PdfText(unixDir + "/" + name).find(token) != std::string::npos) matched.insert(name);
        }
        if (static_cast<int>(matched.size()) >= copies) break;
    }
    if (names) *names = matched;
    return static_cast<int>(matched.size());
}

bool RequirePrinter(const std::string& name) {
    if (HANDLE printer = nullptr; OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) {
        ClosePrinter(printer);
        return true;
    }
    if (const char* none = std::getenv("VARENKO_NO_PRINTERS"); none && std::strcmp(none, "1") == 0)
        [] { GTEST_SKIP() << "VARENKO_NO_PRINTERS=1: no test printers"; }();
    else
        ADD_FAILURE() << "no printer " << name << ": run scripts/print-queues.sh as root";
    return false;
}

DefaultPrinter::DefaultPrinter(const char* name) {
    DWORD size = sizeof previous_;
    if (!GetDefaultPrinterA(previous_, &size)) previous_[0] = 0;
    set_ = SetDefaultPrinterA(name);
}

DefaultPrinter::~DefaultPrinter() {
    if (previous_[0]) SetDefaultPrinterA(previous_);
}
