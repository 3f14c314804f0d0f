#include <gtest/gtest.h>

#include "tools/host/host_application.h"
#include "tools/host/text.h"

namespace {
using namespace Steinberg;
using morvik::host::create;
using morvik::host::HostApplication;

TEST(HostApplication, NamesItself)
{
    auto host = create<HostApplication>();
    String128 name{};
    ASSERT_EQ(host->getName(name), kResultOk);
    EXPECT_EQ(morvik::host::toUtf8(name), "Morvik Test Host");
    EXPECT_EQ(host->getName(nullptr), kInvalidArgument);
}

TEST(HostApplication, CreatesNoInstances)
{
    auto host = create<HostApplication>();
    TUID cid{};
    TUID iid{};
    void* object = &cid;
    EXPECT_EQ(host->createInstance(cid, iid, &object), kResultFalse);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(host->createInstance(cid, iid, nullptr), kInvalidArgument);
}

TEST(HostApplication, OffersTheExtraInterfaceOnlyWhenAsked)
{
    auto plain = create<HostApplication>();
    auto wrapper = create<HostApplication>(Vst::IVst3ToAUWrapper::iid);
    void* answer = nullptr;

    EXPECT_EQ(plain->queryInterface(Vst::IVst3ToAUWrapper::iid, &answer), kNoInterface);
    EXPECT_EQ(answer, nullptr);

    ASSERT_EQ(wrapper->queryInterface(Vst::IVst3ToAUWrapper::iid, &answer), kResultOk);
    EXPECT_NE(answer, nullptr);
    static_cast<FUnknown*>(answer)->release();
    EXPECT_EQ(wrapper->queryInterface(Vst::IHostApplication::iid, &answer), kResultOk);
    static_cast<FUnknown*>(answer)->release();
    EXPECT_EQ(wrapper->addRef(), 2u);
    wrapper->release();
}

}  // namespace
