#include "design/raceway.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/numbers.h"
#include "core/tables.h"

namespace quillet {
namespace {

constexpr std::string_view kWireTypeNames[] = {"THHN", "XHHW", "RHW"};
constexpr std::string_view kRacewayNames[] = {"EMT", "IMC", "RMC", "PVC40", "PVC80"};
// As drawings name the raceways, in the order of `Raceway`.
constexpr std::string_view kRacewayDrawingNames[] = {"EMT", "IMC", "RMC", "PVC Sch 40", "PVC Sch 80"};

constexpr NeutralSystem kNeutralSystems[] = {
    {208, 120, false}, {480, 277, false}, {600, 347, false}, {240, 120, true}};

constexpr int kFirstParallelArea = 9;  // 1/0 AWG, 310.10(G)(1)

// Chapter 9 Table 4, total area (100 %) in in², by trade size.
constexpr std::string_view kTradeSizes[] = {"1/2", "3/4", "1",     "1-1/4", "1-1/2", "2",
                                            "2-1/2", "3",  "3-1/2", "4",     "5",     "6"};
constexpr double kEmtArea[] = {0.304, 0.533, 0.864, 1.496, 2.036, 3.356, 5.858, 8.846, 11.545, 14.753};
constexpr double kImcArea[] = {0.342, 0.586, 0.959, 1.647, 2.225, 3.63, 5.135, 7.922, 10.584, 13.631};
constexpr double kRmcArea[] = {0.314, 0.549, 0.887, 1.526, 2.071, 3.408, 4.866, 7.499, 10.01, 12.882, 20.212, 29.158};
constexpr double kPvc40Area[] = {0.285, 0.508, 0.832, 1.453, 1.986, 3.291, 4.695, 7.268, 9.737, 12.554, 19.761, 28.567};
constexpr double kPvc80Area[] = {0.217, 0.409, 0.688, 1.237, 1.711, 2.874, 4.119, 6.442, 8.688, 11.258, 17.855, 25.598};
constexpr std::span<const double> kRacewayAreas[] = {kEmtArea, kImcArea, kRmcArea, kPvc40Area, kPvc80Area};

// Chapter 9 Table 5, approximate area in in², by AreaIndex (14 AWG to
// 1000 kcmil); RHW with its outer covering.
using AreaColumn = double[kSizeCount];
constexpr AreaColumn kThhnArea = {0.0097, 0.0133, 0.0211, 0.0366, 0.0507, 0.0824, 0.0973,
                                  0.1158, 0.1562, 0.1855, 0.2223, 0.2679, 0.3237, 0.397,
                                  0.4608, 0.5242, 0.5863, 0.7073, 0.8676, 1.0496, 1.3478};
constexpr AreaColumn kXhhwArea = {0.0139, 0.0181, 0.0243, 0.0437, 0.059,  0.0814, 0.0962,
                                  0.1146, 0.1534, 0.1825, 0.219,  0.2642, 0.3197, 0.3904,
                                  0.4536, 0.5166, 0.5782, 0.6984, 0.8709, 1.0532, 1.3519};
constexpr AreaColumn kRhwArea = {0.0293, 0.0353, 0.0437, 0.0835, 0.1041, 0.1333, 0.1521,
                                 0.175,  0.266,  0.3039, 0.3505, 0.4072, 0.4754, 0.6291,
                                 0.7088, 0.787,  0.8626, 1.0082, 1.2135, 1.4272, 1.7719};
constexpr const AreaColumn* kConductorAreas[] = {&kThhnArea, &kXhhwArea, &kRhwArea};

// Chapter 9 Table 8, circular mils by AreaIndex.
constexpr std::int64_t kAreaCmil[kSizeCount] = {4110,   6530,   10380,  16510,  26240,  41740,  52620,
                                                66360,  83690,  105600, 133100, 167800, 211600, 250000,
                                                300000, 350000, 400000, 500000, 600000, 750000, 1000000};

// Table 310.15(C)(1): the most current-carrying conductors of each step and its percent.
struct AdjustmentStep {
  int upTo, percent;
};
constexpr AdjustmentStep kAdjustment[] = {{3, 100}, {6, 80}, {9, 70}, {20, 50}, {30, 45}, {40, 40}};
constexpr int kAdjustmentBeyond = 35;

// Areas are compared in whole ten-thousandths of a square inch, the last
// place of Table 5, so a set that fills a raceway to its limit exactly fits.
constexpr double kAreaUnitsPerIn2 = 10000;
std::int64_t Units(double in2) { return std::llround(in2 * kAreaUnitsPerIn2); }

// How the circuit's conductors share its current.
enum class Circuit {
  ThreePhase,      // three phase conductors and perhaps a neutral
  TwoWire,         // single phase or DC: both conductors carry the load
  SplitPhase,      // two lines and the neutral of a single-phase system: the neutral carries the unbalance
  TwoPhasesOfWye,  // two phases and the neutral of a wye: the neutral carries as much as they do
};

bool WyeLineToLine(double volts) {
  return std::ranges::any_of(kNeutralSystems,
                             [&](const NeutralSystem& s) { return !s.singlePhase && s.lineToLine == volts; });
}

Circuit CircuitOf(const Wiring& w) {
  if (w.supply.threePhase) return Circuit::ThreePhase;
  if (w.supply.dc || w.neutral.kind == NeutralKind::None || LineToNeutral(w.supply)) return Circuit::TwoWire;
  return WyeLineToLine(w.supply.volts) ? Circuit::TwoPhasesOfWye : Circuit::SplitPhase;
}

// The line conductors besides a separate neutral.
int Lines(Circuit circuit) { return circuit == Circuit::ThreePhase ? 3 : 2; }

// "#500 kcmil", "#4/0", with AL after an aluminium size.
std::string DrawingSize(int area, bool aluminium) {
  std::string name = kSizeItems[static_cast<std::size_t>(area)];
  name.erase(0, name.find_first_not_of(' '));
  if (name.ends_with(" AWG")) name.resize(name.size() - 4);
  else if (name.ends_with(" MCM")) name.replace(name.size() - 3, 3, "kcmil");
  return "#" + name + (aluminium ? " AL" : "");
}

}  // namespace

std::span<const std::string_view> WireTypeNames() { return kWireTypeNames; }
std::span<const std::string_view> RacewayNames() { return kRacewayNames; }

bool Metallic(Raceway raceway) { return raceway == Raceway::Emt || raceway == Raceway::Imc || raceway == Raceway::Rmc; }

Raceway DefaultRaceway(bool pvc) { return pvc ? Raceway::Pvc40 : Raceway::Emt; }

std::span<const NeutralSystem> NeutralSystems() { return kNeutralSystems; }

bool HasNeutral(const Supply& supply) {
  if (supply.dc) return false;
  return std::ranges::any_of(kNeutralSystems, [&](const NeutralSystem& s) {
    if (supply.threePhase) return !s.singlePhase && s.lineToLine == supply.volts;
    return s.lineToLine == supply.volts || s.lineToNeutral == supply.volts;
  });
}

bool LineToNeutral(const Supply& supply) {
  if (supply.threePhase || supply.dc) return false;
  return std::ranges::any_of(kNeutralSystems, [&](const NeutralSystem& s) { return s.lineToNeutral == supply.volts; });
}

Neutral DefaultNeutral(const Supply& supply, LoadClass loadClass, bool feedsOthers) {
  if (!HasNeutral(supply)) return {};
  const bool full = feedsOthers || loadClass == LoadClass::Lighting || loadClass == LoadClass::Receptacle ||
                    loadClass == LoadClass::Other;
  return full ? Neutral{NeutralKind::Full} : Neutral{};
}

std::optional<std::string> NeutralRefusal(const Wiring& w) {
  if (w.neutral.kind == NeutralKind::None) return std::nullopt;
  if (w.supply.dc) return "a DC feeder's two conductors carry the load; it has no neutral";
  if (w.neutral.kind != NeutralKind::Reduced) return std::nullopt;
  switch (CircuitOf(w)) {
    case Circuit::TwoWire:
      return "the neutral of a two-wire feeder carries the whole load: it is the phase size (yes)";
    case Circuit::TwoPhasesOfWye:
      return "two phases and the neutral of a wye: the neutral carries as much as they do and is not reduced "
             "(220.61(C)(1))";
    case Circuit::ThreePhase:
      if (w.nonlinear) return "the neutral of nonlinear loads on a wye is not reduced (220.61(C)(2))";
      break;
    case Circuit::SplitPhase: break;
  }
  if (w.sets > 1 && w.neutral.area < kFirstParallelArea)
    return "parallel sets need a neutral from 1/0 AWG up (310.10(G)(1))";
  return std::nullopt;
}

int CurrentCarrying(const Wiring& w) {
  switch (CircuitOf(w)) {
    case Circuit::ThreePhase:  // 310.15(E)(1) and (E)(3)
      return w.neutral.kind != NeutralKind::None && w.nonlinear ? 4 : 3;
    case Circuit::TwoWire: return 2;
    case Circuit::SplitPhase: return 2;      // 310.15(E)(1)
    case Circuit::TwoPhasesOfWye: return 3;  // 310.15(E)(2)
  }
  return 3;
}

int AdjustmentPercent(int currentCarrying) {
  for (const AdjustmentStep& step : kAdjustment)
    if (currentCarrying <= step.upTo) return step.percent;
  return kAdjustmentBeyond;
}

int FillLimitPercent(int conductors) { return conductors == 1 ? 53 : conductors == 2 ? 31 : 40; }

RacewayFit FitRaceway(const Wiring& wiring, int area, std::optional<int> groundArea, bool aluminium) {
  RacewayFit fit;
  fit.sets = wiring.sets;
  fit.wire = wiring.wire;
  fit.raceway = wiring.raceway;
  const Circuit circuit = CircuitOf(wiring);
  ConductorSet& set = fit.set;
  set.lines = Lines(circuit);
  set.area = area;
  set.groundArea = groundArea;
  set.aluminium = aluminium;
  // The second conductor of a two-wire feeder is its neutral already.
  if (circuit != Circuit::TwoWire && wiring.neutral.kind != NeutralKind::None) {
    const bool reduced = wiring.neutral.kind == NeutralKind::Reduced && wiring.neutral.area < area;
    if (reduced) set.neutralArea = wiring.neutral.area;
    else ++set.lines;
  }
  const auto units = [&](int a) { return Units(ConductorAreaIn2(wiring.wire, a)); };
  fit.conductors = set.lines + (set.neutralArea ? 1 : 0) + (groundArea ? 1 : 0);
  fit.area = set.lines * units(area) + (set.neutralArea ? units(*set.neutralArea) : 0) +
             (groundArea ? units(*groundArea) : 0);
  fit.fillLimitPercent = FillLimitPercent(fit.conductors);
  const std::span<const double> sizes = kRacewayAreas[static_cast<std::size_t>(wiring.raceway)];
  for (std::size_t t = 0; t < sizes.size(); ++t) {
    const std::int64_t whole = Units(sizes[t]);
    if (fit.area * 100 > whole * fit.fillLimitPercent) continue;
    fit.tradeSize = static_cast<int>(t);
    fit.fillPercent = static_cast<float>(static_cast<double>(fit.area) / static_cast<double>(whole) * 100);
    break;
  }
  return fit;
}

std::string ConductorSetText(const RacewayFit& fit) {
  const ConductorSet& s = fit.set;
  std::string set = std::to_string(s.lines) + " " + DrawingSize(s.area, s.aluminium);
  if (s.neutralArea) set += " + 1 " + DrawingSize(*s.neutralArea, s.aluminium) + " N";
  if (s.groundArea) set += " + 1 " + DrawingSize(*s.groundArea, s.aluminium) + " G";
  if (fit.sets > 1) set = std::to_string(fit.sets) + " sets of (" + set + ")";
  if (!fit.tradeSize) return set;
  set += ", " + std::string(TradeSizes(fit.raceway)[static_cast<std::size_t>(*fit.tradeSize)]) + "\" " +
         std::string(kRacewayDrawingNames[static_cast<std::size_t>(fit.raceway)]);
  return fit.sets > 1 ? set + " each" : set;
}

std::string NoRacewayWords(const RacewayFit& fit) {
  const auto in2 = [](double units) { return FormatPattern(units / kAreaUnitsPerIn2, "0.0###") + " in²"; };
  const std::span<const std::string_view> sizes = TradeSizes(fit.raceway);
  const int largest = static_cast<int>(sizes.size()) - 1;
  const double allowed = static_cast<double>(Units(RacewayAreaIn2(fit.raceway, largest)) * fit.fillLimitPercent) / 100;
  return "no raceway holds a set: its " + std::to_string(fit.conductors) + " conductors take " +
         in2(static_cast<double>(fit.area)) +
         ", " + std::to_string(fit.fillLimitPercent) + " % of the largest " +
         std::string(kRacewayNames[static_cast<std::size_t>(fit.raceway)]) + " (trade size " +
         std::string(sizes.back()) + ") is " + in2(allowed);
}

std::span<const std::string_view> TradeSizes(Raceway raceway) {
  return std::span(kTradeSizes).first(kRacewayAreas[static_cast<std::size_t>(raceway)].size());
}

double RacewayAreaIn2(Raceway raceway, int tradeSize) {
  return kRacewayAreas[static_cast<std::size_t>(raceway)][static_cast<std::size_t>(tradeSize)];
}

double ConductorAreaIn2(WireType wire, int area) {
  return (*kConductorAreas[static_cast<std::size_t>(wire)])[static_cast<std::size_t>(area)];
}

std::int64_t AreaCmil(int area) { return kAreaCmil[static_cast<std::size_t>(area)]; }

}  // namespace quillet
