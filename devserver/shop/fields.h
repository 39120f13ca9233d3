// Binding of plain-struct members to the keys of the shop's text files: one table per
// struct drives both reading and writing, so the two cannot drift apart.
#pragma once
#include <cstdint>
#include <limits>
#include <string>
#include <variant>

#include "shop/text_format.h"

namespace shop::fields {

inline std::string Where(const text::Entry& e) { return "line " + std::to_string(e.line) + " (" + e.key + "): "; }

// A field of a plain struct bound to its key, with the widest text its record holds.
template <class T>
struct Field {
    const char* key;
    std::variant<std::string T::*, std::int32_t T::*, std::int64_t T::*, double T::*> member;
    std::size_t maxLength = 0;  // texts only
};

template <class T>
inline bool SetField(const Field<T>& f, const text::Entry& e, T& target, std::string& error) {
    if (auto p = std::get_if<std::string T::*>(&f.member)) {
        std::string value = text::Utf8ToAnsi(e.value);
        if (value.size() > f.maxLength) {
            error = Where(e) + "longer than " + std::to_string(f.maxLength) + " characters";
            return false;
        }
        target.*(*p) = std::move(value);
        return true;
    }
    if (auto p = std::get_if<double T::*>(&f.member)) {
        auto v = text::ParseDouble(e.value);
        if (!v) {
            error = Where(e) + "not a number";
            return false;
        }
        target.*(*p) = *v;
        return true;
    }
    auto v = text::ParseInt(e.value);
    if (!v) {
        error = Where(e) + "not a whole number";
        return false;
    }
    if (auto p = std::get_if<std::int64_t T::*>(&f.member)) {
        target.*(*p) = *v;
        return true;
    }
    if (*v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max()) {
        error = Where(e) + "out of range";
        return false;
    }
    target.*std::get<std::int32_t T::*>(f.member) = static_cast<std::int32_t>(*v);
    return true;
}

template <class T, std::size_t N>
const Field<T>* FindField(const Field<T> (&fields)[N], std::string_view key) {
    for (const Field<T>& f : fields)
        if (key == f.key) return &f;
    return nullptr;
}

template <class T>
void WriteField(std::string& out, const Field<T>& f, const T& source) {
    if (auto p = std::get_if<std::string T::*>(&f.member)) text::AppendLine(out, f.key, source.*(*p));
    else if (auto p = std::get_if<double T::*>(&f.member)) text::AppendLine(out, f.key, text::FormatDouble(source.*(*p)));
    else if (auto p = std::get_if<std::int64_t T::*>(&f.member)) text::AppendLine(out, f.key, std::to_string(source.*(*p)));
    else text::AppendLine(out, f.key, std::to_string(source.*std::get<std::int32_t T::*>(f.member)));
}

}  // namespace shop::fields
