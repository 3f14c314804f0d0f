#include "sdk/vstgui/lib/platform/linux/runloopadapter.h"

#include <algorithm>
#include <atomic>

namespace VSTGUI::X11 {

using namespace Steinberg;
using namespace Steinberg::Linux;

// One object serves as either kind of handler; the host sees only the interface
// it was registered as.
class RunLoopAdapter::Handler : public IEventHandler, public ITimerHandler {
public:
    explicit Handler(Callback callback) : callback(std::move(callback)) {}

    void onFDIsSet(FileDescriptor /*fd*/) override { call(); }
    void onTimer() override { call(); }

    // Ignores every call from now on.
    void kill() { alive = false; }

    tresult queryInterface(const TUID iid, void** obj) override
    {
        if (!obj)
            return kInvalidArgument;
        if (iidEqual(iid, FUnknown::iid) || iidEqual(iid, IEventHandler::iid))
            *obj = static_cast<IEventHandler*>(this);
        else if (iidEqual(iid, ITimerHandler::iid))
            *obj = static_cast<ITimerHandler*>(this);
        else {
            *obj = nullptr;
            return kNoInterface;
        }
        addRef();
        return kResultOk;
    }
    uint32 addRef() override { return ++references; }
    uint32 release() override
    {
        const uint32 remaining = --references;
        if (remaining == 0)
            delete this;
        return remaining;
    }

private:
    virtual ~Handler() = default;

    void call()
    {
        if (!alive)
            return;
        // The callback may unregister this handler and drop every other reference.
        addRef();
        try {
            callback();
        } catch (...) {
            // Nothing may escape into the host's loop.
        }
        release();
    }

    Callback callback;
    bool alive = true;
    std::atomic<uint32> references{1};
};

RunLoopAdapter::RunLoopAdapter(IRunLoop* runLoop) : runLoop(runLoop)
{
    if (runLoop)
        runLoop->addRef();
}

RunLoopAdapter::~RunLoopAdapter()
{
    removeAll();
    if (runLoop)
        runLoop->release();
}

RunLoopAdapter::HandlerId RunLoopAdapter::addEventHandler(int fd, Callback onReadable)
{
    return add(std::move(onReadable), false,
               [&](Handler* handler) { return runLoop->registerEventHandler(handler, fd); });
}

RunLoopAdapter::HandlerId RunLoopAdapter::addTimer(uint64_t milliseconds, Callback onTimer)
{
    return add(std::move(onTimer), true,
               [&](Handler* handler) { return runLoop->registerTimer(handler, milliseconds); });
}

template <class Register>
RunLoopAdapter::HandlerId RunLoopAdapter::add(Callback callback, bool isTimer, Register&& registerWithHost)
{
    if (!runLoop)
        return 0;
    auto* handler = new Handler(std::move(callback));
    if (registerWithHost(handler) != kResultOk) {
        handler->kill();
        handler->release();
        return 0;
    }
    registrations.push_back({nextId, handler, isTimer});
    return nextId++;
}

void RunLoopAdapter::remove(HandlerId id)
{
    const auto found = std::find_if(registrations.begin(), registrations.end(),
                                    [id](const Registration& r) { return r.id == id; });
    if (found == registrations.end())
        return;
    const Registration registration = *found;
    registrations.erase(found);
    unregister(registration);
}

void RunLoopAdapter::removeAll()
{
    // Taken out first: a host may call back into the editor while unregistering.
    std::vector<Registration> all;
    all.swap(registrations);
    for (const Registration& registration : all)
        unregister(registration);
}

void RunLoopAdapter::unregister(const Registration& registration)
{
    registration.handler->kill();
    if (registration.isTimer)
        runLoop->unregisterTimer(registration.handler);
    else
        runLoop->unregisterEventHandler(registration.handler);
    registration.handler->release();
}

}  // namespace VSTGUI::X11
