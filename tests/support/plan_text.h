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
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "printing/page_plan.h"

inline const char* FontName(print::FontRole f) {
    using print::FontRole;
    return f == FontRole::Body ? "body" : f == FontRole::Bold ? "bold" : f == FontRole::Title ? "title" : "header";
}

// The line Describe gives a text item: what a test expects, spelt once.
inline std::string DescribeText(int x, int y, char align, const std::string& font, const std::string& text) {
    return "T " + std::to_string(x) + " " + std::to_string(y) + " " + align + " " + font + " " + text;
}

inline std::string Describe(const print::PlanItem& item) {
    using namespace print;
    const auto n = [](auto... v) { return ((" " + std::to_string(v)) + ...); };
    const auto box = [&](const Rect& b) { return n(b.left, b.top, b.right, b.bottom); };
    if (auto t = std::get_if<TextItem>(&item)) {
        const char align = t->align == Align::Left ? 'L' : t->align == Align::Centre ? 'C' : 'R';
        return DescribeText(t->x, t->y, align, FontName(t->font), t->text);
    }
    if (auto w = std::get_if<WrappedTextItem>(&item))
        return "W" + box(w->box) + " " + FontName(w->font) + " " + w->text;
    if (auto l = std::get_if<LineItem>(&item)) return "L" + n(l->x1, l->y1, l->x2, l->y2, l->penWidth);
    if (auto b = std::get_if<BandItem>(&item)) return "G" + box(b->box);
    if (auto p = std::get_if<PictureItem>(&item)) return "P" + box(p->box);
    if (auto b = std::get_if<BarcodeItem>(&item)) return "B" + n(b->centreX, b->top) + " " + b->digits;
    return "M " + std::get<MessageItem>(item).text;
}

inline std::vector<std::string> Describe(const print::PagePlan& plan) {
    std::vector<std::string> out;
    for (const print::PlanItem& item : plan.items) out.push_back(Describe(item));
    return out;
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

// Every line of `has` is in the plan, and no line holds any text of `lacks`.
inline void ExpectLines(const std::vector<std::string>& plan, const std::vector<std::string>& has,
                        const std::vector<std::string>& lacks, const char* why) {
    for (const std::string& line : has)
        EXPECT_NE(std::find(plan.begin(), plan.end(), line), plan.end()) << why << "\nmissing " << line << "\n"
                                                                         << Joined(plan);
    for (const std::string& text : lacks)
        for (const std::string& line : plan) EXPECT_EQ(line.find(text), std::string::npos) << why << ": " << line;
}
