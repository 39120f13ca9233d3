// The records of the remote interface, each a packed little-endian byte image of fixed
// size (members follow each other with no alignment). Only the fields the terminal
// reads or writes get a name and an accessor; every other byte is carried as received.
// LabelTable (link/label_table.h) and TerminalConfig (shell/terminal_config.h) are the
// two remaining records of the interface.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/packed.h"

// ---------------------------------------------------------------------------------
namespace itemkey {
inline constexpr std::size_t kSize = 48;
inline constexpr std::size_t kNumber = 0;  // int64: kind of lookup and search position
inline constexpr TextField kText{8, 40};

// Kinds of lookup; a continued search sends the last item's number (descriptions)
// or minus that number minus 2 (SKUs).
inline constexpr std::int64_t kByText = 0;
inline constexpr std::int64_t kFirstMatch = -1;
inline constexpr std::int64_t kFirstSkuMatch = -2;

// The key that continues a search after the last item found.
constexpr std::int64_t ContinueDescriptionSearch(std::int64_t lastItem) { return lastItem; }
constexpr std::int64_t ContinueSkuSearch(std::int64_t lastItem) { return -lastItem - 2; }
// The item after which a continued SKU key resumes.
constexpr std::int64_t SkuSearchPosition(std::int64_t key) { return -key - 2; }

static_assert(kNumber + 8 == kText.offset && kText.end() == kSize);
}  // namespace itemkey

struct ItemKey : PackedRecord<itemkey::kSize> {
    std::int64_t Number() const { return Int64(itemkey::kNumber); }
    void SetNumber(std::int64_t v) { SetInt64(itemkey::kNumber, v); }
    std::string SearchText() const { return Text(itemkey::kText); }
    void SetSearchText(std::string_view t) { SetText(itemkey::kText, t); }
};
static_assert(sizeof(ItemKey) == itemkey::kSize);

// ---------------------------------------------------------------------------------
namespace item {
inline constexpr std::size_t kSize = 2113;

inline constexpr std::size_t kNumber = 0;  // int64, 0 = no such item
inline constexpr TextField kDescription{8, 40};
inline constexpr std::size_t kSkus = 90;   // char[40] x 4
inline constexpr std::size_t kSkuWidth = 40;
inline constexpr int kSkuCount = 4;
inline constexpr TextField kOrderCode{550, 40};
inline constexpr TextField kDateAdded{630, 20};
// Kit components 1..6: item numbers as decimal text.
inline constexpr std::size_t kKitComponentWidth = 20;
inline constexpr std::size_t kKitComponents[] = {270, 1942, 1962, 590, 610, 650};
inline constexpr int kKitComponentCount = 6;

inline constexpr std::size_t kInStock = 670;       // int32
inline constexpr std::size_t kRestockLevel = 674;  // int32
inline constexpr std::size_t kMinimumOrder = 678;  // int32
inline constexpr std::size_t kOrderQuantity = 682; // int32
inline constexpr std::size_t kTaxCode = 686;       // int32: 0 none, 1 both taxes, 2 tax 1, 3 tax 2
inline constexpr std::size_t kDeliveryLead = 690;  // int32
inline constexpr std::size_t kOnOrder = 694;       // int32
inline constexpr std::size_t kCommitted = 698;     // int32
inline constexpr std::size_t kLabelsToPrint = 702; // int32

inline constexpr std::size_t kCostPrice = 814;     // double
inline constexpr std::size_t kTradePrice = 822;    // double
inline constexpr std::size_t kPrice = 830;         // double: retail, before tax
inline constexpr std::size_t kDelivery = 910;      // double
inline constexpr std::size_t kWeight = 918;        // double

inline constexpr std::size_t kPictureNumber = 1270;  // int32: "STOCK%d.bmp"
inline constexpr std::size_t kTaxRoundDown = 1274;   // int32, non-zero = round taxes down
inline constexpr std::size_t kAgeLimit = 1282;       // int32, 2 or more raises the age alert
// int32[40]: [0..5] entry mode of kit components 1..6, [6..11] their quantities, [12] offer rule.
inline constexpr std::size_t kKitTerms = 1290;
inline constexpr int kKitTermCount = 40;
inline constexpr int kOfferRuleTerm = 12;
inline constexpr std::size_t kOwnPicture = 1810;     // int32, 1 = "m%I64d.bmp"
inline constexpr std::size_t kSaleOrReturn = 1814;   // int32, 1 = yes
inline constexpr TextField kNotes{1858, 80};
inline constexpr std::size_t kCategory = 2022;       // int32, 0..17
inline constexpr std::size_t kKitFlag = 2037;        // int32, 2 = a kit
inline constexpr std::int32_t kIsKit = 2;

static_assert(kDescription.offset == kNumber + 8);
static_assert(kSkus + kSkuCount * kSkuWidth == 250);
static_assert(kKitComponents[4] + kKitComponentWidth == kDateAdded.offset);
static_assert(kDateAdded.end() == kKitComponents[5] && kKitComponents[5] + kKitComponentWidth == kInStock);
static_assert(kInStock + 9 * 4 == kLabelsToPrint + 4);
static_assert(kKitComponents[1] + kKitComponentWidth == kKitComponents[2]);
static_assert(kKitTerms + kKitTermCount * 4 == 1450);
static_assert(kNotes.end() + 4 == kKitComponents[1]);
static_assert(kCategory + 4 + 11 == kKitFlag);
static_assert(kKitFlag + 4 + 8 + 16 + 8 + 16 + 3 * 8 == kSize);
}  // namespace item

class InventoryItem : public PackedRecord<item::kSize> {
public:
    std::int64_t Number() const { return Int64(item::kNumber); }
    void SetNumber(std::int64_t v) { SetInt64(item::kNumber, v); }
    std::string Description() const { return Text(item::kDescription); }
    void SetDescription(std::string_view t) { SetText(item::kDescription, t); }
    std::string OrderCode() const { return Text(item::kOrderCode); }
    void SetOrderCode(std::string_view t) { SetText(item::kOrderCode, t); }
    std::string DateAdded() const { return Text(item::kDateAdded); }
    void SetDateAdded(std::string_view t) { SetText(item::kDateAdded, t); }
    std::string Notes() const { return Text(item::kNotes); }
    void SetNotes(std::string_view t) { SetText(item::kNotes, t); }

    // SKUs 1..4 and kit components 1..6; other numbers read empty and are not stored.
    std::string Sku(int n) const;
    void SetSku(int n, std::string_view t);
    std::string KitComponent(int n) const;
    void SetKitComponent(int n, std::string_view t);
    std::int32_t KitEntryMode(int n) const;
    void SetKitEntryMode(int n, std::int32_t v);
    std::int32_t KitQuantity(int n) const;
    void SetKitQuantity(int n, std::int32_t v);
    std::int32_t OfferRule() const { return Int32(item::kKitTerms + 4 * item::kOfferRuleTerm); }
    void SetOfferRule(std::int32_t v) { SetInt32(item::kKitTerms + 4 * item::kOfferRuleTerm, v); }

    std::int32_t InStock() const { return Int32(item::kInStock); }
    void SetInStock(std::int32_t v) { SetInt32(item::kInStock, v); }
    std::int32_t RestockLevel() const { return Int32(item::kRestockLevel); }
    void SetRestockLevel(std::int32_t v) { SetInt32(item::kRestockLevel, v); }
    std::int32_t MinimumOrder() const { return Int32(item::kMinimumOrder); }
    void SetMinimumOrder(std::int32_t v) { SetInt32(item::kMinimumOrder, v); }
    std::int32_t OrderQuantity() const { return Int32(item::kOrderQuantity); }
    void SetOrderQuantity(std::int32_t v) { SetInt32(item::kOrderQuantity, v); }
    std::int32_t TaxCode() const { return Int32(item::kTaxCode); }
    void SetTaxCode(std::int32_t v) { SetInt32(item::kTaxCode, v); }
    std::int32_t DeliveryLead() const { return Int32(item::kDeliveryLead); }
    void SetDeliveryLead(std::int32_t v) { SetInt32(item::kDeliveryLead, v); }
    std::int32_t OnOrder() const { return Int32(item::kOnOrder); }
    void SetOnOrder(std::int32_t v) { SetInt32(item::kOnOrder, v); }
    std::int32_t Committed() const { return Int32(item::kCommitted); }
    void SetCommitted(std::int32_t v) { SetInt32(item::kCommitted, v); }
    std::int32_t LabelsToPrint() const { return Int32(item::kLabelsToPrint); }
    void SetLabelsToPrint(std::int32_t v) { SetInt32(item::kLabelsToPrint, v); }

    double CostPrice() const { return Double(item::kCostPrice); }
    void SetCostPrice(double v) { SetDouble(item::kCostPrice, v); }
    double TradePrice() const { return Double(item::kTradePrice); }
    void SetTradePrice(double v) { SetDouble(item::kTradePrice, v); }
    double Price() const { return Double(item::kPrice); }
    void SetPrice(double v) { SetDouble(item::kPrice, v); }
    double Delivery() const { return Double(item::kDelivery); }
    void SetDelivery(double v) { SetDouble(item::kDelivery, v); }
    double Weight() const { return Double(item::kWeight); }
    void SetWeight(double v) { SetDouble(item::kWeight, v); }

    std::int32_t PictureNumber() const { return Int32(item::kPictureNumber); }
    void SetPictureNumber(std::int32_t v) { SetInt32(item::kPictureNumber, v); }
    std::int32_t TaxRoundDown() const { return Int32(item::kTaxRoundDown); }
    void SetTaxRoundDown(std::int32_t v) { SetInt32(item::kTaxRoundDown, v); }
    std::int32_t AgeLimit() const { return Int32(item::kAgeLimit); }
    void SetAgeLimit(std::int32_t v) { SetInt32(item::kAgeLimit, v); }
    std::int32_t OwnPicture() const { return Int32(item::kOwnPicture); }
    void SetOwnPicture(std::int32_t v) { SetInt32(item::kOwnPicture, v); }
    std::int32_t SaleOrReturn() const { return Int32(item::kSaleOrReturn); }
    void SetSaleOrReturn(std::int32_t v) { SetInt32(item::kSaleOrReturn, v); }
    std::int32_t Category() const { return Int32(item::kCategory); }
    void SetCategory(std::int32_t v) { SetInt32(item::kCategory, v); }
    std::int32_t KitFlag() const { return Int32(item::kKitFlag); }
    void SetKitFlag(std::int32_t v) { SetInt32(item::kKitFlag, v); }
};
static_assert(sizeof(InventoryItem) == item::kSize);

// ---------------------------------------------------------------------------------
namespace custkey {
inline constexpr std::size_t kSize = 46;
inline constexpr std::size_t kNumber = 0;  // int64: -1 starts a search, else the last customer found
inline constexpr TextField kText{8, 30};
inline constexpr TextField kSecondText{38, 8};
inline constexpr std::int64_t kStartSearch = -1;

static_assert(kNumber + 8 == kText.offset && kText.end() == kSecondText.offset && kSecondText.end() == kSize);
}  // namespace custkey

struct CustomerKey : PackedRecord<custkey::kSize> {
    std::int64_t Number() const { return Int64(custkey::kNumber); }
    void SetNumber(std::int64_t v) { SetInt64(custkey::kNumber, v); }
    std::string SearchText() const { return Text(custkey::kText); }
    void SetSearchText(std::string_view t) { SetText(custkey::kText, t); }
    std::string SecondText() const { return Text(custkey::kSecondText); }
    void SetSecondText(std::string_view t) { SetText(custkey::kSecondText, t); }
};
static_assert(sizeof(CustomerKey) == custkey::kSize);

// ---------------------------------------------------------------------------------
namespace customer {
inline constexpr std::size_t kSize = 1242;

inline constexpr std::size_t kNumber = 0;  // int64, 0 = no such customer
inline constexpr TextField kName{8, 30};
inline constexpr TextField kBillingRoad{38, 30};
inline constexpr TextField kBillingArea{68, 30};
inline constexpr TextField kBillingTown{98, 30};
inline constexpr TextField kBillingPostCode{128, 10};
inline constexpr TextField kTelephone1{138, 20};
inline constexpr TextField kTelephoneExtension{158, 20};
inline constexpr TextField kTelephone2{178, 20};
inline constexpr TextField kFax{198, 20};
inline constexpr TextField kShippingName{218, 60};
inline constexpr TextField kShippingRoad{278, 30};
inline constexpr TextField kShippingArea{308, 30};
inline constexpr TextField kShippingTown{338, 30};
inline constexpr TextField kShippingPostCode{368, 10};
inline constexpr TextField kContact{392, 60};
inline constexpr TextField kNotes{452, 200};
inline constexpr std::size_t kGroup = 652;  // int32
inline constexpr TextField kComment{676, 30};
inline constexpr TextField kCreditCard1{706, 40};
inline constexpr TextField kCreditCard2{746, 40};
inline constexpr TextField kCreditCard1Expiry{826, 20};
inline constexpr TextField kCreditCard2Expiry{846, 20};
inline constexpr std::size_t kTerms = 1006;            // int32, 1..8
inline constexpr std::size_t kLastTransaction = 1010;  // int32
inline constexpr TextField kComment2{1014, 40};
inline constexpr TextField kEmail{1054, 40};
inline constexpr std::size_t kTotalPurchases = 1094;   // double
inline constexpr TextField kOrigination{1114, 12};
// "hh:mm" then the date text from character 5; "NEW" or empty = never.
inline constexpr TextField kLastUsed{1126, 16};
inline constexpr TextField kLastPayment{1142, 16};
inline constexpr std::size_t kBalance = 1158;          // double
inline constexpr std::size_t kCreditLimit = 1166;      // double
inline constexpr std::size_t kTransactions = 1206;     // int32
inline constexpr std::size_t kTaxCode = 1210;          // int64

static_assert(kNumber + 8 == kName.offset && kName.end() == kBillingRoad.offset);
static_assert(kBillingRoad.end() == kBillingArea.offset && kBillingArea.end() == kBillingTown.offset);
static_assert(kBillingTown.end() == kBillingPostCode.offset && kBillingPostCode.end() == kTelephone1.offset);
static_assert(kTelephone1.end() == kTelephoneExtension.offset && kTelephoneExtension.end() == kTelephone2.offset);
static_assert(kTelephone2.end() == kFax.offset && kFax.end() == kShippingName.offset);
static_assert(kShippingName.end() == kShippingRoad.offset && kShippingRoad.end() == kShippingArea.offset);
static_assert(kShippingArea.end() == kShippingTown.offset && kShippingTown.end() == kShippingPostCode.offset);
static_assert(kShippingPostCode.end() + 6 + 8 == kContact.offset && kContact.end() == kNotes.offset);
static_assert(kNotes.end() == kGroup && kGroup + 4 + 20 == kComment.offset);
static_assert(kComment.end() == kCreditCard1.offset && kCreditCard1.end() == kCreditCard2.offset);
static_assert(kCreditCard2.end() + 40 == kCreditCard1Expiry.offset);
static_assert(kCreditCard1Expiry.end() == kCreditCard2Expiry.offset);
static_assert(kCreditCard2Expiry.end() + 20 + 4 * 30 == kTerms);
static_assert(kTerms + 4 == kLastTransaction && kLastTransaction + 4 == kComment2.offset);
static_assert(kComment2.end() == kEmail.offset && kEmail.end() == kTotalPurchases);
static_assert(kTotalPurchases + 8 + 12 == kOrigination.offset && kOrigination.end() == kLastUsed.offset);
static_assert(kLastUsed.end() == kLastPayment.offset && kLastPayment.end() == kBalance);
static_assert(kBalance + 8 == kCreditLimit && kCreditLimit + 8 + 4 * 8 == kTransactions);
static_assert(kTransactions + 4 == kTaxCode && kTaxCode + 8 + 6 * 4 == kSize);
}  // namespace customer

class CustomerRecord : public PackedRecord<customer::kSize> {
public:
    std::int64_t Number() const { return Int64(customer::kNumber); }
    void SetNumber(std::int64_t v) { SetInt64(customer::kNumber, v); }

    std::string Name() const { return Text(customer::kName); }
    void SetName(std::string_view t) { SetText(customer::kName, t); }
    std::string BillingRoad() const { return Text(customer::kBillingRoad); }
    void SetBillingRoad(std::string_view t) { SetText(customer::kBillingRoad, t); }
    std::string BillingArea() const { return Text(customer::kBillingArea); }
    void SetBillingArea(std::string_view t) { SetText(customer::kBillingArea, t); }
    std::string BillingTown() const { return Text(customer::kBillingTown); }
    void SetBillingTown(std::string_view t) { SetText(customer::kBillingTown, t); }
    std::string BillingPostCode() const { return Text(customer::kBillingPostCode); }
    void SetBillingPostCode(std::string_view t) { SetText(customer::kBillingPostCode, t); }
    std::string Telephone1() const { return Text(customer::kTelephone1); }
    void SetTelephone1(std::string_view t) { SetText(customer::kTelephone1, t); }
    std::string TelephoneExtension() const { return Text(customer::kTelephoneExtension); }
    void SetTelephoneExtension(std::string_view t) { SetText(customer::kTelephoneExtension, t); }
    std::string Telephone2() const { return Text(customer::kTelephone2); }
    void SetTelephone2(std::string_view t) { SetText(customer::kTelephone2, t); }
    std::string Fax() const { return Text(customer::kFax); }
    void SetFax(std::string_view t) { SetText(customer::kFax, t); }
    std::string ShippingName() const { return Text(customer::kShippingName); }
    void SetShippingName(std::string_view t) { SetText(customer::kShippingName, t); }
    std::string ShippingRoad() const { return Text(customer::kShippingRoad); }
    void SetShippingRoad(std::string_view t) { SetText(customer::kShippingRoad, t); }
    std::string ShippingArea() const { return Text(customer::kShippingArea); }
    void SetShippingArea(std::string_view t) { SetText(customer::kShippingArea, t); }
    std::string ShippingTown() const { return Text(customer::kShippingTown); }
    void SetShippingTown(std::string_view t) { SetText(customer::kShippingTown, t); }
    std::string ShippingPostCode() const { return Text(customer::kShippingPostCode); }
    void SetShippingPostCode(std::string_view t) { SetText(customer::kShippingPostCode, t); }
    std::string Contact() const { return Text(customer::kContact); }
    void SetContact(std::string_view t) { SetText(customer::kContact, t); }
    std::string Notes() const { return Text(customer::kNotes); }
    void SetNotes(std::string_view t) { SetText(customer::kNotes, t); }
    std::string Comment() const { return Text(customer::kComment); }
    void SetComment(std::string_view t) { SetText(customer::kComment, t); }
    std::string CreditCard1() const { return Text(customer::kCreditCard1); }
    void SetCreditCard1(std::string_view t) { SetText(customer::kCreditCard1, t); }
    std::string CreditCard2() const { return Text(customer::kCreditCard2); }
    void SetCreditCard2(std::string_view t) { SetText(customer::kCreditCard2, t); }
    std::string CreditCard1Expiry() const { return Text(customer::kCreditCard1Expiry); }
    void SetCreditCard1Expiry(std::string_view t) { SetText(customer::kCreditCard1Expiry, t); }
    std::string CreditCard2Expiry() const { return Text(customer::kCreditCard2Expiry); }
    void SetCreditCard2Expiry(std::string_view t) { SetText(customer::kCreditCard2Expiry, t); }
    std::string Comment2() const { return Text(customer::kComment2); }
    void SetComment2(std::string_view t) { SetText(customer::kComment2, t); }
    std::string Email() const { return Text(customer::kEmail); }
    void SetEmail(std::string_view t) { SetText(customer::kEmail, t); }
    std::string Origination() const { return Text(customer::kOrigination); }
    void SetOrigination(std::string_view t) { SetText(customer::kOrigination, t); }
    std::string LastUsed() const { return Text(customer::kLastUsed); }
    void SetLastUsed(std::string_view t) { SetText(customer::kLastUsed, t); }
    std::string LastPayment() const { return Text(customer::kLastPayment); }
    void SetLastPayment(std::string_view t) { SetText(customer::kLastPayment, t); }

    std::int32_t Group() const { return Int32(customer::kGroup); }
    void SetGroup(std::int32_t v) { SetInt32(customer::kGroup, v); }
    std::int32_t Terms() const { return Int32(customer::kTerms); }
    void SetTerms(std::int32_t v) { SetInt32(customer::kTerms, v); }
    std::int32_t LastTransaction() const { return Int32(customer::kLastTransaction); }
    void SetLastTransaction(std::int32_t v) { SetInt32(customer::kLastTransaction, v); }
    std::int32_t Transactions() const { return Int32(customer::kTransactions); }
    void SetTransactions(std::int32_t v) { SetInt32(customer::kTransactions, v); }
    std::int64_t TaxCode() const { return Int64(customer::kTaxCode); }
    void SetTaxCode(std::int64_t v) { SetInt64(customer::kTaxCode, v); }
    double TotalPurchases() const { return Double(customer::kTotalPurchases); }
    void SetTotalPurchases(double v) { SetDouble(customer::kTotalPurchases, v); }
    double Balance() const { return Double(customer::kBalance); }
    void SetBalance(double v) { SetDouble(customer::kBalance, v); }
    double CreditLimit() const { return Double(customer::kCreditLimit); }
    void SetCreditLimit(double v) { SetDouble(customer::kCreditLimit, v); }
};
static_assert(sizeof(CustomerRecord) == customer::kSize);

// ---------------------------------------------------------------------------------
namespace txn {
inline constexpr std::size_t kSize = 43406;
inline constexpr int kMaxLines = 400;

inline constexpr std::size_t kNumber = 0;           // int64
inline constexpr std::size_t kCustomerNumber = 16;  // int64, 0 = no customer
inline constexpr std::size_t kAssociate = 3224;     // int32
inline constexpr std::size_t kLineCount = 3228;     // int32, 0..400

// Per-line arrays of kMaxLines entries.
inline constexpr std::size_t kLineItemNumbers = 24;     // int64
inline constexpr std::size_t kLineDescriptions = 3232;  // char[40]
inline constexpr std::size_t kLineDescriptionWidth = 40;
inline constexpr std::size_t kLineNonTaxable = 19232;   // double
inline constexpr std::size_t kLineTaxable = 22432;      // double
inline constexpr std::size_t kLineTax1 = 25632;         // double
inline constexpr std::size_t kLineTax2 = 28832;         // double
inline constexpr std::size_t kLineCost = 32032;         // double
inline constexpr std::size_t kLineDiscount = 35232;     // double
inline constexpr std::size_t kLineTotal = 38432;        // double

inline constexpr std::size_t kNonTaxableTotal = 41632;  // doubles from here to kDiscountTotal
inline constexpr std::size_t kTaxableTotal = 41640;
inline constexpr std::size_t kSubTotal = 41648;
inline constexpr std::size_t kTax1Total = 41656;
inline constexpr std::size_t kTax2Total = 41664;
inline constexpr std::size_t kCostTotal = 41672;
inline constexpr std::size_t kTotal = 41680;
inline constexpr std::size_t kDiscountTotal = 41688;
inline constexpr std::size_t kCashPaid = 41744;         // double
inline constexpr std::size_t kEftPaid = 41752;          // double
inline constexpr std::size_t kChequePaid = 41768;       // double
inline constexpr std::size_t kBalanceBefore = 41792;    // double
inline constexpr std::size_t kBalanceAfter = 41800;     // double

inline constexpr TextField kTime{41816, 20};
inline constexpr TextField kDate{41836, 20};
inline constexpr TextField kCustomerName{41856, 40};
inline constexpr TextField kCustomerRoad{41896, 30};
inline constexpr TextField kCustomerArea{41926, 30};
inline constexpr TextField kCustomerTown{41956, 30};
inline constexpr TextField kCustomerPostCode{41986, 30};
inline constexpr TextField kCustomerTelephone{42016, 30};
inline constexpr TextField kPaymentType{42046, 40};
inline constexpr TextField kComputerName{42206, 40};
inline constexpr std::size_t kRefundMethod = 42794;     // int32: 0 cash, 1 CH, 2 EFT, 3 credit
inline constexpr std::size_t kRefundStockFlag = 42802;  // int32: 1 = faulty, not back to stock
inline constexpr TextField kNote{43326, 80};

static_assert(kCustomerNumber + 8 == kLineItemNumbers && kLineItemNumbers + kMaxLines * 8 == kAssociate);
static_assert(kAssociate + 4 == kLineCount && kLineCount + 4 == kLineDescriptions);
static_assert(kLineDescriptions + kMaxLines * kLineDescriptionWidth == kLineNonTaxable);
static_assert(kLineNonTaxable + kMaxLines * 8 == kLineTaxable && kLineTaxable + kMaxLines * 8 == kLineTax1);
static_assert(kLineTax1 + kMaxLines * 8 == kLineTax2 && kLineTax2 + kMaxLines * 8 == kLineCost);
static_assert(kLineCost + kMaxLines * 8 == kLineDiscount && kLineDiscount + kMaxLines * 8 == kLineTotal);
static_assert(kLineTotal + kMaxLines * 8 == kNonTaxableTotal && kNonTaxableTotal + 7 * 8 == kDiscountTotal);
static_assert(kDiscountTotal + 8 + 6 * 8 == kCashPaid && kCashPaid + 8 == kEftPaid);
static_assert(kEftPaid + 8 + 8 == kChequePaid && kChequePaid + 8 + 2 * 8 == kBalanceBefore);
static_assert(kBalanceBefore + 8 == kBalanceAfter && kBalanceAfter + 8 + 8 == kTime.offset);
static_assert(kTime.end() == kDate.offset && kDate.end() == kCustomerName.offset);
static_assert(kCustomerName.end() == kCustomerRoad.offset && kCustomerRoad.end() == kCustomerArea.offset);
static_assert(kCustomerArea.end() == kCustomerTown.offset && kCustomerTown.end() == kCustomerPostCode.offset);
static_assert(kCustomerPostCode.end() == kCustomerTelephone.offset);
static_assert(kCustomerTelephone.end() == kPaymentType.offset && kPaymentType.end() + 3 * 40 == kComputerName.offset);
static_assert(kComputerName.end() + 40 + 20 + 2 * 40 + 80 + 8 * 40 + 2 * 4 == kRefundMethod);
static_assert(kRefundMethod + 4 + 4 == kRefundStockFlag);
static_assert(kRefundStockFlag + 4 + 40 * 4 + 5 * 8 + 40 * 8 == kNote.offset && kNote.end() == kSize);
}  // namespace txn

// The basket and the record a commit sends. Line i is element i of the per-line
// arrays; indexes outside 0..399 read as zero or empty and are never stored.
class TransactionRecord : public PackedRecord<txn::kSize> {
public:
    static constexpr bool ValidLine(int i) { return i >= 0 && i < txn::kMaxLines; }

    std::int64_t Number() const { return Int64(txn::kNumber); }
    void SetNumber(std::int64_t v) { SetInt64(txn::kNumber, v); }
    std::int64_t CustomerNumber() const { return Int64(txn::kCustomerNumber); }
    void SetCustomerNumber(std::int64_t v) { SetInt64(txn::kCustomerNumber, v); }
    std::int32_t Associate() const { return Int32(txn::kAssociate); }
    void SetAssociate(std::int32_t v) { SetInt32(txn::kAssociate, v); }
    // As stored: a received record may hold any value.
    std::int32_t LineCount() const { return Int32(txn::kLineCount); }
    void SetLineCount(std::int32_t v) { SetInt32(txn::kLineCount, v); }

    std::int64_t LineItemNumber(int i) const;
    void SetLineItemNumber(int i, std::int64_t v);
    std::string LineDescription(int i) const;
    void SetLineDescription(int i, std::string_view t);
    double LineNonTaxable(int i) const { return LineDouble(txn::kLineNonTaxable, i); }
    void SetLineNonTaxable(int i, double v) { SetLineDouble(txn::kLineNonTaxable, i, v); }
    double LineTaxable(int i) const { return LineDouble(txn::kLineTaxable, i); }
    void SetLineTaxable(int i, double v) { SetLineDouble(txn::kLineTaxable, i, v); }
    double LineTax1(int i) const { return LineDouble(txn::kLineTax1, i); }
    void SetLineTax1(int i, double v) { SetLineDouble(txn::kLineTax1, i, v); }
    double LineTax2(int i) const { return LineDouble(txn::kLineTax2, i); }
    void SetLineTax2(int i, double v) { SetLineDouble(txn::kLineTax2, i, v); }
    double LineCost(int i) const { return LineDouble(txn::kLineCost, i); }
    void SetLineCost(int i, double v) { SetLineDouble(txn::kLineCost, i, v); }
    double LineDiscount(int i) const { return LineDouble(txn::kLineDiscount, i); }
    void SetLineDiscount(int i, double v) { SetLineDouble(txn::kLineDiscount, i, v); }
    double LineTotal(int i) const { return LineDouble(txn::kLineTotal, i); }
    void SetLineTotal(int i, double v) { SetLineDouble(txn::kLineTotal, i, v); }

    double NonTaxableTotal() const { return Double(txn::kNonTaxableTotal); }
    void SetNonTaxableTotal(double v) { SetDouble(txn::kNonTaxableTotal, v); }
    double TaxableTotal() const { return Double(txn::kTaxableTotal); }
    void SetTaxableTotal(double v) { SetDouble(txn::kTaxableTotal, v); }
    double SubTotal() const { return Double(txn::kSubTotal); }
    void SetSubTotal(double v) { SetDouble(txn::kSubTotal, v); }
    double Tax1Total() const { return Double(txn::kTax1Total); }
    void SetTax1Total(double v) { SetDouble(txn::kTax1Total, v); }
    double Tax2Total() const { return Double(txn::kTax2Total); }
    void SetTax2Total(double v) { SetDouble(txn::kTax2Total, v); }
    double CostTotal() const { return Double(txn::kCostTotal); }
    void SetCostTotal(double v) { SetDouble(txn::kCostTotal, v); }
    double Total() const { return Double(txn::kTotal); }
    void SetTotal(double v) { SetDouble(txn::kTotal, v); }
    double DiscountTotal() const { return Double(txn::kDiscountTotal); }
    void SetDiscountTotal(double v) { SetDouble(txn::kDiscountTotal, v); }
    double CashPaid() const { return Double(txn::kCashPaid); }
    void SetCashPaid(double v) { SetDouble(txn::kCashPaid, v); }
    double EftPaid() const { return Double(txn::kEftPaid); }
    void SetEftPaid(double v) { SetDouble(txn::kEftPaid, v); }
    double ChequePaid() const { return Double(txn::kChequePaid); }
    void SetChequePaid(double v) { SetDouble(txn::kChequePaid, v); }
    void ClearPaidAmounts() { SetCashPaid(0), SetEftPaid(0), SetChequePaid(0); }
    double BalanceBefore() const { return Double(txn::kBalanceBefore); }
    void SetBalanceBefore(double v) { SetDouble(txn::kBalanceBefore, v); }
    double BalanceAfter() const { return Double(txn::kBalanceAfter); }
    void SetBalanceAfter(double v) { SetDouble(txn::kBalanceAfter, v); }

    std::string Time() const { return Text(txn::kTime); }
    void SetTime(std::string_view t) { SetText(txn::kTime, t); }
    std::string Date() const { return Text(txn::kDate); }
    void SetDate(std::string_view t) { SetText(txn::kDate, t); }
    std::string CustomerName() const { return Text(txn::kCustomerName); }
    void SetCustomerName(std::string_view t) { SetText(txn::kCustomerName, t); }
    std::string CustomerRoad() const { return Text(txn::kCustomerRoad); }
    void SetCustomerRoad(std::string_view t) { SetText(txn::kCustomerRoad, t); }
    std::string CustomerArea() const { return Text(txn::kCustomerArea); }
    void SetCustomerArea(std::string_view t) { SetText(txn::kCustomerArea, t); }
    std::string CustomerTown() const { return Text(txn::kCustomerTown); }
    void SetCustomerTown(std::string_view t) { SetText(txn::kCustomerTown, t); }
    std::string CustomerPostCode() const { return Text(txn::kCustomerPostCode); }
    void SetCustomerPostCode(std::string_view t) { SetText(txn::kCustomerPostCode, t); }
    std::string CustomerTelephone() const { return Text(txn::kCustomerTelephone); }
    void SetCustomerTelephone(std::string_view t) { SetText(txn::kCustomerTelephone, t); }
    std::string PaymentType() const { return Text(txn::kPaymentType); }
    void SetPaymentType(std::string_view t) { SetText(txn::kPaymentType, t); }
    std::string ComputerName() const { return Text(txn::kComputerName); }
    void SetComputerName(std::string_view t) { SetText(txn::kComputerName, t); }
    std::string Note() const { return Text(txn::kNote); }
    void SetNote(std::string_view t) { SetText(txn::kNote, t); }

    std::int32_t RefundMethod() const { return Int32(txn::kRefundMethod); }
    void SetRefundMethod(std::int32_t v) { SetInt32(txn::kRefundMethod, v); }
    std::int32_t RefundStockFlag() const { return Int32(txn::kRefundStockFlag); }
    void SetRefundStockFlag(std::int32_t v) { SetInt32(txn::kRefundStockFlag, v); }

private:
    double LineDouble(std::size_t array, int i) const;
    void SetLineDouble(std::size_t array, int i, double v);
};
static_assert(sizeof(TransactionRecord) == txn::kSize);

// ---------------------------------------------------------------------------------
namespace picture {
inline constexpr std::size_t kSize = 2044;
inline constexpr TextField kName{0, 40};
inline constexpr std::size_t kCount = 40;  // int32: sent the offset, replied the size or "more"
inline constexpr std::size_t kData = 44;
inline constexpr std::size_t kDataWidth = 2000;

static_assert(kName.end() == kCount && kCount + 4 == kData && kData + kDataWidth == kSize);
}  // namespace picture

struct PictureBlock : PackedRecord<picture::kSize> {
    std::string Name() const { return Text(picture::kName); }
    void SetName(std::string_view t) { SetText(picture::kName, t); }
    std::int32_t Count() const { return Int32(picture::kCount); }
    void SetCount(std::int32_t v) { SetInt32(picture::kCount, v); }
    std::span<std::uint8_t, picture::kDataWidth> Data() {
        return std::span<std::uint8_t, picture::kDataWidth>(data() + picture::kData, picture::kDataWidth);
    }
    std::span<const std::uint8_t, picture::kDataWidth> Data() const {
        return std::span<const std::uint8_t, picture::kDataWidth>(data() + picture::kData, picture::kDataWidth);
    }
};
static_assert(sizeof(PictureBlock) == picture::kSize);

// ---------------------------------------------------------------------------------
namespace buttons {
inline constexpr std::size_t kSize = 1424;
inline constexpr int kButtonCount = 8;
inline constexpr std::size_t kCategory = 0;      // int32: 0..17, 18 = all
inline constexpr std::size_t kDirection = 4;     // int32
inline constexpr std::size_t kCursor = 8;        // int64
inline constexpr std::size_t kItemNumbers = 16;  // int64[16]: [0..7] the buttons' items, 0 = none
inline constexpr int kItemNumberCount = 16;
inline constexpr std::size_t kTexts = 144;       // char[32][40]: [0..7] captions, [8..15] picture names
inline constexpr std::size_t kTextWidth = 40;
inline constexpr int kTextCount = 32;

inline constexpr std::int32_t kForward = 0;
inline constexpr std::int32_t kBackward = 2;

static_assert(kDirection + 4 == kCursor && kCursor + 8 == kItemNumbers);
static_assert(kItemNumbers + kItemNumberCount * 8 == kTexts && kTexts + kTextCount * kTextWidth == kSize);
}  // namespace buttons

// Buttons are numbered 0..7; other numbers read as zero or empty and are never stored.
struct ButtonPage : PackedRecord<buttons::kSize> {
    static constexpr bool ValidButton(int b) { return b >= 0 && b < buttons::kButtonCount; }

    std::int32_t Category() const { return Int32(buttons::kCategory); }
    void SetCategory(std::int32_t v) { SetInt32(buttons::kCategory, v); }
    std::int32_t Direction() const { return Int32(buttons::kDirection); }
    void SetDirection(std::int32_t v) { SetInt32(buttons::kDirection, v); }
    std::int64_t Cursor() const { return Int64(buttons::kCursor); }
    void SetCursor(std::int64_t v) { SetInt64(buttons::kCursor, v); }

    std::int64_t ItemNumber(int b) const;
    void SetItemNumber(int b, std::int64_t v);
    std::string Caption(int b) const;
    void SetCaption(int b, std::string_view t);
    std::string PictureName(int b) const;
    void SetPictureName(int b, std::string_view t);
};
static_assert(sizeof(ButtonPage) == buttons::kSize);

// ---------------------------------------------------------------------------------
// The records of the two exchanges the terminal never makes: layouts only.
namespace numberbatch {
inline constexpr std::size_t kSize = 4000;
inline constexpr std::size_t kTexts = 0;      // char[10][200]
inline constexpr std::size_t kInt64s = 2000;  // int64[100]
inline constexpr std::size_t kInt32s = 2800;  // int32[100]
inline constexpr std::size_t kDoubles = 3200; // double[100]
static_assert(kTexts + 10 * 200 == kInt64s && kInt64s + 100 * 8 == kInt32s);
static_assert(kInt32s + 100 * 4 == kDoubles && kDoubles + 100 * 8 == kSize);
}  // namespace numberbatch

struct NumberBatch : PackedRecord<numberbatch::kSize> {};
static_assert(sizeof(NumberBatch) == numberbatch::kSize);

namespace namebatch {
inline constexpr std::size_t kSize = 5296;
inline constexpr std::size_t kFirstInt32 = 0;
inline constexpr std::size_t kSecondInt32 = 4;
inline constexpr std::size_t kInt64 = 8;
inline constexpr std::size_t kInt64s = 16;  // int64[60]
inline constexpr std::size_t kTexts = 496;  // char[120][40]
static_assert(kSecondInt32 + 4 == kInt64 && kInt64 + 8 == kInt64s);
static_assert(kInt64s + 60 * 8 == kTexts && kTexts + 120 * 40 == kSize);
}  // namespace namebatch

struct NameBatch : PackedRecord<namebatch::kSize> {};
static_assert(sizeof(NameBatch) == namebatch::kSize);
