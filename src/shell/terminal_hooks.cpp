#include "shell/terminal_hooks.h"

#include "basket/basket_window.h"
#include "shell/app_state.h"
#include "shell/logon_dialog.h"

void LogOnUntilSuccess() { LogOffAndOn(g_app.mainWindow); }

void TransferPicturesAndLoadButtons() {}
void RefillPictureButtons() {}
void ScrollPictureButtons(int) {}
void RepaintCategoryButtons() {}
void EnterItem(const std::string&) {}
void AddItemByNumber(std::int64_t) {}
void SearchInventoryAndAdd(int) {}
void FindCustomer() {}
void AddCustomer() {}
void AmendCustomer() {}
void AssociateCustomer() {}
void PayByCash() {}
void PayByCheque() {}
void PayByCard() {}
void PaySplit() {}
void SellOnCredit() {}
void RemoveSelectedLine() { RemoveSelectedBasketLine(); }
void RepeatLastLine() { RepeatLastBasketLine(); }
void SwitchBasketTable(int table) { SwitchToBasketTable(table); }
void AdjustLastPrice() {}
void AdjustLastByWeight() {}
void GiveDiscount() {}
void SellNonInventoryItem() {}
void RefundBasket() {}
void ShowPoleIdleText() {}
void OpenCashDrawer() {}
void PrintKitchenTicket() {}
void DisplayTodaysLog() {}
void DisplayPreviousLog() {}
void PrintTodaysLog() {}
void PrintLogForDay() {}
void ConfigureReceipts() {}
void ConfigureTill() {}
void ConfigurePole() {}
