#include <gtest/gtest.h>

#include <cairo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cfont.h"
#include "sdk/vstgui/lib/cframe.h"
#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/lib/cviewcontainer.h"
#include "sdk/vstgui/lib/platform/headless/headlessframe.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uidescription.h"
#include "sdk/vstgui/uidescription/uidescriptionreader.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "tests/support/hang_guard.h"
#include "tests/vstgui_lib/vstguitesting.h"

namespace VSTGUI {
namespace {

constexpr const char* kResources = R"(
  <bitmaps><bitmap name="switch" path="switch.png"/></bitmaps>
  <fonts><font name="label" font-name="DejaVu Sans" size="11" bold="true"/></fonts>
  <colors>
    <color name="panel" rgba="#202428ff"/>
    <color name="text" rgba="#e6e6e6ff"/>
  </colors>
  <control-tags>
    <control-tag name="Bypass" tag="0"/>
    <control-tag name="Level" tag="1"/>
  </control-tags>)";

std::string describe(const std::string& templates)
{
    return std::string("<vstgui-ui-description version=\"1\">") + kResources + templates +
        "</vstgui-ui-description>";
}

SharedPointer<UIDescription> parsed(const std::string& xml)
{
    auto description = makeOwned<UIDescription>(xml, "/nonexistent");
    EXPECT_TRUE(description->parse()) << description->getParseError();
    return description;
}

template <class T>
T* child(CView* parent, uint32_t index)
{
    auto* container = dynamic_cast<CViewContainer*>(parent);
    return container ? dynamic_cast<T*>(container->getView(index)) : nullptr;
}

const std::string kEditor = describe(R"(
  <template name="view" size="400, 200" minSize="300, 150" maxSize="800, 400" background-color="panel">
    <view class="CTextLabel" origin="10, 20" size="120, 18" title="Level" font="label" font-color="text"
          back-color="~ TransparentCColor" text-alignment="right" text-inset="2, 1" style-no-frame="true"
          value-precision="3" frame-width="2" round-rect-radius="4"/>
    <view class="CParamDisplay" origin="10, 40" size="120, 18" control-tag="Level" min-value="0.5" max-value="3"
          default-value="0.75" wheel-inc-value="0.05" style-round-rect="true" font="~ NormalFontSmall"/>
    <view class="COnOffButton" origin="150, 10" size="40, 20" control-tag="Bypass" bitmap="switch"
          background-offset="0, 20"/>
    <view class="CViewContainer" origin="200, 10" size="190, 180" transparent="true" background-color="#10203040">
      <view class="CView" origin="5, 5" size="10, 10" mouse-enabled="false" autosize="left, bottom row"
            tooltip="Help"/>
    </view>
  </template>)");

TEST(UIDescription, BuildsATemplateWithTheLibraryClasses)
{
    const auto description = parsed(kEditor);
    const UIAttributes* templateAttributes = description->getViewAttributes("view");
    ASSERT_NE(templateAttributes, nullptr);
    EXPECT_EQ(*templateAttributes->getAttributeValue("maxSize"), "800, 400");

    SharedPointer<CView> root = owned(description->createView("view", nullptr));
    auto* frame = dynamic_cast<CViewContainer*>(root.get());
    ASSERT_NE(frame, nullptr) << "a template without a class is a container";
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 400, 200));
    EXPECT_EQ(frame->getBackgroundColor(), CColor(0x20, 0x24, 0x28, 0xff));
    ASSERT_EQ(frame->getNbViews(), 4u);

    auto* label = child<CTextLabel>(frame, 0);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getViewSize(), CRect(10, 20, 130, 38));
    EXPECT_EQ(label->getMouseableArea(), CRect(10, 20, 130, 38));
    EXPECT_EQ(label->getText(), "Level");
    ASSERT_NE(label->getFont(), nullptr);
    EXPECT_EQ(*label->getFont(), CFontDesc("DejaVu Sans", 11, kBoldFace));
    EXPECT_EQ(label->getFontColor(), CColor(0xe6, 0xe6, 0xe6, 0xff));
    EXPECT_EQ(label->getBackColor(), kTransparentCColor);
    EXPECT_EQ(label->getHoriAlign(), kRightText);
    EXPECT_EQ(label->getTextInset(), CPoint(2, 1));
    EXPECT_EQ(label->getStyle(), CParamDisplay::kNoFrame);
    EXPECT_EQ(label->getPrecision(), 3);
    EXPECT_EQ(label->getFrameWidth(), 2);
    EXPECT_EQ(label->getRoundRectRadius(), 4);

    auto* display = child<CParamDisplay>(frame, 1);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(dynamic_cast<CTextLabel*>(display), nullptr);
    EXPECT_EQ(display->getTag(), 1);
    EXPECT_EQ(display->getMin(), 0.5f);
    EXPECT_EQ(display->getMax(), 3.f);
    EXPECT_EQ(display->getValue(), 0.5f) << "the value follows the new range";
    EXPECT_EQ(display->getDefaultValue(), 0.75f);
    EXPECT_EQ(display->getWheelInc(), 0.05f);
    EXPECT_EQ(display->getStyle(), CParamDisplay::kRoundRectStyle);
    EXPECT_EQ(display->getFont(), kNormalFontSmall);

    auto* button = child<COnOffButton>(frame, 2);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getTag(), 0);
    EXPECT_EQ(button->getBackground(), description->getBitmap("switch"));
    EXPECT_EQ(button->getBackOffset(), CPoint(0, 20));

    auto* group = child<CViewContainer>(frame, 3);
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->getTransparency());
    EXPECT_EQ(group->getBackgroundColor(), CColor(0x10, 0x20, 0x30, 0x40));
    auto* plain = child<CView>(group, 0);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->getViewSize(), CRect(5, 5, 15, 15));
    EXPECT_FALSE(plain->getMouseEnabled());
    EXPECT_EQ(plain->getAutosizeFlags(), kAutosizeLeft | kAutosizeBottom | kAutosizeRow);
    char tooltip[8] = {};
    uint32_t size = 0;
    EXPECT_TRUE(plain->getAttribute(kCViewTooltipAttribute, sizeof(tooltip), tooltip, size));
    EXPECT_STREQ(tooltip, "Help");
}

// Every view's attributes, written back and applied to a new view of the same
// class, give the same texts again; a few texts are checked outright.
TEST(UIDescription, WritesEveryAttributeBackAndReadsItAgain)
{
    const auto description = parsed(kEditor);
    SharedPointer<CView> root = owned(description->createView("view", nullptr));
    const UIViewFactory factory;

    const auto writeBack = [&](CView* view) {
        UIAttributes attributes;
        attributes.setAttribute("class", factory.getViewName(view));
        IViewCreator::StringList names;
        EXPECT_TRUE(factory.getAttributeNamesForView(view, names));
        for (const std::string& name : names) {
            EXPECT_NE(factory.getAttributeType(view, name), IViewCreator::kUnknownType) << name;
            std::string value;
            if (factory.getAttributeValue(view, name, value, description))
                attributes.setAttribute(name, value);
        }
        return attributes;
    };
    std::vector<CView*> views{root};
    auto* frame = dynamic_cast<CViewContainer*>(root.get());
    for (uint32_t i = 0; i < frame->getNbViews(); ++i)
        views.push_back(frame->getView(i));
    views.push_back(child<CView>(frame->getView(3), 0));

    std::vector<UIAttributes> written;
    for (CView* view : views) {
        const UIAttributes attributes = writeBack(view);
        SharedPointer<CView> copy = owned(factory.createView(attributes, description));
        ASSERT_TRUE(copy) << factory.getViewName(view);
        const UIAttributes again = writeBack(copy);
        EXPECT_TRUE(std::equal(attributes.begin(), attributes.end(), again.begin(), again.end()))
            << factory.getViewName(view);
        written.push_back(attributes);
    }

    const struct {
        size_t view;
        const char* name;
        const char* text;
    } expected[] = {
        {0, "size", "400, 200"},
        {0, "background-color", "panel"},
        {0, "transparent", "false"},
        {1, "origin", "10, 20"},
        {1, "title", "Level"},
        {1, "font", "label"},
        {1, "font-color", "text"},
        {1, "back-color", "#ffffff00"},
        {1, "text-alignment", "right"},
        {1, "style-no-frame", "true"},
        {1, "style-no-text", "false"},
        {1, "value-precision", "3"},
        {2, "control-tag", "Level"},
        {2, "min-value", "0.5"},
        {2, "default-value", "0.75"},
        {2, "wheel-inc-value", "0.05"},
        {2, "font", "~ NormalFontSmall"},
        {3, "bitmap", "switch"},
        {3, "background-offset", "0, 20"},
        {3, "control-tag", "Bypass"},
        {5, "autosize", "left bottom row"},
        {5, "tooltip", "Help"},
        {5, "mouse-enabled", "false"},
    };
    for (const auto& e : expected) {
        const std::string* text = written[e.view].getAttributeValue(e.name);
        ASSERT_NE(text, nullptr) << e.view << ' ' << e.name;
        EXPECT_EQ(*text, e.text) << e.view << ' ' << e.name;
    }
}

TEST(UIDescription, BadValuesLeaveDefaultsAndUnknownAttributesAreIgnored)
{
    const auto description = parsed(describe(R"(
  <template name="view" size="100, 100">
    <view class="CTextLabel" origin="1, 2, 3" size="-4, 5" font="missing" font-color="nocolour"
          frame-width="wide" round-rect-radius="" text-alignment="middle" text-inset="x" value-precision="300"
          style-no-text="yes" min-value="nan" max-value="1e300" default-value="0.5.5" control-tag="Unknown"
          bitmap="missing" transparent="maybe" autosize="sideways" frobnicate="true"/>
  </template>)"));
    SharedPointer<CView> root = owned(description->createView("view", nullptr));
    auto* label = child<CTextLabel>(root, 0);
    ASSERT_NE(label, nullptr);
    const CTextLabel fresh(CRect{});

    EXPECT_EQ(label->getViewSize(), fresh.getViewSize());
    EXPECT_EQ(label->getFont(), fresh.getFont());
    EXPECT_EQ(label->getFontColor(), fresh.getFontColor());
    EXPECT_EQ(label->getFrameWidth(), fresh.getFrameWidth());
    EXPECT_EQ(label->getRoundRectRadius(), fresh.getRoundRectRadius());
    EXPECT_EQ(label->getHoriAlign(), fresh.getHoriAlign());
    EXPECT_EQ(label->getTextInset(), fresh.getTextInset());
    EXPECT_EQ(label->getPrecision(), fresh.getPrecision());
    EXPECT_EQ(label->getStyle(), fresh.getStyle());
    EXPECT_EQ(label->getMin(), fresh.getMin());
    EXPECT_EQ(label->getMax(), fresh.getMax());
    EXPECT_EQ(label->getDefaultValue(), fresh.getDefaultValue());
    EXPECT_EQ(label->getTag(), fresh.getTag());
    EXPECT_EQ(label->getBackground(), nullptr) << "an unknown bitmap name gives none";
    EXPECT_EQ(label->getTransparency(), fresh.getTransparency());
    EXPECT_EQ(label->getAutosizeFlags(), kAutosizeNone);
}

TEST(UIDescription, SkipsViewsOfUnknownClassesWithTheirChildren)
{
    const auto description = parsed(describe(R"(
  <template name="view" size="100, 100">
    <view class="CView" size="1, 1"/>
    <view class="CNoSuchView"><view class="CView"/></view>
    <view/>
    <view class="CControl"/>
    <view class="CTextLabel" title="kept"/>
  </template>
  <template name="unknown-root" class="CNoSuchView"><view class="CView"/></template>)"));
    SharedPointer<CView> root = owned(description->createView("view", nullptr));
    auto* frame = dynamic_cast<CViewContainer*>(root.get());
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->getNbViews(), 2u);
    EXPECT_NE(child<CTextLabel>(frame, 1), nullptr);
    EXPECT_EQ(description->createView("unknown-root", nullptr), nullptr);
    EXPECT_EQ(description->createView("no-such-template", nullptr), nullptr);
    EXPECT_EQ(description->createView(nullptr, nullptr), nullptr);
}

TEST(UIDescription, SkipsViewsLargerThanTheBoundWithTheirChildren)
{
    const auto description = parsed(describe(R"(
  <template name="view" size="1024, 1024">
    <view class="CView" size="1024, 1024"/>
    <view class="CViewContainer" size="1025, 10"><view class="CView" size="1, 1"/></view>
    <view class="CTextLabel" size="10, 32767"/>
    <view class="CView" size="1e300, 1e300"/>
    <view class="CTextLabel" size="10, 10" title="kept"/>
  </template>
  <template name="wide" size="1025, 10"/>
  <template name="huge" size="32767, 32767"><view class="CView" size="1, 1"/></template>)"));
    SharedPointer<CView> root = owned(description->createView("view", nullptr));
    auto* frame = dynamic_cast<CViewContainer*>(root.get());
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->getNbViews(), 2u);
    EXPECT_EQ(frame->getView(0)->getViewSize(), CRect(0, 0, 1024, 1024)) << "at the bound";
    EXPECT_NE(child<CTextLabel>(frame, 1), nullptr);
    EXPECT_EQ(description->createView("wide", nullptr), nullptr);
    EXPECT_EQ(description->createView("huge", nullptr), nullptr);
}

std::string deeplyNested(int levels)
{
    std::string views;
    for (int i = 0; i < levels; ++i)
        views += "<view class=\"CViewContainer\" size=\"10, 10\">";
    for (int i = 0; i < levels; ++i)
        views += "</view>";
    return describe("<template name=\"view\">" + views + "</template>");
}

std::string manyViews(size_t count)
{
    std::string views;
    for (size_t i = 0; i < count; ++i)
        views +=
            "<view class=\"CTextLabel\" origin=\"" + std::to_string(i) + ", 0\" size=\"1, 1\" title=\"x\"/>";
    return views;
}

TEST(UIDescription, MalformedDescriptionsGiveNoViewsAndSayWhy)
{
    const std::string valid = kEditor;
    const struct {
        const char* what;
        std::string xml;  // empty: read the missing file instead
        const char* error;
    } cases[] = {
        {"missing file", "", "cannot open /nonexistent/plug.uidesc"},
        {"truncated", valid.substr(0, valid.size() - 40), "line "},
        {"cut in a tag", valid.substr(0, valid.find("<view class=\"CParamDisplay\"") + 12), "line "},
        {"not XML", "\x89PNG\r\n\x1a\n", "not well-formed"},
        {"another root", "<svg><template name=\"view\"/></svg>",
         "the root element is not vstgui-ui-description"},
        {"too deep", deeplyNested(kMaxElementDepth), "nest deeper"},
        {"too large", describe(std::string(kMaxDescriptionBytes, ' ')), "larger than"},
        {"too many views", describe("<template name=\"view\">" + manyViews(kMaxViewCount) + "</template>"),
         "more than 10000 views"},
    };
    for (const auto& c : cases) {
        auto description = c.xml.empty() ? makeOwned<UIDescription>("/nonexistent/plug.uidesc")
                                         : makeOwned<UIDescription>(c.xml, "/nonexistent");
        EXPECT_FALSE(description->parse()) << c.what;
        EXPECT_NE(description->getParseError().find(c.error), std::string::npos)
            << c.what << ": " << description->getParseError();
        EXPECT_EQ(description->createView("view", nullptr), nullptr) << c.what;
        EXPECT_EQ(description->getViewAttributes("view"), nullptr) << c.what;
        CColor color;
        EXPECT_FALSE(description->getColor("panel", color)) << c.what;
        EXPECT_EQ(description->getTagForName("Level"), -1) << c.what;
    }
    auto unparsed = makeOwned<UIDescription>(valid, "");
    EXPECT_EQ(unparsed->createView("view", nullptr), nullptr) << "nothing before parse()";
}

TEST(UIDescription, BuildsTheDeepestAllowedNestingAndAHugeFlatTemplate)
{
    const auto deep = parsed(deeplyNested(kMaxElementDepth - 2));
    SharedPointer<CView> root = owned(deep->createView("view", nullptr));
    int depth = 0;
    for (CView* view = root; view; view = child<CView>(view, 0))
        ++depth;
    EXPECT_EQ(depth, kMaxElementDepth - 1);

    // The template counts as one view.
    const auto flat = parsed(describe("<template name=\"view\"><!--" + std::string(8 << 20, 'x') + "-->" +
                                      manyViews(kMaxViewCount - 1) + "</template>"));
    root = owned(flat->createView("view", nullptr));
    auto* frame = dynamic_cast<CViewContainer*>(root.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getNbViews(), kMaxViewCount - 1);
}

TEST(UIDescription, LooksResourcesUpByNameAndBack)
{
    const auto description = parsed(kEditor);
    CColor color;
    EXPECT_TRUE(description->getColor("panel", color));
    EXPECT_EQ(color, CColor(0x20, 0x24, 0x28, 0xff));
    EXPECT_TRUE(description->getColor("~ WhiteCColor", color));
    EXPECT_EQ(color, kWhiteCColor);
    EXPECT_TRUE(description->getColor("#01020304", color));
    EXPECT_EQ(color, CColor(1, 2, 3, 4));
    EXPECT_FALSE(description->getColor("Panel", color));
    EXPECT_FALSE(description->getColor(nullptr, color));
    EXPECT_STREQ(description->lookupColorName(CColor(0xe6, 0xe6, 0xe6, 0xff)), "text");
    EXPECT_EQ(description->lookupColorName(kWhiteCColor), nullptr);

    EXPECT_EQ(description->getTagForName("Level"), 1);
    EXPECT_EQ(description->getTagForName("Mix"), -1);
    EXPECT_STREQ(description->lookupControlTagName(0), "Bypass");
    EXPECT_EQ(description->lookupControlTagName(7), nullptr);

    CFontDesc* font = description->getFont("label");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(description->getFont("label"), font) << "made once";
    EXPECT_STREQ(description->lookupFontName(font), "label");
    EXPECT_EQ(description->getFont("~ NormalFont"), kNormalFont);
    EXPECT_EQ(description->getFont("missing"), nullptr);
}

// Writes a 4 x 2 PNG (left half red, right half blue) and the other files the
// bitmap cases need into a folder of their own: beside the PNG in sub/, a
// symlink to it, one to the same picture outside sub/, and a FIFO.
class BitmapFiles : public testing::Test {
protected:
    void SetUp() override
    {
        folder = testFilePath("");
        ASSERT_EQ(std::system(("mkdir -p " + folder + "/sub").c_str()), 0);
        cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 2);
        cairo_t* cr = cairo_create(image);
        cairo_set_source_rgb(cr, 1, 0, 0);
        cairo_rectangle(cr, 0, 0, 2, 2);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0, 0, 1);
        cairo_rectangle(cr, 2, 0, 2, 2);
        cairo_fill(cr);
        cairo_destroy(cr);
        ASSERT_EQ(cairo_surface_write_to_png(image, (folder + "/sub/ok.png").c_str()), CAIRO_STATUS_SUCCESS);
        ASSERT_EQ(cairo_surface_write_to_png(image, (folder + "/outside.png").c_str()), CAIRO_STATUS_SUCCESS);
        cairo_surface_destroy(image);
        std::ofstream(folder + "/sub/text.png") << "not a picture";
        ASSERT_EQ(symlink("ok.png", (folder + "/sub/inside.png").c_str()), 0);
        ASSERT_EQ(symlink("../outside.png", (folder + "/sub/escape.png").c_str()), 0);
        ASSERT_EQ(mkfifo((folder + "/sub/fifo.png").c_str(), 0600), 0);
        std::ofstream(folder + "/sub/plug.uidesc") << R"(<vstgui-ui-description version="1"><bitmaps>
  <bitmap name="ok" path="ok.png"/>
  <bitmap name="missing" path="missing.png"/>
  <bitmap name="text" path="text.png"/>
  <bitmap name="inside" path="inside.png"/>
  <bitmap name="escape" path="escape.png"/>
  <bitmap name="fifo" path="fifo.png"/>
  <bitmap name="up" path="../outside.png"/>
  <bitmap name="absolute" path=")" +
                folder + R"(/outside.png"/>
</bitmaps>
<template name="view" size="8, 4"><view class="CView" size="8, 4" bitmap="ok"/></template>
<template name="editor" size="60, 50" background-color="#204060ff">
  <view class="CView" origin="10, 5" size="6, 2" bitmap="ok"/>
  <view class="CView" origin="20, 5" size="4, 2" bitmap="missing"/>
  <view class="CView" origin="0, 20" size="4, 2" bitmap="escape"/>
  <view class="CView" origin="6, 20" size="4, 2" bitmap="fifo"/>
  <view class="CViewContainer" origin="30, 10" size="20, 10" background-color="~ WhiteCColor">
    <view class="CView" origin="2, 3" size="4, 2" bitmap="ok"/>
  </view>
  <view class="CTextLabel" origin="5, 30" size="50, 16" title="WWW" font-color="~ WhiteCColor"
        back-color="~ TransparentCColor" style-no-frame="true"/>
</template>
</vstgui-ui-description>)";
    }
    void TearDown() override { std::system(("rm -rf " + folder).c_str()); }

    std::string folder;
};

TEST_F(BitmapFiles, LoadsPngBitmapsBesideTheDescriptionAndNothingElse)
{
    auto description = makeOwned<UIDescription>(folder + "/sub/plug.uidesc");
    ASSERT_TRUE(description->parse()) << description->getParseError();

    CBitmap* ok = description->getBitmap("ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isLoaded());
    EXPECT_EQ(ok->getSize(), CPoint(4, 2));
    EXPECT_STREQ(description->lookupBitmapName(ok), "ok");
    CBitmap* inside = description->getBitmap("inside");
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(inside->getSize(), CPoint(4, 2)) << "a symlink that stays in the folder";

    // Refused ones are like missing ones; a FIFO would hang the test, not fail it.
    const morvik::testing::HangGuard guard(60);
    for (const char* name : {"missing", "text", "escape", "fifo"}) {
        CBitmap* bitmap = description->getBitmap(name);
        ASSERT_NE(bitmap, nullptr) << name;
        EXPECT_FALSE(bitmap->isLoaded()) << name;
        EXPECT_EQ(bitmap->getSize(), CPoint(0, 0)) << name;
    }
    EXPECT_EQ(description->getBitmap("up"), nullptr) << "outside the description's folder";
    EXPECT_EQ(description->getBitmap("absolute"), nullptr);
    EXPECT_EQ(description->getBitmap("none"), nullptr);

    SharedPointer<CView> view = owned(description->createView("view", nullptr));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(child<CView>(view, 0)->getBackground(), ok);
}

TEST_F(BitmapFiles, RendersADescribedEditorInAFrame)
{
    auto description = makeOwned<UIDescription>(folder + "/sub/plug.uidesc");
    ASSERT_TRUE(description->parse()) << description->getParseError();
    const morvik::testing::HangGuard guard(60);  // the FIFO's view
    auto frame = makeOwned<CFrame>(CRect(0, 0, 60, 50));
    auto platform = std::make_unique<HeadlessPlatformFrame>(*frame);
    HeadlessPlatformFrame& headless = *platform;
    frame->open(std::move(platform));
    ASSERT_TRUE(frame->addView(description->createView("editor", nullptr)));
    headless.flush();
    const COffscreenContext& image = headless.getImage();

    const CColor panel(0x20, 0x40, 0x60, 0xff);
    EXPECT_TRUE(pixelIs(image, 1, 1, panel));
    EXPECT_TRUE(pixelIs(image, 10, 5, kRedCColor)) << "the bitmap at the view's origin";
    EXPECT_TRUE(pixelIs(image, 13, 6, kBlueCColor));
    EXPECT_TRUE(pixelIs(image, 14, 5, panel)) << "a bitmap is not stretched";
    EXPECT_TRUE(pixelIs(image, 21, 5, panel)) << "a missing bitmap draws nothing";
    EXPECT_TRUE(pixelIs(image, 0, 20, panel)) << "nor does a symlink out of the folder";
    EXPECT_TRUE(pixelIs(image, 6, 20, panel)) << "nor a FIFO";
    EXPECT_TRUE(pixelIs(image, 30, 10, kWhiteCColor)) << "a nested container";
    EXPECT_TRUE(pixelIs(image, 32, 13, kRedCColor)) << "a view inside it, offset by the container";
    EXPECT_TRUE(pixelIs(image, 35, 14, kBlueCColor));
    EXPECT_TRUE(pixelIs(image, 36, 13, kWhiteCColor));

    int textPixels = 0;
    for (int y = 22; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (image.getPixel(x, y).green > 0xa0) {
                EXPECT_TRUE(x >= 5 && x < 55 && y >= 30 && y < 46)
                    << "text outside its label at " << x << ", " << y;
                ++textPixels;
            }
        }
    }
    EXPECT_GT(textPixels, 20) << "the label's title";
}

}  // namespace
}  // namespace VSTGUI
