// The names assistive tools know controls by, where a control's own caption
// or its frame's does not tell it apart. The tables live with the windows.
#pragma once

#include <span>

namespace quillet {

class Window;

struct Naming {
  const char* name;
  const char* namedBy;    // a control of the same window, or nullptr
  const char* qualifier;  // "" for none
};

// A name the window lacks is a programming error.
void NameControls(Window& window, std::span<const Naming> namings);

// The main window's result labels and fields that share a frame.
void NameElcal(Window& window);

}  // namespace quillet
