// No exception may cross an interface call into the host. These wrappers run the
// body of an interface method and turn whatever it throws into an answer.
#pragma once

#include <new>
#include <utility>

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg {

template <class Body>
tresult guardedResult(Body&& body) noexcept
{
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (...) {
        return kInternalError;
    }
}

// For methods that answer a value rather than a result code.
template <class Value, class Body>
Value guardedValue(Value fallback, Body&& body) noexcept
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return fallback;
    }
}

}  // namespace Steinberg
