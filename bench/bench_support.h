// What the Win32 benchmarks share: a millisecond stopwatch, sample summaries, the way
// they give up, and a shop server on a fresh demo shop that accepts any number of sales.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/shop_server.h"

namespace bench {

// Prints "<program>: FAILED: <what>" and ends the program with exit code 1, after
// running the hook set with OnFailure (which stops what the program started).
[[noreturn]] void Fail(const std::string& what);
void SetProgramName(const char* name);
void OnFailure(void (*hook)());

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceFrequency(&frequency_); }
    std::int64_t Now() const {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return t.QuadPart;
    }
    double Milliseconds(std::int64_t from, std::int64_t to) const {
        return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
};

struct Summary {
    double median, p90, p99, max;
};
// Median and nearest-rank percentiles; all zero for no samples.
Summary Summarise(std::vector<double> samples);
double Median(const std::vector<double>& samples);

// "raised N", with a hint when the connection itself broke (most often another shop
// server, started by a test at the same moment, took over \pipe\rpcvk).
std::string Raised(unsigned long code);

// Starts shopserver.exe on a fresh copy of the demo shop with option 34 set, so that
// stock may go below zero and any number of sales is accepted while the server still
// checks and updates the stock of every line. Retries while another server still owns
// the pipe; fails the program when it cannot start.
std::unique_ptr<ShopServerProcess> StartShopServer();

}  // namespace bench
