// The editor window the host embeds, and the frame the host gives it.
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg {

struct ViewRect {
    int32 left = 0;
    int32 top = 0;
    int32 right = 0;
    int32 bottom = 0;

    int32 getWidth() const { return right - left; }
    int32 getHeight() const { return bottom - top; }
};

// Platform type of an X11 parent window: attached() receives its window id.
constexpr FIDString kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

class IPlugFrame;

class IPlugView : public FUnknown {
public:
    virtual tresult isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult attached(void* parent, FIDString type) = 0;
    virtual tresult removed() = 0;
    virtual tresult onWheel(float distance) = 0;
    virtual tresult onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult getSize(ViewRect* size) = 0;
    virtual tresult onSize(ViewRect* newSize) = 0;
    virtual tresult onFocus(TBool state) = 0;
    virtual tresult setFrame(IPlugFrame* frame) = 0;
    virtual tresult canResize() = 0;
    virtual tresult checkSizeConstraint(ViewRect* rect) = 0;

    static constexpr FUID iid{0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29};
};

class IPlugFrame : public FUnknown {
public:
    virtual tresult resizeView(IPlugView* view, ViewRect* newSize) = 0;

    static constexpr FUID iid{0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3};
};

// On Linux the host owns the event loop; editors register their file
// descriptors and timers with the run loop their frame offers.
namespace Linux {

using FileDescriptor = int;
using TimerInterval = uint64;  // milliseconds

class IEventHandler : public FUnknown {
public:
    virtual void onFDIsSet(FileDescriptor fd) = 0;

    static constexpr FUID iid{0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983};
};

class ITimerHandler : public FUnknown {
public:
    virtual void onTimer() = 0;

    static constexpr FUID iid{0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9};
};

class IRunLoop : public FUnknown {
public:
    virtual tresult registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
    virtual tresult unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
    virtual tresult unregisterTimer(ITimerHandler* handler) = 0;

    static constexpr FUID iid{0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389};
};

}  // namespace Linux
}  // namespace Steinberg
