// The tool against a fake processor that logs the host's calls: the order of
// the calls, the blocks and the parameter changes, and what happens when the
// plug-in refuses a call or has no controller.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/render/scratch_folder.h"
#include "tests/render/tool_process.h"
#include "tests/render/wav_io.h"

namespace {

namespace fs = std::filesystem;
using morvik::testing::ProcessResult;

using Calls = std::vector<std::string>;

class RenderToolHostCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 1000 frames at 8000 Hz; every sample differs, so a shifted or lost
        // frame shows. Floats, so that the file holds them exactly.
        std::vector<std::vector<double>> channels(2);
        for (int frame = 0; frame < kInputFrames; ++frame) {
            channels[0].push_back(static_cast<float>(0.5 * frame / kInputFrames));
            channels[1].push_back(static_cast<float>(-0.25 * frame / kInputFrames));
        }
        ASSERT_TRUE(morvik::testing::writeFloatWav(inputFile(), 8000, channels));
        input = channels;
    }

    ProcessResult run(std::vector<std::string> arguments, const std::string& refusedCall = {}) const
    {
        arguments.insert(arguments.begin(), {"--bundle", MORVIK_FAKE_PROCESSOR_BUNDLE});
        return morvik::testing::runProgram(MORVIK_RENDER_TOOL, arguments, scratch,
                                           {"MORVIK_FAKE_LOG=" + (scratch / "calls.log").string(),
                                            "MORVIK_FAKE_REFUSE=" + refusedCall});
    }

    Calls calls() const
    {
        std::ifstream log(scratch / "calls.log");
        Calls lines;
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        return lines;
    }

    std::string inputFile() const { return (scratch / "in.wav").string(); }
    std::string outputFile() const { return (scratch / "out.wav").string(); }

    static constexpr int kInputFrames = 1000;
    const fs::path scratch = morvik::testing::freshScratchFolder();
    std::vector<std::vector<double>> input;
};

TEST_F(RenderToolHostCalls, RunsPrerollInputAndTailInBlocksWithTheChangesInTheFirst)
{
    // A pre-roll of 100 frames, the input's 1000 and the fake's tail of 250, in blocks of 300.
    const ProcessResult result = run(
        {inputFile(), "-o", outputFile(), "--block", "300", "--preroll", "0.0125", "--set", "2=0.25", "--set", "8=1"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("controller:  none"), std::string::npos) << result.out;

    const Calls expected{
        "initialize context", "setBusArrangements 1 3 1 3", "setupProcessing 2 0 300 8000", "setActive 1",
        "setProcessing 1",    "process 2 0 300 2=0.25@0 8=1@0", "process 2 0 300", "process 2 0 300",
        "process 2 0 200",    "getTailSamples", "process 2 0 250", "setProcessing 0", "setActive 0", "terminate",
    };
    EXPECT_EQ(calls(), expected);

    // The fake passes audio through: the output is the input, then the tail's silence.
    const auto output = morvik::testing::readSoundFile(outputFile());
    ASSERT_TRUE(output);
    ASSERT_EQ(output->channels.size(), 2u);
    ASSERT_EQ(output->frames(), 1250u);
    for (std::size_t channel = 0; channel < 2; ++channel) {
        std::vector<double> expectedSamples = input[channel];
        expectedSamples.resize(1250, 0.0);
        EXPECT_EQ(output->channels[channel], expectedSamples) << "channel " << channel;
    }
}

TEST_F(RenderToolHostCalls, Processes64BitSamplesAndCanSkipTheTail)
{
    const ProcessResult result =
        run({inputFile(), "-o", outputFile(), "--block", "600", "--preroll", "0", "--float64", "--no-tail"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Calls expected{
        "initialize context", "setBusArrangements 1 3 1 3", "setupProcessing 2 1 600 8000", "setActive 1",
        "setProcessing 1",    "process 2 1 600", "process 2 1 400", "getTailSamples", "setProcessing 0",
        "setActive 0",        "terminate",
    };
    EXPECT_EQ(calls(), expected);
    const auto output = morvik::testing::readSoundFile(outputFile());
    ASSERT_TRUE(output);
    EXPECT_EQ(output->frames(), static_cast<std::size_t>(kInputFrames));
    EXPECT_EQ(output->channels.at(0), input[0]);
}

TEST_F(RenderToolHostCalls, ReportsARefusedCallUndoesWhatWasDoneAndWritesNothing)
{
    struct Case {
        std::string refusedCall;
        std::string messagePart;
        Calls lastCalls;
    };
    const Case cases[] = {
        {"initialize", "refused initialize", {"initialize context"}},
        {"setBusArrangements", "refused a stereo input and output", {"setBusArrangements 1 3 1 3", "terminate"}},
        {"setupProcessing", "refused setupProcessing", {"setupProcessing 2 0 512 8000", "terminate"}},
        {"setActive", "refused setActive(true)", {"setActive 1", "terminate"}},
        {"setProcessing", "refused setProcessing(true)", {"setProcessing 1", "setActive 0", "terminate"}},
        {"process", "process failed on the block at sample 0",
         {"process 2 0 512", "setProcessing 0", "setActive 0", "terminate"}},
        {"terminate", "refused terminate", {"setActive 0", "terminate"}},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.refusedCall);
        fs::remove(scratch / "calls.log");
        const ProcessResult result = run({inputFile(), "-o", outputFile()}, entry.refusedCall);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(entry.messagePart), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(outputFile()));

        const Calls all = calls();
        ASSERT_GE(all.size(), entry.lastCalls.size());
        EXPECT_EQ(Calls(all.end() - static_cast<std::ptrdiff_t>(entry.lastCalls.size()), all.end()), entry.lastCalls);
    }
}

TEST_F(RenderToolHostCalls, WithoutAControllerTakesNoTitlesAndListsNothing)
{
    const ProcessResult title = run({inputFile(), "-o", outputFile(), "--set", "Mix=30"});
    EXPECT_EQ(title.exitCode, 2);
    EXPECT_NE(title.err.find("titles are unknown"), std::string::npos) << title.err;
    EXPECT_FALSE(fs::exists(outputFile()));

    const ProcessResult list = run({"--list"});
    EXPECT_EQ(list.exitCode, 1);
    EXPECT_NE(list.err.find("cannot list the parameters"), std::string::npos) << list.err;
}

}  // namespace
