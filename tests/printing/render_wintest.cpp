// The renderer and the receipt drawing, recorded into an enhanced metafile and read
// back record by record: what was drawn, where, with which alignment, font, pen and
// brush, and whether every object made for the drawing was deleted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "link/label_table.h"
#include "payment/commit_window.h"
#include "printing/receipt_print.h"
#include "printing/render.h"
#include "shell/app_state.h"
#include "shell/message_box.h"
#include "support/app_fixture.h"
#include "support/metafile_recording.h"

using namespace print;

namespace {

HFONT Arial(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
}

// Runs of '1' in the bars: each Code 39 digit and the start/stop character has five bars.
int BarRuns(const std::vector<RECTL>& bars) {
    int runs = 0;
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (i == 0 || bars[i].left != bars[i - 1].right + 1) ++runs;
    return runs;
}

}  // namespace

TEST(RenderPlan, DrawsTextsAtTheirPointsWithTheirAlignmentAndFont) {
    MetafilePage page;
    HFONT body = Arial(-40, FW_NORMAL);
    HFONT bold = Arial(-40, FW_BOLD);
    HFONT title = Arial(-80, FW_BOLD);
    HGDIOBJ before = GetCurrentObject(page.dc(), OBJ_FONT);

    PagePlan plan;
    plan.Text(100, 50, Align::Left, "Left text");
    plan.Text(500, 60, Align::Centre, "Centred text", FontRole::Bold);
    plan.Text(900, 70, Align::Right, "Right text", FontRole::Title);
    plan.Text(120, 80, Align::Left, "Header falls back", FontRole::Header);
    RenderPlan(page.dc(), plan, PageFonts{body, bold, title, nullptr}, PageLogos{});

    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_FONT), before);
    Recording r = page.Finish();
    DeleteObject(body);
    DeleteObject(bold);
    DeleteObject(title);

    ASSERT_EQ(r.texts.size(), 4u);
    EXPECT_EQ(r.texts[0].text, "Left text");
    EXPECT_EQ(r.texts[0].x, 100);
    EXPECT_EQ(r.texts[0].y, 50);
    EXPECT_EQ(r.texts[0].align, static_cast<UINT>(TA_LEFT | TA_TOP | TA_NOUPDATECP));
    EXPECT_EQ(r.texts[0].weight, FW_NORMAL);
    EXPECT_EQ(r.texts[0].height, -40);

    EXPECT_EQ(r.texts[1].text, "Centred text");
    EXPECT_EQ(r.texts[1].x, 500);
    EXPECT_EQ(r.texts[1].y, 60);
    EXPECT_EQ(r.texts[1].align, static_cast<UINT>(TA_CENTER | TA_TOP | TA_NOUPDATECP));
    EXPECT_EQ(r.texts[1].weight, FW_BOLD);
    EXPECT_EQ(r.texts[1].height, -40);

    EXPECT_EQ(r.texts[2].text, "Right text");
    EXPECT_EQ(r.texts[2].x, 900);
    EXPECT_EQ(r.texts[2].align, static_cast<UINT>(TA_RIGHT | TA_TOP | TA_NOUPDATECP));
    EXPECT_EQ(r.texts[2].height, -80);

    // No header font given: the body font.
    EXPECT_EQ(r.texts[3].weight, FW_NORMAL);
    EXPECT_EQ(r.texts[3].height, -40);
}

TEST(RenderPlan, WithoutFontsDrawsInTheFontTheDeviceHasSelected) {
    MetafilePage page;
    HFONT printerFont = Arial(-33, 600);
    HGDIOBJ stock = SelectObject(page.dc(), printerFont);
    PagePlan plan;
    plan.Text(10, 10, Align::Left, "In the printer's font", FontRole::Bold);
    RenderPlan(page.dc(), plan, PageFonts{}, PageLogos{});
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_FONT), printerFont);
    SelectObject(page.dc(), stock);
    Recording r = page.Finish();
    DeleteObject(printerFont);
    ASSERT_EQ(r.texts.size(), 1u);
    EXPECT_EQ(r.texts[0].height, -33);
    EXPECT_EQ(r.texts[0].weight, 600);
}

TEST(RenderPlan, LinesBandsAndLogosWithEveryObjectDeleted) {
    MetafilePage page;
    HDC screen = GetDC(nullptr);
    HBITMAP logo = CreateCompatibleBitmap(screen, 40, 20);
    ReleaseDC(nullptr, screen);

    PagePlan plan;
    plan.Line(10, 100, 700, 100, 8);
    plan.Line(20, 200, 20, 600);
    plan.Band(Rect{10, 300, 700, 320});
    plan.Logo(Picture::ReceiptLogo, Rect{50, 10, 250, 110});
    plan.Logo(Picture::LetterLogo, Rect{0, 0, 10, 10});  // not loaded: nothing drawn
    RenderPlan(page.dc(), plan, PageFonts{}, PageLogos{logo, nullptr});

    // The device keeps its own pen and brush.
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    Recording r = page.Finish();
    DeleteObject(logo);

    ASSERT_EQ(r.lineStarts.size(), 2u);
    ASSERT_EQ(r.lineEnds.size(), 2u);
    EXPECT_EQ(r.lineStarts[0].x, 10);
    EXPECT_EQ(r.lineStarts[0].y, 100);
    EXPECT_EQ(r.lineEnds[0].x, 700);
    EXPECT_EQ(r.lineEnds[0].y, 100);
    EXPECT_EQ(r.linePenWidths[0], 8);
    EXPECT_LE(r.linePenWidths[1], 1);
    EXPECT_EQ(r.lineEnds[1].y, 600);
    ASSERT_EQ(r.pensCreated.size(), 1u);
    EXPECT_EQ(r.pensCreated[0].lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(r.pensCreated[0].lopnColor, RGB(0, 0, 0));

    ASSERT_EQ(r.fills.size(), 1u);
    EXPECT_EQ(r.fills[0].box.left, 10);
    EXPECT_EQ(r.fills[0].box.top, 300);
    EXPECT_EQ(r.fills[0].box.right, 700);
    EXPECT_EQ(r.fills[0].box.bottom, 320);
    EXPECT_EQ(r.fills[0].brushColour, RGB(230, 230, 230));

    ASSERT_EQ(r.stretches.size(), 1u);
    EXPECT_EQ(r.stretches[0].xDest, 50);
    EXPECT_EQ(r.stretches[0].yDest, 10);
    EXPECT_EQ(r.stretches[0].cxDest, 200);
    EXPECT_EQ(r.stretches[0].cyDest, 100);
    EXPECT_EQ(r.stretches[0].cxSrc, 40);
    EXPECT_EQ(r.stretches[0].cySrc, 20);
    EXPECT_EQ(r.stretches[0].dwRop, static_cast<DWORD>(SRCCOPY));

    // The pen and the brush made for the drawing were deleted.
    EXPECT_EQ(r.created, 2);
    EXPECT_EQ(r.deleted, r.created);
}

TEST(RenderPlan, BarcodeOfSevenIsThirtyBarsInHundredthsOfAMillimetre) {
    MetafilePage page;
    const int centre = 400, top = 300;
    // Where the page centre and the top land in 0.01 mm on this device.
    SetMapMode(page.dc(), MM_HIMETRIC);
    POINT origin{centre, top};
    DPtoLP(page.dc(), &origin, 1);
    SetMapMode(page.dc(), MM_TEXT);

    PagePlan plan;
    plan.Barcode(centre, top, "0007");
    RenderPlan(page.dc(), plan, PageFonts{}, PageLogos{});
    EXPECT_EQ(GetMapMode(page.dc()), MM_TEXT);
    EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    Recording r = page.Finish();

    // "*0007*": six characters of five bars each, two of them wide: 7 modules a character.
    ASSERT_EQ(r.rectangles.size(), 42u);
    EXPECT_EQ(BarRuns(r.rectangles), 30);
    // Six characters of 13 modules of 0.40 mm, centred: from centre - 15.60 mm; the
    // last bar ends one space module before the symbol's end.
    EXPECT_EQ(r.rectangles.front().left, origin.x - 1560);
    EXPECT_EQ(r.rectangles.back().right + 1, origin.x + 1520);
    for (const RECTL& bar : r.rectangles) {
        EXPECT_EQ(bar.right + 1 - bar.left, 40);
        // 10 mm downwards from the top edge: y grows upwards in this mapping mode.
        EXPECT_EQ(bar.top, origin.y - 1000);
        EXPECT_EQ(bar.bottom + 1, origin.y);
    }
    ASSERT_GE(r.mapModes.size(), 2u);
    EXPECT_EQ(r.mapModes[r.mapModes.size() - 2], static_cast<DWORD>(MM_HIMETRIC));
    EXPECT_EQ(r.mapModes.back(), static_cast<DWORD>(MM_TEXT));
}

TEST(RenderPlan, WrappedTextIsCentredInItsBoxAndMeasuredAlike) {
    MetafilePage page;
    HFONT body = Arial(-20, FW_NORMAL);
    HGDIOBJ stock = SelectObject(page.dc(), body);
    const std::string message = "Thank you for shopping with us today please call again soon";
    const PageMetrics m = MeasurePage(page.dc());
    ASSERT_GT(m.lineHeight, 0);
    const int measured = m.wrappedHeight(message, 200);
    SelectObject(page.dc(), stock);

    PagePlan plan;
    plan.Wrapped(Rect{100, 500, 300, 500 + 8 * m.lineHeight}, message);
    RenderPlan(page.dc(), plan, PageFonts{body}, PageLogos{});
    Recording r = page.Finish();
    DeleteObject(body);

    ASSERT_GE(r.texts.size(), 3u);
    // Every word once, in order, over lines that go down one line height at a time.
    std::string joined;
    for (std::size_t i = 0; i < r.texts.size(); ++i) {
        std::string line = r.texts[i].text;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        joined += (i ? " " : "") + line;
        EXPECT_GE(r.texts[i].x, 100);
        EXPECT_EQ(r.texts[i].y, 500 + static_cast<int>(i) * m.lineHeight);
    }
    EXPECT_EQ(joined, message);
    EXPECT_EQ(measured, static_cast<int>(r.texts.size()) * m.lineHeight);
}

TEST(RenderPlan, MessagesGoToTheAssociate) {
    MessageCapture capture;
    MetafilePage page;
    PagePlan plan;
    plan.Message("Unable to get printer");
    RenderPlan(page.dc(), plan, PageFonts{}, PageLogos{});
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_TRUE(capture.Saw("Unable to get printer", "Problem"));
}

TEST(MeasurePage, TakesTheSelectedFontsLineAndTheDevicesPage) {
    MetafilePage page;
    HFONT font = Arial(-30, FW_NORMAL);
    HGDIOBJ stock = SelectObject(page.dc(), font);
    TEXTMETRICA tm{};
    GetTextMetricsA(page.dc(), &tm);
    const PageMetrics m = MeasurePage(page.dc());
    SelectObject(page.dc(), stock);
    DeleteObject(font);
    EXPECT_EQ(m.lineHeight, tm.tmHeight + tm.tmExternalLeading);
    EXPECT_GE(m.lineHeight, 30);
    EXPECT_TRUE(m.variablePitch);  // Arial
    EXPECT_EQ(m.halfWidth, GetDeviceCaps(page.dc(), HORZRES) / 2);
    EXPECT_EQ(m.pageHeight, GetDeviceCaps(page.dc(), VERTRES));
    EXPECT_GT(m.dotsPerInchY, 0);
}

TEST(ReceiptFont, PointSizesOfTheFontSwitch) {
    EXPECT_EQ(ReceiptFontPoints(0), 0);
    EXPECT_EQ(ReceiptFontPoints(1), 9);
    EXPECT_EQ(ReceiptFontPoints(2), 10);
    EXPECT_EQ(ReceiptFontPoints(3), 11);
    EXPECT_EQ(ReceiptFontPoints(4), 12);
    EXPECT_EQ(ReceiptFontPoints(2000), 12);
    EXPECT_EQ(ReceiptFontPoints(-1), 12);
}

// ---------------------------------------------------------------------------------
// A whole receipt of the live basket.

class PrintReceiptTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.labels = DefaultLabelTable();
        g_app.live.SetSwitch(34, 4);  // 12-point Arial
        g_app.live.SetCurrentAssociate(1);
        g_app.live.SetAssociateName(1, "Administrator");
        TransactionRecord& sale = g_app.basket;
        sale.SetNumber(7);
        sale.SetLineCount(2);
        sale.SetLineItemNumber(0, 1001);
        sale.SetLineDescription(0, "Blue mug");
        sale.SetLineNonTaxable(0, 4.0);
        sale.SetLineTotal(0, 4.0);
        sale.SetLineItemNumber(1, 1002);
        sale.SetLineDescription(1, "Teapot");
        sale.SetLineNonTaxable(1, 11.5);
        sale.SetLineTotal(1, 11.5);
        sale.SetNonTaxableTotal(15.5);
        sale.SetSubTotal(15.5);
        sale.SetTotal(15.5);
        sale.SetCashPaid(15.5);
        sale.SetPaymentType("Cash");
        sale.SetTime("10:15");
        sale.SetDate("06/12/2026");
        g_saleTender = TenderResult{20.0, 4.5};
    }

    Recording PrintStandard() {
        MetafilePage page;
        PrintReceipt(page.dc(), kStandardReceipt);
        EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
        return page.Finish();
    }
};

TEST_F(PrintReceiptTest, SaleOfTwoLinesInTwelvePointArial) {
    Recording r = PrintStandard();
    EXPECT_NE(r.Find("Receipt: 7"), nullptr);
    EXPECT_TRUE(r.HasTextStartingWith("Blue mug"));
    EXPECT_TRUE(r.HasTextStartingWith("Teapot"));
    EXPECT_NE(r.Find("Total: 15.50"), nullptr);
    EXPECT_NE(r.Find("Cash change: 4.50"), nullptr);
    EXPECT_NE(r.Find("Payment: Cash"), nullptr);

    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(r.fontsCreated.size(), 1u);
    EXPECT_EQ(r.fontsCreated[0].lfHeight, height);
    EXPECT_EQ(r.fontsCreated[0].lfWeight, FW_NORMAL);
    EXPECT_EQ(std::wstring(r.fontsCreated[0].lfFaceName), L"Arial");
    const DrawnText* receipt = r.Find("Receipt: 7");
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->height, height);
    EXPECT_EQ(r.deleted, r.created);
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(PrintReceiptTest, RefundShowsTheRefundNumberAndNoChange) {
    g_app.basket.SetPaymentType("Refund");
    Recording r = PrintStandard();
    EXPECT_NE(r.Find("Refund: 7"), nullptr);
    EXPECT_EQ(r.Find("Receipt: 7"), nullptr);
    EXPECT_FALSE(r.HasTextStartingWith("Cash change"));
}

TEST_F(PrintReceiptTest, PrinterFontWhenTheSwitchIsZero) {
    g_app.live.SetSwitch(34, 0);
    Recording r = PrintStandard();
    EXPECT_TRUE(r.fontsCreated.empty());
    EXPECT_NE(r.Find("Receipt: 7"), nullptr);
}

TEST_F(PrintReceiptTest, LogoFromTheDataDirectoryAtHalfWidth) {
    WriteWholeFile(data("receipt.bmp"), BitmapFile(40, 20));
    g_app.live.SetSwitch(123, 2);
    MetafilePage page;
    const int halfWidth = GetDeviceCaps(page.dc(), HORZRES) / 2;
    PrintReceipt(page.dc(), kStandardReceipt);
    Recording r = page.Finish();
    ASSERT_EQ(r.stretches.size(), 1u);
    EXPECT_EQ(r.stretches[0].xDest, halfWidth / 2);
    EXPECT_EQ(r.stretches[0].yDest, 10);
    EXPECT_EQ(r.stretches[0].cxDest, halfWidth);
    EXPECT_EQ(r.stretches[0].cyDest, halfWidth * 20 / 40);
    EXPECT_EQ(r.stretches[0].cxSrc, 40);
    EXPECT_EQ(r.stretches[0].cySrc, 20);
}

TEST_F(PrintReceiptTest, KitchenTicketNamesTheTable) {
    g_app.basketTable = 3;
    MetafilePage page;
    PrintKitchenTicketPage(page.dc());
    Recording r = page.Finish();
    EXPECT_NE(r.Find("Table: 3"), nullptr);
    EXPECT_NE(r.Find("Transaction note:"), nullptr);
    EXPECT_TRUE(r.HasTextStartingWith("Blue mug"));
    EXPECT_EQ(r.Find("Receipt: 7"), nullptr);
    EXPECT_EQ(r.deleted, r.created);
}
