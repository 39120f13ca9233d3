#include "support/metafile_recording.h"

#include <algorithm>
#include <map>

const DrawnText* Recording::Find(const std::string& text) const {
    for (const DrawnText& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

int Recording::Count(const std::string& text) const {
    return static_cast<int>(
        std::count_if(texts.begin(), texts.end(), [&](const DrawnText& t) { return t.text == text; }));
}

bool Recording::HasTextStartingWith(const std::string& prefix) const {
    return std::any_of(texts.begin(), texts.end(), [&](const DrawnText& t) { return t.text.rfind(prefix, 0) == 0; });
}

std::string Narrow(const WCHAR* w, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s.push_back(w[i] < 128 ? static_cast<char>(w[i]) : '?');
    return s;
}

namespace {

// A face name fills its array only when it is that long.
std::string FaceName(const LOGFONTW& font) {
    std::size_t n = 0;
    while (n < LF_FACESIZE && font.lfFaceName[n]) ++n;
    return Narrow(font.lfFaceName, n);
}

}  // namespace

Recording ReadMetafile(HENHMETAFILE emf) {
    Recording r;
    UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<BYTE> bytes(size);
    GetEnhMetaFileBits(emf, size, bytes.data());

    // The metafile's object table: handle index -> what it is.
    enum class Kind { Font, Pen, Brush };
    struct Object {
        Kind kind;
        std::size_t index;  // into fontsCreated / pensCreated / brushesCreated
    };
    std::map<DWORD, Object> objects;
    // An index, not a pointer: fontsCreated grows while a font is selected.
    std::ptrdiff_t font = -1;
    LONG penWidth = 1;
    COLORREF brushColour = RGB(255, 255, 255);
    UINT align = 0;

    auto drawn = [&](std::string text, const EMRTEXT& t) {
        DrawnText d;
        d.text = std::move(text);
        d.x = t.ptlReference.x;
        d.y = t.ptlReference.y;
        d.align = align;
        if (font >= 0) {
            const LOGFONTW& f = r.fontsCreated[static_cast<std::size_t>(font)];
            d.weight = f.lfWeight;
            d.height = f.lfHeight;
            d.face = FaceName(f);
        }
        r.texts.push_back(std::move(d));
    };
    // A font, pen or brush made under handle index `ih`, kept in `list`.
    auto made = [&](auto& list, const auto& object, DWORD ih, Kind kind) {
        list.push_back(object);
        objects[ih] = {kind, list.size() - 1};
        ++r.created;
    };

    for (std::size_t at = 0; at + sizeof(EMR) <= bytes.size();) {
        auto* rec = reinterpret_cast<const ENHMETARECORD*>(bytes.data() + at);
        if (rec->nSize < sizeof(EMR) || at + rec->nSize > bytes.size()) break;
        const BYTE* base = reinterpret_cast<const BYTE*>(rec);
        switch (rec->iType) {
            case EMR_EXTTEXTOUTW: {
                auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
                drawn(Narrow(reinterpret_cast<const WCHAR*>(base + t->emrtext.offString), t->emrtext.nChars),
                      t->emrtext);
                break;
            }
            case EMR_EXTTEXTOUTA: {
                auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(rec);
                drawn(std::string(reinterpret_cast<const char*>(base + t->emrtext.offString), t->emrtext.nChars),
                      t->emrtext);
                break;
            }
            case EMR_SETTEXTALIGN: align = reinterpret_cast<const EMRSETTEXTALIGN*>(rec)->iMode; break;
            case EMR_SETMAPMODE: r.mapModes.push_back(reinterpret_cast<const EMRSETMAPMODE*>(rec)->iMode); break;
            case EMR_RECTANGLE: r.rectangles.push_back(reinterpret_cast<const EMRRECTANGLE*>(rec)->rclBox); break;
            case EMR_MOVETOEX: r.lineStarts.push_back(reinterpret_cast<const EMRMOVETOEX*>(rec)->ptl); break;
            case EMR_LINETO:
                r.lineEnds.push_back(reinterpret_cast<const EMRLINETO*>(rec)->ptl);
                r.linePenWidths.push_back(penWidth);
                break;
            case EMR_BITBLT: {
                auto* b = reinterpret_cast<const EMRBITBLT*>(rec);
                if (b->cbBmiSrc == 0)  // no source bitmap: a fill with the brush
                    r.fills.push_back({{b->xDest, b->yDest, b->xDest + b->cxDest, b->yDest + b->cyDest}, brushColour});
                break;
            }
            case EMR_STRETCHBLT: r.stretches.push_back(*reinterpret_cast<const EMRSTRETCHBLT*>(rec)); break;
            case EMR_EXTCREATEFONTINDIRECTW: {
                auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec);
                made(r.fontsCreated, f->elfw.elfLogFont, f->ihFont, Kind::Font);
                break;
            }
            case EMR_CREATEPEN: {
                auto* p = reinterpret_cast<const EMRCREATEPEN*>(rec);
                made(r.pensCreated, p->lopn, p->ihPen, Kind::Pen);
                break;
            }
            case EMR_EXTCREATEPEN: {
                // Only the leading fields, which the file and this build lay out alike.
                auto* p = reinterpret_cast<const EMREXTCREATEPEN*>(rec);
                const LOGPEN pen{p->elp.elpPenStyle & PS_STYLE_MASK, {static_cast<LONG>(p->elp.elpWidth), 0},
                                 p->elp.elpColor};
                made(r.pensCreated, pen, p->ihPen, Kind::Pen);
                break;
            }
            case EMR_CREATEBRUSHINDIRECT: {
                auto* b = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(rec);
                made(r.brushesCreated, b->lb, b->ihBrush, Kind::Brush);
                break;
            }
            case EMR_SELECTOBJECT: {
                DWORD ih = reinterpret_cast<const EMRSELECTOBJECT*>(rec)->ihObject;
                if (ih & 0x80000000) {  // a stock object
                    DWORD stock = ih & 0x7fffffff;
                    if (stock == BLACK_PEN) penWidth = 1;
                    if (stock == NULL_PEN) penWidth = 0;
                    if (stock == BLACK_BRUSH) brushColour = RGB(0, 0, 0);
                    if (stock == WHITE_BRUSH) brushColour = RGB(255, 255, 255);
                    if (stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT) font = -1;
                    break;
                }
                auto it = objects.find(ih);
                if (it == objects.end()) break;
                const Object& o = it->second;
                if (o.kind == Kind::Font) font = static_cast<std::ptrdiff_t>(o.index);
                if (o.kind == Kind::Pen) penWidth = r.pensCreated[o.index].lopnWidth.x;
                if (o.kind == Kind::Brush) brushColour = r.brushesCreated[o.index].lbColor;
                break;
            }
            case EMR_DELETEOBJECT: ++r.deleted; break;
            default: break;
        }
        at += rec->nSize;
    }
    return r;
}

MetafilePage::MetafilePage() : dc_(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)) {}

MetafilePage::~MetafilePage() {
    if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
}

Recording MetafilePage::Finish() {
    HENHMETAFILE emf = CloseEnhMetaFile(dc_);
    dc_ = nullptr;
    Recording r = ReadMetafile(emf);
    DeleteEnhMetaFile(emf);
    return r;
}

std::string BitmapFile(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * height;
    file.bfType = 0x4d42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(info.biSizeImage, '\x40');
    return bytes;
}
