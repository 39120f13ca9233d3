// The business documents drawn into enhanced metafiles and read back: the texts at
// their rows in their fonts, the logo, the custom header font, and the page loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "link/label_table.h"
#include "printing/document_print.h"
#include "printing/render.h"
#include "shell/app_state.h"
#include "shell/message_box.h"
#include "support/app_fixture.h"
#include "support/metafile_recording.h"

using namespace print;

namespace {

// The frame the documents compute for a metafile on the screen's metrics, with the
// 9-point Arial they measure with.
DocumentFrame ScreenFrame() {
    MetafilePage page;
    HFONT font = CreateFontA(-MulDiv(9, GetDeviceCaps(page.dc(), LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0,
                             0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(page.dc(), font);
    DocumentFrame f = MeasureFrame(MeasurePage(page.dc()));
    SelectObject(page.dc(), old);
    DeleteObject(font);
    return f;
}

// One page of `kind` drawn into a fresh metafile.
Recording DrawPage(int kind, PageState& pages) {
    MetafilePage page;
    PrintDocumentPage(page.dc(), kind, pages);
    return page.Finish();
}

class DocumentPrintTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        TerminalConfig& c = g_app.live;
        const char* headers[6] = {"Shop Name", "1 High Street", "Townsville", "", "", "VAT 123"};
        for (int k = 0; k < 6; ++k) c.SetText(cfg::kHeaderTexts + cfg::kHeaderTextWidth * k, 60, headers[k]);
        CopyHeaderTexts(g_app.headers, c);
        c.SetCurrentAssociate(1);
        c.SetAssociateName(1, "Administrator");
        c.SetText(cfg::kCurrencySign, 6, "$");
        g_app.labels = DefaultLabelTable();
        TransactionRecord& sale = g_app.basket;
        sale.SetNumber(1234);
        sale.SetTime("10:30");
        sale.SetDate("06/12/2024");
    }

    void AddLine(std::int64_t item, const std::string& description, double net) {
        TransactionRecord& sale = g_app.basket;
        int i = sale.LineCount();
        sale.SetLineItemNumber(i, item);
        sale.SetLineDescription(i, description);
        sale.SetLineNonTaxable(i, net);
        sale.SetLineTotal(i, net);
        sale.SetLineCount(i + 1);
        sale.SetTotal(sale.Total() + net);
        sale.SetSubTotal(sale.Total());
    }
};

TEST_F(DocumentPrintTest, Invoice1WithoutCustomerDrawsItsTextsOnTheirRows) {
    AddLine(501, "Blue mug", 4.25);
    AddLine(0, "Gift wrap", 1.50);
    const DocumentFrame f = ScreenFrame();
    ASSERT_GT(f.lh, 0);
    const int dpi = f.inch;

    PageState pages;
    Recording r = DrawPage(kInvoice1, pages);
    EXPECT_EQ(pages.page, 1);
    EXPECT_TRUE(messages().messages().empty());

    struct Expect {
        const char* text;
        int x, y;
        LONG weight;
    };
    const int info = static_cast<int>(1.2 * f.W2);
    const int S = f.F - 2 * f.inch + 40;
    const Expect expected[] = {
        {"Shop Name", f.ox + 40, 3 * f.lh, FW_BOLD},
        {"INVOICE", info, 3 * f.lh, FW_BOLD},
        {"Order Number: 1234", info, f.T + 2 * f.lh, FW_BOLD},
        {"Customer code: N/A", info, f.T + 5 * f.lh, FW_BOLD},
        {"NAME:", f.ox + 40, f.T + 7 * f.lh, FW_BOLD},
        {"ADDRESS:", f.ox + 40, f.T + 8 * f.lh, FW_BOLD},
        {"TELEPHONE:", f.ox + 40, f.T + 9 * f.lh, FW_BOLD},
        {"Blue mug", f.ox + 80, 21 * f.lh, FW_NORMAL},
        {"501", f.ox + 80 + 42 * f.avg, 21 * f.lh, FW_NORMAL},
        {"4.25", f.W - f.ox - 60, 21 * f.lh, FW_NORMAL},
        {"-", f.ox + 80 + 42 * f.avg, 22 * f.lh, FW_NORMAL},
        {"Not Applicable", f.W2 / 2, S, FW_NORMAL},
        {"2", f.W2 / 2, S + 3 * f.lh, FW_NORMAL},
        {"TOTAL: $5.75", f.W - f.ox - 60, f.F - f.inch + 20 - RowY(1.5, f.lh), FW_BOLD},
    };
    for (const Expect& e : expected) {
        const DrawnText* t = r.Find(e.text);
        ASSERT_NE(t, nullptr) << e.text;
        EXPECT_EQ(t->x, e.x) << e.text;
        EXPECT_EQ(t->y, e.y) << e.text;
        EXPECT_EQ(t->weight, e.weight) << e.text;
        EXPECT_EQ(t->face, "Arial") << e.text;
    }
    // 18 points for the title, 9 for the rest.
    EXPECT_EQ(r.Find("INVOICE")->height, -MulDiv(18, dpi, 72));
    EXPECT_EQ(r.Find("Blue mug")->height, -MulDiv(9, dpi, 72));
    EXPECT_EQ(r.Find("Customer code: N/A")->height, -MulDiv(9, dpi, 72));
    EXPECT_EQ(r.Count("Blue mug"), 1);
    EXPECT_TRUE(r.stretches.empty());  // no "letter.bmp" in the data directory
    EXPECT_GT(r.created, 0);
    EXPECT_EQ(r.created, r.deleted);   // every font, pen and brush of the page deleted
}

TEST_F(DocumentPrintTest, LetterLogoIsLoadedFromTheDataDirectory) {
    AddLine(501, "Blue mug", 4.25);
    WriteWholeFile(data("letter.bmp"), BitmapFile(40, 20));
    const DocumentFrame f = ScreenFrame();
    PageState pages;
    Recording r = DrawPage(kInvoice1, pages);
    ASSERT_EQ(r.stretches.size(), 1u);
    EXPECT_EQ(r.stretches[0].xDest, f.ox + 40);
    EXPECT_EQ(r.stretches[0].yDest, f.T + 2 * f.lh);
    EXPECT_EQ(r.stretches[0].cyDest, 6 * f.lh);
    EXPECT_EQ(r.stretches[0].cxDest, 12 * f.lh);
    // The address moves right of the logo.
    ASSERT_NE(r.Find("NAME:"), nullptr);
    EXPECT_EQ(r.Find("NAME:")->x, f.ox + 40 + 7 * f.lh);

    g_app.live.SetSwitch(163, 2);  // no logo on the invoices; the delivery note keeps it
    EXPECT_TRUE(DrawPage(kInvoice1, pages).stretches.empty());
    EXPECT_EQ(DrawPage(kDeliveryNote, pages).stretches.size(), 1u);
}

TEST_F(DocumentPrintTest, CustomInvoiceHeaderUsesTheConfiguredFont) {
    AddLine(501, "Blue mug", 4.25);
    TerminalConfig& c = g_app.live;
    c.SetSwitch(140, 5);
    c.SetSwitch(147, 20);
    PageState pages;
    Recording r = DrawPage(kCustomInvoice, pages);
    ASSERT_NE(r.Find("Shop Name"), nullptr);
    EXPECT_EQ(r.Find("Shop Name")->face, "Arial");  // the normal font while none is set
    EXPECT_EQ(r.Find("Shop Name")->weight, FW_NORMAL);

    c.SetInt32(cfg::kAssociateFlags + 4 * 101, 1);
    c.SetInt32(cfg::kAssociateFlags + 4 * 102, -40);
    c.SetInt32(cfg::kAssociateFlags + 4 * 106, FW_BOLD);
    c.SetText(cfg::kPrinterPortBlock, 200, "Courier New");
    r = DrawPage(kCustomInvoice, pages);
    const DrawnText* header = r.Find("Shop Name");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->face, "Courier New");
    EXPECT_EQ(header->height, -40);
    EXPECT_EQ(header->weight, FW_BOLD);
    EXPECT_EQ(r.Find("Blue mug")->face, "Arial");
    EXPECT_EQ(r.created, r.deleted);
}

TEST_F(DocumentPrintTest, LongBasketPagesUntilEveryItemIsPrintedOnce) {
    for (int i = 0; i < 120; ++i) AddLine(1000 + i, "Item " + std::to_string(i), 1.00);
    std::map<std::string, int> seen;
    std::vector<int> totalsOnPage;
    PageState pages;
    int drawn = 0;
    while (drawn < 60) {
        const int before = pages.page;
        Recording r = DrawPage(kInvoice1, pages);
        ++drawn;
        for (const DrawnText& t : r.texts)
            if (t.text.rfind("Item ", 0) == 0) ++seen[t.text];
        if (r.Find("TOTAL: $120.00")) totalsOnPage.push_back(drawn);
        if (pages.page == before) break;
        EXPECT_EQ(pages.page, before + 1);
    }
    EXPECT_GE(drawn, 3);
    EXPECT_EQ(pages.page, drawn);
    EXPECT_EQ(seen.size(), 120u);
    for (const auto& [text, n] : seen) EXPECT_EQ(n, 1) << text;
    ASSERT_EQ(totalsOnPage.size(), 1u);
    EXPECT_EQ(totalsOnPage[0], drawn);
}

}  // namespace
