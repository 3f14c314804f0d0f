// Small text helpers for user input: blanks around it and ASCII case do not matter.
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <type_traits>

namespace morvik::render {

inline std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

inline char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

inline bool endsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    return suffix.size() <= text.size() && equalIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// The whole text must be the number: "12abc", "0x20" and "" are not numbers, nor
// are infinities and NaN.
template <class Number>
std::optional<Number> parseNumber(std::string_view text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    if constexpr (std::is_floating_point_v<Number>)
        if (!std::isfinite(value))
            return std::nullopt;
    return value;
}

}  // namespace morvik::render
