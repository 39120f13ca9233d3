// The layout of the till receipts (standard and custom), the kitchen ticket, the 28
// receipt elements and the transaction barcode, as PagePlans. Portable: the Windows
// side takes the metrics, formats the current time and date, and renders the plan.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "link/label_table.h"
#include "link/records.h"
#include "payment/tender.h"
#include "printing/page_plan.h"
#include "shell/terminal_config.h"

namespace print {

inline constexpr int kReceiptElementCount = 28;

// Everything a receipt, ticket or document reads besides the page metrics.
struct SaleDocumentInputs {
    const TransactionRecord* sale = nullptr;   // the transaction (the basket image)
    const TerminalConfig* config = nullptr;    // the live configuration
    const LabelTable* labels = nullptr;        // the document wording
    const HeaderTexts* headers = nullptr;      // header texts 1-6, 43 characters each
    TenderResult tender;                       // tendered and change of the last payment
    std::int64_t customerNumber = 0;           // the current customer (0 = none)
    std::string customerName;                  // the current customer's name
    int customerTerms = 0;                     // the current customer's terms index (1..9, 0 = none)
    int basketTable = 1;                       // 1..16
    std::string nowClock;     // "hh:mm" of the current local time (elements and e-mail)
    std::string todayLong;    // today as the locale's "MMM d yyyy"
    std::string kitchenDate;  // today as the kitchen ticket prints it
    PictureSize receiptLogo;  // "receipt.bmp" as loaded
    PictureSize letterLogo;   // "letter.bmp" as loaded
};

// The count of each basket line when lines are printed as groups: the first line
// of a group holds the group's size, the others 0. Receipts group equal item
// number and line total; documents also need an equal description.
enum class Grouping { Receipt, Document };
std::array<int, txn::kMaxLines> GroupLines(const TransactionRecord& sale, Grouping grouping);

// The text of receipt element e (0..27); empty when it prints nothing. `customMode`
// is the custom layout's placement (mode 0), which changes element 14.
std::string ReceiptElementText(int element, const SaleDocumentInputs& in, bool customMode);

// The layout row of element e in the custom receipt's configuration (0 for any
// other e), kept within +-10000 rows.
int ReceiptElementLayoutRow(const TerminalConfig& config, int element);

// Adds element e centred at `centreX`: mode 0 at row + its layout row, skipped when
// that layout row is below 1; any other mode at `row`. Returns the row used (an
// element with no text adds nothing but still uses its row), or -1 when skipped.
int AddReceiptElement(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m, int element,
                      int centreX, double row, int mode);

// The digits the barcode encodes: "%I64d", left-padded with zeros to four digits;
// empty (no bars) for a negative number.
std::string BarcodeDigits(std::int64_t transactionNumber);

// Adds the transaction barcode: row 0 near the page bottom (placement 0 receipts,
// non-zero documents), otherwise starting two rows below `row`. Adds the message
// "Unable to get printer" instead when the metrics report 0 dots per inch.
void AddTransactionBarcode(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m, double row,
                           int placement);

// One page of a receipt of `kind` (kStandardReceipt or kCustomReceipt).
PagePlan LayOutReceipt(const SaleDocumentInputs& in, const PageMetrics& m, int kind);
// One page of the kitchen ticket.
PagePlan LayOutKitchenTicket(const SaleDocumentInputs& in, const PageMetrics& m);

}  // namespace print
