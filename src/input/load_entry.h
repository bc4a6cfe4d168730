// The voltage, current and power fields and the two timers that keep the
// load lock between current and power.
#pragma once

namespace quillet {

class Elcal;
class SpinButton;
class TextBox;

void AttachLoadEntry(Elcal& window);
// The filter of every numeric field: backspace, "." "/" and the digits.
void AttachNumericFilter(Elcal& window, TextBox& field);
// The up and down arrow keys in a field run its spin button's steps.
void StepWithArrows(TextBox& field, SpinButton& spin);

}  // namespace quillet
