// UTF-16 texts of the plug-in API as plain strings, for readable test failures.
#pragma once

#include <string>

#include "sdk/vst3/interfaces/types.h"

namespace morvik::testing {

// Characters beyond ASCII read as '?'.
inline std::string narrow(const Steinberg::char16* text)
{
    std::string result;
    for (; text && *text; ++text)
        result += *text < 0x80 ? static_cast<char>(*text) : '?';
    return result;
}

inline std::u16string widen(const std::string& text)
{
    return {text.begin(), text.end()};
}

}  // namespace morvik::testing
