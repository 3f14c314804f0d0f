#include <gtest/gtest.h>

#include <string>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/uidescription/uidescription.h"
#include "sdk/vstgui/uidescription/uiviewcreator.h"

namespace VSTGUI {
namespace {

using namespace UIViewCreator;

SharedPointer<UIDescription> resources()
{
    auto description = makeOwned<UIDescription>(R"(<vstgui-ui-description version="1">
  <bitmaps><bitmap name="knob" path="knob.png"/></bitmaps>
  <colors><color name="accent" rgba="#ff8000c0"/></colors>
</vstgui-ui-description>)",
                                                "/nonexistent");
    EXPECT_TRUE(description->parse()) << description->getParseError();
    return description;
}

TEST(UIViewCreatorHelpers, ApplyStyleMaskSetsOnlyForExactlyTrue)
{
    const std::string texts[] = {"true", "false", "TRUE", "", "1"};
    const int32_t expected[] = {0b1111, 0b1001, 0b1001, 0b1001, 0b1001};
    for (size_t i = 0; i < std::size(texts); ++i) {
        int32_t style = 0b1011;
        applyStyleMask(&texts[i], 0b0110, style);
        EXPECT_EQ(style, expected[i]) << '"' << texts[i] << '"';
    }
    int32_t style = 0b1011;
    applyStyleMask(nullptr, 0b0110, style);
    EXPECT_EQ(style, 0b1011);
}

TEST(UIViewCreatorHelpers, StringToColor)
{
    const auto description = resources();
    const struct {
        const char* text;  // null: no attribute
        bool answer;
        CColor color;
    } cases[] = {
        {nullptr, false, {1, 2, 3, 4}},        {"", true, {255, 255, 255, 0}},
        {"accent", true, {255, 128, 0, 192}},  {"~ RedCColor", true, {255, 0, 0, 255}},
        {"#10203040", true, {16, 32, 48, 64}}, {"no-such-colour", false, {1, 2, 3, 4}},
        {"Accent", false, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        const std::string text = c.text ? c.text : "";
        CColor color(1, 2, 3, 4);
        EXPECT_EQ(stringToColor(c.text ? &text : nullptr, color, description), c.answer) << text;
        EXPECT_EQ(color, c.color) << text;
    }
}

TEST(UIViewCreatorHelpers, StringToBitmap)
{
    const auto description = resources();
    CBitmap* bitmap = reinterpret_cast<CBitmap*>(0x1);
    EXPECT_FALSE(stringToBitmap(nullptr, bitmap, description));
    EXPECT_EQ(bitmap, reinterpret_cast<CBitmap*>(0x1));

    const std::string empty, known = "knob", unknown = "dial";
    EXPECT_TRUE(stringToBitmap(&empty, bitmap, description));
    EXPECT_EQ(bitmap, nullptr);
    EXPECT_TRUE(stringToBitmap(&known, bitmap, description));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_FALSE(bitmap->isLoaded()) << "the file does not exist";
    EXPECT_TRUE(stringToBitmap(&unknown, bitmap, description));
    EXPECT_EQ(bitmap, nullptr);
}

TEST(UIViewCreatorHelpers, WritesNamesBackBeforeLiterals)
{
    const auto description = resources();
    std::string text;
    EXPECT_TRUE(colorToString({255, 128, 0, 192}, text, description));
    EXPECT_EQ(text, "accent");
    EXPECT_TRUE(colorToString({127, 127, 127, 255}, text, description));
    EXPECT_EQ(text, "#7f7f7fff") << "built-in colours are not looked up";
    EXPECT_TRUE(colorToString({0, 10, 171, 0}, text, nullptr));
    EXPECT_EQ(text, "#000aab00");

    const std::string knob = "knob";
    CBitmap* named = nullptr;
    stringToBitmap(&knob, named, description);
    EXPECT_TRUE(bitmapToString(named, text, description));
    EXPECT_EQ(text, "knob");
    auto unnamed = makeOwned<CBitmap>(CResourceDescription("images/other.png"));
    EXPECT_TRUE(bitmapToString(unnamed, text, description));
    EXPECT_EQ(text, "images/other.png");
    text = "unchanged";
    EXPECT_FALSE(bitmapToString(nullptr, text, description));
    EXPECT_EQ(text, "unchanged");
}

TEST(UIViewCreatorHelpers, StandardListValues)
{
    IViewCreator::ConstStringPtrList values;
    EXPECT_TRUE(getStandardAttributeListValues("orientation", values));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(*values.front(), "horizontal");
    EXPECT_EQ(*values.back(), "vertical");
    EXPECT_TRUE(getStandardAttributeListValues("text-alignment", values));
    EXPECT_EQ(values.size(), 5u) << "appends";
    EXPECT_FALSE(getStandardAttributeListValues("mode", values));
    EXPECT_EQ(values.size(), 5u);
}

}  // namespace
}  // namespace VSTGUI
