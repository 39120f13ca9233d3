#include "shell/commands.h"

#include <shellapi.h>

#include <string>

#include "basket/basket_window.h"
#include "basket/item_entry_window.h"
#include "basket/pricing_window.h"
#include "customers/customer_window.h"
#include "inventory/inventory_window.h"
#include "logs/log_window.h"
#include "printing/device_config_window.h"
#include "link/server_binding.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/config_file.h"
#include "shell/dispatch.h"
#include "shell/logon_dialog.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/shared_dialogs.h"
#include "shell/terminal_hooks.h"

namespace {

bool BasketHasLines() { return g_app.basket.LineCount() > 0; }

void ToggleOption(int option, int menuItem, bool checkWhenWasOne) {
    // Option [12] and [3] are toggled in opposite senses; each keeps its menu mark in step.
    const std::int64_t value = g_app.live.Option(option);
    bool check;
    if (checkWhenWasOne) {
        check = value == 1;
        g_app.live.SetOption(option, check ? 0 : 1);
    } else {
        check = value == 0;
        g_app.live.SetOption(option, check ? 1 : 0);
    }
    CheckMenuItem(GetMenu(g_app.mainWindow), menuItem, check ? MF_CHECKED : MF_UNCHECKED);
}

void SetCategory(int index) {
    const int old = g_app.live.Switch(18);
    g_app.live.SetSwitch(18, index);
    RedrawControl(CMD_SCROLL_BACK);
    RedrawControl(kFirstCategoryButton + old);
    RedrawControl(kFirstCategoryButton + index);
    RefillPictureButtons();
}

void Keypad(int command) {
    HWND target = g_app.entryDialog ? GetDlgItem(g_app.entryDialog, IDC_EDIT1) : g_app.itemBox;
    const std::size_t limit = g_app.entryDialog ? kEntryDialogReadLimit : kItemBoxReadLimit;
    std::string current(limit + 1, '\0');
    int n = GetWindowTextA(target, current.data(), static_cast<int>(current.size()));
    current.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::string text = ApplyKeypadKey(current, command, limit);
    SetWindowTextA(target, text.c_str());
    SendMessageA(target, EM_SETSEL, kKeypadCaretPosition, kKeypadCaretPosition);
    SetFocus(target);
}

void SearchAndAdd(HWND hwnd) {
    std::string text;
    bool withinSkus = false;
    if (!AskItemSearch(hwnd, g_app.live, text, withinSkus)) {
        CurrentItem().SetNumber(0);
        return;
    }
    SearchInventoryForSale(text, withinSkus ? SearchKind::Sku : SearchKind::Description);
}

void AddItem(HWND hwnd) {
    if (g_app.entryDialog) return;
    const std::string text = ItemBoxText(kItemBoxReadLimit);
    ClearItemBox();
    if (!text.empty())
        EnterItem(text);
    else
        SearchAndAdd(hwnd);
}

void OnItemBoxChanged(HWND hwnd) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const ItemBoxAction action =
        OnItemBoxChange(ItemBoxText(kItemBoxChangeReadLimit), ctrl, g_app.live.Switch(6) == 2);
    switch (action.kind) {
    case ItemBoxAction::Nothing:
        break;
    case ItemBoxAction::Empty:
        ClearItemBox();
        break;
    case ItemBoxAction::SearchAndAdd:
        ClearItemBox();
        SearchAndAdd(hwnd);
        break;
    case ItemBoxAction::EnterItem:
        ClearItemBox();
        EnterItem(action.text);
        break;
    }
}

void AddNote(HWND hwnd) {
    std::string note;
    if (!AskTransactionNote(hwnd, note) || note.size() >= 80) return;
    g_app.basket.SetNote(note);
    ShowMessage(hwnd, "Added", "Transaction note");
}

void RunCommand(HWND hwnd, int command) {
    switch (command) {
    case IDM_EXIT: DestroyWindow(hwnd); return;
    case CMD_EXIT_PRINT_LOG:
        PrintTodaysLog();
        PostQuitMessage(0);
        return;
    case CMD_INVENTORY_FIND: FindInventory(SearchKind::Description); break;
    case CMD_INVENTORY_FIND_SKU: FindInventory(SearchKind::Sku); break;
    case CMD_CUSTOMER_FIND: FindCustomer(); break;
    case CMD_CUSTOMER_ADD: AddCustomer(); break;
    case CMD_CUSTOMER_AMEND: AmendCustomer(); break;
    case CMD_SPLIT_PAYMENT: PaySplit(); break;
    case CMD_CH_PAYMENT:
        if (!g_app.entryDialog) PayByCheque();
        break;
    case CMD_CASH:
        if (!BasketHasLines()) {
            ShowMessage(hwnd, "Please select items", "Problem");
            break;
        }
        PayByCash();
        return;  // the focus stays where the payment dialog puts it
    case CMD_CUSTOMER_CREDIT: SellOnCredit(); break;
    case CMD_EFT_PAYMENT: PayByCard(); break;
    case CMD_DISPLAY_LOG_TODAY: DisplayTodaysLog(); break;
    case CMD_DISPLAY_PREVIOUS_LOG: DisplayPreviousLog(); break;
    case CMD_PRINT_LOG_TODAY: PrintTodaysLog(); break;
    case CMD_PRINT_LOG_DAY: PrintLogForDay(); break;
    case CMD_ADD_DISCOUNT: StartDiscount(); break;
    case CMD_ADD_NOTE: AddNote(hwnd); break;
    case CMD_ASSOCIATE_CUSTOMER: AssociateCustomer(); break;
    case CMD_CHANGE_BASKET_TABLE:
        if (int table = ChooseBasketTable(hwnd, g_app.basketTable)) SwitchBasketTable(table);
        break;
    case CMD_SERVER: RunServerDialog(hwnd); break;
    case CMD_RECEIPTS: RunReceiptConfiguration(); break;
    case CMD_TILL_CONFIGURATION: RunTillConfiguration(); break;
    case CMD_POLE_CONFIGURATION: RunPoleConfiguration(); break;
    case CMD_LOG_OFF: LogOffAndOn(hwnd); break;
    case CMD_TENDERED: ToggleOption(12, CMD_TENDERED, true); break;
    case CMD_TRANSFER_PICTURES: ToggleOption(3, CMD_TRANSFER_PICTURES, false); break;
    case CMD_INITIALIZE_CONFIGURATION:
        WriteDefaultConfiguration();
        ShowMessage(hwnd, "Complete", "Reset");
        break;
    case CMD_HELP_CONTENTS: ShellExecuteA(hwnd, "open", "varenko.htm", nullptr, nullptr, SW_SHOWNORMAL); break;
    case CMD_CALENDAR: ShowCalendarDialog(hwnd); break;
    case IDM_ABOUT: ShowAboutDialog(hwnd); break;
    case CMD_ADJUST_PRICE: StartPriceAdjust(); break;
    case CMD_NON_INVENTORY_SALE: SellNonInventoryItem(); break;
    case CMD_OPEN_DRAWER: OpenCashDrawer(); break;
    case CMD_TRADE_TOGGLE:
        g_app.live.SetOption(42, g_app.live.Option(42) ? 0 : 2);
        InvalidateRect(hwnd, nullptr, TRUE);  // "Trade sale" comes or goes
        RefreshTotals();
        break;
    case CMD_REMOVE_LINE: RemoveSelectedLine(); break;
    case CMD_REPEAT_LINE:
        RepeatLastLine();
        ClearItemBox();
        break;
    case CMD_EMPTY_BASKET: break;  // emptied by the rule
    case CMD_WEIGHT: StartWeightAdjust(); break;
    case CMD_ADD_ITEM: AddItem(hwnd); break;
    case CMD_REFUND: RefundBasket(); break;
    case CMD_KITCHEN_PRINT:
        if (!BasketHasLines()) {
            ShowMessage(hwnd, "No items", "Problem");
            break;
        }
        PrintKitchenTicket();
        break;
    case CMD_SCROLL_BACK: ScrollPictureButtons(false); break;
    case CMD_SCROLL_FORWARDS: ScrollPictureButtons(true); break;
    case CMD_NEXT_CATEGORY:
        SetCategory(NextCategory(g_app.live.Switch(18)));
        SendMessageA(g_app.itemBox, EM_SETSEL, 20, -1);
        break;
    case CMD_PREVIOUS_CATEGORY: SetCategory(PreviousCategory(g_app.live.Switch(18))); break;
    default:
        if (command >= kFirstCategoryButton && command <= kLastCategoryButton) {
            SetCategory(command - kFirstCategoryButton);
        } else if (command >= kFirstPictureButton && command <= kLastPictureButton) {
            const std::int64_t item = PictureButton(command - kFirstPictureButton).item;
            if (item != 0) AddItemByNumber(item);
        } else if (IsKeypadKey(command)) {
            Keypad(command);
            return;  // the focus is on the keypad's target
        }
        break;
    }
    ReturnFocus();
}

}  // namespace

void PlayTerminalSound(int id) {
    if (g_app.live.Switch(16)) return;
    PlaySoundA(MAKEINTRESOURCEA(id), g_app.instance, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

void EmptyBasket() { ClearBasket(); }

void OnCommand(HWND hwnd, int command, int notification, HWND control) {
    if (control && control == g_app.itemBox) {
        if (notification == EN_CHANGE) OnItemBoxChanged(hwnd);
        return;
    }
    if (control == g_app.basketList && control) return;
    switch (Decide(RuleFor(command), g_app.entryDialog != nullptr, g_app.live.CurrentAssociate(), g_app.live)) {
    case Verdict::Refused:
        ReturnFocus();
        return;
    case Verdict::Restricted:
        ReturnFocus();
        return;
    case Verdict::Run:
        break;
    }
    if (RuleFor(command).emptiesBasket) EmptyBasket();
    RunCommand(hwnd, command);
}
