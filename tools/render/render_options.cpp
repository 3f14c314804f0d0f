#include "tools/render/render_options.h"

#include <algorithm>
#include <array>

#include "tools/host/text.h"

namespace morvik::render {
namespace {

Outcome<ParameterSetting> parseSetting(std::string_view argument)
{
    const auto equals = argument.find('=');
    if (equals == std::string_view::npos)
        return Failure{"--set " + std::string(argument) + ": expected KEY=VALUE"};
    ParameterSetting setting;
    setting.key = host::trimmed(argument.substr(0, equals));
    setting.value = host::trimmed(argument.substr(equals + 1));
    if (setting.key.empty() || setting.value.empty())
        return Failure{"--set " + std::string(argument) + ": expected KEY=VALUE with neither empty"};

    setting.id = host::parseNumber<Steinberg::Vst::ParamID>(setting.key);
    if (!setting.id)
        return setting;
    setting.normalized = host::parseNumber<double>(setting.value);
    if (!setting.normalized || *setting.normalized < 0.0 || *setting.normalized > 1.0)
        return Failure{"--set " + std::string(argument) +
                       ": with a numeric id the value is a normalized number from 0 to 1;"
                       " give the parameter's title to set a plain value"};
    return setting;
}

constexpr std::array<std::string_view, 6> kOptionsWithValue{"-o",    "--output", "--bundle",
                                                            "--set", "--block",  "--preroll"};

// Walks the arguments; options that take a value accept it as the next
// argument or after '=' ("--block 256", "--block=256").
class ArgumentParser {
public:
    explicit ArgumentParser(std::span<const std::string_view> arguments) : arguments(arguments) {}

    Outcome<RenderOptions> parse()
    {
        bool optionsEnded = false;
        for (; next < arguments.size(); ++next) {
            const std::string_view argument = arguments[next];
            if (argument == "-")
                return Failure{"reading from standard input is not supported; name an input file"};
            if (optionsEnded || !argument.starts_with('-')) {
                if (options.input)
                    return Failure{"more than one input file: " + options.input->string() + " and " +
                                   std::string(argument)};
                options.input = std::string(argument);
                continue;
            }
            if (argument == "--") {
                optionsEnded = true;
                continue;
            }
            if (argument == "--help" || argument == "-h") {
                options.showHelp = true;
                return options;
            }
            if (auto failure = parseOption(argument))
                return *failure;
        }
        return options;
    }

private:
    std::optional<Failure> parseOption(std::string_view argument)
    {
        if (argument == "--list") {
            options.listParameters = true;
            return std::nullopt;
        }
        if (argument == "--no-tail") {
            options.renderTail = false;
            return std::nullopt;
        }
        if (argument == "--float64") {
            options.sampleSize = SampleSize::Float64;
            return std::nullopt;
        }

        std::string_view name = argument;
        std::optional<std::string_view> value;
        if (const auto equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        if (std::find(kOptionsWithValue.begin(), kOptionsWithValue.end(), name) == kOptionsWithValue.end())
            return Failure{"unknown option " + std::string(argument)};
        if (!value) {
            if (next + 1 >= arguments.size())
                return Failure{std::string(name) + " needs a value"};
            value = arguments[++next];
        }
        return applyValue(name, *value);
    }

    std::optional<Failure> applyValue(std::string_view name, std::string_view value)
    {
        const std::string given = std::string(name) + " " + std::string(value);
        if (name == "-o" || name == "--output") {
            if (value.empty())
                return Failure{std::string(name) + " needs a file name"};
            options.output = std::string(value);
        } else if (name == "--bundle") {
            if (value.empty())
                return Failure{"--bundle needs a path"};
            options.bundle = std::string(value);
        } else if (name == "--set") {
            auto setting = parseSetting(value);
            if (!setting)
                return Failure{setting.error()};
            options.settings.push_back(std::move(setting.value()));
        } else if (name == "--block") {
            const auto size = host::parseNumber<Steinberg::int32>(value);
            if (!size || *size < 1 || *size > RenderOptions::kLargestBlockSize)
                return Failure{given + ": expected a whole number of samples from 1 to " +
                               std::to_string(RenderOptions::kLargestBlockSize)};
            options.blockSize = *size;
        } else if (name == "--preroll") {
            const auto seconds = host::parseNumber<double>(value);
            if (!seconds || *seconds < 0.0 || *seconds > RenderOptions::kLongestPrerollSeconds)
                return Failure{given + ": expected seconds from 0 to " +
                               std::to_string(static_cast<int>(RenderOptions::kLongestPrerollSeconds))};
            options.prerollSeconds = *seconds;
        }
        return std::nullopt;
    }

    std::span<const std::string_view> arguments;
    std::size_t next = 0;
    RenderOptions options;
};

}  // namespace

Outcome<RenderOptions> parseRenderOptions(std::span<const std::string_view> arguments)
{
    return ArgumentParser(arguments).parse();
}

std::string usageText(std::string_view programName)
{
    const std::string program(programName);
    return "Usage: " + program + R"( [OPTIONS] [INPUT]

Renders an audio file through the MorvikGate VST 3 bundle, loaded as a host
loads it. Without INPUT, renders a built-in test signal: drum-like bursts and a
single-sample click at 48000 Hz, with gaps long enough to hear each gated tail.

INPUT is any file libsndfile reads. A mono file feeds both channels; of a file
with more than two channels only the first two are used. The output has the
input's sample rate and is a WAV file of 32-bit floats (64-bit with --float64).

Options:
  -o, --output FILE    output WAV file (default: morvik-render.wav)
  --bundle PATH        the bundle (MorvikGate.vst3) or its .so; default: the
                       bundle of this build tree, else ~/.vst3/MorvikGate.vst3
  --set KEY=VALUE      set a parameter; repeatable, the last one for a
                       parameter wins. KEY is a parameter id (0 Bypass, 1 Level,
                       2 Mix, 3 Predelay, 4 Rvb Time, 5 Diffusion, 6 LPCut,
                       8 Slope) with a normalized VALUE from 0 to 1, or a title
                       with a plain VALUE, a number in the parameter's units
                       (given or left out) or one of its value texts: Mix=30,
                       "Mix=30%", "Rvb Time=0.8 s", LPCut=4000Hz, Bypass=On.
                       Titles need the plug-in's controller, which converts
                       plain values; one outside the parameter's range is
                       brought to its nearest end, with a warning.
  --list               print the parameters (id, title, units, range, default)
                       and exit
  --block N            samples per processing block (default: 512)
  --float64            process 64-bit samples and write a 64-bit float WAV
  --preroll SECONDS    silence processed and discarded before the input
                       (default: 0.5); each activation keeps the reverb silent
                       for its first 450 ms
  --no-tail            stop at the end of the input instead of rendering the
                       plug-in's tail
  -h, --help           print this help and exit

Parameter values reach the plug-in as changes in the first processed block.

Exit status: 0 success, 1 runtime failure, 2 usage error.
)";
}

}  // namespace morvik::render
