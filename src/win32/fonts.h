// Arial (Liberation Sans under Wine) in the sizes the windows and pages
// ask for, made once per size and device resolution and kept.
#pragma once

#include "win32/windows_api.h"

#include <map>
#include <tuple>

namespace quillet {

class Fonts {
 public:
  Fonts() = default;
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // At `dotsPerInch`, the device's resolution (96 on the screen).
  HFONT Arial(double points, bool bold, int dotsPerInch);

 private:
  std::map<std::tuple<double, bool, int>, HFONT> made_;
};

// The screen's resolution, which the windows' twips are laid out for.
int ScreenDotsPerInch();

}  // namespace quillet
