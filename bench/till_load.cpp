// till_load.exe TILLS SALES [SECONDS] [--restart]: several tills committing sales at
// once against one development shop server, and what the server made of them.
//
// Starts shopserver.exe (from this program's folder) on a private copy of the demo shop
// with option 34 set (stock may go below zero, so no sale is refused for stock), then
// one process per till (this program again, with --till), each bound to the server as
// the terminal is and committing up to SALES sales as the terminal does: the expected
// number from the served configuration, then r - 20 after each answer; on a network
// failure the same record is sent again (the associate pressing OK again). A till
// starts no sale after SECONDS (default 60) and gives up a sale still unanswered 30 s
// later. With --restart the server ends itself halfway, right after writing a commit
// and before answering it (VARENKO_EXIT_AFTER_COMMITS), and is started again.
//
// Then it checks, and prints FAILED with exit code 1 when any check fails:
//   - every sale a till had answered is in the server's journal exactly once, under
//     the number it was answered with, and the journal holds nothing else;
//   - the journal's transaction numbers are unique and run on from the first with no gap;
//   - the stock of every item sold and the balance of every customer who bought on
//     credit, asked of the server, moved by exactly what the answered sales imply.
// It prints the answered sales per second, from the moment every till was ready to
// the end of the last one.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "link/records.h"
#include "link/remote.h"
#include "payment/commit.h"
#include "shop/store.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

constexpr int kMaxTills = 16;
constexpr DWORD kGiveUpAfterMs = 30000;  // a sale still unanswered this long after the last start
constexpr DWORD kRetryPauseMs = 50;      // between a network failure and the next press of OK
constexpr int kStartAttempts = 5;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "till_load: FAILED: %s\n", what.c_str());
    std::fflush(stderr);
    std::exit(1);
}

std::string TillName(int till) { return "TILL" + std::to_string(till); }
std::string SaleNote(int till, int sale) { return "till " + std::to_string(till) + " sale " + std::to_string(sale); }

// ---- The sales --------------------------------------------------------------------
struct Product {
    std::int64_t item;  // 0: not an inventory item
    const char* description;
    double price;
};
constexpr Product kProducts[] = {
    {1101, "Harbour Pale Ale 500ml", 2.50},
    {2601, "Milk Chocolate Bar 100g", 1.00},
    {1302, "Baked Beans 415g", 0.85},
    {0, "Hot food", 3.50},
};
constexpr std::int64_t kCreditCustomers[] = {1001, 1002, 1003};

// Sale n of a till: one to three lines; every third sale on credit to a customer. The
// note names till and sale, so that the journal shows whose sale each entry is.
TransactionRecord Sale(int till, int n) {
    TransactionRecord r;
    const int lines = 1 + (till + n) % 3;
    double total = 0;
    for (int i = 0; i < lines; ++i) {
        const Product& p = kProducts[(till + n + i) % std::size(kProducts)];
        r.SetLineItemNumber(i, p.item);
        r.SetLineDescription(i, p.description);
        r.SetLineNonTaxable(i, p.price);
        r.SetLineTotal(i, p.price);
        total += p.price;
    }
    r.SetLineCount(lines);
    r.SetNonTaxableTotal(total);
    r.SetSubTotal(total);
    r.SetTotal(total);
    if (n % 3 == 0) {
        r.SetCustomerNumber(kCreditCustomers[(till + n) % std::size(kCreditCustomers)]);
        r.SetPaymentType("Credit");
    } else {
        r.SetCashPaid(total);
        r.SetPaymentType("Cash");
    }
    r.SetAssociate(1);
    r.SetTime("12:00");
    r.SetDate("Sun 6 Dec 26");
    r.SetComputerName(TillName(till));
    r.SetNote(SaleNote(till, n));
    return r;
}

// ---- One till (a process of its own: the remote interface has one binding per process)
// Prints "ack TILL SALE NUMBER" per answered sale, "retries TILL N" and, for a sale it
// gave up, "gave-up TILL SALE"; a refusal ends it with exit code 2.
int RunTill(int till, int sales, DWORD seconds, const char* readyName, const char* goName) {
    HANDLE ready = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, readyName);
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, goName);
    if (!ready || !go) return 3;
    if (BindToServer("") != BindResult::Bound) return 3;
    TerminalConfig config;
    if (RemoteFetchTerminalConfig(config) != 0) return 3;
    std::int32_t expected = config.TransactionNumber();
    ReleaseSemaphore(ready, 1, nullptr);
    WaitForSingleObject(go, INFINITE);

    const DWORD start = GetTickCount();
    int retries = 0;
    for (int n = 1; n <= sales && GetTickCount() - start < seconds * 1000; ++n) {
        TransactionRecord sale = Sale(till, n);
        sale.SetNumber(expected);
        std::int32_t result = 0;
        bool answered = false;
        while (!(answered = RemoteCommitSale(sale, result) == 0) &&
               GetTickCount() - start < seconds * 1000 + kGiveUpAfterMs) {
            ++retries;
            Sleep(kRetryPauseMs);
        }
        if (!answered) {
            std::printf("gave-up %d %d\n", till, n);
            break;
        }
        const CommitAnswer answer = InterpretCommitAnswer(result);
        if (!answer.accepted) {
            std::printf("refused %d %d %d\n", till, n, result);
            std::fflush(stdout);
            return 2;
        }
        expected = answer.nextNumber;
        std::printf("ack %d %d %d\n", till, n, answer.committedNumber);
    }
    std::printf("retries %d %d\n", till, retries);
    std::fflush(stdout);
    return 0;
}

// ---- The run ----------------------------------------------------------------------
std::unique_ptr<ShopServerProcess> StartServer(long exitAfterCommits) {
    for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
        auto server = std::make_unique<ShopServerProcess>();
        const std::string shopFile = server->shopDirectory() + "\\shop.txt";
        WriteWholeFile(shopFile, ReadWholeFile(shopFile) + "option 34 = 1\n");
        if (exitAfterCommits > 0)
            SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", std::to_string(exitAfterCommits).c_str());
        const bool started = server->Start();
        SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", nullptr);
        if (started) return server;
        std::fprintf(stderr, "till_load: shop server did not start (attempt %d of %d): %s\n", attempt,
                     kStartAttempts, server->Log().c_str());
        server.reset();
        Sleep(3000);
    }
    Fail("the shop server could not be started");
}

// What the server holds that the sales change.
struct ShopState {
    std::map<std::int64_t, std::int32_t> stock;  // by item
    std::map<std::int64_t, double> balance;      // by customer
};

ShopState AskServer() {
    ShopState state;
    for (const Product& p : kProducts) {
        if (p.item == 0) continue;
        ItemKey key;
        key.SetNumber(itemkey::kFirstMatch);
        key.SetSearchText(std::to_string(p.item));
        InventoryItem item;
        if (RemoteFetchItem(key, item) != 0 || item.Number() != p.item) Fail("FetchItem " + std::to_string(p.item));
        state.stock[p.item] = item.InStock();
    }
    for (std::int64_t number : kCreditCustomers) {
        CustomerKey key;
        key.SetNumber(custkey::kStartSearch);
        key.SetSearchText(std::to_string(number));
        CustomerRecord customer;
        if (RemoteFetchCustomer(key, customer) != 0 || customer.Number() != number)
            Fail("FetchCustomer " + std::to_string(number));
        state.balance[number] = customer.Balance();
    }
    return state;
}

struct TillProcess {
    PROCESS_INFORMATION process{};
    std::string output;  // the file its standard output goes to
};

void StartTill(TillProcess& t, int till, int sales, int seconds, const std::string& ready, const std::string& go) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string command = "\"" + std::string(self) + "\" --till " + std::to_string(till) + " " +
                                std::to_string(sales) + " " + std::to_string(seconds) + " " + ready + " " + go;
    if (!StartLoggedProcess(command, t.output, t.process)) Fail("cannot start till " + std::to_string(till));
}

struct Answer {
    int till = 0, sale = 0;
    std::int64_t number = 0;  // the committed number the till was answered
};

struct LoadResult {
    std::vector<Answer> answers;
    double seconds = 0;  // from the start signal to the end of the last till
    int retries = 0;     // commits sent again after a network failure
};

// Runs the tills to their end; with `restart`, starts the server again once it has
// ended itself. Fails when a till was refused, gave a sale up or did not end in time.
LoadResult RunTills(int tills, int sales, int seconds, ShopServerProcess& server, bool restart) {
    // Every till binds and fetches its configuration first; the clock starts when all are ready.
    const std::string tag = std::to_string(GetCurrentProcessId());
    const std::string readyName = "till_load_ready_" + tag, goName = "till_load_go_" + tag;
    HANDLE ready = CreateSemaphoreA(nullptr, 0, kMaxTills, readyName.c_str());
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, goName.c_str());
    TempDir outputs;
    std::vector<TillProcess> processes(static_cast<std::size_t>(tills));
    std::vector<HANDLE> handles;
    for (int k = 1; k <= tills; ++k) {
        processes[k - 1].output = outputs / (TillName(k) + ".txt");
        StartTill(processes[k - 1], k, sales, seconds, readyName, goName);
        handles.push_back(processes[k - 1].process.hProcess);
    }
    for (int k = 0; k < tills; ++k)
        if (WaitForSingleObject(ready, 60000) != WAIT_OBJECT_0) Fail("the tills did not get ready within 60 s");

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SetEvent(go);
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000 + kGiveUpAfterMs + 30000;
    bool restarted = false;
    while (WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE, 50) == WAIT_TIMEOUT) {
        if (GetTickCount() > deadline) Fail("the tills did not finish in time");
        if (!restart || restarted || server.Log().find("ending without an answer") == std::string::npos) continue;
        bool started = false;
        for (int attempt = 0; attempt < kStartAttempts && !started; ++attempt) {
            server.Stop();
            if (attempt > 0) Sleep(1000);
            started = server.Start();
        }
        if (!started) Fail("the shop server did not start again: " + server.Log());
        restarted = true;
    }
    QueryPerformanceCounter(&end);
    if (restart && !restarted) Fail("the server never reached the commit it was to end after");

    LoadResult result;
    result.seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    for (int k = 1; k <= tills; ++k) {
        DWORD code = 0;
        GetExitCodeProcess(processes[k - 1].process.hProcess, &code);
        CloseHandle(processes[k - 1].process.hProcess);
        CloseHandle(processes[k - 1].process.hThread);
        const std::string output = ReadWholeFile(processes[k - 1].output);
        if (code != 0) Fail(TillName(k) + " ended with code " + std::to_string(code) + ": " + output);
        if (output.find("gave-up") != std::string::npos) Fail(TillName(k) + " gave a sale up: " + output);
        std::istringstream lines(output);
        std::string word;
        while (lines >> word) {
            int till = 0, n = 0;
            if (word == "ack") {
                Answer a;
                lines >> a.till >> a.sale >> a.number;
                result.answers.push_back(a);
            } else if (word == "retries" && lines >> till >> n) {
                result.retries += n;
            }
        }
    }
    return result;
}

// Each answered sale once in the journal under its answer, nothing else there, and the
// numbers from `first` on without a gap. Returns the last number.
std::int64_t CheckJournal(const std::string& path, const std::vector<Answer>& answers, std::int64_t first) {
    std::vector<shop::store::JournalEntry> journal;
    std::size_t kept = 0;
    std::string error;
    if (!shop::store::ReadJournal(path, journal, kept, error)) Fail("the journal cannot be read: " + error);
    std::map<std::string, std::vector<std::int64_t>> journaled;  // by note: the numbers it was recorded under
    std::vector<std::int64_t> numbers;
    for (const auto& e : journal) {
        journaled[e.transaction.note].push_back(e.number);
        numbers.push_back(e.number);
    }
    for (const Answer& a : answers) {
        const std::string note = SaleNote(a.till, a.sale);
        std::vector<std::int64_t>& under = journaled[note];
        if (under != std::vector<std::int64_t>{a.number})
            Fail(note + ", answered as " + std::to_string(a.number) + ", is in the journal " +
                 std::to_string(under.size()) + " times" +
                 (under.empty() ? "" : ", first as " + std::to_string(under[0])));
        under.clear();  // accounted for
    }
    for (const auto& [note, under] : journaled)
        if (!under.empty()) Fail("the journal holds \"" + note + "\", a sale no till was answered for");
    std::sort(numbers.begin(), numbers.end());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::int64_t expected = first + static_cast<std::int64_t>(i);
        if (numbers[i] != expected)
            Fail("journal number " + std::to_string(i + 1) + " of " + std::to_string(numbers.size()) + " is " +
                 std::to_string(numbers[i]) + ", expected " + std::to_string(expected));
    }
    return first + static_cast<std::int64_t>(numbers.size()) - 1;
}

// The server's stock and balances moved by exactly what the answered sales imply.
void CheckShop(const ShopState& before, const std::vector<Answer>& answers) {
    ShopState implied = before;
    for (const Answer& a : answers) {
        const TransactionRecord sale = Sale(a.till, a.sale);
        for (int i = 0; i < sale.LineCount(); ++i)
            if (sale.LineItemNumber(i) != 0) implied.stock[sale.LineItemNumber(i)] -= 1;
        if (sale.PaymentType() == "Credit") implied.balance[sale.CustomerNumber()] += sale.Total();
    }
    const ShopState after = AskServer();
    for (const auto& [item, stock] : implied.stock)
        if (after.stock.at(item) != stock)
            Fail("item " + std::to_string(item) + " has " + std::to_string(after.stock.at(item)) +
                 " in stock, the sales imply " + std::to_string(stock));
    for (const auto& [customer, balance] : implied.balance)
        if (std::fabs(after.balance.at(customer) - balance) > 0.005)
            Fail("customer " + std::to_string(customer) + " owes " + std::to_string(after.balance.at(customer)) +
                 ", the sales imply " + std::to_string(balance));
}

int Run(int tills, int sales, int seconds, bool restart) {
    const long exitAfter = restart ? std::max(1L, static_cast<long>(tills) * sales / 2) : 0;
    std::unique_ptr<ShopServerProcess> server = StartServer(exitAfter);
    if (BindToServer("") != BindResult::Bound) Fail("BindToServer(\"\") did not bind");
    TerminalConfig config;
    if (RemoteFetchTerminalConfig(config) != 0) Fail("FetchTerminalConfig");
    const std::int64_t first = config.TransactionNumber();
    const ShopState before = AskServer();

    const LoadResult load = RunTills(tills, sales, seconds, *server, restart);
    const std::int64_t last = CheckJournal(server->shopDirectory() + "\\state\\journal.txt", load.answers, first);
    CheckShop(before, load.answers);
    server->Stop();

    std::printf("till_load: %d tills, %zu sales answered in %.2f s: %.1f sales/s%s\n", tills, load.answers.size(),
                load.seconds, static_cast<double>(load.answers.size()) / load.seconds,
                restart ? " (server restarted during the run)" : "");
    std::printf("till_load: checks passed: each sale journaled once under its answer, numbers %lld-%lld without a "
                "gap, stock and balances as the sales imply; %d commits sent again after a network failure\n",
                static_cast<long long>(first), static_cast<long long>(last), load.retries);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 7 && std::string(argv[1]) == "--till")
        return RunTill(std::atoi(argv[2]), std::atoi(argv[3]), static_cast<DWORD>(std::atoi(argv[4])), argv[5],
                       argv[6]);
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool restart = std::erase(args, "--restart") > 0;
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: till_load TILLS SALES [SECONDS] [--restart]\n");
        return 2;
    }
    const int tills = std::atoi(args[0].c_str());
    const int sales = std::atoi(args[1].c_str());
    const int seconds = args.size() > 2 ? std::atoi(args[2].c_str()) : 60;
    if (tills < 1 || tills > kMaxTills || sales < 1 || seconds < 1)
        Fail("TILLS must be 1 to " + std::to_string(kMaxTills) + ", SALES and SECONDS at least 1");
    return Run(tills, sales, seconds, restart);
}
