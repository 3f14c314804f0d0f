#include "sdk/vstgui/plugin-bindings/deferredupdates.h"

#include "sdk/vst3/base/updatehandler.h"
#include "sdk/vstgui/lib/cvstguitimer.h"

namespace VSTGUI {
namespace {

// Editors open and close on the host's main thread only.
std::size_t editorCount = 0;

SharedPointer<CVSTGUITimer>& sharedTimer()
{
    static SharedPointer<CVSTGUITimer> timer;
    return timer;
}

}  // namespace

void DeferredUpdates::editorOpened()
{
    if (editorCount > 0) {
        ++editorCount;
        return;
    }
    sharedTimer() = makeOwned<CVSTGUITimer>(
        [](CVSTGUITimer*) {
            if (auto* handler = Steinberg::UpdateHandler::instance())
                handler->triggerDeferedUpdates();
        },
        kIntervalMs);
    editorCount = 1;
}

void DeferredUpdates::editorClosed()
{
    if (editorCount == 0 || --editorCount > 0)
        return;
    sharedTimer() = nullptr;
}

std::size_t DeferredUpdates::openEditors()
{
    return editorCount;
}

}  // namespace VSTGUI
