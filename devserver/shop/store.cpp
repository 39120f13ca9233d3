#include "shop/store.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "shop/fields.h"
#include "shop/seed_files.h"
#include "shop/text_format.h"

namespace shop::store {
namespace {

using fields::Field;

// Pushes what the C library has buffered, then what the operating system has cached.
bool FlushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

bool WriteAll(const std::filesystem::path& path, const char* mode, std::string_view content) {
#ifdef _WIN32
    std::FILE* f = _wfopen(path.c_str(), mode[0] == 'w' ? L"wb" : L"ab");
#else
    std::FILE* f = std::fopen(path.c_str(), mode);
#endif
    if (!f) return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = FlushToDisk(f) && ok;
    return std::fclose(f) == 0 && ok;
}

const Field<Transaction> kTransactionFields[] = {
    {"transaction", &Transaction::number},
    {"customer", &Transaction::customer},
    {"associate", &Transaction::associate},
    {"non_taxable_total", &Transaction::nonTaxableTotal},
    {"taxable_total", &Transaction::taxableTotal},
    {"sub_total", &Transaction::subTotal},
    {"tax1_total", &Transaction::tax1Total},
    {"tax2_total", &Transaction::tax2Total},
    {"cost_total", &Transaction::costTotal},
    {"total", &Transaction::total},
    {"discount_total", &Transaction::discountTotal},
    {"cash", &Transaction::cash},
    {"eft", &Transaction::eft},
    {"cheque", &Transaction::cheque},
    {"balance_before", &Transaction::balanceBefore},
    {"balance_after", &Transaction::balanceAfter},
    {"time", &Transaction::time, 19},
    {"date", &Transaction::date, 19},
    {"customer_name", &Transaction::customerName, 39},
    {"customer_road", &Transaction::customerRoad, 29},
    {"customer_area", &Transaction::customerArea, 29},
    {"customer_town", &Transaction::customerTown, 29},
    {"customer_zip", &Transaction::customerZip, 29},
    {"customer_telephone", &Transaction::customerTelephone, 29},
    {"payment_type", &Transaction::paymentType, 39},
    {"computer", &Transaction::computerName, 39},
    {"note", &Transaction::note, 79},
    {"refund_method", &Transaction::refundMethod},
    {"refund_stock_flag", &Transaction::refundStockFlag},
};

const Field<JournalEntry> kExpectedField{"expected", &JournalEntry::expected};

// "item;non-taxable;taxable;tax 1;tax 2;cost;discount;total;description"
std::string FormatLine(const TransactionLine& l) {
    std::string out = std::to_string(l.item);
    for (double v : {l.nonTaxable, l.taxable, l.tax1, l.tax2, l.cost, l.discount, l.total})
        out.append(";").append(text::FormatDouble(v));
    return out.append(";").append(l.description);
}

bool ParseLine(const text::Entry& e, TransactionLine& l, std::string& error) {
    std::string_view rest = e.value;
    std::string_view parts[8];
    for (auto& part : parts) {
        std::size_t semi = rest.find(';');
        if (semi == std::string_view::npos) {
            error = fields::Where(e) + "expected eight numbers and a description";
            return false;
        }
        part = rest.substr(0, semi);
        rest.remove_prefix(semi + 1);
    }
    auto item = text::ParseInt(parts[0]);
    double* amounts[7] = {&l.nonTaxable, &l.taxable, &l.tax1, &l.tax2, &l.cost, &l.discount, &l.total};
    if (!item) {
        error = fields::Where(e) + "bad item number";
        return false;
    }
    l.item = *item;
    for (int i = 0; i < 7; ++i) {
        auto v = text::ParseDouble(parts[i + 1]);
        if (!v) {
            error = fields::Where(e) + "bad amount";
            return false;
        }
        *amounts[i] = *v;
    }
    l.description = text::Utf8ToAnsi(rest);
    return true;
}

bool ReadText(const std::filesystem::path& path, std::string& content, bool& found) {
    std::error_code ec;
    found = std::filesystem::exists(path, ec);
    if (!found) return !ec;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    content = s.str();
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    if (!WriteAll(temporary, "wb", content)) return false;
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

bool AppendDurably(const std::filesystem::path& path, std::string_view content) {
    return WriteAll(path, "ab", content);
}

std::string FormatJournalEntry(const JournalEntry& entry) {
    const char* kind = entry.kind == Kind::Sale ? "sale" : "refund";
    const std::string number = std::to_string(entry.number);
    std::string out;
    out.append("[").append(kind).append(" ").append(number).append("]\n");
    text::AppendLine(out, "stamp", entry.stamp);
    fields::WriteField(out, kExpectedField, entry);
    for (const Field<Transaction>& f : kTransactionFields) fields::WriteField(out, f, entry.transaction);
    for (const TransactionLine& line : entry.transaction.lines) text::AppendLine(out, "line", FormatLine(line));
    out.append("[end ").append(number).append("]\n");
    return out;
}

bool ReadJournal(const std::filesystem::path& path, std::vector<JournalEntry>& entries, std::size_t& keptBytes,
                 std::string& error) {
    entries.clear();
    keptBytes = 0;
    std::string content;
    bool found = false;
    if (!ReadText(path, content, found)) {
        error = path.string() + ": cannot be read";
        return false;
    }
    // Keep everything up to the last "[end N]" line that has its line feed.
    for (std::size_t pos = 0; pos < content.size();) {
        std::size_t eol = content.find('\n', pos);
        if (eol == std::string::npos) break;
        if (std::string_view(content).substr(pos, eol - pos).starts_with("[end ")) keptBytes = eol + 1;
        pos = eol + 1;
    }
    std::vector<text::Block> blocks;
    if (!text::ParseBlocks(std::string_view(content).substr(0, keptBytes), blocks, error)) {
        error = path.string() + ": " + error;
        return false;
    }
    for (std::size_t i = 0; i < blocks.size(); i += 2) {
        const text::Block& head = blocks[i];
        auto number = text::ParseInt(head.id);
        bool paired = i + 1 < blocks.size() && blocks[i + 1].kind == "end" && blocks[i + 1].id == head.id;
        if ((head.kind != "sale" && head.kind != "refund") || !number || !paired) {
            error = path.string() + ": line " + std::to_string(head.line) + ": expected [sale N] or [refund N] ... [end N]";
            return false;
        }
        JournalEntry entry;
        entry.kind = head.kind == "sale" ? Kind::Sale : Kind::Refund;
        entry.number = *number;
        for (const text::Entry& e : head.entries) {
            bool ok = true;
            if (e.key == "stamp") {
                entry.stamp = text::Utf8ToAnsi(e.value);
            } else if (e.key == kExpectedField.key) {
                ok = fields::SetField(kExpectedField, e, entry, error);
            } else if (e.key == "line") {
                entry.transaction.lines.emplace_back();
                ok = ParseLine(e, entry.transaction.lines.back(), error);
            } else if (const Field<Transaction>* f = fields::FindField(kTransactionFields, e.key)) {
                ok = fields::SetField(*f, e, entry.transaction, error);
            } else {
                error = fields::Where(e) + "unknown key";
                ok = false;
            }
            if (!ok) {
                error = path.string() + ": " + error;
                return false;
            }
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

std::string FormatStock(const Inventory& items, std::int64_t through) {
    std::string out = "[stock]\nthrough = ";
    out.append(std::to_string(through)).append("\n");
    for (const auto& [number, item] : items)
        out.append(std::to_string(number)).append(" = ").append(std::to_string(item.stock)).append("\n");
    return out;
}

bool ReadStock(const std::filesystem::path& path, std::map<std::int64_t, std::int32_t>& levels, std::int64_t& through,
               std::string& error) {
    levels.clear();
    through = 0;
    error.clear();
    std::string content;
    bool found = false;
    if (!ReadText(path, content, found)) {
        error = path.string() + ": cannot be read";
        return false;
    }
    if (!found) return true;
    std::vector<text::Block> blocks;
    if (!text::ParseBlocks(content, blocks, error) || blocks.size() != 1 || blocks[0].kind != "stock") {
        error = path.string() + ": " + (error.empty() ? "expected one [stock] block" : error);
        return false;
    }
    for (const text::Entry& e : blocks[0].entries) {
        auto value = text::ParseInt(e.value);
        auto key = text::ParseInt(e.key);
        if (e.key == "through" && value) {
            through = *value;
        } else if (key && value && *value >= INT32_MIN && *value <= INT32_MAX) {
            levels[*key] = static_cast<std::int32_t>(*value);
        } else {
            error = path.string() + ": " + fields::Where(e) + "expected 'item = stock'";
            return false;
        }
    }
    return true;
}

std::string FormatCustomers(const CustomerBook& customers, std::int64_t through) {
    std::string out = "[state]\nthrough = ";
    out.append(std::to_string(through)).append("\n");
    for (const auto& [number, customer] : customers) out.append("\n").append(FormatCustomer(customer));
    return out;
}

bool ReadCustomers(const std::filesystem::path& path, CustomerBook& customers, std::int64_t& through, bool& found,
                   std::string& error) {
    error.clear();
    std::string content;
    if (!ReadText(path, content, found)) {
        error = path.string() + ": cannot be read";
        return false;
    }
    if (!found) return true;
    std::vector<text::Block> blocks;
    if (!text::ParseBlocks(content, blocks, error) || blocks.empty() || blocks[0].kind != "state" ||
        blocks[0].entries.size() != 1 || blocks[0].entries[0].key != "through" ||
        !text::ParseInt(blocks[0].entries[0].value)) {
        error = path.string() + ": " + (error.empty() ? "expected [state] with 'through = N' first" : error);
        return false;
    }
    CustomerBook read;
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        Customer c;
        if (!ParseCustomerBlock(blocks[i], c, error) || !read.emplace(c.number, c).second) {
            error = path.string() + ": " + (error.empty() ? "customer " + blocks[i].id + " twice" : error);
            return false;
        }
    }
    through = *text::ParseInt(blocks[0].entries[0].value);
    customers = std::move(read);
    return true;
}

}  // namespace shop::store
