// The tool against a fake processor that logs the host's calls: the order of
// the calls, the blocks and the parameter changes, and what happens when the
// plug-in refuses a call or has no controller.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
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
        return morvik::testing::runProgram(
            MORVIK_RENDER_TOOL, arguments, scratch,
            {"MORVIK_FAKE_LOG=" + (scratch / "calls.log").string(), "MORVIK_FAKE_REFUSE=" + refusedCall});
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
    const ProcessResult result = run({inputFile(), "-o", outputFile(), "--block", "300", "--preroll",
                                      "0.0125", "--set", "2=0.25", "--set", "8=1"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("controller:  none"), std::string::npos) << result.out;

    const Calls expected{
        "initialize context",
        "setBusArrangements 1 3 1 3",
        "setupProcessing 2 0 300 8000",
        "setActive 1",
        "setProcessing 1",
        "process 2 0 300 2=0.25@0 8=1@0",
        "process 2 0 300",
        "process 2 0 300",
        "process 2 0 200",
        "getTailSamples",
        "process 2 0 250",
        "setProcessing 0",
        "setActive 0",
        "terminate",
    };
    EXPECT_EQ(calls(), expected);

    // The report gives the input's length before the processing, though the
    // input streams through and its length is known only at its end.
    const std::string report = "input:       " + inputFile() +
        "\n"
        "format:      WAV, 32-bit float\n"
        "rate:        8000 Hz\n"
        "channels:    2\n"
        "length:      1000 samples (0.125 s)\n"
        "block size:  300 samples\n"
        "sample size: 32-bit float\n"
        "pre-roll:    0.013 s (processed and discarded)\n"
        "parameters: (titles unknown: no controller)\n"
        "  2 = 0.250000\n"
        "  8 = 1.000000\n"
        "tail:        250 samples (0.031 s)\n"
        "output:      " +
        outputFile() +
        ", 1250 samples (0.156 s), 32-bit float WAV\n"
        "peak:        0.499500 (-6.0 dBFS)\n";
    ASSERT_NE(result.out.find("input:"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.substr(result.out.find("input:")), report);

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

TEST_F(RenderToolHostCalls, RefusesAnOutputItCannotCreateBeforeProcessing)
{
    const ProcessResult result = run({inputFile(), "-o", (scratch / "no-such-folder" / "out.wav").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot create"), std::string::npos) << result.err;
    for (const std::string& call : calls())
        EXPECT_NE(call.substr(0, 9), "setActive") << call;
}

TEST_F(RenderToolHostCalls, WarnsWhenTheInputEndsBeforeItsHeaderSays)
{
    // 100 of the 1000 frames (8 bytes each) cut off the end.
    fs::resize_file(inputFile(), fs::file_size(inputFile()) - 800);
    const ProcessResult result = run({inputFile(), "-o", outputFile(), "--no-tail"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("warning: " + inputFile() +
                              " ends after 900 samples, though its header announces 1000"),
              std::string::npos)
        << result.err;

    // A whole file gets no warning.
    SetUp();
    const ProcessResult whole = run({inputFile(), "-o", outputFile(), "--no-tail"});
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    EXPECT_EQ(whole.err.find("warning"), std::string::npos) << whole.err;
}

TEST_F(RenderToolHostCalls, Processes64BitSamplesAndCanSkipTheTail)
{
    const ProcessResult result =
        run({inputFile(), "-o", outputFile(), "--block", "600", "--preroll", "0", "--float64", "--no-tail"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Calls expected{
        "initialize context",
        "setBusArrangements 1 3 1 3",
        "setupProcessing 2 1 600 8000",
        "setActive 1",
        "setProcessing 1",
        "process 2 1 600",
        "process 2 1 400",
        "getTailSamples",
        "setProcessing 0",
        "setActive 0",
        "terminate",
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
        bool reportsTheInput;  // the refusal comes after the input was taken in
    };
    const Case cases[] = {
        {"initialize", "refused initialize", {"initialize context"}, false},
        {"setBusArrangements",
         "refused a stereo input and output",
         {"setBusArrangements 1 3 1 3", "terminate"},
         true},
        {"setupProcessing", "refused setupProcessing", {"setupProcessing 2 0 512 8000", "terminate"}, true},
        {"setActive", "refused setActive(true)", {"setActive 1", "terminate"}, true},
        {"setProcessing",
         "refused setProcessing(true)",
         {"setProcessing 1", "setActive 0", "terminate"},
         true},
        {"process",
         "process failed on the block at sample 0",
         {"process 2 0 512", "setProcessing 0", "setActive 0", "terminate"},
         true},
        {"terminate", "refused terminate", {"setActive 0", "terminate"}, true},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.refusedCall);
        fs::remove(scratch / "calls.log");
        const ProcessResult result = run({inputFile(), "-o", outputFile()}, entry.refusedCall);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(entry.messagePart), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(outputFile()));
        // With the whole length, even where processing stopped in the first block.
        EXPECT_EQ(result.out.find("length:      1000 samples"),
                  entry.reportsTheInput ? result.out.find("length:") : std::string::npos)
            << result.out;
        EXPECT_EQ(result.out.find("tail:"), std::string::npos) << result.out;

        const Calls all = calls();
        ASSERT_GE(all.size(), entry.lastCalls.size());
        EXPECT_EQ(Calls(all.end() - static_cast<std::ptrdiff_t>(entry.lastCalls.size()), all.end()),
                  entry.lastCalls);
    }
}

TEST_F(RenderToolHostCalls, LeavesAnEarlierOutputAloneWhenTheRenderFails)
{
    for (const std::string refusedCall : {"process", "terminate"}) {
        SCOPED_TRACE(refusedCall);
        {
            std::ofstream earlier(outputFile());
            earlier << "earlier";
        }
        const ProcessResult result = run({inputFile(), "-o", outputFile()}, refusedCall);
        EXPECT_EQ(result.exitCode, 1);
        std::ifstream kept(outputFile());
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "earlier");
        EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(scratch), {}).size(), 5u)
            << "no file left behind besides in.wav, out.wav, calls.log, stdout.txt and stderr.txt";
    }
}

// The output takes the place of what was there only once it is complete.
TEST_F(RenderToolHostCalls, WritesOverItsInputAndThroughALinkKeepingTheFilesMode)
{
    fs::permissions(inputFile(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const ProcessResult result = run({inputFile(), "-o", inputFile(), "--no-tail"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto rewritten = morvik::testing::readSoundFile(inputFile());
    ASSERT_TRUE(rewritten);
    EXPECT_EQ(rewritten->channels, input);
    EXPECT_EQ(fs::status(inputFile()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const fs::path link = scratch / "link.wav";
    fs::create_symlink("out.wav", link);
    ASSERT_EQ(run({inputFile(), "-o", link.string(), "--no-tail"}).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    const auto throughLink = morvik::testing::readSoundFile(outputFile());
    ASSERT_TRUE(throughLink);
    EXPECT_EQ(throughLink->channels, input);
}

// Problems come in the order they would if the whole input were read first:
// a damaged input ahead of anything the plug-in refuses, and no report.
TEST_F(RenderToolHostCalls, ReportsADamagedInputFirstAndWritesNothing)
{
    std::vector<std::vector<double>> noise(2);
    std::uint32_t state = 0x12345678u;
    for (int frame = 0; frame < 88200; ++frame)
        for (auto& channel : noise) {
            state = state * 1664525u + 1013904223u;
            channel.push_back(static_cast<double>(state >> 8) / 16777216.0 - 0.5);
        }
    const fs::path damaged = scratch / "damaged.flac";
    ASSERT_TRUE(morvik::testing::writeSoundFile(damaged, 44100, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, noise));
    {
        // Garbage over the middle of the file: the decoder loses its place there.
        std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(fs::file_size(damaged) / 2));
        for (int index = 0; index < 4000; ++index)
            file.put(static_cast<char>(index * 37));
    }

    for (const std::string refusedCall : {"", "setupProcessing", "process", "terminate"}) {
        SCOPED_TRACE("refused: " + refusedCall);
        const ProcessResult result = run({damaged.string(), "-o", outputFile()}, refusedCall);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("error while reading " + damaged.string()), std::string::npos)
            << result.err;
        EXPECT_EQ(result.err.find("refused"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(fs::exists(outputFile()));
    }
}

TEST_F(RenderToolHostCalls, NamesTheInputsContainerAndSampleFormat)
{
    struct Case {
        int format;
        std::string name;
    };
    const Case cases[] = {
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, "WAV, 32-bit float"},
        {SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, "WAV, 32-bit float"},
        {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, "WAV, 64-bit float"},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_16, "WAV, 16-bit integer"},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, "WAV, 8-bit unsigned integer"},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_24, "AIFF, 24-bit integer"},
        {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, "FLAC, 16-bit integer"},
        {SF_FORMAT_W64 | SF_FORMAT_PCM_32, "Wave64, 32-bit integer"},
        {SF_FORMAT_WAV | SF_FORMAT_ULAW, "WAV, U-Law"},  // libsndfile's own name
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const fs::path file = scratch / "formatted";
        ASSERT_TRUE(morvik::testing::writeSoundFile(file, 8000, entry.format, input));
        const ProcessResult result = run({file.string(), "-o", outputFile(), "--no-tail"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("\nformat:      " + entry.name + "\n"), std::string::npos) << result.out;
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
