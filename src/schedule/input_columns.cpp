// The input columns. Each descriptor holds everything about its column:
// the spellings its cell takes and what it refuses, the cell a feeder's
// value writes, the clicks and keys that enter it in the main window, where
// the window keeps it, and the list the schedule window offers.
#include <algorithm>
#include <iterator>

#include "core/ambient.h"
#include "core/elcal.h"
#include "core/numbers.h"
#include "core/tables.h"
#include "schedule/cell_text.h"
#include "schedule/columns.h"
#include "design/feeder_design.h"
#include "schedule/feeder_engine.h"
#include "schedule/feeder_row.h"
#include "schedule/window_keys.h"

namespace quillet {
namespace {

// In the order of the window's power-factor options.
constexpr double kPowerFactors[] = {0.75, 0.8, 0.85, 0.9, 0.95, 1.0};
constexpr double kMaxVoltage = 1000000;
constexpr int kMaxRuns = 6;

const std::vector<std::vector<std::string>> kSystems = {{"3", "3ph"}, {"1", "1ph"}, {"dc"}};
constexpr int kSinglePhase = 1, kDc = 2;
const std::vector<std::vector<std::string>> kMaterials = {{"cu", "copper"}, {"al", "aluminum", "aluminium"}};
const std::vector<std::vector<std::string>> kConduits = {{"steel"}, {"pvc"}};
const std::vector<std::vector<std::string>> kUnits = {{"m", "meter", "meters", "metre", "metres"},
                                                      {"ft", "feet", "foot"}};
const std::vector<std::vector<std::string>> kYesNo = {{"no", "n", "0", "false"}, {"yes", "y", "1", "true"}};

// Units a heading or a number may name.
const std::vector<ValueUnit> kVolts = {{{"V", "volt", "volts"}}};
const std::vector<ValueUnit> kAmperes = {{{"A", "amp", "amps", "ampere", "amperes"}}};
const std::vector<ValueUnit> kWatts = {{{"W", "watt", "watts"}}};
const std::vector<ValueUnit> kHorsepower = {{{"HP"}}};
const std::vector<ValueUnit> kPercentOfOne = {{{"%"}, 100}};
const std::vector<ValueUnit> kPercent = {{{"%"}}};
const std::vector<ValueUnit> kDegrees = {{{"°C", "C", "degC"}}};
const std::vector<ValueUnit> kLengthUnits = {{kUnits[0]}, {kUnits[1]}};
// Size cells name their own units; a heading may say which.
const std::vector<ValueUnit> kSizeUnits = {{{"AWG", "kcmil", "MCM", "AWG/kcmil", "AWG/MCM"}}};

// The load columns, one of which a row gives.
struct Load {
  Column column;
  LoadKind kind;
  const char* allowed;
};
constexpr Load kLoads[] = {{Column::Current, LoadKind::Current, "amperes above 0"},
                           {Column::Power, LoadKind::Power, "watts above 0"},
                           {Column::MotorHp, LoadKind::Motor, "a horsepower of the motor list"}};

// Reading.

std::string LoadNames(const std::vector<const Load*>& present) {
  std::string names;
  for (std::size_t i = 0; i < present.size(); ++i)
    names += (i == 0 ? "" : i + 1 == present.size() ? " and " : ", ") + std::string(ColumnName(present[i]->column));
  return names;
}

// The size list's row the text names ("14", "1/0", "250"), or none.
std::optional<int> AreaNamed(const std::string& text) {
  for (int area = 0; area < kSizeCount; ++area) {
    const std::string name = SizeName(area);
    if (name.substr(0, name.find(' ')) == text) return area;
  }
  return std::nullopt;
}

void ReadVoltage(const RowReader& row, FeederInputs& f) {
  const char* allowed = "volts above 0 and below 1000000";
  f.voltage = row.Decimal(Column::Voltage, allowed);
  const double volts = NumberValue(f.voltage);
  if (!(volts > 0 && volts < kMaxVoltage)) throw BadValue{Column::Voltage, allowed};
  // Leaving the field rounds it to whole volts (two decimals below 1 V).
  const std::string kept = FormatPattern(volts, volts < 1 ? "Fixed" : "###,###");
  if (NumberValue(kept) != volts)
    throw BadValue{Column::Voltage, "the window keeps " + std::string(volts < 1 ? "two decimals below 1 V" : "whole volts") +
                                        " (this would be " + ExactText(NumberValue(kept)) + " V)"};
}

// The one load column the row gives, or none; a message names only the
// load columns the file has.
std::optional<Column> LoadColumn(const RowReader& row) {
  std::vector<const Load*> present;
  const Load* given = nullptr;
  int count = 0;
  for (const Load& load : kLoads) {
    if (!row.Has(load.column)) continue;
    present.push_back(&load);
    if (!row.Given(load.column)) continue;
    if (count++ == 0) given = &load;
  }
  if (count <= 1) return given ? std::optional(given->column) : std::nullopt;
  throw BadValue{given->column, "exactly one of " + LoadNames(present) + " is given"};
}

void ReadLoad(const RowReader& row, FeederInputs& f, const Load& load) {
  const auto given = LoadColumn(row);
  if (!given) f.load = LoadKind::None;
  if (given != load.column) return;
  f.load = load.kind;
  if (load.kind == LoadKind::Motor) {
    f.loadText = row.Fraction(load.column, load.allowed);
    return;
  }
  f.loadText = row.Decimal(load.column, load.allowed);
  if (!(NumberValue(f.loadText) > 0)) throw BadValue{load.column, load.allowed};
}

void ReadPowerFactor(const RowReader& row, FeederInputs& f) {
  if (!row.Given(Column::Pf)) return;
  const char* allowed = "0.75, 0.8, 0.85, 0.9, 0.95 or 1";
  const double pf = row.Number(Column::Pf, allowed);
  const auto at = std::find(std::begin(kPowerFactors), std::end(kPowerFactors), pf);
  if (at == std::end(kPowerFactors)) throw BadValue{Column::Pf, allowed};
  f.pfOption = static_cast<int>(at - std::begin(kPowerFactors));
}

void ReadInsulation(const RowReader& row, FeederInputs& f) {
  if (!row.Given(Column::Insulation)) return;
  const char* allowed = "60, 75 or 90";
  f.insulationC = row.Whole(Column::Insulation, allowed);
  if (f.insulationC != 60 && f.insulationC != 75 && f.insulationC != 90) throw BadValue{Column::Insulation, allowed};
}

void ReadLength(const RowReader& row, FeederInputs& f) {
  const char* allowed = "a one-way length above 0";
  f.length = row.Decimal(Column::Length, allowed);
  if (!(NumberValue(f.length) > 0)) throw BadValue{Column::Length, allowed};
}

void ReadRuns(const RowReader& row, FeederInputs& f) {
  if (!row.Given(Column::Runs)) return;
  const char* allowed = "1 to 6";
  f.runs = row.Whole(Column::Runs, allowed);
  if (f.runs < 1 || f.runs > kMaxRuns) throw BadValue{Column::Runs, allowed};
}

// Needs the material, which comes before it. A number of zeros is an
// aught size ("000" is 3/0); a unit must be the size's own.
void ReadSize(const RowReader& row, FeederInputs& f) {
  if (!row.Given(Column::Size)) return;
  std::string text = LowerCell(row.Text(Column::Size));
  if (text.starts_with('#')) text.erase(0, 1);
  std::string unit;
  for (const char* named : {"awg", "kcmil", "mcm"}) {
    if (!text.ends_with(named)) continue;
    unit = named;
    text = TrimmedCell(text.substr(0, text.size() - unit.size()));
    break;
  }
  if (!text.empty() && text.size() <= 4 && text.find_first_not_of('0') == std::string::npos)
    text = std::to_string(text.size()) + "/0";
  f.areaIndex = AreaNamed(text);
  if (!f.areaIndex) throw BadValue{Column::Size, "14 AWG … 4/0 AWG, 250 … 1000 kcmil (also 14, #14, 4/0, 250 MCM)"};
  const bool kcmil = SizeName(*f.areaIndex).ends_with("kcmil");
  if (!unit.empty() && (unit == "awg") == kcmil)
    throw BadValue{Column::Size, text + (kcmil ? " is a kcmil size; write " + text + " or " + text + " kcmil"
                                               : " is an AWG size; write " + text + " or " + text + " AWG")};
  if (f.aluminium && *f.areaIndex == 0) throw BadValue{Column::Size, "aluminium starts at 12 AWG"};
}

// The user's R, checked for its X beside it, and the X.
void ReadUserR(const RowReader& row, FeederInputs& f) {
  if (row.Given(Column::UserR) != row.Given(Column::UserX))
    throw BadValue{row.Given(Column::UserR) ? Column::UserX : Column::UserR, "user_r and user_x are given together"};
  if (row.Given(Column::UserR)) f.userR = row.Decimal(Column::UserR, "ohms per 1000 ft or per km, 0 to 12");
}

void ReadUserX(const RowReader& row, FeederInputs& f) {
  if (row.Given(Column::UserX)) f.userX = row.Decimal(Column::UserX, "ohms per 1000 ft or per km, 0 to 1");
}

void ReadLimit(const RowReader& row, FeederInputs& f) {
  f.maxVdPercent = row.Defaults().maxVdPercent;
  if (!row.Given(Column::MaxVdPct)) return;
  const char* allowed = "a percentage above 0";
  f.maxVdPercent = row.Number(Column::MaxVdPct, allowed);
  if (!(f.maxVdPercent > 0)) throw BadValue{Column::MaxVdPct, allowed};
}

// The row's unit, its length's, or its length heading's, which must agree
// (the length was read before it); feet when none says.
void ReadUnit(const RowReader& row, FeederInputs& f) {
  const auto named = row.Choice(Column::Unit, kUnits, "ft or m");
  const auto written = row.NamedUnit(Column::Length), heading = row.HeadingUnit(Column::Length);
  const auto spelled = [](std::size_t unit) { return kUnits[unit].front(); };
  if (named && written && static_cast<std::size_t>(*named) != *written)
    throw BadValue{Column::Length, "the row's unit is " + spelled(static_cast<std::size_t>(*named))};
  if (named && heading && static_cast<std::size_t>(*named) != *heading)
    throw BadValue{Column::Unit, "the length column's heading says " + spelled(*heading)};
  f.feet = named ? *named == 1 : written.value_or(heading.value_or(1)) == 1;
}

// A given device must be one a designer can buy.
void ReadOcpd(const RowReader& row, FeederInputs& f) {
  if (!row.Given(Column::Ocpd)) return;
  const std::span<const int> ratings = StandardRatings();
  const std::string allowed = "a standard rating of " + std::to_string(ratings.front()) + " to " +
                              std::to_string(ratings.back()) + " A";
  const int amperes = row.Whole(Column::Ocpd, allowed);
  if (IsStandardRating(amperes)) {
    f.ocpd = amperes;
    return;
  }
  const auto above = std::upper_bound(ratings.begin(), ratings.end(), amperes);
  std::string nearest;
  if (above == ratings.begin()) nearest = std::to_string(*above) + " A is the nearest";
  else if (above == ratings.end()) nearest = std::to_string(ratings.back()) + " A is the nearest";
  else nearest = std::to_string(*std::prev(above)) + " and " + std::to_string(*above) + " A are the nearest";
  throw BadValue{Column::Ocpd, allowed + " (" + nearest + ")"};
}

void ReadTerminal(const RowReader& row, FeederInputs& f) {
  if (!row.Given(Column::Terminal)) return;
  const char* allowed = "60 or 75";
  f.terminalC = row.Whole(Column::Terminal, allowed);
  if (f.terminalC != 60 && f.terminalC != 75) throw BadValue{Column::Terminal, allowed};
}

std::string OptionalCell(const std::optional<int>& value) { return value ? std::to_string(*value) : ""; }

void ReadTotalLimit(const RowReader& row, FeederInputs& f) {
  f.maxTotalVdPercent = row.Defaults().maxTotalVdPercent;
  if (!row.Given(Column::MaxTotalVdPct)) return;
  const char* allowed = "a percentage above 0";
  f.maxTotalVdPercent = row.Number(Column::MaxTotalVdPct, allowed);
  if (!(f.maxTotalVdPercent > 0)) throw BadValue{Column::MaxTotalVdPct, allowed};
}

void ReadContinuous(const RowReader& row, FeederInputs& f) {
  const auto continuous = row.Choice(Column::Continuous, kYesNo, "yes, no, y, n, 1, 0, true or false");
  f.continuous = continuous ? *continuous == 1 : row.Defaults().continuous;
}

// A word of the list, in any case; a slip gets the nearest word.
template <typename Enum>
std::optional<Enum> Word(const RowReader& row, Column column, std::span<const std::string_view> words) {
  const std::string text = LowerCell(row.Text(column));
  if (text.empty()) return std::nullopt;
  for (std::size_t i = 0; i < words.size(); ++i)
    if (LowerCell(std::string(words[i])) == text) return static_cast<Enum>(i);
  std::string allowed;
  for (std::size_t i = 0; i < words.size(); ++i)
    allowed += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
  const std::string nearest = NearestWord(text, words);
  throw BadValue{column, allowed + (nearest.empty() ? "" : " (did you mean " + nearest + "?)")};
}

// A row with a horsepower is a motor, and lighting and heating are
// continuous unless the row says otherwise; both read before the class.
void ReadLoadClass(const RowReader& row, FeederInputs& f) {
  const auto named = Word<LoadClass>(row, Column::LoadClass, LoadClassNames());
  if (f.load == LoadKind::Motor && named && *named != LoadClass::Motor)
    throw BadValue{Column::LoadClass, "a row with motor_hp is a motor"};
  f.loadClass = named.value_or(f.load == LoadKind::Motor ? LoadClass::Motor : LoadClass::Other);
  if (!row.Given(Column::Continuous) && ContinuousByDefault(f.loadClass)) f.continuous = true;
}

void ReadQuantity(const RowReader& row, FeederInputs& f) {
  if (!row.Given(Column::Qty)) return;
  const char* allowed = "a whole number of 1 or more";
  f.quantity = row.Whole(Column::Qty, allowed);
  if (f.quantity < 1) throw BadValue{Column::Qty, allowed};
}

std::string WordCell(std::span<const std::string_view> words, std::size_t at, std::size_t plain) {
  return at == plain ? "" : std::string(words[at]);
}

// Lists.

bool SinglePhaseCell(const RowReader& row) {
  const std::string system = LowerCell(row.Text(Column::System));
  for (int single : {kSinglePhase, kDc})
    if (std::ranges::find(kSystems[static_cast<std::size_t>(single)], system) != kSystems[static_cast<std::size_t>(single)].end())
      return true;
  return false;
}

std::vector<std::string> WordChoices(std::span<const std::string_view> words) {
  std::vector<std::string> choices = {""};
  for (std::string_view word : words) choices.emplace_back(word);
  return choices;
}

std::vector<std::string> SizeChoices(const RowReader&) {
  std::vector<std::string> sizes = {""};
  for (int area = 0; area < kSizeCount; ++area) sizes.push_back(SizeName(area));
  return sizes;
}

// The bounds of the row's rating, as the main window's ambient button walks them.
std::vector<std::string> AmbientChoices(const RowReader& row) {
  const std::string written = row.Text(Column::Insulation);
  const std::string_view rating = NumberPart(written);  // "90" of "90 °C"
  std::vector<std::string> choices = {""};
  for (int bound : AmbientChain(rating == "60" ? 60 : rating == "90" ? 90 : 75))
    choices.push_back(std::to_string(bound));
  return choices;
}

std::vector<std::string> PowerFactorChoices(const RowReader& row) {
  std::vector<std::string> choices = {""};
  for (double pf : kPowerFactors) choices.push_back(ExactText(pf, row.DecimalComma()));
  return choices;
}

std::vector<std::string> OcpdChoices(const RowReader&) {
  std::vector<std::string> choices = {""};
  for (int rating : StandardRatings()) choices.push_back(std::to_string(rating));
  return choices;
}

std::vector<std::string> RunsChoices(const RowReader&) {
  std::vector<std::string> choices;
  for (int runs = 1; runs <= kMaxRuns; ++runs) choices.push_back(std::to_string(runs));
  return choices;
}

// Entry.

OptionButton& PowerFactorOption(const Elcal& w, int option) {
  return *w.PowerFactorOptions()[static_cast<std::size_t>(option)];
}

OptionButton& RunsOption(const Elcal& w, int runs) { return *w.RunsOptions()[static_cast<std::size_t>(runs - 1)]; }

std::string JoinedItems(const ComboBox& list) {
  std::string joined;
  for (const std::string& item : list.Items()) {
    std::string hp = TrimmedCell(item);
    if (hp.size() > 3 && hp.ends_with(" HP")) hp.resize(hp.size() - 3);
    joined += (joined.empty() ? "" : ", ") + hp;
  }
  return joined;
}

void PickMotor(Keyboard& keys, const FeederInputs& f) {
  if (f.load != LoadKind::Motor) return;
  Elcal& w = keys.Window();
  keys.Tick();  // the list follows the voltage system at the next pass
  const std::string wanted = " " + f.loadText + " HP";
  const auto& items = w.ComHP.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] != wanted) continue;
    keys.Do(Column::MotorHp, [&] { keys.Select(w.ComHP, static_cast<int>(i)); });
    return;
  }
  throw Refused{{Column::MotorHp, std::string("the ") + (f.singlePhase ? "1-phase" : "3-phase") + " list has " +
                                      JoinedItems(w.ComHP) + " HP"}};
}

// Clicks the ambient button until the wanted bound shows; a bound the
// rating's chain lacks brings the walk back to 30 °C, where every walk
// through the chain ends.
void WalkAmbient(Keyboard& keys, const FeederInputs& f) {
  Elcal& w = keys.Window();
  while (w.state.AmbientC != f.ambientC) {
    keys.Click(w.AmbCmnd);
    if (w.state.AmbientC == 30 && f.ambientC != 30) {
      const std::vector<int> chain = AmbientChain(f.insulationC);
      throw Refused{{Column::Ambient, "the " + std::to_string(f.insulationC) + " °C rating's chain runs " +
                                          std::to_string(chain.front()) + " … " + std::to_string(chain.back()) + " °C"}};
    }
  }
}

// Steps the set temperature to the row's, or back to the rating when the
// row gives none (a fresh window already stands there).
void StepWireTemperature(Keyboard& keys, const FeederInputs& f) {
  Elcal& w = keys.Window();
  const float wanted = static_cast<float>(f.wireTempC.value_or(f.insulationC));
  const auto step = [&](bool down) {
    const float before = w.state.WireTempC;
    down ? keys.SpinDown(w.WOTPS) : keys.SpinUp(w.WOTPS);
    return w.state.WireTempC != before;
  };
  while (w.state.WireTempC > wanted && step(true)) {
  }
  while (w.state.WireTempC < wanted && step(false)) {
  }
  if (f.wireTempC && w.state.WireTempC != wanted)
    throw Refused{{Column::WireTemp, "a multiple of 5 from the ambient " + std::to_string(f.ambientC) +
                                         " °C up to the " + std::to_string(f.insulationC) + " °C rating"}};
}

// Back to one run before the size, which the runs' click may move.
void SelectSize(Keyboard& keys, const FeederInputs& f) {
  Elcal& w = keys.Window();
  if (f.runs == 1) keys.Choose(w.OptionNOR1);
  keys.Select(w.ComWS, SizeListIndex(f.areaIndex.value_or(0), f.aluminium));
}

void ChooseRuns(Keyboard& keys, const FeederInputs& f) {
  Elcal& w = keys.Window();
  if (f.runs == 1 || RunsOption(w, f.runs).Value()) return;
  keys.Tick();  // the pass enables the runs from 1/0 up
  // The first choice of several runs explains them in a box; that is no refusal.
  keys.Click(RunsOption(w, f.runs));
}

// The window. A field keeps a value that its text may no longer show (a
// text that is not a number leaves the value as it was), so a feeder takes
// the values from the window's state.

bool UsesPowerLock(const Elcal& w) { return !w.state.MotorLoad && w.state.Locked == LoadLock::Power; }

int SelectedPowerFactor(const Elcal& w) {
  const auto options = w.PowerFactorOptions();
  const auto selected = std::find_if(options.begin(), options.end(), [](auto* o) { return o->Value(); });
  return selected == options.end() ? 5 : static_cast<int>(selected - options.begin());
}

int RatingC(const Elcal& w) {
  if (w.Opt60C.Value()) return 60;
  if (w.Opt90C.Value()) return 90;
  return 75;
}

// The horsepower of the picked item, as the list writes it (" 7.5 HP").
std::string PickedHorsepower(const Elcal& w) {
  const int index = w.ComHP.ListIndex();
  if (index < 0 || index >= static_cast<int>(w.ComHP.Items().size())) return "";
  std::string hp = w.ComHP.Items()[static_cast<std::size_t>(index)];
  hp.erase(0, hp.find_first_not_of(' '));
  if (hp.ends_with(" HP")) hp.resize(hp.size() - 3);
  return hp;
}

// The window uses its own parameters only while both are above 0.
bool UsesUserParameters(const Elcal& w) { return static_cast<double>(w.state.UserRac) * w.state.UserXl > 0; }

std::string LoadCell(const FeederInputs& f, LoadKind kind, bool decimalComma) {
  return f.load == kind ? WithDecimalMark(f.loadText, decimalComma) : "";
}

std::string YesNo(bool yes) { return yes ? "yes" : "no"; }

const InputColumn kInputColumns[] = {
    {.column = Column::Tag,
     .name = "tag",
     .heading = "Tag",
     .read = [](const RowReader& row, FeederInputs& f) { f.tag = row.Cell(Column::Tag); },
     .cell = [](const FeederInputs& f, bool) { return f.tag; },
     // The job field names the feeder, unless it still shows its prompt.
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.tag = w.Job.Text() == kJobPrompt ? "" : w.Job.Text(); }},
    {.column = Column::System,
     .name = "system",
     .heading = "System",
     .read = [](const RowReader& row, FeederInputs& f) {
       const auto system = row.Choice(Column::System, kSystems, "1, 3, 1ph, 3ph or DC");
       f.dc = system == kDc;
       f.singlePhase = system == kSinglePhase || f.dc;  // the window's "1 Phase or DC"
     },
     .cell = [](const FeederInputs& f, bool) { return std::string(f.dc ? "DC" : f.singlePhase ? "1" : "3"); },
     .enter = [](Keyboard& k, const FeederInputs& f) { k.Choose(f.singlePhase ? k.Window().SPh : k.Window().TPh); },
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.singlePhase = w.SPh.Value(); },
     .choices = [](const RowReader&) { return std::vector<std::string>{"3", "1", "DC"}; }},
    {.column = Column::Voltage,
     .name = "voltage",
     .heading = "Voltage (V)",
     .unit = "V",
     .number = true,
     .units = kVolts,
     .read = ReadVoltage,
     .cell = [](const FeederInputs& f, bool comma) { return WithDecimalMark(f.voltage, comma); },
     .enter = [](Keyboard& k, const FeederInputs& f) { k.Type(Column::Voltage, k.Window().V, f.voltage); },
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.voltage = ExactText(w.state.Voltage); }},
    {.column = Column::Current,
     .name = "current",
     .heading = "Current (A)",
     .unit = "A",
     .number = true,
     .units = kAmperes,
     .read = [](const RowReader& row, FeederInputs& f) { ReadLoad(row, f, kLoads[0]); },
     .cell = [](const FeederInputs& f, bool comma) { return LoadCell(f, LoadKind::Current, comma); },
     .enter = [](Keyboard& k, const FeederInputs& f) {
       if (f.load == LoadKind::Current) k.Type(Column::Current, k.Window().A, f.loadText);
     },
     .fromWindow = [](const Elcal& w, FeederInputs& f) {
       if (w.state.MotorLoad || UsesPowerLock(w)) return;
       f.load = LoadKind::Current;
       f.loadText = ExactText(w.state.Current);
     }},
    {.column = Column::Power,
     .name = "power",
     .heading = "Power (W)",
     .unit = "W",
     .number = true,
     .units = kWatts,
     .read = [](const RowReader& row, FeederInputs& f) { ReadLoad(row, f, kLoads[1]); },
     .cell = [](const FeederInputs& f, bool comma) { return LoadCell(f, LoadKind::Power, comma); },
     .enter = [](Keyboard& k, const FeederInputs& f) {
       if (f.load == LoadKind::Power) k.Type(Column::Power, k.Window().W, f.loadText);
     },
     .fromWindow = [](const Elcal& w, FeederInputs& f) {
       if (!UsesPowerLock(w)) return;
       f.load = LoadKind::Power;
       f.loadText = ExactText(w.state.Power);
     }},
    {.column = Column::MotorHp,
     .name = "motor_hp",
     .heading = "Motor (HP)",
     .unit = "HP",
     .number = true,
     .units = kHorsepower,
     .read = [](const RowReader& row, FeederInputs& f) { ReadLoad(row, f, kLoads[2]); },
     .cell = [](const FeederInputs& f, bool comma) { return LoadCell(f, LoadKind::Motor, comma); },
     .enter = PickMotor,
     .fromWindow = [](const Elcal& w, FeederInputs& f) {
       if (!w.state.MotorLoad) return;
       f.load = LoadKind::Motor;
       f.loadText = PickedHorsepower(w);
     }},
    {.column = Column::Pf,
     .name = "pf",
     .heading = "PF",
     .number = true,
     .units = kPercentOfOne,
     .read = ReadPowerFactor,
     .cell = [](const FeederInputs& f, bool comma) {
       return f.pfOption ? ExactText(kPowerFactors[*f.pfOption], comma) : "";
     },
     // A motor pick has set its own; anything else starts from 1.
     .enter = [](Keyboard& k, const FeederInputs& f) {
       if (f.pfOption) k.Choose(PowerFactorOption(k.Window(), *f.pfOption));
       else if (f.load != LoadKind::Motor) k.Choose(k.Window().OptPF1);
     },
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.pfOption = SelectedPowerFactor(w); },
     .choices = PowerFactorChoices},
    {.column = Column::Material,
     .name = "material",
     .heading = "Material",
     .read = [](const RowReader& row, FeederInputs& f) {
       f.aluminium = row.Choice(Column::Material, kMaterials, "cu, copper, al, aluminum or aluminium") == 1;
     },
     .cell = [](const FeederInputs& f, bool) { return std::string(f.aluminium ? "al" : "cu"); },
     .enter = [](Keyboard& k, const FeederInputs& f) { k.Choose(f.aluminium ? k.Window().OptAL : k.Window().OptCU); },
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.aluminium = w.OptAL.Value(); },
     .choices = [](const RowReader&) { return std::vector<std::string>{"cu", "al"}; }},
    {.column = Column::Conduit,
     .name = "conduit",
     .heading = "Conduit",
     .read = [](const RowReader& row, FeederInputs& f) {
       f.pvc = row.Choice(Column::Conduit, kConduits, "steel or pvc") == 1;
     },
     .cell = [](const FeederInputs& f, bool) { return std::string(f.pvc ? "pvc" : "steel"); },
     .enter = [](Keyboard& k, const FeederInputs& f) { k.Choose(f.pvc ? k.Window().OptNONM : k.Window().OptMAG); },
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.pvc = w.OptNONM.Value(); },
     .choices = [](const RowReader&) { return std::vector<std::string>{"steel", "pvc"}; }},
    {.column = Column::Insulation,
     .name = "insulation",
     .heading = "Insulation (°C)",
     .unit = "°C",
     .number = true,
     .units = kDegrees,
     .read = ReadInsulation,
     .cell = [](const FeederInputs& f, bool) { return std::to_string(f.insulationC); },
     .enter = [](Keyboard& k, const FeederInputs& f) { k.Choose(InsulationOption(k.Window(), f.insulationC)); },
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.insulationC = RatingC(w); },
     .choices = [](const RowReader&) { return std::vector<std::string>{"60", "75", "90"}; }},
    {.column = Column::Ambient,
     .name = "ambient",
     .heading = "Ambient (°C)",
     .unit = "°C",
     .number = true,
     .units = kDegrees,
     .read = [](const RowReader& row, FeederInputs& f) {
       if (row.Given(Column::Ambient)) f.ambientC = row.Whole(Column::Ambient, "whole °C of the rating's chain");
     },
     .cell = [](const FeederInputs& f, bool) { return std::to_string(f.ambientC); },
     .enter = WalkAmbient,
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.ambientC = w.state.AmbientC; },
     .choices = AmbientChoices},
    {.column = Column::Length,
     .name = "length",
     .heading = "Length",
     .number = true,
     .units = kLengthUnits,
     .read = ReadLength,
     .cell = [](const FeederInputs& f, bool comma) { return WithDecimalMark(f.length, comma); },
     .enter = [](Keyboard& k, const FeederInputs& f) { k.Type(Column::Length, k.Window().L, f.length); },
     .fromWindow = [](const Elcal& w, FeederInputs& f) {
       f.length = w.L.Text();
       std::erase(f.length, ',');
     }},
    {.column = Column::Unit,
     .name = "unit",
     .heading = "Unit",
     .read = ReadUnit,
     .cell = [](const FeederInputs& f, bool) { return std::string(f.feet ? "ft" : "m"); },
     .enter = [](Keyboard& k, const FeederInputs& f) {
       if (f.feet != ShowsFeet(k.Window())) k.Click(k.Window().CmdUnit);
     },
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.feet = ShowsFeet(w); },
     .choices = [](const RowReader&) { return std::vector<std::string>{"ft", "m"}; }},
    {.column = Column::Runs,
     .name = "runs",
     .heading = "Runs",
     .number = true,
     .read = ReadRuns,
     .cell = [](const FeederInputs& f, bool) { return std::to_string(f.runs); },
     .enter = ChooseRuns,
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.runs = w.state.Runs; },
     .choices = RunsChoices},
    {.column = Column::Size,
     .name = "size",
     .heading = "Size",
     .units = kSizeUnits,
     .read = ReadSize,
     .cell = [](const FeederInputs& f, bool) { return f.areaIndex ? SizeName(*f.areaIndex) : ""; },
     .enter = SelectSize,
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.areaIndex = w.state.AreaIndex; },
     .choices = SizeChoices},
    {.column = Column::WireTemp,
     .name = "wire_temp",
     .heading = "Wire temp (°C)",
     .unit = "°C",
     .number = true,
     .units = kDegrees,
     .read = [](const RowReader& row, FeederInputs& f) {
       if (row.Given(Column::WireTemp)) f.wireTempC = row.Whole(Column::WireTemp, "a multiple of 5 °C");
     },
     .cell = [](const FeederInputs& f, bool) { return f.wireTempC ? std::to_string(*f.wireTempC) : ""; },
     .enter = StepWireTemperature,
     .fromWindow = [](const Elcal& w, FeederInputs& f) { f.wireTempC = static_cast<int>(w.state.WireTempC); }},
    {.column = Column::UserR,
     .name = "user_r",
     .heading = "Actual Rac",
     .number = true,
     .read = ReadUserR,
     .cell = [](const FeederInputs& f, bool comma) { return WithDecimalMark(f.userR, comma); },
     // A row without them leaves none in the window: 0 turns the alternate drop off.
     .enter = [](Keyboard& k, const FeederInputs& f) {
       if (!f.userR.empty()) k.Type(Column::UserR, k.Window().TextACR, f.userR);
       else if (k.State().UserRac != 0) k.Type(Column::UserR, k.Window().TextACR, "0");
     },
     .fromWindow = [](const Elcal& w, FeederInputs& f) {
       if (UsesUserParameters(w)) f.userR = ExactText(w.state.UserRac);
     }},
    {.column = Column::UserX,
     .name = "user_x",
     .heading = "Actual XL",
     .number = true,
     .read = ReadUserX,
     .cell = [](const FeederInputs& f, bool comma) { return WithDecimalMark(f.userX, comma); },
     .enter = [](Keyboard& k, const FeederInputs& f) {
       if (!f.userX.empty()) k.Type(Column::UserX, k.Window().TextXLR, f.userX);
       else if (k.State().UserXl != 0) k.Type(Column::UserX, k.Window().TextXLR, "0");
     },
     .fromWindow = [](const Elcal& w, FeederInputs& f) {
       if (UsesUserParameters(w)) f.userX = ExactText(w.state.UserXl);
     }},
    {.column = Column::MaxVdPct,
     .name = "max_vd_pct",
     .heading = "Drop limit (%)",
     .unit = "%",
     .number = true,
     .units = kPercent,
     .read = ReadLimit,
     .cell = [](const FeederInputs& f, bool comma) { return ExactText(f.maxVdPercent, comma); },
     .newRowCell = [](const ScheduleDefaults& d, bool comma) { return ExactText(d.maxVdPercent, comma); }},
    {.column = Column::Continuous,
     .name = "continuous",
     .heading = "Continuous",
     .read = ReadContinuous,
     .cell = [](const FeederInputs& f, bool) { return YesNo(f.continuous); },
     .newRowCell = [](const ScheduleDefaults& d, bool) { return YesNo(d.continuous); },
     .choices = [](const RowReader&) { return std::vector<std::string>{"no", "yes"}; }},
    {.column = Column::Ocpd,
     .name = "ocpd",
     .heading = "Device given (A)",
     .unit = "A",
     .number = true,
     .units = kAmperes,
     .read = ReadOcpd,
     .cell = [](const FeederInputs& f, bool) { return OptionalCell(f.ocpd); },
     .choices = OcpdChoices},
    {.column = Column::Terminal,
     .name = "terminal",
     .heading = "Terminals given (°C)",
     .unit = "°C",
     .number = true,
     .units = kDegrees,
     .read = ReadTerminal,
     .cell = [](const FeederInputs& f, bool) { return OptionalCell(f.terminalC); },
     .choices = [](const RowReader&) { return std::vector<std::string>{"", "60", "75"}; }},
    {.column = Column::FedFrom,
     .name = "fed_from",
     .heading = "Fed from",
     .read = [](const RowReader& row, FeederInputs& f) { f.fedFrom = row.Text(Column::FedFrom); },
     .cell = [](const FeederInputs& f, bool) { return f.fedFrom; },
     .offersTags = true},
    {.column = Column::MaxTotalVdPct,
     .name = "max_total_vd_pct",
     .heading = "Total limit (%)",
     .unit = "%",
     .number = true,
     .units = kPercent,
     .read = ReadTotalLimit,
     .cell = [](const FeederInputs& f, bool comma) { return ExactText(f.maxTotalVdPercent, comma); },
     .newRowCell = [](const ScheduleDefaults& d, bool comma) { return ExactText(d.maxTotalVdPercent, comma); }},
    {.column = Column::ViaTransformer,
     .name = "via_transformer",
     .heading = "Via transformer",
     .read = [](const RowReader& row, FeederInputs& f) {
       if (const auto via = row.Choice(Column::ViaTransformer, kYesNo, "yes, no, y, n, 1, 0, true or false"))
         f.viaTransformer = *via == 1;
     },
     .cell = [](const FeederInputs& f, bool) { return f.viaTransformer ? YesNo(*f.viaTransformer) : ""; },
     .choices = [](const RowReader&) { return std::vector<std::string>{"", "no", "yes"}; }},
    {.column = Column::LoadClass,
     .name = "load_class",
     .heading = "Load class",
     .read = ReadLoadClass,
     // A motor's class goes without saying.
     .cell = [](const FeederInputs& f, bool) {
       const LoadClass plain = f.load == LoadKind::Motor ? LoadClass::Motor : LoadClass::Other;
       return WordCell(LoadClassNames(), static_cast<std::size_t>(f.loadClass), static_cast<std::size_t>(plain));
     },
     // The window knows a motor from its list, and no other class.
     .fromWindow = [](const Elcal&, FeederInputs& f) {
       f.loadClass = f.load == LoadKind::Motor ? LoadClass::Motor : LoadClass::Other;
     },
     .choices = [](const RowReader&) { return WordChoices(LoadClassNames()); }},
    {.column = Column::Qty,
     .name = "qty",
     .heading = "Qty",
     .number = true,
     .read = ReadQuantity,
     .cell = [](const FeederInputs& f, bool) { return f.quantity == 1 ? "" : std::to_string(f.quantity); }},
    {.column = Column::Occupancy,
     .name = "occupancy",
     .heading = "Occupancy",
     .read = [](const RowReader& row, FeederInputs& f) {
       f.occupancy = Word<Occupancy>(row, Column::Occupancy, OccupancyNames()).value_or(Occupancy::Other);
     },
     .cell = [](const FeederInputs& f, bool) {
       return WordCell(OccupancyNames(), static_cast<std::size_t>(f.occupancy), static_cast<std::size_t>(Occupancy::Other));
     },
     .choices = [](const RowReader&) { return WordChoices(OccupancyNames()); }},
    {.column = Column::Legs,
     .name = "legs",
     .heading = "Legs",
     .read = [](const RowReader& row, FeederInputs& f) { f.legs = Word<Legs>(row, Column::Legs, LegsNames()); },
     .cell = [](const FeederInputs& f, bool) { return f.legs ? std::string(LegsNames()[static_cast<std::size_t>(*f.legs)]) : ""; },
     // Only a single-phase row sits on legs.
     .choices = [](const RowReader& row) {
       return SinglePhaseCell(row) ? WordChoices(LegsNames()) : std::vector<std::string>{""};
     }},
};

// The order lets each given value hold at the end: the unit before any
// length, the voltage before a motor pick (its list follows the system), the
// pick before the power factor and rating (it sets both), the rating before
// the ambient and the set temperature (it resets them), the size before the
// runs (several runs need a size from 1/0 up), the load last.
constexpr Column kEntryOrder[] = {
    Column::Unit,     Column::System, Column::Material, Column::Conduit, Column::Voltage, Column::MotorHp,
    Column::Pf,       Column::Insulation, Column::Ambient, Column::WireTemp, Column::Size, Column::Runs,
    Column::Length,   Column::UserR, Column::UserX, Column::Current, Column::Power,
};

}  // namespace

std::span<const InputColumn> InputColumns() { return kInputColumns; }

BadValue MissingLoad(const RowReader& row) {
  std::vector<const Load*> present;
  for (const Load& load : kLoads)
    if (row.Has(load.column)) present.push_back(&load);
  if (present.empty()) return {Column::Current, "a load: no column current, power or motor_hp gives one"};
  if (present.size() == 1) return {present.front()->column, present.front()->allowed};
  return {present.front()->column, "exactly one of " + LoadNames(present) + " is given"};
}

const InputColumn& InputColumnOf(Column column) { return kInputColumns[static_cast<std::size_t>(column)]; }

const char* ColumnName(Column column) { return InputColumnOf(column).name; }

std::span<const Column> EntryOrder() { return kEntryOrder; }

}  // namespace quillet
