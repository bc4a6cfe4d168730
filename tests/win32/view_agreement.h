// Whether the Windows view shows exactly its model: every control's text or
// caption, colour (as the window hands it to the control to draw), enabled
// and visible state, place, check, list items and pick, caret, the finder's
// table, the menu's items and keys, the timers, and each window's title,
// shown state, place, size and modality.
#pragma once

#include <optional>
#include <string>

namespace quillet {

class Win32App;

// The first difference found in any window, as a sentence naming the control.
std::optional<std::string> Disagreement(const Win32App& app);

}  // namespace quillet
