#include "shop/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace shop::text {
namespace {

// Code points of bytes 0x80..0x9F in code page 1252; 0 marks the five unassigned bytes,
// which pass through as the C1 control of the same value.
constexpr char32_t kHigh1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHigh1252[byte - 0x80] != 0) return kHigh1252[byte - 0x80];
    return byte;
}

char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh1252[i] == cp || (kHigh1252[i] == 0 && cp == static_cast<char32_t>(0x80 + i)))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

void PutUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Drops a leading '+', which from_chars does not take; false for "+-", which it would.
bool UnsignedPlus(std::string_view& value) {
    if (value.empty() || value.front() != '+') return true;
    value.remove_prefix(1);
    return value.empty() || value.front() != '-';
}

}  // namespace

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool ParseBlocks(std::string_view content, std::vector<Block>& blocks, std::string& error) {
    blocks.clear();
    int lineNumber = 0;
    if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);  // a BOM from an editor
    while (!content.empty()) {
        std::size_t end = content.find('\n');
        std::string_view raw = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
        ++lineNumber;
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#') continue;
        // No record text can hold a NUL: it would end the text there.
        if (line.find('\0') != std::string_view::npos) {
            error = "line " + std::to_string(lineNumber) + ": NUL byte";
            return false;
        }
        if (line.front() == '[') {
            if (line.back() != ']') {
                error = "line " + std::to_string(lineNumber) + ": header without ']'";
                return false;
            }
            std::string_view inner = Trim(line.substr(1, line.size() - 2));
            std::size_t space = inner.find_first_of(" \t");
            Block block;
            block.kind = std::string(inner.substr(0, space));
            if (space != std::string_view::npos) block.id = std::string(Trim(inner.substr(space)));
            block.line = lineNumber;
            if (block.kind.empty()) {
                error = "line " + std::to_string(lineNumber) + ": empty header";
                return false;
            }
            blocks.push_back(std::move(block));
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            error = "line " + std::to_string(lineNumber) + ": expected 'key = value'";
            return false;
        }
        if (blocks.empty()) {
            error = "line " + std::to_string(lineNumber) + ": value before the first [header]";
            return false;
        }
        std::string_view key = Trim(line.substr(0, eq));
        if (key.empty()) {
            error = "line " + std::to_string(lineNumber) + ": empty key";
            return false;
        }
        blocks.back().entries.push_back(
            Entry{std::string(key), Unescape(Trim(line.substr(eq + 1))), lineNumber});
    }
    return true;
}

bool ReadBlockFile(const std::filesystem::path& path, std::vector<Block>& blocks, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot be opened";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (!ParseBlocks(content.str(), blocks, error)) {
        error = path.string() + ": " + error;
        return false;
    }
    return true;
}

std::string Escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == ' ' && (i == 0 || i + 1 == value.size())) {  // would be trimmed away
            out += "\\s";
            continue;
        }
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Unescape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            char n = value[i + 1];
            if (n == '\\' || n == 'n' || n == 'r' || n == 't' || n == 's') {
                out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 't' ? '\t' : n == 's' ? ' ' : '\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp;
        std::size_t len;
        if (b < 0x80) { cp = b; len = 1; }
        else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; len = 2; }
        else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; len = 3; }
        else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; len = 4; }
        else { out += '?'; ++i; continue; }
        bool valid = i + len <= utf8.size();
        for (std::size_t k = 1; valid && k < len; ++k) {
            auto cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80) valid = false;
            else cp = (cp << 6) | (cont & 0x3F);
        }
        if (!valid) { out += '?'; ++i; continue; }
        out += ByteOf(cp);
        i += len;
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) PutUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::int64_t> ParseInt(std::string_view value) {
    value = Trim(value);
    if (!UnsignedPlus(value)) return std::nullopt;
    std::int64_t v = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec != std::errc() || end != value.data() + value.size() || value.empty()) return std::nullopt;
    return v;
}

std::optional<double> ParseDouble(std::string_view value) {
    value = Trim(value);
    if (!UnsignedPlus(value)) return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    // from_chars also reads "nan" and "inf": no price or balance is either.
    if (ec != std::errc() || end != value.data() + value.size() || value.empty() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

void AppendLine(std::string& out, std::string_view key, std::string_view ansiValue) {
    out += key;
    out += " = ";
    out += Escape(AnsiToUtf8(ansiValue));
    out += '\n';
}

std::string FormatDouble(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

}  // namespace shop::text
