// Between the shop's plain structs and the packed records of the remote interface,
// and the sixteen procedures served from a Shop in record form: the RPC server stubs
// only have to hand their arguments to the Serve functions.
// Fields a record carries but the shop does not keep go out as zeros.
#pragma once
#include <cstddef>
#include <cstdint>

#include "link/label_table.h"
#include "link/records.h"
#include "shell/terminal_config.h"
#include "shop/model.h"
#include "shop/shop.h"

namespace shop {

InventoryItem ToRecord(const Item& item);
Item ToItem(const InventoryItem& record);

CustomerRecord ToRecord(const Customer& customer);
Customer ToCustomer(const CustomerRecord& record);

TransactionRecord ToRecord(const Transaction& transaction);
// The first LineCount() lines, the count taken as 0..400.
Transaction ToTransaction(const TransactionRecord& record);

// The request as the shop reads it, and the reply written over the same record
// (the buttons' numbers, captions and picture names, category, direction, cursor;
// the elements the terminal does not interpret are left as they came).
ButtonPage ToButtonPage(const ::ButtonPage& record);
void WriteButtonPage(const ButtonPage& page, ::ButtonPage& record);

// ---- The procedures ---------------------------------------------------------------
void ServeFetchItem(const Shop& shop, const ItemKey& key, InventoryItem& reply);
void ServeFetchCustomer(const Shop& shop, const CustomerKey& key, CustomerRecord& reply);
void ServeFetchTerminalConfig(const Shop& shop, TerminalConfig& reply);
void ServeFetchLabelTable(const Shop& shop, LabelTable& reply);
// Writes the decimal text, zero-terminated and zero-filled, into size bytes.
void ServeFetchNextCustomerNumber(const Shop& shop, char* text, std::size_t size);
// In: the name and the offset in the count word. Out: count and data.
void ServeFetchPictureBlock(const Shop& shop, ::PictureBlock& block);
void ServeFetchFirstButtonPage(const Shop& shop, ::ButtonPage& page);
void ServeFetchButtonPage(const Shop& shop, ::ButtonPage& page);
std::int32_t ServeAddCustomer(Shop& shop, const CustomerRecord& customer);
std::int32_t ServeAmendCustomer(Shop& shop, const CustomerRecord& customer);
// A line count outside 0..400 is refused as an invalid number.
std::int32_t ServeCommitSale(Shop& shop, const TransactionRecord& sale);
std::int32_t ServeCommitRefund(Shop& shop, const TransactionRecord& refund);

}  // namespace shop
