// morvik-editor: opens a VST 3 bundle's editor in a window on the current X
// display, as a Linux host does, and optionally saves a screenshot of it.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "tools/host/editor_plugin.h"
#include "tools/host/editor_window.h"
#include "tools/host/text.h"

namespace morvik::editor {
namespace {

using namespace std::chrono_literals;

enum ExitCode : int {
    kSuccess = 0,
    kRuntimeFailure = 1,
    kUsageError = 2,
    kLeftRegistered = 3,
    kDisplayLost = 4,
};

constexpr std::string_view kProgram = "morvik-editor";
constexpr std::string_view kUsage =
    "usage: morvik-editor [BUNDLE] [--scale FACTOR] [--screenshot FILE] [--seconds N]\n"
    "                     [--close-order frame-first|removed-first]\n"
    "Opens the bundle's editor (default: this build's MorvikGate.vst3) in a window.\n"
    "  --scale FACTOR     content scale handed to the editor before its size (e.g. 2)\n"
    "  --screenshot FILE  saves the window as a PNG once drawn, then closes\n"
    "  --seconds N        closes after N seconds (default: when the window is closed)\n"
    "  --close-order      setFrame(nullptr) before removed() (default), or after it\n"
    "Exits with 3 when the editor leaves run-loop handlers registered after removed(),\n"
    "with 4 when the X display goes away while the editor is open.\n";

struct Options {
    std::optional<std::filesystem::path> bundle;
    std::optional<float> scale;
    std::optional<std::filesystem::path> screenshot;
    std::optional<double> seconds;
    host::CloseOrder closeOrder = host::CloseOrder::FrameFirst;
};

int fail(ExitCode code, const std::string& message)
{
    std::cerr << kProgram << ": " << message << '\n';
    if (code == kUsageError)
        std::cerr << kUsage;
    return code;
}

std::optional<double> parsePositiveNumber(std::string_view text)
{
    const auto number = host::parseNumber<double>(text);
    if (!number || !(*number > 0))
        return std::nullopt;
    return number;
}

// Answers the problem, or nothing when the arguments are fine.
std::optional<std::string> parseArguments(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string_view(argv[++i]);
        };
        if (argument == "--scale" || argument == "--seconds") {
            const auto text = value();
            const auto number = text ? parsePositiveNumber(*text) : std::nullopt;
            if (!number)
                return std::string(argument) + " needs a positive number";
            if (argument == "--scale")
                options.scale = static_cast<float>(*number);
            else
                options.seconds = *number;
        } else if (argument == "--screenshot") {
            const auto text = value();
            if (!text)
                return std::string("--screenshot needs a file name");
            options.screenshot = std::filesystem::path(*text);
        } else if (argument == "--close-order") {
            const auto text = value();
            if (text == "frame-first")
                options.closeOrder = host::CloseOrder::FrameFirst;
            else if (text == "removed-first")
                options.closeOrder = host::CloseOrder::RemovedFirst;
            else
                return std::string("--close-order takes frame-first or removed-first");
        } else if (!argument.empty() && argument[0] != '-' && !options.bundle) {
            options.bundle = std::filesystem::path(argument);
        } else {
            return "unknown argument: " + std::string(argument);
        }
    }
    return std::nullopt;
}

int run(const Options& options)
{
    std::string error;
    auto display = host::HostDisplay::open(error);
    if (!display)
        return fail(kRuntimeFailure, error);
    auto plugin = host::EditorPlugin::load(options.bundle.value_or(MORVIK_BUILD_TREE_BUNDLE), error);
    if (!plugin)
        return fail(kRuntimeFailure, error);
    auto loop = host::create<host::PollRunLoop>();
    host::EditorWindow::Options windowOptions;
    windowOptions.contentScale = options.scale;
    windowOptions.title = std::string(kProgram);
    auto editor = host::EditorWindow::open(*display, loop, plugin->createView(), windowOptions, error);
    if (!editor)
        return fail(kRuntimeFailure, error);

    if (options.seconds)
        // Bounded (about 31 years) so that the conversion to milliseconds cannot overflow.
        loop->runFor(
            std::chrono::milliseconds(static_cast<long long>(std::min(*options.seconds, 1e9) * 1000)));
    else if (options.screenshot)
        loop->runFor(300ms);  // long enough for the first picture
    else
        loop->runUntil([&] { return editor->window().closeRequested(); }, std::chrono::hours(24 * 365));

    int code = kSuccess;
    if (loop->hostConnectionLost()) {
        code = fail(kDisplayLost, "lost the connection to the X display; closing the editor");
    } else if (options.screenshot) {
        if (!editor->captureDrawn().writePng(*options.screenshot))
            code = fail(kRuntimeFailure, "cannot write " + options.screenshot->string());
    }
    for (const auto& call : plugin->handler().calls())
        std::cout << call << '\n';
    if (const std::size_t left = editor->close(options.closeOrder); left > 0)
        code = fail(kLeftRegistered,
                    std::to_string(left) + " run-loop handler(s) left registered after removed()");
    return code;
}

}  // namespace
}  // namespace morvik::editor

int main(int argc, char** argv)
{
    using namespace morvik::editor;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--help") {
            std::cout << kUsage;
            return kSuccess;
        }
    Options options;
    if (const auto problem = parseArguments(argc, argv, options))
        return fail(kUsageError, *problem);
    try {
        return run(options);
    } catch (const std::exception& e) {
        return fail(kRuntimeFailure, e.what());
    }
}
