#include "forms/elcal_form.h"

#include "forms/layout.h"
#include "forms/naming.h"

namespace quillet {

ElcalForm::ElcalForm(Desktop& desktop) : Window(desktop, "Elcal") {
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
}

Control& ElcalForm::Plain(ControlKind kind, const char* name, Control* in, const char* caption) {
  Control& control = AddPlain(kind, name, in);
  control.SetCaption(caption);
  return control;
}

OptionButton& ElcalForm::Option(const char* name, Control& in, const char* caption) {
  OptionButton& option = Add<OptionButton>(name, &in);
  option.SetCaption(caption);
  return option;
}

TextBox& ElcalForm::Text(const char* name, Control* in, const char* text) {
  TextBox& box = Add<TextBox>(name, in);
  box.SetText(text);
  return box;
}

Timer& ElcalForm::Ticker(const char* name, bool enabled) {
  Timer& timer = Add<Timer>(name);
  timer.SetInterval(50);
  timer.SetEnabled(enabled);
  return timer;
}

}  // namespace quillet
