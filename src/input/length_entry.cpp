#include "input/length_entry.h"

#include "core/elcal.h"
#include "core/numbers.h"
#include "input/load_entry.h"
#include "platform/desktop.h"

namespace quillet {
namespace {

constexpr double kLengthLimit = 100000;

void L_GotFocus(Elcal& w) {
  w.L.SelectAll();
  w.Stat.SetCaption(" Use; keyboard, arrows or Tab Key to modify values");
}

void L_Change(Elcal& w) {
  if (!IsNumberText(w.L.Text()) || NumberValue(w.L.Text()) < kLengthLimit) return;
  w.Screen().MessageBox(" Sorry you are out of this calculator range", kStyleExclamation, "Out of range ");
  w.L.SetText("99999");
  L_GotFocus(w);
}

}  // namespace

void AttachLengthEntry(Elcal& w) {
  AttachNumericFilter(w, w.L);
  StepWithArrows(w.L, w.LS);
  w.L.Change = [&w] { L_Change(w); };
  w.L.GotFocus = [&w] { L_GotFocus(w); };
}

}  // namespace quillet
