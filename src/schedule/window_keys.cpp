#include "schedule/window_keys.h"

#include "core/elcal.h"
#include "platform/desktop.h"
#include "platform/utf8.h"
#include "platform/user_actions.h"
#include "platform/version.h"
#include "schedule/feeder_engine.h"
#include "schedule/feeder_row.h"

namespace quillet {

int QuietServices::MessageBox(const std::string& text, int, const std::string&) {
  ++count;
  last = text;
  return kAnswerOk;
}

VersionNumbers QuietServices::Version() { return ProgramVersion(); }

const ElcalState& Keyboard::State() const { return w_.state; }

void Keyboard::Tick() { WaitForPass(w_, act_); }

void Keyboard::Do(Column column, const std::function<void()>& action) {
  const int before = watched_ ? watched_->count : 0;
  action();
  if (watched_ && watched_->count != before)
    throw Refused{{column, "the window says \"" + TrimmedCell(watched_->last) + "\""}};
}

void Keyboard::Type(Column column, TextBox& box, const std::string& text) {
  Do(column, [&] {
    act_.Focus(box);
    if (box.SelLength() != box.Length()) act_.SelectText(box, 0, box.Length());
    if (text.empty() && box.Length() > 0) act_.DeleteKey(box);
    for (int i = 0, count = Utf8Length(text); i < count; ++i) {
      const std::size_t from = Utf8Offset(text, i);
      act_.TypeChar(box, text.substr(from, Utf8Offset(text, i + 1) - from));
    }
  });
}

void Keyboard::Click(Control& control) { act_.Click(control); }

void Keyboard::Choose(OptionButton& option) {
  if (!option.Value()) act_.Click(option);
}

void Keyboard::Select(ComboBox& list, int index) { act_.Select(list, index); }
void Keyboard::SpinUp(Control& spin) { act_.SpinUp(spin); }
void Keyboard::SpinDown(Control& spin) { act_.SpinDown(spin); }

bool ShowsFeet(const Elcal& w) { return w.state.LengthUnit == LengthSystem::Imperial; }

OptionButton& InsulationOption(Elcal& w, int ratingC) {
  if (ratingC == 60) return w.Opt60C;
  return ratingC == 90 ? w.Opt90C : w.Opt75C;
}

int SizeListIndex(int area, bool aluminium) { return area - (aluminium ? 1 : 0); }

}  // namespace quillet
