// A main window entered through its user actions, as a person would, and
// the controls that hold a feeder's values. The engine's sessions and the
// live window ("Open in calculator") are entered the same way.
#pragma once

#include <functional>
#include <string>

#include "platform/services.h"
#include "schedule/feeder.h"

namespace quillet {

class Control;
class ComboBox;
class Elcal;
class OptionButton;
class TextBox;
class UserActions;
struct ElcalState;

// A session that keeps no settings file, shows no box and owns no clipboard:
// the messages are kept so the row can say what the window would have said.
class QuietServices : public Services {
 public:
  int MessageBox(const std::string& text, int, const std::string&) override;
  void ClearClipboard() override {}
  void SetClipboardText(const std::string&) override {}
  void Beep() override {}
  std::string NowText() override { return ""; }
  std::string TodayText() override { return ""; }
  std::string ProgramFolder() override { return ""; }
  VersionNumbers Version() override;
  bool KeepsSettingsFile() override { return false; }

  int count = 0;
  std::string last;
};

// Raised inside an evaluation when the window would have refused a value.
struct Refused {
  FeederError error;
};

// A main window entered through its user actions. With services to watch,
// a message box an action raises refuses the column's value; without, the
// boxes show to the person at the window as they would for their own keys.
class Keyboard {
 public:
  Keyboard(Elcal& window, UserActions& actions, const QuietServices* watched)
      : w_(window), act_(actions), watched_(watched) {}

  Elcal& Window() { return w_; }
  const ElcalState& State() const;

  // One round of the two tickers, as 50 ms of waiting gives.
  void Tick();
  // Runs an action; a message box it raises refuses the column's value.
  void Do(Column column, const std::function<void()>& action);
  // Replaces the field's text, as typing over it after selecting it all
  // does; an empty text deletes it.
  void Type(Column column, TextBox& box, const std::string& text);
  void Click(Control& control);
  // Selects the option unless it already is, so nothing else moves.
  void Choose(OptionButton& option);
  void Select(ComboBox& list, int index);
  void SpinUp(Control& spin);
  void SpinDown(Control& spin);

 private:
  Elcal& w_;
  UserActions& act_;
  const QuietServices* watched_;
};

bool ShowsFeet(const Elcal& w);
OptionButton& InsulationOption(Elcal& w, int ratingC);
// The size list's item for an area: the aluminium list starts at 12 AWG.
int SizeListIndex(int area, bool aluminium);

}  // namespace quillet
