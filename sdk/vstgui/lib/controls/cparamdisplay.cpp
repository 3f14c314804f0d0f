#include "sdk/vstgui/lib/controls/cparamdisplay.h"

#include <charconv>
#include <cmath>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cdrawcontext.h"
#include "sdk/vstgui/lib/cgraphicspath.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, -1, background), font(kNormalFont), style(style)
{
}

CParamDisplay::CParamDisplay(const CParamDisplay& other)
    : CControl(other),
      valueToString(other.valueToString),
      font(other.font),
      fontColor(other.fontColor),
      backColor(other.backColor),
      frameColor(other.frameColor),
      horiAlign(other.horiAlign),
      textInset(other.textInset),
      frameWidth(other.frameWidth),
      roundRectRadius(other.roundRectRadius),
      precision(other.precision),
      style(other.style)
{
}

void CParamDisplay::setValueToStringFunction(ValueToStringFunction function)
{
    valueToString = std::move(function);
    invalidRect(getViewSize());
}

std::string CParamDisplay::getValueText(float shown)
{
    std::string text;
    if (valueToString && valueToString(shown, text, this))
        return text;
    // Independent of the host process's locale: always a decimal point.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::fixed, precision);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

void CParamDisplay::draw(CDrawContext* context)
{
    drawBack(context);
    if (!(style & (kNoTextStyle | kNoDrawStyle)))
        drawText(context, getValueText(getValue()));
    setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground()) {
        bitmap->draw(context, getViewSize(), getBackOffset());
        return;
    }
    if (style & kNoDrawStyle)
        return;
    const bool withFrame = !(style & kNoFrame) && frameWidth > 0.;
    CRect area(getViewSize());
    SharedPointer<CGraphicsPath> path = owned(context->createGraphicsPath());
    context->setDrawMode(kAntiAliasing);
    if (withFrame)
        area.inset(frameWidth / 2., frameWidth / 2.);
    if (style & kRoundRectStyle)
        path->addRoundRect(area, roundRectRadius);
    else
        path->addRect(area);
    context->setFillColor(backColor);
    context->drawGraphicsPath(path, CDrawContext::kPathFilled);
    if (withFrame) {
        context->setLineStyle(kLineSolid);
        context->setLineWidth(frameWidth);
        context->setFrameColor(frameColor);
        context->drawGraphicsPath(path, CDrawContext::kPathStroked);
    }
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text)
{
    if (text.empty())
        return;
    CRect area(getViewSize());
    area.inset(textInset);
    context->setFont(font);
    context->setFontColor(fontColor);
    context->drawString(text.c_str(), area, horiAlign, true);
}

void CParamDisplay::setFont(CFontRef newFont)
{
    if (!newFont || (font && *font == *newFont))
        return;
    font = newFont;
    invalidRect(getViewSize());
}

void CParamDisplay::setFontColor(const CColor& color)
{
    change(fontColor, color);
}

void CParamDisplay::setBackColor(const CColor& color)
{
    change(backColor, color);
}

void CParamDisplay::setFrameColor(const CColor& color)
{
    change(frameColor, color);
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align)
{
    change(horiAlign, align);
}

void CParamDisplay::setTextInset(const CPoint& inset)
{
    change(textInset, inset);
}

void CParamDisplay::setFrameWidth(CCoord width)
{
    change(frameWidth, width);
}

void CParamDisplay::setRoundRectRadius(CCoord radius)
{
    change(roundRectRadius, radius);
}

void CParamDisplay::setPrecision(uint8_t digits)
{
    change(precision, digits);
}

void CParamDisplay::setStyle(int32_t newStyle)
{
    change(style, newStyle);
}

}  // namespace VSTGUI
