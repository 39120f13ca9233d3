#include "printing/receipt_print.h"

#include <cstdio>
#include <cstring>

#include "customers/customer_window.h"
#include "logs/day_log.h"
#include "payment/commit_window.h"
#include "printing/render.h"
#include "shell/app_state.h"
#include "shell/message_box.h"
#include "shell/terminal_hooks.h"

namespace print {

namespace {

constexpr int kReceiptFontSwitch = 34;
constexpr std::size_t kKitchenDateLimit = 19;

std::string LongDate(const LocalTime& t) {
    char text[64] = {};
    if (FormatDateWithLocale(t, "MMM d yyyy", text, static_cast<int>(sizeof text)) <= 0) return {};
    text[sizeof text - 1] = 0;
    return text;
}

// The activity log's display date, or the plain numbers when the locale refuses it
// or makes it too long for the ticket.
std::string KitchenDate(const LocalTime& t) {
    ClockText text;
    std::snprintf(text, kClockTextSize, "00:00%2d/%2d/%d", t.day, t.month, t.year);
    if (ConvertDateText(text, t, FormatDateWithLocale) && std::strlen(text) <= kKitchenDateLimit) return text;
    std::snprintf(text, kClockTextSize, "D:%2d M:%2d Y:%d", t.day, t.month, t.year);
    return text;
}

// The receipt font of the live configuration, selected into `dc`; restores and
// deletes it when the drawing is done.
class ReceiptFont {
public:
    explicit ReceiptFont(HDC dc) : dc_(dc) {
        const int points = ReceiptFontPoints(g_app.live.Switch(kReceiptFontSwitch));
        if (points == 0) return;
        font_ = CreatePrintFont(dc, points);
        if (font_) previous_ = SelectObject(dc, font_);
    }
    ~ReceiptFont() {
        if (previous_) SelectObject(dc_, previous_);
        if (font_) DeleteObject(font_);
    }
    ReceiptFont(const ReceiptFont&) = delete;
    ReceiptFont& operator=(const ReceiptFont&) = delete;
    HFONT font() const { return font_; }

private:
    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace

HBITMAP LoadLogo(const char* fileName, PictureSize& size) {
    char path[MAX_PATH + 32];
    std::snprintf(path, sizeof path, "%s\\%s", g_app.dataDir, fileName);
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    size = {};
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) size = {info.bmWidth, info.bmHeight};
    return bitmap;
}

int ReceiptFontPoints(std::int32_t fontSwitch) {
    switch (fontSwitch) {
        case 0: return 0;
        case 1: return 9;
        case 2: return 10;
        case 3: return 11;
        default: return 12;
    }
}

HFONT CreatePrintFont(HDC dc, int points, int weight) {
    const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    HFONT font = CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    if (!font) ShowMessage(g_app.mainWindow, "Unable set font", "Problem");
    return font;
}

SaleDocumentInputs CurrentSaleInputs() {
    SaleDocumentInputs in;
    in.sale = &g_app.basket;
    in.config = &g_app.live;
    in.labels = &g_app.labels;
    in.headers = &g_app.headers;
    in.tender = g_saleTender;
    const CustomerRecord& customer = CurrentCustomer();
    in.customerNumber = customer.Number();
    in.customerName = customer.Name();
    in.basketTable = g_app.basketTable;
    RefreshClock();
    const LocalTime now = g_localTime;
    in.nowClock = HourMinuteText(now);
    in.todayLong = LongDate(now);
    in.kitchenDate = KitchenDate(now);
    return in;
}

void PrintReceipt(HDC dc, int kind) {
    ReceiptFont font(dc);
    const PageMetrics metrics = MeasurePage(dc);
    SaleDocumentInputs in = CurrentSaleInputs();
    HBITMAP logo = LoadLogo("receipt.bmp", in.receiptLogo);
    const PagePlan plan = LayOutReceipt(in, metrics, kind);
    PageFonts fonts;
    fonts.body = font.font();
    PageLogos logos;
    logos.receipt = logo;
    RenderPlan(dc, plan, fonts, logos);
    if (logo) DeleteObject(logo);
}

void PrintKitchenTicketPage(HDC dc) {
    ReceiptFont font(dc);
    const PageMetrics metrics = MeasurePage(dc);
    const PagePlan plan = LayOutKitchenTicket(CurrentSaleInputs(), metrics);
    PageFonts fonts;
    fonts.body = font.font();
    RenderPlan(dc, plan, fonts, PageLogos{});
}

}  // namespace print
