// Control sequences and the texts, port names, line settings and byte buffers
// of the device outputs. Portable: the Win32 side only opens, writes and closes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/terminal_config.h"

// Where the device settings live in the configuration record.
namespace devcfg {
// Pole display.
inline constexpr int kSwitchPoleFitted = 100;     // non-zero: a pole display is in use
inline constexpr int kSwitchPolePort = 102;       // 0-7 = COM1-COM8
inline constexpr int kSwitchPoleColumns1 = 104;   // dialog only
inline constexpr int kSwitchPoleColumns2 = 108;   // dialog only
inline constexpr int kSwitchPoleStopBits = 176;   // index into kStopBits
inline constexpr int kSwitchPoleBaud = 177;       // index into kBaudRates
inline constexpr int kSwitchPoleByteSize = 178;   // index into kByteSizes
inline constexpr int kSwitchPoleParity = 179;     // index into kParities: 0 none, 1 even, 2 odd

// The line setting tables by switch value; a value outside a table takes entry 0.
inline constexpr std::uint32_t kBaudRates[] = {9600,  300,   600,   1200,   2400,   4800,  14400,
                                               19200, 38400, 57600, 115200, 128000, 256000};
inline constexpr std::uint8_t kByteSizes[] = {8, 4, 5, 6, 7};
inline constexpr std::uint8_t kParities[] = {0, 2, 1};  // DCB parity: 0 none, 1 odd, 2 even
inline constexpr std::uint8_t kStopBits[] = {0, 1, 2};  // DCB: one, one and a half, two

// The six pole texts at cfg::kPoleTexts, cfg::kPoleTextWidth bytes each.
enum PoleSlot : int {
    kPolePassive = 0,      // idle text, plain
    kPolePrinterOn = 1,    // the rest are control sequences
    kPolePrinterOff = 2,
    kPoleClear = 3,
    kPoleCursorLine1 = 4,
    kPoleCursorLine2 = 5,
};

// Till drawer.
inline constexpr int kSwitchDrawerThroughPrinter = 109;  // 0 direct on its port
inline constexpr int kOptionDrawerRepeat = 4;            // copies of the open character, 1-10
inline constexpr int kOptionDrawerCharacter = 6;         // 0-255
inline constexpr int kOptionDrawerPort = 8;              // 0-7 COM1-COM8, 8 LPT1, 9 LPT2
inline constexpr int kOptionDrawerAutoOpen = 17;         // 1: open after each sale
inline constexpr std::size_t kDrawerSequence = cfg::kDrawerSequence;
inline constexpr std::size_t kDrawerSequenceWidth = 32;  // of the 200-byte field
inline constexpr std::size_t kReceiptPrinterName = cfg::kReceiptPrinter;
inline constexpr std::size_t kReceiptPrinterNameWidth = 200;

// The custom receipt's closing sequence, server-supplied, inside the printer port block.
inline constexpr int kSwitchClosingPort = 184;           // 0-7 COM1-COM8, 8 LPT1, 9 LPT2
using cfg::kClosingSequence;
using cfg::kClosingSequenceWidth;

// The parser looks at no more than this many characters of a sequence text.
inline constexpr std::size_t kSequenceReadLimit = 32;
// Every output is collected in a buffer of this size; longer output is cut.
inline constexpr std::size_t kOutputLimit = 200;
// Item messages: a description up to this long is shown whole.
inline constexpr std::size_t kPoleItemWidth = 12;
inline constexpr std::size_t kPolePriceWidth = 10;
inline constexpr std::size_t kItemDescriptionWidth = 40;
}  // namespace devcfg

// The device outputs' messages and captions.
namespace devmsg {
inline constexpr const char* kUnableToOpenPort = "Unable to open port";
inline constexpr const char* kUnableToWrite = "Unable write to port";
inline constexpr const char* kUnableToOpenDrawerPrinter = "Unable to open till drawer printer";
inline constexpr const char* kProblem = "Problem";
inline constexpr const char* kPoleDisplay = "Pole display";
inline constexpr const char* kTillDrawer = "Till drawer";
// The spooler document of the drawer through the receipt printer.
inline constexpr const char* kDocumentName = "Varenko";
inline constexpr const char* kRawDataType = "RAW";
}  // namespace devmsg

using DeviceBytes = std::vector<std::uint8_t>;

// "27,112,0,50,250" -> 1B 70 00 32 FA. Reads at most 32 characters (a NUL ends the
// text); each comma or the end closes a token, converted like atoi and cut to its
// low 8 bits. An empty text gives one 0 byte; a token still open after 32 characters
// is dropped.
DeviceBytes ParseControlSequence(std::string_view text);

// Switch [102]: "COM1".."COM8"; anything else "COM1".
const char* PolePortName(std::int64_t index);
// Option [8] and switch [184]: "COM1".."COM8", "LPT1", "LPT2"; anything else "COM1".
const char* DevicePortName(std::int64_t index);

// The pole display's serial line settings, with the values a DCB takes.
struct LineSettings {
    std::uint32_t baudRate = 9600;
    std::uint8_t byteSize = 8;
    std::uint8_t parity = 0;    // 0 none, 1 odd, 2 even
    std::uint8_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
    bool operator==(const LineSettings&) const = default;
};
LineSettings PoleLineSettings(const TerminalConfig& config);

// The display messages. Money goes through FormatMoney.
std::string PoleItemText(std::string_view description, double lineTotal);
std::string PoleTotalText(double total);
std::string PoleTenderText(double tendered);
std::string PoleChangeText(double change);

// Pole text [slot] as stored (up to 32 characters).
std::string PoleText(const TerminalConfig& config, devcfg::PoleSlot slot);

// One display write: the clear-display bytes (one 0 byte when that text is empty),
// the cursor-to-line-1 bytes when that text is set, then the message.
DeviceBytes PoleFrame(const TerminalConfig& config, std::string_view message);
// The second write of tender and change: the cursor-to-line-2 bytes (one 0 byte when
// empty), then the message.
DeviceBytes PoleSecondLine(const TerminalConfig& config, std::string_view message);
// Switch printer on/off: the parsed sequence, or nothing when the text is empty.
DeviceBytes PolePrinterSwitch(const TerminalConfig& config, devcfg::PoleSlot slot);

// The direct drawer's write: option [4] copies of the byte option [6].
DeviceBytes DrawerBytes(const TerminalConfig& config);
// The drawer control sequence text (first 32 bytes of its field).
std::string DrawerSequenceText(const TerminalConfig& config);
// The receipt printer's name (first 200 bytes of its field).
std::string ReceiptPrinterName(const TerminalConfig& config);
// The custom receipt's closing sequence text (50 bytes).
std::string ClosingSequenceText(const TerminalConfig& config);
