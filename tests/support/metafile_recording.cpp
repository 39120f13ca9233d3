#include "support/metafile_recording.h"

#include <map>

namespace {

Recording Read(HENHMETAFILE emf) {
    Recording r;
    std::vector<BYTE> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
    // The metafile's object table by handle index: a font, a pen or a brush.
    struct Object { char kind; LONG weight, height, penWidth; COLORREF colour; };
    std::map<DWORD, Object> objects;
    Object selected{'f', 0, 0, 1, RGB(255, 255, 255)};  // the font, pen and brush in effect
    UINT align = 0;
    POINTL at{};  // the current position
    auto made = [&](DWORD ih, Object o) { objects[ih] = o, ++r.created; };
    for (std::size_t offset = 0; offset + sizeof(EMR) <= bytes.size();) {
        auto* rec = reinterpret_cast<const ENHMETARECORD*>(bytes.data() + offset);
        if (rec->nSize < sizeof(EMR) || offset + rec->nSize > bytes.size()) break;
        switch (rec->iType) {
            case EMR_EXTTEXTOUTW: {  // ExtTextOutA is recorded as this too
                const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec)->emrtext;
                const auto* w = reinterpret_cast<const WCHAR*>(bytes.data() + offset + t.offString);
                std::string text;
                for (DWORD i = 0; i < t.nChars; ++i) text.push_back(w[i] < 128 ? static_cast<char>(w[i]) : '?');
                r.texts.push_back({text, int(t.ptlReference.x), int(t.ptlReference.y), align, selected.weight,
                                   selected.height});
                break;
            }
            case EMR_SETTEXTALIGN: align = reinterpret_cast<const EMRSETTEXTALIGN*>(rec)->iMode; break;
            case EMR_RECTANGLE: r.rectangles.push_back(reinterpret_cast<const EMRRECTANGLE*>(rec)->rclBox); break;
            case EMR_MOVETOEX: at = reinterpret_cast<const EMRMOVETOEX*>(rec)->ptl; break;
            case EMR_LINETO: {
                const POINTL to = reinterpret_cast<const EMRLINETO*>(rec)->ptl;
                r.lines.push_back({{at.x, at.y, to.x, to.y}, selected.penWidth});
                at = to;
                break;
            }
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
            case EMR_CREATEBRUSHINDIRECT: {
                auto* b = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(rec);
                made(b->ihBrush, {'b', 0, 0, 0, b->lb.lbColor});
                break;
            }
            case EMR_SELECTOBJECT: {
                const DWORD ih = reinterpret_cast<const EMRSELECTOBJECT*>(rec)->ihObject;
                if (ih & 0x80000000) {  // a stock object: of those, the drawing selects pens alone
                    const DWORD stock = ih & 0x7fffffff;
                    if (stock == BLACK_PEN || stock == NULL_PEN) selected.penWidth = stock == BLACK_PEN;
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
        offset += rec->nSize;
    }
    return r;
}

}  // namespace

Recording RecordDrawing(const std::function<void(HDC)>& draw) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    draw(dc);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    Recording r = Read(emf);
    DeleteEnhMetaFile(emf);
    return r;
}
