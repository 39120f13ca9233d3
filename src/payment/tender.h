// What the payment paths decide: typed amounts, the cash tender ("CashBox") and the
// split payment ("Split") as plain state and events, and the payment fields each
// path writes into the basket record. Portable: the dialogs move text between their
// controls and these functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "basket/money.h"
#include "link/records.h"

inline constexpr const char* kPleaseSelectItemsText = "Please select items";
inline constexpr const char* kLessThanTotalText = "Less than total";
inline constexpr const char* kCashExceedsTotalText = "Cash exceeds total";
inline constexpr const char* kTypedAmountHint = "Enter the amount without the . character";

// ---------------------------------------------------------------------------------
// Starting a payment.
enum class PaymentStart {
    EmptyBasket,  // "Please select items", focus the item box
    DialogOpen,   // another entry dialog is open: nothing happens
    Go,
};
PaymentStart CheckPaymentStart(std::int32_t lineCount, int entryDialogFlag);

// How the basket is paid, with its payment type text.
enum class PaymentKind { Cash, Cheque, Eft, Split };
const char* PaymentTypeText(PaymentKind kind);  // "Cash", "CH", "EFT", "Split"

// The two amounts the receipt and the pole display read after the sale.
struct TenderResult {
    double tendered = 0;
    double change = 0;
};

// CH and EFT: no change, the whole total tendered.
TenderResult TenderWithoutChange(double total);

// The payment fields of the record at the finish: cash, CH or EFT gets the whole
// total; a split keeps the amounts its dialog wrote. Then the payment type text.
void ApplyPaymentFields(TransactionRecord& record, PaymentKind kind);

// ---------------------------------------------------------------------------------
// "CashBox": the cash tender, also the cash part of a split.
enum class TenderKind { Cash, Split };

struct Rgb {
    std::uint8_t red, green, blue;
};
inline constexpr Rgb kShortBackground{200, 40, 40};    // change box while the tender is short
inline constexpr Rgb kChangeBackground{240, 240, 200}; // change box once it is covered

struct TenderState {
    TenderKind kind = TenderKind::Cash;  // which path finishes the sale
    double due = 0;                      // box 1103: the total, or the cash part of a split
    std::string dueText;                 // box 1103 as shown
    std::string typed;                   // box 1101, as typed
    std::string changeText;              // box 1102: empty while short
    bool shortOfDue = false;             // box 1102 red rather than pale yellow
    TenderResult result;                 // set when the dialog finishes the sale
};

// The dialog as it opens: due shown, both boxes empty.
TenderState OpenTender(TenderKind kind, double due);

// Box 1101 changed (every keystroke): the change box and its colour follow.
void TypeTender(TenderState& state, std::string_view typed);
Rgb ChangeBackground(const TenderState& state);

// What a button leaves the dialog to do.
enum class TenderAction {
    Stay,    // show `message` under "Problem", focus box 1101
    Finish,  // close and finish the sale with `result`
    Cancel,  // close, flag 0, focus the item box
};
struct TenderOutcome {
    TenderAction action = TenderAction::Stay;
    const char* message = nullptr;
};

TenderOutcome PressTenderOk(TenderState& state);
TenderOutcome PressExactAmount(TenderState& state);
// The quick buttons 2401..2403 ("5.00", "10.00", "20.00").
struct QuickTender {
    int controlId;
    const char* label;
    double value;
};
inline constexpr int kExactAmountButton = 2400;  // "Exact amount"
inline constexpr QuickTender kQuickTenders[] = {{2401, "5.00", 5.0}, {2402, "10.00", 10.0}, {2403, "20.00", 20.0}};
// The quick button of a control, nullptr for any other control.
const QuickTender* QuickTenderOfButton(int controlId);
TenderOutcome PressQuickTender(TenderState& state, double value);
TenderOutcome PressTenderCancel(TenderState& state);
// What a cancelled tender leaves in the basket: a split's cash, CH and EFT amounts go,
// so that a later payment of the same basket sends only its own amount.
void CancelTenderAmounts(TransactionRecord& record, const TenderState& state);

// ---------------------------------------------------------------------------------
// "Split": part cash, the rest CH or EFT.
enum class OtherMethod { Cheque, Eft };  // radio buttons 2600 "CH", 2601 "EFT"

struct SplitState {
    double total = 0;                  // the basket total
    std::string totalText;             // box 1103 as shown
    std::string typedCash;             // box 1101, as typed
    std::string otherText;             // box 1102: what is left for the other method
    OtherMethod other = OtherMethod::Cheque;
    // Set on OK: what goes into the record, and the cash the tender then asks for.
    double cash = 0;
    double otherAmount = 0;
};

SplitState OpenSplit(double total);
void TypeSplitCash(SplitState& state, std::string_view typed);

enum class SplitAction {
    Stay,         // show `message` under "Problem"; box 1101 emptied
    OpenTender,   // write the amounts, close, open the tender for `cash` (flag stays 2)
    Cancel,       // close, flag 0, focus the item box
};
struct SplitOutcome {
    SplitAction action = SplitAction::Stay;
    const char* message = nullptr;
};
SplitOutcome PressSplitOk(SplitState& state);
SplitOutcome PressSplitCancel(SplitState& state);

// The amounts of an accepted split: the cash, and the rest on the chosen method; the
// other method's amount is left as the record held it.
void ApplySplitAmounts(TransactionRecord& record, const SplitState& state);
