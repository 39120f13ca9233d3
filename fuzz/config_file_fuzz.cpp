// The configuration file "vks.cfg" as an offline start reads it: any content, of any
// length (a short file fills only the leading bytes), read into the image and the live
// record and merged; then every reader of the live record (logon, dispatch, taxes,
// non-inventory sale, device settings, receipts, kitchen ticket and documents); then
// the exit save, which must keep every non-local byte of the file, and a second start
// from the saved file, which must give the same live record.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "basket/basket.h"
#include "basket/non_inventory.h"
#include "basket/price_adjust.h"
#include "customers/customer_form.h"
#include "fuzz_check.h"
#include "link/label_table.h"
#include "printing/device_config.h"
#include "printing/document_layout.h"
#include "printing/receipt_layout.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/logon.h"
#include "shell/terminal_config.h"

namespace {

// The runs of the record that the exit save takes from the live record (true) or
// keeps from the file (false), in record order.
struct Run {
    std::size_t offset, length;
    bool fromLive;
};
const std::vector<Run>& SaveRuns() {
    static const std::vector<Run> runs = [] {
        std::vector<bool> live(cfg::kSize, false);
        for (auto fields : {cfg::kTerminalLocalFields, cfg::kSavedOnlyFields})
            for (const ByteRange& r : fields)
                std::fill_n(live.begin() + static_cast<std::ptrdiff_t>(r.offset), r.length, true);
        std::vector<Run> out;
        for (std::size_t i = 0; i < cfg::kSize; ++i) {
            if (out.empty() || out.back().fromLive != live[i]) out.push_back({i, 0, live[i]});
            ++out.back().length;
        }
        return out;
    }();
    return runs;
}

// Reading the file over a record: up to the record's size, the rest keeps its bytes.
void ReadFile(TerminalConfig& record, const std::uint8_t* data, std::size_t size) {
    std::memcpy(record.data(), data, std::min(size, cfg::kSize));
}

// The offline start: the image and the live record read from the file, then merged.
void Start(TerminalConfig& live, TerminalConfig& image, HeaderTexts& headers, const std::uint8_t* data,
           std::size_t size) {
    ReadFile(image, data, size);
    ReadFile(live, data, size);
    MergeLocalFieldsAtLoad(live, image);
    CopyHeaderTexts(headers, live);
}

void CheckLogon(const TerminalConfig& c) {
    LogonState state;
    for (int n : {1, 2, 50, 98, 99}) {
        const int next = NextAssociate(c, n), previous = PreviousAssociate(c, n);
        FUZZ_CHECK(next >= 1 && next <= 99 && previous >= 1 && previous <= 99, "logon steps stay on associates");
    }
    for (int n : {-1, 0, 1, 99, 100, static_cast<int>(c.CurrentAssociate() % 128)}) {
        (void)ShownAssociate(c, n);
        (void)LogonAccepted(c, n, c.AssociatePassword(n));
    }
    for (int id : {IDC_LOGON_UP, IDC_LOGON_DOWN, IDC_LOGON_KEY_1, IDC_LOGON_ERASE, IDC_LOGON_CLEAR}) {
        (void)ApplyLogonButton(state, c, id);
        FUZZ_CHECK(state.selected >= 1 && state.selected <= 99, "the user field shows an associate");
    }
}

void CheckSelling(TerminalConfig& live) {
    for (int k = 0; k < 18; ++k) FUZZ_CHECK(CategoryLabel(live, k).size() <= 3, "a category code is three letters");
    for (int command = 1000; command < 1100; ++command)
        (void)Decide(RuleFor(command), false, live.CurrentAssociate(), live);
    for (const std::string& terms : TermsChoices(live)) FUZZ_CHECK(terms.size() < 200, "a terms text");

    TransactionRecord basket;
    for (double price : {0.0, 1.99, 1e7}) {
        const LineTaxes taxes = TaxesOnPrice(live, price, 1, false);
        (void)taxes;
        FUZZ_CHECK(PriceLineIntoTotals(basket, live, price, 1, 0.5, false), "a line fits an empty basket");
        basket.SetLineCount(basket.LineCount() + 1);
    }
    ApplyDiscountToTotals(basket, live, 0.5);
    NonInventoryState sale = OpenNonInventory(live);
    for (char c : std::string("Loose tea")) TypeDescription(sale, c);
    SetTaxes(sale, live, true, true);
    SetPrice(sale, live, "12.50");
    (void)PressAdd(sale, basket, live);
    FUZZ_CHECK(BasketLineCount(basket) == 4, "the loose line is the fourth");
}

void CheckDocuments(const TerminalConfig& live, const HeaderTexts& headers, int group) {
    TransactionRecord sale;
    const char* const descriptions[] = {"Coffee beans 1kg", "Milk", "Loose line"};
    for (int i = 0; i < 3; ++i) {
        sale.SetLineItemNumber(i, i == 2 ? 0 : 1001 + i);
        sale.SetLineDescription(i, descriptions[i]);
        sale.SetLineTotal(i, 2.5 * (i + 1));
        sale.SetLineTaxable(i, 2.0 * (i + 1));
        sale.SetLineTax1(i, 0.5 * (i + 1));
    }
    sale.SetLineCount(3), sale.SetTotal(15), sale.SetSubTotal(12), sale.SetTax1Total(3), sale.SetNumber(77);
    sale.SetTime("10:15"), sale.SetDate("Sun 6 Dec 26"), sale.SetPaymentType("Cash");
    const LabelTable labels = DefaultLabelTable();
    print::SaleDocumentInputs in;
    in.sale = &sale, in.config = &live, in.labels = &labels, in.headers = &headers;
    in.tender = {20, 5}, in.customerNumber = 5, in.customerName = "Ada", in.customerTerms = 3;
    in.nowClock = "10:16", in.todayLong = "Dec 6 2026", in.kitchenDate = "Sun 6 Dec 26";
    in.receiptLogo = {120, 40};
    const auto wrapped = [](const std::string& text, int) { return 50 * static_cast<int>(text.size() / 30 + 1); };
    const print::PageMetrics m{50, 1000, 3300, 20, 0, 20, false, 300, 300, 2000, wrapped};
    if (group == 0) {
        (void)print::LayOutReceipt(in, m, print::kStandardReceipt);
        (void)print::LayOutReceipt(in, m, print::kCustomReceipt);
        (void)print::LayOutKitchenTicket(in, m);
        return;
    }
    const int kinds[2][2] = {{print::kInvoice1, print::kDeliveryNote}, {print::kInvoice2, print::kCustomInvoice}};
    for (int kind : kinds[group - 1]) {
        print::PageState pages;
        int printed = 0;
        for (int page = pages.page;; page = pages.page) {
            (void)print::LayOutDocument(in, m, kind, pages);
            ++printed;
            if (pages.page == page) break;
            FUZZ_CHECK(printed < 10, "a three-line document ends within a few pages");
        }
    }
    for (int e = 0; e < print::kReceiptElementCount; ++e) {
        const int row = print::ReceiptElementLayoutRow(live, e);
        FUZZ_CHECK(row >= -10000 && row <= 10000, "a custom receipt row within bounds");
    }
    FUZZ_CHECK(print::CustomInvoiceHeaderFont(live).face.size() <= 31, "a font face name");
}

void CheckDevices(TerminalConfig& live) {
    StoreTillSettings(live, TillSettingsOf(live));
    StorePoleSettings(live, PoleSettingsOf(live));
    const PrinterListing printers =
        std::vector<PrinterInfo>{{"Receipts", "drv", "USB001"}, {"Kitchen", "drv", "LPT1:"}};
    const ReceiptSettings receipt = OpenReceiptSettings(live, printers);
    StoreReceiptSettings(live, receipt, printers, printers);
    StoreReceiptSettings(live, receipt, std::nullopt, std::nullopt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TerminalConfig live, image;
    HeaderTexts headers;
    Start(live, image, headers, data, size);
    for (const auto& text : headers.text) FUZZ_CHECK(strnlen(text, sizeof text) < sizeof text, "a header buffer ends");
    FUZZ_CHECK(live.CurrentAssociate() != 0 && image.CurrentAssociate() == live.CurrentAssociate(),
               "associate 0 starts as 1");

    // One group of readers per input, chosen by the file's length (the layouts are slow);
    // they work on a copy, as the running terminal changes the live record.
    TerminalConfig running = live;
    switch (size % 8) {
    case 0: CheckLogon(running); break;
    case 1: CheckSelling(running); break;
    case 2: CheckDevices(running); break;
    case 3: CheckDocuments(running, headers, 0); break;
    case 4: CheckDocuments(running, headers, 1); break;
    case 5: CheckDocuments(running, headers, 2); break;
    default: break;  // the load and saves only
    }

    // The exit save keeps every byte of the file but the local and saved-only fields.
    TerminalConfig saved = image;
    const TerminalConfig before = live;
    PrepareExitSave(saved, live, fuzz::Now());
    TerminalConfig file;
    ReadFile(file, data, size);
    for (const Run& run : SaveRuns()) {
        const TerminalConfig& from = run.fromLive ? live : file;
        FUZZ_CHECK(std::memcmp(saved.data() + run.offset, from.data() + run.offset, run.length) == 0,
                   "the exit save keeps the file's shop-wide bytes and the live local ones");
    }
    std::memcpy(live.data() + cfg::kTimes, before.data() + cfg::kTimes, 5 * 4);
    FUZZ_CHECK(live.bytes == before.bytes, "the exit save changes only the live save time");
    std::memcpy(live.data() + cfg::kTimes, saved.data() + cfg::kTimes, 5 * 4);

    // Started again from the saved file, the terminal has the record it saved.
    TerminalConfig live2, image2;
    HeaderTexts headers2;
    Start(live2, image2, headers2, saved.data(), cfg::kSize);
    FUZZ_CHECK(live2.bytes == live.bytes, "a saved configuration loads as it was");
    FUZZ_CHECK(std::memcmp(&headers2, &headers, sizeof headers) == 0, "with the same header texts");
    return 0;
}
