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

std::string PointedAmountText(std::string_view typed) {
    typed = typed.substr(0, kTypedAmountLength);
    if (typed.empty()) return {};
    if (typed.size() == 1) return std::string(".0") + typed.front();
    std::string pointed(typed.substr(0, typed.size() - 2));
    pointed += '.';
    pointed += typed.substr(typed.size() - 2);
    return pointed;
}

double ReadTypedAmount(std::string_view typed) {
    return std::strtod(PointedAmountText(typed).c_str(), nullptr);
}

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
    const double tendered = ReadTypedAmount(state.typed);
    const std::int64_t dueCents = ToCents(state.due);
    const std::int64_t tenderedCents = ToCents(tendered);
    state.shortOfDue = dueCents > tenderedCents;
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
    if (state.typed.empty()) return {TenderAction::Stay, kLessThanTotalText};
    const double tendered = ReadTypedAmount(state.typed);
    if (RoundMoney(state.due) > tendered) return {TenderAction::Stay, kLessThanTotalText};
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

// ---------------------------------------------------------------------------------

SplitState OpenSplit(double total) {
    SplitState state;
    state.total = total;
    state.totalText = FormatMoney(total);
    return state;
}

void TypeSplitCash(SplitState& state, std::string_view typed) {
    state.typedCash.assign(typed.substr(0, kTypedAmountLength));
    const double cash = ReadTypedAmount(state.typedCash);
    if (state.total > cash)
        state.otherText = FormatMoney(state.total - cash);
    else
        state.otherText.clear();
}

SplitOutcome PressSplitOk(SplitState& state) {
    const double cash = ReadTypedAmount(state.typedCash);
    if (cash > RoundMoney(state.total)) {
        TypeSplitCash(state, "");
        return {SplitAction::Stay, kCashExceedsTotalText};
    }
    state.cash = cash;
    state.otherAmount = state.total - cash;
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
