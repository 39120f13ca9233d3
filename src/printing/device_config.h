// The device configuration dialogs: "ppr2" (the till drawer), "ppr4" (the pole
// display) and "pprs" (the receipt printers, receipt options, footer and logos).
// What each shows, taken from the configuration, and what its OK stores back: only
// values the outputs can use. Portable: the dialog procedures are in
// device_config_window.cpp.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "printing/control_sequence.h"
#include "shell/terminal_config.h"

// The receipt printer fields of the record (the drawer and pole ones are in devcfg).
namespace receiptcfg {
inline constexpr std::size_t kPrinterPosition = cfg::kTermCodes;  // long: 0 "Default", n the n-th printer
inline constexpr std::size_t kPrinterDriver = cfg::kReceiptPrinterDriver;
inline constexpr std::size_t kPrinterPort = cfg::kPrinterPortBlock;
inline constexpr std::size_t kPrinterTextWidth = devcfg::kReceiptPrinterNameWidth;  // name, driver and port
inline constexpr int kOptionKitchenPosition = 1;  // 0 "Default"
inline constexpr int kOptionPrintConfirm = 9;     // 1: the print dialog before printing
inline constexpr int kSwitchAutoReceipt = 0;      // 0 none .. 4 custom receipt
inline constexpr int kSwitchFontSize = 34;        // 0 printer default, 1-4 = 9-12 point
inline constexpr std::size_t kFooterTyped = 254;  // the footer box takes this many characters
inline constexpr std::size_t kFooterStored = 251;
}  // namespace receiptcfg

namespace configmsg {
inline constexpr const char* kUnableToGetPrinters = "Unable to get printers";
inline constexpr const char* kUnableToLocateDirectory = "Unable to locate directory.";
inline constexpr const char* kUpdated = "Updated.";
inline constexpr const char* kNotABitmap = "Not a bitmap file.";
inline constexpr const char* kUnreadableLogo = "Unable to read the picture file.";
}  // namespace configmsg

// Typed lengths: the number boxes, and the control sequences and pole texts.
inline constexpr std::size_t kNumberTyped = 9;
inline constexpr std::size_t kSequenceTyped = 31;

// A number box's text as a decimal integer: blanks, an optional sign and at least one
// digit, nothing after; none otherwise.
std::optional<std::int64_t> ReadDecimal(std::string_view text);

// "ppr2", the till drawer.
inline constexpr const char* kDrawerPorts[] = {"COM1:", "COM2:", "COM3:", "COM4:", "COM5:",
                                               "COM6:", "COM7:", "COM8:", "LPT1:", "LPT2:"};
// Shown for reference: receipt printer models and their drawer control sequences.
inline constexpr const char* kPrinterModelCodes[] = {
    "Citizen 27,112,0,50,250", "Epson 27,112,0,50,250", "Epson 27,112,0,48,251",  "Epson 27,112,0,64,240",
    "Epson 27,112,48,55,121",  "Epson 27,112,0,5,250",  "Ithaca 27,112,0,25,250", "Samsung 27,112,0,60,240"};

struct TillSettings {
    int port = 0;                    // 4200: position in kDrawerPorts, -1 when none is selected
    std::string openCharacter;       // 1101: stored only when 0 to 255
    std::string repeat;              // 1102: stored only when 1 to 10
    std::string sequence;            // 1103: the drawer control sequence
    bool openAutomatically = false;  // 2800
    bool throughPrinter = false;     // 2601 "Receipt printer connect", else 2600 "Direct connect"
};
TillSettings TillSettingsOf(const TerminalConfig& config);
void StoreTillSettings(TerminalConfig& config, const TillSettings& settings);

// "ppr4", the pole display: five lists, each editing one switch.
enum PoleList : int { kPolePortList, kBaudRateList, kParityList, kDataBitsList, kStopBitsList, kPoleListCount };
inline constexpr int kPoleListSwitches[kPoleListCount] = {devcfg::kSwitchPolePort, devcfg::kSwitchPoleBaud,
                                                          devcfg::kSwitchPoleParity, devcfg::kSwitchPoleByteSize,
                                                          devcfg::kSwitchPoleStopBits};
// A list's entries in switch order ("9600", "300", ... for the baud rates).
std::vector<std::string> PoleListEntries(PoleList list);

struct PoleSettings {
    bool use = false;                        // 2800
    std::array<int, kPoleListCount> lists{};  // 4200-4204: positions, -1 when none is selected
    std::string columns1, columns2;          // 1101, 1102
    std::array<std::string, 6> texts;        // 1103-1108: pole texts [0] passive .. [5] cursor to line 2
};
// A stored value outside a list selects its first entry, the one the outputs use then.
PoleSettings PoleSettingsOf(const TerminalConfig& config);
// "Preview" stores the texts and the selected list positions (and keeps them even when
// the dialog is then cancelled); OK stores these and the rest.
void StorePreviewedPoleSettings(TerminalConfig& config, const PoleSettings& settings);
void StorePoleSettings(TerminalConfig& config, const PoleSettings& settings);

// "pprs", the receipt printers and options.
struct PrinterInfo {
    std::string name, driver, port;
};
// The printers of this computer in the spooler's order; none when the listing failed.
using PrinterListing = std::optional<std::vector<PrinterInfo>>;

inline constexpr const char* kDefaultPrinter = "Default";
inline constexpr const char* kAutoReceiptNames[] = {"None", "Till receipt", "Invoice 1", "Custom invoice",
                                                    "Custom receipt"};
inline constexpr const char* kFontSizeNames[] = {"Printer default", "9 point", "10 point", "11 point", "12 point"};

// The check boxes 2801-2807: ticked stores 2 and clear 0, or the other way round.
struct ReceiptSwitchBox {
    int switchIndex;
    bool tickedWhenZero;
};
inline constexpr ReceiptSwitchBox kReceiptSwitchBoxes[] = {
    {20, false},   // two copies
    {122, false},  // kitchen copy
    {124, false},  // items centred
    {125, false},  // barcode
    {123, false},  // logo
    {190, false},  // items exclusive of tax
    {165, true},   // items on a single line with a heading
};
inline constexpr std::size_t kReceiptSwitchBoxCount = std::size(kReceiptSwitchBoxes);

struct ReceiptSettings {
    std::vector<std::string> printers;  // both printer lists: "Default", then every printer
    int receiptPrinter = 0;             // 4200: list position, -1 when none is selected
    int kitchenPrinter = 0;             // 4203
    bool omitConfirm = false;           // 2800
    int autoReceipt = 0;                // 4201, -1 when none is selected
    int fontSize = 0;                   // 4202
    std::array<bool, kReceiptSwitchBoxCount> switchBoxes{};  // 2801-2807
    std::string footer;                 // 1101
};

// The 1-based position of the printer called `name`, 0 when none is.
int PrinterPosition(std::span<const PrinterInfo> printers, std::string_view name);
// The printer at list position `position`: the one printer when there is only one,
// else the position-th; none for "Default" or a position past the listing.
const PrinterInfo* PrinterAtPosition(std::span<const PrinterInfo> printers, int position);

// The dialog as it opens. Both printer positions are stored at once, so that a
// printer that has gone falls back to "Default" even when the dialog is cancelled;
// a failed listing leaves them alone and the lists empty.
ReceiptSettings OpenReceiptSettings(TerminalConfig& config, const PrinterListing& printers);
// OK, with the listing taken for each printer. A chosen printer that is not in its
// listing (or a failed listing) stores "Default": position 0 and empty names.
void StoreReceiptSettings(TerminalConfig& config, const ReceiptSettings& settings, const PrinterListing& forReceipt,
                          const PrinterListing& forKitchen);

// The two logo files, replaced by buttons 2400 and 2401.
enum class Logo { Receipt, Invoice };
struct LogoFile {
    const char* name;     // in the data directory
    const char* caption;  // of the "Updated." message
};
LogoFile LogoFileOf(Logo logo);
// A logo is copied only when the file holds a whole bitmap that the printing can load.
inline constexpr std::size_t kLargestLogo = 64u << 20;
bool IsPlausibleBitmap(std::span<const std::uint8_t> file);
