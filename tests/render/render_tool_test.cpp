// The built tool run on the built bundle, as a user runs it.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/render/scratch_folder.h"
#include "tests/render/tool_process.h"
#include "tests/render/wav_io.h"
#include "tools/render/test_signal.h"

namespace {

namespace fs = std::filesystem;
using morvik::testing::ProcessResult;
using morvik::testing::readSoundFile;
using morvik::testing::SoundFileContents;
using morvik::testing::writeFloatWav;

// Gate (350 ms at the default Rvb Time) plus half a second.
constexpr std::size_t kDefaultTailAt48k = 40800;
constexpr std::size_t kDefaultTailAt44k1 = 37485;
// Mix 0 leaves the dry signal, up to the engine's 1e-18 offset and the last
// trace of the mix smoother, which the pre-roll lets run for half a second.
constexpr double kDryTolerance = 1e-6;

fs::path bundleUnderTest()
{
    if (const char* overridden = std::getenv("MORVIK_BUNDLE"); overridden && *overridden)
        return overridden;
    return MORVIK_BUNDLE_DIR;
}

double peak(const std::vector<double>& samples, std::size_t begin, std::size_t end)
{
    double result = 0.0;
    for (std::size_t index = begin; index < std::min(end, samples.size()); ++index)
        result = std::max(result, std::abs(samples[index]));
    return result;
}

class RenderTool : public ::testing::Test {
protected:
    ProcessResult run(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), {"--bundle", bundleUnderTest().string()});
        return morvik::testing::runProgram(MORVIK_RENDER_TOOL, arguments, scratch);
    }

    std::string file(const std::string& name) const { return (scratch / name).string(); }

    const fs::path scratch = morvik::testing::freshScratchFolder();
};

TEST_F(RenderTool, RendersTheBuiltInSignalAndItsTail)
{
    const ProcessResult result = run({"-o", file("out.wav")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("built-in test signal"), std::string::npos) << result.out;

    const auto output = readSoundFile(file("out.wav"));
    ASSERT_TRUE(output);
    const auto signal = morvik::render::makeTestSignal();
    EXPECT_EQ(output->sampleRate, 48000);
    EXPECT_EQ(output->format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(output->channels.size(), 2u);
    EXPECT_EQ(output->frames(), signal.audio.frames() + kDefaultTailAt48k);
    EXPECT_GT(peak(output->channels[0], 0, output->frames()), 0.1);

    // The kick comes 0.1 s into the input: its reverb is heard only because the
    // pre-roll has taken the activation's silent 450 ms.
    const auto& kick = signal.bursts.at(0);
    const std::size_t kickEnd = kick.start + kick.length;
    for (const auto& channel : output->channels)
        EXPECT_GT(peak(channel, kickEnd, kickEnd + 14400), 1e-3) << "no reverb after the kick";
}

TEST_F(RenderTool, StopsAtTheInputsEndWithNoTail)
{
    const ProcessResult result = run({"-o", file("out.wav"), "--no-tail", "--block", "100"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto output = readSoundFile(file("out.wav"));
    ASSERT_TRUE(output);
    EXPECT_EQ(output->frames(), morvik::render::makeTestSignal().audio.frames());
}

struct FileCase {
    const char* name;
    int channels;
    std::vector<std::string> arguments;
    bool dryOnly;  // Mix at 0: the output is the input
    int expectedSubtype;
};

TEST_F(RenderTool, RendersAFileAtItsRateWithItsFirstTwoChannels)
{
    const FileCase cases[] = {
        {"stereo at the defaults", 2, {}, false, SF_FORMAT_FLOAT},
        {"mono, Mix 0", 1, {"--set", "2=0"}, true, SF_FORMAT_FLOAT},
        {"stereo, Mix 0, 64-bit", 2, {"--set", "2=0", "--float64"}, true, SF_FORMAT_DOUBLE},
        {"three channels, Mix 0, odd block", 3, {"--set", "2=0", "--block", "37"}, true, SF_FORMAT_FLOAT},
    };
    constexpr int kRate = 44100;
    constexpr std::size_t kFrames = 4410;
    for (const FileCase& entry : cases) {
        SCOPED_TRACE(entry.name);
        std::vector<std::vector<double>> input(static_cast<std::size_t>(entry.channels));
        for (std::size_t channel = 0; channel < input.size(); ++channel)
            for (std::size_t frame = 0; frame < kFrames; ++frame)
                input[channel].push_back(0.5 * std::sin(0.01 * static_cast<double>((channel + 1) * frame)) *
                                         std::exp(-0.0005 * static_cast<double>(frame)));
        ASSERT_TRUE(writeFloatWav(file("in.wav"), kRate, input));

        std::vector<std::string> arguments{file("in.wav"), "-o", file("out.wav")};
        arguments.insert(arguments.end(), entry.arguments.begin(), entry.arguments.end());
        const ProcessResult result = run(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;

        const auto output = readSoundFile(file("out.wav"));
        ASSERT_TRUE(output);
        EXPECT_EQ(output->sampleRate, kRate);
        EXPECT_EQ(output->format, SF_FORMAT_WAV | entry.expectedSubtype);
        ASSERT_EQ(output->channels.size(), 2u);
        ASSERT_EQ(output->frames(), kFrames + kDefaultTailAt44k1);
        EXPECT_GT(peak(output->channels[0], 0, kFrames), 0.1);
        EXPECT_GT(peak(output->channels[1], 0, kFrames), 0.1);
        if (!entry.dryOnly)
            continue;
        for (std::size_t channel = 0; channel < 2; ++channel) {
            const auto& source = input[entry.channels == 1 ? 0 : channel];
            const auto& rendered = output->channels[channel];
            double largestDifference = 0.0;
            for (std::size_t frame = 0; frame < kFrames; ++frame)
                largestDifference = std::max(largestDifference, std::abs(rendered[frame] - source[frame]));
            EXPECT_LT(largestDifference, kDryTolerance) << "channel " << channel;
            EXPECT_LT(peak(rendered, kFrames, rendered.size()), kDryTolerance)
                << "tail of channel " << channel;
        }
    }
}

TEST_F(RenderTool, SetsParametersByTitleWithUnits)
{
    const std::vector<std::vector<double>> input{{0.25, -0.5, 0.125, 0.0}, {-0.25, 0.5, 0.0, 0.75}};
    ASSERT_TRUE(writeFloatWav(file("in.wav"), 48000, input));
    const ProcessResult result =
        run({file("in.wav"), "-o", file("out.wav"), "--set", "Mix=0%", "--set", "Level=0 dB", "--set",
             "Rvb Time=1.2 s", "--set", "Bypass=Off", "--set", "Predelay=0 ms"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Rvb Time"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find(
                  "warning: --set Predelay=0 ms: 0 is outside the range of Predelay (from 1 to 250 ms); "
                  "1.0 ms is used"),
              std::string::npos)
        << result.err;

    const auto output = readSoundFile(file("out.wav"));
    ASSERT_TRUE(output);
    ASSERT_EQ(output->channels.size(), 2u);
    // Rvb Time 1.2 s: a 1.2 s gate plus half a second.
    ASSERT_EQ(output->frames(), input[0].size() + 81600);
    for (std::size_t channel = 0; channel < 2; ++channel)
        for (std::size_t frame = 0; frame < input[channel].size(); ++frame)
            EXPECT_NEAR(output->channels[channel][frame], input[channel][frame], kDryTolerance);
}

TEST_F(RenderTool, ListsTheParametersWithTheirRanges)
{
    const ProcessResult result = run({"--list"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* expected : {"Bypass", "Level", "Mix", "Predelay", "Rvb Time", "Diffusion", "LPCut",
                                 "Slope", "-36.00..12.00", "500..16000", "0.35"})
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << " in\n" << result.out;
}

struct ExitCase {
    std::vector<std::string> arguments;
    int exitCode;
    std::string messagePart;
};

TEST_F(RenderTool, ExitsWithAReasonAndNoOutputOnFailure)
{
    const ExitCase cases[] = {
        {{"--bogus"}, 2, "unknown option --bogus"},
        {{"--set", "2=1.5"}, 2, "normalized number"},
        {{"--set", "7=0.5"}, 2, "no parameter 7"},
        {{"--set", "Nope=1"}, 2, "Nope"},
        {{"--set", "LPCut=4 kHz"}, 2, "give a number from 500 to 16000 Hz"},
        {{"--set", "Rvb Time=800 ms"}, 2, "give a number from 0.2 to 1.2 s"},
        {{"--set", "Mix=0x20"}, 2, "give a number from 0 to 100 %"},
        {{file("missing.wav")}, 1, "cannot read"},
        {{"--bundle", file("Missing.vst3")}, 1, "cannot load the plug-in"},
    };
    for (const ExitCase& entry : cases) {
        std::vector<std::string> arguments{"-o", file("out.wav")};
        arguments.insert(arguments.end(), entry.arguments.begin(), entry.arguments.end());
        SCOPED_TRACE(arguments.back());
        const ProcessResult result = run(arguments);
        EXPECT_EQ(result.exitCode, entry.exitCode);
        EXPECT_NE(result.err.find(entry.messagePart), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(file("out.wav")));
    }
}

TEST_F(RenderTool, ReportsAnOutputItCannotWrite)
{
    const ProcessResult result = run({"-o", file("no-such-folder/out.wav"), "--no-tail"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot create"), std::string::npos) << result.err;
}

TEST_F(RenderTool, HelpDocumentsEveryOption)
{
    const ProcessResult result = run({"--help"});
    ASSERT_EQ(result.exitCode, 0);
    for (const char* option : {"--output", "--bundle", "--set KEY=VALUE", "--list", "--block", "--float64",
                               "--preroll", "--no-tail", "--help", "Exit status"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
}

}  // namespace
