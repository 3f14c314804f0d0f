#include "sdk/vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel(const CRect& size, UTF8StringPtr text, CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), text(text ? text : "")
{
}

void CTextLabel::setText(const UTF8String& newText)
{
    if (newText == text)
        return;
    text = newText;
    invalidRect(getViewSize());
}

void CTextLabel::draw(CDrawContext* context)
{
    drawBack(context);
    if (!(getStyle() & (kNoTextStyle | kNoDrawStyle)))
        drawText(context, text);
    setDirty(false);
}

}  // namespace VSTGUI
