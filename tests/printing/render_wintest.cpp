// The renderer drawing each kind of plan item into a metafile read back record by record, and the
// print job on the cups-pdf queues of scripts/print-queues.sh read back with pdftotext.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "link/label_table.h"
#include "printing/print_job.h"
#include "printing/receipt_print.h"
#include "printing/render.h"
#include "shell/message_box.h"
#include "support/app_fixture.h"
#include "support/metafile_recording.h"
#include "support/printed_pdfs.h"

using namespace print;

namespace {

HFONT Arial(int height, int weight) { return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"); }
using Longs = std::vector<long>;

TEST(RenderPlan, TextsAtTheirPointsWithTheirAlignmentAndFontMessagesShown) {
    MessageCapture capture;
    MetafilePage page;
    HFONT body = Arial(-40, FW_NORMAL), bold = Arial(-40, FW_BOLD), title = Arial(-80, FW_BOLD), own = Arial(-33, 600);
    HGDIOBJ stock = SelectObject(page.dc(), own);  // the printer's own font
    PagePlan plan;
    plan.Text(100, 50, Align::Left, "Left"), plan.Text(500, 60, Align::Centre, "Centre", FontRole::Bold);
    plan.Text(900, 70, Align::Right, "Right", FontRole::Title), plan.Message("Unable to get printer");
    plan.Text(120, 80, Align::Left, "Header", FontRole::Header);  // none given: the body font
    RenderPlan(page.dc(), plan, PageFonts{body, bold, title, nullptr}, PageLogos{});
    plan.items.resize(1);
    RenderPlan(page.dc(), plan, PageFonts{}, PageLogos{});  // no fonts: the one the device has selected
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_FONT), own);
    SelectObject(page.dc(), stock);
    const Recording r = page.Finish();
    for (HFONT f : {body, bold, title, own}) DeleteObject(f);
    std::vector<Longs> drawn;  // at the top, no update
    for (const DrawnText& t : r.texts) drawn.push_back({t.x, t.y, long(t.align), t.weight, t.height});
    EXPECT_EQ(drawn, (std::vector<Longs>{{100, 50, TA_LEFT, FW_NORMAL, -40}, {500, 60, TA_CENTER, FW_BOLD, -40},
                                         {900, 70, TA_RIGHT, FW_BOLD, -80}, {120, 80, TA_LEFT, FW_NORMAL, -40},
                                         {100, 50, TA_LEFT, 600, -33}}));
    EXPECT_TRUE(capture.messages().size() == 1 && capture.Saw("Unable to get printer", "Problem"));
}

TEST(RenderPlan, LinesBandsLogosAndABarcodeOfSevenWithEveryObjectDeleted) {
    MetafilePage page;
    HDC screen = GetDC(nullptr);
    HBITMAP logo = CreateCompatibleBitmap(screen, 40, 20);
    ReleaseDC(nullptr, screen);
    SetMapMode(page.dc(), MM_HIMETRIC);  // where the barcode's centre and top land in 0.01 mm
    POINT origin{400, 300};
    DPtoLP(page.dc(), &origin, 1);
    SetMapMode(page.dc(), MM_TEXT);
    PagePlan plan;
    plan.Line(10, 100, 700, 100, 8), plan.Line(20, 200, 20, 600), plan.Band(Rect{10, 300, 700, 320});
    plan.Logo(Picture::ReceiptLogo, Rect{50, 10, 250, 110});
    plan.Logo(Picture::LetterLogo, Rect{0, 0, 10, 10});  // not loaded: nothing drawn
    plan.Barcode(400, 300, "0007");
    RenderPlan(page.dc(), plan, PageFonts{}, PageLogos{logo, nullptr});
    EXPECT_EQ(GetMapMode(page.dc()), MM_TEXT);
    const Recording r = page.Finish();
    DeleteObject(logo);
    ASSERT_EQ(r.lines.size(), 2u);
    const auto& [line, pen] = r.lines[0];
    EXPECT_EQ((Longs{line.left, line.top, line.right, line.bottom, pen}), (Longs{10, 100, 700, 100, 8}));
    EXPECT_LE(r.lines[1].second, 1);
    ASSERT_EQ(r.fills.size(), 1u);
    const auto& [band, colour] = r.fills[0];
    EXPECT_EQ((Longs{band.left, band.top, band.right, band.bottom, long(colour)}),
              (Longs{10, 300, 700, 320, long(RGB(230, 230, 230))}));
    ASSERT_EQ(r.stretches.size(), 1u);
    const EMRSTRETCHBLT& s = r.stretches[0];
    EXPECT_EQ((Longs{s.xDest, s.yDest, s.cxDest, s.cyDest, s.cxSrc, s.cySrc, long(s.dwRop)}),
              (Longs{50, 10, 200, 100, 40, 20, SRCCOPY}));
    EXPECT_EQ(std::pair(r.created, r.deleted), std::pair(2, 2)) << "the pen and the brush";

    ASSERT_EQ(r.rectangles.size(), 42u) << "*0007*: five bars a character, seven modules of them";
    int bars = 0;
    for (std::size_t i = 0; i < r.rectangles.size(); ++i) {
        const RECTL& bar = r.rectangles[i];
        bars += i == 0 || bar.left != r.rectangles[i - 1].right + 1;
        EXPECT_EQ((Longs{bar.right + 1 - bar.left, bar.top, bar.bottom + 1}), (Longs{40, origin.y - 1000, origin.y}))
            << "10 mm down from the top: y grows upwards in this mode";
    }
    EXPECT_EQ(bars, 30);
    EXPECT_EQ(std::pair(r.rectangles.front().left, r.rectangles.back().right + 1),
              std::pair(origin.x - 1560, origin.x + 1520)) << "6 x 13 modules centred; the last space ends it";
}

TEST(RenderPlan, WrappedTextIsCentredInItsBoxAndMeasuredAlike) {
    MetafilePage page;
    HFONT body = Arial(-20, FW_NORMAL);
    HGDIOBJ stock = SelectObject(page.dc(), body);
    const std::string message = "Thank you for shopping with us today please call again soon";
    const PageMetrics m = MeasurePage(page.dc());
    const int measured = m.wrappedHeight(message, 200);
    SelectObject(page.dc(), stock);
    PagePlan plan;
    plan.Wrapped(Rect{100, 500, 300, 500 + 8 * m.lineHeight}, message);
    RenderPlan(page.dc(), plan, PageFonts{body}, PageLogos{});
    const Recording r = page.Finish();
    DeleteObject(body);
    ASSERT_GE(r.texts.size(), 3u);
    std::string joined;
    for (const DrawnText& line : r.texts) {
        joined += line.text.substr(0, line.text.find_last_not_of(' ') + 1) + " ";
        EXPECT_EQ(line.y, 500 + static_cast<int>(&line - &r.texts[0]) * m.lineHeight) << line.text;
        EXPECT_GE(line.x, 100) << line.text;
    }
    EXPECT_EQ(joined, message + " ");
    EXPECT_EQ(measured, static_cast<int>(r.texts.size()) * m.lineHeight);
}

// Receipts and kitchen tickets by name, documents on the default printer without asking:
// the end-to-end tests (PrintingEndToEnd, DayAtTheTill).
TEST(ChoosePrinter, TheKitchenNeverAsksAndAReceiptPrintersNameStopsAtItsWidth) {
    TerminalConfig config;
    config.SetOption(9, 1);  // documents through the print dialog
    const PrinterRequest kitchen = ChoosePrinter(config, PrinterChoice::Kitchen);
    EXPECT_TRUE((kitchen.dialogFlags & PD_RETURNDEFAULT) && !kitchen.byName && kitchen.singleCopy);
    config.SetInt32(cfg::kTermCodes, 3), std::memset(config.data() + cfg::kReceiptPrinter, 'A', 200);  // any but 0
    EXPECT_EQ(ChoosePrinter(config, PrinterChoice::Receipt).name, std::string(200, 'A')) << "no terminator: its width";
}

// A sale with a number no earlier run printed, on the receipt printer by name. One that
// does not open prints nothing, silently: the FaultEndToEnd test's deleted queue.
using PrintJobTest = AppFixture;

TEST_F(PrintJobTest, TheReceiptPrinterByNameWithAnExtraCopyIsTwoPdfsEachFromTheStart) {
    g_app.labels = DefaultLabelTable();
    g_app.basket.SetNumber(7000000 + (GetTickCount() % 1000000) * 3 + GetCurrentProcessId() % 3);
    int pages = 0, copies = 0;
    const auto draw = [&](HDC dc, PageState& state) {
        EXPECT_EQ(std::pair(state.page, state.nextLine), std::pair(1, 0)) << "every copy starts afresh";
        ++pages, PrintReceipt(dc, kStandardReceipt);
    };
    if (!RequirePrinter(kReceiptQueue)) return;
    const std::string dir = UnixPdfDirectory("receipt");
    const std::set<std::string> before = PdfNames(dir);
    g_app.live.SetInt32(cfg::kTermCodes, 1), g_app.live.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
    EXPECT_EQ(RunPrintJob(nullptr, PrinterChoice::Receipt, draw, [&] { ++copies; }, 1), JobResult::Printed);
    EXPECT_EQ(std::pair(pages, copies), std::pair(2, 2));
    EXPECT_EQ(WaitForPdfs(dir, before, "Receipt: " + std::to_string(g_app.basket.Number()), 2), 2) << dir;
    EXPECT_TRUE(messages().messages().empty());
}

}  // namespace
