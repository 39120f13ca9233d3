// The served procedures are exercised over the pipe by tests/link/remote_servertest.cpp.
#include "shop/record_bridge.h"

#include <gtest/gtest.h>

#include "link/wire_layout.h"
#include "shop_test_support.h"

namespace {

// A record as it arrives at the other end: packed, to the wire form of its table, back.
template <typename Record>
Record OverTheWire(const wire::Table& table, const Record& sent) {
    std::vector<std::uint8_t> image(wire::WireSize(table));
    wire::PackedToWire(table, sent.data(), image.data());
    Record received;
    wire::WireToPacked(table, image.data(), received.data());
    return received;
}

// Gives each field a value of its own, so that two accessors sharing bytes would show.
template <typename T, typename... Fields>
void Distinct(T& s, int first, Fields... fields) {
    auto set = [&](auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::string>) field = "text " + std::to_string(first++);
        else field = static_cast<Field>(1.5 * first++);
    };
    (set(s.*fields), ...);
}

TEST(RecordBridge, EveryFieldCrossesTheWireAndComesBackUnchanged) {
    using I = shop::Item;
    I item;
    item.skus = {"5012340027017", "CASE-2701", "", "SHELF-2701"};
    item.components = {shop::KitComponent{"2701", 14, 1}, {"2602", 2, 3}, {}, {"11", 4, 15}, {"9", 16, 5}, {"1", 7, 6}};
    Distinct(item, 20, &I::number, &I::description, &I::orderCode, &I::dateAdded, &I::notes, &I::stock,
             &I::restockLevel, &I::minimumOrder, &I::orderQuantity, &I::taxCode, &I::deliveryLead, &I::onOrder,
             &I::committed, &I::labelsToPrint, &I::stockPicture, &I::roundTaxDown, &I::ageLimit, &I::offerRule,
             &I::ownPicture, &I::saleOrReturn, &I::category, &I::kitFlag, &I::costPrice, &I::tradePrice, &I::price,
             &I::delivery, &I::weight);
    EXPECT_EQ(shop::ToItem(OverTheWire(wire::kInventoryItem, shop::ToRecord(item))), item);
    EXPECT_EQ(shop::ToRecord(shop::Item{}).bytes, InventoryItem{}.bytes) << "not found: all zeros";

    using C = shop::Customer;
    C customer;
    Distinct(customer, 2, &C::number, &C::name, &C::road, &C::area, &C::town, &C::zip, &C::telephone, &C::extension,
             &C::telephone2, &C::fax, &C::shippingName, &C::shippingRoad, &C::shippingArea, &C::shippingTown,
             &C::shippingZip, &C::contact, &C::notes, &C::comment, &C::comment2, &C::card1, &C::card2, &C::card1Expiry,
             &C::card2Expiry, &C::email, &C::origination, &C::lastUsed, &C::lastPayment, &C::group, &C::terms,
             &C::lastTransaction, &C::transactions, &C::taxCode, &C::totalPurchases, &C::balance, &C::creditLimit);
    EXPECT_EQ(shop::ToCustomer(OverTheWire(wire::kCustomerRecord, shop::ToRecord(customer))), customer);

    using T = shop::Transaction;
    using L = shop::TransactionLine;
    for (int lines : {0, 3, 400}) {
        T t;
        t.lines.resize(static_cast<std::size_t>(lines));
        for (int i = 0; i < lines; ++i)
            Distinct(t.lines[i], 10 * i, &L::item, &L::description, &L::nonTaxable, &L::taxable, &L::tax1, &L::tax2,
                     &L::cost, &L::discount, &L::total);
        Distinct(t, 1, &T::number, &T::customer, &T::associate, &T::nonTaxableTotal, &T::taxableTotal,
                 &T::subTotal, &T::tax1Total, &T::tax2Total, &T::costTotal, &T::total, &T::discountTotal, &T::cash,
                 &T::eft, &T::cheque, &T::balanceBefore, &T::balanceAfter, &T::time, &T::date, &T::customerName,
                 &T::customerRoad, &T::customerArea, &T::customerTown, &T::customerZip, &T::customerTelephone,
                 &T::paymentType, &T::computerName, &T::note, &T::refundMethod, &T::refundStockFlag);
        TransactionRecord received = OverTheWire(wire::kTransactionRecord, shop::ToRecord(t));
        EXPECT_TRUE(shop::ToTransaction(received) == t) << lines << " lines";
        for (auto [count, read] : {std::pair{9999, 400u}, {-3, 0u}}) {  // a received count is taken as 0..400
            received.SetLineCount(count);
            EXPECT_EQ(shop::ToTransaction(received).lines.size(), read) << count;
        }
    }
}

}  // namespace
