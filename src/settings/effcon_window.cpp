#include "settings/effcon_window.h"

#include "core/elcal.h"
#include "core/numbers.h"
#include "forms/center_over_main.h"
#include "platform/desktop.h"
#include "platform/services.h"

namespace quillet {

// One of the three real settings: its box, range, default and refusal.
struct EffConWindow::Field {
  int box;  // Text1 to Text3
  float Settings::*value;
  float low, high, fallback;
  const char* refusal;
};

const EffConWindow::Field EffConWindow::kFields[3] = {
    {1, &Settings::HoursPerDay, 1, 24, 24,
     "For hours of operation please enter number between 1 or 24 or accept the default"},
    {2, &Settings::DaysPerWeek, 1, 7, 7,
     "For Day a week operation please enter integer between 1 or 7 or accept the default"},
    {3, &Settings::CostPerKWh, 0.001f, 1000, 0.1f,
     "For cost of one \"kWh\" please enter value between $ 1000 and $ 0.001 or accept the default"},
};

namespace {

bool InRange(float value, float low, float high) { return value >= low && value <= high; }

}  // namespace

EffConWindow::EffConWindow(Desktop& desktop, Elcal& main) : EffConForm(desktop), main_(main) {
  Load = [this] { Form_Load(); };
  Command1.Click = [this] { SaveChanges(); };
  Command2.Click = [this] { Close(); };
}

TextBox& EffConWindow::Box(const Field& field) {
  TextBox* const boxes[] = {&Text1, &Text2, &Text3};
  return *boxes[field.box - 1];
}

void EffConWindow::Form_Load() {
  CenterOverMain(*this, main_, Width(), Height());
  // An unreadable file shows the defaults, reported as a corrupted file.
  const std::optional<Settings> read = ReadSettingsFile(Screen().Os().ProgramFolder());
  values_ = read.value_or(Settings{});
  int corrections = read ? 0 : 1;
  System.SetValue(values_.StartMetric == 1 ? 1 : 0);
  Help.SetValue(values_.HideStatusPanel != 1 ? 1 : 0);
  for (const Field& field : kFields) Box(field).SetText(ShortSingleText(values_.*field.value));
  for (const Field& field : kFields) corrections += CorrectOnOpening(field);
  if (corrections > 0)
    Screen().MessageBox(
        "Configuration file was corrupted, default values are shown, Please review and safe the configuration",
        kStyleInformation, "Configuration File Corrupted");
}

int EffConWindow::CorrectOnOpening(const Field& field) {
  TextBox& box = Box(field);
  const std::string fallback = ShortSingleText(field.fallback);
  int corrections = 0;
  if (IsNumberText(box.Text())) {
    values_.*field.value = static_cast<float>(NumberValue(box.Text()));
  } else {
    box.SetText(fallback);
    ++corrections;
  }
  if (!InRange(values_.*field.value, field.low, field.high)) {
    values_.*field.value = field.fallback;
    box.SetText(fallback);
    ++corrections;
  }
  return corrections;
}

bool EffConWindow::Accept(const Field& field) {
  TextBox& box = Box(field);
  if (IsNumberText(box.Text())) {
    values_.*field.value = static_cast<float>(NumberValue(box.Text()));
    if (InRange(values_.*field.value, field.low, field.high)) return true;
  }
  Screen().MessageBox(field.refusal, kStyleInformation, "Entry not accepted");
  box.SetText(ShortSingleText(field.fallback));
  box.SetSelStart(0);
  box.SetSelLength(box.Length());
  return false;
}

void EffConWindow::SaveChanges() {
  values_.StartMetric = System.Value() == 1 ? 1 : 0;
  values_.HideStatusPanel = Help.Value() == 1 ? 0 : 1;
  for (const Field& field : kFields)
    if (!Accept(field)) return;
  if (!WriteSettingsFile(Screen().Os().ProgramFolder(), values_)) {
    // Nothing is handed over either: the window stays open with the entries.
    // Name the folder: it is not always the program's own.
    Screen().MessageBox("The settings could not be saved: the file " + std::string(kSettingsFileName) + " in " +
                            Screen().Os().ProgramFolder() +
                            " cannot be written. Check that the folder is writable, then click Save Changes again.",
                        kStyleExclamation, "Settings not saved");
    return;
  }
  ElcalState& s = main_.state;
  s.HideStatusPanel = values_.HideStatusPanel;
  s.HoursPerDay = values_.HoursPerDay;
  s.DaysPerWeek = values_.DaysPerWeek;
  s.CostPerKWh = values_.CostPerKWh;
  Close();
}

}  // namespace quillet
