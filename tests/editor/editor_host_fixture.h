// What the X11 editor tests share: a display, a poll() run loop, XTest input
// and the test bundle's controller, with helpers to open its editor and look at it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "tools/host/editor_plugin.h"
#include "tools/host/editor_window.h"
#include "tools/host/host_display.h"
#include "tools/host/poll_run_loop.h"
#include "tools/host/xtest_input.h"

namespace editortest {

using namespace std::chrono_literals;

// Colours of the test description.
constexpr uint32_t kBackground = 0x203040;
constexpr uint32_t kButtonOff = 0x505050;
constexpr uint32_t kButtonOn = 0x20d040;
constexpr uint32_t kStepBar = 0x4090f0;

class EditorHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        display = morvik::host::HostDisplay::open(error);
        ASSERT_TRUE(display) << error << " (run the test under xvfb-run)";
        plugin = morvik::host::EditorPlugin::load(EDITOR_TEST_BUNDLE, error);
        ASSERT_TRUE(plugin) << error;
        input = morvik::host::XTestInput::create(*display, error);
        ASSERT_TRUE(input) << error;
        loop = morvik::host::create<morvik::host::PollRunLoop>();
    }

    std::unique_ptr<morvik::host::EditorWindow> open(std::optional<float> scale = std::nullopt)
    {
        std::string error;
        morvik::host::EditorWindow::Options options;
        options.contentScale = scale;
        auto editor = morvik::host::EditorWindow::open(*display, loop, plugin->createView(), options, error);
        EXPECT_TRUE(editor) << error;
        return editor;
    }

    // Lets the editor handle what is pending and draw, then looks at its window.
    morvik::host::Screenshot look(const morvik::host::EditorWindow& editor)
    {
        loop->runFor(100ms);
        return editor.captureDrawn();
    }

    // Runs the loop until the component handler has seen `count` calls.
    bool waitForCalls(std::size_t count)
    {
        return loop->runUntil([&] { return plugin->handler().calls().size() >= count; }, 2s);
    }

    std::unique_ptr<morvik::host::HostDisplay> display;
    std::unique_ptr<morvik::host::EditorPlugin> plugin;
    std::unique_ptr<morvik::host::XTestInput> input;
    Steinberg::IPtr<morvik::host::PollRunLoop> loop;
};

}  // namespace editortest
