// The dialogs' money and number boxes driven with any text: the cash tender, the
// split payment, the price and weight adjustments, the discount, the non-inventory
// sale's keyboard and the customer form. What a dialog accepts must be a usable
// amount, and what it then writes must keep the basket's money finite.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "basket/basket.h"
#include "basket/money.h"
#include "basket/non_inventory.h"
#include "basket/price_adjust.h"
#include "customers/customer_form.h"
#include "fuzz_check.h"
#include "payment/tender.h"
#include "resources/resource_ids.h"

namespace {

bool Usable(double v) { return std::isfinite(v) && v >= 0 && v <= kLargestPrice; }

// A money amount as the basket holds them: mostly cents, sometimes any double short of
// the range where sums of a few of them overflow (infinities and NaN included).
double Money(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange<int>(0, 7) != 0)
        return static_cast<double>(in.ConsumeIntegralInRange<std::int64_t>(0, 10000000000)) / 100;
    const double any = in.ConsumeFloatingPoint<double>();
    return std::isfinite(any) ? std::fmod(any, 1e12) : any;
}

std::string Typed(FuzzedDataProvider& in) { return in.ConsumeRandomLengthString(24); }

TerminalConfig Config(FuzzedDataProvider& in) {
    TerminalConfig c;
    ApplyDefaults(c, fuzz::Now());
    c.SetOption(basketcfg::kTax2Enabled, in.ConsumeIntegralInRange<int>(0, 2));
    c.SetOption(basketcfg::kTaxOnTax, in.ConsumeBool());
    // The rates come from the server: usually hundredths of a per cent, but any value.
    for (int rate : {basketcfg::kTax1Rate, basketcfg::kTax2Rate})
        c.SetOption(rate, in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int64_t>(0, 10000)
                                           : in.ConsumeIntegral<std::int64_t>());
    return c;
}

void Tender(FuzzedDataProvider& in) {
    const double due = Money(in);
    TenderState state = OpenTender(in.ConsumeBool() ? TenderKind::Cash : TenderKind::Split, due);
    TypeTender(state, Typed(in));
    FUZZ_CHECK(state.typed.size() <= kTypedAmountLength, "the box holds 19 characters");
    FUZZ_CHECK(state.changeText.empty() || state.changeText[0] != '-', "no negative change is shown");
    if (PressTenderOk(state).action == TenderAction::Finish && std::isfinite(due)) {
        FUZZ_CHECK(ReadTypedAmount(state.typed).has_value(), "only an amount pays");
        FUZZ_CHECK(state.result.change >= 0, "change is never negative");
    }
    SplitState split = OpenSplit(due);
    TypeSplitCash(split, Typed(in));
    if (PressSplitOk(split).action == SplitAction::OpenTender && std::isfinite(due)) {
        FUZZ_CHECK(std::isfinite(split.cash) && split.cash >= 0, "the cash part is an amount");
        FUZZ_CHECK(split.cash <= RoundMoney(due) && split.otherAmount >= -0.005,
                   "the cash part covers no more than due");
    }
}

// A basket of one to three priced lines and the last line's item.
struct Sale {
    TerminalConfig config;
    TransactionRecord basket;
    InventoryItem item;
};

Sale OpenSale(FuzzedDataProvider& in) {
    Sale s{Config(in), {}, {}};
    s.item.SetNumber(1001);
    s.item.SetDescription("Coffee");
    s.item.SetPrice(Money(in));
    s.item.SetTaxCode(in.ConsumeIntegralInRange<int>(0, 3));
    s.item.SetTaxRoundDown(in.ConsumeBool());
    for (int i = in.ConsumeIntegralInRange<int>(1, 3); i > 0; --i) {
        PriceLineIntoTotals(s.basket, s.config, Money(in), s.item.TaxCode(), 1.0, s.item.TaxRoundDown() != 0);
        s.basket.SetLineItemNumber(s.basket.LineCount(), 1001);
        s.basket.SetLineCount(s.basket.LineCount() + 1);
    }
    return s;
}

bool FiniteTotals(const TransactionRecord& b) {
    return std::isfinite(b.Total()) && std::isfinite(b.SubTotal()) && std::isfinite(b.Tax1Total()) &&
           std::isfinite(b.Tax2Total()) && std::isfinite(b.DiscountTotal());
}

void PriceAndWeight(FuzzedDataProvider& in) {
    Sale s = OpenSale(in);
    const bool finite = FiniteTotals(s.basket);
    LineAdjustState price = OpenLineAdjust(s.basket, s.item, true);
    TypeAdjustedPrice(price, s.config, Typed(in));
    const AdjustOutcome ok = PressPriceOk(price, s.basket);
    if (ok.write) {
        FUZZ_CHECK(Usable(*ReadTypedAmount(price.typedPrice)), "an accepted price is within the largest price");
        WriteLineFigures(s.basket, price, false);
        FUZZ_CHECK(!finite || FiniteTotals(s.basket), "an accepted price keeps the totals finite");
    }
    LineAdjustState weight = OpenWeightAdjust(s.basket, s.item, false);
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: TypeWeight(weight, s.config, Typed(in)); break;
    case 1: ChooseWeight(weight, s.config, in.ConsumeIntegralInRange<int>(-1, kWeightListSize)); break;
    case 2: ChangePriceBeforeTax(weight, s.config, Typed(in)); break;
    }
    if (PressWeightOk(weight).write) {
        FUZZ_CHECK(Usable(*ReadPointedAmount(weight.priceBeforeTax)), "an accepted weight price is a price");
        WriteLineFigures(s.basket, weight, true);
    }
}

void Discount(FuzzedDataProvider& in) {
    Sale s = OpenSale(in);
    if (!FiniteTotals(s.basket)) return;
    DiscountState state = OpenDiscount(s.basket, in.ConsumeBool());
    const std::string typed =
        in.ConsumeBool() ? PercentDiscountTyped(state, s.basket, in.ConsumeIntegralInRange<int>(-1, 200)) : Typed(in);
    TypeDiscount(state, s.basket, typed);
    const double totalBefore = s.basket.Total();
    if (PressDiscountOk(state, s.basket, s.config).close && ReadTypedAmount(state.typed).value_or(0) > 0) {
        FUZZ_CHECK(FiniteTotals(s.basket), "a discount keeps the totals finite");
        FUZZ_CHECK(s.basket.Total() >= -0.01 && s.basket.Total() <= totalBefore + 0.01,
                   "an accepted discount takes the total no lower than zero");
    }
}

void NonInventory(FuzzedDataProvider& in) {
    TerminalConfig config = Config(in);
    config.SetOption(basketcfg::kTax1Enabled, 2);
    config.SetSwitch(noninvcfg::kDefaultTaxes, 1);
    NonInventoryState state = OpenNonInventory(config);
    for (int key = 0; key < 24 && in.remaining_bytes() > 0; ++key) {
        switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: TypeDescription(state, in.ConsumeIntegral<char>()); break;
        case 1: TypePrice(state, config, in.ConsumeIntegral<char>()); break;
        case 2: ErasePrice(state, config); break;
        case 3: SetPrice(state, config, Typed(in)); break;
        case 4: SetTaxes(state, config, in.ConsumeBool(), in.ConsumeBool()); break;
        case 5: ChooseCategory(state, in.ConsumeIntegralInRange<int>(-1, 4)); break;
        }
        FUZZ_CHECK(state.price.size() <= kNonInventoryPriceMax, "the price box's length");
        FUZZ_CHECK(state.price.empty() || state.price == "." || ReadPointedAmount(state.price).value_or(0) > 0,
                   "the price box holds a price or nothing");
    }
    TransactionRecord basket;
    const NonInventoryOutcome added = PressAdd(state, basket, config);
    if (added.action == NonInventoryOutcome::kAdded) {
        FUZZ_CHECK(Usable(basket.LineTotal(0)) && FiniteTotals(basket), "a loose line is a usable amount");
        FUZZ_CHECK(BasketLineCount(basket) == 1, "one line");
    }
}

void CustomerFormTexts(FuzzedDataProvider& in) {
    CustomerForm form = in.ConsumeBool() ? NewCustomerForm(Typed(in), in.ConsumeBool()) : CustomerForm{};
    form.editing = in.ConsumeBool();
    for (const FormBox& box : CustomerFormBoxes())
        if (in.ConsumeBool()) form.texts[box.id] = in.ConsumeRandomLengthString(box.length + 8);
    form.taxCode = in.ConsumeIntegralInRange<int>(0, kTaxCodeChoices - 1);
    form.termsIndex = in.ConsumeIntegralInRange<int>(0, kTermsChoices - 1);
    CustomerRecord c;
    if (ReadCustomerForm(form, c) != nullptr) return;
    FUZZ_CHECK(Usable(c.CreditLimit()) && Usable(c.TotalPurchases()), "accepted amounts are usable");
    if (!form.editing) FUZZ_CHECK(Usable(c.Balance()), "an opening balance is usable");
    FUZZ_CHECK(c.Transactions() >= 0, "a count of transactions");
    if (CheckCustomer(c, false) == nullptr) {
        FUZZ_CHECK(c.Number() >= 1 && c.Number() <= kHighestCustomerNumber, "a new customer's number in range");
        FUZZ_CHECK(c.Group() >= 1 && c.Group() <= 2000 && c.Name().size() >= 2, "group and name checked");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: Tender(in); break;
    case 1: PriceAndWeight(in); break;
    case 2: Discount(in); break;
    case 3: NonInventory(in); break;
    case 4: CustomerFormTexts(in); break;
    }
    return 0;
}
