// Text for the fixed-size fields of the factory records. Sources are read no
// further than their field size (a field need not hold a terminator); results
// are always terminated, cut at a whole character when they do not fit, and
// malformed UTF-8 or UTF-16 becomes U+FFFD.
#pragma once

#include <cstddef>

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg::FixedText {

void copyUtf8(char8* dest, std::size_t destSize, const char8* source, std::size_t sourceSize);
void utf8ToUtf16(char16* dest, std::size_t destSize, const char8* source, std::size_t sourceSize);
void utf16ToUtf8(char8* dest, std::size_t destSize, const char16* source, std::size_t sourceSize);

template <std::size_t D, std::size_t S>
void copy(char8 (&dest)[D], const char8 (&source)[S])
{
    copyUtf8(dest, D, source, S);
}

template <std::size_t D, std::size_t S>
void copy(char16 (&dest)[D], const char8 (&source)[S])
{
    utf8ToUtf16(dest, D, source, S);
}

template <std::size_t D, std::size_t S>
void copy(char8 (&dest)[D], const char16 (&source)[S])
{
    utf16ToUtf8(dest, D, source, S);
}

}  // namespace Steinberg::FixedText
