// The contract between the toolkit and a platform (the headless one in
// headless/, the X11 one in linux/).
//
// Frame: CFrame is the single entry for input and the single place that knows
// what needs drawing. A platform frame translates and presents; it never
// routes events and never decides what to draw.
//   - CFrame asks its platform frame (IPlatformFrame) to resize, for its scale
//     factor, and to schedule a flush when something became dirty.
//   - The platform hands CFrame (IPlatformFrameCallback) input as one plain
//     event record, and at its flush point asks CFrame to draw the dirty
//     region into the platform's context. Invalidations made while drawing
//     schedule the next flush.
// All coordinates that cross the contract are frame coordinates in points;
// the platform multiplies by its scale factor for pixels.
//
// Timers: CVSTGUITimer runs on a process-wide timer provider that a platform
// installs (a manual clock in tests, the host's run loop on Linux).
//
// Resources: bitmaps named by a relative path are looked up in the resource
// folder that the plug-in's module entry sets.
#pragma once

#include <cstdint>
#include <memory>

#include "sdk/vstgui/lib/cbuttonstate.h"
#include "sdk/vstgui/lib/crect.h"
#include "sdk/vstgui/lib/vstguibase.h"
#include "sdk/vstgui/lib/vstkeycode.h"

namespace VSTGUI {

class CDrawContext;

// ---- frame

// One input event. `where` is in frame coordinates (points) for every mouse
// and wheel event; `buttons` holds the mouse buttons and modifier keys.
struct PlatformEvent {
    enum class Type : uint8_t {
        MouseDown,
        MouseMoved,
        MouseUp,
        MouseCancel,   // the gesture in progress ends without a mouse-up
        MouseEntered,  // the pointer came into the frame
        MouseExited,   // the pointer left the frame
        MouseWheel,
        KeyDown,
        KeyUp,
    };

    Type type = Type::MouseMoved;
    CPoint where;
    CButtonState buttons;
    CMouseWheelAxis wheelAxis = kMouseWheelAxisY;
    float wheelDistance = 0.f;  // positive: up (or right); one notch is 1
    VstKeyCode key;
};

// What CFrame asks of the platform.
class IPlatformFrame {
public:
    virtual ~IPlatformFrame() noexcept = default;
    // The frame's new size in points.
    virtual void setSize(const CPoint& size) = 0;
    // Device pixels per point.
    virtual double getScaleFactor() const = 0;
    // Something became dirty: call IPlatformFrameCallback::platformDrawDirty
    // at the next flush point. Cheap; called at most once per dirty cycle.
    virtual void scheduleFlush() = 0;
};

// What the platform hands back to CFrame (CFrame implements it).
class IPlatformFrameCallback {
public:
    virtual ~IPlatformFrameCallback() noexcept = default;
    // The frame's size in points.
    virtual CPoint platformGetSize() const = 0;
    // Draws the dirty region into `context` (whose surface covers the whole
    // frame) and clears it; answers the bounds of what was drawn, empty when
    // nothing was dirty. The platform then presents that area.
    virtual CRect platformDrawDirty(CDrawContext& context) = 0;
    // The platform lost pixels (an expose, a new surface): redraw `rect`.
    virtual void platformInvalidate(const CRect& rect) = 0;
    // Routes one input event; answers whether a view handled it.
    virtual bool platformOnEvent(PlatformEvent& event) = 0;
    // The scale factor changed: everything is drawn again at the new scale.
    virtual void platformScaleFactorChanged() = 0;
};

// ---- timers

class IPlatformTimerCallback {
public:
    virtual ~IPlatformTimerCallback() noexcept = default;
    virtual void onPlatformTimer() = 0;
};

// A periodic tick on the UI thread. The callback may stop or destroy this
// timer, or any other, from inside its tick.
class IPlatformTimer {
public:
    virtual ~IPlatformTimer() noexcept = default;
    // Starts (or restarts) ticking every `periodMs` milliseconds from now.
    virtual bool start(uint32_t periodMs) = 0;
    virtual void stop() = 0;
};

class IPlatformTimerProvider {
public:
    virtual ~IPlatformTimerProvider() noexcept = default;
    // A stopped timer that calls `callback` when it ticks. The provider must
    // outlive the timers it made, or detach them when it goes.
    virtual std::unique_ptr<IPlatformTimer> createTimer(IPlatformTimerCallback& callback) = 0;
};

// The process-wide provider; none at first (timers then do not run).
void setPlatformTimerProvider(IPlatformTimerProvider* provider);
IPlatformTimerProvider* getPlatformTimerProvider();

// ---- resources

// The folder relative bitmap paths are found in (the bundle's Resources folder).
void setPlatformResourceFolder(const UTF8String& folder);
UTF8String getPlatformResourceFolder();

}  // namespace VSTGUI
