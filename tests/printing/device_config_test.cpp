#include "printing/device_config.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(TillSettings, StoresOnlyAnOpenCharacterAndRepeatInRange) {
    struct Row { const char *character, *repeat; std::int64_t wantCharacter, wantRepeat; const char* why; };
    const Row rows[] = {
        {"300", "11", 7, 3, "out of range: both keep the drawer's values"}, {"0", "1", 0, 1, "the lowest are stored"},
        {"255", "10", 255, 10, "the highest values are stored"}, {"256", "0", 7, 3, "one past either end"},
        {"", "2x", 7, 3, "empty and non-numeric keep the values"},
        {"0000000255", "-1", 25, 3, "only the first 9 characters are read; below zero"},
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

TEST(ReceiptPrinters, ThePrinterAtEachListPosition) {
    const auto three = Printers({"A", "B", "C"}), one = Printers({"A"});
    EXPECT_EQ(PrinterPosition(three, "C") * 10 + PrinterPosition(three, "Gone"), 30);
    struct Row { const std::vector<PrinterInfo>& printers; int position; std::string want; const char* why; };
    const Row rows[] = {{three, 0, "-", "Default"}, {three, 1, "A", "first"}, {three, 4, "-", "past the listing"},
                        {one, 2, "A", "one printer, whatever the position"}, {one, 0, "-", "one printer, Default"}};
    for (const Row& row : rows) {
        const PrinterInfo* p = PrinterAtPosition(row.printers, row.position);
        EXPECT_EQ(p ? p->name : "-", row.want) << row.why;
    }
}

TEST(ReceiptSettings, OpeningStoresThePrinterPositionsAtOnce) {
    TerminalConfig config;
    config.SetInt32(receiptcfg::kPrinterPosition, 3), config.SetText(cfg::kReceiptPrinter, 200, "Removed");
    config.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, "C"), config.SetSwitch(receiptcfg::kSwitchFontSize, 7);
    EXPECT_EQ(OpenReceiptSettings(config, std::nullopt).receiptPrinter, -1);
    EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), 3) << "a failed listing changes nothing";

    const ReceiptSettings s = OpenReceiptSettings(config, Printers({"A", "B", "C"}));
    EXPECT_EQ(s.printers, (std::vector<std::string>{"Default", "A", "B", "C"}));
    EXPECT_EQ(config.Int32(receiptcfg::kPrinterPosition), 0) << "a removed printer falls back to Default";
    EXPECT_EQ(config.Option(receiptcfg::kOptionKitchenPosition), 3);
    EXPECT_TRUE(s.omitConfirm) << "option [9] is 0";
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

TEST(ReceiptSettings, OkStoresFooterOptionsAndSwitchBoxes) {
    TerminalConfig config;
    ReceiptSettings s{{}, -1, -1, false, 4, 3, {}, std::string(254, 'f')};
    s.switchBoxes.fill(true);
    StoreReceiptSettings(config, s, std::nullopt, std::nullopt);
    EXPECT_EQ(config.Text(cfg::kClosingMessage, cfg::kLongTextWidth), std::string(251, 'f'));
    EXPECT_EQ(config.Option(receiptcfg::kOptionPrintConfirm), 1);
    EXPECT_EQ(config.Switch(receiptcfg::kSwitchAutoReceipt) * 10 + config.Switch(receiptcfg::kSwitchFontSize), 43);
    for (int sw : {20, 122, 123, 124, 125, 190}) EXPECT_EQ(config.Switch(sw), 2) << "switch " << sw;
    EXPECT_EQ(config.Switch(165), 0);
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

}  // namespace
