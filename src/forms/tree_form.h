// The window `Tree`: the schedule's distribution tree as a one-line
// diagram, and how to use it. The window may be resized: the diagram takes
// what the hint under it leaves.
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

 private:
  // Lays the controls out for the window's size.
  void Fit();
};

}  // namespace quillet
