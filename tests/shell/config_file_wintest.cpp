#include "shell/config_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "link/server_binding.h"
#include "shell/startup.h"
#include "support/app_fixture.h"

namespace {

class ConfigFileTest : public AppFixture {};

TEST_F(ConfigFileTest, FirstStartCreatesTheDirectoryChainConfigurationAndLogos) {
    UseDataDirectory(temp_ / "Roaming\\Nordane\\varenkoclient");
    SetCurrentDirectoryA(ProgramDirectory().c_str());
    EnsureConfigurationFile();

    EXPECT_TRUE(messages().messages().empty());
    const std::string file = ReadWholeFile(g_app.configPath);
    ASSERT_EQ(file.size(), cfg::kSize);
    TerminalConfig onDisk;
    std::memcpy(onDisk.data(), file.data(), cfg::kSize);
    EXPECT_EQ(onDisk.HeaderText(0), "VARENKO");
    EXPECT_EQ(onDisk.ServerConnection(), 0);
    EXPECT_EQ(onDisk.Option(33), 2000);
    EXPECT_EQ(onDisk.bytes, g_app.live.bytes);
    for (const char* logo : {"letter.bmp", "receipt.bmp"}) {
        EXPECT_EQ(ReadWholeFile(data(logo)), ReadWholeFile(ProgramDirectory() + "\\" + logo)) << logo;
        EXPECT_FALSE(ReadWholeFile(data(logo)).empty()) << logo;
    }
}

TEST_F(ConfigFileTest, AnExistingFileIsLeftAloneAndAMissingOneIsRecreated) {
    WriteWholeFile(g_app.configPath, "mine");
    EnsureConfigurationFile();
    EXPECT_EQ(ReadWholeFile(g_app.configPath), "mine");

    DeleteFileA(g_app.configPath);
    EnsureConfigurationFile();
    EXPECT_EQ(ReadWholeFile(g_app.configPath).size(), cfg::kSize);
}

TEST_F(ConfigFileTest, UncreatableDataDirectoryIsReportedAndTheLoadThenFails) {
    WriteWholeFile(temp_ / "blocker", "a file where a folder should be");
    UseDataDirectory(temp_ / "blocker\\Nordane\\varenkoclient");
    EnsureConfigurationFile();
    EXPECT_TRUE(messages().Saw("Unable to create data directory", "Fatal error"));

    LabelTable fetched;
    EXPECT_EQ(StartupBinding(fetched), 0);
    EXPECT_TRUE(messages().Saw("Data file vkc.cfg not present.", "Fatal error"));
    g_app.offline = 1;
    EXPECT_EQ(LoadConfiguration(), 0);
    EXPECT_TRUE(messages().Saw("Data file vkc.cfg not present in Opendata.", "Fatal error"));
}

TEST_F(ConfigFileTest, ShortFileFillsOnlyTheLeadingBytesAndLongFileOnlyTheRecord) {
    TerminalConfig record;
    std::memset(record.data(), 0x77, cfg::kSize);
    WriteWholeFile(g_app.configPath, std::string(100, 'a'));
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, record));
    EXPECT_EQ(record.data()[99], 'a');
    EXPECT_EQ(record.data()[100], 0x77);
    EXPECT_EQ(record.data()[cfg::kSize - 1], 0x77);

    WriteWholeFile(g_app.configPath, std::string(cfg::kSize, 'b') + std::string(5000, 'c'));
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, record));
    EXPECT_EQ(record.data()[cfg::kSize - 1], 'b');

    WriteWholeFile(g_app.configPath, "");
    EXPECT_TRUE(ReadConfigFile(g_app.configPath, record));
    EXPECT_FALSE(ReadConfigFile(data("absent.cfg").c_str(), record));
}

TEST_F(ConfigFileTest, AFailedWriteKeepsTheOldFileWholeAndIsReported) {
    TerminalConfig old;
    old.SetServerName("old server");
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, old));
    // A folder in the way of the temporary file makes every write fail.
    CreateDirectoryA((std::string(g_app.configPath) + ".new").c_str(), nullptr);

    TerminalConfig changed;
    changed.SetServerName("new server");
    EXPECT_FALSE(WriteConfigFile(g_app.configPath, changed));
    const std::string file = ReadWholeFile(g_app.configPath);
    ASSERT_EQ(file.size(), cfg::kSize);
    EXPECT_EQ(std::memcmp(file.data(), old.data(), cfg::kSize), 0);

    SaveConfigurationAtStartup();
    EXPECT_TRUE(messages().Saw("vkc.cfg", "Problem"));
    SaveConfigurationAtExit();
    EXPECT_TRUE(messages().Saw("Unable to create vkc.cfg at end of WinMain", "Problem"));
    g_app.mainWindow = nullptr;
    WriteDefaultConfiguration();
    EXPECT_TRUE(messages().Saw("Data file: vkc.cfg, not present.", "Fatal error"));
}

TEST_F(ConfigFileTest, StandAloneStartPutsDefaultNamesInTheImageOnlyUntilTheStartupSave) {
    EnsureConfigurationFile();
    LabelTable fetched;
    ASSERT_EQ(StartupBinding(fetched), 0);
    EXPECT_EQ(g_app.image.AssociateName(1), "Administrator");
    EXPECT_EQ(g_app.image.AssociateName(100), "Associate 100");

    g_app.offline = 1;
    ASSERT_EQ(LoadConfiguration(), 1);
    EXPECT_EQ(g_app.live.AssociateName(1), "");  // the live record was read from the file
    EXPECT_EQ(g_app.live.CurrentAssociate(), 1);
    EXPECT_STREQ(g_app.headers.text[0], "VARENKO");

    SaveConfigurationAtStartup();
    TerminalConfig saved;
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, saved));
    EXPECT_EQ(saved.AssociateName(2), "Manager");
    EXPECT_EQ(saved.CurrentAssociate(), 1);
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(ConfigFileTest, ExitSaveWritesTheRunsLocalChanges) {
    EnsureConfigurationFile();
    LabelTable fetched;
    StartupBinding(fetched);
    g_app.offline = 1;
    ASSERT_EQ(LoadConfiguration(), 1);
    g_app.live.SetCurrentAssociate(3);
    g_app.live.SetSwitch(16, 2);
    g_app.live.SetOption(2, 77);  // not terminal-local: the image keeps the file's value
    SaveConfigurationAtExit();
    TerminalConfig saved;
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, saved));
    EXPECT_EQ(saved.CurrentAssociate(), 3);
    EXPECT_EQ(saved.Switch(16), 2);
    EXPECT_EQ(saved.Option(2), 0);
}

TEST(DesktopSize, AtLeast1024By708) {
    EXPECT_TRUE(DesktopIsLargeEnough(1024, 708));
    EXPECT_FALSE(DesktopIsLargeEnough(1023, 708));
    EXPECT_FALSE(DesktopIsLargeEnough(1024, 707));
}

}  // namespace
