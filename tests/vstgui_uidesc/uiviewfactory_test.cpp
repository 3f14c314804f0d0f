#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/vstgui/lib/cview.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"

namespace VSTGUI {
namespace {

// A creator that logs each call and applies as told, registered for one test.
class LoggingCreator : public ViewCreatorAdapter {
public:
    LoggingCreator(const char* name, const char* base, std::vector<std::string>& log, bool applies = true)
        : name(name), base(base), log(log), applies(applies)
    {
        UIViewFactory::registerViewCreator(*this);
    }
    ~LoggingCreator() override { UIViewFactory::unregisterViewCreator(*this); }

    IdStringPtr getViewName() const override { return name; }
    IdStringPtr getBaseViewName() const override { return base; }
    CView* create(const UIAttributes&, const IUIDescription*) const override
    {
        log.push_back(std::string("create ") + name);
        return new CView(CRect(0, 0, 1, 1));
    }
    bool apply(CView*, const UIAttributes&, const IUIDescription*) const override
    {
        log.push_back(std::string("apply ") + name);
        return applies;
    }
    bool getAttributeNames(StringList& names) const override
    {
        names.push_back(std::string(name) + "-attribute");
        return true;
    }
    AttrType getAttributeType(const std::string& attribute) const override
    {
        return attribute == std::string(name) + "-attribute" ? kIntegerType : kUnknownType;
    }
    bool getAttributeValue(CView*, const std::string& attribute, std::string& value,
                           const IUIDescription*) const override
    {
        if (attribute != std::string(name) + "-attribute")
            return false;
        value = name;
        return true;
    }

private:
    const char* name;
    const char* base;
    std::vector<std::string>& log;
    bool applies;
};

UIAttributes classAttributes(const char* className)
{
    UIAttributes attributes;
    attributes.setAttribute("class", className);
    return attributes;
}

TEST(UIViewFactory, CreatesThenAppliesAlongTheChainUntilAnApplyRefuses)
{
    std::vector<std::string> log;
    const LoggingCreator root("TestRoot", nullptr, log);
    const LoggingCreator refusing("TestRefusing", "TestRoot", log, false);
    const LoggingCreator middle("TestMiddle", "TestRefusing", log);
    const LoggingCreator leaf("TestLeaf", "TestMiddle", log);
    const UIViewFactory factory;

    SharedPointer<CView> view = owned(factory.createView(classAttributes("TestLeaf"), nullptr));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->getNbReference(), 1);
    EXPECT_EQ(log,
              (std::vector<std::string>{"create TestLeaf", "apply TestLeaf", "apply TestMiddle",
                                        "apply TestRefusing"}));
    EXPECT_STREQ(factory.getViewName(view), "TestLeaf");

    log.clear();
    EXPECT_FALSE(factory.applyAttributeValues(view, {}, nullptr)) << "the refusal is the answer";
    EXPECT_EQ(log.size(), 3u);
}

TEST(UIViewFactory, AnswersForAViewAlongItsChain)
{
    std::vector<std::string> log;
    const LoggingCreator root("TestRoot", nullptr, log);
    const LoggingCreator leaf("TestLeaf", "TestRoot", log);
    const UIViewFactory factory;
    SharedPointer<CView> view = owned(factory.createView(classAttributes("TestLeaf"), nullptr));

    IViewCreator::StringList names{"kept"};
    EXPECT_TRUE(factory.getAttributeNamesForView(view, names));
    EXPECT_EQ(names, (IViewCreator::StringList{"kept", "TestLeaf-attribute", "TestRoot-attribute"}));
    EXPECT_EQ(factory.getAttributeType(view, "TestRoot-attribute"), IViewCreator::kIntegerType);
    EXPECT_EQ(factory.getAttributeType(view, "other"), IViewCreator::kUnknownType);
    std::string value;
    EXPECT_TRUE(factory.getAttributeValue(view, "TestRoot-attribute", value, nullptr));
    EXPECT_EQ(value, "TestRoot");

    // A view the factory did not make has no chain.
    SharedPointer<CView> plain = makeOwned<CView>(CRect());
    EXPECT_EQ(factory.getViewName(plain), nullptr);
    EXPECT_FALSE(factory.getAttributeNamesForView(plain, names));
    EXPECT_EQ(factory.getAttributeType(plain, "TestRoot-attribute"), IViewCreator::kUnknownType);
}

TEST(UIViewFactory, MakesNothingForUnknownClassesAndSurvivesALoopingChain)
{
    std::vector<std::string> log;
    const LoggingCreator first("TestFirst", "TestSecond", log);
    const LoggingCreator second("TestSecond", "TestFirst", log);
    const UIViewFactory factory;

    EXPECT_EQ(factory.createView(classAttributes("TestNoSuchClass"), nullptr), nullptr);
    EXPECT_EQ(factory.createView(UIAttributes(), nullptr), nullptr);
    EXPECT_TRUE(log.empty());

    SharedPointer<CView> view = owned(factory.createView(classAttributes("TestFirst"), nullptr));
    EXPECT_TRUE(view);
    EXPECT_LT(log.size(), 100u);
}

TEST(UIViewFactory, RegistersTheLibraryCreatorsStatically)
{
    for (const char* name :
         {"CView", "CViewContainer", "CControl", "CParamDisplay", "CTextLabel", "COnOffButton"}) {
        const IViewCreator* creator = UIViewFactory::getViewCreator(name);
        ASSERT_NE(creator, nullptr) << name;
        EXPECT_STREQ(creator->getViewName(), name);
    }
    const struct {
        const char* name;
        const char* base;
    } chain[] = {{"CView", nullptr},
                 {"CViewContainer", "CView"},
                 {"CControl", "CView"},
                 {"CParamDisplay", "CControl"},
                 {"CTextLabel", "CParamDisplay"},
                 {"COnOffButton", "CControl"}};
    for (const auto& link : chain) {
        const IdStringPtr base = UIViewFactory::getViewCreator(link.name)->getBaseViewName();
        EXPECT_EQ(std::string(base ? base : "none"), std::string(link.base ? link.base : "none"))
            << link.name;
    }
}

}  // namespace
}  // namespace VSTGUI
