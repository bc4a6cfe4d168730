// Qt keys as the calculator's key codes (the Windows virtual-key numbers,
// platform/view_rules.h).
#pragma once

class QKeyEvent;

namespace quillet {

// 0 for a key the calculator has no code for.
int KeyCodeOf(const QKeyEvent& event);

}  // namespace quillet
