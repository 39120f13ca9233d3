// The customer commands of the main window: find, associate, add, amend, the credit
// sale and the refund, with the terminal's one current customer that the sale log
// and the printed documents name.
#pragma once
#include "link/records.h"

// Find customer (Customer menu, F4).
void FindCustomer();
// Associate customer (Transaction menu): the customer found goes into the sale.
void AssociateCustomer();
// Add customer (Ctrl+A) and Amend customer (Ctrl+B).
void AddCustomer();
void AmendCustomer();
// Customer credit (Payments menu, F6): the basket sold to a customer found.
void SellOnCredit();
// Refund: the basket's items given back for cash, cheque, card or credit.
void RefundBasket();
// The customer last found (number 0 = none).
CustomerRecord& CurrentCustomer();
