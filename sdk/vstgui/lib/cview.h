// The base of everything shown in a frame.
//
// Coordinates: a view's size (getViewSize) is a rectangle in its parent's
// coordinates; a container's children measure from the container's top-left
// corner. Mouse events reach a view in the same coordinates as its size.
//
// Ownership: views are reference counted. A container holds one reference to
// each child; removing the last reference sends viewWillDelete to the view's
// listeners and deletes it. A view may own one controller (setController),
// deleted after the view's children and listeners are done with it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "sdk/vstgui/lib/cbuttonstate.h"
#include "sdk/vstgui/lib/controls/icontrollistener.h"
#include "sdk/vstgui/lib/crect.h"
#include "sdk/vstgui/lib/dispatchlist.h"
#include "sdk/vstgui/lib/iviewlistener.h"
#include "sdk/vstgui/lib/vstguibase.h"
#include "sdk/vstgui/lib/vstkeycode.h"

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;
class CViewContainer;

using CViewAttributeID = uint32_t;
// The view's tooltip text (UTF-8, with its terminating zero).
inline constexpr CViewAttributeID kCViewTooltipAttribute = 0x63767474;  // "cvtt"

// Which edges follow the parent's when it is resized (stored for descriptions).
enum CViewAutosizing : int32_t {
    kAutosizeNone = 0,
    kAutosizeLeft = 1 << 0,
    kAutosizeTop = 1 << 1,
    kAutosizeRight = 1 << 2,
    kAutosizeBottom = 1 << 3,
    kAutosizeColumn = 1 << 4,
    kAutosizeRow = 1 << 5,
    kAutosizeAll = kAutosizeLeft | kAutosizeTop | kAutosizeRight | kAutosizeBottom,
};

class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    // Copies geometry, appearance and attributes; not the parent, listeners or controller.
    CView(const CView& view);
    ~CView() noexcept override;
    CView& operator=(const CView&) = delete;

    virtual CView* newCopy() const { return new CView(*this); }

    // ---- drawing
    // Draws the whole view; the base draws the background bitmap.
    virtual void draw(CDrawContext* context);
    // Draws the part of the view in `updateRect` (parent coordinates).
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    // Marks the view to be drawn again (true) or as drawn (false).
    virtual void setDirty(bool state = true);
    virtual bool isDirty() const { return dirty; }
    // Asks for the whole view to be redrawn, and counts it as up to date.
    virtual void invalid();
    // Asks for a redraw of `rect` (parent coordinates).
    virtual void invalidRect(const CRect& rect);

    // ---- mouse, wheel, keys (where: parent coordinates)
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel();
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    // The vertical wheel.
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    // Either wheel; the base passes the vertical one to the overload above.
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    // 1 when the key was handled, -1 when not.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);

    virtual void setMouseEnabled(bool enable);
    bool getMouseEnabled() const { return mouseEnabled; }
    // Where the view takes the mouse (parent coordinates); follows setViewSize.
    virtual void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
    const CRect& getMouseableArea() const { return mouseableArea; }

    // ---- geometry
    const CRect& getViewSize() const { return size; }
    // Does nothing for a rectangle equal to the current one.
    virtual void setViewSize(const CRect& rect, bool invalid = true);
    CCoord getWidth() const { return size.getWidth(); }
    CCoord getHeight() const { return size.getHeight(); }
    // Fits the view to its content; false when it has nothing to fit to.
    virtual bool sizeToFit() { return false; }
    void setAutosizeFlags(int32_t flags) { autosizeFlags = flags; }
    int32_t getAutosizeFlags() const { return autosizeFlags; }

    // Between this view's own coordinates (those of its size) and the frame's.
    CPoint& localToFrame(CPoint& point) const;
    CPoint& frameToLocal(CPoint& point) const;

    // ---- appearance
    virtual void setVisible(bool visible);
    bool isVisible() const { return visible; }
    virtual void setAlphaValue(float alpha);
    float getAlphaValue() const { return alpha; }
    // A transparent view draws no background of its own.
    virtual void setTransparency(bool state);
    bool getTransparency() const { return transparent; }
    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return background; }
    virtual void setDisabledBackground(CBitmap* background);
    CBitmap* getDisabledBackground() const { return disabledBackground; }
    // The disabled background while the mouse is disabled and there is one, else the background.
    CBitmap* getDrawBackground() const;

    // ---- focus
    void setWantsFocus(bool state) { focusWanted = state; }
    bool wantsFocus() const { return focusWanted; }
    // Called by the frame when the view gains or loses the keyboard focus.
    virtual void takeFocus();
    virtual void looseFocus();

    // ---- the view tree
    // The view joins (leaves) a frame's tree below `parent`. False when it already is (is not) in one.
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    bool isAttached() const { return frame != nullptr; }
    CView* getParentView() const;
    CFrame* getFrame() const { return frame; }
    // Set by the container that holds the view.
    void setParentView(CViewContainer* parent) { parentView = parent; }

    // ---- attributes: small binary values stored under an id
    bool setAttribute(CViewAttributeID id, uint32_t inSize, const void* inData);
    bool getAttributeSize(CViewAttributeID id, uint32_t& outSize) const;
    // False when there is no such attribute or it does not fit in `inSize` bytes.
    bool getAttribute(CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const;
    bool removeAttribute(CViewAttributeID id);

    // ---- listeners
    void registerViewListener(IViewListener* listener) { viewListeners.add(listener); }
    void unregisterViewListener(IViewListener* listener) { viewListeners.remove(listener); }

    // ---- the controller this view owns (a sub-controller of a description)
    // Takes ownership; a controller set before is deleted.
    void setController(IControlListener* controller);
    IControlListener* getController() const { return controller.get(); }

protected:
    void beforeDelete() override;
    template <class F>
    void forEachViewListener(F&& f)
    {
        viewListeners.forEach(f);
    }
    // The frame this view is in, set while attached.
    void setFrame(CFrame* newFrame) { frame = newFrame; }

private:
    CRect size;
    CRect mouseableArea;
    int32_t autosizeFlags = kAutosizeNone;
    float alpha = 1.f;
    bool visible = true;
    bool mouseEnabled = true;
    bool transparent = false;
    bool focusWanted = false;
    bool dirty = false;
    SharedPointer<CBitmap> background;
    SharedPointer<CBitmap> disabledBackground;
    CViewContainer* parentView = nullptr;
    CFrame* frame = nullptr;
    std::map<CViewAttributeID, std::vector<uint8_t>> attributes;
    DispatchList<IViewListener> viewListeners;
    std::unique_ptr<IControlListener> controller;
};

}  // namespace VSTGUI
