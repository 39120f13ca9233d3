// Drawing recorded into an enhanced metafile and read back record by record: what was
// drawn, where, with which alignment, font, pen and brush, and how many GDI objects the
// drawing made and deleted.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct DrawnText {
    std::string text;  // UTF-16 narrowed, '?' for anything past ASCII
    int x = 0, y = 0;
    UINT align = 0;    // the text alignment in effect
    LONG weight = 0;   // of the font selected (0 = a stock font)
    LONG height = 0;
};

// What a metafile holds, in drawing order.
struct Recording {
    std::vector<DrawnText> texts;
    std::vector<RECTL> rectangles;                  // EMR_RECTANGLE boxes, logical units, edges inclusive
    std::vector<std::pair<RECTL, LONG>> lines;      // from (left, top) to (right, bottom), and the pen's width
    std::vector<std::pair<RECTL, COLORREF>> fills;  // pattern fills (bands), and the brush's colour
    std::vector<EMRSTRETCHBLT> stretches;
    int created = 0;                                // fonts, pens and brushes
    int deleted = 0;
};

// What `draw` draws on a metafile device context on the screen's metrics.
Recording RecordDrawing(const std::function<void(HDC)>& draw);
