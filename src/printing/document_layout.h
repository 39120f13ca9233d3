// The layout of the four business documents ("Invoice 1", "Invoice 2", the custom
// invoice and the delivery note) as PagePlans, one page per call. Portable: the
// Windows side makes the fonts, measures the page and renders the plan.
#pragma once
#include <cstdint>
#include <string>

#include "printing/page_plan.h"
#include "printing/receipt_layout.h"

namespace print {

// The page frame every document is placed in, device units.
struct DocumentFrame {
    int lh = 0;        // line height (100 when the device reports none)
    int W2 = 0;        // page centre (2480 when the device reports no width)
    int H = 0;         // page height (7016 when the device reports none)
    int ox = 0;        // left offset
    int oy = 0;        // top offset
    int inch = 0;      // vertical dots per inch
    int W = 0;         // right edge, 2 x W2
    int F = 0;         // usable bottom, H - oy
    int T = 0;         // top band, 2 x H / 40
    int avg = 0;       // average character width
    bool defaulted = false;  // the line height fell back to 100
};

DocumentFrame MeasureFrame(const PageMetrics& m);

// The terms line: "Terms: " + discount + days. Invoice 2 writes "5% disc" and
// ", 30 days"; the delivery note and the custom invoice "5% disc, " and "30 days".
enum class TermsForm { Invoice, DeliveryNote };
std::string TermsText(const TerminalConfig& config, const LabelTable& labels, int termsIndex, TermsForm form);

// The custom invoice's configured header font: LOGFONT fields over the device
// default font, and the face name. `configured` is false when the normal font is used.
struct HeaderFontSettings {
    bool configured = false;
    std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    std::int32_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
    std::int32_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    std::string face;  // at most 31 characters
};
HeaderFontSettings CustomInvoiceHeaderFont(const TerminalConfig& config);

// One page of document `kind`, starting at pages.nextLine. Raises pages.page (and
// moves pages.nextLine) when the items or the summary continue on another page.
PagePlan LayOutDocument(const SaleDocumentInputs& in, const PageMetrics& m, int kind, PageState& pages);

}  // namespace print
