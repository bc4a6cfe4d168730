#include "core/result_captions.h"

#include "core/numbers.h"

namespace quillet {

const char* VoltsPattern(double volts) {
  if (volts < 10) return "#0.00";
  if (volts < 50) return "#0.0";
  return "#,###";
}

const char* PercentPattern(double percent) { return percent < 10 ? "#0.00" : "#0.0"; }

std::string AmpacityCaption(float ampacity, int ambientC) {
  return FormatPattern(ampacity, ambientC != 30 ? "#,###.0" : "#,###") + " A";
}

std::string DropVoltsCaption(const DropTexts& drop, float volts, float percent) {
  if (percent >= kTooHighDropPercent) return drop.tooHighVolts;
  return drop.voltsPrefix + FormatPattern(volts, VoltsPattern(volts)) + " V";
}

std::string DropPercentCaption(const DropTexts& drop, float percent) {
  if (percent >= kTooHighDropPercent) return drop.tooHighPercent;
  return FormatPattern(percent, PercentPattern(percent)) + " %";
}

}  // namespace quillet
