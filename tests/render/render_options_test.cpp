#include <gtest/gtest.h>

#include <functional>
#include <string_view>
#include <vector>

#include "tools/render/render_options.h"

namespace {

using morvik::render::parseRenderOptions;
using morvik::render::RenderOptions;
using morvik::render::SampleSize;

std::string quoted(const std::vector<std::string_view>& arguments)
{
    std::string text;
    for (const std::string_view argument : arguments)
        text.append("[").append(argument).append("] ");
    return text;
}

TEST(RenderOptions, NoArgumentsRenderTheTestSignalWithDefaults)
{
    const auto parsed = parseRenderOptions({});
    ASSERT_TRUE(parsed) << parsed.error();
    const RenderOptions& options = parsed.value();
    EXPECT_FALSE(options.input);
    EXPECT_EQ(options.output, "morvik-render.wav");
    EXPECT_FALSE(options.bundle);
    EXPECT_TRUE(options.settings.empty());
    EXPECT_EQ(options.blockSize, 512);
    EXPECT_EQ(options.prerollSeconds, 0.5);
    EXPECT_TRUE(options.renderTail);
    EXPECT_EQ(options.sampleSize, SampleSize::Float32);
    EXPECT_FALSE(options.listParameters);
    EXPECT_FALSE(options.showHelp);
}

struct GoodCase {
    std::vector<std::string_view> arguments;
    std::function<void(const RenderOptions&)> check;
};

TEST(RenderOptions, AcceptsEachOptionInItsForms)
{
    const GoodCase cases[] = {
        {{"in.flac", "-o", "out.wav"},
         [](const RenderOptions& o) {
             EXPECT_EQ(o.input, "in.flac");
             EXPECT_EQ(o.output, "out.wav");
         }},
        {{"--output=out.wav", "in.wav"},
         [](const RenderOptions& o) {
             EXPECT_EQ(o.output, "out.wav");
             EXPECT_EQ(o.input, "in.wav");
         }},
        {{"--bundle", "/opt/MorvikGate.vst3"},
         [](const RenderOptions& o) { EXPECT_EQ(o.bundle, "/opt/MorvikGate.vst3"); }},
        {{"--block", "256"}, [](const RenderOptions& o) { EXPECT_EQ(o.blockSize, 256); }},
        {{"--block=1"}, [](const RenderOptions& o) { EXPECT_EQ(o.blockSize, 1); }},
        {{"--preroll", "0"}, [](const RenderOptions& o) { EXPECT_EQ(o.prerollSeconds, 0.0); }},
        {{"--preroll=1.25"}, [](const RenderOptions& o) { EXPECT_EQ(o.prerollSeconds, 1.25); }},
        {{"--no-tail", "--float64", "--list"},
         [](const RenderOptions& o) {
             EXPECT_FALSE(o.renderTail);
             EXPECT_EQ(o.sampleSize, SampleSize::Float64);
             EXPECT_TRUE(o.listParameters);
         }},
        // Help wins over whatever follows it, even a mistake.
        {{"in.wav", "--help", "--bogus"}, [](const RenderOptions& o) { EXPECT_TRUE(o.showHelp); }},
        {{"-h"}, [](const RenderOptions& o) { EXPECT_TRUE(o.showHelp); }},
        {{"--", "-odd name.wav"}, [](const RenderOptions& o) { EXPECT_EQ(o.input, "-odd name.wav"); }},
        {{"--set", "2=0", "--set", " Rvb Time = 0.8 s ", "--set=LPCut=4000Hz", "--set", "8=1"},
         [](const RenderOptions& o) {
             ASSERT_EQ(o.settings.size(), 4u);
             EXPECT_EQ(o.settings[0].key, "2");
             EXPECT_EQ(o.settings[0].id, 2u);
             EXPECT_EQ(o.settings[0].normalized, 0.0);
             EXPECT_EQ(o.settings[1].key, "Rvb Time");
             EXPECT_EQ(o.settings[1].value, "0.8 s");
             EXPECT_FALSE(o.settings[1].id);
             EXPECT_FALSE(o.settings[1].normalized);
             EXPECT_EQ(o.settings[2].key, "LPCut");
             EXPECT_EQ(o.settings[2].value, "4000Hz");
             EXPECT_EQ(o.settings[3].id, 8u);
             EXPECT_EQ(o.settings[3].normalized, 1.0);
         }},
        {{"--set", "5=0.25"}, [](const RenderOptions& o) { EXPECT_EQ(o.settings.at(0).normalized, 0.25); }},
    };
    for (const GoodCase& good : cases) {
        SCOPED_TRACE(quoted(good.arguments));
        const auto parsed = parseRenderOptions(good.arguments);
        ASSERT_TRUE(parsed) << parsed.error();
        good.check(parsed.value());
    }
}

struct BadCase {
    std::vector<std::string_view> arguments;
    std::string_view messagePart;
};

TEST(RenderOptions, RejectsMistakesSayingWhatIsWrong)
{
    const BadCase cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--no-tail=yes"}, "unknown option --no-tail=yes"},
        {{"-o"}, "-o needs a value"},
        {{"--set"}, "--set needs a value"},
        {{"--output="}, "needs a file name"},
        {{"a.wav", "b.wav"}, "more than one input file"},
        {{"-"}, "standard input"},
        {{"--block", "0"}, "--block 0"},
        {{"--block", "-5"}, "--block -5"},
        {{"--block", "12x"}, "--block 12x"},
        {{"--block", "2000000"}, "--block 2000000"},
        {{"--preroll", "-1"}, "--preroll -1"},
        {{"--preroll", "nan"}, "--preroll nan"},
        {{"--preroll", "61"}, "--preroll 61"},
        {{"--set", "Mix"}, "expected KEY=VALUE"},
        {{"--set", "=0.5"}, "neither empty"},
        {{"--set", "Mix="}, "neither empty"},
        {{"--set", "2=1.5"}, "normalized number from 0 to 1"},
        {{"--set", "2=-0.1"}, "normalized number from 0 to 1"},
        {{"--set", "2=30%"}, "normalized number from 0 to 1"},
        {{"--set", "2=inf"}, "normalized number from 0 to 1"},
        {{"--set", "2=nan"}, "normalized number from 0 to 1"},
    };
    for (const BadCase& bad : cases) {
        SCOPED_TRACE(quoted(bad.arguments));
        const auto parsed = parseRenderOptions(bad.arguments);
        ASSERT_FALSE(parsed);
        EXPECT_NE(parsed.error().find(bad.messagePart), std::string::npos) << parsed.error();
    }
}

}  // namespace
