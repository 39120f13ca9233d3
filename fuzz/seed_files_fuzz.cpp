// The development server's seed files: any text parsed into blocks, then each block
// read as the server reads its kind ([shop], [labels], [item N], [customer N]). An
// accepted item or customer fits its record and comes back from it unchanged; a
// customer written out as the server keeps it reads back equal.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "shop/record_bridge.h"
#include "shop/seed_files.h"
#include "shop/text_format.h"

namespace {

using namespace shop;

void CheckItem(const Item& item) {
    FUZZ_CHECK(item.number >= 1 && item.number <= kHighestNumber, "an item number in range");
    FUZZ_CHECK(!item.description.empty() && item.description.size() <= 39, "a description that fits");
    FUZZ_CHECK(item.taxCode >= 0 && item.taxCode <= 3 && item.category >= 0 && item.category < kCategoryCount,
               "tax code and category");
    for (const KitComponent& c : item.components)
        FUZZ_CHECK(c.text.size() <= 19 && c.quantity >= 0 && c.quantity <= 1000 && c.mode >= 0 && c.mode <= 1000,
                   "a kit component that fits");
    for (double v : {item.costPrice, item.tradePrice, item.price, item.delivery, item.weight})
        FUZZ_CHECK(std::isfinite(v), "a number that is a number");
    FUZZ_CHECK(ToItem(ToRecord(item)) == item, "an item comes back from its record unchanged");
}

void CheckCustomer(const Customer& customer) {
    FUZZ_CHECK(customer.number >= 1 && customer.number <= kHighestNumber, "a customer number in range");
    for (double v : {customer.totalPurchases, customer.balance, customer.creditLimit})
        FUZZ_CHECK(std::isfinite(v), "a number that is a number");
    FUZZ_CHECK(ToCustomer(ToRecord(customer)) == customer, "a customer comes back from its record unchanged");
    std::vector<text::Block> blocks;
    std::string error;
    FUZZ_CHECK(text::ParseBlocks(FormatCustomer(customer), blocks, error) && blocks.size() == 1, "a customer block");
    Customer back;
    FUZZ_CHECK(ParseCustomerBlock(blocks[0], back, error) && back == customer, "a written customer reads back equal");
}

// LoadLabels reads a file: the labels blocks go through one, named after this process
// and removed when it ends.
struct LabelsFile {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("varenko-fuzz-labels-" + std::to_string(getpid()) + ".txt");
    ~LabelsFile() { std::filesystem::remove(path); }
};

void CheckLabels(std::string_view content) {
    static const LabelsFile file;
    const std::filesystem::path& path = file.path;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
    LabelTable labels;
    std::string error;
    if (LoadLabels(path, labels, error))
        for (int i = 0; i < labels::kEntryCount; ++i)
            FUZZ_CHECK(labels.Entry(i).size() < labels::kEntryWidth, "a label fits its entry");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    std::vector<text::Block> blocks;
    std::string error;
    if (!text::ParseBlocks(content, blocks, error)) {
        FUZZ_CHECK(error.starts_with("line "), "a refused file names its line");
        return 0;
    }
    TerminalConfig config;
    ApplyDefaults(config, fuzz::Now());
    FillDefaultAssociateNames(config);
    Inventory items;
    bool labels = false;
    for (const text::Block& block : blocks) {
        if (block.kind == "shop") {
            if (!ApplyShopBlock(block, config, error)) FUZZ_CHECK(!error.empty(), "a refused shop line says why");
        } else if (block.kind == "labels") {
            labels = true;
        } else if (block.kind == "item") {
            Item item;
            if (ParseItemBlock(block, CategoryCodesOf(config), item, error)) {
                CheckItem(item);
                items.emplace(item.number, item);
            }
        } else if (block.kind == "customer") {
            Customer customer;
            if (ParseCustomerBlock(block, customer, error)) CheckCustomer(customer);
        }
    }
    (void)CheckKits(items, error);
    if (labels) CheckLabels(content);
    return 0;
}
