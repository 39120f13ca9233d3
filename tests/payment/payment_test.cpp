#include "payment/commit.h"
#include "payment/tender.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "support/local_time.h"

namespace {

std::string Paid(const TransactionRecord& r) {
    return FormatMoney(r.CashPaid()) + " " + FormatMoney(r.ChequePaid()) + " " + FormatMoney(r.EftPaid());
}

}  // namespace

TEST(TypedAmount, DigitsOnlyAndWhatIsNoAmountNeverFinishesASale) {
    struct Row { const char* typed; std::optional<double> amount; const char* why; };
    const Row rows[] = {
        {"", 0.0, "an empty box reads as nothing tendered"}, {"5", 0.05, "one digit: hundredths"}, {"1234", 12.34, ""},
        {"12345678901234567890", 12345678901234567.89, "only nineteen characters are taken"},
        {"nan00", std::nullopt, "a NaN must never reach a sale"}, {"-500", std::nullopt, "nor a negative amount"},
        {"2000abc", std::nullopt, "trailing letters are not 20.00"}, {"12.34", std::nullopt, "the point is not typed"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ReadTypedAmount(row.typed), row.amount) << row.typed << ": " << row.why;
        if (row.amount) continue;
        TenderState cash = OpenTender(TenderKind::Cash, 0.0);
        TypeTender(cash, row.typed);
        EXPECT_TRUE(cash.shortOfDue && cash.changeText.empty()) << row.typed;
        EXPECT_EQ(PressTenderOk(cash).action, TenderAction::Stay) << row.typed;
        SplitState split = OpenSplit(30.0);
        TypeSplitCash(split, row.typed);
        EXPECT_EQ(split.otherText, "") << row.typed;
        EXPECT_STREQ(PressSplitOk(split).message, "Enter the amount without the . character") << row.typed;
        EXPECT_EQ(split.typedCash, "") << row.typed << ": the box is emptied";
    }
    EXPECT_EQ(DigitsOnly("1a2-3.4 5\r\n", 19), "12345") << "what a digits-only box keeps of pasted text";
    EXPECT_EQ(DigitsOnly("123456", 4), "1234");
}

TEST(TenderCancel, ACancelledSplitLeavesNoPaymentAmountsBehind) {
    const std::tuple<const char*, OtherMethod, const char*, const char*> rows[] = {
        // the cash typed, the other method, what its box shows, the amounts written (cash, CH, EFT)
        {"1000", OtherMethod::Eft, "20.00", "10.00 1.23 20.00"},  // the CH amount from an earlier attempt stays
        {"", OtherMethod::Cheque, "30.00", "0.00 30.00 0.00"},    // no cash: all on CH
        {"3000", OtherMethod::Cheque, "", "30.00 0.00 0.00"}};    // the whole total in cash (a cent more: SplitTest)
    for (const auto& [typed, other, otherText, paid] : rows) {
        SplitState split = OpenSplit(30.0);
        TypeSplitCash(split, typed);
        split.other = other;
        ASSERT_EQ(PressSplitOk(split).action, SplitAction::OpenTender) << typed;
        TransactionRecord record;
        record.SetTotal(30.0), record.SetChequePaid(1.23);
        ApplySplitAmounts(record, split);
        EXPECT_EQ(split.otherText + " / " + Paid(record), std::string(otherText) + " / " + paid) << typed;
        CancelTenderAmounts(record, OpenTender(TenderKind::Split, split.cash));
        EXPECT_EQ(Paid(record), "0.00 0.00 0.00") << typed << ": a payment after the cancel starts from nothing";
    }
}

TEST(CashTender, ChangeAndTheButtonsFollowTheDue) {
    constexpr int kOk = 0;  // the OK button; the others are kExactAmountButton and the quick ones
    struct Row { double due; const char* typed; int button; const char* change, *result, *why; };
    const Row rows[] = {  // result: tendered and change, or the message
        {12.34, "2000", kOk, "7.66", "20.00 7.66", "over: the change shown is given"},
        {0.07, "5", kOk, "", "Less than total", "short: no change"},
        {12.349, "1234", kOk, "0.00", "Less than total", "whole cents agree, but OK wants the rounded due 12.35"},
        {12.349, "1235", kOk, "0.00", "12.35 0.00", ""},
        {0.0, "", kOk, "0.00", "Less than total", "an empty box is refused even when nothing is due"},
        {12.34, "1", kExactAmountButton, "", "12.34 0.00", "exact amount takes the due"},
        {5.00, "", 2401, "", "5.00 0.00", "5.00 covers 5.00"},
        {5.01, "", 2401, "", "Less than total", "but not 5.01"},
    };
    for (const Row& row : rows) {
        TenderState state = OpenTender(TenderKind::Cash, row.due);
        TypeTender(state, "99999");  // each keystroke replaces the view
        TypeTender(state, row.typed);
        EXPECT_EQ(state.changeText, row.change) << row.why;
        EXPECT_EQ(state.shortOfDue, *row.change == 0) << row.why;
        EXPECT_EQ(ChangeBackground(state).red, *row.change == 0 ? 200 : 240) << row.why << ": red while short";
        const QuickTender* quick = QuickTenderOfButton(row.button);
        const TenderOutcome out = quick ? PressQuickTender(state, quick->value)
                                        : row.button == kOk ? PressTenderOk(state) : PressExactAmount(state);
        EXPECT_EQ(out.action == TenderAction::Finish
                      ? FormatMoney(state.result.tendered) + " " + FormatMoney(state.result.change)
                      : std::string(out.message ? out.message : ""),
                  row.result) << row.why;
    }
}

TEST(PaymentStart, AnEmptyBasketFirstThenAnOpenDialogAndSplitCashAboveTheTotal) {
    using S = PaymentStart;
    EXPECT_TRUE(CheckPaymentStart(0, 2) == S::EmptyBasket && CheckPaymentStart(1, 2) == S::DialogOpen &&
                CheckPaymentStart(1, 0) == S::Go);
    SplitState split = OpenSplit(30.0);
    TypeSplitCash(split, "3001");
    EXPECT_STREQ(PressSplitOk(split).message, "Cash exceeds total");
    EXPECT_EQ(split.typedCash, "") << "the box is emptied";
}

// The amounts 1, 2 and 3 stand for what an earlier attempt left (a commit that failed):
// a payment of one kind sends only its own amount.
TEST(PaymentFields, EachPathWritesItsAmountAndType) {
    const std::tuple<PaymentKind, const char*> rows[] = {{PaymentKind::Cash, "Cash 12.34 0.00 0.00"},
        {PaymentKind::Cheque, "CH 0.00 12.34 0.00"}, {PaymentKind::Eft, "EFT 0.00 0.00 12.34"},
        {PaymentKind::Split, "Split 1.00 2.00 3.00"}};  // the split keeps what its dialog wrote
    for (const auto& [kind, expected] : rows) {
        TransactionRecord record;
        record.SetTotal(12.34), record.SetCashPaid(1), record.SetChequePaid(2), record.SetEftPaid(3);
        ApplyPaymentFields(record, kind);
        EXPECT_EQ(record.PaymentType() + " " + Paid(record), expected);
    }
}

TEST(CommitAnswer, AcceptedFromTwentyOrRefusedWithItsText) {
    constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
    const std::pair<std::int32_t, std::string> rows[] = {  // the answer: the committed and next numbers, or the text
        {20, "-1 0"}, {121, "100 101"}, {kTop, std::to_string(kTop - 21) + " " + std::to_string(kTop - 20)},
        {2, "Invalid customer"}, {5, "Inventory item out of stock"}, {8, "File log trail error 3"},
        {12, "File log trail error 4"}, {19, "Invalid number"}, {9, "Invalid number"},
        {std::numeric_limits<std::int32_t>::min(), "Invalid number"}};  // every other code
    for (const auto& [r, expected] : rows) {
        const CommitAnswer a = InterpretCommitAnswer(r);
        EXPECT_EQ(a.accepted ? std::to_string(a.committedNumber) + " " + std::to_string(a.nextNumber)
                             : std::string(a.refusalText ? a.refusalText : ""), expected) << r;
    }
    using P = CommitPrecheck;
    EXPECT_TRUE(CheckBeforeCommit(0, 5) == P::NothingToSend && CheckBeforeCommit(2, 0) == P::ListEmpty &&
                CheckBeforeCommit(1, 1) == P::Send) << "no lines; lines but an empty basket list; both";
}

TEST(CommitStamp, TheDateFallsBackToDigitsAndTheClerkKeepsItsLowHalf) {
    for (const auto& [answer, year, date] : {std::tuple{std::string(19, 'x'), 2026, std::string(19, 'x')},
                                             {std::string(20, 'x'), 2026, "D: 5 M:12 Y:2026"},
                                             {"", 2099, "D: 5 M:12 Y:2099"}}) {
        g_fakeDate = answer;  // 19 characters fit the record; more, or a failure, fall back
        EXPECT_EQ(SaleDateText(At(year, 12, 5), FakeDateFormatter), date) << answer;
    }
    g_fakeDate.clear();
    TransactionRecord record;
    StampForCommit(record, {At(2026, 12, 5, 9, 5), FakeDateFormatter, 0x100000007LL, -3, "TILL7"});
    EXPECT_EQ(record.Associate(), 7) << "only the low 32 bits fit the record";
}

TEST(SaleLog, EntryByteForByte) {
    const ClockText clock = "09:0505/12/2026";
    TransactionRecord sale;
    sale.SetLineCount(2), sale.SetLineItemNumber(0, 1001), sale.SetLineDescription(0, "Tea towel");
    sale.SetLineTotal(0, 3.21), sale.SetLineItemNumber(1, 4000000000LL), sale.SetLineDescription(1, "Mug, blue");
    sale.SetTotal(7.5), sale.SetAssociate(3), sale.SetPaymentType("EFT");
    const LogEntry plain = {"\r\n09:05 05/12/2026  Transaction 57", "\r\n1001  Tea towel", "\r\n4000000000  Mug, blue",
                            "\r\nTotal: 7.50\r\n", "Clerk: 3, Associate 3   Items: 2\r\n", "Payment type: EFT\r\n"};
    EXPECT_EQ(SaleLogEntry(clock, 57, sale, {}, "Associate 3"), plain) << "lines in basket order, no prices";
    sale.SetCustomerNumber(42), sale.SetCustomerName("Name in the record");
    LogEntry withCustomer = plain;
    withCustomer.insert(withCustomer.begin() + 1, "\r\nCustomer 9000000000 Jane Doe");
    EXPECT_EQ(SaleLogEntry(clock, 57, sale, {9000000000LL, "Jane Doe"}, "Associate 3"), withCustomer)
        << "the customer last found, not the record's copy";
    EXPECT_TRUE(CommitWritesSaleLog(sale)) << "EFT with a customer";
    sale.SetPaymentType("Credit");
    EXPECT_FALSE(CommitWritesSaleLog(sale)) << "a credit sale with a customer is logged by the credit transaction";
    sale.SetLineCount(txn::kMaxLines + 5);
    EXPECT_EQ(SaleLogEntry(clock, 3, sale, {}, "A").size(), txn::kMaxLines + 5u) << "only the 400 stored lines exist";
}
