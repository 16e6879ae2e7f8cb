#include "components/interfaces/base_spot.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/undo_action.h"
#include "platform/com/runtime.h"
#include "tests/support/registered_components.h"

using namespace com;
using test_support::ComponentsModule;

namespace {

class ComponentServer : public test_support::ComponentTest {};

TEST_F(ComponentServer, CreatesByClassIdentifierAndByProgrammaticIdentifier)
{
    ComPtr<IUndoAction> byClass;
    ASSERT_EQ(CreateInstance(CLSID_PLUndoAction, byClass), S_OK);
    EXPECT_EQ(byClass->Undo(), S_OK);

    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(u"Components.MultiUndoTagAction.1", &classId), S_OK);
    EXPECT_EQ(classId, CLSID_PLMultiUndoTagAction);
    ASSERT_EQ(CLSIDFromProgID(u"components.multiundotagaction", &classId), S_OK) << "version-independent, any case";
    EXPECT_EQ(classId, CLSID_PLMultiUndoTagAction);

    ComPtr<IUndoAction> marker;
    ASSERT_EQ(CreateInstance(classId, marker), S_OK);
    EXPECT_EQ(marker->Undo(), E_NOTIMPL);
    EXPECT_TRUE(marker.tryAs<IMultiUndoTagAction>());
    EXPECT_FALSE(byClass.tryAs<IMultiUndoTagAction>());
}

TEST_F(ComponentServer, AnswersTheRightCodesForWhatIsNotThere)
{
    ComPtr<IUnknown> object;
    const CLSID unknownClass = MakeGuid("{00000000-1111-2222-3333-444444444444}");
    EXPECT_EQ(CoCreateInstance(unknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()),
              REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(object);

    ComPtr<IBaseSpot> wrongInterface;
    EXPECT_EQ(CoCreateInstance(CLSID_PLUndoAction, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseSpot,
                               wrongInterface.putVoid()),
              E_NOINTERFACE);
    EXPECT_FALSE(wrongInterface);

    CLSID classId{};
    EXPECT_EQ(CLSIDFromProgID(u"Components.NoSuchThing.1", &classId), CO_E_CLASSSTRING);

    ComPtr<IUnknown> factory;
    EXPECT_EQ(ComponentsModule::Get().getClassObject(unknownClass, IID_IClassFactory, factory.putVoid()),
              CLASS_E_CLASSNOTAVAILABLE);
    // A catalogued class without code answers the same: see class_without_code_test.cpp, which
    // builds the server over a catalogue that still has one.
}

TEST_F(ComponentServer, RefusesAggregation)
{
    ComPtr<IUndoAction> outer;
    ASSERT_EQ(CreateInstance(CLSID_PLUndoAction, outer), S_OK);
    ComPtr<IUnknown> inner;
    EXPECT_EQ(CoCreateInstance(CLSID_PLUndoAction, outer.get(), CLSCTX_INPROC_SERVER, IID_IUnknown, inner.putVoid()),
              CLASS_E_NOAGGREGATION);
}

TEST_F(ComponentServer, CanUnloadOnlyWhenNoObjectOrLockLives)
{
    const auto& module = ComponentsModule::Get();
    EXPECT_EQ(module.canUnloadNow(), S_OK);
    {
        ComPtr<IUndoAction> action;
        ASSERT_EQ(CreateInstance(CLSID_PLUndoAction, action), S_OK);
        EXPECT_EQ(module.canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(module.canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_PLBaseSpot, IID_IClassFactory, factory.putVoid()), S_OK);
    EXPECT_EQ(module.canUnloadNow(), S_OK) << "holding a class object does not keep the module";
    factory->LockServer(1);
    EXPECT_EQ(module.canUnloadNow(), S_FALSE);
    factory->LockServer(0);
    EXPECT_EQ(module.canUnloadNow(), S_OK);
}

TEST_F(ComponentServer, ObjectsAnswerForTheirInterfacesWithOneIdentity)
{
    ComPtr<IUndoAction> marker;
    ASSERT_EQ(CreateInstance(CLSID_PLMultiUndoTagAction, marker), S_OK);
    const auto tag = marker.as<IMultiUndoTagAction>();
    EXPECT_TRUE(SameObject(tag.get(), marker.get()));
    ComPtr<IDispatch> dispatch = marker.as<IDispatch>();
    EXPECT_EQ(static_cast<IDispatch*>(tag.get()), dispatch.get()) << "IDispatch is the default interface";
    EXPECT_THROW(marker.as<IBaseSpot>(), ComError);
}

TEST(Runtime, CreationNeedsAnInitialisedThread)
{
    test_support::TemporaryRegistry registry;
    ComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(CLSID_PLUndoAction, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(CoInitialize(), S_OK);
    EXPECT_EQ(CoInitialize(), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}

}  // namespace
