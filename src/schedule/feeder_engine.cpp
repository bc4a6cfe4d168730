#include "schedule/feeder_engine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "app/elcal_handlers.h"
#include "core/elcal.h"
#include "core/numbers.h"
#include "core/tables.h"
#include "platform/desktop.h"
#include "platform/services.h"
#include "platform/user_actions.h"
#include "platform/version.h"

namespace quillet {
namespace {

// A session that keeps no settings file, shows no box and owns no clipboard:
// the messages are kept so the row can say what the window would have said.
class QuietServices : public Services {
 public:
  int MessageBox(const std::string& text, int, const std::string&) override {
    ++count;
    last = text;
    return kAnswerOk;
  }
  void ClearClipboard() override {}
  void SetClipboardText(const std::string&) override {}
  void Beep() override {}
  std::string NowText() override { return ""; }
  std::string ProgramFolder() override { return ""; }
  VersionNumbers Version() override { return ProgramVersion(); }
  bool KeepsSettingsFile() override { return false; }

  int count = 0;
  std::string last;
};

constexpr int kScreenWidth = 28800;
constexpr int kScreenHeight = 16200;
constexpr int kMaxRuns = 6;
constexpr double kContinuousFactor = 1.25;

// Raised inside an evaluation when the window would have refused a value.
struct Refused {
  FeederError error;
};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A main window entered through its user actions. With services to watch,
// a message box an action raises refuses the column's value; without, the
// boxes show to the person at the window as they would for their own keys.
class Keyboard {
 public:
  Keyboard(Elcal& window, UserActions& actions, const QuietServices* watched)
      : w_(window), act_(actions), watched_(watched) {}

  Elcal& Window() { return w_; }
  const ElcalState& State() const { return w_.state; }

  void Tick() { WaitForPass(w_, act_); }

  // Runs an action; a message box it raises refuses the column's value.
  void Do(Column column, const std::function<void()>& action) {
    const int before = watched_ ? watched_->count : 0;
    action();
    if (watched_ && watched_->count != before)
      throw Refused{{column, "the window says \"" + Trimmed(watched_->last) + "\""}};
  }
  // Replaces the field's text, as typing over it after selecting it all does.
  void Type(Column column, TextBox& box, const std::string& text) {
    Do(column, [&] {
      act_.Focus(box);
      if (box.SelLength() != box.Length()) act_.SelectText(box, 0, box.Length());
      for (char c : text) act_.TypeChar(box, std::string(1, c));
    });
  }
  void Click(Control& control) { act_.Click(control); }
  // Selects the option unless it already is, so nothing else moves.
  void Choose(OptionButton& option) {
    if (!option.Value()) act_.Click(option);
  }
  void Select(ComboBox& list, int index) { act_.Select(list, index); }
  void SpinUp(Control& spin) { act_.SpinUp(spin); }
  void SpinDown(Control& spin) { act_.SpinDown(spin); }

 private:
  Elcal& w_;
  UserActions& act_;
  const QuietServices* watched_;
};

// The parts of a launched calculator with only the main window: the
// secondary windows take no part in a feeder's numbers.
struct Calculator {
  Calculator() : desktop(services, kScreenWidth, kScreenHeight), w(desktop), act(desktop) {
    AttachHandlers(w);
    Desktop::Guard busy(desktop);
    w.Show();
  }
  QuietServices services;
  Desktop desktop;
  Elcal w;
  UserActions act;
};

class Session : private Calculator, public Keyboard {
 public:
  Session() : Keyboard(w, act, &services) { Tick(); }
};

// The aluminium list starts at 12 AWG.
int SmallestArea(bool aluminium) { return aluminium ? 1 : 0; }
int ListIndexOf(int area, bool aluminium) { return area - SmallestArea(aluminium); }
int FirstParallelArea() { return kFirstParallelCopper; }

OptionButton& PowerFactorOption(const Elcal& w, int option) {
  return *w.PowerFactorOptions()[static_cast<std::size_t>(option)];
}

OptionButton& InsulationOption(Elcal& w, int ratingC) {
  if (ratingC == 60) return w.Opt60C;
  return ratingC == 90 ? w.Opt90C : w.Opt75C;
}

bool ShowsFeet(const Elcal& w) { return w.CmdUnit.Caption() == "FT"; }

OptionButton& RunsOption(const Elcal& w, int runs) { return *w.RunsOptions()[static_cast<std::size_t>(runs - 1)]; }

std::string JoinedItems(const ComboBox& list) {
  std::string joined;
  for (const std::string& item : list.Items()) {
    std::string hp = Trimmed(item);
    if (hp.size() > 3 && hp.ends_with(" HP")) hp.resize(hp.size() - 3);
    joined += (joined.empty() ? "" : ", ") + hp;
  }
  return joined;
}

void PickMotor(Keyboard& session, const FeederInputs& inputs) {
  Elcal& w = session.Window();
  const std::string wanted = " " + inputs.loadText + " HP";
  const auto& items = w.ComHP.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] != wanted) continue;
    session.Do(Column::MotorHp, [&] { session.Select(w.ComHP, static_cast<int>(i)); });
    return;
  }
  throw Refused{{Column::MotorHp, std::string("the ") + (inputs.singlePhase ? "1-phase" : "3-phase") +
                                      " list has " + JoinedItems(w.ComHP) + " HP"}};
}

// Clicks the ambient button until the wanted bound shows; a bound the
// rating's chain lacks brings the walk back to 30 °C, where every walk
// through the chain ends.
void WalkAmbient(Keyboard& session, const FeederInputs& inputs) {
  Elcal& w = session.Window();
  std::vector<int> seen;
  while (w.state.AmbientC != inputs.ambientC) {
    session.Click(w.AmbCmnd);
    seen.push_back(w.state.AmbientC);
    if (w.state.AmbientC == 30 && inputs.ambientC != 30) {
      std::sort(seen.begin(), seen.end());
      throw Refused{{Column::Ambient, "the " + std::to_string(inputs.insulationC) + " °C rating's chain runs " +
                                          std::to_string(seen.front()) + " … " + std::to_string(seen.back()) +
                                          " °C"}};
    }
  }
}

// Steps the set temperature to the row's, or back to the rating when the
// row gives none (a fresh window already stands there).
void StepWireTemperature(Keyboard& session, const FeederInputs& inputs) {
  Elcal& w = session.Window();
  const float wanted = static_cast<float>(inputs.wireTempC.value_or(inputs.insulationC));
  const auto step = [&](bool down) {
    const float before = w.state.WireTempC;
    down ? session.SpinDown(w.WOTPS) : session.SpinUp(w.WOTPS);
    return w.state.WireTempC != before;
  };
  while (w.state.WireTempC > wanted && step(true)) {
  }
  while (w.state.WireTempC < wanted && step(false)) {
  }
  if (inputs.wireTempC && w.state.WireTempC != wanted)
    throw Refused{{Column::WireTemp, "a multiple of 5 from the ambient " + std::to_string(inputs.ambientC) +
                                         " °C up to the " + std::to_string(inputs.insulationC) + " °C rating"}};
}

void SelectSize(Keyboard& session, const FeederInputs& inputs, int area) {
  Elcal& w = session.Window();
  session.Select(w.ComWS, ListIndexOf(area, inputs.aluminium));
}

// Everything but the load's pass: the order lets each given value hold at
// the end (the rating resets the ambient and the set temperature, a motor
// pick sets its power factor and rating, runs need a size from 1/0 up).
void EnterFeeder(Keyboard& session, const FeederInputs& inputs, int firstArea) {
  Elcal& w = session.Window();
  if (inputs.feet != ShowsFeet(w)) session.Click(w.CmdUnit);
  session.Choose(inputs.singlePhase ? w.SPh : w.TPh);
  session.Choose(inputs.aluminium ? w.OptAL : w.OptCU);
  session.Choose(inputs.pvc ? w.OptNONM : w.OptMAG);
  session.Type(Column::Voltage, w.V, inputs.voltage);
  if (inputs.load == LoadKind::Motor) {
    session.Tick();  // the list follows the voltage system at the next pass
    PickMotor(session, inputs);
  }
  if (inputs.pfOption) session.Choose(PowerFactorOption(w, *inputs.pfOption));
  else if (inputs.load != LoadKind::Motor) session.Choose(w.OptPF1);
  session.Choose(InsulationOption(w, inputs.insulationC));
  WalkAmbient(session, inputs);
  StepWireTemperature(session, inputs);
  // Back to one run before the size, which the runs' click may move.
  if (inputs.runs == 1) session.Choose(w.OptionNOR1);
  SelectSize(session, inputs, firstArea);
  if (inputs.runs > 1 && !RunsOption(w, inputs.runs).Value()) {
    session.Tick();  // the pass enables the runs from 1/0 up
    // The first choice of several runs explains them in a box; that is no refusal.
    session.Click(RunsOption(w, inputs.runs));
  }
  session.Type(Column::Length, w.L, inputs.length);
  if (!inputs.userR.empty()) session.Type(Column::UserR, w.TextACR, inputs.userR);
  if (!inputs.userX.empty()) session.Type(Column::UserX, w.TextXLR, inputs.userX);
  if (inputs.load == LoadKind::Current) session.Type(Column::Current, w.A, inputs.loadText);
  if (inputs.load == LoadKind::Power) session.Type(Column::Power, w.W, inputs.loadText);
}

Column LoadColumn(const FeederInputs& inputs) {
  if (inputs.load == LoadKind::Power) return Column::Power;
  if (inputs.load == LoadKind::Motor) return Column::MotorHp;
  return Column::Current;
}

void Pass(Keyboard& session, const FeederInputs& inputs) {
  session.Do(LoadColumn(inputs), [&] { session.Tick(); });
  // A current that its field shows as 0 (a motor's full-load current at a
  // very high voltage, ".0") leaves the window showing older results.
  if (session.State().Current == 0)
    throw Refused{{LoadColumn(inputs), "the window shows 0 A here and computes nothing"}};
}

// The first tick under the power lock stores the current as its field shows
// it rounded; from the next tick on the field's text no longer changes and
// the current keeps its full value, which is what the window goes on showing.
void Settle(Keyboard& session, const FeederInputs& inputs) {
  if (inputs.load == LoadKind::Power) Pass(session, inputs);
}

// IEEE Std 141's exact drop beside the window's effective-impedance one,
// from the same one-way R and X; none where the root has no real value.
std::optional<float> ExactDropPercent(const Elcal& w) {
  const ElcalState& s = w.state;
  const std::string& length = w.L.Text();
  const double lengthKm =
      (IsNumberText(length) ? NumberValue(length) : 0.0) * static_cast<double>(s.LengthFactor) / 1000.0;
  const bool threePhase = s.PhaseCode == 0;
  const double loop = threePhase ? 1.0 : 2.0;
  const double r = static_cast<double>(s.RacKm) * lengthKm / s.Runs * loop;
  const double x = s.XlKm * lengthKm / s.Runs * loop;
  const double e = threePhase ? s.Voltage / std::sqrt(3.0) : s.Voltage;
  const double cosPhi = static_cast<double>(s.PowerFactor);
  const double sinPhi = std::sqrt(std::fabs(1.0 - cosPhi * cosPhi));
  const double i = s.Current;
  const double cross = i * x * cosPhi - i * r * sinPhi;
  const double radicand = e * e - cross * cross;
  if (!(radicand >= 0) || e <= 0) return std::nullopt;
  // E − √(E² − c²) written as c² / (E + √(E² − c²)): no cancellation when
  // the drop is tiny beside a high voltage.
  const double drop = i * r * cosPhi + i * x * sinPhi + cross * cross / (e + std::sqrt(radicand));
  const double percent = drop / e * 100.0;
  if (!std::isfinite(percent)) return std::nullopt;
  return static_cast<float>(percent);
}

AmpacityCheck CheckOf(const Control& ampacity) {
  if (ampacity.ForeColor() == kRed) return AmpacityCheck::Over100;
  if (ampacity.ForeColor() == kDarkGreen) return AmpacityCheck::Ok;
  return AmpacityCheck::Over80;
}

FeederNumbers ReadNumbers(const Elcal& w) {
  const ElcalState& s = w.state;
  FeederNumbers n;
  n.current = s.Current;
  n.vdAc = s.VdAc;
  n.vdAcPercent = s.VdAcPercent;
  n.vdExactPercent = ExactDropPercent(w);
  // The window shows the DC drop for "1 Phase or DC" at a power factor of exactly 1.
  if (s.PhaseCode == 1 && s.PowerFactor == 1.0f) {
    n.vdDc = s.VdDc;
    n.vdDcPercent = s.VdDcPercent;
  }
  n.rdc = s.RdcShown;
  n.rac = s.RacShown;
  n.xl = s.XlShown;
  n.z = s.ZShown;
  n.perKm = w.CmdUnit.Caption() != "FT";
  n.areaMm2 = s.AreaMm2;
  n.ampacity = s.FeederAmpacity;
  n.ambientFactor = s.AmbientFactor;
  n.loadRatio = s.LoadRatio;
  n.check = CheckOf(w.Ampacit);
  n.wireTempC = s.WireTempC;
  if (s.OperatingTempC <= static_cast<float>(s.MeltingPointC)) n.operatingTempC = s.OperatingTempC;
  if (s.ZUserKm > 0) {
    n.vdAlt = s.VdAlt;
    n.vdAltPercent = s.VdAltPercent;
  }
  return n;
}

// What one size gives, as the window shows it after a pass.
struct Probe {
  bool carries = false;
  bool withinDrop = false;
};

class SizeFinder {
 public:
  explicit SizeFinder(Keyboard& session, const FeederInputs& inputs, int first)
      : session_(session), inputs_(inputs), first_(first), last_(kSizeCount - 1) {}

  // The smallest area meeting the test, or none.
  template <typename Test>
  std::optional<int> Smallest(Test test) {
    if (!test(At(last_))) return std::nullopt;
    int low = first_, high = last_;  // test(high) holds
    while (low < high) {
      const int middle = (low + high) / 2;
      if (test(At(middle))) high = middle;
      else low = middle + 1;
    }
    return high;
  }

  // Spins the size list to the area and runs a pass there.
  const Probe& At(int area) {
    if (auto found = probes_.find(area); found != probes_.end()) return found->second;
    MoveTo(area);
    Pass(session_, inputs_);
    const ElcalState& s = session_.State();
    Probe probe{CarriesLoad(inputs_, s.Current, s.FeederAmpacity), WithinDropLimit(inputs_, s.VdAcPercent)};
    return probes_.emplace(area, probe).first->second;
  }

  // Shows the area again, with a fresh pass when another size was last shown.
  void Show(int area) {
    if (shown_ == area) return;
    MoveTo(area);
    Pass(session_, inputs_);
  }

 private:
  void MoveTo(int area) {
    Elcal& w = session_.Window();
    const int target = ListIndexOf(area, inputs_.aluminium);
    while (w.state.SizeIndex < target) session_.SpinDown(w.VDPS);
    while (w.state.SizeIndex > target) session_.SpinUp(w.VDPS);
    shown_ = area;
  }

  Keyboard& session_;
  const FeederInputs& inputs_;
  int first_, last_;
  int shown_ = -1;
  std::map<int, Probe> probes_;
};

int FirstArea(const FeederInputs& inputs) {
  if (inputs.runs > 1) return FirstParallelArea();
  return SmallestArea(inputs.aluminium);
}

FeederResult EvaluateGiven(const FeederInputs& inputs) {
  FeederResult result;
  if (inputs.runs > 1 && *inputs.areaIndex < FirstParallelArea())
    throw Refused{{Column::Runs, "parallel runs need a size from 1/0 AWG up, the size is " +
                                     SizeName(*inputs.areaIndex)}};
  Session session;
  EnterFeeder(session, inputs, *inputs.areaIndex);
  Settle(session, inputs);
  Pass(session, inputs);
  result.areaUsed = inputs.areaIndex;
  result.numbers = ReadNumbers(session.Window());
  return result;
}

// Whether the largest size with this many runs meets both limits.
bool LargestFits(FeederInputs inputs, int runs) {
  inputs.runs = runs;
  Session session;
  EnterFeeder(session, inputs, kSizeCount - 1);
  Settle(session, inputs);
  SizeFinder finder(session, inputs, kSizeCount - 1);
  const Probe& probe = finder.At(kSizeCount - 1);
  return probe.carries && probe.withinDrop;
}

std::string Percent(double value) {
  std::string text = PlainDecimalText(value);
  return text + " %";
}

std::string NoSizeNote(const FeederInputs& inputs, const FeederResult& result, const ElcalState& largest) {
  std::string why;
  if (!result.areaForAmpacity)
    why = "1000 kcmil carries " + ShortSingleText(largest.FeederAmpacity) + " A, the load needs " +
          PlainDecimalText(RequiredAmpacity(inputs, largest.Current)) + " A";
  else
    why = "1000 kcmil drops " + ShortSingleText(largest.VdAcPercent) + " %, the limit is " +
          Percent(inputs.maxVdPercent);
  for (int runs = inputs.runs + 1; runs <= kMaxRuns; ++runs)
    if (LargestFits(inputs, runs)) return "no size fits: " + why + "; " + std::to_string(runs) + " parallel runs would";
  return "no size fits: " + why + "; not even 6 parallel runs would";
}

FeederResult FindSize(const FeederInputs& inputs) {
  FeederResult result;
  const int first = FirstArea(inputs);
  Session session;
  EnterFeeder(session, inputs, first);
  Settle(session, inputs);
  SizeFinder finder(session, inputs, first);
  result.areaForAmpacity = finder.Smallest([](const Probe& p) { return p.carries; });
  result.areaForVd = finder.Smallest([](const Probe& p) { return p.withinDrop; });
  if (!result.areaForAmpacity || !result.areaForVd) {
    finder.Show(kSizeCount - 1);
    result.sizedBy = SizedBy::None;
    result.note = NoSizeNote(inputs, result, session.State());
    return result;
  }
  const int used = std::max(*result.areaForAmpacity, *result.areaForVd);
  result.sizedBy = finder.At(*result.areaForAmpacity).withinDrop ? SizedBy::Ampacity : SizedBy::VoltageDrop;
  result.areaUsed = used;
  finder.Show(used);
  result.numbers = ReadNumbers(session.Window());
  return result;
}

}  // namespace

std::vector<int> AmbientChain(int insulationC) {
  Session session;
  Elcal& w = session.Window();
  session.Choose(InsulationOption(w, insulationC));
  std::vector<int> chain = {w.state.AmbientC};
  // One turn of the button's walk comes back to where it started.
  for (session.Click(w.AmbCmnd); w.state.AmbientC != chain.front(); session.Click(w.AmbCmnd))
    chain.push_back(w.state.AmbientC);
  std::sort(chain.begin(), chain.end());
  return chain;
}

void WaitForPass(Elcal& window, UserActions& actions) {
  for (Timer* ticker : {&window.Timer1, &window.Timer2}) actions.Tick(*ticker);
}

std::optional<FeederError> EnterFeederInWindow(Elcal& window, UserActions& actions, const FeederInputs& inputs,
                                               int areaIndex) {
  try {
    Keyboard keyboard(window, actions, nullptr);
    EnterFeeder(keyboard, inputs, areaIndex);
    Settle(keyboard, inputs);
    Pass(keyboard, inputs);
  } catch (const Refused& refused) {
    return refused.error;
  }
  return std::nullopt;
}

std::string SizeName(int areaIndex) {
  std::string name = Trimmed(kSizeItems[static_cast<std::size_t>(areaIndex)]);
  if (name.ends_with(" MCM")) name.replace(name.size() - 3, 3, "kcmil");
  return name;
}

double RequiredAmpacity(const FeederInputs& inputs, double current) {
  return current * (inputs.continuous ? kContinuousFactor : 1.0);
}

bool CarriesLoad(const FeederInputs& inputs, double current, float ampacity) {
  return static_cast<double>(ampacity) >= RequiredAmpacity(inputs, current);
}

bool WithinDropLimit(const FeederInputs& inputs, float vdAcPercent) {
  return static_cast<double>(vdAcPercent) <= inputs.maxVdPercent;
}

FeederResult EvaluateFeeder(const FeederInputs& inputs) {
  try {
    return inputs.areaIndex ? EvaluateGiven(inputs) : FindSize(inputs);
  } catch (const Refused& refused) {
    FeederResult result;
    result.error = refused.error;
    return result;
  }
}

}  // namespace quillet
