#include "sdk/vst3/base/fobject.h"

#include <gtest/gtest.h>

#include "sdk/vst3/base/updatehandler.h"
#include "sdk/vst3/interfaces/pluginbase.h"

namespace Steinberg {
namespace {

class Animal : public FClass<"Animal", FObject> {
public:
    Animal() = default;
    explicit Animal(int legs) : legs(legs) {}
    int legs = 0;
};

class Dog : public FClass<"Dog", Animal> {
public:
    Dog() : FClass(4) {}
};

class Puppy : public FClass<"Puppy", Dog> {};

class Plant : public FClass<"Plant", FObject> {};

// The hand-written pattern for classes that do not use FClass.
class Stone : public Animal {
public:
    static FClassID getFClassID() { return "Stone"; }
    FClassID isA() const override { return getFClassID(); }
    bool isA(FClassID s) const override { return isTypeOf(s, false); }
    bool isTypeOf(FClassID s, bool askBaseClass = true) const override
    {
        return classIDsEqual(s, getFClassID()) || (askBaseClass && Animal::isTypeOf(s, true));
    }
};

// An FObject that implements a further interface, as ComponentBase does.
class Plugin : public FClass<"Plugin", FObject>, public IPluginBase {
public:
    tresult queryInterface(const TUID iid, void** obj) override
    {
        if (queryOwnInterface<IPluginBase>(iid, obj, this))
            return kResultOk;
        return FObject::queryInterface(iid, obj);
    }
    uint32 addRef() override { return FObject::addRef(); }
    uint32 release() override { return FObject::release(); }
    tresult initialize(FUnknown*) override { return kResultOk; }
    tresult terminate() override { return kResultOk; }
};

struct DestructionFlag : public FObject {
    explicit DestructionFlag(bool* flag) : flag(flag) {}
    ~DestructionFlag() override { *flag = true; }
    bool* flag;
};

TEST(FObject, ReferenceCountStartsAtOneAndReleaseDeletesAtZero)
{
    bool destroyed = false;
    auto* object = new DestructionFlag(&destroyed);
    EXPECT_EQ(object->getRefCount(), 1);
    EXPECT_EQ(object->addRef(), 2u);
    EXPECT_EQ(object->getRefCount(), 2);
    EXPECT_EQ(object->release(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(object->release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(FObject, ACopyIsANewObject)
{
    Animal a(3);
    a.addRef();
    Animal b(a);
    EXPECT_EQ(b.getRefCount(), 1);
    EXPECT_EQ(b.legs, 3);
    b = a;
    EXPECT_EQ(b.getRefCount(), 1);
    a.release();
}

TEST(FObject, QueryInterfaceAnswersFUnknownAndIDependent)
{
    auto* object = new FObject;
    void* obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(object->queryInterface(FUnknown::iid, &obj), kResultOk);
    EXPECT_EQ(obj, static_cast<void*>(object->unknownCast()));
    EXPECT_EQ(object->getRefCount(), 2);
    EXPECT_EQ(object->queryInterface(IDependent::iid, &obj), kResultOk);
    EXPECT_EQ(obj, static_cast<void*>(static_cast<IDependent*>(object)));
    EXPECT_EQ(object->getRefCount(), 3);

    obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(object->queryInterface(IPluginBase::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(object->queryInterface(nullptr, &obj), kNoInterface);
    EXPECT_EQ(object->queryInterface(FUnknown::iid, nullptr), kInvalidArgument);
    EXPECT_EQ(object->getRefCount(), 3);
    object->release();
    object->release();
    object->release();
}

TEST(FObject, QueryOwnInterfaceForExtraInterfaces)
{
    auto* plugin = new Plugin;
    IPtr<IPluginBase> base = queryInterfacePtr<IPluginBase>(plugin->unknownCast());
    ASSERT_TRUE(base);
    EXPECT_EQ(base.get(), static_cast<IPluginBase*>(plugin));
    EXPECT_EQ(plugin->getRefCount(), 2);

    // The identity stays the FObject's FUnknown, whichever interface is asked.
    IPtr<FUnknown> unknown = queryInterfacePtr<FUnknown>(base.get());
    EXPECT_EQ(unknown.get(), plugin->unknownCast());
    EXPECT_TRUE(queryInterfacePtr<IDependent>(base.get()));

    void* obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(plugin->queryInterface(IPluginBase::iid, nullptr), kInvalidArgument);
    EXPECT_EQ(plugin->queryInterface(FUID(1, 2, 3, 4), &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    base.reset();
    unknown.reset();
    EXPECT_EQ(plugin->getRefCount(), 1);
    plugin->release();
}

TEST(FObject, ClassNamesWithInheritance)
{
    Puppy puppy;
    EXPECT_STREQ(puppy.isA(), "Puppy");
    EXPECT_STREQ(Puppy::getFClassID(), "Puppy");
    EXPECT_STREQ(Dog::getFClassID(), "Dog");
    EXPECT_STREQ(FObject::getFClassID(), "FObject");

    // isA(name): exactly this class.
    EXPECT_TRUE(puppy.isA("Puppy"));
    EXPECT_FALSE(puppy.isA("Dog"));
    // isTypeOf(name): this class or a base; with askBaseClass false, exactly this class.
    EXPECT_TRUE(puppy.isTypeOf("Puppy"));
    EXPECT_TRUE(puppy.isTypeOf("Dog"));
    EXPECT_TRUE(puppy.isTypeOf("Animal"));
    EXPECT_TRUE(puppy.isTypeOf("FObject"));
    EXPECT_FALSE(puppy.isTypeOf("Plant"));
    EXPECT_FALSE(puppy.isTypeOf("Dog", false));
    EXPECT_TRUE(puppy.isTypeOf("Puppy", false));
    EXPECT_FALSE(puppy.isTypeOf(nullptr));

    // Names compare as text, not as pointers.
    char name[] = "Animal";
    EXPECT_TRUE(puppy.isTypeOf(name));

    // Through a base pointer.
    const FObject& object = puppy;
    EXPECT_STREQ(object.isA(), "Puppy");
    EXPECT_TRUE(object.isTypeOf(Dog::getFClassID()));

    Dog dog;
    EXPECT_EQ(dog.legs, 4);
    EXPECT_FALSE(dog.isTypeOf("Puppy"));
    EXPECT_TRUE(dog.isTypeOf("Animal"));

    FObject plain;
    EXPECT_STREQ(plain.isA(), "FObject");
    EXPECT_TRUE(plain.isA("FObject"));
    EXPECT_FALSE(plain.isTypeOf("Animal"));
}

TEST(FObject, HandWrittenClassNames)
{
    Stone stone;
    EXPECT_STREQ(stone.isA(), "Stone");
    EXPECT_TRUE(stone.isA("Stone"));
    EXPECT_FALSE(stone.isA("Animal"));
    EXPECT_TRUE(stone.isTypeOf("Animal"));
    EXPECT_TRUE(stone.isTypeOf("FObject"));
    EXPECT_FALSE(stone.isTypeOf("Animal", false));
}

TEST(FObject, FCast)
{
    Puppy puppy;
    Plant plant;
    FObject* a = &puppy;
    FObject* b = &plant;
    EXPECT_EQ(FCast<Dog>(a), static_cast<Dog*>(&puppy));
    EXPECT_EQ(FCast<Animal>(a), static_cast<Animal*>(&puppy));
    EXPECT_EQ(FCast<Dog>(b), nullptr);
    EXPECT_EQ(FCast<Plant>(b), &plant);
    EXPECT_EQ(FCast<Dog>(static_cast<FObject*>(nullptr)), nullptr);
    const FObject* c = a;
    EXPECT_EQ(FCast<Puppy>(c), &puppy);
}

}  // namespace
}  // namespace Steinberg
