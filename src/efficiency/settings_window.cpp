#include "efficiency/settings_window.h"

#include "core/numbers.h"
#include "platform/desktop.h"
#include "platform/services.h"
#include "ui/center_over_main.h"
#include "ui/elcal.h"
#include "ui/layout.h"
#include "ui/naming.h"

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

constexpr int kEffConWidth = 6090;
constexpr int kEffConHeight = 3360;

constexpr Placement kEffConPlaces[] = {
    {"Label5", {120, 120, 5760, 240}},
    {"Label2", {120, 510, 3960, 240}},  {"Text1", {4200, 480, 1560, 300}},
    {"Label3", {120, 870, 3960, 240}},  {"Text2", {4200, 840, 1560, 300}},
    {"Label4", {120, 1230, 3960, 240}}, {"Text3", {4200, 1200, 1560, 300}},
    {"System", {120, 1650, 5760, 270}},
    {"Help", {120, 1950, 5760, 270}},
    {"Command1", {1320, 2400, 1560, 420}},
    {"Command2", {3120, 2400, 1560, 420}},
};

constexpr Naming kEffConNames[] = {
    {"Text1", "Label2", ""}, {"Text2", "Label3", ""}, {"Text3", "Label4", ""}};

bool InRange(float value, float low, float high) { return value >= low && value <= high; }

}  // namespace

EffConWindow::EffConWindow(Desktop& desktop, Elcal& main) : Window(desktop, "EffCon"), main_(main) {
  SetCaption("Calculator configuration");
  SetSize(kEffConWidth, kEffConHeight);
  Arrange(*this, kEffConPlaces);
  Label5.SetCaption("When calculating energy lost in feeder assume the following:");
  Label2.SetCaption("Hours per day operation");
  Label3.SetCaption("Days a week operation (52 weeks in a year)");
  Label4.SetCaption("Dollar per one (1) kWh - Energy cost");
  Text2.SetToolTip(
      "If operating 6 days a week but only for 44 weeks in the year. Multiply number of days by 44/52 i.e. 6x44/52 = "
      "5.08 days");
  System.SetCaption("Start the calculator in metric system (Restart required)");
  Help.SetCaption("Enable the help/information status bar at the bottom");
  Command1.SetCaption("Save Changes");
  Command2.SetCaption("Cancel");
  NameControls(*this, kEffConNames);
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
    Screen().MessageBox("The settings could not be saved: the file " + std::string(kSettingsFileName) +
                            " in the program folder cannot be written. Check that the folder is writable, then "
                            "click Save Changes again.",
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
