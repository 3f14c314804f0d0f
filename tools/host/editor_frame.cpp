#include "tools/host/editor_frame.h"

#include <algorithm>

#include "tools/host/host_display.h"

namespace morvik::host {
using namespace Steinberg;
using namespace Steinberg::Linux;

tresult EditorFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
        return kInvalidArgument;
    ++resizeCount;
    ViewRect size = *newSize;
    if (hostWindow)
        hostWindow->resize(static_cast<uint16_t>(size.getWidth()), static_cast<uint16_t>(size.getHeight()));
    return view->onSize(&size);
}

tresult EditorFrame::registerEventHandler(IEventHandler* handler, FileDescriptor fd)
{
    const tresult result = loop->registerEventHandler(handler, fd);
    if (result == kResultOk)
        eventHandlers.push_back(handler);
    return result;
}

tresult EditorFrame::unregisterEventHandler(IEventHandler* handler)
{
    std::erase(eventHandlers, handler);
    return loop->unregisterEventHandler(handler);
}

tresult EditorFrame::registerTimer(ITimerHandler* handler, TimerInterval milliseconds)
{
    const tresult result = loop->registerTimer(handler, milliseconds);
    if (result == kResultOk)
        timers.push_back(handler);
    return result;
}

tresult EditorFrame::unregisterTimer(ITimerHandler* handler)
{
    std::erase(timers, handler);
    return loop->unregisterTimer(handler);
}

std::size_t EditorFrame::stillRegistered() const
{
    std::size_t count = 0;
    for (IEventHandler* handler : eventHandlers)
        count += loop->isRegistered(handler) ? 1 : 0;
    for (ITimerHandler* handler : timers)
        count += loop->isRegistered(handler) ? 1 : 0;
    return count;
}

}  // namespace morvik::host
