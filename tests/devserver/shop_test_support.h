// Helpers shared by the shop model's tests: scratch directories and small inventories.
#pragma once
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "logs/clock.h"
#include "shop/model.h"

// Readable failure messages: the numbers and names rather than raw bytes.
namespace shop {
inline void PrintTo(const Item& i, std::ostream* os) { *os << "item " << i.number << " \"" << i.description << "\""; }
inline void PrintTo(const Customer& c, std::ostream* os) { *os << "customer " << c.number << " \"" << c.name << "\""; }
}  // namespace shop

namespace shoptest {

// A fresh directory under the system's temporary folder, removed again at the end.
struct ScratchDir {
    ScratchDir() {
        static std::atomic<int> counter{0};
        path_ /= "shop_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::error_code ec; std::filesystem::remove_all(path_, ec); }
    ScratchDir(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path path_ = std::filesystem::temp_directory_path();
};

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Saturday 5 December 2026, 09:30.
inline LocalTime FixedTime() { return LocalTime{2026, 12, 6, 5, 9, 30}; }

inline shop::Item MakeItem(std::int64_t number, std::string description, std::int32_t category,
                           std::vector<std::string> skus = {}, std::int32_t stock = 10) {
    shop::Item item;
    item.number = number, item.description = std::move(description), item.category = category, item.stock = stock;
    std::copy_n(skus.begin(), std::min(skus.size(), item.skus.size()), item.skus.begin());
    return item;
}

inline shop::Customer MakeCustomer(std::int64_t number, std::string name) {
    shop::Customer customer;
    customer.number = number, customer.name = std::move(name);
    return customer;
}

inline shop::Inventory InventoryOf(const std::vector<shop::Item>& items) {
    shop::Inventory inventory;
    for (const auto& item : items) inventory.emplace(item.number, item);
    return inventory;
}

// A sale or refund of one unit of each item at 10 + 2 tax = 12 a line.
inline shop::Transaction Lines(std::vector<std::int64_t> items, std::int64_t customer = 0, const char* payment = "Cash",
                               std::int32_t refundMethod = 0, std::int32_t stockFlag = 0) {
    shop::Transaction t;
    t.customer = customer, t.paymentType = payment, t.refundMethod = refundMethod, t.refundStockFlag = stockFlag;
    for (std::int64_t n : items) t.lines.push_back({n, "line of " + std::to_string(n), 0, 10, 2, 0, 0, 0, 12});
    t.total = 12.0 * static_cast<double>(items.size());
    return t;
}

// A small shop written out as seed files, so that every expectation follows from the
// seed in front of it: item 1 has 2 in stock, item 2 has 40, item 3 is a kit of both.
inline void WriteMiniSeed(const std::filesystem::path& dir) {
    WriteFile(dir / "shop.txt", "[shop]\ntransaction_number = 1\n");
    WriteFile(dir / "labels.txt", "[labels]\n");
    WriteFile(dir / "items.txt",
              "[item 1]\ndescription = Two left\ncategory = ALC\nstock = 2\nprice = 4.50\n\n"
              "[item 2]\ndescription = Plenty\ncategory = BEE\nstock = 40\nsku = 4000\n\n"
              "[item 3]\ndescription = Kit of both\ncategory = MSC\ncomponent = 1\ncomponent = 2 x2 mode 3\n");
    WriteFile(dir / "customers.txt", "[customer 10]\nname = JANE HARPER\nbalance = 100\n[customer 11]\nname = MARK\n");
}

}  // namespace shoptest
