#pragma once

#include <optional>

class QKeyEvent;

namespace ui {

// The platform's virtual-key codes that the controls read.
enum VirtualKey : long {
    kVkBack = 8,
    kVkTab = 9,
    kVkReturn = 13,
    kVkEscape = 27,
    kVkSpace = 32,
    kVkPrior = 33,
    kVkNext = 34,
    kVkEnd = 35,
    kVkHome = 36,
    kVkLeft = 37,
    kVkUp = 38,
    kVkRight = 39,
    kVkDown = 40,
    kVkDelete = 46,
    kVkNumpad0 = 0x60,  // to kVkNumpad0 + 9 for the keypad's digits
    kVkF1 = 112,
    kVkF6 = 117,
};

// A key press as the controls see it: the virtual-key code (letters and digits are their upper-case
// character codes, the keypad's digits kVkNumpad0 to kVkNumpad0 + 9) and the state of Shift and Ctrl
// at the time of the press.
struct KeyPress {
    long virtualKey;
    bool shift;
    bool control;
};

// Nothing for keys that have no virtual-key code (a modifier alone, dead keys, composed text).
std::optional<KeyPress> KeyPressFrom(const QKeyEvent& event);

}  // namespace ui
