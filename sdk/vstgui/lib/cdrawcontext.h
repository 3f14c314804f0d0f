// The draw context: what views draw with. It draws on a cairo surface whose
// pixels are `scaleFactor` times the points views measure in, so a view draws
// the same picture at any scale. Colours, line settings, font, clip and
// transform form the context's state, which saveGlobalState/restoreGlobalState
// keep and bring back as a whole.
#pragma once

#include <cstdint>
#include <vector>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/lib/cfont.h"
#include "sdk/vstgui/lib/cgraphicstransform.h"
#include "sdk/vstgui/lib/crect.h"
#include "sdk/vstgui/lib/vstguibase.h"

struct _cairo;
struct _cairo_surface;

namespace VSTGUI {

class CBitmap;
class CGraphicsPath;

// Edge smoothing of figures (text has its own switch in drawString).
enum CDrawModeFlags : uint32_t {
    kAliasing = 0,      // hard edges
    kAntiAliasing = 1,  // smoothed edges
};

struct CDrawMode {
    uint32_t mode = kAliasing;
    constexpr CDrawMode(uint32_t flags = kAliasing) : mode(flags) {}
    constexpr uint32_t modeIgnoringIntegralMode() const { return mode; }
    constexpr bool operator==(const CDrawMode& other) const { return mode == other.mode; }
    constexpr bool operator!=(const CDrawMode& other) const { return mode != other.mode; }
};

// How drawRect paints a rectangle.
enum CDrawStyle : int32_t {
    kDrawStroked = 0,
    kDrawFilled = 1,
    kDrawFilledAndStroked = 2,
};

struct CLineStyle {
    enum LineCap : int32_t { kLineCapButt = 0, kLineCapRound, kLineCapSquare };
    enum LineJoin : int32_t { kLineJoinMiter = 0, kLineJoinRound, kLineJoinBevel };

    LineCap cap = kLineCapButt;
    LineJoin join = kLineJoinMiter;
    CCoord dashPhase = 0.;
    std::vector<CCoord> dashLengths;  // in line widths; empty for a solid line

    bool operator==(const CLineStyle& other) const
    {
        return cap == other.cap && join == other.join && dashPhase == other.dashPhase &&
            dashLengths == other.dashLengths;
    }
};

extern const CLineStyle kLineSolid;
extern const CLineStyle kLineOnOffDash;

class CDrawContext : public CBaseObject {
public:
    enum PathDrawMode : int32_t {
        kPathFilled = 0,
        kPathFilledEvenOdd = 1,
        kPathStroked = 2,
    };

    // Draws on `surface` (which the context references while it lives).
    // `surfaceSize` is the drawable area in points.
    CDrawContext(_cairo_surface* surface, const CPoint& surfaceSize, double scaleFactor = 1.);
    ~CDrawContext() noexcept override;
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    double getScaleFactor() const { return scaleFactor; }
    // The width of one device pixel in the current coordinates.
    CCoord getHairlineSize() const;
    const CPoint& getSurfaceSize() const { return surfaceSize; }

    void setDrawMode(CDrawMode mode) { state.drawMode = mode; }
    CDrawMode getDrawMode() const { return state.drawMode; }
    void setLineStyle(const CLineStyle& style) { state.lineStyle = style; }
    const CLineStyle& getLineStyle() const { return state.lineStyle; }
    void setLineWidth(CCoord width) { state.lineWidth = width; }
    CCoord getLineWidth() const { return state.lineWidth; }
    void setFrameColor(const CColor& color) { state.frameColor = color; }
    CColor getFrameColor() const { return state.frameColor; }
    void setFillColor(const CColor& color) { state.fillColor = color; }
    CColor getFillColor() const { return state.fillColor; }
    void setFontColor(const CColor& color) { state.fontColor = color; }
    CColor getFontColor() const { return state.fontColor; }
    void setFont(CFontDesc* font);
    CFontDesc* getFont() const { return state.font; }
    // Multiplies every later drawing's opacity (0..1).
    void setGlobalAlpha(float alpha) { state.globalAlpha = alpha; }
    float getGlobalAlpha() const { return state.globalAlpha; }

    // Limits drawing to `rect` (current coordinates), never beyond the clip
    // that was in force at the last saveGlobalState.
    void setClipRect(const CRect& rect);
    // The clip in current coordinates.
    CRect getClipRect() const;

    // Later drawing goes through `transform` first, then the current one.
    void concatTransform(const CGraphicsTransform& transform);
    const CGraphicsTransform& getCurrentTransform() const { return state.transform; }

    void saveGlobalState();
    void restoreGlobalState();

    // Draws everything up to the matching end as one layer of the given opacity.
    void beginTransparencyLayer(float alpha);
    void endTransparencyLayer();

    // A new empty path with one reference, which the caller forgets.
    CGraphicsPath* createGraphicsPath();
    void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode = kPathFilled,
                          const CGraphicsTransform* transformation = nullptr);
    // A stroke lies inside the rectangle.
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawLine(const CPoint& start, const CPoint& end);
    // Makes the rectangle fully transparent.
    void clearRect(const CRect& rect);

    // One line of UTF-8 text, centred vertically in `rect`.
    void drawString(UTF8StringPtr string, const CRect& rect, CHoriTxtAlign align = kCenterText,
                    bool antialias = true);
    CCoord getStringWidth(UTF8StringPtr string);

    void drawBitmap(CBitmap& bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0),
                    float alpha = 1.f);

    // For a platform that copies or presents what was drawn.
    _cairo* getCairo() const { return cr; }

private:
    struct State {
        CDrawMode drawMode;
        CLineStyle lineStyle;
        CCoord lineWidth = 1.;
        CColor frameColor = kBlackCColor;
        CColor fillColor = kWhiteCColor;
        CColor fontColor = kBlackCColor;
        SharedPointer<CFontDesc> font;
        float globalAlpha = 1.f;
        CGraphicsTransform transform;
        CRect clip;  // in points, untransformed
    };

    void applyMatrix() const;
    void applyAntialias() const;
    void setSourceColor(const CColor& color) const;
    void strokeCurrentPath() const;
    void fillCurrentPath(bool evenOdd) const;

    _cairo* cr = nullptr;
    CPoint surfaceSize;
    double scaleFactor;
    State state;
    std::vector<State> saved;
    std::vector<float> layerAlphas;
};

// Saves the context's state for the scope, restores it on leaving.
class CDrawContextStateSaver {
public:
    explicit CDrawContextStateSaver(CDrawContext* context) : context(context) { context->saveGlobalState(); }
    ~CDrawContextStateSaver() { context->restoreGlobalState(); }
    CDrawContextStateSaver(const CDrawContextStateSaver&) = delete;
    CDrawContextStateSaver& operator=(const CDrawContextStateSaver&) = delete;

private:
    CDrawContext* context;
};

}  // namespace VSTGUI
