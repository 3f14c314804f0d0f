// A component handler that records the edits a controller reports.
#pragma once

#include <iosfwd>
#include <vector>

#include "sdk/vst3/interfaces/editcontroller.h"
#include "tools/host/com_object.h"

namespace morvik::host {

struct HandlerCall {
    enum class Kind { BeginEdit, PerformEdit, EndEdit, RestartComponent };

    Kind kind = Kind::BeginEdit;
    Steinberg::Vst::ParamID id = 0;          // edits only
    Steinberg::Vst::ParamValue value = 0.0;  // performEdit only
    Steinberg::int32 flags = 0;              // restartComponent only

    bool operator==(const HandlerCall&) const = default;
};

HandlerCall beginEdit(Steinberg::Vst::ParamID id);
HandlerCall performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value);
HandlerCall endEdit(Steinberg::Vst::ParamID id);
HandlerCall restartComponent(Steinberg::int32 flags);

// Lets test failures print calls readably.
std::ostream& operator<<(std::ostream& out, const HandlerCall& call);

class RecordingComponentHandler : public ComObject<Steinberg::Vst::IComponentHandler> {
public:
    Steinberg::tresult beginEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult performEdit(Steinberg::Vst::ParamID id,
                                   Steinberg::Vst::ParamValue valueNormalized) override;
    Steinberg::tresult endEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult restartComponent(Steinberg::int32 flags) override;

    const std::vector<HandlerCall>& calls() const { return recorded; }
    void clear() { recorded.clear(); }

private:
    Steinberg::tresult record(const HandlerCall& call);

    std::vector<HandlerCall> recorded;
};

}  // namespace morvik::host
