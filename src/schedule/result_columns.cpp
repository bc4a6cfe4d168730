// The result columns, in output order: each one's cell text and colour. A
// row that could not be read or that the window refused has only its error.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "core/numbers.h"
#include "core/result_captions.h"
#include "schedule/cell_text.h"
#include "schedule/columns.h"
#include "schedule/feeder_engine.h"

namespace quillet {
namespace {

// The row's result when the window took the row.
const FeederResult* Taken(const EvaluatedRow& row) {
  return row.result && !row.result->error ? &*row.result : nullptr;
}

const FeederNumbers* NumbersOf(const EvaluatedRow& row) {
  const FeederResult* result = Taken(row);
  return result && result->numbers ? &*result->numbers : nullptr;
}

template <typename T>
constexpr bool kIsOptional = false;
template <typename T>
constexpr bool kIsOptional<std::optional<T>> = true;

template <auto Field>
std::string Number(const EvaluatedRow& row, bool decimalComma) {
  const FeederNumbers* numbers = NumbersOf(row);
  if (!numbers) return "";
  const auto& value = numbers->*Field;
  if constexpr (kIsOptional<std::remove_cvref_t<decltype(value)>>) return value ? ExactText(*value, decimalComma) : "";
  else return ExactText(value, decimalComma);
}

// The row's reported drop (ReportedDrop): volts or percent.
template <float FeederDrop::*Field>
std::string Drop(const EvaluatedRow& row, bool decimalComma) {
  const FeederNumbers* n = NumbersOf(row);
  return n ? ExactText(n->drop.*Field, decimalComma) : "";
}

const FeederDesign* DesignOf(const EvaluatedRow& row) {
  const FeederResult* result = Taken(row);
  return result && result->design ? &*result->design : nullptr;
}

std::string DesignCurrent(const EvaluatedRow& row, bool decimalComma) {
  const FeederDesign* d = DesignOf(row);
  return d ? ExactText(d->basis.designCurrent, decimalComma) : "";
}

std::string Device(const EvaluatedRow& row, bool) {
  const FeederDesign* d = DesignOf(row);
  return d && d->basis.device ? std::to_string(*d->basis.device) : "";
}

std::string Terminal(const EvaluatedRow& row, bool) {
  const FeederDesign* d = DesignOf(row);
  return d ? std::to_string(d->basis.terminalC) : "";
}

std::string DesignAmpacity(const EvaluatedRow& row, bool decimalComma) {
  const FeederDesign* d = DesignOf(row);
  return d ? ExactText(d->designAmpacity, decimalComma) : "";
}

std::string DeviceCheckText(const EvaluatedRow& row, bool) {
  const FeederDesign* d = DesignOf(row);
  if (!d || !d->check) return "";
  switch (*d->check) {
    case DeviceCheck::Ok: return "ok";
    case DeviceCheck::NextSizeUp: return "next size up";
    case DeviceCheck::ConductorTooSmall: return "conductor too small";
    case DeviceCheck::BelowTheLoad: return "below the load";
  }
  return "";
}

// Dark green when the design holds outright, red when it does not.
CellTone DeviceCheckTone(const EvaluatedRow& row) {
  const FeederDesign* d = DesignOf(row);
  if (!d || !d->check || *d->check == DeviceCheck::NextSizeUp) return CellTone::Normal;
  return *d->check == DeviceCheck::Ok ? CellTone::Good : CellTone::Bad;
}

std::string GroundingConductor(const EvaluatedRow& row, bool) {
  const FeederDesign* d = DesignOf(row);
  return d && d->egcArea ? SizeName(*d->egcArea) : "";
}

std::string GroundingUpsized(const EvaluatedRow& row, bool) {
  const FeederDesign* d = DesignOf(row);
  if (!d || !d->egcArea) return "";
  return d->egcUpsized ? "yes" : "no";
}

std::string CurrentCarryingText(const EvaluatedRow& row, bool) {
  const FeederDesign* d = DesignOf(row);
  return d ? std::to_string(d->basis.currentCarrying) : "";
}

std::string AdjustmentText(const EvaluatedRow& row, bool decimalComma) {
  const FeederDesign* d = DesignOf(row);
  return d ? ExactText(d->basis.adjustmentPercent / 100.0, decimalComma) : "";
}

// The raceway that holds a set, when one does.
const RacewayFit* FittedRaceway(const EvaluatedRow& row) {
  const FeederDesign* d = DesignOf(row);
  return d && d->raceway.tradeSize ? &d->raceway : nullptr;
}

std::string RacewaySizeText(const EvaluatedRow& row, bool) {
  const RacewayFit* fit = FittedRaceway(row);
  return fit ? std::string(TradeSizes(fit->raceway)[static_cast<std::size_t>(*fit->tradeSize)]) : "";
}

std::string FillText(const EvaluatedRow& row, bool decimalComma) {
  const RacewayFit* fit = FittedRaceway(row);
  return fit ? ExactText(fit->fillPercent, decimalComma) : "";
}

std::string ConductorSetCell(const EvaluatedRow& row, bool) {
  const FeederDesign* d = DesignOf(row);
  return d ? ConductorSetText(d->raceway) : "";
}

template <auto Field>
std::string Size(const EvaluatedRow& row, bool) {
  const FeederResult* result = Taken(row);
  return result && result->*Field ? SizeName(*(result->*Field)) : "";
}

std::string SizedByText(const EvaluatedRow& row, bool) {
  const FeederResult* result = Taken(row);
  if (!result) return "";
  switch (result->sizedBy) {
    case SizedBy::Given: return "given";
    case SizedBy::Ampacity: return "ampacity";
    case SizedBy::VoltageDrop: return "voltage drop";
    case SizedBy::None: return "none";
  }
  return "";
}

std::string PerText(const EvaluatedRow& row, bool) {
  const FeederNumbers* n = NumbersOf(row);
  if (!n) return "";
  return n->perKm ? "km" : "1000ft";
}

std::string AmpacityCheckText(const EvaluatedRow& row, bool) {
  const FeederNumbers* n = NumbersOf(row);
  if (!n) return "";
  switch (n->check) {
    case AmpacityCheck::Ok: return "ok";
    case AmpacityCheck::Over80: return "over 80 %";
    case AmpacityCheck::Over100: return "over 100 %";
  }
  return "";
}

std::string OperatingTemperature(const EvaluatedRow& row, bool decimalComma) {
  const FeederNumbers* n = NumbersOf(row);
  if (!n) return "";
  return n->operatingTempC ? ExactText(*n->operatingTempC, decimalComma) : "melted";
}

// As the main window colours the ampacity: dark green when ample, red when
// the load is above it.
CellTone CheckTone(const EvaluatedRow& row) {
  const FeederNumbers* n = NumbersOf(row);
  if (!n || n->check == AmpacityCheck::Over80) return CellTone::Normal;
  return n->check == AmpacityCheck::Ok ? CellTone::Good : CellTone::Bad;
}

CellTone DropTone(const EvaluatedRow& row) {
  const FeederNumbers* n = NumbersOf(row);
  return n && static_cast<double>(n->drop.percent) > row.maxVdPercent ? CellTone::Bad : CellTone::Normal;
}

std::string LimitText(const EvaluatedRow& row, bool decimalComma) {
  return row.limited ? FigureText(row.maxVdPercent, decimalComma) : "";
}

std::string TotalText(const EvaluatedRow& row, bool decimalComma) {
  return row.totalPercent ? ExactText(*row.totalPercent, decimalComma) : "";
}

bool OverTotal(const EvaluatedRow& row) {
  return row.totalPercent && static_cast<double>(*row.totalPercent) > row.maxTotalPercent;
}

std::string TotalCheckText(const EvaluatedRow& row, bool) {
  if (!row.totalPercent) return "";
  return OverTotal(row) ? "over" : "ok";
}

CellTone TotalTone(const EvaluatedRow& row) { return OverTotal(row) ? CellTone::Bad : CellTone::Normal; }

template <double CalculatedLoad::*Field>
std::string ServedVa(const EvaluatedRow& row, bool decimalComma) {
  return row.served ? ExactText((*row.served).*Field, decimalComma) : "";
}

std::string LoadFromText(const EvaluatedRow& row, bool) {
  if (!row.fromSubtree) return "";
  return *row.fromSubtree ? "subtree" : "given";
}

std::string LoadCheckText(const EvaluatedRow& row, bool) {
  if (!row.belowSubtree) return "";
  return *row.belowSubtree ? "below the subtree" : "ok";
}

CellTone LoadCheckTone(const EvaluatedRow& row) {
  return row.belowSubtree && *row.belowSubtree ? CellTone::Bad : CellTone::Normal;
}

// The available fault current (fault_walk.h).

template <auto Field>
std::string Fault(const EvaluatedRow& row, bool decimalComma) {
  if (!row.fault) return "";
  const auto& value = (*row.fault).*Field;
  if constexpr (kIsOptional<std::remove_cvref_t<decltype(value)>>) return value ? ExactText(*value, decimalComma) : "";
  else return ExactText(value, decimalComma);
}

// The rating is checked against the figure as written.
bool RatingTooLow(const EvaluatedRow& row) {
  return row.fault && row.ratingKa && *row.ratingKa < static_cast<double>(row.fault->ka);
}

std::string RatingCheckText(const EvaluatedRow& row, bool) {
  if (!row.fault) return row.faultNote;
  if (!row.ratingKa) return "";
  return RatingTooLow(row) ? "too low" : "ok";
}

CellTone RatingCheckTone(const EvaluatedRow& row) {
  if (!row.fault || !row.ratingKa) return CellTone::Normal;
  return RatingTooLow(row) ? CellTone::Bad : CellTone::Good;
}

// Shown figures: the main window's pattern for the same figure, in the
// file's decimal mark, without the unit the heading names.

std::string InMark(std::string text, bool decimalComma) {
  if (!decimalComma) return text;
  for (char& c : text) c = c == '.' ? ',' : c == ',' ? '.' : c;
  return text;
}

// A figure in the window's pattern, in the file's decimal mark.
std::string Shown(double value, const char* pattern, bool comma) {
  return InMark(FormatPattern(value, pattern), comma);
}

// A figure whose pattern follows its own value, as the window's drops,
// currents and areas do; blank where the row has none.
template <auto Field, const char* (*Pattern)(double)>
std::string ShownByValue(const EvaluatedRow& row, bool comma) {
  const FeederNumbers* n = NumbersOf(row);
  if (!n) return "";
  const auto& value = n->*Field;
  const auto show = [comma](double v) { return Shown(v, Pattern(v), comma); };
  if constexpr (kIsOptional<std::remove_cvref_t<decltype(value)>>) return value ? show(*value) : "";
  else return show(value);
}

template <float FeederDrop::*Field, const char* (*Pattern)(double)>
std::string ShownDrop(const EvaluatedRow& row, bool comma) {
  const FeederNumbers* n = NumbersOf(row);
  return n ? Shown(n->drop.*Field, Pattern(n->drop.*Field), comma) : "";
}

// The reactance's decimals follow its value per km, as the window's do.
template <auto Field, auto DecidedBy = Field>
std::string ShownPerLength(const EvaluatedRow& row, bool comma) {
  const FeederNumbers* n = NumbersOf(row);
  return n ? Shown(n->*Field, PerLengthPattern(static_cast<double>(n->*DecidedBy)), comma) : "";
}

std::string ShownAmpacity(const EvaluatedRow& row, bool comma) {
  const FeederNumbers* n = NumbersOf(row);
  return n ? Shown(n->ampacity, AmperesPattern(n->ambientC), comma) : "";
}

std::string ShownDesignCurrent(const EvaluatedRow& row, bool comma) {
  const FeederDesign* d = DesignOf(row);
  if (!d) return "";
  return Shown(d->basis.designCurrent, DerivedCurrentPattern(d->basis.designCurrent), comma);
}

std::string ShownDesignAmpacity(const EvaluatedRow& row, bool comma) {
  const FeederDesign* d = DesignOf(row);
  const FeederNumbers* n = NumbersOf(row);
  return d && n ? Shown(d->designAmpacity, AmperesPattern(n->ambientC), comma) : "";
}

// A standard rating, grouped as the window groups amperes.
std::string ShownDevice(const EvaluatedRow& row, bool comma) {
  const FeederDesign* d = DesignOf(row);
  return d && d->basis.device ? Shown(*d->basis.device, AmperesPattern(30), comma) : "";
}

std::string ShownOperatingTemperature(const EvaluatedRow& row, bool comma) {
  const FeederNumbers* n = NumbersOf(row);
  if (!n) return "";
  return n->operatingTempC ? Shown(*n->operatingTempC, kWireTemperaturePattern, comma) : "melted";
}

// Volt-amperes in kilovolt-amperes, as the heading names them.
template <double CalculatedLoad::*Field>
std::string ShownKva(const EvaluatedRow& row, bool comma) {
  return row.served ? Shown((*row.served).*Field / 1000, "#,##0.0#", comma) : "";
}

// A ratio of two currents, to the hundredth.
std::string ShownLoadRatio(const EvaluatedRow& row, bool comma) {
  const FeederNumbers* n = NumbersOf(row);
  return n ? Shown(n->loadRatio, "0.00", comma) : "";
}

std::string ShownFill(const EvaluatedRow& row, bool comma) {
  const RacewayFit* fit = FittedRaceway(row);
  return fit ? Shown(fit->fillPercent, "0.0", comma) : "";
}

std::string ShownLimit(const EvaluatedRow& row, bool comma) {
  return row.limited ? Shown(row.maxVdPercent, PercentPattern(row.maxVdPercent), comma) : "";
}

template <auto Field>
std::string ShownFault(const EvaluatedRow& row, bool comma) {
  if (!row.fault) return "";
  const auto& value = (*row.fault).*Field;
  if constexpr (kIsOptional<std::remove_cvref_t<decltype(value)>>) return value ? Shown(*value, "#,##0.0#", comma) : "";
  else return Shown(value, "#,##0.00", comma);
}

std::string ShownTotal(const EvaluatedRow& row, bool comma) {
  if (!row.totalPercent) return "";
  return Shown(*row.totalPercent, PercentPattern(*row.totalPercent), comma);
}

const ResultColumn kResultColumns[] = {
    {.name = "size_used", .heading = "Size used", .printed = true, .text = Size<&FeederResult::areaUsed>},
    {.name = "sized_by", .heading = "Sized by", .printed = true, .text = SizedByText},
    {.name = "size_for_ampacity", .heading = "Size for ampacity", .text = Size<&FeederResult::areaForAmpacity>},
    {.name = "size_for_vd", .heading = "Size for drop", .text = Size<&FeederResult::areaForVd>},
    {.name = "current_a",
     .unit = "A",
     .heading = "Load current (A)",
     .printed = true,
     .text = Number<&FeederNumbers::current>,
     .shown = ShownByValue<&FeederNumbers::current, DerivedCurrentPattern>},
    // The loads the row serves (load_rollup.h).
    {.name = "connected_va",
     .unit = "VA",
     .heading = "Connected load (kVA)",
     .text = ServedVa<&CalculatedLoad::connectedVa>,
     .shown = ShownKva<&CalculatedLoad::connectedVa>},
    {.name = "calculated_va",
     .unit = "VA",
     .heading = "Calculated load (kVA)",
     .printedInTree = true,
     .text = ServedVa<&CalculatedLoad::calculatedVa>,
     .shown = ShownKva<&CalculatedLoad::calculatedVa>},
    {.name = "load_from", .heading = "Load from", .text = LoadFromText},
    {.name = "load_check", .heading = "Load check", .printedInTree = true, .text = LoadCheckText, .tone = LoadCheckTone},
    {.name = "vd_v",
     .unit = "V",
     .heading = "Drop (V)",
     .printed = true,
     .text = Drop<&FeederDrop::volts>,
     .tone = DropTone,
     .shown = ShownDrop<&FeederDrop::volts, VoltsPattern>},
    {.name = "vd_pct",
     .unit = "%",
     .heading = "Drop (%)",
     .printed = true,
     .text = Drop<&FeederDrop::percent>,
     .tone = DropTone,
     .shown = ShownDrop<&FeederDrop::percent, PercentPattern>},
    {.name = "vd_exact_pct",
     .unit = "%",
     .heading = "Exact drop (%)",
     .text = Number<&FeederNumbers::vdExactPercent>,
     .shown = ShownByValue<&FeederNumbers::vdExactPercent, PercentPattern>},
    {.name = "vd_dc_v",
     .unit = "V",
     .heading = "DC drop (V)",
     .text = Number<&FeederNumbers::vdDc>,
     .shown = ShownByValue<&FeederNumbers::vdDc, VoltsPattern>},
    {.name = "vd_dc_pct",
     .unit = "%",
     .heading = "DC drop (%)",
     .text = Number<&FeederNumbers::vdDcPercent>,
     .shown = ShownByValue<&FeederNumbers::vdDcPercent, PercentPattern>},
    {.name = "rdc",
     .heading = "DC resistance",
     .text = Number<&FeederNumbers::rdc>,
     .shown = ShownPerLength<&FeederNumbers::rdc>},
    {.name = "rac",
     .heading = "AC resistance",
     .text = Number<&FeederNumbers::rac>,
     .shown = ShownPerLength<&FeederNumbers::rac>},
    {.name = "xl",
     .heading = "XL reactance",
     .text = Number<&FeederNumbers::xl>,
     .shown = ShownPerLength<&FeederNumbers::xl, &FeederNumbers::xlPerKm>},
    {.name = "z", .heading = "Z impedance", .text = Number<&FeederNumbers::z>, .shown = ShownPerLength<&FeederNumbers::z>},
    {.name = "per", .heading = "Ohms per", .text = PerText},
    {.name = "area_mm2",
     .unit = "mm²",
     .heading = "Cross-section (mm²)",
     .text = Number<&FeederNumbers::areaMm2>,
     .shown = ShownByValue<&FeederNumbers::areaMm2, AreaMm2Pattern>},
    {.name = "ampacity_a",
     .unit = "A",
     .heading = "Ampacity (A)",
     .printed = true,
     .text = Number<&FeederNumbers::ampacity>,
     .tone = CheckTone,
     .shown = ShownAmpacity},
    {.name = "ambient_cf", .heading = "Ambient factor", .text = Number<&FeederNumbers::ambientFactor>},
    {.name = "load_ratio",
     .heading = "Load ratio",
     .text = Number<&FeederNumbers::loadRatio>,
     .shown = ShownLoadRatio},
    {.name = "ampacity_check", .heading = "Ampacity check", .printed = true, .text = AmpacityCheckText, .tone = CheckTone},
    {.name = "wire_temp_c", .unit = "°C", .heading = "Wire temp set (°C)", .text = Number<&FeederNumbers::wireTempC>},
    {.name = "est_temp_c",
     .unit = "°C",
     .heading = "Wire temp est. (°C)",
     .printed = true,
     .text = OperatingTemperature,
     .shown = ShownOperatingTemperature},
    {.name = "vd_alt_v",
     .unit = "V",
     .heading = "Alternate drop (V)",
     .text = Number<&FeederNumbers::vdAlt>,
     .shown = ShownByValue<&FeederNumbers::vdAlt, VoltsPattern>},
    {.name = "vd_alt_pct",
     .unit = "%",
     .heading = "Alternate drop (%)",
     .text = Number<&FeederNumbers::vdAltPercent>,
     .shown = ShownByValue<&FeederNumbers::vdAltPercent, PercentPattern>},
    // The design (feeder_design.h).
    {.name = "design_current_a",
     .unit = "A",
     .heading = "Design current (A)",
     .text = DesignCurrent,
     .shown = ShownDesignCurrent},
    {.name = "ocpd_a", .unit = "A", .heading = "Device (A)", .printed = true, .text = Device, .shown = ShownDevice},
    {.name = "terminal_c", .unit = "°C", .heading = "Terminals (°C)", .text = Terminal},
    {.name = "design_ampacity_a",
     .unit = "A",
     .heading = "Design ampacity (A)",
     .text = DesignAmpacity,
     .shown = ShownDesignAmpacity},
    {.name = "ocpd_check",
     .heading = "Device check",
     .printed = true,
     .text = DeviceCheckText,
     .tone = DeviceCheckTone},
    {.name = "egc", .heading = "Grounding conductor", .printed = true, .text = GroundingConductor},
    {.name = "egc_upsized", .heading = "Grounding upsized", .text = GroundingUpsized},
    // The row's place in the distribution tree.
    {.name = "vd_limit_pct", .unit = "%", .heading = "Drop limit used (%)", .text = LimitText, .shown = ShownLimit},
    {.name = "vd_total_pct",
     .unit = "%",
     .heading = "Total drop (%)",
     .printedInTree = true,
     .text = TotalText,
     .tone = TotalTone,
     .shown = ShownTotal},
    {.name = "total_check", .heading = "Total check", .printedInTree = true, .text = TotalCheckText, .tone = TotalTone},
    // What each raceway holds (design/raceway.h).
    {.name = "ccc", .heading = "Current-carrying conductors", .text = CurrentCarryingText},
    {.name = "adjustment", .heading = "Adjustment", .text = AdjustmentText},
    {.name = "raceway_size", .heading = "Raceway size", .names = true, .text = RacewaySizeText},
    {.name = "fill_pct", .unit = "%", .heading = "Fill (%)", .text = FillText, .shown = ShownFill},
    {.name = "conductor_set", .heading = "Conductor set", .printed = true, .text = ConductorSetCell},
    // The available fault current (fault_walk.h).
    {.name = "isc_ka",
     .unit = "kA",
     .heading = "Fault current (kA)",
     .printed = true,
     .text = Fault<&RowFault::ka>,
     .tone = RatingCheckTone,
     .shown = ShownFault<&RowFault::ka>},
    {.name = "isc_motor_ka",
     .unit = "kA",
     .heading = "Motors' part (kA)",
     .text = Fault<&RowFault::motorKa>,
     .shown = ShownFault<&RowFault::motorKa>},
    {.name = "isc_xr", .heading = "Fault X/R", .text = Fault<&RowFault::xr>, .shown = ShownFault<&RowFault::xr>},
    {.name = "isc_supply_ka",
     .unit = "kA",
     .heading = "Fault at supply (kA)",
     .printed = true,
     .text = Fault<&RowFault::supplyKa>,
     .shown = ShownFault<&RowFault::supplyKa>},
    {.name = "sccr_check", .heading = "Rating check", .printed = true, .text = RatingCheckText, .tone = RatingCheckTone},
    // Last, after every figure.
    {.name = "error",
     .heading = "Error",
     .printed = true,
     .text = [](const EvaluatedRow& row, bool) { return row.error; },
     .tone = [](const EvaluatedRow& row) { return row.error.empty() ? CellTone::Normal : CellTone::Bad; }},
};

const RowCheckInfo kRowChecks[] = {
    {RowCheck::Ampacity, "ampacity",
     "the load current is above the conductor's ampacity (Table 310.16 with its ambient correction), or the design "
     "ampacity, adjusted for more than three current-carrying conductors in a raceway (310.15(C)(1)) and held to "
     "the terminals' rating, is below the design current (110.14(C), 215.2(A)(1))"},
    {RowCheck::DropLimit, "drop limit",
     "the feeder's own drop is above the limit it is held to (Drop limit used; the informational notes to 215.2 "
     "and 210.19 suggest 3 %)"},
    {RowCheck::TotalDrop, "total drop",
     "the drop from the top of the path to the load end is above the total limit (5 % in the informational notes "
     "to 215.2 and 210.19)"},
    {RowCheck::Protection, "protection",
     "the overcurrent device does not protect the conductor (240.4; the next size up only to 800 A, 240.4(B)), or "
     "a given device is below the design current"},
    {RowCheck::Load, "load",
     "the load given for a row that feeds others is below the calculated load of the rows it feeds (Article 220, "
     "215.2(A)(1))"},
    {RowCheck::ShortCircuit, "short-circuit rating",
     "the short-circuit rating given for the equipment at the row's load end is below the fault current available "
     "there (110.9, 110.10)"},
    {RowCheck::Error, "error", "the row cannot be evaluated; the Error column says why"},
};

bool AmpacityFails(const EvaluatedRow& row) {
  const FeederNumbers* n = NumbersOf(row);
  const FeederDesign* d = DesignOf(row);
  return (n && n->check == AmpacityCheck::Over100) ||
         (d && static_cast<double>(d->designAmpacity) < d->basis.designCurrent);
}

bool ProtectionFails(const EvaluatedRow& row) {
  const FeederDesign* d = DesignOf(row);
  if (!d || !d->check) return false;
  return *d->check == DeviceCheck::BelowTheLoad || d->protection == Protection::None;
}

}  // namespace

std::span<const ResultColumn> ResultColumns() { return kResultColumns; }

std::string ShownResult(const ResultColumn& column, const EvaluatedRow& row, bool decimalComma) {
  return (column.shown ? column.shown : column.text)(row, decimalComma);
}

std::span<const RowCheckInfo> RowChecks() { return kRowChecks; }

std::vector<RowCheck> FailedChecks(const EvaluatedRow& row) {
  if (!row.error.empty()) return {RowCheck::Error};
  std::vector<RowCheck> failed;
  if (AmpacityFails(row)) failed.push_back(RowCheck::Ampacity);
  if (DropTone(row) == CellTone::Bad) failed.push_back(RowCheck::DropLimit);
  if (OverTotal(row)) failed.push_back(RowCheck::TotalDrop);
  if (ProtectionFails(row)) failed.push_back(RowCheck::Protection);
  if (LoadCheckTone(row) == CellTone::Bad) failed.push_back(RowCheck::Load);
  if (RatingTooLow(row)) failed.push_back(RowCheck::ShortCircuit);
  return failed;
}

std::string CheckText(const EvaluatedRow& row) {
  std::string text;
  for (RowCheck check : FailedChecks(row))
    text += (text.empty() ? "" : ", ") + std::string(kRowChecks[static_cast<std::size_t>(check)].word);
  return text.empty() ? "OK" : text;
}

std::size_t ErrorResultIndex() {
  static const std::size_t index = static_cast<std::size_t>(
      std::find_if(std::begin(kResultColumns), std::end(kResultColumns),
                   [](const ResultColumn& c) { return std::strcmp(c.name, "error") == 0; }) -
      std::begin(kResultColumns));
  return index;
}

}  // namespace quillet
