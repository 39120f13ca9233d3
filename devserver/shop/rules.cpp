#include "shop/rules.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <vector>

#include "basket/money.h"
#include "shop/seed_files.h"

namespace shop {

std::string PictureName(const Item& item) {
    std::string name;
    if (item.ownPicture == 1) name.append("m").append(std::to_string(item.number)).append(".bmp");
    else if (item.stockPicture > 0) name.append("STOCK").append(std::to_string(item.stockPicture)).append(".bmp");
    return name;
}

std::string Fold(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) c = static_cast<char>(b + 0x20);
    }
    return out;
}

namespace {

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view TrimBlanks(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The number a whole text of digits stands for; -1 when it is not one.
std::int64_t WholeNumber(std::string_view s) {
    if (!AllDigits(s)) return -1;
    std::int64_t n = LeadingNumber(s);
    return n > kHighestNumber ? -1 : n;
}

// The first item after `after` in number order that satisfies the predicate.
template <class Pred>
Item FirstAfter(const Inventory& items, std::int64_t after, Pred pred) {
    for (auto it = items.upper_bound(after); it != items.end(); ++it)
        if (pred(it->second)) return it->second;
    return Item();
}

bool ContainsFolded(const std::string& haystack, const std::string& foldedNeedle) {
    return Fold(haystack).find(foldedNeedle) != std::string::npos;
}

}  // namespace

Item LookupItem(const Inventory& items, std::int64_t key, std::string_view text) {
    const std::string folded = Fold(text);
    if (key == 0) {
        std::string_view typed = TrimBlanks(text);
        std::int64_t number = WholeNumber(typed);
        if (number > 0) {
            auto it = items.find(number);
            if (it != items.end()) return it->second;
        }
        const std::string scanned = Fold(typed);
        if (scanned.empty()) return Item{};
        return FirstAfter(items, INT64_MIN, [&](const Item& item) {
            return std::any_of(item.skus.begin(), item.skus.end(),
                               [&](const std::string& sku) { return !sku.empty() && Fold(sku) == scanned; });
        });
    }
    if (key == -1 || key > 0) {
        // A number written in decimal is an exact lookup by number (item entry sends
        // the number it read): an unknown number finds nothing, never an item whose
        // description happens to hold the digits.
        if (key == -1 && AllDigits(TrimBlanks(text))) {
            const std::int64_t number = WholeNumber(TrimBlanks(text));
            auto it = items.find(number);
            return it != items.end() ? it->second : Item{};
        }
        return FirstAfter(items, key > 0 ? key : INT64_MIN,
                          [&](const Item& item) { return ContainsFolded(item.description, folded); });
    }
    // SKU searches: -2 starts, -(n + 2) continues after item n.
    std::int64_t after = key == -2 ? INT64_MIN : -(key + 2);
    return FirstAfter(items, after, [&](const Item& item) {
        return std::any_of(item.skus.begin(), item.skus.end(), [&](const std::string& sku) {
            return !sku.empty() && Fold(sku).starts_with(folded);
        });
    });
}

Customer LookupCustomer(const CustomerBook& customers, std::int64_t key, std::string_view text) {
    const std::int64_t number = LeadingNumber(text);
    const bool byNumber = number >= 1 && number <= kHighestNumber;
    const std::string folded = Fold(text);
    for (auto it = key > 0 ? customers.upper_bound(key) : customers.begin(); it != customers.end(); ++it) {
        const Customer& c = it->second;
        if ((byNumber && c.number == number) || ContainsFolded(c.name, folded)) return c;
    }
    return Customer{};
}

std::string NextCustomerNumber(const CustomerBook& customers) {
    return std::to_string(customers.empty() ? 1 : customers.rbegin()->first + 1);
}

bool IsSafePictureName(std::string_view name) {
    if (name.empty() || name.size() > 39) return false;
    if (name.find("..") != std::string_view::npos) return false;
    for (char c : name) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '/' || c == '\\' || c == ':') return false;
    }
    return true;
}

PictureBlock ReadPictureBlock(const std::filesystem::path& folder, std::string_view name, std::int32_t offset) {
    PictureBlock reply;
    if (!IsSafePictureName(name) || offset < 0) return reply;
    const std::filesystem::path path = folder / std::filesystem::path(std::string(name));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return reply;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > static_cast<std::uintmax_t>(INT32_MAX)) return reply;
    if (static_cast<std::uintmax_t>(offset) >= size) {
        if (offset == 0) reply.count = 0;  // an empty file reads as no file at all
        return reply;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return reply;
    const auto piece = static_cast<std::size_t>(std::min<std::uintmax_t>(size - offset, kPictureBlockSize));
    reply.data.resize(piece);
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(reply.data.data()), static_cast<std::streamsize>(piece));
    if (static_cast<std::size_t>(in.gcount()) != piece) return PictureBlock{};
    reply.count = offset == 0 ? static_cast<std::int32_t>(size) : static_cast<std::int32_t>(piece);
    return reply;
}

namespace {

std::vector<const Item*> ItemsOfCategory(const Inventory& items, std::int32_t category) {
    std::vector<const Item*> out;
    if (category < 0 || category > kAllCategories) return out;
    for (const auto& [number, item] : items)
        if (category == kAllCategories || item.category == category) out.push_back(&item);
    return out;
}

// A reply page holding items [from, to) of the list.
ButtonPage PageOf(const ButtonPage& request, const std::vector<const Item*>& list, std::size_t from,
                  std::size_t to) {
    ButtonPage page;
    page.category = request.category;
    page.direction = request.direction;
    to = std::min({to, list.size(), from + kButtonsPerPage});
    for (std::size_t i = from; i < to; ++i) {
        const Item& item = *list[i];
        std::size_t slot = i - from;
        page.numbers[slot] = item.number;
        page.captions[slot] = item.description.substr(0, 39);
        page.pictures[slot] = PictureName(item);
        page.cursor = item.number;
    }
    return page;
}

// Position of the first item numbered above `after`.
std::size_t IndexAfter(const std::vector<const Item*>& list, std::int64_t after) {
    return static_cast<std::size_t>(
        std::upper_bound(list.begin(), list.end(), after, [](std::int64_t n, const Item* item) { return n < item->number; }) -
        list.begin());
}

}  // namespace

ButtonPage FirstButtonPage(const Inventory& items, const ButtonPage& request) {
    const auto list = ItemsOfCategory(items, request.category);
    return PageOf(request, list, 0, kButtonsPerPage);
}

ButtonPage NextButtonPage(const Inventory& items, const ButtonPage& request) {
    const auto list = ItemsOfCategory(items, request.category);
    if (request.direction != kBackward) {
        std::size_t from = request.cursor == 0 ? 0 : IndexAfter(list, request.cursor);
        return PageOf(request, list, from, from + kButtonsPerPage);
    }
    const std::int64_t firstShown = request.numbers[0];
    if (firstShown <= 0) return PageOf(request, list, 0, kButtonsPerPage);
    std::size_t before = IndexAfter(list, firstShown - 1);  // items numbered below firstShown
    if (before == 0) return PageOf(request, list, 0, kButtonsPerPage);
    std::size_t from = before >= kButtonsPerPage ? before - kButtonsPerPage : 0;
    return PageOf(request, list, from, before);
}

std::int32_t CheckNewCustomer(const CustomerBook& customers, const Customer& customer) {
    if (customer.number < 1 || customer.number > kHighestNumber) return code::kCustomerBadNumber;
    if (customers.count(customer.number)) return code::kCustomerInUse;
    return code::kOk;
}

std::int32_t CheckAmendedCustomer(const CustomerBook& customers, const Customer& customer) {
    if (customer.number < 1 || customer.number > kHighestNumber) return code::kCustomerBadNumber;
    if (!customers.count(customer.number)) return code::kCustomerMissing;
    return code::kOk;
}

Customer MergeAmendment(const Customer& stored, const Customer& amended) {
    Customer merged = amended;
    merged.balance = stored.balance;
    merged.lastTransaction = stored.lastTransaction;
    merged.lastUsed = stored.lastUsed;
    merged.lastPayment = stored.lastPayment;
    return merged;
}

std::int32_t CheckSale(const Inventory& items, const CustomerBook& customers, const Transaction& sale,
                       bool allowNegativeStock) {
    if (sale.lines.size() > kMaxLines) return code::kSaleBadNumber;
    if (sale.customer != 0 && !customers.count(sale.customer)) return code::kSaleBadCustomer;
    if (sale.customer == 0 && sale.paymentType == "Credit") return code::kSaleBadCustomer;
    std::map<std::int64_t, std::int64_t> units;
    for (const TransactionLine& line : sale.lines) {
        if (line.item == 0) continue;
        if (line.item < 0 || !items.count(line.item)) return code::kSaleBadItem;
        ++units[line.item];
    }
    if (allowNegativeStock) return code::kOk;
    for (const auto& [number, count] : units) {
        const Item& item = items.at(number);
        if (!item.IsKit() && count > item.stock) return code::kSaleOutOfStock;
    }
    return code::kOk;
}

std::int32_t CheckRefund(const Inventory& items, const CustomerBook& customers, const Transaction& refund) {
    if (refund.lines.size() > kMaxLines) return code::kRefundBadNumber;
    if (refund.refundMethod < 0 || refund.refundMethod > 3) return code::kRefundBadType;
    if (refund.refundStockFlag < 0 || refund.refundStockFlag > 1) return code::kRefundBadType;
    if (refund.customer != 0 && !customers.count(refund.customer)) return code::kRefundBadCustomer;
    if (refund.customer == 0 && refund.refundMethod == 3) return code::kRefundNoCustomer;
    for (const TransactionLine& line : refund.lines) {
        if (line.item == 0) continue;
        if (line.item < 0 || !items.count(line.item)) return code::kRefundBadItem;
    }
    return code::kOk;
}

void ApplyToStock(Inventory& items, Kind kind, const Transaction& t) {
    if (kind == Kind::Refund && t.refundStockFlag != 0) return;
    const std::int32_t step = kind == Kind::Sale ? -1 : 1;
    for (const TransactionLine& line : t.lines) {
        auto it = items.find(line.item);
        if (line.item == 0 || it == items.end() || it->second.IsKit()) continue;
        it->second.stock += step;
    }
}

void ApplyToCustomer(CustomerBook& customers, Kind kind, const Transaction& t, std::int64_t number,
                     std::string_view stamp) {
    auto it = customers.find(t.customer);
    if (t.customer == 0 || it == customers.end()) return;
    Customer& c = it->second;
    c.lastUsed = std::string(stamp);
    c.lastTransaction = static_cast<std::int32_t>(number);
    if (kind == Kind::Sale) {
        c.transactions += 1;
        c.totalPurchases += t.total;
        if (t.paymentType == "Credit") c.balance += t.total;
    } else if (t.refundMethod == 3) {
        c.balance -= t.total;
    }
}

bool SameCommit(const Transaction& first, const Transaction& again) {
    Transaction stamped = again;
    stamped.time = first.time;
    stamped.date = first.date;
    return stamped == first;
}

}  // namespace shop
