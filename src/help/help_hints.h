// The status line as a help line: moving the mouse over a control (or
// focusing some of them) writes a one-line hint into `Stat`.
#pragma once

namespace quillet {

class Elcal;

void AttachHelpHints(Elcal& window);

}  // namespace quillet
