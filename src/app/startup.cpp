#include "app/startup.h"

#include <string>

#include "core/elcal.h"
#include "core/shown_state.h"
#include "core/tables.h"
#include "settings/settings_file.h"
#include "motor/motor_table.h"
#include "platform/desktop.h"

namespace quillet {
namespace {

void SetDefaults(Elcal& w) {
  ElcalState& s = w.state;
  s.ProgramName = "Quillet";
  const VersionNumbers v = w.Screen().Os().Version();
  s.VersionText = "Version: " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                  std::to_string(v.revision);
  s.ResistivityCu = kCopper.resistivity;
  s.TempCoeffCu = kCopper.tempCoeff;
  s.ResistivityAl = kAluminium.resistivity;
  s.TempCoeffAl = kAluminium.tempCoeff;
  s.SeparatorText = std::string(71, '-');
  s.WireTempC = 75;
  s.WireTempF = 167;
  s.InsulationC = 75;
  s.MeltingPointC = kCopper.meltingPointC;
  s.AmbientC = 30;
  s.AmbientF = 86;
  s.AmbientText = " @ " + std::to_string(s.AmbientC) + "°C (" + std::to_string(s.AmbientF) + ")°F ambient.";
  s.Voltage = 208.0;
  w.V.SetText("208");
  s.PhaseText = "3 Phase";
  s.RunsText = "single run of ";
  s.WiresText = " 3 or 4 #";
  s.MaterialText = " Copper";
  s.InsulationText = "with insulation rated at 75°C (167°F).";
  s.ConduitText = " installed in Steel conduit.";
  s.WireTypeText = "Calculated for RHH, RHW, RHW-2 type wires ";
  s.MotorText = "";
  s.Current = 10.0;
  s.Power = 2958.0;
  s.PowerFactor = 1.0f;
  s.ConductorColumn = 0;
  s.Aluminium = 0;
  s.SizeIndex = 0;
  s.HPIndex = 0;
  s.MotorLoad = 0;
  s.AmbientFactor = 1.0f;
  s.PhaseFactor = 1.7320508f;
  s.PhaseCode = 0;
  s.Runs = 1;
  s.InsulationColumn = 0;
  s.RunsNoteShown = 0;
  s.Resistivity = s.ResistivityCu;
  s.TempCoeff = s.TempCoeffCu;
}

// Centred horizontally, at a third of the free height.
void Place(Elcal& w) {
  const Desktop& d = w.Screen();
  w.Move((d.ScreenWidth() - w.Width()) / 2, (d.ScreenHeight() - w.Height()) / 3);
}

void FillListAndTables(Elcal& w) {
  for (const char* item : kSizeItems) w.ComWS.AddItem(item);
  w.ComWS.SetListIndex(w.state.SizeIndex);
  FillAmpacityTable(w.state);
  FillMotorTable(w.state);
}

void ApplySettings(Elcal& w, const Settings& settings) {
  ElcalState& s = w.state;
  s.StartMetric = settings.StartMetric;
  s.HideStatusPanel = settings.HideStatusPanel;
  s.HoursPerDay = settings.HoursPerDay;
  s.DaysPerWeek = settings.DaysPerWeek;
  s.CostPerKWh = settings.CostPerKWh;
  const bool metric = s.StartMetric == 1;
  SetLengthUnit(w, metric ? LengthSystem::Metric : LengthSystem::Imperial);
  SetTemperatureUnit(w, metric ? TemperatureScale::Celsius : TemperatureScale::Fahrenheit);
  w.Stat.SetVisible(s.HideStatusPanel == 0);
  w.SetHeight(s.HideStatusPanel == 0 ? kHeightWithStatus : kHeightWithoutStatus);
}

// A user's first start of an installed program: their own folder has no
// file yet, and nothing was altered or erased.
bool FirstStartOfThisUser(Services& os) {
  return os.PerUserSettings() && !SettingsFileExists(os.ProgramFolder());
}

// A readable file is rewritten in our own form; a missing or invalid one is
// restored with the defaults, quietly at a user's first start. If even that
// cannot be written the defaults still apply for this run.
void LoadSettings(Elcal& w) {
  Services& os = w.Screen().Os();
  if (!os.KeepsSettingsFile()) {
    ApplySettings(w, Settings{});
    return;
  }
  const std::string folder = os.ProgramFolder();
  std::optional<Settings> read = ReadSettingsFile(folder);
  if (read && WriteSettingsFile(folder, *read)) {
    ApplySettings(w, *read);
    return;
  }
  if (!read && FirstStartOfThisUser(os) && WriteSettingsFile(folder, Settings{})) {
    ApplySettings(w, Settings{});
    return;
  }
  w.Screen().MessageBox(std::string("Initiation file \"") + kSettingsFileName +
                            "\" was altered, erased or is not valid.\nThe file will be restored with initial values",
                        kStyleExclamation, "Invalid Initialization file");
  const Settings defaults;
  WriteSettingsFile(folder, defaults);
  ApplySettings(w, defaults);
}

void Form_Load(Elcal& w) {
  SetDefaults(w);
  Place(w);
  FillListAndTables(w);
  LoadSettings(w);
}

}  // namespace

void AttachStartup(Elcal& w) {
  w.Load = [&w] { Form_Load(w); };
}

}  // namespace quillet
