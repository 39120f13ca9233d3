#include "link/wire_layout.h"

#include <cstring>

namespace wire {

void PackedToWire(const Table& t, const std::uint8_t* packed, std::uint8_t* wireImage) {
    std::size_t at = 0;
    for (const Member& m : t.members) {
        std::size_t start = AlignUp(at, Alignment(m.kind));
        std::memset(wireImage + at, 0, start - at);
        std::memcpy(wireImage + start, packed + m.offset, Width(m));  // both sides little-endian
        at = start + Width(m);
    }
    std::memset(wireImage + at, 0, WireSize(t) - at);
}

void WireToPacked(const Table& t, const std::uint8_t* wireImage, std::uint8_t* packed) {
    std::size_t at = 0;
    for (const Member& m : t.members) {
        at = AlignUp(at, Alignment(m.kind));
        std::memcpy(packed + m.offset, wireImage + at, Width(m));
        at += Width(m);
    }
}

}  // namespace wire
