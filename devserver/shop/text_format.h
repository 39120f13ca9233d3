// The shop's text files: blocks of "key = value" lines under "[kind id]" headers.
//
//   # a comment line
//   [item 1001]
//   description = Rioja Reserva 75cl
//   sku = 5012345000017
//
// Blank lines and lines starting with '#' are ignored; a line holding a NUL byte is
// refused; keys and values are trimmed; a key may repeat. In values "\\", "\n", "\r",
// "\t" and "\s" stand for a backslash, line feed, carriage return, tab and a blank (for
// a blank at either end of a value).
// Files are UTF-8; the shop keeps its texts in the Windows ANSI code page (1252), so
// reading converts and writing converts back.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shop::text {

struct Entry {
    std::string key;
    std::string value;  // unescaped, still UTF-8
    int line = 0;
};

struct Block {
    std::string kind;  // "item" in "[item 1001]"
    std::string id;    // "1001"; empty when the header has no second word
    int line = 0;
    std::vector<Entry> entries;
};

// Parses a whole file's content. False with "line N: reason" in error on a malformed line.
bool ParseBlocks(std::string_view content, std::vector<Block>& blocks, std::string& error);
// Reads and parses a file. False with "path: reason" in error.
bool ReadBlockFile(const std::filesystem::path& path, std::vector<Block>& blocks, std::string& error);

std::string Escape(std::string_view value);
std::string Unescape(std::string_view value);

// Code page 1252 <-> UTF-8. Characters 1252 cannot hold become '?'.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

// Strict conversions of a whole (trimmed) value; a double is a finite number.
std::optional<std::int64_t> ParseInt(std::string_view value);
std::optional<double> ParseDouble(std::string_view value);
std::string_view Trim(std::string_view s);

// Writes one "key = value" line with the value escaped and converted from ANSI.
void AppendLine(std::string& out, std::string_view key, std::string_view ansiValue);
// Shortest text that reads back as the same double.
std::string FormatDouble(double value);

}  // namespace shop::text
