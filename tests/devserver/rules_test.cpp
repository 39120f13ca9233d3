#include "shop/rules.h"

#include <gtest/gtest.h>

#include <numeric>

#include "shop_test_support.h"

namespace {

using shop::ButtonPage;
using shop::Customer;
using shop::CustomerBook;
using shop::Inventory;
using shop::Item;
using shop::LookupItem;
using shoptest::InventoryOf;
using shoptest::MakeItem;

// ---- Item lookup ------------------------------------------------------------------

Inventory LookupShelf() {
    return InventoryOf({
        MakeItem(3, "Apple Juice 1L", 7, {"7700003", "JUICE-A"}),
        MakeItem(4, "Box of 1002 pins", 11),
        MakeItem(5, "Green APPLES x6", 10, {"7700005"}),
        MakeItem(6, "Plums", 10, {"7700006"}),
        MakeItem(7, "Pear Cider", 1, {"8800007", "", "7700007"}),
        MakeItem(9, "Toffee apple", 16, {"9900009"}),
        MakeItem(12, "Blank label", 12, {"1002"}),
        MakeItem(1002, "Item one thousand and two", 12, {"ZZ-1002"}),
    });
}

TEST(ItemLookupByTypedText, NumberTextOrExactSkuFindsTheItem) {
    const Inventory items = LookupShelf();
    EXPECT_EQ(LookupItem(items, 0, "5").number, 5);
    EXPECT_EQ(LookupItem(items, 0, " 9\r\n").number, 9) << "blanks and the line end around a scan";
    EXPECT_EQ(LookupItem(items, 0, "8800007").number, 7);
    EXPECT_EQ(LookupItem(items, 0, "7700007").number, 7) << "any of the four SKUs";
    EXPECT_EQ(LookupItem(items, 0, "juice-a").number, 3) << "letters compared without case";
    // An item number wins over another item's SKU with the same text.
    EXPECT_EQ(LookupItem(items, 0, "1002").number, 1002);
    // The reply carries the whole item.
    const Item found = LookupItem(items, 0, "JUICE-A");
    EXPECT_EQ(found, items.at(3));
}

TEST(ItemLookupByTypedText, PartialOrUnknownTextIsNotFound) {
    const Inventory items = LookupShelf();
    EXPECT_EQ(LookupItem(items, 0, "77000"), Item{}) << "typed text needs the whole SKU";
    EXPECT_EQ(LookupItem(items, 0, "8"), Item{});
    EXPECT_EQ(LookupItem(items, 0, ""), Item{});
    EXPECT_EQ(LookupItem(items, 0, "Apple"), Item{}) << "descriptions are not searched here";
}

TEST(ItemLookupByDescription, NumberOrFragmentInItemNumberOrder) {
    const Inventory items = LookupShelf();
    EXPECT_EQ(LookupItem(items, -1, "7").number, 7) << "the number written in decimal";
    EXPECT_EQ(LookupItem(items, -1, "1002").number, 1002) << "the number wins over item 4's description";
    EXPECT_EQ(LookupItem(items, 1002, "1002"), Item{});
    EXPECT_EQ(LookupItem(items, -1, "1002 pins").number, 4);
    for (const char* unknown : {"0", "8", "100", "99999999999999999999"})
        EXPECT_EQ(LookupItem(items, -1, unknown), Item{}) << unknown << ": a number is never a fragment";
    EXPECT_EQ(LookupItem(items, -1, "apple").number, 3) << "first fragment match, without case";
    EXPECT_EQ(LookupItem(items, -1, "CIDER").number, 7);
    EXPECT_EQ(LookupItem(items, -1, "banana"), Item{});
}

TEST(ItemLookupByDescription, ContinuationKeyIsTheLastItemNumber) {
    const Inventory items = LookupShelf();
    // After item 5 the terminal sends key 5 with the same text.
    EXPECT_EQ(LookupItem(items, 5, "apple").number, 9);
    EXPECT_EQ(LookupItem(items, 3, "apple").number, 5);
    EXPECT_EQ(LookupItem(items, 9, "apple"), Item{}) << "no further match";
    EXPECT_EQ(LookupItem(items, 4, "apple").number, 5) << "the key need not be a stored item";

    // Stepping as the terminal does visits every match once, in order.
    std::vector<std::int64_t> visited;
    for (Item i = LookupItem(items, -1, "APPLE"); i.number != 0; i = LookupItem(items, i.number, "APPLE"))
        visited.push_back(i.number);
    EXPECT_EQ(visited, (std::vector<std::int64_t>{3, 5, 9}));
}

TEST(ItemLookupBySku, PrefixMatchAndContinuationAfterMinusKeyMinusTwo) {
    const Inventory items = LookupShelf();
    EXPECT_EQ(LookupItem(items, -2, "7700").number, 3);
    EXPECT_EQ(LookupItem(items, -2, "88").number, 7) << "SKU 1 of item 7";
    EXPECT_EQ(LookupItem(items, -2, "zz-").number, 1002);
    // After item 3 the key is -5; after item 5 it is -7.
    EXPECT_EQ(LookupItem(items, -5, "7700").number, 5);
    EXPECT_EQ(LookupItem(items, -7, "7700").number, 6);
    EXPECT_EQ(LookupItem(items, -8, "7700").number, 7) << "a later SKU slot of item 7";
    EXPECT_EQ(LookupItem(items, -9, "7700"), Item{});
    EXPECT_EQ(LookupItem(items, -2, "5500"), Item{});
    EXPECT_EQ(LookupItem(items, -2, "Apple"), Item{}) << "descriptions are not SKUs";
}

TEST(ItemLookup, NotFoundReplyIsAnEmptyRecordEvenForExtremeKeys) {
    const Inventory items = LookupShelf();
    EXPECT_EQ(LookupItem(items, INT64_MIN, "7700"), Item{});
    EXPECT_EQ(LookupItem(items, INT64_MAX, "apple"), Item{});
    EXPECT_EQ(LookupItem(Inventory{}, -1, ""), Item{});
}

// ---- Customers ----------------------------------------------------------------------

CustomerBook Book() {
    CustomerBook book;
    for (auto [number, name] : std::initializer_list<std::pair<std::int64_t, const char*>>{
             {12, "HARPER STORES"}, {30, "JANE HARPER"}, {31, "MARK LEE"}, {45, "harper & sons"}}) {
        Customer c;
        c.number = number;
        c.name = name;
        book.emplace(number, c);
    }
    return book;
}

TEST(CustomerSearch, NumberTextFindsThatCustomer) {
    const CustomerBook book = Book();
    EXPECT_EQ(LookupCustomer(book, -1, "31").name, "MARK LEE");
    EXPECT_EQ(LookupCustomer(book, -1, "12abc").number, 12) << "leading digits, as the C library reads them";
    EXPECT_EQ(LookupCustomer(book, -1, "  30").number, 30);
    EXPECT_EQ(LookupCustomer(book, -1, "99").number, 0);
}

TEST(CustomerSearch, NameFragmentAndContinuation) {
    const CustomerBook book = Book();
    EXPECT_EQ(LookupCustomer(book, -1, "Harper").number, 12);
    EXPECT_EQ(LookupCustomer(book, 12, "Harper").number, 30);
    EXPECT_EQ(LookupCustomer(book, 30, "Harper").number, 45) << "name compared without case";
    EXPECT_EQ(LookupCustomer(book, 45, "Harper"), Customer{});
    EXPECT_EQ(LookupCustomer(book, -1, "smith"), Customer{});
    // 0, negatives and numbers past 10^17 are names, not numbers.
    EXPECT_EQ(LookupCustomer(book, -1, "0"), Customer{});
    EXPECT_EQ(LookupCustomer(book, -1, "-12"), Customer{});
    EXPECT_EQ(LookupCustomer(book, -1, "100000000000000012"), Customer{});
}

TEST(CustomerNumbers, NextIsOneAboveTheHighest) {
    EXPECT_EQ(shop::NextCustomerNumber(Book()), "46");
    EXPECT_EQ(shop::NextCustomerNumber(CustomerBook{}), "1");
}

TEST(CustomerUpdates, AddAndAmendCodes) {
    const CustomerBook book = Book();
    Customer c;
    c.number = 46;
    EXPECT_EQ(shop::CheckNewCustomer(book, c), shop::code::kOk);
    c.number = 30;
    EXPECT_EQ(shop::CheckNewCustomer(book, c), 3) << "in use";
    EXPECT_EQ(shop::CheckAmendedCustomer(book, c), shop::code::kOk);
    c.number = 46;
    EXPECT_EQ(shop::CheckAmendedCustomer(book, c), 3) << "no longer exists";
    for (std::int64_t bad : {std::int64_t{0}, std::int64_t{-4}, shop::kHighestNumber + 1}) {
        c.number = bad;
        EXPECT_EQ(shop::CheckNewCustomer(book, c), shop::code::kCustomerBadNumber) << bad;
        EXPECT_EQ(shop::CheckAmendedCustomer(book, c), shop::code::kCustomerBadNumber) << bad;
    }
    c.number = shop::kHighestNumber;
    EXPECT_EQ(shop::CheckNewCustomer(book, c), shop::code::kOk) << "10^17 itself is a valid number";
}

TEST(CustomerUpdates, AmendmentKeepsTheServersOwnFields) {
    Customer stored;
    stored.number = 30;
    stored.name = "JANE HARPER";
    stored.balance = 120.5;
    stored.lastTransaction = 77;
    stored.lastUsed = "10:1501/12/2026";
    stored.lastPayment = "11:0002/12/2026";
    Customer edited = stored;
    edited.name = "JANE HARPER-LEE";
    edited.creditLimit = 900;
    edited.balance = 0;
    edited.lastTransaction = 0;
    edited.lastUsed = "NEW";
    edited.lastPayment = "";
    const Customer merged = shop::MergeAmendment(stored, edited);
    EXPECT_EQ(merged.name, "JANE HARPER-LEE");
    EXPECT_EQ(merged.creditLimit, 900);
    EXPECT_EQ(merged.balance, 120.5);
    EXPECT_EQ(merged.lastTransaction, 77);
    EXPECT_EQ(merged.lastUsed, "10:1501/12/2026");
    EXPECT_EQ(merged.lastPayment, "11:0002/12/2026");
}

// ---- Pictures -----------------------------------------------------------------------

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

void Store(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    shoptest::WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// Fetches a picture piece by piece the way the terminal does.
std::vector<std::uint8_t> Transfer(const std::filesystem::path& folder, const std::string& name, int& requests) {
    requests = 1;
    shop::PictureBlock first = shop::ReadPictureBlock(folder, name, 0);
    if (first.count == 0) return {};
    std::int32_t size = first.count;
    std::vector<std::uint8_t> file(first.data.begin(), first.data.begin() + std::min<std::int32_t>(size, 2000));
    for (std::int32_t offset = 2000, remaining = size - 2000; remaining > 0; offset += 2000, remaining -= 2000) {
        ++requests;
        shop::PictureBlock piece = shop::ReadPictureBlock(folder, name, offset);
        if (piece.count == 0) return {};
        file.insert(file.end(), piece.data.begin(), piece.data.begin() + std::min<std::int32_t>(remaining, 2000));
    }
    return file;
}

TEST(PictureBlocks, FileLargerThanFourThousandBytesComesInThreePieces) {
    shoptest::ScratchDir dir;
    const auto bytes = Pattern(4500);
    Store(dir.path() / "STOCK7.bmp", bytes);

    shop::PictureBlock first = shop::ReadPictureBlock(dir.path(), "STOCK7.bmp", 0);
    EXPECT_EQ(first.count, 4500) << "offset 0 answers with the file size";
    ASSERT_EQ(first.data.size(), 2000u);
    EXPECT_TRUE(std::equal(first.data.begin(), first.data.end(), bytes.begin()));

    shop::PictureBlock second = shop::ReadPictureBlock(dir.path(), "STOCK7.bmp", 2000);
    EXPECT_NE(second.count, 0);
    ASSERT_EQ(second.data.size(), 2000u);
    EXPECT_TRUE(std::equal(second.data.begin(), second.data.end(), bytes.begin() + 2000));

    shop::PictureBlock third = shop::ReadPictureBlock(dir.path(), "STOCK7.bmp", 4000);
    EXPECT_NE(third.count, 0);
    ASSERT_EQ(third.data.size(), 500u);
    EXPECT_TRUE(std::equal(third.data.begin(), third.data.end(), bytes.begin() + 4000));

    EXPECT_EQ(shop::ReadPictureBlock(dir.path(), "STOCK7.bmp", 4500).count, 0) << "nothing past the end";
    EXPECT_EQ(shop::ReadPictureBlock(dir.path(), "STOCK7.bmp", -2000).count, 0);

    int requests = 0;
    EXPECT_EQ(Transfer(dir.path(), "STOCK7.bmp", requests), bytes);
    EXPECT_EQ(requests, 3);
}

TEST(PictureBlocks, BlockBoundariesAtTwoThousandBytes) {
    shoptest::ScratchDir dir;
    Store(dir.path() / "m2000.bmp", Pattern(2000));
    Store(dir.path() / "m2001.bmp", Pattern(2001));
    int requests = 0;
    EXPECT_EQ(Transfer(dir.path(), "m2000.bmp", requests), Pattern(2000));
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(Transfer(dir.path(), "m2001.bmp", requests), Pattern(2001));
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(shop::ReadPictureBlock(dir.path(), "m2001.bmp", 2000).data.size(), 1u);
}

TEST(PictureBlocks, MissingFileIsSizeZero) {
    shoptest::ScratchDir dir;
    shop::PictureBlock reply = shop::ReadPictureBlock(dir.path(), "STOCK24.bmp", 0);
    EXPECT_EQ(reply.count, 0);
    EXPECT_TRUE(reply.data.empty());
    std::filesystem::create_directory(dir.path() / "folder.bmp");
    EXPECT_EQ(shop::ReadPictureBlock(dir.path(), "folder.bmp", 0).count, 0) << "a directory is no picture";
}

TEST(PictureBlocks, HostileNamesAreRefusedEvenWhenTheFileExists) {
    shoptest::ScratchDir dir;
    const auto pictures = dir.path() / "pictures";
    std::filesystem::create_directories(pictures / "sub");
    Store(dir.path() / "secret.bmp", Pattern(300));
    Store(pictures / "sub" / "inner.bmp", Pattern(300));
    Store(pictures / "ok.bmp", Pattern(300));

    EXPECT_EQ(shop::ReadPictureBlock(pictures, "ok.bmp", 0).count, 300);
    for (const char* name : {"../secret.bmp", "..\\secret.bmp", "..", "sub/inner.bmp", "sub\\inner.bmp",
                             "/etc/passwd", "C:secret.bmp", "", "ok.bmp\n", "a..b.bmp"}) {
        EXPECT_FALSE(shop::IsSafePictureName(name)) << name;
        EXPECT_EQ(shop::ReadPictureBlock(pictures, name, 0).count, 0) << name;
    }
    EXPECT_FALSE(shop::IsSafePictureName(std::string(40, 'a')));
    EXPECT_TRUE(shop::IsSafePictureName(std::string(39, 'a')));
}

// ---- Button pages -------------------------------------------------------------------

// Category 17 holds eleven items between items of other categories.
Inventory ButtonShelf() {
    std::vector<Item> list;
    for (int i = 1; i <= 11; ++i) {
        Item wine = MakeItem(100 + 10 * i, "Wine " + std::to_string(i), 17);
        wine.stockPicture = 18;
        list.push_back(wine);
        list.push_back(MakeItem(100 + 10 * i + 5, "Sweet " + std::to_string(i), 16));
    }
    list[0].ownPicture = 1;                 // item 110
    list[2].stockPicture = 0;               // item 120: no picture
    list.push_back(MakeItem(5, std::string(45, 'x'), 3));  // a caption longer than its field
    return InventoryOf(list);
}

std::vector<std::int64_t> Numbers(const ButtonPage& page) { return {page.numbers.begin(), page.numbers.end()}; }

ButtonPage Request(std::int32_t category) {
    ButtonPage r;
    r.category = category;
    return r;
}

TEST(ButtonPages, FirstPageHoldsTheFirstEightOfTheCategory) {
    const Inventory items = ButtonShelf();
    ButtonPage page = shop::FirstButtonPage(items, Request(17));
    EXPECT_EQ(Numbers(page), (std::vector<std::int64_t>{110, 120, 130, 140, 150, 160, 170, 180}));
    EXPECT_EQ(page.category, 17);
    EXPECT_EQ(page.cursor, 180) << "the last item on the page";
    EXPECT_EQ(page.captions[1], "Wine 2");
    EXPECT_EQ(page.pictures[0], "m110.bmp");
    EXPECT_EQ(page.pictures[1], "") << "no picture at all";
    EXPECT_EQ(page.pictures[2], "STOCK18.bmp");
    EXPECT_EQ(shop::FirstButtonPage(items, Request(3)).captions[0], std::string(39, 'x'));
}

TEST(ButtonPages, ForwardPagingEndsWithZeros) {
    const Inventory items = ButtonShelf();
    ButtonPage page = shop::FirstButtonPage(items, Request(17));
    page.direction = shop::kForward;
    page = shop::NextButtonPage(items, page);  // cursor carried over from the reply
    EXPECT_EQ(Numbers(page), (std::vector<std::int64_t>{190, 200, 210, 0, 0, 0, 0, 0}));
    EXPECT_EQ(page.captions[3], "");
    EXPECT_EQ(page.pictures[3], "");
    EXPECT_EQ(page.cursor, 210);
    page = shop::NextButtonPage(items, page);
    EXPECT_EQ(Numbers(page), std::vector<std::int64_t>(8, 0)) << "nothing after the last item";

    // A scroll sets the cursor to the last button shown, whatever the record held.
    ButtonPage scroll = Request(17);
    scroll.cursor = 150;
    scroll.numbers[7] = 150;
    EXPECT_EQ(Numbers(shop::NextButtonPage(items, scroll)),
              (std::vector<std::int64_t>{160, 170, 180, 190, 200, 210, 0, 0}));
}

TEST(ButtonPages, BackwardPagingAndTheRepeatedFirstPage) {
    const Inventory items = ButtonShelf();
    ButtonPage request = Request(17);
    request.direction = shop::kBackward;
    request.numbers = {190, 200, 210, 0, 0, 0, 0, 0};
    ButtonPage page = shop::NextButtonPage(items, request);
    EXPECT_EQ(Numbers(page), (std::vector<std::int64_t>{110, 120, 130, 140, 150, 160, 170, 180}));
    EXPECT_EQ(page.direction, shop::kBackward);

    // Already on the first page: the same page again, same first number.
    ButtonPage again = shop::NextButtonPage(items, page);
    EXPECT_EQ(Numbers(again), Numbers(page));

    // Fewer than eight before the first shown: those items, then zeros.
    request.numbers = {140, 150, 160, 170, 180, 190, 200, 210};
    EXPECT_EQ(Numbers(shop::NextButtonPage(items, request)),
              (std::vector<std::int64_t>{110, 120, 130, 0, 0, 0, 0, 0}));

    // Nothing shown: the first page.
    request.numbers = {};
    EXPECT_EQ(shop::NextButtonPage(items, request).numbers[0], 110);
}

TEST(ButtonPages, AllCategoriesWalkEveryItemOnce) {
    const Inventory items = ButtonShelf();
    std::vector<std::int64_t> seen;
    ButtonPage page = shop::FirstButtonPage(items, Request(shop::kAllCategories));
    for (int guard = 0; guard < 10; ++guard) {
        for (std::int64_t n : page.numbers)
            if (n != 0) seen.push_back(n);
        if (std::count(page.numbers.begin(), page.numbers.end(), 0) > 0) break;
        page = shop::NextButtonPage(items, page);
    }
    std::vector<std::int64_t> all;
    for (const auto& [number, item] : items) all.push_back(number);
    EXPECT_EQ(seen, all);
    EXPECT_EQ(all.size(), 23u);

    // Backward from the third page of all items lands on the second.
    ButtonPage back = Request(shop::kAllCategories);
    back.direction = shop::kBackward;
    back.numbers[0] = all[16];
    EXPECT_EQ(Numbers(shop::NextButtonPage(items, back)), std::vector<std::int64_t>(all.begin() + 8, all.begin() + 16));
}

TEST(ButtonPages, UnknownCategoryIsAnEmptyPage) {
    const Inventory items = ButtonShelf();
    for (std::int32_t category : {19, -1, 5})
        EXPECT_EQ(Numbers(shop::FirstButtonPage(items, Request(category))), std::vector<std::int64_t>(8, 0))
            << category;
}

// ---- Sales and refunds --------------------------------------------------------------

shop::Transaction SaleOf(std::vector<std::int64_t> itemNumbers, std::int64_t customer = 0) {
    shop::Transaction t;
    t.customer = customer;
    t.paymentType = "Cash";
    for (std::int64_t n : itemNumbers) {
        shop::TransactionLine line;
        line.item = n;
        line.total = 2.5;
        t.lines.push_back(line);
        t.total += line.total;
    }
    return t;
}

Inventory StockShelf() {
    Item kit = MakeItem(50, "Gift kit", 12, {}, 0);
    kit.kitFlag = shop::kKitFlag;
    return InventoryOf({MakeItem(1, "Two left", 0, {}, 2), MakeItem(2, "None left", 0, {}, 0),
                        MakeItem(3, "Plenty", 0, {}, 40), kit});
}

TEST(SaleChecks, StockMayNotGoNegative) {
    const Inventory items = StockShelf();
    const CustomerBook book = Book();
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({1, 1}), false), shop::code::kOk) << "down to 0 is fine";
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({1, 3, 1, 1}), false), 5) << "three units of two";
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({2}), false), 5);
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({2, 1, 1, 1}), true), shop::code::kOk)
        << "the shop allows sales without stock";
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({50}), false), shop::code::kOk) << "kits keep no stock";
}

TEST(SaleChecks, CustomerAndItemsMustExist) {
    const Inventory items = StockShelf();
    const CustomerBook book = Book();
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({3, 0}, 31), false), shop::code::kOk) << "line 0 = not inventory";
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({3}, 32), false), 2);
    shop::Transaction credit = SaleOf({3});
    credit.paymentType = "Credit";
    EXPECT_EQ(shop::CheckSale(items, book, credit, false), 2) << "credit needs a customer";
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({3, 4}), false), 9);
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf({-3}), false), 9);
    EXPECT_EQ(shop::CheckSale(items, book, SaleOf(std::vector<std::int64_t>(401, 3)), true), 10);
}

TEST(RefundChecks, TypeCustomerAndItems) {
    const Inventory items = StockShelf();
    const CustomerBook book = Book();
    shop::Transaction refund = SaleOf({1, 2});
    EXPECT_EQ(shop::CheckRefund(items, book, refund), shop::code::kOk) << "no stock needed to refund";
    refund.refundMethod = 4;
    EXPECT_EQ(shop::CheckRefund(items, book, refund), 2);
    refund.refundMethod = 0;
    refund.refundStockFlag = 2;
    EXPECT_EQ(shop::CheckRefund(items, book, refund), 2);
    refund.refundStockFlag = 1;
    refund.customer = 99;
    EXPECT_EQ(shop::CheckRefund(items, book, refund), 3);
    refund.customer = 0;
    refund.refundMethod = 3;
    EXPECT_EQ(shop::CheckRefund(items, book, refund), 10) << "credit refund without a customer";
    refund.customer = 30;
    EXPECT_EQ(shop::CheckRefund(items, book, refund), shop::code::kOk);
    shop::TransactionLine unknown;
    unknown.item = 77;
    refund.lines.push_back(unknown);
    EXPECT_EQ(shop::CheckRefund(items, book, refund), 8);
}

TEST(TransactionEffects, StockAndCustomerAccounts) {
    Inventory items = StockShelf();
    CustomerBook book = Book();
    shop::ApplyToStock(items, shop::Kind::Sale, SaleOf({1, 3, 3, 0, 50}));
    EXPECT_EQ(items.at(1).stock, 1);
    EXPECT_EQ(items.at(3).stock, 38);
    EXPECT_EQ(items.at(50).stock, 0) << "a kit's stock is left alone";

    shop::Transaction refund = SaleOf({3, 3, 3});
    shop::ApplyToStock(items, shop::Kind::Refund, refund);
    EXPECT_EQ(items.at(3).stock, 41);
    refund.refundStockFlag = 1;
    shop::ApplyToStock(items, shop::Kind::Refund, refund);
    EXPECT_EQ(items.at(3).stock, 41) << "faulty items stay out of stock";

    shop::Transaction credit = SaleOf({3, 3}, 31);
    credit.paymentType = "Credit";
    shop::ApplyToCustomer(book, shop::Kind::Sale, credit, 17, "09:3005/12/2026");
    EXPECT_EQ(book.at(31).balance, 5.0);
    EXPECT_EQ(book.at(31).transactions, 1);
    EXPECT_EQ(book.at(31).totalPurchases, 5.0);
    EXPECT_EQ(book.at(31).lastTransaction, 17);
    EXPECT_EQ(book.at(31).lastUsed, "09:3005/12/2026");

    shop::Transaction cash = SaleOf({3}, 31);
    shop::ApplyToCustomer(book, shop::Kind::Sale, cash, 18, "09:4005/12/2026");
    EXPECT_EQ(book.at(31).balance, 5.0) << "cash leaves the account alone";
    EXPECT_EQ(book.at(31).totalPurchases, 7.5);

    shop::Transaction creditRefund = SaleOf({3}, 31);
    creditRefund.refundMethod = 3;
    shop::ApplyToCustomer(book, shop::Kind::Refund, creditRefund, 19, "09:5005/12/2026");
    EXPECT_EQ(book.at(31).balance, 2.5);
    EXPECT_EQ(book.at(31).transactions, 2) << "a refund is no purchase";
}

}  // namespace
