#include "shell/terminal_hooks.h"

#include "basket/basket_window.h"
#include "basket/item_entry_window.h"
#include "payment/tender_window.h"
#include "printing/after_sale_window.h"
#include "printing/devices.h"
#include "shell/app_state.h"
#include "shell/logon_dialog.h"

void LogOnUntilSuccess() { LogOffAndOn(g_app.mainWindow); }

void EnterItem(const std::string& text) { EnterItemText(text); }
void AddItemByNumber(std::int64_t item) { AddItemFromButton(item); }
void PayByCash() { StartCashPayment(); }
void PayByCheque() { PayWithoutTender(PaymentKind::Cheque); }
void PayByCard() { PayWithoutTender(PaymentKind::Eft); }
void PaySplit() { StartSplitPayment(); }
void RemoveSelectedLine() { RemoveSelectedBasketLine(); }
void RepeatLastLine() { RepeatLastBasketLine(); }
void SwitchBasketTable(int table) { SwitchToBasketTable(table); }
void ShowPoleIdleText() { devices::ShowPoleIdleText(); }
void ShowPoleTotal(double total) { devices::ShowPoleTotal(total); }
void AfterSaleStep() { print::RunAfterSaleStep(); }
void OpenCashDrawer() { devices::OpenTillDrawer(); }
void PrintKitchenTicket() { print::PrintBasketKitchenTicket(); }
