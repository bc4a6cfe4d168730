#include "schedule/fault_walk.h"

#include <cmath>
#include <utility>

#include "core/numbers.h"
#include "schedule/columns.h"
#include "schedule/distribution_tree.h"
#include "schedule/load_rollup.h"

namespace quillet {
namespace {

constexpr char kNoData[] = "no source or transformer data above this row";
constexpr char kNoTransformerData[] = "no data for the transformer at this row's supply end (xfmr_kva, xfmr_z_pct)";
constexpr char kThreePhaseFromOne[] = "a three-phase row fed from a single-phase one has no three-phase fault";
constexpr char kNoNeutral[] =
    "its single-phase supply gives no line-to-neutral figure (a single-phase source_ka is line to line; give the "
    "transformer that feeds it)";
constexpr char kDc[] = "a DC feeder has no AC fault current";

// The point at the row's supply end, or why it is not known ("" when
// nothing above gives fault data).
struct Start {
  std::optional<FaultPoint> point;
  std::string unknown;
};

bool GivesTransformer(const FeederInputs& inputs) { return inputs.xfmrKva && inputs.xfmrZPercent; }

// A transformer whose primary is not known is taken with an unlimited
// one: the most its secondary can give.
Start AtTransformer(const FeederInputs& inputs, const SupplyPath& path, double volts, bool threePhase) {
  if (!GivesTransformer(inputs))
    return {std::nullopt, path.fault.point || !path.fault.unknown.empty() ? kNoTransformerData : ""};
  std::optional<FaultPoint> primary;
  if (path.fed) primary = path.fault.point;
  else if (inputs.sourceKa)
    primary = SourcePoint(*inputs.xfmrPrimaryVolts, threePhase, *inputs.sourceKa * 1000, inputs.sourceXr);
  const auto terminals =
      SecondaryTerminals(primary, {*inputs.xfmrKva, *inputs.xfmrZPercent, inputs.xfmrXr}, volts, threePhase);
  if (!terminals) return {std::nullopt, kThreePhaseFromOne};
  return {terminals, ""};
}

Start SupplyEnd(const FeederInputs& inputs, const SupplyPath& path, double volts, bool threePhase) {
  if (path.viaTransformer || (!path.fed && GivesTransformer(inputs)))
    return AtTransformer(inputs, path, volts, threePhase);
  if (path.fed) return {path.fault.point, path.fault.point ? "" : path.fault.unknown};
  if (!inputs.sourceKa) return {};
  return {SourcePoint(volts, threePhase, *inputs.sourceKa * 1000, inputs.sourceXr), ""};
}

// The motors at the row's supply end: those its supply's load end has, or
// at the top of a path or after a transformer the row's own, if a motor.
std::optional<double> MotorsAtSupplyEnd(const EvaluatedRow& row, const FeederInputs& inputs, bool loadGiven,
                                        const SupplyPath& path) {
  if (path.fed && !path.viaTransformer) return path.fault.motorAmperes;
  if (!loadGiven || inputs.loadClass != LoadClass::Motor) return 0.0;
  return MotorContribution(row.result->numbers->current * inputs.quantity);
}

// The motors the row feeds, with no transformer between; none when one
// of them has an error.
std::optional<double> MotorsFed(const RowLoad* load) {
  if (!load) return 0.0;
  if (!load->motorUnknown.empty()) return std::nullopt;
  return MotorContribution(load->motorAmperes);
}

bool Finite(const RowFault& fault) {
  return std::isfinite(fault.ka) && std::isfinite(fault.supplyKa) && (!fault.xr || std::isfinite(*fault.xr));
}

}  // namespace

std::optional<FeederError> FaultDataError(const FeederInputs& inputs, const SupplyPath& path) {
  if (!path.fed || path.viaTransformer) return std::nullopt;
  const std::pair<Column, std::optional<double>> given[] = {
      {Column::XfmrKva, inputs.xfmrKva}, {Column::XfmrZPct, inputs.xfmrZPercent}, {Column::XfmrXr, inputs.xfmrXr}};
  for (const auto& [column, value] : given)
    if (value)
      return FeederError{column, "no transformer lies between this row and its supply (the same or its "
                                 "line-to-neutral voltage; via_transformer yes puts one there)"};
  return std::nullopt;
}

void NoteFaultCurrent(EvaluatedRow& row, const FeederInputs& inputs, bool loadGiven, const SupplyPath& path,
                      const RowLoad* load) {
  if (!row.error.empty() || !row.result || !row.result->numbers) return;
  row.ratingKa = inputs.ratingKa;
  FaultEnd& end = row.faultEnd;
  if (inputs.dc) {
    end = {std::nullopt, std::nullopt, ""};
    if (inputs.ratingKa) row.faultNote = kDc;
    return;
  }
  const FeederNumbers& numbers = *row.result->numbers;
  const double volts = NumberValue(inputs.voltage);
  const bool threePhase = !inputs.singlePhase;
  const Start start = SupplyEnd(inputs, path, volts, threePhase);
  const std::optional<double> supplyMotors = MotorsAtSupplyEnd(row, inputs, loadGiven, path);
  const std::optional<double> fedMotors = MotorsFed(load);
  end.motorAmperes = supplyMotors && fedMotors ? std::optional(*supplyMotors + *fedMotors) : std::nullopt;
  std::string why = start.unknown;
  std::optional<FaultPoint> atSupply;
  if (start.point) {
    const Connection connection = ConnectionTo(*start.point, volts, threePhase);
    const Impedance conductor =
        ConductorImpedance(numbers.racPerKmCold, numbers.xlPerKm, numbers.lengthKm, inputs.runs);
    atSupply = AlongConductors(*start.point, connection, volts, {});
    end.point = AlongConductors(*start.point, connection, volts, conductor);
    if (!end.point) why = threePhase ? kThreePhaseFromOne : kNoNeutral;
    else if (!end.motorAmperes) why = !supplyMotors ? path.fault.unknown : load->motorUnknown;
  }
  if (end.point && end.motorAmperes && atSupply && supplyMotors) {
    RowFault fault;
    fault.ka = static_cast<float>((FaultAmperes(*end.point) + *end.motorAmperes) / 1000);
    fault.motorKa = static_cast<float>(*end.motorAmperes / 1000);
    if (const auto xr = XOverR(*end.point)) fault.xr = static_cast<float>(*xr);
    fault.supplyKa = static_cast<float>((FaultAmperes(*atSupply) + *supplyMotors) / 1000);
    if (Finite(fault)) {
      row.fault = fault;
      return;
    }
  }
  // What the rows below are told: a transformer's missing data is, for
  // them, missing data above.
  end.unknown = why == kNoTransformerData ? kNoData : why;
  row.faultNote = !why.empty() ? why : inputs.ratingKa ? kNoData : "";
}

}  // namespace quillet
