#include "printing/device_config.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::int64_t kHighestOpenCharacter = 255;
constexpr std::int64_t kFewestRepeats = 1;
constexpr std::int64_t kMostRepeats = 10;
constexpr std::int32_t kOn = 2;  // what a ticked box stores in a switch

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Decimal(std::int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
}

// A stored list position, or the first entry when it lies outside the list.
int Position(std::int64_t stored, std::size_t entries) {
    return stored >= 0 && stored < static_cast<std::int64_t>(entries) ? static_cast<int>(stored) : 0;
}

void SetPoleText(TerminalConfig& config, int slot, std::string_view text) {
    config.SetText(cfg::kPoleTexts + cfg::kPoleTextWidth * static_cast<std::size_t>(slot), cfg::kPoleTextWidth,
                   text.substr(0, kSequenceTyped));
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// A number box's value: what its first characters (as many as it takes) say.
std::optional<std::int64_t> NumberBox(std::string_view text) { return ReadDecimal(text.substr(0, kNumberTyped)); }

}  // namespace

std::optional<std::int64_t> ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t digits = i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (i - digits >= 18) return std::nullopt;  // more than any box takes
        value = value * 10 + (text[i] - '0');
    }
    if (i == digits || i != text.size()) return std::nullopt;
    return negative ? -value : value;
}

TillSettings TillSettingsOf(const TerminalConfig& config) {
    TillSettings s;
    s.port = Position(config.Option(devcfg::kOptionDrawerPort), std::size(kDrawerPorts));
    s.openCharacter = Decimal(config.Option(devcfg::kOptionDrawerCharacter));
    s.repeat = Decimal(config.Option(devcfg::kOptionDrawerRepeat));
    s.sequence = DrawerSequenceText(config).substr(0, kSequenceTyped);
    s.openAutomatically = config.Option(devcfg::kOptionDrawerAutoOpen) == 1;
    s.throughPrinter = config.Switch(devcfg::kSwitchDrawerThroughPrinter) != 0;
    return s;
}

void StoreTillSettings(TerminalConfig& config, const TillSettings& s) {
    if (s.port >= 0 && s.port < static_cast<int>(std::size(kDrawerPorts)))
        config.SetOption(devcfg::kOptionDrawerPort, s.port);
    // Anything else keeps the value the drawer has now, without a word.
    const auto character = NumberBox(s.openCharacter);
    if (character && *character >= 0 && *character <= kHighestOpenCharacter)
        config.SetOption(devcfg::kOptionDrawerCharacter, *character);
    const auto repeat = NumberBox(s.repeat);
    if (repeat && *repeat >= kFewestRepeats && *repeat <= kMostRepeats)
        config.SetOption(devcfg::kOptionDrawerRepeat, *repeat);
    config.SetText(devcfg::kDrawerSequence, devcfg::kDrawerSequenceWidth, s.sequence.substr(0, kSequenceTyped));
    config.SetOption(devcfg::kOptionDrawerAutoOpen, s.openAutomatically ? 1 : 0);
    config.SetSwitch(devcfg::kSwitchDrawerThroughPrinter, s.throughPrinter ? kOn : 0);
}

std::vector<std::string> PoleListEntries(PoleList list) {
    std::vector<std::string> out;
    switch (list) {
    case kPolePortList:
        for (int port = 0; port < 8; ++port) out.push_back(PolePortName(port));
        break;
    case kBaudRateList:
        for (std::uint32_t rate : devcfg::kBaudRates) out.push_back(Decimal(rate));
        break;
    case kParityList: out = {"No parity", "Even parity", "Odd parity"}; break;
    case kDataBitsList:
        for (std::uint8_t bits : devcfg::kByteSizes) out.push_back(Decimal(bits));
        break;
    case kStopBitsList: out = {"1", "1.5", "2"}; break;
    case kPoleListCount: break;
    }
    return out;
}

PoleSettings PoleSettingsOf(const TerminalConfig& config) {
    PoleSettings s;
    s.use = config.Switch(devcfg::kSwitchPoleFitted) != 0;
    for (int list = 0; list < kPoleListCount; ++list)
        s.lists[list] = Position(config.Switch(kPoleListSwitches[list]), PoleListEntries(PoleList(list)).size());
    s.columns1 = Decimal(config.Switch(devcfg::kSwitchPoleColumns1));
    s.columns2 = Decimal(config.Switch(devcfg::kSwitchPoleColumns2));
    for (int slot = 0; slot < static_cast<int>(s.texts.size()); ++slot)
        s.texts[slot] = config.PoleText(slot).substr(0, kSequenceTyped);
    return s;
}

void StorePreviewedPoleSettings(TerminalConfig& config, const PoleSettings& s) {
    for (int slot = 0; slot < static_cast<int>(s.texts.size()); ++slot) SetPoleText(config, slot, s.texts[slot]);
    for (int list = 0; list < kPoleListCount; ++list) {
        const int position = s.lists[list];
        if (position >= 0 && position < static_cast<int>(PoleListEntries(PoleList(list)).size()))
            config.SetSwitch(kPoleListSwitches[list], position);
    }
}

void StorePoleSettings(TerminalConfig& config, const PoleSettings& s) {
    config.SetSwitch(devcfg::kSwitchPoleFitted, s.use ? kOn : 0);
    StorePreviewedPoleSettings(config, s);
    // The column counts are kept for this dialog only: no output reads them.
    auto columns = [](const std::string& text) { return static_cast<std::int32_t>(NumberBox(text).value_or(0)); };
    config.SetSwitch(devcfg::kSwitchPoleColumns1, columns(s.columns1));
    config.SetSwitch(devcfg::kSwitchPoleColumns2, columns(s.columns2));
}

int PrinterPosition(std::span<const PrinterInfo> printers, std::string_view name) {
    for (std::size_t i = 0; i < printers.size(); ++i)
        if (printers[i].name == name) return static_cast<int>(i) + 1;
    return 0;
}

const PrinterInfo* PrinterAtPosition(std::span<const PrinterInfo> printers, int position) {
    if (position <= 0 || printers.empty()) return nullptr;
    if (printers.size() == 1) return &printers[0];
    return position <= static_cast<int>(printers.size()) ? &printers[static_cast<std::size_t>(position) - 1] : nullptr;
}

ReceiptSettings OpenReceiptSettings(TerminalConfig& config, const PrinterListing& printers) {
    ReceiptSettings s;
    if (printers) {
        s.printers.push_back(kDefaultPrinter);
        for (const PrinterInfo& p : *printers) s.printers.push_back(p.name);
        s.receiptPrinter = PrinterPosition(*printers, ReceiptPrinterName(config));
        s.kitchenPrinter = PrinterPosition(*printers, config.Text(cfg::kKitchenPrinter, cfg::kLongTextWidth));
        config.SetInt32(receiptcfg::kPrinterPosition, s.receiptPrinter);
        config.SetOption(receiptcfg::kOptionKitchenPosition, s.kitchenPrinter);
    } else {
        s.receiptPrinter = s.kitchenPrinter = -1;
    }
    s.footer = config.Text(cfg::kClosingMessage, cfg::kLongTextWidth).substr(0, receiptcfg::kFooterTyped);
    s.omitConfirm = config.Option(receiptcfg::kOptionPrintConfirm) == 0;
    s.autoReceipt = Position(config.Switch(receiptcfg::kSwitchAutoReceipt), std::size(kAutoReceiptNames));
    s.fontSize = Position(config.Switch(receiptcfg::kSwitchFontSize), std::size(kFontSizeNames));
    for (std::size_t i = 0; i < kReceiptSwitchBoxCount; ++i)
        s.switchBoxes[i] = (config.Switch(kReceiptSwitchBoxes[i].switchIndex) == 0) == kReceiptSwitchBoxes[i].tickedWhenZero;
    return s;
}

namespace {

// The printer at `position` of the listing, or "Default" when it is not there.
const PrinterInfo* ChosenPrinter(const PrinterListing& listing, int position) {
    return listing ? PrinterAtPosition(*listing, position) : nullptr;
}

}  // namespace

void StoreReceiptSettings(TerminalConfig& config, const ReceiptSettings& s, const PrinterListing& forReceipt,
                          const PrinterListing& forKitchen) {
    using namespace receiptcfg;
    if (s.receiptPrinter >= 0) {
        const PrinterInfo* printer = ChosenPrinter(forReceipt, s.receiptPrinter);
        config.SetInt32(kPrinterPosition, printer ? s.receiptPrinter : 0);
        config.SetText(cfg::kReceiptPrinter, kPrinterTextWidth, printer ? printer->name : "");
        config.SetText(kPrinterDriver, kPrinterTextWidth, printer ? printer->driver : "");
        config.SetText(kPrinterPort, kPrinterTextWidth, printer ? printer->port : "");
    }
    if (s.kitchenPrinter >= 0) {
        const PrinterInfo* printer = ChosenPrinter(forKitchen, s.kitchenPrinter);
        config.SetOption(kOptionKitchenPosition, printer ? s.kitchenPrinter : 0);
        config.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, printer ? printer->name : "");
    }
    config.SetText(cfg::kClosingMessage, cfg::kLongTextWidth, std::string_view(s.footer).substr(0, kFooterStored));
    config.SetOption(kOptionPrintConfirm, s.omitConfirm ? 0 : 1);
    if (s.autoReceipt >= 0 && s.autoReceipt < static_cast<int>(std::size(kAutoReceiptNames)))
        config.SetSwitch(kSwitchAutoReceipt, s.autoReceipt);
    for (std::size_t i = 0; i < kReceiptSwitchBoxCount; ++i) {
        const bool on = s.switchBoxes[i] != kReceiptSwitchBoxes[i].tickedWhenZero;
        config.SetSwitch(kReceiptSwitchBoxes[i].switchIndex, on ? kOn : 0);
    }
    if (s.fontSize >= 0 && s.fontSize < static_cast<int>(std::size(kFontSizeNames)))
        config.SetSwitch(kSwitchFontSize, s.fontSize);
}

LogoFile LogoFileOf(Logo logo) {
    return logo == Logo::Receipt ? LogoFile{"receipt.bmp", "Logo picture"}
                                 : LogoFile{"letter.bmp", "Invoice logo picture"};
}

bool IsPlausibleBitmap(std::span<const std::uint8_t> file) {
    constexpr std::size_t kFileHeader = 14;
    constexpr std::size_t kCoreHeader = 12;
    if (file.size() < kFileHeader + kCoreHeader || file.size() > kLargestLogo) return false;
    if (file[0] != 'B' || file[1] != 'M') return false;
    const std::uint32_t pixels = U32(file, 10);
    const std::uint32_t header = U32(file, kFileHeader);
    static constexpr std::uint32_t kHeaderSizes[] = {12, 40, 52, 56, 64, 108, 124};
    if (std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), header) == std::end(kHeaderSizes)) return false;
    if (kFileHeader + header > file.size() || pixels < kFileHeader + header || pixels >= file.size()) return false;

    std::int64_t width, height;
    std::uint16_t planes, bits;
    std::uint32_t compression = 0;
    if (header == kCoreHeader) {
        width = U16(file, 18);
        height = U16(file, 20);
        planes = U16(file, 22);
        bits = U16(file, 24);
    } else {
        width = static_cast<std::int32_t>(U32(file, 18));
        height = static_cast<std::int32_t>(U32(file, 22));
        planes = U16(file, 26);
        bits = U16(file, 28);
        compression = U32(file, 30);
    }
    if (height < 0) height = -height;  // a top-down bitmap
    if (width <= 0 || height == 0 || width > 65535 || height > 65535 || planes != 1) return false;
    static constexpr std::uint16_t kBitCounts[] = {1, 4, 8, 16, 24, 32};
    if (std::find(std::begin(kBitCounts), std::end(kBitCounts), bits) == std::end(kBitCounts)) return false;
    switch (compression) {
    case 0:  // plain rows
    case 3: {  // rows with bit-field masks
        const std::int64_t row = (width * bits + 31) / 32 * 4;
        return static_cast<std::int64_t>(pixels) + row * height <= static_cast<std::int64_t>(file.size());
    }
    case 1:  // run-length encoded, 8 or 4 bits
    case 2: return bits == (compression == 1 ? 8 : 4);
    default: return false;  // JPEG and PNG inside a bitmap: the printing does not load them
    }
}
