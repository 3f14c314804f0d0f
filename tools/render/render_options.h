// The command line of the render tool.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/vst3/interfaces/types.h"
#include "tools/render/outcome.h"

namespace morvik::render {

enum class SampleSize { Float32, Float64 };

// One --set KEY=VALUE as given. A numeric key is a parameter id and its value a
// normalized number, both checked while parsing; any other key is a parameter
// title whose value is a plain text that only the controller can convert.
struct ParameterSetting {
    std::string key;
    std::string value;
    std::optional<Steinberg::Vst::ParamID> id;
    std::optional<double> normalized;
};

struct RenderOptions {
    static constexpr Steinberg::int32 kDefaultBlockSize = 512;
    static constexpr Steinberg::int32 kLargestBlockSize = 1 << 20;
    static constexpr double kDefaultPrerollSeconds = 0.5;
    static constexpr double kLongestPrerollSeconds = 60.0;

    std::optional<std::filesystem::path> input;  // none: the built-in test signal
    std::filesystem::path output = "morvik-render.wav";
    std::optional<std::filesystem::path> bundle;  // none: the default locations
    std::vector<ParameterSetting> settings;
    Steinberg::int32 blockSize = kDefaultBlockSize;
    double prerollSeconds = kDefaultPrerollSeconds;
    bool renderTail = true;
    SampleSize sampleSize = SampleSize::Float32;
    bool listParameters = false;
    bool showHelp = false;
};

// The arguments after the program name. A failure's message says what is wrong
// with which argument.
Outcome<RenderOptions> parseRenderOptions(std::span<const std::string_view> arguments);

std::string usageText(std::string_view programName);

}  // namespace morvik::render
