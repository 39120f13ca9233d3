#include "link/records.h"

namespace {

constexpr bool InRange(int n, int first, int last) { return n >= first && n <= last; }

// Element i of an array of fixed-width elements.
constexpr std::size_t At(std::size_t array, std::size_t width, int i) {
    return array + width * static_cast<std::size_t>(i);
}

TextField SkuField(int n) { return {At(item::kSkus, item::kSkuWidth, n - 1), item::kSkuWidth}; }
TextField KitComponentField(int n) {
    return {item::kKitComponents[n - 1], item::kKitComponentWidth};
}
TextField LineDescriptionField(int i) {
    return {At(txn::kLineDescriptions, txn::kLineDescriptionWidth, i), txn::kLineDescriptionWidth};
}
TextField ButtonTextField(int entry) { return {At(buttons::kTexts, buttons::kTextWidth, entry), buttons::kTextWidth}; }

}  // namespace

// --- InventoryItem ---------------------------------------------------------------

std::string InventoryItem::Sku(int n) const {
    return InRange(n, 1, item::kSkuCount) ? Text(SkuField(n)) : std::string();
}

void InventoryItem::SetSku(int n, std::string_view t) {
    if (InRange(n, 1, item::kSkuCount)) SetText(SkuField(n), t);
}

std::string InventoryItem::KitComponent(int n) const {
    return InRange(n, 1, item::kKitComponentCount) ? Text(KitComponentField(n)) : std::string();
}

void InventoryItem::SetKitComponent(int n, std::string_view t) {
    if (InRange(n, 1, item::kKitComponentCount)) SetText(KitComponentField(n), t);
}

// Kit terms: [n-1] the entry mode of component n, [5+n] its quantity.
std::int32_t InventoryItem::KitEntryMode(int n) const {
    return InRange(n, 1, item::kKitComponentCount) ? Int32(At(item::kKitTerms, 4, n - 1)) : 0;
}

void InventoryItem::SetKitEntryMode(int n, std::int32_t v) {
    if (InRange(n, 1, item::kKitComponentCount)) SetInt32(At(item::kKitTerms, 4, n - 1), v);
}

std::int32_t InventoryItem::KitQuantity(int n) const {
    return InRange(n, 1, item::kKitComponentCount)
               ? Int32(At(item::kKitTerms, 4, item::kKitComponentCount + n - 1))
               : 0;
}

void InventoryItem::SetKitQuantity(int n, std::int32_t v) {
    if (InRange(n, 1, item::kKitComponentCount)) SetInt32(At(item::kKitTerms, 4, item::kKitComponentCount + n - 1), v);
}

// --- TransactionRecord -----------------------------------------------------------

std::int64_t TransactionRecord::LineItemNumber(int i) const {
    return ValidLine(i) ? Int64(At(txn::kLineItemNumbers, 8, i)) : 0;
}

void TransactionRecord::SetLineItemNumber(int i, std::int64_t v) {
    if (ValidLine(i)) SetInt64(At(txn::kLineItemNumbers, 8, i), v);
}

std::string TransactionRecord::LineDescription(int i) const {
    return ValidLine(i) ? Text(LineDescriptionField(i)) : std::string();
}

void TransactionRecord::SetLineDescription(int i, std::string_view t) {
    if (ValidLine(i)) SetText(LineDescriptionField(i), t);
}

double TransactionRecord::LineDouble(std::size_t array, int i) const {
    return ValidLine(i) ? Double(At(array, 8, i)) : 0.0;
}

void TransactionRecord::SetLineDouble(std::size_t array, int i, double v) {
    if (ValidLine(i)) SetDouble(At(array, 8, i), v);
}

// --- ButtonPage ------------------------------------------------------------------

std::int64_t ButtonPage::ItemNumber(int b) const {
    return ValidButton(b) ? Int64(At(buttons::kItemNumbers, 8, b)) : 0;
}

void ButtonPage::SetItemNumber(int b, std::int64_t v) {
    if (ValidButton(b)) SetInt64(At(buttons::kItemNumbers, 8, b), v);
}

std::string ButtonPage::Caption(int b) const {
    return ValidButton(b) ? Text(ButtonTextField(b)) : std::string();
}

void ButtonPage::SetCaption(int b, std::string_view t) {
    if (ValidButton(b)) SetText(ButtonTextField(b), t);
}

std::string ButtonPage::PictureName(int b) const {
    return ValidButton(b) ? Text(ButtonTextField(buttons::kButtonCount + b)) : std::string();
}

void ButtonPage::SetPictureName(int b, std::string_view t) {
    if (ValidButton(b)) SetText(ButtonTextField(buttons::kButtonCount + b), t);
}
