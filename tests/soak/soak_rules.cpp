#include "soak_rules.h"

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "core/numbers.h"
#include "settings/settings_file.h"
#include "app/program.h"
#include "platform/table.h"

namespace quillet {
namespace {

const std::regex kNonFinite("(^|[^A-Za-z])(nan|inf|infinity)([^A-Za-z]|$)", std::regex::icase);

// Fields where the user may type any word.
bool FreeText(const Window& window, const Control& control) {
  return control.Name() == "Job" || window.Name() == "EffCon";
}

}  // namespace

std::optional<std::string> BrokenRule(Program& program, const std::string& folder) {
  Elcal& w = program.main;
  const ElcalState& s = w.state;
  const int expectedSizes = w.OptAL.Value() ? 20 : 21;
  if (w.ComWS.ListCount() != expectedSizes)
    return "the size list has " + std::to_string(w.ComWS.ListCount()) + " items";
  int oneOught = 0;
  while (oneOught < w.ComWS.ListCount() && w.ComWS.Items()[static_cast<std::size_t>(oneOught)].find("1/0") ==
                                               std::string::npos)
    ++oneOught;
  // While the voltage holds no number no pass runs and the results stand
  // still by design; the rule is for the size the list shows once they run.
  const bool passesRun = w.Timer1.Enabled() || w.Timer2.Enabled();
  // The pass keeps the size inside the list; a material click on a list with
  // nothing selected may leave it outside until then.
  if (passesRun && (s.SizeIndex < 0 || s.SizeIndex >= w.ComWS.ListCount()))
    return "SizeIndex " + std::to_string(s.SizeIndex) + " is outside the list";
  const int shownSize = std::max(w.ComWS.ListIndex(), 0);
  if (passesRun && shownSize < oneOught && (s.Runs != 1 || !w.OptionNOR1.Value()))
    return "parallel runs below 1/0 (Runs " + std::to_string(s.Runs) + ")";
  for (Window* window : program.Windows()) {
    std::vector<const Control*> groups;
    for (const Control* c : window->Controls())
      if (c->Kind() == ControlKind::Option3D && std::find(groups.begin(), groups.end(), c->Container()) == groups.end())
        groups.push_back(c->Container());
    for (const Control* group : groups) {
      int selected = 0;
      for (const Control* c : window->Controls())
        if (c->Kind() == ControlKind::Option3D && c->Container() == group)
          selected += static_cast<const OptionButton*>(c)->Value() ? 1 : 0;
      if (selected != 1) return "a group of " + window->Name() + " has " + std::to_string(selected) + " options selected";
    }
    for (const Control* c : window->Controls()) {
      std::string shown = c->Caption();
      if (auto* box = dynamic_cast<const TextBox*>(c); box && !FreeText(*window, *c)) shown += "|" + box->Text();
      if (auto* list = dynamic_cast<const ComboBox*>(c))
        for (const std::string& item : list->Items()) shown += "|" + item;
      if (auto* table = dynamic_cast<const Table*>(c))
        for (const Table::Row& row : table->Rows())
          for (const std::string& cell : row) shown += "|" + cell;
      if (std::regex_search(shown, kNonFinite)) return c->Name() + " shows a non-finite number: " + shown;
    }
  }
  if (w.Timer1.Enabled() != (s.Locked == LoadLock::Current) || w.Timer2.Enabled() != (s.Locked == LoadLock::Power))
    return "the tickers do not follow the load lock " + std::string(ChoiceName(s.Locked));
  if (w.CmdUnit.Caption() != (s.LengthUnit == LengthSystem::Imperial ? "FT" : "m") ||
      w.CmdDeg.Caption() != (s.TemperatureUnit == TemperatureScale::Fahrenheit ? "°F" : "°C"))
    return "the unit buttons do not show the units in use";
  const Colour checkColours[] = {kDarkGreen, kWindowText, kRed};
  if (w.Ampacit.ForeColor() != checkColours[static_cast<std::size_t>(s.LoadCheck)])
    return "the ampacity colour does not show the check " + std::string(ChoiceName(s.LoadCheck));
  if (!w.Timer1.Enabled() && !w.Timer2.Enabled() && IsNumberText(w.V.Text()))
    return "both timers are off while the voltage is a number";
  if (std::filesystem::exists(std::filesystem::path(folder) / kSettingsFileName) && !ReadSettingsFile(folder))
    return "the settings file cannot be read back";
  return std::nullopt;
}

std::size_t EventsPerSession(const char* variable, std::size_t fallback) {
  const char* events = std::getenv(variable);
  return events ? std::strtoul(events, nullptr, 10) : fallback;
}

}  // namespace quillet
