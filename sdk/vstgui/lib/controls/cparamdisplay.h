// A control that shows its value as text: by default the value with
// `precision` decimals, or whatever a value-to-text function makes of it.
// Drawn as a back, a frame and the text, each of which a style bit can omit.
#pragma once

#include <cstdint>
#include <functional>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/lib/cfont.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"

namespace VSTGUI {

class CParamDisplay : public CControl {
public:
    enum Style : int32_t {
        kNoTextStyle = 1 << 0,     // no text
        kNoDrawStyle = 1 << 1,     // no back, no frame, no text
        kNoFrame = 1 << 2,         // no frame
        kRoundRectStyle = 1 << 3,  // back and frame with rounded corners
    };

    // Fills `text` for the value; false falls back to the default text.
    using ValueToStringFunction = std::function<bool(float value, std::string& text, CParamDisplay* display)>;

    explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    CParamDisplay(const CParamDisplay& other);
    CView* newCopy() const override { return new CParamDisplay(*this); }

    void draw(CDrawContext* context) override;

    void setValueToStringFunction(ValueToStringFunction function);
    // The text shown for a value.
    std::string getValueText(float value);

    // Setters redraw the view when the value changes.
    void setFont(CFontRef newFont);
    CFontRef getFont() const { return font; }
    void setFontColor(const CColor& color);
    CColor getFontColor() const { return fontColor; }
    void setBackColor(const CColor& color);
    CColor getBackColor() const { return backColor; }
    void setFrameColor(const CColor& color);
    CColor getFrameColor() const { return frameColor; }
    void setHoriAlign(CHoriTxtAlign align);
    CHoriTxtAlign getHoriAlign() const { return horiAlign; }
    void setTextInset(const CPoint& inset);
    CPoint getTextInset() const { return textInset; }
    void setFrameWidth(CCoord width);
    CCoord getFrameWidth() const { return frameWidth; }
    void setRoundRectRadius(CCoord radius);
    CCoord getRoundRectRadius() const { return roundRectRadius; }
    void setPrecision(uint8_t digits);
    uint8_t getPrecision() const { return precision; }
    void setStyle(int32_t newStyle);
    int32_t getStyle() const { return style; }

protected:
    // Back, frame and `text`, as the style asks.
    void drawBack(CDrawContext* context);
    void drawText(CDrawContext* context, const std::string& text);

private:
    template <class T>
    void change(T& field, const T& newValue)
    {
        if (field == newValue)
            return;
        field = newValue;
        invalidRect(getViewSize());
    }

    ValueToStringFunction valueToString;
    SharedPointer<CFontDesc> font;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CHoriTxtAlign horiAlign = kCenterText;
    CPoint textInset;
    CCoord frameWidth = 1.;
    CCoord roundRectRadius = 6.;
    uint8_t precision = 2;
    int32_t style;
};

}  // namespace VSTGUI
