// What the tool tells the user: the parameter list and what a render did.
#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

#include "tools/render/parameter_catalog.h"
#include "tools/render/parameter_resolution.h"
#include "tools/render/renderer.h"

namespace morvik::render {

// id, title, units, range (texts at 0 and 1) and default text, one parameter a line.
void printParameterList(std::ostream& out, const ParameterCatalog& catalog);

struct InputDescription {
    std::string source;  // a file name or "built-in test signal"
    std::string format;
    std::string channels;  // how the channels were taken, e.g. "1 (mono, fed to both)"
};

void printInput(std::ostream& out, const InputDescription& description, double sampleRate,
                std::size_t frames);
void printProcessing(std::ostream& out, const RenderSettings& settings, const ParameterCatalog& catalog);
void printRendering(std::ostream& out, const Rendering& rendering, const RenderSettings& settings,
                    const std::filesystem::path& output);

}  // namespace morvik::render
