#include "printing/document_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/plan_text.h"

namespace {

using namespace print;

// The page used throughout: 600 dpi, lh 60, W2 2400, H 6600, offsets 100, average
// width 30. Frame: W 4800, F 6500, T 330, inch 600, F - inch 5900; product code
// column 100 + 80 + 42 x 30 = 1440, amount column 4640, column line at 1410.
constexpr int kLh = 60;
constexpr int kCode = 1440;
constexpr int kAmount = 4640;

PageMetrics PrinterMetrics() {
    PageMetrics m;
    m.lineHeight = kLh;
    m.halfWidth = 2400;
    m.pageHeight = 6600;
    m.leftOffset = 100;
    m.topOffset = 100;
    m.averageCharWidth = 30;
    m.variablePitch = true;
    m.dotsPerInchX = 600;
    m.dotsPerInchY = 600;
    m.physicalWidth = 5100;
    return m;
}

int Y(double row) { return RowY(row, kLh); }

std::string T(int x, int y, char align, const char* font, const std::string& text) {
    return DescribeText(x, y, align, font, text);
}

// The texts of a plan, without positions.
std::vector<std::string> TextsOf(const PagePlan& plan) {
    std::vector<std::string> out;
    for (const PlanItem& item : plan.items)
        if (auto t = std::get_if<TextItem>(&item)) out.push_back(t->text);
    return out;
}

int Count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

// Fails with the whole plan when `line` is missing.
#define EXPECT_PLAN_HAS(plan, line)                                                   \
    do {                                                                              \
        const auto described_ = Describe(plan);                                       \
        std::string all_;                                                             \
        for (const auto& d_ : described_) all_ += d_ + "\n";                          \
        EXPECT_NE(std::find(described_.begin(), described_.end(), (line)), described_.end()) \
            << "missing: " << (line) << "\nplan:\n" << all_;                          \
    } while (0)

#define EXPECT_PLAN_LACKS_TEXT(plan, text) EXPECT_EQ(Count(TextsOf(plan), (text)), 0) << (text)

class DocumentLayoutTest : public testing::Test {
protected:
    void SetUp() override {
        const char* headers[6] = {"Shop Name", "1 High Street", "Townsville", "Header 4", "Header 5", "VAT 123"};
        for (int k = 0; k < 6; ++k) config.SetText(cfg::kHeaderTexts + cfg::kHeaderTextWidth * k, 60, headers[k]);
        CopyHeaderTexts(headerTexts, config);
        config.SetCurrentAssociate(1);
        config.SetAssociateName(1, "Administrator");
        config.SetText(cfg::kCurrencySign, 6, "$");
        config.SetText(cfg::kTax1Name, cfg::kTaxNameWidth, "VAT");
        config.SetText(cfg::kTax2Name, cfg::kTaxNameWidth, "GST");
        config.SetSwitch(163, 2);  // no letter logo unless a test asks for one
        sale.SetNumber(1234);
        sale.SetTime("10:30");
        sale.SetDate("06/12/2024");
        in.sale = &sale;
        in.config = &config;
        in.labels = &labels;
        in.headers = &headerTexts;
    }

    void AddLine(std::int64_t item, const std::string& description, double net) {
        int i = sale.LineCount();
        sale.SetLineItemNumber(i, item);
        sale.SetLineDescription(i, description);
        sale.SetLineNonTaxable(i, net);
        sale.SetLineTotal(i, net);
        sale.SetLineCount(i + 1);
    }

    void TwoLines() {
        AddLine(501, "Blue mug", 4.25);
        AddLine(0, "Gift wrap", 1.50);
        sale.SetSubTotal(5.75);
        sale.SetNonTaxableTotal(5.75);
        sale.SetTotal(5.75);
    }

    void AttachCustomer() {
        sale.SetCustomerNumber(77);
        sale.SetCustomerName("Ann Smith");
        sale.SetCustomerRoad("2 Mill Lane");
        sale.SetCustomerArea("Eastside");
        sale.SetCustomerTown("Riverton");
        sale.SetCustomerPostCode("RV1 2AB");
        sale.SetCustomerTelephone("0123 456");
        sale.SetBalanceBefore(10);
        sale.SetBalanceAfter(15.75);
        in.customerNumber = 77;
        in.customerTerms = 2;
        config.SetInt32(cfg::kTermCodes + 4 * 2, 3);  // 5% disc
        config.SetOption(22, 4);                      // 30 days
    }

    PagePlan Lay(int kind) {
        pages = PageState{};
        return LayOutDocument(in, metrics, kind, pages);
    }

    // Every page of the document, until the page counter stops advancing.
    std::vector<PagePlan> AllPages(int kind) {
        std::vector<PagePlan> out;
        pages = PageState{};
        for (int guard = 0; guard < 50; ++guard) {
            int before = pages.page;
            out.push_back(LayOutDocument(in, metrics, kind, pages));
            if (pages.page == before) break;
        }
        return out;
    }

    TransactionRecord sale;
    TerminalConfig config;
    LabelTable labels = DefaultLabelTable();
    HeaderTexts headerTexts;
    SaleDocumentInputs in;
    PageMetrics metrics = PrinterMetrics();
    PageState pages;
};

// ---------------------------------------------------------------------------------

TEST_F(DocumentLayoutTest, FrameFallsBackAndKeepsAQuarterInchOnDevicesWithoutMargins) {
    DocumentFrame f = MeasureFrame(metrics);
    EXPECT_EQ(f.lh, 60);
    EXPECT_EQ(f.W, 4800);
    EXPECT_EQ(f.F, 6500);
    EXPECT_EQ(f.T, 330);
    EXPECT_EQ(f.ox, 100);
    EXPECT_FALSE(f.defaulted);

    PageMetrics blank;
    blank.dotsPerInchY = 600;
    blank.physicalWidth = 5000;  // margins: the offsets stay 0
    f = MeasureFrame(blank);
    EXPECT_EQ(f.lh, 100);
    EXPECT_TRUE(f.defaulted);
    EXPECT_EQ(f.W2, 2480);
    EXPECT_EQ(f.H, 7016);
    EXPECT_EQ(f.ox, 0);
    EXPECT_EQ(f.F, 7016);
    EXPECT_EQ(f.T, 350);

    PageMetrics borderless = metrics;
    borderless.leftOffset = 0;
    borderless.topOffset = 0;
    borderless.physicalWidth = 4800;  // the whole paper is printable
    f = MeasureFrame(borderless);
    EXPECT_EQ(f.ox, 150);
    EXPECT_EQ(f.oy, 150);
    EXPECT_EQ(f.F, 6450);
    borderless.physicalWidth = 4801;  // an odd printable width
    EXPECT_EQ(MeasureFrame(borderless).ox, 150);
    borderless.leftOffset = 20;  // a device margin is kept as it is
    EXPECT_EQ(MeasureFrame(borderless).ox, 20);
}

TEST_F(DocumentLayoutTest, ZeroLineHeightPrintsWithOneHundredAfterTheMessage) {
    TwoLines();
    metrics.lineHeight = 0;
    PagePlan plan = Lay(kInvoice1);
    ASSERT_FALSE(plan.items.empty());
    EXPECT_EQ(Describe(plan.items.front()), "M Printer detail unavailable, using defaults");
    EXPECT_PLAN_HAS(plan, T(2880, 300, 'L', "title", "INVOICE"));
    EXPECT_PLAN_HAS(plan, T(180, 2100, 'L', "body", "Blue mug"));  // row 21 x 100
    EXPECT_EQ(Count(Describe(plan), "M Printer detail unavailable, using defaults"), 1);

    metrics = PrinterMetrics();
    EXPECT_EQ(Count(Describe(Lay(kInvoice1)), "M Printer detail unavailable, using defaults"), 0);
}

TEST_F(DocumentLayoutTest, Invoice1WithoutCustomerShowsThePlaceholders) {
    TwoLines();
    PagePlan plan = Lay(kInvoice1);
    EXPECT_EQ(pages.page, 1);

    EXPECT_PLAN_HAS(plan, T(140, Y(3), 'L', "title", "Shop Name"));
    EXPECT_PLAN_HAS(plan, T(2880, Y(3), 'L', "title", "INVOICE"));
    // Order block at 1.2 x W2, from T + 2 lh.
    EXPECT_PLAN_HAS(plan, T(2880, 450, 'L', "bold", "Order Number: 1234"));
    EXPECT_PLAN_HAS(plan, T(2880, 510, 'L', "bold", "10:30  06/12/2024"));
    EXPECT_PLAN_HAS(plan, T(2880, 570, 'L', "bold", "Associate: Administrator"));
    EXPECT_PLAN_HAS(plan, T(2880, 630, 'L', "bold", "Customer code: N/A"));
    // Address block at ox + 40 without a logo.
    EXPECT_PLAN_HAS(plan, T(140, 450, 'L', "bold", "1 High Street"));
    EXPECT_PLAN_HAS(plan, T(140, 510, 'L', "bold", "Townsville"));
    EXPECT_PLAN_HAS(plan, T(140, 570, 'L', "bold", "VAT 123"));
    EXPECT_PLAN_HAS(plan, T(140, 690, 'L', "bold", "CUSTOMER"));
    EXPECT_PLAN_HAS(plan, T(140, 750, 'L', "bold", "NAME:"));
    EXPECT_PLAN_HAS(plan, T(140, 810, 'L', "bold", "ADDRESS:"));
    EXPECT_PLAN_HAS(plan, T(140, 870, 'L', "bold", "TELEPHONE:"));
    // Column heading band.
    EXPECT_PLAN_HAS(plan, "G 110 1050 4680 1170");
    EXPECT_PLAN_HAS(plan, T(140, Y(18), 'L', "bold", "DESCRIPTION"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(18), 'L', "bold", "PRODUCT CODE"));
    EXPECT_PLAN_HAS(plan, T(kAmount, Y(18), 'R', "bold", "LINE COST"));
    // Frame and items: row 21 on.
    EXPECT_PLAN_HAS(plan, "L 110 1050 4680 1050 8");
    EXPECT_PLAN_HAS(plan, "L 110 1050 110 6490 8");
    EXPECT_PLAN_HAS(plan, "L 4680 1050 4680 6490 8");
    EXPECT_PLAN_HAS(plan, T(180, Y(21), 'L', "body", "Blue mug"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(21), 'L', "body", "501"));
    EXPECT_PLAN_HAS(plan, T(kAmount, Y(21), 'R', "body", "4.25"));
    EXPECT_PLAN_HAS(plan, T(180, Y(22), 'L', "body", "Gift wrap"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(22), 'L', "body", "-"));
    EXPECT_PLAN_HAS(plan, T(kAmount, Y(22), 'R', "body", "1.50"));
    // The column line closes under the items (r = 3: 24.5 lh) with a line across.
    EXPECT_PLAN_HAS(plan, "L 1410 1050 1410 1470 8");
    EXPECT_PLAN_HAS(plan, "L 110 1470 4680 1470 8");
    EXPECT_PLAN_HAS(plan, T(140, Y(25), 'L', "body", "SUBTOTAL: $5.75"));
    EXPECT_PLAN_HAS(plan, "G 110 1590 4680 1610");
    // Summary from S = F - 2 inch + 40 = 5340.
    EXPECT_PLAN_HAS(plan, T(160, 5340, 'L', "body", "CUSTOMER NO"));
    EXPECT_PLAN_HAS(plan, T(1200, 5340, 'L', "body", "Not Applicable"));
    EXPECT_PLAN_HAS(plan, T(160, 5400, 'L', "body", "TELEPHONE"));
    EXPECT_PLAN_HAS(plan, T(160, 5460, 'L', "body", "NOTES"));
    EXPECT_PLAN_HAS(plan, T(160, 5520, 'L', "body", "ITEMS"));
    EXPECT_PLAN_HAS(plan, T(1200, 5520, 'L', "body", "2"));
    EXPECT_PLAN_HAS(plan, T(2430, 5340, 'L', "body", "NON TX"));
    EXPECT_PLAN_HAS(plan, T(3560, 5340, 'R', "body", "5.75"));
    EXPECT_PLAN_HAS(plan, T(2430, 5520, 'L', "body", "SUBTOTAL"));
    EXPECT_PLAN_HAS(plan, T(3640, 5340, 'L', "body", "VAT"));
    EXPECT_PLAN_HAS(plan, T(kAmount, 5340, 'R', "body", "0.00"));
    EXPECT_PLAN_HAS(plan, T(kAmount, 5830, 'R', "bold", "TOTAL: $5.75"));
    EXPECT_PLAN_HAS(plan, "L 2400 5300 2400 5920 8");
    EXPECT_PLAN_HAS(plan, "G 110 5300 4680 5320");
    // Bottom: signature boxes, the band at F - inch and the barcode 0.79 inch up.
    EXPECT_PLAN_HAS(plan, T(160, 6250, 'L', "body", "Authorized"));
    EXPECT_PLAN_HAS(plan, T(160, 6350, 'L', "body", "..........................."));
    EXPECT_PLAN_HAS(plan, T(kAmount, 6250, 'R', "body", "Received"));
    EXPECT_PLAN_HAS(plan, T(kAmount, 6350, 'R', "body", "..........................."));
    EXPECT_PLAN_HAS(plan, "G 110 5900 4680 5920");
    EXPECT_PLAN_HAS(plan, "B 2400 6016 1234");
    EXPECT_PLAN_LACKS_TEXT(plan, "Customer code: 0");
}

TEST_F(DocumentLayoutTest, Invoice1WithCustomerAndLogo) {
    TwoLines();
    AttachCustomer();
    sale.SetNote("Leave at door");
    config.SetSwitch(163, 0);
    in.letterLogo = {200, 100};
    PagePlan plan = Lay(kInvoice1);
    EXPECT_PLAN_HAS(plan, "P 140 450 860 810");  // 6 lh high at (ox + 40, T + 2 lh)
    EXPECT_PLAN_HAS(plan, T(2880, 630, 'L', "bold", "Customer code: 77"));
    // The address moves right of the logo: ox + 40 + 7 lh.
    EXPECT_PLAN_HAS(plan, T(560, 450, 'L', "bold", "1 High Street"));
    EXPECT_PLAN_HAS(plan, T(560, 750, 'L', "bold", "Ann Smith"));
    EXPECT_PLAN_HAS(plan, T(560, 810, 'L', "bold", "2 Mill Lane"));
    EXPECT_PLAN_HAS(plan, T(560, 870, 'L', "bold", "Eastside"));
    EXPECT_PLAN_HAS(plan, T(560, 930, 'L', "bold", "Riverton"));
    EXPECT_PLAN_HAS(plan, T(560, 990, 'L', "bold", "RV1 2AB"));
    EXPECT_PLAN_HAS(plan, T(1200, 5340, 'L', "body", "77"));
    EXPECT_PLAN_HAS(plan, T(1200, 5400, 'L', "body", "0123 456"));
    EXPECT_PLAN_HAS(plan, T(1200, 5460, 'L', "body", "Leave at door"));
    for (const char* placeholder : {"NAME:", "ADDRESS:", "TELEPHONE:", "Not Applicable", "Customer code: N/A"})
        EXPECT_PLAN_LACKS_TEXT(plan, placeholder);

    // Switch [163] on: no logo and the address back at ox + 40.
    config.SetSwitch(163, 2);
    plan = Lay(kInvoice1);
    EXPECT_PLAN_HAS(plan, T(140, 750, 'L', "bold", "Ann Smith"));
    for (const auto& d : Describe(plan)) EXPECT_NE(d[0], 'P') << d;
}

TEST_F(DocumentLayoutTest, Invoice2BlocksWithAndWithoutCustomer) {
    TwoLines();
    PagePlan plan = Lay(kInvoice2);
    EXPECT_PLAN_HAS(plan, T(4680, Y(3), 'R', "title", "INVOICE"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(5), 'C', "body", "Shop Name"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(6), 'C', "body", "1 High Street"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(7), 'C', "body", "Townsville"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(8), 'C', "body", "VAT 123"));
    EXPECT_PLAN_HAS(plan, "G 110 750 4680 870");
    EXPECT_PLAN_HAS(plan, T(140, Y(13), 'L', "bold", "Order Number: 1234"));
    EXPECT_PLAN_HAS(plan, T(140, Y(15), 'L', "body", "10:30  06/12/2024"));
    EXPECT_PLAN_HAS(plan, T(140, Y(16), 'L', "body", "Associate: Administrator"));
    EXPECT_PLAN_HAS(plan, "L 110 750 4680 750 8");  // the frame's top at 12.5 lh
    EXPECT_PLAN_HAS(plan, T(kCode, Y(22), 'L', "body", "-"));
    EXPECT_PLAN_HAS(plan, T(160, 5340, 'L', "body", "CUSTOMER NO"));
    EXPECT_PLAN_HAS(plan, T(1200, 5340, 'L', "body", "Not Applicable"));
    EXPECT_PLAN_HAS(plan, T(160, 5400, 'L', "body", "CUSTOMER"));
    EXPECT_PLAN_HAS(plan, T(160, 5460, 'L', "body", "TELEPHONE"));
    EXPECT_PLAN_HAS(plan, T(1200, 5520, 'L', "body", "2"));
    EXPECT_PLAN_HAS(plan, T(kAmount, 5830, 'R', "bold", "TOTAL: $5.75"));
    for (const char* absent : {"NOTES", "Customer code: N/A", "NAME:", "CUSTOMER NO: 0"})
        EXPECT_PLAN_LACKS_TEXT(plan, absent);
    EXPECT_EQ(pages.page, 1);

    AttachCustomer();
    plan = Lay(kInvoice2);
    EXPECT_PLAN_HAS(plan, T(1200, 5340, 'L', "body", "77"));
    EXPECT_PLAN_HAS(plan, T(1200, 5400, 'L', "body", "Ann Smith"));
    EXPECT_PLAN_HAS(plan, T(1200, 5460, 'L', "body", "0123 456"));
    // Customer block after the items: r = 3, rows r + 25 to r + 32.
    EXPECT_PLAN_HAS(plan, T(140, Y(28), 'L', "body", "CUSTOMER NO: 77"));
    EXPECT_PLAN_HAS(plan, T(140, Y(29), 'L', "body", "Ann Smith"));
    EXPECT_PLAN_HAS(plan, T(140, Y(33), 'L', "body", "RV1 2AB"));
    EXPECT_PLAN_HAS(plan, "L 110 2070 4680 2070 8");
    EXPECT_PLAN_HAS(plan, T(140, Y(35), 'L', "body", "Terms: 5% disc, 30 days"));
    EXPECT_EQ(pages.page, 1);
}

TEST_F(DocumentLayoutTest, DeliveryNoteBlocks) {
    TwoLines();
    PagePlan plan = Lay(kDeliveryNote);
    EXPECT_PLAN_HAS(plan, T(2400, Y(3), 'C', "title", "Delivery Note"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(6), 'C', "body", "Shop Name"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(9), 'C', "body", "VAT 123"));
    EXPECT_PLAN_HAS(plan, T(140, Y(13), 'L', "bold", "Transaction reference: 1234"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(18), 'L', "bold", "LINE COST"));
    // No product code column: the amounts stand in it, left-aligned.
    EXPECT_PLAN_HAS(plan, T(kCode, Y(21), 'L', "body", "4.25"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(22), 'L', "body", "1.50"));
    for (const char* absent : {"PRODUCT CODE", "-", "501", "Received", "INVOICE", "Order Number: 1234",
                               "Not Applicable", "CUSTOMER NO: 0"})
        EXPECT_PLAN_LACKS_TEXT(plan, absent);
    // No tax, no discount: t = r + 1 = 4; the total on t + 22.
    EXPECT_PLAN_HAS(plan, T(140, Y(26), 'L', "bold", "TOTAL: $5.75"));
    EXPECT_PLAN_HAS(plan, "G 110 1650 4680 1670");
    EXPECT_PLAN_HAS(plan, T(160, 6250, 'L', "body", "Shortages must be"));
    EXPECT_PLAN_HAS(plan, T(160, 6350, 'L', "body", "notified within 3 days"));
    EXPECT_PLAN_HAS(plan, T(kAmount, 6250, 'R', "body", "Authorized"));
    EXPECT_PLAN_HAS(plan, T(kAmount, 6350, 'R', "body", "......................."));
    EXPECT_PLAN_HAS(plan, "B 2400 6016 1234");

    // Logo whatever switch [163] says, 11 lh high at (ox + 10, lh).
    in.letterLogo = {300, 100};
    EXPECT_PLAN_HAS(Lay(kDeliveryNote), "P 110 60 2090 720");
}

TEST_F(DocumentLayoutTest, DeliveryNoteTotalsAndCustomerBlock) {
    TwoLines();
    sale.SetTax1Total(1.15);
    sale.SetDiscountTotal(0.50);
    sale.SetTotal(6.40);
    AttachCustomer();
    PagePlan plan = Lay(kDeliveryNote);
    // r = 3; a tax: t = 5 (sub total on 25), tax 1 on t = 6 (26), the discount t = 7 (27).
    EXPECT_PLAN_HAS(plan, T(140, Y(25), 'L', "body", "SUBTOTAL: 5.75"));
    EXPECT_PLAN_HAS(plan, T(140, Y(26), 'L', "body", "VAT: 1.15"));
    EXPECT_PLAN_HAS(plan, T(140, Y(27), 'L', "body", "DISCOUNT: (0.50)"));
    EXPECT_PLAN_HAS(plan, T(140, Y(29), 'L', "bold", "TOTAL: $6.40"));
    EXPECT_PLAN_LACKS_TEXT(plan, "GST: 0.00");
    // Customer block from t + 24 = 31.
    EXPECT_PLAN_HAS(plan, T(140, Y(31), 'L', "body", "CUSTOMER NO: 77"));
    EXPECT_PLAN_HAS(plan, T(140, Y(32), 'L', "body", "Ann Smith"));
    EXPECT_PLAN_HAS(plan, T(140, Y(36), 'L', "body", "RV1 2AB"));
    EXPECT_PLAN_HAS(plan, "L 110 2250 4680 2250 8");
    EXPECT_PLAN_HAS(plan, T(140, Y(38), 'L', "body", "Terms: 5% disc, 30 days"));
    EXPECT_PLAN_HAS(plan, T(140, Y(39), 'L', "body", "Previous balance: 10.00"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(40), 'C', "body", "Balance: 15.75"));

    // Without taxes a discount brings the line cost first: t = 4 + 1, then 6.
    sale.SetTax1Total(0);
    plan = Lay(kDeliveryNote);
    EXPECT_PLAN_HAS(plan, T(140, Y(25), 'L', "body", "LINE COST: 5.75"));
    EXPECT_PLAN_HAS(plan, T(140, Y(26), 'L', "body", "DISCOUNT: (0.50)"));
    EXPECT_PLAN_HAS(plan, T(140, Y(28), 'L', "bold", "TOTAL: $6.40"));
}

TEST_F(DocumentLayoutTest, TermsTextInBothForms) {
    EXPECT_EQ(TermsText(config, labels, 2, TermsForm::Invoice), "Terms: ");
    config.SetInt32(cfg::kTermCodes + 4 * 2, 3);
    config.SetOption(22, 4);
    EXPECT_EQ(TermsText(config, labels, 2, TermsForm::Invoice), "Terms: 5% disc, 30 days");
    EXPECT_EQ(TermsText(config, labels, 2, TermsForm::DeliveryNote), "Terms: 5% disc, 30 days");
    // The separator belongs to the discount on the delivery note, to the days on the invoice.
    config.SetOption(22, 1);
    EXPECT_EQ(TermsText(config, labels, 2, TermsForm::Invoice), "Terms: 5% disc");
    EXPECT_EQ(TermsText(config, labels, 2, TermsForm::DeliveryNote), "Terms: 5% disc, ");
    config.SetInt32(cfg::kTermCodes + 4 * 2, 9);
    config.SetOption(22, 8);
    EXPECT_EQ(TermsText(config, labels, 2, TermsForm::Invoice), "Terms: , 180 days");
    EXPECT_EQ(TermsText(config, labels, 2, TermsForm::DeliveryNote), "Terms: 180 days");
    // Every code of each table, at terms index 9.
    const char* discounts[] = {"Nett", "2% disc", "5% disc", "10% disc", "20% disc", "30% disc", "40% disc",
                               "50% disc"};
    const char* days[] = {"10 days", "20 days", "30 days", "60 days", "90 days", "120 days", "180 days"};
    for (int code = 1; code <= 8; ++code) {
        config.SetInt32(cfg::kTermCodes + 4 * 9, code);
        config.SetOption(29, code + 1 <= 8 ? code + 1 : 0);
        std::string expectDays = code + 1 <= 8 ? std::string(", ") + days[code - 1] : "";
        EXPECT_EQ(TermsText(config, labels, 9, TermsForm::Invoice), "Terms: " + std::string(discounts[code - 1]) + expectDays);
    }
    // Entry 0 of the table is the receipt printer's index, never a term.
    config.SetInt32(cfg::kTermCodes, 3);
    config.SetOption(20, 4);
    EXPECT_EQ(TermsText(config, labels, 0, TermsForm::DeliveryNote), "Terms: ");
    labels.SetEntry(35, "Conditions");
    EXPECT_EQ(TermsText(config, labels, 10, TermsForm::Invoice), "Conditions: ");
}

TEST_F(DocumentLayoutTest, LinesGroupOnlyWithTheSameDescription) {
    AddLine(42, "Red pen", 1.50);
    AddLine(42, "Red pen (spare)", 1.50);
    AddLine(42, "Red pen", 1.50);
    AddLine(43, "Ruler", 2.00);
    PagePlan plan = Lay(kInvoice1);
    // Lines 0 and 2 group: the description, then "2 @ 1.50" and 3.00 one row lower.
    EXPECT_PLAN_HAS(plan, T(180, Y(21), 'L', "body", "Red pen"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(21), 'L', "body", "42"));
    EXPECT_PLAN_HAS(plan, T(180, Y(22), 'L', "body", "2 @ 1.50"));
    EXPECT_PLAN_HAS(plan, T(kAmount, Y(22), 'R', "body", "3.00"));
    EXPECT_PLAN_HAS(plan, T(180, Y(23), 'L', "body", "Red pen (spare)"));
    EXPECT_PLAN_HAS(plan, T(kAmount, Y(23), 'R', "body", "1.50"));
    EXPECT_PLAN_HAS(plan, T(180, Y(24), 'L', "body", "Ruler"));
    EXPECT_EQ(Count(TextsOf(plan), "Red pen"), 1);
    EXPECT_EQ(Count(TextsOf(plan), "42"), 2);
    // r = 5 after the items (2 + 1 + 1 rows): the column line closes at 26.5 lh.
    EXPECT_PLAN_HAS(plan, "L 1410 1050 1410 1590 8");
    // Lines: the basket's count, not the rows.
    EXPECT_PLAN_HAS(plan, T(1200, 5520, 'L', "body", "4"));
}

TEST_F(DocumentLayoutTest, LongBasketContinuesFromTheFirstLineNotPrinted) {
    for (int i = 0; i < 120; ++i) AddLine(1000 + i, "Item " + std::to_string(i), 1.00);
    sale.SetTotal(120);
    // Page 1: the break comes when (r + 32) x 60 passes 5900, at r = 67: 66 items.
    PagePlan first = Lay(kInvoice1);
    EXPECT_EQ(pages.page, 2);
    EXPECT_EQ(pages.nextLine, 66);
    std::vector<std::string> texts = TextsOf(first);
    EXPECT_EQ(Count(texts, "Item 65"), 1);
    EXPECT_EQ(Count(texts, "Item 66"), 0);
    EXPECT_EQ(Count(texts, "TOTAL: $120.00"), 0);
    EXPECT_EQ(Count(texts, "ITEMS"), 0);
    EXPECT_PLAN_HAS(first, "L 1410 1050 1410 5900 8");  // the column line to F - inch
    EXPECT_PLAN_HAS(first, T(2880, 450, 'L', "bold", "Order Number: 1234"));  // the frame on every page

    PagePlan second = LayOutDocument(in, metrics, kInvoice1, pages);
    EXPECT_EQ(pages.page, 2);
    texts = TextsOf(second);
    EXPECT_PLAN_HAS(second, T(180, Y(21), 'L', "body", "Item 66"));
    EXPECT_EQ(Count(texts, "TOTAL: $120.00"), 1);
    EXPECT_PLAN_HAS(second, T(1200, 5520, 'L', "body", "120"));
    EXPECT_PLAN_HAS(second, T(2880, 450, 'L', "bold", "Order Number: 1234"));

    // Every document prints each line exactly once across its pages.
    for (int kind : {kInvoice1, kInvoice2, kDeliveryNote}) {
        std::vector<PagePlan> all = AllPages(kind);
        ASSERT_GE(all.size(), 2u) << kind;
        std::map<std::string, int> seen;
        for (const PagePlan& page : all)
            for (const std::string& t : TextsOf(page))
                if (t.rfind("Item ", 0) == 0) ++seen[t];
        EXPECT_EQ(seen.size(), 120u) << kind;
        for (const auto& [text, n] : seen) EXPECT_EQ(n, 1) << kind << " " << text;
    }
    // The delivery note's page holds fewer rows: (r + 25) x 60 passes 5900 at r = 74.
    Lay(kDeliveryNote);
    EXPECT_EQ(pages.nextLine, 73);
}

TEST_F(DocumentLayoutTest, SummaryThatDoesNotFitMovesToAPageOfItsOwn) {
    // 60 items: r = 61, no page break, but (61 + 42) x 60 passes 5900 with a customer.
    for (int i = 0; i < 60; ++i) AddLine(1000 + i, "Item " + std::to_string(i), 1.00);
    sale.SetTotal(60);
    AttachCustomer();
    std::vector<PagePlan> all = AllPages(kInvoice2);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(pages.page, 2);
    EXPECT_EQ(Count(TextsOf(all[0]), "Item 59"), 1);
    EXPECT_EQ(Count(TextsOf(all[0]), "TOTAL: $60.00"), 0);
    EXPECT_EQ(Count(TextsOf(all[0]), "CUSTOMER NO: 77"), 0);
    for (const std::string& t : TextsOf(all[1])) EXPECT_NE(t.rfind("Item ", 0), 0u) << t;
    EXPECT_PLAN_HAS(all[1], T(kAmount, 5830, 'R', "bold", "TOTAL: $60.00"));
    EXPECT_PLAN_HAS(all[1], T(140, Y(26), 'L', "body", "CUSTOMER NO: 77"));  // r = 1 on that page

    // Without a customer the summary stays on the items' page.
    sale.SetCustomerNumber(0);
    EXPECT_EQ(AllPages(kInvoice2).size(), 1u);

    // The delivery note with 66 items (r = 67): (67 + 29) x 60 fits without a customer,
    // (67 + 34) x 60 does not with one.
    for (int i = 60; i < 66; ++i) AddLine(1000 + i, "Item " + std::to_string(i), 1.00);
    EXPECT_EQ(AllPages(kDeliveryNote).size(), 1u);
    sale.SetCustomerNumber(77);
    all = AllPages(kDeliveryNote);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(Count(TextsOf(all[0]), "Item 65"), 1);
    EXPECT_EQ(Count(TextsOf(all[0]), "TOTAL: $60.00"), 0);
    for (const std::string& t : TextsOf(all[1])) EXPECT_NE(t.rfind("Item ", 0), 0u) << t;
    EXPECT_PLAN_HAS(all[1], T(140, Y(24), 'L', "bold", "TOTAL: $60.00"));  // t = 2
    EXPECT_PLAN_HAS(all[1], T(140, Y(26), 'L', "body", "CUSTOMER NO: 77"));
}

TEST_F(DocumentLayoutTest, CustomInvoiceBlocksAtTheirSwitchRows) {
    TwoLines();
    sale.SetNote("Fragile");
    const std::pair<int, int> rows[] = {{140, 5},  {141, 6},  {146, 10}, {147, 20}, {148, 30}, {149, 36},
                                        {150, 29}, {151, 40}, {152, 41}, {153, 43}, {154, 45}, {155, 11},
                                        {156, 14}, {157, 47}, {160, 2},  {161, 2},  {164, 50}};
    for (auto [s, row] : rows) config.SetSwitch(s, row);
    sale.SetTax2Total(0.80);
    sale.SetDiscountTotal(0.25);
    PagePlan plan = Lay(kCustomInvoice);
    EXPECT_PLAN_HAS(plan, T(2400, Y(3), 'C', "title", "INVOICE"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(5), 'C', "header", "Shop Name"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(6), 'C', "header", "1 High Street"));
    EXPECT_PLAN_LACKS_TEXT(plan, "Townsville");  // switch [142] is 0
    EXPECT_PLAN_HAS(plan, T(140, Y(10), 'L', "body", "10:30  06/12/2024"));
    EXPECT_PLAN_HAS(plan, T(140, Y(11), 'L', "body", "Associate: Administrator"));
    EXPECT_PLAN_HAS(plan, "G 110 810 4680 930");
    EXPECT_PLAN_HAS(plan, T(140, Y(14), 'L', "bold", "Order Number: 1234"));
    // Heading on row 20, items from row 22, amounts in the product code column.
    EXPECT_PLAN_HAS(plan, T(140, Y(20), 'L', "bold", "DESCRIPTION"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(20), 'L', "bold", "LINE COST"));
    EXPECT_PLAN_HAS(plan, T(180, Y(22), 'L', "body", "Blue mug"));
    EXPECT_PLAN_HAS(plan, T(kCode, Y(22), 'L', "body", "4.25"));
    EXPECT_PLAN_HAS(plan, T(180, Y(23), 'L', "body", "Gift wrap"));
    EXPECT_PLAN_LACKS_TEXT(plan, "-");
    EXPECT_PLAN_HAS(plan, "L 1410 1290 1410 1530 8");  // from 21.5 lh to 25.5 lh (counter 2)
    EXPECT_PLAN_HAS(plan, T(140, Y(40), 'L', "body", "LINE COST: 5.75"));
    EXPECT_PLAN_HAS(plan, T(140, Y(41), 'L', "body", "GST: 0.80"));
    EXPECT_PLAN_HAS(plan, T(140, Y(43), 'L', "body", "DISCOUNT: (0.25)"));
    EXPECT_PLAN_HAS(plan, T(140, Y(45), 'L', "bold", "TOTAL: $5.75"));
    EXPECT_PLAN_HAS(plan, "G 110 2790 4680 2810");
    EXPECT_PLAN_HAS(plan, T(140, Y(50), 'L', "body", "Fragile"));
    EXPECT_PLAN_HAS(plan, "L 110 750 4680 750 8");
    EXPECT_PLAN_HAS(plan, "L 110 1050 4680 1050 8");
    EXPECT_PLAN_HAS(plan, "B 2400 6016 1234");
    EXPECT_PLAN_HAS(plan, T(160, 6250, 'L', "body", "Authorized"));
    EXPECT_PLAN_HAS(plan, T(kAmount, 6350, 'R', "body", "......................."));
    // Customer blocks are skipped without a customer.
    for (const char* absent : {"CUSTOMER NO: 0", "Terms: ", "Previous balance: 0.00", "Balance: 0.00"})
        EXPECT_PLAN_LACKS_TEXT(plan, absent);
    for (const auto& d : Describe(plan)) EXPECT_NE(d[0], 'P') << d;  // switch [162] is 0

    AttachCustomer();
    in.letterLogo = {200, 100};
    config.SetSwitch(162, 2);
    plan = Lay(kCustomInvoice);
    EXPECT_PLAN_HAS(plan, "P 110 60 1430 720");
    EXPECT_PLAN_HAS(plan, T(140, Y(29), 'L', "body", "CUSTOMER NO: 77"));
    EXPECT_PLAN_HAS(plan, T(140, Y(30), 'L', "body", "Ann Smith"));
    EXPECT_PLAN_HAS(plan, T(140, Y(34), 'L', "body", "RV1 2AB"));
    EXPECT_PLAN_HAS(plan, "L 110 2130 4680 2130 8");
    EXPECT_PLAN_HAS(plan, T(140, Y(36), 'L', "body", "Terms: 5% disc, 30 days"));
    EXPECT_PLAN_HAS(plan, T(140, Y(47), 'L', "body", "Previous balance: 10.00"));
    EXPECT_PLAN_HAS(plan, T(2400, Y(48), 'C', "body", "Balance: 15.75"));

    // All switches 0: the title only, no items, no frame, no barcode.
    for (auto [s, row] : rows) config.SetSwitch(s, 0);
    config.SetSwitch(162, 0);
    plan = Lay(kCustomInvoice);
    ASSERT_EQ(Describe(plan).size(), 1u);
    EXPECT_EQ(Describe(plan)[0], T(2400, Y(3), 'C', "title", "INVOICE"));
}

TEST_F(DocumentLayoutTest, CustomInvoiceHeaderFontFromTheConfiguration) {
    EXPECT_FALSE(CustomInvoiceHeaderFont(config).configured);
    for (int k = 102; k <= 114; ++k) config.SetInt32(cfg::kAssociateFlags + 4 * k, k);
    EXPECT_FALSE(CustomInvoiceHeaderFont(config).configured);  // entry [101] decides
    config.SetInt32(cfg::kAssociateFlags + 4 * 101, 1);
    config.SetInt32(cfg::kAssociateFlags + 4 * 102, -80);
    config.SetInt32(cfg::kAssociateFlags + 4 * 106, 700);
    config.SetText(cfg::kPrinterPortBlock, 200, "Times New Roman with a face name far too long for a font");
    HeaderFontSettings font = CustomInvoiceHeaderFont(config);
    EXPECT_TRUE(font.configured);
    EXPECT_EQ(font.height, -80);
    EXPECT_EQ(font.width, 103);
    EXPECT_EQ(font.escapement, 104);
    EXPECT_EQ(font.orientation, 105);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.italic, 107);
    EXPECT_EQ(font.charSet, 110);
    EXPECT_EQ(font.pitchAndFamily, 114);
    EXPECT_EQ(font.face, "Times New Roman with a face nam");
    EXPECT_EQ(font.face.size(), 31u);
}

TEST_F(DocumentLayoutTest, BasketCountOutsideItsBoundsIsClamped) {
    TwoLines();
    sale.SetLineCount(100000);
    PageState state;
    for (int guard = 0; guard < 20; ++guard) {
        int before = state.page;
        LayOutDocument(in, metrics, kInvoice1, state);
        if (state.page == before) break;
    }
    EXPECT_LE(state.nextLine, txn::kMaxLines);
    sale.SetLineCount(-5);
    PagePlan plan = Lay(kInvoice1);
    EXPECT_PLAN_HAS(plan, T(1200, 5520, 'L', "body", "0"));
    EXPECT_PLAN_LACKS_TEXT(plan, "Blue mug");
}

}  // namespace
