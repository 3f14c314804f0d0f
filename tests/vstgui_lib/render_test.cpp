#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cframe.h"
#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/lib/platform/headless/headlessframe.h"
#include "tests/vstgui_lib/vstguitesting.h"

namespace VSTGUI {
namespace {

// A frame on the headless platform with a white background.
struct Scene {
    explicit Scene(const CPoint& size, double scale = 1.) : frame(makeOwned<CFrame>(CRect(CPoint(), size)))
    {
        frame->setBackgroundColor(kWhiteCColor);
        auto platform = std::make_unique<HeadlessPlatformFrame>(*frame, scale);
        headless = platform.get();
        frame->open(std::move(platform));
    }
    ~Scene() { frame->close(); }

    CViewContainer* addContainer(CViewContainer* parent, const CRect& size, const CColor& color)
    {
        auto* container = new CViewContainer(size);
        container->setBackgroundColor(color);
        (parent ? parent : frame.get())->addView(container);
        return container;
    }
    COffscreenContext& render()
    {
        headless->flush();
        return headless->getImage();
    }

    SharedPointer<CFrame> frame;
    HeadlessPlatformFrame* headless;
};

// Nested containers, the inner one reaching past the outer, and a half
// transparent one; the same scene serves the scale test.
void buildNestedScene(Scene& scene)
{
    CViewContainer* outer = scene.addContainer(nullptr, CRect(10, 10, 60, 60), kRedCColor);
    scene.addContainer(outer, CRect(20, 20, 80, 80), kBlueCColor);
    scene.addContainer(nullptr, CRect(70, 10, 90, 30), kBlackCColor)->setAlphaValue(0.5f);
}

TEST(RenderedFrame, NestedContainersDrawInPlaceClippedToTheirParents)
{
    Scene scene({100, 80});
    buildNestedScene(scene);
    COffscreenContext& image = scene.render();
    EXPECT_TRUE(pixelIs(image, 5, 5, kWhiteCColor));
    EXPECT_TRUE(pixelIs(image, 15, 15, kRedCColor));
    EXPECT_TRUE(pixelIs(image, 30, 30, kBlueCColor)) << "the inner container starts at 10 + 20";
    EXPECT_TRUE(pixelIs(image, 59, 59, kBlueCColor));
    EXPECT_TRUE(pixelIs(image, 65, 65, kWhiteCColor)) << "clipped to the outer container";
    EXPECT_TRUE(pixelIs(image, 80, 20, CColor(127, 127, 127, 255), 1)) << "half transparent black on white";

    // A later change redraws only its own area.
    auto* inner =
        static_cast<CViewContainer*>(static_cast<CViewContainer*>(scene.frame->getView(0))->getView(0));
    inner->setBackgroundColor(kGreenCColor);
    EXPECT_EQ(scene.headless->flush(), CRect(30, 30, 60, 60));
    EXPECT_TRUE(pixelIs(image, 30, 30, kGreenCColor));
    EXPECT_TRUE(pixelIs(image, 15, 15, kRedCColor));
}

TEST(RenderedFrame, ButtonBitmapShowsItsStateFromTheBitmapsHalves)
{
    const std::string png = writeTwoStatePng(testFilePath(".png"));
    auto bitmap = makeOwned<CBitmap>(CResourceDescription(png));
    Scene scene({40, 20});
    auto* button = new COnOffButton(CRect(10, 10, 14, 13), nullptr, 0, bitmap);
    auto* fallback = new COnOffButton(CRect(20, 5, 30, 15));
    scene.frame->addView(button);
    scene.frame->addView(fallback);
    COffscreenContext& image = scene.render();
    EXPECT_TRUE(pixelIs(image, 11, 11, kRedCColor));
    EXPECT_TRUE(pixelIs(image, 25, 10, kWhiteCColor)) << "the drawn fallback is empty while off";
    EXPECT_TRUE(pixelIs(image, 20, 10, kGreyCColor)) << "with a frame";

    button->setValue(1.f);
    button->invalid();
    fallback->setValue(1.f);
    fallback->invalid();
    scene.render();
    EXPECT_TRUE(pixelIs(image, 11, 11, kBlueCColor)) << "the on half lies below the off half";
    EXPECT_TRUE(pixelIs(image, 13, 12, kBlueCColor));
    EXPECT_TRUE(pixelIs(image, 11, 13, kWhiteCColor));
    EXPECT_TRUE(pixelIs(image, 25, 10, kWhiteCColor));
    std::remove(png.c_str());
}

// Pixels in `area` that are clearly not white.
int inkIn(const COffscreenContext& image, const CRect& area)
{
    int ink = 0;
    for (int y = int(area.top); y < int(area.bottom); ++y)
        for (int x = int(area.left); x < int(area.right); ++x) {
            const CColor c = image.getPixel(x, y);
            ink += c.red < 128 && c.green < 128 && c.blue < 128;
        }
    return ink;
}

TEST(RenderedFrame, LabelTextIsDrawnInsideTheLabel)
{
    Scene scene({120, 60});
    auto* label = new CTextLabel(CRect(10, 10, 110, 40), "Hello");
    label->setStyle(CParamDisplay::kNoFrame);
    label->setBackColor(kWhiteCColor);
    label->setFontColor(kBlackCColor);
    scene.frame->addView(label);
    COffscreenContext& image = scene.render();
    const int inside = inkIn(image, label->getViewSize());
    const int everywhere = inkIn(image, scene.frame->getViewSize());
    EXPECT_GT(inside, 20) << "picture: " << (image.writePNG(testFilePath(".png")), testFilePath(".png"));
    EXPECT_EQ(everywhere, inside) << "no ink outside the label";

    label->setFont(makeOwned<CFontDesc>("", 0.));  // no usable size: the system font's
    scene.render();
    EXPECT_GT(inkIn(image, label->getViewSize()), 20);

    label->setText("");
    scene.render();
    EXPECT_EQ(inkIn(image, scene.frame->getViewSize()), 0);
}

TEST(RenderedFrame, ADisplaysStyleLeavesOutItsTextOrEverything)
{
    struct Case {
        int32_t style;
        bool back;
        bool text;
    };
    const Case cases[] = {
        {CParamDisplay::kNoFrame, true, true},
        {CParamDisplay::kNoFrame | CParamDisplay::kNoTextStyle, true, false},
        {CParamDisplay::kNoDrawStyle, false, false},
    };
    const CColor back(255, 240, 160, 255);
    for (const Case& c : cases) {
        Scene scene({120, 60});
        CParamDisplay* views[] = {new CParamDisplay(CRect(10, 5, 110, 25)),
                                  new CTextLabel(CRect(10, 30, 110, 50), "Hello")};
        for (CParamDisplay* view : views) {
            view->setValue(0.5f);
            view->setStyle(c.style);
            view->setBackColor(back);
            view->setFontColor(kBlackCColor);
            scene.frame->addView(view);
        }
        COffscreenContext& image = scene.render();
        for (CParamDisplay* view : views) {
            const CRect area = view->getViewSize();
            const bool label = dynamic_cast<CTextLabel*>(view) != nullptr;
            EXPECT_EQ(inkIn(image, area) > 20, c.text) << "style " << c.style << (label ? ", label" : "");
            EXPECT_TRUE(
                pixelIs(image, int32_t(area.left) + 1, int32_t(area.top) + 1, c.back ? back : kWhiteCColor))
                << "style " << c.style << (label ? ", label" : "");
        }
    }
}

TEST(RenderedFrame, TwiceTheScaleDrawsTheSamePictureAtTwiceThePixels)
{
    const std::string png = writeTwoStatePng(testFilePath(".png"));
    auto bitmap = makeOwned<CBitmap>(CResourceDescription(png));
    Scene single({100, 80}), twice({100, 80}, 2.);
    for (Scene* scene : {&single, &twice}) {
        buildNestedScene(*scene);
        auto* button = new COnOffButton(CRect(40, 65, 44, 68), nullptr, 0, bitmap);
        button->setValue(1.f);
        scene->frame->addView(button);
    }
    const COffscreenContext& small = single.render();
    const COffscreenContext& large = twice.render();
    ASSERT_EQ(large.getPixelWidth(), 200);
    ASSERT_EQ(large.getPixelHeight(), 160);
    int mismatches = 0;
    for (int y = 0; y < small.getPixelHeight(); ++y)
        for (int x = 0; x < small.getPixelWidth(); ++x)
            for (int d = 0; d < 4; ++d)
                if (large.getPixel(2 * x + d % 2, 2 * y + d / 2) != small.getPixel(x, y) && mismatches++ == 0)
                    ADD_FAILURE() << "first difference at 1x pixel (" << x << ", " << y << ")";
    EXPECT_EQ(mismatches, 0);
    if (mismatches) {
        small.writePNG(testFilePath(".1x.png"));
        large.writePNG(testFilePath(".2x.png"));
    }
    std::remove(png.c_str());
}

}  // namespace
}  // namespace VSTGUI
