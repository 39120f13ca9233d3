// The client side of the shop server's remote interface: one function per procedure
// the terminal calls. Each converts the packed records to their wire form, makes the
// call inside the exception guard and returns 0, or the code of the exception raised.
// On an exception the out record keeps what it held.
#pragma once
#include <cstdint>

#include "link/label_table.h"
#include "link/records.h"
#include "shell/terminal_config.h"

inline constexpr int kNextCustomerNumberWidth = 40;

unsigned long RemoteFetchItem(const ItemKey& key, InventoryItem& item);
unsigned long RemoteFetchCustomer(const CustomerKey& key, CustomerRecord& customer);
unsigned long RemoteFetchTerminalConfig(TerminalConfig& config);
unsigned long RemoteFetchLabelTable(LabelTable& labels);
unsigned long RemoteFetchNextCustomerNumber(char (&text)[kNextCustomerNumberWidth]);
unsigned long RemoteFetchPictureBlock(PictureBlock& block);
unsigned long RemoteFetchFirstButtonPage(ButtonPage& page);
unsigned long RemoteFetchButtonPage(ButtonPage& page);
unsigned long RemoteAddCustomer(const CustomerRecord& customer, std::int32_t& result);
unsigned long RemoteAmendCustomer(const CustomerRecord& customer, std::int32_t& result);
unsigned long RemoteCommitSale(const TransactionRecord& transaction, std::int32_t& result);
unsigned long RemoteCommitRefund(const TransactionRecord& transaction, std::int32_t& result);

// Binds the interface's one global handle to "ncacn_np:<server>[\pipe\rpcvk]", taking
// at most 19 characters of the name. The previous binding is released.
enum class BindResult { Bound, ComposeFailed, BindFailed };
BindResult BindToServer(const std::string& serverName);
