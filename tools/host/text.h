// Text for the tools: conversions between the plug-in's fixed-size texts and
// std::string, user input read leniently, and the names of result codes.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "sdk/vst3/interfaces/types.h"

namespace morvik::host {

// UTF-8 of a UTF-16 text that ends at its first NUL or after maxLength units.
std::string toUtf8(const Steinberg::char16* text, std::size_t maxLength);

template <std::size_t N>
std::string toUtf8(const Steinberg::char16 (&text)[N])
{
    return toUtf8(text, N);
}

std::u16string toUtf16(std::string_view utf8);

// A char field that a plug-in filled; ends at the first NUL or at the field's
// end, so an unterminated field cannot run past it.
std::string_view boundedText(const char* text, std::size_t capacity);

template <std::size_t N>
std::string_view boundedText(const char (&text)[N])
{
    return boundedText(text, N);
}

// Copies a text into a String128, cut to fit and always NUL-terminated.
void copyToString128(std::u16string_view text, Steinberg::String128 target);

// The name of a result code ("kResultFalse"), or "result N" for one without a name.
std::string resultText(Steinberg::tresult result);

// User input: blanks around it and ASCII case do not matter.
std::string_view trimmed(std::string_view text);
char asciiLower(char c);
bool equalIgnoringCase(std::string_view a, std::string_view b);
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

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

}  // namespace morvik::host
