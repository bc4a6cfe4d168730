#include "schedule/window_feeder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "core/elcal.h"

namespace quillet {
namespace {

// The fields keep a value that their text may no longer show (a text that is
// not a number leaves the value as it was), so the feeder takes the values
// themselves, in the shortest digits that read back exactly and without an
// exponent, which the fields' filter would refuse.
template <typename Number>
std::string Exact(Number value) {
  char digits[400];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed).ptr;
  return std::string(digits, end);
}

int PowerFactorOption(const Elcal& w) {
  const auto options = w.PowerFactorOptions();
  const auto selected = std::find_if(options.begin(), options.end(), [](auto* o) { return o->Value(); });
  return selected == options.end() ? 5 : static_cast<int>(selected - options.begin());
}

int InsulationC(const Elcal& w) {
  if (w.Opt60C.Value()) return 60;
  if (w.Opt90C.Value()) return 90;
  return 75;
}

// The horsepower of the picked item, as the list writes it (" 7.5 HP").
std::string PickedHorsepower(const Elcal& w) {
  const int index = w.ComHP.ListIndex();
  if (index < 0 || index >= static_cast<int>(w.ComHP.Items().size())) return "";
  std::string hp = w.ComHP.Items()[static_cast<std::size_t>(index)];
  hp.erase(0, hp.find_first_not_of(' '));
  if (hp.ends_with(" HP")) hp.resize(hp.size() - 3);
  return hp;
}

void SetLoad(const Elcal& w, FeederInputs& f) {
  const ElcalState& s = w.state;
  if (s.MotorLoad) {
    f.load = LoadKind::Motor;
    f.loadText = PickedHorsepower(w);
  } else if (s.Locked == LoadLock::Power) {
    f.load = LoadKind::Power;
    f.loadText = Exact(s.Power);
  } else {
    f.load = LoadKind::Current;
    f.loadText = Exact(s.Current);
  }
}

std::string WithoutGrouping(std::string text) {
  std::erase(text, ',');
  return text;
}

}  // namespace

FeederInputs FeederFromWindow(const Elcal& w) {
  const ElcalState& s = w.state;
  FeederInputs f;
  f.singlePhase = w.SPh.Value();
  f.voltage = Exact(s.Voltage);
  SetLoad(w, f);
  f.pfOption = PowerFactorOption(w);
  f.aluminium = w.OptAL.Value();
  f.pvc = w.OptNONM.Value();
  f.insulationC = InsulationC(w);
  f.ambientC = s.AmbientC;
  f.feet = s.LengthUnit == LengthSystem::Imperial;
  f.length = WithoutGrouping(w.L.Text());
  f.runs = s.Runs;
  f.areaIndex = s.AreaIndex;
  f.wireTempC = static_cast<int>(s.WireTempC);
  // The window uses its own parameters only while both are above 0.
  if (static_cast<double>(s.UserRac) * s.UserXl > 0) {
    f.userR = Exact(s.UserRac);
    f.userX = Exact(s.UserXl);
  }
  return f;
}

}  // namespace quillet
