#include "basket/basket_window.h"

#include <windows.h>

#include <cstdint>
#include <span>

#include "basket/basket.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/terminal_hooks.h"

namespace {

// "Repeat" reads this much of the item box for its count.
constexpr std::size_t kRepeatCountReadLimit = 37;

bool g_repeating = false;

// Sets the repeat flag for one scope, clearing it however the scope ends.
class RepeatScope {
public:
    RepeatScope() { g_repeating = true; }
    ~RepeatScope() { g_repeating = false; }
    RepeatScope(const RepeatScope&) = delete;
    RepeatScope& operator=(const RepeatScope&) = delete;
};

void SelectLastEntry() {
    const int n = BasketListCount();
    if (n > 0) SendMessageA(g_app.basketList, LB_SETCURSEL, static_cast<WPARAM>(n - 1), 0);
}

void Problem(const char* text) { ShowMessage(g_app.mainWindow, text, "Problem"); }

// The parked-basket store, locked for the lifetime of the object.
class ParkedStore {
public:
    ParkedStore() {
        if (!g_app.parkedBaskets) return;
        data_ = static_cast<std::uint8_t*>(GlobalLock(g_app.parkedBaskets));
        if (data_) size_ = GlobalSize(g_app.parkedBaskets);
    }
    ~ParkedStore() {
        if (data_) GlobalUnlock(g_app.parkedBaskets);
    }
    ParkedStore(const ParkedStore&) = delete;
    ParkedStore& operator=(const ParkedStore&) = delete;
    std::span<std::uint8_t> bytes() const { return {data_, data_ ? size_ : 0}; }

private:
    std::uint8_t* data_ = nullptr;
    SIZE_T size_ = 0;
};

// Changes the basket list with its drawing held back, then has it painted once. Drawn
// as it goes, every entry added and every selection that scrolls would redraw both
// scroll bars and scroll the list at once, which under Wine costs milliseconds a time.
template <typename Change>
void ChangeListQuietly(Change change) {
    if (!g_app.basketList) return;
    SendMessageA(g_app.basketList, WM_SETREDRAW, FALSE, 0);
    change();
    SendMessageA(g_app.basketList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_app.basketList, nullptr, TRUE);
}

void AddAndSelect(const std::string& text) {
    const LRESULT at = SendMessageA(g_app.basketList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (at != LB_ERR && at != LB_ERRSPACE) SendMessageA(g_app.basketList, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

}  // namespace

void AppendBasketEntry(const std::string& text) {
    ChangeListQuietly([&] { AddAndSelect(text); });
}

void ReplaceLastBasketEntry(const std::string& text) {
    ChangeListQuietly([&] {
        const LRESULT count = SendMessageA(g_app.basketList, LB_GETCOUNT, 0, 0);
        if (count > 0) SendMessageA(g_app.basketList, LB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
        AddAndSelect(text);
    });
}

void RefreshTotals() {
    if (g_app.mainWindow) PaintTotalsArea(g_app.mainWindow);
    if (g_app.live.Switch(basketcfg::kPoleFitted)) ShowPoleIdleText();
    if (!g_repeating) PlayTerminalSound(IDW_TOTALS);
}

int BasketListCount() {
    if (!g_app.basketList) return 0;
    const LRESULT n = SendMessageA(g_app.basketList, LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

void ForgetBasket() {
    if (g_app.basketList) SendMessageA(g_app.basketList, LB_RESETCONTENT, 0, 0);
    g_app.basket = TransactionRecord{};
}

void ClearBasket() {
    if (BasketListCount() < 1) return;
    ForgetBasket();
    RefreshTotals();
    PlayTerminalSound(IDW_LINE_REMOVED);
}

void RemoveSelectedBasketLine() {
    const int m = BasketListCount();
    if (m < 1) {
        Problem("No items");
        return;
    }
    const LRESULT selected = SendMessageA(g_app.basketList, LB_GETCURSEL, 0, 0);
    const int s = (selected == LB_ERR || selected < 0 || selected >= m) ? m - 1 : static_cast<int>(selected);
    RemoveBasketLine(g_app.basket, s);
    ChangeListQuietly([&] {
        SendMessageA(g_app.basketList, LB_DELETESTRING, static_cast<WPARAM>(s), 0);
        SelectLastEntry();
    });
    RefreshTotals();
    PlayTerminalSound(IDW_LINE_REMOVED);
}

bool IsRepeatingLine() { return g_repeating; }

void RepeatLastBasketLine() {
    if (BasketListCount() < 1) {
        Problem("No items");
        return;
    }
    const int count = RepeatCount(ItemBoxText(kRepeatCountReadLimit));
    if (CheckRepeat(g_app.basket, count) == RepeatCheck::kOverLimit) {
        Problem("Transaction limit 400 items");
        return;
    }
    RepeatScope repeat;
    for (int i = 0; i < count; ++i) {
        const int n = BasketLineCount(g_app.basket);
        if (n < 1 || n >= txn::kMaxLines) break;  // item entry refused or emptied the basket
        AddItemByNumber(g_app.basket.LineItemNumber(n - 1));
    }
}

void SwitchToBasketTable(int table) {
    ParkedStore store;
    switch (CheckTableSwitch(table, g_app.basketTable, store.bytes())) {
    case TableSwitchCheck::kInvalid: Problem("Basket not valid"); return;
    case TableSwitchCheck::kCurrent: return;
    case TableSwitchCheck::kNoStore: Problem("Insufficient memory available"); return;
    case TableSwitchCheck::kSwitch: break;
    }
    ParkBasket(g_app.basket, g_app.basketTable, store.bytes());
    ClearBasket();
    UnparkBasket(g_app.basket, table, store.bytes());
    g_app.basketTable = table;

    const bool withNumber = g_app.live.Switch(basketcfg::kEntryWithNumber) != 0;
    const int n = BasketLineCount(g_app.basket);
    ChangeListQuietly([&] {
        for (int i = 0; i < n; ++i) {
            SendMessageA(g_app.basketList, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(StoredEntryText(g_app.basket, i, withNumber).c_str()));
        }
        SelectLastEntry();
    });
    RefreshTotals();
    if (g_app.mainWindow) InvalidateRect(GetDlgItem(g_app.mainWindow, CMD_CHANGE_BASKET_TABLE), nullptr, TRUE);
}
