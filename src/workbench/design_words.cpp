#include "workbench/design_words.h"

#include "core/numbers.h"
#include "schedule/feeder_engine.h"

namespace quillet {

std::string AmperesText(double amperes) { return FormatPattern(amperes, "#,##0.0") + " A"; }

std::string KvaText(double va) { return FormatPattern(va / 1000, "#,##0.0#") + " kVA"; }

std::string RatingText(int amperes) { return FormatPattern(amperes, "#,###") + " A"; }

std::string ConductorText(int area, bool aluminium) {
  return SizeName(area) + (aluminium ? " aluminium" : " copper");
}

std::string DeviceWords(const DesignBasis& b, double loadCurrent) {
  if (!b.device) return "none: no standard rating reaches " + AmperesText(b.deviceNeeds) + " (240.6(A))";
  const std::string rating = RatingText(*b.device);
  if (b.motor)
    return rating + ", the smallest standard rating at or above 2.5 × " + AmperesText(loadCurrent) +
           " (430.52(C)(1), 240.6(A))";
  return rating + ", the smallest standard rating at or above the design current (240.6(A))";
}

std::string TerminalWords(const DesignBasis& b) {
  const std::string rating = std::to_string(b.terminalC) + " °C";
  return rating + (b.terminalC == 60 ? ": the device is 100 A or less" : ": the device is above 100 A") +
         " (110.14(C)(1))";
}

std::string DeviceCheckWords(const FeederDesign& d) {
  if (!d.check) return "no device";
  switch (*d.check) {
    case DeviceCheck::Ok:
      return d.basis.motor ? "carries the design current (430.22)"
                           : "carries the design current and the device protects it (240.4)";
    case DeviceCheck::NextSizeUp:
      return "carries the design current; the device protects it as the next size up (240.4(B))";
    case DeviceCheck::ConductorTooSmall: return "conductor too small for the design";
    case DeviceCheck::BelowTheLoad: return "the given device is below the design current";
  }
  return "";
}

std::string GroundingWords(const FeederDesign& d, const FeederInputs& inputs) {
  if (!d.egcArea) return "none without a device";
  std::string words = ConductorText(*d.egcArea, inputs.aluminium) + " (250.122)";
  if (d.egcUpsized) words += ", upsized with the feeder (250.122(B))";
  if (inputs.runs > 1) words += ", one in each raceway (250.122(F))";
  return words;
}

}  // namespace quillet
