// The result columns, in output order: each one's cell text and colour. A
// row that could not be read or that the window refused has only its error.
#include <algorithm>
#include <cstring>
#include <type_traits>

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

std::string CheckText(const EvaluatedRow& row, bool) {
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

const ResultColumn kResultColumns[] = {
    {.name = "size_used", .printed = true, .text = Size<&FeederResult::areaUsed>},
    {.name = "sized_by", .printed = true, .text = SizedByText},
    {.name = "size_for_ampacity", .text = Size<&FeederResult::areaForAmpacity>},
    {.name = "size_for_vd", .text = Size<&FeederResult::areaForVd>},
    {.name = "current_a", .unit = "A", .printed = true, .text = Number<&FeederNumbers::current>},
    {.name = "vd_v", .unit = "V", .printed = true, .text = Drop<&FeederDrop::volts>, .tone = DropTone},
    {.name = "vd_pct", .unit = "%", .printed = true, .text = Drop<&FeederDrop::percent>, .tone = DropTone},
    {.name = "vd_exact_pct", .unit = "%", .text = Number<&FeederNumbers::vdExactPercent>},
    {.name = "vd_dc_v", .unit = "V", .text = Number<&FeederNumbers::vdDc>},
    {.name = "vd_dc_pct", .unit = "%", .text = Number<&FeederNumbers::vdDcPercent>},
    {.name = "rdc", .text = Number<&FeederNumbers::rdc>},
    {.name = "rac", .text = Number<&FeederNumbers::rac>},
    {.name = "xl", .text = Number<&FeederNumbers::xl>},
    {.name = "z", .text = Number<&FeederNumbers::z>},
    {.name = "per", .text = PerText},
    {.name = "area_mm2", .unit = "mm²", .text = Number<&FeederNumbers::areaMm2>},
    {.name = "ampacity_a", .unit = "A", .printed = true, .text = Number<&FeederNumbers::ampacity>, .tone = CheckTone},
    {.name = "ambient_cf", .text = Number<&FeederNumbers::ambientFactor>},
    {.name = "load_ratio", .text = Number<&FeederNumbers::loadRatio>},
    {.name = "ampacity_check", .printed = true, .text = CheckText, .tone = CheckTone},
    {.name = "wire_temp_c", .unit = "°C", .text = Number<&FeederNumbers::wireTempC>},
    {.name = "est_temp_c", .unit = "°C", .printed = true, .text = OperatingTemperature},
    {.name = "vd_alt_v", .unit = "V", .text = Number<&FeederNumbers::vdAlt>},
    {.name = "vd_alt_pct", .unit = "%", .text = Number<&FeederNumbers::vdAltPercent>},
    // The design (feeder_design.h).
    {.name = "design_current_a", .unit = "A", .text = DesignCurrent},
    {.name = "ocpd_a", .unit = "A", .printed = true, .text = Device},
    {.name = "terminal_c", .unit = "°C", .text = Terminal},
    {.name = "design_ampacity_a", .unit = "A", .text = DesignAmpacity},
    {.name = "ocpd_check", .printed = true, .text = DeviceCheckText, .tone = DeviceCheckTone},
    {.name = "egc", .printed = true, .text = GroundingConductor},
    {.name = "egc_upsized", .text = GroundingUpsized},
    // The row's place in the distribution tree.
    {.name = "vd_limit_pct", .unit = "%", .text = LimitText},
    {.name = "vd_total_pct", .unit = "%", .printedInTree = true, .text = TotalText, .tone = TotalTone},
    {.name = "total_check", .printedInTree = true, .text = TotalCheckText, .tone = TotalTone},
    // Last, after every figure.
    {.name = "error",
     .printed = true,
     .text = [](const EvaluatedRow& row, bool) { return row.error; },
     .tone = [](const EvaluatedRow& row) { return row.error.empty() ? CellTone::Normal : CellTone::Bad; }},
};

}  // namespace

std::span<const ResultColumn> ResultColumns() { return kResultColumns; }

std::size_t ErrorResultIndex() {
  static const std::size_t index = static_cast<std::size_t>(
      std::find_if(std::begin(kResultColumns), std::end(kResultColumns),
                   [](const ResultColumn& c) { return std::strcmp(c.name, "error") == 0; }) -
      std::begin(kResultColumns));
  return index;
}

}  // namespace quillet
