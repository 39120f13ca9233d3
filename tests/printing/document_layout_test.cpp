#include "printing/document_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/plan_text.h"

namespace {

using namespace print;

// 600 dpi, lh 60, W 4800, F 6500, T 330, F - inch 5900; codes at 100 + 80 + 42 x 30, amounts to 4640.
constexpr int kLh = 60, kCode = 1440, kAmount = 4640;

int Y(double row) { return RowY(row, kLh); }
constexpr auto& T = DescribeText;
std::string B(int x, double row, const std::string& text) { return T(x, Y(row), 'L', "body", text); }
int Count(const PagePlan& plan, const std::string& text, bool prefix = false) {  // texts that are, or start with, it
    int n = 0;
    for (const PlanItem& item : plan.items)
        if (auto t = std::get_if<TextItem>(&item)) n += (prefix ? t->text.substr(0, text.size()) : t->text) == text;
    return n;
}

// Sale 1234 of 10:30 by the Administrator; no letter logo on the invoices (switch [163]).
struct Shop {
    TransactionRecord sale;
    TerminalConfig config;
    LabelTable labels = DefaultLabelTable();
    SaleDocumentInputs in;  // the header texts come from `config`
    PageMetrics metrics{kLh, 2400, 6600, 100, 100, 30, true, 600, 600, 5100, {}};
    PageState pages;

    Shop() {
        const char* headers[6] = {"Shop Name", "1 High Street", "Townsville", "Header 4", "Header 5", "VAT 123"};
        for (int k = 0; k < 6; ++k) config.SetText(cfg::kHeaderTexts + cfg::kHeaderTextWidth * k, 60, headers[k]);
        config.SetCurrentAssociate(1), config.SetAssociateName(1, "Administrator"), config.SetSwitch(163, 2);
        config.SetText(cfg::kCurrencySign, 6, "$"), config.SetText(cfg::kTax1Name, cfg::kTaxNameWidth, "VAT");
        config.SetText(cfg::kTax2Name, cfg::kTaxNameWidth, "GST");
        sale.SetNumber(1234), sale.SetTime("10:30"), sale.SetDate("06/12/2024");
        in.sale = &sale, in.config = &config, in.labels = &labels;
    }
    void Line(std::int64_t item, const std::string& description, double net) {
        const int i = sale.LineCount();
        sale.SetLineItemNumber(i, item), sale.SetLineDescription(i, description);
        sale.SetLineNonTaxable(i, net), sale.SetLineTotal(i, net), sale.SetLineCount(i + 1);
    }
    void TwoLines() {
        Line(501, "Blue mug", 4.25), Line(0, "Gift wrap", 1.50);
        sale.SetSubTotal(5.75), sale.SetNonTaxableTotal(5.75), sale.SetTotal(5.75);
    }
    void Customer() {  // number 77 on terms 2: 5% discount, 30 days
        sale.SetCustomerNumber(77), sale.SetCustomerName("Ann Smith"), sale.SetCustomerPostCode("RV1 2AB");
        sale.SetCustomerTelephone("0123 456"), sale.SetBalanceBefore(10), sale.SetBalanceAfter(15.75);
        in.customerNumber = 77, in.customerTerms = 2;
        config.SetInt32(cfg::kTermCodes + 4 * 2, 3), config.SetOption(22, 4);
    }
    std::vector<PagePlan> Pages(int kind, int pageLimit = 50) {  // until the page counter stops advancing
        std::vector<PagePlan> out;
        pages = PageState{};
        for (int before = 0; before != pages.page && static_cast<int>(out.size()) < pageLimit;) {
            before = pages.page;
            out.push_back(LayOutDocument(in, metrics, kind, pages));
        }
        return out;
    }
};

struct PlanCase {  // a document and the lines it must put on its one page
    const char* why;
    int kind;
    std::function<void(Shop&)> setup;
    std::vector<std::string> has;
    std::vector<std::string> lacks = {};  // no text may be one of these
};

// The custom invoice's blocks: header 2, time, items, address, terms, customer number, sub total,
// taxes, discount, total, associate, number, balances, signatures, frame, note; not header 1.
void CustomRows(Shop& s) {
    for (auto [sw, row] : {std::pair{141, 6}, {146, 10}, {147, 20}, {148, 30}, {149, 36}, {150, 29}, {151, 40},
                           {152, 41}, {153, 43}, {154, 45}, {155, 11}, {156, 14}, {157, 47}, {160, 2}, {161, 2},
                           {164, 50}})
        s.config.SetSwitch(sw, row);
    s.TwoLines(), s.sale.SetNote("Fragile"), s.sale.SetTax2Total(0.80), s.sale.SetDiscountTotal(0.25);
}

const PlanCase kPlanCases[] = {
    {"Invoice 1 without customer: each block at its place, placeholders for the customer", kInvoice1,
     [](Shop& s) { s.TwoLines(); },
     {T(2880, Y(3), 'L', "title", "INVOICE"), T(2880, 450, 'L', "bold", "Order Number: 1234"),  // 1.2 W2, T + 2 lh
      T(2880, 630, 'L', "bold", "Customer code: N/A"), T(140, 750, 'L', "bold", "NAME:"), "L 110 1050 110 6490 8",
      T(kAmount, Y(18), 'R', "bold", "LINE COST"), B(180, 21, "Blue mug"), B(kCode, 21, "501"), B(kCode, 22, "-"),
      "L 1410 1050 1410 1470 8", "L 110 1470 4680 1470 8", B(140, 25, "SUBTOTAL: $5.75"),  // r 3: closed on 24.5
      T(1200, 5340, 'L', "body", "Not Applicable"), T(160, 5460, 'L', "body", "NOTES"),  // S = F - 2 inch + 40
      T(1200, 5520, 'L', "body", "2"), T(kAmount, 5830, 'R', "bold", "TOTAL: $5.75"), "L 2400 5300 2400 5920 8",
      "G 110 5900 4680 5920", T(kAmount, 6350, 'R', "body", "..........................."), "B 2400 6016 1234"}},
    {"Invoice 1 with customer and logo: the address right of the logo by 7 lh", kInvoice1,
     [](Shop& s) { s.TwoLines(), s.Customer(), s.config.SetSwitch(163, 0), s.in.letterLogo = {2, 1}; },
     {"P 140 450 860 810", T(2880, 630, 'L', "bold", "Customer code: 77"), T(560, 750, 'L', "bold", "Ann Smith"),
      T(1200, 5400, 'L', "body", "0123 456")},
     {"NAME:", "Not Applicable", "Customer code: N/A"}},
    {"delivery note: amounts left in the product code column, the total on t + 22", kDeliveryNote,
     [](Shop& s) { s.TwoLines(), s.in.letterLogo = {300, 100}; },
     {"P 110 60 2090 720", T(2400, Y(6), 'C', "body", "Shop Name"), B(kCode, 21, "4.25"),
      T(140, Y(13), 'L', "bold", "Transaction reference: 1234"), T(140, Y(26), 'L', "bold", "TOTAL: $5.75"),
      "G 110 1650 4680 1670", T(160, 6350, 'L', "body", "notified within 3 days"), "B 2400 6016 1234",
      T(kAmount, 6350, 'R', "body", ".......................")},
     {"PRODUCT CODE", "501", "Received", "Not Applicable", "CUSTOMER NO: 0"}},
    {"delivery note with tax, discount and customer: t = 5, 6, 7; its block from t + 24", kDeliveryNote,
     [](Shop& s) { s.TwoLines(), s.sale.SetTax1Total(1.15), s.sale.SetDiscountTotal(0.5), s.Customer(); },
     {B(140, 25, "SUBTOTAL: 5.75"), B(140, 26, "VAT: 1.15"), B(140, 27, "DISCOUNT: (0.50)"),
      T(140, Y(29), 'L', "bold", "TOTAL: $5.75"), B(140, 31, "CUSTOMER NO: 77"), "L 110 2250 4680 2250 8",
      B(140, 38, "Terms: 5% disc, 30 days"), B(140, 39, "Previous balance: 10.00"),
      T(2400, Y(40), 'C', "body", "Balance: 15.75")},
     {"GST: 0.00"}},
    {"custom invoice without customer: the blocks at their switch rows, items from s + 2", kCustomInvoice, CustomRows,
     {T(2400, Y(3), 'C', "title", "INVOICE"), T(2400, Y(6), 'C', "header", "1 High Street"), "G 110 810 4680 930",
      T(140, Y(14), 'L', "bold", "Order Number: 1234"), B(180, 22, "Blue mug"), B(kCode, 22, "4.25"),
      "L 1410 1290 1410 1530 8", B(140, 41, "GST: 0.80"), B(140, 43, "DISCOUNT: (0.25)"), "G 110 2790 4680 2810",
      T(140, Y(45), 'L', "bold", "TOTAL: $5.75"), B(140, 50, "Fragile"), "L 110 1050 4680 1050 8", "B 2400 6016 1234"},
     {"Shop Name", "-", "CUSTOMER NO: 0", "Terms: ", "Previous balance: 0.00"}},
    {"custom invoice with customer: its blocks too", kCustomInvoice, [](Shop& s) { CustomRows(s), s.Customer(); },
     {B(140, 29, "CUSTOMER NO: 77"), B(140, 30, "Ann Smith"), B(140, 34, "RV1 2AB"),
      B(140, 36, "Terms: 5% disc, 30 days"), B(140, 47, "Previous balance: 10.00"),
      T(2400, Y(48), 'C', "body", "Balance: 15.75")}},
    {"delivery note, tax 2 alone: the sub total, then its line", kDeliveryNote,
     [](Shop& s) { s.TwoLines(), s.sale.SetTax2Total(0.8); },
     {B(140, 25, "SUBTOTAL: 5.75"), B(140, 26, "GST: 0.80"), T(140, Y(28), 'L', "bold", "TOTAL: $5.75")},
     {"VAT: 0.00"}},
    {"delivery note, a discount without tax: the line cost, then the discount", kDeliveryNote,
     [](Shop& s) { s.TwoLines(), s.sale.SetDiscountTotal(0.5); },
     {B(140, 25, "LINE COST: 5.75"), B(140, 26, "DISCOUNT: (0.50)"), T(140, Y(28), 'L', "bold", "TOTAL: $5.75")}},
    {"Invoice 2 with customer: the reference block, a group of equal lines, the customer under the summary", kInvoice2,
     [](Shop& s) { s.TwoLines(), s.Line(501, "Blue mug", 4.25), s.Customer(); },
     {T(4680, Y(3), 'R', "title", "INVOICE"), T(2400, Y(5), 'C', "body", "Shop Name"),
      T(140, Y(13), 'L', "bold", "Order Number: 1234"), B(180, 21, "Blue mug"), B(180, 22, "2 @ 4.25"),
      T(kAmount, Y(22), 'R', "body", "8.50"), B(180, 23, "Gift wrap"), B(140, 29, "CUSTOMER NO: 77"),
      B(140, 30, "Ann Smith"), "L 110 2130 4680 2130 8", B(140, 36, "Terms: 5% disc, 30 days")}, {"Customer code: 77"}},
    {"custom invoice with a note row no page has: held to row 10000 like the receipt's", kCustomInvoice,
     [](Shop& s) { CustomRows(s), s.config.SetSwitch(164, INT32_MAX); }, {B(140, 10000, "Fragile")}, {}},
};

TEST(DocumentLayout, EachDocumentPutsItsBlocksOnThePage) {
    for (const PlanCase& c : kPlanCases) {
        auto s = std::make_unique<Shop>();
        c.setup(*s);
        const std::vector<PagePlan> pages = s->Pages(c.kind);
        ASSERT_EQ(pages.size(), 1u) << c.why;
        ExpectLines(Describe(pages[0]), c.has, {}, c.why);
        for (const std::string& text : c.lacks) EXPECT_EQ(Count(pages[0], text), 0) << c.why << ": " << text;
    }
}

TEST(DocumentLayout, PagesBreakBeforeTheLastInchAndPrintEachLineOnceTheSummaryLast) {
    const struct { int kind, items; bool customer; std::size_t pages; int first; const char* why; } rows[] = {
        {kInvoice1, 120, false, 2, 66, "a page ends when (r + 32) x 60 passes 5900, at r = 67"},
        {kInvoice2, 120, false, 2, 66, "the same"}, {kCustomInvoice, 120, false, 2, 67, "counting from 0"},
        {kInvoice1, 66, false, 1, 66, "no page break after the last line"},
        {kDeliveryNote, 120, false, 2, 73, "(r + 25) x 60 passes 5900 at r = 74"},
        {kInvoice2, 56, true, 2, 56, "r = 57: the summary's (57 + 42) x 60 passes 5900 with a customer"},
        {kInvoice2, 55, true, 1, 55, "(56 + 42) x 60 does not"}, {kInvoice2, 60, false, 1, 60, "nor without one"},
        {kDeliveryNote, 68, false, 1, 68, "r = 69: (69 + 29) x 60 fits without a customer"},
        {kDeliveryNote, 64, true, 2, 64, "r = 65: (65 + 34) x 60 does not with one"},
    };
    for (const auto& r : rows) {
        auto s = std::make_unique<Shop>();
        for (int i = 0; i < r.items; ++i) s->Line(1000 + i, "Item " + std::to_string(i), 1.00);
        s->config.SetSwitch(147, 20), s->config.SetSwitch(154, 45);  // the custom invoice's items and total
        if (r.customer) s->Customer();
        const std::vector<PagePlan> all = s->Pages(r.kind);
        ASSERT_EQ(all.size(), r.pages) << r.why;
        EXPECT_EQ(Count(all[0], "Item ", true), r.first) << r.why;
        EXPECT_EQ(std::pair(Count(all[0], "TOTAL: $", true), Count(all.back(), "TOTAL: $", true)),
                  std::pair(int(r.pages == 1), 1)) << r.why << ": the summary on the last page only";
        for (int i = 0; i < r.items; ++i) {
            int seen = 0;
            for (const PagePlan& page : all) seen += Count(page, "Item " + std::to_string(i));
            EXPECT_EQ(seen, 1) << r.why << ": item " << i;
        }
    }
}

TEST(DocumentLayout, FallbacksAndTheCustomInvoiceHeaderFont) {
    auto s = std::make_unique<Shop>();
    s->metrics.lineHeight = 0;
    EXPECT_EQ(Describe(LayOutDocument(s->in, s->metrics, kInvoice1, s->pages)).at(0),
              "M Printer detail unavailable, using defaults");
    EXPECT_FALSE(CustomInvoiceHeaderFont(s->config).configured);
    for (int k = 101; k <= 114; ++k) s->config.SetInt32(cfg::kAssociateFlags + 4 * k, k);
    s->config.SetText(cfg::kPrinterPortBlock, 200, std::string(40, 'F'));
    const HeaderFontSettings f = CustomInvoiceHeaderFont(s->config);
    EXPECT_EQ(std::tuple(f.configured, f.height, f.weight, f.pitchAndFamily, f.face),
              std::tuple(true, 102, 106, 114, std::string(31, 'F'))) << "entries 102 to 114; a face of 31 characters";
}

}  // namespace
