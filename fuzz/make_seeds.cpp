// Writes the binary seeds of fuzz/corpus from the demo shop: the configuration record
// the server sends (as vks.cfg holds it, whole and cut short), and wire images of a
// demo item, a kit and a customer for reply_records. The text seeds are written by hand.
//
//   build/fuzz/bin/make_fuzz_seeds devserver/demo fuzz/corpus
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "link/wire_layout.h"
#include "shop/record_bridge.h"
#include "shop/shop.h"

namespace {

void Write(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// reply_records: the selector byte, then the record's wire image.
void WriteReply(const std::filesystem::path& path, std::uint8_t selector, const wire::Table& table,
                const std::uint8_t* packed) {
    std::vector<std::uint8_t> image(1 + wire::WireSize(table));
    image[0] = selector;
    wire::PackedToWire(table, packed, image.data() + 1);
    Write(path, image.data(), image.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_fuzz_seeds DEMO-FOLDER CORPUS-FOLDER\n";
        return 2;
    }
    // The shop writes its state folder: work on a copy of the demo.
    const std::filesystem::path demo = std::filesystem::temp_directory_path() / "varenko-seed-demo";
    std::filesystem::remove_all(demo);
    std::filesystem::copy(argv[1], demo, std::filesystem::copy_options::recursive);
    std::string error;
    const std::unique_ptr<shop::Shop> shop = shop::Shop::Open(demo, error);
    if (!shop) {
        std::cerr << error << "\n";
        return 1;
    }
    const std::filesystem::path corpus = argv[2];
    const TerminalConfig config = shop->Config();
    Write(corpus / "config_file/demo-vks.cfg", config.data(), cfg::kSize);
    Write(corpus / "config_file/demo-vks-short.cfg", config.data(), 700);

    const InventoryItem item = shop::ToRecord(shop->FetchItem(1001, ""));
    const InventoryItem kit = shop::ToRecord(shop->FetchItem(3003, ""));
    const CustomerRecord customer = shop::ToRecord(shop->FetchCustomer(1002, ""));
    WriteReply(corpus / "reply_records/demo-item-1001", 0, wire::kInventoryItem, item.data());
    WriteReply(corpus / "reply_records/demo-kit-3003", 0, wire::kInventoryItem, kit.data());
    WriteReply(corpus / "reply_records/demo-customer-1002", 1, wire::kCustomerRecord, customer.data());
    const LabelTable labels = shop->Labels();
    std::vector<std::uint8_t> simple(1 + labels::kSize, 2);
    std::copy(labels.bytes.begin(), labels.bytes.end(), simple.begin() + 1);
    Write(corpus / "reply_records/demo-labels", simple.data(), simple.size());
    std::filesystem::remove_all(demo);
    return 0;
}
