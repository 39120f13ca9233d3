#include "shell/terminal_config.h"

#include <cstdio>
#include <cstring>

namespace cfg {
namespace {

constexpr ByteRange OptionField(int k) { return {kOptions + 8 * static_cast<std::size_t>(k), 8}; }
constexpr ByteRange SwitchField(int k) { return {kSwitches + 4 * static_cast<std::size_t>(k), 4}; }
constexpr ByteRange AmountField(int k) { return {kAmounts + 8 * static_cast<std::size_t>(k), 8}; }
constexpr ByteRange DoubleAt(std::size_t offset) { return {offset, 8}; }

// Shared by the load/exit list and the server dialog's list; the difference is listed apart.
#define VARENKO_LOCAL_FIELDS_COMMON                                                            \
    ByteRange{kTermCodes, 4}, ByteRange{kTimes, 5 * 4},                                        \
        OptionField(1), OptionField(3), OptionField(4), OptionField(6), OptionField(8),        \
        OptionField(9), OptionField(12), OptionField(17), ByteRange{kCarried4716, 4},          \
        ByteRange{kReceiptPrinter, 400}, ByteRange{kPoleTexts, 200},                           \
        ByteRange{kServerName, 200}, ByteRange{kDrawerSequence, 200},                          \
        ByteRange{kCurrentAssociate, 8}, ByteRange{kClosingMessage, kLongTextWidth},           \
        ByteRange{kKitchenPrinter, kLongTextWidth}, ByteRange{kPrinterPortBlock, 200},         \
        SwitchField(0), SwitchField(3), SwitchField(16), SwitchField(20), SwitchField(32),     \
        SwitchField(34), SwitchField(100), SwitchField(101), SwitchField(102),                 \
        SwitchField(109), SwitchField(122), SwitchField(123), SwitchField(124),                \
        SwitchField(125), SwitchField(165), SwitchField(176), SwitchField(177),                \
        SwitchField(178), SwitchField(179), SwitchField(190)

constexpr ByteRange kLocal[] = {
    VARENKO_LOCAL_FIELDS_COMMON,
    ByteRange{kServerConnection, 4},
    AmountField(1),
    DoubleAt(14218),
};

constexpr ByteRange kSavedOnly[] = {
    DoubleAt(14210), DoubleAt(14226), DoubleAt(14242), DoubleAt(14250),
    DoubleAt(14258), DoubleAt(14266), DoubleAt(14282), DoubleAt(14290),
};

constexpr ByteRange kKept[] = {VARENKO_LOCAL_FIELDS_COMMON};

constexpr ByteRange kRestored[] = {
    AmountField(1), DoubleAt(14210), DoubleAt(14218), DoubleAt(14282),
};

#undef VARENKO_LOCAL_FIELDS_COMMON

}  // namespace

const std::span<const ByteRange> kTerminalLocalFields{kLocal};
const std::span<const ByteRange> kSavedOnlyFields{kSavedOnly};
const std::span<const ByteRange> kKeptAcrossServerFetch{kKept};
const std::span<const ByteRange> kRestoredAcrossServerFetch{kRestored};

}  // namespace cfg

std::int64_t TerminalConfig::Option(int k) const {
    if (k < 0 || k >= cfg::kOptionCount) return 0;
    return Int64(cfg::kOptions + 8 * static_cast<std::size_t>(k));
}

void TerminalConfig::SetOption(int k, std::int64_t value) {
    if (k < 0 || k >= cfg::kOptionCount) return;
    SetInt64(cfg::kOptions + 8 * static_cast<std::size_t>(k), value);
}

std::int32_t TerminalConfig::Switch(int k) const {
    if (k < 0 || k >= cfg::kSwitchCount) return 0;
    return Int32(cfg::kSwitches + 4 * static_cast<std::size_t>(k));
}

void TerminalConfig::SetSwitch(int k, std::int32_t value) {
    if (k < 0 || k >= cfg::kSwitchCount) return;
    SetInt32(cfg::kSwitches + 4 * static_cast<std::size_t>(k), value);
}

double TerminalConfig::Amount(int k) const {
    if (k < 0 || k >= cfg::kAmountCount) return 0;
    return Double(cfg::kAmounts + 8 * static_cast<std::size_t>(k));
}

void TerminalConfig::SetAmount(int k, double value) {
    if (k < 0 || k >= cfg::kAmountCount) return;
    SetDouble(cfg::kAmounts + 8 * static_cast<std::size_t>(k), value);
}

std::string TerminalConfig::HeaderText(int index) const {
    if (index < 0 || index >= 8) return {};
    return Text(cfg::kHeaderTexts + cfg::kHeaderTextWidth * static_cast<std::size_t>(index), cfg::kHeaderTextWidth);
}

std::string TerminalConfig::AssociateName(std::int64_t number) const {
    if (number < 1 || number > cfg::kAssociateCount) return {};
    return Text(cfg::kAssociateNames + cfg::kAssociateNameWidth * static_cast<std::size_t>(number - 1),
                cfg::kAssociateNameWidth);
}

void TerminalConfig::SetAssociateName(std::int64_t number, std::string_view name) {
    if (number < 1 || number > cfg::kAssociateCount) return;
    SetText(cfg::kAssociateNames + cfg::kAssociateNameWidth * static_cast<std::size_t>(number - 1),
            cfg::kAssociateNameWidth, name);
}

std::string TerminalConfig::AssociatePassword(std::int64_t number) const {
    if (number < 1 || number >= cfg::kAssociateCount) return {};
    return Text(cfg::kAssociatePasswords + cfg::kAssociatePasswordWidth * static_cast<std::size_t>(number),
                cfg::kAssociatePasswordWidth);
}

void TerminalConfig::SetAssociatePassword(std::int64_t number, std::string_view password) {
    if (number < 1 || number >= cfg::kAssociateCount) return;
    SetText(cfg::kAssociatePasswords + cfg::kAssociatePasswordWidth * static_cast<std::size_t>(number),
            cfg::kAssociatePasswordWidth, password);
}

std::string TerminalConfig::CategoryCode(int k) const {
    std::size_t offset;
    if (k >= 0 && k <= 8)
        offset = cfg::kCategoryCodesLow + cfg::kCategoryCodeWidth * static_cast<std::size_t>(k + 1);
    else if (k >= 9 && k <= 17)
        offset = cfg::kCategoryCodesHigh + cfg::kCategoryCodeWidth * static_cast<std::size_t>(k - 9);
    else
        return {};
    return Text(offset, cfg::kCategoryCodeWidth);
}

std::string TerminalConfig::PoleText(int slot) const {
    if (slot < 0 || slot >= 6) return {};
    return Text(cfg::kPoleTexts + cfg::kPoleTextWidth * static_cast<std::size_t>(slot), cfg::kPoleTextWidth);
}

void TerminalConfig::SetSaveTime(const LocalTime& now) {
    const std::int32_t values[5] = {now.minute, now.hour, now.day, now.month, now.year};
    for (int i = 0; i < 5; ++i) SetInt32(cfg::kTimes + 4 * static_cast<std::size_t>(i), values[i]);
}

void CopyFields(TerminalConfig& to, const TerminalConfig& from, std::span<const ByteRange> fields) {
    for (const ByteRange& f : fields) std::memcpy(to.data() + f.offset, from.data() + f.offset, f.length);
}

void CopyHeaderTexts(HeaderTexts& out, const TerminalConfig& config) {
    for (int i = 0; i < cfg::kHeaderTextCount; ++i) {
        const char* field = reinterpret_cast<const char*>(config.data()) + cfg::kHeaderTextWidth * i;
        packed::CopyBounded(out.text[i], sizeof out.text[i], field, cfg::kHeaderTextWidth);
    }
}

namespace {

void SetCodes(TerminalConfig& c, std::size_t offset, const char* const codes[9]) {
    for (int i = 0; i < 9; ++i) std::memcpy(c.data() + offset + 3 * static_cast<std::size_t>(i), codes[i], 3);
}

}  // namespace

void ApplyDefaults(TerminalConfig& c, const LocalTime& now) {
    using namespace cfg;
    c.SetText(kHeaderTexts, kHeaderTextWidth, "VARENKO");
    c.SetText(kHeaderTexts + kHeaderTextWidth, kHeaderTextWidth, "Local");
    for (int i = 2; i < 8; ++i) c.SetText(kHeaderTexts + kHeaderTextWidth * i, kHeaderTextWidth, "");
    c.SetServerName("");

    std::memset(c.data() + kTimes, 0, 100 * 4);
    std::memset(c.data() + kOptions, 0, kOptionCount * 8);
    c.SetSaveTime(now);

    c.SetDouble(kCarried4774, 100.0);
    c.SetOption(3, 1);
    for (int i = 1; i <= 9; ++i) c.SetInt32(kTermCodes + 4 * i, i == 9 ? 99 : i);
    for (int k = 21; k <= 28; ++k) c.SetOption(k, k - 20);
    for (int k : {29, 31, 33, 35, 37, 38}) c.SetOption(k, 0);
    c.SetOption(29, 2);
    c.SetOption(33, 2000);
    c.SetServerConnection(0);

    static const char* const kLowCodes[9] = {"ALC", "BEE", "BOO", "CAN", "CAR", "COF", "DEL", "DRI", "DVD"};
    static const char* const kHighCodes[9] = {"FRO", "FRU", "HAR", "MSC", "PAP", "POP", "TEA", "SWE", "WIN"};
    SetCodes(c, kCategoryCodesLow + kCategoryCodeWidth, kLowCodes);
    SetCodes(c, kCategoryCodesHigh, kHighCodes);

    std::memset(c.data() + kPoleTexts + 1, 0, 199);
    std::memset(c.data() + kSwitches + 4, 0, (kSwitchCount - 1) * 4);
    std::memset(c.data() + kReceiptPrinter + 1, 0, 399);
    std::memset(c.data() + kPrinterPortBlock + 1, 0, 399);

    c.SetText(kTax1Name, kTaxNameWidth, "TAX 1");
    c.SetText(kTax2Name, kTaxNameWidth, "TAX 2");
    c.SetTransactionNumber(1);
    c.SetInt32(kCarried4716, 2);
    c.SetText(kPoleTexts, kPoleTextWidth, "Next customer");
    c.SetText(kClosingMessage, kLongTextWidth, "Always happy to help!");
    c.SetSwitch(123, 2);
    static const std::pair<int, std::int32_t> kRows[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {5, 5},
                                                         {6, 7}, {7, 4}, {14, 2}, {15, 8}};
    for (auto [element, row] : kRows) c.SetInt32(kReceiptRows + 4 * static_cast<std::size_t>(element), row);
}

void FillDefaultAssociateNames(TerminalConfig& c) {
    c.SetAssociateName(1, "Administrator");
    c.SetAssociateName(2, "Manager");
    for (int n = 3; n <= cfg::kAssociateCount; ++n) {
        char name[cfg::kAssociateNameWidth];
        std::snprintf(name, sizeof name, "Associate %d", n);
        c.SetAssociateName(n, name);
    }
}

void MergeLocalFieldsAtLoad(TerminalConfig& live, TerminalConfig& image) {
    CopyFields(live, image, cfg::kTerminalLocalFields);
    if (image.CurrentAssociate() == 0) image.SetCurrentAssociate(1);
    live.SetCurrentAssociate(image.CurrentAssociate());
}

void PrepareStartupSave(TerminalConfig& image, const TerminalConfig& live, const LocalTime& now) {
    image.SetSaveTime(now);
    image.SetServerConnection(live.ServerConnection());
}

void PrepareExitSave(TerminalConfig& image, TerminalConfig& live, const LocalTime& now) {
    // The save time is a local field: stamp the live record too, or the copy below
    // would put back the time of the previous save.
    live.SetSaveTime(now);
    CopyFields(image, live, cfg::kTerminalLocalFields);
    CopyFields(image, live, cfg::kSavedOnlyFields);
}
