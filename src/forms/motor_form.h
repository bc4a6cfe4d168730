// The motor information window `Motor`: how the full-load current is chosen.
#pragma once

#include "platform/window.h"

namespace quillet {

class MotorForm : public Window {
 public:
  explicit MotorForm(Desktop& desktop);

  Control& Label1;
  Control& Label2;
  Control& Label3;
  Control& Label4;
};

}  // namespace quillet
