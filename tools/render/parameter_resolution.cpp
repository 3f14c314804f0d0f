#include "tools/render/parameter_resolution.h"

#include <algorithm>
#include <cstdio>

#include "tools/host/text.h"

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

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}

std::string withUnits(const std::string& text, const ParameterDescription& description)
{
    return description.units.empty() ? text : text + " " + description.units;
}

// "from 500 to 16000 Hz"
std::string rangeText(const ParameterDescription& description)
{
    return "from " + numberText(description.minPlain) + " to " +
        withUnits(numberText(description.maxPlain), description);
}

// A number read whole; a leading '+' is allowed.
std::optional<double> plainNumber(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '+' && text[1] != '-')
        text.remove_prefix(1);
    return host::parseNumber<double>(text);
}

bool outsideRange(double plain, const ParameterDescription& description)
{
    const double low = std::min(description.minPlain, description.maxPlain);
    const double high = std::max(description.minPlain, description.maxPlain);
    const double rounding = 1e-9 * (high - low);  // the range's ends come out of a conversion
    return plain < low - rounding || plain > high + rounding;
}

Outcome<ResolvedParameter> resolve(const ParameterSetting& setting, const ParameterCatalog& catalog)
{
    if (setting.id) {
        const ParameterDescription* description = catalog.find(*setting.id);
        if (!description)
            return Failure{settingText(setting) + ": the plug-in has no parameter " +
                           std::to_string(*setting.id) + " (it has " + knownIds(catalog) + ")"};
        return ResolvedParameter{description->id, setting.normalized.value_or(0.0), description->title,
                                 catalog.valueText(description->id, setting.normalized.value_or(0.0)),
                                 std::nullopt};
    }

    if (!catalog.hasController())
        return Failure{settingText(setting) +
                       ": parameter titles are unknown because the plug-in's controller " +
                       "could not be created; give a numeric id with a normalized value from 0 to 1 (ids: " +
                       knownIds(catalog) + ")"};
    const ParameterDescription* description = catalog.findTitle(setting.key);
    if (!description)
        return Failure{settingText(setting) + ": the plug-in has no parameter titled \"" + setting.key +
                       "\" (it has " + knownIds(catalog) + ")"};
    const std::string_view plain = withoutUnits(setting.value, description->units);
    const auto number = plainNumber(plain);
    const auto normalized = catalog.normalizedFromText(description->id, plain);
    // The controller reads what it can and ignores the rest ("4 kHz" would be 4 Hz), so
    // it only converts numbers read whole here, or texts it gives itself ("On").
    if (!normalized || (!number && catalog.valueText(description->id, *normalized) != plain))
        return Failure{settingText(setting) + ": \"" + setting.value + "\" is not a value of " +
                       description->title + "; give a number " + rangeText(*description) +
                       (description->units.empty() ? std::string() : ", with or without the units")};
    ResolvedParameter resolved{description->id, *normalized, description->title,
                               catalog.valueText(description->id, *normalized), std::nullopt};
    if (number && outsideRange(*number, *description))
        resolved.warning = settingText(setting) + ": " + std::string(plain) + " is outside the range of " +
            description->title + " (" + rangeText(*description) + "); " +
            withUnits(resolved.valueText.value_or("its nearest end"), *description) + " is used";
    return resolved;
}

}  // namespace

std::string_view withoutUnits(std::string_view text, std::string_view units)
{
    text = host::trimmed(text);
    units = host::trimmed(units);
    if (!units.empty() && text.size() > units.size() && host::endsWithIgnoringCase(text, units))
        text = host::trimmed(text.substr(0, text.size() - units.size()));
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
        const auto earlier =
            std::find_if(resolved.begin(), resolved.end(),
                         [&](const ResolvedParameter& entry) { return entry.id == parameter->id; });
        if (earlier != resolved.end())
            *earlier = std::move(parameter.value());
        else
            resolved.push_back(std::move(parameter.value()));
    }
    return resolved;
}

}  // namespace morvik::render
