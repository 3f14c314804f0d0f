#include "sdk/vstgui/lib/platform/linux/x11frame.h"

#include <cmath>
#include <cstdlib>

#include "sdk/vstgui/lib/cdrawcontext.h"
#include "sdk/vstgui/lib/platform/linux/runlooptimers.h"
#include "sdk/vstgui/lib/platform/linux/x11eventtranslation.h"

namespace VSTGUI::X11 {
namespace {

// How often the frame looks for work that arrived outside its connection's
// handler: invalidations from parameter changes, events a host did not signal.
constexpr uint64_t kFlushIntervalMs = 16;

uint16_t toPixels(CCoord points, double scaleFactor)
{
    return static_cast<uint16_t>(std::clamp(std::lround(points * scaleFactor), 1L, 0x7fffL));
}

}  // namespace

Frame::Frame(IPlatformFrameCallback& frame, Steinberg::Linux::IRunLoop* runLoop, double scaleFactor)
    : frame(frame),
      scaleFactor(scaleFactor > 0. && std::isfinite(scaleFactor) ? scaleFactor : 1.),
      runLoop(runLoop)
{
}

std::unique_ptr<Frame> Frame::create(IPlatformFrameCallback& callback, xcb_window_t parent,
                                     Steinberg::Linux::IRunLoop* runLoop, double scaleFactor)
{
    if (!runLoop)
        return nullptr;
    std::unique_ptr<Frame> frame(new Frame(callback, runLoop, scaleFactor));
    frame->connection = Connection::open();
    if (!frame->connection)
        return nullptr;
    const CPoint size = callback.platformGetSize();
    const uint16_t width = toPixels(size.x, frame->scaleFactor);
    const uint16_t height = toPixels(size.y, frame->scaleFactor);
    frame->window = ChildWindow::create(*frame->connection, parent, width, height);
    if (!frame->window)
        return nullptr;
    frame->surface = std::make_unique<Surface>(frame->connection->get(), frame->window->id(),
                                               frame->window->visual(), width, height);

    Frame* self = frame.get();
    if (frame->runLoop.addEventHandler(frame->connection->fileDescriptor(),
                                       [self] { self->processEvents(); }) == 0)
        return nullptr;
    frame->runLoop.addTimer(kFlushIntervalMs, [self] { self->processEvents(); });
    setPlatformTimerProvider(&RunLoopTimers::instance());
    RunLoopTimers::instance().addRunLoop(runLoop);
    frame->offersRunLoopToTimers = true;
    return frame;
}

Frame::~Frame()
{
    runLoop.removeAll();
    if (offersRunLoopToTimers)
        RunLoopTimers::instance().removeRunLoop(runLoop.getRunLoop());
    surface.reset();
    window.reset();
    connection.reset();
}

void Frame::setSize(const CPoint& /*size*/)
{
    resizeToPixels();
}

void Frame::setScaleFactor(double factor)
{
    if (!(factor > 0.) || !std::isfinite(factor) || factor == scaleFactor)
        return;
    scaleFactor = factor;
    resizeToPixels();
    frame.platformScaleFactorChanged();
}

void Frame::resizeToPixels()
{
    const CPoint size = frame.platformGetSize();
    const uint16_t width = toPixels(size.x, scaleFactor);
    const uint16_t height = toPixels(size.y, scaleFactor);
    if (width == surface->width() && height == surface->height())
        return;
    window->resize(width, height);
    surface->resize(width, height);
    exposed.clear();
    frame.platformInvalidate(CRect(CPoint(), size));
}

bool Frame::dispatchHostEvent(PlatformEvent& event)
{
    if (event.type == PlatformEvent::Type::MouseWheel)
        event.where = lastPointer;
    return frame.platformOnEvent(event);
}

void Frame::processEvents()
{
    if (broken)
        return;
    xcb_connection_t* c = connection->get();
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        handle(*event);
        std::free(event);
    }
    if (xcb_connection_has_error(c)) {
        // The server went away: nothing will come of this connection again,
        // and its descriptor would keep the host's loop busy.
        broken = true;
        runLoop.removeAll();
        return;
    }
    flush();
}

void Frame::handle(const xcb_generic_event_t& event)
{
    if ((event.response_type & 0x7f) == XCB_EXPOSE) {
        const auto& e = reinterpret_cast<const xcb_expose_event_t&>(event);
        exposed.emplace_back(e.x, e.y, e.x + e.width, e.y + e.height);
        return;
    }
    if (auto input = translateInputEvent(event, scaleFactor)) {
        lastPointer = input->where;
        frame.platformOnEvent(*input);
    }
}

void Frame::flush()
{
    std::vector<CRect> areas;
    areas.swap(exposed);
    if (flushScheduled) {
        flushScheduled = false;
        const auto context =
            makeOwned<CDrawContext>(surface->offscreen(), frame.platformGetSize(), scaleFactor);
        CRect drawn = frame.platformDrawDirty(*context);
        if (!drawn.isEmpty()) {
            drawn.left *= scaleFactor;
            drawn.top *= scaleFactor;
            drawn.right *= scaleFactor;
            drawn.bottom *= scaleFactor;
            areas.push_back(drawn);
        }
    }
    surface->copyToWindow(areas);
}

}  // namespace VSTGUI::X11
