// morvik-render: renders audio through the built MorvikGate bundle, loaded
// through its exports as a host loads it.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/host/module.h"
#include "tools/render/parameter_catalog.h"
#include "tools/render/parameter_resolution.h"
#include "tools/render/plugin_instance.h"
#include "tools/render/render_options.h"
#include "tools/render/render_report.h"
#include "tools/render/renderer.h"
#include "tools/render/sound_file_reader.h"
#include "tools/render/stereo_audio.h"
#include "tools/render/test_signal.h"
#include "tools/render/wav_file_writer.h"

namespace morvik::render {
namespace {

enum ExitCode : int { kSuccess = 0, kRuntimeFailure = 1, kUsageError = 2 };

constexpr std::string_view kProgram = "morvik-render";

int fail(ExitCode code, const std::string& message)
{
    std::cerr << kProgram << ": " << message << '\n';
    if (code == kUsageError)
        std::cerr << "Try '" << kProgram << " --help'.\n";
    return code;
}

void warn(const std::string& message)
{
    std::cerr << kProgram << ": warning: " << message << '\n';
}

// The bundle of this build tree when it has been built, else the per-user install.
std::filesystem::path defaultBundle()
{
    const std::filesystem::path built = MORVIK_BUILD_TREE_BUNDLE;
    std::error_code ignored;
    if (std::filesystem::exists(built, ignored))
        return built;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / ".vst3" / "MorvikGate.vst3";
}

std::string channelsText(int fileChannels)
{
    if (fileChannels == 1)
        return "1 (mono, fed to both inputs)";
    if (fileChannels == 2)
        return "2";
    return std::to_string(fileChannels) + " (only the first two are used)";
}

struct Input {
    std::unique_ptr<AudioSource> source;
    InputDescription description;
    const SoundFileReader* file = nullptr;  // null for the built-in signal
};

Outcome<Input> openInput(const RenderOptions& options)
{
    if (!options.input)
        return Input{std::make_unique<StereoAudioSource>(makeTestSignal().audio),
                     {"built-in test signal", "drum-like bursts and a click", "2"}};
    auto file = SoundFileReader::open(*options.input);
    if (!file)
        return Failure{file.error()};
    InputDescription description{options.input->string(), file.value()->format(),
                                 channelsText(file.value()->fileChannels())};
    const SoundFileReader* reader = file.value().get();
    return Input{std::move(file.value()), std::move(description), reader};
}

int run(const RenderOptions& options)
{
    const std::filesystem::path bundle = options.bundle.value_or(defaultBundle());
    std::string loadError;
    const auto module = host::Module::load(bundle, loadError);
    if (!module)
        return fail(kRuntimeFailure,
                    "cannot load the plug-in: " + loadError +
                        (options.bundle ? "" : " (no bundle in the build tree either; use --bundle)"));

    auto created = PluginInstance::create(*module);
    if (!created)
        return fail(kRuntimeFailure, created.error());
    PluginInstance& plugin = *created.value();
    const ParameterCatalog catalog = plugin.controller()
        ? ParameterCatalog::fromController(*plugin.controller())
        : ParameterCatalog::withoutController();

    if (options.listParameters) {
        if (!catalog.hasController())
            return fail(kRuntimeFailure, "cannot list the parameters: " + plugin.controllerProblem());
        printParameterList(std::cout, catalog);
        if (auto stopped = plugin.shutdown(); !stopped)
            return fail(kRuntimeFailure, stopped.error());
        return kSuccess;
    }

    const auto parameters = resolveParameters(options.settings, catalog);
    if (!parameters)
        return fail(kUsageError, parameters.error());
    for (const ResolvedParameter& parameter : parameters.value())
        if (parameter.warning)
            warn(*parameter.warning);

    auto input = openInput(options);
    if (!input)
        return fail(kRuntimeFailure, input.error());
    AudioSource& source = *input->source;
    WavFileWriter output(options.output, source.sampleRate(), options.sampleSize);
    if (auto opened = output.opened(); !opened)
        return fail(kRuntimeFailure, opened.error());

    RenderSettings settings;
    settings.sampleSize = options.sampleSize;
    settings.blockSize = options.blockSize;
    settings.prerollSeconds = options.prerollSeconds;
    settings.renderTail = options.renderTail;
    settings.parameters = parameters.value();

    // The opening report gives the input's length, known once the input has
    // streamed through.
    const auto printOpening = [&](std::size_t inputFrames) {
        std::cout << "plug-in:     " << plugin.name()
                  << (plugin.vendor().empty() ? "" : " by " + plugin.vendor()) << ", from "
                  << module->binaryPath().string() << '\n';
        if (!catalog.hasController())
            std::cout << "controller:  none (" << plugin.controllerProblem() << ")\n";
        printInput(std::cout, input->description, source.sampleRate(), inputFrames);
        printProcessing(std::cout, settings, catalog);
    };

    const auto rendering =
        render(plugin.component(), plugin.processor(), source, output, settings, printOpening);
    if (!rendering)
        return fail(kRuntimeFailure, rendering.error());
    if (auto stopped = plugin.shutdown(); !stopped)
        return fail(kRuntimeFailure, stopped.error());
    if (const SoundFileReader* file = input->file;
        file && file->announcedFrames() && file->framesRead() < *file->announcedFrames())
        warn(input->description.source + " ends after " + std::to_string(file->framesRead()) +
             " samples, though its header announces " + std::to_string(*file->announcedFrames()));
    if (rendering->nonFiniteSamples > 0)
        warn("the plug-in produced " + std::to_string(rendering->nonFiniteSamples) +
             " samples that are not finite numbers");

    if (auto written = output.finish(); !written)
        return fail(kRuntimeFailure, written.error());
    printRendering(std::cout, rendering.value(), settings, options.output);
    return kSuccess;
}

}  // namespace
}  // namespace morvik::render

int main(int argc, char** argv)
{
    using namespace morvik::render;
    try {
        const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        const auto options = parseRenderOptions(arguments);
        if (!options)
            return fail(kUsageError, options.error());
        if (options->showHelp) {
            std::cout << usageText(kProgram);
            return kSuccess;
        }
        return run(options.value());
    } catch (const std::exception& error) {
        return fail(kRuntimeFailure, std::string("unexpected failure: ") + error.what());
    } catch (...) {
        return fail(kRuntimeFailure, "unexpected failure");
    }
}
