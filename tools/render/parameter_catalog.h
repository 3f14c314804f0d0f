// What the tool knows of the plug-in's parameters: the controller's list and
// value texts, or only the processor's ids when there is no controller.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/vst3/interfaces/editcontroller.h"

namespace morvik::render {

struct ParameterDescription {
    Steinberg::Vst::ParamID id = 0;
    std::string title;  // empty without a controller
    std::string units;
    Steinberg::Vst::ParamValue defaultNormalized = 0.0;
    // The plain values at normalized 0 and 1; 0 and 1 without a controller.
    double minPlain = 0.0;
    double maxPlain = 1.0;
};

class ParameterCatalog {
public:
    // The ids the processor reads from its parameter changes, without titles.
    static ParameterCatalog withoutController();
    // The controller must be initialized and outlive the catalog.
    static ParameterCatalog fromController(Steinberg::Vst::IEditController& controller);

    bool hasController() const { return controller != nullptr; }
    std::span<const ParameterDescription> parameters() const { return descriptions; }

    const ParameterDescription* find(Steinberg::Vst::ParamID id) const;
    // An exact match first, else the one title equal but for ASCII case.
    const ParameterDescription* findTitle(std::string_view title) const;

    // The controller's text for a normalized value; none without a controller.
    std::optional<std::string> valueText(Steinberg::Vst::ParamID id,
                                         Steinberg::Vst::ParamValue normalized) const;
    // The controller's conversion of a plain value text; none when it refuses.
    std::optional<Steinberg::Vst::ParamValue> normalizedFromText(Steinberg::Vst::ParamID id,
                                                                 std::string_view text) const;

private:
    ParameterCatalog(Steinberg::Vst::IEditController* controller,
                     std::vector<ParameterDescription> descriptions);

    Steinberg::Vst::IEditController* controller = nullptr;
    std::vector<ParameterDescription> descriptions;
};

}  // namespace morvik::render
