#include "shell/config_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/app_fixture.h"

namespace {

using ConfigFileTest = AppFixture;

std::string Bytes(const TerminalConfig& c) { return std::string(reinterpret_cast<const char*>(c.data()), cfg::kSize); }

TEST_F(ConfigFileTest, AReadFillsOnlyWhatTheFileHoldsAWriteReplacesItWholeAndAFailedOneKeepsTheOld) {
    struct Row { std::size_t size; const char* why; };
    const Row rows[] = {{100, "a short file fills only its leading bytes"},
                        {cfg::kSize + 5000, "a long one only the record"}, {0, "an empty file is read"}};
    for (const Row& r : rows) {
        WriteWholeFile(g_app.configPath, std::string(r.size, 'a'));
        TerminalConfig record;
        std::memset(record.data(), 'b', cfg::kSize);
        ASSERT_TRUE(ReadConfigFile(g_app.configPath, record)) << r.why;
        const std::size_t read = std::min(r.size, cfg::kSize);
        EXPECT_EQ(Bytes(record), std::string(read, 'a') + std::string(cfg::kSize - read, 'b')) << r.why;
    }
    TerminalConfig old, changed;
    EXPECT_FALSE(ReadConfigFile(data("absent.cfg").c_str(), old)) << "a missing file is not read";
    old.SetServerName("old server"), changed.SetServerName("new server");
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, old));
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, changed));
    EXPECT_EQ(ReadWholeFile(g_app.configPath), Bytes(changed));
    EXPECT_FALSE(FileExists(std::string(g_app.configPath) + ".new")) << "the replacement was moved over the file";

    // A folder in the way of the replacement makes every write fail.
    CreateDirectoryA((std::string(g_app.configPath) + ".new").c_str(), nullptr);
    EXPECT_FALSE(WriteConfigFile(g_app.configPath, old));
    EXPECT_EQ(ReadWholeFile(g_app.configPath), Bytes(changed));
    WriteDefaultConfiguration();  // the saves at start-up and at exit: FaultEndToEnd
    EXPECT_TRUE(messages().Saw("Data file: vkc.cfg, not present.", "Fatal error"));
}

}  // namespace
