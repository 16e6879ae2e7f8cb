#include "platform/ui/key_codes.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace ui;

namespace {

TEST(KeyCodes, QtKeysBecomeVirtualKeysWithTheirModifiers)
{
    const struct {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        long virtualKey;
        bool shift, control;
    } cases[] = {
        {Qt::Key_Backspace, {}, kVkBack, false, false},
        {Qt::Key_Tab, {}, kVkTab, false, false},
        {Qt::Key_Backtab, {}, kVkTab, true, false},  // Shift+Tab as some platforms report it
        {Qt::Key_Tab, Qt::ShiftModifier, kVkTab, true, false},
        {Qt::Key_Return, {}, kVkReturn, false, false},
        {Qt::Key_Enter, Qt::KeypadModifier, kVkReturn, false, false},
        {Qt::Key_Left, {}, kVkLeft, false, false},
        {Qt::Key_Down, Qt::ShiftModifier, kVkDown, true, false},
        {Qt::Key_Delete, {}, kVkDelete, false, false},
        {Qt::Key_U, Qt::ControlModifier, 'U', false, true},
        {Qt::Key_7, {}, '7', false, false},
        {Qt::Key_1, Qt::KeypadModifier | Qt::ControlModifier, kVkNumpad0 + 1, false, true},  // the keypad's own
        {Qt::Key_0, Qt::KeypadModifier, kVkNumpad0, false, false},
        {Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier, kVkF6, true, true},
        {Qt::Key_F1, {}, kVkF1, false, false},
    };
    for (const auto& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers);
        const std::optional<KeyPress> key = KeyPressFrom(event);
        ASSERT_TRUE(key) << c.qtKey;
        EXPECT_EQ(key->virtualKey, c.virtualKey) << c.qtKey;
        EXPECT_EQ(key->shift, c.shift) << c.qtKey;
        EXPECT_EQ(key->control, c.control) << c.qtKey;
    }
    EXPECT_FALSE(KeyPressFrom(QKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier)));
    EXPECT_FALSE(KeyPressFrom(QKeyEvent(QEvent::KeyPress, Qt::Key_Dead_Acute, {})));
}

}  // namespace
