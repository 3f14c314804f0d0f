// A host's component handler that records the edits it receives.
#pragma once

#include <vector>

#include "sdk/vst3/interfaces/editcontroller.h"

namespace Steinberg::Vst::testing {

class RecordingHandler : public IComponentHandler {
public:
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
    tresult restartComponent(int32 /*flags*/) override { return kResultOk; }

    tresult queryInterface(const TUID iid, void** obj) override
    {
        if (!obj)
            return kInvalidArgument;
        if (iidEqual(iid, FUnknown::iid) || iidEqual(iid, IComponentHandler::iid)) {
            addRef();
            *obj = this;
            return kResultOk;
        }
        *obj = nullptr;
        return kNoInterface;
    }
    // Lives on the test's stack: counts references without deleting itself.
    uint32 addRef() override { return ++references; }
    uint32 release() override { return --references; }

    std::vector<Edit> edits;
    uint32 references = 1;
    tresult answer = kResultOk;  // what every edit call answers

private:
    tresult record(const Edit& edit)
    {
        edits.push_back(edit);
        return answer;
    }
};

}  // namespace Steinberg::Vst::testing
