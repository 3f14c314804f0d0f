// UTF-16 texts of the parameter API as plain strings, for readable test failures.
#pragma once

#include <string>

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg::Vst::testing {

inline std::string narrow(const TChar* text)
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

}  // namespace Steinberg::Vst::testing
