// The shop's seed files, written by hand, and the customer file the server keeps:
//   shop.txt       [shop]          the configuration record's values over its defaults
//   labels.txt     [labels]        the document wording, "N = text"
//   items.txt      [item N]        one block per item
//   customers.txt  [customer N]    one block per customer
// devserver/README.md lists every key.
#pragma once
#include <array>
#include <filesystem>
#include <string>

#include "link/label_table.h"
#include "logs/clock.h"
#include "shell/terminal_config.h"
#include "shop/model.h"
#include "shop/text_format.h"

namespace shop {

inline constexpr const char* kShopFile = "shop.txt";
inline constexpr const char* kLabelsFile = "labels.txt";
inline constexpr const char* kItemsFile = "items.txt";
inline constexpr const char* kCustomersFile = "customers.txt";
inline constexpr const char* kPicturesFolder = "pictures";

using CategoryCodes = std::array<std::string, kCategoryCount>;
CategoryCodes CategoryCodesOf(const TerminalConfig& config);

// The defaults of a new configuration, then every value of the [shop] block.
bool ApplyShopBlock(const text::Block& block, TerminalConfig& config, std::string& error);
bool LoadShopConfig(const std::filesystem::path& path, const LocalTime& now, TerminalConfig& config,
                    std::string& error);

// The English defaults, then every "N = text" of the [labels] block.
bool LoadLabels(const std::filesystem::path& path, LabelTable& labels, std::string& error);

// A category is its three-letter code or its number.
bool ParseItemBlock(const text::Block& block, const CategoryCodes& codes, Item& item, std::string& error);
bool LoadItems(const std::filesystem::path& path, const CategoryCodes& codes, Inventory& items,
               std::string& error);
// Every kit component names an existing item and no kit contains itself, however deep.
bool CheckKits(const Inventory& items, std::string& error);

bool ParseCustomerBlock(const text::Block& block, Customer& customer, std::string& error);
bool LoadCustomers(const std::filesystem::path& path, CustomerBook& customers, std::string& error);
// The block text of one customer, every field written; reads back equal.
std::string FormatCustomer(const Customer& customer);

}  // namespace shop
