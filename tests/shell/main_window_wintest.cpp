// The real main window, created in this process on a fresh data directory (offline), and its logon.
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/logon_dialog.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"

namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, TheKeypadTypesIntoTheItemBoxOrTheOpenEntryDialogWhichRefusesOtherCommands) {
    Command(2431), Command(kKeypadErase), Command(2432);
    EXPECT_EQ(ItemBoxText(100), "2");
    Command(CMD_TENDERED);
    EXPECT_EQ(g_app.live.Option(12), 1);

    const DLGPROC inert = [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG; };
    g_app.entryDialog = CreateDialogParamA(g_app.instance, "EDITBOX", window_, inert, 0);  // as a payment opens
    ASSERT_NE(g_app.entryDialog, nullptr);
    Command(CMD_TENDERED);
    EXPECT_EQ(g_app.live.Option(12), 1) << "refused while the dialog is open";
    EXPECT_EQ(GetFocus(), GetDlgItem(g_app.entryDialog, IDC_EDIT1));
    Command(2435);
    EXPECT_EQ(Text(g_app.entryDialog, IDC_EDIT1) + "/" + ItemBoxText(100), "5/2");
}

void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD, input.ki.wVk = key, input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

TEST_F(MainWindowTest, TypingReachesTheItemBoxButAPasteLeavesItEmpty) {
    SetForegroundWindow(window_), SetFocus(g_app.itemBox);
    Key('7', false), Key('7', true);
    for (int i = 0; i < 50 && ItemBoxText(100).empty(); ++i) Pump(), Sleep(20);  // the key comes through Wine's queue
    ASSERT_EQ(ItemBoxText(100), "7");
    ClearItemBox();
    // A paste is a change made while Ctrl is held: nothing of it stays.
    PutOnClipboard(window_, "12");
    for (WORD key : {WORD{VK_CONTROL}, WORD{'V'}}) Key(key, false);
    for (WORD key : {WORD{'V'}, WORD{VK_CONTROL}}) Key(key, true);
    Pump();
    EXPECT_EQ(ItemBoxText(100), "");
}

TEST_F(MainWindowTest, OnlyOkEndsTheLogonAndTheKeypadAddsToWhatWasTypedThenTheClockNoLongerTakesTheTitle) {
    SendMessageA(window_, WM_TIMER, 1, 0);
    EXPECT_EQ(Title(window_).rfind("VARENKO Client", 0), 0u) << "before any logon the title is the clock";
    FillDefaultAssociateNames(g_app.live);
    g_app.live.SetAssociatePassword(3, "12349");
    DialogDriver driver({
        [](HWND dialog) {
            // Cancel, Escape and Close leave the dialog open: only OK ends a logon.
            ::Command(dialog, IDCANCEL);
            PostMessageA(GetDlgItem(dialog, IDC_EDIT1), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        },
        [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_EDIT1, "1234");  // typed on the keyboard
            for (int key : {IDC_LOGON_DOWN, IDC_LOGON_DOWN, IDC_LOGON_KEY_5, IDC_LOGON_ERASE, IDC_LOGON_KEY_9})
                Click(dialog, key);
            EXPECT_EQ(Text(dialog, IDC_EDIT2) + "/" + Text(dialog, IDC_EDIT1), "3 Associate 3/12349");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EDIT1));
            Click(dialog, IDOK);
        },
    });
    EXPECT_EQ(LogOn(window_), 1);
    EXPECT_EQ(GetFocus(), g_app.itemBox);
    SendMessageA(window_, WM_TIMER, 1, 0);
    EXPECT_EQ(Title(window_), "VARENKO    Assoc: 3, Associate 3");
}

// Pixels of the window's client area darker than mid grey inside a rectangle.
int DarkPixels(HWND window, RECT r) {
    HDC dc = GetDC(window);
    int dark = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128) ++dark;
        }
    ReleaseDC(window, dc);
    return dark;
}

TEST_F(MainWindowTest, TheTotalsAreaRepaintsAtOnceWithoutStaleDigitsOverWhitePanels) {
    RECT client;
    GetClientRect(window_, &client);
    const int w = client.right, h = client.bottom;
    g_app.live.SetTransactionNumber(188888);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(window_);
    SIZE shortText = {}, longText = {};
    GetTextExtentPoint32A(dc, "Transaction: 1", 14, &shortText);
    GetTextExtentPoint32A(dc, "Transaction: 188888", 19, &longText);
    const RECT oldDigits = {w / 2 + 136 + shortText.cx + 1, h - 234, w / 2 + 136 + longText.cx, h - 234 + longText.cy};
    ASSERT_GT(DarkPixels(window_, oldDigits), 0) << "the long number is drawn";

    // After a sale only the totals area is painted again, straight away.
    g_app.live.SetTransactionNumber(1);
    PaintTotalsArea(window_);
    EXPECT_EQ(DarkPixels(window_, oldDigits), 0) << "digits of the previous number are left behind";

    // The picture grid's panel is filled white between its edge and the buttons.
    EXPECT_EQ(GetPixel(dc, 26, 400), RGB(255, 255, 255));
    ReleaseDC(window_, dc);

    // The trade toggle refreshes the totals area at once: "Trade" shows without a paint.
    const RECT trade = {136, 32, 176, 46};
    ASSERT_EQ(DarkPixels(window_, trade), 0);
    Command(CMD_TRADE_TOGGLE);
    EXPECT_GT(DarkPixels(window_, trade), 0);
}

}  // namespace
