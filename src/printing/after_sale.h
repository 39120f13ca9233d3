// The after-sale step's decisions: what it does after a sale, which document a code
// or a summary button prints on which printer, the summary dialog's texts and place,
// and the order-confirmation e-mail link. Portable: after_sale_window.h does the rest.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/records.h"
#include "logs/clock.h"
#include "printing/page_plan.h"
#include "shell/terminal_config.h"

namespace aftersale {

// The summary dialog's buttons; the print buttons are the document kinds.
using print::kCustomInvoice;
using print::kCustomReceipt;
using print::kDeliveryNote;
using print::kInvoice1;
using print::kInvoice2;
using print::kStandardReceipt;
inline constexpr int kEmailDocument = 2403;

inline constexpr const char* kSummaryTemplate = "Tenbox";
inline constexpr const char* kEmailFailedText = "Unable to produce email.";
inline constexpr const char* kProblemCaption = "Problem";

// ---------------------------------------------------------------------------------
// The configuration the step reads.
struct AfterSaleSettings {
    std::int64_t openDrawer = 0;        // option [17]: above 0 opens the till drawer
    std::int64_t printDirectly = 0;     // option [12]: 0 shows the summary dialog
    std::int32_t automaticDocument = 0; // switch [0]: 0 none, 1 standard receipt .. 4 custom receipt
    std::int32_t twoCopies = 0;         // switch [20]
    std::int32_t poleDisplay = 0;       // switch [100]
    std::int32_t kitchenTicket = 0;     // switch [122]
};

struct AfterSalePlan {
    bool openDrawer = false;
    bool showTenderOnPole = false;
    bool showSummary = false;      // the summary dialog instead of the automatic print
    int automaticCode = 0;         // the document code printed directly, 0 = none
    bool printKitchenTicket = false;  // after the document (skipped when its print is cancelled)
};

AfterSalePlan PlanAfterSale(const AfterSaleSettings& settings);

// The automatic document code: 1 standard receipt, 2 "Invoice 1", 3 "Custom invoice",
// 4 custom receipt; 5 to 8 the same with two copies; 0 none (also for switch values
// outside 1..4, with or without two copies).
int AutomaticDocumentCode(std::int32_t automaticDocument, std::int32_t twoCopies);

// One print job of a document: on the receipt printer or as a document.
using Printer = print::PrinterChoice;
struct DocumentJob {
    int kind = 0;                  // kStandardReceipt, kCustomReceipt, kInvoice1, ...
    Printer printer = Printer::Document;
    int extraCopies = 0;           // copies beyond the print dialog's count
    bool closingSequence = false;  // send the custom receipt's closing sequence after each copy
};

// The job of document code 1..8; false for any other code.
bool JobForCode(int code, DocumentJob& job);
// The job of a summary print button (one copy); false for other ids.
bool JobForButton(int button, DocumentJob& job);

// The summary button whose command the dialog posts for the automatic document
// (0 = none), and how often (0, 1 or 2).
int AutomaticButton(std::int32_t automaticDocument);
int AutomaticButtonPosts(std::int32_t automaticDocument, std::int32_t twoCopies);

// ---------------------------------------------------------------------------------
// The summary dialog's three boxes.
struct SummaryTexts {
    std::string total;     // 1101 "Total due"
    std::string tendered;  // 1102
    std::string change;    // 1103
};
SummaryTexts SummaryBoxTexts(double total, double tendered, double change);

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// Where the summary dialog's top-left corner goes: centred horizontally over the main
// window, its bottom edge 10 pixels above the main window's. False (stay put) when the
// main window's rectangle is empty.
bool PlaceSummary(const Box& mainWindow, int width, int height, int& left, int& top);

// ---------------------------------------------------------------------------------
// The order-confirmation e-mail.
struct EmailOrder {
    std::string headers[5];         // header texts 1-5; header text 1 is the shop name
    std::int64_t transaction = 0;   // the committed transaction number
    std::int64_t associate = 0;     // the current associate's number
    std::string associateName;
    double total = 0;
    std::int64_t customer = 0;      // the transaction's customer, 0 = none
    std::string customerEmail;      // that customer's address, may be empty
    std::string time;               // "hh:mm"
    std::string date;               // the locale's "MMM d yyyy"
};

// The order of the sale still in `basket`: header texts 1-5, its number, total and
// customer, the current associate, the time of `now` and the locale's `date` text.
// The address is taken only when `customer` is the sale's own customer (the current
// customer is overwritten by every search).
EmailOrder OrderForEmail(const HeaderTexts& headers, const TransactionRecord& basket, const TerminalConfig& config,
                         const CustomerRecord& customer, const LocalTime& now, const std::string& date);

// The link never exceeds this many characters.
inline constexpr std::size_t kMaxLinkLength = 4000;

// The subject ("<shop> Order Confirmation") and the body, as plain text with "\r\n".
std::string EmailSubject(const EmailOrder& order);
std::string EmailBody(const EmailOrder& order);

// "mailto:<address>?subject=<subject>&body=<body>" with every piece percent-encoded
// (letters, digits and "-._~" stay; the address also keeps "@"), so that no text can
// add a header or end the link; line breaks come out as "%0D%0A". The recipient is
// left out without a customer or address. A body that does not fit in kMaxLinkLength
// is cut between characters; false when not even the recipient and subject fit.
bool ComposeEmailLink(const EmailOrder& order, std::string& link);

// Percent-encoding as above; `keep` lists further characters left as they are.
std::string PercentEncode(const std::string& text, const char* keep = "");

}  // namespace aftersale
