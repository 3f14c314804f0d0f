// The slider's layers on rendered pixels, and sizing to the background bitmap.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/slider/slidertesting.h"

namespace VSTGUI {
namespace {

constexpr CColor kBackdrop{0, 0, 64, 255};
constexpr CColor kValue{255, 255, 0, 255};
constexpr CColor kFrame{255, 0, 255, 255};
constexpr CColor kBack{0, 128, 0, 255};
constexpr int32_t kHL = CSliderBase::kHorizontal | CSliderBase::kLeft;
constexpr int32_t kVB = CSliderBase::kVertical | CSliderBase::kBottom;

// Every device pixel of `area` (points) is `inside` within `rect` and
// `outside` elsewhere; on the first that is not, the picture is kept as PNG.
testing::AssertionResult paints(const COffscreenContext& image, double scale, const CRect& area,
                                const CRect& rect, const CColor& inside, const CColor& outside)
{
    CRect pixels = area;
    pixels.left *= scale, pixels.top *= scale, pixels.right *= scale, pixels.bottom *= scale;
    for (int y = int(pixels.top); y < int(pixels.bottom); ++y) {
        for (int x = int(pixels.left); x < int(pixels.right); ++x) {
            const bool in = rect.pointInside(CPoint((x + .5) / scale, (y + .5) / scale));
            testing::AssertionResult result = pixelIs(image, x, y, in ? inside : outside);
            if (!result)
                return result;
        }
    }
    return testing::AssertionSuccess();
}

struct SliderPicture : HeadlessEditor {
    SliderPicture(int32_t style, const CRect& size, double scale = 1.) : HeadlessEditor(scale), scale(scale)
    {
        frame->setBackgroundColor(kBackdrop);
        slider = add(new CSlider(size, nullptr, 0, 0, 0, nullptr, nullptr, CPoint(), style));
        slider->setValueColor(kValue);
        slider->setFrameColor(kFrame);
        slider->setBackColor(kBack);
    }
    testing::AssertionResult shows(const CRect& rect, const CColor& inside, const CColor& outside = kBackdrop)
    {
        return paints(render(), scale, slider->getViewSize(), rect, inside, outside);
    }

    double scale;
    CSlider* slider = nullptr;
};

TEST(SliderDrawing, DrawStyleZeroPaintsNothingAndMarksTheViewClean)
{
    SliderPicture picture(kHL, CRect(10, 10, 110, 30));
    picture.render();
    picture.slider->setValue(.7f);
    EXPECT_TRUE(picture.slider->isDirty());
    picture.slider->invalidRect(picture.slider->getViewSize());
    EXPECT_TRUE(picture.shows(CRect(), kBackdrop));
    EXPECT_FALSE(picture.slider->isDirty());
}

struct BarCase {
    const char* name;
    int32_t style;
    int32_t drawStyle;
    float value;
    CRect bar;  // empty: no bar
};

void PrintTo(const BarCase& c, std::ostream* os)
{
    *os << c.name;
}

class ValueBar : public testing::TestWithParam<BarCase> {};

// Horizontal 100 x 20 at (10, 10); vertical 20 x 100 at (10, 10).
TEST_P(ValueBar, RunsFromItsStartToTheValue)
{
    const BarCase& c = GetParam();
    SliderPicture picture(
        c.style, c.style & CSliderBase::kHorizontal ? CRect(10, 10, 110, 30) : CRect(10, 10, 30, 110));
    picture.slider->setDrawStyle(c.drawStyle);
    picture.slider->setValue(c.value);
    EXPECT_TRUE(picture.shows(c.bar, kValue));
}

constexpr int32_t kValueBar = CSlider::kDrawValue;
constexpr int32_t kCentre = CSlider::kDrawValue | CSlider::kDrawValueFromCenter;
constexpr int32_t kInverted = CSlider::kDrawValue | CSlider::kDrawInverted;

INSTANTIATE_TEST_SUITE_P(
    Slider, ValueBar,
    testing::Values(
        BarCase{"fromLeft", kHL, kValueBar, .25f, {10, 10, 35, 30}},
        BarCase{"fromRight", kHL, kInverted, .25f, {85, 10, 110, 30}},
        BarCase{"fromBottom", kVB, kValueBar, .25f, {10, 85, 30, 110}},
        BarCase{"fromTop", kVB, kInverted, .25f, {10, 10, 30, 35}},
        // The direction bits of the style move the handle, not the bar.
        BarCase{
            "rightStyle", CSliderBase::kHorizontal | CSliderBase::kRight, kValueBar, .25f, {10, 10, 35, 30}},
        BarCase{"centreHalf", kHL, kCentre, .5f, {}},
        BarCase{"centreMax", kHL, kCentre, 1.f, {60, 10, 110, 30}},
        BarCase{"centreMin", kHL, kCentre, 0.f, {10, 10, 60, 30}},
        BarCase{"centreInverted", kHL, kCentre | CSlider::kDrawInverted, 1.f, {10, 10, 60, 30}},
        BarCase{"centreVerticalMax", kVB, kCentre, 1.f, {10, 60, 30, 110}},
        BarCase{"centreVerticalMin", kVB, kCentre, 0.f, {10, 10, 30, 60}},
        BarCase{"empty", kHL, kValueBar, 0.f, {}}, BarCase{"tooThin", kHL, kValueBar, .004f, {}},
        BarCase{"withoutValueBit", kHL, CSlider::kDrawValueFromCenter | CSlider::kDrawInverted, 1.f, {}}),
    [](const testing::TestParamInfo<BarCase>& info) { return info.param.name; });

TEST(SliderDrawing, FrameLiesOverTheBackAndTheBarInsideTheFrame)
{
    SliderPicture picture(kHL, CRect(10, 10, 110, 30));
    picture.slider->setDrawStyle(CSlider::kDrawFrame | CSlider::kDrawBack | CSlider::kDrawValue);
    picture.slider->setFrameWidth(2.);
    picture.slider->setValue(1.f);
    // The frame's path is inset by 1 and stroked 2 wide; the bar is inset by 2.
    EXPECT_TRUE(picture.shows(CRect(12, 12, 108, 28), kValue, kFrame));

    picture.slider->setValue(0.f);
    picture.slider->invalid();
    EXPECT_TRUE(picture.shows(CRect(12, 12, 108, 28), kBack, kFrame));
}

TEST(SliderDrawing, FrameWidthNegativeIsOneDevicePixelAndZeroIsNone)
{
    struct Case {
        CCoord width;
        double scale;
        int32_t ring;  // device pixels of frame colour at the view's edge
    };
    for (const Case& c : {Case{-1., 2., 1}, Case{-1., 1., 1}, Case{1., 2., 2}, Case{0., 1., 0}}) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " scale " << c.scale);
        SliderPicture picture(kHL, CRect(10, 10, 110, 30), c.scale);
        picture.slider->setDrawStyle(CSlider::kDrawFrame);
        picture.slider->setFrameWidth(c.width);
        const CCoord inset = c.ring / c.scale;
        EXPECT_TRUE(picture.shows(CRect(10, 10, 110, 30).inset(inset, inset), kBackdrop,
                                  c.ring ? kFrame : kBackdrop));
    }
}

TEST(SliderDrawing, HandleBitmapIsDrawnAtItsRectangleOnTop)
{
    SliderPicture picture(kHL, CRect(10, 10, 110, 30));
    picture.slider->setHandle(makeBitmap(10, 20, kRedCColor));
    picture.slider->setDrawStyle(CSlider::kDrawBack | CSlider::kDrawValue);
    for (float value : {0.f, .5f, 1.f}) {
        SCOPED_TRACE(value);
        picture.slider->setValue(value);
        picture.slider->invalid();
        const CRect handle = picture.slider->calculateHandleRect(value);
        EXPECT_EQ(handle, CRect(10 + 90 * value, 10, 20 + 90 * value, 30));
        COffscreenContext& image = picture.render();
        EXPECT_TRUE(paints(image, 1., handle, handle, kRedCColor, kRedCColor));
        if (value < 1.f) {  // right of the handle: the back
            EXPECT_TRUE(pixelIs(image, int(handle.right) + 1, 20, kBack));
        }
    }
}

TEST(SliderDrawing, BackgroundBitmapStartsAtTheOffset)
{
    SliderPicture picture(kHL, CRect(10, 10, 110, 30));
    picture.slider->setBackground(makeBitmap(120, 20, kGreenCColor, 10, kRedCColor));
    EXPECT_TRUE(picture.shows(CRect(10, 10, 20, 30), kRedCColor, kGreenCColor));
    picture.slider->setOffset(CPoint(10, 0));
    picture.slider->invalid();
    EXPECT_TRUE(picture.shows(CRect(), kRedCColor, kGreenCColor));
}

TEST(SliderSizing, SizeToFitTakesTheBackgroundBitmapsSize)
{
    SliderPicture picture(kHL, CRect(10, 10, 110, 30));
    EXPECT_FALSE(picture.slider->sizeToFit());
    EXPECT_EQ(picture.slider->getViewSize(), CRect(10, 10, 110, 30));

    picture.slider->setBackground(makeBitmap(150, 40));
    EXPECT_TRUE(picture.slider->sizeToFit());
    EXPECT_EQ(picture.slider->getViewSize(), CRect(10, 10, 160, 50));
    EXPECT_EQ(picture.slider->getMouseableArea(), CRect(10, 10, 160, 50));
    EXPECT_EQ(picture.slider->calculateHandleRect(1.f), CRect(159, 10, 160, 11)) << "the track follows";
}

}  // namespace
}  // namespace VSTGUI
