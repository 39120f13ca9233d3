#include "shell/terminal_config.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "support/local_time.h"

namespace {

// A record whose every byte differs from another's, so any copied byte shows.
TerminalConfig Filled(std::uint8_t value) {
    TerminalConfig c;
    std::memset(c.data(), value, cfg::kSize);
    return c;
}

bool In(std::size_t offset, ByteRange r) { return offset >= r.offset && offset < r.offset + r.length; }
bool In(std::size_t offset, std::span<const ByteRange> ranges) {
    return std::any_of(ranges.begin(), ranges.end(), [&](ByteRange r) { return In(offset, r); });
}

TEST(TerminalConfigLoad, LocalFieldsComeFromTheFileAndAllOthersFromTheServer) {
    TerminalConfig live = Filled(0x11);   // as fetched from the server
    TerminalConfig image = Filled(0x22);  // as read from the file
    MergeLocalFieldsAtLoad(live, image);
    for (std::size_t i = 0; i < cfg::kSize; ++i)
        ASSERT_EQ(live.data()[i], In(i, cfg::kTerminalLocalFields) ? 0x22 : 0x11) << "offset " << i;
}

TEST(TerminalConfigSave, StartupSaveTakesTheFlagAndExitSaveTheLocalAndSavedOnlyFields) {
    TerminalConfig live = Filled(0x11), image = Filled(0x22);
    const ByteRange saveTime{cfg::kTimes, 5 * 4}, flag{cfg::kServerConnection, 4};
    PrepareStartupSave(image, live, At(2026, 12, 6, 8, 0));
    for (std::size_t i = 0; i < cfg::kSize; ++i)
        ASSERT_TRUE(In(i, saveTime) || image.data()[i] == (In(i, flag) ? 0x11 : 0x22)) << "offset " << i;
    EXPECT_EQ(image.Int32(cfg::kTimes + 4), 8) << "the hour of the start-up save";

    PrepareExitSave(image, live, At(2026, 12, 6, 18, 30));
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        const bool carried = In(i, cfg::kTerminalLocalFields) || In(i, cfg::kSavedOnlyFields);
        ASSERT_TRUE(In(i, saveTime) || image.data()[i] == (carried ? 0x11 : 0x22)) << "offset " << i;
    }
    EXPECT_EQ(image.Int32(cfg::kTimes), 30) << "the exit save's minute, not the live record's old one";
}

TEST(TerminalConfigServerFetch, KeptAndRestoredFieldsAreTheLocalFieldsButTheConnectionFlag) {
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        const bool kept = In(i, cfg::kKeptAcrossServerFetch) || In(i, cfg::kRestoredAcrossServerFetch);
        const bool local = In(i, cfg::kTerminalLocalFields) && !In(i, ByteRange{cfg::kServerConnection, 4});
        const bool savedOnlyRestored = (i >= 14210 && i < 14218) || (i >= 14282 && i < 14290);
        ASSERT_EQ(kept, local || savedOnlyRestored) << "offset " << i;
    }
}

}  // namespace
