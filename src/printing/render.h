// Draws a PagePlan on a device context and measures a page for the layout code.
#pragma once
#include <windows.h>

#include "printing/page_plan.h"

namespace print {

// The fonts of a page; null entries fall back to Body, a null Body to the font
// selected in the device context.
struct PageFonts {
    HFONT body = nullptr;
    HFONT bold = nullptr;
    HFONT title = nullptr;
    HFONT header = nullptr;
};

// The logo bitmaps of a page (null = not loaded).
struct PageLogos {
    HBITMAP receipt = nullptr;
    HBITMAP letter = nullptr;
};

// The metrics of `dc` with the font now selected in it.
PageMetrics MeasurePage(HDC dc);

// Draws every item of the plan; shows its messages (caption "Problem").
void RenderPlan(HDC dc, const PagePlan& plan, const PageFonts& fonts, const PageLogos& logos);

}  // namespace print
