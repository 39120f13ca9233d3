// The development shop server's own data: plain structs for the shop's items,
// customers, transactions, button pages and picture pieces. The RPC layer
// converts between these and the packed records; nothing here knows a byte offset.
// Texts are held in the Windows ANSI code page, exactly as the records carry them.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace shop {

inline constexpr int kSkuCount = 4;
inline constexpr int kKitComponentCount = 6;
inline constexpr int kCategoryCount = 18;   // display categories 0..17
inline constexpr int kAllCategories = 18;   // the button-page category meaning "every category"
inline constexpr std::int32_t kKitFlag = 2;  // the kit flag value the terminal expands
inline constexpr std::int64_t kHighestNumber = 100000000000000000;  // 10^17, the terminal's number range

// One part of a kit: the component's item number as text, the entry mode the
// terminal passes when it sells the component, and how many it sells.
struct KitComponent {
    std::string text;
    std::int32_t mode = 0;
    std::int32_t quantity = 0;
    bool operator==(const KitComponent&) const = default;
};

struct Item {
    std::int64_t number = 0;  // 0 = no item
    std::string description;
    std::array<std::string, kSkuCount> skus;
    std::string orderCode;
    std::string dateAdded;  // "dd/mm/yyyy"
    std::string notes;
    std::array<KitComponent, kKitComponentCount> components;

    std::int32_t stock = 0;
    std::int32_t restockLevel = 0;
    std::int32_t minimumOrder = 0;
    std::int32_t orderQuantity = 0;
    std::int32_t taxCode = 0;  // 0 none, 1 tax 1 and tax 2, 2 tax 1 only, 3 tax 2 only
    std::int32_t deliveryLead = 0;
    std::int32_t onOrder = 0;
    std::int32_t committed = 0;
    std::int32_t labelsToPrint = 0;

    double costPrice = 0;
    double tradePrice = 0;
    double price = 0;  // retail, before tax
    double delivery = 0;
    double weight = 0;

    std::int32_t stockPicture = 0;  // "STOCK%d.bmp" when the item has no picture of its own
    std::int32_t roundTaxDown = 0;
    std::int32_t ageLimit = 0;      // 2 or more raises the terminal's age alert
    std::int32_t offerRule = 0;     // 2 = every second one free, 4 = every third one free
    std::int32_t ownPicture = 0;    // 1 = "m<number>.bmp"
    std::int32_t saleOrReturn = 0;
    std::int32_t category = 0;      // 0..17
    std::int32_t kitFlag = 0;       // kKitFlag = sold as its components

    bool IsKit() const { return kitFlag == kKitFlag; }
    bool operator==(const Item&) const = default;
};

struct Customer {
    std::int64_t number = 0;  // 0 = no customer
    std::string name;
    std::string road, area, town, zip;
    std::string telephone, extension, telephone2, fax;
    std::string shippingName, shippingRoad, shippingArea, shippingTown, shippingZip;
    std::string contact;
    std::string notes;
    std::string comment, comment2;
    std::string card1, card2, card1Expiry, card2Expiry;
    std::string email;
    std::string origination;  // date text
    std::string lastUsed;     // "HH:MMdd/mm/yyyy", "NEW" or empty
    std::string lastPayment;  // same form, empty = none
    std::int32_t group = 1;
    std::int32_t terms = 1;  // 1..8
    std::int32_t lastTransaction = 0;
    std::int32_t transactions = 0;
    std::int64_t taxCode = 1;  // 0 = buys tax-free
    double totalPurchases = 0;
    double balance = 0;
    double creditLimit = 0;

    bool operator==(const Customer&) const = default;
};

struct TransactionLine {
    std::int64_t item = 0;  // 0 = not an inventory item
    std::string description;
    double nonTaxable = 0;
    double taxable = 0;
    double tax1 = 0;
    double tax2 = 0;
    double cost = 0;
    double discount = 0;
    double total = 0;
    bool operator==(const TransactionLine&) const = default;
};

// One sale or refund as the terminal commits it. Every line is one unit of its item.
struct Transaction {
    std::int64_t number = 0;
    std::int64_t customer = 0;
    std::int32_t associate = 0;
    std::vector<TransactionLine> lines;
    double nonTaxableTotal = 0, taxableTotal = 0, subTotal = 0;
    double tax1Total = 0, tax2Total = 0, costTotal = 0, total = 0, discountTotal = 0;
    double cash = 0, eft = 0, cheque = 0;
    double balanceBefore = 0, balanceAfter = 0;
    std::string time, date;
    std::string customerName, customerRoad, customerArea, customerTown, customerZip, customerTelephone;
    std::string paymentType;  // "Cash", "CH", "EFT", "Split", "Credit", "Refund"
    std::string computerName;
    std::string note;
    std::int32_t refundMethod = 0;     // 0 cash, 1 cheque, 2 EFT, 3 customer credit
    std::int32_t refundStockFlag = 0;  // 0 = back to stock, 1 = faulty
    bool operator==(const Transaction&) const = default;
};

inline constexpr int kButtonsPerPage = 8;
inline constexpr std::int32_t kForward = 0;
inline constexpr std::int32_t kBackward = 2;

// One page of category buttons, both as the request and as the reply.
struct ButtonPage {
    std::int32_t category = 0;  // 0..17, 18 = all
    std::int32_t direction = kForward;
    std::int64_t cursor = 0;    // forward: the last item shown; 0 = first page
    std::array<std::int64_t, kButtonsPerPage> numbers{};  // request: [0] first shown (backward)
    std::array<std::string, kButtonsPerPage> captions;
    std::array<std::string, kButtonsPerPage> pictures;
    bool operator==(const ButtonPage&) const = default;
};

inline constexpr std::int32_t kPictureBlockSize = 2000;

// The reply to one picture request. For offset 0, count is the file's size (0 = no
// such file); for a later offset, the number of bytes in this piece (0 = no more).
struct PictureBlock {
    std::int32_t count = 0;
    std::vector<std::uint8_t> data;  // at most kPictureBlockSize bytes
};

using Inventory = std::map<std::int64_t, Item>;        // in item-number order
using CustomerBook = std::map<std::int64_t, Customer>;  // in customer-number order

// The picture file name of an item: own picture, stock picture, or none.
std::string PictureName(const Item& item);

}  // namespace shop
