// Every input, option, table and result of the main window, for the life of
// the process. Single-precision fields are computed in double and stored
// rounded to float.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "core/state_choices.h"

namespace quillet {

inline constexpr int kSizeCount = 21;
inline constexpr int kInsulationColumns = 3;
inline constexpr int kMaterials = 2;
inline constexpr int kMotorRows = 21;
inline constexpr int kMotorColumns = 3;

struct ElcalState {
  std::int16_t HideStatusPanel = 0;
  float LoadRatio = 0;
  double Power = 0;
  double Current = 0;
  double Voltage = 0;
  float PhaseFactor = 0;
  float LengthFactor = 0;
  float AmbientFactor = 0;
  std::int16_t AmbientC = 0;
  std::int16_t AmbientF = 0;
  float AreaIn2 = 0;
  float AreaMm2 = 0;
  float NextAreaMm2 = 0;
  float RdcKm = 0;
  float RdcNextKm = 0;
  float RdcShown = 0;
  std::string ResistanceUnit;
  float VdDc = 0;
  float VdDcPercent = 0;
  float ResistivityCu = 0;
  float TempCoeffCu = 0;
  float ResistivityAl = 0;
  float TempCoeffAl = 0;
  float Resistivity = 0;
  float TempCoeff = 0;
  float WireTempC = 0;
  float WireTempF = 0;
  float InsulationC = 0;
  std::int16_t InsulationColumn = 0;
  float OperatingTempC = 0;
  float OperatingTempF = 0;
  std::int16_t MeltingPointC = 0;
  float SkinFactor = 0;
  float SkinFactorNext = 0;
  float RacKm = 0;
  float UserRac = 0;
  float RacNextKm = 0;
  float RacShown = 0;
  float SkinA = 0, SkinB = 0, SkinC = 0;
  double XlKm = 0;
  float XlSizeTerm = 0;
  float XlShown = 0;
  double XlNextKm = 0;
  float XlNextSizeTerm = 0;
  float UserXl = 0;
  float XlCoefA = 0, XlExponent = 0, XlCoefC = 0;
  float ZKm = 0;
  float ZNextKm = 0;
  float ZShown = 0;
  float ZUserKm = 0;
  float VdAc = 0;
  float VdAcNext = 0;
  float VdAcPercent = 0;
  float VdAlt = 0;
  float VdAltPercent = 0;
  float VdSavedNext = 0;
  std::int16_t MotorLoad = 0;
  std::int16_t PhaseCode = 0;
  std::int16_t ConductorColumn = 0;
  std::int16_t Aluminium = 0;
  std::string PhaseText;
  std::string RunsText;
  std::string WiresText;
  std::string MaterialText;
  std::string InsulationText;
  std::string AmbientText;
  std::string ConduitText;
  std::string MotorText;
  std::string AmpacityNote;
  std::string AlternateBlock;
  std::string AlternateLine;
  std::string RunsNote;
  float FeederAmpacity = 0;
  float SpinDecimals = 0;
  std::int16_t SizeIndex = 0;
  float PowerFactor = 0;
  std::int16_t Runs = 0;
  std::int16_t RunsNoteShown = 0;
  std::int16_t AreaIndex = 0;
  // [size row][insulation column][material]
  float AmpacityTable[kSizeCount][kInsulationColumns][kMaterials] = {};

  // Shown as a colour, a caption or a running ticker, and read from here by
  // whatever needs them. Each starts as the window's form shows it.
  AmpacityCheck LoadCheck = AmpacityCheck::Over80;  // `Ampacit` in the window-text colour
  LengthSystem LengthUnit = LengthSystem::Imperial;  // `CmdUnit` "FT"
  TemperatureScale TemperatureUnit = TemperatureScale::Celsius;
  LoadLock Locked = LoadLock::Current;

  // Start-up texts.
  std::string ProgramName;
  std::string VersionText;
  std::string SeparatorText;
  std::string WireTypeText;

  // Motor pick. Element PhaseCode + 3 * HPIndex.
  std::int16_t HPIndex = 0;
  float MotorBaseFLA = 0;
  float MotorFLA = 0;
  float MotorFLATable[kMotorRows * kMotorColumns] = {};

  // Settings.
  std::int16_t StartMetric = 0;
  float HoursPerDay = 0;
  float DaysPerWeek = 0;
  float CostPerKWh = 0;

  // Efficiency tip.
  float LossPhaseFactor = 0;
  float AnnualLossCost = 0;
  float AnnualSavingNext = 0;
  std::string EfficiencyAdvice;
  std::string EfficiencyTipText;

  // Clipboard summary.
  std::string ResultsText;
  std::string AmpacityLine;
  std::string ReportText;
  std::string JobName;
  std::string MsgText;
  std::string MsgButtons;
  std::string MsgTitle;
  std::string MsgAnswer;
};

// A field by name, for the script driver and the tests.
using StateFieldRef = std::variant<double*, float*, std::int16_t*, std::string*, std::span<float>, AmpacityCheck*,
                                   LengthSystem*, TemperatureScale*, LoadLock*>;

struct StateField {
  const char* name;
  StateFieldRef ref;
};

std::vector<StateField> StateFields(ElcalState& state);

}  // namespace quillet
