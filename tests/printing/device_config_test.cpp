#include "printing/device_config.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "printing/control_sequence.h"

namespace {

TEST(TillSettings, StoresOnlyAnOpenCharacterAndRepeatInRange) {
    struct Row { const char *character, *repeat; std::int64_t wantCharacter, wantRepeat; const char* why; };
    const Row rows[] = {
        {"0", "1", 0, 1, "the lowest are stored"}, {"255", "10", 255, 10, "the highest values are stored"},
        {"256", "11", 7, 3, "one past the highest: both kept"}, {"-1", "2x", 7, 3, "below zero; not a number"},
        {"0000000255", "0", 25, 3, "only the first 9 characters are read; one below the fewest repeats"},
    };
    for (const Row& row : rows) {
        TerminalConfig config;
        config.SetOption(devcfg::kOptionDrawerCharacter, 7), config.SetOption(devcfg::kOptionDrawerRepeat, 3);
        StoreTillSettings(config, {0, row.character, row.repeat, "", false, false});
        EXPECT_EQ(std::pair(config.Option(devcfg::kOptionDrawerCharacter), config.Option(devcfg::kOptionDrawerRepeat)),
                  std::pair(row.wantCharacter, row.wantRepeat)) << row.why;
    }
}

TEST(PoleSettings, PreviewStoresTextsAndListsOkTheRest) {
    TerminalConfig config;
    config.SetSwitch(100, 2), config.SetSwitch(102, 7), config.SetSwitch(177, 13), config.SetSwitch(104, 20);
    config.SetSwitch(176, 2), config.SetText(cfg::kPoleTexts + 3 * cfg::kPoleTextWidth, 32, "27,64");
    PoleSettings s = PoleSettingsOf(config);
    EXPECT_EQ(std::tuple(s.use, s.lists[kPolePortList], s.lists[kBaudRateList], s.columns1, s.texts[3]),
              std::tuple(true, 7, 0, "20", "27,64")) << "a baud rate past the list shows its first entry";
    s.use = false, s.lists = {3, 12, 2, 4, -1}, s.columns1 = "40", s.columns2 = "x", s.texts[0] = std::string(40, 'w');
    const auto switches = [&] {
        std::string all;
        for (int k : {100, 102, 177, 179, 178, 176, 104, 108}) all += std::to_string(config.Switch(k)) + " ";
        return all + config.PoleText(0);
    };
    StorePreviewedPoleSettings(config, s);
    EXPECT_EQ(switches(), "2 3 12 2 4 2 20 0 " + std::string(31, 'w'))
        << "the texts and lists, stop bits not (none selected), neither Use nor the columns";
    StorePoleSettings(config, s);
    EXPECT_EQ(switches(), "0 3 12 2 4 2 40 0 " + std::string(31, 'w'));
}

std::vector<PrinterInfo> Printers(std::initializer_list<std::string> names) {
    std::vector<PrinterInfo> out;
    for (const std::string& n : names) out.push_back({n, n + " driver", n + " port"});
    return out;
}

TEST(ReceiptSettings, OpeningStoresThePrinterPositionsAtOnceOkTheFooterOptionsAndBoxes) {
    TerminalConfig config;
    config.SetInt32(receiptcfg::kPrinterPosition, 3), config.SetText(cfg::kReceiptPrinter, 200, "Removed");
    config.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, "C"), config.SetSwitch(receiptcfg::kSwitchFontSize, 7);
    config.SetSwitch(165, 2);
    EXPECT_EQ(OpenReceiptSettings(config, std::nullopt).receiptPrinter, -1);
    EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), 3) << "a failed listing changes nothing";

    ReceiptSettings s = OpenReceiptSettings(config, Printers({"A", "B", "C"}));
    EXPECT_EQ(s.printers, (std::vector<std::string>{"Default", "A", "B", "C"}));
    EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), 0) << "a removed printer falls back to Default";
    EXPECT_EQ(config.Option(receiptcfg::kOptionKitchenPosition), 3);
    EXPECT_TRUE(s.omitConfirm) << "option [9] is 0";

    s = {{}, -1, -1, false, 4, 3, {}, std::string(254, 'f')};
    s.switchBoxes.fill(true);
    StoreReceiptSettings(config, s, std::nullopt, std::nullopt);
    EXPECT_EQ(config.Text(cfg::kClosingMessage, cfg::kLongTextWidth), std::string(251, 'f'));
    EXPECT_EQ(config.Option(receiptcfg::kOptionPrintConfirm) * 100 +
                  config.Switch(receiptcfg::kSwitchAutoReceipt) * 10 + config.Switch(receiptcfg::kSwitchFontSize), 143);
    EXPECT_EQ(config.Switch(20) * 10 + config.Switch(165), 20) << "a ticked box stores 2; [165]'s is ticked when 0";
}

TEST(ReceiptSettings, OkStoresTheChosenPrintersOrDefault) {
    const PrinterListing listing = Printers({"A", "B"});
    struct Row { int position; PrinterListing atOk; std::int32_t wantPosition; std::string want; const char* why; };
    const Row rows[] = {
        {2, listing, 2, "B/B driver/B port", "the chosen printer's names"},
        {0, listing, 0, "//", "Default empties the names"},
        {3, listing, 0, "//", "a printer gone since opening"},
        {2, std::nullopt, 0, "//", "the listing at OK failed"},
        {-1, listing, 1, "Old/Old/Old", "nothing selected keeps the printer"},
        {2, Printers({"A"}), 2, "A/A driver/A port", "one printer, whatever the position"},
        {0, Printers({"A"}), 0, "//", "one printer, yet Default"},
    };
    for (const Row& row : rows) {
        TerminalConfig config;
        config.SetInt32(receiptcfg::kPrinterPosition, 1), config.SetOption(receiptcfg::kOptionKitchenPosition, 1);
        for (std::size_t at : {cfg::kReceiptPrinter, receiptcfg::kPrinterDriver, receiptcfg::kPrinterPort,
                               cfg::kKitchenPrinter})
            config.SetText(at, 200, "Old");
        ReceiptSettings s;
        s.receiptPrinter = s.kitchenPrinter = row.position;
        StoreReceiptSettings(config, s, row.atOk, row.atOk);
        EXPECT_EQ(ReceiptPrinterName(config) + "/" + config.Text(receiptcfg::kPrinterDriver, 200) + "/" +
                      config.Text(receiptcfg::kPrinterPort, 200), row.want) << row.why;
        EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), row.wantPosition) << row.why;
        EXPECT_EQ(config.Option(receiptcfg::kOptionKitchenPosition), row.wantPosition) << row.why;
        EXPECT_EQ(config.Text(cfg::kKitchenPrinter, 200), ReceiptPrinterName(config)) << row.why;
    }
}

std::vector<std::uint8_t> Bitmap(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0) {
    const std::size_t row = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> b(54 + row * static_cast<std::size_t>(height < 0 ? -height : height));
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M', b[26] = 1;  // one plane
    put(10, 54), put(14, 40), put(18, width), put(22, height), put(28, bits), put(30, compression);
    return b;
}

TEST(LogoBitmap, OnlyAWholeBitmapIsTaken) {
    auto shortened = Bitmap(3, 2, 24), letters = Bitmap(3, 2, 24), twoPlanes = Bitmap(3, 2, 24);
    shortened.pop_back(), letters[0] = 'P', twoPlanes[26] = 2;
    struct Row { std::vector<std::uint8_t> file; bool want; const char* why; };
    const Row rows[] = {
        {Bitmap(3, 2, 24), true, "3x2 at 24 bits, rows padded to 12"}, {Bitmap(1, -1, 1), true, "top-down, 1 bit"},
        {Bitmap(3, 2, 8, 1), true, "run-length encoded"}, {shortened, false, "one byte of pixels missing"},
        {letters, false, "does not start with BM"}, {Bitmap(3, 2, 24, 5), false, "a PNG inside"},
        {twoPlanes, false, "two planes"}, {Bitmap(0, 2, 24), false, "no width"},
        {Bitmap(3, 2, 3), false, "3 bits a pixel"}, {{'B', 'M'}, false, "only the magic"},
    };
    for (const Row& row : rows) EXPECT_EQ(IsPlausibleBitmap(row.file), row.want) << row.why;
}

DeviceBytes B(std::initializer_list<int> values, std::string_view text = "") {
    DeviceBytes out(values.begin(), values.end());
    return out.insert(out.end(), text.begin(), text.end()), out;
}

TEST(ControlSequence, ParsesCommaSeparatedDecimalsLikeAtoiToTheLowEightBits) {
    const struct { std::string text; DeviceBytes bytes; const char* why; } rows[] = {
        {" 250,+7,12x9,x", B({250, 7, 12, 0}), "blanks, a sign, digits up to the first other character"},
        {"300,-1,256,511,-256", B({44, 255, 0, 255, 0}), "the low 8 bits"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,1", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1}), "31 characters"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}), "32: the last dropped"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,4,99", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 4}), "a comma at 31"},
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
        {0, 0, 0, 0, {9600, 8, 0, 0}, "the first entries"},
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
