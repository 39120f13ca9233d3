// Steps whose owners are not built yet. Each is called where it belongs and does
// nothing until its feature arrives; the main window and the start-up sequence are
// wired to them already.
#pragma once
#include <cstdint>
#include <string>

#include "link/records.h"

// Logon: runs the associate logon until it succeeds.
void LogOnUntilSuccess();

// Item entry: looks up the text typed or scanned and adds the item.
void EnterItem(const std::string& text);
// Item entry: adds the item of a picture button.
void AddItemByNumber(std::int64_t item);
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
