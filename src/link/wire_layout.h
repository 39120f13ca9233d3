// The wire form of the records whose packed layout leaves members off their natural
// boundary (InventoryItem, CustomerRecord, TerminalConfig, TransactionRecord). On the
// wire such a record is the C structure of its members with natural alignment: each
// int32 on 4 bytes, each int64 and double on 8, texts unaligned, zero filler between
// and at the end. Every other record travels as its packed bytes.
//
// Each record is described by one table of its members in record order; the wire
// offsets are computed from it, and the IDL structures must declare the same members.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/records.h"
#include "shell/terminal_config.h"

namespace wire {

enum class Kind : std::uint8_t { Char, Byte, Int32, Int64, Double };

// One member of a record: `count` elements of `kind` starting at `offset` in the packed image.
struct Member {
    std::size_t offset;
    Kind kind;
    std::size_t count;
};

struct Table {
    std::span<const Member> members;
    std::size_t packedSize;
};

inline constexpr std::size_t kNoMember = static_cast<std::size_t>(-1);

constexpr std::size_t ElementWidth(Kind k) {
    return k == Kind::Int32 ? 4 : (k == Kind::Int64 || k == Kind::Double) ? 8 : 1;
}
constexpr std::size_t Alignment(Kind k) { return ElementWidth(k); }
constexpr std::size_t Width(const Member& m) { return ElementWidth(m.kind) * m.count; }
constexpr std::size_t AlignUp(std::size_t n, std::size_t a) { return (n + a - 1) / a * a; }

// True when the members follow each other from offset 0 and end at the record size.
constexpr bool IsContiguous(const Table& t) {
    std::size_t next = 0;
    for (const Member& m : t.members) {
        if (m.offset != next || m.count == 0) return false;
        next += Width(m);
    }
    return next == t.packedSize;
}

// Wire offset of member `index`; the member count gives the end of the last member.
constexpr std::size_t WireOffset(const Table& t, std::size_t index) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < index && i < t.members.size(); ++i) {
        at = AlignUp(at, Alignment(t.members[i].kind)) + Width(t.members[i]);
    }
    if (index < t.members.size()) at = AlignUp(at, Alignment(t.members[index].kind));
    return at;
}

// Wire offset of the member that starts at `packedOffset`, kNoMember when none does.
constexpr std::size_t WireOffsetOf(const Table& t, std::size_t packedOffset) {
    for (std::size_t i = 0; i < t.members.size(); ++i)
        if (t.members[i].offset == packedOffset) return WireOffset(t, i);
    return kNoMember;
}

// The size of the wire structure: the end of the last member rounded up to the
// strictest alignment of its members.
constexpr std::size_t WireSize(const Table& t) {
    std::size_t align = 1;
    for (const Member& m : t.members)
        if (Alignment(m.kind) > align) align = Alignment(m.kind);
    return AlignUp(WireOffset(t, t.members.size()), align);
}

// `packed` holds t.packedSize bytes, `wireImage` WireSize(t) bytes. Every filler byte
// of the wire image is written as zero; the filler of a received image is ignored.
void PackedToWire(const Table& t, const std::uint8_t* packed, std::uint8_t* wireImage);
void WireToPacked(const Table& t, const std::uint8_t* wireImage, std::uint8_t* packed);

// Table rows, named after the IDL types of the members.
constexpr Member Chars(std::size_t offset, std::size_t count) { return {offset, Kind::Char, count}; }
constexpr Member Chars(TextField f) { return {f.offset, Kind::Char, f.width}; }
constexpr Member Long(std::size_t offset, std::size_t count = 1) { return {offset, Kind::Int32, count}; }
constexpr Member Hyper(std::size_t offset, std::size_t count = 1) { return {offset, Kind::Int64, count}; }
constexpr Member Double(std::size_t offset, std::size_t count = 1) { return {offset, Kind::Double, count}; }

// ---------------------------------------------------------------------------------
inline constexpr Member kInventoryItemMembers[] = {
    Hyper(item::kNumber), Chars(item::kDescription), Chars(48, 42),
    Chars(item::kSkus, 40), Chars(item::kSkus + 40, 40), Chars(item::kSkus + 80, 40), Chars(item::kSkus + 120, 40),
    Chars(250, 20), Chars(item::kKitComponents[0], 20), Chars(290, 20), Chars(310, 20), Chars(330, 20),
    Chars(350, 40), Chars(390, 40), Chars(430, 40), Chars(470, 40), Chars(510, 40), Chars(item::kOrderCode),
    Chars(item::kKitComponents[3], 20), Chars(item::kKitComponents[4], 20), Chars(item::kDateAdded),
    Chars(item::kKitComponents[5], 20),
    Long(item::kInStock), Long(item::kRestockLevel), Long(item::kMinimumOrder), Long(item::kOrderQuantity),
    Long(item::kTaxCode), Long(item::kDeliveryLead), Long(item::kOnOrder), Long(item::kCommitted),
    Long(item::kLabelsToPrint), Long(706), Long(710), Long(714), Long(718, 12), Long(766, 12),
    Double(item::kCostPrice), Double(item::kTradePrice), Double(item::kPrice), Double(838), Double(846, 8),
    Double(item::kDelivery), Double(item::kWeight), Double(926), Double(934), Double(942),
    Chars(950, 40), Chars(990, 40), Chars(1030, 40), Chars(1070, 40), Chars(1110, 40), Chars(1150, 40),
    Chars(1190, 40), Chars(1230, 40),
    Long(item::kPictureNumber), Long(item::kTaxRoundDown), Long(1278), Long(item::kAgeLimit), Long(1286),
    Long(item::kKitTerms, item::kKitTermCount),
    Double(1450), Double(1458), Double(1466), Double(1474), Double(1482), Double(1490, 40),
    Long(item::kOwnPicture), Long(item::kSaleOrReturn), Chars(1818, 20), Chars(1838, 20), Chars(item::kNotes),
    Chars(1938, 4), Chars(item::kKitComponents[1], 20), Chars(item::kKitComponents[2], 20), Chars(1982, 40),
    Long(item::kCategory), Chars(2026, 11), Long(item::kKitFlag), Double(2041), Chars(2049, 16), Hyper(2065),
    Chars(2073, 16), Hyper(2089), Hyper(2097), Hyper(2105),
};
inline constexpr Table kInventoryItem{kInventoryItemMembers, item::kSize};

// ---------------------------------------------------------------------------------
inline constexpr Member kCustomerRecordMembers[] = {
    Hyper(customer::kNumber), Chars(customer::kName), Chars(customer::kBillingRoad),
    Chars(customer::kBillingArea), Chars(customer::kBillingTown), Chars(customer::kBillingPostCode),
    Chars(customer::kTelephone1), Chars(customer::kTelephoneExtension), Chars(customer::kTelephone2),
    Chars(customer::kFax), Chars(customer::kShippingName), Chars(customer::kShippingRoad),
    Chars(customer::kShippingArea), Chars(customer::kShippingTown), Chars(customer::kShippingPostCode),
    Chars(378, 6), Chars(384, 8), Chars(customer::kContact), Chars(customer::kNotes), Long(customer::kGroup),
    Chars(656, 20), Chars(customer::kComment), Chars(customer::kCreditCard1), Chars(customer::kCreditCard2),
    Chars(786, 40), Chars(customer::kCreditCard1Expiry), Chars(customer::kCreditCard2Expiry), Chars(866, 20),
    Chars(886, 30), Chars(916, 30), Chars(946, 30), Chars(976, 30),
    Long(customer::kTerms), Long(customer::kLastTransaction), Chars(customer::kComment2), Chars(customer::kEmail),
    Double(customer::kTotalPurchases), Chars(1102, 12), Chars(customer::kOrigination), Chars(customer::kLastUsed),
    Chars(customer::kLastPayment), Double(customer::kBalance), Double(customer::kCreditLimit),
    Double(1174), Double(1182), Double(1190), Double(1198), Long(customer::kTransactions), Hyper(customer::kTaxCode),
    Long(1218), Long(1222), Long(1226), Long(1230), Long(1234), Long(1238),
};
inline constexpr Table kCustomerRecord{kCustomerRecordMembers, customer::kSize};

// ---------------------------------------------------------------------------------
inline constexpr Member kTerminalConfigMembers[] = {
    Chars(cfg::kHeaderTexts, 60), Chars(60, 60), Chars(120, 60), Chars(180, 60), Chars(240, 60),
    Chars(300, 60), Chars(360, 60), Chars(420, 60),
    Chars(cfg::kSecondCurrencySign, 6), Chars(cfg::kCategoryCodesLow, 30), Long(cfg::kTermCodes, 10),
    Long(cfg::kServerConnection), Chars(560, 200), Chars(760, 20), Chars(780, 20),
    Chars(800, 252), Chars(1052, 252), Chars(1304, 252), Chars(1556, 252), Chars(1808, 252), Chars(2060, 252),
    Chars(cfg::kNonInventoryCaptions, 80), Chars(2392, 80), Chars(2472, 80), Chars(2552, 80),
    Chars(2632, 80), Chars(2712, 80), Chars(2792, 80), Chars(2872, 80),
    Chars(2952, 120), Chars(3072, 120), Chars(3192, 120), Chars(3312, 120),
    Double(3432, 10), Hyper(3512, 20), Hyper(3672, 20), Long(cfg::kTimes, 100), Hyper(cfg::kOptions, cfg::kOptionCount),
    Long(cfg::kTransactionNumber), Long(cfg::kCarried4716), Chars(cfg::kCurrencySign, 6), Long(4726), Long(4730),
    Chars(cfg::kCategoryCodesHigh, 40), Double(cfg::kCarried4774), Chars(cfg::kReceiptPrinter, 400),
    Chars(cfg::kPrinterPortBlock, 400), Long(cfg::kReceiptRows, 20), Chars(cfg::kPoleTexts, 200), Long(5862, 60),
    Chars(cfg::kServerName, cfg::kServerNameWidth), Chars(6302, 200), Chars(cfg::kDrawerSequence, 200),
    Hyper(cfg::kCurrentAssociate), Long(6710, 100),
    Chars(cfg::kAssociateNames, cfg::kAssociateCount * cfg::kAssociateNameWidth),
    Chars(cfg::kAssociatePasswords, cfg::kAssociateCount * cfg::kAssociatePasswordWidth),
    Long(11110, 10), Double(cfg::kTradeValues, 10), Chars(cfg::kClosingMessage, cfg::kLongTextWidth),
    Chars(cfg::kKitchenPrinter, cfg::kLongTextWidth), Long(cfg::kAssociateFlags, 200),
    Long(cfg::kSwitches, cfg::kSwitchCount), Double(cfg::kAmounts, cfg::kAmountCount),
    Double(cfg::kCarriedDoubles), Double(14146), Double(14154), Double(14162), Double(14170), Double(14178),
    Double(14186), Double(14194), Double(14202), Double(14210), Double(14218), Double(14226), Double(14234),
    Double(14242), Double(14250), Double(14258), Double(14266), Double(14274), Double(14282), Double(14290),
    Double(cfg::kTail, 80),
};
inline constexpr Table kTerminalConfig{kTerminalConfigMembers, cfg::kSize};

// ---------------------------------------------------------------------------------
inline constexpr Member kTransactionRecordMembers[] = {
    Hyper(txn::kNumber), Hyper(8), Hyper(txn::kCustomerNumber), Hyper(txn::kLineItemNumbers, txn::kMaxLines),
    Long(txn::kAssociate), Long(txn::kLineCount),
    Chars(txn::kLineDescriptions, txn::kMaxLines * txn::kLineDescriptionWidth),
    Double(txn::kLineNonTaxable, txn::kMaxLines), Double(txn::kLineTaxable, txn::kMaxLines),
    Double(txn::kLineTax1, txn::kMaxLines), Double(txn::kLineTax2, txn::kMaxLines),
    Double(txn::kLineCost, txn::kMaxLines), Double(txn::kLineDiscount, txn::kMaxLines),
    Double(txn::kLineTotal, txn::kMaxLines),
    Double(txn::kNonTaxableTotal), Double(txn::kTaxableTotal), Double(txn::kSubTotal), Double(txn::kTax1Total),
    Double(txn::kTax2Total), Double(txn::kCostTotal), Double(txn::kTotal), Double(txn::kDiscountTotal),
    Double(41696), Double(41704), Double(41712), Double(41720), Double(41728), Double(41736),
    Double(txn::kCashPaid), Double(txn::kEftPaid), Double(41760), Double(txn::kChequePaid), Double(41776),
    Double(41784), Double(txn::kBalanceBefore), Double(txn::kBalanceAfter), Double(41808),
    Chars(txn::kTime), Chars(txn::kDate), Chars(txn::kCustomerName), Chars(txn::kCustomerRoad),
    Chars(txn::kCustomerArea), Chars(txn::kCustomerTown), Chars(txn::kCustomerPostCode),
    Chars(txn::kCustomerTelephone), Chars(txn::kPaymentType), Chars(42086, 40), Chars(42126, 40),
    Chars(42166, 40), Chars(txn::kComputerName), Chars(42246, 40), Chars(42286, 20), Chars(42306, 40),
    Chars(42346, 40), Chars(42386, 80), Chars(42466, 40), Chars(42506, 40), Chars(42546, 40), Chars(42586, 40),
    Chars(42626, 40), Chars(42666, 40), Chars(42706, 40), Chars(42746, 40),
    Long(42786), Long(42790), Long(txn::kRefundMethod), Long(42798), Long(txn::kRefundStockFlag), Long(42806, 40),
    Double(42966), Double(42974), Double(42982), Double(42990), Double(42998), Double(43006, 40),
    Chars(txn::kNote),
};
inline constexpr Table kTransactionRecord{kTransactionRecordMembers, txn::kSize};

static_assert(IsContiguous(kInventoryItem));
static_assert(IsContiguous(kCustomerRecord));
static_assert(IsContiguous(kTerminalConfig));
static_assert(IsContiguous(kTransactionRecord));

}  // namespace wire
