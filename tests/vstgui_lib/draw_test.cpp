#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <string>
#include <utility>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cgraphicspath.h"
#include "sdk/vstgui/lib/coffscreencontext.h"
#include "sdk/vstgui/lib/platform/platform.h"
#include "tests/vstgui_lib/vstguitesting.h"

namespace VSTGUI {
namespace {

constexpr CColor kNone(0, 0, 0, 0);

TEST(CDrawContext, DrawsRectanglesInTheirThreeStylesAndPaths)
{
    auto image = COffscreenContext::create({60, 40});
    image->setLineStyle(kLineSolid);
    image->setLineWidth(2.);
    image->setFrameColor(kBlueCColor);
    image->setFillColor(kRedCColor);
    image->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    image->drawRect(CRect(20, 0, 40, 20), kDrawStroked);
    image->drawRect(CRect(40, 20, 60, 40), kDrawFilledAndStroked);

    // A frame as a path: inset by half the line width, so the stroke lies inside.
    SharedPointer<CGraphicsPath> path = owned(image->createGraphicsPath());
    ASSERT_EQ(path->getNbReference(), 1);
    path->addRect(CRect(0, 20, 20, 40).inset(1., 1.));
    image->setFillColor(kYellowCColor);
    image->setFrameColor(kGreenCColor);
    image->drawGraphicsPath(path, CDrawContext::kPathFilled);
    image->drawGraphicsPath(path, CDrawContext::kPathStroked);

    struct Probe {
        int x, y;
        CColor color;
    };
    const Probe probes[] = {
        {5, 5, kRedCColor},     {10, 5, kNone},          // filled
        {20, 10, kBlueCColor},  {21, 10, kBlueCColor},   // the stroke: two pixels inside the edge
        {22, 10, kNone},        {30, 5, kNone},          //   and nothing within
        {50, 30, kRedCColor},   {41, 30, kBlueCColor},   // filled and stroked
        {0, 30, kGreenCColor},  {1, 30, kGreenCColor},   // the path's stroke
        {2, 30, kYellowCColor}, {10, 30, kYellowCColor}  //   over its fill
    };
    for (const Probe& p : probes)
        EXPECT_TRUE(pixelIs(*image, p.x, p.y, p.color));
}

TEST(CDrawContext, AliasedFiguresHaveHardEdges)
{
    for (const CDrawModeFlags mode : {kAliasing, kAntiAliasing}) {
        auto image = COffscreenContext::create({20, 4});
        image->setDrawMode(mode);
        image->setFillColor(kBlackCColor);
        image->drawRect(CRect(0, 0, 10.5, 4), kDrawFilled);
        const uint8_t edgeAlpha = image->getPixel(10, 1).alpha;
        if (mode == kAliasing)
            EXPECT_TRUE(edgeAlpha == 0 || edgeAlpha == 255) << int(edgeAlpha);
        else
            EXPECT_NEAR(edgeAlpha, 128, 2);
    }
}

TEST(CDrawContext, HairlineIsOneDevicePixel)
{
    for (const double scale : {1., 2., 1.5}) {
        auto image = COffscreenContext::create({10, 10}, scale);
        EXPECT_DOUBLE_EQ(image->getHairlineSize(), 1. / scale) << scale;
    }
    auto image = COffscreenContext::create({10, 10}, 2.);
    image->setLineWidth(image->getHairlineSize());
    image->setFrameColor(kBlackCColor);
    image->drawRect(CRect(0, 0, 10, 10), kDrawStroked);
    EXPECT_TRUE(pixelIs(*image, 0, 10, kBlackCColor));
    EXPECT_TRUE(pixelIs(*image, 1, 10, kNone));
}

TEST(CBitmap, LoadsAPngAndDrawsItFromAnOffsetWithAlpha)
{
    const std::string png = writeTwoStatePng(testFilePath(".png"));
    auto bitmap = makeOwned<CBitmap>(CResourceDescription(png.c_str()));
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getSize(), CPoint(4, 6));

    auto image = COffscreenContext::create({20, 20});
    bitmap->draw(image, CRect(10, 10, 14, 13), CPoint(0, 3));  // the lower half
    bitmap->draw(image, CRect(0, 0, 4, 3), CPoint(0, 0), 0.5f);
    bitmap->draw(image, CRect(0, 10, 8, 20));  // larger than the bitmap: nothing beyond it
    EXPECT_TRUE(pixelIs(*image, 10, 10, kBlueCColor));
    EXPECT_TRUE(pixelIs(*image, 13, 12, kBlueCColor));
    EXPECT_TRUE(pixelIs(*image, 10, 13, kNone)) << "clipped to the destination";
    EXPECT_TRUE(pixelIs(*image, 1, 1, CColor(255, 0, 0, 128), 1));
    EXPECT_TRUE(pixelIs(*image, 2, 15, kBlueCColor));
    EXPECT_TRUE(pixelIs(*image, 5, 15, kNone));
    std::remove(png.c_str());
}

TEST(CBitmap, APngDeclaringMorePixelsThanTheBoundIsNotDecoded)
{
    constexpr int kHeight = 1024;
    constexpr int kWidestAllowed = static_cast<int>(kMaxBitmapPixels / kHeight);
    for (const auto& [width, loads] :
         {std::pair{kWidestAllowed, true}, std::pair{kWidestAllowed + 1, false}}) {
        // One bit a pixel: a small file for a large picture.
        const std::string png = testFilePath(".png");
        cairo_surface_t* blank = cairo_image_surface_create(CAIRO_FORMAT_A1, width, kHeight);
        ASSERT_EQ(cairo_surface_write_to_png(blank, png.c_str()), CAIRO_STATUS_SUCCESS);
        cairo_surface_destroy(blank);
        auto bitmap = makeOwned<CBitmap>(CResourceDescription(png));
        EXPECT_EQ(bitmap->isLoaded(), loads) << width << " x " << kHeight;
        std::remove(png.c_str());
    }
}

TEST(CBitmap, AMissingOrBrokenFileLoadsNothingAndDrawsNothing)
{
    const std::string text = testFilePath(".png");
    std::FILE* file = std::fopen(text.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("not a picture", file);
    std::fclose(file);

    setPlatformResourceFolder(testing::TempDir());
    const std::string relative = text.substr(testing::TempDir().size());
    for (const CResourceDescription& description :
         {CResourceDescription(text), CResourceDescription(relative), CResourceDescription("missing.png"),
          CResourceDescription(""), CResourceDescription(7)}) {
        auto bitmap = makeOwned<CBitmap>(description);
        EXPECT_FALSE(bitmap->isLoaded()) << description.name;
        EXPECT_EQ(bitmap->getSize(), CPoint(0, 0));
        auto image = COffscreenContext::create({4, 4});
        bitmap->draw(image, CRect(0, 0, 4, 4));
        EXPECT_TRUE(pixelIs(*image, 1, 1, kNone));
    }

    // The same relative name finds a real PNG in the resource folder.
    writeTwoStatePng(text);
    EXPECT_TRUE(makeOwned<CBitmap>(CResourceDescription(relative))->isLoaded());
    setPlatformResourceFolder("");
    std::remove(text.c_str());
}

}  // namespace
}  // namespace VSTGUI
