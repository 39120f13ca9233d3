#include "payment/tender.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "basket/money.h"

namespace {

TenderState TypedTender(double due, const char* typed) {
    TenderState state = OpenTender(TenderKind::Cash, due);
    TypeTender(state, typed);
    return state;
}

bool SameColour(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

TransactionRecord BasketOf(double total) {
    TransactionRecord record;
    record.SetLineCount(1);
    record.SetTotal(total);
    return record;
}

}  // namespace

TEST(TypedAmount, DigitsOnlyWithTheLastTwoAsHundredths) {
    struct Row {
        const char* typed;
        std::optional<double> amount;
        const char* why;
    };
    const Row rows[] = {
        {"", 0.0, "an empty box reads as nothing tendered"},
        {"5", 0.05, "one digit is hundredths"},
        {"50", 0.50, ""},
        {"1234", 12.34, ""},
        {"100000", 1000.0, ""},
        {"12345678901234567890", 12345678901234567.89, "only nineteen characters are taken"},
        {"nan00", std::nullopt, "a NaN must never reach a sale"},
        {"infinity", std::nullopt, "nor an infinite amount"},
        {"9e9999999", std::nullopt, "exponents are not digits"},
        {"-500", std::nullopt, "nor a negative one"},
        {"2000abc", std::nullopt, "trailing letters are not read as 20.00"},
        {"12.34", std::nullopt, "the point is not typed"},
        {" 500", std::nullopt, "blanks are not digits"},
    };
    for (const Row& row : rows) EXPECT_EQ(ReadTypedAmount(row.typed), row.amount) << row.typed << ": " << row.why;
    EXPECT_EQ(DigitsOnly("1a2-3.4 5\r\n", 19), "12345") << "what a digits-only box keeps of pasted text";
    EXPECT_EQ(DigitsOnly("123456", 4), "1234");
}

TEST(TypedAmount, TextThatIsNoAmountNeverFinishesASale) {
    for (const char* typed : {"nan00", "infinity", "9e9999999", "-500", "2000abc"}) {
        TenderState cash = TypedTender(0.0, typed);
        EXPECT_TRUE(cash.shortOfDue) << typed;
        EXPECT_EQ(cash.changeText, "") << typed;
        EXPECT_EQ(PressTenderOk(cash).action, TenderAction::Stay) << typed;

        SplitState split = OpenSplit(30.0);
        TypeSplitCash(split, typed);
        EXPECT_EQ(split.otherText, "") << typed;
        const SplitOutcome outcome = PressSplitOk(split);
        EXPECT_EQ(outcome.action, SplitAction::Stay) << typed;
        EXPECT_STREQ(outcome.message, "Enter the amount without the . character") << typed;
        EXPECT_EQ(split.typedCash, "") << typed;
    }
}

TEST(TenderCancel, ACancelledSplitLeavesNoPaymentAmountsBehind) {
    SplitState split = OpenSplit(30.0);
    TypeSplitCash(split, "1000");
    ASSERT_EQ(PressSplitOk(split).action, SplitAction::OpenTender);
    TransactionRecord record = BasketOf(30.0);
    ApplySplitAmounts(record, split);

    TenderState tender = OpenTender(TenderKind::Split, split.cash);
    ASSERT_EQ(PressTenderCancel(tender).action, TenderAction::Cancel);
    CancelTenderAmounts(record, tender);
    // A cash payment of the same basket then sends only its own amount.
    ApplyPaymentFields(record, PaymentKind::Cash);
    EXPECT_DOUBLE_EQ(record.CashPaid(), 30.0);
    EXPECT_DOUBLE_EQ(record.ChequePaid(), 0.0);
    EXPECT_DOUBLE_EQ(record.EftPaid(), 0.0);

    TransactionRecord paid = BasketOf(30.0);
    paid.SetCashPaid(30.0);
    CancelTenderAmounts(paid, OpenTender(TenderKind::Cash, 30.0));
    EXPECT_DOUBLE_EQ(paid.CashPaid(), 30.0) << "a plain cash tender wrote nothing to undo";
}

TEST(PaymentStart, NeedsLinesAndNoOpenDialog) {
    EXPECT_EQ(CheckPaymentStart(0, 0), PaymentStart::EmptyBasket);
    EXPECT_EQ(CheckPaymentStart(0, 2), PaymentStart::EmptyBasket);  // the empty basket is reported first
    EXPECT_EQ(CheckPaymentStart(3, 2), PaymentStart::DialogOpen);
    EXPECT_EQ(CheckPaymentStart(1, 0), PaymentStart::Go);
}

TEST(TenderChange, ShowsTheChangeOnceTheDueIsCovered) {
    const TenderState opened = OpenTender(TenderKind::Cash, 12.34);
    EXPECT_EQ(opened.dueText, "12.34");
    EXPECT_EQ(opened.typed, "");
    EXPECT_EQ(opened.changeText, "");

    const TenderState over = TypedTender(12.34, "2000");
    EXPECT_EQ(over.changeText, "7.66");
    EXPECT_FALSE(over.shortOfDue);
    EXPECT_TRUE(SameColour(ChangeBackground(over), Rgb{240, 240, 200}));

    const TenderState exact = TypedTender(12.34, "1234");
    EXPECT_EQ(exact.changeText, "0.00");
    EXPECT_FALSE(exact.shortOfDue);

    const TenderState under = TypedTender(12.34, "1233");
    EXPECT_EQ(under.changeText, "");
    EXPECT_TRUE(under.shortOfDue);
    EXPECT_TRUE(SameColour(ChangeBackground(under), Rgb{200, 40, 40}));
}

TEST(TenderChange, ComparesWholeCents) {
    const TenderState fiveCents = TypedTender(0.05, "5");
    EXPECT_EQ(fiveCents.changeText, "0.00");
    EXPECT_FALSE(fiveCents.shortOfDue);

    const TenderState sevenCents = TypedTender(0.07, "5");
    EXPECT_EQ(sevenCents.changeText, "");
    EXPECT_TRUE(sevenCents.shortOfDue);

    // A due with a third decimal: the cents agree (1234), so the change reads 0.00
    // even though the rounded due is 12.35.
    const TenderState third = TypedTender(12.349, "1234");
    EXPECT_EQ(ToCents(12.349), ToCents(12.34));
    EXPECT_EQ(third.changeText, "0.00");
    EXPECT_FALSE(third.shortOfDue);
}

TEST(TenderChange, EachKeystrokeReplacesTheView) {
    TenderState state = OpenTender(TenderKind::Cash, 12.34);
    TypeTender(state, "2");
    EXPECT_TRUE(state.shortOfDue);
    TypeTender(state, "2000");
    EXPECT_EQ(state.changeText, "7.66");
    TypeTender(state, "200");
    EXPECT_TRUE(state.shortOfDue);
    EXPECT_EQ(state.changeText, "");
    EXPECT_EQ(state.typed, "200");
}

TEST(TenderOk, FinishesWithTheChangeShownAndTheDue) {
    TenderState state = TypedTender(12.34, "2000");
    const TenderOutcome outcome = PressTenderOk(state);
    EXPECT_EQ(outcome.action, TenderAction::Finish);
    EXPECT_EQ(ToCents(state.result.change), 766);
    EXPECT_EQ(ToCents(state.result.tendered), 2000);
    EXPECT_EQ(FormatMoney(state.result.tendered), "20.00");

    TenderState cents = TypedTender(0.05, "5");
    EXPECT_EQ(PressTenderOk(cents).action, TenderAction::Finish);
    EXPECT_DOUBLE_EQ(cents.result.change, 0.0);
    EXPECT_DOUBLE_EQ(cents.result.tendered, 0.05);
}

TEST(TenderOk, RefusesAShortOrEmptyTender) {
    TenderState shortBy = TypedTender(12.34, "1233");
    TenderOutcome outcome = PressTenderOk(shortBy);
    EXPECT_EQ(outcome.action, TenderAction::Stay);
    EXPECT_STREQ(outcome.message, "Less than total");

    TenderState sevenCents = TypedTender(0.07, "5");
    EXPECT_EQ(PressTenderOk(sevenCents).action, TenderAction::Stay);

    // An empty box is refused even when nothing is due.
    TenderState empty = OpenTender(TenderKind::Split, 0.0);
    outcome = PressTenderOk(empty);
    EXPECT_EQ(outcome.action, TenderAction::Stay);
    EXPECT_STREQ(outcome.message, "Less than total");
    TypeTender(empty, "0");
    EXPECT_EQ(empty.changeText, "0.00");
    EXPECT_EQ(PressTenderOk(empty).action, TenderAction::Finish);

    // The rounded due decides here: 12.349 asks for 12.35.
    TenderState third = TypedTender(12.349, "1234");
    EXPECT_EQ(PressTenderOk(third).action, TenderAction::Stay);
    TypeTender(third, "1235");
    EXPECT_EQ(PressTenderOk(third).action, TenderAction::Finish);
}

TEST(TenderButtons, ExactAmountTakesTheDue) {
    TenderState state = TypedTender(12.34, "1");
    EXPECT_EQ(PressExactAmount(state).action, TenderAction::Finish);
    EXPECT_DOUBLE_EQ(state.result.tendered, 12.34);
    EXPECT_DOUBLE_EQ(state.result.change, 0.0);
    EXPECT_EQ(PressTenderCancel(state).action, TenderAction::Cancel);
}

TEST(TenderButtons, QuickAmountsCoverTheDueOrStay) {
    ASSERT_NE(QuickTenderOfButton(2401), nullptr);
    EXPECT_STREQ(QuickTenderOfButton(2401)->label, "5.00");
    EXPECT_DOUBLE_EQ(QuickTenderOfButton(2401)->value, 5.0);
    EXPECT_DOUBLE_EQ(QuickTenderOfButton(2402)->value, 10.0);
    EXPECT_DOUBLE_EQ(QuickTenderOfButton(2403)->value, 20.0);
    EXPECT_EQ(QuickTenderOfButton(kExactAmountButton), nullptr);
    EXPECT_EQ(QuickTenderOfButton(2404), nullptr);

    TenderState fourFifty = OpenTender(TenderKind::Cash, 4.50);
    EXPECT_EQ(PressQuickTender(fourFifty, 5.0).action, TenderAction::Finish);
    EXPECT_EQ(ToCents(fourFifty.result.change), 50);
    EXPECT_DOUBLE_EQ(fourFifty.result.tendered, 5.0);

    TenderState fiveOhOne = OpenTender(TenderKind::Cash, 5.01);
    const TenderOutcome outcome = PressQuickTender(fiveOhOne, 5.0);
    EXPECT_EQ(outcome.action, TenderAction::Stay);
    EXPECT_STREQ(outcome.message, "Less than total");

    TenderState fiveExactly = OpenTender(TenderKind::Cash, 5.0);
    EXPECT_EQ(PressQuickTender(fiveExactly, 5.0).action, TenderAction::Finish);
    EXPECT_DOUBLE_EQ(fiveExactly.result.change, 0.0);
}

TEST(PaymentFields, EachPathWritesItsAmountAndType) {
    struct Case {
        PaymentKind kind;
        const char* type;
        double cash, eft, cheque;
    };
    const Case cases[] = {
        {PaymentKind::Cash, "Cash", 12.34, 0, 0},
        {PaymentKind::Cheque, "CH", 0, 0, 12.34},
        {PaymentKind::Eft, "EFT", 0, 12.34, 0},
    };
    for (const Case& c : cases) {
        TransactionRecord record = BasketOf(12.34);
        ApplyPaymentFields(record, c.kind);
        EXPECT_EQ(record.PaymentType(), c.type);
        EXPECT_DOUBLE_EQ(record.CashPaid(), c.cash) << c.type;
        EXPECT_DOUBLE_EQ(record.EftPaid(), c.eft) << c.type;
        EXPECT_DOUBLE_EQ(record.ChequePaid(), c.cheque) << c.type;
    }
    EXPECT_STREQ(PaymentTypeText(PaymentKind::Split), "Split");

    const TenderResult card = TenderWithoutChange(12.34);
    EXPECT_DOUBLE_EQ(card.tendered, 12.34);
    EXPECT_DOUBLE_EQ(card.change, 0.0);
}

TEST(SplitPayment, CashPartThenTheRestOnEft) {
    SplitState split = OpenSplit(30.0);
    EXPECT_EQ(split.totalText, "30.00");
    EXPECT_EQ(split.other, OtherMethod::Cheque);
    EXPECT_EQ(split.otherText, "");

    TypeSplitCash(split, "1000");
    EXPECT_EQ(split.otherText, "20.00");
    split.other = OtherMethod::Eft;
    ASSERT_EQ(PressSplitOk(split).action, SplitAction::OpenTender);
    EXPECT_DOUBLE_EQ(split.cash, 10.0);
    EXPECT_DOUBLE_EQ(split.otherAmount, 20.0);

    TransactionRecord record = BasketOf(30.0);
    record.SetChequePaid(1.23);  // left from an earlier attempt: not the split's business
    ApplySplitAmounts(record, split);
    EXPECT_DOUBLE_EQ(record.CashPaid(), 10.0);
    EXPECT_DOUBLE_EQ(record.EftPaid(), 20.0);
    EXPECT_DOUBLE_EQ(record.ChequePaid(), 1.23);

    // The tender then asks for the cash part; "20.00" leaves 10.00 change.
    TenderState tender = OpenTender(TenderKind::Split, split.cash);
    EXPECT_EQ(tender.dueText, "10.00");
    EXPECT_EQ(PressQuickTender(tender, 20.0).action, TenderAction::Finish);
    EXPECT_EQ(ToCents(tender.result.change), 1000);
    EXPECT_DOUBLE_EQ(tender.result.tendered, 20.0);

    ApplyPaymentFields(record, PaymentKind::Split);
    EXPECT_EQ(record.PaymentType(), "Split");
    EXPECT_DOUBLE_EQ(record.CashPaid(), 10.0);
    EXPECT_DOUBLE_EQ(record.EftPaid(), 20.0);
}

TEST(SplitPayment, EmptyCashPutsTheWholeTotalOnTheOtherMethod) {
    SplitState split = OpenSplit(30.0);
    TypeSplitCash(split, "");
    EXPECT_EQ(split.otherText, "30.00");
    ASSERT_EQ(PressSplitOk(split).action, SplitAction::OpenTender);
    TransactionRecord record = BasketOf(30.0);
    ApplySplitAmounts(record, split);
    EXPECT_DOUBLE_EQ(record.CashPaid(), 0.0);
    EXPECT_DOUBLE_EQ(record.ChequePaid(), 30.0);
    EXPECT_DOUBLE_EQ(record.EftPaid(), 0.0);

    const TenderState tender = OpenTender(TenderKind::Split, split.cash);
    EXPECT_EQ(tender.dueText, "0.00");
}

TEST(SplitPayment, CashAboveTheTotalIsRefusedAndCleared) {
    SplitState split = OpenSplit(30.0);
    TypeSplitCash(split, "3001");
    EXPECT_EQ(split.otherText, "");
    const SplitOutcome outcome = PressSplitOk(split);
    EXPECT_EQ(outcome.action, SplitAction::Stay);
    EXPECT_STREQ(outcome.message, "Cash exceeds total");
    EXPECT_EQ(split.typedCash, "");
    EXPECT_DOUBLE_EQ(split.cash, 0.0);

    TypeSplitCash(split, "3000");  // the whole total in cash is allowed
    EXPECT_EQ(split.otherText, "");
    ASSERT_EQ(PressSplitOk(split).action, SplitAction::OpenTender);
    EXPECT_DOUBLE_EQ(split.cash, 30.0);
    EXPECT_DOUBLE_EQ(split.otherAmount, 0.0);
    EXPECT_EQ(PressSplitCancel(split).action, SplitAction::Cancel);
}
