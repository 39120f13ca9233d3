// The shop server's replies as the terminal decodes and uses them. The first byte
// picks the reply:
//   0, 1  an item or a customer record as its wire image, decoded into the packed
//         record, then read by everything the terminal does with one;
//   2     the simple records: label table, picture block, button page, the next
//         customer number's text;
//   3     a run of item lookups answered by the fuzzer: item entry with kits,
//         stock, offers, trade prices and the age alert until the basket is full;
//   4     a customer search answered by the fuzzer, with the selection list.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "basket/basket.h"
#include "basket/item_entry.h"
#include "basket/price_adjust.h"
#include "customers/credit_sale.h"
#include "customers/customer_form.h"
#include "customers/customer_search.h"
#include "customers/refund.h"
#include "fuzz_check.h"
#include "link/label_table.h"
#include "link/records.h"
#include "link/wire_layout.h"
#include "resources/resource_ids.h"

namespace {

constexpr unsigned long kServerUnavailable = 0x6BA;

// A wire image decoded as the client stub's reply is: the filler is ignored, every
// member lands at its packed offset, and encoding the record again gives the image
// with its filler zeroed.
template <typename Record>
Record Decode(const wire::Table& table, FuzzedDataProvider& in) {
    std::vector<std::uint8_t> image(wire::WireSize(table));
    const std::vector<std::uint8_t> bytes = in.ConsumeBytes<std::uint8_t>(image.size());
    std::copy(bytes.begin(), bytes.end(), image.begin());
    Record record;
    wire::WireToPacked(table, image.data(), record.data());

    static const std::vector<std::uint8_t> members = [&table] {
        Record ones;
        std::memset(ones.data(), 0xFF, Record::kSize);
        std::vector<std::uint8_t> mask(wire::WireSize(table));
        wire::PackedToWire(table, ones.data(), mask.data());
        return mask;
    }();
    std::vector<std::uint8_t> again(image.size());
    wire::PackedToWire(table, record.data(), again.data());
    for (std::size_t i = 0; i < image.size(); ++i) image[i] &= members[i];
    FUZZ_CHECK(again == image, "a record encodes back to its wire image, filler zeroed");
    return record;
}

TerminalConfig Config(FuzzedDataProvider& in) {
    TerminalConfig c;
    ApplyDefaults(c, fuzz::Now());
    c.SetOption(entrycfg::kTradePrices, in.ConsumeBool() ? entrycfg::kTradePricesOn : 0);
    c.SetSwitch(entrycfg::kTradeByPercentage, in.ConsumeBool());
    c.SetDouble(cfg::kTradeValues, in.ConsumeFloatingPoint<double>());
    c.SetOption(entrycfg::kSellWithoutStock, in.ConsumeBool());
    c.SetSwitch(basketcfg::kEntryWithNumber, in.ConsumeBool());
    c.SetSwitch(basketcfg::kPoleFitted, in.ConsumeBool());
    return c;
}

void CheckEntryText(const std::string& text) {
    FUZZ_CHECK(text.size() <= kBasketEntryTextMax, "a basket list entry fits its buffer");
}

void ItemReply(FuzzedDataProvider& in) {
    const InventoryItem item = Decode<InventoryItem>(wire::kInventoryItem, in);
    const TerminalConfig config = Config(in);
    const std::vector<KitPart> parts = KitParts(item);
    FUZZ_CHECK(parts.size() <= static_cast<std::size_t>(item::kKitComponentCount), "six components at most");
    for (const KitPart& p : parts)
        FUZZ_CHECK(p.item >= 1 && p.item <= kLargestComponentNumber && p.quantity > 0, "components worth adding");

    TransactionRecord basket;
    basket.SetLineCount(in.ConsumeIntegralInRange<int>(txn::kMaxLines - 3, txn::kMaxLines + 1));
    (void)StockAllowsAnotherLine(item, basket, config);
    (void)RaisesAgeAlert(item, entrymode::kNormal);
    const int before = BasketLineCount(basket);
    if (const auto price = ChooseLinePrice(item, config, basket, in.ConsumeIntegralInRange<int>(0, 4))) {
        const auto entry = AddPricedLine(basket, config, item, *price);
        FUZZ_CHECK(entry.has_value() == (before < txn::kMaxLines), "a line is added while there is room");
        if (entry) CheckEntryText(*entry);
        FUZZ_CHECK(BasketLineCount(basket) == before + (entry ? 1 : 0), "one line more");
    }
    LineAdjustState adjust = OpenWeightAdjust(basket, item, true);
    ChooseWeight(adjust, config, in.ConsumeIntegralInRange<int>(0, kWeightListSize - 1));
    CheckEntryText(WriteLineFigures(basket, adjust, true));
}

void CustomerReply(FuzzedDataProvider& in) {
    const CustomerRecord c = Decode<CustomerRecord>(wire::kCustomerRecord, in);
    TerminalConfig config;
    ApplyDefaults(config, fuzz::Now());
    (void)SelectionLine(c);
    (void)FoundCustomerBoxes(c, fuzz::Now(), &fuzz::FormatDate);
    (void)CustomerViewBoxes(c, config, fuzz::Now(), &fuzz::FormatDate);
    const std::string url = MapUrl(c);
    for (char ch : url) FUZZ_CHECK(ch > ' ' && static_cast<unsigned char>(ch) < 127, "a map link is plain ASCII");
    (void)CreditCustomerCaption(c);

    TransactionRecord basket;
    basket.SetLineCount(1), basket.SetLineTotal(0, 12.5), basket.SetTotal(12.5), basket.SetTax1Total(2.08);
    AssociateWithTransaction(c, basket);
    (void)ExceedsCreditLimit(c, CustomerSaleAmount(basket, c));
    PrepareCustomerSale(basket, c, 77, "10:15", "06/12/2026", 3);
    (void)CustomerSaleBoxes(basket, c, 77, "Ada", fuzz::Now(), &fuzz::FormatDate);
    (void)CreditSaleLogEntry("10:1506/12/2026", 77, basket, "Ada", c);
    CustomerRecord settled = c;
    SettleCustomerSale(basket, settled, CustomerPayment::Credit, "10:1506/12/2026", 77);

    // The amend form of the customer, sent back untouched.
    const CustomerForm form = EditCustomerForm(c, false);
    CustomerRecord back = c;
    const bool valid = c.Number() >= 1 && c.Number() <= kHighestCustomerNumber && c.Transactions() >= 0;
    if (ReadCustomerForm(form, back) == nullptr && valid)
        FUZZ_CHECK(back.Number() == c.Number(), "an untouched form keeps the customer's number");
    (void)CheckCustomer(back, true);
    (void)CustomerUpdateEntry(LogStamp{"10:15", "Sun 6 Dec 26", 3, "Ada"}, back);
}

void SimpleReplies(FuzzedDataProvider& in) {
    LabelTable fetched;
    const std::vector<std::uint8_t> bytes = in.ConsumeBytes<std::uint8_t>(labels::kSize);
    std::copy(bytes.begin(), bytes.end(), fetched.bytes.begin());
    LabelTable working = DefaultLabelTable();
    const LabelTable defaults = working;
    TakeFetchedLabels(working, fetched);
    for (int i = 0; i < labels::kEntryCount; ++i) {
        FUZZ_CHECK(working.Entry(i) == (i < labels::kUsedEntries ? fetched : defaults).Entry(i),
                   "entries 0 to 35 come from the server");
        FUZZ_CHECK(working.Entry(i).size() <= labels::kEntryWidth, "an entry within its 80 bytes");
    }
    PictureBlock block;
    std::memcpy(block.data(), fetched.data(), picture::kSize);
    FUZZ_CHECK(block.Name().size() <= picture::kName.width && block.Data().size() == picture::kDataWidth, "a block");
    ButtonPage page;
    std::memcpy(page.data(), fetched.data(), buttons::kSize);
    for (int b = -1; b <= buttons::kButtonCount; ++b)
        FUZZ_CHECK(page.Caption(b).size() <= buttons::kTextWidth && page.PictureName(b).size() <= buttons::kTextWidth,
                   "button texts within their fields");

    // The next customer number: 40 bytes, terminated by the terminal before reading.
    std::string reply = in.ConsumeBytesAsString(40);
    reply.resize(39);
    const std::int64_t number = LeadingNumber(reply.c_str());
    const CustomerForm form = NewCustomerForm(reply.c_str(), false);
    if (number >= 1 && number <= kHighestCustomerNumber)
        FUZZ_CHECK(form.texts.at(IDC_FORM_NUMBER).size() <= 19, "the proposed number fits its box");
}

// Item lookups answered from the input: each reply a few fields of an item record.
class ScriptedServer : public ItemEntryPort {
public:
    explicit ScriptedServer(FuzzedDataProvider& in) : in_(in) {}
    unsigned long Fetch(const ItemKey& key, InventoryItem& item) override {
        FUZZ_CHECK(key.SearchText().size() < itemkey::kText.width, "a key text within its field");
        if (in_.remaining_bytes() == 0 || ++fetches_ > 600) return kServerUnavailable;
        item = InventoryItem{};
        item.SetNumber(in_.ConsumeIntegralInRange<std::int64_t>(-1, 6));
        item.SetDescription(in_.ConsumeRandomLengthString(50));
        item.SetPrice(in_.ConsumeBool() ? in_.ConsumeIntegralInRange<int>(0, 100000) / 100.0
                                        : in_.ConsumeFloatingPoint<double>());
        item.SetTradePrice(in_.ConsumeIntegralInRange<int>(-100, 100000) / 100.0);
        item.SetInStock(in_.ConsumeIntegralInRange<std::int32_t>(-1, 500));
        item.SetTaxCode(in_.ConsumeIntegralInRange<std::int32_t>(-1, 4));
        item.SetAgeLimit(in_.ConsumeIntegralInRange<std::int32_t>(0, 21));
        item.SetOfferRule(in_.ConsumeIntegralInRange<std::int32_t>(0, 5));
        if (in_.ConsumeBool()) {
            item.SetKitFlag(item::kIsKit);
            for (int n = 1; n <= item::kKitComponentCount && in_.ConsumeBool(); ++n) {
                item.SetKitComponent(n, in_.ConsumeRandomLengthString(24));
                item.SetKitQuantity(n, in_.ConsumeIntegralInRange<std::int32_t>(-1, 500));
                item.SetKitEntryMode(n, in_.ConsumeIntegralInRange<std::int32_t>(0, 4));
            }
        }
        return 0;
    }
    void Problem(const char*) override {}
    void NetworkError(const std::string&) override {}
    void LineAdded(const std::string& text) override {
        CheckEntryText(text);
        ++added;
    }
    void AgeAlert(const std::string&) override {}
    void PoleLine(const std::string&, double) override {}
    int added = 0;

private:
    FuzzedDataProvider& in_;
    int fetches_ = 0;
};

void ItemEntryRun(FuzzedDataProvider& in) {
    const TerminalConfig config = Config(in);
    TransactionRecord basket;
    basket.SetLineCount(in.ConsumeIntegralInRange<int>(0, txn::kMaxLines));
    InventoryItem current;
    ScriptedServer server(in);
    ItemEntry entry{basket, config, current, in.ConsumeRandomLengthString(40), in.ConsumeBool(), server};
    while (in.remaining_bytes() > 0) {
        const int before = BasketLineCount(basket);
        const std::int64_t number = in.ConsumeIntegralInRange<std::int64_t>(-1, 6);
        const EntryResult result = AddItemToBasket(entry, number, in.ConsumeIntegralInRange<int>(0, 4));
        const int after = BasketLineCount(basket);
        FUZZ_CHECK(after >= before && after <= txn::kMaxLines, "lines are only added, 400 at most");
        FUZZ_CHECK(after - before == server.added, "every line added is shown");
        if (result == EntryResult::kAdded) FUZZ_CHECK(after > before, "added means a line more");
        if (result == EntryResult::kRefused) FUZZ_CHECK(after == before, "refused means no line");
        server.added = 0;
        if (result == EntryResult::kStopped && after < txn::kMaxLines) break;
    }
}

void CustomerSearchRun(FuzzedDataProvider& in) {
    SearchSteps steps;
    std::vector<std::string> listed;
    steps.askText = [&](std::string& text, std::string& second) {
        text = in.ConsumeRandomLengthString(40);
        second = in.ConsumeRandomLengthString(10);
        return in.ConsumeBool();
    };
    steps.fetch = [&](const CustomerKey& key, CustomerRecord& reply) {
        FUZZ_CHECK(key.SearchText().size() < custkey::kText.width, "a key text within its field");
        if (in.remaining_bytes() == 0) return false;
        reply = CustomerRecord{};
        reply.SetNumber(in.ConsumeIntegralInRange<std::int64_t>(0, 5));
        reply.SetName(in.ConsumeRandomLengthString(40));
        reply.SetLastUsed(in.ConsumeRandomLengthString(20));
        return true;
    };
    steps.chooseFromList = [&](const CustomerKey& key, std::int64_t& chosen) {
        bool failed = false;
        listed = ListMatches(key, steps.fetch, failed);
        FUZZ_CHECK(listed.size() <= 6, "a repeated customer ends the list");
        chosen = in.ConsumeIntegralInRange<std::int64_t>(1, 5);
        return !listed.empty() && in.ConsumeBool();
    };
    steps.showFound = [&](const CustomerRecord& c) {
        (void)FoundCustomerBoxes(c, fuzz::Now(), &fuzz::FormatDate);
        return static_cast<FoundAnswer>(in.ConsumeIntegralInRange<int>(0, 2));
    };
    steps.showView = [&](const CustomerRecord&) {};
    steps.tell = [](const char*, const char*) {};
    CustomerRecord current;
    if (RunCustomerSearch(current, in.ConsumeBool(), steps)) FUZZ_CHECK(current.Number() != 0, "a customer was found");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzedDataProvider in(data + 1, size - 1);
    switch (data[0] % 5) {
    case 0: ItemReply(in); break;
    case 1: CustomerReply(in); break;
    case 2: SimpleReplies(in); break;
    case 3: ItemEntryRun(in); break;
    case 4: CustomerSearchRun(in); break;
    }
    return 0;
}
