// Where each control of a window sits. The tables live with the windows;
// views read the places back from the controls.
#pragma once

#include <span>

#include "platform/controls.h"

namespace quillet {

class Window;

struct Placement {
  const char* name;
  Bounds bounds;
};

// Places each named control; a name the window lacks is a programming error.
void Arrange(Window& window, std::span<const Placement> placements);

// The main window's rows of groups.
void ArrangeElcal(Window& window);

}  // namespace quillet
