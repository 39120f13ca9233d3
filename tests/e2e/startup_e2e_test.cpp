// The real program under Wine: first start on an empty data directory, close, check files.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "e2e/terminal_process.h"
#include "shell/terminal_config.h"
#include "support/real_input.h"
#include "support/temp_dir.h"

namespace {

TerminalConfig ReadConfig(const std::string& path) {
    TerminalConfig c;
    const std::string file = ReadWholeFile(path);
    EXPECT_EQ(file.size(), cfg::kSize);
    std::memcpy(c.data(), file.data(), std::min(file.size(), cfg::kSize));
    return c;
}

const char* const kStamp = R"(\d\d:\d\d \d\d/\d\d/\d{4})";

TEST(StartupEndToEnd, FirstStartWritesTheConfigurationAndTheDayLogThenSecondStartNamesTheClerk) {
    const std::string dataDir = TerminalDataDirectory();
    RemoveTree(dataDir);

    {
        TerminalProcess terminal;
        ASSERT_TRUE(terminal.Start());
        HWND window = terminal.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        // Without a server the logon does not open: scanned items must reach the item box.
        HWND box = FindWindowExA(window, nullptr, "Edit", nullptr);
        EXPECT_TRUE(WaitUntil([&] { return FocusedWindow(window) == box; }))
            << "the focus is on " << DescribeWindow(FocusedWindow(window));
        EXPECT_EQ(terminal.Close(), 0);
    }
    const TerminalConfig first = ReadConfig(dataDir + "\\vks.cfg");
    EXPECT_EQ(first.HeaderText(0), "VARENKO");
    EXPECT_EQ(first.Option(33), 2000);
    EXPECT_EQ(first.CurrentAssociate(), 1);
    EXPECT_EQ(first.AssociateName(1), "Administrator");  // reached the file with the start-up save
    EXPECT_FALSE(ReadWholeFile(dataDir + "\\letter.bmp").empty());
    EXPECT_FALSE(ReadWholeFile(dataDir + "\\receipt.bmp").empty());

    const std::string log = ReadWholeFile(TodayLogFile(dataDir));
    const std::string on = std::string("\r\n") + kStamp + "  Switched on\\.\r\n";
    const std::string off = std::string("\r\n") + kStamp + "  Switched off\\.\r\n";
    // On the very first start the live associate names are still empty.
    EXPECT_TRUE(std::regex_match(log, std::regex(on + off + "Clerk: 1, \r\n"))) << log;

    {
        TerminalProcess terminal;
        ASSERT_TRUE(terminal.Start());
        ASSERT_NE(terminal.WaitForMainWindow(), nullptr);
        EXPECT_EQ(terminal.Close(), 0);
    }
    const std::string log2 = ReadWholeFile(TodayLogFile(dataDir));
    EXPECT_TRUE(std::regex_match(log2, std::regex(on + off + "Clerk: 1, \r\n" + on + off +
                                                  "Clerk: 1, Administrator\r\n")))
        << log2;
}

TEST(StartupEndToEnd, ConfigurationThatCannotBeLoadedEndsTheProgramWithoutSaving) {
    const std::string dataDir = TerminalDataDirectory();
    RemoveTree(dataDir);
    // The data directory is a file: nothing can be created, the load fails.
    const std::string parent = dataDir.substr(0, dataDir.find_last_of('\\'));
    CreateDirectoryA(parent.c_str(), nullptr);
    WriteWholeFile(dataDir, "not a folder");
    // The program shows its messages and quits; answer each message box with Enter as it appears.
    TerminalProcess terminal;
    ASSERT_TRUE(terminal.Start());
    std::vector<std::string> texts;
    int exitCode = -1;
    for (int i = 0; i < 300 && exitCode == -1; ++i) {
        HWND box = FindWindowA("#32770", nullptr);
        if (box && IsWindowVisible(box)) {
            const std::string text = ControlText(GetDlgItem(box, 0xFFFF));
            if (!text.empty()) {  // the box is complete
                texts.push_back(text);
                ASSERT_TRUE(AnswerWithKey(box)) << text;
            }
        }
        exitCode = terminal.Close(100);
    }
    EXPECT_EQ(exitCode, 0);
    const std::vector<std::string> expected = {"Unable to create data directory", "Data file vkc.cfg not present.",
                                               "Data file vkc.cfg not present in Opendata."};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(ReadWholeFile(dataDir), "not a folder");
    DeleteFileA(dataDir.c_str());
}

}  // namespace
