#include "platform/ui/key_codes.h"

#include <QKeyEvent>
#include <algorithm>
#include <iterator>

namespace ui {

namespace {

struct KeyCode {
    int qtKey;
    long virtualKey;
};

// Shift+Tab arrives as Backtab: it is Tab with Shift held, which is how the controls read it.
constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, kVkBack}, {Qt::Key_Tab, kVkTab},       {Qt::Key_Backtab, kVkTab},
    {Qt::Key_Return, kVkReturn},  {Qt::Key_Enter, kVkReturn},  {Qt::Key_Escape, kVkEscape},
    {Qt::Key_Space, kVkSpace},    {Qt::Key_PageUp, kVkPrior},  {Qt::Key_PageDown, kVkNext},
    {Qt::Key_End, kVkEnd},        {Qt::Key_Home, kVkHome},     {Qt::Key_Left, kVkLeft},
    {Qt::Key_Up, kVkUp},          {Qt::Key_Right, kVkRight},   {Qt::Key_Down, kVkDown},
    {Qt::Key_Delete, kVkDelete},
};

std::optional<long> VirtualKeyOf(int key, bool keypad)
{
    // Qt gives the keypad's digits the codes of the others and tells them apart by a modifier; the
    // platform's codes for them are their own.
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return kVkNumpad0 + (key - Qt::Key_0);
    // Qt numbers letters and digits by their character codes, as the platform does.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return kVkF1 + (key - Qt::Key_F1);
    const auto found = std::find_if(std::begin(kKeyCodes), std::end(kKeyCodes),
                                    [key](const KeyCode& code) { return code.qtKey == key; });
    if (found == std::end(kKeyCodes)) return std::nullopt;
    return found->virtualKey;
}

}  // namespace

std::optional<KeyPress> KeyPressFrom(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const std::optional<long> code = VirtualKeyOf(event.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (!code) return std::nullopt;
    return KeyPress{*code, modifiers.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab,
                    modifiers.testFlag(Qt::ControlModifier)};
}

}  // namespace ui
