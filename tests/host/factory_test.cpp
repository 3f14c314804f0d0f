// The factory helpers against a mock factory: what they ask and what they make of it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/host/plugin_mocks.h"
#include "tools/host/factory.h"
#include "tools/host/text.h"

namespace {
using namespace Steinberg;
using namespace morvik::host;
using morvik::testing::MockComponent;
using morvik::testing::MockPluginFactory;
using ::testing::_;
using ::testing::DoAll;
using ::testing::Invoke;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgPointee;

const FUID kEffectId{0x11111111, 0x22222222, 0x33333333, 0x44444444};
const FUID kControllerId{0x55555555, 0x66666666, 0x77777777, 0x88888888};

template <std::size_t N>
void setText(char (&field)[N], const char* text)
{
    std::strncpy(field, text, N - 1);
}

PClassInfo classInfo(const FUID& cid, const char* category, const char* name)
{
    PClassInfo info{};
    cid.toTUID(info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    setText(info.category, category);
    setText(info.name, name);
    return info;
}

// A factory with a controller class first and an effect class second, so that
// a search by category has to look past the first entry.
class FactoryHelpers : public ::testing::Test {
protected:
    FactoryHelpers()
    {
        ON_CALL(factory, countClasses()).WillByDefault(Return(2));
        ON_CALL(factory, getClassInfo(0, _))
            .WillByDefault(
                DoAll(SetArgPointee<1>(classInfo(kControllerId, "Component Controller Class", "Ctrl")),
                      Return(kResultOk)));
        ON_CALL(factory, getClassInfo(1, _))
            .WillByDefault(DoAll(SetArgPointee<1>(classInfo(kEffectId, "Audio Module Class", "Effect")),
                                 Return(kResultOk)));
        ON_CALL(factory, queryInterface(_, _)).WillByDefault(Invoke([this](const TUID iid, void** obj) {
            *obj = nullptr;
            if (!answersNewerInterfaces && !iidEqual(iid, IPluginFactory::iid))
                return kNoInterface;
            *obj = &factory;
            return kResultOk;
        }));
    }

    NiceMock<MockPluginFactory> factory;
    bool answersNewerInterfaces = true;
};

TEST_F(FactoryHelpers, ListsClassesInFactoryOrder)
{
    const auto infos = classInfos(factory);
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(boundedText(infos[0].name), "Ctrl");
    EXPECT_EQ(boundedText(infos[1].name), "Effect");
    EXPECT_EQ(FUID::fromTUID(infos[1].cid), kEffectId);
}

TEST_F(FactoryHelpers, ListStopsAtTheFirstClassTheFactoryCannotDescribe)
{
    EXPECT_CALL(factory, getClassInfo2(0, _)).WillOnce(Return(kResultOk));
    EXPECT_CALL(factory, getClassInfo2(1, _)).WillOnce(Return(kInvalidArgument));
    EXPECT_EQ(classInfos2(factory).size(), 1u);
}

TEST_F(FactoryHelpers, NewerListsAreEmptyWithoutTheirInterface)
{
    answersNewerInterfaces = false;
    EXPECT_CALL(factory, getClassInfo2(_, _)).Times(0);
    EXPECT_CALL(factory, getClassInfoUnicode(_, _)).Times(0);
    EXPECT_TRUE(classInfos2(factory).empty());
    EXPECT_TRUE(classInfosUnicode(factory).empty());
}

TEST_F(FactoryHelpers, FactoryInfoIsEmptyWhenTheFactoryFails)
{
    EXPECT_CALL(factory, getFactoryInfo(_)).WillOnce(Return(kResultFalse));
    EXPECT_FALSE(factoryInfo(factory).has_value());
}

TEST_F(FactoryHelpers, CreatesTheComponentOfTheEffectCategoryAndTheControllerItNames)
{
    NiceMock<MockComponent> component;
    EXPECT_CALL(factory, createInstance(_, _, _))
        .WillOnce(Invoke([&](FIDString cid, FIDString iid, void** obj) {
            EXPECT_TRUE(iidEqual(cid, kEffectId));
            EXPECT_TRUE(iidEqual(iid, Vst::IComponent::iid));
            *obj = static_cast<Vst::IComponent*>(&component);
            return kResultOk;
        }))
        .WillOnce(Invoke([&](FIDString cid, FIDString iid, void** obj) {
            EXPECT_TRUE(iidEqual(cid, kControllerId));
            EXPECT_TRUE(iidEqual(iid, Vst::IEditController::iid));
            *obj = nullptr;
            return kResultFalse;
        }));
    EXPECT_CALL(component, getControllerClassId(_)).WillOnce(Invoke([](TUID cid) {
        kControllerId.toTUID(cid);
        return kResultOk;
    }));
    EXPECT_CALL(component, release()).Times(1);

    auto created = createComponent(factory);
    ASSERT_EQ(created.get(), &component);
    EXPECT_FALSE(createController(factory, *created)) << "the factory refused the controller";
}

TEST_F(FactoryHelpers, NoControllerWhenTheComponentNamesNone)
{
    NiceMock<MockComponent> component;
    EXPECT_CALL(component, getControllerClassId(_)).WillOnce(Return(kResultFalse));
    EXPECT_CALL(factory, createInstance(_, _, _)).Times(0);
    EXPECT_FALSE(createController(factory, component));
}

TEST_F(FactoryHelpers, NoComponentWithoutAnEffectClass)
{
    ON_CALL(factory, countClasses()).WillByDefault(Return(1));
    EXPECT_CALL(factory, createInstance(_, _, _)).Times(0);
    EXPECT_FALSE(createComponent(factory));
    EXPECT_EQ(findClass(factory, kComponentControllerClass), kControllerId);
}

}  // namespace
