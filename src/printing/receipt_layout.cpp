#include "printing/receipt_layout.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "basket/money.h"

namespace print {
namespace {

inline constexpr const char* kDoubleRule = "========================";
inline constexpr const char* kSingleRule = "------------------------";
inline constexpr const char* kFeedText = "  ";

// The top edge of a row, kept inside the int range whatever the metrics say.
int Y(double row, int lineHeight) {
    const double y = row * lineHeight;
    if (!(y > -1e9)) return -1000000000;
    if (y > 1e9) return 1000000000;
    return RowY(row, lineHeight);
}

const TransactionRecord& SaleOf(const SaleDocumentInputs& in) {
    static const TransactionRecord kEmpty{};
    return in.sale ? *in.sale : kEmpty;
}

const TerminalConfig& ConfigOf(const SaleDocumentInputs& in) {
    static const TerminalConfig kEmpty{};
    return in.config ? *in.config : kEmpty;
}

std::string Label(const SaleDocumentInputs& in, int entry) {
    static const LabelTable kDefaults = DefaultLabelTable();
    return (in.labels ? *in.labels : kDefaults).Entry(entry);
}

std::string Cut(std::string text, std::size_t width) {
    if (text.size() > width) text.resize(width);
    return text;
}

std::string HeaderTextOf(const SaleDocumentInputs& in, int index) {
    HeaderTexts copy;
    const HeaderTexts* headers = in.headers;
    if (!headers) {
        CopyHeaderTexts(copy, ConfigOf(in));
        headers = &copy;
    }
    const char* text = headers->text[index];
    const void* nul = std::memchr(text, 0, sizeof headers->text[index]);
    return std::string(text, nul ? static_cast<const char*>(nul) - text : sizeof headers->text[index]);
}

int LineCountOf(const TransactionRecord& sale) {
    return std::clamp<int>(sale.LineCount(), 0, txn::kMaxLines);
}

bool IsRefund(const TransactionRecord& sale) { return sale.PaymentType() == "Refund"; }

std::string TaxText(const std::string& name, double total, std::int64_t rateOption) {
    const double rate = rateOption == 0 ? 0.0 : static_cast<double>(rateOption) / 100.0;
    return name + ": " + FormatMoney(total) + " (" + FormatMoney(rate) + "%)";
}

std::string PaymentLine(const SaleDocumentInputs& in) {
    const TransactionRecord& sale = SaleOf(in);
    const double cash = sale.CashPaid();
    const double cheque = sale.ChequePaid();
    const double eft = sale.EftPaid();
    // Later rules win: a split with cash names both methods.
    int label = 10;
    if (cash == 0 && cheque != 0) label = 11;
    if (cash == 0 && eft != 0) label = 12;
    if (cash == 0 && sale.PaymentType() == "Credit") label = 13;
    if (cash > 0 && cheque > 0) label = 14;
    if (cash > 0 && eft > 0) label = 15;
    return Label(in, label);
}

// The receipt logo at the top of the page; returns the rows it takes.
int AddLogo(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m) {
    if (!in.receiptLogo.loaded() || m.halfWidth <= 0) return 0;
    const bool fullWidth = ConfigOf(in).Switch(23) == 2;
    const int width = fullWidth ? 2 * m.halfWidth : m.halfWidth;
    const int x = fullWidth ? 0 : m.halfWidth / 2;
    const std::int64_t height64 =
        static_cast<std::int64_t>(width) * in.receiptLogo.height / in.receiptLogo.width;
    const int height = static_cast<int>(std::min<std::int64_t>(height64, 1000000000));
    plan.Logo(Picture::ReceiptLogo, Rect{x, 10, x + width, 10 + height});
    return m.lineHeight > 0 ? (height + 20) / m.lineHeight : 0;
}

void Centred(PagePlan& plan, const PageMetrics& m, double row, std::string text) {
    plan.Text(m.halfWidth, Y(row, m.lineHeight), Align::Centre, std::move(text));
}

// The height a word-wrapped text takes; one line when nothing can measure it.
int WrappedHeight(const PageMetrics& m, const std::string& text, int width) {
    return m.wrappedHeight ? m.wrappedHeight(text, width) : m.lineHeight;
}

// The rows a word-wrapped text of `height` pushes the following rows down by.
int ExtraRows(const PageMetrics& m, int height) {
    if (m.lineHeight <= 0 || height <= m.lineHeight) return 0;
    return height / m.lineHeight;
}

// The items of the standard receipt and the kitchen ticket, below the rows of the
// header that start at `top`. Returns the row after the last item row.
int AddStandardItems(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m, int top) {
    const TerminalConfig& config = ConfigOf(in);
    const TransactionRecord& sale = SaleOf(in);
    const bool heading = config.Switch(165) == 0;
    const bool netPrices = config.Switch(190) != 0;
    const bool centred = config.Switch(124) != 0;
    const bool shortDescriptions = config.Switch(12) != 0;
    const int lh = m.lineHeight;
    const int left = m.leftOffset + 10;
    const int right = 2 * m.halfWidth - m.leftOffset;
    const int pitch = m.variablePitch ? 3 : 2;
    const int halfChar = m.averageCharWidth / 2;

    int base = top;
    if (heading) {
        plan.Line(left, Y(top + 12.2, lh), right, Y(top + 12.2, lh));
        plan.Text(left, Y(top + 12.5, lh), Align::Left, "Description");
        plan.Text(left + halfChar * pitch * 15, Y(top + 12.5, lh), Align::Left, "Qty   Price");
        plan.Text(right, Y(top + 12.5, lh), Align::Right, "Amount");
        plan.Line(left, Y(top + 13.7, lh), right, Y(top + 13.7, lh));
        base = top + 2;
    }

    const auto counts = GroupLines(sale, Grouping::Receipt);
    const int lines = LineCountOf(sale);
    const int countColumn = left + halfChar * pitch * 16;
    const int priceColumn = countColumn + 10 * m.averageCharWidth;
    for (int i = 0; i < lines; ++i) {
        const int count = counts[static_cast<std::size_t>(i)];
        if (count == 0) {  // printed with its group
            --base;
            continue;
        }
        const int y = Y(base + 12 + i, lh);
        const double price = netPrices ? sale.LineNonTaxable(i) + sale.LineTaxable(i) : sale.LineTotal(i);
        const double amount = count * price;
        const std::string description = sale.LineDescription(i);
        if (heading) {
            plan.Text(left, y, Align::Left, Cut(description, 14));
            plan.Text(countColumn, y, Align::Left, std::to_string(count));
            plan.Text(priceColumn, y, Align::Right, FormatMoney(price));
            plan.Text(right, y, Align::Right, FormatMoney(amount));
        } else if (!centred) {
            plan.Text(left, y, Align::Left, shortDescriptions ? Cut(description, 20) : description);
            if (count == 1) {
                plan.Text(right, y, Align::Right, FormatMoney(price));
            } else {
                ++base;
                const int next = Y(base + 12 + i, lh);
                plan.Text(left, next, Align::Left, std::to_string(count) + " @ " + FormatMoney(price));
                plan.Text(right, next, Align::Right, FormatMoney(amount));
            }
        } else {
            const std::string shown = shortDescriptions ? Cut(description, 20) : description;
            Centred(plan, m, base + 12 + i,
                    count == 1 ? shown + ", " + FormatMoney(price)
                               : std::to_string(count) + " " + shown + ", " + FormatMoney(amount));
        }
    }
    return base + 12 + lines;
}

// Sub total, tax and discount lines from row `itemsEnd` + 1, then the total and the
// double rule. Returns the row of the rule.
int AddStandardTotals(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m, int itemsEnd) {
    const TerminalConfig& config = ConfigOf(in);
    const TransactionRecord& sale = SaleOf(in);
    const double tax1 = sale.Tax1Total();
    const double tax2 = sale.Tax2Total();
    const std::string subTotal = Label(in, 2) + ": " + FormatMoney(sale.SubTotal());
    int row = itemsEnd;
    if (config.Switch(190) != 0 && (tax1 != 0 || tax2 != 0)) {
        Centred(plan, m, ++row, subTotal);
        if (tax1 != 0) Centred(plan, m, ++row, config.Text(cfg::kTax1Name, cfg::kTaxNameWidth) + ": " + FormatMoney(tax1));
        if (tax2 != 0) Centred(plan, m, ++row, config.Text(cfg::kTax2Name, cfg::kTaxNameWidth) + ": " + FormatMoney(tax2));
    }
    if (sale.DiscountTotal() != 0) {
        if (tax1 == 0 && tax2 == 0) Centred(plan, m, ++row, subTotal);
        Centred(plan, m, ++row, Label(in, 4) + ": (" + FormatMoney(sale.DiscountTotal()) + ")");
    }
    AddReceiptElement(plan, in, m, 14, m.halfWidth, ++row, 2);
    Centred(plan, m, ++row, kDoubleRule);
    return row;
}

// The per-line tax lines (elements 12 and 13) when prices include tax, each on the
// next row after `row`. Returns the last row used.
int AddTaxRates(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m, int row) {
    if (ConfigOf(in).Switch(190) != 0) return row;
    if (SaleOf(in).Tax1Total() != 0) AddReceiptElement(plan, in, m, 12, m.halfWidth, ++row, 2);
    if (SaleOf(in).Tax2Total() != 0) AddReceiptElement(plan, in, m, 13, m.halfWidth, ++row, 2);
    return row;
}

PagePlan LayOutStandardReceipt(const SaleDocumentInputs& in, const PageMetrics& m) {
    PagePlan plan;
    const TerminalConfig& config = ConfigOf(in);
    const TransactionRecord& sale = SaleOf(in);
    const int top = config.Switch(123) != 0 ? AddLogo(plan, in, m) : 0;
    const int centre = m.halfWidth;

    const int headerElements[] = {0, 1, 2, 5};
    for (int k = 0; k < 4; ++k) AddReceiptElement(plan, in, m, headerElements[k], centre, top + 1 + k, 2);
    Centred(plan, m, top + 6, kDoubleRule);
    AddReceiptElement(plan, in, m, 16, centre, top + 7, 2);
    Centred(plan, m, top + 8, sale.Time() + "  " + sale.Date());
    AddReceiptElement(plan, in, m, 15, centre, top + 9, 2);
    Centred(plan, m, top + 10, kSingleRule);

    int row = AddStandardTotals(plan, in, m, AddStandardItems(plan, in, m, top));
    row += 2;
    AddReceiptElement(plan, in, m, 22, centre, row, 2);
    if (in.tender.change > 0) AddReceiptElement(plan, in, m, 18, centre, ++row, 2);
    row = AddTaxRates(plan, in, m, row);

    const int message = row + 2;
    int shift = 0;
    if (config.Switch(10) == 0) {
        AddReceiptElement(plan, in, m, 7, centre, message, 2);
    } else {
        const std::string text = config.Text(cfg::kClosingMessage, cfg::kLongTextWidth);
        const int width = 2 * m.halfWidth;
        plan.Wrapped(Rect{0, Y(message, m.lineHeight), width, Y(message + 4, m.lineHeight)}, text);
        shift = ExtraRows(m, WrappedHeight(m, text, width));
    }
    const int closing = message + 1 + shift;
    if (config.Switch(125) != 0)
        AddTransactionBarcode(plan, in, m, closing, 0);
    else
        Centred(plan, m, closing, kFeedText);
    return plan;
}

PagePlan LayOutCustomReceipt(const SaleDocumentInputs& in, const PageMetrics& m) {
    PagePlan plan;
    const TerminalConfig& config = ConfigOf(in);
    const TransactionRecord& sale = SaleOf(in);
    const int top = config.Switch(126) == 0 ? AddLogo(plan, in, m) : 0;
    const int centre = m.halfWidth;
    const int lh = m.lineHeight;

    // Heading pass.
    const bool withCustomer = sale.CustomerNumber() != 0;
    int headingRows = 0;
    for (int e = 0; e < kReceiptElementCount; ++e) {
        const bool taken = e <= 6 || e == 15 || e == 16 || e == 19 ||
                           (withCustomer && (e == 8 || e == 9 || (e >= 23 && e <= 27)));
        if (!taken) continue;
        const int layoutRow = ReceiptElementLayoutRow(config, e);
        headingRows = std::max(headingRows, layoutRow);
        if (e == 6) {
            // The time of the sale rather than of the printing, always printed.
            Centred(plan, m, top + std::max(layoutRow, 0), sale.Time() + "  " + sale.Date());
        } else {
            AddReceiptElement(plan, in, m, e, centre, top, 0);
        }
    }

    // Items.
    const bool centred = config.Switch(128) != 0;
    const bool markTaxFree = config.Switch(186) != 0;
    const bool netPrices = config.Switch(188) == 2;
    const bool shortDescriptions = config.Switch(12) != 0;
    const int right = 2 * m.halfWidth - 20;
    const auto counts = GroupLines(sale, Grouping::Receipt);
    const int lines = LineCountOf(sale);
    int base = top + 2 + headingRows;
    for (int i = 0; i < lines; ++i) {
        const int count = counts[static_cast<std::size_t>(i)];
        if (count == 0) {
            --base;
            continue;
        }
        const double price = netPrices ? sale.LineNonTaxable(i) + sale.LineTaxable(i) : sale.LineTotal(i);
        const double amount = count * price;
        const std::string mark = markTaxFree && sale.LineTaxable(i) == 0 ? "E  " : "";
        const std::string description =
            shortDescriptions ? Cut(sale.LineDescription(i), 20) : sale.LineDescription(i);
        if (centred) {
            Centred(plan, m, base + i,
                    count == 1 ? description + ", " + mark + FormatMoney(price)
                               : std::to_string(count) + " " + description + ", " + mark + FormatMoney(amount));
            continue;
        }
        plan.Text(20, Y(base + i, lh), Align::Left, description);
        if (count == 1) {
            plan.Text(right, Y(base + i, lh), Align::Right, mark + FormatMoney(price));
        } else {
            ++base;
            plan.Text(20, Y(base + i, lh), Align::Left, std::to_string(count) + " @ " + FormatMoney(price));
            plan.Text(right, Y(base + i, lh), Align::Right, mark + FormatMoney(amount));
        }
    }
    int row = base + lines;

    if (sale.DiscountTotal() != 0) {
        std::string discount = Label(in, 4) + ": " + FormatMoney(sale.DiscountTotal()) + ")";
        discount.insert(0, 1, '(');
        plan.Text(20, Y(row, lh), Align::Left, std::move(discount));
        ++row;
    }

    // Trailing pass.
    int trailingRows = 0;
    for (int e : {7, 10, 11, 12, 13, 14, 17, 18, 20, 21, 22}) {
        trailingRows = std::max(trailingRows, ReceiptElementLayoutRow(config, e));
        AddReceiptElement(plan, in, m, e, centre, row, 0);
    }

    const int noteRow = ClampRows(config.Switch(189));
    const std::string note = sale.Note();
    if (noteRow != 0 && !note.empty()) {
        const int width = 2 * m.halfWidth;
        plan.Wrapped(Rect{0, Y(row + noteRow, lh), width, Y(row + 4 + noteRow, lh)}, note);
        trailingRows = std::max(trailingRows, noteRow);
        trailingRows += ExtraRows(m, WrappedHeight(m, note, width));
    }

    const int closing = row + trailingRows + 2;
    if (config.Switch(127) != 0) {
        AddTransactionBarcode(plan, in, m, closing, 0);
    } else {
        const int feeds = std::min(ClampRows(config.Switch(183)), 100);
        for (int k = 0; k <= feeds; ++k) Centred(plan, m, closing + k, kFeedText);
    }
    return plan;
}

}  // namespace

std::array<int, txn::kMaxLines> GroupLines(const TransactionRecord& sale, Grouping grouping) {
    std::array<int, txn::kMaxLines> counts{};
    const int lines = LineCountOf(sale);
    for (int i = 0; i < lines; ++i) counts[static_cast<std::size_t>(i)] = 1;
    for (int i = 0; i < lines; ++i) {
        int& first = counts[static_cast<std::size_t>(i)];
        if (first == 0) continue;
        const std::int64_t item = sale.LineItemNumber(i);
        const double total = sale.LineTotal(i);
        const std::string description = grouping == Grouping::Document ? sale.LineDescription(i) : std::string();
        for (int j = i + 1; j < lines; ++j) {
            int& other = counts[static_cast<std::size_t>(j)];
            if (other == 0 || sale.LineItemNumber(j) != item || sale.LineTotal(j) != total) continue;
            if (grouping == Grouping::Document && sale.LineDescription(j) != description) continue;
            ++first;
            other = 0;
        }
    }
    return counts;
}

std::string ReceiptElementText(int element, const SaleDocumentInputs& in, bool customMode) {
    const TerminalConfig& config = ConfigOf(in);
    const TransactionRecord& sale = SaleOf(in);
    switch (element) {
        case 0: case 1: case 2: case 3: case 4: case 5:
            return HeaderTextOf(in, element);
        case 6:
            return in.nowClock + " " + in.todayLong;
        case 7:
            return config.Text(cfg::kClosingMessage, cfg::kLongTextWidth);
        case 8:
            return Label(in, 5) + ": " + std::to_string(in.customerNumber);
        case 9:
            return in.customerName;
        case 10:
            return Label(in, 6) + ": " + FormatMoney(sale.NonTaxableTotal());
        case 11:
            return Label(in, 7) + ": " + FormatMoney(sale.TaxableTotal());
        case 12:
            return TaxText(config.Text(cfg::kTax1Name, cfg::kTaxNameWidth), sale.Tax1Total(), config.Option(33));
        case 13:
            return TaxText(config.Text(cfg::kTax2Name, cfg::kTaxNameWidth), sale.Tax2Total(), config.Option(35));
        case 14: {
            const std::string sign = config.Text(cfg::kCurrencySign, 6);
            const double rate = config.Amount(4);
            if (customMode && config.Switch(185) != 0 && config.Switch(121) != 0 && rate > 0) {
                return Label(in, 3) + " " + sign + FormatMoney(sale.Total()) + "  " +
                       config.Text(cfg::kSecondCurrencySign, 6) + FormatMoney(sale.Total() * rate);
            }
            return Label(in, 3) + ": " + sign + FormatMoney(sale.Total());
        }
        case 15:
            return std::to_string(config.CurrentAssociate()) + ", " + config.CurrentAssociateName();
        case 16:
            return Label(in, IsRefund(sale) ? 16 : 1) + ": " + std::to_string(sale.Number());
        case 17:
            return Label(in, 8) + ": " + FormatMoney(in.tender.tendered);
        case 18:
            if (IsRefund(sale)) return {};
            return Label(in, 9) + ": " + FormatMoney(in.tender.change);
        case 19: case 20: case 21:
            return config.Text(cfg::kShopTexts + cfg::kShopTextWidth * static_cast<std::size_t>(element - 19), cfg::kShopTextWidth);
        case 22:
            return PaymentLine(in);
        case 23: return sale.CustomerRoad();
        case 24: return sale.CustomerArea();
        case 25: return sale.CustomerTown();
        case 26: return sale.CustomerPostCode();
        case 27: return sale.CustomerTelephone();
        default:
            return {};
    }
}

int ReceiptElementLayoutRow(const TerminalConfig& config, int element) {
    std::int32_t row = 0;
    if (element >= 0 && element <= 18)
        row = config.Int32(cfg::kReceiptRows + 4 * static_cast<std::size_t>(element));
    else if (element >= 19 && element <= 21)
        row = config.Switch(161 + element);
    else if (element == 22)
        row = config.Switch(187);
    else if (element >= 23 && element <= 27)
        row = config.Switch(171 + element);
    return ClampRows(row);
}

int AddReceiptElement(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m, int element,
                      int centreX, double row, int mode) {
    if (element < 0 || element >= kReceiptElementCount) return -1;
    double used = row;
    if (mode == 0) {
        const int layoutRow = ReceiptElementLayoutRow(ConfigOf(in), element);
        if (layoutRow < 1) return -1;
        used = row + layoutRow;
    }
    std::string text = ReceiptElementText(element, in, mode == 0);
    if (!text.empty()) plan.Text(centreX, Y(used, m.lineHeight), Align::Centre, std::move(text));
    return static_cast<int>(used);
}

std::string BarcodeDigits(std::int64_t transactionNumber) {
    if (transactionNumber < 0) return {};
    std::string digits = std::to_string(transactionNumber);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

void AddTransactionBarcode(PagePlan& plan, const SaleDocumentInputs& in, const PageMetrics& m, double row,
                           int placement) {
    if (m.dotsPerInchX == 0 || m.dotsPerInchY == 0) {
        plan.Message("Unable to get printer");
        return;
    }
    std::string digits = BarcodeDigits(SaleOf(in).Number());
    if (digits.empty()) return;
    int top;
    if (row == 0) {
        const double fromBottom = placement != 0 ? 0.79 : 0.54;
        const double edge = m.pageHeight - m.dotsPerInchY * fromBottom - m.topOffset - 10;
        top = static_cast<int>(std::clamp(edge, -1e9, 1e9));
    } else {
        top = Y(row + 2, m.lineHeight);
    }
    plan.Barcode(m.halfWidth, top, std::move(digits));
}

PagePlan LayOutReceipt(const SaleDocumentInputs& in, const PageMetrics& m, int kind) {
    return kind == kCustomReceipt ? LayOutCustomReceipt(in, m) : LayOutStandardReceipt(in, m);
}

PagePlan LayOutKitchenTicket(const SaleDocumentInputs& in, const PageMetrics& m) {
    PagePlan plan;
    const TerminalConfig& config = ConfigOf(in);
    Centred(plan, m, 4, "Table: " + std::to_string(in.basketTable));
    Centred(plan, m, 5, kDoubleRule);
    Centred(plan, m, 6, in.nowClock);
    Centred(plan, m, 7, in.kitchenDate);
    Centred(plan, m, 8,
            "Associate: " + std::to_string(config.CurrentAssociate()) + ": " + config.CurrentAssociateName());
    Centred(plan, m, 9, kSingleRule);

    int row = AddStandardTotals(plan, in, m, AddStandardItems(plan, in, m, 0));
    ++row;  // blank
    row = AddTaxRates(plan, in, m, row);
    Centred(plan, m, ++row, "Transaction note:");
    const std::string note = SaleOf(in).Note();
    if (!note.empty()) {
        plan.Wrapped(Rect{0, Y(row + 1, m.lineHeight), 2 * m.halfWidth, Y(row + 4, m.lineHeight)}, note);
    }
    return plan;
}

}  // namespace print
