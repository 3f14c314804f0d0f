// The controller's getParamValueByString fed any text for any parameter id: an
// accepted text gives a normalized value, whose own text reads back as the same
// shown value.
//
// Input: the first byte picks the parameter (values past the eight ids ask for
// ids the controller does not have); the rest is UTF-16 text, two bytes a unit.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "source/controller/plugcontroller.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using morvik::testing::kParameterIds;
using morvik::testing::require;

constexpr std::size_t kIdCount = std::size(kParameterIds);

// Texts that show the same value: equal, or the same number ("-0.00" and "0.00").
bool showTheSameValue(const TChar* a, const TChar* b)
{
    if (std::char_traits<TChar>::compare(a, b, 128) == 0)
        return true;
    const auto number = [](const TChar* text) {
        std::string ascii;
        for (; *text; ++text)
            ascii += *text < 128 ? static_cast<char>(*text) : '?';
        char* end = nullptr;
        const double value = std::strtod(ascii.c_str(), &end);
        return !ascii.empty() && *end == 0 ? value : std::nan("");
    };
    return number(a) == number(b);
}

IEditController& sharedController()
{
    // Conversions change nothing in the controller, so one serves every input.
    static IEditController* controller = [] {
        auto* created = static_cast<IEditController*>(PlugController::createInstance(nullptr));
        require(created && created->initialize(nullptr) == kResultOk, "initialize succeeds");
        return created;
    }();
    return *controller;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const ParamID id = data[0] < kIdCount ? kParameterIds[data[0]] : data[0];
    const bool known =
        std::find(std::begin(kParameterIds), std::end(kParameterIds), id) != std::end(kParameterIds);
    std::vector<TChar> text;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        text.push_back(static_cast<TChar>(data[i] | data[i + 1] << 8));
    text.push_back(0);

    IEditController& controller = sharedController();
    ParamValue value = -1.0;
    if (controller.getParamValueByString(id, text.data(), value) != kResultOk)
        return 0;
    require(known, "only known ids convert");
    require(value >= 0.0 && value <= 1.0, "an accepted text gives a normalized value");

    String128 shown{};
    require(controller.getParamStringByValue(id, value, shown) == kResultOk, "the value has a text");
    ParamValue again = -1.0;
    require(controller.getParamValueByString(id, shown, again) == kResultOk, "the value's text reads back");
    String128 shownAgain{};
    require(controller.getParamStringByValue(id, again, shownAgain) == kResultOk,
            "the read-back value has a text");
    require(showTheSameValue(shown, shownAgain), "a shown value reads back as itself");
    return 0;
}
