// A parameter display that shows a fixed UTF-8 text instead of its value.
#pragma once

#include "sdk/vstgui/lib/controls/cparamdisplay.h"

namespace VSTGUI {

class CTextLabel : public CParamDisplay {
public:
    explicit CTextLabel(const CRect& size, UTF8StringPtr text = nullptr, CBitmap* background = nullptr,
                        int32_t style = 0);
    CView* newCopy() const override { return new CTextLabel(*this); }

    // Redraws the label when the text changes.
    virtual void setText(const UTF8String& newText);
    const UTF8String& getText() const { return text; }

    void draw(CDrawContext* context) override;

private:
    UTF8String text;
};

}  // namespace VSTGUI
