// Helpers shared by the shop model's tests: scratch directories and small inventories.
#pragma once
#include <atomic>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "logs/clock.h"
#include "shop/model.h"

// Readable failure messages: the numbers and names rather than raw bytes.
namespace shop {
inline void PrintTo(const Item& item, std::ostream* os) {
    *os << "item " << item.number << " \"" << item.description << "\"";
}
inline void PrintTo(const Customer& customer, std::ostream* os) {
    *os << "customer " << customer.number << " \"" << customer.name << "\"";
}
}  // namespace shop

namespace shoptest {

// A fresh directory under the system's temporary folder, removed again at the end.
class ScratchDir {
public:
    ScratchDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("shop_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A scratch copy of the committed demo data directory.
inline void CopyDemo(const std::filesystem::path& to) {
    std::filesystem::copy(SHOP_DEMO_DIR, to,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline LocalTime FixedTime() {
    LocalTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 5;
    t.hour = 9;
    t.minute = 30;
    return t;
}

inline shop::Item MakeItem(std::int64_t number, std::string description, std::int32_t category,
                           std::vector<std::string> skus = {}, std::int32_t stock = 10) {
    shop::Item item;
    item.number = number;
    item.description = std::move(description);
    item.category = category;
    item.stock = stock;
    for (std::size_t i = 0; i < skus.size() && i < item.skus.size(); ++i) item.skus[i] = skus[i];
    return item;
}

inline shop::Inventory InventoryOf(std::vector<shop::Item> items) {
    shop::Inventory inventory;
    for (auto& item : items) inventory.emplace(item.number, item);
    return inventory;
}

// A small shop written out as seed files, so that every expectation below follows
// from the seed in front of it.
inline void WriteMiniSeed(const std::filesystem::path& dir) {
    WriteFile(dir / "shop.txt", "[shop]\nheader 1 = TEST SHOP\ntransaction_number = 1\n");
    WriteFile(dir / "labels.txt", "[labels]\n17 = BILL\n");
    WriteFile(dir / "items.txt",
              "[item 1]\ndescription = Two left\ncategory = ALC\nstock = 2\nprice = 4.50\n\n"
              "[item 2]\ndescription = Plenty\ncategory = BEE\nstock = 40\nsku = 4000\n\n"
              "[item 3]\ndescription = Kit of both\ncategory = MSC\ncomponent = 1\ncomponent = 2 x2\n");
    WriteFile(dir / "customers.txt",
              "[customer 10]\nname = JANE HARPER\nbalance = 100\ncredit_limit = 500\n\n"
              "[customer 11]\nname = MARK LEE\n");
    std::filesystem::create_directories(dir / "pictures");
    WriteFile(dir / "pictures" / "m1.bmp", std::string(4321, 'p'));
}

}  // namespace shoptest
