#include "link/label_table.h"

#include <cstring>

std::string LabelTable::Entry(int i) const {
    if (i < 0 || i >= labels::kEntryCount) return {};
    return packed::LoadText(data(), labels::kEntryWidth * static_cast<std::size_t>(i), labels::kEntryWidth);
}

void LabelTable::SetEntry(int i, const std::string& text) {
    if (i < 0 || i >= labels::kEntryCount) return;
    packed::StoreText(data(), labels::kEntryWidth * static_cast<std::size_t>(i), labels::kEntryWidth, text);
}

LabelTable DefaultLabelTable() {
    static const char* const kDefaults[labels::kUsedEntries] = {
        "English", "Receipt", "Sub total", "Total", "Discount", "Customer", "Non taxable", "Taxable",
        "Tendered", "Cash change", "Payment: Cash", "Payment: Cheque", "Payment: EFT", "Payment: Credit",
        "Payment: CH with cash", "Payment: EFT with cash", "Refund", "INVOICE", "Order Number",
        "Associate", "DESCRIPTION", "PRODUCT CODE", "LINE COST", "SUBTOTAL", "TOTAL", "DISCOUNT",
        "CUSTOMER", "CUSTOMER NO", "TELEPHONE", "ITEMS", "NON TX", "TAXABLE", "Authorized", "Received",
        "Unit price", "Terms"};
    LabelTable table;
    for (int i = 0; i < labels::kUsedEntries; ++i) table.SetEntry(i, kDefaults[i]);
    return table;
}

void TakeFetchedLabels(LabelTable& working, const LabelTable& fetched) {
    std::memcpy(working.data(), fetched.data(), labels::kUsedEntries * labels::kEntryWidth);
}
