// The texts of the main window's drop and ampacity captions, so that any
// other place showing these results shows them exactly as the window does.
#pragma once

#include <string>

namespace quillet {

// From this drop on the window shows "To high %" instead of a figure.
inline constexpr double kTooHighDropPercent = 30;

const char* VoltsPattern(double volts);
const char* PercentPattern(double percent);
// Amperes as `Ampacit` shows them: whole at 30 °C, one decimal with a
// correction factor.
const char* AmperesPattern(int ambientC);
// `A` when the power lock derives the current from the power.
const char* DerivedCurrentPattern(double amperes);
// Resistance, reactance and impedance captions pick their decimals by size
// (the reactance by its value per km).
const char* PerLengthPattern(double value);
// `WireArea` in mm².
const char* AreaMm2Pattern(double mm2);
// `EAWOTD`, the estimated wire temperature.
inline constexpr char kWireTemperaturePattern[] = "##.0";

// `Ampacit`: whole amperes at 30 °C, one decimal with a correction factor.
std::string AmpacityCaption(float ampacity, int ambientC);

// What a drop's volts and percent fields show besides the figures: the volts
// prefix, and the two texts that stand in for a drop that is too high.
struct DropTexts {
  const char* voltsPrefix;
  const char* tooHighVolts;
  const char* tooHighPercent;
};
inline constexpr DropTexts kAcDrop{"", "-", "To high %"};                           // `VDACL`, `VDACPRCL`
inline constexpr DropTexts kDcDrop{"", "- V", "To high %"};                         // `VDC`, `VDCPER`
inline constexpr DropTexts kAlternateDrop{"VD = ", "Voltage drop ", "is to high"};  // `VDACact`, `VDACactPer`

std::string DropVoltsCaption(const DropTexts& drop, float volts, float percent);
std::string DropPercentCaption(const DropTexts& drop, float percent);

}  // namespace quillet
