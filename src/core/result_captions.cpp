#include "core/result_captions.h"

#include "core/numbers.h"

namespace quillet {

const char* VoltsPattern(double volts) {
  if (volts < 10) return "#0.00";
  if (volts < 50) return "#0.0";
  return "#,###";
}

const char* PercentPattern(double percent) { return percent < 10 ? "#0.00" : "#0.0"; }

const char* AmperesPattern(int ambientC) { return ambientC != 30 ? "#,###.0" : "#,###"; }

const char* DerivedCurrentPattern(double amperes) {
  if (amperes < 1) return "0.##########";
  return amperes < 100 ? "##.00" : "###,###";
}

const char* PerLengthPattern(double value) {
  if (value < 0.1) return "#0.0000";
  if (value < 1) return "0.000";
  return "##.00";
}

const char* AreaMm2Pattern(double mm2) {
  if (mm2 < 14) return "###.##";
  return mm2 < 100 ? "###.0" : "0";
}

std::string AmpacityCaption(float ampacity, int ambientC) {
  return FormatPattern(ampacity, AmperesPattern(ambientC)) + " A";
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
