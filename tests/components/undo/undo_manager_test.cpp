#include "components/interfaces/class_ids.h"
#include "components/interfaces/undo_manager.h"
#include "platform/com/runtime.h"
#include "tests/support/dispatch_calls.h"
#include "tests/support/registered_components.h"

#include <memory>
#include <string>

using namespace com;
using namespace test_support;

namespace {

// An action that writes "<name>-" on Undo and "<name>+" on Redo into a shared log, and counts how
// many of its kind still live.
class LoggingAction final : public Implements<LoggingAction, IUndoAction> {
public:
    LoggingAction(std::string name, std::string& log, int& alive, HRESULT answer = S_OK)
        : name_(std::move(name)), log_(log), alive_(alive), answer_(answer)
    {
        ++alive_;
    }
    HRESULT Undo() noexcept override { log_ += name_ + "- "; return answer_; }
    HRESULT Redo() noexcept override { log_ += name_ + "+ "; return answer_; }

private:
    ~LoggingAction() override { --alive_; }
    std::string name_;
    std::string& log_;
    int& alive_;
    HRESULT answer_;
};

class UndoManager : public ComponentTest {
protected:
    void SetUp() override
    {
        ComponentTest::SetUp();
        manager = CreateInstance<IUndoManager>(CLSID_PLUndoManager);
    }
    void TearDown() override
    {
        manager.reset();
        ComponentTest::TearDown();
    }

    ComPtr<IUndoAction> action(const std::string& name, HRESULT answer = S_OK)
    {
        return Make<LoggingAction>(name, log, alive, answer);
    }
    void add(const ComPtr<IUndoAction>& each) { ASSERT_EQ(manager->AddUndoAction(each.get()), S_OK); }
    void addMarker() { add(CreateInstance<IUndoAction>(CLSID_PLMultiUndoTagAction)); }
    bool undoAvailable()
    {
        VARIANT_BOOL available = 0;
        manager->UndoAvailable(&available);
        return available == VARIANT_TRUE;
    }
    bool redoAvailable()
    {
        VARIANT_BOOL available = 0;
        manager->RedoAvailable(&available);
        return available == VARIANT_TRUE;
    }
    std::string played()
    {
        return std::exchange(log, std::string());
    }

    ComPtr<IUndoManager> manager;
    std::string log;
    int alive = 0;
};

TEST_F(UndoManager, EmptyHistoryDoesNothing)
{
    EXPECT_EQ(manager->Undo(), S_OK);
    EXPECT_EQ(manager->Redo(), S_OK);
    EXPECT_FALSE(undoAvailable());
    EXPECT_FALSE(redoAvailable());
    EXPECT_EQ(manager->AddUndoAction(nullptr), E_POINTER);
    EXPECT_FALSE(undoAvailable());
}

TEST_F(UndoManager, UndoMovesTheNewestActionAndANewEditEndsTheRedoHistory)
{
    add(action("a"));
    add(action("b"));
    manager->Undo();
    EXPECT_EQ(played(), "b- ");
    EXPECT_TRUE(undoAvailable());
    EXPECT_TRUE(redoAvailable());

    add(action("c"));
    EXPECT_FALSE(redoAvailable());
    EXPECT_EQ(alive, 2) << "the undone action was released";
    manager->Redo();
    EXPECT_EQ(played(), "");
    manager->Undo();
    manager->Undo();
    EXPECT_EQ(played(), "c- a- ");
    manager->Redo();
    manager->Redo();
    EXPECT_EQ(played(), "a+ c+ ");
}

TEST_F(UndoManager, AGroupUndoesAndRedoesAsOneStep)
{
    add(action("a"));
    addMarker();
    add(action("x"));
    add(action("y"));
    addMarker();

    manager->Undo();
    EXPECT_EQ(played(), "y- x- ");
    manager->Redo();
    EXPECT_EQ(played(), "x+ y+ ");
    manager->Undo();
    manager->Undo();
    EXPECT_EQ(played(), "y- x- a- ") << "after the group the undo stack held exactly what it held before";
    EXPECT_FALSE(undoAvailable());
    manager->Redo();
    manager->Redo();
    EXPECT_EQ(played(), "a+ x+ y+ ");
    EXPECT_FALSE(redoAvailable());
}

TEST_F(UndoManager, AGroupWithoutItsSecondMarkerStopsWhereTheStackEnds)
{
    add(action("a"));
    addMarker();
    add(action("x"));
    manager->Undo();
    EXPECT_EQ(played(), "x- ");
    manager->Undo();  // the lone marker reads as a closing one
    EXPECT_EQ(played(), "a- ");
    EXPECT_FALSE(undoAvailable());
    manager->Redo();
    EXPECT_EQ(played(), "a+ ");
    manager->Redo();
    EXPECT_EQ(played(), "x+ ");
    EXPECT_FALSE(redoAvailable());
    EXPECT_TRUE(undoAvailable());
}

TEST_F(UndoManager, AFailingActionStillMovesToTheOtherStack)
{
    add(action("bad", E_FAIL));
    EXPECT_EQ(manager->Undo(), S_OK);
    EXPECT_FALSE(undoAvailable());
    EXPECT_TRUE(redoAvailable());
    EXPECT_EQ(manager->Redo(), S_OK);
    EXPECT_EQ(played(), "bad- bad+ ");
}

TEST_F(UndoManager, ResetAndReleaseLetGoOfEveryAction)
{
    add(action("a"));
    add(action("b"));
    manager->Undo();
    ASSERT_EQ(manager->ResetUndoState(), S_OK);
    EXPECT_FALSE(undoAvailable());
    EXPECT_FALSE(redoAvailable());
    EXPECT_EQ(alive, 0);

    add(action("c"));
    add(action("d"));
    manager->Undo();
    EXPECT_EQ(manager->ClearUndoStack(), S_OK);
    EXPECT_EQ(alive, 1);
    EXPECT_TRUE(redoAvailable());
    EXPECT_EQ(manager->ClearRedoStack(), S_OK);
    EXPECT_EQ(alive, 0);

    add(action("e"));
    add(action("f"));
    manager->Undo();
    manager.reset();
    EXPECT_EQ(alive, 0) << "releasing the manager releases both stacks";
}

TEST_F(UndoManager, IsCreatableByProgrammaticIdentifierAndCallableThroughInvoke)
{
    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(u"Components.UndoManager", &classId), S_OK);
    EXPECT_EQ(classId, CLSID_PLUndoManager);

    IDispatch* call = AsDispatch(manager);
    ExpectDispatchIds(call, {{u"SetDocument", 1}, {u"Undo", 2}, {u"Redo", 3}, {u"UndoAvailable", 4},
                             {u"RedoAvailable", 5}, {u"ClearUndoStack", 6}, {u"ClearRedoStack", 7},
                             {u"ResetUndoState", 8}, {u"AddUndoAction", 9}});
    auto document = CreateInstance<IUnknown>(CLSID_PLDocument);
    Call(call, 1, document.get());
    Call(call, 9, action("a").get());
    Call(call, 9, action("b").get());
    EXPECT_EQ(Call(call, 4).boolVal, VARIANT_TRUE);
    Call(call, 2);
    EXPECT_EQ(CallForBool(call, 5), VARIANT_TRUE) << "RedoAvailable answers through its by-reference parameter";
    Call(call, 3);
    Call(call, 2);
    EXPECT_EQ(played(), "b- b+ b- ");
    Call(call, 6);
    EXPECT_EQ(Call(call, 4).boolVal, VARIANT_FALSE);
    Call(call, 7);
    EXPECT_EQ(CallForBool(call, 5), VARIANT_FALSE);
    Call(call, 9, action("c").get());
    Call(call, 8);
    EXPECT_EQ(Call(call, 4).boolVal, VARIANT_FALSE);
    EXPECT_EQ(alive, 0);
}

}  // namespace
