#include "printing/control_sequence.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

DeviceBytes B(std::initializer_list<int> values) {
    DeviceBytes out;
    for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

DeviceBytes B(std::string_view text) { return DeviceBytes(text.begin(), text.end()); }

DeviceBytes Cat(DeviceBytes a, const DeviceBytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void SetPoleText(TerminalConfig& c, int slot, std::string_view text) {
    c.SetText(cfg::kPoleTexts + cfg::kPoleTextWidth * static_cast<std::size_t>(slot), cfg::kPoleTextWidth, text);
}

TEST(ControlSequence, ParsesCommaSeparatedDecimalBytes) {
    EXPECT_EQ(ParseControlSequence("27,112,0,25,250"), B({0x1B, 0x70, 0x00, 0x19, 0xFA}));
    EXPECT_EQ(ParseControlSequence("27,112,0,50,250"), B({27, 112, 0, 50, 250}));
    EXPECT_EQ(ParseControlSequence("11"), B({11}));
    // atoi's reading: leading blanks, a sign, digits up to the first other character.
    EXPECT_EQ(ParseControlSequence("27,112,0,25, 250"), B({27, 112, 0, 25, 250}));
    EXPECT_EQ(ParseControlSequence("+7,12x9,x"), B({7, 12, 0}));
}

TEST(ControlSequence, EmptyTokensAndTextsGiveZeroBytes) {
    EXPECT_EQ(ParseControlSequence(""), B({0}));
    EXPECT_EQ(ParseControlSequence("27,,64"), B({27, 0, 64}));
    EXPECT_EQ(ParseControlSequence("27,64,"), B({27, 64, 0}));
    EXPECT_EQ(ParseControlSequence(","), B({0, 0}));
}

TEST(ControlSequence, KeepsTheLowEightBits) {
    EXPECT_EQ(ParseControlSequence("300"), B({44}));
    EXPECT_EQ(ParseControlSequence("-1"), B({255}));
    EXPECT_EQ(ParseControlSequence("256,511,-256"), B({0, 255, 0}));
}

TEST(ControlSequence, ReadsNoMoreThan32Characters) {
    // 31 characters and the terminator: every token is read.
    std::string text31 = "1,2,3,4,5,6,7,8,9,10,11,12,13,1";
    ASSERT_EQ(text31.size(), 31u);
    EXPECT_EQ(ParseControlSequence(text31), B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1}));
    // 32 characters without a terminator: the token still open is dropped.
    std::string text32 = "1,2,3,4,5,6,7,8,9,10,11,12,13,14";
    ASSERT_EQ(text32.size(), 32u);
    EXPECT_EQ(ParseControlSequence(text32), B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    // A comma at position 31 closes its token; what follows is never read.
    std::string text40 = "1,2,3,4,5,6,7,8,9,10,11,12,13,4,99,98";
    EXPECT_EQ(ParseControlSequence(text40), B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 4}));
    // A NUL ends the text like the terminator.
    EXPECT_EQ(ParseControlSequence(std::string_view("27\0" "64", 5)), B({27}));
}

TEST(ControlSequence, PortNames) {
    EXPECT_STREQ(PolePortName(0), "COM1");
    EXPECT_STREQ(PolePortName(7), "COM8");
    EXPECT_STREQ(PolePortName(8), "COM1");
    EXPECT_STREQ(PolePortName(9), "COM1");
    EXPECT_STREQ(PolePortName(-1), "COM1");
    EXPECT_STREQ(DevicePortName(0), "COM1");
    EXPECT_STREQ(DevicePortName(6), "COM7");
    EXPECT_STREQ(DevicePortName(8), "LPT1");
    EXPECT_STREQ(DevicePortName(9), "LPT2");
    EXPECT_STREQ(DevicePortName(10), "COM1");
    EXPECT_STREQ(DevicePortName(std::int64_t{1} << 32), "COM1");
}

class DeviceConfig : public testing::Test {
protected:
    std::unique_ptr<TerminalConfig> owned_ = std::make_unique<TerminalConfig>();
    TerminalConfig& c = *owned_;
};

TEST_F(DeviceConfig, LineSettingsFollowTheFourSwitches) {
    EXPECT_EQ(PoleLineSettings(c), (LineSettings{9600, 8, 0, 0}));

    c.SetSwitch(177, 10);  // 115200
    c.SetSwitch(178, 4);   // 7 bits
    c.SetSwitch(179, 1);   // even: DCB 2
    c.SetSwitch(176, 2);   // two stop bits: DCB 2
    EXPECT_EQ(PoleLineSettings(c), (LineSettings{115200, 7, 2, 2}));

    c.SetSwitch(177, 1);
    c.SetSwitch(178, 1);   // 4 bits
    c.SetSwitch(179, 2);   // odd: DCB 1
    c.SetSwitch(176, 1);   // one and a half: DCB 1
    EXPECT_EQ(PoleLineSettings(c), (LineSettings{300, 4, 1, 1}));

    c.SetSwitch(177, 12);
    EXPECT_EQ(PoleLineSettings(c).baudRate, 256000u);
    c.SetSwitch(177, 13);
    c.SetSwitch(178, 5);
    c.SetSwitch(179, -1);
    c.SetSwitch(176, 3);
    EXPECT_EQ(PoleLineSettings(c), (LineSettings{9600, 8, 0, 0}));
}

TEST(PoleMessages, ItemTextCutsLongDescriptions) {
    EXPECT_EQ(PoleItemText("Twelve chars", 3.5), "Twelve chars 3.50");
    EXPECT_EQ(PoleItemText("Thirteen char", 3.5), "Thirteen cha  3.50");
    EXPECT_EQ(PoleItemText("Milk", 0.125), "Milk 0.13");
    // The price part is cut to 10 characters: two spaces and eight of the amount.
    EXPECT_EQ(PoleItemText("A long description of forty characters..", 1234567.891), "A long descr  1234567.");
    EXPECT_EQ(PoleItemText("", -2), " -2.00");
}

TEST(PoleMessages, TotalTenderAndChange) {
    EXPECT_EQ(PoleTotalText(12.345), "Total: 12.35");
    EXPECT_EQ(PoleTenderText(20), "Tender: 20.00");
    EXPECT_EQ(PoleChangeText(2.675), "Change: 2.67");
}

TEST_F(DeviceConfig, DisplayFrameClearsThenMovesTheCursorThenTheMessage) {
    // Nothing set: one 0 byte for the empty clear text, no cursor bytes.
    EXPECT_EQ(PoleFrame(c, "Hi"), B({0, 'H', 'i'}));
    SetPoleText(c, devcfg::kPoleClear, "27,64");
    SetPoleText(c, devcfg::kPoleCursorLine1, "11");
    EXPECT_EQ(PoleFrame(c, "Next customer"), Cat(B({0x1B, 0x40, 0x0B}), B("Next customer")));
    SetPoleText(c, devcfg::kPoleCursorLine1, "");
    EXPECT_EQ(PoleFrame(c, ""), B({0x1B, 0x40}));
}

TEST_F(DeviceConfig, SecondLineAlwaysSendsItsSequence) {
    EXPECT_EQ(PoleSecondLine(c, "Change: 1.00"), Cat(B({0}), B("Change: 1.00")));
    SetPoleText(c, devcfg::kPoleCursorLine2, "11,10");
    EXPECT_EQ(PoleSecondLine(c, "Change: 1.00"), Cat(B({11, 10}), B("Change: 1.00")));
}

TEST_F(DeviceConfig, PrinterSwitchSequencesOnlyWhenSet) {
    EXPECT_TRUE(PolePrinterSwitch(c, devcfg::kPolePrinterOn).empty());
    EXPECT_TRUE(PolePrinterSwitch(c, devcfg::kPolePrinterOff).empty());
    SetPoleText(c, devcfg::kPolePrinterOn, "27,61,1");
    SetPoleText(c, devcfg::kPolePrinterOff, "27,61,2");
    EXPECT_EQ(PolePrinterSwitch(c, devcfg::kPolePrinterOn), B({27, 61, 1}));
    EXPECT_EQ(PolePrinterSwitch(c, devcfg::kPolePrinterOff), B({27, 61, 2}));
}

TEST_F(DeviceConfig, SequencesReadWhenTheFieldsLackTerminators) {
    // Full 32-byte pole texts run into the next slot: each is read to its own width.
    std::memset(c.data() + cfg::kPoleTexts + 3 * cfg::kPoleTextWidth, '1', cfg::kPoleTextWidth);
    SetPoleText(c, devcfg::kPoleCursorLine1, "7");
    // 32 digits, no terminator: the open token is dropped, so no clear bytes at all.
    EXPECT_EQ(PoleFrame(c, "x"), B({7, 'x'}));

    std::memset(c.data() + cfg::kDrawerSequence, '5', 200);
    EXPECT_EQ(DrawerSequenceText(c), std::string(32, '5'));
    std::memset(c.data() + devcfg::kClosingSequence, '5', 50);
    c.data()[devcfg::kClosingSequence + 2] = ',';
    EXPECT_EQ(ClosingSequenceText(c).size(), 50u);
    EXPECT_EQ(ParseControlSequence(ClosingSequenceText(c)), B({55}));  // "55", then 29 dropped digits

    std::memset(c.data() + cfg::kReceiptPrinter, 'P', 400);
    EXPECT_EQ(ReceiptPrinterName(c), std::string(200, 'P'));
}

TEST_F(DeviceConfig, DrawerRepeatsTheOpenCharacter) {
    c.SetOption(4, 3);
    c.SetOption(6, 7);
    EXPECT_EQ(DrawerBytes(c), B({7, 7, 7}));
    c.SetOption(4, 1);
    c.SetOption(6, 255);
    EXPECT_EQ(DrawerBytes(c), B({255}));
    c.SetOption(4, 10);
    c.SetOption(6, 0);
    EXPECT_EQ(DrawerBytes(c), DeviceBytes(10, 0));
    // Values no dialog stores: bounded, never negative or past the output buffer.
    c.SetOption(4, 0);
    EXPECT_TRUE(DrawerBytes(c).empty());
    c.SetOption(4, -5);
    EXPECT_TRUE(DrawerBytes(c).empty());
    c.SetOption(4, std::int64_t{1} << 40);
    c.SetOption(6, 300);
    EXPECT_EQ(DrawerBytes(c), DeviceBytes(200, 44));
}

TEST_F(DeviceConfig, OutputIsCutAtTheBufferSize) {
    SetPoleText(c, devcfg::kPoleClear, "27,64");
    std::string huge = PoleTenderText(1e250);
    ASSERT_GT(huge.size(), 200u);
    DeviceBytes frame = PoleFrame(c, huge);
    ASSERT_EQ(frame.size(), 200u);
    EXPECT_EQ(DeviceBytes(frame.begin(), frame.begin() + 10), Cat(B({27, 64}), B("Tender: ")));
}

}  // namespace
