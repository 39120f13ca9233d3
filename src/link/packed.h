// Little-endian loads and stores into the packed byte images of the shop records.
// Every record crosses the wire and the disk as a byte image; members sit at fixed
// offsets with no alignment, so they are always reached through these helpers.
#pragma once
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>


static_assert(std::endian::native == std::endian::little, "records are little-endian images");

namespace packed {

template <typename T>
T Load(const std::uint8_t* base, std::size_t offset) {
    static_assert(std::is_arithmetic_v<T>);
    T value;
    std::memcpy(&value, base + offset, sizeof value);  // both targets are little-endian
    return value;
}

template <typename T>
void Store(std::uint8_t* base, std::size_t offset, T value) {
    static_assert(std::is_arithmetic_v<T>);
    std::memcpy(base + offset, &value, sizeof value);
}

// The text of a fixed-width field: up to its first NUL, never past the field's width,
// so a field that lacks its terminator still reads safely.
inline std::string LoadText(const std::uint8_t* base, std::size_t offset, std::size_t width) {
    const char* p = reinterpret_cast<const char*>(base + offset);
    const void* nul = std::memchr(p, 0, width);
    std::size_t n = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - p) : width;
    return std::string(p, n);
}

// Stores at most width-1 characters and zero-fills the rest of the field.
inline void StoreText(std::uint8_t* base, std::size_t offset, std::size_t width, std::string_view text) {
    if (width == 0) return;
    std::size_t n = std::min(text.size(), width - 1);
    std::memcpy(base + offset, text.data(), n);
    std::memset(base + offset + n, 0, width - n);
}

// Copies a bounded text into a C buffer of bufferSize bytes, always terminated.
inline void CopyBounded(char* out, std::size_t bufferSize, const char* in, std::size_t inWidth) {
    if (bufferSize == 0) return;
    std::size_t n = 0;
    std::size_t limit = std::min(bufferSize - 1, inWidth);
    while (n < limit && in[n] != 0) { out[n] = in[n]; ++n; }
    out[n] = 0;
}

}  // namespace packed

// A fixed-width, zero-terminated text member of a record.
struct TextField {
    std::size_t offset;
    std::size_t width;
    constexpr std::size_t end() const { return offset + width; }
};

// The byte image and the bounded typed access shared by every record.
template <std::size_t N>
struct PackedRecord {
    static constexpr std::size_t kSize = N;
    std::array<std::uint8_t, N> bytes{};

    std::uint8_t* data() { return bytes.data(); }
    const std::uint8_t* data() const { return bytes.data(); }

    std::int32_t Int32(std::size_t offset) const { return packed::Load<std::int32_t>(data(), offset); }
    void SetInt32(std::size_t offset, std::int32_t v) { packed::Store(data(), offset, v); }
    std::int64_t Int64(std::size_t offset) const { return packed::Load<std::int64_t>(data(), offset); }
    void SetInt64(std::size_t offset, std::int64_t v) { packed::Store(data(), offset, v); }
    double Double(std::size_t offset) const { return packed::Load<double>(data(), offset); }
    void SetDouble(std::size_t offset, double v) { packed::Store(data(), offset, v); }

    // Read up to the field's width even without a terminator; stored truncated to width-1.
    std::string Text(TextField f) const { return packed::LoadText(data(), f.offset, f.width); }
    void SetText(TextField f, std::string_view text) { packed::StoreText(data(), f.offset, f.width, text); }
};
