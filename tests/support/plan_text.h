// A page plan as one line of text per item, so layout tests compare whole plans and
// name the item that differs:
//   "T x y L|C|R font text"                        a text on one line
//   "W left top right bottom font text"            a text wrapped into a box
//   "L x1 y1 x2 y2 pen"                            a line (pen 0: the default pen)
//   "G left top right bottom"                      a grey band
//   "P left top right bottom"                      a logo
//   "B x top digits"                               a barcode
//   "M text"                                       a message box
// font is "body", "bold", "title" or "header".
#pragma once
#include <string>
#include <variant>
#include <vector>

#include "printing/page_plan.h"

inline const char* FontName(print::FontRole font) {
    switch (font) {
        case print::FontRole::Body: return "body";
        case print::FontRole::Bold: return "bold";
        case print::FontRole::Title: return "title";
        case print::FontRole::Header: return "header";
    }
    return "?";
}

inline std::string DescribeBox(const print::Rect& box) {
    return std::to_string(box.left) + " " + std::to_string(box.top) + " " + std::to_string(box.right) + " " +
           std::to_string(box.bottom);
}

// The line Describe gives a text item: what a test expects, spelt once.
inline std::string DescribeText(int x, int y, char align, const std::string& font, const std::string& text) {
    return "T " + std::to_string(x) + " " + std::to_string(y) + " " + align + " " + font + " " + text;
}

inline std::string Describe(const print::PlanItem& item) {
    using namespace print;
    struct V {
        std::string operator()(const TextItem& t) const {
            const char a = t.align == Align::Left ? 'L' : t.align == Align::Centre ? 'C' : 'R';
            return DescribeText(t.x, t.y, a, FontName(t.font), t.text);
        }
        std::string operator()(const WrappedTextItem& w) const {
            return "W " + DescribeBox(w.box) + " " + FontName(w.font) + " " + w.text;
        }
        std::string operator()(const LineItem& l) const {
            return "L " + std::to_string(l.x1) + " " + std::to_string(l.y1) + " " + std::to_string(l.x2) + " " +
                   std::to_string(l.y2) + " " + std::to_string(l.penWidth);
        }
        std::string operator()(const BandItem& b) const { return "G " + DescribeBox(b.box); }
        std::string operator()(const PictureItem& p) const { return "P " + DescribeBox(p.box); }
        std::string operator()(const BarcodeItem& b) const {
            return "B " + std::to_string(b.centreX) + " " + std::to_string(b.top) + " " + b.digits;
        }
        std::string operator()(const MessageItem& m) const { return "M " + m.text; }
    };
    return std::visit(V{}, item);
}

inline std::vector<std::string> Describe(const print::PagePlan& plan) {
    std::vector<std::string> out;
    for (const print::PlanItem& item : plan.items) out.push_back(Describe(item));
    return out;
}
