#include "ui/elcal.h"

#include "core/ambient.h"
#include "core/startup.h"
#include "efficiency/efficiency_tip.h"
#include "input/alternate_parameters.h"
#include "input/length_entry.h"
#include "input/load_entry.h"
#include "input/options.h"
#include "input/spin_steps.h"
#include "input/units.h"
#include "motor/motor_list.h"
#include "motor/motor_pick.h"
#include "report/clipboard_summary.h"
#include "ui/explanations.h"
#include "ui/help_hints.h"
#include "ui/layout.h"
#include "ui/naming.h"

namespace quillet {

Elcal::Elcal(Desktop& desktop) : Window(desktop, "Elcal") {
  SetCaption("Quillet. Based on 2017 to 2023 NEC Tables 8 & 9 +");
  SetSize(kMainWidth, kHeightWithStatus);
  for (OptionButton* selected : {&TPh, &OptPF1, &OptMAG, &Opt75C, &OptCU, &OptionNOR1})
    SelectOption(*selected);
  ArrangeElcal(*this);
  NameElcal(*this);
  // The temperature makes this caption longer than the column at 8 points.
  LabelCP.SetTypeface({7, false});
  Ampacit.SetToolTip("See Status Bar for explanation of colours");
  for (Control* hidden : {static_cast<Control*>(&Text1), static_cast<Control*>(&Text2),
                          static_cast<Control*>(&Text3), &TiCommon})
    hidden->SetVisible(false);
  AttachHandlers();
}

void Elcal::AttachHandlers() {
  AttachStartup(*this);
  AttachLoadEntry(*this);
  AttachOptions(*this);
  AttachAmbient(*this);
  AttachLengthEntry(*this);
  AttachSpinSteps(*this);
  AttachAlternateParameters(*this);
  AttachUnits(*this);
  AttachMotorPick(*this);
  AttachEfficiencyTip(*this);
  AttachClipboardSummary(*this);
  AttachHelpHints(*this);
  AttachExplanations(*this);
  Text3.Change = [this] { RefillMotorList(*this); };
  // Both temperature labels turn red while the set temperature is below the estimate.
  for (Control* label : {&WOTD, &EAWOTD}) {
    label->Change = [this] {
      const Colour colour = state.WireTempC < state.OperatingTempC ? kRed : kBlack;
      WOTD.SetForeColor(colour);
      EAWOTD.SetForeColor(colour);
    };
  }
}

Control& Elcal::Plain(ControlKind kind, const char* name, Control* in, const char* caption) {
  Control& control = AddPlain(kind, name, in);
  control.SetCaption(caption);
  return control;
}

OptionButton& Elcal::Option(const char* name, Control& in, const char* caption) {
  OptionButton& option = Add<OptionButton>(name, &in);
  option.SetCaption(caption);
  return option;
}

TextBox& Elcal::Text(const char* name, Control* in, const char* text) {
  TextBox& box = Add<TextBox>(name, in);
  box.SetText(text);
  return box;
}

Timer& Elcal::Ticker(const char* name, bool enabled) {
  Timer& timer = Add<Timer>(name);
  timer.SetInterval(50);
  timer.SetEnabled(enabled);
  return timer;
}

}  // namespace quillet
