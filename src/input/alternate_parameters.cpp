#include "input/alternate_parameters.h"

#include "core/elcal.h"
#include "core/numbers.h"
#include "input/load_entry.h"
#include "platform/desktop.h"

namespace quillet {
namespace {

struct ParameterField {
  TextBox& field;
  float& value;
  float upper;
  const char* message;
  const char* hint;
};

// 0 is accepted and switches the alternate result off; so does a rejection.
void Changed(Elcal& w, const ParameterField& p) {
  if (!IsNumberText(p.field.Text())) return;
  p.value = static_cast<float>(NumberValue(p.field.Text()));
  if (p.value >= 0 && p.value <= p.upper) return;
  w.Screen().MessageBox(p.message, kStyleInformation, "Out of range");
  p.value = 0;
  p.field.SetText(p.hint);
  p.field.SelectAll();
}

void Attach(Elcal& w, const ParameterField& p) {
  AttachNumericFilter(w, p.field);
  p.field.GotFocus = [&field = p.field] { field.SelectAll(); };
  p.field.Change = [&w, p] { Changed(w, p); };
}

}  // namespace

void AttachAlternateParameters(Elcal& w) {
  Attach(w, {w.TextACR, w.state.UserRac, 12, "Please insert resistance value in the 0.001 to 12 range",
             "0.001\u00f712"});
  Attach(w, {w.TextXLR, w.state.UserXl, 1, "Please insert reactance value in the 0.001 to 1 range",
             "0.001\u00f71"});
}

}  // namespace quillet
