#include "tools/render/parameter_resolution.h"

#include <algorithm>

#include "tools/render/ascii_text.h"

namespace morvik::render {
namespace {

std::string knownIds(const ParameterCatalog& catalog)
{
    std::string list;
    for (const ParameterDescription& description : catalog.parameters()) {
        list += list.empty() ? "" : ", ";
        list += std::to_string(description.id);
        if (!description.title.empty())
            list += " " + description.title;
    }
    return list;
}

std::string settingText(const ParameterSetting& setting)
{
    return "--set " + setting.key + "=" + setting.value;
}

Outcome<ResolvedParameter> resolve(const ParameterSetting& setting, const ParameterCatalog& catalog)
{
    if (setting.id) {
        const ParameterDescription* description = catalog.find(*setting.id);
        if (!description)
            return Failure{settingText(setting) + ": the plug-in has no parameter " + std::to_string(*setting.id) +
                           " (it has " + knownIds(catalog) + ")"};
        return ResolvedParameter{description->id, setting.normalized.value_or(0.0), description->title,
                                 catalog.valueText(description->id, setting.normalized.value_or(0.0))};
    }

    if (!catalog.hasController())
        return Failure{settingText(setting) + ": parameter titles are unknown because the plug-in's controller " +
                       "could not be created; give a numeric id with a normalized value from 0 to 1 (ids: " +
                       knownIds(catalog) + ")"};
    const ParameterDescription* description = catalog.findTitle(setting.key);
    if (!description)
        return Failure{settingText(setting) + ": the plug-in has no parameter titled \"" + setting.key +
                       "\" (it has " + knownIds(catalog) + ")"};
    const std::string_view plain = withoutUnits(setting.value, description->units);
    const auto normalized = catalog.normalizedFromText(description->id, plain);
    if (!normalized)
        return Failure{settingText(setting) + ": \"" + std::string(plain) + "\" is not a value of " +
                       description->title +
                       (description->units.empty() ? std::string() : " (in " + description->units + ")")};
    return ResolvedParameter{description->id, *normalized, description->title,
                             catalog.valueText(description->id, *normalized)};
}

}  // namespace

std::string_view withoutUnits(std::string_view text, std::string_view units)
{
    text = trimmed(text);
    units = trimmed(units);
    if (!units.empty() && text.size() > units.size() && endsWithIgnoringCase(text, units))
        text = trimmed(text.substr(0, text.size() - units.size()));
    return text;
}

Outcome<std::vector<ResolvedParameter>> resolveParameters(std::span<const ParameterSetting> settings,
                                                          const ParameterCatalog& catalog)
{
    std::vector<ResolvedParameter> resolved;
    for (const ParameterSetting& setting : settings) {
        auto parameter = resolve(setting, catalog);
        if (!parameter)
            return Failure{parameter.error()};
        const auto earlier = std::find_if(resolved.begin(), resolved.end(),
                                          [&](const ResolvedParameter& entry) { return entry.id == parameter->id; });
        if (earlier != resolved.end())
            *earlier = std::move(parameter.value());
        else
            resolved.push_back(std::move(parameter.value()));
    }
    return resolved;
}

}  // namespace morvik::render
