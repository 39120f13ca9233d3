// Price adjustment, weight, the two discounts and the non-inventory sale, through
// their plain functions.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

#include "basket/basket.h"
#include "basket/money.h"
#include "basket/non_inventory.h"
#include "basket/price_adjust.h"

namespace {

TerminalConfig TaxAt(std::int64_t rate1, std::int64_t rate2 = 0) {
    TerminalConfig c;
    c.SetOption(basketcfg::kTax1Enabled, rate1 ? 1 : 0);
    c.SetOption(basketcfg::kTax1Rate, rate1);
    c.SetOption(basketcfg::kTax2Enabled, rate2 ? 1 : 0);
    c.SetOption(basketcfg::kTax2Rate, rate2);
    return c;
}

InventoryItem Item(std::int64_t number, double price, std::int32_t taxCode) {
    InventoryItem item;
    item.SetNumber(number);
    item.SetDescription("Cheddar");
    item.SetPrice(price);
    item.SetCostPrice(3.25);
    item.SetTaxCode(taxCode);
    item.SetInStock(9);
    return item;
}

// A basket of lines priced as item entry prices them.
TransactionRecord Basket(const TerminalConfig& c, std::initializer_list<std::pair<double, std::int32_t>> lines) {
    TransactionRecord b;
    for (auto [price, taxCode] : lines) {
        const int n = b.LineCount();
        PriceLineIntoTotals(b, c, price, taxCode, 1.0, false);
        b.SetLineItemNumber(n, 100 + n);
        b.SetLineCount(n + 1);
    }
    return b;
}

}  // namespace

TEST(TypedNumbers, PriceBoxesRefuseWhatCannotBeAnAmount) {
    struct Row {
        const char* text;
        std::optional<double> pointed;
        std::optional<std::int64_t> whole;
        const char* why;
    };
    const Row rows[] = {
        {"", 0.0, 0, "empty reads as nothing"},
        {"12.50", 12.5, std::nullopt, "the point belongs to pointed prices only"},
        {".5", 0.5, std::nullopt, "half a unit typed as a point and 5"},
        {"250", 250.0, 250, ""},
        {"1.2.3", std::nullopt, std::nullopt, "two points"},
        {"nan", std::nullopt, std::nullopt, "no NaN"},
        {"inf", std::nullopt, std::nullopt, "no infinity"},
        {"1e5", std::nullopt, std::nullopt, "no exponent"},
        {"-3", std::nullopt, std::nullopt, "no sign"},
        {"10000001", std::nullopt, 10000001, "no price above ten million"},
        {"1234567890123456789", std::nullopt, std::nullopt, "no number beyond 18 digits"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ReadPointedAmount(r.text), r.pointed) << r.text << ": " << r.why;
        EXPECT_EQ(ReadWholeNumber(r.text), r.whole) << r.text << ": " << r.why;
    }
    EXPECT_EQ(PointedAmountOnly("1a2.3.4x", 19), "12.34");
}

TEST(AdjustItemPrice, TypedPriceReworksTheTaxesAndOkMovesTheTotalsByTheDifference) {
    const TerminalConfig c = TaxAt(2000);
    TransactionRecord b = Basket(c, {{10.00, 1}});
    LineAdjustState s = OpenLineAdjust(b, Item(100, 10.00, 1), CostVisible(c, 3));
    EXPECT_EQ(s.cost, "3.25");
    EXPECT_EQ(s.figures.total, "12.00");
    TypeAdjustedPrice(s, c, "850");
    EXPECT_EQ(s.figures.taxable, "8.50");
    EXPECT_EQ(s.figures.tax1, "1.70");
    EXPECT_EQ(s.figures.total, "10.20");
    ASSERT_TRUE(PressPriceOk(s, b).write);
    EXPECT_EQ(WriteLineFigures(b, s, false), "Cheddar (9)  10.20");
    EXPECT_DOUBLE_EQ(b.TaxableTotal(), 8.50);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 8.50);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 1.70);
    EXPECT_DOUBLE_EQ(b.Total(), 10.20);
    EXPECT_DOUBLE_EQ(b.LineCost(0), 1.0) << "cost and discount stay";

    TerminalConfig managersOnly = c;
    managersOnly.SetSwitch(pricecfg::kCostForManagersOnly, 2);
    EXPECT_FALSE(CostVisible(managersOnly, 3));
    EXPECT_TRUE(CostVisible(managersOnly, 2));

    TerminalConfig taxOnTax = TaxAt(2000, 1000);
    taxOnTax.SetOption(basketcfg::kTaxOnTax, 1);
    const LineTaxes both = TaxesOnPrice(taxOnTax, 10.00, 1, false), noTax2 = TaxesOnPrice(taxOnTax, 10.00, 2, false);
    EXPECT_EQ(std::tuple(both.tax1, both.tax2, noTax2.tax2), std::tuple(2.0, 1.2, 0.0)) << "tax 2 on price and tax 1";
}

TEST(AdjustItemPrice, ZeroRefusalsAndAFailedLookup) {
    const TerminalConfig c = TaxAt(2000);
    {
        TransactionRecord b = Basket(c, {{5.00, 0}, {10.00, 1}});
        LineAdjustState s = OpenLineAdjust(b, Item(101, 10.00, 1), true);
        PressZero(s);
        ASSERT_TRUE(PressPriceOk(s, b).write);
        WriteLineFigures(b, s, true);
        EXPECT_EQ(b.LineCount(), 2) << "the line stays, at 0.00";
        EXPECT_DOUBLE_EQ(b.LineTotal(1), 0.0);
        EXPECT_DOUBLE_EQ(b.Total(), 5.00);
        EXPECT_DOUBLE_EQ(b.SubTotal(), 5.00);
    }
    {
        // 2.00 and 10.00 with 5.00 off the total: the last line at 2.00 would leave -1.00.
        TransactionRecord b = Basket(TaxAt(0), {{2.00, 0}, {10.00, 0}});
        b.SetDiscountTotal(5.00);
        b.SetTotal(7.00);
        LineAdjustState s = OpenLineAdjust(b, Item(101, 10.00, 0), true);
        TypeAdjustedPrice(s, TaxAt(0), "200");
        EXPECT_STREQ(PressPriceOk(s, b).message, "Discount exceeds transaction");
    }
    {
        TransactionRecord b = Basket(c, {{10.00, 1}});
        const TransactionRecord before = b;
        LineAdjustState s = OpenLineAdjust(b, std::nullopt, true);
        EXPECT_EQ(s.figures.total, "") << "the boxes stay empty";
        TypeAdjustedPrice(s, c, "850");
        EXPECT_STREQ(PressPriceOk(s, b).message, "Invalid price") << "OK must not zero the line";
        EXPECT_EQ(b.bytes, before.bytes);
    }
    {
        TransactionRecord b = Basket(c, {{10.00, 1}});
        LineAdjustState s = OpenLineAdjust(b, Item(100, 10.00, 1), true);
        for (const char* typed : {"nan00", "-500", "1000000001"}) {
            TypeAdjustedPrice(s, c, typed);
            EXPECT_EQ(s.figures.total, "12.00") << typed;
            EXPECT_STREQ(PressPriceOk(s, b).message, "Invalid price") << typed;
        }
    }
}

TEST(AdjustByWeight, WeightScalesTheListPrice) {
    const TerminalConfig c = TaxAt(0);
    TransactionRecord b = Basket(c, {{4.00, 0}});
    LineAdjustState s = OpenWeightAdjust(b, Item(100, 4.00, 0), true);
    EXPECT_EQ(s.priceBeforeTax, "4.00");
    for (const char* ignored : {"0", "100001", "12x"}) {
        TypeWeight(s, c, ignored);
        EXPECT_EQ(s.priceBeforeTax, "4.00") << ignored;
    }
    TypeWeight(s, c, "250");
    EXPECT_EQ(s.priceBeforeTax, "10.00");
    EXPECT_EQ(s.figures.nonTaxable, "10.00");
    ChooseWeight(s, c, 49);  // weight 50
    EXPECT_EQ(s.priceBeforeTax, "2.00");
    ChangePriceBeforeTax(s, c, "1e3");
    EXPECT_STREQ(PressWeightOk(s).message, "Invalid price");
    ChangePriceBeforeTax(s, c, "3.5");
    ASSERT_TRUE(PressWeightOk(s).write);
    WriteLineFigures(b, s, false);
    EXPECT_DOUBLE_EQ(b.Total(), 3.50);
    EXPECT_DOUBLE_EQ(b.NonTaxableTotal(), 3.50);
}

TEST(Discount, OffTheTotalReplacesTheEarlierOne) {
    const TerminalConfig c = TaxAt(0);
    TransactionRecord b = Basket(c, {{80.00, 0}});
    DiscountState s = OpenDiscount(b, true);
    EXPECT_EQ(s.percents.size(), 41u);
    EXPECT_EQ(s.percents.back(), "20.00");
    TypeDiscount(s, b, PercentDiscountTyped(s, b, 5));
    EXPECT_EQ(s.typed, "200");
    EXPECT_EQ(s.amended, "78.00");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 2.00);
    EXPECT_DOUBLE_EQ(b.Total(), 78.00);

    DiscountState again = OpenDiscount(b, true);
    TypeDiscount(again, b, "100");
    ASSERT_TRUE(PressDiscountOk(again, b, c).close);
    EXPECT_DOUBLE_EQ(b.Total(), 79.00) << "not 77.00";
    EXPECT_DOUBLE_EQ(b.SubTotal(), 80.00) << "sub total and taxes untouched";

    DiscountState tooMuch = OpenDiscount(b, true);
    TypeDiscount(tooMuch, b, "7901");
    EXPECT_EQ(tooMuch.amended, "");
    EXPECT_STREQ(PressDiscountOk(tooMuch, b, c).message, "Invalid discount");
    TypeDiscount(tooMuch, b, "nan00");
    EXPECT_STREQ(PressDiscountOk(tooMuch, b, c).message, "Invalid discount");
}

TEST(Discount, BeforeTaxIsSpreadOverTheTotals) {
    const TerminalConfig c = TaxAt(2000);
    TransactionRecord b = Basket(c, {{20.00, 0}, {80.00, 2}});
    DiscountState s = OpenDiscount(b, false);
    EXPECT_EQ(s.percents.size(), 161u);
    EXPECT_EQ(PercentDiscountTyped(s, b, 20), "1000") << "10 % of 100.00 before tax";
    TypeDiscount(s, b, "1000");
    EXPECT_EQ(s.amended, "90.00");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    EXPECT_DOUBLE_EQ(b.NonTaxableTotal(), 18.00);
    EXPECT_DOUBLE_EQ(b.TaxableTotal(), 72.00);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 90.00);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 14.40);
    EXPECT_DOUBLE_EQ(b.Total(), 104.40);

    DiscountState over = OpenDiscount(b, false);
    TypeDiscount(over, b, "9001");
    EXPECT_STREQ(PressDiscountOk(over, b, c).message, "Invalid discount");
}

TEST(NonInventorySale, TaxesComeOutOfThePriceTyped) {
    struct Row {
        bool tax1, tax2;
        std::int64_t r1, r2;
        const char *nett, *tax1Text, *tax2Text;
        const char* why;
    };
    const Row rows[] = {
        {true, false, 2000, 0, "8.33", "1.67", "", "20 % included in 10.00"},
        {false, true, 0, 500, "9.52", "", "0.48", "5 % included"},
        {true, true, 2000, 500, "8.00", "1.60", "0.40", "both: the nett is 10000 / 12500 of the price"},
        {true, true, 2000, 0, "8.33", "1.67", "", "both ticked, only tax 1 has a rate"},
        {false, false, 2000, 500, "10.00", "", "", "no tax ticked"},
        {true, true, INT64_MAX, INT64_MAX, "10.00", "0.00", "0.00", "rates no shop has: summed without overflow"},
    };
    for (const Row& r : rows) {
        TerminalConfig c = TaxAt(r.r1, r.r2);
        NonInventoryState s = OpenNonInventory(c);
        SetTaxes(s, c, r.tax1, r.tax2);
        SetPrice(s, c, "10.00");
        EXPECT_EQ(s.nett, r.nett) << r.why;
        EXPECT_EQ(s.tax1Text, r.tax1Text) << r.why;
        EXPECT_EQ(s.tax2Text, r.tax2Text) << r.why;
        EXPECT_EQ(s.total, "10.00") << r.why;
    }
}

TEST(NonInventorySale, KeyboardButtonsAndAdd) {
    TerminalConfig c = TaxAt(2000);
    c.SetSwitch(noninvcfg::kDefaultTaxes, 2);
    NonInventoryState s = OpenNonInventory(c);
    EXPECT_TRUE(s.tax1) << "tax 1 is on: ticked by default";
    EXPECT_EQ(s.categories[1], "Lottery");
    EXPECT_EQ(c.Text(cfg::kNonInventoryCaptions + cfg::kNonInventoryCaptionWidth, 80), "Lottery");

    TypePrice(s, c, '0');
    EXPECT_EQ(s.price, "") << "a leading zero is cleared at once";
    TypePrice(s, c, '.');
    TypePrice(s, c, '5');
    EXPECT_EQ(s.total, "0.50");
    TypePrice(s, c, '7'), ErasePrice(s, c);
    EXPECT_EQ(s.price + " " + s.total, ".5 0.50") << "the last character erased";

    TransactionRecord b;
    TypeDescription(s, 'A'), TypeDescription(s, 'B'), EraseDescription(s);
    NonInventoryOutcome out = PressAdd(s, b, c);
    EXPECT_STREQ(out.message, "Description must be at least two characters");
    EXPECT_EQ(b.LineCount(), 0);

    ChooseCategory(s, 3);
    SetPrice(s, c, kPriceButtons[5]);
    out = PressAdd(s, b, c);
    ASSERT_EQ(out.action, NonInventoryOutcome::kAdded);
    EXPECT_EQ(out.entry, "Loose items  10.00");
    EXPECT_EQ(b.LineCount(), 1);
    EXPECT_EQ(b.LineItemNumber(0), 0);
    EXPECT_DOUBLE_EQ(b.LineTaxable(0), 8.33);
    EXPECT_DOUBLE_EQ(b.LineTax1(0), 1.67);
    EXPECT_DOUBLE_EQ(b.LineCost(0), 8.33);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 8.33);
    EXPECT_DOUBLE_EQ(b.Total(), 10.00);

    b.SetLineCount(txn::kMaxLines);
    const TransactionRecord full = b;
    EXPECT_STREQ(PressAdd(s, b, c).message, "Transaction limit 400 items");
    EXPECT_EQ(b.bytes, full.bytes);

    SetTaxes(s, c, false, false);
    TransactionRecord untaxed;
    ASSERT_EQ(PressAdd(s, untaxed, c).action, NonInventoryOutcome::kAdded);
    EXPECT_EQ(std::tuple(untaxed.LineNonTaxable(0), untaxed.LineCost(0), untaxed.NonTaxableTotal(), untaxed.SubTotal()),
              std::tuple(10.0, 10.0, 10.0, 10.0)) << "without tax the whole price is non-taxable";
}
