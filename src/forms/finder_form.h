// The size finder `Finder`: the drop limit, the continuous-load choice and
// the runs, the table of sizes, the answer, Use this size and Close.
#pragma once

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/window.h"

namespace quillet {

class FinderForm : public Window {
 public:
  explicit FinderForm(Desktop& desktop);

  Control& LimitLabel = AddPlain(ControlKind::Label, "LimitLabel");
  TextBox& Limit = Add<TextBox>("Limit");
  CheckBox& Continuous = Add<CheckBox>("Continuous");
  Control& RunsLabel = AddPlain(ControlKind::Label, "RunsLabel");
  ComboBox& Runs = Add<ComboBox>("Runs");
  Grid& Sizes = Add<Grid>("Sizes");
  Control& Answer = AddPlain(ControlKind::Label, "Answer");
  Control& UseSize = AddPlain(ControlKind::CommandButton, "UseSize");
  Control& CloseButton = AddPlain(ControlKind::CommandButton, "CloseButton");
};

}  // namespace quillet
