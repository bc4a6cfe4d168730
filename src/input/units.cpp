#include "input/units.h"

#include "core/elcal.h"
#include "core/numbers.h"
#include "core/result_captions.h"
#include "core/shown_state.h"

namespace quillet {
namespace {

// Feet to metres and back, with the factors as the users' figures have them.
constexpr double kFeetToMetres = 0.3048;
constexpr double kMetresToFeet = 3.28083;

void CmdUnit_Click(Elcal& w) {
  w.L.SetText(PlainDecimalText(LeadingNumber(w.L.Text())));
  const bool toMetric = w.state.LengthUnit == LengthSystem::Imperial;
  SetLengthUnit(w, toMetric ? LengthSystem::Metric : LengthSystem::Imperial);
  w.L.SetText(PlainDecimalText(NumberValue(w.L.Text()) * (toMetric ? kFeetToMetres : kMetresToFeet)));
  const double x = NumberValue(w.L.Text());
  w.L.SetText(FormatPattern(x, x < 100 ? "0.00" : x < 1000 ? "0.0" : "####"));
  w.L.SetFocus();
}

void CmdDeg_Click(Elcal& w) {
  const bool fahrenheit = w.state.TemperatureUnit == TemperatureScale::Celsius;
  SetTemperatureUnit(w, fahrenheit ? TemperatureScale::Fahrenheit : TemperatureScale::Celsius);
  const ElcalState& s = w.state;
  w.WOTD.SetCaption(fahrenheit ? ShortSingleText(s.WireTempF) + "°F" : ShortSingleText(s.WireTempC) + "°C");
  // A melted estimate stays as it is; the next pass decides it again.
  if (s.OperatingTempC > s.MeltingPointC) return;
  w.EAWOTD.SetCaption(fahrenheit ? FormatPattern(s.OperatingTempF, kWireTemperaturePattern) + "°F"
                                 : FormatPattern(s.OperatingTempC, kWireTemperaturePattern) + "°C");
}

}  // namespace

void AttachUnits(Elcal& w) {
  w.CmdUnit.Click = [&w] { CmdUnit_Click(w); };
  w.CmdDeg.Click = [&w] { CmdDeg_Click(w); };
}

}  // namespace quillet
