// rpc_bench.exe [count]: the terminal's response-time baseline against the development
// shop server. Starts shopserver.exe (from this program's folder) on a private copy of
// the demo shop, binds to it as the terminal does, warms up, then times `count` round
// trips of each kind of call with QueryPerformanceCounter and prints median, p90, p99
// and max in milliseconds, plus ratios (which stay meaningful on a noisy machine).
//
//   null     FetchItem of a number that no item has (key 0): the same records travel as
//            for a found item but the server finds nothing, so its time is mostly
//            transport and marshalling (the baseline the other fetches are set against)
//   next     FetchNextCustomerNumber: the smallest call of the interface (40-byte reply)
//   number   FetchItem typed by number (key -1, "1001")
//   scan     FetchItem of a scanned SKU (key 0, "5012340027017" -> item 2701)
//   refused  CommitSale of the same sale with an unknown item on its first line: the whole
//            43 KB record travels but the server refuses it (code 9) before writing anything
//   sale     CommitSale of a 3-line cash sale: two stock items and one non-inventory line;
//            every commit is written durably to the server's journal and stock snapshot
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "link/records.h"
#include "link/remote.h"

namespace {

using bench::Fail;
using bench::Raised;
using bench::Summary;

constexpr int kWarmUp = 50;

ItemKey Key(std::int64_t number, const char* text) {
    ItemKey key;
    key.SetNumber(number);
    key.SetSearchText(text);
    return key;
}

void FetchExpecting(const ItemKey& key, std::int64_t expected) {
    InventoryItem item;
    const unsigned long code = RemoteFetchItem(key, item);
    if (code != 0) Fail("FetchItem \"" + key.SearchText() + "\" " + Raised(code));
    if (item.Number() != expected)
        Fail("FetchItem \"" + key.SearchText() + "\" answered item " + std::to_string(item.Number()) +
             ", expected " + std::to_string(expected));
}

void FetchNextCustomer() {
    char text[kNextCustomerNumberWidth] = {};
    const unsigned long code = RemoteFetchNextCustomerNumber(text);
    if (code != 0) Fail("FetchNextCustomerNumber " + Raised(code));
    if (std::atoll(text) <= 0) Fail("FetchNextCustomerNumber answered \"" + std::string(text) + "\"");
}

// A cash sale as the basket sends it: Harbour Pale Ale and a chocolate bar (tax 1 at
// 20 %) and a non-inventory "Hot food" line with no tax.
TransactionRecord ThreeLineSale() {
    struct Line {
        std::int64_t item;
        const char* description;
        double net, cost;
        bool taxed;
    };
    const Line lines[] = {
        {1101, "Harbour Pale Ale 500ml", 2.08, 1.05, true},
        {2601, "Milk Chocolate Bar 100g", 0.83, 0.35, true},
        {0, "Hot food", 3.50, 0.0, false},
    };
    TransactionRecord sale;
    sale.SetLineCount(3);
    double nonTaxable = 0, taxable = 0, tax1 = 0, cost = 0, total = 0;
    for (int i = 0; i < 3; ++i) {
        const Line& l = lines[i];
        const double tax = l.taxed ? l.net * 0.20 : 0.0;
        sale.SetLineItemNumber(i, l.item);
        sale.SetLineDescription(i, l.description);
        if (l.taxed)
            sale.SetLineTaxable(i, l.net);
        else
            sale.SetLineNonTaxable(i, l.net);
        sale.SetLineTax1(i, tax);
        sale.SetLineCost(i, l.cost);
        sale.SetLineTotal(i, l.net + tax);
        (l.taxed ? taxable : nonTaxable) += l.net;
        tax1 += tax;
        cost += l.cost;
        total += l.net + tax;
    }
    sale.SetNonTaxableTotal(nonTaxable);
    sale.SetTaxableTotal(taxable);
    sale.SetSubTotal(nonTaxable + taxable);
    sale.SetTax1Total(tax1);
    sale.SetCostTotal(cost);
    sale.SetTotal(total);
    sale.SetCashPaid(10.00);
    sale.SetPaymentType("Cash");
    sale.SetAssociate(3);
    sale.SetTime("12:00");
    sale.SetDate("06/12/2026");
    sale.SetComputerName("BENCH");
    return sale;
}

void Commit(TransactionRecord& sale) {
    std::int32_t result = -1;
    const unsigned long code = RemoteCommitSale(sale, result);
    if (code != 0) Fail("CommitSale " + Raised(code));
    if (result < 20) Fail("CommitSale refused the sale with code " + std::to_string(result));
    sale.SetNumber(result - 21 + 1);  // the number the next commit expects
}

// One timed call: its duration in milliseconds is appended to `samples`.
// The refusal code of a sale naming an unknown item.
constexpr std::int32_t kUnknownItem = 9;

void CommitRefused(const TransactionRecord& sale) {
    std::int32_t result = -1;
    const unsigned long code = RemoteCommitSale(sale, result);
    if (code != 0) Fail("CommitSale (unknown item) " + Raised(code));
    if (result != kUnknownItem)
        Fail("CommitSale of an unknown item answered " + std::to_string(result) + ", expected " +
             std::to_string(kUnknownItem));
}

template <typename Call>
void Time(const bench::Stopwatch& clock, std::vector<double>& samples, Call call) {
    const std::int64_t start = clock.Now();
    call();
    const std::int64_t end = clock.Now();
    samples.push_back(clock.Milliseconds(start, end));
}

// How often `word` occurs in `text` not followed by a digit.
std::size_t Occurrences(const std::string& text, const std::string& word) {
    std::size_t n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) {
        const std::size_t after = at + word.size();
        if (after == text.size() || text[after] < '0' || text[after] > '9') ++n;
    }
    return n;
}

void PrintRow(const char* name, const char* what, const Summary& s) {
    std::printf("%-7s %-38s %8.3f %8.3f %8.3f %8.3f\n", name, what, s.median, s.p90, s.p99, s.max);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (count < 1) Fail("count must be a positive number");

    bench::SetProgramName("rpc_bench");
    std::unique_ptr<ShopServerProcess> server = bench::StartShopServer();
    if (BindToServer("") != BindResult::Bound) Fail("BindToServer(\"\") did not bind");

    const ItemKey null = Key(itemkey::kByText, "99999999");           // no such number or SKU
    const ItemKey number = Key(itemkey::kFirstMatch, "1001");          // typed number
    const ItemKey scanned = Key(itemkey::kByText, "5012340027017");    // scanned SKU of 2701
    TransactionRecord sale = ThreeLineSale();
    sale.SetNumber(1);
    TransactionRecord refused = ThreeLineSale();
    refused.SetLineItemNumber(0, 99999999);

    for (int i = 0; i < kWarmUp; ++i) {
        FetchExpecting(null, 0);
        FetchNextCustomer();
        FetchExpecting(number, 1001);
        FetchExpecting(scanned, 2701);
        CommitRefused(refused);
        Commit(sale);
    }

    // The kinds of call take turns, so that a slow moment of the machine falls on all
    // of them alike and the ratios stay fair.
    const bench::Stopwatch clock;
    std::vector<double> nullSamples, nextSamples, numberSamples, scanSamples, refusedSamples, saleSamples;
    for (auto* v : {&nullSamples, &nextSamples, &numberSamples, &scanSamples, &refusedSamples, &saleSamples})
        v->reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Time(clock, nullSamples, [&] { FetchExpecting(null, 0); });
        Time(clock, nextSamples, [&] { FetchNextCustomer(); });
        Time(clock, numberSamples, [&] { FetchExpecting(number, 1001); });
        Time(clock, scanSamples, [&] { FetchExpecting(scanned, 2701); });
        Time(clock, refusedSamples, [&] { CommitRefused(refused); });
        Time(clock, saleSamples, [&] { Commit(sale); });
    }
    const Summary nullFetch = bench::Summarise(nullSamples);
    const Summary next = bench::Summarise(nextSamples);
    const Summary byNumber = bench::Summarise(numberSamples);
    const Summary byScan = bench::Summarise(scanSamples);
    const Summary refusal = bench::Summarise(refusedSamples);
    const Summary commit = bench::Summarise(saleSamples);

    // Every call must have reached our own server, not another one on the pipe.
    const std::string log = server->Log();
    const std::size_t refusals = Occurrences(log, " lines -> " + std::to_string(kUnknownItem));
    const std::size_t commits = Occurrences(log, "CommitSale ") - refusals;
    const std::size_t fetches = Occurrences(log, "FetchItem ");
    const std::size_t expectedCalls = static_cast<std::size_t>(kWarmUp + count);
    if (commits != expectedCalls || refusals != expectedCalls || fetches != 3 * expectedCalls)
        Fail("the server logged " + std::to_string(commits) + " sales, " + std::to_string(refusals) +
             " refusals and " + std::to_string(fetches) + " item fetches, expected " +
             std::to_string(expectedCalls) + ", " + std::to_string(expectedCalls) + " and " +
             std::to_string(3 * expectedCalls));
    server->Stop();

    std::printf("rpc_bench: %d round trips per call, taking turns, after %d warm-up rounds; times in ms\n", count,
                kWarmUp);
    std::printf("%-7s %-38s %8s %8s %8s %8s\n", "call", "what", "median", "p90", "p99", "max");
    PrintRow("null", "FetchItem, no such item (key 0)", nullFetch);
    PrintRow("next", "FetchNextCustomerNumber", next);
    PrintRow("number", "FetchItem by number (key -1 \"1001\")", byNumber);
    PrintRow("scan", "FetchItem by scanned SKU (key 0)", byScan);
    PrintRow("refused", "CommitSale refused (unknown item)", refusal);
    PrintRow("sale", "CommitSale, 3 lines, cash", commit);
    std::printf("ratio  sale/number median        %8.2f\n", commit.median / byNumber.median);
    std::printf("ratio  sale/null median          %8.2f\n", commit.median / nullFetch.median);
    std::printf("ratio  sale/refused median       %8.2f\n", commit.median / refusal.median);
    std::printf("ratio  refused/null median       %8.2f\n", refusal.median / nullFetch.median);
    std::printf("ratio  number/null median        %8.2f\n", byNumber.median / nullFetch.median);
    std::printf("ratio  scan/null median          %8.2f\n", byScan.median / nullFetch.median);
    std::printf("server work over transport (median - null median): number %.3f ms, scan %.3f ms\n",
                byNumber.median - nullFetch.median, byScan.median - nullFetch.median);
    std::printf("committing over transport (sale - refused median): %.3f ms; 43 KB record over 2 KB item "
                "(refused - null median): %.3f ms\n",
                commit.median - refusal.median, refusal.median - nullFetch.median);
    std::printf("rpc_bench: %d sales committed, every result >= 20; %d refused with %d as expected\n",
                kWarmUp + count, kWarmUp + count, kUnknownItem);
    return 0;
}
