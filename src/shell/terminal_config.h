// TerminalConfig: the terminal and shop configuration record, a 14938-byte packed
// little-endian image. It is the content of "vks.cfg" and travels whole from the
// server. Every offset of the record is defined here and nowhere else.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/packed.h"
#include "logs/clock.h"

namespace cfg {
inline constexpr std::size_t kSize = 14938;

inline constexpr std::size_t kHeaderTexts = 0;           // char[60] x 8: header texts 1-6, texts 7-8
inline constexpr std::size_t kHeaderTextWidth = 60;
inline constexpr int kHeaderTextCount = 6;
inline constexpr std::size_t kSecondCurrencySign = 480;  // char[6]
inline constexpr std::size_t kCategoryCodesLow = 486;    // char[3] x 10, entry k+1 = category k (0-8)
inline constexpr std::size_t kCategoryCodeWidth = 3;
inline constexpr std::size_t kTermCodes = 516;           // long[10]: [0] receipt printer index, [1]-[9] discount terms
inline constexpr std::size_t kServerConnection = 556;    // long: non-zero = bind to the server at start-up
inline constexpr std::size_t kNonInventoryCaptions = 2312;  // char[80] x 4
inline constexpr std::size_t kNonInventoryCaptionWidth = 80;
inline constexpr std::size_t kTimes = 3832;              // long[100]: [0]-[4] last save, [10]-[14] last logon
inline constexpr std::size_t kOptions = 4232;            // hyper[60]
inline constexpr int kOptionCount = 60;
inline constexpr std::size_t kTransactionNumber = 4712;  // long
inline constexpr std::size_t kCarried4716 = 4716;        // long
inline constexpr std::size_t kCurrencySign = 4720;       // char[6]
inline constexpr std::size_t kCategoryCodesHigh = 4734;  // char[40]: codes 9-17, then tax names
inline constexpr std::size_t kTax1Name = kCategoryCodesHigh + 27;  // char[6]
inline constexpr std::size_t kTax2Name = kCategoryCodesHigh + 33;  // char[6]
inline constexpr std::size_t kTaxNameWidth = 6;
inline constexpr std::size_t kCarried4774 = 4774;        // double
inline constexpr std::size_t kReceiptPrinter = 4782;     // char[400]: name 0-199, driver 200-399
inline constexpr std::size_t kReceiptPrinterDriver = kReceiptPrinter + 200;
inline constexpr std::size_t kPrinterPortBlock = 5182;   // char[400]: port 0-199, shop texts, closing sequence
// The receipt printer's port name (200), which the custom invoice also reads as its
// header font's face name; then three shop texts and the custom receipt's closing sequence.
inline constexpr std::size_t kShopTexts = kPrinterPortBlock + 200;  // char[50] x 3
inline constexpr std::size_t kShopTextWidth = 50;
inline constexpr std::size_t kClosingSequence = kShopTexts + 3 * kShopTextWidth;  // char[50]
inline constexpr std::size_t kClosingSequenceWidth = 50;
inline constexpr std::size_t kReceiptRows = 5582;        // long[20]: custom receipt element rows
inline constexpr std::size_t kPoleTexts = 5662;          // char[200]: six slots of 32
inline constexpr std::size_t kPoleTextWidth = 32;
inline constexpr std::size_t kServerName = 6102;         // char[200]
inline constexpr std::size_t kServerNameWidth = 200;
inline constexpr std::size_t kDrawerSequence = 6502;     // char[200]
inline constexpr std::size_t kCurrentAssociate = 6702;   // hyper
inline constexpr std::size_t kAssociateNames = 7110;     // char[30] x 100, entry n-1 = associate n
inline constexpr std::size_t kAssociateNameWidth = 30;
inline constexpr std::size_t kAssociatePasswords = 10110;  // char[10] x 100, entry n = associate n
inline constexpr std::size_t kAssociatePasswordWidth = 10;
inline constexpr int kAssociateCount = 100;
inline constexpr std::size_t kTradeValues = 11150;       // double[10]: [0] trade percentage
inline constexpr std::size_t kClosingMessage = 11230;    // char[254]
inline constexpr std::size_t kKitchenPrinter = 11484;    // char[254]
inline constexpr std::size_t kLongTextWidth = 254;
inline constexpr std::size_t kAssociateFlags = 11738;    // long[200]: [0]-[98] skip flags, [101]-[114] invoice fonts
inline constexpr std::size_t kSwitches = 12538;          // long[200]
inline constexpr int kSwitchCount = 200;
inline constexpr std::size_t kAmounts = 13338;           // double[100]
inline constexpr int kAmountCount = 100;
inline constexpr std::size_t kCarriedDoubles = 14138;    // double x 20 up to 14298
inline constexpr std::size_t kTail = 14298;              // double[80], not interpreted

static_assert(kSecondCurrencySign == kHeaderTexts + 8 * kHeaderTextWidth);
static_assert(kCategoryCodesLow + 10 * kCategoryCodeWidth == kTermCodes);
static_assert(kTermCodes + 10 * 4 == kServerConnection);
static_assert(kTimes + 100 * 4 == kOptions);
static_assert(kOptions + kOptionCount * 8 == kTransactionNumber);
static_assert(kCurrencySign + 6 + 4 + 4 == kCategoryCodesHigh);
static_assert(kCategoryCodesHigh + 40 == kCarried4774);
static_assert(kReceiptPrinter + 400 == kPrinterPortBlock && kPrinterPortBlock + 400 == kReceiptRows);
static_assert(kClosingSequence == 5532 && kClosingSequence + kClosingSequenceWidth == kReceiptRows);
static_assert(kReceiptRows + 20 * 4 == kPoleTexts);
static_assert(kCurrentAssociate + 8 + 100 * 4 == kAssociateNames);
static_assert(kAssociateNames + kAssociateCount * kAssociateNameWidth == kAssociatePasswords);
static_assert(kAssociatePasswords + kAssociateCount * kAssociatePasswordWidth + 10 * 4 == kTradeValues);
static_assert(kClosingMessage + kLongTextWidth == kKitchenPrinter);
static_assert(kKitchenPrinter + kLongTextWidth == kAssociateFlags);
static_assert(kAssociateFlags + 200 * 4 == kSwitches);
static_assert(kSwitches + kSwitchCount * 4 == kAmounts);
static_assert(kAmounts + kAmountCount * 8 == kCarriedDoubles);
static_assert(kTail + 80 * 8 == kSize);
}  // namespace cfg

// A run of bytes of the record.
struct ByteRange {
    std::size_t offset;
    std::size_t length;
};

class TerminalConfig : public PackedRecord<cfg::kSize> {
public:
    std::int64_t Option(int k) const;
    void SetOption(int k, std::int64_t value);
    std::int32_t Switch(int k) const;
    void SetSwitch(int k, std::int32_t value);
    double Amount(int k) const;
    void SetAmount(int k, double value);

    using PackedRecord::SetText;
    using PackedRecord::Text;
    std::string Text(std::size_t offset, std::size_t width) const { return Text(TextField{offset, width}); }
    void SetText(std::size_t offset, std::size_t width, std::string_view text) {
        SetText(TextField{offset, width}, text);
    }

    std::string HeaderText(int index) const;  // 0-based: header text index+1
    std::string ServerName() const { return Text(cfg::kServerName, cfg::kServerNameWidth); }
    void SetServerName(std::string_view name) { SetText(cfg::kServerName, cfg::kServerNameWidth, name); }
    std::int32_t ServerConnection() const { return Int32(cfg::kServerConnection); }
    void SetServerConnection(std::int32_t v) { SetInt32(cfg::kServerConnection, v); }
    std::int32_t TransactionNumber() const { return Int32(cfg::kTransactionNumber); }
    void SetTransactionNumber(std::int32_t v) { SetInt32(cfg::kTransactionNumber, v); }
    std::int64_t CurrentAssociate() const { return Int64(cfg::kCurrentAssociate); }
    void SetCurrentAssociate(std::int64_t v) { SetInt64(cfg::kCurrentAssociate, v); }

    // Associates are numbered 1..100.
    std::string AssociateName(std::int64_t number) const;
    void SetAssociateName(std::int64_t number, std::string_view name);
    std::string AssociatePassword(std::int64_t number) const;
    void SetAssociatePassword(std::int64_t number, std::string_view password);
    std::string CurrentAssociateName() const { return AssociateName(CurrentAssociate()); }

    // Category k, 0..17: three letters without a terminator.
    std::string CategoryCode(int k) const;
    std::string PoleText(int slot) const;  // slot 0 idle text ... 5 cursor to line 2

    // The time of the last save: minute, hour, day, month, year.
    void SetSaveTime(const LocalTime& now);
};

static_assert(sizeof(TerminalConfig) == cfg::kSize);

namespace cfg {
// The terminal-local fields: carried by the file across runs, they override the
// server's values at every start and are written back at exit.
extern const std::span<const ByteRange> kTerminalLocalFields;
// Copied from the live record into the file at exit, but not back at a load.
extern const std::span<const ByteRange> kSavedOnlyFields;
// The server dialog saves these into the image before its fetch and restores them after.
extern const std::span<const ByteRange> kKeptAcrossServerFetch;
// The server dialog restores these from the image without saving them first.
extern const std::span<const ByteRange> kRestoredAcrossServerFetch;
}  // namespace cfg

void CopyFields(TerminalConfig& to, const TerminalConfig& from, std::span<const ByteRange> fields);

// The six header texts as the receipt, document and e-mail code reads them: 43 characters each.
struct HeaderTexts {
    char text[cfg::kHeaderTextCount][44] = {};
};
void CopyHeaderTexts(HeaderTexts& out, const TerminalConfig& config);

// Writes the default configuration into the record (only the defaulted fields change).
void ApplyDefaults(TerminalConfig& config, const LocalTime& now);

// Stand-alone associate names: "Administrator", "Manager", "Associate 3" .. "Associate 100".
void FillDefaultAssociateNames(TerminalConfig& config);

// The load's merge: the image's terminal-local fields override the live record;
// an image associate number of 0 becomes 1 in both.
void MergeLocalFieldsAtLoad(TerminalConfig& live, TerminalConfig& image);

// What the start-up save writes: the image with the save time and the live connection flag.
void PrepareStartupSave(TerminalConfig& image, const TerminalConfig& live, const LocalTime& now);

// What the exit save writes: the image with every local and saved-only field of the live record.
void PrepareExitSave(TerminalConfig& image, TerminalConfig& live, const LocalTime& now);
