// The controller's setComponentState fed any bytes: it takes a whole record or
// changes nothing, and every parameter it sets ends up a normalized value whose
// text the controller can show and read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "source/controller/plugcontroller.h"
#include "source/processor/plugstate.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/host/memory_stream.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using morvik::testing::kParameterIds;
using morvik::testing::require;

std::vector<ParamValue> values(IEditController& controller)
{
    std::vector<ParamValue> result;
    for (const ParamID id : kParameterIds)
        result.push_back(controller.getParamNormalized(id));
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IPtr<IEditController> controller =
        owned(static_cast<IEditController*>(PlugController::createInstance(nullptr)));
    require(controller && controller->initialize(nullptr) == kResultOk, "initialize succeeds");
    const auto defaults = values(*controller);

    auto stream =
        morvik::host::create<morvik::host::MemoryStream>(std::vector<std::uint8_t>(data, data + size));
    const tresult result = controller->setComponentState(stream.get());
    if (result != kResultOk) {
        require(size < static_cast<std::size_t>(PlugState::kStreamSize), "a whole record is taken");
        require(values(*controller) == defaults, "a refused record changes nothing");
    }
    for (const ParamID id : kParameterIds) {
        const ParamValue value = controller->getParamNormalized(id);
        require(value >= 0.0 && value <= 1.0, "every value is normalized");
        String128 text{};
        require(controller->getParamStringByValue(id, value, text) == kResultOk && text[0] != 0,
                "every value has a text");
        ParamValue readBack = -1.0;
        require(controller->getParamValueByString(id, text, readBack) == kResultOk, "every text reads back");
        require(readBack >= 0.0 && readBack <= 1.0, "a text reads back as a normalized value");
    }
    controller->terminate();
    return 0;
}
