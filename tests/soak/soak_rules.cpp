#include "soak_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "core/numbers.h"
#include "settings/settings_file.h"
#include "app/program.h"
#include "platform/grid.h"

namespace quillet {
namespace {

const std::regex kNonFinite("(^|[^A-Za-z])(nan|inf|infinity)([^A-Za-z]|$)", std::regex::icase);

// The pattern is slow; most texts lack even the letters.
bool ShowsNonFinite(const std::string& shown) {
  std::string lower = shown;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos) return false;
  return std::regex_search(shown, kNonFinite);
}

// Fields where the user may type any word.
bool FreeText(const Window& window, const Control& control) {
  return control.Name() == "Job" || window.Name() == "EffCon";
}

// The cells a grid shows: the user's own in editable columns, the program's
// in the others, which never show a non-finite number.
std::string ProgramCells(const GridSource& source) {
  std::string shown;
  for (int column = 0; column < source.ColumnCount(); ++column) {
    if (source.Editable(column)) continue;
    shown += "|" + source.Heading(column);
    for (int row = 0; row < source.RowCount(); ++row) shown += "|" + source.Cell(row, column);
  }
  return shown;
}

std::optional<std::string> BrokenGrid(const Grid& grid) {
  const int rows = grid.Source() ? grid.Source()->RowCount() : 0;
  const int columns = grid.Source() ? grid.Source()->ColumnCount() : 0;
  if (grid.Marked() < -1 || grid.Marked() >= rows)
    return grid.Name() + " marks row " + std::to_string(grid.Marked()) + " of " + std::to_string(rows);
  if (grid.CurrentRow() < -1 || grid.CurrentRow() >= rows || grid.CurrentColumn() < -1 ||
      grid.CurrentColumn() >= columns || (grid.CurrentRow() < 0) != (grid.CurrentColumn() < 0))
    return grid.Name() + " has its current cell at " + std::to_string(grid.CurrentRow()) + "," +
           std::to_string(grid.CurrentColumn()) + " in " + std::to_string(rows) + " x " + std::to_string(columns);
  if (grid.ReadOnly() && grid.CurrentRow() >= 0) return grid.Name() + " is read-only and has a current cell";
  return std::nullopt;
}

}  // namespace

SoakRules::SoakRules(Program& program, std::string folder)
    : program_(program), folder_(std::move(folder)), overlap_(std::make_shared<std::optional<std::string>>()) {
  for (Window* window : program.Windows()) {
    for (Control* control : window->Controls()) {
      auto* timer = dynamic_cast<Timer*>(control);
      if (!timer) continue;
      timer->Tick = [tick = std::move(timer->Tick), timer, &desktop = program.desktop, overlap = overlap_] {
        if (!*overlap && desktop.Ticking() != timer)
          *overlap = timer->Owner().Name() + "." + timer->Name() + " ran inside another handler";
        if (tick) tick();
      };
    }
  }
}

std::optional<std::string> SoakRules::Broken() const {
  Program& program = program_;
  if (*overlap_) return *overlap_;
  if (program.desktop.Busy()) return "the desktop is still busy after the event";
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
      if (auto* grid = dynamic_cast<const Grid*>(c)) {
        if (auto broken = BrokenGrid(*grid)) return window->Name() + "." + *broken;
        if (grid->Source()) shown += ProgramCells(*grid->Source());
      }
      if (ShowsNonFinite(shown)) return c->Name() + " shows a non-finite number: " + shown;
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
  if (std::filesystem::exists(std::filesystem::path(folder_) / kSettingsFileName) && !ReadSettingsFile(folder_))
    return "the settings file cannot be read back";
  return std::nullopt;
}

std::size_t EventsPerSession(const char* variable, std::size_t fallback) {
  const char* events = std::getenv(variable);
  return events ? std::strtoul(events, nullptr, 10) : fallback;
}

}  // namespace quillet
