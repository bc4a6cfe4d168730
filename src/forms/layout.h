// Where each control of a window sits. The tables live with the windows;
// views read the places back from the controls.
#pragma once

#include <span>
#include <vector>

#include "platform/controls.h"

namespace quillet {

class Window;

struct Placement {
  const char* name;
  Bounds bounds;
};

// Places each named control; a name the window lacks is a programming error.
void Arrange(Window& window, std::span<const Placement> placements);

// Controls that flow across a resizable window, left to right in lines: a
// group stays on one line while it fits, a line may be asked for, and a
// control that fills takes the rest of its line. Lines are centred on
// their tallest control.
enum class Flow { Along, Group, Line };
struct FlowItem {
  const char* name;
  int width, height;
  int gap;                  // before it, unless it starts a line
  Flow flow = Flow::Along;  // Group and Line start a group; Line also a line
  bool fills = false;
};

// The height the controls take across that width.
int FlowHeight(std::span<const FlowItem> items, int width);
// Places them across that width from the top left.
void ArrangeFlow(Window& window, std::span<const FlowItem> items, int left, int top, int width);

// The main window's rows of groups.
void ArrangeElcal(Window& window);

}  // namespace quillet
