// The feeder the schedule benchmarks measure: a 180 A panel feeder at 480 V,
// 250 ft, PF 0.9.
#pragma once

#include "schedule/feeder.h"

namespace quillet {

inline FeederInputs PanelFeeder() {
  FeederInputs f;
  f.voltage = "480";
  f.loadText = "180";
  f.pfOption = 3;  // 0.9
  f.feet = true;
  f.length = "250";
  return f;
}

}  // namespace quillet
