// Qt keys as the calculator's key codes (the Windows virtual-key numbers).
#pragma once

class QKeyEvent;

namespace quillet {

// 0 for a key the calculator has no code for.
int KeyCodeOf(const QKeyEvent& event);
// Keys a text field handles itself: caret moves and selections.
bool IsCaretKey(const QKeyEvent& event);

}  // namespace quillet
