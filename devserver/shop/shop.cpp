#include "shop/shop.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>
#include <system_error>

#include "shop/seed_files.h"
#include "shop/store.h"

namespace shop {

LocalTime SystemClock() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    LocalTime t;
    t.year = static_cast<std::uint16_t>(parts.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(parts.tm_mon + 1);
    t.dayOfWeek = static_cast<std::uint16_t>(parts.tm_wday);
    t.day = static_cast<std::uint16_t>(parts.tm_mday);
    t.hour = static_cast<std::uint16_t>(parts.tm_hour);
    t.minute = static_cast<std::uint16_t>(parts.tm_min);
    t.second = static_cast<std::uint16_t>(parts.tm_sec);
    return t;
}

namespace {

std::string Stamp(const LocalTime& now) {
    ClockText clock;
    FormatClockText(clock, now);
    return clock;
}

std::string DateText(const LocalTime& now) {
    ClockText date;
    FormatClockDate(date, now);
    return date;
}

}  // namespace

std::unique_ptr<Shop> Shop::Open(const std::filesystem::path& dataDirectory, std::string& error, Clock clock) {
    std::unique_ptr<Shop> shop(new Shop());
    shop->dataDirectory_ = dataDirectory;
    shop->clock_ = clock ? std::move(clock) : Clock(SystemClock);
    if (!shop->Load(error)) return nullptr;
    return shop;
}

std::filesystem::path Shop::PicturesFolder() const { return dataDirectory_ / kPicturesFolder; }
std::filesystem::path Shop::StateFolder() const { return dataDirectory_ / store::kStateFolder; }

bool Shop::Load(std::string& error) {
    const std::filesystem::path& dir = dataDirectory_;
    if (!LoadShopConfig(dir / kShopFile, clock_(), config_, error)) return false;
    if (!LoadLabels(dir / kLabelsFile, labels_, error)) return false;
    if (!LoadItems(dir / kItemsFile, CategoryCodesOf(config_), items_, error)) return false;
    if (!LoadCustomers(dir / kCustomersFile, customers_, error)) return false;

    std::error_code ec;
    std::filesystem::create_directories(StateFolder(), ec);
    if (ec) {
        error = StateFolder().string() + ": cannot be created";
        return false;
    }

    std::map<std::int64_t, std::int32_t> levels;
    std::int64_t stockThrough = 0;
    if (!store::ReadStock(StateFolder() / store::kStockFile, levels, stockThrough, error)) return false;
    for (const auto& [number, stock] : levels) {
        auto it = items_.find(number);
        if (it != items_.end()) it->second.stock = stock;  // items gone from the seed are dropped
    }

    std::int64_t customersThrough = 0;
    bool found = false;
    if (!store::ReadCustomers(StateFolder() / store::kCustomersFile, customers_, customersThrough, found, error))
        return false;

    const std::filesystem::path journal = StateFolder() / store::kJournalFile;
    std::vector<store::JournalEntry> entries;
    std::size_t keptBytes = 0;
    if (!store::ReadJournal(journal, entries, keptBytes, error)) return false;
    if (std::filesystem::exists(journal, ec) && std::filesystem::file_size(journal, ec) != keptBytes) {
        // A commit cut short before it was answered: drop its partial entry.
        std::string content(keptBytes, '\0');
        std::FILE* f = nullptr;
#ifdef _WIN32
        f = _wfopen(journal.c_str(), L"rb");
#else
        f = std::fopen(journal.c_str(), "rb");
#endif
        bool ok = f && std::fread(content.data(), 1, keptBytes, f) == keptBytes;
        if (f) std::fclose(f);
        if (!ok || !store::WriteFileAtomically(journal, content)) {
            error = journal.string() + ": cannot drop its unfinished last entry";
            return false;
        }
    }

    nextTransaction_ = std::max<std::int64_t>(1, config_.TransactionNumber());
    for (const store::JournalEntry& e : entries) {
        if (e.number > stockThrough) ApplyToStock(items_, e.kind, e.transaction);
        if (e.number > customersThrough) ApplyToCustomer(customers_, e.kind, e.transaction, e.number, e.stamp);
        nextTransaction_ = std::max(nextTransaction_, e.number + 1);
        Transaction sent = e.transaction;
        sent.number = e.expected;
        Remember(e.kind, sent, e.number);
    }
    return true;
}

TerminalConfig Shop::Config() const {
    std::lock_guard lock(mutex_);
    TerminalConfig c = config_;
    c.SetTransactionNumber(static_cast<std::int32_t>(nextTransaction_));
    return c;
}

LabelTable Shop::Labels() const {
    std::lock_guard lock(mutex_);
    return labels_;
}

Item Shop::FetchItem(std::int64_t key, std::string_view text) const {
    std::lock_guard lock(mutex_);
    return LookupItem(items_, key, text);
}

Customer Shop::FetchCustomer(std::int64_t key, std::string_view text) const {
    std::lock_guard lock(mutex_);
    return LookupCustomer(customers_, key, text);
}

std::string Shop::FetchNextCustomerNumber() const {
    std::lock_guard lock(mutex_);
    return NextCustomerNumber(customers_);
}

PictureBlock Shop::FetchPictureBlock(std::string_view name, std::int32_t offset) const {
    return ReadPictureBlock(PicturesFolder(), name, offset);
}

ButtonPage Shop::FetchFirstButtonPage(const ButtonPage& request) const {
    std::lock_guard lock(mutex_);
    return FirstButtonPage(items_, request);
}

ButtonPage Shop::FetchButtonPage(const ButtonPage& request) const {
    std::lock_guard lock(mutex_);
    return NextButtonPage(items_, request);
}

bool Shop::SaveCustomers() {
    return store::WriteFileAtomically(StateFolder() / store::kCustomersFile,
                                      store::FormatCustomers(customers_, nextTransaction_ - 1));
}

bool Shop::SaveStock() {
    return store::WriteFileAtomically(StateFolder() / store::kStockFile,
                                      store::FormatStock(items_, nextTransaction_ - 1));
}

std::int32_t Shop::AddCustomer(const Customer& customer) {
    std::lock_guard lock(mutex_);
    std::int32_t result = CheckNewCustomer(customers_, customer);
    if (result != code::kOk) return result;
    Customer added = customer;
    added.lastTransaction = 0;
    if (added.lastUsed.empty()) added.lastUsed = "NEW";
    if (added.origination.empty()) added.origination = DateText(clock_());
    customers_.emplace(added.number, added);
    if (!SaveCustomers()) {
        customers_.erase(added.number);
        return code::kCustomerFileError;
    }
    return code::kOk;
}

std::int32_t Shop::AmendCustomer(const Customer& customer) {
    std::lock_guard lock(mutex_);
    std::int32_t result = CheckAmendedCustomer(customers_, customer);
    if (result != code::kOk) return result;
    Customer& stored = customers_.at(customer.number);
    const Customer before = stored;
    stored = MergeAmendment(before, customer);
    if (!SaveCustomers()) {
        stored = before;
        return code::kCustomerFileError;
    }
    return code::kOk;
}

std::int32_t Shop::CommitSale(const Transaction& sale) { return Commit(Kind::Sale, sale); }
std::int32_t Shop::CommitRefund(const Transaction& refund) { return Commit(Kind::Refund, refund); }

void Shop::Remember(Kind kind, const Transaction& sent, std::int64_t committed) {
    lastCommits_[sent.computerName] = LastCommit{kind, sent, static_cast<std::int32_t>(committed + kCommitOffset)};
}

std::int32_t Shop::Commit(Kind kind, const Transaction& t) {
    std::lock_guard lock(mutex_);
    // Before the checks: the first time round took the stock this one would need.
    const auto last = lastCommits_.find(t.computerName);
    if (last != lastCommits_.end() && last->second.kind == kind && SameCommit(last->second.sent, t))
        return last->second.result;

    const bool sale = kind == Kind::Sale;
    std::int32_t result = sale ? CheckSale(items_, customers_, t, config_.Option(34) != 0)
                               : CheckRefund(items_, customers_, t);
    if (result != code::kOk) return result;
    if (nextTransaction_ > kLastCommittableNumber) return sale ? code::kSaleBadNumber : code::kRefundBadNumber;

    store::JournalEntry entry{kind, nextTransaction_, Stamp(clock_()), t, t.number};
    entry.transaction.number = nextTransaction_;
    if (!store::AppendDurably(StateFolder() / store::kJournalFile, store::FormatJournalEntry(entry)))
        return sale ? code::kSaleJournalError : code::kRefundJournalError;

    // From here the transaction is committed: the journal has it, and a failed snapshot
    // only means that the next start applies it again from the journal.
    ApplyToStock(items_, kind, t);
    ApplyToCustomer(customers_, kind, t, entry.number, entry.stamp);
    Remember(kind, t, entry.number);
    ++nextTransaction_;
    SaveStock();
    if (t.customer != 0) SaveCustomers();
    return static_cast<std::int32_t>(entry.number + kCommitOffset);
}

std::optional<Item> Shop::FindItem(std::int64_t number) const {
    std::lock_guard lock(mutex_);
    auto it = items_.find(number);
    if (it == items_.end()) return std::nullopt;
    return it->second;
}

std::optional<Customer> Shop::FindCustomer(std::int64_t number) const {
    std::lock_guard lock(mutex_);
    auto it = customers_.find(number);
    if (it == customers_.end()) return std::nullopt;
    return it->second;
}

std::int64_t Shop::NextTransactionNumber() const {
    std::lock_guard lock(mutex_);
    return nextTransaction_;
}

}  // namespace shop
