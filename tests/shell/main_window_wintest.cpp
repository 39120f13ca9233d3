// The real main window, created in this process on a fresh data directory (offline).
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/layout.h"
#include "shell/logon_dialog.h"
#include "shell/startup.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"

namespace {

class MainWindowTest : public MainWindowFixture {
protected:
    std::string ItemBox() { return ItemBoxText(100); }
    // A modeless entry dialog with an edit 1101, as the payment dialogs are.
    void OpenEntryDialog() {
        entryDialog_ = CreateDialogParamA(g_app.instance, "EDITBOX", window_,
                                          [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG; }, 0);
        ASSERT_NE(entryDialog_, nullptr);
        g_app.entryDialog = entryDialog_;  // the fixture closes it
    }
    std::string EntryText() {
        char text[64] = {};
        GetDlgItemTextA(entryDialog_, IDC_EDIT1, text, sizeof text);
        return text;
    }

    HWND entryDialog_ = nullptr;
};

TEST_F(MainWindowTest, CreatesItsControlsAndPlacesThemForTheClientSize) {
    for (int id : {CMD_EFT_PAYMENT, CMD_CASH, CMD_REFUND, CMD_KITCHEN_PRINT, CMD_CHANGE_BASKET_TABLE, 2430, 2441,
                   2700, 2759, 2500, 2518})
        EXPECT_NE(GetDlgItem(window_, id), nullptr) << id;
    RECT client;
    GetClientRect(window_, &client);
    const MainLayout layout = ComputeLayout(client.right, client.bottom);
    for (int k = 0; k < kMaxPictureButtons; ++k)
        EXPECT_EQ(IsWindowVisible(GetDlgItem(window_, 2700 + k)) != 0, k < layout.pictureButtons) << k;
    RECT list;
    GetWindowRect(g_app.basketList, &list);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, layout.basketList.x);
    EXPECT_EQ(list.bottom - list.top, layout.basketList.height);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window_, 2500)));  // shown by the first paint
}

TEST_F(MainWindowTest, KeypadTypesIntoTheItemBox) {
    Command(2431);
    Command(2432);
    EXPECT_EQ(ItemBox(), "12");
    Command(kKeypadErase);
    EXPECT_EQ(ItemBox(), "1");
    Command(kKeypadClear);
    EXPECT_EQ(ItemBox(), "");
    Command(kKeypadErase);
    EXPECT_EQ(ItemBox(), "");
}

TEST_F(MainWindowTest, MenuTogglesFlipTheirOptionsAndChecks) {
    auto checked = [&](int item) {
        return (GetMenuState(GetMenu(window_), item, MF_BYCOMMAND) & MF_CHECKED) == MF_CHECKED;
    };
    g_app.live.SetOption(12, 1);
    Command(CMD_TENDERED);
    EXPECT_EQ(g_app.live.Option(12), 0);
    EXPECT_TRUE(checked(CMD_TENDERED));
    Command(CMD_TENDERED);
    EXPECT_EQ(g_app.live.Option(12), 1);
    EXPECT_FALSE(checked(CMD_TENDERED));
    g_app.live.SetOption(3, 0);
    Command(CMD_TRANSFER_PICTURES);
    EXPECT_EQ(g_app.live.Option(3), 1);
    EXPECT_TRUE(checked(CMD_TRANSFER_PICTURES));
}

TEST_F(MainWindowTest, KeysOfTheItemBoxChangeCategory) {
    g_app.live.SetSwitch(18, 17);
    SendMessageA(g_app.itemBox, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(g_app.live.Switch(18), 18);
    SendMessageA(g_app.itemBox, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(g_app.live.Switch(18), 0);
    SendMessageA(g_app.itemBox, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(g_app.live.Switch(18), 18);
    Command(2503);
    EXPECT_EQ(g_app.live.Switch(18), 3);
    Command(2518);
    EXPECT_EQ(g_app.live.Switch(18), 18);
}

TEST_F(MainWindowTest, AnOpenEntryDialogRefusesCommandsAndTakesTheKeypad) {
    OpenEntryDialog();
    const std::int64_t before = g_app.live.Option(12);
    Command(CMD_TENDERED);
    EXPECT_EQ(g_app.live.Option(12), before);
    EXPECT_EQ(GetFocus(), GetDlgItem(entryDialog_, IDC_EDIT1));
    Command(2435);
    Command(2430);
    EXPECT_EQ(EntryText(), "50");
    EXPECT_EQ(ItemBox(), "");
    // Keys in the item box are not turned into commands meanwhile.
    g_app.live.SetSwitch(18, 2);
    SendMessageA(g_app.itemBox, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(g_app.live.Switch(18), 2);
}

void Key(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

TEST_F(MainWindowTest, CtrlLettersLeaveTheItemBoxEmpty) {
    SetForegroundWindow(window_);
    SetFocus(g_app.itemBox);
    Key('7', false);
    Key('7', true);
    Pump();
    ASSERT_EQ(ItemBox(), "7");  // typing reaches the box
    ClearItemBox();
    // A paste is a change made while Ctrl is held: nothing of it stays.
    if (OpenClipboard(window_)) {
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 3);
        lstrcpyA(static_cast<char*>(GlobalLock(text)), "12");
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);
        CloseClipboard();
    }
    for (WORD letter : {'V', 'Q', 'B', 'Z'}) {
        Key(VK_CONTROL, false);
        Key(letter, false);
        Key(letter, true);
        Key(VK_CONTROL, true);
        Pump();
        EXPECT_EQ(ItemBox(), "") << static_cast<char>(letter);
    }
}

TEST_F(MainWindowTest, CashWithAnEmptyBasketAsksForItemsAndKitchenPrintSaysNoItems) {
    Command(CMD_CASH);
    EXPECT_TRUE(messages().Saw("Please select items", "Problem"));
    Command(CMD_KITCHEN_PRINT);
    EXPECT_TRUE(messages().Saw("No items", "Problem"));
}

TEST_F(MainWindowTest, RestrictedCommandsAreRefusedToOrdinaryAssociates) {
    g_app.live.SetOption(43, 2);
    g_app.live.SetCurrentAssociate(3);
    Command(CMD_TRADE_TOGGLE);
    EXPECT_EQ(g_app.live.Option(42), 0);
    g_app.live.SetCurrentAssociate(1);
    Command(CMD_TRADE_TOGGLE);
    EXPECT_EQ(g_app.live.Option(42), 2);
}

TEST_F(MainWindowTest, InitializeConfigurationWritesTheDefaultsAndSaysComplete) {
    g_app.live.SetOption(33, 1234);
    Command(CMD_INITIALIZE_CONFIGURATION);
    EXPECT_TRUE(messages().Saw("Complete", "Reset"));
    EXPECT_EQ(g_app.live.Option(33), 2000);
}

// Pixels of the window's client area darker than light grey inside a rectangle.
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
    ReleaseDC(window_, dc);
    const RECT oldDigits = {w / 2 + 136 + shortText.cx + 1, h - 234, w / 2 + 136 + longText.cx, h - 234 + longText.cy};
    ASSERT_GT(DarkPixels(window_, oldDigits), 0) << "the long number is drawn";

    // After a sale only the totals area is painted again, straight away.
    g_app.live.SetTransactionNumber(1);
    PaintTotalsArea(window_);
    EXPECT_EQ(DarkPixels(window_, oldDigits), 0) << "digits of the previous number are left behind";

    // The picture grid's panel is filled white between its edge and the buttons.
    HDC screen = GetDC(window_);
    EXPECT_EQ(GetPixel(screen, 26, 400), RGB(255, 255, 255));
    ReleaseDC(window_, screen);

    // The trade toggle refreshes the totals area at once: "Trade" shows without a paint.
    const RECT trade = {136, 32, 176, 46};
    ASSERT_EQ(DarkPixels(window_, trade), 0);
    Command(CMD_TRADE_TOGGLE);
    EXPECT_GT(DarkPixels(window_, trade), 0);
}

TEST_F(MainWindowTest, AfterALogonTheClockNoLongerTakesTheTitle) {
    SendMessageA(window_, WM_TIMER, 1, 0);
    EXPECT_EQ(Title(window_).rfind("VARENKO Client", 0), 0u) << "before any logon the title is the clock";
    DialogDriver driver({[](HWND dialog) {
        for (int key : {IDC_LOGON_KEY_1, IDC_LOGON_KEY_1, IDC_LOGON_KEY_1, IDC_LOGON_KEY_1}) Click(dialog, key);
        Click(dialog, IDOK);
    }});
    g_app.live.SetAssociatePassword(1, "1111");
    g_app.live.SetAssociateName(1, "Administrator");
    ASSERT_EQ(LogOn(window_), 1);
    SendMessageA(window_, WM_TIMER, 1, 0);
    EXPECT_EQ(Title(window_), "VARENKO    Assoc: 1, Administrator");
}

}  // namespace
