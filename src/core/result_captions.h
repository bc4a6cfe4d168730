// The texts of the main window's drop and ampacity captions, so that any
// other place showing these results shows them exactly as the window does.
#pragma once

#include <string>

namespace quillet {

// From this drop on the window shows "To high %" instead of a figure.
inline constexpr double kTooHighDropPercent = 30;

const char* VoltsPattern(double volts);
const char* PercentPattern(double percent);

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
