#include <gtest/gtest.h>

#include <string>

#include "sdk/vstgui/lib/crect.h"
#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {
namespace {

struct Counted : CBaseObject {
    explicit Counted(bool* deleted) : deleted(deleted) {}
    ~Counted() override { *deleted = true; }
    bool* deleted;
};

TEST(SharedPointer, OwnsSharesAndReleasesExactlyOnce)
{
    bool deleted = false;
    {
        SharedPointer<Counted> first = makeOwned<Counted>(&deleted);
        EXPECT_EQ(first->getNbReference(), 1);
        {
            SharedPointer<Counted> second = first;
            SharedPointer<CBaseObject> asBase = first;
            EXPECT_EQ(first->getNbReference(), 3);
            SharedPointer<Counted> moved = std::move(second);
            EXPECT_FALSE(second);
            EXPECT_EQ(first->getNbReference(), 3);
        }
        EXPECT_EQ(first->getNbReference(), 1);
        first = first;  // self-assignment keeps the object
        EXPECT_FALSE(deleted);
    }
    EXPECT_TRUE(deleted);

    deleted = false;
    auto* raw = new Counted(&deleted);
    {
        SharedPointer<Counted> sharing = shared(raw);
    }
    EXPECT_FALSE(deleted) << "shared() must leave the creator's reference alone";
    {
        SharedPointer<Counted> adopting = owned(raw);
    }
    EXPECT_TRUE(deleted);
}

TEST(CRect, EdgesSizesAndSetOperations)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.getWidth(), 100);
    EXPECT_EQ(r.getHeight(), 50);
    EXPECT_TRUE(r.pointInside({10, 20}));
    EXPECT_FALSE(r.pointInside({110, 20})) << "the right edge lies outside";
    EXPECT_FALSE(r.pointInside({10, 70})) << "the bottom edge lies outside";

    EXPECT_EQ(CRect(r).inset(5, 10), CRect(15, 30, 105, 60));
    EXPECT_EQ(CRect(r).offset(-10, -20), CRect(0, 0, 100, 50));
    EXPECT_EQ(CRect(r).moveTo(0, 0), CRect(0, 0, 100, 50));
    EXPECT_EQ(CRect(r).setWidth(5), CRect(10, 20, 15, 70));
    EXPECT_EQ(CRect(r).bound({50, 0, 200, 30}), CRect(50, 20, 110, 30));
    EXPECT_TRUE(CRect(r).bound({200, 200, 300, 300}).isEmpty());
    EXPECT_EQ(CRect(r).unite({0, 0, 1, 1}), CRect(0, 0, 110, 70));
    EXPECT_EQ(CRect(r).unite({}), r) << "an empty rectangle adds nothing";
    EXPECT_EQ(CRect(5, 5, 1, 1).normalize(), CRect(1, 1, 5, 5));
    EXPECT_EQ(CRect(0.5, 0.5, 2.2, 3.9).makeIntegral(), CRect(0, 0, 3, 4));
    EXPECT_TRUE(r.rectOverlap({100, 60, 200, 200}));
    EXPECT_FALSE(r.rectOverlap({110, 20, 200, 200})) << "touching edges do not overlap";
}

std::string lastAssertion;
void recordAssertion(const char* file, const char* /*line*/, const char* description)
{
    lastAssertion = std::string(file) + ":" + (description ? description : "");
}

TEST(DoAssert, CallsOnlyAnInstalledHandler)
{
    ASSERT_EQ(getAssertionHandler(), nullptr) << "nothing is installed by default";
    doAssert("a.cpp", "1", "ignored");  // no handler: nothing happens
    setAssertionHandler(recordAssertion);
    doAssert("b.cpp", "2", "reported");
    setAssertionHandler(nullptr);
    EXPECT_EQ(lastAssertion, "b.cpp:reported");
}

}  // namespace
}  // namespace VSTGUI
