// The print job on real printers: the cups-pdf queues "VarenkoReceipt" and
// "VarenkoKitchen" that scripts/print-queues.sh makes turn every printed document
// into a PDF under build/artifacts/pdf, which these tests read back with pdftotext
// (a Unix program, which Wine starts like any other).
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "link/label_table.h"
#include "payment/commit_window.h"
#include "printing/print_job.h"
#include "printing/receipt_print.h"
#include "shell/app_state.h"
#include "support/app_fixture.h"
#include "support/printed_pdfs.h"

using namespace print;

namespace {

// A small cash sale with a number no earlier run printed.
std::int64_t FreshTransactionNumber() {
    return 7000000 + static_cast<std::int64_t>(GetTickCount() % 1000000) * 3 + GetCurrentProcessId() % 3;
}

class PrintJobTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.labels = DefaultLabelTable();
        g_app.live.SetSwitch(34, 2);
        g_app.live.SetCurrentAssociate(1);
        g_app.live.SetAssociateName(1, "Administrator");
        TransactionRecord& sale = g_app.basket;
        sale.SetNumber(FreshTransactionNumber());
        sale.SetLineCount(1);
        sale.SetLineItemNumber(0, 55);
        sale.SetLineDescription(0, "Scone");
        sale.SetLineNonTaxable(0, 2.5);
        sale.SetLineTotal(0, 2.5);
        sale.SetNonTaxableTotal(2.5);
        sale.SetSubTotal(2.5);
        sale.SetTotal(2.5);
        sale.SetCashPaid(2.5);
        sale.SetPaymentType("Cash");
        g_saleTender = TenderResult{5.0, 2.5};
    }
    void UseReceiptPrinter(const std::string& name) {
        g_app.live.SetInt32(cfg::kTermCodes, 1);
        g_app.live.SetText(cfg::kReceiptPrinter, 200, name);
    }
};

}  // namespace

TEST(ChoosePrinter, FlagsNamesAndCopiesOfEachChoice) {
    TerminalConfig config;
    const DWORD base = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;

    // Option [9] 0: no confirmation, the default printer.
    PrinterRequest r = ChoosePrinter(config, PrinterChoice::Receipt);
    EXPECT_EQ(r.dialogFlags, base | PD_RETURNDEFAULT);
    EXPECT_FALSE(r.byName);
    EXPECT_FALSE(r.singleCopy);

    config.SetOption(9, 1);
    r = ChoosePrinter(config, PrinterChoice::Document);
    EXPECT_EQ(r.dialogFlags, base);
    EXPECT_FALSE(r.byName);

    // The receipt printer by name; documents never by name.
    config.SetInt32(cfg::kTermCodes, 3);
    config.SetText(cfg::kReceiptPrinter, 200, "Till printer");
    config.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, "Kitchen printer");
    r = ChoosePrinter(config, PrinterChoice::Receipt);
    EXPECT_TRUE(r.byName);
    EXPECT_EQ(r.name, "Till printer");
    EXPECT_FALSE(ChoosePrinter(config, PrinterChoice::Document).byName);

    // The kitchen: never a dialog, one copy; by name only with option [1].
    r = ChoosePrinter(config, PrinterChoice::Kitchen);
    EXPECT_EQ(r.dialogFlags, base | PD_RETURNDEFAULT);
    EXPECT_FALSE(r.byName);
    EXPECT_TRUE(r.singleCopy);
    config.SetOption(1, 1);
    r = ChoosePrinter(config, PrinterChoice::Kitchen);
    EXPECT_TRUE(r.byName);
    EXPECT_EQ(r.name, "Kitchen printer");

    // A receipt printer name filling its 200 bytes stops before the driver name.
    std::memset(config.data() + cfg::kReceiptPrinter, 'A', 200);
    config.SetText(cfg::kReceiptPrinterDriver, 200, "DRIVER");
    EXPECT_EQ(ChoosePrinter(config, PrinterChoice::Receipt).name, std::string(200, 'A'));
}

TEST_F(PrintJobTest, NamedPrinterThatDoesNotExistPrintsNothingAndSaysNothing) {
    UseReceiptPrinter("No such printer here");
    int pages = 0, copies = 0;
    JobResult result = RunPrintJob(nullptr, PrinterChoice::Receipt, [&](HDC, PageState&) { ++pages; },
                                   [&] { ++copies; }, 1);
    EXPECT_EQ(result, JobResult::Printed);
    EXPECT_EQ(pages, 0);
    EXPECT_EQ(copies, 0);
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(PrintJobTest, ReceiptByNameBecomesTwoPdfsWithTheReceiptText) {
    if (!RequirePrinter(kReceiptQueue)) return;
    const std::string dir = UnixPdfDirectory("receipt");
    ASSERT_FALSE(dir.empty());
    const std::set<std::string> before = PdfNames(dir);
    UseReceiptPrinter(kReceiptQueue);

    int pages = 0, copies = 0;
    JobResult result = RunPrintJob(
        nullptr, PrinterChoice::Receipt,
        [&](HDC dc, PageState& state) {
            ++pages;
            EXPECT_EQ(state.page, 1);
            EXPECT_EQ(state.nextLine, 0);
            PrintReceipt(dc, kStandardReceipt);
        },
        [&] { ++copies; }, 1);
    EXPECT_EQ(result, JobResult::Printed);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(copies, 2);
    EXPECT_TRUE(messages().messages().empty());

    const std::string token = "Receipt: " + std::to_string(g_app.basket.Number());
    EXPECT_EQ(WaitForPdfs(dir, before, token, 2), 2) << "in " << dir << (PdfToTextAvailable() ? "" : " (no pdftotext)");
}

TEST_F(PrintJobTest, KitchenTicketByNameOnceWhateverTheExtraCopies) {
    if (!RequirePrinter(kKitchenQueue)) return;
    const std::string dir = UnixPdfDirectory("kitchen");
    ASSERT_FALSE(dir.empty());
    const std::set<std::string> before = PdfNames(dir);
    g_app.live.SetOption(1, 1);
    g_app.live.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, kKitchenQueue);
    const std::string token = "K" + std::to_string(g_app.basket.Number());
    g_app.basket.SetLineDescription(0, token);
    g_app.basketTable = 5;

    int pages = 0;
    RunPrintJob(nullptr, PrinterChoice::Kitchen, [&](HDC dc, PageState&) {
        ++pages;
        PrintKitchenTicketPage(dc);
    }, {}, 1);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(WaitForPdfs(dir, before, token, 1), 1) << "in " << dir;
}

TEST_F(PrintJobTest, PagesRepeatWhileTheDrawingAdvancesThePageCounter) {
    if (!RequirePrinter(kReceiptQueue)) return;
    UseReceiptPrinter(kReceiptQueue);
    std::vector<int> seen;
    RunPrintJob(nullptr, PrinterChoice::Receipt, [&](HDC dc, PageState& state) {
        seen.push_back(state.nextLine);
        TextOutA(dc, 100, 100, "page", 4);
        if (state.page < 3) {
            ++state.page;
            state.nextLine += 10;
        }
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 10, 20}));
}
