#include "link/records.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every probe value below has no byte equal to kFill, so each byte a store writes shows.
constexpr std::uint8_t kFill = 0xEE;

template <typename R>
R Filled(std::uint8_t value) {
    R r;
    std::memset(r.data(), value, R::kSize);
    return r;
}

// The first changed byte and one past the last, {0, 0} when the records are equal.
template <typename R>
std::pair<std::size_t, std::size_t> ChangedRange(const R& a, const R& b) {
    std::size_t first = R::kSize, last = 0;
    for (std::size_t i = 0; i < R::kSize; ++i) {
        if (a.bytes[i] == b.bytes[i]) continue;
        if (first == R::kSize) first = i;
        last = i + 1;
    }
    return first == R::kSize ? std::make_pair(std::size_t{0}, std::size_t{0}) : std::make_pair(first, last);
}

template <typename R, typename T>
struct NumberCase {
    const char* name;
    std::size_t offset;  // as documented
    std::function<void(R&, T)> set;
    std::function<T(const R&)> get;
};

template <typename R>
struct TextCase {
    const char* name;
    std::size_t offset;  // as documented
    std::size_t width;
    std::function<void(R&, std::string_view)> set;
    std::function<std::string(const R&)> get;
};

template <typename T>
bool SameBits(T a, T b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const std::int32_t kInt32Probes[] = {INT32_MIN, INT32_MAX, -2, 0x11223344};
const std::int64_t kInt64Probes[] = {INT64_MIN, INT64_MAX, -2, 0x0102030405060708};
const double kDoubleProbes[] = {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(),
                                -0.0, std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                                1234.5};

// Each store lands at the documented offset, changes exactly the field's bytes and reads back bit for bit.
template <typename R, typename T, std::size_t N>
void ExpectNumbersAtTheirOffsets(const std::vector<NumberCase<R, T>>& cases, const T (&probes)[N]) {
    const R blank = Filled<R>(kFill);
    for (const auto& c : cases) {
        for (T value : probes) {
            R r = blank;
            c.set(r, value);
            T stored;
            std::memcpy(&stored, r.data() + c.offset, sizeof stored);
            EXPECT_TRUE(SameBits(stored, value)) << c.name << " " << value;
            EXPECT_TRUE(SameBits(c.get(r), value)) << c.name << " " << value;
            EXPECT_EQ(ChangedRange(blank, r), std::make_pair(c.offset, c.offset + sizeof(T))) << c.name;
        }
    }
}

// Texts: stored truncated to width-1 with the rest of the field zeroed, never past the
// field; read up to the width when the terminator is missing.
template <typename R>
void ExpectTextsAtTheirOffsets(const std::vector<TextCase<R>>& cases) {
    const R blank = Filled<R>(kFill);
    for (const auto& c : cases) {
        R r = blank;
        c.set(r, "");
        EXPECT_EQ(ChangedRange(blank, r), std::make_pair(c.offset, c.offset + c.width)) << c.name;

        r = blank;
        c.set(r, std::string(c.width + 10, 'a'));
        EXPECT_EQ(c.get(r), std::string(c.width - 1, 'a')) << c.name;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.data()) + c.offset, c.width),
                  std::string(c.width - 1, 'a') + '\0')
            << c.name;
        EXPECT_EQ(ChangedRange(blank, r), std::make_pair(c.offset, c.offset + c.width)) << c.name;

        r = blank;
        c.set(r, "Ab 1");
        EXPECT_EQ(c.get(r), "Ab 1") << c.name;

        R unterminated = Filled<R>('z');
        EXPECT_EQ(c.get(unterminated), std::string(c.width, 'z')) << c.name;
    }
}

TEST(RecordSizes, EveryRecordHasItsDocumentedSize) {
    EXPECT_EQ(sizeof(ItemKey), 48u);
    EXPECT_EQ(sizeof(InventoryItem), 2113u);
    EXPECT_EQ(sizeof(CustomerKey), 46u);
    EXPECT_EQ(sizeof(CustomerRecord), 1242u);
    EXPECT_EQ(sizeof(TransactionRecord), 43406u);
    EXPECT_EQ(sizeof(PictureBlock), 2044u);
    EXPECT_EQ(sizeof(ButtonPage), 1424u);
    EXPECT_EQ(sizeof(NumberBatch), 4000u);
    EXPECT_EQ(sizeof(NameBatch), 5296u);
    // A new record is all zero: number 0 means "none".
    InventoryItem fresh;
    EXPECT_EQ(ChangedRange(fresh, Filled<InventoryItem>(0)), std::make_pair(std::size_t{0}, std::size_t{0}));
}

// --- Keys ------------------------------------------------------------------------

TEST(KeyRecords, FieldsSitAtTheirOffsets) {
    ExpectNumbersAtTheirOffsets<ItemKey, std::int64_t>(
        {{"Number", 0, &ItemKey::SetNumber, &ItemKey::Number}}, kInt64Probes);
    ExpectTextsAtTheirOffsets<ItemKey>({{"SearchText", 8, 40, &ItemKey::SetSearchText, &ItemKey::SearchText}});

    ExpectNumbersAtTheirOffsets<CustomerKey, std::int64_t>(
        {{"Number", 0, &CustomerKey::SetNumber, &CustomerKey::Number}}, kInt64Probes);
    ExpectTextsAtTheirOffsets<CustomerKey>({
        {"SearchText", 8, 30, &CustomerKey::SetSearchText, &CustomerKey::SearchText},
        {"SecondText", 38, 8, &CustomerKey::SetSecondText, &CustomerKey::SecondText},
    });
}

// --- InventoryItem ---------------------------------------------------------------

TEST(InventoryItemRecord, NumbersSitAtTheirOffsets) {
    using I = InventoryItem;
    ExpectNumbersAtTheirOffsets<I, std::int64_t>({{"Number", 0, &I::SetNumber, &I::Number}}, kInt64Probes);
    ExpectNumbersAtTheirOffsets<I, std::int32_t>(
        {
            {"InStock", 670, &I::SetInStock, &I::InStock},
            {"RestockLevel", 674, &I::SetRestockLevel, &I::RestockLevel},
            {"MinimumOrder", 678, &I::SetMinimumOrder, &I::MinimumOrder},
            {"OrderQuantity", 682, &I::SetOrderQuantity, &I::OrderQuantity},
            {"TaxCode", 686, &I::SetTaxCode, &I::TaxCode},
            {"DeliveryLead", 690, &I::SetDeliveryLead, &I::DeliveryLead},
            {"OnOrder", 694, &I::SetOnOrder, &I::OnOrder},
            {"Committed", 698, &I::SetCommitted, &I::Committed},
            {"LabelsToPrint", 702, &I::SetLabelsToPrint, &I::LabelsToPrint},
            {"PictureNumber", 1270, &I::SetPictureNumber, &I::PictureNumber},
            {"TaxRoundDown", 1274, &I::SetTaxRoundDown, &I::TaxRoundDown},
            {"AgeLimit", 1282, &I::SetAgeLimit, &I::AgeLimit},
            {"KitEntryMode(1)", 1290, [](I& r, std::int32_t v) { r.SetKitEntryMode(1, v); },
             [](const I& r) { return r.KitEntryMode(1); }},
            {"KitEntryMode(6)", 1310, [](I& r, std::int32_t v) { r.SetKitEntryMode(6, v); },
             [](const I& r) { return r.KitEntryMode(6); }},
            {"KitQuantity(1)", 1314, [](I& r, std::int32_t v) { r.SetKitQuantity(1, v); },
             [](const I& r) { return r.KitQuantity(1); }},
            {"KitQuantity(6)", 1334, [](I& r, std::int32_t v) { r.SetKitQuantity(6, v); },
             [](const I& r) { return r.KitQuantity(6); }},
            {"OfferRule", 1338, &I::SetOfferRule, &I::OfferRule},
            {"OwnPicture", 1810, &I::SetOwnPicture, &I::OwnPicture},
            {"SaleOrReturn", 1814, &I::SetSaleOrReturn, &I::SaleOrReturn},
            {"Category", 2022, &I::SetCategory, &I::Category},
            {"KitFlag", 2037, &I::SetKitFlag, &I::KitFlag},
        },
        kInt32Probes);
    ExpectNumbersAtTheirOffsets<I, double>(
        {
            {"CostPrice", 814, &I::SetCostPrice, &I::CostPrice},
            {"TradePrice", 822, &I::SetTradePrice, &I::TradePrice},
            {"Price", 830, &I::SetPrice, &I::Price},
            {"Delivery", 910, &I::SetDelivery, &I::Delivery},
            {"Weight", 918, &I::SetWeight, &I::Weight},
        },
        kDoubleProbes);
}

TEST(InventoryItemRecord, TextsSitAtTheirOffsets) {
    using I = InventoryItem;
    auto sku = [](int n) {
        return TextCase<I>{"Sku", 90 + 40 * static_cast<std::size_t>(n - 1), 40,
                           [n](I& r, std::string_view t) { r.SetSku(n, t); },
                           [n](const I& r) { return r.Sku(n); }};
    };
    auto kit = [](int n, std::size_t offset) {
        return TextCase<I>{"KitComponent", offset, 20, [n](I& r, std::string_view t) { r.SetKitComponent(n, t); },
                           [n](const I& r) { return r.KitComponent(n); }};
    };
    ExpectTextsAtTheirOffsets<I>({
        {"Description", 8, 40, &I::SetDescription, &I::Description},
        sku(1), sku(2), sku(3), sku(4),
        kit(1, 270), kit(2, 1942), kit(3, 1962), kit(4, 590), kit(5, 610), kit(6, 650),
        {"OrderCode", 550, 40, &I::SetOrderCode, &I::OrderCode},
        {"DateAdded", 630, 20, &I::SetDateAdded, &I::DateAdded},
        {"Notes", 1858, 80, &I::SetNotes, &I::Notes},
    });
}

TEST(InventoryItemRecord, NumberedFieldsOutsideTheirRangeAreNeitherReadNorStored) {
    InventoryItem r = Filled<InventoryItem>('z');
    const InventoryItem before = r;
    for (int n : {INT_MIN, -1, 0, 7, INT_MAX}) {
        r.SetKitComponent(n, "1001");
        r.SetKitEntryMode(n, 2);
        r.SetKitQuantity(n, 3);
        EXPECT_EQ(r.KitComponent(n), "") << n;
        EXPECT_EQ(r.KitEntryMode(n), 0) << n;
        EXPECT_EQ(r.KitQuantity(n), 0) << n;
    }
    for (int n : {-1, 0, 5}) {
        r.SetSku(n, "SKU");
        EXPECT_EQ(r.Sku(n), "") << n;
    }
    EXPECT_EQ(r.bytes, before.bytes);
}

// --- CustomerRecord --------------------------------------------------------------

TEST(CustomerRecordFields, NumbersSitAtTheirOffsets) {
    using C = CustomerRecord;
    ExpectNumbersAtTheirOffsets<C, std::int64_t>(
        {
            {"Number", 0, &C::SetNumber, &C::Number},
            {"TaxCode", 1210, &C::SetTaxCode, &C::TaxCode},
        },
        kInt64Probes);
    ExpectNumbersAtTheirOffsets<C, std::int32_t>(
        {
            {"Group", 652, &C::SetGroup, &C::Group},
            {"Terms", 1006, &C::SetTerms, &C::Terms},
            {"LastTransaction", 1010, &C::SetLastTransaction, &C::LastTransaction},
            {"Transactions", 1206, &C::SetTransactions, &C::Transactions},
        },
        kInt32Probes);
    ExpectNumbersAtTheirOffsets<C, double>(
        {
            {"TotalPurchases", 1094, &C::SetTotalPurchases, &C::TotalPurchases},
            {"Balance", 1158, &C::SetBalance, &C::Balance},
            {"CreditLimit", 1166, &C::SetCreditLimit, &C::CreditLimit},
        },
        kDoubleProbes);
}

TEST(CustomerRecordFields, TextsSitAtTheirOffsets) {
    using C = CustomerRecord;
    ExpectTextsAtTheirOffsets<C>({
        {"Name", 8, 30, &C::SetName, &C::Name},
        {"BillingRoad", 38, 30, &C::SetBillingRoad, &C::BillingRoad},
        {"BillingArea", 68, 30, &C::SetBillingArea, &C::BillingArea},
        {"BillingTown", 98, 30, &C::SetBillingTown, &C::BillingTown},
        {"BillingPostCode", 128, 10, &C::SetBillingPostCode, &C::BillingPostCode},
        {"Telephone1", 138, 20, &C::SetTelephone1, &C::Telephone1},
        {"TelephoneExtension", 158, 20, &C::SetTelephoneExtension, &C::TelephoneExtension},
        {"Telephone2", 178, 20, &C::SetTelephone2, &C::Telephone2},
        {"Fax", 198, 20, &C::SetFax, &C::Fax},
        {"ShippingName", 218, 60, &C::SetShippingName, &C::ShippingName},
        {"ShippingRoad", 278, 30, &C::SetShippingRoad, &C::ShippingRoad},
        {"ShippingArea", 308, 30, &C::SetShippingArea, &C::ShippingArea},
        {"ShippingTown", 338, 30, &C::SetShippingTown, &C::ShippingTown},
        {"ShippingPostCode", 368, 10, &C::SetShippingPostCode, &C::ShippingPostCode},
        {"Contact", 392, 60, &C::SetContact, &C::Contact},
        {"Notes", 452, 200, &C::SetNotes, &C::Notes},
        {"Comment", 676, 30, &C::SetComment, &C::Comment},
        {"CreditCard1", 706, 40, &C::SetCreditCard1, &C::CreditCard1},
        {"CreditCard2", 746, 40, &C::SetCreditCard2, &C::CreditCard2},
        {"CreditCard1Expiry", 826, 20, &C::SetCreditCard1Expiry, &C::CreditCard1Expiry},
        {"CreditCard2Expiry", 846, 20, &C::SetCreditCard2Expiry, &C::CreditCard2Expiry},
        {"Comment2", 1014, 40, &C::SetComment2, &C::Comment2},
        {"Email", 1054, 40, &C::SetEmail, &C::Email},
        {"Origination", 1114, 12, &C::SetOrigination, &C::Origination},
        {"LastUsed", 1126, 16, &C::SetLastUsed, &C::LastUsed},
        {"LastPayment", 1142, 16, &C::SetLastPayment, &C::LastPayment},
    });
}

// --- TransactionRecord -----------------------------------------------------------

TEST(TransactionRecordFields, NumbersSitAtTheirOffsets) {
    using T = TransactionRecord;
    ExpectNumbersAtTheirOffsets<T, std::int64_t>(
        {
            {"Number", 0, &T::SetNumber, &T::Number},
            {"CustomerNumber", 16, &T::SetCustomerNumber, &T::CustomerNumber},
            {"LineItemNumber(0)", 24, [](T& r, std::int64_t v) { r.SetLineItemNumber(0, v); },
             [](const T& r) { return r.LineItemNumber(0); }},
            {"LineItemNumber(399)", 24 + 399 * 8, [](T& r, std::int64_t v) { r.SetLineItemNumber(399, v); },
             [](const T& r) { return r.LineItemNumber(399); }},
        },
        kInt64Probes);
    ExpectNumbersAtTheirOffsets<T, std::int32_t>(
        {
            {"Associate", 3224, &T::SetAssociate, &T::Associate},
            {"LineCount", 3228, &T::SetLineCount, &T::LineCount},
            {"RefundMethod", 42794, &T::SetRefundMethod, &T::RefundMethod},
            {"RefundStockFlag", 42802, &T::SetRefundStockFlag, &T::RefundStockFlag},
        },
        kInt32Probes);
    ExpectNumbersAtTheirOffsets<T, double>(
        {
            {"NonTaxableTotal", 41632, &T::SetNonTaxableTotal, &T::NonTaxableTotal},
            {"TaxableTotal", 41640, &T::SetTaxableTotal, &T::TaxableTotal},
            {"SubTotal", 41648, &T::SetSubTotal, &T::SubTotal},
            {"Tax1Total", 41656, &T::SetTax1Total, &T::Tax1Total},
            {"Tax2Total", 41664, &T::SetTax2Total, &T::Tax2Total},
            {"CostTotal", 41672, &T::SetCostTotal, &T::CostTotal},
            {"Total", 41680, &T::SetTotal, &T::Total},
            {"DiscountTotal", 41688, &T::SetDiscountTotal, &T::DiscountTotal},
            {"CashPaid", 41744, &T::SetCashPaid, &T::CashPaid},
            {"EftPaid", 41752, &T::SetEftPaid, &T::EftPaid},
            {"ChequePaid", 41768, &T::SetChequePaid, &T::ChequePaid},
            {"BalanceBefore", 41792, &T::SetBalanceBefore, &T::BalanceBefore},
            {"BalanceAfter", 41800, &T::SetBalanceAfter, &T::BalanceAfter},
        },
        kDoubleProbes);
}

TEST(TransactionRecordFields, LineAmountsOfTheFirstAndLastLineSitInTheirArrays) {
    using T = TransactionRecord;
    using Set = void (T::*)(int, double);
    using Get = double (T::*)(int) const;
    struct Array {
        const char* name;
        std::size_t offset;  // documented start of the 400-entry array
        Set set;
        Get get;
    };
    const Array arrays[] = {
        {"LineNonTaxable", 19232, &T::SetLineNonTaxable, &T::LineNonTaxable},
        {"LineTaxable", 22432, &T::SetLineTaxable, &T::LineTaxable},
        {"LineTax1", 25632, &T::SetLineTax1, &T::LineTax1},
        {"LineTax2", 28832, &T::SetLineTax2, &T::LineTax2},
        {"LineCost", 32032, &T::SetLineCost, &T::LineCost},
        {"LineDiscount", 35232, &T::SetLineDiscount, &T::LineDiscount},
        {"LineTotal", 38432, &T::SetLineTotal, &T::LineTotal},
    };
    std::vector<NumberCase<T, double>> cases;
    for (const Array& a : arrays) {
        for (int line : {0, 1, 399}) {
            cases.push_back({a.name, a.offset + 8 * static_cast<std::size_t>(line),
                             [a, line](T& r, double v) { (r.*a.set)(line, v); },
                             [a, line](const T& r) { return (r.*a.get)(line); }});
        }
    }
    ExpectNumbersAtTheirOffsets<T, double>(cases, kDoubleProbes);
}

TEST(TransactionRecordFields, TextsSitAtTheirOffsets) {
    using T = TransactionRecord;
    auto description = [](int line) {
        return TextCase<T>{"LineDescription", 3232 + 40 * static_cast<std::size_t>(line), 40,
                           [line](T& r, std::string_view t) { r.SetLineDescription(line, t); },
                           [line](const T& r) { return r.LineDescription(line); }};
    };
    ExpectTextsAtTheirOffsets<T>({
        description(0), description(1), description(399),
        {"Time", 41816, 20, &T::SetTime, &T::Time},
        {"Date", 41836, 20, &T::SetDate, &T::Date},
        {"CustomerName", 41856, 40, &T::SetCustomerName, &T::CustomerName},
        {"CustomerRoad", 41896, 30, &T::SetCustomerRoad, &T::CustomerRoad},
        {"CustomerArea", 41926, 30, &T::SetCustomerArea, &T::CustomerArea},
        {"CustomerTown", 41956, 30, &T::SetCustomerTown, &T::CustomerTown},
        {"CustomerPostCode", 41986, 30, &T::SetCustomerPostCode, &T::CustomerPostCode},
        {"CustomerTelephone", 42016, 30, &T::SetCustomerTelephone, &T::CustomerTelephone},
        {"PaymentType", 42046, 40, &T::SetPaymentType, &T::PaymentType},
        {"ComputerName", 42206, 40, &T::SetComputerName, &T::ComputerName},
        {"Note", 43326, 80, &T::SetNote, &T::Note},  // the last bytes of the record
    });
}

TEST(TransactionRecordFields, LinesOutsideZeroTo399AreNeitherReadNorStored) {
    TransactionRecord r = Filled<TransactionRecord>('z');
    const TransactionRecord before = r;
    for (int line : {INT_MIN, -1, 400, 401, INT_MAX}) {
        r.SetLineItemNumber(line, 5);
        r.SetLineDescription(line, "beyond");
        r.SetLineNonTaxable(line, 1);
        r.SetLineTaxable(line, 1);
        r.SetLineTax1(line, 1);
        r.SetLineTax2(line, 1);
        r.SetLineCost(line, 1);
        r.SetLineDiscount(line, 1);
        r.SetLineTotal(line, 1);
        EXPECT_EQ(r.LineItemNumber(line), 0) << line;
        EXPECT_EQ(r.LineDescription(line), "") << line;
        EXPECT_EQ(r.LineNonTaxable(line), 0.0) << line;
        EXPECT_EQ(r.LineTaxable(line), 0.0) << line;
        EXPECT_EQ(r.LineTax1(line), 0.0) << line;
        EXPECT_EQ(r.LineTax2(line), 0.0) << line;
        EXPECT_EQ(r.LineCost(line), 0.0) << line;
        EXPECT_EQ(r.LineDiscount(line), 0.0) << line;
        EXPECT_EQ(r.LineTotal(line), 0.0) << line;
    }
    EXPECT_EQ(r.bytes, before.bytes);
    EXPECT_FALSE(TransactionRecord::ValidLine(400));
    EXPECT_FALSE(TransactionRecord::ValidLine(-1));
    EXPECT_TRUE(TransactionRecord::ValidLine(399));
}

TEST(TransactionRecordFields, FillingEveryLineLeavesTheTotalsUntouched) {
    TransactionRecord r = Filled<TransactionRecord>(kFill);
    for (int i = 0; i < txn::kMaxLines; ++i) {
        r.SetLineItemNumber(i, i + 1);
        r.SetLineDescription(i, std::string(60, static_cast<char>('A' + i % 26)));
        r.SetLineTotal(i, i * 0.5);
    }
    for (std::size_t at = 41632; at < 41640; ++at) EXPECT_EQ(r.bytes[at], kFill) << at;  // non-taxable total
    EXPECT_EQ(r.bytes[3224], kFill);  // associate, right after the item numbers
    EXPECT_EQ(r.LineItemNumber(399), 400);
    EXPECT_EQ(r.LineDescription(399), std::string(39, static_cast<char>('A' + 399 % 26)));
    EXPECT_EQ(r.LineTotal(399), 199.5);
    EXPECT_EQ(r.LineDescription(398), std::string(39, static_cast<char>('A' + 398 % 26)));
}

// --- PictureBlock and ButtonPage -------------------------------------------------

TEST(PictureBlockRecord, NameCountAndDataSitAtTheirOffsets) {
    ExpectTextsAtTheirOffsets<PictureBlock>({{"Name", 0, 40, &PictureBlock::SetName, &PictureBlock::Name}});
    ExpectNumbersAtTheirOffsets<PictureBlock, std::int32_t>(
        {{"Count", 40, &PictureBlock::SetCount, &PictureBlock::Count}}, kInt32Probes);

    PictureBlock block = Filled<PictureBlock>(kFill);
    const PictureBlock blank = block;
    auto data = block.Data();
    ASSERT_EQ(data.size(), 2000u);
    data.front() = 1;
    data.back() = 2;
    EXPECT_EQ(ChangedRange(blank, block), std::make_pair(std::size_t{44}, std::size_t{2044}));
    const PictureBlock& view = block;
    EXPECT_EQ(view.Data()[0], 1);
    EXPECT_EQ(view.Data()[1999], 2);
}

TEST(ButtonPageRecord, FieldsSitAtTheirOffsets) {
    using B = ButtonPage;
    ExpectNumbersAtTheirOffsets<B, std::int32_t>(
        {
            {"Category", 0, &B::SetCategory, &B::Category},
            {"Direction", 4, &B::SetDirection, &B::Direction},
        },
        kInt32Probes);
    std::vector<NumberCase<B, std::int64_t>> numbers = {{"Cursor", 8, &B::SetCursor, &B::Cursor}};
    std::vector<TextCase<B>> texts;
    for (int b : {0, 7}) {
        const std::size_t at = static_cast<std::size_t>(b);
        numbers.push_back({"ItemNumber", 16 + 8 * at, [b](B& r, std::int64_t v) { r.SetItemNumber(b, v); },
                           [b](const B& r) { return r.ItemNumber(b); }});
        texts.push_back({"Caption", 144 + 40 * at, 40, [b](B& r, std::string_view t) { r.SetCaption(b, t); },
                         [b](const B& r) { return r.Caption(b); }});
        texts.push_back({"PictureName", 144 + 40 * (8 + at), 40,
                         [b](B& r, std::string_view t) { r.SetPictureName(b, t); },
                         [b](const B& r) { return r.PictureName(b); }});
    }
    ExpectNumbersAtTheirOffsets<B, std::int64_t>(numbers, kInt64Probes);
    ExpectTextsAtTheirOffsets<B>(texts);
}

TEST(ButtonPageRecord, ButtonsOutsideZeroToSevenAreNeitherReadNorStored) {
    ButtonPage page = Filled<ButtonPage>('z');
    const ButtonPage before = page;
    for (int b : {INT_MIN, -1, 8, 16, 32}) {
        page.SetItemNumber(b, 9);
        page.SetCaption(b, "x");
        page.SetPictureName(b, "m1.bmp");
        EXPECT_EQ(page.ItemNumber(b), 0) << b;
        EXPECT_EQ(page.Caption(b), "") << b;
        EXPECT_EQ(page.PictureName(b), "") << b;
    }
    EXPECT_EQ(page.bytes, before.bytes);
}

}  // namespace

namespace {

TEST(ItemKeyContinuation, DescriptionSendsTheLastItemAndSkuSendsMinusItMinusTwo) {
    EXPECT_EQ(itemkey::ContinueDescriptionSearch(5), 5);
    EXPECT_EQ(itemkey::ContinueSkuSearch(5), -7);
    EXPECT_EQ(itemkey::ContinueSkuSearch(1), -3);  // never collides with the first-match keys
    EXPECT_EQ(itemkey::SkuSearchPosition(itemkey::ContinueSkuSearch(123456789012)), 123456789012);
}

}  // namespace
