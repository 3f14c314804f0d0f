// The IPlugFrame a host hands an editor. It answers resizeView as hosts do (the
// window takes the new size and the view gets onSize within the same call), and
// is the editor's IRunLoop too: it passes registrations on to the host's loop
// and remembers which are its editor's, so the runner can tell what an editor
// left registered after it was removed.
#pragma once

#include <vector>

#include "sdk/vst3/interfaces/plugview.h"
#include "tools/host/com_object.h"
#include "tools/host/poll_run_loop.h"

namespace morvik::host {

class HostWindow;

class EditorFrame : public ComObject<Steinberg::IPlugFrame, Steinberg::Linux::IRunLoop> {
public:
    explicit EditorFrame(Steinberg::IPtr<PollRunLoop> loop) : loop(std::move(loop)) {}

    // The window that follows resizeView; null while there is none.
    void setWindow(HostWindow* window) { hostWindow = window; }

    Steinberg::tresult resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;

    Steinberg::tresult registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                            Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                     Steinberg::Linux::TimerInterval milliseconds) override;
    Steinberg::tresult unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    // Handlers registered through this frame that the loop still holds.
    std::size_t stillRegistered() const;
    std::size_t resizeRequests() const { return resizeCount; }

private:
    Steinberg::IPtr<PollRunLoop> loop;
    HostWindow* hostWindow = nullptr;
    std::vector<Steinberg::Linux::IEventHandler*> eventHandlers;
    std::vector<Steinberg::Linux::ITimerHandler*> timers;
    std::size_t resizeCount = 0;
};

}  // namespace morvik::host
