// The root of a view tree: the container a platform window shows.
//
// The frame is the single entry for input (platformOnEvent, from the platform
// and from the host's own wheel and key calls alike), holds the keyboard focus
// and the view under the pointer, and collects what needs redrawing. It asks
// its platform part for a flush when something becomes dirty and draws the
// dirty region when the platform calls platformDrawDirty.
#pragma once

#include <memory>
#include <vector>

#include "sdk/vstgui/lib/cviewcontainer.h"
#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI {

class CFrame : public CViewContainer, public IPlatformFrameCallback {
public:
    // The frame's top-left corner is always (0, 0); only the size counts.
    explicit CFrame(const CRect& size);
    ~CFrame() noexcept override;
    CView* newCopy() const override { return nullptr; }

    // Gives the frame its platform part; the whole frame becomes dirty.
    bool open(std::unique_ptr<IPlatformFrame> platformFrame);
    // Removes every view and drops the platform part.
    void close();
    IPlatformFrame* getPlatformFrame() const { return platform.get(); }
    // Device pixels per point: the platform's, 1 without one.
    double getScaleFactor() const;

    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }
    CView* getMouseOverView() const { return mouseOverView; }
    // Called by a view that leaves the frame's tree.
    void onViewRemoved(CView* view);

    bool setSize(CCoord width, CCoord height);
    void setViewSize(const CRect& rect, bool invalid = true) override;
    void invalidRect(const CRect& rect) override;
    void invalidChildRect(const CRect& rect) override;
    // The dirty region (frame coordinates), merged into few rectangles.
    const std::vector<CRect>& getDirtyRects() const { return dirtyRects; }

    // The focus view first, then its parents, until one handles the key.
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;

    // IPlatformFrameCallback
    CPoint platformGetSize() const override { return getViewSize().getSize(); }
    CRect platformDrawDirty(CDrawContext& context) override;
    void platformInvalidate(const CRect& rect) override { addDirty(rect); }
    bool platformOnEvent(PlatformEvent& event) override;
    void platformScaleFactorChanged() override { addDirty(getViewSize()); }

private:
    void addDirty(const CRect& rect);
    void updateMouseOver(const CPoint& where, const CButtonState& buttons);

    std::unique_ptr<IPlatformFrame> platform;
    std::vector<CRect> dirtyRects;
    CView* focusView = nullptr;
    CView* mouseOverView = nullptr;
};

}  // namespace VSTGUI
