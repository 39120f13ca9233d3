// The shell on Windows: the real main window, created in this process on a fresh data
// directory (offline), and its logon; the shared dialogs; the configuration file, whose
// saves at start-up and at exit, and what a failed one keeps, are the end-to-end tests'
// (StartupEndToEnd, FaultEndToEnd).
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource_ids.h"
#include "shell/config_file.h"
#include "shell/dispatch.h"
#include "shell/logon_dialog.h"
#include "shell/shared_dialogs.h"
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
    Command(CMD_TENDERED);
    EXPECT_EQ(g_app.live.Option(12), 1) << "refused while the dialog is open";
    EXPECT_EQ(GetFocus(), GetDlgItem(g_app.entryDialog, IDC_EDIT1));
    Command(2435);
    EXPECT_EQ(Text(g_app.entryDialog, IDC_EDIT1) + "/" + ItemBoxText(100), "5/2");
}

void Key(WORD key, bool up) { keybd_event(static_cast<BYTE>(key), 0, up ? KEYEVENTF_KEYUP : 0, 0); }

// A paste is a change made while Ctrl is held: nothing of it stays. The key typed after
// it comes through Wine's queue behind the paste, so once it is there the paste was handled.
TEST_F(MainWindowTest, APasteLeavesNothingInTheItemBoxButTypingReachesIt) {
    SetForegroundWindow(window_), SetFocus(g_app.itemBox);
    PutOnClipboard(window_, "12");
    for (WORD key : {WORD{VK_CONTROL}, WORD{'V'}}) Key(key, false);
    for (WORD key : {WORD{'V'}, WORD{VK_CONTROL}}) Key(key, true);
    Key('7', false), Key('7', true);
    for (int i = 0; i < 50 && ItemBoxText(100).find('7') == std::string::npos; ++i) Pump(), Sleep(20);
    EXPECT_EQ(ItemBoxText(100), "7");
}

// Logging on by keypad or keyboard is the end-to-end day at the till's.
TEST_F(MainWindowTest, OnlyOkEndsTheLogonAndTheKeypadAddsToWhatWasTypedThenTheClockNoLongerTakesTheTitle) {
    FillDefaultAssociateNames(g_app.live);
    g_app.live.SetAssociatePassword(3, "12349");
    DialogDriver driver({
        [](HWND dialog) {
            // Cancel, Escape and Close leave the dialog open: only OK ends a logon.
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // as the dialog manager sends it for Escape
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

using ConfigFileTest = AppFixture;
using SharedDialogsTest = AppFixture;  // no instance: the dialogs come from this program's resources

// Written whole through a replacement moved over the file: the end-to-end tests.
TEST_F(ConfigFileTest, AReadFillsOnlyWhatTheFileHoldsAndAFailedDefaultWriteIsFatal) {
    struct Row { std::size_t size; const char* why; };
    const Row rows[] = {{100, "a short file fills only its leading bytes"},
                        {cfg::kSize + 5000, "a long one only the record"}, {0, "an empty file is read"}};
    for (const Row& r : rows) {
        WriteWholeFile(g_app.configPath, std::string(r.size, 'a'));
        TerminalConfig record;
        std::memset(record.data(), 'b', cfg::kSize);
        ASSERT_TRUE(ReadConfigFile(g_app.configPath, record)) << r.why;
        const std::size_t read = std::min(r.size, cfg::kSize);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data()), cfg::kSize),
                  std::string(read, 'a') + std::string(cfg::kSize - read, 'b')) << r.why;
    }
    CreateDirectoryA((std::string(g_app.configPath) + ".new").c_str(), nullptr);  // in the replacement's way
    WriteDefaultConfiguration();
    EXPECT_TRUE(messages().Saw("Data file: vkc.cfg, not present.", "Fatal error"));
}

// The basket tables, the item search, the note, the prompt and the two-field prompt: what
// each shows, and what it returns: nothing on Cancel, at most the boxes' lengths on OK.
TEST_F(SharedDialogsTest, EachDialogShowsItsTextsAndReturnsWhatWasChosenOrTyped) {
    g_app.live.SetSwitch(32, 1);
    std::string text, note = "earlier", value = "ABC", first, second;
    bool withinSkus = true;
    DialogDriver driver({Press(IDC_BASKET_TABLE_7, IDC_BASKET_TABLE_8, ">8<"),
                         [](HWND d) {
                             EXPECT_EQ(IsDlgButtonChecked(d, IDC_SEARCH_WITHIN_SKUS), BST_CHECKED);
                             SetText(d, IDC_EDIT1, std::string(45, 's'));
                             SendDlgItemMessageA(d, IDC_SEARCH_BY_DESCRIPTION, BM_CLICK, 0, 0);
                             SendDlgItemMessageA(d, IDC_KEEP_SEARCH_TYPE, BM_CLICK, 0, 0);
                             Click(d, IDOK);
                         },
                         [](HWND d) { Click(d, IDCANCEL); },
                         Prompt(std::string(80, 'n')),
                         [](HWND d) {
                             EXPECT_EQ(Text(d, IDC_PROMPT) + "/" + Text(d, IDC_EDIT1), "Enter the reference/ABC");
                             Prompt(std::string(35, 'r'))(d);
                         },
                         [](HWND d) {
                             EXPECT_EQ(Title(d) + "/" + Text(d, IDC_GROUP_CAPTION), "Customer search/Postcode");
                             SetText(d, IDC_EDIT1, std::string(30, 'a'));
                             SetText(d, IDC_EDIT2, "12345678");
                             Click(d, IDOK);
                         }});
    EXPECT_EQ(ChooseBasketTable(nullptr, 8), 7);
    ASSERT_TRUE(AskItemSearch(nullptr, g_app.live, text, withinSkus));
    EXPECT_EQ(text, std::string(38, 's'));
    EXPECT_FALSE(withinSkus);
    EXPECT_EQ(g_app.live.Switch(32), 0);
    EXPECT_FALSE(AskTransactionNote(nullptr, note));
    EXPECT_EQ(note, "earlier");
    ASSERT_TRUE(AskTransactionNote(nullptr, note));
    EXPECT_EQ(note, std::string(79, 'n'));
    ASSERT_TRUE(AskText(nullptr, "Enter the reference", value));
    EXPECT_EQ(value, std::string(34, 'r'));
    ASSERT_TRUE(AskTwoFields(nullptr, "Customer search", "Postcode", first, second));
    EXPECT_EQ(first + "/" + second, std::string(29, 'a') + "/1234567");
}

}  // namespace
