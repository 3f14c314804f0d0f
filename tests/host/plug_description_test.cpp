// The description the bundle carries holds what the controller relies on: the
// template "view" with its sizes, the seven sliders with their value displays,
// the bypass button and the about box, and bitmaps that load.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/uidescription/uidescriptionreader.h"
#include "tests/host/bundle_location.h"

namespace {

using VSTGUI::UIAttributes;
using VSTGUI::UIViewNode;

std::string attribute(const UIViewNode& node, const char* name)
{
    const std::string* value = node.attributes.getAttributeValue(name);
    return value ? *value : std::string();
}

void collect(const UIViewNode& node, std::vector<const UIViewNode*>& nodes)
{
    for (const UIViewNode& child : node.children) {
        nodes.push_back(&child);
        collect(child, nodes);
    }
}

class PlugDescription : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto read = VSTGUI::readUIDescriptionFile(resources + "plug.uidesc");
        ASSERT_TRUE(read.ok()) << read.error;
        content = read.content;
        const auto found = content.templates.find("view");
        ASSERT_NE(found, content.templates.end());
        root = &found->second;
        collect(*root, nodes);
    }

    // The tags of the nodes of a class; -1 for a node without a known tag.
    std::multiset<int> tagsOf(const std::string& viewClass, const std::vector<const UIViewNode*>& among) const
    {
        std::multiset<int> tags;
        for (const UIViewNode* node : among) {
            if (attribute(*node, "class") != viewClass)
                continue;
            const auto tag = content.controlTags.find(attribute(*node, "control-tag"));
            tags.insert(tag == content.controlTags.end() ? -1 : tag->second);
        }
        return tags;
    }

    const std::string resources = (morvik::testing::bundleUnderTest() / "Contents/Resources/").string();
    VSTGUI::UIDescriptionContent content;
    const UIViewNode* root = nullptr;
    std::vector<const UIViewNode*> nodes;
};

TEST_F(PlugDescription, TheTemplateHasItsSizes)
{
    for (const char* name : {"size", "minSize", "maxSize"})
        EXPECT_TRUE(root->attributes.hasAttribute(name)) << name;
}

TEST_F(PlugDescription, EachParameterHasItsControlAndItsValueText)
{
    const std::multiset<int> sliderTags{1, 2, 3, 4, 5, 6, 8};
    EXPECT_EQ(tagsOf("CSlider", nodes), sliderTags);
    EXPECT_EQ(tagsOf("CParamDisplay", nodes), sliderTags);
    EXPECT_EQ(tagsOf("COnOffButton", nodes).count(0), 1u);
    for (const UIViewNode* node : nodes)
        if (attribute(*node, "class") == "CSlider") {
            // Sliders follow the global slider mode.
            EXPECT_FALSE(node->attributes.hasAttribute("mode"));
            EXPECT_FALSE(node->attributes.hasAttribute("free-click"));
        }
}

TEST_F(PlugDescription, TheAboutBoxHoldsOneLabelAndOneButtonBoundToNothing)
{
    std::vector<const UIViewNode*> aboutBoxes;
    for (const UIViewNode* node : nodes)
        if (attribute(*node, "sub-controller") == "AboutController")
            aboutBoxes.push_back(node);
    ASSERT_EQ(aboutBoxes.size(), 1u);
    std::vector<const UIViewNode*> inside;
    collect(*aboutBoxes[0], inside);
    EXPECT_EQ(tagsOf("CTextLabel", inside), std::multiset<int>{-1});
    EXPECT_EQ(tagsOf("COnOffButton", inside), std::multiset<int>{-1});
}

TEST_F(PlugDescription, EveryBitmapLoads)
{
    EXPECT_FALSE(content.bitmapPaths.empty());
    for (const auto& [name, path] : content.bitmapPaths) {
        auto bitmap = VSTGUI::makeOwned<VSTGUI::CBitmap>(resources + path);
        EXPECT_TRUE(bitmap->isLoaded()) << name << ": " << path;
    }
}

}  // namespace
