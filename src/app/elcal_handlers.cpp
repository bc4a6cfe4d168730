#include "app/elcal_handlers.h"

#include "app/startup.h"
#include "core/ambient.h"
#include "core/elcal.h"
#include "efficiency/efficiency_tip.h"
#include "help/explanations.h"
#include "help/help_hints.h"
#include "input/alternate_parameters.h"
#include "input/length_entry.h"
#include "input/load_entry.h"
#include "input/options.h"
#include "input/spin_steps.h"
#include "input/units.h"
#include "motor/motor_list.h"
#include "motor/motor_pick.h"
#include "report/clipboard_summary.h"

namespace quillet {

void AttachHandlers(Elcal& window) {
  AttachStartup(window);
  AttachLoadEntry(window);
  AttachOptions(window);
  AttachAmbient(window);
  AttachLengthEntry(window);
  AttachSpinSteps(window);
  AttachAlternateParameters(window);
  AttachUnits(window);
  AttachMotorPick(window);
  AttachEfficiencyTip(window);
  AttachClipboardSummary(window);
  AttachHelpHints(window);
  AttachExplanations(window);
  window.Text3.Change = [&window] { RefillMotorList(window); };
  // Both temperature labels turn red while the set temperature is below the estimate.
  for (Control* label : {&window.WOTD, &window.EAWOTD}) {
    label->Change = [&window] {
      const Colour colour = window.state.WireTempC < window.state.OperatingTempC ? kRed : kBlack;
      window.WOTD.SetForeColor(colour);
      window.EAWOTD.SetForeColor(colour);
    };
  }
}

}  // namespace quillet
