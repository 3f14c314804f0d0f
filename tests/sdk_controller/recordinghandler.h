// A host's component handler that records the edits it receives.
#pragma once

#include <vector>

#include "sdk/vst3/interfaces/editcontroller.h"
#include "tests/support/counted.h"

namespace morvik::testing {

class RecordingHandler : public Counted<Steinberg::Vst::IComponentHandler> {
public:
    using ParamID = Steinberg::Vst::ParamID;
    using ParamValue = Steinberg::Vst::ParamValue;
    using tresult = Steinberg::tresult;

    enum class Kind { begin, perform, end };
    struct Edit {
        Kind kind;
        ParamID id;
        ParamValue value;  // performEdit only
        friend bool operator==(const Edit&, const Edit&) = default;
    };

    tresult beginEdit(ParamID id) override { return record({Kind::begin, id, 0.}); }
    tresult performEdit(ParamID id, ParamValue value) override { return record({Kind::perform, id, value}); }
    tresult endEdit(ParamID id) override { return record({Kind::end, id, 0.}); }
    tresult restartComponent(Steinberg::int32 /*flags*/) override { return Steinberg::kResultOk; }

    std::vector<Edit> edits;
    tresult answer = Steinberg::kResultOk;  // what every edit call answers

private:
    tresult record(const Edit& edit)
    {
        edits.push_back(edit);
        return answer;
    }
};

}  // namespace morvik::testing
