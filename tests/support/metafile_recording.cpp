#include "support/metafile_recording.h"

#include <map>

namespace {

std::string Narrow(const WCHAR* w, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s.push_back(w[i] < 128 ? static_cast<char>(w[i]) : '?');
    return s;
}

Recording Read(HENHMETAFILE emf) {
    Recording r;
    std::vector<BYTE> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
    // The metafile's object table by handle index: a font, a pen or a brush.
    struct Object { char kind; LONG weight, height, penWidth; COLORREF colour; };
    std::map<DWORD, Object> objects;
    Object selected{'f', 0, 0, 1, RGB(255, 255, 255)};  // the font, pen and brush in effect
    UINT align = 0;
    auto drawn = [&](std::string text, const EMRTEXT& t) {
        r.texts.push_back({std::move(text), int(t.ptlReference.x), int(t.ptlReference.y), align, selected.weight,
                           selected.height});
    };
    auto made = [&](DWORD ih, Object o) { objects[ih] = o, ++r.created; };
    for (std::size_t at = 0; at + sizeof(EMR) <= bytes.size();) {
        auto* rec = reinterpret_cast<const ENHMETARECORD*>(bytes.data() + at);
        if (rec->nSize < sizeof(EMR) || at + rec->nSize > bytes.size()) break;
        const BYTE* base = bytes.data() + at;
        switch (rec->iType) {
            case EMR_EXTTEXTOUTW: {
                auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
                const auto* text = reinterpret_cast<const WCHAR*>(base + t->emrtext.offString);
                drawn(Narrow(text, t->emrtext.nChars), t->emrtext);
                break;
            }
            case EMR_EXTTEXTOUTA: {
                auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(rec);
                drawn(std::string(reinterpret_cast<const char*>(base + t->emrtext.offString), t->emrtext.nChars),
                      t->emrtext);
                break;
            }
            case EMR_SETTEXTALIGN: align = reinterpret_cast<const EMRSETTEXTALIGN*>(rec)->iMode; break;
            case EMR_RECTANGLE: r.rectangles.push_back(reinterpret_cast<const EMRRECTANGLE*>(rec)->rclBox); break;
            case EMR_MOVETOEX: r.lineStarts.push_back(reinterpret_cast<const EMRMOVETOEX*>(rec)->ptl); break;
            case EMR_LINETO:
                r.lineEnds.push_back(reinterpret_cast<const EMRLINETO*>(rec)->ptl);
                r.linePenWidths.push_back(selected.penWidth);
                break;
            case EMR_BITBLT: {
                auto* b = reinterpret_cast<const EMRBITBLT*>(rec);
                if (b->cbBmiSrc == 0)  // no source bitmap: a fill with the brush
                    r.fills.push_back({{b->xDest, b->yDest, b->xDest + b->cxDest, b->yDest + b->cyDest},
                                       selected.colour});
                break;
            }
            case EMR_STRETCHBLT: r.stretches.push_back(*reinterpret_cast<const EMRSTRETCHBLT*>(rec)); break;
            case EMR_EXTCREATEFONTINDIRECTW: {
                auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec);
                made(f->ihFont, {'f', f->elfw.elfLogFont.lfWeight, f->elfw.elfLogFont.lfHeight, 0, 0});
                break;
            }
            case EMR_CREATEPEN: {
                auto* p = reinterpret_cast<const EMRCREATEPEN*>(rec);
                made(p->ihPen, {'p', 0, 0, p->lopn.lopnWidth.x, 0});
                break;
            }
            case EMR_EXTCREATEPEN: {  // only the leading fields, which the file and this build lay out alike
                auto* p = reinterpret_cast<const EMREXTCREATEPEN*>(rec);
                made(p->ihPen, {'p', 0, 0, static_cast<LONG>(p->elp.elpWidth), 0});
                break;
            }
            case EMR_CREATEBRUSHINDIRECT: {
                auto* b = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(rec);
                made(b->ihBrush, {'b', 0, 0, 0, b->lb.lbColor});
                break;
            }
            case EMR_SELECTOBJECT: {
                const DWORD ih = reinterpret_cast<const EMRSELECTOBJECT*>(rec)->ihObject;
                if (ih & 0x80000000) {  // a stock object
                    const DWORD stock = ih & 0x7fffffff;
                    if (stock == BLACK_PEN || stock == NULL_PEN) selected.penWidth = stock == BLACK_PEN;
                    if (stock == BLACK_BRUSH || stock == WHITE_BRUSH) selected.colour = stock ? 0 : RGB(255, 255, 255);
                    if (stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT) selected.weight = selected.height = 0;
                    break;
                }
                const auto it = objects.find(ih);
                if (it == objects.end()) break;
                const Object& o = it->second;
                if (o.kind == 'f') selected.weight = o.weight, selected.height = o.height;
                if (o.kind == 'p') selected.penWidth = o.penWidth;
                if (o.kind == 'b') selected.colour = o.colour;
                break;
            }
            case EMR_DELETEOBJECT: ++r.deleted; break;
            default: break;
        }
        at += rec->nSize;
    }
    return r;
}

}  // namespace

Recording MetafilePage::Finish() {
    HENHMETAFILE emf = CloseEnhMetaFile(dc_);
    dc_ = nullptr;
    Recording r = Read(emf);
    DeleteEnhMetaFile(emf);
    return r;
}
