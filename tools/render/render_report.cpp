#include "tools/render/render_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <vector>

namespace morvik::render {
namespace {

std::string fixed(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", digits, value);
    return text;
}

std::string framesAndSeconds(std::size_t frames, double sampleRate)
{
    return std::to_string(frames) + " samples (" + fixed(static_cast<double>(frames) / sampleRate, 3) + " s)";
}

std::string peakText(double peak)
{
    if (peak == 0.0)
        return "silent";
    return fixed(peak, 6) + " (" + fixed(20.0 * std::log10(peak), 1) + " dBFS)";
}

// Columns padded to their widest cell.
void printTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += row[column];
            if (column + 1 < row.size())
                line += std::string(widths[column] - row[column].size() + 2, ' ');
        }
        out << line << '\n';
    }
}

}  // namespace

void printParameterList(std::ostream& out, const ParameterCatalog& catalog)
{
    std::vector<std::vector<std::string>> rows{{"id", "title", "units", "range", "default"}};
    for (const ParameterDescription& parameter : catalog.parameters()) {
        const auto text = [&](double normalized) {
            return catalog.valueText(parameter.id, normalized).value_or("?");
        };
        rows.push_back({std::to_string(parameter.id), parameter.title, parameter.units,
                        text(0.0) + ".." + text(1.0), text(parameter.defaultNormalized)});
    }
    printTable(out, rows);
}

void printInput(std::ostream& out, const InputDescription& description, double sampleRate, std::size_t frames)
{
    out << "input:       " << description.source << '\n'
        << "format:      " << description.format << '\n'
        << "rate:        " << fixed(sampleRate, 0) << " Hz\n"
        << "channels:    " << description.channels << '\n'
        << "length:      " << framesAndSeconds(frames, sampleRate) << '\n';
}

void printProcessing(std::ostream& out, const RenderSettings& settings, const ParameterCatalog& catalog)
{
    out << "block size:  " << settings.blockSize << " samples\n"
        << "sample size: " << (settings.sampleSize == SampleSize::Float64 ? "64" : "32") << "-bit float\n"
        << "pre-roll:    " << fixed(settings.prerollSeconds, 3) << " s (processed and discarded)\n";
    if (settings.parameters.empty()) {
        out << "parameters:  plug-in defaults\n";
        return;
    }
    out << "parameters:" << (catalog.hasController() ? "" : " (titles unknown: no controller)") << '\n';
    for (const ResolvedParameter& parameter : settings.parameters) {
        out << "  " << parameter.id;
        if (!parameter.title.empty())
            out << ' ' << parameter.title;
        out << " = " << fixed(parameter.normalized, 6);
        if (parameter.valueText) {
            out << " (" << *parameter.valueText;
            if (const ParameterDescription* description = catalog.find(parameter.id);
                description && !description->units.empty())
                out << ' ' << description->units;
            out << ')';
        }
        out << '\n';
    }
}

void printRendering(std::ostream& out, const Rendering& rendering, const RenderSettings& settings,
                    const std::filesystem::path& output)
{
    const double rate = rendering.sampleRate;
    out << "tail:        ";
    if (!settings.renderTail)
        out << "skipped (--no-tail); the plug-in reports "
            << framesAndSeconds(rendering.reportedTailSamples, rate) << '\n';
    else
        out << framesAndSeconds(rendering.tailFrames, rate)
            << (rendering.tailShortened
                    ? " (cut from the reported " + std::to_string(rendering.reportedTailSamples) + ")"
                    : "")
            << '\n';
    out << "output:      " << output.string() << ", " << framesAndSeconds(rendering.outputFrames, rate)
        << ", " << (settings.sampleSize == SampleSize::Float64 ? "64" : "32") << "-bit float WAV\n"
        << "peak:        " << peakText(rendering.peak) << '\n';
}

}  // namespace morvik::render
