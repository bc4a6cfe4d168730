// The size finder `Finder`: the drop limit, the continuous-load choice, the
// runs, the DC and nonlinear-load choices, the table of sizes, the design,
// the conductor set, the answer, Use this size and Close.
#pragma once

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/window.h"

namespace quillet {

inline constexpr char kContinuousCaption[] = "Continuous load (125 %)";

class FinderForm : public Window {
 public:
  explicit FinderForm(Desktop& desktop);

  Control& LimitLabel = AddPlain(ControlKind::Label, "LimitLabel");
  TextBox& Limit = Add<TextBox>("Limit");
  CheckBox& Continuous = Add<CheckBox>("Continuous");
  Control& RunsLabel = AddPlain(ControlKind::Label, "RunsLabel");
  ComboBox& Runs = Add<ComboBox>("Runs");
  CheckBox& DcFeeder = Add<CheckBox>("DcFeeder");
  CheckBox& Nonlinear = Add<CheckBox>("Nonlinear");
  Grid& Sizes = Add<Grid>("Sizes");
  Control& Design = AddPlain(ControlKind::Label, "Design");
  Control& ConductorSet = AddPlain(ControlKind::Label, "ConductorSet");
  Control& Answer = AddPlain(ControlKind::Label, "Answer");
  Control& UseSize = AddPlain(ControlKind::CommandButton, "UseSize");
  Control& CloseButton = AddPlain(ControlKind::CommandButton, "CloseButton");
};

}  // namespace quillet
