#include "link/remote.h"

#include <windows.h>
#include <rpc.h>

#include <cstring>
#include <memory>

#include "link/rpc_guard.h"
#include "link/server_name.h"
#include "link/wire_layout.h"
#include "varenko_h.h"

// The run time asks for no memory: every call works on caller-owned fixed-size records.
extern "C" void* __RPC_USER MIDL_user_allocate(SIZE_T) { return nullptr; }
extern "C" void __RPC_USER MIDL_user_free(void*) {}

namespace {

template <typename Wire, typename Record>
void SimpleToWire(const Record& record, Wire& w) {
    static_assert(sizeof(Wire) == Record::kSize);
    std::memcpy(&w, record.data(), sizeof w);
}

template <typename Wire, typename Record>
void SimpleFromWire(const Wire& w, Record& record) {
    static_assert(sizeof(Wire) == Record::kSize);
    std::memcpy(record.data(), &w, sizeof w);
}

template <typename Wire>
void ComplexToWire(const wire::Table& table, const std::uint8_t* packed, Wire& w) {
    std::memset(&w, 0, sizeof w);
    wire::PackedToWire(table, packed, reinterpret_cast<std::uint8_t*>(&w));
}

template <typename Wire>
void ComplexFromWire(const wire::Table& table, const Wire& w, std::uint8_t* packed) {
    wire::WireToPacked(table, reinterpret_cast<const std::uint8_t*>(&w), packed);
}

// The large wire images live on the heap: a transaction is over 43 KB.
template <typename Wire>
std::unique_ptr<Wire> NewWire() {
    return std::make_unique<Wire>();
}

// An in/out record of a simple kind: sent, and replaced by the reply on success.
template <typename Wire, typename Record, typename Call>
unsigned long InOutSimple(Record& record, Call call) {
    auto w = NewWire<Wire>();
    SimpleToWire(record, *w);
    Wire* p = w.get();
    unsigned long code = Guarded([&] { call(p); });
    if (code == 0) SimpleFromWire(*w, record);
    return code;
}

}  // namespace

unsigned long RemoteFetchItem(const ItemKey& key, InventoryItem& item) {
    WireItemKey k;
    SimpleToWire(key, k);
    auto reply = NewWire<WireInventoryItem>();
    WireInventoryItem* p = reply.get();
    unsigned long code = Guarded([&] { FetchItem(k, p); });
    if (code == 0) ComplexFromWire(wire::kInventoryItem, *reply, item.data());
    return code;
}

unsigned long RemoteFetchCustomer(const CustomerKey& key, CustomerRecord& customer) {
    WireCustomerKey k;
    SimpleToWire(key, k);
    auto reply = NewWire<WireCustomerRecord>();
    WireCustomerRecord* p = reply.get();
    unsigned long code = Guarded([&] { FetchCustomer(k, p); });
    if (code == 0) ComplexFromWire(wire::kCustomerRecord, *reply, customer.data());
    return code;
}

unsigned long RemoteFetchTerminalConfig(TerminalConfig& config) {
    auto reply = NewWire<WireTerminalConfig>();
    WireTerminalConfig* p = reply.get();
    unsigned long code = Guarded([&] { FetchTerminalConfig(p); });
    if (code == 0) ComplexFromWire(wire::kTerminalConfig, *reply, config.data());
    return code;
}

unsigned long RemoteFetchLabelTable(LabelTable& labels) {
    auto reply = NewWire<WireLabelTable>();
    WireLabelTable* p = reply.get();
    unsigned long code = Guarded([&] { FetchLabelTable(p); });
    if (code == 0) {
        static_assert(sizeof(WireLabelTable) == labels::kSize);
        std::memcpy(labels.data(), reply.get(), labels::kSize);
    }
    return code;
}

unsigned long RemoteFetchNextCustomerNumber(char (&text)[kNextCustomerNumberWidth]) {
    char reply[kNextCustomerNumberWidth] = {};
    unsigned long code = Guarded([&] { FetchNextCustomerNumber(reply); });
    if (code == 0) std::memcpy(text, reply, sizeof reply);
    return code;
}

unsigned long RemoteFetchPictureBlock(PictureBlock& block) {
    return InOutSimple<WirePictureBlock>(block, [](WirePictureBlock* p) { FetchPictureBlock(p); });
}

unsigned long RemoteFetchFirstButtonPage(ButtonPage& page) {
    return InOutSimple<WireButtonPage>(page, [](WireButtonPage* p) { FetchFirstButtonPage(p); });
}

unsigned long RemoteFetchButtonPage(ButtonPage& page) {
    return InOutSimple<WireButtonPage>(page, [](WireButtonPage* p) { FetchButtonPage(p); });
}

namespace {

template <typename Wire, typename Record, typename Call>
unsigned long SendComplex(const wire::Table& table, const Record& record, std::int32_t& result, Call call) {
    auto w = NewWire<Wire>();
    ComplexToWire(table, record.data(), *w);
    long reply = 0;
    unsigned long code = Guarded([&] { reply = call(*w); });
    if (code == 0) result = static_cast<std::int32_t>(reply);
    return code;
}

}  // namespace

unsigned long RemoteAddCustomer(const CustomerRecord& customer, std::int32_t& result) {
    return SendComplex<WireCustomerRecord>(wire::kCustomerRecord, customer, result,
                                           [](const WireCustomerRecord& w) { return AddCustomer(w); });
}

unsigned long RemoteAmendCustomer(const CustomerRecord& customer, std::int32_t& result) {
    return SendComplex<WireCustomerRecord>(wire::kCustomerRecord, customer, result,
                                           [](const WireCustomerRecord& w) { return AmendCustomer(w); });
}

unsigned long RemoteCommitSale(const TransactionRecord& transaction, std::int32_t& result) {
    return SendComplex<WireTransactionRecord>(wire::kTransactionRecord, transaction, result,
                                              [](const WireTransactionRecord& w) { return CommitSale(w); });
}

unsigned long RemoteCommitRefund(const TransactionRecord& transaction, std::int32_t& result) {
    return SendComplex<WireTransactionRecord>(wire::kTransactionRecord, transaction, result,
                                              [](const WireTransactionRecord& w) { return CommitRefund(w); });
}

namespace {
RPC_CSTR g_bindingString = nullptr;
}

BindResult BindToServer(const std::string& serverName) {
    std::string server = BindingServerName(serverName);
    RPC_CSTR composed = nullptr;
    if (RpcStringBindingComposeA(nullptr, reinterpret_cast<RPC_CSTR>(const_cast<char*>("ncacn_np")),
                                 reinterpret_cast<RPC_CSTR>(server.data()),
                                 reinterpret_cast<RPC_CSTR>(const_cast<char*>("\\pipe\\rpcvk")), nullptr,
                                 &composed) != RPC_S_OK)
        return BindResult::ComposeFailed;
    // Release the old binding first, so that the new one starts a fresh association
    // rather than sharing connections to a server that may have gone away.
    if (varenko_binding) RpcBindingFree(&varenko_binding);
    if (g_bindingString) RpcStringFreeA(&g_bindingString);
    g_bindingString = composed;
    if (RpcBindingFromStringBindingA(composed, &varenko_binding) != RPC_S_OK) {
        varenko_binding = nullptr;
        return BindResult::BindFailed;
    }
    return BindResult::Bound;
}
