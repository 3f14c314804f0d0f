#include "tools/render/parameter_catalog.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/host/text.h"

namespace morvik::render {
namespace {
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;

// Bypass, Level, Mix, Predelay, Rvb Time, Diffusion, LPCut, Slope; there is no 7.
constexpr std::array<ParamID, 8> kProcessorParameterIds{0, 1, 2, 3, 4, 5, 6, 8};

}  // namespace

ParameterCatalog::ParameterCatalog(Steinberg::Vst::IEditController* controller,
                                   std::vector<ParameterDescription> descriptions)
    : controller(controller), descriptions(std::move(descriptions))
{
}

ParameterCatalog ParameterCatalog::withoutController()
{
    std::vector<ParameterDescription> descriptions;
    for (const ParamID id : kProcessorParameterIds) {
        ParameterDescription description;
        description.id = id;
        descriptions.push_back(description);
    }
    return ParameterCatalog(nullptr, std::move(descriptions));
}

ParameterCatalog ParameterCatalog::fromController(Steinberg::Vst::IEditController& controller)
{
    std::vector<ParameterDescription> descriptions;
    const Steinberg::int32 count = controller.getParameterCount();
    for (Steinberg::int32 index = 0; index < count; ++index) {
        Steinberg::Vst::ParameterInfo info{};
        if (controller.getParameterInfo(index, info) != Steinberg::kResultOk)
            continue;
        descriptions.push_back({.id = info.id,
                                .title = host::toUtf8(info.title),
                                .units = host::toUtf8(info.units),
                                .defaultNormalized = info.defaultNormalizedValue,
                                .minPlain = controller.normalizedParamToPlain(info.id, 0.0),
                                .maxPlain = controller.normalizedParamToPlain(info.id, 1.0)});
    }
    return ParameterCatalog(&controller, std::move(descriptions));
}

const ParameterDescription* ParameterCatalog::find(ParamID id) const
{
    const auto found =
        std::find_if(descriptions.begin(), descriptions.end(),
                     [&](const ParameterDescription& description) { return description.id == id; });
    return found == descriptions.end() ? nullptr : &*found;
}

const ParameterDescription* ParameterCatalog::findTitle(std::string_view title) const
{
    if (title.empty())
        return nullptr;
    const ParameterDescription* caseless = nullptr;
    int caselessMatches = 0;
    for (const ParameterDescription& description : descriptions) {
        if (description.title == title)
            return &description;
        if (host::equalIgnoringCase(description.title, title)) {
            caseless = &description;
            ++caselessMatches;
        }
    }
    return caselessMatches == 1 ? caseless : nullptr;
}

std::optional<std::string> ParameterCatalog::valueText(ParamID id, ParamValue normalized) const
{
    if (!controller)
        return std::nullopt;
    Steinberg::String128 text{};
    if (controller->getParamStringByValue(id, normalized, text) != Steinberg::kResultOk)
        return std::nullopt;
    return host::toUtf8(text);
}

std::optional<ParamValue> ParameterCatalog::normalizedFromText(ParamID id, std::string_view text) const
{
    if (!controller)
        return std::nullopt;
    std::u16string utf16 = host::toUtf16(text);
    ParamValue normalized = 0.0;
    if (controller->getParamValueByString(id, utf16.data(), normalized) != Steinberg::kResultOk)
        return std::nullopt;
    // A controller may answer anything; the processor expects a normalized value.
    if (!std::isfinite(normalized) || normalized < 0.0 || normalized > 1.0)
        return std::nullopt;
    return normalized;
}

}  // namespace morvik::render
