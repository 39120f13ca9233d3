#include "shop/rules.h"

#include <gtest/gtest.h>

#include "shop_test_support.h"

namespace {

using namespace shop;
using shoptest::InventoryOf;
using shoptest::Lines;
using shoptest::MakeCustomer;
using shoptest::MakeItem;
using Numbers = std::vector<std::int64_t>;

struct LookupRow { std::int64_t key; const char* text; std::int64_t expected; const char* why; };  // 0: not found

TEST(ItemLookup, EveryKindOfKeyAndItsContinuation) {
    const Inventory shelf = InventoryOf({
        MakeItem(3, "Apple Juice 1L", 7, {"7700003", "JUICE-A"}), MakeItem(4, "Box of 1002 pins", 11),
        MakeItem(5, "Green APPLES x6", 10, {"7700005"}), MakeItem(6, "Plums", 10, {"7700006"}),
        MakeItem(7, "Pear Cider", 1, {"8800007", "", "7700007"}), MakeItem(9, "Toffee apple", 16, {"9900009"}),
        MakeItem(12, "Blank label", 12, {"1002"}), MakeItem(1002, "Item one thousand and two", 12, {"ZZ-1002"})});
    const LookupRow rows[] = {
        {0, " 9\r\n", 9, "typed digits are the number; blanks and line end trimmed"},
        {0, "7700007", 7, "a whole SKU, in any slot"}, {0, "juice-a", 3, "SKU letters without case"},
        {0, "1002", 1002, "a number wins over item 12's SKU 1002"}, {0, "77000", 0, "the whole SKU is needed"},
        {0, "", 0, "empty text"}, {0, "Apple", 0, "typed text never searches descriptions"},
        {-1, "7", 7, "a decimal number is an exact lookup"}, {-1, "1002", 1002, "not item 4's description"},
        {-1, "100", 0, "an unknown number finds nothing, never item 4 whose description holds it"},
        {-1, "99999999999999999999", 0, "past the number range"}, {-1, "1002 pins", 4, "not only digits: a fragment"},
        {4, "apple", 5, "continued after item 4, which need not match"},
        {1002, "1002", 0, "a continuation is no number lookup"}, {-2, "7700", 3, "SKU prefix"},
        {-2, "zz-", 1002, "SKU prefix without case"}, {-2, "Apple", 0, "descriptions are not SKUs"},
        {-5, "7700", 5, "-5 continues after item 3"}, {-8, "7700", 7, "after item 6: a later SKU slot of 7"},
        {-9, "7700", 0, "nothing after item 7"}, {INT64_MIN, "7700", 0, "extreme key"},
    };
    for (const LookupRow& row : rows)
        EXPECT_EQ(LookupItem(shelf, row.key, row.text), row.expected ? shelf.at(row.expected) : Item{}) << row.why;
    Numbers visited;  // stepping as the terminal does visits every match once, in order, without case
    for (Item i = LookupItem(shelf, -1, "APPLE"); i.number != 0 && visited.size() < 9;
         i = LookupItem(shelf, i.number, "APPLE"))
        visited.push_back(i.number);
    EXPECT_EQ(visited, (Numbers{3, 5, 9}));
}

const CustomerBook kBook = {{12, MakeCustomer(12, "HARPER STORES")}, {30, MakeCustomer(30, "JANE HARPER")},
                            {31, MakeCustomer(31, "MARK LEE")}, {45, MakeCustomer(45, "harper & sons")}};

TEST(Customers, LookupCodesAndTheServersOwnFields) {
    const LookupRow rows[] = {
        {-1, "  12abc", 12, "leading digits, as the C library reads them"}, {-1, "99", 0, "unknown number"},
        {-1, "Harper", 12, "name fragment without case"}, {30, "Harper", 45, "continued after 30; lower-case name"},
        {-1, "0", 0, "0 is a name"}, {-1, "-12", 0, "negatives are names"},
        {-1, "100000000000000012", 0, "past 10^17 is a name"},
    };
    for (const LookupRow& row : rows)
        EXPECT_EQ(LookupCustomer(kBook, row.key, row.text), row.expected ? kBook.at(row.expected) : Customer{})
            << row.why;
    EXPECT_EQ(NextCustomerNumber(kBook) + "|" + NextCustomerNumber({}), "46|1");
    struct Row { std::int64_t number; std::int32_t add, amend; const char* why; };
    const Row codes[] = {{0, 9, 9, "0 is no number"}, {-4, 9, 9, "negative"}, {kHighestNumber + 1, 9, 9, "past 10^17"},
                         {kHighestNumber, 0, 3, "10^17 itself is valid"}};  // in use and missing: over the pipe
    for (const Row& row : codes) {
        EXPECT_EQ(CheckNewCustomer(kBook, MakeCustomer(row.number, "")), row.add) << row.why;
        EXPECT_EQ(CheckAmendedCustomer(kBook, MakeCustomer(row.number, "")), row.amend) << row.why;
    }
    Customer stored = kBook.at(30), edited = MakeCustomer(30, "JANE HARPER-LEE");
    stored.balance = 120.5, stored.lastTransaction = 77, stored.lastUsed = "10:1501/12/2026", stored.lastPayment = "x";
    edited.creditLimit = 900, edited.lastUsed = "NEW";
    Customer merged = stored;
    merged.name = edited.name, merged.creditLimit = 900;
    EXPECT_EQ(MergeAmendment(stored, edited), merged) << "the terminal's fields over the server's own";
}

TEST(PictureBlocks, OffsetZeroAnswersTheSizeLaterOffsetsThePieceBadNamesNothing) {
    shoptest::ScratchDir dir;
    const auto pictures = dir.path() / "pictures";
    std::filesystem::create_directories(pictures / "folder.bmp");
    std::string file(4500, '\0');
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<char>(i * 7 + i / 251);
    for (const auto& path : {pictures / "p.bmp", pictures / std::string(39, 'a'), pictures / "folder.bmp" / "p.bmp",
                             pictures / "a..b", dir.path() / "p.bmp"})
        shoptest::WriteFile(path, file);
    shoptest::WriteFile(pictures / "empty.bmp", "");
    struct Row { std::string name; std::int32_t offset, count; std::size_t piece; const char* why; };
    const Row rows[] = {
        {"p.bmp", 0, 4500, 2000, "offset 0: the size, the first 2000 bytes"}, {"p.bmp", 2000, 2000, 2000, "a piece"},
        {"p.bmp", 4000, 500, 500, "the last piece"}, {"p.bmp", 4500, 0, 0, "nothing past the end"},
        {"p.bmp", -2000, 0, 0, "negative offset"}, {"empty.bmp", 0, 0, 0, "an empty file reads as no file"},
        {"none.bmp", 0, 0, 0, "no such file"}, {"folder.bmp", 0, 0, 0, "a folder is no picture"},
        {std::string(39, 'a'), 0, 4500, 2000, "39 characters"}, {std::string(40, 'a'), 0, 0, 0, "40 characters"},
        {"../p.bmp", 0, 0, 0, "outside the folder"}, {"folder.bmp/p.bmp", 0, 0, 0, "a path"},
        {"C:p.bmp", 0, 0, 0, "a drive"}, {"", 0, 0, 0, "no name"},
        {"p.bmp\n", 0, 0, 0, "a control character"}, {"a..b", 0, 0, 0, "two dots, even inside a name"},
    };
    for (const Row& row : rows) {
        const PictureBlock block = ReadPictureBlock(pictures, row.name, row.offset);
        EXPECT_EQ(block.count, row.count) << row.why;
        EXPECT_EQ(std::string(block.data.begin(), block.data.end()), file.substr(row.piece ? row.offset : 0, row.piece))
            << row.why;
    }
}

TEST(ButtonPages, EightItemsOfACategoryForwardsOrBackwards) {
    std::vector<Item> items = {MakeItem(5, std::string(45, 'd'), 2)};
    for (int n = 10; n <= 110; n += 10) items.push_back(MakeItem(n, "Item " + std::to_string(n), 1));
    items[0].ownPicture = 1, items[1].stockPicture = 7;
    const Inventory shelf = InventoryOf(items);
    struct Row { std::int32_t category, direction; std::int64_t cursor, first; Numbers shown; const char* why; };
    const Row rows[] = {
        {1, kForward, 0, 0, {10, 20, 30, 40, 50, 60, 70, 80}, "cursor 0: the first page"},
        {1, kForward, 80, 0, {90, 100, 110, 0, 0, 0, 0, 0}, "after the cursor; zeros end the list"},
        {1, kBackward, 0, 90, {10, 20, 30, 40, 50, 60, 70, 80}, "the eight before the first shown"},
        {1, kBackward, 0, 30, {10, 20, 0, 0, 0, 0, 0, 0}, "fewer than eight before it"},
        {1, kBackward, 0, 10, {10, 20, 30, 40, 50, 60, 70, 80}, "nothing before it: the same page again"},
        {18, kForward, 0, 0, {5, 10, 20, 30, 40, 50, 60, 70}, "18: every category"},
        {19, kForward, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}, "no such category"},
    };
    for (const auto& row : rows) {
        const ButtonPage page = NextButtonPage(shelf, {row.category, row.direction, row.cursor, {row.first}, {}, {}});
        EXPECT_EQ(Numbers(page.numbers.begin(), page.numbers.end()), row.shown) << row.why;
        EXPECT_EQ(std::pair(page.category, page.direction), std::pair(row.category, row.direction)) << row.why;
    }
    const ButtonPage first = FirstButtonPage(shelf, {kAllCategories, kForward, 0, {}, {}, {}});
    EXPECT_EQ(first.captions[0] + "|" + first.pictures[0] + "|" + first.pictures[1] + "|" + first.pictures[2] + "|" +
                  std::to_string(first.cursor),
              std::string(39, 'd') + "|m5.bmp|STOCK7.bmp||70") << "own picture, stock picture, none; the last shown";
}

// What a commit does to stock and accounts is in shop_test.cpp, through the shop.
TEST(Commits, CodesOfTheSaleAndRefundRules) {
    const Inventory items = InventoryOf({MakeItem(1, "", 0, {}, 2), MakeItem(2, "", 0, {}, 0), MakeItem(3, "", 0)});
    struct Row { bool sale; Transaction t; bool allowNegative; std::int32_t expected; const char* why; };
    const Row rows[] = {  // items 1, 2 and 3 have 2, 0 and 10 in stock
        {true, Lines({1, 3, 1, 1}), false, 5, "three units of two"}, {true, Lines({2}), false, 5, "none left"},
        {true, Lines({2, 1, 1}), true, 0, "the shop sells without stock"},
        {true, Lines({3, 0}, 31), false, 0, "line 0 is no inventory item; a known customer"},
        {true, Lines({3}, 32), false, 2, "unknown customer"}, {true, Lines({3}, 0, "Credit"), false, 2, "credit alone"},
        {true, Lines({3, 4}), false, 9, "unknown item"}, {true, Lines({-3}), false, 9, "negative item"},
        {true, Lines(Numbers(400, 3)), true, 0, "400 lines"}, {true, Lines(Numbers(401, 3)), true, 10, "401 lines"},
        {false, Lines({1, 2}), false, 0, "no stock needed to refund"},
        {false, Lines({1}, 0, "", 3), false, 10, "credit refund without a customer"},
        {false, Lines({1}, 30, "", 3, 1), false, 0, "credit refund to a customer, faulty"},
        {false, Lines({1}, 0, "", 4), false, 2, "method past 3"}, {false, Lines({1}, 0, "", -1), false, 2, "method -1"},
        {false, Lines({1}, 0, "", 0, 2), false, 2, "stock flag past 1"},
        {false, Lines({1}, 99), false, 3, "unknown customer"}, {false, Lines({1, 77}), false, 8, "unknown item"},
        {false, Lines(Numbers(401, 1)), false, 11, "401 lines"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.sale ? CheckSale(items, kBook, row.t, row.allowNegative) : CheckRefund(items, kBook, row.t),
                  row.expected) << row.why;
    }
}

}  // namespace
