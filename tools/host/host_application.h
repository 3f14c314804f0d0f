// The host context handed to initialize().
#pragma once

#include <optional>

#include "sdk/vst3/interfaces/hostapplication.h"
#include "tools/host/com_object.h"

namespace morvik::host {

class HostApplication : public ComObject<Steinberg::Vst::IHostApplication> {
public:
    static constexpr char16_t kName[] = u"Morvik Test Host";

    HostApplication() = default;
    // Also answers `extraInterface`, e.g. IVst3ToAUWrapper::iid to pose as an
    // Audio Unit wrapper's host context.
    explicit HostApplication(const Steinberg::FUID& extraInterface) : extraInterface(extraInterface) {}

    Steinberg::tresult getName(Steinberg::String128 name) override;
    // Offers no classes: this host exchanges no messages with plug-ins.
    Steinberg::tresult createInstance(Steinberg::TUID cid, Steinberg::TUID iid, void** obj) override;

private:
    void* queryExtraInterface(const Steinberg::TUID iid) override;

    std::optional<Steinberg::FUID> extraInterface;
};

}  // namespace morvik::host
