#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/lib/cviewcontainer.h"
#include "sdk/vstgui/lib/iviewlistener.h"
#include "sdk/vstgui/uidescription/icontroller.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uidescription.h"

namespace VSTGUI {
namespace {

using Log = std::vector<std::string>;

// A view's "test-name" attribute in the description, for the log.
std::string nameOf(const UIAttributes& attributes)
{
    const std::string* name = attributes.getAttributeValue("test-name");
    return name ? *name : "?";
}

// Logs what building asks of it; hands out sub-controllers of its own kind.
// Each view it verifies reports its deletion to it.
class LoggingController : public IController, public ViewListenerAdapter {
public:
    LoggingController(std::string name, Log& log) : name(std::move(name)), log(log) {}
    ~LoggingController() override
    {
        for (CView* view : watched)
            view->unregisterViewListener(this);
        log.push_back(name + " deleted");
    }

    void valueChanged(CControl*) override {}
    int32_t getTagForName(UTF8StringPtr tagName, int32_t registeredTag) const override
    {
        return std::string(tagName) == "Renamed" ? 42 : registeredTag;
    }
    IController* createSubController(UTF8StringPtr subName, const IUIDescription*) override
    {
        log.push_back(name + " creates " + subName);
        auto* sub = new LoggingController(subName, log);
        sub->throwOn = throwOn;
        sub->dropName = dropName;
        return sub;
    }
    CView* verifyView(CView* view, const UIAttributes& attributes, const IUIDescription*) override
    {
        const std::string viewName = nameOf(attributes);
        log.push_back(name + " verifies " + viewName);
        if (viewName == throwOn)
            throw std::runtime_error("refused");
        if (viewName == dropName)
            return nullptr;
        view->registerViewListener(this);
        watched.push_back(view);
        names.push_back(viewName);
        return view;
    }
    void viewWillDelete(CView* view) override
    {
        for (size_t i = 0; i < watched.size(); ++i) {
            if (watched[i] == view) {
                log.push_back(names[i] + " deleted");
                view->unregisterViewListener(this);
                watched.erase(watched.begin() + static_cast<long>(i));
                names.erase(names.begin() + static_cast<long>(i));
                return;
            }
        }
    }

    std::string name;
    Log& log;
    std::string throwOn;
    std::string dropName;
    std::vector<CView*> watched;
    std::vector<std::string> names;
};

constexpr const char* kAboutBox = R"(<vstgui-ui-description version="1">
  <control-tags><control-tag name="Level" tag="1"/><control-tag name="Renamed" tag="5"/></control-tags>
  <template name="view" size="100, 100" test-name="root">
    <view class="COnOffButton" test-name="outer button" control-tag="Level"/>
    <view class="CViewContainer" test-name="about" sub-controller="About">
      <view class="CTextLabel" test-name="label"/>
      <view class="CViewContainer" test-name="nested" sub-controller="Inner">
        <view class="COnOffButton" test-name="inner button" control-tag="Renamed"/>
      </view>
      <view class="COnOffButton" test-name="about button"/>
    </view>
    <view class="CNoSuchView" test-name="unknown" sub-controller="Lost"/>
  </template>
</vstgui-ui-description>)";

SharedPointer<UIDescription> aboutBox()
{
    auto description = makeOwned<UIDescription>(kAboutBox, "");
    EXPECT_TRUE(description->parse()) << description->getParseError();
    return description;
}

TEST(SubControllers, TakeChargeOfTheirNodeAndGoAfterItsViews)
{
    Log log;
    LoggingController editor("editor", log);
    const auto description = aboutBox();
    SharedPointer<CView> root = owned(description->createView("view", &editor));
    ASSERT_TRUE(root);

    EXPECT_EQ(log,
              (Log{
                  "editor verifies outer button",
                  "editor creates About",
                  "About verifies label",
                  "About creates Inner",
                  "Inner verifies inner button",
                  "Inner verifies nested",
                  "About verifies about button",
                  "About verifies about",
                  "editor creates Lost",
                  "Lost deleted",
                  "editor verifies root",
              }));

    auto* frame = dynamic_cast<CViewContainer*>(root.get());
    ASSERT_EQ(frame->getNbViews(), 2u);
    auto* about = dynamic_cast<CViewContainer*>(frame->getView(1));
    auto* aboutController = dynamic_cast<LoggingController*>(about->getController());
    ASSERT_NE(aboutController, nullptr);
    EXPECT_EQ(aboutController->name, "About");
    auto* nested = dynamic_cast<CViewContainer*>(about->getView(1));
    auto* innerButton = dynamic_cast<COnOffButton*>(nested->getView(0));

    // Each control listens to the controller in charge of it; tags go through it.
    EXPECT_EQ(dynamic_cast<COnOffButton*>(frame->getView(0))->getListener(), &editor);
    EXPECT_EQ(dynamic_cast<COnOffButton*>(about->getView(2))->getListener(), aboutController);
    EXPECT_EQ(innerButton->getListener(), nested->getController());
    EXPECT_EQ(innerButton->getTag(), 42);
    EXPECT_EQ(dynamic_cast<COnOffButton*>(frame->getView(0))->getTag(), 1);
    EXPECT_EQ(description->getTagForName("Renamed"), 5) << "outside building, the description's own tag";

    log.clear();
    frame->removeView(about);
    EXPECT_EQ(log,
              (Log{
                  "label deleted",
                  "inner button deleted",
                  "nested deleted",
                  "Inner deleted",
                  "about button deleted",
                  "about deleted",
                  "About deleted",
              }))
        << "a sub-controller outlives every view inside its node";
}

TEST(SubControllers, VerifyViewMayDropAViewWithItsSubController)
{
    Log log;
    LoggingController editor("editor", log);
    editor.dropName = "about";
    SharedPointer<CView> root = owned(aboutBox()->createView("view", &editor));
    ASSERT_TRUE(root);
    EXPECT_EQ(dynamic_cast<CViewContainer*>(root.get())->getNbViews(), 1u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "About deleted"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Inner deleted"), 1);
}

TEST(SubControllers, AFailureWhileBuildingReleasesEverythingBuilt)
{
    for (const std::string failing : {"inner button", "about", "root"}) {
        Log log;
        LoggingController editor("editor", log);
        editor.throwOn = failing;
        EXPECT_EQ(aboutBox()->createView("view", &editor), nullptr) << failing;

        // Every sub-controller made is deleted, and every view verified before the failure.
        const auto countOf = [&](const std::string& line) {
            return std::count(log.begin(), log.end(), line);
        };
        for (const std::string& line : log) {
            if (const auto at = line.find(" creates "); at != std::string::npos) {
                EXPECT_EQ(countOf(line.substr(at + 9) + " deleted"), 1) << failing << ": " << line;
            }
            if (const auto at = line.find(" verifies ");
                at != std::string::npos && line.substr(at + 10) != failing) {
                EXPECT_EQ(countOf(line.substr(at + 10) + " deleted"), 1) << failing << ": " << line;
            }
        }
    }
}

TEST(SubControllers, CustomViewsComeFromTheControllerInCharge)
{
    struct CustomMaker : IController {
        void valueChanged(CControl*) override {}
        CView* createView(const UIAttributes& attributes, const IUIDescription*) override
        {
            const std::string* name = attributes.getAttributeValue("custom-view-name");
            return *name == "special" ? new CTextLabel(CRect(0, 0, 5, 5), "custom") : nullptr;
        }
    } controller;
    auto description = makeOwned<UIDescription>(R"(<vstgui-ui-description version="1">
  <template name="view" size="10, 10">
    <view class="CView" custom-view-name="special" origin="1, 1"/>
    <view class="CView" custom-view-name="ordinary"/>
  </template></vstgui-ui-description>)",
                                                "");
    ASSERT_TRUE(description->parse());
    SharedPointer<CView> root = owned(description->createView("view", &controller));
    auto* frame = dynamic_cast<CViewContainer*>(root.get());
    ASSERT_EQ(frame->getNbViews(), 2u);
    auto* custom = dynamic_cast<CTextLabel*>(frame->getView(0));
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->getText(), "custom");
    EXPECT_EQ(custom->getViewSize(), CRect(0, 0, 5, 5)) << "a custom view is not given the node's attributes";
    EXPECT_EQ(dynamic_cast<CTextLabel*>(frame->getView(1)), nullptr);
}

}  // namespace
}  // namespace VSTGUI
