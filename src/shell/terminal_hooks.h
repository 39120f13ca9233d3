// Steps whose owners are not built yet. Each is called where it belongs and does
// nothing until its feature arrives; the main window and the start-up sequence are
// wired to them already.
#pragma once
#include <cstdint>
#include <string>

#include "link/records.h"

// Picture buttons: fetches the stock pictures and lays out the category buttons.
void TransferPicturesAndLoadButtons();
// Picture buttons: refills the page of the current category from the start.
void RefillPictureButtons();
// Picture buttons: the previous (-1) or next (+1) page.
void ScrollPictureButtons(int direction);
// Main window: repaints the category-button area when it is visible.
void RepaintCategoryButtons();
// Logon: runs the associate logon until it succeeds.
void LogOnUntilSuccess();

// Item entry: looks up the text typed or scanned and adds the item.
void EnterItem(const std::string& text);
// Item entry: adds the item of a picture button.
void AddItemByNumber(std::int64_t item);
// Inventory search (mode 0: descriptions, 2: within SKUs); adds the item chosen.
void SearchInventoryAndAdd(int mode);
// Payments.
void PayByCash();
void PayByCheque();
void PayByCard();
void PaySplit();
// Basket changes.
void RemoveSelectedLine();
void RepeatLastLine();
void SwitchBasketTable(int table);
// Pole display: puts the idle text up (when a pole display is fitted).
void ShowPoleIdleText();
// Pole display: "Total: %.2f" of the amount due as a cash payment starts (the caller
// checks that a pole display is fitted).
void ShowPoleTotal(double total);
// After a committed sale, while the basket still holds it: cash drawer, pole display
// tender and change, the receipt or the document choice, the kitchen ticket.
void AfterSaleStep();
// Devices and documents.
void OpenCashDrawer();
void PrintKitchenTicket();
