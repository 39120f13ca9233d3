#include "shell/terminal_config.h"

#include <gtest/gtest.h>

#include "support/local_time.h"

#include <cstring>

namespace {

std::string Raw(const TerminalConfig& c, std::size_t offset, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(c.data()) + offset, n);
}

TEST(TerminalConfigDefaults, EveryDefaultedFieldHoldsItsValue) {
    TerminalConfig c;
    ApplyDefaults(c, At(2026, 12, 5, 9, 7));

    EXPECT_EQ(Raw(c, 0, 8), std::string("VARENKO\0", 8));
    EXPECT_EQ(Raw(c, 60, 6), std::string("Local\0", 6));
    EXPECT_EQ(c.Int32(3832), 7);  // minute
    EXPECT_EQ(c.Int32(3836), 9);  // hour
    EXPECT_EQ(c.Int32(3840), 5);
    EXPECT_EQ(c.Int32(3844), 12);
    EXPECT_EQ(c.Int32(3848), 2026);
    EXPECT_EQ(c.Double(4774), 100.0);
    EXPECT_EQ(c.Int64(4232 + 3 * 8), 1);
    const int terms[9] = {1, 2, 3, 4, 5, 6, 7, 8, 99};
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(c.Int32(516 + 4 * i), terms[i - 1]) << i;
    for (int k = 21; k <= 28; ++k) EXPECT_EQ(c.Int64(4232 + 8 * k), k - 20) << k;
    EXPECT_EQ(c.Int64(4232 + 29 * 8), 2);
    EXPECT_EQ(c.Int64(4232 + 33 * 8), 2000);
    EXPECT_EQ(c.Int64(4232 + 31 * 8), 0);
    EXPECT_EQ(c.Int32(556), 0);
    EXPECT_EQ(Raw(c, 489, 27), "ALCBEEBOOCANCARCOFDELDRIDVD");
    EXPECT_EQ(Raw(c, 4734, 27), "FROFRUHARMSCPAPPOPTEASWEWIN");
    EXPECT_EQ(Raw(c, 4761, 6), std::string("TAX 1\0", 6));
    EXPECT_EQ(Raw(c, 4767, 6), std::string("TAX 2\0", 6));
    EXPECT_EQ(c.Int32(4712), 1);
    EXPECT_EQ(c.Int32(4716), 2);
    EXPECT_EQ(Raw(c, 5662, 14), std::string("Next customer\0", 14));
    EXPECT_EQ(Raw(c, 11230, 22), std::string("Always happy to help!\0", 22));
    EXPECT_EQ(c.Int32(12538 + 123 * 4), 2);
    const std::pair<int, int> rows[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}, {5, 5},
                                        {6, 7}, {7, 4}, {14, 2}, {15, 8}, {19, 0}};
    for (auto [element, row] : rows) EXPECT_EQ(c.Int32(5582 + 4 * element), row) << element;
    EXPECT_EQ(c.CategoryCode(0), "ALC");
    EXPECT_EQ(c.CategoryCode(8), "DVD");
    EXPECT_EQ(c.CategoryCode(9), "FRO");
    EXPECT_EQ(c.CategoryCode(17), "WIN");
}

TEST(TerminalConfigDefaults, ClearsOnlyTheListedRangesAndKeepsTheRest) {
    TerminalConfig c;
    std::memset(c.data(), 0x5A, cfg::kSize);
    ApplyDefaults(c, At(2026, 1, 1, 0, 0));
    // Cleared: texts 3-8, server name, the switches but [0], the pole texts but byte 0.
    EXPECT_EQ(c.HeaderText(2), "");
    EXPECT_EQ(c.ServerName(), "");
    EXPECT_EQ(c.Switch(0), 0x5A5A5A5A);
    EXPECT_EQ(c.Switch(1), 0);
    EXPECT_EQ(c.Switch(18), 0);
    EXPECT_EQ(c.Int32(3832 + 4 * 99), 0);
    EXPECT_EQ(c.Int64(4232 + 8 * 59), 0);
    EXPECT_EQ(c.data()[4782 + 1], 0);
    EXPECT_EQ(c.data()[5182 + 399], 0);
    // Not defaulted: untouched.
    EXPECT_EQ(c.data()[4782], 0x5A);
    EXPECT_EQ(c.data()[5182], 0x5A);
    EXPECT_EQ(c.data()[7110], 0x5A);
    EXPECT_EQ(c.data()[14937], 0x5A);
    EXPECT_EQ(c.Int32(516), 0x5A5A5A5A);
}

TEST(TerminalConfigTexts, ReadingStopsAtTheFieldWidthWithoutTerminator) {
    TerminalConfig c;
    std::memset(c.data(), 'x', cfg::kSize);
    EXPECT_EQ(c.ServerName().size(), 200u);
    EXPECT_EQ(c.AssociateName(100).size(), 30u);
    EXPECT_EQ(c.HeaderText(0).size(), 60u);
    EXPECT_EQ(c.CategoryCode(17), "xxx");
    HeaderTexts headers;
    CopyHeaderTexts(headers, c);
    for (auto& text : headers.text) EXPECT_EQ(std::strlen(text), 43u);
}

TEST(TerminalConfigTexts, SettingTruncatesAndZeroFills) {
    TerminalConfig c;
    std::memset(c.data(), 'x', cfg::kSize);
    c.SetAssociateName(2, std::string(40, 'M'));
    EXPECT_EQ(c.AssociateName(2), std::string(29, 'M'));
    EXPECT_EQ(c.data()[7110 + 30 + 29], 0);
    EXPECT_EQ(c.data()[7110 + 60], 'x');  // the next entry is untouched
    c.SetAssociatePassword(3, "123456789");
    EXPECT_EQ(c.AssociatePassword(3), "123456789");
    EXPECT_EQ(Raw(c, 10110 + 30, 10), std::string("123456789\0", 10));
}

TEST(TerminalConfigAccessors, IndexedFieldsSitAtTheirOffsetsAndIgnoreBadIndexes) {
    TerminalConfig c;
    c.SetOption(59, -5);
    c.SetSwitch(199, 7);
    c.SetAmount(99, 2.5);
    EXPECT_EQ(c.Int64(4232 + 59 * 8), -5);
    EXPECT_EQ(c.Int32(12538 + 199 * 4), 7);
    EXPECT_EQ(c.Double(13338 + 99 * 8), 2.5);
    TerminalConfig before = c;
    c.SetOption(60, 1);
    c.SetSwitch(-1, 1);
    c.SetAmount(100, 1);
    c.SetAssociateName(0, "nobody");
    c.SetAssociateName(101, "nobody");
    EXPECT_EQ(c.bytes, before.bytes);
    EXPECT_EQ(c.Option(60), 0);
    EXPECT_EQ(c.AssociateName(0), "");
}

TEST(TerminalConfigAssociates, DefaultNamesCoverAllHundred) {
    TerminalConfig c;
    FillDefaultAssociateNames(c);
    EXPECT_EQ(c.AssociateName(1), "Administrator");
    EXPECT_EQ(c.AssociateName(2), "Manager");
    EXPECT_EQ(c.AssociateName(3), "Associate 3");
    EXPECT_EQ(c.AssociateName(100), "Associate 100");
    EXPECT_EQ(Raw(c, 7110 + 99 * 30, 14), std::string("Associate 100\0", 14));
}

// A record whose every byte differs from another's, so any copied byte shows.
TerminalConfig Filled(std::uint8_t value) {
    TerminalConfig c;
    std::memset(c.data(), value, cfg::kSize);
    return c;
}

bool InRanges(std::size_t offset, std::span<const ByteRange> ranges) {
    for (const ByteRange& r : ranges)
        if (offset >= r.offset && offset < r.offset + r.length) return true;
    return false;
}

TEST(TerminalConfigLoad, LocalFieldsComeFromTheFileAndAllOthersFromTheServer) {
    TerminalConfig live = Filled(0x11);   // as fetched from the server
    TerminalConfig image = Filled(0x22);  // as read from the file
    MergeLocalFieldsAtLoad(live, image);
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        bool local = InRanges(i, cfg::kTerminalLocalFields);
        ASSERT_EQ(live.data()[i], local ? 0x22 : 0x11) << "offset " << i;
    }
    // Spot checks of fields named as terminal-local and of neighbours that are not.
    EXPECT_EQ(live.data()[556], 0x22);
    EXPECT_EQ(live.data()[520], 0x11);                // term code [1]
    EXPECT_EQ(live.data()[4232 + 8], 0x22);           // option [1]
    EXPECT_EQ(live.data()[4232 + 16], 0x11);          // option [2]
    EXPECT_EQ(live.data()[5182 + 199], 0x22);
    EXPECT_EQ(live.data()[5182 + 200], 0x11);         // shop texts are the server's
    EXPECT_EQ(live.data()[13338 + 8], 0x22);          // amount [1]
    EXPECT_EQ(live.data()[13338], 0x11);              // the tax threshold is the server's
    EXPECT_EQ(live.data()[14218], 0x22);
    EXPECT_EQ(live.data()[14210], 0x11);              // saved only
    EXPECT_EQ(live.data()[3832 + 20], 0x11);          // time element 5 is not local
}

TEST(TerminalConfigLoad, AssociateZeroIsReadAsOne) {
    TerminalConfig live;
    TerminalConfig image;
    image.SetCurrentAssociate(0);
    live.SetCurrentAssociate(42);
    MergeLocalFieldsAtLoad(live, image);
    EXPECT_EQ(image.CurrentAssociate(), 1);
    EXPECT_EQ(live.CurrentAssociate(), 1);
    image.SetCurrentAssociate(7);
    MergeLocalFieldsAtLoad(live, image);
    EXPECT_EQ(live.CurrentAssociate(), 7);
}

TEST(TerminalConfigSave, LoadThenExitSaveKeepsEveryNonLocalFieldOfTheFile) {
    TerminalConfig file = Filled(0);
    for (std::size_t i = 0; i < cfg::kSize; ++i) file.data()[i] = static_cast<std::uint8_t>(i * 7 + 3);
    file.SetCurrentAssociate(4);
    TerminalConfig image = file;
    TerminalConfig live = file;  // offline: the live record is the file
    MergeLocalFieldsAtLoad(live, image);
    live.SetSwitch(100, 2);       // a local change during the run
    live.SetOption(2, 99);        // a shop-wide change during the run
    PrepareExitSave(image, live, At(2026, 12, 6, 18, 30));

    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        if (InRanges(i, cfg::kTerminalLocalFields) || InRanges(i, cfg::kSavedOnlyFields)) continue;
        ASSERT_EQ(image.data()[i], file.data()[i]) << "offset " << i;
    }
    EXPECT_EQ(image.Switch(100), 2);
    EXPECT_EQ(image.Option(2), file.Option(2));
    EXPECT_EQ(image.Int32(3832), 30);
    EXPECT_EQ(image.Int32(3836), 18);
    EXPECT_EQ(image.Int32(3848), 2026);
}

TEST(TerminalConfigSave, ExitSaveCarriesSavedOnlyFieldsAndStartupSaveOnlyTheFlag) {
    TerminalConfig image = Filled(0x22);
    TerminalConfig live = Filled(0x11);
    PrepareStartupSave(image, live, At(2026, 12, 6, 8, 0));
    EXPECT_EQ(image.ServerConnection(), 0x11111111);
    EXPECT_EQ(image.Int32(3836), 8);
    EXPECT_EQ(image.data()[14210], 0x22);
    EXPECT_EQ(image.data()[6702], 0x22);

    PrepareExitSave(image, live, At(2026, 12, 6, 9, 0));
    for (std::size_t offset : {14210u, 14226u, 14242u, 14250u, 14258u, 14266u, 14282u, 14290u})
        EXPECT_EQ(image.Double(offset), live.Double(offset)) << offset;
    EXPECT_EQ(image.data()[14234], 0x22);  // not interpreted, not carried
    EXPECT_EQ(image.data()[14274], 0x22);
}

TEST(TerminalConfigServerFetch, KeptAndRestoredFieldsTogetherAreTheLocalFieldsButTheFlag) {
    // The server dialog keeps everything local except the connection flag, which the server sets.
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        bool kept = InRanges(i, cfg::kKeptAcrossServerFetch) || InRanges(i, cfg::kRestoredAcrossServerFetch);
        bool local = InRanges(i, cfg::kTerminalLocalFields) && !(i >= 556 && i < 560);
        bool savedOnlyRestored = (i >= 14210 && i < 14218) || (i >= 14282 && i < 14290);
        ASSERT_EQ(kept, local || savedOnlyRestored) << "offset " << i;
    }
}

}  // namespace
