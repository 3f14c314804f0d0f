// The state bytes a host would store for a component.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sdk/vst3/interfaces/component.h"
#include "tools/host/memory_stream.h"

namespace morvik::testing {

inline std::vector<std::uint8_t> savedState(Steinberg::Vst::IComponent& component)
{
    auto stream = host::create<host::MemoryStream>();
    EXPECT_EQ(component.getState(stream.get()), Steinberg::kResultOk);
    return stream->bytes();
}

}  // namespace morvik::testing
