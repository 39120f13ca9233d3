#include "bench_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "support/temp_dir.h"

namespace bench {
namespace {

const char* g_program = "bench";
void (*g_onFailure)() = nullptr;
constexpr int kStartAttempts = 5;

// Nearest-rank percentile of sorted samples.
double Percentile(const std::vector<double>& sorted, double p) {
    const std::size_t rank = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(sorted.size()))), 1, sorted.size());
    return sorted[rank - 1];
}

}  // namespace

void SetProgramName(const char* name) { g_program = name; }
void OnFailure(void (*hook)()) { g_onFailure = hook; }

void Fail(const std::string& what) {
    std::fprintf(stderr, "%s: FAILED: %s\n", g_program, what.c_str());
    std::fflush(stderr);
    if (auto hook = g_onFailure) {
        g_onFailure = nullptr;
        hook();
    }
    std::exit(1);
}

Summary Summarise(std::vector<double> samples) {
    if (samples.empty()) return {0, 0, 0, 0};
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
    return {median, Percentile(samples, 90), Percentile(samples, 99), samples.back()};
}

double Median(const std::vector<double>& samples) { return Summarise(samples).median; }

std::string Raised(unsigned long code) {
    std::string text = "raised " + std::to_string(code);
    if (code == RPC_S_SERVER_UNAVAILABLE || code == RPC_S_CALL_FAILED || code == RPC_S_CALL_FAILED_DNE)
        text += " (the connection broke: is another shop server using \\pipe\\rpcvk? run again when no "
                "server or end-to-end tests run)";
    return text;
}

std::unique_ptr<ShopServerProcess> StartShopServer() {
    for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
        auto server = std::make_unique<ShopServerProcess>();
        const std::string shopFile = server->shopDirectory() + "\\shop.txt";
        WriteWholeFile(shopFile, ReadWholeFile(shopFile) + "option 34 = 1\n");
        if (server->Start()) return server;
        std::fprintf(stderr, "%s: shop server did not start (attempt %d of %d): %s\n", g_program, attempt,
                     kStartAttempts, server->Log().c_str());
        server.reset();
        Sleep(3000);
    }
    Fail("the shop server could not be started");
}

}  // namespace bench
