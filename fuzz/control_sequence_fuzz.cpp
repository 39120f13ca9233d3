// Control sequence texts ("27,112,0,50,250") and the device outputs built from the
// configuration: pole display frames, the drawer's bytes, the line settings, and the
// till and pole dialogs reading the record and storing what is typed back.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "printing/control_sequence.h"
#include "printing/device_config.h"

namespace {

// The bytes a sequence text stands for, worked out from the documented rule with the
// C library's strtol for each token of up to nine digits (longer ones are not compared).
void CheckAgainstStrtol(std::string_view text, const DeviceBytes& out) {
    const std::string_view read = text.substr(0, devcfg::kSequenceReadLimit);
    const std::size_t nul = read.find('\0');
    const std::string_view seen = read.substr(0, nul);
    const bool ended = nul != std::string_view::npos || text.size() < devcfg::kSequenceReadLimit;
    std::size_t tokens = static_cast<std::size_t>(std::count(seen.begin(), seen.end(), ',')) + (ended ? 1 : 0);
    FUZZ_CHECK(out.size() == tokens, "one byte per closed token");
    std::size_t start = 0;
    for (std::size_t k = 0; k < out.size(); ++k) {
        const std::size_t comma = seen.find(',', start);
        const std::size_t length = comma == std::string_view::npos ? std::string_view::npos : comma - start;
        const std::string token(seen.substr(start, length));
        start = comma + 1;
        const std::size_t digitsFrom = token.find_first_of("0123456789");
        const std::size_t digitsTo = token.find_first_not_of("0123456789", digitsFrom);
        const std::size_t digits = digitsFrom == std::string::npos ? 0 : std::min(digitsTo, token.size()) - digitsFrom;
        if (digits > 9) continue;
        const auto expected = static_cast<std::uint8_t>(std::strtol(token.c_str(), nullptr, 10) & 0xFF);
        FUZZ_CHECK(out[k] == expected, "a token is read as atoi reads it, cut to 8 bits");
    }
}

void FillRaw(TerminalConfig& c, FuzzedDataProvider& in, std::size_t offset, std::size_t width) {
    const std::string bytes = in.ConsumeBytesAsString(width);
    std::memcpy(c.data() + offset, bytes.data(), bytes.size());
}

// Storing what a dialog shows changes nothing the second time.
template <typename Settings>
void CheckStoreIsStable(const TerminalConfig& start, Settings (*read)(const TerminalConfig&),
                        void (*store)(TerminalConfig&, const Settings&)) {
    TerminalConfig once = start;
    store(once, read(once));
    TerminalConfig twice = once;
    store(twice, read(twice));
    FUZZ_CHECK(once.bytes == twice.bytes, "OK on an unchanged dialog leaves the record as it is");
}

bool DrawerUsable(const TerminalConfig& c) {
    const auto character = c.Option(devcfg::kOptionDrawerCharacter);
    const auto repeat = c.Option(devcfg::kOptionDrawerRepeat);
    return character >= 0 && character <= 255 && repeat >= 1 && repeat <= 10;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string sequence = in.ConsumeRandomLengthString(64);
    const DeviceBytes parsed = ParseControlSequence(sequence);
    FUZZ_CHECK(parsed.size() <= devcfg::kSequenceReadLimit, "at most one byte per character read");
    CheckAgainstStrtol(sequence, parsed);

    TerminalConfig c;
    FillRaw(c, in, cfg::kPoleTexts, 200);
    FillRaw(c, in, cfg::kDrawerSequence, 200);
    FillRaw(c, in, cfg::kClosingSequence, cfg::kClosingSequenceWidth);
    c.SetOption(devcfg::kOptionDrawerRepeat, in.ConsumeIntegral<std::int64_t>());
    c.SetOption(devcfg::kOptionDrawerCharacter, in.ConsumeIntegral<std::int64_t>());
    c.SetOption(devcfg::kOptionDrawerPort, in.ConsumeIntegral<std::int64_t>());
    for (int s : {devcfg::kSwitchPolePort, devcfg::kSwitchPoleBaud, devcfg::kSwitchPoleByteSize,
                  devcfg::kSwitchPoleParity, devcfg::kSwitchPoleStopBits, devcfg::kSwitchPoleColumns1,
                  devcfg::kSwitchPoleColumns2, devcfg::kSwitchPoleFitted})
        c.SetSwitch(s, in.ConsumeIntegral<std::int32_t>());

    const std::string message = in.ConsumeRandomLengthString(300);
    const DeviceBytes frame = PoleFrame(c, message);
    FUZZ_CHECK(frame.size() <= devcfg::kOutputLimit, "a frame fits the output buffer");
    if (frame.size() < devcfg::kOutputLimit)
        FUZZ_CHECK(std::equal(message.rbegin(), message.rend(), frame.rbegin(),
                              [](char m, std::uint8_t f) { return static_cast<std::uint8_t>(m) == f; }),
                   "a frame ends with its message");
    FUZZ_CHECK(PoleSecondLine(c, message).size() <= devcfg::kOutputLimit, "the second line fits too");
    for (auto slot : {devcfg::kPolePrinterOn, devcfg::kPolePrinterOff}) {
        FUZZ_CHECK(PoleText(c, slot).size() <= cfg::kPoleTextWidth, "a pole text stays in its slot");
        FUZZ_CHECK(PolePrinterSwitch(c, slot).size() <= devcfg::kSequenceReadLimit, "a printer switch is one sequence");
    }
    const std::string description = in.ConsumeRandomLengthString(60);
    const double amount = in.ConsumeFloatingPoint<double>();
    if (description.size() > devcfg::kPoleItemWidth)
        FUZZ_CHECK(PoleItemText(description, amount).size() <= devcfg::kPoleItemWidth + devcfg::kPolePriceWidth,
                   "a long description is cut to leave room for the price");

    const DeviceBytes drawer = DrawerBytes(c);
    const auto repeat = c.Option(devcfg::kOptionDrawerRepeat);
    FUZZ_CHECK(drawer.size() == static_cast<std::size_t>(std::clamp<std::int64_t>(repeat, 0, devcfg::kOutputLimit)),
               "the drawer character as often as asked, within the buffer");
    FUZZ_CHECK(DrawerSequenceText(c).size() <= devcfg::kDrawerSequenceWidth, "the drawer sequence's 32 bytes");
    FUZZ_CHECK(ClosingSequenceText(c).size() <= devcfg::kClosingSequenceWidth, "the closing sequence's 50 bytes");
    FUZZ_CHECK(ParseControlSequence(DrawerSequenceText(c)).size() <= devcfg::kSequenceReadLimit, "one sequence");
    const LineSettings line = PoleLineSettings(c);
    FUZZ_CHECK(std::count(std::begin(devcfg::kBaudRates), std::end(devcfg::kBaudRates), line.baudRate) == 1,
               "a baud rate of the table");
    FUZZ_CHECK(std::string_view(PolePortName(c.Switch(devcfg::kSwitchPolePort))).starts_with("COM"), "a COM port");

    CheckStoreIsStable(c, &TillSettingsOf, &StoreTillSettings);
    CheckStoreIsStable(c, &PoleSettingsOf, &StorePoleSettings);

    // What an associate types into the drawer dialog never makes a drawer unusable.
    TerminalConfig typed = c;
    if (!DrawerUsable(typed)) {
        typed.SetOption(devcfg::kOptionDrawerCharacter, 7);
        typed.SetOption(devcfg::kOptionDrawerRepeat, 1);
    }
    TillSettings till = TillSettingsOf(typed);
    till.port = in.ConsumeIntegralInRange<int>(-2, 12);
    till.openCharacter = in.ConsumeRandomLengthString(12);
    till.repeat = in.ConsumeRandomLengthString(12);
    till.sequence = in.ConsumeRandomLengthString(40);
    StoreTillSettings(typed, till);
    FUZZ_CHECK(DrawerUsable(typed), "the drawer keeps a usable character and repeat count");
    FUZZ_CHECK(typed.Option(devcfg::kOptionDrawerPort) == c.Option(devcfg::kOptionDrawerPort) ||
                   (typed.Option(devcfg::kOptionDrawerPort) >= 0 && typed.Option(devcfg::kOptionDrawerPort) <= 9),
               "a port of the list");
    return 0;
}
