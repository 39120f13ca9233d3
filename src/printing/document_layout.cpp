#include "printing/document_layout.h"

#include <algorithm>
#include <cstring>

#include "basket/money.h"

namespace print {

namespace {

constexpr int kFramePen = 8;
constexpr int kThinBand = 20;
constexpr const char* kNoCustomer = "Not Applicable";
constexpr const char* kInvoiceDots = "...........................";  // 27
constexpr const char* kShortDots = ".......................";       // 23

// Label table entries the documents print.
enum Label {
    kInvoiceTitle = 17, kOrderNumber = 18, kAssociateLabel = 19, kDescription = 20, kProductCode = 21,
    kLineCost = 22, kSubtotal = 23, kTotalLabel = 24, kDiscountLabel = 25, kCustomerLabel = 26,
    kCustomerNo = 27, kTelephone = 28, kItems = 29, kNonTx = 30, kTaxableLabel = 31, kAuthorized = 32,
    kReceived = 33, kTerms = 35,
};

// Custom invoice layout switches: the row of each block (0 = not printed).
enum CustomSwitch {
    kFirstHeaderRow = 140, kTimeRow = 146, kItemsRow = 147, kAddressRow = 148, kTermsRow = 149,
    kCustomerNoRow = 150, kSubtotalRow = 151, kTaxRow = 152, kDiscountRow = 153, kTotalRow = 154,
    kAssociateRow = 155, kNumberRow = 156, kBalanceRow = 157, kSignatureRow = 160, kFrameRow = 161,
    kLogoRow = 162, kNoteRow = 164,
};
constexpr int kNoLetterLogo = 163;  // 0 = logo on the invoices

std::string Money(double v) { return FormatMoney(v); }

// Everything one page's layout reads, with the frame already measured.
struct Page {
    const SaleDocumentInputs& in;
    const TransactionRecord& sale;
    const TerminalConfig& config;
    const LabelTable& labels;
    const PageMetrics& metrics;
    DocumentFrame f;
    PagePlan& plan;
    PageState& pages;
    std::array<int, txn::kMaxLines> counts{};
    int lineCount = 0;
    bool hasCustomer = false;

    std::string L(int n) const { return labels.Entry(n); }
    int Y(double row) const { return RowY(row, f.lh); }
    int Lh(double rows) const { return RowY(rows, f.lh); }
    int AcrossLeft() const { return f.ox + 10; }
    int AcrossRight() const { return f.W - f.ox - 20; }
    int AmountRight() const { return f.W - f.ox - 60; }
    int CodeColumn() const { return f.ox + 80 + 42 * f.avg; }
    int LastPrintable() const { return f.F - f.inch; }

    void Text(int x, int y, Align a, const std::string& text, FontRole font = FontRole::Body) {
        if (!text.empty()) plan.Text(x, y, a, text, font);
    }
    void Across(int y) { plan.Line(AcrossLeft(), y, AcrossRight(), y, kFramePen); }
    // Built in place: a temporary variant of a band sets off a false uninitialised warning.
    void Band(const Rect& box) { plan.items.emplace_back(std::in_place_type<BandItem>, BandItem{box}); }
    void ThinBand(int y) { Band(Rect{AcrossLeft(), y, AcrossRight(), y + kThinBand}); }
    void WideBand(double fromRow) { Band(Rect{AcrossLeft(), Y(fromRow), AcrossRight(), Y(fromRow + 2)}); }

    std::string CurrencySign() const { return config.Text(cfg::kCurrencySign, 6); }
    std::string Tax1Name() const { return config.Text(cfg::kTax1Name, cfg::kTaxNameWidth); }
    std::string Tax2Name() const { return config.Text(cfg::kTax2Name, cfg::kTaxNameWidth); }
    std::string TimeAndDate() const { return sale.Time() + "  " + sale.Date(); }
    std::string AssociateLine() const { return L(kAssociateLabel) + ": " + config.CurrentAssociateName(); }
    std::string TotalLine() const { return L(kTotalLabel) + ": " + CurrencySign() + Money(sale.Total()); }
    std::string CustomerNumberLine() const {
        return L(kCustomerNo) + ": " + std::to_string(sale.CustomerNumber());
    }
    std::string Element(int e) const { return ReceiptElementText(e, in, false); }
};

// ---------------------------------------------------------------------------------
// Blocks shared by several documents.

void AddLetterLogo(Page& p, int x, int y, int rowsHigh) {
    const PictureSize& size = p.in.letterLogo;
    if (!size.loaded()) return;
    int height = rowsHigh * p.f.lh;
    int width = static_cast<int>(static_cast<long long>(height) * size.width / size.height);
    p.plan.Logo(Picture::LetterLogo, Rect{x, y, x + width, y + height});
}

void AddBarcode(Page& p) {
    // The bars keep the device's own offsets; the sizes take the frame's fallbacks.
    PageMetrics m = p.metrics;
    m.lineHeight = p.f.lh;
    m.halfWidth = p.f.W2;
    m.pageHeight = p.f.H;
    AddTransactionBarcode(p.plan, p.in, m, 0, 2);
}

// Bottom left and bottom right texts, each with its dotted line under it.
void AddSignatures(Page& p, const std::string& leftTop, const std::string& leftBottom, const std::string& rightLabel,
                   const char* dots) {
    int top = p.f.F - 10 - 4 * p.f.lh;
    int bottom = p.f.F - p.Lh(2.5);
    p.Text(p.f.ox + 60, top, Align::Left, leftTop);
    p.Text(p.f.ox + 60, bottom, Align::Left, leftBottom);
    p.Text(p.AmountRight(), top, Align::Right, rightLabel);
    p.Text(p.AmountRight(), bottom, Align::Right, dots);
}

void AddInvoiceSignatures(Page& p, const char* dots) {
    AddSignatures(p, p.L(kAuthorized), dots, p.L(kReceived), dots);
}

void AddHeadingBand(Page& p, double labelRow, bool productCode) {
    p.WideBand(labelRow - 0.5);
    int y = p.Y(labelRow);
    p.Text(p.f.ox + 40, y, Align::Left, p.L(kDescription), FontRole::Bold);
    if (productCode) {
        p.Text(p.CodeColumn(), y, Align::Left, p.L(kProductCode), FontRole::Bold);
        p.Text(p.AmountRight(), y, Align::Right, p.L(kLineCost), FontRole::Bold);
    } else {
        // The amounts stand in the product code column on these documents.
        p.Text(p.CodeColumn(), y, Align::Left, p.L(kLineCost), FontRole::Bold);
    }
}

// The box around the page: the top line, both sides and the bottom at F - 10.
void AddFrame(Page& p, double topRow) {
    int top = p.Y(topRow);
    int bottom = p.f.F - 10;
    p.Across(top);
    p.plan.Line(p.AcrossLeft(), top, p.AcrossLeft(), bottom, kFramePen);
    p.plan.Line(p.AcrossRight(), top, p.AcrossRight(), bottom, kFramePen);
    p.Across(bottom);
}

struct ItemList {
    int r = 0;              // the row counter after the last item
    int printed = 0;        // groups printed on this page
    bool continues = false; // more items follow on the next page
};

struct ItemStyle {
    int rowBase = 20;        // item row = rowBase + counter
    int firstCounter = 1;
    int breakRows = 32;      // a page ends when (counter + breakRows) x lh passes F - inch
    bool productCode = true; // the product code column; otherwise amounts stand there, left-aligned
};

bool PrintableLineAfter(const Page& p, int i) {
    for (int j = i + 1; j < p.lineCount; ++j)
        if (p.counts[j] > 0) return true;
    return false;
}

ItemList AddItems(Page& p, const ItemStyle& style) {
    ItemList list;
    list.r = style.firstCounter;
    int descX = p.f.ox + 80;
    for (int i = std::max(p.pages.nextLine, 0); i < p.lineCount; ++i) {
        int count = p.counts[i];
        if (count <= 0) continue;
        int y = p.Y(style.rowBase + list.r);
        p.Text(descX, y, Align::Left, p.sale.LineDescription(i));
        if (style.productCode) {
            std::int64_t number = p.sale.LineItemNumber(i);
            p.Text(p.CodeColumn(), y, Align::Left, number == 0 ? std::string("-") : std::to_string(number));
        }
        double net = p.sale.LineNonTaxable(i) + p.sale.LineTaxable(i);
        int amountX = style.productCode ? p.AmountRight() : p.CodeColumn();
        Align amountAlign = style.productCode ? Align::Right : Align::Left;
        if (count == 1) {
            p.Text(amountX, y, amountAlign, Money(net));
            list.r += 1;
        } else {
            int y2 = p.Y(style.rowBase + list.r + 1);
            p.Text(descX, y2, Align::Left, std::to_string(count) + " @ " + Money(net));
            p.Text(amountX, y2, amountAlign, Money(count * net));
            list.r += 2;
        }
        ++list.printed;
        // A page never ends on its last item: what follows the items decides for itself.
        if (p.LastPrintable() < (list.r + style.breakRows) * p.f.lh && PrintableLineAfter(p, i)) {
            p.pages.page += 1;
            p.pages.nextLine = i + 1;
            list.continues = true;
            break;
        }
    }
    return list;
}

// The line between descriptions and amounts: to the bottom of a continued page, or
// closed under the last item with a line across.
void AddColumnLine(Page& p, const ItemStyle& style, double fromRow, const ItemList& list) {
    int x = p.f.ox + 80 + 41 * p.f.avg;
    if (list.continues) {
        p.plan.Line(x, p.Y(fromRow), x, p.LastPrintable(), kFramePen);
        return;
    }
    int end = p.Y(style.rowBase + list.r + 1.5);
    p.plan.Line(x, p.Y(fromRow), x, end, kFramePen);
    p.Across(end);
}

// The summary moves to a page of its own; that page prints no item lines.
void MoveSummaryToNextPage(Page& p) {
    p.pages.page += 1;
    p.pages.nextLine = p.lineCount;
}

void AddSubtotalUnderItems(Page& p, const ItemList& list) {
    if ((list.r + 34) * p.f.lh > p.LastPrintable()) return;
    p.Text(p.f.ox + 40, p.Y(list.r + 22), Align::Left,
           p.L(kSubtotal) + ": " + p.CurrencySign() + Money(p.sale.SubTotal()));
    p.ThinBand(p.Y(list.r + 23.5));
}

// The summary area above the bottom inch of the invoices.
void AddSummaryArea(Page& p, bool invoice2) {
    const DocumentFrame& f = p.f;
    int top = f.F - 2 * f.inch;
    int S = top + 40;
    int rows[4] = {S, S + f.lh, S + 2 * f.lh, S + 3 * f.lh};
    std::string number = p.hasCustomer ? std::to_string(p.sale.CustomerNumber()) : std::string(kNoCustomer);
    std::string lines = std::to_string(p.lineCount);
    std::string left[4];
    std::string values[4];
    if (invoice2) {
        std::string l[4] = {p.L(kCustomerNo), p.L(kCustomerLabel), p.L(kTelephone), p.L(kItems)};
        std::string v[4] = {number, p.hasCustomer ? p.sale.CustomerName() : "",
                            p.hasCustomer ? p.sale.CustomerTelephone() : "", lines};
        std::copy(l, l + 4, left);
        std::copy(v, v + 4, values);
    } else {
        std::string l[4] = {p.L(kCustomerNo), p.L(kTelephone), "NOTES", p.L(kItems)};
        std::string v[4] = {number, p.hasCustomer ? p.sale.CustomerTelephone() : "", p.sale.Note(), lines};
        std::copy(l, l + 4, left);
        std::copy(v, v + 4, values);
    }
    std::string middle[4] = {p.L(kNonTx), p.L(kTaxableLabel), p.L(kDiscountLabel), p.L(kSubtotal)};
    double amounts[4] = {p.sale.NonTaxableTotal(), p.sale.TaxableTotal(), p.sale.DiscountTotal(), p.sale.SubTotal()};
    int middleValueX = 3 * f.W2 / 2 - 40;
    for (int k = 0; k < 4; ++k) {
        p.Text(f.ox + 60, rows[k], Align::Left, left[k]);
        p.Text(f.W2 / 2, rows[k], Align::Left, values[k]);
        p.Text(f.W2 + 30, rows[k], Align::Left, middle[k]);
        p.Text(middleValueX, rows[k], Align::Right, Money(amounts[k]));
    }
    int rightX = 3 * f.W2 / 2 + 40;
    p.Text(rightX, rows[0], Align::Left, p.Tax1Name());
    p.Text(p.AmountRight(), rows[0], Align::Right, Money(p.sale.Tax1Total()));
    p.Text(rightX, rows[1], Align::Left, p.Tax2Name());
    p.Text(p.AmountRight(), rows[1], Align::Right, Money(p.sale.Tax2Total()));
    p.Text(p.AmountRight(), f.F - f.inch + 20 - p.Lh(1.5), Align::Right, p.TotalLine(), FontRole::Bold);
    p.plan.Line(f.W2, top, f.W2, f.F - f.inch + 20, kFramePen);
    p.ThinBand(top);
}

// The customer's number, name and address on six rows from `row`, then a line across.
void AddCustomerAddress(Page& p, int x, double row, bool withNumber) {
    if (withNumber) {
        p.Text(x, p.Y(row), Align::Left, p.CustomerNumberLine());
        row += 1;
    }
    std::string texts[5] = {p.sale.CustomerName(), p.sale.CustomerRoad(), p.sale.CustomerArea(), p.sale.CustomerTown(),
                            p.sale.CustomerPostCode()};
    for (int k = 0; k < 5; ++k) p.Text(x, p.Y(row + k), Align::Left, texts[k]);
    p.Across(p.Y(row + 5.5));
}

// Header texts 1, 2, 3 and 6 as receipt elements, centred from `firstRow`.
void AddHeaderElements(Page& p, int firstRow) {
    const int elements[4] = {0, 1, 2, 5};
    for (int k = 0; k < 4; ++k)
        p.Text(p.f.W2, p.Y(firstRow + k), Align::Centre, p.Element(elements[k]));
}

// The number band of Invoice 2 and the delivery note, the time and the associate.
void AddReferenceBlock(Page& p, const std::string& reference) {
    p.WideBand(12.5);
    p.Text(p.f.ox + 40, p.Y(13), Align::Left, reference, FontRole::Bold);
    p.Text(p.f.ox + 40, p.Y(15), Align::Left, p.TimeAndDate());
    p.Text(p.f.ox + 40, p.Y(16), Align::Left, p.AssociateLine());
}

std::string OrderNumberLine(const Page& p) { return p.L(kOrderNumber) + ": " + std::to_string(p.sale.Number()); }

// ---------------------------------------------------------------------------------

void LayOutInvoice1(Page& p) {
    const DocumentFrame& f = p.f;
    bool logo = p.config.Switch(kNoLetterLogo) == 0 && p.in.letterLogo.loaded();
    if (logo) AddLetterLogo(p, f.ox + 40, f.T + 2 * f.lh, 6);
    p.Text(f.ox + 40, p.Y(3), Align::Left, p.Element(0), FontRole::Title);
    int infoX = static_cast<int>(1.2 * f.W2);
    p.Text(infoX, p.Y(3), Align::Left, p.L(kInvoiceTitle), FontRole::Title);

    AddBarcode(p);
    AddInvoiceSignatures(p, kInvoiceDots);
    p.ThinBand(p.LastPrintable());

    p.Text(infoX, f.T + 2 * f.lh, Align::Left, OrderNumberLine(p), FontRole::Bold);
    p.Text(infoX, f.T + 3 * f.lh, Align::Left, p.TimeAndDate(), FontRole::Bold);
    p.Text(infoX, f.T + 4 * f.lh, Align::Left, p.AssociateLine(), FontRole::Bold);
    p.Text(infoX, f.T + 5 * f.lh, Align::Left,
           p.hasCustomer ? "Customer code: " + std::to_string(p.sale.CustomerNumber()) : "Customer code: N/A",
           FontRole::Bold);

    AddHeadingBand(p, 18, true);

    int addressX = logo ? f.ox + 40 + 7 * f.lh : f.ox + 40;
    auto address = [&](int k, const std::string& text) {
        p.Text(addressX, f.T + k * f.lh, Align::Left, text, FontRole::Bold);
    };
    address(2, p.Element(1));
    address(3, p.Element(2));
    address(4, p.Element(5));
    address(6, p.L(kCustomerLabel));
    address(7, p.hasCustomer ? p.sale.CustomerName() : "NAME:");
    address(8, p.hasCustomer ? p.sale.CustomerRoad() : "ADDRESS:");
    address(9, p.hasCustomer ? p.sale.CustomerArea() : "TELEPHONE:");
    if (p.hasCustomer) {
        address(10, p.sale.CustomerTown());
        address(11, p.sale.CustomerPostCode());
    }

    AddFrame(p, 17.5);
    ItemStyle style;
    ItemList list = AddItems(p, style);
    AddColumnLine(p, style, 17.5, list);
    if (list.continues) return;
    AddSubtotalUnderItems(p, list);
    AddSummaryArea(p, false);
}

void LayOutInvoice2(Page& p) {
    const DocumentFrame& f = p.f;
    if (p.config.Switch(kNoLetterLogo) == 0) AddLetterLogo(p, f.ox + 10, f.lh, 11);
    p.Text(p.AcrossRight(), p.Y(3), Align::Right, p.L(kInvoiceTitle), FontRole::Title);
    AddHeaderElements(p, 5);

    AddBarcode(p);
    AddInvoiceSignatures(p, kInvoiceDots);
    p.ThinBand(p.LastPrintable());

    AddReferenceBlock(p, OrderNumberLine(p));
    AddHeadingBand(p, 18, true);
    AddFrame(p, 12.5);
    p.Across(p.Y(17.5));

    ItemStyle style;
    ItemList list = AddItems(p, style);
    AddColumnLine(p, style, 17.5, list);
    if (list.continues) return;

    bool fits = !p.hasCustomer || (list.r + 42) * f.lh <= p.LastPrintable() || list.printed == 0;
    if (!fits) {
        MoveSummaryToNextPage(p);
        return;
    }
    AddSubtotalUnderItems(p, list);
    AddSummaryArea(p, true);
    if (p.hasCustomer) {
        AddCustomerAddress(p, f.ox + 40, list.r + 25, true);
        p.Text(f.ox + 40, p.Y(list.r + 32), Align::Left,
               TermsText(p.config, p.labels, p.in.customerTerms, TermsForm::Invoice));
    }
}

// The totals of the delivery note under the items, from row counter t; returns t.
int AddDeliveryTotals(Page& p, int t) {
    int x = p.f.ox + 40;
    double tax1 = p.sale.Tax1Total();
    double tax2 = p.sale.Tax2Total();
    bool taxed = tax1 != 0 || tax2 != 0;
    if (taxed) {
        t += 2;
        p.Text(x, p.Y(t + 20), Align::Left, p.L(kSubtotal) + ": " + Money(p.sale.SubTotal()));
        if (tax1 != 0) {
            t += 1;
            p.Text(x, p.Y(t + 20), Align::Left, p.Tax1Name() + ": " + Money(tax1));
        }
        if (tax2 != 0) {
            t += 1;
            p.Text(x, p.Y(t + 20), Align::Left, p.Tax2Name() + ": " + Money(tax2));
        }
    } else {
        t += 1;
    }
    if (p.sale.DiscountTotal() != 0) {
        if (!taxed) {
            t += 1;
            p.Text(x, p.Y(t + 20), Align::Left, p.L(kLineCost) + ": " + Money(p.sale.SubTotal()));
        }
        t += 1;
        p.Text(x, p.Y(t + 20), Align::Left, p.L(kDiscountLabel) + ": (" + Money(p.sale.DiscountTotal()) + ")");
    }
    p.Text(x, p.Y(t + 22), Align::Left, p.TotalLine(), FontRole::Bold);
    p.ThinBand(p.Y(t + 23.5));
    return t;
}

void AddBalances(Page& p, double row) {
    p.Text(p.f.ox + 40, p.Y(row), Align::Left, "Previous balance: " + Money(p.sale.BalanceBefore()));
    p.Text(p.f.W2, p.Y(row + 1), Align::Centre, "Balance: " + Money(p.sale.BalanceAfter()));
}

void LayOutDeliveryNote(Page& p) {
    const DocumentFrame& f = p.f;
    AddLetterLogo(p, f.ox + 10, f.lh, 11);
    p.Text(f.W2, p.Y(3), Align::Centre, "Delivery Note", FontRole::Title);
    AddHeaderElements(p, 6);

    AddBarcode(p);
    AddSignatures(p, "Shortages must be", "notified within 3 days", p.L(kAuthorized), kShortDots);
    p.ThinBand(p.LastPrintable());

    AddReferenceBlock(p, "Transaction reference: " + std::to_string(p.sale.Number()));
    AddHeadingBand(p, 18, false);
    AddFrame(p, 12.5);
    p.Across(p.Y(17.5));

    ItemStyle style;
    style.breakRows = 25;
    style.productCode = false;
    ItemList list = AddItems(p, style);
    AddColumnLine(p, style, 17.5, list);
    if (list.continues) return;

    int needed = p.hasCustomer ? 34 : 29;
    if ((list.r + needed) * f.lh > p.LastPrintable() && list.printed > 0) {
        MoveSummaryToNextPage(p);
        return;
    }
    int t = AddDeliveryTotals(p, list.r);
    if (!p.hasCustomer) return;
    AddCustomerAddress(p, f.ox + 40, t + 24, true);
    p.Text(f.ox + 40, p.Y(t + 31), Align::Left,
           TermsText(p.config, p.labels, p.in.customerTerms, TermsForm::DeliveryNote));
    AddBalances(p, t + 32);
}

void LayOutCustomInvoice(Page& p) {
    const DocumentFrame& f = p.f;
    auto row = [&](int s) { return ClampRows(p.config.Switch(s)); };
    int x = f.ox + 40;

    if (row(kLogoRow)) AddLetterLogo(p, f.ox + 10, f.lh, 11);
    if (row(kFrameRow)) {
        AddFrame(p, 12.5);
        p.Across(p.Y(17.5));
    }
    p.Text(f.W2, p.Y(3), Align::Centre, p.L(kInvoiceTitle), FontRole::Title);
    for (int e = 0; e < 6; ++e)
        if (int s = row(kFirstHeaderRow + e)) p.Text(f.W2, p.Y(s), Align::Centre, p.Element(e), FontRole::Header);
    if (int s = row(kNumberRow)) {
        p.WideBand(s - 0.5);
        p.Text(x, p.Y(s), Align::Left, OrderNumberLine(p), FontRole::Bold);
    }
    if (int s = row(kTimeRow)) p.Text(x, p.Y(s), Align::Left, p.TimeAndDate());
    if (int s = row(kAssociateRow)) p.Text(x, p.Y(s), Align::Left, p.AssociateLine());
    if (p.hasCustomer) {
        if (int s = row(kAddressRow)) AddCustomerAddress(p, x, s, false);
        if (int s = row(kTermsRow))
            p.Text(x, p.Y(s), Align::Left, TermsText(p.config, p.labels, p.in.customerTerms, TermsForm::DeliveryNote));
        if (int s = row(kCustomerNoRow)) p.Text(x, p.Y(s), Align::Left, p.CustomerNumberLine());
    }
    if (int s = row(kNoteRow)) p.Text(x, p.Y(s), Align::Left, p.sale.Note());
    if (row(kSignatureRow)) {
        AddBarcode(p);
        AddInvoiceSignatures(p, kShortDots);
    }

    if (int s = row(kItemsRow)) {
        AddHeadingBand(p, s, false);
        ItemStyle style;
        style.rowBase = s + 2;
        style.firstCounter = 0;
        style.productCode = false;
        ItemList list = AddItems(p, style);
        AddColumnLine(p, style, s + 1.5, list);
        if (list.continues) return;
    }

    // The totals close the document: last page only.
    if (int s = row(kSubtotalRow)) p.Text(x, p.Y(s), Align::Left, p.L(kLineCost) + ": " + Money(p.sale.SubTotal()));
    if (int s = row(kTaxRow)) {
        if (p.sale.Tax1Total() != 0) p.Text(x, p.Y(s++), Align::Left, p.Tax1Name() + ": " + Money(p.sale.Tax1Total()));
        if (p.sale.Tax2Total() != 0) p.Text(x, p.Y(s), Align::Left, p.Tax2Name() + ": " + Money(p.sale.Tax2Total()));
    }
    if (int s = row(kDiscountRow); s && p.sale.DiscountTotal() != 0)
        p.Text(x, p.Y(s), Align::Left, p.L(kDiscountLabel) + ": (" + Money(p.sale.DiscountTotal()) + ")");
    if (int s = row(kTotalRow)) {
        p.Text(x, p.Y(s), Align::Left, p.TotalLine(), FontRole::Bold);
        p.ThinBand(p.Y(s + 1.5));
    }
    if (int s = row(kBalanceRow); s && p.hasCustomer) AddBalances(p, s);
}

}  // namespace

DocumentFrame MeasureFrame(const PageMetrics& m) {
    DocumentFrame f;
    f.lh = m.lineHeight;
    if (f.lh <= 0) {
        f.lh = 100;
        f.defaulted = true;
    }
    f.W2 = m.halfWidth != 0 ? m.halfWidth : 2480;
    f.H = m.pageHeight != 0 ? m.pageHeight : 7016;
    f.ox = m.leftOffset;
    f.oy = m.topOffset;
    f.inch = m.dotsPerInchY;
    // A device without margins still gets a quarter inch round the text. The printable
    // width is twice the half width, or one more when it is odd.
    int printable = 2 * m.halfWidth;
    bool noMargin = m.physicalWidth == printable || m.physicalWidth == printable + 1;
    if (noMargin && f.ox == 0 && f.inch != 0) f.ox = f.oy = f.inch / 4;
    f.W = 2 * f.W2;
    f.F = f.H - f.oy;
    f.T = 2 * f.H / 40;
    f.avg = m.averageCharWidth;
    return f;
}

std::string TermsText(const TerminalConfig& config, const LabelTable& labels, int termsIndex, TermsForm form) {
    static const char* const kDiscounts[] = {"Nett", "2% disc", "5% disc", "10% disc",
                                             "20% disc", "30% disc", "40% disc", "50% disc"};
    static const char* const kDays[] = {"10 days", "20 days", "30 days", "60 days",
                                        "90 days", "120 days", "180 days"};
    std::string text = labels.Entry(kTerms) + ": ";
    // Entry 0 of the discount table is the receipt printer's index, not a term.
    if (termsIndex < 1 || termsIndex > 9) return text;
    std::int32_t discount = config.Int32(cfg::kTermCodes + 4 * static_cast<std::size_t>(termsIndex));
    std::int64_t days = config.Option(20 + termsIndex);
    bool invoice = form == TermsForm::Invoice;
    if (discount >= 1 && discount <= 8) {
        text += kDiscounts[discount - 1];
        if (!invoice) text += ", ";
    }
    if (days >= 2 && days <= 8) {
        if (invoice) text += ", ";
        text += kDays[days - 2];
    }
    return text;
}

HeaderFontSettings CustomInvoiceHeaderFont(const TerminalConfig& config) {
    HeaderFontSettings font;
    auto entry = [&](int k) { return config.Int32(cfg::kAssociateFlags + 4 * static_cast<std::size_t>(k)); };
    if (entry(101) == 0) return font;
    font.configured = true;
    std::int32_t* fields[] = {&font.height,       &font.width,         &font.escapement, &font.orientation,
                              &font.weight,       &font.italic,        &font.underline,  &font.strikeOut,
                              &font.charSet,      &font.outPrecision,  &font.clipPrecision,
                              &font.quality,      &font.pitchAndFamily};
    for (int k = 0; k < 13; ++k) *fields[k] = entry(102 + k);
    font.face = config.Text(cfg::kPrinterPortBlock, 200).substr(0, 31);
    return font;
}

PagePlan LayOutDocument(const SaleDocumentInputs& in, const PageMetrics& m, int kind, PageState& pages) {
    PagePlan plan;
    if (!in.sale || !in.config || !in.labels) return plan;
    Page p{in, *in.sale, *in.config, *in.labels, m, MeasureFrame(m), plan, pages};
    if (p.f.defaulted) plan.Message("Printer detail unavailable, using defaults");
    p.lineCount = std::clamp<int>(p.sale.LineCount(), 0, txn::kMaxLines);
    p.counts = GroupLines(p.sale, Grouping::Document);
    p.hasCustomer = p.sale.CustomerNumber() != 0;
    switch (kind) {
        case kInvoice1: LayOutInvoice1(p); break;
        case kInvoice2: LayOutInvoice2(p); break;
        case kDeliveryNote: LayOutDeliveryNote(p); break;
        case kCustomInvoice: LayOutCustomInvoice(p); break;
        default: break;
    }
    return plan;
}

}  // namespace print
