// What one printed page holds, as plain data: the layout code (receipts, kitchen
// ticket, invoices, delivery notes) computes a PagePlan from the page's metrics and
// the sale; one renderer draws a plan on a printer or a metafile. Coordinates are the
// printer's device units, y growing downwards, unless an item says otherwise.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace print {

enum class Align { Left, Centre, Right };

// The fonts a page uses. Receipts and the kitchen ticket use Body only (the receipt
// font, or the printer's own); documents use all four.
enum class FontRole {
    Body,    // receipts: switch [34]'s font; documents: Arial 9 pt
    Bold,    // documents: Arial 9 pt, weight 700
    Title,   // documents: Arial 18 pt, weight 700
    Header,  // custom invoice: the configured header font (Body when none is set)
};

// The measurements of the page, taken from the device context with the Body font
// selected, before anything is drawn.
struct PageMetrics {
    int lineHeight = 0;        // text height + external leading
    int halfWidth = 0;         // horizontal resolution / 2: the page centre
    int pageHeight = 0;        // vertical resolution
    int leftOffset = 0;        // physical offset X
    int topOffset = 0;         // physical offset Y
    int averageCharWidth = 0;
    bool variablePitch = false;  // low bit of the pitch-and-family byte
    int dotsPerInchX = 0;
    int dotsPerInchY = 0;
    int physicalWidth = 0;     // the paper's width in device units
    // Height in device units that `text` takes when drawn centred with word breaks
    // into a rectangle `width` wide (the renderer measures; tests may fake it).
    std::function<int(const std::string& text, int width)> wrappedHeight;
};

// Size in pixels of a logo bitmap; 0 x 0 when its file did not load.
struct PictureSize {
    int width = 0;
    int height = 0;
    bool loaded() const { return width > 0 && height > 0; }
};

enum class Picture { ReceiptLogo, LetterLogo };  // "receipt.bmp", "letter.bmp"

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A text on one line; x is its left edge, centre or right edge by `align`, y its top.
struct TextItem {
    int x = 0;
    int y = 0;
    Align align = Align::Left;
    FontRole font = FontRole::Body;
    std::string text;
};

// A text drawn centred with word breaks into a rectangle.
struct WrappedTextItem {
    Rect box;
    FontRole font = FontRole::Body;
    std::string text;
};

// A straight line in a solid black pen `penWidth` units wide (0 = the default pen).
struct LineItem {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int penWidth = 0;
};

// A rectangle filled with the light grey (230, 230, 230), no outline.
struct BandItem {
    Rect box;
};

// A logo stretched into `box` (source copy).
struct PictureItem {
    Picture picture = Picture::ReceiptLogo;
    Rect box;
};

// The transaction number as Code 39 bars. The renderer switches to 0.01 mm units:
// `centreX` and `top` are device units, converted together; bars are 0.40 mm
// modules, 10 mm high, drawn downwards from the top.
struct BarcodeItem {
    int centreX = 0;
    int top = 0;
    std::string digits;  // "0007"; only the characters 0 to 9
};

// A message box the drawing shows (text, caption "Problem").
struct MessageItem {
    std::string text;
};

using PlanItem = std::variant<TextItem, WrappedTextItem, LineItem, BandItem, PictureItem, BarcodeItem, MessageItem>;

struct PagePlan {
    std::vector<PlanItem> items;

    void Text(int x, int y, Align align, std::string text, FontRole font = FontRole::Body) {
        items.push_back(TextItem{x, y, align, font, std::move(text)});
    }
    void Wrapped(Rect box, std::string text, FontRole font = FontRole::Body) {
        items.push_back(WrappedTextItem{box, font, std::move(text)});
    }
    void Line(int x1, int y1, int x2, int y2, int penWidth = 0) { items.push_back(LineItem{x1, y1, x2, y2, penWidth}); }
    void Band(Rect box) { items.push_back(BandItem{box}); }
    void Logo(Picture picture, Rect box) { items.push_back(PictureItem{picture, box}); }
    void Barcode(int centreX, int top, std::string digits) {
        items.push_back(BarcodeItem{centreX, top, std::move(digits)});
    }
    void Message(std::string text) { items.push_back(MessageItem{std::move(text)}); }
};

// Printed document kinds: the command ids of the summary dialog's buttons.
inline constexpr int kStandardReceipt = 2405;
inline constexpr int kCustomReceipt = 2413;
inline constexpr int kInvoice1 = 2406;
inline constexpr int kInvoice2 = 2401;
inline constexpr int kCustomInvoice = 2409;
inline constexpr int kDeliveryNote = 2419;

// Which printer a print job goes to.
enum class PrinterChoice {
    Receipt,   // the receipt printer by name when one is chosen, else the dialog
    Kitchen,   // the kitchen printer by name when one is chosen, else the default printer
    Document,  // always the print dialog (or the default printer when confirmation is omitted)
};

// The page counter and continuation index a multi-page document advances; the print
// job starts every copy at page 1, line 0.
struct PageState {
    int page = 1;      // raised by the drawing when another page follows
    int nextLine = 0;  // the first basket line the next page prints
};

// The y of row `row` (fractional rows are multiplied in floating point and truncated).
inline int RowY(double row, int lineHeight) { return static_cast<int>(row * lineHeight); }

// Layout rows and row counts come from the server: they are kept where row arithmetic
// in device units cannot overflow.
inline constexpr int kRowLimit = 10000;
inline int ClampRows(std::int64_t rows) {
    return static_cast<int>(std::clamp<std::int64_t>(rows, -kRowLimit, kRowLimit));
}

}  // namespace print
