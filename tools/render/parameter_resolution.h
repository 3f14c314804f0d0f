// Turns the --set arguments into the normalized values the processor receives.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/render/outcome.h"
#include "tools/render/parameter_catalog.h"
#include "tools/render/render_options.h"

namespace morvik::render {

struct ResolvedParameter {
    Steinberg::Vst::ParamID id = 0;
    Steinberg::Vst::ParamValue normalized = 0.0;
    std::string title;                     // empty when unknown
    std::optional<std::string> valueText;  // the controller's text for the value
    std::optional<std::string> warning;    // a plain value brought into the range
};

// The text without surrounding blanks and without a trailing `units` (ASCII case
// ignored) and the blanks before it: "30 %" with "%" gives "30".
std::string_view withoutUnits(std::string_view text, std::string_view units);

// One entry per parameter, in the order of first mention; a later setting of the
// same parameter replaces the value of an earlier one. A plain value is a number
// read whole, in the parameter's units or none, or one of the controller's own
// value texts ("On"); a number outside the range is brought to its nearest end,
// with a warning. Fails on an unknown id or title, on a title while the catalog
// has no controller, and on any other value text.
Outcome<std::vector<ResolvedParameter>> resolveParameters(std::span<const ParameterSetting> settings,
                                                          const ParameterCatalog& catalog);

}  // namespace morvik::render
