// The slider's state, modes and handle geometry, its construction, copy and
// appearance setters.
#include <gtest/gtest.h>

#include "tests/slider/slidertesting.h"

namespace VSTGUI {
namespace {

constexpr int32_t H = CSliderBase::kHorizontal;
constexpr int32_t V = CSliderBase::kVertical;

// Restores the process-wide mode after a test that changes it.
struct GlobalModeGuard {
    ~GlobalModeGuard() { CSliderBase::setGlobalMode(CSliderMode::TKFreeClick); }
};

TEST(SliderModes, NewSlidersFollowTheGlobalModeWhichStartsAsTKFreeClick)
{
    GlobalModeGuard guard;
    auto followsGlobal = makeOwned<CSlider>(CRect(0, 0, 100, 20), nullptr, 0, 0, 100, nullptr, nullptr,
                                            CPoint(), CSliderBase::kLeft | H);
    auto ownMode = makeOwned<CSlider>(CRect(0, 0, 100, 20), nullptr, 0, 0, 100, nullptr, nullptr, CPoint(),
                                      CSliderBase::kLeft | H);
    EXPECT_EQ(CSliderBase::getGlobalMode(), CSliderMode::TKFreeClick);
    EXPECT_EQ(followsGlobal->getSliderMode(), CSliderMode::UseGlobal);
    EXPECT_EQ(followsGlobal->getEffectiveSliderMode(), CSliderMode::TKFreeClick);

    ownMode->setSliderMode(CSliderMode::FreeClick);
    CSliderBase::setGlobalMode(CSliderMode::Ramp);
    EXPECT_EQ(followsGlobal->getEffectiveSliderMode(), CSliderMode::Ramp)
        << "existing sliders follow at once";
    EXPECT_EQ(followsGlobal->getSliderMode(), CSliderMode::UseGlobal);
    EXPECT_EQ(ownMode->getEffectiveSliderMode(), CSliderMode::FreeClick);

    AssertionRecorder assertions;
    CSliderBase::setGlobalMode(CSliderMode::UseGlobal);
    ASSERT_EQ(AssertionRecorder::reports().size(), 1u);
    EXPECT_EQ(AssertionRecorder::reports()[0].file, "vstgui/lib/controls/cslider");
    EXPECT_EQ(AssertionRecorder::reports()[0].description, "do not set the global mode to use global");
    EXPECT_EQ(CSliderBase::getGlobalMode(), CSliderMode::UseGlobal) << "stored after the report";
    EXPECT_EQ(followsGlobal->getEffectiveSliderMode(), CSliderMode::UseGlobal);
}

TEST(SliderStyle, NeitherOrBothOrientationsAreReportedAndStored)
{
    AssertionRecorder assertions;
    auto slider = makeOwned<TestSlider>(CRect(0, 0, 100, 100), nullptr, 0, CPoint(), 100, nullptr, nullptr,
                                        CPoint(), H);
    EXPECT_TRUE(AssertionRecorder::reports().empty());

    struct Case {
        int32_t style;
        bool reported;
        bool horizontal;
    };
    for (const Case& c :
         {Case{0, true, false}, Case{H | V, true, true}, Case{V | CSliderBase::kTop, false, false},
          Case{H | CSliderBase::kRight, false, true}}) {
        SCOPED_TRACE(c.style);
        AssertionRecorder::reports().clear();
        slider->setStyle(c.style);
        EXPECT_EQ(slider->getStyle(), c.style);
        ASSERT_EQ(AssertionRecorder::reports().size(), c.reported ? 1u : 0u);
        if (c.reported) {
            EXPECT_EQ(AssertionRecorder::reports()[0].file, "vstgui/lib/controls/cslider");
            EXPECT_EQ(AssertionRecorder::reports()[0].description, "(none)");
        }
        EXPECT_EQ(slider->isStyleHorizontal(), c.horizontal);
        // The axis a resize measures follows the style.
        slider->setViewSize(CRect(0, 0, 100, 50));
        EXPECT_EQ(
            slider->calculateHandleRect(c.style & (CSliderBase::kRight | CSliderBase::kBottom) ? 0.f : 1.f),
            c.horizontal ? CRect(99, 0, 100, 1) : CRect(0, 49, 1, 50));
    }

    AssertionRecorder::reports().clear();
    auto both = makeOwned<CVerticalSlider>(CRect(0, 0, 20, 100), nullptr, 0, 0, 100, nullptr, nullptr,
                                           CPoint(), H | CSliderBase::kBottom);
    EXPECT_EQ(both->getStyle(), H | V | CSliderBase::kBottom) << "the other orientation bit is not cleared";
    EXPECT_EQ(AssertionRecorder::reports().size(), 1u);
}

TEST(SliderStyle, InverseStyleIsRightForHorizontalAndTopOtherwise)
{
    auto slider = makeOwned<CSlider>(CRect(0, 0, 100, 20), nullptr, 0, 0, 100, nullptr, nullptr, CPoint(), H);
    struct Case {
        int32_t style;
        bool inverse;
    };
    for (const Case& c : {Case{H | CSliderBase::kRight, true}, Case{H | CSliderBase::kLeft, false},
                          Case{H | CSliderBase::kTop, false}, Case{V | CSliderBase::kTop, true},
                          Case{V | CSliderBase::kBottom, false}, Case{V | CSliderBase::kRight, false}}) {
        slider->setStyle(c.style);
        EXPECT_EQ(slider->isInverseStyle(), c.inverse) << c.style;
    }
}

// The handle rectangle for a value, after the view was given its size.
struct HandleCase {
    const char* name;
    int32_t style;
    CRect view;
    CPoint handle;  // bitmap size; (0, 0) for none
    CPoint offset;
    float value;
    CRect expected;
};

void PrintTo(const HandleCase& c, std::ostream* os)
{
    *os << c.name;
}

class HandleRect : public testing::TestWithParam<HandleCase> {};

TEST_P(HandleRect, FollowsValueDirectionAndTrack)
{
    const HandleCase& c = GetParam();
    SharedPointer<CBitmap> bitmap = c.handle.x > 0 ? makeBitmap(int(c.handle.x), int(c.handle.y)) : nullptr;
    auto slider = makeOwned<CSlider>(c.view, nullptr, 0, 0, 0, bitmap, nullptr, CPoint(), c.style);
    slider->setOffsetHandle(c.offset);
    slider->setViewSize(c.view);
    EXPECT_EQ(slider->calculateHandleRect(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Slider, HandleRect,
    testing::Values(
        // 200 x 20 at (10, 5), handle 20 x 20, offset (2, 0): range 176, bounds 2 .. 198.
        HandleCase{"min", H | CSliderBase::kLeft, {10, 5, 210, 25}, {20, 20}, {2, 0}, 0.f, {12, 5, 32, 25}},
        HandleCase{"max", H | CSliderBase::kLeft, {10, 5, 210, 25}, {20, 20}, {2, 0}, 1.f, {188, 5, 208, 25}},
        HandleCase{
            "half", H | CSliderBase::kLeft, {10, 5, 210, 25}, {20, 20}, {2, 0}, .5f, {100, 5, 120, 25}},
        HandleCase{
            "rightMin", H | CSliderBase::kRight, {10, 5, 210, 25}, {20, 20}, {2, 0}, 0.f, {188, 5, 208, 25}},
        // Vertical 20 x 100, handle 20 x 10: range 90.
        HandleCase{
            "bottomMin", V | CSliderBase::kBottom, {10, 5, 30, 105}, {20, 10}, {}, 0.f, {10, 95, 30, 105}},
        HandleCase{
            "bottomMax", V | CSliderBase::kBottom, {10, 5, 30, 105}, {20, 10}, {}, 1.f, {10, 5, 30, 15}},
        HandleCase{"topMin", V | CSliderBase::kTop, {10, 5, 30, 105}, {20, 10}, {}, 0.f, {10, 5, 30, 15}},
        HandleCase{"verticalRightBit",
                   V | CSliderBase::kRight,
                   {10, 5, 30, 105},
                   {20, 10},
                   {},
                   0.f,
                   {10, 95, 30, 105}},
        // The product is floored: 0.25 x 90 = 22.5 gives 22.
        HandleCase{"floored", V | CSliderBase::kTop, {0, 0, 20, 100}, {20, 10}, {}, .25f, {0, 22, 20, 32}},
        // The offset along the other axis moves the handle across the track.
        HandleCase{"across", H | CSliderBase::kLeft, {0, 0, 100, 30}, {10, 10}, {0, 7}, 0.f, {0, 7, 10, 17}},
        // A handle longer than the view: negative range, spans the bounds for every value.
        HandleCase{"tooLongMin", H | CSliderBase::kLeft, {0, 0, 10, 20}, {20, 20}, {}, 0.f, {0, 0, 10, 20}},
        HandleCase{"tooLongMax", H | CSliderBase::kLeft, {0, 0, 10, 20}, {20, 20}, {}, 1.f, {0, 0, 10, 20}},
        // Zero-sized view, no handle bitmap.
        HandleCase{"empty", H | CSliderBase::kLeft, {0, 0, 0, 0}, {}, {}, 1.f, {0, 0, 0, 1}},
        HandleCase{
            "nan", H | CSliderBase::kLeft, {0, 0, 100, 10}, {10, 10}, {}, std::nanf(""), {0, 0, 10, 10}}),
    [](const testing::TestParamInfo<HandleCase>& info) { return info.param.name; });

TEST(SliderTrack, ExplicitPositionsAndRangeReplaceWhatTheHandleDerives)
{
    auto handle20x10 = makeBitmap(20, 10);

    // By positions: the track from 30 to 150 on a view at x 10, not the view-derived one.
    auto byPositions =
        makeOwned<TestSlider>(CRect(10, 0, 210, 20), nullptr, 0, 30, 150, handle20x10, nullptr, CPoint(), H);
    EXPECT_EQ(byPositions->getHandleSizePrivate(), CPoint(20, 10));
    EXPECT_EQ(byPositions->getHandleMinPosPrivate(), 20);
    EXPECT_EQ(byPositions->calculateHandleRect(1.f), CRect(130, 0, 150, 10)) << "range 120";
    // The minimum position limits the near edge: floor(0.1 x 120) = 12 lies below 20.
    EXPECT_EQ(byPositions->calculateHandleRect(.1f), CRect(30, 0, 50, 10));
    EXPECT_TRUE(byPositions->wantsFocus());

    // By offset and range: range 100 less the 20-wide handle.
    auto byRange = makeOwned<TestSlider>(CRect(10, 0, 210, 20), nullptr, 0, CPoint(3, 4), 100, handle20x10,
                                         nullptr, CPoint(), H);
    EXPECT_EQ(byRange->getOffsetHandle(), CPoint(3, 4));
    EXPECT_EQ(byRange->getHandleMinPosPrivate(), 0);
    EXPECT_EQ(byRange->calculateHandleRect(1.f), CRect(93, 4, 113, 14)) << "range 80 from the offset";
    // Without a bitmap the handle is one point: 100 - 1 = 99, and 0.5 x 99 floors to 49.
    auto thin =
        makeOwned<TestSlider>(CRect(0, 0, 200, 20), nullptr, 0, CPoint(), 100, nullptr, nullptr, CPoint(), H);
    EXPECT_EQ(thin->calculateHandleRect(.5f), CRect(49, 0, 50, 1));

    // A later handle bitmap replaces the explicit positions with the view-derived track.
    byPositions->setHandle(makeBitmap(10, 10));
    EXPECT_EQ(byPositions->getHandleMinPosPrivate(), 0);
    EXPECT_EQ(byPositions->calculateHandleRect(1.f), CRect(200, 0, 210, 10)) << "range 200 - 10";

    // Without a handle: one point square, the range stays.
    byPositions->setHandle(nullptr);
    EXPECT_EQ(byPositions->getHandleSizePrivate(), CPoint(1, 1));
    EXPECT_EQ(byPositions->calculateHandleRect(1.f), CRect(200, 0, 201, 1));
}

TEST(SliderHandle, HoldsOneReferenceToItsBitmap)
{
    auto bitmap = makeBitmap(8, 8);
    auto slider = makeOwned<CSlider>(CRect(0, 0, 100, 8), nullptr, 0, 0, 0, bitmap, nullptr, CPoint(), H);
    EXPECT_EQ(bitmap->getNbReference(), 2);
    slider->setHandle(bitmap);
    EXPECT_EQ(bitmap->getNbReference(), 2) << "the same bitmap again";
    EXPECT_EQ(slider->getHandle(), bitmap.get());

    SharedPointer<CView> copy = owned(slider->newCopy());
    EXPECT_EQ(bitmap->getNbReference(), 3) << "the copy shares it";
    slider->setHandle(nullptr);
    EXPECT_EQ(bitmap->getNbReference(), 2);
    copy = nullptr;
    EXPECT_EQ(bitmap->getNbReference(), 1);
}

TEST(SliderConstruction, TheCreatorsFormHasTheDefaults)
{
    auto slider = makeOwned<TestSlider>(CRect(0, 0, 0, 0), nullptr, -1, 0, 0, nullptr, nullptr, CPoint(),
                                        CSliderBase::kLeft | H);
    EXPECT_EQ(slider->getHandleMinPosPrivate(), 0);
    EXPECT_EQ(slider->getHandleSizePrivate(), CPoint(1, 1));
    EXPECT_EQ(slider->calculateHandleRect(1.f), CRect(0, 0, 1, 1)) << "range 0";
    EXPECT_EQ(slider->getOffsetHandle(), CPoint(0, 0));
    EXPECT_EQ(slider->getZoomFactor(), 10.f);
    EXPECT_EQ(slider->getSliderMode(), CSliderMode::UseGlobal);
    EXPECT_EQ(slider->getFrameWidth(), 1.);
    EXPECT_EQ(slider->getDrawStyle(), 0);
    EXPECT_EQ(slider->getFrameColor(), CColor(127, 127, 127, 255));
    EXPECT_EQ(slider->getBackColor(), CColor(0, 0, 0, 255));
    EXPECT_EQ(slider->getValueColor(), CColor(255, 255, 255, 255));
    EXPECT_EQ(slider->getOffset(), CPoint(0, 0));
    EXPECT_EQ(slider->getHandle(), nullptr);
    EXPECT_EQ(slider->getTag(), -1);
    EXPECT_TRUE(slider->wantsFocus());
}

TEST(SliderCopy, IsAPlainSliderWithEveryPropertyOfTheSource)
{
    auto handle = makeBitmap(10, 10);
    auto background = makeBitmap(20, 100);
    auto source = makeOwned<CVerticalSlider>(CRect(5, 5, 25, 105), nullptr, 7, CPoint(1, 2), 90, handle,
                                             background, CPoint(3, 4), CSliderBase::kBottom);
    source->setDrawStyle(CSlider::kDrawBack | CSlider::kDrawValue);
    source->setFrameWidth(2.5);
    source->setFrameColor(kRedCColor);
    source->setBackColor(kGreenCColor);
    source->setValueColor(kBlueCColor);
    source->setSliderMode(CSliderMode::Ramp);
    source->setZoomFactor(4.f);
    source->setValue(.25f);

    SharedPointer<CView> view = owned(source->newCopy());
    auto* copy = dynamic_cast<CSlider*>(view.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(dynamic_cast<CVerticalSlider*>(view.get()), nullptr);
    EXPECT_EQ(copy->getStyle(), V | CSliderBase::kBottom);
    EXPECT_EQ(copy->getHandle(), handle.get());
    EXPECT_EQ(copy->getBackground(), background.get());
    EXPECT_EQ(copy->getDrawStyle(), CSlider::kDrawBack | CSlider::kDrawValue);
    EXPECT_EQ(copy->getFrameWidth(), 2.5);
    EXPECT_EQ(copy->getFrameColor(), kRedCColor);
    EXPECT_EQ(copy->getBackColor(), kGreenCColor);
    EXPECT_EQ(copy->getValueColor(), kBlueCColor);
    EXPECT_EQ(copy->getOffset(), CPoint(3, 4));
    EXPECT_EQ(copy->getOffsetHandle(), CPoint(1, 2));
    EXPECT_EQ(copy->getSliderMode(), CSliderMode::Ramp);
    EXPECT_EQ(copy->getZoomFactor(), 4.f);
    EXPECT_EQ(copy->getTag(), 7);
    EXPECT_EQ(copy->getValue(), .25f);
    for (float value : {0.f, .5f, 1.f})
        EXPECT_EQ(copy->calculateHandleRect(value), source->calculateHandleRect(value));
}

TEST(SliderAppearance, SettersInvalidateOnlyOnAChange)
{
    HeadlessEditor editor;
    auto* slider =
        editor.add(new CSlider(CRect(10, 10, 110, 30), nullptr, 0, 0, 0, nullptr, nullptr, CPoint(), H));
    const auto invalidatedBy = [&](auto&& change) {
        editor.render();
        change();
        return !editor.frame->getDirtyRects().empty();
    };
    const CColor grey = slider->getFrameColor();
    EXPECT_FALSE(invalidatedBy([&] { slider->setFrameColor(grey); }));
    EXPECT_TRUE(invalidatedBy([&] { slider->setFrameColor(CColor(grey.red, grey.green, grey.blue, 254)); }));
    EXPECT_FALSE(invalidatedBy([&] { slider->setBackColor(slider->getBackColor()); }));
    EXPECT_TRUE(invalidatedBy([&] { slider->setBackColor(kRedCColor); }));
    EXPECT_FALSE(invalidatedBy([&] { slider->setValueColor(slider->getValueColor()); }));
    EXPECT_TRUE(invalidatedBy([&] { slider->setValueColor(kRedCColor); }));
    EXPECT_FALSE(invalidatedBy([&] { slider->setDrawStyle(0); }));
    EXPECT_TRUE(invalidatedBy([&] { slider->setDrawStyle(CSlider::kDrawFrame); }));
    EXPECT_FALSE(invalidatedBy([&] { slider->setFrameWidth(1.); }));
    EXPECT_TRUE(invalidatedBy([&] { slider->setFrameWidth(-1.); }));
    EXPECT_FALSE(invalidatedBy([&] { slider->setOffset(CPoint(5, 5)); }));
    EXPECT_EQ(slider->getOffset(), CPoint(5, 5));
}

}  // namespace
}  // namespace VSTGUI
