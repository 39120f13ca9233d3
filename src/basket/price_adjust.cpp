#include "basket/price_adjust.h"

#include <algorithm>
#include <cstdlib>

#include "basket/basket.h"
#include "basket/money.h"

namespace {

using namespace basketcfg;

// A figure box read back as the dialog reads it: at most 19 characters, C conversion.
double FigureValue(const std::string& text) {
    return std::strtod(text.substr(0, kTypedAmountLength).c_str(), nullptr);
}

LineAdjustState OpenOnLastLine(const TransactionRecord& basket, const std::optional<InventoryItem>& fetched,
                               bool showCost) {
    LineAdjustState state;
    state.line = BasketLineCount(basket) - 1;
    if (!fetched || state.line < 0) return state;  // boxes stay empty
    const int n = state.line;
    state.itemFound = true;
    state.item = *fetched;
    state.itemNumber = std::to_string(basket.LineItemNumber(n));
    state.description = basket.LineDescription(n);
    if (showCost) state.cost = FormatMoney(fetched->CostPrice());
    state.listPrice = FormatMoney(fetched->Price());
    state.figures = {FormatMoney(basket.LineNonTaxable(n)), FormatMoney(basket.LineTaxable(n)),
                     FormatMoney(basket.LineTax1(n)), FormatMoney(basket.LineTax2(n)), FormatMoney(basket.LineTotal(n))};
    return state;
}

// A price the figures may be worked out from.
bool UsablePrice(std::optional<double> price) { return price && *price > 0 && *price <= kLargestPrice; }

void SetPriceBeforeTax(LineAdjustState& state, const TerminalConfig& config, double price) {
    state.priceBeforeTax = FormatMoney(price);
    RecomputeFigures(state, config, RoundMoney(price));
}

std::vector<std::string> PercentList(int entries) {
    std::vector<std::string> list;
    for (int i = 0; i < entries; ++i) list.push_back(FormatMoney(0.5 * i));
    return list;
}

}  // namespace

LineTaxes TaxesOnPrice(const TerminalConfig& config, double price, std::int32_t taxCode, bool roundDown) {
    LineTaxes taxes;
    const std::int64_t rate1 = config.Option(kTax1Rate);
    if (config.Option(kTax1Enabled) != 0 && rate1 > 0 && taxCode != 0 && taxCode != 3)
        taxes.tax1 = RoundTax(static_cast<double>(rate1) * price / 10000, roundDown);
    const std::int64_t rate2 = config.Option(kTax2Rate);
    if (config.Option(kTax2Enabled) != 0 && rate2 > 0 && taxCode != 0 && taxCode != 2) {
        const double base = config.Option(kTaxOnTax) != 0 ? price + taxes.tax1 : price;
        taxes.tax2 = RoundTax(static_cast<double>(rate2) * base / 10000, roundDown);
    }
    return taxes;
}

bool CostVisible(const TerminalConfig& config, std::int64_t associate) {
    return associate == 1 || associate == 2 || config.Switch(pricecfg::kCostForManagersOnly) == 0;
}

LineAdjustState OpenLineAdjust(const TransactionRecord& basket, const std::optional<InventoryItem>& fetched,
                               bool showCost) {
    return OpenOnLastLine(basket, fetched, showCost);
}

LineAdjustState OpenWeightAdjust(const TransactionRecord& basket, const std::optional<InventoryItem>& fetched,
                                 bool showCost) {
    LineAdjustState state = OpenOnLastLine(basket, fetched, showCost);
    if (state.itemFound) state.priceBeforeTax = state.listPrice;
    return state;
}

void RecomputeFigures(LineAdjustState& state, const TerminalConfig& config, double price) {
    if (!state.itemFound) return;
    state.figures.total = FormatMoney(price);
    if (FigureValue(state.figures.nonTaxable) != 0) {
        state.figures.nonTaxable = FormatMoney(price);
        return;
    }
    const LineTaxes taxes = TaxesOnPrice(config, price, state.item.TaxCode(), state.item.TaxRoundDown() != 0);
    state.figures.taxable = FormatMoney(price);
    state.figures.tax1 = FormatMoney(taxes.tax1);
    state.figures.tax2 = FormatMoney(taxes.tax2);
    state.figures.total = FormatMoney(price + taxes.tax1 + taxes.tax2);
}

void TypeAdjustedPrice(LineAdjustState& state, const TerminalConfig& config, std::string_view typed) {
    state.typedPrice.assign(typed.substr(0, kTypedAmountLength));
    const std::optional<double> price = ReadTypedAmount(state.typedPrice);
    if (UsablePrice(price)) RecomputeFigures(state, config, *price);
}

void PressZero(LineAdjustState& state) {
    state.typedPrice = "0";
    state.figures = {"0", "0", "0", "0", "0"};
}

void TypeWeight(LineAdjustState& state, const TerminalConfig& config, std::string_view typed) {
    state.weight.assign(typed.substr(0, kTypedAmountLength));
    const std::optional<std::int64_t> weight = ReadWholeNumber(state.weight);
    if (!state.itemFound || !weight || *weight < 1 || *weight > 100000) return;
    SetPriceBeforeTax(state, config, state.item.Price() / 100 * static_cast<double>(*weight));
}

void ChooseWeight(LineAdjustState& state, const TerminalConfig& config, int index) {
    if (!state.itemFound || index < 0 || index >= kWeightListSize) return;
    SetPriceBeforeTax(state, config, state.item.Price() / 100 * (index + 1));
}

void ChangePriceBeforeTax(LineAdjustState& state, const TerminalConfig& config, std::string_view text) {
    state.priceBeforeTax.assign(text.substr(0, kTypedAmountLength));
    const std::optional<double> price = ReadPointedAmount(state.priceBeforeTax);
    if (UsablePrice(price)) RecomputeFigures(state, config, *price);
}

AdjustOutcome PressPriceOk(const LineAdjustState& state, const TransactionRecord& basket) {
    // Without the line's item the boxes are empty: writing them back would zero the line.
    const std::optional<double> price = ReadTypedAmount(state.typedPrice);
    if (!state.itemFound || !price || *price > kLargestPrice) return {false, pricemsg::kInvalidPrice};
    const double newTotal = FigureValue(state.figures.total);
    if (basket.DiscountTotal() > 0 && basket.Total() - (basket.LineTotal(state.line) - newTotal) < 0)
        return {false, pricemsg::kDiscountExceeds};
    return {true, nullptr};
}

AdjustOutcome PressWeightOk(const LineAdjustState& state) {
    if (!state.itemFound || !ReadPointedAmount(state.priceBeforeTax)) return {false, pricemsg::kInvalidPrice};
    return {true, nullptr};
}

std::string WriteLineFigures(TransactionRecord& basket, const LineAdjustState& state, bool withItemNumber) {
    const int n = state.line;
    if (n < 0 || n >= BasketLineCount(basket)) return {};
    double d = 0;
    if (const double v = FigureValue(state.figures.nonTaxable); v >= 0) {
        d = v - basket.LineNonTaxable(n);
        basket.SetLineNonTaxable(n, v);
        basket.SetNonTaxableTotal(basket.NonTaxableTotal() + d);
    }
    if (const double v = FigureValue(state.figures.taxable); v >= 0) {
        const double change = v - basket.LineTaxable(n);
        basket.SetTaxableTotal(basket.TaxableTotal() + change);
        basket.SetSubTotal(basket.SubTotal() + change + d);
        basket.SetLineTaxable(n, v);
    }
    if (const double v = FigureValue(state.figures.tax1); v >= 0) {
        basket.SetTax1Total(basket.Tax1Total() + v - basket.LineTax1(n));
        basket.SetLineTax1(n, v);
    }
    if (const double v = FigureValue(state.figures.tax2); v >= 0) {
        basket.SetTax2Total(basket.Tax2Total() + v - basket.LineTax2(n));
        basket.SetLineTax2(n, v);
    }
    if (const double v = FigureValue(state.figures.total); v >= 0) {
        basket.SetTotal(basket.Total() + v - basket.LineTotal(n));
        basket.SetLineTotal(n, v);
    }
    return InventoryEntryText(state.item.Number(), state.item.Description(), state.item.InStock(),
                              basket.LineTotal(n), withItemNumber);
}

// ---------------------------------------------------------------------------------

DiscountState OpenDiscount(const TransactionRecord& basket, bool offTotal) {
    DiscountState state;
    state.offTotal = offTotal;
    state.discountBefore = basket.DiscountTotal();
    state.totalBefore = basket.Total();
    state.subTotalBefore = basket.SubTotal();
    state.totals = {FormatMoney(basket.NonTaxableTotal()), FormatMoney(basket.TaxableTotal()),
                    FormatMoney(basket.Tax1Total()), FormatMoney(basket.Tax2Total()), FormatMoney(basket.Total())};
    state.amended = FormatMoney(offTotal ? basket.Total() : basket.SubTotal());
    state.percents = PercentList(offTotal ? 41 : 161);
    return state;
}

void TypeDiscount(DiscountState& state, const TransactionRecord& basket, std::string_view typed) {
    state.typed.assign(typed.substr(0, kTypedAmountLength));
    const std::optional<double> x = ReadTypedAmount(state.typed);
    const double limit = state.offTotal ? basket.Total() : basket.SubTotal();
    if (!x || *x <= 0 || limit <= *x)
        state.amended.clear();
    else
        state.amended = FormatMoney(state.offTotal ? state.discountBefore + state.totalBefore - *x
                                                   : state.subTotalBefore - *x);
}

std::string PercentDiscountTyped(const DiscountState& state, const TransactionRecord& basket, int index) {
    index = std::clamp(index, 0, static_cast<int>(state.percents.size()) - 1);
    const double base = state.offTotal ? basket.Total() : basket.NonTaxableTotal() + basket.TaxableTotal();
    const double hundredths = base * 0.5 * index;
    if (!(hundredths >= 0 && hundredths < 1e15)) return "0";
    return std::to_string(static_cast<long long>(hundredths));
}

DiscountOutcome PressDiscountOk(const DiscountState& state, TransactionRecord& basket, const TerminalConfig& config) {
    const std::optional<double> x = ReadTypedAmount(state.typed);
    if (!x) return {false, pricemsg::kInvalidDiscount};
    if (state.offTotal) {
        if (*x > basket.Total()) return {false, pricemsg::kInvalidDiscount};
        // Replaces a discount given this way before: the total is worked out from T0 + D0.
        basket.SetDiscountTotal(*x);
        basket.SetTotal(state.totalBefore + state.discountBefore - *x);
        return {true, nullptr};
    }
    if (*x > RoundMoney(basket.NonTaxableTotal() + basket.TaxableTotal())) return {false, pricemsg::kInvalidDiscount};
    ApplyDiscountToTotals(basket, config, RoundMoney(*x));
    return {true, nullptr};
}
