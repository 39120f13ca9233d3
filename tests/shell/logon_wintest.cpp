#include "shell/logon_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/terminal_hooks.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"

namespace {

// The keypad buttons of the digits 1 to 9 (5 and 6 have swapped ids).
const int kKeysOneToNine[] = {IDC_LOGON_KEY_1, IDC_LOGON_KEY_2, IDC_LOGON_KEY_3, IDC_LOGON_KEY_4, IDC_LOGON_KEY_5,
                              IDC_LOGON_KEY_6, IDC_LOGON_KEY_7, IDC_LOGON_KEY_8, IDC_LOGON_KEY_9};

LocalTime g_fixedTime;
void FixedClock(LocalTime& out) { out = g_fixedTime; }

class LogonTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.instance = GetModuleHandleA(nullptr);
        g_fixedTime = LocalTime{2027, 1, 2, 5, 10, 7, 0, 0};
        SetClockSource(FixedClock);
        EnsureLogDirectories(g_app.dataDir);
        FillDefaultAssociateNames(g_app.live);
        g_app.live.SetCurrentAssociate(7);
        g_app.live.SetAssociatePassword(3, "123456789");
        // Left hidden: under Xvfb without a window manager every hide costs Wine a wait.
        g_app.mainWindow = CreateWindowExA(0, "STATIC", "before", WS_OVERLAPPEDWINDOW, 100, 50, 900, 660, nullptr,
                                           nullptr, nullptr, nullptr);
        g_app.itemBox = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, g_app.mainWindow,
                                        nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(g_app.mainWindow);
        SetClockSource(nullptr);
        AppFixture::TearDown();
    }
    std::string DayFile() const { return data("2027\\1\\5.txt"); }
    // Down twice from associate 1, then the nine digits on the keypad.
    static void ChooseThreeAndTypeNineDigits(HWND dialog) {
        Click(dialog, IDC_LOGON_DOWN);
        Click(dialog, IDC_LOGON_DOWN);
        for (int key : kKeysOneToNine) Click(dialog, key);
    }
};

TEST_F(LogonTest, NineDigitPasswordOnTheKeypadLogsOnLogsAndRenamesTheWindow) {
    DialogDriver driver({[&](HWND dialog) {
        EXPECT_EQ(Title(dialog), "VARENKO Logon");
        EXPECT_EQ(Text(dialog, IDC_EDIT2), "1 Administrator");
        EXPECT_EQ(Text(dialog, IDC_EDIT1), "");
        EXPECT_EQ(Text(dialog, IDC_LOGON_SPARE), "");
        RECT outer, own;
        GetWindowRect(g_app.mainWindow, &outer);
        GetWindowRect(dialog, &own);
        EXPECT_NEAR((own.left + own.right) / 2, (outer.left + outer.right) / 2, 1);
        EXPECT_NEAR((own.top + own.bottom) / 2, (outer.top + outer.bottom) / 2, 1);

        ChooseThreeAndTypeNineDigits(dialog);
        EXPECT_EQ(Text(dialog, IDC_EDIT2), "3 Associate 3");
        EXPECT_EQ(Text(dialog, IDC_EDIT1), "123456789");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EDIT1));
        Click(dialog, IDC_LOGON_KEY_0);  // a tenth digit
        EXPECT_EQ(Text(dialog, IDC_EDIT1), "123456789");
        Click(dialog, IDOK);
    }});
    EXPECT_EQ(LogOn(g_app.mainWindow), 1);
    EXPECT_EQ(driver.stepsRun(), 1u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(GetFocus(), g_app.itemBox);

    EXPECT_EQ(g_app.live.CurrentAssociate(), 3);
    EXPECT_EQ(Title(g_app.mainWindow), "VARENKO    Assoc: 3, Associate 3");
    EXPECT_EQ(ReadWholeFile(DayFile()), "\r\n10:07 05/01/2027  User 3, Associate 3, logged on.\r\n");
    const std::int32_t logonTime[5] = {7, 10, 5, 1, 2027};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g_app.live.Int32(3832 + 4 * (10 + i)), logonTime[i]) << i;
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(LogonTest, WrongPasswordOrNumberReturnsZeroAndChangesNothing) {
    DialogDriver driver({
        [](HWND dialog) {
            ChooseThreeAndTypeNineDigits(dialog);
            Click(dialog, IDC_LOGON_ERASE);
            Click(dialog, IDOK);
        },
        [](HWND dialog) {
            // A user field that does not start with 1..99 refuses even a matching password.
            Click(dialog, IDC_LOGON_DOWN);
            Click(dialog, IDC_LOGON_DOWN);
            SetDlgItemTextA(dialog, IDC_EDIT2, "0 Associate 3");
            SetDlgItemTextA(dialog, IDC_EDIT1, "123456789");
            Click(dialog, IDOK);
        },
    });
    EXPECT_EQ(LogOn(g_app.mainWindow), 0);
    EXPECT_EQ(LogOn(g_app.mainWindow), 0);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());

    EXPECT_EQ(g_app.live.CurrentAssociate(), 7);
    EXPECT_EQ(Title(g_app.mainWindow), "before");
    EXPECT_FALSE(FileExists(DayFile()));
    EXPECT_EQ(g_app.live.Int32(3832 + 4 * 10), 0);
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(LogonTest, CancelEscapeAndCloseLeaveTheDialogOpen) {
    HWND first = nullptr;
    DialogDriver driver({
        [&](HWND dialog) {
            first = dialog;
            Command(dialog, IDCANCEL);
            PostMessageA(GetDlgItem(dialog, IDC_EDIT1), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        },
        [&](HWND dialog) {
            EXPECT_EQ(dialog, first);
            Click(dialog, IDOK);  // associate 1 has no password
        },
    });
    EXPECT_EQ(LogOn(g_app.mainWindow), 1);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(g_app.live.CurrentAssociate(), 1);
    EXPECT_EQ(Title(g_app.mainWindow), "VARENKO    Assoc: 1, Administrator");
}

TEST_F(LogonTest, UpDownSkipFlagsAndTheEditKeys) {
    g_app.live.SetInt32(11738 + 4 * 97, 1);  // associate 98 is skipped
    g_app.live.SetAssociateName(99, "Zoe");
    g_app.live.SetAssociatePassword(99, "0123");
    DialogDriver driver({[](HWND dialog) {
        Click(dialog, IDC_LOGON_UP);
        EXPECT_EQ(Text(dialog, IDC_EDIT2), "99 Zoe");
        Click(dialog, IDC_LOGON_UP);
        EXPECT_EQ(Text(dialog, IDC_EDIT2), "97 Associate 97");
        Click(dialog, IDC_LOGON_DOWN);
        Click(dialog, IDC_LOGON_DOWN);
        EXPECT_EQ(Text(dialog, IDC_EDIT2), "1 Administrator");
        Click(dialog, IDC_LOGON_UP);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EDIT1));

        Click(dialog, IDC_LOGON_ERASE);  // on an empty field
        EXPECT_EQ(Text(dialog, IDC_EDIT1), "");
        Click(dialog, IDC_LOGON_KEY_4);
        Click(dialog, IDC_LOGON_KEY_5);
        Click(dialog, IDC_LOGON_ERASE);
        EXPECT_EQ(Text(dialog, IDC_EDIT1), "4");
        Click(dialog, IDC_LOGON_CLEAR);
        EXPECT_EQ(Text(dialog, IDC_EDIT1), "");
        // Digits typed on the keyboard are kept when the keypad adds more.
        SetDlgItemTextA(dialog, IDC_EDIT1, "012");
        Click(dialog, IDC_LOGON_KEY_3);
        EXPECT_EQ(Text(dialog, IDC_EDIT1), "0123");
        Click(dialog, IDOK);
    }});
    EXPECT_EQ(LogOn(g_app.mainWindow), 1);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(g_app.live.CurrentAssociate(), 99);
    EXPECT_EQ(Title(g_app.mainWindow), "VARENKO    Assoc: 99, Zoe");
}

TEST_F(LogonTest, AnUnwritableDayFileIsReportedAndTheLogonStands) {
    UseDataDirectory(temp_ / "no such folder");
    DialogDriver driver({[](HWND dialog) { Click(dialog, IDOK); }});
    EXPECT_EQ(LogOn(g_app.mainWindow), 1);
    EXPECT_TRUE(messages().Saw("Data log file", "Problem"));
    EXPECT_EQ(g_app.live.CurrentAssociate(), 1);
    EXPECT_EQ(Title(g_app.mainWindow), "VARENKO    Assoc: 1, Administrator");
}

TEST_F(LogonTest, LogOffShowsThePlainTitleAndAsksAgainUntilALogonStands) {
    DialogDriver driver({
        [](HWND dialog) {
            EXPECT_EQ(Title(g_app.mainWindow), "VARENKO");
            ChooseThreeAndTypeNineDigits(dialog);
            Click(dialog, IDC_LOGON_CLEAR);
            Click(dialog, IDOK);
        },
        [](HWND dialog) {
            EXPECT_EQ(Title(g_app.mainWindow), "VARENKO");
            EXPECT_EQ(Text(dialog, IDC_EDIT2), "1 Administrator");  // every opening starts again at 1
            ChooseThreeAndTypeNineDigits(dialog);
            Click(dialog, IDOK);
        },
    });
    LogOffAndOn(g_app.mainWindow);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(g_app.live.CurrentAssociate(), 3);
    EXPECT_EQ(Title(g_app.mainWindow), "VARENKO    Assoc: 3, Associate 3");
    EXPECT_EQ(ReadWholeFile(DayFile()), "\r\n10:07 05/01/2027  User 3, Associate 3, logged on.\r\n");
}

TEST_F(LogonTest, TheServerHookLogsOnOverTheMainWindow) {
    DialogDriver driver({[](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), g_app.mainWindow);
        Click(dialog, IDOK);
    }});
    LogOnUntilSuccess();
    EXPECT_EQ(driver.stepsRun(), 1u);
    EXPECT_EQ(Title(g_app.mainWindow), "VARENKO    Assoc: 1, Administrator");
}

}  // namespace
