// Drawing recorded into an enhanced metafile and read back record by record: what
// was drawn, where, with which alignment, font, pen and brush, and how many GDI
// objects the drawing made and deleted.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct DrawnText {
    std::string text;
    int x = 0, y = 0;
    UINT align = 0;    // the text alignment in effect
    LONG weight = 0;   // of the font selected (0 = a stock font)
    LONG height = 0;
    std::string face;  // "" for a stock font
};

struct DrawnFill {
    RECTL box{};
    COLORREF brushColour = 0;
};

// What a metafile holds, in drawing order.
struct Recording {
    std::vector<DrawnText> texts;
    std::vector<RECTL> rectangles;     // EMR_RECTANGLE boxes, logical units, edges inclusive
    std::vector<POINTL> lineStarts;    // EMR_MOVETOEX
    std::vector<POINTL> lineEnds;      // EMR_LINETO
    std::vector<LONG> linePenWidths;   // width of the pen selected at each line end
    std::vector<DrawnFill> fills;      // pattern fills (bands)
    std::vector<EMRSTRETCHBLT> stretches;
    std::vector<DWORD> mapModes;       // EMR_SETMAPMODE in order
    std::vector<LOGFONTW> fontsCreated;
    std::vector<LOGPEN> pensCreated;   // plain and extended pens
    std::vector<LOGBRUSH32> brushesCreated;
    int created = 0;                   // fonts, pens and brushes
    int deleted = 0;

    const DrawnText* Find(const std::string& text) const;
    int Count(const std::string& text) const;
    bool HasTextStartingWith(const std::string& prefix) const;
};

// UTF-16 to ASCII, '?' for anything else; all n characters, NULs included.
std::string Narrow(const WCHAR* w, std::size_t n);

Recording ReadMetafile(HENHMETAFILE emf);

// A metafile device context on the screen's metrics; Finish() ends the recording.
class MetafilePage {
public:
    MetafilePage();
    ~MetafilePage();
    MetafilePage(const MetafilePage&) = delete;
    MetafilePage& operator=(const MetafilePage&) = delete;
    HDC dc() const { return dc_; }
    Recording Finish();

private:
    HDC dc_;
};

// A 24-bit bottom-up bitmap file of width x height pixels, all one colour: a logo.
std::string BitmapFile(int width, int height);
