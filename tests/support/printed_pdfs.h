// The test printers: the cups-pdf queues that scripts/print-queues.sh makes turn
// every printed document into a PDF under build/artifacts/pdf/<queue>, which the tests
// read back with pdftotext (a Unix program, which Wine starts like any other).
#pragma once
#include <set>
#include <string>

inline constexpr const char* kReceiptQueue = "VarenkoReceipt";
inline constexpr const char* kKitchenQueue = "VarenkoKitchen";
inline constexpr const char* kDocumentQueue = "VarenkoDocument";

// True when the queue is there; otherwise a test failure naming the fix, or a skip
// when VARENKO_NO_PRINTERS=1 says this machine has none.
bool RequirePrinter(const std::string& name);

// The Unix directory where a queue's PDFs land ("receipt", "kitchen"): build/artifacts/pdf/<queue>.
std::string UnixPdfDirectory(const std::string& queue);
std::string WindowsPath(const std::string& unixPath);
std::set<std::string> PdfNames(const std::string& unixDir);
// The text of a PDF by pdftotext; empty when it cannot be read yet.
std::string PdfText(const std::string& unixPdf);
// Waits for `copies` new PDFs in `unixDir` that hold `token`; returns how many were
// seen, and their names in `names` when given.
int WaitForPdfs(const std::string& unixDir, const std::set<std::string>& before, const std::string& token,
                int copies, std::set<std::string>* names = nullptr);

// The default printer of this prefix set for one test, and put back afterwards.
class DefaultPrinter {
public:
    explicit DefaultPrinter(const char* name);
    ~DefaultPrinter();
    DefaultPrinter(const DefaultPrinter&) = delete;
    DefaultPrinter& operator=(const DefaultPrinter&) = delete;
    bool set() const { return set_; }

private:
    char previous_[256] = {};
    bool set_ = false;
};
