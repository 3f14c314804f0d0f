// The product's editor open on the UI thread (a poll() run loop on a private X
// server) while another thread sets parameters and loads component states, as
// hosts do that send controller updates from their own threads. Under the
// thread sanitizer any view touched from the other thread is a reported race;
// without it such a touch crashes the process sooner or later.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "source/processor/parameterids.h"
#include "tests/support/state_record.h"
#include "tools/host/editor_plugin.h"
#include "tools/host/editor_window.h"
#include "tools/host/host_display.h"
#include "tools/host/memory_stream.h"
#include "tools/host/poll_run_loop.h"

namespace {

using namespace std::chrono_literals;
using namespace Steinberg;
using namespace Steinberg::Vst;
using morvik::host::EditorWindow;
using morvik::host::PollRunLoop;
using morvik::host::Screenshot;

constexpr ParamID kIds[] = {kParamBypass,  kParamLevel,     kParamMix,   kParamPredelay,
                            kParamRvbTime, kParamDiffusion, kParamLPCut, kParamSlope};

// What the other thread leaves behind: far from every default.
double finalValue(ParamID id)
{
    return id == kParamBypass ? 1. : 0.155 + 0.09 * id;
}

std::size_t differingPixels(const Screenshot& a, const Screenshot& b)
{
    if (a.width != b.width || a.height != b.height)
        return a.pixels.size() + b.pixels.size();
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        count += a.pixels[i] != b.pixels[i];
    return count;
}

class EditorUnderHostThreads : public ::testing::Test {
protected:
    // One host connection for the whole suite: an X server whose last client
    // leaves resets itself, and refuses connections while it does.
    static void SetUpTestSuite() { display = morvik::host::HostDisplay::open(displayError).release(); }
    static void TearDownTestSuite()
    {
        delete display;
        display = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(display) << displayError << " (run the test under tests/editor/with_xvfb.sh)";
        std::string error;
        plugin = morvik::host::EditorPlugin::load(MORVIK_BUNDLE_DIR, error);
        ASSERT_TRUE(plugin) << error;
        loop = morvik::host::create<PollRunLoop>();
    }
    void TearDown() override
    {
        if (host.joinable())
            stopHost();
    }

    std::unique_ptr<EditorWindow> open()
    {
        std::string error;
        auto editor = EditorWindow::open(*display, loop, plugin->createView(), {}, error);
        EXPECT_TRUE(editor) << error;
        return editor;
    }
    Screenshot look(const EditorWindow& editor)
    {
        display->sync();
        return editor.window().capture();
    }

    // The host's other thread: sets every parameter, and loads a state every
    // eighth round, until stopHost(), which leaves the final values.
    void startHost()
    {
        stop = false;
        host = std::thread([this] {
            IEditController& controller = plugin->controller();
            for (long round = 0; !stop.load(); ++round) {
                const double value = static_cast<double>(round % 101) / 100.;
                for (ParamID id : kIds)
                    controller.setParamNormalized(id, value);
                if (round % 8 == 0) {
                    std::array<double, 13> values{};
                    values.fill(1. - value);
                    auto state = morvik::host::create<morvik::host::MemoryStream>(
                        morvik::testing::stateRecord(static_cast<int32>(round % 2), values));
                    controller.setComponentState(state.get());
                }
                rounds.fetch_add(1);
            }
            for (ParamID id : kIds)
                controller.setParamNormalized(id, finalValue(id));
        });
    }
    void stopHost()
    {
        stop = true;
        host.join();
    }

    static inline morvik::host::HostDisplay* display = nullptr;
    static inline std::string displayError;
    std::unique_ptr<morvik::host::EditorPlugin> plugin;
    IPtr<PollRunLoop> loop;
    std::thread host;
    std::atomic<bool> stop{false};
    std::atomic<long> rounds{0};
};

TEST_F(EditorUnderHostThreads, ChangesFromAnotherThreadReachTheOpenEditorOnItsOwnThread)
{
    auto editor = open();
    ASSERT_TRUE(editor);
    loop->runFor(100ms);
    const Screenshot before = look(*editor);

    startHost();
    // The editor draws and takes up changes meanwhile.
    loop->runFor(1s);
    loop->runUntil([&] { return rounds.load() >= 100; }, 30s);
    stopHost();
    EXPECT_GE(rounds.load(), 100);
    std::cout << "the host's thread ran " << rounds.load() << " rounds\n";

    // The editor shows what a new editor on the final values shows. The new one
    // opens over it (its picture is taken once it no longer changes), then goes.
    Screenshot expected;
    {
        auto fresh = open();
        ASSERT_TRUE(fresh);
        Screenshot previous;
        for (int attempt = 0; attempt < 100; ++attempt) {
            loop->runFor(50ms);
            expected = look(*fresh);
            if (expected.pixels == previous.pixels && expected.countDifferentFrom(expected.pixels[0]) > 0)
                break;
            previous = expected;
        }
    }
    std::size_t differing = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        loop->runFor(50ms);
        differing = differingPixels(look(*editor), expected);
        if (differing == 0)
            break;
    }
    EXPECT_EQ(differing, 0u);
    EXPECT_GT(differingPixels(before, look(*editor)), 1000u) << "the final values are shown";
    for (ParamID id : kIds)
        EXPECT_EQ(plugin->controller().getParamNormalized(id), finalValue(id)) << id;
}

TEST_F(EditorUnderHostThreads, TheEditorClosesWhileAnotherThreadChangesParameters)
{
    for (int round = 0; round < 30; ++round) {
        auto editor = open();
        ASSERT_TRUE(editor);
        startHost();
        loop->runFor(20ms);
        EXPECT_EQ(editor->close(round % 2 ? morvik::host::CloseOrder::FrameFirst
                                          : morvik::host::CloseOrder::RemovedFirst),
                  0u);
        stopHost();
    }
}

}  // namespace
