#include "basket/non_inventory.h"

#include <cstdlib>
#include <optional>

#include "basket/basket.h"
#include "basket/item_entry.h"
#include "basket/money.h"
#include "basket/price_adjust.h"

namespace {

using namespace basketcfg;

double ShownValue(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// Tax worked out of a price that includes it: rate / (rate + 10000) of the price.
double TaxIncluded(std::int64_t rate, double price) {
    return RoundTax(static_cast<double>(rate) / (static_cast<double>(rate) + 10000) * price, false);
}

// The fields below the price follow it, and the taxes ticked.
void Recompute(NonInventoryState& s, const TerminalConfig& config) {
    s.tax1Text.clear();
    s.tax2Text.clear();
    s.nett.clear();
    s.total = FormatMoney(0);
    if (s.price.empty() || s.price == ".") return;
    const std::optional<double> typed = ReadPointedAmount(s.price);
    const double price = typed ? RoundMoney(*typed) : 0;
    if (price <= 0) {
        s.price.clear();  // a leading zero, or what is no price, goes at once
        return;
    }
    s.total = FormatMoney(price);
    const std::int64_t r1 = config.Option(kTax1Rate);
    const std::int64_t r2 = config.Option(kTax2Rate);
    bool one = s.tax1 && !s.tax2 && r1 > 0;
    bool two = s.tax2 && !s.tax1 && r2 > 0;
    if (!s.tax1 && !s.tax2) {
        s.nett = FormatMoney(price);
        return;
    }
    if (!one && !two) {
        one = r1 > 0 && r2 <= 0;
        two = r1 <= 0 && r2 > 0;
    }
    if (one) {
        const double t1 = TaxIncluded(r1, price);
        s.tax1Text = FormatMoney(t1);
        s.nett = FormatMoney(price - t1);
    } else if (two) {
        const double t2 = TaxIncluded(r2, price);
        s.tax2Text = FormatMoney(t2);
        s.nett = FormatMoney(price - t2);
    } else {
        // The rates come from the server: summed as doubles, as two of them may not fit 64 bits.
        const double rates = static_cast<double>(r1) + static_cast<double>(r2);
        const double nett = RoundMoney(10000.0 / (rates + 10000) * price);
        const double t1 = RoundTax(nett * static_cast<double>(r1) / 10000, false);
        const double t2 = RoundTax(nett * static_cast<double>(r2) / 10000, false);
        s.tax1Text = FormatMoney(t1);
        s.tax2Text = FormatMoney(t2);
        s.nett = FormatMoney(price - t1 - t2);
    }
}

}  // namespace

NonInventoryState OpenNonInventory(TerminalConfig& live) {
    NonInventoryState state;
    if (live.Switch(noninvcfg::kDefaultTaxes) != 0) {
        state.tax1 = live.Option(kTax1Enabled) != 0;
        state.tax2 = live.Option(kTax2Enabled) != 0;
    }
    for (std::size_t i = 0; i < state.categories.size(); ++i) {
        const std::size_t offset = cfg::kNonInventoryCaptions + i * cfg::kNonInventoryCaptionWidth;
        if (live.Text(offset, cfg::kNonInventoryCaptionWidth).empty())
            live.SetText(offset, cfg::kNonInventoryCaptionWidth, noninvcfg::kDefaultCaptions[i]);
        state.categories[i] = live.Text(offset, cfg::kNonInventoryCaptionWidth);
    }
    Recompute(state, live);
    return state;
}

void TypeDescription(NonInventoryState& state, char c) {
    if (state.description.size() < kNonInventoryDescriptionMax) state.description += c;
}

void EraseDescription(NonInventoryState& state) {
    if (!state.description.empty()) state.description.pop_back();
}

void TypePrice(NonInventoryState& state, const TerminalConfig& config, char c) {
    SetPrice(state, config, state.price + c);
}

void ErasePrice(NonInventoryState& state, const TerminalConfig& config) {
    std::string shorter = state.price;
    if (!shorter.empty()) shorter.pop_back();
    SetPrice(state, config, shorter);
}

void ChooseCategory(NonInventoryState& state, int index) {
    if (index < 0 || index >= static_cast<int>(state.categories.size())) return;
    state.description = state.categories[static_cast<std::size_t>(index)].substr(0, kNonInventoryDescriptionMax);
}

void SetPrice(NonInventoryState& state, const TerminalConfig& config, std::string_view price) {
    state.price = PointedAmountOnly(price, kNonInventoryPriceMax);
    Recompute(state, config);
}

void SetTaxes(NonInventoryState& state, const TerminalConfig& config, bool tax1, bool tax2) {
    state.tax1 = tax1;
    state.tax2 = tax2;
    Recompute(state, config);
}

NonInventoryOutcome PressAdd(const NonInventoryState& state, TransactionRecord& basket, const TerminalConfig&) {
    if (state.description.size() < 2) return {NonInventoryOutcome::kStay, noninvmsg::kShortDescription, false, {}};
    const std::optional<double> typed = ReadPointedAmount(state.price);
    if (!typed) return {NonInventoryOutcome::kStay, pricemsg::kInvalidPrice, true, {}};
    if (BasketIsFull(basket)) return {NonInventoryOutcome::kFull, entrymsg::kLineLimit, false, {}};

    const int n = BasketLineCount(basket);
    const double price = RoundMoney(*typed);
    basket.SetLineItemNumber(n, 0);
    basket.SetLineDescription(n, state.description);
    basket.SetLineTotal(n, price);
    basket.SetLineDiscount(n, 0);
    basket.SetLineNonTaxable(n, 0);
    basket.SetLineTaxable(n, 0);
    basket.SetLineTax1(n, 0);
    basket.SetLineTax2(n, 0);
    if (state.tax1 || state.tax2) {
        double tax1 = 0, tax2 = 0;
        if (state.tax1 && ShownValue(state.tax1Text) > 0) tax1 = ShownValue(state.tax1Text);
        if (state.tax2 && ShownValue(state.tax2Text) > 0) tax2 = ShownValue(state.tax2Text);
        const double taxable = price - tax1 - tax2;
        basket.SetTax1Total(basket.Tax1Total() + tax1);
        basket.SetTax2Total(basket.Tax2Total() + tax2);
        basket.SetLineTax1(n, tax1);
        basket.SetLineTax2(n, tax2);
        basket.SetLineTaxable(n, taxable);
        basket.SetTaxableTotal(basket.TaxableTotal() + taxable);
        basket.SetLineCost(n, taxable);
    } else {
        basket.SetLineCost(n, price);
        basket.SetLineNonTaxable(n, price);
        basket.SetNonTaxableTotal(basket.NonTaxableTotal() + price);
    }
    basket.SetTotal(basket.Total() + price);
    basket.SetCostTotal(basket.CostTotal() + basket.LineCost(n));
    basket.SetSubTotal(basket.SubTotal() + basket.LineNonTaxable(n) + basket.LineTaxable(n));
    basket.SetLineCount(n + 1);
    return {NonInventoryOutcome::kAdded, nullptr, false, NonInventoryEntryText(state.description, price)};
}
