#include "printing/document_print.h"

#include <cstdio>
#include <cstring>

#include "customers/customer_window.h"
#include "printing/receipt_print.h"
#include "printing/render.h"
#include "shell/app_state.h"
#include "shell/terminal_hooks.h"

namespace print {

namespace {

constexpr int kBodyPoints = 9;
constexpr int kTitlePoints = 18;

// The custom invoice's header font: the device default font with the configured
// fields over it. Null when none is configured or it cannot be made.
HFONT CreateHeaderFont(const TerminalConfig& config) {
    const HeaderFontSettings wanted = CustomInvoiceHeaderFont(config);
    if (!wanted.configured) return nullptr;
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEVICE_DEFAULT_FONT), sizeof lf, &lf);
    lf.lfHeight = wanted.height;
    lf.lfWidth = wanted.width;
    lf.lfEscapement = wanted.escapement;
    lf.lfOrientation = wanted.orientation;
    lf.lfWeight = wanted.weight;
    lf.lfItalic = static_cast<BYTE>(wanted.italic);
    lf.lfUnderline = static_cast<BYTE>(wanted.underline);
    lf.lfStrikeOut = static_cast<BYTE>(wanted.strikeOut);
    lf.lfCharSet = static_cast<BYTE>(wanted.charSet);
    lf.lfOutPrecision = static_cast<BYTE>(wanted.outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(wanted.clipPrecision);
    lf.lfQuality = static_cast<BYTE>(wanted.quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(wanted.pitchAndFamily);
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", wanted.face.c_str());
    return CreateFontIndirectA(&lf);
}

void Delete(HGDIOBJ object) {
    if (object) DeleteObject(object);
}

}  // namespace

void PrintDocumentPage(HDC dc, int kind, PageState& pages) {
    PageFonts fonts;
    // The page is measured with the normal font; without it, with the printer's.
    fonts.body = CreatePrintFont(dc, kBodyPoints);
    HGDIOBJ previous = fonts.body ? SelectObject(dc, fonts.body) : nullptr;
    const PageMetrics metrics = MeasurePage(dc);
    fonts.bold = CreateFontA(-MulDiv(kBodyPoints, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, 0, 0, 0, 0,
                             0, 0, 0, 0, "Arial");
    fonts.title = CreateFontA(-MulDiv(kTitlePoints, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, 0, 0, 0,
                              0, 0, 0, 0, 0, "Arial");
    if (kind == kCustomInvoice) fonts.header = CreateHeaderFont(g_app.live);

    SaleDocumentInputs in = CurrentSaleInputs();
    in.customerTerms = CurrentCustomer().Terms();
    PageLogos logos;
    logos.letter = LoadLogo("letter.bmp", in.letterLogo);

    const PagePlan plan = LayOutDocument(in, metrics, kind, pages);
    RenderPlan(dc, plan, fonts, logos);

    if (previous) SelectObject(dc, previous);
    Delete(logos.letter);
    Delete(fonts.header);
    Delete(fonts.title);
    Delete(fonts.bold);
    Delete(fonts.body);
}

}  // namespace print
