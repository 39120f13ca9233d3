// The server's own files in <data directory>/state, written as the shop changes:
//   journal.txt    append-only: one [sale N] or [refund N] entry per committed
//                  transaction, closed by [end N]; an entry without its [end] line
//                  (a write cut short) is dropped when the journal is read; each
//                  entry also keeps the number the till expected, so that a till's
//                  last commit is known again after a restart;
//   stock.txt      every item's stock, "through" the last transaction it includes;
//   customers.txt  every customer, "through" the last transaction it includes.
// The journal is the record of what was committed: at start-up the two snapshots are
// read and the journal entries after their "through" numbers are applied again, so a
// stop between the journal and a snapshot loses nothing.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "shop/model.h"
#include "shop/rules.h"

namespace shop::store {

inline constexpr const char* kStateFolder = "state";
inline constexpr const char* kJournalFile = "journal.txt";
inline constexpr const char* kStockFile = "stock.txt";
inline constexpr const char* kCustomersFile = "customers.txt";

// Writes "<path>.tmp", flushes it to the disk and renames it over path.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);
// Appends in one write and flushes to the disk before returning.
bool AppendDurably(const std::filesystem::path& path, std::string_view content);

struct JournalEntry {
    Kind kind = Kind::Sale;
    std::int64_t number = 0;
    std::string stamp;  // the server's "HH:MMdd/mm/yyyy" at commit
    Transaction transaction;  // its number is the committed one
    std::int64_t expected = 0;  // the number the till sent (0 in entries written before it was kept)
    bool operator==(const JournalEntry&) const = default;
};

std::string FormatJournalEntry(const JournalEntry& entry);
// Reads every complete entry. keptBytes is the length of the file up to the end of the
// last complete entry (less than the file's size when its tail was cut short).
// A missing file is an empty journal.
bool ReadJournal(const std::filesystem::path& path, std::vector<JournalEntry>& entries, std::size_t& keptBytes,
                 std::string& error);

std::string FormatStock(const Inventory& items, std::int64_t through);
// A missing file gives through = 0 and no levels.
bool ReadStock(const std::filesystem::path& path, std::map<std::int64_t, std::int32_t>& levels,
               std::int64_t& through, std::string& error);

std::string FormatCustomers(const CustomerBook& customers, std::int64_t through);
// found is false (and nothing changed) when the file does not exist.
bool ReadCustomers(const std::filesystem::path& path, CustomerBook& customers, std::int64_t& through, bool& found,
                   std::string& error);

}  // namespace shop::store
