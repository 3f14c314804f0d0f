#include "sdk/vst3/base/updatehandler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <new>
#include <thread>
#include <utility>
#include <vector>

#include "sdk/vst3/base/fobject.h"
#include "tests/support/counted.h"

namespace Steinberg {
namespace {

using Message = std::pair<FUnknown*, int32>;

// Records the messages it receives; can run an action inside update().
class Recorder : public FClass<"Recorder", FObject> {
public:
    void update(FUnknown* changed, int32 message) override
    {
        received.emplace_back(changed, message);
        if (onUpdate)
            onUpdate(changed, message);
    }
    std::vector<Message> received;
    std::function<void(FUnknown*, int32)> onUpdate;
};

// A dependent that is not an FObject (removes itself, as documented).
class PlainDependent : public morvik::testing::Counted<IDependent> {
public:
    void update(FUnknown* changed, int32 message) override { received.emplace_back(changed, message); }
    std::vector<Message> received;
};

class Model : public FClass<"Model", FObject> {
public:
    ~Model() override
    {
        if (destroyed)
            *destroyed = true;
    }
    void updateDone(int32 message) override { done.push_back(message); }
    std::vector<int32> done;
    bool* destroyed = nullptr;
};

class UpdateHandlerTest : public testing::Test {
protected:
    void TearDown() override
    {
        // Each test leaves the process-wide handler empty.
        EXPECT_EQ(UpdateHandler::instance()->countDeferredUpdates(), 0u);
    }
};

TEST_F(UpdateHandlerTest, InstanceIsASingleton)
{
    EXPECT_NE(UpdateHandler::instance(), nullptr);
    EXPECT_EQ(UpdateHandler::instance(), UpdateHandler::instance());
}

TEST_F(UpdateHandlerTest, ChangedNotifiesEveryDependentAtOnce)
{
    Model model;
    Recorder a, b;
    model.addDependent(&a);
    model.addDependent(&b);
    model.addDependent(&a);  // once only
    EXPECT_EQ(UpdateHandler::instance()->countDependents(model.unknownCast()), 2u);

    model.changed();
    const std::vector<Message> expected{{model.unknownCast(), IDependent::kChanged}};
    EXPECT_EQ(a.received, expected);
    EXPECT_EQ(b.received, expected);
    EXPECT_EQ(model.done, std::vector<int32>{IDependent::kChanged});

    model.changed(IDependent::kWillChange);
    EXPECT_EQ(a.received.back(), Message(model.unknownCast(), IDependent::kWillChange));
    EXPECT_EQ(model.done.back(), IDependent::kWillChange);

    model.removeDependent(&a);
    model.changed(42);
    EXPECT_EQ(a.received.size(), 2u);
    EXPECT_EQ(b.received.size(), 3u);
    EXPECT_EQ(b.received.back().second, 42);
    model.removeDependent(&b);
    EXPECT_EQ(UpdateHandler::instance()->countDependents(model.unknownCast()), 0u);
}

TEST_F(UpdateHandlerTest, ChangedWithoutDependentsStillCallsUpdateDone)
{
    Model model;
    model.changed();
    EXPECT_EQ(model.done, std::vector<int32>{IDependent::kChanged});
}

TEST_F(UpdateHandlerTest, DeferredUpdatesArriveOnlyWhenTriggered)
{
    Model model;
    Recorder dep;
    model.addDependent(&dep);

    model.deferUpdate();
    model.deferUpdate(7);
    model.deferUpdate();  // already queued: delivered once
    EXPECT_TRUE(dep.received.empty());
    EXPECT_TRUE(model.done.empty());
    EXPECT_EQ(UpdateHandler::instance()->countDeferredUpdates(model.unknownCast()), 2u);

    UpdateHandler::instance()->triggerDeferedUpdates();
    const std::vector<Message> expected{{model.unknownCast(), IDependent::kChanged},
                                        {model.unknownCast(), 7}};
    EXPECT_EQ(dep.received, expected);
    EXPECT_EQ(model.done, (std::vector<int32>{IDependent::kChanged, 7}));

    // Delivered and cleared.
    UpdateHandler::instance()->triggerDeferedUpdates();
    EXPECT_EQ(dep.received.size(), 2u);
    model.removeDependent(&dep);
}

TEST_F(UpdateHandlerTest, TriggerForOneObjectLeavesTheOthersQueued)
{
    Model first, second;
    Recorder dep;
    first.addDependent(&dep);
    second.addDependent(&dep);
    first.deferUpdate();
    second.deferUpdate();

    UpdateHandler::instance()->triggerDeferedUpdates(second.unknownCast());
    EXPECT_EQ(dep.received, (std::vector<Message>{{second.unknownCast(), IDependent::kChanged}}));
    EXPECT_EQ(UpdateHandler::instance()->countDeferredUpdates(first.unknownCast()), 1u);

    UpdateHandler::instance()->triggerDeferedUpdates(first.unknownCast());
    EXPECT_EQ(dep.received.back(), Message(first.unknownCast(), IDependent::kChanged));
    first.removeDependent(&dep);
    second.removeDependent(&dep);
}

TEST_F(UpdateHandlerTest, CancelUpdatesDropsThem)
{
    Model model;
    Recorder dep;
    model.addDependent(&dep);
    model.deferUpdate();
    UpdateHandler::instance()->cancelUpdates(model.unknownCast());
    UpdateHandler::instance()->triggerDeferedUpdates();
    EXPECT_TRUE(dep.received.empty());
    EXPECT_TRUE(model.done.empty());
    model.removeDependent(&dep);
}

TEST_F(UpdateHandlerTest, UpdatesDeferredDuringDeliveryWaitForTheNextTrigger)
{
    Model model;
    Recorder dep;
    model.addDependent(&dep);
    dep.onUpdate = [&](FUnknown*, int32 message) {
        if (message == 1)
            model.deferUpdate(2);
    };
    model.deferUpdate(1);
    UpdateHandler::instance()->triggerDeferedUpdates();
    ASSERT_EQ(dep.received.size(), 1u);
    EXPECT_EQ(UpdateHandler::instance()->countDeferredUpdates(), 1u);
    UpdateHandler::instance()->triggerDeferedUpdates();
    ASSERT_EQ(dep.received.size(), 2u);
    EXPECT_EQ(dep.received[1].second, 2);
    model.removeDependent(&dep);
}

TEST_F(UpdateHandlerTest, RemovalDuringDelivery)
{
    Model model;
    Recorder a, b, c;
    model.addDependent(&a);
    model.addDependent(&b);
    model.addDependent(&c);
    // a removes itself and c; b still gets this message, c does not.
    a.onUpdate = [&](FUnknown*, int32) {
        model.removeDependent(&a);
        model.removeDependent(&c);
    };
    model.changed();
    EXPECT_EQ(a.received.size(), 1u);
    EXPECT_EQ(b.received.size(), 1u);
    EXPECT_TRUE(c.received.empty());

    model.changed();
    EXPECT_EQ(a.received.size(), 1u);
    EXPECT_EQ(b.received.size(), 2u);
    EXPECT_TRUE(c.received.empty());
    model.removeDependent(&b);
}

TEST_F(UpdateHandlerTest, DependentAddedDuringDeliveryGetsTheNextMessage)
{
    Model model;
    Recorder a, late;
    model.addDependent(&a);
    a.onUpdate = [&](FUnknown*, int32) { model.addDependent(&late); };
    model.changed(1);
    EXPECT_TRUE(late.received.empty());
    model.changed(2);
    EXPECT_EQ(late.received, (std::vector<Message>{{model.unknownCast(), 2}}));
    model.removeDependent(&a);
    model.removeDependent(&late);
}

TEST_F(UpdateHandlerTest, DependentDestroyedDuringDeliveryIsSkipped)
{
    Model model;
    Recorder first;
    auto* doomed = new Recorder;
    model.addDependent(&first);
    model.addDependent(doomed);
    first.onUpdate = [&](FUnknown*, int32) { doomed->release(); };  // deleted, so forgotten
    model.changed();  // must not call the deleted dependent (ASan would report it)
    EXPECT_EQ(first.received.size(), 1u);
    EXPECT_EQ(UpdateHandler::instance()->countDependents(model.unknownCast()), 1u);
    model.removeDependent(&first);
}

TEST_F(UpdateHandlerTest, ADestroyedDependentIsForgotten)
{
    Model model;
    {
        Recorder shortLived;
        model.addDependent(&shortLived);
        EXPECT_EQ(UpdateHandler::instance()->countDependents(model.unknownCast()), 1u);
    }
    EXPECT_EQ(UpdateHandler::instance()->countDependents(model.unknownCast()), 0u);
    model.changed();
}

TEST_F(UpdateHandlerTest, ADestroyedObjectsDeferredUpdatesAreDropped)
{
    Recorder dep;
    auto* model = new Model;
    FUnknown* identity = model->unknownCast();
    model->addDependent(&dep);
    model->deferUpdate();
    model->deferUpdate(5);
    EXPECT_EQ(UpdateHandler::instance()->countDeferredUpdates(identity), 2u);
    model->release();
    EXPECT_EQ(UpdateHandler::instance()->countDeferredUpdates(identity), 0u);
    EXPECT_EQ(UpdateHandler::instance()->countDependents(identity), 0u);
    UpdateHandler::instance()->triggerDeferedUpdates();
    EXPECT_TRUE(dep.received.empty());
}

TEST_F(UpdateHandlerTest, AStackObjectIsForgottenToo)
{
    Recorder dep;
    FUnknown* identity = nullptr;
    {
        Model model;
        identity = model.unknownCast();
        model.addDependent(&dep);
        model.deferUpdate();
    }
    EXPECT_EQ(UpdateHandler::instance()->countDeferredUpdates(identity), 0u);
    UpdateHandler::instance()->triggerDeferedUpdates();
    EXPECT_TRUE(dep.received.empty());
}

TEST_F(UpdateHandlerTest, ObjectReleasedByItsDependentDuringChanged)
{
    bool destroyed = false;
    auto* model = new Model;
    model->destroyed = &destroyed;
    FUnknown* identity = model->unknownCast();
    Recorder dropper, after;
    model->addDependent(&dropper);
    model->addDependent(&after);
    dropper.onUpdate = [&](FUnknown*, int32) {
        model->release();         // the last outside reference
        EXPECT_FALSE(destroyed);  // kept alive until changed() is done
    };
    model->changed();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(dropper.received.size(), 1u);
    EXPECT_EQ(after.received.size(), 1u);
    EXPECT_EQ(UpdateHandler::instance()->countDependents(identity), 0u);
}

// A dependent whose update() waits until the test lets go of it, and which
// reports whether it died while its update() ran.
class Waiting : public FClass<"Waiting", FObject> {
public:
    struct Flags {
        std::atomic<bool> inUpdate{false};
        std::atomic<bool> released{false};
        std::atomic<bool> destroyed{false};
        std::atomic<bool> destroyedInUpdate{false};
    };
    explicit Waiting(Flags& flags) : flags(flags) {}
    ~Waiting() override
    {
        flags.destroyedInUpdate = flags.inUpdate.load();
        flags.destroyed = true;
    }
    void update(FUnknown*, int32) override
    {
        Flags& shared = flags;  // no member is touched once the test has let go
        shared.inUpdate = true;
        while (!shared.released)
            std::this_thread::yield();
        shared.inUpdate = false;
    }

private:
    Flags& flags;
};

TEST_F(UpdateHandlerTest, ADependentReleasedByAnotherThreadDuringItsUpdateDiesAfterIt)
{
    Model model;
    Waiting::Flags flags;
    auto* dependent = new Waiting(flags);
    model.addDependent(dependent);
    std::thread delivering([&] { model.changed(); });
    while (!flags.inUpdate)
        std::this_thread::yield();
    dependent->release();  // the last reference but the delivery's
    EXPECT_FALSE(flags.destroyed) << "not while its update() runs";
    flags.released = true;
    delivering.join();
    EXPECT_TRUE(flags.destroyed) << "when the delivery lets go";
    EXPECT_FALSE(flags.destroyedInUpdate);
    EXPECT_EQ(UpdateHandler::instance()->countDependents(model.unknownCast()), 0u);
}

// An object that announces a change from its own destructor. It lives in static
// storage, so that a second delete is counted instead of corrupting the heap.
class ChangedWhileDying : public FClass<"ChangedWhileDying", FObject> {
public:
    ~ChangedWhileDying() override
    {
        if (destructions++ == 0)
            changed();
    }
    static void* operator new(std::size_t size)
    {
        if (size > sizeof storage)
            throw std::bad_alloc();
        return storage;
    }
    static void operator delete(void*) { ++deletes; }

    static inline int destructions = 0;
    static inline int deletes = 0;
    alignas(std::max_align_t) static inline unsigned char storage[256];
};

TEST_F(UpdateHandlerTest, ChangedDuringDestructionDoesNotDeleteAgain)
{
    Recorder dependent;
    auto* dying = new ChangedWhileDying;
    dying->addDependent(&dependent);
    EXPECT_EQ(dying->release(), 0u);
    EXPECT_EQ(ChangedWhileDying::destructions, 1);
    EXPECT_EQ(ChangedWhileDying::deletes, 1);
    EXPECT_TRUE(dependent.received.empty());  // it was forgotten before the destructor ran
}

TEST_F(UpdateHandlerTest, ObjectReleasedByItsDependentDuringDeferredDelivery)
{
    auto* model = new Model;
    auto* other = new Model;
    Recorder dropper;
    model->addDependent(&dropper);
    other->addDependent(&dropper);
    dropper.onUpdate = [&](FUnknown* changed, int32) {
        // Drops both objects: `other`'s queued update must not be delivered.
        if (changed == model->unknownCast()) {
            model->release();
            other->release();
        }
    };
    bool modelDestroyed = false, otherDestroyed = false;
    model->destroyed = &modelDestroyed;
    other->destroyed = &otherDestroyed;
    model->deferUpdate();
    other->deferUpdate();
    UpdateHandler::instance()->triggerDeferedUpdates();
    EXPECT_EQ(dropper.received.size(), 1u);
    EXPECT_TRUE(modelDestroyed);
    EXPECT_TRUE(otherDestroyed);
}

TEST_F(UpdateHandlerTest, PlainDependentsAndObjects)
{
    PlainDependent dep;
    Model model;
    UpdateHandler* handler = UpdateHandler::instance();
    handler->addDependent(model.unknownCast(), &dep);
    handler->triggerUpdates(model.unknownCast(), 3);
    EXPECT_EQ(dep.received, (std::vector<Message>{{model.unknownCast(), 3}}));
    EXPECT_TRUE(model.done.empty());  // triggerUpdates alone does not call updateDone

    handler->deferUpdates(model.unknownCast(), 4);
    handler->triggerDeferedUpdates();
    EXPECT_EQ(dep.received.back(), Message(model.unknownCast(), 4));

    handler->removeDependentEverywhere(&dep);
    EXPECT_EQ(handler->countDependents(model.unknownCast()), 0u);

    // Null arguments are ignored.
    handler->addDependent(nullptr, &dep);
    handler->addDependent(model.unknownCast(), nullptr);
    handler->triggerUpdates(nullptr, 1);
    handler->deferUpdates(nullptr, 1);
    EXPECT_EQ(handler->countDeferredUpdates(), 0u);
}

TEST_F(UpdateHandlerTest, RemoveObjectForgetsEverything)
{
    PlainDependent dep;
    Model model;
    UpdateHandler* handler = UpdateHandler::instance();
    handler->addDependent(model.unknownCast(), &dep);
    handler->deferUpdates(model.unknownCast(), 1);
    handler->removeObject(model.unknownCast());
    EXPECT_EQ(handler->countDependents(model.unknownCast()), 0u);
    EXPECT_EQ(handler->countDeferredUpdates(model.unknownCast()), 0u);
}

TEST_F(UpdateHandlerTest, DependentMayAddAndRemoveOthersInsideUpdate)
{
    Model a, b;
    Recorder dep, other;
    a.addDependent(&dep);
    dep.onUpdate = [&](FUnknown* changed, int32) {
        if (changed == a.unknownCast()) {
            b.addDependent(&other);
            b.changed();  // nested delivery from inside update()
            b.removeDependent(&other);
        }
    };
    a.changed();
    EXPECT_EQ(other.received, (std::vector<Message>{{b.unknownCast(), IDependent::kChanged}}));
    a.removeDependent(&dep);
}

}  // namespace
}  // namespace Steinberg
