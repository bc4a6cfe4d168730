#include "core/elcal_state.h"

namespace quillet {
namespace {

using MemberRef = std::variant<double ElcalState::*, float ElcalState::*, std::int16_t ElcalState::*,
                               std::string ElcalState::*, AmpacityCheck ElcalState::*, LengthSystem ElcalState::*,
                               TemperatureScale ElcalState::*, LoadLock ElcalState::*>;

struct Member {
  const char* name;
  MemberRef ref;
};

#define QUILLET_FIELD(name) Member{#name, &ElcalState::name}
const Member kMembers[] = {
      QUILLET_FIELD(HideStatusPanel),
      QUILLET_FIELD(LoadRatio),
      QUILLET_FIELD(Power),
      QUILLET_FIELD(Current),
      QUILLET_FIELD(Voltage),
      QUILLET_FIELD(PhaseFactor),
      QUILLET_FIELD(LengthFactor),
      QUILLET_FIELD(AmbientFactor),
      QUILLET_FIELD(AmbientC),
      QUILLET_FIELD(AmbientF),
      QUILLET_FIELD(AreaIn2),
      QUILLET_FIELD(AreaMm2),
      QUILLET_FIELD(NextAreaMm2),
      QUILLET_FIELD(RdcKm),
      QUILLET_FIELD(RdcNextKm),
      QUILLET_FIELD(RdcShown),
      QUILLET_FIELD(ResistanceUnit),
      QUILLET_FIELD(VdDc),
      QUILLET_FIELD(VdDcPercent),
      QUILLET_FIELD(ResistivityCu),
      QUILLET_FIELD(TempCoeffCu),
      QUILLET_FIELD(ResistivityAl),
      QUILLET_FIELD(TempCoeffAl),
      QUILLET_FIELD(Resistivity),
      QUILLET_FIELD(TempCoeff),
      QUILLET_FIELD(WireTempC),
      QUILLET_FIELD(WireTempF),
      QUILLET_FIELD(InsulationC),
      QUILLET_FIELD(InsulationColumn),
      QUILLET_FIELD(OperatingTempC),
      QUILLET_FIELD(OperatingTempF),
      QUILLET_FIELD(MeltingPointC),
      QUILLET_FIELD(SkinFactor),
      QUILLET_FIELD(SkinFactorNext),
      QUILLET_FIELD(RacKm),
      QUILLET_FIELD(UserRac),
      QUILLET_FIELD(RacNextKm),
      QUILLET_FIELD(RacShown),
      QUILLET_FIELD(SkinA),
      QUILLET_FIELD(SkinB),
      QUILLET_FIELD(SkinC),
      QUILLET_FIELD(XlKm),
      QUILLET_FIELD(XlSizeTerm),
      QUILLET_FIELD(XlShown),
      QUILLET_FIELD(XlNextKm),
      QUILLET_FIELD(XlNextSizeTerm),
      QUILLET_FIELD(UserXl),
      QUILLET_FIELD(XlCoefA),
      QUILLET_FIELD(XlExponent),
      QUILLET_FIELD(XlCoefC),
      QUILLET_FIELD(ZKm),
      QUILLET_FIELD(ZNextKm),
      QUILLET_FIELD(ZShown),
      QUILLET_FIELD(ZUserKm),
      QUILLET_FIELD(VdAc),
      QUILLET_FIELD(VdAcNext),
      QUILLET_FIELD(VdAcPercent),
      QUILLET_FIELD(VdAlt),
      QUILLET_FIELD(VdAltPercent),
      QUILLET_FIELD(VdSavedNext),
      QUILLET_FIELD(MotorLoad),
      QUILLET_FIELD(PhaseCode),
      QUILLET_FIELD(ConductorColumn),
      QUILLET_FIELD(Aluminium),
      QUILLET_FIELD(PhaseText),
      QUILLET_FIELD(RunsText),
      QUILLET_FIELD(WiresText),
      QUILLET_FIELD(MaterialText),
      QUILLET_FIELD(InsulationText),
      QUILLET_FIELD(AmbientText),
      QUILLET_FIELD(ConduitText),
      QUILLET_FIELD(MotorText),
      QUILLET_FIELD(AmpacityNote),
      QUILLET_FIELD(AlternateBlock),
      QUILLET_FIELD(AlternateLine),
      QUILLET_FIELD(RunsNote),
      QUILLET_FIELD(FeederAmpacity),
      QUILLET_FIELD(SpinDecimals),
      QUILLET_FIELD(SizeIndex),
      QUILLET_FIELD(PowerFactor),
      QUILLET_FIELD(Runs),
      QUILLET_FIELD(RunsNoteShown),
      QUILLET_FIELD(AreaIndex),
      QUILLET_FIELD(LoadCheck),
      QUILLET_FIELD(LengthUnit),
      QUILLET_FIELD(TemperatureUnit),
      QUILLET_FIELD(Locked),
      QUILLET_FIELD(ProgramName),
      QUILLET_FIELD(VersionText),
      QUILLET_FIELD(SeparatorText),
      QUILLET_FIELD(WireTypeText),
      QUILLET_FIELD(HPIndex),
      QUILLET_FIELD(MotorBaseFLA),
      QUILLET_FIELD(MotorFLA),
      QUILLET_FIELD(StartMetric),
      QUILLET_FIELD(HoursPerDay),
      QUILLET_FIELD(DaysPerWeek),
      QUILLET_FIELD(CostPerKWh),
      QUILLET_FIELD(LossPhaseFactor),
      QUILLET_FIELD(AnnualLossCost),
      QUILLET_FIELD(AnnualSavingNext),
      QUILLET_FIELD(EfficiencyAdvice),
      QUILLET_FIELD(EfficiencyTipText),
      QUILLET_FIELD(ResultsText),
      QUILLET_FIELD(AmpacityLine),
      QUILLET_FIELD(ReportText),
      QUILLET_FIELD(JobName),
      QUILLET_FIELD(MsgText),
      QUILLET_FIELD(MsgButtons),
      QUILLET_FIELD(MsgTitle),
      QUILLET_FIELD(MsgAnswer),
};
#undef QUILLET_FIELD

}  // namespace

std::vector<StateField> StateFields(ElcalState& s) {
  std::vector<StateField> fields;
  for (const Member& m : kMembers)
    fields.push_back({m.name, std::visit([&s](auto member) -> StateFieldRef { return &(s.*member); }, m.ref)});
  fields.push_back({"AmpacityTable", std::span<float>(&s.AmpacityTable[0][0][0], sizeof s.AmpacityTable / sizeof(float))});
  fields.push_back({"MotorFLATable", std::span<float>(s.MotorFLATable)});
  return fields;
}

}  // namespace quillet
