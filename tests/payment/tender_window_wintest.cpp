// The payment dialogs on the real main window: controls wired to payment/tender.h, colours,
// placement, font. No server: a sale whose list is empty ends at "No items" before the commit.
// Paying by keyboard and each quick button is the end-to-end day at the till's.
#include "payment/tender_window.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"

namespace {

using TenderWindowTest = MainWindowFixture;

// The colour the dialog paints the change box with: its text background and its brush, when they agree.
COLORREF ChangeBackground(HWND dialog) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGBRUSH brush = {};
    GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_EDIT2)))),
               sizeof brush, &brush);
    const COLORREF colour = GetBkColor(dc);
    DeleteDC(dc);
    return brush.lbColor == colour ? colour : CLR_INVALID;
}

TEST_F(TenderWindowTest, TheChangeFollowsWhatTheDigitsOnlyBoxKeepsOnItsColourBesideTheMainWindow) {
    Command(CMD_CASH);
    EXPECT_TRUE(messages().Saw("Please select items", "Problem") && !g_app.entryDialog) << "an empty basket";
    AddLine(1001, "Vodka", 12.34, false);
    Command(CMD_CASH);
    HWND box = g_app.entryDialog;
    ASSERT_NE(box, nullptr);
    Type(box, IDC_EDIT1, "2");
    EXPECT_EQ(ChangeBackground(box), RGB(200, 40, 40)) << "red while short";
    Type(box, IDC_EDIT1, "0-0.0abc");
    EXPECT_EQ(Text(box, IDC_EDIT1) + " " + Text(box, IDC_EDIT2), "2000 7.66") << "digits only, as typed";
    EXPECT_EQ(ChangeBackground(box), RGB(240, 240, 200)) << "pale yellow once covered";

    RECT main, dialog;
    GetWindowRect(window_, &main);
    GetWindowRect(box, &dialog);
    EXPECT_EQ(dialog.right, main.right - 10);
    EXPECT_NEAR((dialog.top + dialog.bottom) / 2.0, (main.top + main.bottom) / 2.0, 1.0);
    LOGFONTA typed = {}, own = {};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(box, IDC_EDIT1, WM_GETFONT, 0, 0)), sizeof typed, &typed);
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)), sizeof own, &own);
    EXPECT_EQ(typed.lfHeight, 2 * own.lfHeight);
    SetDlgItemTextA(box, IDC_EDIT1, "nan00");
    EXPECT_EQ(Text(box, IDC_EDIT1), "00") << "as set";
    SetDlgItemTextA(box, IDC_EDIT1, "");
    PutOnClipboard(box, "9e99 -5.00");
    SendDlgItemMessageA(box, IDC_EDIT1, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(box, IDC_EDIT1) + " " + Text(box, IDC_EDIT2), "999500 9982.66") << "as pasted";

    SetDlgItemTextA(box, IDC_EDIT1, "1233");
    Click(box, IDOK);
    EXPECT_TRUE(messages().Saw("Less than total", "Problem") && IsWindow(box)) << "still open";
    Click(box, IDC_TENDER_20);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(messages().Saw("No items", "Problem")) << "lines but no list entries";
}

TEST_F(TenderWindowTest, ACancelledSplitLeavesNoAmountsBehind) {
    AddLine(1001, "Vodka", 30.00);
    Command(CMD_SPLIT_PAYMENT);
    HWND split = g_app.entryDialog;
    ASSERT_NE(split, nullptr);
    Type(split, IDC_EDIT1, "1000");
    EXPECT_EQ(Text(split, IDC_EDIT2), "20.00");
    CheckRadioButton(split, IDC_SPLIT_CH, IDC_SPLIT_EFT, IDC_SPLIT_EFT);
    Click(split, IDOK);
    EXPECT_DOUBLE_EQ(g_app.basket.EftPaid(), 20.00) << "written, and the radio button read";
    ASSERT_NE(g_app.entryDialog, nullptr) << "the cash part's dialog";
    Click(g_app.entryDialog, IDCANCEL);
    EXPECT_EQ(g_app.entryDialog, nullptr);
    const TransactionRecord& b = g_app.basket;
    EXPECT_EQ(b.CashPaid() + b.ChequePaid() + b.EftPaid(), 0.0) << "a later payment would send them along";
}

}  // namespace
