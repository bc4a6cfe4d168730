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
// `VDACL` and `VDACPRCL`.
std::string AcDropVoltsCaption(float volts, float percent);
std::string AcDropPercentCaption(float percent);

}  // namespace quillet
