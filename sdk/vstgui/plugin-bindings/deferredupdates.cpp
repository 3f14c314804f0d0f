#include "sdk/vstgui/plugin-bindings/deferredupdates.h"

#include <algorithm>
#include <vector>

#include "sdk/vst3/base/updatehandler.h"
#include "sdk/vstgui/lib/cvstguitimer.h"

namespace VSTGUI {
namespace {

// Editors and clients come and go on the host's main thread only.
std::size_t editorCount = 0;

SharedPointer<CVSTGUITimer>& sharedTimer()
{
    static SharedPointer<CVSTGUITimer> timer;
    return timer;
}

std::vector<DeferredUpdates::Client*>& clients()
{
    static std::vector<DeferredUpdates::Client*> registered;
    return registered;
}

void tick()
{
    if (auto* handler = Steinberg::UpdateHandler::instance())
        handler->triggerDeferedUpdates();
    // A client may remove another (or itself) while it runs.
    const std::vector<DeferredUpdates::Client*> now = clients();
    for (DeferredUpdates::Client* client : now)
        if (std::find(clients().begin(), clients().end(), client) != clients().end())
            client->takeUpChanges();
}

}  // namespace

void DeferredUpdates::editorOpened()
{
    if (editorCount > 0) {
        ++editorCount;
        return;
    }
    sharedTimer() = makeOwned<CVSTGUITimer>([](CVSTGUITimer*) { tick(); }, kIntervalMs);
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

void DeferredUpdates::addClient(Client& client)
{
    if (std::find(clients().begin(), clients().end(), &client) == clients().end())
        clients().push_back(&client);
}

void DeferredUpdates::removeClient(Client& client)
{
    std::erase(clients(), &client);
}

}  // namespace VSTGUI
