// Conversions between the plug-in's fixed-size texts and std::string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

}  // namespace morvik::host
