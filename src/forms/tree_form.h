// The window `Tree`: the schedule's distribution tree as a one-line
// diagram, and how to use it.
#pragma once

#include "platform/controls.h"
#include "platform/diagram.h"
#include "platform/window.h"

namespace quillet {

inline constexpr char kTreeTitle[] = "Distribution tree";

class TreeForm : public Window {
 public:
  explicit TreeForm(Desktop& desktop);

  Diagram& Boxes = Add<Diagram>("Boxes");
  Control& Hint = AddPlain(ControlKind::Label, "Hint");
};

}  // namespace quillet
