// Checks what a component handler saw of one gesture.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tools/host/component_handler.h"

namespace editortest {

// Exactly one complete edit: begin, one perform with the value (to 1e-6), end.
inline void expectOneEdit(const std::vector<morvik::host::HandlerCall>& calls, Steinberg::Vst::ParamID id,
                          double value)
{
    using morvik::host::HandlerCall;
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], morvik::host::beginEdit(id));
    EXPECT_EQ(calls[1].kind, HandlerCall::Kind::PerformEdit);
    EXPECT_EQ(calls[1].id, id);
    EXPECT_NEAR(calls[1].value, value, 1e-6);
    EXPECT_EQ(calls[2], morvik::host::endEdit(id));
}

}  // namespace editortest
