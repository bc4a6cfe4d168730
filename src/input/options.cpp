#include "input/options.h"

#include <iterator>
#include <string>

#include "core/ambient.h"
#include "core/elcal.h"
#include "core/numbers.h"
#include "core/tables.h"
#include "help/explanations.h"
#include "motor/motor_list.h"
#include "platform/desktop.h"

namespace quillet {
namespace {

OptionButton& Option(Elcal& w, const char* name) { return dynamic_cast<OptionButton&>(w.Named(name)); }

void EndMotorMode(Elcal& w) {
  RefillMotorList(w);
  w.state.MotorLoad = 0;
}

// Power factor. Only 0.9 and 1.0 end a motor pick.
struct PowerFactorOption {
  const char* option;
  float value;
  bool endsMotorMode;
  const char* unit;
};
const PowerFactorOption kPowerFactors[] = {
    {"OptPF075", 0.75f, false, "W"}, {"OptPF08", 0.8f, false, "W"},
    {"OptPF085", 0.85f, false, "W"}, {"OptPF09", 0.9f, true, "W"},
    {"OptPF095", 0.95f, false, "W"}, {"OptPF1", 1.0f, true, "VA"},
};

// Phase to phase against single-phase voltages of the same supplies.
const double kVoltagePairs[][2] = {{208, 120},   {480, 277},     {600, 347},
                                   {4160, 2400}, {13800, 7967}, {27600, 15935}};

void SelectVoltageSystem(Elcal& w, bool threePhase) {
  ElcalState& s = w.state;
  EndMotorMode(w);
  s.PhaseFactor = threePhase ? 1.7320508f : 2.0f;
  s.PhaseText = threePhase ? "3 Phase" : "1 Phase";
  s.WiresText = threePhase ? " 3 or 4 #" : " 2 or 3 #";
  for (const auto& pair : kVoltagePairs) {
    const double from = pair[threePhase ? 1 : 0], to = pair[threePhase ? 0 : 1];
    if (s.Voltage == from) {
      s.Voltage = to;
      break;
    }
  }
  w.V.SetText(PlainDecimalText(s.Voltage));
  w.Frame3D1.SetCaption(threePhase ? "Voltage (U) (Phase to Phase)" : "Voltage (U)");
  w.FrameVDAC.SetCaption(threePhase ? "AC Voltage drop  3-Ph" : "AC Voltage drop  1-Ph");
  (threePhase ? w.TPh : w.SPh).SetFocus();
}

std::int16_t ConductorColumn(const Elcal& w) {
  const bool steel = w.OptMAG.Value();
  return static_cast<std::int16_t>(w.OptCU.Value() ? (steel ? 0 : 1) : (steel ? 2 : 3));
}

// The list keeps the same physical size: aluminium has no 14 AWG entry.
void SelectMaterial(Elcal& w, bool aluminium) {
  ElcalState& s = w.state;
  const Material& m = aluminium ? kAluminium : kCopper;
  s.MaterialText = aluminium ? " Aluminium" : " Copper";
  s.MeltingPointC = m.meltingPointC;
  s.SizeIndex = static_cast<std::int16_t>(w.ComWS.ListIndex());
  s.ConductorColumn = ConductorColumn(w);
  s.Aluminium = aluminium ? 1 : 0;
  s.Resistivity = m.resistivity;
  s.TempCoeff = m.tempCoeff;
  if (aluminium) {
    w.ComWS.RemoveItem(0);
    w.ComWS.SetForeColor(kDarkBlue);
    if (s.SizeIndex > 0) --s.SizeIndex;
  } else {
    w.ComWS.AddItem(kSizeItems[0], 0);
    w.ComWS.SetForeColor(kDarkRed);
    ++s.SizeIndex;
  }
  w.ComWS.SetListIndex(s.SizeIndex);
}

void SelectConduit(Elcal& w, bool steel) {
  w.state.ConduitText = steel ? " installed in Steel conduit." : " installed in PVC conduit.";
  w.state.ConductorColumn = ConductorColumn(w);
}

struct InsulationOption {
  const char* option;
  std::int16_t celsius, fahrenheit, column;
  const char* text;
};
const InsulationOption kInsulations[] = {
    {"Opt60C", 60, 140, 2, "with insulation rated at 60°C (140°F)."},
    {"Opt75C", 75, 167, 0, "with insulation rated at 75°C (167°F)."},
    {"Opt90C", 90, 194, 1, "with insulation rated at 90°C (194°F)."},
};

void SelectInsulation(Elcal& w, const InsulationOption& o) {
  ElcalState& s = w.state;
  s.InsulationText = o.text;
  s.InsulationColumn = o.column;
  s.InsulationC = o.celsius;
  s.WireTempC = o.celsius;
  s.WireTempF = o.fahrenheit;
  ResetAmbient(w);
  w.WOTD.SetCaption(s.TemperatureUnit == TemperatureScale::Fahrenheit ? std::to_string(o.fahrenheit) + "°F"
                                                                      : std::to_string(o.celsius) + "°C");
}

struct RunsOption {
  const char* option;
  std::int16_t runs;
  const char* text;
};
const RunsOption kMultipleRuns[] = {
    {"OptionNOF2", 2, "two parallel runs of "},  {"OptionNOF3", 3, "three parallel runs of "},
    {"OptionNOF4", 4, "four parallel runs of "}, {"OptionNOF5", 5, "five parallel runs of "},
    {"OptionNOF6", 6, "six parallel runs of "},
};

void SelectSingleRun(Elcal& w) {
  w.Stat.SetCaption(" ");
  w.state.Runs = 1;
  w.state.RunsText = "single run of ";
  w.state.RunsNote = "";
}

void SelectMultipleRuns(Elcal& w, const RunsOption& o) {
  ElcalState& s = w.state;
  if (s.RunsNoteShown == 0) {
    s.RunsNoteShown = 1;
    w.Stat.SetCaption("See Maximum Feeder Ampacity definition for multiple conduit runs.");
    ShowExplanation(w.Screen(), Explanation::ParallelFeeders);
  }
  s.RunsText = o.text;
  s.RunsNote = std::string("\r\n\r\n") + "Voltage drop shown does not take in to account multiple runs proximity factor.";
  s.Runs = o.runs;
}

}  // namespace

void AttachOptions(Elcal& w) {
  for (const PowerFactorOption& o : kPowerFactors) {
    Option(w, o.option).Click = [&w, &o] {
      if (o.endsMotorMode) EndMotorMode(w);
      w.state.PowerFactor = o.value;
      w.VA.SetCaption(o.unit);
    };
  }
  w.SPh.Click = [&w] { SelectVoltageSystem(w, false); };
  w.TPh.Click = [&w] { SelectVoltageSystem(w, true); };
  w.OptCU.Click = [&w] { SelectMaterial(w, false); };
  w.OptAL.Click = [&w] { SelectMaterial(w, true); };
  w.OptMAG.Click = [&w] { SelectConduit(w, true); };
  w.OptNONM.Click = [&w] { SelectConduit(w, false); };
  for (const InsulationOption& o : kInsulations) Option(w, o.option).Click = [&w, &o] { SelectInsulation(w, o); };
  w.OptionNOR1.Click = [&w] { SelectSingleRun(w); };
  for (const RunsOption& o : kMultipleRuns) Option(w, o.option).Click = [&w, &o] { SelectMultipleRuns(w, o); };
}

}  // namespace quillet
