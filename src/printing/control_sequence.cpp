#include "printing/control_sequence.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "basket/money.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// atoi's reading of one token, kept to its low 8 bits. The value wraps rather than
// overflowing, so a long run of digits still gives the low 8 bits of what was typed.
std::uint8_t TokenByte(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && IsBlank(token[i])) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    std::uint32_t value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(token[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::uint8_t>(value & 0xFFu);
}

template <typename T, std::size_t N>
T FromTable(const T (&table)[N], std::int64_t index) {
    return index >= 0 && index < static_cast<std::int64_t>(N) ? table[index] : table[0];
}

void Append(DeviceBytes& out, const DeviceBytes& bytes) {
    std::size_t room = devcfg::kOutputLimit - std::min(out.size(), devcfg::kOutputLimit);
    out.insert(out.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
}

void Append(DeviceBytes& out, std::string_view text) {
    std::size_t room = devcfg::kOutputLimit - std::min(out.size(), devcfg::kOutputLimit);
    std::size_t n = std::min(room, text.size());
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace

DeviceBytes ParseControlSequence(std::string_view text) {
    DeviceBytes out;
    std::size_t tokenStart = 0;
    for (std::size_t i = 0; i < devcfg::kSequenceReadLimit; ++i) {
        char c = i < text.size() ? text[i] : '\0';
        if (c != ',' && c != '\0') continue;
        out.push_back(TokenByte(text.substr(tokenStart, i - tokenStart)));
        tokenStart = i + 1;
        if (c == '\0') break;
    }
    return out;
}

const char* PolePortName(std::int64_t index) {
    static const char* const kNames[] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};
    return FromTable(kNames, index);
}

const char* DevicePortName(std::int64_t index) {
    static const char* const kNames[] = {"COM1", "COM2", "COM3", "COM4", "COM5",
                                         "COM6", "COM7", "COM8", "LPT1", "LPT2"};
    return FromTable(kNames, index);
}

LineSettings PoleLineSettings(const TerminalConfig& config) {
    LineSettings s;
    s.baudRate = FromTable(devcfg::kBaudRates, config.Switch(devcfg::kSwitchPoleBaud));
    s.byteSize = FromTable(devcfg::kByteSizes, config.Switch(devcfg::kSwitchPoleByteSize));
    s.parity = FromTable(devcfg::kParities, config.Switch(devcfg::kSwitchPoleParity));
    s.stopBits = FromTable(devcfg::kStopBits, config.Switch(devcfg::kSwitchPoleStopBits));
    return s;
}

std::string PoleItemText(std::string_view description, double lineTotal) {
    if (description.size() <= devcfg::kPoleItemWidth) return std::string(description) + " " + FormatMoney(lineTotal);
    std::string price = "  " + FormatMoney(lineTotal);
    return std::string(description.substr(0, devcfg::kPoleItemWidth)) + price.substr(0, devcfg::kPolePriceWidth);
}

std::string PoleTotalText(double total) { return "Total: " + FormatMoney(total); }
std::string PoleTenderText(double tendered) { return "Tender: " + FormatMoney(tendered); }
std::string PoleChangeText(double change) { return "Change: " + FormatMoney(change); }

std::string PoleText(const TerminalConfig& config, devcfg::PoleSlot slot) { return config.PoleText(slot); }

DeviceBytes PoleFrame(const TerminalConfig& config, std::string_view message) {
    DeviceBytes out;
    Append(out, ParseControlSequence(PoleText(config, devcfg::kPoleClear)));
    std::string line1 = PoleText(config, devcfg::kPoleCursorLine1);
    if (!line1.empty()) Append(out, ParseControlSequence(line1));
    Append(out, message);
    return out;
}

DeviceBytes PoleSecondLine(const TerminalConfig& config, std::string_view message) {
    DeviceBytes out;
    Append(out, ParseControlSequence(PoleText(config, devcfg::kPoleCursorLine2)));
    Append(out, message);
    return out;
}

DeviceBytes PolePrinterSwitch(const TerminalConfig& config, devcfg::PoleSlot slot) {
    std::string text = PoleText(config, slot);
    return text.empty() ? DeviceBytes{} : ParseControlSequence(text);
}

DeviceBytes DrawerBytes(const TerminalConfig& config) {
    std::int64_t repeat = config.Option(devcfg::kOptionDrawerRepeat);
    std::size_t count = repeat <= 0 ? 0 : static_cast<std::size_t>(std::min<std::int64_t>(repeat, devcfg::kOutputLimit));
    auto character = static_cast<std::uint8_t>(config.Option(devcfg::kOptionDrawerCharacter) & 0xFF);
    return DeviceBytes(count, character);
}

std::string DrawerSequenceText(const TerminalConfig& config) {
    return config.Text(devcfg::kDrawerSequence, devcfg::kDrawerSequenceWidth);
}

std::string ReceiptPrinterName(const TerminalConfig& config) {
    return config.Text(devcfg::kReceiptPrinterName, devcfg::kReceiptPrinterNameWidth);
}

std::string ClosingSequenceText(const TerminalConfig& config) {
    return config.Text(devcfg::kClosingSequence, devcfg::kClosingSequenceWidth);
}
