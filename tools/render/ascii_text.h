// Small text helpers for user input: blanks around it and ASCII case do not matter.
#pragma once

#include <algorithm>
#include <string_view>

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

}  // namespace morvik::render
