#include "printing/control_sequence.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

DeviceBytes B(std::initializer_list<int> values, std::string_view text = "") {
    DeviceBytes out(values.begin(), values.end());
    return out.insert(out.end(), text.begin(), text.end()), out;
}

TEST(ControlSequence, ParsesCommaSeparatedDecimalsLikeAtoiToTheLowEightBits) {
    const struct { std::string text; DeviceBytes bytes; const char* why; } rows[] = {
        {"27,112,0,50,250", B({0x1B, 0x70, 0x00, 0x32, 0xFA}), "the drawer kick"},
        {" 250,+7,12x9,x", B({250, 7, 12, 0}), "blanks, a sign, digits up to the first other character"},
        {"", B({0}), "an empty text is one 0 byte"}, {"27,,64,", B({27, 0, 64, 0}), "so is an empty token"},
        {"300,-1,256,511,-256", B({44, 255, 0, 255, 0}), "the low 8 bits"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,1", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1}), "31 characters"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}), "32: the last dropped"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,4,99", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 4}), "a comma at 31"},
        {std::string("27\0" "64", 5), B({27}), "a NUL ends the text"},
    };
    for (const auto& r : rows) EXPECT_EQ(ParseControlSequence(r.text), r.bytes) << r.why;
}

TEST(DeviceOutputs, PoleFramesClearMoveTheCursorThenWriteTheMessageDrawersRepeatACharacter) {
    auto c = std::make_unique<TerminalConfig>();
    auto pole = [&](int slot, std::string_view text) { c->SetText(cfg::kPoleTexts + 32 * slot, 32, text); };
    EXPECT_EQ(PoleFrame(*c, "Hi"), B({0}, "Hi")) << "an empty clear text still sends a 0 byte, no cursor bytes";
    EXPECT_EQ(PoleSecondLine(*c, "Change"), B({0}, "Change")) << "nor does the second line's";
    EXPECT_TRUE(PolePrinterSwitch(*c, devcfg::kPolePrinterOff).empty()) << "no printer switch sequence: nothing";
    pole(devcfg::kPoleClear, "27,64"), pole(devcfg::kPoleCursorLine1, "11"), pole(devcfg::kPoleCursorLine2, "11,10");
    pole(devcfg::kPolePrinterOff, "27,61,2");
    EXPECT_EQ(PoleFrame(*c, "Next customer"), B({0x1B, 0x40, 0x0B}, "Next customer"));
    EXPECT_EQ(PoleSecondLine(*c, "Change"), B({11, 10}, "Change"));
    EXPECT_EQ(PolePrinterSwitch(*c, devcfg::kPolePrinterOff), B({27, 61, 2}));
    const DeviceBytes frame = PoleFrame(*c, PoleTenderText(1e250));
    EXPECT_EQ(frame.size(), devcfg::kOutputLimit) << "longer output is cut";
    EXPECT_EQ(DeviceBytes(frame.begin(), frame.begin() + 11), B({27, 64, 11}, "Tender: "));
    std::memset(c->data() + cfg::kPoleTexts + 32 * devcfg::kPoleClear, '1', 32);  // 32 digits without terminator
    EXPECT_EQ(PoleFrame(*c, "x"), B({11}, "x")) << "the token still open after 32 characters is dropped";
    for (auto [repeat, character, count, byte] : {std::tuple{std::int64_t{3}, 7, 3, 7}, {1, 255, 1, 255}, {0, 7, 0, 7},
                                                  {-5, 7, 0, 7}, {std::int64_t{1} << 40, 300, 200, 44}}) {
        c->SetOption(4, repeat), c->SetOption(6, character);
        EXPECT_EQ(DrawerBytes(*c), DeviceBytes(count, byte)) << repeat << " x " << character;
    }
    std::memset(c->data() + cfg::kDrawerSequence, '5', 200);
    EXPECT_EQ(DrawerSequenceText(*c), std::string(32, '5'));
}

TEST(DeviceOutputs, PortNamesLineSettingsAndDisplayTexts) {
    for (auto [index, names] : {std::pair{0, "COM1 COM1"}, {7, "COM8 COM8"}, {8, "COM1 LPT1"}, {9, "COM1 LPT2"},
                                {10, "COM1 COM1"}, {-1, "COM1 COM1"}})  // the pole's port, the drawer's
        EXPECT_EQ(std::string(PolePortName(index)) + " " + DevicePortName(index), names) << index;
    const struct { int baud, bits, parity, stop; LineSettings want; const char* why; } rows[] = {
        {0, 0, 0, 0, {9600, 8, 0, 0}, "the first entries"}, {10, 1, 2, 2, {115200, 4, 1, 2}, "odd parity; 2 stop bits"},
        {12, 4, 1, 1, {256000, 7, 2, 1}, "the last rate and size; even parity; 1.5 stop bits"},
        {13, 5, 3, -1, {9600, 8, 0, 0}, "past every table: the first entries"}};
    auto c = std::make_unique<TerminalConfig>();
    for (const auto& r : rows) {
        c->SetSwitch(177, r.baud), c->SetSwitch(178, r.bits), c->SetSwitch(179, r.parity), c->SetSwitch(176, r.stop);
        EXPECT_TRUE(PoleLineSettings(*c) == r.want) << r.why;
    }
    for (auto [description, price, text] : {std::tuple{"Twelve chars", 2.5, "Twelve chars 2.50"},
                                            {"Thirteen char", 2.5, "Thirteen cha  2.50"},
                                            {"Thirteen char", 1234567.89, "Thirteen cha  1234567."}})
        EXPECT_EQ(PoleItemText(description, price), text) << "12 characters and the first 10 of the price";
    EXPECT_EQ(PoleTotalText(19) + "|" + PoleChangeText(0.5), "Total: 19.00|Change: 0.50");
}

}  // namespace
