// The payment dialogs on the real main window, driven by their control ids. No shop
// server here: a finished payment meets a basket whose list is empty ("No items"),
// which ends the commit before any remote call.
#include "payment/tender_window.h"

#include <gtest/gtest.h>

#include "payment/commit_window.h"
#include "payment/till_fixture.h"
#include "shell/terminal_hooks.h"

namespace {

class CashBoxTest : public TillFixture {
protected:
    // "Cash" from the main window with a basket of `total`; the CashBox it opens.
    HWND OpenCash(double total, bool listed = true) {
        AddLine(1001, "Kingsbridge Vodka 70cl", total, listed);
        Command(CMD_CASH);
        return g_app.entryDialog;
    }
};

constexpr COLORREF kRed = RGB(200, 40, 40);
constexpr COLORREF kPaleYellow = RGB(240, 240, 200);

TEST_F(CashBoxTest, TypedAmountShowsTheChangeLiveOnItsBackground) {
    HWND box = OpenCash(12.34);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Title(box), "Cash payment");
    EXPECT_EQ(Text(box, IDC_AMOUNT_DUE), "12.34");
    EXPECT_EQ(Text(box, IDC_EDIT1), "");
    EXPECT_EQ(Text(box, IDC_LABEL4), "Enter the amount without the . character");

    Type(box, IDC_EDIT1, "2");
    EXPECT_EQ(Text(box, IDC_EDIT2), "");
    EXPECT_EQ(Background(box, IDC_EDIT2), kRed);
    Type(box, IDC_EDIT1, "000");
    EXPECT_EQ(Text(box, IDC_EDIT2), "7.66");
    EXPECT_EQ(Background(box, IDC_EDIT2), kPaleYellow);

    Clear(box, IDC_EDIT1);
    Type(box, IDC_EDIT1, "1234");
    EXPECT_EQ(Text(box, IDC_EDIT2), "0.00");
    EXPECT_EQ(Background(box, IDC_EDIT2), kPaleYellow);

    Clear(box, IDC_EDIT1);
    Type(box, IDC_EDIT1, "1233");
    EXPECT_EQ(Text(box, IDC_EDIT2), "");
    EXPECT_EQ(Background(box, IDC_EDIT2), kRed);

    Press(box, IDOK);
    EXPECT_TRUE(messages().Saw("Less than total", "Problem"));
    EXPECT_EQ(g_app.entryDialog, box);  // still open

    Press(box, IDCANCEL);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(g_app.entryDialog, nullptr);
    EXPECT_EQ(g_app.basket.LineCount(), 1);  // nothing paid
    EXPECT_EQ(ListEntries(), 1);
    EXPECT_EQ(messages().messages().size(), 1u);
}

TEST_F(CashBoxTest, TheAmountBoxKeepsDigitsOnlyWhateverIsTypedPastedOrSet) {
    HWND box = OpenCash(30.00);
    ASSERT_NE(box, nullptr);
    Type(box, IDC_EDIT1, "20-0.0abc");
    EXPECT_EQ(Text(box, IDC_EDIT1), "2000");
    EXPECT_EQ(Text(box, IDC_EDIT2), "");  // 20.00 is short of 30.00
    Clear(box, IDC_EDIT1);
    SetDlgItemTextA(box, IDC_EDIT1, "nan00");
    EXPECT_EQ(Text(box, IDC_EDIT1), "00");
    Clear(box, IDC_EDIT1);
    if (OpenClipboard(box)) {
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 16);
        lstrcpyA(static_cast<char*>(GlobalLock(text)), "9e99 -5.00");
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);
        CloseClipboard();
    }
    SendDlgItemMessageA(box, IDC_EDIT1, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(box, IDC_EDIT1), "999500");
    EXPECT_EQ(Text(box, IDC_EDIT2), "9965.00");
}

TEST_F(CashBoxTest, OkWithAnEmptyBoxIsLessThanTotal) {
    HWND box = OpenCash(0.05);
    ASSERT_NE(box, nullptr);
    Press(box, IDOK);
    EXPECT_TRUE(messages().Saw("Less than total", "Problem"));
    EXPECT_EQ(g_app.entryDialog, box);
}

TEST_F(CashBoxTest, SitsTenPixelsInFromTheRightCentredWithTheDoubledFont) {
    HWND box = OpenCash(1.00);
    ASSERT_NE(box, nullptr);
    RECT main, dialog;
    GetWindowRect(window_, &main);
    GetWindowRect(box, &dialog);
    EXPECT_EQ(dialog.right, main.right - 10);
    EXPECT_NEAR((dialog.top + dialog.bottom) / 2.0, (main.top + main.bottom) / 2.0, 1.0);

    LOGFONTA typed = {}, own = {};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(box, IDC_EDIT1, WM_GETFONT, 0, 0)),
                           sizeof typed, &typed));
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)), sizeof own, &own));
    EXPECT_EQ(typed.lfHeight, 2 * own.lfHeight);
    EXPECT_NE(own.lfHeight, 0);
}

TEST_F(CashBoxTest, WhileOpenThePaymentCommandsOpenNothingMore) {
    HWND box = OpenCash(3.00);
    ASSERT_NE(box, nullptr);
    Command(CMD_CASH);
    Command(CMD_SPLIT_PAYMENT);
    Command(CMD_CH_PAYMENT);
    EXPECT_EQ(g_app.entryDialog, box);
    PayByCash();  // even past the dispatch rules
    PaySplit();
    PayByCheque();
    EXPECT_EQ(g_app.entryDialog, box);
    EXPECT_EQ(g_app.basket.PaymentType(), "");
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(CashBoxTest, QuickButtonsTenderTheirValueOrRefuseWhenShort) {
    HWND box = OpenCash(4.50, /*listed=*/false);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(box, IDC_TENDER_5), "5.00");
    EXPECT_EQ(Text(box, IDC_TENDER_10), "10.00");
    EXPECT_EQ(Text(box, IDC_TENDER_20), "20.00");
    Press(box, IDC_TENDER_5);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(g_app.entryDialog, nullptr);
    EXPECT_DOUBLE_EQ(g_saleTender.tendered, 5.00);
    EXPECT_DOUBLE_EQ(g_saleTender.change, 0.50);
    // The commit found lines but no list entries.
    EXPECT_TRUE(messages().Saw("No items", "Problem"));
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);

    box = OpenCash(5.01, false);
    ASSERT_NE(box, nullptr);
    Press(box, IDC_TENDER_5);
    EXPECT_TRUE(messages().Saw("Less than total", "Problem"));
    EXPECT_EQ(g_app.entryDialog, box);
    Press(box, IDC_TENDER_10);
    EXPECT_DOUBLE_EQ(g_saleTender.tendered, 10.00);
    EXPECT_DOUBLE_EQ(g_saleTender.change, 4.99);
}

TEST_F(CashBoxTest, ExactAmountAndOkSetTenderedAndChange) {
    HWND box = OpenCash(12.34, false);
    ASSERT_NE(box, nullptr);
    Press(box, IDC_EXACT_AMOUNT);
    EXPECT_DOUBLE_EQ(g_saleTender.tendered, 12.34);
    EXPECT_DOUBLE_EQ(g_saleTender.change, 0.0);

    box = OpenCash(12.34, false);
    ASSERT_NE(box, nullptr);
    Type(box, IDC_EDIT1, "2000");
    Press(box, IDOK);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_DOUBLE_EQ(g_saleTender.tendered, 20.00);
    EXPECT_DOUBLE_EQ(g_saleTender.change, 7.66);
}

TEST_F(CashBoxTest, PaymentsOnAnEmptyBasketAskForItems) {
    PayByCash();
    EXPECT_EQ(g_app.entryDialog, nullptr);
    PayByCard();
    PaySplit();
    ASSERT_EQ(messages().messages().size(), 3u);
    for (const ShownMessage& m : messages().messages()) {
        EXPECT_EQ(m.text, "Please select items");
        EXPECT_EQ(m.caption, "Problem");
    }
}

class SplitTest : public TillFixture {};

TEST_F(SplitTest, CashPartThenTheRestOnEftThenTheCashBoxForTheCash) {
    AddLine(1001, "Kingsbridge Vodka 70cl", 30.00, /*listed=*/false);
    Command(CMD_SPLIT_PAYMENT);
    HWND split = g_app.entryDialog;
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(Title(split), "Split payment");
    EXPECT_EQ(Text(split, IDC_AMOUNT_DUE), "30.00");
    EXPECT_EQ(IsDlgButtonChecked(split, IDC_SPLIT_CH), BST_CHECKED);

    Type(split, IDC_EDIT1, "3001");
    EXPECT_EQ(Text(split, IDC_EDIT2), "");
    Press(split, IDOK);
    EXPECT_TRUE(messages().Saw("Cash exceeds total", "Problem"));
    EXPECT_EQ(Text(split, IDC_EDIT1), "");
    EXPECT_EQ(g_app.entryDialog, split);

    Type(split, IDC_EDIT1, "1000");
    EXPECT_EQ(Text(split, IDC_EDIT2), "20.00");
    CheckRadioButton(split, IDC_SPLIT_CH, IDC_SPLIT_EFT, IDC_SPLIT_EFT);
    Press(split, IDOK);
    EXPECT_FALSE(IsWindow(split));
    EXPECT_DOUBLE_EQ(g_app.basket.CashPaid(), 10.00);
    EXPECT_DOUBLE_EQ(g_app.basket.EftPaid(), 20.00);
    EXPECT_DOUBLE_EQ(g_app.basket.ChequePaid(), 0.0);

    HWND cash = g_app.entryDialog;
    ASSERT_NE(cash, nullptr);
    EXPECT_EQ(Title(cash), "Cash payment");
    EXPECT_EQ(Text(cash, IDC_AMOUNT_DUE), "10.00");
    Press(cash, IDC_TENDER_20);
    EXPECT_EQ(g_app.entryDialog, nullptr);
    EXPECT_DOUBLE_EQ(g_saleTender.tendered, 20.00);
    EXPECT_DOUBLE_EQ(g_saleTender.change, 10.00);
}

TEST_F(SplitTest, CancelledSplitLeavesNoAmountsBehind) {
    AddLine(1001, "Kingsbridge Vodka 70cl", 30.00);
    Command(CMD_SPLIT_PAYMENT);
    HWND split = g_app.entryDialog;
    ASSERT_NE(split, nullptr);
    Press(split, IDOK);  // empty: no cash, all on CH
    HWND cash = g_app.entryDialog;
    ASSERT_NE(cash, nullptr);
    EXPECT_EQ(Text(cash, IDC_AMOUNT_DUE), "0.00");
    EXPECT_DOUBLE_EQ(g_app.basket.ChequePaid(), 30.00);
    Press(cash, IDCANCEL);
    EXPECT_EQ(g_app.entryDialog, nullptr);
    EXPECT_DOUBLE_EQ(g_app.basket.ChequePaid(), 0.0) << "a later cash payment would send it along";
    EXPECT_EQ(g_app.basket.LineCount(), 1);
    EXPECT_TRUE(messages().messages().empty());
}

}  // namespace
