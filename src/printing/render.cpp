#include "printing/render.h"

#include <string>

#include "printing/code39.h"
#include "shell/app_state.h"
#include "shell/message_box.h"

namespace print {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBandGrey = RGB(230, 230, 230);

// Barcode geometry in 0.01 mm.
constexpr int kModuleWidth = 40;
constexpr int kBarHeight = 1000;

int WrappedHeightOn(HDC dc, const std::string& text, int width) {
    RECT r{0, 0, width, 0};
    return DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
}

UINT TextAlignFlags(Align align) {
    UINT horizontal = align == Align::Centre ? TA_CENTER : align == Align::Right ? TA_RIGHT : TA_LEFT;
    return horizontal | TA_TOP | TA_NOUPDATECP;
}

// Draws the items with the DC's state saved by the caller; selects and creates only
// what an item needs and puts each pen, brush and bitmap back straight away.
class PlanPainter {
public:
    PlanPainter(HDC dc, const PageFonts& fonts, const PageLogos& logos, HGDIOBJ originalFont)
        : dc_(dc), fonts_(fonts), logos_(logos), originalFont_(originalFont) {}

    void operator()(const TextItem& t) {
        UseFont(t.font);
        SetTextAlign(dc_, TextAlignFlags(t.align));
        TextOutA(dc_, t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
    }

    void operator()(const WrappedTextItem& w) {
        UseFont(w.font);
        RECT r{w.box.left, w.box.top, w.box.right, w.box.bottom};
        // DrawText ignores the text alignment; set it so later texts do not inherit one.
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        DrawTextA(dc_, w.text.c_str(), static_cast<int>(w.text.size()), &r, DT_CENTER | DT_WORDBREAK);
    }

    void operator()(const LineItem& l) {
        HPEN pen = l.penWidth > 0 ? CreatePen(PS_SOLID, l.penWidth, kBlack) : nullptr;
        HGDIOBJ old = SelectObject(dc_, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(BLACK_PEN));
        MoveToEx(dc_, l.x1, l.y1, nullptr);
        LineTo(dc_, l.x2, l.y2);
        SelectObject(dc_, old);
        if (pen) DeleteObject(pen);
    }

    void operator()(const BandItem& b) {
        HBRUSH brush = CreateSolidBrush(kBandGrey);
        if (!brush) return;
        RECT r{b.box.left, b.box.top, b.box.right, b.box.bottom};
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }

    void operator()(const PictureItem& p) {
        HBITMAP bitmap = p.picture == Picture::ReceiptLogo ? logos_.receipt : logos_.letter;
        if (!bitmap) return;
        BITMAP info{};
        if (!GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
        HDC source = CreateCompatibleDC(dc_);
        if (!source) return;
        HGDIOBJ old = SelectObject(source, bitmap);
        int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, p.box.left, p.box.top, p.box.right - p.box.left, p.box.bottom - p.box.top, source, 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
        if (oldMode) SetStretchBltMode(dc_, oldMode);
        SelectObject(source, old);
        DeleteDC(source);
    }

    // The bars are measured in 0.01 mm so that they keep their size on any printer.
    void operator()(const BarcodeItem& b) {
        const std::string symbol = Code39Symbol(b.digits);
        if (symbol.empty()) return;
        int oldMode = SetMapMode(dc_, MM_HIMETRIC);
        POINT origin{b.centreX, b.top};
        DPtoLP(dc_, &origin, 1);
        HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(BLACK_BRUSH));
        // No outline: each bar is exactly its modules wide, and abutting modules meet.
        HGDIOBJ oldPen = SelectObject(dc_, GetStockObject(NULL_PEN));
        const int characters = static_cast<int>(b.digits.size()) + 2;
        const int start = origin.x - (characters * kModuleWidth * kCode39CharacterPitch) / 2;
        for (std::size_t k = 0; k < symbol.size(); ++k) {
            if (symbol[k] != '1') continue;
            const int x = start + static_cast<int>(k) * kModuleWidth;
            // y grows upwards in this mapping mode: the bars hang below the top edge.
            Rectangle(dc_, x, origin.y, x + kModuleWidth, origin.y - kBarHeight);
        }
        SelectObject(dc_, oldPen);
        SelectObject(dc_, oldBrush);
        if (oldMode) SetMapMode(dc_, oldMode);
    }

    void operator()(const MessageItem& m) { ShowMessage(g_app.mainWindow, m.text.c_str(), "Problem"); }

private:
    void UseFont(FontRole role) {
        HFONT font = nullptr;
        switch (role) {
            case FontRole::Body: font = fonts_.body; break;
            case FontRole::Bold: font = fonts_.bold; break;
            case FontRole::Title: font = fonts_.title; break;
            case FontRole::Header: font = fonts_.header; break;
        }
        if (!font) font = fonts_.body;
        HGDIOBJ wanted = font ? static_cast<HGDIOBJ>(font) : originalFont_;
        if (wanted && wanted != current_) {
            SelectObject(dc_, wanted);
            current_ = wanted;
        }
    }

    HDC dc_;
    const PageFonts& fonts_;
    const PageLogos& logos_;
    HGDIOBJ originalFont_;
    HGDIOBJ current_ = nullptr;
};

}  // namespace

PageMetrics MeasurePage(HDC dc) {
    PageMetrics m;
    TEXTMETRICA tm{};
    if (GetTextMetricsA(dc, &tm)) {
        m.lineHeight = tm.tmHeight + tm.tmExternalLeading;
        m.averageCharWidth = tm.tmAveCharWidth;
        m.variablePitch = (tm.tmPitchAndFamily & 1) != 0;
    }
    m.halfWidth = GetDeviceCaps(dc, HORZRES) / 2;
    m.pageHeight = GetDeviceCaps(dc, VERTRES);
    m.leftOffset = GetDeviceCaps(dc, PHYSICALOFFSETX);
    m.topOffset = GetDeviceCaps(dc, PHYSICALOFFSETY);
    m.dotsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
    m.dotsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
    m.physicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    m.wrappedHeight = [dc](const std::string& text, int width) { return WrappedHeightOn(dc, text, width); };
    return m;
}

void RenderPlan(HDC dc, const PagePlan& plan, const PageFonts& fonts, const PageLogos& logos) {
    HGDIOBJ originalFont = GetCurrentObject(dc, OBJ_FONT);
    const UINT oldAlign = GetTextAlign(dc);
    const int oldBkMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, kBlack);

    PlanPainter painter(dc, fonts, logos, originalFont);
    for (const PlanItem& item : plan.items) std::visit(painter, item);

    if (originalFont) SelectObject(dc, originalFont);
    if (oldAlign != GDI_ERROR) SetTextAlign(dc, oldAlign);
    if (oldBkMode) SetBkMode(dc, oldBkMode);
    if (oldColour != CLR_INVALID) SetTextColor(dc, oldColour);
}

}  // namespace print
