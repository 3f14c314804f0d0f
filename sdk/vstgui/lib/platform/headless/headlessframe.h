// A platform frame without a window: it renders the frame into an image at
// its scale factor when a test (or tool) calls flush(), and can write it as PNG.
#pragma once

#include "sdk/vstgui/lib/coffscreencontext.h"
#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI {

class HeadlessPlatformFrame : public IPlatformFrame {
public:
    explicit HeadlessPlatformFrame(IPlatformFrameCallback& frame, double scaleFactor = 1.);

    // IPlatformFrame
    void setSize(const CPoint& size) override;
    double getScaleFactor() const override { return scaleFactor; }
    void scheduleFlush() override { flushScheduled = true; }

    // The flush point: draws the dirty region into the image. Answers the area drawn.
    CRect flush();
    bool isFlushScheduled() const { return flushScheduled; }
    // Takes effect at the next flush, which then draws everything.
    void setScaleFactor(double factor);

    // The image as of the last flush (device pixels).
    COffscreenContext& getImage();
    CColor getPixel(int32_t x, int32_t y) { return getImage().getPixel(x, y); }
    bool writePNG(const UTF8String& path) { return getImage().writePNG(path); }

private:
    IPlatformFrameCallback& frame;
    double scaleFactor;
    bool flushScheduled = false;
    SharedPointer<COffscreenContext> image;
};

}  // namespace VSTGUI
