// The Linux platform frame: the editor's window embedded in the host's X11
// window, drawn through an offscreen cairo picture, with its input and timers
// running on the host's run loop.
//
// The flush point: invalidations (and exposes) only collect; after the X
// events have been drained (the connection's handler) and on the frame's own
// timer, the dirty region is drawn, copied to the window and flushed. Handlers
// never block: events are read with xcb_poll_for_event until none is left.
#pragma once

#include <xcb/xcb.h>

#include <memory>
#include <vector>

#include "sdk/vst3/interfaces/plugview.h"
#include "sdk/vstgui/lib/platform/linux/runloopadapter.h"
#include "sdk/vstgui/lib/platform/linux/x11surface.h"
#include "sdk/vstgui/lib/platform/linux/x11window.h"
#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI::X11 {

class Frame : public IPlatformFrame {
public:
    // Opens a connection to the display, embeds a window of the frame's size in
    // `parent`, and registers with the run loop. Null when there is no display,
    // the parent is not a window, or the run loop refuses the connection.
    static std::unique_ptr<Frame> create(IPlatformFrameCallback& frame, xcb_window_t parent,
                                         Steinberg::Linux::IRunLoop* runLoop, double scaleFactor);
    // Unregisters everything from the run loop first, then lets go of the
    // window, the surface and the connection.
    ~Frame() override;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    // IPlatformFrame
    void setSize(const CPoint& size) override;
    double getScaleFactor() const override { return scaleFactor; }
    void scheduleFlush() override { flushScheduled = true; }

    // Everything is drawn again at the new scale; the window takes the new pixel size.
    void setScaleFactor(double factor);
    // Input a host hands over (IPlugView::onWheel, onKeyDown/onKeyUp; the only
    // way keys arrive): wheel events land where the pointer was last seen in the window.
    bool dispatchHostEvent(PlatformEvent& event);

    xcb_window_t windowId() const { return window->id(); }
    // Drains the X events and draws what is dirty; what the run loop's callbacks do.
    void processEvents();

private:
    Frame(IPlatformFrameCallback& frame, Steinberg::Linux::IRunLoop* runLoop, double scaleFactor);

    void handle(const xcb_generic_event_t& event);
    void flush();
    void resizeToPixels();

    IPlatformFrameCallback& frame;
    double scaleFactor;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<ChildWindow> window;
    std::unique_ptr<Surface> surface;
    RunLoopAdapter runLoop;
    std::vector<CRect> exposed;  // device pixels to copy again, without redrawing
    CPoint lastPointer;
    bool flushScheduled = false;
    bool broken = false;
    bool offersRunLoopToTimers = false;
};

}  // namespace VSTGUI::X11
