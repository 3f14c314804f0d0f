// The "CSlider" view creators: registration, the attributes they apply and
// write back, their names, types and list values, and odd attribute texts.
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <utility>

#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uidescription.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "tests/slider/slidertesting.h"
#include "vstgui/uidescription/viewcreator/slidercreator.h"

namespace VSTGUI {
namespace {

using Attributes = std::initializer_list<std::pair<const char*, const char*>>;

UIAttributes makeAttributes(Attributes attributes)
{
    UIAttributes result;
    for (const auto& [name, text] : attributes)
        result.setAttribute(name, text);
    return result;
}

constexpr int32_t kH = CSliderBase::kHorizontal;
constexpr int32_t kV = CSliderBase::kVertical;

// The creator registered under "CSlider", and a description that names one
// bitmap ("knob") and one colour ("accent").
class SliderCreatorTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        knobFile = tempFileName("knob");
        writePNG(testing::TempDir() + knobFile, 10, 20, kRedCColor);
        const std::string xml = R"(<vstgui-ui-description version="1">
              <bitmaps><bitmap name="knob" path=")" +
            knobFile + R"("/></bitmaps>
              <colors><color name="accent" rgba="#ff804020"/></colors>
            </vstgui-ui-description>)";
        description = new UIDescription(xml, testing::TempDir());
        ASSERT_TRUE(description->parse()) << description->getParseError();
    }
    static void TearDownTestSuite()
    {
        description->forget();
        std::remove((testing::TempDir() + knobFile).c_str());
    }

    SharedPointer<CSlider> create()
    {
        CView* view = creator->create(UIAttributes(), description);
        EXPECT_NE(dynamic_cast<CSlider*>(view), nullptr);
        return owned(static_cast<CSlider*>(view));
    }
    bool apply(CView* view, Attributes attributes)
    {
        return creator->apply(view, makeAttributes(attributes), description);
    }
    std::string valueOf(CView* view, const std::string& name, std::string text = "(unchanged)")
    {
        const bool answered = creator->getAttributeValue(view, name, text, description);
        return answered ? text : "(false) " + text;
    }

    const IViewCreator* creator = UIViewFactory::getViewCreator("CSlider");
    static inline std::string knobFile;
    static inline UIDescription* description = nullptr;
};

TEST_F(SliderCreatorTest, IsRegisteredUnderCSliderAndCreatesADefaultSlider)
{
    ASSERT_NE(creator, nullptr);
    EXPECT_NE(dynamic_cast<const UIViewCreator::SliderCreator*>(creator), nullptr);
    EXPECT_STREQ(creator->getViewName(), "CSlider");
    EXPECT_STREQ(creator->getBaseViewName(), "CControl");
    EXPECT_STREQ(creator->getDisplayName(), "Slider");

    SharedPointer<CSlider> slider = create();
    EXPECT_EQ(slider->getStyle(), CSliderBase::kLeft | kH);
    EXPECT_EQ(slider->getSliderMode(), CSliderMode::UseGlobal);
    EXPECT_EQ(slider->getTag(), -1);
    EXPECT_EQ(slider->getViewSize(), CRect());
    EXPECT_EQ(slider->getListener(), nullptr);
    EXPECT_EQ(slider->getHandle(), nullptr);
}

struct ModeCase {
    const char* name;
    const char* freeClick;  // null: absent
    const char* mode;       // null: absent
    CSliderMode expected;   // from RelativeTouch
};

void PrintTo(const ModeCase& c, std::ostream* os)
{
    *os << c.name;
}

class SliderModeAttribute : public SliderCreatorTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(SliderModeAttribute, MatchesTheWholeTextOrLeavesTheMode)
{
    const ModeCase& c = GetParam();
    SharedPointer<CSlider> slider = create();
    slider->setSliderMode(CSliderMode::RelativeTouch);
    UIAttributes attributes = makeAttributes({{"zoom-factor", "3"}});
    if (c.freeClick)
        attributes.setAttribute("free-click", c.freeClick);
    if (c.mode)
        attributes.setAttribute("mode", c.mode);
    EXPECT_TRUE(creator->apply(slider, attributes, description));
    EXPECT_EQ(slider->getSliderMode(), c.expected);
    EXPECT_EQ(slider->getZoomFactor(), 3.f) << "the other attributes still apply";
}

INSTANTIATE_TEST_SUITE_P(
    Slider, SliderModeAttribute,
    testing::Values(ModeCase{"touch", nullptr, "touch", CSliderMode::Touch},
                    ModeCase{"relativeTouch", nullptr, "relative touch", CSliderMode::RelativeTouch},
                    ModeCase{"freeClick", nullptr, "free click", CSliderMode::FreeClick},
                    ModeCase{"tkFreeClick", nullptr, "TK free click", CSliderMode::TKFreeClick},
                    ModeCase{"ramp", nullptr, "ramp", CSliderMode::Ramp},
                    ModeCase{"useGlobal", nullptr, "use global", CSliderMode::UseGlobal},
                    ModeCase{"capitalised", nullptr, "Ramp", CSliderMode::RelativeTouch},
                    ModeCase{"trailingBlank", nullptr, "ramp ", CSliderMode::RelativeTouch},
                    ModeCase{"empty", nullptr, "", CSliderMode::RelativeTouch},
                    ModeCase{"absent", nullptr, nullptr, CSliderMode::RelativeTouch},
                    ModeCase{"freeClickTrue", "true", nullptr, CSliderMode::FreeClick},
                    ModeCase{"freeClickOther", "yes", nullptr, CSliderMode::Touch},
                    ModeCase{"modeWins", "true", "ramp", CSliderMode::Ramp},
                    ModeCase{"unknownModeKeepsFreeClick", "true", "bogus", CSliderMode::FreeClick}),
    [](const testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

struct StyleCase {
    int32_t start;
    const char* orientation;  // null: absent
    const char* reverse;      // null: absent
    int32_t expected;
};

void PrintTo(const StyleCase& c, std::ostream* os)
{
    *os << "from " << c.start << " orientation " << (c.orientation ? c.orientation : "-") << " reverse "
        << (c.reverse ? c.reverse : "-");
}

class SliderOrientationAttributes : public SliderCreatorTest,
                                    public testing::WithParamInterface<StyleCase> {};

TEST_P(SliderOrientationAttributes, SetTheAxisThenTheDirection)
{
    const StyleCase& c = GetParam();
    SharedPointer<CSlider> slider = create();
    slider->setStyle(c.start);
    UIAttributes attributes;
    if (c.orientation)
        attributes.setAttribute("orientation", c.orientation);
    if (c.reverse)
        attributes.setAttribute("reverse-orientation", c.reverse);
    EXPECT_TRUE(creator->apply(slider, attributes, description));
    EXPECT_EQ(slider->getStyle(), c.expected);
}

constexpr int32_t kLeft = CSliderBase::kLeft;
constexpr int32_t kRight = CSliderBase::kRight;
constexpr int32_t kTop = CSliderBase::kTop;
constexpr int32_t kBottom = CSliderBase::kBottom;

INSTANTIATE_TEST_SUITE_P(Slider, SliderOrientationAttributes,
                         testing::Values(StyleCase{kLeft | kH, "vertical", nullptr, kLeft | kV},
                                         StyleCase{kLeft | kH, "vertical", "true", kLeft | kV | kTop},
                                         StyleCase{kLeft | kH, "vertical", "false", kLeft | kV | kBottom},
                                         StyleCase{kLeft | kH, "Vertical", nullptr, kLeft | kH},
                                         StyleCase{kLeft | kV, "", nullptr, kLeft | kH},
                                         StyleCase{kLeft | kV, "horizontal", "true", kRight | kH},
                                         StyleCase{kLeft | kH, nullptr, "true", kRight | kH},
                                         StyleCase{kRight | kH, nullptr, "TRUE", kLeft | kH},
                                         StyleCase{kTop | kV, nullptr, "false", kBottom | kV},
                                         StyleCase{kBottom | kV, nullptr, "true", kTop | kV},
                                         StyleCase{kBottom, nullptr, "true", kBottom}));

TEST_F(SliderCreatorTest, AppliedAttributesReadBackAsTheirTexts)
{
    SharedPointer<CSlider> slider = create();
    const std::pair<const char*, const char*> roundTrip[] = {
        {"mode", "ramp"},
        {"orientation", "vertical"},
        {"reverse-orientation", "true"},
        {"handle-offset", "3, 4.5"},
        {"zoom-factor", "2.5"},
        {"handle-bitmap", "knob"},
        {"bitmap-offset", "1.5, 2"},
        {"draw-frame", "true"},
        {"draw-back", "false"},
        {"draw-value", "true"},
        {"draw-value-from-center", "true"},
        {"draw-value-inverted", "false"},
        {"frame-width", "2.25"},
        {"draw-frame-color", "accent"},
        {"draw-back-color", "#10203040"},
        {"draw-value-color", "#00ff00ff"},
    };
    UIAttributes attributes;
    for (const auto& [name, text] : roundTrip)
        attributes.setAttribute(name, text);
    EXPECT_TRUE(creator->apply(slider, attributes, description));
    for (const auto& [name, text] : roundTrip)
        EXPECT_EQ(valueOf(slider, name), text) << name;

    EXPECT_EQ(slider->getSliderMode(), CSliderMode::Ramp);
    EXPECT_EQ(slider->getStyle(), kLeft | kV | kTop);
    EXPECT_EQ(slider->getOffsetHandle(), CPoint(3, 4.5));
    EXPECT_EQ(slider->getZoomFactor(), 2.5f);
    EXPECT_EQ(slider->getHandle(), description->getBitmap("knob"));
    EXPECT_EQ(slider->getOffset(), CPoint(1.5, 2));
    EXPECT_EQ(slider->getDrawStyle(),
              CSlider::kDrawFrame | CSlider::kDrawValue | CSlider::kDrawValueFromCenter);
    EXPECT_EQ(slider->getFrameWidth(), 2.25);
    EXPECT_EQ(slider->getFrameColor(), CColor(255, 128, 64, 32));
    EXPECT_EQ(slider->getBackColor(), CColor(16, 32, 48, 64));
    EXPECT_EQ(slider->getValueColor(), kGreenCColor);
}

TEST_F(SliderCreatorTest, ACreatedSliderWritesBackItsDefaults)
{
    SharedPointer<CSlider> slider = create();
    const std::pair<const char*, const char*> defaults[] = {
        {"mode", "use global"},
        {"orientation", "horizontal"},
        {"reverse-orientation", "false"},
        {"handle-offset", "0, 0"},
        {"zoom-factor", "10"},
        {"bitmap-offset", "0, 0"},
        {"draw-frame", "false"},
        {"draw-back", "false"},
        {"draw-value", "false"},
        {"draw-value-from-center", "false"},
        {"draw-value-inverted", "false"},
        {"frame-width", "1"},
        {"draw-frame-color", "#7f7f7fff"},
        {"draw-back-color", "#000000ff"},
        {"draw-value-color", "#ffffffff"},
        {"handle-bitmap", "(unchanged)"},  // no handle: answered, text left as it was
        {"free-click", "(false) (unchanged)"},
        {"size", "(false) (unchanged)"},
    };
    for (const auto& [name, text] : defaults)
        EXPECT_EQ(valueOf(slider, name), text) << name;

    slider->setStyle(kH | kRight);
    EXPECT_EQ(valueOf(slider, "reverse-orientation"), "true");
    slider->setZoomFactor(.1f);
    EXPECT_EQ(valueOf(slider, "zoom-factor"), "0.1");
    for (int32_t stored : {6, 9, -1}) {
        slider->setSliderMode(static_cast<CSliderMode>(stored));
        EXPECT_EQ(valueOf(slider, "mode"), "(false) (unchanged)")
            << "only the six modes have a text: " << stored;
    }
}

TEST_F(SliderCreatorTest, TextsThatDoNotParseLeaveThePropertyAlone)
{
    SharedPointer<CSlider> slider = create();
    slider->setHandle(description->getBitmap("knob"));
    slider->setDrawStyle(CSlider::kDrawBack);
    EXPECT_TRUE(apply(slider,
                      {{"handle-offset", "1"},
                       {"bitmap-offset", "a, b"},
                       {"zoom-factor", "fast"},
                       {"frame-width", ""},
                       {"draw-back-color", "no such colour"},
                       {"draw-value-color", "~ NoSuchCColor"}}));
    EXPECT_EQ(slider->getOffsetHandle(), CPoint());
    EXPECT_EQ(slider->getOffset(), CPoint());
    EXPECT_EQ(slider->getZoomFactor(), 10.f);
    EXPECT_EQ(slider->getFrameWidth(), 1.);
    EXPECT_EQ(slider->getBackColor(), kBlackCColor);
    EXPECT_EQ(slider->getValueColor(), kWhiteCColor);
    EXPECT_EQ(slider->getDrawStyle(), CSlider::kDrawBack) << "absent bits stay";

    EXPECT_TRUE(apply(slider, {{"draw-back", "TRUE"}, {"draw-frame-color", ""}, {"zoom-factor", "-2"}}));
    EXPECT_EQ(slider->getDrawStyle(), 0) << "any text but \"true\" clears the bit";
    EXPECT_EQ(slider->getFrameColor(), CColor(255, 255, 255, 0));
    EXPECT_EQ(slider->getZoomFactor(), -2.f) << "stored as given";

    EXPECT_TRUE(apply(slider, {{"handle-bitmap", "no such bitmap"}}));
    EXPECT_EQ(slider->getHandle(), nullptr);
    slider->setHandle(description->getBitmap("knob"));
    EXPECT_TRUE(apply(slider, {{"handle-bitmap", ""}}));
    EXPECT_EQ(slider->getHandle(), nullptr);
}

TEST_F(SliderCreatorTest, NamesTypesAndListValues)
{
    IViewCreator::StringList names{"earlier"};
    EXPECT_TRUE(creator->getAttributeNames(names));
    const IViewCreator::StringList expected{"earlier",
                                            "mode",
                                            "orientation",
                                            "reverse-orientation",
                                            "handle-offset",
                                            "zoom-factor",
                                            "handle-bitmap",
                                            "bitmap-offset",
                                            "draw-frame",
                                            "draw-back",
                                            "draw-value",
                                            "draw-value-from-center",
                                            "draw-value-inverted",
                                            "frame-width",
                                            "draw-frame-color",
                                            "draw-back-color",
                                            "draw-value-color"};
    EXPECT_EQ(names, expected);

    const std::pair<const char*, IViewCreator::AttrType> types[] = {
        {"mode", IViewCreator::kListType},
        {"orientation", IViewCreator::kListType},
        {"reverse-orientation", IViewCreator::kBooleanType},
        {"handle-offset", IViewCreator::kPointType},
        {"zoom-factor", IViewCreator::kFloatType},
        {"handle-bitmap", IViewCreator::kBitmapType},
        {"bitmap-offset", IViewCreator::kPointType},
        {"draw-frame", IViewCreator::kBooleanType},
        {"draw-value-inverted", IViewCreator::kBooleanType},
        {"frame-width", IViewCreator::kFloatType},
        {"draw-frame-color", IViewCreator::kColorType},
        {"draw-value-color", IViewCreator::kColorType},
        {"free-click", IViewCreator::kUnknownType},
        {"size", IViewCreator::kUnknownType},
    };
    for (const auto& [name, type] : types)
        EXPECT_EQ(creator->getAttributeType(name), type) << name;

    double low = 0., high = 0.;
    EXPECT_FALSE(creator->getAttributeValueRange("zoom-factor", low, high));

    IViewCreator::ConstStringPtrList values;
    EXPECT_TRUE(creator->getPossibleListValues("mode", values));
    EXPECT_TRUE(creator->getPossibleListValues("mode", values));
    ASSERT_EQ(values.size(), 12u);
    std::vector<std::string> texts;
    for (const std::string* text : values)
        texts.push_back(*text);
    EXPECT_EQ(texts[3], "TK free click");
    EXPECT_EQ(texts[4], "ramp");
    EXPECT_EQ(texts[5], "use global");
    EXPECT_EQ(texts[6], "touch");

    values.clear();
    EXPECT_TRUE(creator->getPossibleListValues("orientation", values));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(*values.front(), "horizontal");
    EXPECT_FALSE(creator->getPossibleListValues("draw-back", values));
    EXPECT_EQ(values.size(), 2u);
}

TEST_F(SliderCreatorTest, OtherViewsAreLeftAlone)
{
    auto label = makeOwned<CTextLabel>(CRect(0, 0, 10, 10), "title");
    for (CView* view : {static_cast<CView*>(label.get()), static_cast<CView*>(nullptr)}) {
        EXPECT_FALSE(apply(view, {{"mode", "ramp"}, {"draw-back", "true"}}));
        EXPECT_EQ(valueOf(view, "mode"), "(false) (unchanged)");
        EXPECT_EQ(valueOf(view, "draw-back"), "(false) (unchanged)");
    }
}

// Any text under any of the slider's attribute names: nothing breaks, and the
// slider still reads back a text for each of them.
TEST_F(SliderCreatorTest, AnyAttributeTextIsSafe)
{
    const char* names[] = {"mode",
                           "free-click",
                           "orientation",
                           "reverse-orientation",
                           "handle-offset",
                           "zoom-factor",
                           "handle-bitmap",
                           "bitmap-offset",
                           "draw-frame",
                           "draw-back",
                           "draw-value",
                           "draw-value-from-center",
                           "draw-value-inverted",
                           "frame-width",
                           "draw-frame-color",
                           "draw-back-color",
                           "draw-value-color"};
    const std::string texts[] = {"",
                                 " ",
                                 "true",
                                 "nan",
                                 "inf",
                                 "1e400",
                                 "-1e400",
                                 "1, 2, 3",
                                 "1,",
                                 ",",
                                 "#",
                                 "#zzzzzzzz",
                                 "~ ",
                                 "knob",
                                 std::string("tr\0ue", 5),
                                 "\xff\xfe",
                                 std::string(10000, '9'),
                                 "-0",
                                 "1e-320, 5"};
    SharedPointer<CSlider> slider = create();
    for (const char* name : names) {
        for (const std::string& text : texts) {
            UIAttributes attributes;
            attributes.setAttribute(name, text);
            EXPECT_TRUE(creator->apply(slider, attributes, description));
            EXPECT_TRUE(std::isfinite(slider->getZoomFactor()));
            EXPECT_TRUE(std::isfinite(slider->getFrameWidth()));
            EXPECT_TRUE(std::isfinite(slider->getOffsetHandle().x) && std::isfinite(slider->getOffset().y));
        }
    }
    IViewCreator::StringList all;
    creator->getAttributeNames(all);
    for (const std::string& name : all) {
        std::string text;
        EXPECT_TRUE(creator->getAttributeValue(slider, name, text, description)) << name;
    }
}

}  // namespace
}  // namespace VSTGUI
