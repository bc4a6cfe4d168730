#include "schedule/feeder_engine.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "app/elcal_handlers.h"
#include "core/ambient.h"
#include "core/elcal.h"
#include "core/numbers.h"
#include "core/recalculation.h"
#include "core/tables.h"
#include "platform/desktop.h"
#include "platform/user_actions.h"
#include "schedule/cell_text.h"
#include "schedule/columns.h"
#include "design/fault_current.h"
#include "design/feeder_design.h"
#include "schedule/feeder_row.h"
#include "schedule/window_keys.h"

namespace quillet {

// The parts of a launched calculator with only the main window: the
// secondary windows take no part in a feeder's numbers. It starts as the
// program does (the handlers, the main window's load, its first tick) and
// keeps the state start-up left, every control and every field, to come
// back to it before each feeder.
class FeederCalculator {
 public:
  FeederCalculator() : desktop_(services_, kScreenWidth, kScreenHeight), w_(desktop_), act_(desktop_) {
    AttachHandlers(w_);
    {
      Desktop::Guard busy(desktop_);
      w_.Show();
    }
    WaitForPass(w_, act_);
    startWindow_ = w_.Values();
    startState_ = w_.state;
  }

  // Back to what start-up left, every control and field as it was: no
  // event is raised and nothing of start-up runs again, least of all its
  // reading of a settings file.
  void Reset() {
    w_.PutBack(startWindow_);
    w_.state = startState_;
  }

  Keyboard Keys() { return Keyboard(w_, act_, &services_); }
  const Elcal& Window() const { return w_; }
  // Room for the pass's numbers at sizes the window does not show.
  ElcalState& Numbers() { return numbers_; }

 private:
  static constexpr int kScreenWidth = 28800;
  static constexpr int kScreenHeight = 16200;

  QuietServices services_;
  Desktop desktop_;
  Elcal w_;
  UserActions act_;
  WindowValues startWindow_;
  ElcalState startState_;
  ElcalState numbers_;
};

namespace {

constexpr int kMaxRuns = 6;
constexpr int kPowerFactorOne = 5;  // the option of PF 1.0

int FirstParallelArea() { return kFirstParallelCopper; }

// Everything but the load's pass, in the order a person enters a feeder,
// with the size given.
void EnterFeeder(Keyboard& keys, const FeederInputs& inputs, int area) {
  FeederInputs entered = inputs;
  entered.areaIndex = area;
  for (Column column : EntryOrder()) InputColumnOf(column).enter(keys, entered);
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

// The one-way length the window computes with, in km.
double LengthKm(const Elcal& w, const ElcalState& s) {
  const std::string& length = w.L.Text();
  return (IsNumberText(length) ? NumberValue(length) : 0.0) * static_cast<double>(s.LengthFactor) / 1000.0;
}

// IEEE Std 141's exact drop beside the window's effective-impedance one,
// from the same one-way R and X; none where the root has no real value.
std::optional<float> ExactDropPercent(const Elcal& w, const ElcalState& s) {
  const double lengthKm = LengthKm(w, s);
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

// The numbers as the window shows them with the state `s`: its own, or the
// pass's numbers for another size.
FeederNumbers ReadNumbers(const Elcal& w, const ElcalState& s, const FeederInputs& inputs) {
  FeederNumbers n;
  n.current = s.Current;
  n.drop = ReportedDrop(inputs, s);
  n.vdAc = s.VdAc;
  n.vdAcPercent = s.VdAcPercent;
  if (!inputs.dc) n.vdExactPercent = ExactDropPercent(w, s);
  // The window shows the DC drop for "1 Phase or DC" at a power factor of exactly 1.
  if (s.PhaseCode == 1 && s.PowerFactor == 1.0f) {
    n.vdDc = s.VdDc;
    n.vdDcPercent = s.VdDcPercent;
  }
  n.rdc = s.RdcShown;
  n.rac = s.RacShown;
  n.xl = s.XlShown;
  n.xlPerKm = s.XlKm;
  n.racPerKmCold = AcResistancePerKmAt(s, kConductorFaultTempC);
  n.lengthKm = LengthKm(w, s);
  n.z = s.ZShown;
  n.perKm = s.LengthUnit == LengthSystem::Metric;
  n.areaMm2 = s.AreaMm2;
  n.ampacity = s.FeederAmpacity;
  n.ambientFactor = s.AmbientFactor;
  n.ambientC = s.AmbientC;
  n.loadRatio = s.LoadRatio;
  n.check = s.LoadCheck;
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
  SizeAmpacity ampacity;
  bool enough = false;  // the design's ampacity
  float dropPercent = 0;
  bool withinDrop = false;
};

class SizeFinder {
 public:
  // From the window with the feeder entered at the area `entered`, which
  // its pass shows first; the search starts at `first`.
  SizeFinder(Keyboard& session, ElcalState& numbers, const FeederInputs& inputs, int first, int entered)
      : session_(session), numbers_(numbers), inputs_(inputs), first_(first), last_(kSizeCount - 1) {
    Pass(session_, inputs_);
    shown_ = entered;
  }

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

  // The sizes for ampacity and for the drop.
  void Search(FeederResult& result) {
    result.areaForAmpacity = Smallest([](const Probe& p) { return p.enough; });
    result.areaForVd = Smallest([](const Probe& p) { return p.withinDrop; });
  }

  // What the size gives, as the window shows it after a pass there.
  const Probe& At(int area) {
    if (auto found = probes_.find(area); found != probes_.end()) return found->second;
    const ElcalState& s = StateAt(area);
    // The load current is the same at every size.
    if (!basis_) basis_ = DesignBasisFor(DesignRequestOf(inputs_), s.Current);
    Probe probe;
    probe.ampacity = DesignAmpacity(s, *basis_);
    probe.enough = EnoughAmpacity(*basis_, probe.ampacity.design, area, inputs_.aluminium);
    probe.dropPercent = ReportedDrop(inputs_, s).percent;
    probe.withinDrop = WithinDropLimit(inputs_, probe.dropPercent);
    return probes_.emplace(area, probe).first->second;
  }

  // The state as a pass at the area leaves it: the window's own for the
  // area it shows, else the pass's numbers on a copy of it, which are the
  // same; the window's pass there where those cannot be had.
  const ElcalState& StateAt(int area) {
    if (area == shown_) return session_.State();
    if (!numbersCopied_) numbers_ = session_.State();
    numbersCopied_ = RecalculateNumbers(session_.Window(), SizeListIndex(area, inputs_.aluminium), numbers_);
    if (numbersCopied_) return numbers_;
    PassAt(area);
    return session_.State();
  }

  // Once a size has been probed.
  const DesignBasis& Basis() const { return *basis_; }

  // The design of a size for the sizes the search found.
  FeederDesign DesignAt(int area, const FeederResult& result) {
    return DesignOf(Basis(), At(area).ampacity, area, result.areaForAmpacity, inputs_.aluminium);
  }

 private:
  // Spins the size list to the area and runs the window's pass there.
  void PassAt(int area) {
    Elcal& w = session_.Window();
    const int target = SizeListIndex(area, inputs_.aluminium);
    while (w.state.SizeIndex < target) session_.SpinDown(w.VDPS);
    while (w.state.SizeIndex > target) session_.SpinUp(w.VDPS);
    Pass(session_, inputs_);
    shown_ = area;
  }

  Keyboard& session_;
  ElcalState& numbers_;  // the window's state, for the pass's numbers at other sizes
  bool numbersCopied_ = false;
  const FeederInputs& inputs_;
  int first_, last_;
  int shown_ = -1;
  std::map<int, Probe> probes_;
  std::optional<DesignBasis> basis_;
};

int FirstArea(const FeederInputs& inputs) {
  if (inputs.runs > 1) return FirstParallelArea();
  return inputs.aluminium ? 1 : 0;  // the aluminium list starts at 12 AWG
}

// A feeder the window cannot take as a DC feeder: its DC drop shows at PF 1
// only, and the motor lists hold AC motors.
void CheckDc(const FeederInputs& inputs) {
  if (!inputs.dc) return;
  if (inputs.load == LoadKind::Motor)
    throw Refused{{Column::MotorHp, "the motor lists hold AC motors; give a DC motor's current"}};
  if (inputs.pfOption && *inputs.pfOption != kPowerFactorOne)
    throw Refused{{Column::Pf, "a DC feeder's power factor is 1"}};
}

// A raceway of the other kind than the conduit the window takes the
// reactance of, or a neutral the rules refuse.
void CheckWiring(const FeederInputs& inputs) {
  if (inputs.raceway && Metallic(*inputs.raceway) == inputs.pvc)
    throw Refused{{Column::Raceway, inputs.pvc ? "the row's conduit is pvc: PVC40 or PVC80"
                                               : "the row's conduit is steel: EMT, IMC or RMC"}};
  if (const auto refusal = NeutralRefusal(WiringOf(inputs))) throw Refused{{Column::Neutral, *refusal}};
}

// A reduced neutral is never above the phase conductors.
void CheckNeutralSize(const FeederInputs& inputs, int area) {
  if (inputs.neutral && inputs.neutral->kind == NeutralKind::Reduced && inputs.neutral->area > area)
    throw Refused{{Column::Neutral, "above the phase conductors' " + SizeName(area)}};
}

// Why the design has no device, or "".
std::string DeviceNote(const DesignBasis& basis) {
  if (basis.device) return "";
  return "no standard overcurrent device reaches " + ExactText(basis.deviceNeeds) + " A; " +
         std::to_string(StandardRatings().back()) + " A is the largest";
}

// The feeder entered as a person would in the calculator brought back to
// its start-up state, the size list at the area, and the window's pass run.
SizeFinder Entered(FeederCalculator& calculator, Keyboard& keys, const FeederInputs& inputs, int first, int area) {
  calculator.Reset();
  EnterFeeder(keys, inputs, area);
  Settle(keys, inputs);
  return SizeFinder(keys, calculator.Numbers(), inputs, first, area);
}

// The columns the window's load current follows; the rest only size and
// judge the conductor that carries it.
constexpr Column kLoadEntry[] = {Column::System, Column::Voltage, Column::MotorHp, Column::Pf, Column::Current,
                                 Column::Power};

double LoadCurrentOf(FeederCalculator& calculator, const FeederInputs& inputs) {
  CheckDc(inputs);
  calculator.Reset();
  Keyboard keys = calculator.Keys();
  for (Column column : EntryOrder())
    if (std::ranges::find(kLoadEntry, column) != std::end(kLoadEntry)) InputColumnOf(column).enter(keys, inputs);
  Settle(keys, inputs);
  Pass(keys, inputs);
  return keys.State().Current;
}

FeederResult EvaluateGiven(FeederCalculator& calculator, const FeederInputs& inputs) {
  const int area = *inputs.areaIndex;
  if (inputs.runs > 1 && area < FirstParallelArea())
    throw Refused{{Column::Runs, "parallel runs need a size from 1/0 AWG up, the size is " + SizeName(area)}};
  Keyboard keys = calculator.Keys();
  SizeFinder finder = Entered(calculator, keys, inputs, FirstArea(inputs), area);
  FeederResult result;
  result.areaUsed = area;
  result.numbers = ReadNumbers(keys.Window(), keys.State(), inputs);
  finder.Search(result);
  result.design = finder.DesignAt(area, result);
  result.note = DeviceNote(finder.Basis());
  return result;
}

// Whether the largest size with this many runs meets both limits.
bool LargestFits(FeederCalculator& calculator, FeederInputs inputs, int runs) {
  inputs.runs = runs;
  Keyboard keys = calculator.Keys();
  SizeFinder finder = Entered(calculator, keys, inputs, kSizeCount - 1, kSizeCount - 1);
  const Probe& probe = finder.At(kSizeCount - 1);
  return probe.enough && probe.withinDrop;
}

// Why no size fits, and how many runs would. Each count of runs is entered
// afresh in the calculator, so the feeder's own window is gone after.
NoFit NoFitOf(FeederCalculator& calculator, const FeederInputs& inputs, const FeederResult& result,
              const DesignBasis& basis, const Probe& largest) {
  NoFit noFit;
  noFit.basis = basis;
  if (!result.areaForAmpacity) noFit.carries = largest.ampacity.design;
  else noFit.dropPercent = largest.dropPercent;
  for (int runs = inputs.runs + 1; runs <= kMaxRuns && noFit.runsThatWould == 0; ++runs)
    if (LargestFits(calculator, inputs, runs)) noFit.runsThatWould = runs;
  return noFit;
}

const FigureWriters kExactFigures = {
    [](double amperes) { return ExactText(amperes) + " A"; },
    [](float amperes) { return ExactText(amperes) + " A"; },
    [](float percent) { return ExactText(percent) + " %"; },
};

FeederResult FindSize(FeederCalculator& calculator, const FeederInputs& inputs) {
  FeederResult result;
  const int first = FirstArea(inputs);
  Keyboard keys = calculator.Keys();
  SizeFinder finder = Entered(calculator, keys, inputs, first, first);
  finder.Search(result);
  if (!result.areaForAmpacity || !result.areaForVd) {
    result.sizedBy = SizedBy::None;
    if (!finder.Basis().device) {
      result.note = DeviceNote(finder.Basis());
      return result;
    }
    const Probe largest = finder.At(kSizeCount - 1);
    result.noFit = NoFitOf(calculator, inputs, result, finder.Basis(), largest);
    result.note = NoFitWords(inputs, *result.noFit, kExactFigures);
    return result;
  }
  const int used = std::max(*result.areaForAmpacity, *result.areaForVd);
  result.sizedBy = finder.At(*result.areaForAmpacity).withinDrop ? SizedBy::Ampacity : SizedBy::VoltageDrop;
  result.areaUsed = used;
  result.design = finder.DesignAt(used, result);
  result.numbers = ReadNumbers(keys.Window(), finder.StateAt(used), inputs);
  result.note = DeviceNote(finder.Basis());
  return result;
}

// The size the finder gives the feeder with this many sets, when a raceway
// holds each set.
std::optional<int> SizeWhoseSetsFit(FeederCalculator& calculator, FeederInputs inputs, int sets) {
  inputs.runs = sets;
  inputs.areaIndex.reset();
  if (NeutralRefusal(WiringOf(inputs))) return std::nullopt;
  try {
    const FeederResult result = FindSize(calculator, inputs);
    if (!result.areaUsed || !result.design->raceway.tradeSize) return std::nullopt;
    CheckNeutralSize(inputs, *result.areaUsed);
    return result.areaUsed;
  } catch (const Refused&) {
    return std::nullopt;
  }
}

// No raceway holds a set: the fill, and how many sets, each sized afresh, would fit.
std::string RacewayNote(FeederCalculator& calculator, const FeederInputs& inputs, const RacewayFit& fit) {
  const std::string why = NoRacewayWords(fit);
  for (int sets = inputs.runs + 1; sets <= kMaxRuns; ++sets)
    if (const auto area = SizeWhoseSetsFit(calculator, inputs, sets))
      return why + "; " + std::to_string(sets) + " parallel sets of " + SizeName(*area) + " would";
  return why + "; not even " + std::to_string(kMaxRuns) + " parallel sets would";
}

}  // namespace

void WaitForPass(Elcal& window, UserActions& actions) {
  for (Timer* ticker : {&window.Timer1, &window.Timer2}) actions.Tick(*ticker);
}

std::optional<FeederError> EnterFeederInWindow(Elcal& window, UserActions& actions, const FeederInputs& inputs,
                                               int areaIndex) {
  try {
    Keyboard keyboard(window, actions, nullptr);
    // The job field names the feeder the window now shows, as the report
    // and the clipboard summary head it.
    keyboard.Type(Column::Tag, window.Job, inputs.tag);
    EnterFeeder(keyboard, inputs, areaIndex);
    Settle(keyboard, inputs);
    Pass(keyboard, inputs);
  } catch (const Refused& refused) {
    return refused.error;
  }
  return std::nullopt;
}

std::string NoFitWords(const FeederInputs& inputs, const NoFit& noFit, const FigureWriters& write) {
  const std::string why =
      noFit.carries ? "1000 kcmil carries " + write.ampacity(*noFit.carries) + ", the design needs " +
                          NeededAmpacityText(noFit.basis, write.current)
                    : "1000 kcmil drops " + write.percent(noFit.dropPercent) + ", the limit is " +
                          FigureText(inputs.maxVdPercent) + " %";
  if (noFit.runsThatWould == 0) return "no size fits: " + why + "; not even 6 parallel runs would";
  return "no size fits: " + why + "; " + std::to_string(noFit.runsThatWould) + " parallel runs would";
}

std::string SizeName(int areaIndex) {
  std::string name = TrimmedCell(kSizeItems[static_cast<std::size_t>(areaIndex)]);
  if (name.ends_with(" MCM")) name.replace(name.size() - 3, 3, "kcmil");
  return name;
}

FeederDrop ReportedDrop(const FeederInputs& inputs, const ElcalState& shown) {
  if (inputs.dc) return {shown.VdDc, shown.VdDcPercent};
  return {shown.VdAc, shown.VdAcPercent};
}

bool WithinDropLimit(const FeederInputs& inputs, float dropPercent) {
  return static_cast<double>(dropPercent) <= inputs.maxVdPercent;
}

Wiring WiringOf(const FeederInputs& inputs) {
  const Supply supply{.threePhase = !inputs.singlePhase, .dc = inputs.dc, .volts = NumberValue(inputs.voltage)};
  return {.supply = supply,
          .wire = inputs.wireType,
          .raceway = inputs.raceway.value_or(DefaultRaceway(inputs.pvc)),
          .neutral = inputs.neutral.value_or(DefaultNeutral(supply, inputs.loadClass, inputs.feedsOthers)),
          .nonlinear = inputs.nonlinear,
          .sets = inputs.runs};
}

DesignRequest DesignRequestOf(const FeederInputs& inputs) {
  return {.motor = inputs.load == LoadKind::Motor || inputs.loadClass == LoadClass::Motor,
          .continuous = inputs.continuous,
          .ocpd = inputs.ocpd,
          .terminalC = inputs.terminalC,
          .designCurrent = inputs.designCurrent,
          .wiring = WiringOf(inputs)};
}

FeederEngine::FeederEngine() = default;
FeederEngine::~FeederEngine() = default;
FeederEngine::FeederEngine(const FeederEngine&) : FeederEngine() {}
FeederEngine& FeederEngine::operator=(const FeederEngine&) { return *this; }
FeederEngine::FeederEngine(FeederEngine&&) noexcept = default;
FeederEngine& FeederEngine::operator=(FeederEngine&&) noexcept = default;

FeederCalculator& FeederEngine::Calculator() {
  if (!calculator_) calculator_ = std::make_unique<FeederCalculator>();
  return *calculator_;
}

void FeederEngine::Reset() { Calculator().Reset(); }

const Elcal& FeederEngine::Window() { return Calculator().Window(); }

std::variant<double, FeederError> FeederEngine::UnitLoadCurrent(const FeederInputs& inputs) {
  try {
    return LoadCurrentOf(Calculator(), inputs);
  } catch (const Refused& refused) {
    return refused.error;
  }
}

FeederResult FeederEngine::Evaluate(const FeederInputs& inputs) {
  try {
    CheckDc(inputs);
    CheckWiring(inputs);
    FeederResult result = inputs.areaIndex ? EvaluateGiven(Calculator(), inputs) : FindSize(Calculator(), inputs);
    if (result.areaUsed) CheckNeutralSize(inputs, *result.areaUsed);
    if (result.note.empty() && result.design && !result.design->raceway.tradeSize)
      result.note = RacewayNote(Calculator(), inputs, result.design->raceway);
    return result;
  } catch (const Refused& refused) {
    FeederResult result;
    result.error = refused.error;
    return result;
  }
}

FeederResult EvaluateFeeder(const FeederInputs& inputs) { return FeederEngine().Evaluate(inputs); }

}  // namespace quillet
