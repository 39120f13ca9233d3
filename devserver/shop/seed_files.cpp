#include "shop/seed_files.h"

#include "basket/money.h"
#include "shop/fields.h"

#include <cstring>
#include <set>
#include <variant>

namespace shop {
namespace {

using text::Block;
using text::Entry;
using fields::Field;
using fields::Where;

const Field<Item> kItemFields[] = {
    {"description", &Item::description, 39},
    {"order_code", &Item::orderCode, 39},
    {"date_added", &Item::dateAdded, 19},
    {"notes", &Item::notes, 79},
    {"stock", &Item::stock},
    {"restock_level", &Item::restockLevel},
    {"minimum_order", &Item::minimumOrder},
    {"order_quantity", &Item::orderQuantity},
    {"tax", &Item::taxCode},
    {"delivery_lead", &Item::deliveryLead},
    {"on_order", &Item::onOrder},
    {"committed", &Item::committed},
    {"labels_to_print", &Item::labelsToPrint},
    {"cost", &Item::costPrice},
    {"trade", &Item::tradePrice},
    {"price", &Item::price},
    {"delivery", &Item::delivery},
    {"weight", &Item::weight},
    {"stock_picture", &Item::stockPicture},
    {"round_down", &Item::roundTaxDown},
    {"age_limit", &Item::ageLimit},
    {"offer", &Item::offerRule},
    {"own_picture", &Item::ownPicture},
    {"sale_or_return", &Item::saleOrReturn},
};

const Field<Customer> kCustomerFields[] = {
    {"name", &Customer::name, 29},
    {"road", &Customer::road, 29},
    {"area", &Customer::area, 29},
    {"town", &Customer::town, 29},
    {"zip", &Customer::zip, 9},
    {"telephone", &Customer::telephone, 19},
    {"extension", &Customer::extension, 19},
    {"telephone2", &Customer::telephone2, 19},
    {"fax", &Customer::fax, 19},
    {"shipping_name", &Customer::shippingName, 59},
    {"shipping_road", &Customer::shippingRoad, 29},
    {"shipping_area", &Customer::shippingArea, 29},
    {"shipping_town", &Customer::shippingTown, 29},
    {"shipping_zip", &Customer::shippingZip, 9},
    {"contact", &Customer::contact, 59},
    {"notes", &Customer::notes, 199},
    {"comment", &Customer::comment, 29},
    {"comment2", &Customer::comment2, 39},
    {"card1", &Customer::card1, 39},
    {"card2", &Customer::card2, 39},
    {"card1_expiry", &Customer::card1Expiry, 19},
    {"card2_expiry", &Customer::card2Expiry, 19},
    {"email", &Customer::email, 39},
    {"origination", &Customer::origination, 11},
    {"last_used", &Customer::lastUsed, 15},
    {"last_payment", &Customer::lastPayment, 15},
    {"group", &Customer::group},
    {"terms", &Customer::terms},
    {"last_transaction", &Customer::lastTransaction},
    {"transactions", &Customer::transactions},
    {"tax_code", &Customer::taxCode},
    {"total_purchases", &Customer::totalPurchases},
    {"balance", &Customer::balance},
    {"credit_limit", &Customer::creditLimit},
};

bool ParseBlockNumber(const Block& block, std::int64_t& number, std::string& error) {
    auto n = text::ParseInt(block.id);
    if (!n || *n < 1 || *n > kHighestNumber) {
        error = "line " + std::to_string(block.line) + ": [" + block.kind + " " + block.id +
                "] needs a number from 1 to 10^17";
        return false;
    }
    number = *n;
    return true;
}

// "2001 x2 mode 4": item number text, quantity (default 1), entry mode (default 0).
bool ParseComponent(const Entry& e, KitComponent& c, std::string& error) {
    std::vector<std::string_view> words;
    std::string_view rest = e.value;
    while (!(rest = text::Trim(rest)).empty()) {
        std::size_t end = rest.find_first_of(" \t");
        words.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
    }
    if (words.empty() || words[0].size() > 19) {
        error = Where(e) + "expected 'number [xQUANTITY] [mode M]'";
        return false;
    }
    c.text = std::string(words[0]);
    c.quantity = 1;
    c.mode = 0;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::optional<std::int64_t> v;
        bool isMode = words[i] == "mode";
        if (isMode && i + 1 < words.size()) v = text::ParseInt(words[++i]);
        else if (!isMode && words[i].size() > 1 && words[i][0] == 'x') v = text::ParseInt(words[i].substr(1));
        if (!v || *v < 0 || *v > 1000) {
            error = Where(e) + "expected 'number [xQUANTITY] [mode M]'";
            return false;
        }
        (isMode ? c.mode : c.quantity) = static_cast<std::int32_t>(*v);
    }
    return true;
}

bool ParseCategory(const Entry& e, const CategoryCodes& codes, std::int32_t& category, std::string& error) {
    for (int k = 0; k < kCategoryCount; ++k) {
        if (!codes[k].empty() && text::Utf8ToAnsi(e.value) == codes[k]) {
            category = k;
            return true;
        }
    }
    auto n = text::ParseInt(e.value);
    if (n && *n >= 0 && *n < kCategoryCount) {
        category = static_cast<std::int32_t>(*n);
        return true;
    }
    error = Where(e) + "unknown category";
    return false;
}

// "option 33" -> 33 when the key starts with the word; nullopt otherwise.
std::optional<std::int64_t> IndexAfter(std::string_view key, std::string_view word) {
    if (!key.starts_with(word) || key.size() == word.size() || key[word.size()] != ' ') return std::nullopt;
    return text::ParseInt(key.substr(word.size()));
}

// Two numbers after the word: "text 5232 50".
bool TwoIndexesAfter(std::string_view key, std::string_view word, std::int64_t& a, std::int64_t& b) {
    if (!key.starts_with(word) || key.size() == word.size() || key[word.size()] != ' ') return false;
    std::string_view rest = text::Trim(key.substr(word.size()));
    std::size_t space = rest.find(' ');
    if (space == std::string_view::npos) return false;
    auto x = text::ParseInt(rest.substr(0, space));
    auto y = text::ParseInt(rest.substr(space));
    if (!x || !y) return false;
    a = *x;
    b = *y;
    return true;
}

bool InRange(std::optional<std::int64_t> v, std::int64_t lo, std::int64_t hi) { return v && *v >= lo && *v <= hi; }

}  // namespace

CategoryCodes CategoryCodesOf(const TerminalConfig& config) {
    CategoryCodes codes;
    for (int k = 0; k < kCategoryCount; ++k) codes[k] = config.CategoryCode(k);
    return codes;
}

bool ApplyShopBlock(const Block& block, TerminalConfig& c, std::string& error) {
    using namespace cfg;
    error.clear();
    for (const Entry& e : block.entries) {
        const std::string value = text::Utf8ToAnsi(e.value);
        const std::string_view key = e.key;
        auto number = [&]() { return text::ParseInt(e.value); };
        auto needText = [&](std::size_t width) {
            if (value.size() >= width) {
                error = Where(e) + "longer than " + std::to_string(width - 1) + " characters";
                return false;
            }
            return true;
        };
        auto needNumber = [&](std::optional<std::int64_t> v) {
            if (!v) error = Where(e) + "not a whole number";
            return v.has_value();
        };
        std::optional<std::int64_t> index;
        std::int64_t a = 0, b = 0;

        if ((index = IndexAfter(key, "header"))) {
            if (!InRange(index, 1, 8) || !needText(kHeaderTextWidth)) {
                if (error.empty()) error = Where(e) + "header 1 to 8";
                return false;
            }
            c.SetText(kHeaderTexts + kHeaderTextWidth * static_cast<std::size_t>(*index - 1), kHeaderTextWidth, value);
        } else if (key == "currency") {
            if (!needText(6)) return false;
            c.SetText(kCurrencySign, 6, value);
        } else if (key == "second_currency") {
            if (!needText(6)) return false;
            c.SetText(kSecondCurrencySign, 6, value);
        } else if ((index = IndexAfter(key, "category"))) {
            if (!InRange(index, 0, 17) || value.size() != 3) {
                error = Where(e) + "category 0 to 17 takes exactly three letters";
                return false;
            }
            std::size_t offset = *index <= 8 ? kCategoryCodesLow + kCategoryCodeWidth * static_cast<std::size_t>(*index + 1)
                                             : kCategoryCodesHigh + kCategoryCodeWidth * static_cast<std::size_t>(*index - 9);
            std::memcpy(c.data() + offset, value.data(), 3);
        } else if (key == "tax1_name" || key == "tax2_name") {
            if (!needText(kTaxNameWidth)) return false;
            c.SetText(key == "tax1_name" ? kTax1Name : kTax2Name, kTaxNameWidth, value);
        } else if ((index = IndexAfter(key, "option"))) {
            if (!InRange(index, 0, kOptionCount - 1) || !needNumber(number())) {
                if (error.empty()) error = Where(e) + "option 0 to 59";
                return false;
            }
            c.SetOption(static_cast<int>(*index), *number());
        } else if ((index = IndexAfter(key, "switch"))) {
            auto v = number();
            if (!InRange(index, 0, kSwitchCount - 1) || !InRange(v, INT32_MIN, INT32_MAX)) {
                error = Where(e) + "switch 0 to 199 takes a 32-bit number";
                return false;
            }
            c.SetSwitch(static_cast<int>(*index), static_cast<std::int32_t>(*v));
        } else if ((index = IndexAfter(key, "amount"))) {
            auto v = text::ParseDouble(e.value);
            if (!InRange(index, 0, kAmountCount - 1) || !v) {
                error = Where(e) + "amount 0 to 99 takes a number";
                return false;
            }
            c.SetAmount(static_cast<int>(*index), *v);
        } else if ((index = IndexAfter(key, "associate"))) {
            if (!InRange(index, 1, kAssociateCount) || !needText(kAssociateNameWidth)) {
                if (error.empty()) error = Where(e) + "associate 1 to 100";
                return false;
            }
            c.SetAssociateName(*index, value);
        } else if ((index = IndexAfter(key, "password"))) {
            if (!InRange(index, 1, kAssociateCount - 1) || !needText(kAssociatePasswordWidth)) {
                if (error.empty()) error = Where(e) + "password 1 to 99";
                return false;
            }
            c.SetAssociatePassword(*index, value);
        } else if ((index = IndexAfter(key, "term_discount"))) {
            auto v = number();
            if (!InRange(index, 1, 9) || !InRange(v, INT32_MIN, INT32_MAX)) {
                error = Where(e) + "term_discount 1 to 9 takes a number";
                return false;
            }
            c.SetInt32(kTermCodes + 4 * static_cast<std::size_t>(*index), static_cast<std::int32_t>(*v));
        } else if ((index = IndexAfter(key, "noninventory_caption"))) {
            if (!InRange(index, 1, 4) || !needText(kNonInventoryCaptionWidth)) {
                if (error.empty()) error = Where(e) + "noninventory_caption 1 to 4";
                return false;
            }
            c.SetText(kNonInventoryCaptions + kNonInventoryCaptionWidth * static_cast<std::size_t>(*index - 1),
                      kNonInventoryCaptionWidth, value);
        } else if ((index = IndexAfter(key, "shop_text"))) {
            if (!InRange(index, 1, 3) || !needText(kShopTextWidth)) {
                if (error.empty()) error = Where(e) + "shop_text 1 to 3";
                return false;
            }
            c.SetText(kShopTexts + kShopTextWidth * static_cast<std::size_t>(*index - 1), kShopTextWidth, value);
        } else if (key == "closing_message") {
            if (!needText(kLongTextWidth)) return false;
            c.SetText(kClosingMessage, kLongTextWidth, value);
        } else if (key == "pole_idle") {
            if (!needText(kPoleTextWidth)) return false;
            c.SetText(kPoleTexts, kPoleTextWidth, value);
        } else if (key == "server_name") {
            if (!needText(kServerNameWidth)) return false;
            c.SetServerName(value);
        } else if (key == "server_connection" || key == "transaction_number") {
            auto v = number();
            if (!InRange(v, INT32_MIN, INT32_MAX)) {
                error = Where(e) + "takes a 32-bit number";
                return false;
            }
            if (key == "server_connection") c.SetServerConnection(static_cast<std::int32_t>(*v));
            else c.SetTransactionNumber(static_cast<std::int32_t>(*v));
        } else if (key == "trade_percentage") {
            auto v = text::ParseDouble(e.value);
            if (!v) {
                error = Where(e) + "not a number";
                return false;
            }
            c.SetDouble(kTradeValues, *v);
        } else if ((index = IndexAfter(key, "int32")) || (index = IndexAfter(key, "int64")) ||
                   (index = IndexAfter(key, "double"))) {
            std::size_t width = key.starts_with("int32") ? 4 : 8;
            if (!InRange(index, 0, static_cast<std::int64_t>(kSize - width))) {
                error = Where(e) + "offset outside the record";
                return false;
            }
            auto offset = static_cast<std::size_t>(*index);
            if (key.starts_with("double")) {
                auto v = text::ParseDouble(e.value);
                if (!v) {
                    error = Where(e) + "not a number";
                    return false;
                }
                c.SetDouble(offset, *v);
            } else {
                auto v = number();
                if (!needNumber(v)) return false;
                if (width == 4) {
                    if (!InRange(v, INT32_MIN, INT32_MAX)) {
                        error = Where(e) + "out of range";
                        return false;
                    }
                    c.SetInt32(offset, static_cast<std::int32_t>(*v));
                } else {
                    c.SetInt64(offset, *v);
                }
            }
        } else if (TwoIndexesAfter(key, "text", a, b)) {
            const auto size = static_cast<std::int64_t>(kSize);  // a + b could overflow
            if (a < 0 || b < 1 || a > size || b > size - a || !needText(static_cast<std::size_t>(b))) {
                if (error.empty()) error = Where(e) + "text OFFSET WIDTH outside the record";
                return false;
            }
            c.SetText(static_cast<std::size_t>(a), static_cast<std::size_t>(b), value);
        } else {
            error = Where(e) + "unknown key";
            return false;
        }
    }
    return true;
}

bool LoadShopConfig(const std::filesystem::path& path, const LocalTime& now, TerminalConfig& config,
                    std::string& error) {
    std::vector<Block> blocks;
    if (!text::ReadBlockFile(path, blocks, error)) return false;
    config = TerminalConfig{};
    ApplyDefaults(config, now);
    FillDefaultAssociateNames(config);
    for (const Block& block : blocks) {
        if (block.kind != "shop") {
            error = path.string() + ": line " + std::to_string(block.line) + ": expected [shop]";
            return false;
        }
        if (!ApplyShopBlock(block, config, error)) {
            error = path.string() + ": " + error;
            return false;
        }
    }
    return true;
}

bool LoadLabels(const std::filesystem::path& path, LabelTable& labels, std::string& error) {
    std::vector<Block> blocks;
    if (!text::ReadBlockFile(path, blocks, error)) return false;
    labels = DefaultLabelTable();
    for (const Block& block : blocks) {
        if (block.kind != "labels") {
            error = path.string() + ": line " + std::to_string(block.line) + ": expected [labels]";
            return false;
        }
        for (const Entry& e : block.entries) {
            auto i = text::ParseInt(e.key);
            std::string value = text::Utf8ToAnsi(e.value);
            if (!InRange(i, 0, labels::kEntryCount - 1) || value.size() >= labels::kEntryWidth) {
                error = path.string() + ": " + Where(e) + "entry 0 to 37, at most 79 characters";
                return false;
            }
            labels.SetEntry(static_cast<int>(*i), value);
        }
    }
    return true;
}

bool ParseItemBlock(const Block& block, const CategoryCodes& codes, Item& item, std::string& error) {
    item = Item{};
    if (block.kind != "item") {
        error = "line " + std::to_string(block.line) + ": expected [item N]";
        return false;
    }
    if (!ParseBlockNumber(block, item.number, error)) return false;
    int skus = 0, components = 0;
    for (const Entry& e : block.entries) {
        if (e.key == "sku") {
            std::string value = text::Utf8ToAnsi(e.value);
            if (skus == kSkuCount || value.empty() || value.size() > 39) {
                error = Where(e) + "at most four SKUs of 1 to 39 characters";
                return false;
            }
            item.skus[skus++] = value;
        } else if (e.key == "component") {
            if (components == kKitComponentCount) {
                error = Where(e) + "at most six components";
                return false;
            }
            if (!ParseComponent(e, item.components[components++], error)) return false;
        } else if (e.key == "category") {
            if (!ParseCategory(e, codes, item.category, error)) return false;
        } else if (const Field<Item>* f = fields::FindField(kItemFields, e.key)) {
            if (!fields::SetField(*f, e, item, error)) return false;
        } else {
            error = Where(e) + "unknown key";
            return false;
        }
    }
    if (item.description.empty()) {
        error = "line " + std::to_string(block.line) + ": item " + block.id + " has no description";
        return false;
    }
    if (item.taxCode < 0 || item.taxCode > 3) {
        error = "line " + std::to_string(block.line) + ": item " + block.id + ": tax code 0 to 3";
        return false;
    }
    if (components > 0) item.kitFlag = kKitFlag;
    return true;
}

bool LoadItems(const std::filesystem::path& path, const CategoryCodes& codes, Inventory& items,
               std::string& error) {
    std::vector<Block> blocks;
    if (!text::ReadBlockFile(path, blocks, error)) return false;
    items.clear();
    for (const Block& block : blocks) {
        Item item;
        if (!ParseItemBlock(block, codes, item, error)) {
            error = path.string() + ": " + error;
            return false;
        }
        if (!items.emplace(item.number, item).second) {
            error = path.string() + ": line " + std::to_string(block.line) + ": item " + block.id + " twice";
            return false;
        }
    }
    return CheckKits(items, error);
}

bool CheckKits(const Inventory& items, std::string& error) {
    // Depth-first over the component graph; a component met again on the current path is a loop.
    std::set<std::int64_t> done;
    std::vector<std::int64_t> path;
    auto visit = [&](auto&& self, const Item& item) -> bool {
        if (done.count(item.number)) return true;
        for (std::int64_t p : path) {
            if (p == item.number) {
                error = "kit " + std::to_string(item.number) + " contains itself";
                return false;
            }
        }
        path.push_back(item.number);
        for (const KitComponent& c : item.components) {
            if (c.text.empty()) continue;
            auto it = items.find(LeadingNumber(c.text));
            if (it == items.end()) {
                error = "kit " + std::to_string(item.number) + ": component " + c.text + " is no item";
                return false;
            }
            if (!self(self, it->second)) return false;
        }
        path.pop_back();
        done.insert(item.number);
        return true;
    };
    for (const auto& [number, item] : items)
        if (!visit(visit, item)) return false;
    return true;
}

bool ParseCustomerBlock(const Block& block, Customer& customer, std::string& error) {
    customer = Customer{};
    if (block.kind != "customer") {
        error = "line " + std::to_string(block.line) + ": expected [customer N]";
        return false;
    }
    if (!ParseBlockNumber(block, customer.number, error)) return false;
    for (const Entry& e : block.entries) {
        const Field<Customer>* f = fields::FindField(kCustomerFields, e.key);
        if (!f) {
            error = Where(e) + "unknown key";
            return false;
        }
        if (!fields::SetField(*f, e, customer, error)) return false;
    }
    return true;
}

bool LoadCustomers(const std::filesystem::path& path, CustomerBook& customers, std::string& error) {
    std::vector<Block> blocks;
    if (!text::ReadBlockFile(path, blocks, error)) return false;
    customers.clear();
    for (const Block& block : blocks) {
        Customer customer;
        if (!ParseCustomerBlock(block, customer, error)) {
            error = path.string() + ": " + error;
            return false;
        }
        if (!customers.emplace(customer.number, customer).second) {
            error = path.string() + ": line " + std::to_string(block.line) + ": customer " + block.id + " twice";
            return false;
        }
    }
    return true;
}

std::string FormatCustomer(const Customer& customer) {
    std::string out = "[customer " + std::to_string(customer.number) + "]\n";
    for (const Field<Customer>& f : kCustomerFields) fields::WriteField(out, f, customer);
    return out;
}

}  // namespace shop
