// LabelTable: the 38 texts of 80 characters that receipts and documents print.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/packed.h"

namespace labels {
inline constexpr std::size_t kSize = 3040;
inline constexpr std::size_t kEntryWidth = 80;
inline constexpr int kEntryCount = 38;
inline constexpr int kUsedEntries = 36;  // entries 0..35 are copied from the server
}  // namespace labels

struct LabelTable {
    std::array<std::uint8_t, labels::kSize> bytes{};

    std::uint8_t* data() { return bytes.data(); }
    const std::uint8_t* data() const { return bytes.data(); }
    std::string Entry(int i) const;
    void SetEntry(int i, const std::string& text);
};
static_assert(sizeof(LabelTable) == labels::kSize);
static_assert(labels::kEntryCount * labels::kEntryWidth == labels::kSize);

// The terminal's own English wording, used until the server's table is fetched.
LabelTable DefaultLabelTable();

// Copies entries 0..35 of the fetched table over the working table.
void TakeFetchedLabels(LabelTable& working, const LabelTable& fetched);
