#include "sdk/vstgui/lib/platform/headless/headlessframe.h"

#include <cmath>

namespace VSTGUI {

HeadlessPlatformFrame::HeadlessPlatformFrame(IPlatformFrameCallback& frame, double scaleFactor)
    : frame(frame), scaleFactor(scaleFactor > 0. && std::isfinite(scaleFactor) ? scaleFactor : 1.)
{
}

void HeadlessPlatformFrame::setSize(const CPoint& /*size*/)
{
    image = nullptr;  // made anew, at the new size, by the next flush
}

void HeadlessPlatformFrame::setScaleFactor(double factor)
{
    if (!(factor > 0.) || !std::isfinite(factor) || factor == scaleFactor)
        return;
    scaleFactor = factor;
    image = nullptr;
    frame.platformScaleFactorChanged();
}

COffscreenContext& HeadlessPlatformFrame::getImage()
{
    if (!image) {
        image = COffscreenContext::create(frame.platformGetSize(), scaleFactor);
        frame.platformInvalidate(CRect(CPoint(), frame.platformGetSize()));
    }
    return *image;
}

CRect HeadlessPlatformFrame::flush()
{
    COffscreenContext& target = getImage();
    flushScheduled = false;
    return frame.platformDrawDirty(target);
}

}  // namespace VSTGUI
