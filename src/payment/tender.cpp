#include "payment/tender.h"

#include <cstdlib>

#include "basket/money.h"

namespace {

// A box text as the dialog reads it back: at most kTypedAmountLength characters, then strtod.
double ReadBoxNumber(std::string_view text) {
    const std::string bounded(text.substr(0, kTypedAmountLength));
    return std::strtod(bounded.c_str(), nullptr);
}

}  // namespace

PaymentStart CheckPaymentStart(std::int32_t lineCount, int entryDialogFlag) {
    if (lineCount < 1) return PaymentStart::EmptyBasket;
    if (entryDialogFlag != 0) return PaymentStart::DialogOpen;
    return PaymentStart::Go;
}

const char* PaymentTypeText(PaymentKind kind) {
    switch (kind) {
        case PaymentKind::Cash: return "Cash";
        case PaymentKind::Cheque: return "CH";
        case PaymentKind::Eft: return "EFT";
        case PaymentKind::Split: return "Split";
    }
    return "";
}

TenderResult TenderWithoutChange(double total) {
    return {total, 0.0};
}

void ApplyPaymentFields(TransactionRecord& record, PaymentKind kind) {
    const double total = record.Total();
    // A payment of one kind pays the whole total: amounts an earlier attempt of another
    // kind wrote (a commit that failed on the network) must not go along with it.
    if (kind != PaymentKind::Split) record.ClearPaidAmounts();
    switch (kind) {
        case PaymentKind::Cash: record.SetCashPaid(total); break;
        case PaymentKind::Cheque: record.SetChequePaid(total); break;
        case PaymentKind::Eft: record.SetEftPaid(total); break;
        case PaymentKind::Split: break;  // the split dialog wrote its amounts
    }
    record.SetPaymentType(PaymentTypeText(kind));
}

// ---------------------------------------------------------------------------------

TenderState OpenTender(TenderKind kind, double due) {
    TenderState state;
    state.kind = kind;
    state.due = due;
    state.dueText = FormatMoney(due);
    return state;
}

void TypeTender(TenderState& state, std::string_view typed) {
    state.typed.assign(typed.substr(0, kTypedAmountLength));
    const std::optional<double> amount = ReadTypedAmount(state.typed);
    const double tendered = amount.value_or(0);
    const std::int64_t dueCents = ToCents(state.due);
    const std::int64_t tenderedCents = ToCents(tendered);
    // Text that is no amount covers nothing, whatever the due.
    state.shortOfDue = !amount || dueCents > tenderedCents;
    if (state.shortOfDue)
        state.changeText.clear();
    else if (tenderedCents == dueCents)
        state.changeText = "0.00";
    else
        state.changeText = FormatMoney(tendered - RoundMoney(state.due));
}

Rgb ChangeBackground(const TenderState& state) {
    return state.shortOfDue ? kShortBackground : kChangeBackground;
}

TenderOutcome PressTenderOk(TenderState& state) {
    const std::optional<double> tendered = ReadTypedAmount(state.typed);
    if (state.typed.empty() || !tendered || RoundMoney(state.due) > *tendered)
        return {TenderAction::Stay, kLessThanTotalText};
    // The change is the one on show, read back from its box.
    state.result.change = ReadBoxNumber(state.changeText);
    state.result.tendered = state.result.change + state.due;
    return {TenderAction::Finish, nullptr};
}

TenderOutcome PressExactAmount(TenderState& state) {
    state.result = {state.due, 0.0};
    return {TenderAction::Finish, nullptr};
}

const QuickTender* QuickTenderOfButton(int controlId) {
    for (const QuickTender& quick : kQuickTenders)
        if (quick.controlId == controlId) return &quick;
    return nullptr;
}

TenderOutcome PressQuickTender(TenderState& state, double value) {
    if (state.due > value) return {TenderAction::Stay, kLessThanTotalText};
    state.result = {value, value - RoundMoney(state.due)};
    return {TenderAction::Finish, nullptr};
}

TenderOutcome PressTenderCancel(TenderState&) {
    return {TenderAction::Cancel, nullptr};
}

void CancelTenderAmounts(TransactionRecord& record, const TenderState& state) {
    if (state.kind == TenderKind::Split) record.ClearPaidAmounts();
}

// ---------------------------------------------------------------------------------

SplitState OpenSplit(double total) {
    SplitState state;
    state.total = total;
    state.totalText = FormatMoney(total);
    return state;
}

void TypeSplitCash(SplitState& state, std::string_view typed) {
    state.typedCash.assign(typed.substr(0, kTypedAmountLength));
    const std::optional<double> cash = ReadTypedAmount(state.typedCash);
    if (cash && state.total > *cash)
        state.otherText = FormatMoney(state.total - *cash);
    else
        state.otherText.clear();
}

SplitOutcome PressSplitOk(SplitState& state) {
    const std::optional<double> cash = ReadTypedAmount(state.typedCash);
    if (!cash) {
        TypeSplitCash(state, "");
        return {SplitAction::Stay, kTypedAmountHint};
    }
    if (*cash > RoundMoney(state.total)) {
        TypeSplitCash(state, "");
        return {SplitAction::Stay, kCashExceedsTotalText};
    }
    state.cash = *cash;
    state.otherAmount = state.total - *cash;
    return {SplitAction::OpenTender, nullptr};
}

SplitOutcome PressSplitCancel(SplitState&) {
    return {SplitAction::Cancel, nullptr};
}

void ApplySplitAmounts(TransactionRecord& record, const SplitState& state) {
    record.SetCashPaid(state.cash);
    if (state.other == OtherMethod::Cheque)
        record.SetChequePaid(state.otherAmount);
    else
        record.SetEftPaid(state.otherAmount);
}
