#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sdk/vstgui/uidescription/uidescriptionreader.h"

namespace VSTGUI {
namespace {

constexpr const char* kDescription = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="knob" path="knob.png"/>
    <bitmap name="knob" path="ignored-second.png"/>
    <bitmap name="no-path"/>
  </bitmaps>
  <fonts>
    <font name="title" font-name="DejaVu Sans" size="14" bold="true"/>
    <font name="bad-size" font-name="DejaVu Sans" size="big" italic="true"/>
  </fonts>
  <colors>
    <color name="accent" rgba="#ff8000c0"/>
    <color name="opaque" rgba="#102030"/>
    <color name="parts" red="1" green="2" blue="3"/>
    <color name="bad-hex" rgba="#ff80zz00"/>
    <color name="bad-part" red="300"/>
    <color rgba="#000000ff"/>
  </colors>
  <control-tags>
    <control-tag name="Level" tag="1"/>
    <control-tag name="Slope" tag="8"/>
    <control-tag name="Broken" tag="eight"/>
  </control-tags>
  <unknown-section><template name="hidden"/></unknown-section>
  <template name="view" size="400, 300" minSize="200, 150" maxSize="800, 600">
    <view class="CViewContainer" origin="10, 10">
      <view class="CTextLabel" title="a"/>
      <unknown-element><view class="CView"/></unknown-element>
      <view class="COnOffButton"/>
    </view>
    <view class="CView"/>
  </template>
  <template size="1, 1"/>
</vstgui-ui-description>
)";

TEST(UIDescriptionReader, ReadsTablesAndTemplateTrees)
{
    const UIDescriptionReadResult read = readUIDescription(kDescription);
    ASSERT_TRUE(read.ok()) << read.error;
    const UIDescriptionContent& content = read.content;

    ASSERT_EQ(content.bitmapPaths.size(), 1u);
    EXPECT_EQ(content.bitmapPaths.at("knob"), "knob.png");

    ASSERT_EQ(content.fonts.size(), 2u);
    const UIFontEntry& title = content.fonts.at("title");
    EXPECT_EQ(title.fontName, "DejaVu Sans");
    EXPECT_EQ(title.size, 14);
    EXPECT_TRUE(title.bold);
    EXPECT_FALSE(title.italic);
    EXPECT_EQ(content.fonts.at("bad-size").size, 12) << "a bad size keeps the default";
    EXPECT_TRUE(content.fonts.at("bad-size").italic);

    ASSERT_EQ(content.colors.size(), 3u);
    EXPECT_EQ(content.colors.at("accent"), CColor(255, 128, 0, 192));
    EXPECT_EQ(content.colors.at("opaque"), CColor(16, 32, 48, 255));
    EXPECT_EQ(content.colors.at("parts"), CColor(1, 2, 3, 255));

    ASSERT_EQ(content.controlTags.size(), 2u);
    EXPECT_EQ(content.controlTags.at("Level"), 1);
    EXPECT_EQ(content.controlTags.at("Slope"), 8);

    ASSERT_EQ(content.templates.size(), 1u) << "only named templates of the root count";
    const UIViewNode& view = content.templates.at("view");
    EXPECT_EQ(*view.attributes.getAttributeValue("minSize"), "200, 150");
    ASSERT_EQ(view.children.size(), 2u);
    const UIViewNode& container = view.children[0];
    EXPECT_EQ(*container.attributes.getAttributeValue("origin"), "10, 10");
    ASSERT_EQ(container.children.size(), 2u) << "views inside unknown elements are skipped";
    EXPECT_EQ(*container.children[0].attributes.getAttributeValue("class"), "CTextLabel");
    EXPECT_EQ(*container.children[1].attributes.getAttributeValue("class"), "COnOffButton");
    EXPECT_EQ(*view.children[1].attributes.getAttributeValue("class"), "CView");
}

TEST(UIDescriptionReader, ParsesColourValues)
{
    const struct {
        const char* text;
        bool parses;
        CColor color;
    } cases[] = {
        {"#ff8000c0", true, {255, 128, 0, 192}},
        {"#FF8000", true, {255, 128, 0, 255}},
        {"~ BlackCColor", true, kBlackCColor},
        {"~ TransparentCColor", true, kTransparentCColor},
        {"ff8000", false, {}},
        {"#ff80", false, {}},
        {"#ff8000c0ff", false, {}},
        {"#gg0000", false, {}},
        {"~BlackCColor", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        CColor color(1, 2, 3, 4);
        EXPECT_EQ(parseColorValue(c.text, color), c.parses) << '"' << c.text << '"';
        EXPECT_EQ(color, c.parses ? c.color : CColor(1, 2, 3, 4)) << '"' << c.text << '"';
    }
}

std::string nested(int depth)
{
    std::string xml = "<vstgui-ui-description><template name=\"view\">";
    for (int i = 0; i < depth; ++i)
        xml += "<view class=\"CViewContainer\">";
    for (int i = 0; i < depth; ++i)
        xml += "</view>";
    return xml + "</template></vstgui-ui-description>";
}

TEST(UIDescriptionReader, RefusesMalformedInputAsAWhole)
{
    const std::string valid = kDescription;
    const struct {
        const char* what;
        std::string xml;
        const char* error;
    } cases[] = {
        {"empty", "", "line 1: no element found"},
        {"not XML", "size=400,300", "line 1: not well-formed"},
        {"truncated", valid.substr(0, valid.size() / 2), "line"},
        {"other root", "<html><template name=\"view\"/></html>",
         "the root element is not vstgui-ui-description"},
        {"document type", "<!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\">]><vstgui-ui-description/>",
         "line 1: a document type declaration is not allowed"},
        {"too deep", nested(kMaxElementDepth), "elements nest deeper than 100 levels"},
        {"too large", std::string(kMaxDescriptionBytes + 1, ' '), "larger than 16 MiB"},
        {"bad encoding", "<vstgui-ui-description name=\"\xff\xfe\"/>",
         "line 1: not well-formed (invalid token)"},
    };
    for (const auto& c : cases) {
        const UIDescriptionReadResult read = readUIDescription(c.xml);
        EXPECT_FALSE(read.ok()) << c.what;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << c.what << ": " << read.error;
        EXPECT_TRUE(read.content.templates.empty() && read.content.colors.empty()) << c.what;
    }
    EXPECT_TRUE(readUIDescription(nested(kMaxElementDepth - 2)).ok()) << "the deepest allowed nesting";
}

// A folder of the test's own under the temporary folder, removed with it.
struct ScratchFolder {
    ScratchFolder()
    {
        std::string name = ::testing::TempDir() + "uidescription-reader-XXXXXX";
        path = mkdtemp(name.data()) ? name : "";
    }
    ~ScratchFolder()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
    std::string path;
};

TEST(UIDescriptionReader, TheByteLimitIsTheLargestDescriptionRead)
{
    const ScratchFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::string file = folder.path + "/plug.uidesc";
    for (const size_t size : {kMaxDescriptionBytes, kMaxDescriptionBytes + 1}) {
        std::string xml = kDescription;
        xml.resize(size, ' ');  // blanks after the root element
        std::ofstream(file, std::ios::binary) << xml;
        const bool withinLimit = size <= kMaxDescriptionBytes;
        for (const UIDescriptionReadResult& read : {readUIDescription(xml), readUIDescriptionFile(file)}) {
            EXPECT_EQ(read.ok(), withinLimit) << size << " bytes: " << read.error;
            EXPECT_EQ(read.content.templates.size(), withinLimit ? 1u : 0u) << size << " bytes";
        }
    }
}

TEST(UIDescriptionReader, ReportsAMissingFile)
{
    const UIDescriptionReadResult read = readUIDescriptionFile("/nonexistent/plug.uidesc");
    EXPECT_EQ(read.error, "cannot open /nonexistent/plug.uidesc");
}

}  // namespace
}  // namespace VSTGUI
