#include "printing/after_sale.h"

#include <cstdio>
#include <cstring>

#include "basket/money.h"

namespace aftersale {

AfterSalePlan PlanAfterSale(const AfterSaleSettings& settings) {
    AfterSalePlan plan;
    plan.openDrawer = settings.openDrawer > 0;
    plan.showTenderOnPole = settings.poleDisplay != 0;
    plan.showSummary = settings.printDirectly == 0;
    plan.automaticCode = plan.showSummary ? 0 : AutomaticDocumentCode(settings.automaticDocument, settings.twoCopies);
    plan.printKitchenTicket = settings.kitchenTicket != 0;
    return plan;
}

int AutomaticDocumentCode(std::int32_t automaticDocument, std::int32_t twoCopies) {
    if (automaticDocument < 1 || automaticDocument > 4) return 0;
    return twoCopies != 0 ? automaticDocument + 4 : automaticDocument;
}

bool JobForCode(int code, DocumentJob& job) {
    if (code < 1 || code > 8) return false;
    static constexpr int kButtons[] = {kStandardReceipt, kInvoice1, kCustomInvoice, kCustomReceipt};
    if (!JobForButton(kButtons[(code - 1) % 4], job)) return false;
    job.extraCopies = code > 4 ? 1 : 0;
    return true;
}

bool JobForButton(int button, DocumentJob& job) {
    switch (button) {
        case kStandardReceipt:
        case kCustomReceipt:
            job = DocumentJob{button, Printer::Receipt, 0, button == kCustomReceipt};
            return true;
        case kInvoice1:
        case kInvoice2:
        case kCustomInvoice:
        case kDeliveryNote:
            job = DocumentJob{button, Printer::Document, 0, false};
            return true;
        default:
            return false;
    }
}

int AutomaticButton(std::int32_t automaticDocument) {
    switch (automaticDocument) {
        case 1: return kStandardReceipt;
        case 2: return kInvoice1;
        case 3: return kCustomInvoice;
        case 4: return kCustomReceipt;
        default: return 0;
    }
}

int AutomaticButtonPosts(std::int32_t automaticDocument, std::int32_t twoCopies) {
    if (AutomaticButton(automaticDocument) == 0) return 0;
    return twoCopies != 0 ? 2 : 1;
}

SummaryTexts SummaryBoxTexts(double total, double tendered, double change) {
    return SummaryTexts{FormatMoney(total), FormatMoney(tendered), FormatMoney(change)};
}

bool PlaceSummary(const Box& mainWindow, int width, int height, int& left, int& top) {
    if (mainWindow.right <= mainWindow.left || mainWindow.bottom <= mainWindow.top) return false;
    left = mainWindow.left + (mainWindow.right - mainWindow.left - width) / 2;
    top = mainWindow.bottom - 10 - height;
    return true;
}

// ---------------------------------------------------------------------------------
namespace {

constexpr const char* kLineBreak = "\r\n";

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// The encoded form of one character: itself or "%XX".
std::string EncodeChar(unsigned char c, const char* keep) {
    if (IsUnreserved(c) || (c != 0 && std::strchr(keep, c) != nullptr)) return std::string(1, static_cast<char>(c));
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string{'%', kHex[c >> 4], kHex[c & 15]};
}

}  // namespace

std::string PercentEncode(const std::string& text, const char* keep) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) out += EncodeChar(c, keep);
    return out;
}

EmailOrder OrderForEmail(const HeaderTexts& headers, const TransactionRecord& basket, const TerminalConfig& config,
                         const CustomerRecord& customer, const LocalTime& now, const std::string& date) {
    EmailOrder order;
    for (int i = 0; i < 5; ++i) {
        const char* text = headers.text[i];
        order.headers[i].assign(text, strnlen(text, sizeof headers.text[i]));
    }
    order.transaction = basket.Number();
    order.associate = config.CurrentAssociate();
    order.associateName = config.CurrentAssociateName();
    order.total = basket.Total();
    order.customer = basket.CustomerNumber();
    if (order.customer != 0 && customer.Number() == order.customer) order.customerEmail = customer.Email();
    order.time = HourMinuteText(now);
    order.date = date;
    return order;
}

std::string EmailSubject(const EmailOrder& order) { return order.headers[0] + " Order Confirmation"; }

std::string EmailBody(const EmailOrder& order) {
    std::string body;
    // The shop's header block and the order reference.
    for (int i = 0; i < 5; ++i) body += order.headers[i] + kLineBreak;
    body += kLineBreak;
    body += "Order reference: " + std::to_string(order.transaction);
    // When, who and how much.
    body += std::string(kLineBreak) + "Date: " + order.time + " " + order.date + kLineBreak;
    body += "Associate: " + std::to_string(order.associate) + ", " + order.associateName + kLineBreak;
    body += "Total: " + FormatMoney(order.total) + kLineBreak + kLineBreak;
    // The closing words.
    body += "Thank you for your purchase. Please find your invoice attached.\r\n"
            "If you have any further questions please let us know.\r\n"
            "Kind Regards";
    return body;
}

bool ComposeEmailLink(const EmailOrder& order, std::string& link) {
    std::string out = "mailto:";
    if (order.customer != 0 && !order.customerEmail.empty()) out += PercentEncode(order.customerEmail, "@");
    out += "?subject=" + PercentEncode(EmailSubject(order)) + "&body=";
    if (out.size() > kMaxLinkLength) return false;
    // The body is cut at a whole character so that no escape is left half written.
    for (unsigned char c : EmailBody(order)) {
        const std::string piece = EncodeChar(c, "");
        if (out.size() + piece.size() > kMaxLinkLength) break;
        out += piece;
    }
    link = std::move(out);
    return true;
}

}  // namespace aftersale
