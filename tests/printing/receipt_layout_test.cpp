#include "printing/receipt_layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printing/code39.h"
#include "support/plan_text.h"

namespace {

using namespace print;

constexpr int kLh = 50;
constexpr int kKitchen = 0;  // a row's kind: the kitchen ticket

// A centred body text on row r of a page 2000 wide.
std::string C(double row, const std::string& text) { return DescribeText(1000, RowY(row, kLh), 'C', "body", text); }

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

struct PlanCase {  // a switch or rule, and the lines it must put on the page
    const char* why;
    int kind;
    std::function<void(Till&)> setup;
    std::vector<std::string> has;
    std::vector<std::string> lacks = {};  // no line may contain these
};

void NoHeading(Till& t) { t.config.SetSwitch(165, 2); }
void Pudding(Till& t) { t.Line(1, "Bread and butter pudding", 4, 1, 4, 0), t.Line(2, "Wine", 12, 2, 0, 10); }
std::string L(int x, double row, const std::string& text) { return DescribeText(x, RowY(row, kLh), 'L', "body", text); }
std::string R(int x, double row, const std::string& text) { return DescribeText(x, RowY(row, kLh), 'R', "body", text); }

const PlanCase kPlanCases[] = {
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
    {"a discount without tax: sub total, discount, total, rule", kStandardReceipt,
     [](Till& t) { t.Line(1, "Gin", 10), t.sale.SetSubTotal(9), t.sale.SetDiscountTotal(1), t.sale.SetTotal(9); },
     {C(16, "Sub total: 9.00"), C(17, "Discount: (1.00)"), C(18, "Total: $9.00"), C(19, "========================"),
      C(21, "Payment: Cash")}},
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
    {"a refund prints its refund number and no change", kStandardReceipt,
     [](Till& t) { t.Line(1, "Gin", 10.00), t.sale.SetPaymentType("Refund"), t.PayCash(15.00); },
     {C(7, "Refund: 1234")}, {"Receipt", "change"}},
    {"custom receipt: switch [186] marks tax-free lines; only [188] 2 means net prices", kCustomReceipt,
     [](Till& t) { t.config.SetSwitch(186, 2), t.config.SetSwitch(188, 1), Pudding(t); },
     {L(20, 2, "Bread and butter pudding"), R(1980, 2, "E  4.00"), L(20, 4, "2 @ 12.00"), R(1980, 4, "24.00")}},
    {"custom receipt: switch [188] 2 prints net prices, [12] cuts to 20", kCustomReceipt,
     [](Till& t) { t.config.SetSwitch(188, 2), t.config.SetSwitch(12, 2), Pudding(t); },
     {L(20, 2, "Bread and butter pud"), L(20, 4, "2 @ 10.00"), R(1980, 4, "20.00")}},
    {"custom receipt: switch [127]'s barcode two rows below the closing row", kCustomReceipt,
     [](Till& t) { t.Line(1, "Gin", 2.00), t.config.SetSwitch(127, 2); }, {"B 1000 350 1234"}, {"body   "}},
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
         t.in.receiptLogo = {400, 200}, t.config.SetSwitch(23, 2), t.config.SetSwitch(128, 2);
         t.config.SetSwitch(185, 2), t.config.SetSwitch(121, 2), t.config.SetAmount(4, 2);
         t.config.SetText(cfg::kSecondCurrencySign, 6, "E"), t.config.SetSwitch(189, 2), t.config.SetSwitch(183, 1);
         for (auto [e, row] : {std::pair{8, 1}, {9, 2}, {10, 1}, {11, 2}, {17, 3}, {14, 4}})
             t.config.SetInt32(cfg::kReceiptRows + 4 * e, row);
         t.config.SetSwitch(180, 8), t.config.SetSwitch(181, 5), t.config.SetSwitch(182, 6);  // elements 19 to 21
         for (int e = 23; e <= 27; ++e) t.config.SetSwitch(171 + e, e - 20);
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
    for (const PlanCase& c : kPlanCases) {
        auto t = std::make_unique<Till>();
        c.setup(*t);
        ExpectLines(t->Plan(c.kind), c.has, c.lacks, c.why);
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

}  // namespace
