// The server's rules, each a plain function over the shop's data so that it can be
// tested without a server, a pipe or a disk.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "shop/model.h"

namespace shop {

// ---- Item lookup ------------------------------------------------------------------
// key 0    the text as typed or scanned: the item whose number is the text (digits
//          only), else the first item, in number order, with a SKU equal to the text
//          (letters compared without case);
// key -1   the item whose number is the text (decimal), else the first item, in
//          item-number order, whose description contains the text (without case);
// key n>0  the next description match after item n, for the same text;
// key -2   the first item with a SKU that begins with the text (without case);
// key <=-3 the next SKU match after item (-key - 2).
// Nothing found: an item with number 0 and every other field empty.
Item LookupItem(const Inventory& items, std::int64_t key, std::string_view text);

// ---- Customer search ----------------------------------------------------------------
// A customer matches when the text's leading decimal number (the C library's reading)
// lies in 1..10^17 and is its number, or when its name contains the text (without case).
// key <= 0 starts the search; key n > 0 gives the next match after customer n.
Customer LookupCustomer(const CustomerBook& customers, std::int64_t key, std::string_view text);

// One above the highest customer number, as decimal text ("1" for an empty book).
std::string NextCustomerNumber(const CustomerBook& customers);

// ---- Pictures -----------------------------------------------------------------------
// A plain file name: 1 to 39 printable characters, no path separator, drive colon or "..".
bool IsSafePictureName(std::string_view name);
// Offset 0: count = the file's size (0 = no such file) and its first 2000 bytes.
// Later offsets: count = the bytes of this piece (0 = no data there) and those bytes.
PictureBlock ReadPictureBlock(const std::filesystem::path& folder, std::string_view name, std::int32_t offset);

// ---- Category button pages ----------------------------------------------------------
// Items of the request's category (18 = all) in number order, eight to a page. The
// reply keeps the category and direction and sets the cursor to the last item on the
// page; empty slots hold 0. A caption is the description; a picture name is
// "m<number>.bmp" for an item with its own picture, "STOCK<n>.bmp" for a stock picture,
// else empty.
ButtonPage FirstButtonPage(const Inventory& items, const ButtonPage& request);
// Forward (direction 0): the eight items after the cursor (cursor 0 = the first page).
// Backward (direction 2): the eight items before element 0; when nothing lies before
// it, the page that starts at element 0 again; when fewer than eight do, those items
// and zeros (the terminal then goes back to the first page).
ButtonPage NextButtonPage(const Inventory& items, const ButtonPage& request);

// ---- Update codes -------------------------------------------------------------------
namespace code {
inline constexpr std::int32_t kOk = 0;
// Customer updates.
inline constexpr std::int32_t kCustomerInUse = 3;      // add: the number is taken
inline constexpr std::int32_t kCustomerMissing = 3;    // amend: no such customer
inline constexpr std::int32_t kCustomerFileError = 4;
inline constexpr std::int32_t kCustomerBadNumber = 9;  // outside 1..10^17
// Sales.
inline constexpr std::int32_t kSaleBadCustomer = 2;
inline constexpr std::int32_t kSaleOutOfStock = 5;
inline constexpr std::int32_t kSaleJournalError = 6;
inline constexpr std::int32_t kSaleBadItem = 9;
inline constexpr std::int32_t kSaleBadNumber = 10;     // too many lines, numbers used up
// Refunds.
inline constexpr std::int32_t kRefundBadType = 2;      // method or stock flag out of range
inline constexpr std::int32_t kRefundBadCustomer = 3;
inline constexpr std::int32_t kRefundJournalError = 5;
inline constexpr std::int32_t kRefundBadItem = 8;
inline constexpr std::int32_t kRefundNoCustomer = 10;  // credit refund without a customer
inline constexpr std::int32_t kRefundBadNumber = 11;
}  // namespace code

inline constexpr std::size_t kMaxLines = 400;
// A committed transaction number travels as number + 21.
inline constexpr std::int32_t kCommitOffset = 21;
inline constexpr std::int64_t kLastCommittableNumber = INT32_MAX - kCommitOffset;

std::int32_t CheckNewCustomer(const CustomerBook& customers, const Customer& customer);
std::int32_t CheckAmendedCustomer(const CustomerBook& customers, const Customer& customer);
// The stored form of an amended customer: the terminal's fields over the stored
// record, keeping what only the server keeps (balance, last transaction, last used,
// last payment).
Customer MergeAmendment(const Customer& stored, const Customer& amended);

// A sale: customer 0 or known ("Credit" needs one); every line 0 (not inventory) or a
// known item; and, unless items may be sold without stock, no item's stock below the
// number of its lines (each line is one unit). Kits keep no stock of their own.
std::int32_t CheckSale(const Inventory& items, const CustomerBook& customers, const Transaction& sale,
                       bool allowNegativeStock);
// A refund: method 0..3 and stock flag 0..1; customer 0 or known (a credit refund needs
// one); every line 0 or a known item.
std::int32_t CheckRefund(const Inventory& items, const CustomerBook& customers, const Transaction& refund);

enum class Kind { Sale, Refund };

// What a committed transaction does to the shop. A sale takes one unit of stock per
// line; a refund puts them back unless the stock flag says faulty. A customer's
// sale counts a transaction, adds to total purchases, stamps last used and the last
// transaction number, and on "Credit" raises the balance; a credit refund lowers it.
void ApplyToStock(Inventory& items, Kind kind, const Transaction& t);
void ApplyToCustomer(CustomerBook& customers, Kind kind, const Transaction& t, std::int64_t number,
                     std::string_view stamp);

// Whether `again` is `first` sent once more. A till whose commit was written but never
// answered keeps the basket, and sends it again with the same expected number when the
// associate presses OK again: every field is the same but the time and date texts,
// which the terminal writes afresh at each press. (The till is the computer name.)
bool SameCommit(const Transaction& first, const Transaction& again);

// Case folding for matches: ASCII and the Latin-1 capitals of code page 1252.
std::string Fold(std::string_view text);

}  // namespace shop
