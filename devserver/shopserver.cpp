// shopserver.exe [data-directory] [--provision-terminal]: the development shop server. Serves the terminal's
// remote interface over the named pipe \pipe\rpcvk from the shop in the data directory
// (default: the current directory) and logs every call on standard output.
// With VARENKO_EXIT_AFTER_COMMITS=N in its environment it ends itself after writing
// its N-th accepted commit, without answering it: the fault the tests use for a
// connection lost between the server's write and its reply.
#include <windows.h>
#include <rpc.h>
#include <shlobj.h>

#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "link/wire_layout.h"
#include "shop/record_bridge.h"
#include "shop/shop.h"
#include "varenko_h.h"

extern "C" void* __RPC_USER MIDL_user_allocate(SIZE_T size) { return std::malloc(size); }
extern "C" void __RPC_USER MIDL_user_free(void* p) { std::free(p); }

namespace {

shop::Shop* g_shop = nullptr;
long g_exitAfterCommits = 0;  // 0: never
std::atomic<long> g_acceptedCommits{0};

void Log(const char* procedure, const std::string& detail) {
    std::printf("%s %s\n", procedure, detail.c_str());
    std::fflush(stdout);
}

template <typename Record, typename Wire>
Record SimpleFromWire(const Wire& w) {
    static_assert(sizeof(Wire) == Record::kSize);
    Record r;
    std::memcpy(r.data(), &w, sizeof w);
    return r;
}

template <typename Record, typename Wire>
void SimpleToWire(const Record& r, Wire* w) {
    static_assert(sizeof(Wire) == Record::kSize);
    std::memcpy(w, r.data(), sizeof *w);
}

template <typename Record, typename Wire>
Record ComplexFromWire(const wire::Table& table, const Wire& w) {
    Record r;
    wire::WireToPacked(table, reinterpret_cast<const std::uint8_t*>(&w), r.data());
    return r;
}

template <typename Wire>
void ComplexToWire(const wire::Table& table, const std::uint8_t* packed, Wire* w) {
    std::memset(w, 0, sizeof *w);
    wire::PackedToWire(table, packed, reinterpret_cast<std::uint8_t*>(w));
}

std::string Number(std::int64_t n) { return std::to_string(n); }

// Logs the commit; after the commit VARENKO_EXIT_AFTER_COMMITS names, ends the process
// at once, before the run time can send the answer.
void LogCommit(const char* procedure, const TransactionRecord& t, std::int32_t result) {
    std::string line = "expected " + Number(t.Number()) + ", " + Number(t.LineCount()) + " lines -> " + Number(result);
    const bool accepted = result > shop::kCommitOffset;  // a number from 1 up; refusals are below 20
    const bool last = accepted && g_exitAfterCommits > 0 && ++g_acceptedCommits == g_exitAfterCommits;
    if (last) line += ", written; ending without an answer (VARENKO_EXIT_AFTER_COMMITS)";
    Log(procedure, line);
    if (last) TerminateProcess(GetCurrentProcess(), 9);
}

}  // namespace

void FetchItem(WireItemKey key, WireInventoryItem* item) {
    const auto k = SimpleFromWire<ItemKey>(key);
    InventoryItem reply;
    shop::ServeFetchItem(*g_shop, k, reply);
    ComplexToWire(wire::kInventoryItem, reply.data(), item);
    Log("FetchItem", "key " + Number(k.Number()) + " \"" + k.SearchText() + "\" -> item " + Number(reply.Number()));
}

void FetchCustomer(WireCustomerKey key, WireCustomerRecord* customer) {
    const auto k = SimpleFromWire<CustomerKey>(key);
    CustomerRecord reply;
    shop::ServeFetchCustomer(*g_shop, k, reply);
    ComplexToWire(wire::kCustomerRecord, reply.data(), customer);
    Log("FetchCustomer",
        "key " + Number(k.Number()) + " \"" + k.SearchText() + "\" -> customer " + Number(reply.Number()));
}

void FetchTerminalConfig(WireTerminalConfig* config) {
    TerminalConfig reply;
    shop::ServeFetchTerminalConfig(*g_shop, reply);
    ComplexToWire(wire::kTerminalConfig, reply.data(), config);
    Log("FetchTerminalConfig", "-> next transaction " + Number(reply.TransactionNumber()));
}

void FetchLabelTable(WireLabelTable* labels) {
    LabelTable reply;
    shop::ServeFetchLabelTable(*g_shop, reply);
    static_assert(sizeof(WireLabelTable) == labels::kSize);
    std::memcpy(labels, reply.data(), labels::kSize);
    Log("FetchLabelTable", "-> " + reply.Entry(0));
}

void ExchangeNumberBatch(WireNumberBatch* batch) {
    (void)batch;  // kept for the interface; the terminal never calls it
    Log("ExchangeNumberBatch", "(unused)");
}

void FetchNextCustomerNumber(char text[40]) {
    shop::ServeFetchNextCustomerNumber(*g_shop, text, 40);
    Log("FetchNextCustomerNumber", std::string("-> ") + std::string(text, strnlen(text, 40)));
}

void FetchPictureBlock(WirePictureBlock* block) {
    auto b = SimpleFromWire<PictureBlock>(*block);
    std::string request = "\"";
    request.append(b.Name()).append("\" at ").append(Number(b.Count()));
    shop::ServeFetchPictureBlock(*g_shop, b);
    SimpleToWire(b, block);
    Log("FetchPictureBlock", request + " -> " + Number(b.Count()));
}

void FetchFirstButtonPage(WireButtonPage* page) {
    auto p = SimpleFromWire<ButtonPage>(*page);
    shop::ServeFetchFirstButtonPage(*g_shop, p);
    SimpleToWire(p, page);
    Log("FetchFirstButtonPage", "category " + Number(p.Category()) + " -> first " + Number(p.ItemNumber(0)));
}

void FetchButtonPage(WireButtonPage* page) {
    auto p = SimpleFromWire<ButtonPage>(*page);
    const std::string request = "category " + Number(p.Category()) + " direction " + Number(p.Direction());
    shop::ServeFetchButtonPage(*g_shop, p);
    SimpleToWire(p, page);
    Log("FetchButtonPage", request + " -> first " + Number(p.ItemNumber(0)));
}

void ExchangeNameBatch(WireNameBatch* batch) {
    (void)batch;
    Log("ExchangeNameBatch", "(unused)");
}

long SendItemA(WireInventoryItem item) {
    (void)item;
    Log("SendItemA", "(unused) -> 0");
    return 0;
}

long SendItemB(WireInventoryItem item) {
    (void)item;
    Log("SendItemB", "(unused) -> 0");
    return 0;
}

long AddCustomer(WireCustomerRecord customer) {
    const auto c = ComplexFromWire<CustomerRecord>(wire::kCustomerRecord, customer);
    const std::int32_t result = shop::ServeAddCustomer(*g_shop, c);
    Log("AddCustomer", "customer " + Number(c.Number()) + " -> " + Number(result));
    return result;
}

long AmendCustomer(WireCustomerRecord customer) {
    const auto c = ComplexFromWire<CustomerRecord>(wire::kCustomerRecord, customer);
    const std::int32_t result = shop::ServeAmendCustomer(*g_shop, c);
    Log("AmendCustomer", "customer " + Number(c.Number()) + " -> " + Number(result));
    return result;
}

long CommitSale(WireTransactionRecord transaction) {
    const auto t = ComplexFromWire<TransactionRecord>(wire::kTransactionRecord, transaction);
    const std::int32_t result = shop::ServeCommitSale(*g_shop, t);
    LogCommit("CommitSale", t, result);
    return result;
}

long CommitRefund(WireTransactionRecord transaction) {
    const auto t = ComplexFromWire<TransactionRecord>(wire::kTransactionRecord, transaction);
    const std::int32_t result = shop::ServeCommitRefund(*g_shop, t);
    LogCommit("CommitRefund", t, result);
    return result;
}

namespace {

BOOL WINAPI StopOnConsoleSignal(DWORD) {
    RpcMgmtStopServerListening(nullptr);
    return TRUE;
}

// Prepares a terminal on this computer to work with this shop: when the terminal has
// no configuration yet, writes the shop's configuration into the terminal's data
// directory with the server-connection flag and this computer as the server (an empty name), and
// copies the logos from the current directory. Nothing is changed when one exists.
int ProvisionTerminal(const shop::Shop& shop) {
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return 4;
    const std::string dir = std::string(appData) + "\\Nordane\\varenkoclient";
    const std::string path = dir + "\\vks.cfg";
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("shopserver: %s exists, left as it is\n", path.c_str());
        return 0;
    }
    SHCreateDirectoryExA(nullptr, dir.c_str(), nullptr);
    for (const char* logo : {"letter.bmp", "receipt.bmp"}) CopyFileA(logo, (dir + "\\" + logo).c_str(), TRUE);
    TerminalConfig config = shop.Config();
    // An empty name binds to this computer directly; naming it sends the pipe through
    // the network redirector, which is slow to give up under Wine.
    config.SetServerName("");
    config.SetServerConnection(1);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(config.data(), 1, cfg::kSize, file) != cfg::kSize || std::fclose(file) != 0) {
        std::fprintf(stderr, "shopserver: cannot write %s\n", path.c_str());
        return 4;
    }
    std::printf("shopserver: terminal configured in %s (server: this computer)\n", path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dataDirectory = argc > 1 ? argv[1] : ".";
    const bool provision = argc > 2 && std::strcmp(argv[2], "--provision-terminal") == 0;
    std::string error;
    std::unique_ptr<shop::Shop> shop = shop::Shop::Open(dataDirectory, error);
    if (!shop) {
        std::fprintf(stderr, "shopserver: %s\n", error.c_str());
        return 1;
    }
    g_shop = shop.get();
    if (provision) return ProvisionTerminal(*shop);
    if (const char* n = std::getenv("VARENKO_EXIT_AFTER_COMMITS")) g_exitAfterCommits = std::strtol(n, nullptr, 10);

    RPC_STATUS status = RpcServerUseProtseqEpA(reinterpret_cast<RPC_CSTR>(const_cast<char*>("ncacn_np")),
                                               RPC_C_PROTSEQ_MAX_REQS_DEFAULT,
                                               reinterpret_cast<RPC_CSTR>(const_cast<char*>("\\pipe\\rpcvk")), nullptr);
    if (status == RPC_S_OK) status = RpcServerRegisterIf(varenko_v1_0_s_ifspec, nullptr, nullptr);
    if (status != RPC_S_OK) {
        std::fprintf(stderr, "shopserver: cannot serve \\pipe\\rpcvk (RPC status %ld)\n", static_cast<long>(status));
        return 2;
    }
    SetConsoleCtrlHandler(StopOnConsoleSignal, TRUE);
    std::printf("shopserver: serving %s on \\pipe\\rpcvk, next transaction %" PRId64 "\n", dataDirectory.c_str(),
                shop->NextTransactionNumber());
    std::fflush(stdout);
    status = RpcServerListen(1, RPC_C_LISTEN_MAX_CALLS_DEFAULT, FALSE);
    std::printf("shopserver: stopped\n");
    return status == RPC_S_OK ? 0 : 3;
}
