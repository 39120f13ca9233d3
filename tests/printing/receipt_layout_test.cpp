#include "printing/receipt_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/plan_text.h"

namespace {

using namespace print;

constexpr int kLh = 50;

// A centred text on row r.
std::string C(double row, const std::string& text) {
    return DescribeText(1000, RowY(row, kLh), 'C', "body", text);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    return all;
}

bool Has(const PagePlan& plan, const std::string& line) {
    const auto all = Describe(plan);
    return std::find(all.begin(), all.end(), line) != all.end();
}

// The lines of the plan that carry `text` (anywhere).
std::vector<std::string> With(const PagePlan& plan, const std::string& text) {
    std::vector<std::string> out;
    for (const auto& l : Describe(plan))
        if (l.find(text) != std::string::npos) out.push_back(l);
    return out;
}

class ReceiptLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        labels = DefaultLabelTable();
        for (int i = 0; i < 6; ++i) config.SetText(cfg::kHeaderTexts + 60 * i, 60, "Header " + std::to_string(i + 1));
        CopyHeaderTexts(headers, config);
        config.SetText(cfg::kCurrencySign, 6, "$");
        config.SetText(cfg::kTax1Name, 6, "VAT");
        config.SetText(cfg::kTax2Name, 6, "PST");
        config.SetText(cfg::kClosingMessage, cfg::kLongTextWidth, "Thank you for shopping");
        config.SetCurrentAssociate(3);
        config.SetAssociateName(3, "Anna Berg");
        config.SetSwitch(165, 0);  // heading

        sale.SetNumber(1234);
        sale.SetTime("10:15");
        sale.SetDate("Mon 3 Jun 24");
        sale.SetPaymentType("Cash");

        metrics.lineHeight = kLh;
        metrics.halfWidth = 1000;
        metrics.pageHeight = 3300;
        metrics.leftOffset = 20;
        metrics.topOffset = 0;
        metrics.averageCharWidth = 20;
        metrics.variablePitch = false;
        metrics.dotsPerInchX = 300;
        metrics.dotsPerInchY = 300;
        metrics.physicalWidth = 2000;
        // 30 characters a line.
        metrics.wrappedHeight = [](const std::string& text, int) {
            return kLh * static_cast<int>((text.size() + 29) / 30);
        };

        in.sale = &sale;
        in.config = &config;
        in.labels = &labels;
        in.headers = &headers;
        in.nowClock = "11:05";
        in.todayLong = "Jun 3 2024";
        in.kitchenDate = "Mon 3 Jun 24";
        in.basketTable = 5;
    }

    void AddLine(std::int64_t item, const std::string& description, double total, double nonTaxable = -1,
                 double taxable = 0) {
        const int i = sale.LineCount();
        sale.SetLineItemNumber(i, item);
        sale.SetLineDescription(i, description);
        sale.SetLineTotal(i, total);
        sale.SetLineNonTaxable(i, nonTaxable < 0 ? total : nonTaxable);
        sale.SetLineTaxable(i, taxable);
        sale.SetLineCount(i + 1);
        sale.SetTotal(sale.Total() + total);
        sale.SetSubTotal(sale.SubTotal() + total);
    }

    void PayCash(double tendered) {
        sale.SetCashPaid(sale.Total());
        in.tender.tendered = tendered;
        in.tender.change = tendered - sale.Total();
    }

    PagePlan Standard() { return LayOutReceipt(in, metrics, kStandardReceipt); }
    PagePlan Custom() { return LayOutReceipt(in, metrics, kCustomReceipt); }

    void SetRow(int element, int row) {
        if (element <= 18) config.SetInt32(cfg::kReceiptRows + 4 * element, row);
        else if (element <= 21) config.SetSwitch(161 + element, row);
        else if (element == 22) config.SetSwitch(187, row);
        else config.SetSwitch(171 + element, row);
    }

    TerminalConfig config;
    TransactionRecord sale;
    LabelTable labels;
    HeaderTexts headers;
    PageMetrics metrics;
    SaleDocumentInputs in;
};

// ---------------------------------------------------------------------------------
// Standard receipt

TEST_F(ReceiptLayoutTest, StandardReceiptWithHeadingPlacesEveryRow) {
    AddLine(1001, "Kingsbridge Vodka 70cl", 10.00);
    AddLine(1002, "Gin", 2.34);
    PayCash(20.00);

    const std::vector<std::string> expected = {
        C(1, "Header 1"), C(2, "Header 2"), C(3, "Header 3"), C(4, "Header 6"),
        C(6, "========================"),
        C(7, "Receipt: 1234"),
        C(8, "10:15  Mon 3 Jun 24"),
        C(9, "3, Anna Berg"),
        C(10, "------------------------"),
        "L 30 610 1980 610 0",
        "T 30 625 L body Description",
        "T 330 625 L body Qty   Price",  // 30 + (20 / 2) * 2 * 15
        "T 1980 625 R body Amount",
        "L 30 685 1980 685 0",
        "T 30 700 L body Kingsbridge Vo",
        "T 350 700 L body 1",            // 30 + (20 / 2) * 2 * 16
        "T 550 700 R body 10.00",        // + 10 average widths
        "T 1980 700 R body 10.00",
        "T 30 750 L body Gin",
        "T 350 750 L body 1",
        "T 550 750 R body 2.34",
        "T 1980 750 R body 2.34",
        C(17, "Total: $12.34"),
        C(18, "========================"),
        C(20, "Payment: Cash"),
        C(21, "Cash change: 7.66"),
        C(23, "Thank you for shopping"),
        C(24, "  "),
    };
    EXPECT_EQ(Joined(Describe(Standard())), Joined(expected));
}

TEST_F(ReceiptLayoutTest, StandardReceiptClosingRowCarriesTheBarcode) {
    AddLine(1001, "Gin", 2.34);
    AddLine(1002, "Tonic", 1.00);
    PayCash(5.00);
    config.SetSwitch(125, 2);
    const auto plan = Describe(Standard());
    EXPECT_EQ(plan.back(), "B 1000 1300 1234");  // row 24, bars from row 26
    EXPECT_EQ(plan[plan.size() - 2], C(23, "Thank you for shopping"));
    EXPECT_FALSE(Has(Standard(), C(24, "  ")));
}

TEST_F(ReceiptLayoutTest, VariablePitchWidensTheColumns) {
    metrics.variablePitch = true;
    AddLine(1001, "Gin", 2.34);
    const PagePlan plan = Standard();
    EXPECT_TRUE(Has(plan, "T 480 625 L body Qty   Price"));  // 30 + 10 * 3 * 15
    EXPECT_TRUE(Has(plan, "T 510 700 L body 1"));            // 30 + 10 * 3 * 16
    EXPECT_TRUE(Has(plan, "T 710 700 R body 2.34"));
}

TEST_F(ReceiptLayoutTest, LogoRowsMoveTheWholeReceiptDown) {
    config.SetSwitch(123, 2);
    in.receiptLogo = {400, 100};
    AddLine(1001, "Gin", 2.34);
    // Half width: 1000 x 250 at x 500; (250 + 20) / 50 = 5 rows.
    PagePlan plan = Standard();
    EXPECT_EQ(Describe(plan).front(), "P 500 10 1500 260");
    EXPECT_EQ(Describe(plan)[1], C(6, "Header 1"));
    EXPECT_TRUE(Has(plan, "T 30 950 L body Gin"));  // row 5 + 14

    config.SetSwitch(23, 2);  // full width: 2000 x 500, (500 + 20) / 50 = 10 rows
    plan = Standard();
    EXPECT_EQ(Describe(plan).front(), "P 0 10 2000 510");
    EXPECT_EQ(Describe(plan)[1], C(11, "Header 1"));

    in.receiptLogo = {};  // the file did not load
    plan = Standard();
    EXPECT_EQ(Describe(plan).front(), C(1, "Header 1"));

    config.SetSwitch(123, 0);
    in.receiptLogo = {400, 100};
    EXPECT_EQ(Describe(Standard()).front(), C(1, "Header 1"));
}

TEST_F(ReceiptLayoutTest, GroupsOfOneItemAtOnePriceWithoutHeading) {
    config.SetSwitch(165, 2);
    AddLine(2001, "Espresso", 1.50);
    AddLine(2001, "Espresso", 1.50);
    AddLine(2001, "Espresso", 1.50);
    AddLine(2002, "Croissant", 2.10);
    const PagePlan plan = Standard();
    // No heading: items from row 12; the group takes a second row for its quantity.
    EXPECT_TRUE(With(plan, "Description").empty());
    EXPECT_EQ(With(plan, "Espresso"), std::vector<std::string>{"T 30 600 L body Espresso"});
    EXPECT_TRUE(Has(plan, "T 30 650 L body 3 @ 1.50"));
    EXPECT_TRUE(Has(plan, "T 1980 650 R body 4.50"));
    EXPECT_TRUE(Has(plan, "T 30 700 L body Croissant"));
    EXPECT_TRUE(Has(plan, "T 1980 700 R body 2.10"));
    EXPECT_TRUE(Has(plan, C(16, "Total: $6.60")));
}

TEST_F(ReceiptLayoutTest, SameItemAtTwoPricesPrintsTwoEntries) {
    AddLine(2001, "Espresso", 1.50);
    AddLine(2001, "Espresso", 1.20);
    AddLine(2001, "Espresso", 1.50);
    const PagePlan plan = Standard();
    EXPECT_EQ(With(plan, "L body Espresso"), (std::vector<std::string>{"T 30 700 L body Espresso", "T 30 750 L body Espresso"}));
    EXPECT_TRUE(Has(plan, "T 350 700 L body 2"));
    EXPECT_TRUE(Has(plan, "T 1980 700 R body 3.00"));
    EXPECT_TRUE(Has(plan, "T 350 750 L body 1"));
    EXPECT_TRUE(Has(plan, "T 1980 750 R body 1.20"));
    EXPECT_TRUE(Has(plan, C(17, "Total: $4.20")));  // rows 14 and 15, as two groups
}

TEST_F(ReceiptLayoutTest, NonInventoryLinesWithEqualTotalsShareTheFirstDescription) {
    config.SetSwitch(165, 2);
    AddLine(0, "Gift wrap", 3.00);
    AddLine(0, "Card", 3.00);
    const PagePlan plan = Standard();
    EXPECT_TRUE(Has(plan, "T 30 600 L body Gift wrap"));
    EXPECT_TRUE(Has(plan, "T 30 650 L body 2 @ 3.00"));
    EXPECT_TRUE(Has(plan, "T 1980 650 R body 6.00"));
    EXPECT_TRUE(With(plan, "Card").empty());
}

TEST(GroupLines, ReceiptsGroupItemAndTotalDocumentsAlsoDescription) {
    TransactionRecord sale;
    const struct { std::int64_t item; const char* text; double total; } lines[] = {
        {0, "Gift wrap", 3.00}, {5, "Tea", 1.10}, {0, "Card", 3.00}, {5, "Tea", 1.10},
        {0, "Gift wrap", 3.00}, {5, "Tea", std::nextafter(1.10, 2.0)}, {6, "Tea", 1.10},
    };
    int n = 0;
    for (const auto& l : lines) {
        sale.SetLineItemNumber(n, l.item);
        sale.SetLineDescription(n, l.text);
        sale.SetLineTotal(n, l.total);
        ++n;
    }
    sale.SetLineCount(n);
    const auto receipt = GroupLines(sale, Grouping::Receipt);
    const int expectedReceipt[] = {3, 2, 0, 0, 0, 1, 1};
    const auto document = GroupLines(sale, Grouping::Document);
    const int expectedDocument[] = {2, 2, 1, 0, 0, 1, 1};
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(receipt[i], expectedReceipt[i]) << i;
        EXPECT_EQ(document[i], expectedDocument[i]) << i;
    }
    EXPECT_EQ(receipt[n], 0);

    sale.SetLineCount(5000);  // a damaged count reads as 400 lines
    EXPECT_EQ(GroupLines(sale, Grouping::Receipt)[399], 0);  // empty lines 7..399 all group with line 7
    EXPECT_EQ(GroupLines(sale, Grouping::Receipt)[7], 393);
}

TEST_F(ReceiptLayoutTest, DescriptionsAreCutByLayout) {
    AddLine(1, "Twenty-five characters!!!", 1.00);
    EXPECT_TRUE(Has(Standard(), "T 30 700 L body Twenty-five ch"));  // heading: 14

    config.SetSwitch(165, 2);
    EXPECT_TRUE(Has(Standard(), "T 30 600 L body Twenty-five characters!!!"));
    config.SetSwitch(12, 2);
    EXPECT_TRUE(Has(Standard(), "T 30 600 L body Twenty-five characte"));  // 20

    config.SetSwitch(124, 2);  // centred
    EXPECT_TRUE(Has(Standard(), C(12, "Twenty-five characte, 1.00")));
}

TEST_F(ReceiptLayoutTest, CentredItemsWithoutHeading) {
    config.SetSwitch(165, 2);
    config.SetSwitch(124, 2);
    AddLine(7, "Bagel", 0.80);
    AddLine(7, "Bagel", 0.80);
    AddLine(8, "Jam", 2.00);
    const PagePlan plan = Standard();
    EXPECT_TRUE(Has(plan, C(12, "2 Bagel, 1.60")));
    EXPECT_TRUE(Has(plan, C(13, "Jam, 2.00")));
    EXPECT_TRUE(Has(plan, C(15, "Total: $3.60")));

    config.SetSwitch(165, 0);  // the heading layout is never centred
    EXPECT_TRUE(Has(Standard(), "T 30 700 L body Bagel"));
}

TEST_F(ReceiptLayoutTest, DiscountWithoutTaxPrintsSubTotalThenDiscount) {
    AddLine(1, "Gin", 10.00);
    sale.SetSubTotal(9.00);
    sale.SetDiscountTotal(1.00);
    sale.SetTotal(9.00);
    const PagePlan plan = Standard();
    EXPECT_TRUE(Has(plan, C(16, "Sub total: 9.00")));
    EXPECT_TRUE(Has(plan, C(17, "Discount: (1.00)")));
    EXPECT_TRUE(Has(plan, C(18, "Total: $9.00")));
    EXPECT_TRUE(Has(plan, C(19, "========================")));
    EXPECT_TRUE(Has(plan, C(21, "Payment: Cash")));
}

TEST_F(ReceiptLayoutTest, NetPricesPrintSubTotalOnceBeforeTaxesAndDiscount) {
    config.SetSwitch(190, 2);
    AddLine(1, "Gin", 12.00, 0.00, 10.00);
    AddLine(2, "Tonic", 1.10, 1.00, 0.00);
    sale.SetSubTotal(11.00);
    sale.SetTax1Total(2.00);
    sale.SetTax2Total(0.10);
    sale.SetDiscountTotal(0.50);
    sale.SetTotal(12.60);
    PayCash(20.00);
    const PagePlan plan = Standard();
    EXPECT_TRUE(Has(plan, "T 550 700 R body 10.00"));   // the net price
    EXPECT_TRUE(Has(plan, "T 1980 750 R body 1.00"));
    EXPECT_EQ(With(plan, "Sub total"), std::vector<std::string>{C(17, "Sub total: 11.00")});
    EXPECT_TRUE(Has(plan, C(18, "VAT: 2.00")));
    EXPECT_TRUE(Has(plan, C(19, "PST: 0.10")));
    EXPECT_TRUE(Has(plan, C(20, "Discount: (0.50)")));
    EXPECT_TRUE(Has(plan, C(21, "Total: $12.60")));
    EXPECT_TRUE(Has(plan, C(24, "Payment: Cash")));
    EXPECT_TRUE(Has(plan, C(25, "Cash change: 7.40")));
    EXPECT_TRUE(With(plan, "%").empty());  // no rate lines with net prices
    EXPECT_TRUE(Has(plan, C(27, "Thank you for shopping")));
}

TEST_F(ReceiptLayoutTest, GrossPricesPrintTaxRatesAfterThePayment) {
    config.SetOption(33, 2000);
    config.SetOption(35, 750);
    AddLine(1, "Gin", 12.00, 0.00, 10.00);
    sale.SetTax1Total(1.50);
    sale.SetTax2Total(0.50);
    PayCash(12.00);  // no change
    const PagePlan plan = Standard();
    EXPECT_TRUE(With(plan, "Sub total").empty());
    EXPECT_TRUE(Has(plan, C(16, "Total: $12.00")));
    EXPECT_TRUE(Has(plan, C(19, "Payment: Cash")));
    EXPECT_TRUE(With(plan, "change").empty());
    EXPECT_TRUE(Has(plan, C(20, "VAT: 1.50 (20.00%)")));
    EXPECT_TRUE(Has(plan, C(21, "PST: 0.50 (7.50%)")));
    EXPECT_TRUE(Has(plan, C(23, "Thank you for shopping")));

    sale.SetTax1Total(0);  // only the taxes that were charged
    EXPECT_TRUE(Has(Standard(), C(20, "PST: 0.50 (7.50%)")));
}

TEST_F(ReceiptLayoutTest, RefundPrintsRefundNumberAndNoChange) {
    AddLine(1, "Gin", 10.00);
    sale.SetPaymentType("Refund");
    PayCash(15.00);
    const PagePlan plan = Standard();
    EXPECT_TRUE(Has(plan, C(7, "Refund: 1234")));
    EXPECT_TRUE(With(plan, "Receipt").empty());
    EXPECT_TRUE(With(plan, "change").empty());
}

TEST_F(ReceiptLayoutTest, WrappedClosingMessageMovesTheClosingRowDown) {
    config.SetSwitch(10, 2);
    const std::string message = "Thank you for shopping with us today. Come back soon, we open at nine.";
    config.SetText(cfg::kClosingMessage, cfg::kLongTextWidth, message);
    AddLine(1, "Gin", 2.00);
    PayCash(2.00);
    // Header to the total as before with one item: total 16, rule 17, payment 19, message 21.
    auto plan = Describe(Standard());
    EXPECT_EQ(plan[plan.size() - 2], "W 0 1050 2000 1250 body " + message);
    EXPECT_EQ(plan.back(), C(25, "  "));  // three lines: 21 + 1 + 150 / 50

    config.SetText(cfg::kClosingMessage, cfg::kLongTextWidth, "Thanks");
    plan = Describe(Standard());
    EXPECT_EQ(plan[plan.size() - 2], "W 0 1050 2000 1250 body Thanks");
    EXPECT_EQ(plan.back(), C(22, "  "));
}

// ---------------------------------------------------------------------------------
// Elements

TEST_F(ReceiptLayoutTest, PaymentLineFollowsTheRulesInOrder) {
    struct Case { double cash, cheque, eft; const char* type; const char* line; };
    const Case cases[] = {
        {10, 0, 0, "Cash", "Payment: Cash"},
        {0, 10, 0, "CH", "Payment: Cheque"},
        {0, 0, 10, "EFT", "Payment: EFT"},
        {0, 0, 0, "Credit", "Payment: Credit"},
        {0, 5, 5, "Split", "Payment: EFT"},        // EFT rule after the cheque rule
        {0, 10, 0, "Credit", "Payment: Credit"},   // Credit after both
        {5, 5, 0, "Split", "Payment: CH with cash"},
        {5, 0, 5, "Split", "Payment: EFT with cash"},
        {5, 5, 5, "Split", "Payment: EFT with cash"},
        {5, 0, 0, "Credit", "Payment: Cash"},      // Credit only without cash
        {0, 0, 0, "Cash", "Payment: Cash"},
        {0, -3, 0, "CH", "Payment: Cheque"},       // "not 0" without cash
        {5, -3, 0, "CH", "Payment: Cash"},         // "above 0" with cash
        {0, 0, 0, "Credit ", "Payment: Cash"},     // exact text only
    };
    for (const Case& c : cases) {
        sale.SetCashPaid(c.cash);
        sale.SetChequePaid(c.cheque);
        sale.SetEftPaid(c.eft);
        sale.SetPaymentType(c.type);
        EXPECT_EQ(ReceiptElementText(22, in, false), c.line) << c.cash << " " << c.cheque << " " << c.eft;
    }
    labels.SetEntry(15, "Karte mit Bargeld");
    sale.SetCashPaid(1);
    sale.SetEftPaid(1);
    EXPECT_EQ(ReceiptElementText(22, in, false), "Karte mit Bargeld");
}

TEST_F(ReceiptLayoutTest, ElementTexts) {
    config.SetText(5382, 50, "Open daily 8-20");
    config.SetText(5432, 50, "VAT no 123");
    config.SetText(5482, 50, "www.example.org");
    config.SetOption(33, 1750);
    sale.SetTax1Total(3.5);
    sale.SetNonTaxableTotal(4);
    sale.SetTaxableTotal(20);
    sale.SetTotal(27.5);
    sale.SetCustomerRoad("1 High St");
    sale.SetCustomerArea("Old Town");
    sale.SetCustomerTown("Kingsbridge");
    sale.SetCustomerPostCode("KB1 2AA");
    sale.SetCustomerTelephone("0123 456");
    in.customerNumber = 9000000001LL;
    in.customerName = "Ada Lovelace";
    in.tender = {30.0, 2.5};
    const char* const expected[kReceiptElementCount] = {
        "Header 1", "Header 2", "Header 3", "Header 4", "Header 5", "Header 6",
        "11:05 Jun 3 2024", "Thank you for shopping", "Customer: 9000000001", "Ada Lovelace",
        "Non taxable: 4.00", "Taxable: 20.00", "VAT: 3.50 (17.50%)", "PST: 0.00 (0.00%)",
        "Total: $27.50", "3, Anna Berg", "Receipt: 1234", "Tendered: 30.00", "Cash change: 2.50",
        "Open daily 8-20", "VAT no 123", "www.example.org", "Payment: Cash",
        "1 High St", "Old Town", "Kingsbridge", "KB1 2AA", "0123 456",
    };
    for (int e = 0; e < kReceiptElementCount; ++e) EXPECT_EQ(ReceiptElementText(e, in, false), expected[e]) << e;
    EXPECT_EQ(ReceiptElementText(28, in, false), "");
    EXPECT_EQ(ReceiptElementText(-1, in, false), "");

    // Header texts are the 43-character copies.
    config.SetText(cfg::kHeaderTexts, 60, std::string(50, 'x'));
    CopyHeaderTexts(headers, config);
    EXPECT_EQ(ReceiptElementText(0, in, false), std::string(43, 'x'));
    in.headers = nullptr;  // read from the configuration then
    EXPECT_EQ(ReceiptElementText(0, in, false), std::string(43, 'x'));
}

TEST_F(ReceiptLayoutTest, TotalShowsTheSecondCurrencyInCustomPlacementOnly) {
    sale.SetTotal(10.00);
    config.SetText(cfg::kSecondCurrencySign, 6, "EUR ");
    config.SetAmount(4, 1.25);
    config.SetSwitch(121, 2);
    config.SetSwitch(185, 2);
    EXPECT_EQ(ReceiptElementText(14, in, true), "Total $10.00  EUR 12.50");
    EXPECT_EQ(ReceiptElementText(14, in, false), "Total: $10.00");

    PagePlan plan;
    SetRow(14, 3);
    AddReceiptElement(plan, in, metrics, 14, 1000, 10, 0);
    AddReceiptElement(plan, in, metrics, 14, 1000, 10, 2);
    EXPECT_EQ(Describe(plan), (std::vector<std::string>{C(13, "Total $10.00  EUR 12.50"), C(10, "Total: $10.00")}));

    config.SetSwitch(121, 0);
    EXPECT_EQ(ReceiptElementText(14, in, true), "Total: $10.00");
    config.SetSwitch(121, 2);
    config.SetAmount(4, 0);
    EXPECT_EQ(ReceiptElementText(14, in, true), "Total: $10.00");
}

TEST_F(ReceiptLayoutTest, LayoutRowsComeFromTheirFields) {
    for (int e = 0; e < kReceiptElementCount; ++e) SetRow(e, 100 + e);
    for (int e = 0; e < kReceiptElementCount; ++e) EXPECT_EQ(ReceiptElementLayoutRow(config, e), 100 + e) << e;
    EXPECT_EQ(config.Int32(5582 + 4 * 18), 118);
    EXPECT_EQ(config.Int32(13258), 119);
    EXPECT_EQ(config.Int32(13286), 122);
    EXPECT_EQ(config.Int32(13314 + 16), 127);
    EXPECT_EQ(ReceiptElementLayoutRow(config, 28), 0);
}

TEST_F(ReceiptLayoutTest, AddReceiptElementPlacesByMode) {
    PagePlan plan;
    SetRow(16, 4);
    EXPECT_EQ(AddReceiptElement(plan, in, metrics, 16, 700, 10, 0), 14);
    EXPECT_EQ(AddReceiptElement(plan, in, metrics, 16, 700, 10, 2), 10);
    SetRow(16, 0);
    EXPECT_EQ(AddReceiptElement(plan, in, metrics, 16, 700, 10, 0), -1);
    SetRow(16, -2);
    EXPECT_EQ(AddReceiptElement(plan, in, metrics, 16, 700, 10, 0), -1);
    EXPECT_EQ(AddReceiptElement(plan, in, metrics, 16, 700, 12.5, 1), 12);
    EXPECT_EQ(Describe(plan), (std::vector<std::string>{"T 700 700 C body Receipt: 1234", "T 700 500 C body Receipt: 1234",
                                                        "T 700 625 C body Receipt: 1234"}));

    // Elements 17 and 18 are centred like the others; 18 is empty for a refund.
    PagePlan more;
    sale.SetPaymentType("Refund");
    in.tender = {5, 1};
    EXPECT_EQ(AddReceiptElement(more, in, metrics, 17, 1000, 3, 2), 3);
    EXPECT_EQ(AddReceiptElement(more, in, metrics, 18, 1000, 4, 2), 4);
    EXPECT_EQ(Describe(more), std::vector<std::string>{C(3, "Tendered: 5.00")});
}

// ---------------------------------------------------------------------------------
// Barcode

TEST_F(ReceiptLayoutTest, BarcodePlacement) {
    sale.SetNumber(7);
    PagePlan plan;
    AddTransactionBarcode(plan, in, metrics, 0, 0);   // 3300 - 300 * 0.54 - 0 - 10
    AddTransactionBarcode(plan, in, metrics, 0, 2);   // 3300 - 300 * 0.79 - 0 - 10
    AddTransactionBarcode(plan, in, metrics, 24, 0);  // (24 + 2) * 50
    metrics.topOffset = 40;
    AddTransactionBarcode(plan, in, metrics, 0, 0);
    EXPECT_EQ(Describe(plan), (std::vector<std::string>{"B 1000 3128 0007", "B 1000 3053 0007", "B 1000 1300 0007",
                                                        "B 1000 3088 0007"}));

    sale.SetNumber(54321);
    PagePlan five;
    AddTransactionBarcode(five, in, metrics, 3, 0);
    EXPECT_EQ(Describe(five), std::vector<std::string>{"B 1000 250 54321"});
}

TEST_F(ReceiptLayoutTest, BarcodeWithoutPrinterResolutionShowsAProblem) {
    PagePlan plan;
    metrics.dotsPerInchY = 0;
    AddTransactionBarcode(plan, in, metrics, 5, 0);
    metrics.dotsPerInchY = 300;
    metrics.dotsPerInchX = 0;
    AddTransactionBarcode(plan, in, metrics, 0, 0);
    EXPECT_EQ(Describe(plan), (std::vector<std::string>{"M Unable to get printer", "M Unable to get printer"}));
}

// ---------------------------------------------------------------------------------
// Custom receipt

TEST_F(ReceiptLayoutTest, CustomReceiptWithNoLayoutRowsStillPrintsTimeItemsAndClosing) {
    AddLine(1, "Gin", 2.00);
    AddLine(2, "Tonic", 1.00);
    AddLine(2, "Tonic", 1.00);
    PayCash(5.00);
    const std::vector<std::string> expected = {
        C(0, "10:15  Mon 3 Jun 24"),
        "T 20 100 L body Gin",  // row L + 2 + 0
        "T 1980 100 R body 2.00",
        "T 20 150 L body Tonic",
        "T 20 200 L body 2 @ 1.00",
        "T 1980 200 R body 2.00",
        C(7, "  "),  // R = 5, N = 0: R + N + 2
    };
    EXPECT_EQ(Joined(Describe(Custom())), Joined(expected));

    config.SetSwitch(183, 2);  // three feed rows
    auto plan = Describe(Custom());
    EXPECT_EQ(std::vector<std::string>(plan.end() - 3, plan.end()),
              (std::vector<std::string>{C(7, "  "), C(8, "  "), C(9, "  ")}));

    config.SetSwitch(127, 2);
    plan = Describe(Custom());
    EXPECT_EQ(plan.back(), "B 1000 450 1234");  // row 7 + 2
}

TEST_F(ReceiptLayoutTest, CustomReceiptPlacesElementsOnTheirRows) {
    SetRow(0, 1);
    SetRow(6, 3);
    SetRow(16, 2);
    SetRow(8, 9);   // customer elements: only with a customer
    SetRow(23, 10);
    SetRow(9, 0);
    SetRow(14, 2);  // trailing
    SetRow(22, 4);
    SetRow(17, 3);
    SetRow(7, 6);
    config.SetSwitch(189, 0);
    AddLine(1, "Gin", 2.00);
    PayCash(5.00);
    in.customerNumber = 77;
    sale.SetCustomerRoad("1 High St");

    std::vector<std::string> expected = {
        C(1, "Header 1"),
        C(3, "10:15  Mon 3 Jun 24"),
        C(2, "Receipt: 1234"),
        "T 20 250 L body Gin",  // M = 3: row 0 + 2 + 3
        "T 1980 250 R body 2.00",
        C(12, "Thank you for shopping"),  // R = 6
        C(8, "Total: $2.00"),
        C(9, "Tendered: 5.00"),
        C(10, "Payment: Cash"),
        C(14, "  "),  // R 6 + N 6 + 2
    };
    EXPECT_EQ(Joined(Describe(Custom())), Joined(expected));

    sale.SetCustomerNumber(77);  // the sale's customer counts, M becomes 10
    expected = {
        C(1, "Header 1"),
        C(3, "10:15  Mon 3 Jun 24"),
        C(9, "Customer: 77"),
        C(2, "Receipt: 1234"),
        C(10, "1 High St"),
        "T 20 600 L body Gin",
        "T 1980 600 R body 2.00",
        C(19, "Thank you for shopping"),
        C(15, "Total: $2.00"),
        C(16, "Tendered: 5.00"),
        C(17, "Payment: Cash"),
        C(21, "  "),
    };
    EXPECT_EQ(Joined(Describe(Custom())), Joined(expected));
}

TEST_F(ReceiptLayoutTest, CustomReceiptLogoDiscountAndNote) {
    in.receiptLogo = {400, 100};  // 5 rows at half width
    config.SetSwitch(126, 0);
    AddLine(1, "Gin", 2.00);
    sale.SetDiscountTotal(0.25);
    sale.SetNote("Deliver to the back door please, ring twice");  // 43 characters: two lines
    config.SetSwitch(189, 3);
    SetRow(14, 1);
    const std::vector<std::string> expected = {
        "P 500 10 1500 260",
        C(5, "10:15  Mon 3 Jun 24"),
        "T 20 350 L body Gin",  // 5 + 2
        "T 1980 350 R body 2.00",
        "T 20 400 L body (Discount: 0.25)",  // R = 8, then 9
        C(10, "Total: $2.00"),
        "W 0 600 2000 800 body Deliver to the back door please, ring twice",
        C(16, "  "),  // N = max(1, 3) + 100 / 50 = 5; 9 + 5 + 2
    };
    EXPECT_EQ(Joined(Describe(Custom())), Joined(expected));

    config.SetSwitch(126, 2);  // no logo
    EXPECT_EQ(Describe(Custom()).front(), C(0, "10:15  Mon 3 Jun 24"));
}

TEST_F(ReceiptLayoutTest, CustomReceiptItemSwitches) {
    AddLine(1, "Bread and butter pudding", 4.00, 4.00, 0.00);  // tax free
    AddLine(2, "Wine", 12.00, 0.00, 10.00);
    AddLine(2, "Wine", 12.00, 0.00, 10.00);
    config.SetSwitch(186, 2);
    auto plan = Custom();
    EXPECT_TRUE(Has(plan, "T 20 100 L body Bread and butter pudding"));
    EXPECT_TRUE(Has(plan, "T 1980 100 R body E  4.00"));
    EXPECT_TRUE(Has(plan, "T 20 150 L body Wine"));
    EXPECT_TRUE(Has(plan, "T 20 200 L body 2 @ 12.00"));
    EXPECT_TRUE(Has(plan, "T 1980 200 R body 24.00"));

    config.SetSwitch(188, 2);  // net prices
    config.SetSwitch(12, 2);
    plan = Custom();
    EXPECT_TRUE(Has(plan, "T 20 100 L body Bread and butter pud"));
    EXPECT_TRUE(Has(plan, "T 20 200 L body 2 @ 10.00"));
    EXPECT_TRUE(Has(plan, "T 1980 200 R body 20.00"));

    config.SetSwitch(188, 1);  // only 2 means net
    EXPECT_TRUE(Has(Custom(), "T 1980 200 R body 24.00"));

    config.SetSwitch(128, 2);  // centred
    plan = Custom();
    EXPECT_TRUE(Has(plan, C(2, "Bread and butter pud, E  4.00")));
    EXPECT_TRUE(Has(plan, C(3, "2 Wine, 24.00")));
    EXPECT_TRUE(Has(plan, C(6, "  ")));  // R = 4
}

// ---------------------------------------------------------------------------------
// Kitchen ticket

TEST_F(ReceiptLayoutTest, KitchenTicketRows) {
    AddLine(1, "Burger", 8.50);
    AddLine(1, "Burger", 8.50);
    AddLine(2, "Fries", 2.50);
    sale.SetNote("No onions on the second burger, extra ketchup");
    config.SetOption(33, 2000);
    sale.SetTax1Total(1.25);
    const std::vector<std::string> expected = {
        C(4, "Table: 5"),
        C(5, "========================"),
        C(6, "11:05"),
        C(7, "Mon 3 Jun 24"),
        C(8, "Associate: 3: Anna Berg"),
        C(9, "------------------------"),
        "L 30 610 1980 610 0",
        "T 30 625 L body Description",
        "T 330 625 L body Qty   Price",
        "T 1980 625 R body Amount",
        "L 30 685 1980 685 0",
        "T 30 700 L body Burger",
        "T 350 700 L body 2",
        "T 550 700 R body 8.50",
        "T 1980 700 R body 17.00",
        "T 30 750 L body Fries",
        "T 350 750 L body 1",
        "T 550 750 R body 2.50",
        "T 1980 750 R body 2.50",
        C(17, "Total: $19.50"),
        C(18, "========================"),
        C(20, "VAT: 1.25 (20.00%)"),
        C(21, "Transaction note:"),
        "W 0 1100 2000 1250 body No onions on the second burger, extra ketchup",
    };
    EXPECT_EQ(Joined(Describe(LayOutKitchenTicket(in, metrics))), Joined(expected));

    sale.SetNote("");
    sale.SetTax1Total(0);
    config.SetSwitch(165, 2);
    config.SetSwitch(12, 2);
    sale.SetLineDescription(2, "Fries with cheese and bacon bits");
    const auto plan = Describe(LayOutKitchenTicket(in, metrics));
    EXPECT_EQ(plan.back(), C(19, "Transaction note:"));
    EXPECT_EQ(plan[plan.size() - 2], C(17, "========================"));
    EXPECT_EQ(plan[6], "T 30 600 L body Burger");
    EXPECT_EQ(plan[7], "T 30 650 L body 2 @ 8.50");
    EXPECT_EQ(plan[9], "T 30 700 L body Fries with cheese an");
}

}  // namespace
