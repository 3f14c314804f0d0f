// Sliders built from a UI description, clicked through a headless frame and
// rendered: the picture shows each handle where its mode puts it. The PNG is
// kept in the test's temporary folder for a look.
#include <gtest/gtest.h>

#include <iostream>

#include "sdk/vstgui/lib/cviewcontainer.h"
#include "sdk/vstgui/uidescription/uidescription.h"
#include "tests/slider/slidertesting.h"

namespace VSTGUI {
namespace {

constexpr CColor kHandleColour{255, 64, 0, 255};
constexpr CColor kTrackColour{48, 48, 48, 255};
constexpr CColor kFillColour{48, 128, 192, 255};

// Six sliders: the default mode in all four orientation and direction
// combinations, then one in "touch" and one in "free click" mode. Handles are
// 16 long along the axis, tracks 200: a range of 184.
std::string describe(const std::string& horizontalHandle, const std::string& verticalHandle)
{
    const std::string look =
        R"( draw-back="true" draw-back-color="track" draw-value="true" draw-value-color="fill")";
    return R"(<vstgui-ui-description version="1">
      <bitmaps>
        <bitmap name="handle-h" path=")" +
        horizontalHandle + R"("/>
        <bitmap name="handle-v" path=")" +
        verticalHandle + R"("/>
      </bitmaps>
      <colors>
        <color name="track" rgba="#303030ff"/>
        <color name="fill" rgba="#3080c0ff"/>
      </colors>
      <template name="view" size="400, 300" background-color="~ BlackCColor">
        <view class="CSlider" origin="20, 20" size="200, 20" handle-bitmap="handle-h")" +
        look + R"(/>
        <view class="CSlider" origin="20, 60" size="200, 20" handle-bitmap="handle-h" reverse-orientation="true")" +
        look + R"(/>
        <view class="CSlider" origin="260, 20" size="20, 200" handle-bitmap="handle-v" orientation="vertical" reverse-orientation="false")" +
        look + R"(/>
        <view class="CSlider" origin="320, 20" size="20, 200" handle-bitmap="handle-v" orientation="vertical" reverse-orientation="true")" +
        look + R"(/>
        <view class="CSlider" origin="20, 140" size="200, 20" handle-bitmap="handle-h" mode="touch")" +
        look + R"(/>
        <view class="CSlider" origin="20, 180" size="200, 20" handle-bitmap="handle-h" mode="free click")" +
        look + R"(/>
      </template>
    </vstgui-ui-description>)";
}

TEST(SliderDescription, ClickedSlidersShowTheirHandlesWhereTheModeSays)
{
    const std::string horizontalHandle = tempFileName("handle-h");
    const std::string verticalHandle = tempFileName("handle-v");
    writePNG(testing::TempDir() + horizontalHandle, 16, 20, kHandleColour);
    writePNG(testing::TempDir() + verticalHandle, 20, 16, kHandleColour);
    auto description =
        makeOwned<UIDescription>(describe(horizontalHandle, verticalHandle), testing::TempDir());
    ASSERT_TRUE(description->parse()) << description->getParseError();

    HeadlessEditor editor;
    auto* root = editor.add(description->createView("view", nullptr));
    ASSERT_NE(root, nullptr);
    auto* container = dynamic_cast<CViewContainer*>(root);
    ASSERT_NE(container, nullptr);
    ASSERT_EQ(container->getNbViews(), 6u);
    for (uint32_t i = 0; i < 6; ++i)
        ASSERT_NE(dynamic_cast<CSlider*>(container->getView(i)), nullptr);

    // Where each click lands, and where the handle's centre ends up along the axis.
    struct Click {
        const char* what;
        CPoint where;
        bool horizontal;
        CCoord handleCentre;
    };
    const Click clicks[] = {
        {"left-to-right, beside the handle: its centre comes to the pointer", {120, 30}, true, 120},
        {"left-to-right, on the handle near its edge: grabbed, no jump", {114, 30}, true, 120},
        {"right-to-left, beside the handle", {60, 70}, true, 60},
        {"bottom-to-top, beside the handle", {270, 100}, false, 100},
        {"top-to-bottom, beside the handle", {330, 150}, false, 150},
        {"touch, beside the handle: nothing moves", {120, 150}, true, 28},
        {"free click, on the handle: its centre still jumps", {33, 190}, true, 33},
    };
    for (const Click& click : clicks) {
        editor.down(click.where);
        editor.up(click.where);
    }
    COffscreenContext& image = editor.render();
    const std::string png = testing::TempDir() + "slider-description-render.png";
    image.writePNG(png);
    std::cout << "rendered to " << png << "\n";

    for (const Click& click : clicks) {
        SCOPED_TRACE(click.what);
        // The handle is 16 long: the pixels at its centre (give or take the
        // whole-unit cut) are the handle's, those 12 away on either side are not.
        const CPoint across = click.where;
        const auto at = [&](CCoord along) {
            return click.horizontal ? CPoint(along, across.y) : CPoint(across.x, along);
        };
        for (CCoord along : {click.handleCentre - 1, click.handleCentre + 1}) {
            const CPoint p = at(along);
            EXPECT_TRUE(pixelIs(image, int(p.x), int(p.y), kHandleColour)) << along;
        }
        for (CCoord along : {click.handleCentre - 12, click.handleCentre + 12}) {
            const CPoint p = at(along);
            EXPECT_FALSE(pixelIs(image, int(p.x), int(p.y), kHandleColour)) << along;
        }
    }
    std::remove((testing::TempDir() + horizontalHandle).c_str());
    std::remove((testing::TempDir() + verticalHandle).c_str());
}

}  // namespace
}  // namespace VSTGUI
