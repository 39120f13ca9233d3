// The receipts, the kitchen ticket, the documents, the devices and the steps after a sale. A plan
// is compared as one line of text per item, so that a failure names the item: "T x y L|C|R font text"
// a text, "W left top right bottom font text" a wrapped text, "L x1 y1 x2 y2 pen" a line (pen 0: the
// default), "G box" a grey band, "P box" a logo, "B x top digits" a barcode, "M text" a message box.
#include "printing/after_sale.h"
#include "printing/device_config.h"
#include "printing/document_layout.h"
#include "printing/receipt_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "printing/code39.h"
#include "printing/control_sequence.h"
#include "support/local_time.h"

namespace {

using namespace print;

std::string T(int x, int y, char align, const std::string& font, const std::string& text) {
    return "T " + std::to_string(x) + " " + std::to_string(y) + " " + align + " " + font + " " + text;
}

std::vector<std::string> Describe(const PagePlan& plan) {
    static const char* const kFonts[] = {"body", "bold", "title", "header"};
    const auto font = [](FontRole f) { return std::string(kFonts[static_cast<int>(f)]); };
    const auto n = [](auto... v) { return ((" " + std::to_string(v)) + ...); };
    const auto box = [&](const Rect& b) { return n(b.left, b.top, b.right, b.bottom); };
    std::vector<std::string> out;
    for (const PlanItem& item : plan.items) {
        if (auto t = std::get_if<TextItem>(&item))
            out.push_back(T(t->x, t->y, "LCR"[static_cast<int>(t->align)], font(t->font), t->text));
        else if (auto w = std::get_if<WrappedTextItem>(&item))
            out.push_back("W" + box(w->box) + " " + font(w->font) + " " + w->text);
        else if (auto l = std::get_if<LineItem>(&item))
            out.push_back("L" + n(l->x1, l->y1, l->x2, l->y2, l->penWidth));
        else if (auto g = std::get_if<BandItem>(&item))
            out.push_back("G" + box(g->box));
        else if (auto p = std::get_if<PictureItem>(&item))
            out.push_back("P" + box(p->box));
        else if (auto b = std::get_if<BarcodeItem>(&item))
            out.push_back("B" + n(b->centreX, b->top) + " " + b->digits);
        else
            out.push_back("M " + std::get<MessageItem>(item).text);
    }
    return out;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

// A switch or rule, and the lines it must put on the page; no line may contain a text of `lacks`.
template <typename Fixture>
struct PlanCase {
    const char* why;
    int kind;
    std::function<void(Fixture&)> setup;
    std::vector<std::string> has, lacks = {};
};

template <typename Fixture>
void ExpectLines(const std::vector<std::string>& plan, const PlanCase<Fixture>& c) {
    for (const std::string& line : c.has)
        EXPECT_NE(std::find(plan.begin(), plan.end(), line), plan.end()) << c.why << "\nmissing " << line << "\n"
                                                                         << Joined(plan);
    for (const std::string& text : c.lacks)
        for (const std::string& line : plan) EXPECT_EQ(line.find(text), std::string::npos) << c.why << ": " << line;
}

namespace receipt {

constexpr int kLh = 50;
constexpr int kKitchen = 0;  // a row's kind: the kitchen ticket

// Body texts on row r of a page 2000 wide: centred, or left or right at x.
std::string C(double row, const std::string& text) { return T(1000, RowY(row, kLh), 'C', "body", text); }
std::string L(int x, double row, const std::string& text) { return T(x, RowY(row, kLh), 'L', "body", text); }
std::string R(int x, double row, const std::string& text) { return T(x, RowY(row, kLh), 'R', "body", text); }

// Sale 1234 of 10:15 on a 300 dpi page 2000 wide, 50-unit lines, wrapping at 30 characters.
struct Till {
    TerminalConfig config;
    TransactionRecord sale;
    PageMetrics m{kLh, 1000, 3300, 20, 0, 20, false, 300, 300, 2000,
                  [](const std::string& text, int) { return kLh * static_cast<int>((text.size() + 29) / 30); }};
    SaleDocumentInputs in;  // the default wording; the header texts from `config`

    Till() {
        for (int i = 0; i < 6; ++i) config.SetText(cfg::kHeaderTexts + 60 * i, 60, "Header " + std::to_string(i + 1));
        config.SetText(cfg::kCurrencySign, 6, "$"), config.SetText(cfg::kTax1Name, 6, "VAT");
        config.SetText(cfg::kTax2Name, 6, "PST"), config.SetCurrentAssociate(3), config.SetAssociateName(3, "Anna B");
        config.SetText(cfg::kClosingMessage, cfg::kLongTextWidth, "Thank you for shopping");
        sale.SetNumber(1234), sale.SetTime("10:15"), sale.SetDate("Mon 3 Jun 24"), sale.SetPaymentType("Cash");
        in.sale = &sale, in.config = &config;
        in.nowClock = "11:05", in.todayLong = "Jun 3 2024", in.kitchenDate = "Mon 3 Jun 24", in.basketTable = 5;
    }
    void Line(std::int64_t item, std::string text, double total, int times = 1, double untaxed = -1, double taxed = 0) {
        for (int k = 0; k < times; ++k) {
            const int i = sale.LineCount();
            sale.SetLineItemNumber(i, item), sale.SetLineDescription(i, text), sale.SetLineTotal(i, total);
            sale.SetLineNonTaxable(i, untaxed < 0 ? total : untaxed), sale.SetLineTaxable(i, taxed);
            sale.SetLineCount(i + 1), sale.SetTotal(sale.Total() + total), sale.SetSubTotal(sale.SubTotal() + total);
        }
    }
    void PayCash(double tendered) { sale.SetCashPaid(sale.Total()), in.tender = {tendered, tendered - sale.Total()}; }
    std::vector<std::string> Plan(int kind) {
        return Describe(kind == kKitchen ? LayOutKitchenTicket(in, m) : LayOutReceipt(in, m, kind));
    }
};

TEST(ReceiptLayout, StandardReceiptWithHeadingPlacesEveryRow) {
    auto t = std::make_unique<Till>();
    t->Line(1001, "Kingsbridge Vodka 70cl", 10.00), t->Line(1002, "Gin", 2.34), t->PayCash(20.00);
    const std::vector<std::string> expected = {
        C(1, "Header 1"), C(2, "Header 2"), C(3, "Header 3"), C(4, "Header 6"), C(6, "========================"),
        C(7, "Receipt: 1234"), C(8, "10:15  Mon 3 Jun 24"), C(9, "3, Anna B"), C(10, "------------------------"),
        "L 30 610 1980 610 0", "T 30 625 L body Description",  // rules on rows 12.2 and 13.7, the heading on 12.5
        "T 330 625 L body Qty   Price", "T 1980 625 R body Amount", "L 30 685 1980 685 0",  // 30 + 20 / 2 x 2 x 15
        "T 30 700 L body Kingsbridge Vo", "T 350 700 L body 1",  // cut to 14; the count at 30 + 20 / 2 x 2 x 16
        "T 550 700 R body 10.00",                                // the price 10 average widths further
        "T 1980 700 R body 10.00", "T 30 750 L body Gin", "T 350 750 L body 1", "T 550 750 R body 2.34",
        "T 1980 750 R body 2.34", C(17, "Total: $12.34"), C(18, "========================"), C(20, "Payment: Cash"),
        C(21, "Cash change: 7.66"), C(23, "Thank you for shopping"), C(24, "  "),
    };
    EXPECT_EQ(Joined(t->Plan(kStandardReceipt)), Joined(expected));
}

void NoHeading(Till& t) { t.config.SetSwitch(165, 2); }
void Pudding(Till& t) { t.Line(1, "Bread and butter pudding", 4, 1, 4, 0), t.Line(2, "Wine", 12, 2, 0, 10); }

const PlanCase<Till> kPlanCases[] = {
    {"variable pitch: columns at 30 + 10 x 3 x 15 and x 16", kStandardReceipt,
     [](Till& t) { t.m.variablePitch = true, t.Line(1001, "Gin", 2.34); },
     {"T 480 625 L body Qty   Price", L(510, 14, "1"), R(710, 14, "2.34")}},
    {"switch [125]: the barcode two rows below the closing row 24, no feed", kStandardReceipt,
     [](Till& t) { t.Line(1, "Gin", 2.34), t.Line(2, "Tonic", 1.00), t.PayCash(5), t.config.SetSwitch(125, 2); },
     {C(23, "Thank you for shopping"), "B 1000 1300 1234"}, {"body   "}},
    {"without heading: whole descriptions, a group (same item, same total) on a second row", kStandardReceipt,
     [](Till& t) { NoHeading(t), t.Line(2, "Espresso with cream 2cl", 1.5, 3), t.Line(2, "Bun", 2.1); },
     {L(30, 12, "Espresso with cream 2cl"), L(30, 13, "3 @ 1.50"), R(1980, 13, "4.50"), L(30, 14, "Bun"),
      R(1980, 14, "2.10"), C(16, "Total: $6.60")}, {"Description"}},
    {"a refund with a discount without tax: its refund number; sub total, discount, total, rule; no change",
     kStandardReceipt,
     [](Till& t) {
         t.Line(1, "Gin", 10), t.sale.SetSubTotal(9), t.sale.SetDiscountTotal(1), t.sale.SetTotal(9);
         t.sale.SetPaymentType("Refund"), t.PayCash(15.00);
     },
     {C(7, "Refund: 1234"), C(16, "Sub total: 9.00"), C(17, "Discount: (1.00)"), C(18, "Total: $9.00"),
      C(19, "========================"), C(21, "Payment: Cash")}, {"Receipt", "change"}},
    {"net prices (switch [190]): net item prices, the sub total once before taxes and discount", kStandardReceipt,
     [](Till& t) {
         t.config.SetSwitch(190, 2), t.Line(1, "Gin", 12.00, 1, 0, 10), t.Line(2, "Tonic", 1.10, 1, 1, 0);
         t.sale.SetSubTotal(11), t.sale.SetTax1Total(2), t.sale.SetTax2Total(0.1), t.sale.SetDiscountTotal(0.5);
         t.sale.SetTotal(12.60), t.PayCash(20.00);
     },
     {R(550, 14, "10.00"), R(1980, 15, "1.00"), C(17, "Sub total: 11.00"), C(18, "VAT: 2.00"), C(19, "PST: 0.10"),
      C(20, "Discount: (0.50)"), C(21, "Total: $12.60"), C(24, "Payment: Cash"), C(25, "Cash change: 7.40"),
      C(27, "Thank you for shopping")}, {"%"}},
    {"gross prices: the rates of the taxes charged after the payment; no change due, no line", kStandardReceipt,
     [](Till& t) {
         t.config.SetOption(33, 2000), t.config.SetOption(35, 750), t.Line(1, "Gin", 12.00, 1, 0, 10);
         t.sale.SetTax1Total(1.50), t.sale.SetTax2Total(0.50), t.PayCash(12.00);
     },
     {C(16, "Total: $12.00"), C(19, "Payment: Cash"), C(20, "VAT: 1.50 (20.00%)"), C(21, "PST: 0.50 (7.50%)"),
      C(23, "Thank you for shopping")}, {"Sub total", "change"}},
    {"custom receipt: switch [186] marks tax-free lines; only [188] 2 means net prices; [127]'s barcode two rows "
     "below the closing row", kCustomReceipt,
     [](Till& t) { t.config.SetSwitch(186, 2), t.config.SetSwitch(188, 1), t.config.SetSwitch(127, 2), Pudding(t); },
     {L(20, 2, "Bread and butter pudding"), R(1980, 2, "E  4.00"), L(20, 4, "2 @ 12.00"), R(1980, 4, "24.00"),
      "B 1000 450 1234"}, {"body   "}},
    {"custom receipt: switch [188] 2 prints net prices, [12] cuts to 20", kCustomReceipt,
     [](Till& t) { t.config.SetSwitch(188, 2), t.config.SetSwitch(12, 2), Pudding(t); },
     {L(20, 2, "Bread and butter pud"), L(20, 4, "2 @ 10.00"), R(1980, 4, "20.00")}},
    {"a printer without resolution gets a message instead of the barcode", kStandardReceipt,
     [](Till& t) { t.m.dotsPerInchY = 0, t.config.SetSwitch(125, 2); }, {"M Unable to get printer"}, {"B "}},
    {"without heading, centred (switch [124]) and cut to 20 (switch [12]): one text per group", kStandardReceipt,
     [](Till& t) {
         NoHeading(t), t.config.SetSwitch(124, 2), t.config.SetSwitch(12, 2);
         t.Line(2, "Espresso macchiato doppio", 1.5, 3), t.Line(3, "Bun", 2.1);
     },
     {C(12, "3 Espresso macchiato d, 4.50"), C(13, "Bun, 2.10")}},
    {"a half-width logo (switch [123]) moves every row down; a wrapped closing message (switch [10]) the rest",
     kStandardReceipt,
     [](Till& t) {
         t.in.receiptLogo = {400, 200}, t.config.SetSwitch(123, 2), t.config.SetSwitch(10, 2);
         t.config.SetText(cfg::kClosingMessage, cfg::kLongTextWidth, std::string(70, 'm')), t.Line(1, "Gin", 2.34);
     },
     {"P 500 10 1500 510", C(11, "Header 1"), "W 0 1550 2000 1750 body " + std::string(70, 'm'), C(35, "  ")}},
    {"custom receipt: a full-width logo (switch [23]), the customer, shop texts, centred items, discount, the "
     "second currency, the note (switch [189]) and closing rows (switch [183])", kCustomReceipt,
     [](Till& t) {
         t.in.receiptLogo = {400, 200}, t.config.SetAmount(4, 2), t.config.SetText(cfg::kSecondCurrencySign, 6, "E");
         for (auto [sw, value] : {std::pair{23, 2}, {128, 2}, {185, 2}, {121, 2}, {189, 2}, {183, 1}, {180, 8},
                                  {181, 5}, {182, 6}, {194, 3}, {195, 4}, {196, 5}, {197, 6}, {198, 7}})
             t.config.SetSwitch(sw, value);  // 180 to 182 and 194 to 198: the rows of elements 19 to 21 and 23 to 27
         for (auto [e, row] : {std::pair{8, 1}, {9, 2}, {10, 1}, {11, 2}, {17, 3}, {14, 4}})
             t.config.SetInt32(cfg::kReceiptRows + 4 * e, row);
         for (int i = 0; i < 3; ++i) t.config.SetText(cfg::kShopTexts + 50 * i, 50, "Shop " + std::to_string(i + 1));
         t.sale.SetCustomerNumber(77), t.in.customerNumber = 77, t.in.customerName = "JANE";
         t.sale.SetCustomerRoad("1 MILL LANE"), t.sale.SetCustomerArea("SOUTH"), t.sale.SetCustomerTown("KINGSBRIDGE");
         t.sale.SetCustomerPostCode("TQ7 1AA"), t.sale.SetCustomerTelephone("01548"), t.sale.SetNote("Ring the bell");
         t.Line(1, "Gin", 2.00), t.Line(2, "Tonic", 1.00, 2), t.sale.SetDiscountTotal(0.5), t.PayCash(5);
     },
     {"P 0 10 2000 1010", C(20, "10:15  Mon 3 Jun 24"), C(21, "Customer: 77"), C(22, "JANE"), C(23, "1 MILL LANE"),
      C(24, "SOUTH"), C(25, "KINGSBRIDGE"), C(26, "TQ7 1AA"), C(27, "01548"), C(28, "Shop 1"), C(30, "Gin, 2.00"),
      C(31, "2 Tonic, 2.00"), L(20, 32, "(Discount: 0.50)"), C(36, "Tendered: 5.00"), C(37, "Total $4.00  E8.00"),
      C(34, "Non taxable: 0.00"), C(35, "Taxable: 0.00"), C(38, "Shop 2"), C(39, "Shop 3"),
      "W 0 1750 2000 1950 body Ring the bell", C(41, "  "), C(42, "  ")}},
    {"kitchen ticket: the table, clock, date and associate, the items and total, the tax rate, the note", kKitchen,
     [](Till& t) { t.Line(1, "Gin", 12, 1, 0, 10), t.sale.SetTax1Total(2), t.sale.SetNote("N"); },
     {C(4, "Table: 5"), C(5, "========================"), C(6, "11:05"), C(7, "Mon 3 Jun 24"), C(16, "Total: $12.00"),
      C(8, "Associate: 3: Anna B"), C(9, "------------------------"), "T 30 700 L body Gin", C(19, "VAT: 2.00 (0.00%)"),
      C(17, "========================"), C(20, "Transaction note:"), "W 0 1050 2000 1200 body N"},
     {"Header", "Receipt", "Payment", "Thank you"}},
};

TEST(ReceiptLayout, EachSwitchAndRulePutsItsLinesOnThePage) {
    for (const PlanCase<Till>& c : kPlanCases) {
        auto t = std::make_unique<Till>();
        c.setup(*t);
        ExpectLines(t->Plan(c.kind), c);
    }
}

TEST(ReceiptLayout, PaymentLineRulesApplyInOrderLaterOnesWinning) {
    const struct { double cash, cheque, eft; const char *type, *line, *why; } rows[] = {
        {0, 5, 5, "Split", "EFT", "the EFT rule after the cheque rule"}, {0, 5, 5, "Credit", "Credit", "then Credit"},
        {5, 0, 0, "Credit", "Cash", "Credit only without cash"}, {0, 0, 0, "Credit ", "Cash", "the exact text Credit"},
        {5, 5, 0, "Split", "CH with cash", "cheque with cash"}, {5, 5, 5, "Split", "EFT with cash", "EFT, cash: last"},
        {0, -3, 0, "CH", "Cheque", "without cash: not 0"}, {5, -3, 0, "CH", "Cash", "with cash: above 0"},
    };
    auto t = std::make_unique<Till>();
    for (const auto& r : rows) {
        t->sale.SetCashPaid(r.cash), t->sale.SetChequePaid(r.cheque), t->sale.SetEftPaid(r.eft);
        t->sale.SetPaymentType(r.type);
        EXPECT_EQ(ReceiptElementText(22, t->in, false), std::string("Payment: ") + r.line) << r.why;
    }
    EXPECT_EQ(ReceiptElementText(6, t->in, false) + "|" + ReceiptElementText(28, t->in, false), "11:05 Jun 3 2024|")
        << "the current time and date; nothing past the last element";
}

// The transaction barcode: Code 39 of the number padded to four digits, between start and stop.
TEST(Code39, TheSymbolOfTheDigitsBetweenStartAndStop) {
    EXPECT_EQ(Code39Symbol("0007"), "1001011011010" "1010011011010" "1010011011010" "1010011011010" "1010010110110"
                                    "1001011011010");
    for (const char* other : {"12A4", "-5", "1*2"}) EXPECT_EQ(Code39Symbol(other), "") << "no bars for " << other;
    for (auto [number, digits] : {std::pair{0, "0000"}, {42, "0042"}, {54321, "54321"}, {-3, ""}})
        EXPECT_EQ(BarcodeDigits(number), digits) << "padded to four digits; none for a negative number";
}

}  // namespace receipt

namespace document {

// 600 dpi, lh 60, W 4800, F 6500, T 330, F - inch 5900; codes at 100 + 80 + 42 x 30, amounts to 4640.
constexpr int kLh = 60, kCode = 1440, kAmount = 4640;

int Y(double row) { return RowY(row, kLh); }
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
    std::vector<PagePlan> Pages(int kind) {  // until the page counter stops advancing
        std::vector<PagePlan> out;
        pages = PageState{};
        for (int before = 0; before != pages.page && out.size() < 50;) {
            before = pages.page;
            out.push_back(LayOutDocument(in, metrics, kind, pages));
        }
        return out;
    }
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

const PlanCase<Shop> kPlanCases[] = {
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
    {"delivery note: amounts in the code column; untaxed, line cost and discount; the total on t + 22", kDeliveryNote,
     [](Shop& s) { s.TwoLines(), s.in.letterLogo = {300, 100}, s.sale.SetDiscountTotal(0.5); },
     {"P 110 60 2090 720", T(2400, Y(6), 'C', "body", "Shop Name"), B(kCode, 21, "4.25"),
      T(140, Y(13), 'L', "bold", "Transaction reference: 1234"), B(140, 25, "LINE COST: 5.75"),
      B(140, 26, "DISCOUNT: (0.50)"), T(140, Y(28), 'L', "bold", "TOTAL: $5.75"), "G 110 1770 4680 1790",
      T(160, 6350, 'L', "body", "notified within 3 days"), "B 2400 6016 1234",
      T(kAmount, 6350, 'R', "body", ".......................")},
     {"PRODUCT CODE", "body 501", "Received", "Not Applicable", "CUSTOMER NO: 0"}},
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
     {"Shop Name", "body -", "CUSTOMER NO: 0", "Terms: ", "Previous balance: 0.00"}},
    {"custom invoice with customer: its blocks too; a note row no page has held to row 10000 like the receipt's",
     kCustomInvoice, [](Shop& s) { CustomRows(s), s.Customer(), s.config.SetSwitch(164, INT32_MAX); },
     {B(140, 29, "CUSTOMER NO: 77"), B(140, 30, "Ann Smith"), B(140, 34, "RV1 2AB"),
      B(140, 36, "Terms: 5% disc, 30 days"), B(140, 47, "Previous balance: 10.00"),
      T(2400, Y(48), 'C', "body", "Balance: 15.75"), B(140, 10000, "Fragile")}},
    {"delivery note, tax 2 alone: the sub total, then its line", kDeliveryNote,
     [](Shop& s) { s.TwoLines(), s.sale.SetTax2Total(0.8); },
     {B(140, 25, "SUBTOTAL: 5.75"), B(140, 26, "GST: 0.80"), T(140, Y(28), 'L', "bold", "TOTAL: $5.75")},
     {"VAT: 0.00"}},
    {"Invoice 2 with customer: the reference block, a group of equal lines, the customer under the summary", kInvoice2,
     [](Shop& s) { s.TwoLines(), s.Line(501, "Blue mug", 4.25), s.Customer(); },
     {T(4680, Y(3), 'R', "title", "INVOICE"), T(2400, Y(5), 'C', "body", "Shop Name"),
      T(140, Y(13), 'L', "bold", "Order Number: 1234"), B(180, 21, "Blue mug"), B(180, 22, "2 @ 4.25"),
      T(kAmount, Y(22), 'R', "body", "8.50"), B(180, 23, "Gift wrap"), B(140, 29, "CUSTOMER NO: 77"),
      B(140, 30, "Ann Smith"), "L 110 2130 4680 2130 8", B(140, 36, "Terms: 5% disc, 30 days")}, {"Customer code: 77"}},
};

TEST(DocumentLayout, EachDocumentPutsItsBlocksOnThePage) {
    for (const PlanCase<Shop>& c : kPlanCases) {
        auto s = std::make_unique<Shop>();
        c.setup(*s);
        const std::vector<PagePlan> pages = s->Pages(c.kind);
        ASSERT_EQ(pages.size(), 1u) << c.why;
        ExpectLines(Describe(pages[0]), c);
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

}  // namespace document
namespace devices {

TEST(TillSettings, StoresOnlyAnOpenCharacterAndRepeatInRange) {
    struct Row { const char *character, *repeat; std::int64_t wantCharacter, wantRepeat; const char* why; };
    const Row rows[] = {
        {"0", "1", 0, 1, "the lowest are stored"}, {"255", "10", 255, 10, "the highest values are stored"},
        {"256", "11", 7, 3, "one past the highest: both kept"}, {"-1", "2x", 7, 3, "below zero; not a number"},
        {"0000000255", "0", 25, 3, "only the first 9 characters are read; one below the fewest repeats"},
    };
    for (const Row& row : rows) {
        TerminalConfig config;
        config.SetOption(devcfg::kOptionDrawerCharacter, 7), config.SetOption(devcfg::kOptionDrawerRepeat, 3);
        StoreTillSettings(config, {0, row.character, row.repeat, "", false, false});
        EXPECT_EQ(std::pair(config.Option(devcfg::kOptionDrawerCharacter), config.Option(devcfg::kOptionDrawerRepeat)),
                  std::pair(row.wantCharacter, row.wantRepeat)) << row.why;
    }
}

TEST(PoleSettings, PreviewStoresTextsAndListsOkTheRest) {
    TerminalConfig config;
    config.SetSwitch(100, 2), config.SetSwitch(102, 7), config.SetSwitch(177, 13), config.SetSwitch(104, 20);
    config.SetSwitch(176, 2), config.SetText(cfg::kPoleTexts + 3 * cfg::kPoleTextWidth, 32, "27,64");
    PoleSettings s = PoleSettingsOf(config);
    EXPECT_EQ(std::tuple(s.use, s.lists[kPolePortList], s.lists[kBaudRateList], s.columns1, s.texts[3]),
              std::tuple(true, 7, 0, "20", "27,64")) << "a baud rate past the list shows its first entry";
    s.use = false, s.lists = {3, 12, 2, 4, -1}, s.columns1 = "40", s.columns2 = "x", s.texts[0] = std::string(40, 'w');
    const auto switches = [&] {
        std::string all;
        for (int k : {100, 102, 177, 179, 178, 176, 104, 108}) all += std::to_string(config.Switch(k)) + " ";
        return all + config.PoleText(0);
    };
    StorePreviewedPoleSettings(config, s);
    EXPECT_EQ(switches(), "2 3 12 2 4 2 20 0 " + std::string(31, 'w'))
        << "the texts and lists, stop bits not (none selected), neither Use nor the columns";
    StorePoleSettings(config, s);
    EXPECT_EQ(switches(), "0 3 12 2 4 2 40 0 " + std::string(31, 'w'));
}

std::vector<PrinterInfo> Printers(std::initializer_list<std::string> names) {
    std::vector<PrinterInfo> out;
    for (const std::string& n : names) out.push_back({n, n + " driver", n + " port"});
    return out;
}

TEST(ReceiptSettings, OpeningStoresThePrinterPositionsAtOnceOkTheFooterOptionsAndBoxes) {
    TerminalConfig config;
    config.SetInt32(receiptcfg::kPrinterPosition, 3), config.SetText(cfg::kReceiptPrinter, 200, "Removed");
    config.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, "C"), config.SetSwitch(receiptcfg::kSwitchFontSize, 7);
    config.SetSwitch(165, 2);
    EXPECT_EQ(OpenReceiptSettings(config, std::nullopt).receiptPrinter, -1);
    EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), 3) << "a failed listing changes nothing";

    ReceiptSettings s = OpenReceiptSettings(config, Printers({"A", "B", "C"}));
    EXPECT_EQ(s.printers, (std::vector<std::string>{"Default", "A", "B", "C"}));
    EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), 0) << "a removed printer falls back to Default";
    EXPECT_EQ(config.Option(receiptcfg::kOptionKitchenPosition), 3);
    EXPECT_TRUE(s.omitConfirm) << "option [9] is 0";

    s = {{}, -1, -1, false, 4, 3, {}, std::string(254, 'f')};
    s.switchBoxes.fill(true);
    StoreReceiptSettings(config, s, std::nullopt, std::nullopt);
    EXPECT_EQ(config.Text(cfg::kClosingMessage, cfg::kLongTextWidth), std::string(251, 'f'));
    EXPECT_EQ(config.Option(receiptcfg::kOptionPrintConfirm) * 100 +
                  config.Switch(receiptcfg::kSwitchAutoReceipt) * 10 + config.Switch(receiptcfg::kSwitchFontSize), 143);
    EXPECT_EQ(config.Switch(20) * 10 + config.Switch(165), 20) << "a ticked box stores 2; [165]'s is ticked when 0";
}

TEST(ReceiptSettings, OkStoresTheChosenPrintersOrDefault) {
    const PrinterListing listing = Printers({"A", "B"});
    struct Row { int position; PrinterListing atOk; std::int32_t wantPosition; std::string want; const char* why; };
    const Row rows[] = {
        {2, listing, 2, "B/B driver/B port", "the chosen printer's names"},
        {0, listing, 0, "//", "Default empties the names"},
        {3, listing, 0, "//", "a printer gone since opening"},
        {2, std::nullopt, 0, "//", "the listing at OK failed"},
        {-1, listing, 1, "Old/Old/Old", "nothing selected keeps the printer"},
        {2, Printers({"A"}), 2, "A/A driver/A port", "one printer, whatever the position"},
    };
    for (const Row& row : rows) {
        TerminalConfig config;
        config.SetInt32(receiptcfg::kPrinterPosition, 1), config.SetOption(receiptcfg::kOptionKitchenPosition, 1);
        for (std::size_t at : {cfg::kReceiptPrinter, receiptcfg::kPrinterDriver, receiptcfg::kPrinterPort,
                               cfg::kKitchenPrinter})
            config.SetText(at, 200, "Old");
        ReceiptSettings s;
        s.receiptPrinter = s.kitchenPrinter = row.position;
        StoreReceiptSettings(config, s, row.atOk, row.atOk);
        EXPECT_EQ(ReceiptPrinterName(config) + "/" + config.Text(receiptcfg::kPrinterDriver, 200) + "/" +
                      config.Text(receiptcfg::kPrinterPort, 200), row.want) << row.why;
        EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), row.wantPosition) << row.why;
        EXPECT_EQ(config.Option(receiptcfg::kOptionKitchenPosition), row.wantPosition) << row.why;
        EXPECT_EQ(config.Text(cfg::kKitchenPrinter, 200), ReceiptPrinterName(config)) << row.why;
    }
}

std::vector<std::uint8_t> Bitmap(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0) {
    const std::size_t row = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> b(54 + row * static_cast<std::size_t>(height < 0 ? -height : height));
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M', b[26] = 1;  // one plane
    put(10, 54), put(14, 40), put(18, width), put(22, height), put(28, bits), put(30, compression);
    return b;
}

TEST(LogoBitmap, OnlyAWholeBitmapIsTaken) {
    auto shortened = Bitmap(3, 2, 24), letters = Bitmap(3, 2, 24), twoPlanes = Bitmap(3, 2, 24);
    shortened.pop_back(), letters[0] = 'P', twoPlanes[26] = 2;
    struct Row { std::vector<std::uint8_t> file; bool want; const char* why; };
    const Row rows[] = {
        {Bitmap(3, 2, 24), true, "3x2 at 24 bits, rows padded to 12"}, {Bitmap(1, -1, 1), true, "top-down, 1 bit"},
        {Bitmap(3, 2, 8, 1), true, "run-length encoded"}, {shortened, false, "one byte of pixels missing"},
        {letters, false, "does not start with BM"}, {Bitmap(3, 2, 24, 5), false, "a PNG inside"},
        {twoPlanes, false, "two planes"}, {Bitmap(0, 2, 24), false, "no width"},
        {Bitmap(3, 2, 3), false, "3 bits a pixel"}, {{'B', 'M'}, false, "only the magic"},
    };
    for (const Row& row : rows) EXPECT_EQ(IsPlausibleBitmap(row.file), row.want) << row.why;
}

DeviceBytes B(std::initializer_list<int> values, std::string_view text = "") {
    DeviceBytes out(values.begin(), values.end());
    return out.insert(out.end(), text.begin(), text.end()), out;
}

TEST(ControlSequence, ParsesCommaSeparatedDecimalsLikeAtoiToTheLowEightBits) {
    const struct { std::string text; DeviceBytes bytes; const char* why; } rows[] = {
        {" 250,+7,12x9,x", B({250, 7, 12, 0}), "blanks, a sign, digits up to the first other character"},
        {"300,-1,256,511,-256", B({44, 255, 0, 255, 0}), "the low 8 bits"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,1", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1}), "31 characters"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}), "32: the last dropped"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,4,99", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 4}), "a comma at 31"},
    };
    for (const auto& r : rows) EXPECT_EQ(ParseControlSequence(r.text), r.bytes) << r.why;
}

TEST(DeviceOutputs, PoleFramesClearMoveTheCursorThenWriteTheMessageDrawersRepeatACharacter) {
    auto c = std::make_unique<TerminalConfig>();
    auto pole = [&](int slot, std::string_view text) { c->SetText(cfg::kPoleTexts + 32 * slot, 32, text); };
    EXPECT_EQ(PoleFrame(*c, "Hi"), B({0}, "Hi")) << "an empty clear text still sends a 0 byte, no cursor bytes";
    EXPECT_EQ(PoleSecondLine(*c, "Change"), B({0}, "Change")) << "nor does the second line's";
    EXPECT_TRUE(PolePrinterSwitch(*c, devcfg::kPolePrinterOff).empty()) << "no printer switch sequence: nothing";
    pole(devcfg::kPoleClear, "27,64"), pole(devcfg::kPoleCursorLine1, "11"), pole(devcfg::kPoleCursorLine2, "11,10");
    pole(devcfg::kPolePrinterOff, "27,61,2");
    EXPECT_EQ(PoleFrame(*c, "Next customer"), B({0x1B, 0x40, 0x0B}, "Next customer"));
    EXPECT_EQ(PoleSecondLine(*c, "Change"), B({11, 10}, "Change"));
    EXPECT_EQ(PolePrinterSwitch(*c, devcfg::kPolePrinterOff), B({27, 61, 2}));
    const DeviceBytes frame = PoleFrame(*c, PoleTenderText(1e250));
    EXPECT_EQ(frame.size(), devcfg::kOutputLimit) << "longer output is cut";
    EXPECT_EQ(DeviceBytes(frame.begin(), frame.begin() + 11), B({27, 64, 11}, "Tender: "));
    std::memset(c->data() + cfg::kPoleTexts + 32 * devcfg::kPoleClear, '1', 32);  // 32 digits without terminator
    EXPECT_EQ(PoleFrame(*c, "x"), B({11}, "x")) << "the token still open after 32 characters is dropped";
    for (auto [repeat, character, count, byte] : {std::tuple{std::int64_t{3}, 7, 3, 7}, {1, 255, 1, 255}, {0, 7, 0, 7},
                                                  {-5, 7, 0, 7}, {std::int64_t{1} << 40, 300, 200, 44}}) {
        c->SetOption(4, repeat), c->SetOption(6, character);
        EXPECT_EQ(DrawerBytes(*c), DeviceBytes(count, byte)) << repeat << " x " << character;
    }
    std::memset(c->data() + cfg::kDrawerSequence, '5', 200);
    EXPECT_EQ(DrawerSequenceText(*c), std::string(32, '5'));
}

TEST(DeviceOutputs, PortNamesLineSettingsAndDisplayTexts) {
    for (auto [index, names] : {std::pair{0, "COM1 COM1"}, {7, "COM8 COM8"}, {8, "COM1 LPT1"}, {9, "COM1 LPT2"},
                                {10, "COM1 COM1"}, {-1, "COM1 COM1"}})  // the pole's port, the drawer's
        EXPECT_EQ(std::string(PolePortName(index)) + " " + DevicePortName(index), names) << index;
    const struct { int baud, bits, parity, stop; LineSettings want; const char* why; } rows[] = {
        {0, 0, 0, 0, {9600, 8, 0, 0}, "the first entries"},
        {12, 4, 1, 1, {256000, 7, 2, 1}, "the last rate and size; even parity; 1.5 stop bits"},
        {13, 5, 3, -1, {9600, 8, 0, 0}, "past every table: the first entries"}};
    auto c = std::make_unique<TerminalConfig>();
    for (const auto& r : rows) {
        c->SetSwitch(177, r.baud), c->SetSwitch(178, r.bits), c->SetSwitch(179, r.parity), c->SetSwitch(176, r.stop);
        EXPECT_TRUE(PoleLineSettings(*c) == r.want) << r.why;
    }
    for (auto [description, price, text] : {std::tuple{"Twelve chars", 2.5, "Twelve chars 2.50"},
                                            {"Thirteen char", 2.5, "Thirteen cha  2.50"},
                                            {"Thirteen char", 1234567.89, "Thirteen cha  1234567."}})
        EXPECT_EQ(PoleItemText(description, price), text) << "12 characters and the first 10 of the price";
    EXPECT_EQ(PoleTotalText(19) + "|" + PoleChangeText(0.5), "Total: 19.00|Change: 0.50");
}

using namespace aftersale;

TEST(AfterSale, TheAutomaticDocumentItsJobAndTheSummaryButtonPostedForIt) {
    using P = Printer;
    const struct { int automatic, two, code, posts; DocumentJob job; const char* why; } rows[] = {
        {1, 0, 1, 1, {kStandardReceipt, P::Receipt, 0, 0}, "the standard receipt"},
        {2, 0, 2, 1, {kInvoice1, P::Document, 0, 0}, "Invoice 1 through the print dialog"},
        {3, 0, 3, 1, {kCustomInvoice, P::Document, 0, 0}, "the custom invoice"},
        {4, 0, 4, 1, {kCustomReceipt, P::Receipt, 0, 1}, "the custom receipt with its closing sequence"},
        {1, 2, 5, 2, {kStandardReceipt, P::Receipt, 1, 0}, "two copies add 4: one extra copy"},
        {4, 1, 8, 2, {kCustomReceipt, P::Receipt, 1, 1}, "any non-zero switch means two"},
        {0, 2, 0, 0, {}, "none"}, {5, 2, 0, 0, {}, "past the last"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(AutomaticDocumentCode(r.automatic, r.two), r.code) << r.why;
        EXPECT_EQ(std::pair(AutomaticButton(r.automatic), AutomaticButtonPosts(r.automatic, r.two)),
                  std::pair(r.job.kind, r.posts)) << r.why;
        DocumentJob job;  // untouched when there is no job
        ASSERT_EQ(JobForCode(r.code, job), r.code != 0) << r.why;
        EXPECT_EQ(std::tie(job.kind, job.printer, job.extraCopies, job.closingSequence),
                  std::tie(r.job.kind, r.job.printer, r.job.extraCopies, r.job.closingSequence)) << r.why;
    }
}

TEST(AfterSale, TheStepsTheSettingsAskForAndTheSummarysPlace) {
    const struct { AfterSaleSettings settings; const char *plan, *why; } rows[] = {
        // drawer, pole display, summary dialog, the automatic document's code, kitchen ticket
        {{1, 0, 4, 2, 2, 2}, "1 1 1 0 1", "the summary dialog: it posts its own buttons"},
        {{0, 1, 4, 2, 0, 0}, "0 0 0 8 0", "printed directly: the custom receipt twice"},
        {{-1, 5, 0, 0, 0, 0}, "0 0 0 0 0", "directly, but no document"},
    };
    for (const auto& r : rows) {
        const AfterSalePlan p = PlanAfterSale(r.settings);
        EXPECT_EQ(std::to_string(p.openDrawer) + " " + std::to_string(p.showTenderOnPole) + " " +
                      std::to_string(p.showSummary) + " " + std::to_string(p.automaticCode) + " " +
                      std::to_string(p.printKitchenTicket), r.plan) << r.why;
    }
    int left = -1, top = -1;
    EXPECT_TRUE(PlaceSummary({100, 50, 900, 650}, 300, 200, left, top) && left == 350 && top == 440)
        << "centred; its bottom 10 above the window's";
    EXPECT_FALSE(PlaceSummary({100, 50, 100, 650}, 300, 200, left, top)) << "an empty window rectangle";
}

// Sale 1234 (12.50) by associate 3 at 09:05 on Mar 7 2024; current customer 77 at `email`.
EmailOrder DeliOrder(std::int64_t saleCustomer = 0, const char* email = "", bool fifthHeaderFull = false) {
    HeaderTexts headers;
    const char* texts[] = {"Nordane Deli", "1 High Street", "Kingsbridge", "KB1 2AB", "Tel 01234 567890", "VAT 123"};
    for (int i = 0; i < 6; ++i) std::strncpy(headers.text[i], texts[i], sizeof headers.text[i] - 1);
    if (fifthHeaderFull) std::memset(headers.text[4], 'T', sizeof headers.text[4]);  // no terminator
    auto basket = std::make_unique<TransactionRecord>();
    basket->SetNumber(1234), basket->SetTotal(12.5), basket->SetCustomerNumber(saleCustomer);
    auto config = std::make_unique<TerminalConfig>();
    config->SetCurrentAssociate(3), config->SetAssociateName(3, "Associate 3");
    CustomerRecord customer;
    customer.SetNumber(77), customer.SetEmail(email);
    return OrderForEmail(headers, *basket, *config, customer, At(2024, 3, 7, 9, 5), "Mar 7 2024");
}

const std::string kSubject = "?subject=Nordane%20Deli%20Order%20Confirmation&body=";
const std::string kDeliBody =
    "Nordane%20Deli%0D%0A1%20High%20Street%0D%0AKingsbridge%0D%0AKB1%202AB%0D%0ATel%2001234%20567890%0D%0A%0D%0A"
    "Order%20reference%3A%201234%0D%0ADate%3A%2009%3A05%20Mar%207%202024%0D%0AAssociate%3A%203%2C%20Associate%203"
    "%0D%0ATotal%3A%2012.50%0D%0A%0D%0AThank%20you%20for%20your%20purchase.%20Please%20find%20your%20invoice%20"
    "attached.%0D%0AIf%20you%20have%20any%20further%20questions%20please%20let%20us%20know.%0D%0AKind%20Regards";

TEST(EmailLink, TheSaleInTheBasketToItsOwnCustomersAddress) {
    const struct { std::int64_t saleCustomer; const char *email, *to, *why; } rows[] = {
        {0, "ann@example.com", "", "no customer on the sale"}, {77, "", "", "a customer without an address"},
        {78, "ann@example.com", "", "the current customer, found by a search, is not the sale's"},
        {77, "ann.lee@example.com", "ann.lee@example.com", "the sale's customer"},
    };
    for (const auto& r : rows) {
        std::string link;
        ASSERT_TRUE(ComposeEmailLink(DeliOrder(r.saleCustomer, r.email), link));
        EXPECT_EQ(link, "mailto:" + std::string(r.to) + kSubject + kDeliBody) << r.why;
    }
    EXPECT_EQ(DeliOrder(0, "", true).headers[4], std::string(sizeof HeaderTexts{}.text[4], 'T'))
        << "a header text without a terminator stops at its width, never running on into the next";
}

TEST(EmailLink, HostileTextsCannotAddHeadersOrEndTheLink) {
    EmailOrder order = DeliOrder();
    order.customer = 5, order.customerEmail = "x@y.com&bcc=evil@z";
    order.headers[0] = "A&B ?#%+/: Shop", order.headers[2] = "\xE9&cc=spy@z";
    std::string link;
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_TRUE(link.starts_with("mailto:x@y.com%26bcc%3Devil@z?subject=A%26B%20%3F%23%25%2B%2F%3A%20Shop%20Order%20"
                                 "Confirmation&body=A%26B%20%3F%23%25%2B%2F%3A%20Shop%0D%0A1%20High%20Street%0D%0A"
                                 "%E9%26cc%3Dspy%40z")) << link;
}

TEST(EmailLink, BoundedAtFourThousandCharactersWithoutCuttingAnEscape) {
    const struct { int header; std::string text; bool ok; std::size_t size; const char* end; } rows[] = {
        {1, std::string(6000, 'a'), true, kMaxLinkLength, "aaa"},  // the body is cut to fill the link
        {1, "x" + std::string(2000, ' '), true, kMaxLinkLength - 2, "%20"},  // 80 + 3 x 1306: one more won't fit
        {0, std::string(kMaxLinkLength, 'x'), false, 9, "untouched"},  // not even the subject fits: nothing to open
    };
    for (const auto& r : rows) {
        EmailOrder order = DeliOrder();
        order.headers[r.header] = r.text;
        std::string link = "untouched";
        EXPECT_EQ(ComposeEmailLink(order, link), r.ok) << r.end;
        EXPECT_EQ(link.size(), r.size) << r.end;
        EXPECT_TRUE(link.ends_with(r.end)) << r.end;
    }
}

}  // namespace devices
}  // namespace
