#include "shop/record_bridge.h"

#include <gtest/gtest.h>

#include "shop_test_support.h"

namespace {

namespace fs = std::filesystem;

shop::Item FullItem() {
    shop::Item item;
    item.number = 123456789012LL;
    item.description = "Rioja Reserva 75cl";
    item.skus = {"5012340027017", "CASE-2701", "", "SHELF-2701"};
    item.orderCode = "WIN-01";
    item.dateAdded = "02/09/2025";
    item.notes = "Chilled in the back";
    item.components = {shop::KitComponent{"2701", 0, 1}, {"2602", 2, 3}, {"", 0, 0}, {"1102", 4, 2}, {"9", 1, 5},
                       {"1701", 0, 6}};
    item.stock = 24;
    item.restockLevel = 5;
    item.minimumOrder = 6;
    item.orderQuantity = 12;
    item.taxCode = 3;
    item.deliveryLead = 7;
    item.onOrder = 8;
    item.committed = 9;
    item.labelsToPrint = 10;
    item.costPrice = 5.2;
    item.tradePrice = 7.5;
    item.price = 9.16;
    item.delivery = 1.25;
    item.weight = 0.75;
    item.stockPicture = 18;
    item.roundTaxDown = 1;
    item.ageLimit = 21;
    item.offerRule = 4;
    item.ownPicture = 1;
    item.saleOrReturn = 1;
    item.category = 17;
    item.kitFlag = 2;
    return item;
}

TEST(ItemRecords, EveryFieldAtItsOffsetAndBack) {
    const shop::Item item = FullItem();
    const InventoryItem r = shop::ToRecord(item);
    EXPECT_EQ(r.Int64(0), 123456789012LL);
    EXPECT_EQ(r.Text({8, 40}), "Rioja Reserva 75cl");
    EXPECT_EQ(r.Text({130, 40}), "CASE-2701");
    EXPECT_EQ(r.Text({210, 40}), "SHELF-2701");
    EXPECT_EQ(r.Text({270, 20}), "2701");
    EXPECT_EQ(r.Text({1942, 20}), "2602");
    EXPECT_EQ(r.Text({590, 20}), "1102");
    EXPECT_EQ(r.Text({650, 20}), "1701");
    EXPECT_EQ(r.Int32(1290 + 4 * 1), 2) << "entry mode of component 2";
    EXPECT_EQ(r.Int32(1290 + 4 * 7), 3) << "quantity of component 2";
    EXPECT_EQ(r.Int32(1290 + 4 * 12), 4) << "offer rule";
    EXPECT_EQ(r.Int32(670), 24);
    EXPECT_EQ(r.Int32(686), 3);
    EXPECT_EQ(r.Double(814), 5.2);
    EXPECT_EQ(r.Double(822), 7.5);
    EXPECT_EQ(r.Double(830), 9.16);
    EXPECT_EQ(r.Int32(1270), 18);
    EXPECT_EQ(r.Int32(1274), 1);
    EXPECT_EQ(r.Int32(1282), 21);
    EXPECT_EQ(r.Int32(1810), 1);
    EXPECT_EQ(r.Text({1858, 80}), "Chilled in the back");
    EXPECT_EQ(r.Int32(2022), 17);
    EXPECT_EQ(r.Int32(2037), 2);
    EXPECT_EQ(shop::ToItem(r), item);

    EXPECT_EQ(shop::ToRecord(shop::Item{}).bytes, InventoryItem{}.bytes) << "not found: all zeros";
}

TEST(CustomerRecords, EveryFieldAtItsOffsetAndBack) {
    shop::Customer c;
    const char* texts[] = {"NAME", "ROAD", "AREA", "TOWN", "ZIP", "TEL", "EXT", "TEL2", "FAX", "SHIP NAME",
                           "SROAD", "SAREA", "STOWN", "SZIP", "CONTACT", "NOTES", "COMMENT", "COMMENT 2",
                           "CARD 1", "CARD 2", "EXP 1", "EXP 2", "a@b.example", "01/02/2024",
                           "10:1505/12/2026", "11:0006/12/2026"};
    std::string* fields[] = {&c.name, &c.road, &c.area, &c.town, &c.zip, &c.telephone, &c.extension,
                             &c.telephone2, &c.fax, &c.shippingName, &c.shippingRoad, &c.shippingArea,
                             &c.shippingTown, &c.shippingZip, &c.contact, &c.notes, &c.comment, &c.comment2,
                             &c.card1, &c.card2, &c.card1Expiry, &c.card2Expiry, &c.email, &c.origination,
                             &c.lastUsed, &c.lastPayment};
    for (std::size_t i = 0; i < std::size(fields); ++i) *fields[i] = texts[i];
    c.number = 1002;
    c.group = 3;
    c.terms = 4;
    c.lastTransaction = 57;
    c.transactions = 12;
    c.taxCode = 2;
    c.totalPurchases = 314.15;
    c.balance = 1240.5;
    c.creditLimit = 5000;
    const CustomerRecord r = shop::ToRecord(c);
    EXPECT_EQ(r.Text({8, 30}), "NAME");
    EXPECT_EQ(r.Text({128, 10}), "ZIP");
    EXPECT_EQ(r.Text({1054, 40}), "a@b.example");
    EXPECT_EQ(r.Text({1126, 16}), "10:1505/12/2026");
    EXPECT_EQ(r.Int32(652), 3);
    EXPECT_EQ(r.Int32(1006), 4);
    EXPECT_EQ(r.Int32(1010), 57);
    EXPECT_EQ(r.Int32(1206), 12);
    EXPECT_EQ(r.Int64(1210), 2);
    EXPECT_EQ(r.Double(1094), 314.15);
    EXPECT_EQ(r.Double(1158), 1240.5);
    EXPECT_EQ(r.Double(1166), 5000);
    EXPECT_EQ(shop::ToCustomer(r), c);
}

shop::Transaction SomeSale(std::size_t lines) {
    shop::Transaction t;
    t.number = 57;
    t.customer = 1002;
    t.associate = 3;
    for (std::size_t i = 0; i < lines; ++i)
        t.lines.push_back({static_cast<std::int64_t>(2 + i), "line " + std::to_string(i), 0.5, 1.5 + i, 0.3, 0.1,
                           0.9, 0.2, 2.2 + i});
    t.nonTaxableTotal = 1;
    t.taxableTotal = 2;
    t.subTotal = 3;
    t.tax1Total = 4;
    t.tax2Total = 5;
    t.costTotal = 6;
    t.total = 7;
    t.discountTotal = 8;
    t.cash = 9;
    t.eft = 10;
    t.cheque = 11;
    t.balanceBefore = 12;
    t.balanceAfter = 13;
    t.time = "09:30";
    t.date = "Sat 5 Dec 26";
    t.customerName = "BRIGHTWATER";
    t.customerRoad = "R";
    t.customerArea = "A";
    t.customerTown = "T";
    t.customerZip = "Z";
    t.customerTelephone = "P";
    t.paymentType = "Credit";
    t.computerName = "TILL-1";
    t.note = "note";
    t.refundMethod = 3;
    t.refundStockFlag = 1;
    return t;
}

TEST(TransactionRecords, EveryFieldAtItsOffsetAndBack) {
    const shop::Transaction t = SomeSale(3);
    const TransactionRecord r = shop::ToRecord(t);
    EXPECT_EQ(r.Int64(16), 1002);
    EXPECT_EQ(r.Int32(3228), 3);
    EXPECT_EQ(r.Int64(24 + 8 * 2), 4) << "item of line 3";
    EXPECT_EQ(r.Double(41680), 7) << "total";
    EXPECT_EQ(r.Text({42046, 40}), "Credit");
    EXPECT_EQ(r.Int32(42794), 3);
    EXPECT_EQ(r.Int32(42802), 1);
    EXPECT_EQ(shop::ToTransaction(r), t);

    TransactionRecord wild = r;
    wild.SetLineCount(9999);
    EXPECT_EQ(shop::ToTransaction(wild).lines.size(), 400u);
    wild.SetLineCount(-3);
    EXPECT_TRUE(shop::ToTransaction(wild).lines.empty());
}

class ServedShop : public ::testing::Test {
protected:
    void SetUp() override {
        shoptest::WriteMiniSeed(dir.path());
        std::string error;
        shop = shop::Shop::Open(dir.path(), error, shoptest::FixedTime);
        ASSERT_TRUE(shop) << error;
    }
    shoptest::ScratchDir dir;
    std::unique_ptr<shop::Shop> shop;
};

TEST_F(ServedShop, LookupsFillTheirReplies) {
    ItemKey key;
    key.SetNumber(-2);
    key.SetSearchText("40");
    InventoryItem item;
    shop::ServeFetchItem(*shop, key, item);
    EXPECT_EQ(item.Number(), 2);
    EXPECT_EQ(item.InStock(), 40);
    key.SetNumber(-4);  // continued after item 2: nothing more
    std::memset(item.data(), 0x5A, item.kSize);
    shop::ServeFetchItem(*shop, key, item);
    EXPECT_EQ(item.bytes, InventoryItem{}.bytes) << "an empty reply overwrites everything";

    CustomerKey ckey;
    ckey.SetNumber(-1);
    ckey.SetSearchText("LEE");
    CustomerRecord customer;
    shop::ServeFetchCustomer(*shop, ckey, customer);
    EXPECT_EQ(customer.Number(), 11);

    char number[40];
    std::memset(number, 'x', sizeof number);
    shop::ServeFetchNextCustomerNumber(*shop, number, sizeof number);
    EXPECT_STREQ(number, "12");
    EXPECT_EQ(number[39], 0);

    TerminalConfig config;
    shop::ServeFetchTerminalConfig(*shop, config);
    EXPECT_EQ(config.HeaderText(0), "TEST SHOP");
    EXPECT_EQ(config.TransactionNumber(), 1);
    LabelTable labels;
    shop::ServeFetchLabelTable(*shop, labels);
    EXPECT_EQ(labels.Entry(17), "BILL");
}

TEST_F(ServedShop, PictureBlockRequestsTravelInTheCountWord) {
    ::PictureBlock block;
    block.SetName("m1.bmp");
    block.SetCount(0);
    shop::ServeFetchPictureBlock(*shop, block);
    EXPECT_EQ(block.Count(), 4321);
    EXPECT_EQ(block.Data()[1999], 'p');
    block.SetCount(4000);
    shop::ServeFetchPictureBlock(*shop, block);
    EXPECT_EQ(block.Count(), 321);
    EXPECT_EQ(block.Data()[320], 'p');
    EXPECT_EQ(block.Data()[321], 0) << "the rest of the piece is cleared";
    block.SetName("..\\m1.bmp");
    block.SetCount(0);
    shop::ServeFetchPictureBlock(*shop, block);
    EXPECT_EQ(block.Count(), 0);
}

TEST_F(ServedShop, ButtonPagesKeepTheWordsTheTerminalDoesNotRead) {
    ::ButtonPage page;
    page.SetCategory(18);
    page.SetInt64(16 + 8 * 12, 777);             // element 12 of the numbers
    page.SetText({144 + 40 * 20, 40}, "spare");  // text entry 20
    shop::ServeFetchFirstButtonPage(*shop, page);
    EXPECT_EQ(page.ItemNumber(0), 1);
    EXPECT_EQ(page.ItemNumber(2), 3);
    EXPECT_EQ(page.ItemNumber(3), 0);
    EXPECT_EQ(page.Caption(1), "Plenty");
    EXPECT_EQ(page.PictureName(0), "");
    EXPECT_EQ(page.Cursor(), 3);
    EXPECT_EQ(page.Int64(16 + 8 * 12), 777);
    EXPECT_EQ(page.Text({144 + 40 * 20, 40}), "spare");

    page.SetDirection(2);
    page.SetItemNumber(0, 2);
    shop::ServeFetchButtonPage(*shop, page);
    EXPECT_EQ(page.ItemNumber(0), 1);
    EXPECT_EQ(page.ItemNumber(1), 0);
    EXPECT_EQ(page.Direction(), 2);
}

TEST_F(ServedShop, UpdatesAndCommits) {
    shop::Customer c;
    c.number = 12;
    c.name = "NEW";
    EXPECT_EQ(shop::ServeAddCustomer(*shop, shop::ToRecord(c)), 0);
    EXPECT_EQ(shop::ServeAddCustomer(*shop, shop::ToRecord(c)), 3);
    c.town = "TOWN";
    EXPECT_EQ(shop::ServeAmendCustomer(*shop, shop::ToRecord(c)), 0);
    EXPECT_EQ(shop->FindCustomer(12)->town, "TOWN");

    shop::Transaction sale = SomeSale(0);
    sale.customer = 0;
    sale.paymentType = "Cash";
    sale.lines.push_back({2, "Plenty", 0, 1, 0.2, 0, 0.5, 0, 1.2});
    TransactionRecord record = shop::ToRecord(sale);
    EXPECT_EQ(shop::ServeCommitSale(*shop, record), 22);
    record.SetLineCount(401);
    EXPECT_EQ(shop::ServeCommitSale(*shop, record), shop::code::kSaleBadNumber);
    EXPECT_EQ(shop::ServeCommitRefund(*shop, record), shop::code::kRefundBadNumber);
    record.SetLineCount(1);
    record.SetRefundStockFlag(0);
    record.SetRefundMethod(0);
    EXPECT_EQ(shop::ServeCommitRefund(*shop, record), 23);
    EXPECT_EQ(shop->FindItem(2)->stock, 40);
}

}  // namespace
