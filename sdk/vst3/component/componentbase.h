// The common base of the processor component and the edit controller: the host
// context from initialize() and the peer of a connection between the two.
#pragma once

#include "sdk/vst3/base/fobject.h"
#include "sdk/vst3/interfaces/connection.h"
#include "sdk/vst3/interfaces/pluginbase.h"

namespace Steinberg::Vst {

class ComponentBase : public FClass<"ComponentBase", FObject>, public IPluginBase, public IConnectionPoint {
public:
    ComponentBase() = default;
    ComponentBase(const ComponentBase&) = delete;
    ComponentBase& operator=(const ComponentBase&) = delete;
    ~ComponentBase() override;

    // IPluginBase. initialize() keeps the context (null is allowed) and fails
    // with kResultFalse until terminate() has undone an earlier initialize().
    tresult initialize(FUnknown* context) override;
    tresult terminate() override;

    // IConnectionPoint. One peer at a time; no messages are understood.
    tresult connect(IConnectionPoint* other) override;
    tresult disconnect(IConnectionPoint* other) override;
    tresult notify(IMessage* message) override;

    // FUnknown
    tresult queryInterface(const TUID iid, void** obj) override;
    uint32 addRef() override { return FObject::addRef(); }
    uint32 release() override { return FObject::release(); }

    FUnknown* getHostContext() const { return hostContext; }
    IConnectionPoint* getPeer() const { return peerConnection; }
    bool isInitialized() const { return initialized; }

protected:
    FUnknown* hostContext = nullptr;             // one reference held
    IConnectionPoint* peerConnection = nullptr;  // one reference held

private:
    void releaseHostContext();
    void releasePeer();

    // Separate from hostContext so that an initialize(nullptr) also blocks a second one.
    bool initialized = false;
};

}  // namespace Steinberg::Vst
