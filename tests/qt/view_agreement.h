// Whether a window on screen shows exactly its model: every widget's text
// or caption, colour, enabled and visible state, checked state, list items
// and pick, a grid's headings, cells, marked row and current cell, a menu's
// items and keys, accessible name, and the window's title, shown state,
// place and size.
#pragma once

#include <optional>
#include <string>

namespace quillet {

class WindowView;

// The first difference found, as a sentence naming the control.
std::optional<std::string> Disagreement(const WindowView& view);

}  // namespace quillet
