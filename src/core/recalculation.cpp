#include "core/recalculation.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "core/elcal.h"
#include "core/numbers.h"
#include "core/result_captions.h"
#include "core/tables.h"

namespace quillet {
namespace {

constexpr double kPerKmTo1000Ft = 3.280848;
constexpr char kCrLf[] = "\r\n";

// Stores a result rounded to its field's precision; a non-finite value stops
// the pass where it arises and leaves the field as it was.
bool Put(float& field, double value) {
  if (!std::isfinite(value)) return false;
  const auto stored = static_cast<float>(value);
  if (!std::isfinite(stored)) return false;
  field = stored;
  return true;
}

bool Put(double& field, double value) {
  if (!std::isfinite(value)) return false;
  field = value;
  return true;
}

// By AmpacityCheck: the colour of `Ampacit` and the report's note.
struct LoadCheckShown {
  Colour colour;
  const char* note;
};
const LoadCheckShown kLoadCheckShown[] = {
    {kDarkGreen, ""},
    {kWindowText, " \r\n ! Note: Current exceeds 80 percent of the wire ampacity \r\n\r\n"},
    {kRed, " \r\n !! Warning: Current exceeds the wire ampacity \r\n\r\n"},
};

class Pass {
 public:
  // On the window: every result and caption.
  explicit Pass(Elcal& w) : w_(w), s_(w.state), shown_(&w) {}
  // The numbers alone, for the size list's item, into a copy of the state.
  Pass(const Elcal& w, ElcalState& numbers, int sizeIndex) : w_(w), s_(numbers), sizeIndex_(sizeIndex) {}

  void Run() {
    ShowStatusPanel();
    MirrorPhase();
    // The size and the runs rule hold even while a zero load skips the
    // results: no report may show parallel runs of a size below 1/0.
    ClampSize();
    ApplyRunsRule();
    if (s_.Current != 0 && s_.Voltage != 0 && !Compute()) return;
    ShowAcDrop();
    ShowDcDrop();
    ColourAcDrop();
  }

  // The steps of Run that compute numbers, without what they show or
  // write as text; false where Run would not compute them all (a zero load,
  // a value that is not finite) or would click the single run.
  bool RunNumbers() {
    MirrorPhase();
    ClampSize();
    return ApplyRunsRule() && s_.Current != 0 && s_.Voltage != 0 && Compute();
  }

 private:
  bool Copper() const { return w_.OptCU.Value(); }
  bool Imperial() const { return s_.LengthUnit == LengthSystem::Imperial; }
  bool Fahrenheit() const { return s_.TemperatureUnit == TemperatureScale::Fahrenheit; }
  double Shown(double perKm) const { return Imperial() ? perKm / kPerKmTo1000Ft : perKm; }

  // What the pass writes on the window, and the state's texts that go with
  // it (the report's lines, some quoting the captions): the numbers alone
  // leave them out.
  template <typename Write>
  void Show(Write write) {
    if (shown_) write(*shown_);
  }

  void ShowStatusPanel() {
    const bool hide = s_.HideStatusPanel != 0;
    Show([&](Elcal& w) {
      w.Stat.SetVisible(!hide);
      if (w.State() == WindowState::Normal) w.SetHeight(hide ? kHeightWithoutStatus : kHeightWithStatus);
    });
  }

  void MirrorPhase() {
    s_.PhaseCode = w_.TPh.Value() ? 0 : 1;
    Show([&](Elcal& w) { w.Text3.SetText(std::to_string(s_.PhaseCode)); });
  }

  bool Compute() {
    if (!Ampacity()) return false;
    Show([&](Elcal& w) { w.Text2.SetText(std::to_string(s_.SizeIndex)); });
    SelectPropertyRow();
    if (!ConductorAndDrops()) return false;
    if (!OperatingTemperature()) return false;
    Show([&](Elcal& w) { w.Frame3D8.SetCaption(Imperial() ? "Feeder length - feet " : "Feeder length - meters "); });
    return true;
  }

  void ClampSize() {
    int index = sizeIndex_ ? *sizeIndex_ : w_.ComWS.ListIndex();
    if (index == -1) index = 0;
    if (Copper() && index > kLastCopperIndex) index = kLastCopperIndex;
    if (w_.OptAL.Value() && index > kLastAluminiumIndex) index = kLastAluminiumIndex;
    s_.SizeIndex = static_cast<std::int16_t>(index);
  }

  bool ApplyRunsRule() {
    const bool belowOneOught = (w_.OptAL.Value() && s_.SizeIndex < kFirstParallelAluminium) ||
                               (Copper() && s_.SizeIndex < kFirstParallelCopper);
    if (belowOneOught) {
      if (!shown_ && !w_.OptionNOR1.Value()) return false;
      Show([](Elcal& w) {
        for (OptionButton* option : MultipleRuns(w)) option->SetValue(false);
        w.OptionNOR1.SetValue(true);
      });
      s_.Runs = 1;
    }
    Show([&](Elcal& w) {
      for (OptionButton* option : MultipleRuns(w)) option->SetEnabled(!belowOneOught);
    });
    return true;
  }

  static std::array<OptionButton*, 5> MultipleRuns(Elcal& w) {
    return {&w.OptionNOF6, &w.OptionNOF5, &w.OptionNOF4, &w.OptionNOF3, &w.OptionNOF2};
  }

  bool Ampacity() {
    if (s_.Aluminium < 0 || s_.Aluminium > 1 || s_.InsulationColumn < 0 || s_.InsulationColumn > 2 ||
        s_.SizeIndex < 0 || s_.SizeIndex >= kSizeCount)
      return false;
    const double table = s_.AmpacityTable[s_.SizeIndex][s_.InsulationColumn][s_.Aluminium];
    if (!Put(s_.FeederAmpacity, table * s_.AmbientFactor * s_.Runs)) return false;
    Show([&](Elcal& w) {
      w.AmpacAmb.SetCaption(Fahrenheit() ? "at " + std::to_string(s_.AmbientF) + "°F ambient temp."
                                         : "at " + std::to_string(s_.AmbientC) + "°C ambient temp.");
      w.Ampacit.SetCaption(AmpacityCaption(s_.FeederAmpacity, s_.AmbientC));
      w.AmpacCorr.SetCaption(s_.AmbientC != 30 ? "CF = " + ShortSingleText(s_.AmbientFactor) : "");
    });
    if (!Put(s_.LoadRatio, s_.Current / s_.FeederAmpacity)) return false;
    CheckLoad();
    Show([&](Elcal&) {
      s_.AmbientText = " @ " + std::to_string(s_.AmbientC) + "°C (" + std::to_string(s_.AmbientF) + ")°F ambient.";
    });
    return true;
  }

  void CheckLoad() {
    s_.LoadCheck = s_.LoadRatio <= 0.8f   ? AmpacityCheck::Ok
                   : s_.LoadRatio <= 1.0f ? AmpacityCheck::Over80
                                          : AmpacityCheck::Over100;
    const LoadCheckShown& shown = kLoadCheckShown[static_cast<std::size_t>(s_.LoadCheck)];
    Show([&](Elcal& w) {
      w.Ampacit.SetForeColor(shown.colour);
      s_.AmpacityNote = shown.note;
    });
  }

  void SelectPropertyRow() {
    s_.AreaIndex = static_cast<std::int16_t>(Copper() ? s_.SizeIndex : s_.SizeIndex + 1);
    if (s_.AreaIndex < 0 || s_.AreaIndex >= kSizeCount) return;
    s_.AreaMm2 = kSizeTableMm2[s_.AreaIndex];
    s_.NextAreaMm2 = s_.AreaIndex + 1 < kSizeCount ? kSizeTableMm2[s_.AreaIndex + 1] : 1.0f;
  }

  bool ConductorAndDrops() {
    if (!Resistance()) return false;
    ShowCrossSection();
    return DcDrop() && AcResistance() && Reactance() && Impedance() && AcDrops() && Alternate();
  }

  bool Resistance() {
    const double t = s_.WireTempC;
    if (!Put(s_.WireTempF, t * 9 / 5 + 32)) return false;
    Show([&](Elcal& w) {
      w.LabelCP.SetCaption("Conductor parameters at temperature of " + ShortSingleText(s_.WireTempC) + " °C (" +
                           ShortSingleText(s_.WireTempF) + "°F)");
    });
    if (!Put(s_.RdcKm, DcResistancePerKm(s_, t, s_.AreaMm2)) ||
        !Put(s_.RdcNextKm, DcResistancePerKm(s_, t, s_.NextAreaMm2)))
      return false;
    Show([&](Elcal& w) {
      s_.ResistanceUnit = Imperial() ? " Ohm/1000ft" : " Ohm/km";
      w.LabelUnit.SetCaption(Imperial() ? "1000ft" : "  km  ");
    });
    if (!Put(s_.RdcShown, Shown(s_.RdcKm))) return false;
    Show([&](Elcal& w) {
      w.DCres.SetCaption("DC resistance = " + FormatPattern(s_.RdcShown, PerLengthPattern(s_.RdcShown)) +
                         s_.ResistanceUnit);
    });
    return true;
  }

  void ShowCrossSection() {
    if (Imperial()) {
      s_.AreaIn2 = static_cast<float>(static_cast<double>(s_.AreaMm2) * 0.001550003);
      Show([&](Elcal& w) { w.WireArea.SetCaption("Cross-section = " + FormatPattern(s_.AreaIn2, "0.####") + " in²"); });
      return;
    }
    Show([&](Elcal& w) {
      w.WireArea.SetCaption("Cross-section = " + FormatPattern(s_.AreaMm2, AreaMm2Pattern(s_.AreaMm2)) + " mm²");
    });
  }

  // One-way length in the field's unit; a text that is no number becomes 0.
  // Read once: nothing the pass does changes the field after that.
  double Length() {
    if (!length_) {
      if (IsNumberText(w_.L.Text())) {
        length_ = NumberValue(w_.L.Text());
      } else {
        Show([](Elcal& w) { w.L.SetText("0"); });
        length_ = 0;
      }
    }
    return *length_;
  }

  // L × (per-km value × I × factor / N × f) / 1000
  double Drop(double perKm, double factor) {
    return Length() * (perKm * s_.Current * factor * (1.0 / s_.Runs) * s_.LengthFactor) / 1000;
  }

  bool DcDrop() {
    return Put(s_.VdDc, Drop(s_.RdcKm, 2)) &&
           Put(s_.VdDcPercent, static_cast<double>(s_.VdDc) / s_.Voltage * 100);
  }

  static double SkinFactor(const SkinCoefficients& k, double area) {
    const double factor = static_cast<double>(k.a) * area * area + static_cast<double>(k.b) * area +
                          static_cast<double>(k.c);
    return factor < 1.0 ? 1.0 : factor;
  }

  bool AcResistance() {
    if (s_.ConductorColumn < 0 || s_.ConductorColumn > 3) return false;
    const SkinCoefficients& k = kSkinTable[static_cast<std::size_t>(s_.ConductorColumn)];
    s_.SkinA = k.a;
    s_.SkinB = k.b;
    s_.SkinC = k.c;
    if (!Put(s_.SkinFactor, SkinFactor(k, s_.AreaMm2)) ||
        !Put(s_.SkinFactorNext, SkinFactor(k, s_.NextAreaMm2)) ||
        !Put(s_.RacKm, AcResistancePerKm(s_.SkinFactor, s_.RdcKm)) ||
        !Put(s_.RacNextKm, static_cast<double>(s_.RdcNextKm) * s_.SkinFactorNext) ||
        !Put(s_.RacShown, Shown(s_.RacKm)))
      return false;
    Show([&](Elcal& w) {
      w.ACres.SetCaption("AC resistance = " + FormatPattern(s_.RacShown, PerLengthPattern(s_.RacShown)) +
                         s_.ResistanceUnit);
    });
    return true;
  }

  double ReactancePerKm(double area, float sizeTerm) const {
    return static_cast<double>(sizeTerm) * s_.XlCoefA + static_cast<double>(s_.XlCoefC) / area;
  }

  bool Reactance() {
    const ReactanceCoefficients* k = w_.OptMAG.Value()    ? &kReactanceSteel
                                     : w_.OptNONM.Value() ? &kReactancePvc
                                                          : nullptr;
    if (k) {
      s_.XlCoefA = k->coefA;
      s_.XlExponent = k->exponent;
      s_.XlCoefC = k->coefC;
    }
    const double area = s_.AreaMm2, next = s_.NextAreaMm2;
    if (!Put(s_.XlSizeTerm, 1 / std::pow(area, static_cast<double>(s_.XlExponent))) ||
        !Put(s_.XlKm, ReactancePerKm(area, s_.XlSizeTerm)) || !Put(s_.XlShown, Shown(s_.XlKm)))
      return false;
    Show([&](Elcal& w) {
      w.XLreact.SetCaption("XL reactance  = " + FormatPattern(s_.XlShown, PerLengthPattern(s_.XlKm)) +
                           s_.ResistanceUnit);
    });
    return Put(s_.XlNextSizeTerm, 1 / std::pow(next, static_cast<double>(s_.XlExponent))) &&
           Put(s_.XlNextKm, ReactancePerKm(next, s_.XlNextSizeTerm));
  }

  bool Impedance() {
    const double pf = s_.PowerFactor;
    const double sinPhi = std::sqrt(std::fabs(1 - pf * pf));
    if (!Put(s_.ZKm, pf * s_.RacKm + sinPhi * s_.XlKm) ||
        !Put(s_.ZNextKm, pf * s_.RacNextKm + sinPhi * s_.XlNextKm))
      return false;
    const double rac = s_.UserRac, xl = s_.UserXl;
    double user = 0;
    if (rac * xl > 0)
      user = Imperial() ? rac * kPerKmTo1000Ft * pf + xl * kPerKmTo1000Ft * sinPhi : pf * rac + xl * sinPhi;
    if (!Put(s_.ZUserKm, user) || !Put(s_.ZShown, Shown(s_.ZKm))) return false;
    Show([&](Elcal& w) {
      w.ImedanceZ.SetCaption("Z   impedance = " + FormatPattern(s_.ZShown, PerLengthPattern(s_.ZShown)) +
                             s_.ResistanceUnit + " at PF = " + ShortSingleText(s_.PowerFactor));
    });
    return true;
  }

  bool AcDrops() {
    const double k = s_.PhaseFactor;
    return Put(s_.VdAc, Drop(s_.ZKm, k)) &&
           Put(s_.VdAcPercent, static_cast<double>(s_.VdAc) / s_.Voltage * 100) &&
           Put(s_.VdAcNext, Drop(s_.ZNextKm, k)) &&
           Put(s_.VdSavedNext, static_cast<double>(s_.VdAc) - s_.VdAcNext);
  }

  bool Alternate() {
    if (s_.ZUserKm <= 0) {
      Show([&](Elcal& w) {
        w.VDACact.SetForeColor(kGrayText);
        w.VDACactPer.SetForeColor(kGrayText);
        w.VDACact.SetCaption("VD Voltage drop");
        w.VDACactPer.SetCaption("VD %");
        s_.AlternateBlock = "";
      });
      return true;
    }
    if (!Put(s_.VdAlt, Drop(s_.ZUserKm, s_.PhaseFactor)) ||
        !Put(s_.VdAltPercent, static_cast<double>(s_.VdAlt) / s_.Voltage * 100))
      return false;
    Show([&](Elcal& w) {
      w.VDACact.SetForeColor(kWindowText);
      w.VDACactPer.SetForeColor(kWindowText);
      w.VDACact.SetCaption(DropVoltsCaption(kAlternateDrop, s_.VdAlt, s_.VdAltPercent));
      w.VDACactPer.SetCaption(DropPercentCaption(kAlternateDrop, s_.VdAltPercent));
      s_.AlternateLine = "Alternate  " + w.VDACact.Caption() + " / " + w.VDACactPer.Caption() +
                         " of the supply voltage.";
      s_.AlternateBlock = std::string("   ") + kCrLf + kCrLf +
                          "Alternate calculation with user provided conductor parameters of:" + kCrLf +
                          "AC resistance = " + w.TextACR.Text() + s_.ResistanceUnit + kCrLf +
                          "XL reactance  = " + w.TextXLR.Text() + s_.ResistanceUnit + kCrLf + s_.AlternateLine;
    });
    return true;
  }

  bool OperatingTemperature() {
    Show([&](Elcal& w) {
      w.WOTD.SetCaption(Fahrenheit() ? ShortSingleText(s_.WireTempF) + "°F" : ShortSingleText(s_.WireTempC) + "°C");
    });
    const double i = s_.Current, a = s_.FeederAmpacity;
    const double r = std::sqrt(i * i / (a * a));
    const double ambient = s_.AmbientC;
    const double estimate = (static_cast<double>(s_.InsulationC) - ambient) * r + ambient;
    // Ties to even, the default rounding mode.
    if (!Put(s_.OperatingTempC, std::nearbyint(estimate * 10) / 10)) return false;
    if (s_.OperatingTempC > s_.MeltingPointC) {
      Show([](Elcal& w) { w.EAWOTD.SetCaption("melted :=)"); });
      return true;
    }
    if (!Put(s_.OperatingTempF, static_cast<double>(s_.OperatingTempC) * 9 / 5 + 32)) return false;
    Show([&](Elcal& w) {
      w.EAWOTD.SetCaption(Fahrenheit() ? FormatPattern(s_.OperatingTempF, kWireTemperaturePattern) + "°F"
                                       : FormatPattern(s_.OperatingTempC, kWireTemperaturePattern) + "°C");
    });
    return true;
  }

  void ShowAcDrop() {
    Main().VDACPRCL.SetCaption(DropPercentCaption(kAcDrop, s_.VdAcPercent));
    Main().VDACL.SetCaption(DropVoltsCaption(kAcDrop, s_.VdAc, s_.VdAcPercent));
  }

  void ShowDcDrop() {
    const bool applies = !w_.TPh.Value() && s_.PowerFactor == 1.0f;
    Main().FrameVDDC.SetForeColor(applies ? kWindowText : kGrayText);
    if (!applies) {
      Main().VDC.SetCaption(" ");
      Main().VDCPER.SetCaption(" ");
    } else {
      Main().VDCPER.SetCaption(DropPercentCaption(kDcDrop, s_.VdDcPercent));
      Main().VDC.SetCaption(DropVoltsCaption(kDcDrop, s_.VdDc, s_.VdDcPercent));
    }
  }

  void ColourAcDrop() {
    const Colour colour = s_.Voltage <= 700 && s_.Runs <= 1 ? kBlack : kRed;
    Main().VDACL.SetForeColor(colour);
    Main().VDACPRCL.SetForeColor(colour);
  }

  // The steps only Run takes, on the window itself.
  Elcal& Main() { return *shown_; }

  const Elcal& w_;
  ElcalState& s_;
  Elcal* shown_ = nullptr;  // none for the numbers alone
  std::optional<int> sizeIndex_;  // in place of the list's
  std::optional<double> length_;
};

}  // namespace

void RecalculationPass(Elcal& window) { Pass(window).Run(); }

double DcResistancePerKm(const ElcalState& state, double tempC, float areaMm2) {
  const double perKmAtTemp =
      ((tempC - 20) * static_cast<double>(state.TempCoeff) + 1) * 1000 * static_cast<double>(state.Resistivity);
  return perKmAtTemp / (static_cast<double>(areaMm2) / 1000000);
}

double AcResistancePerKm(float skinFactor, float rdcKm) {
  return static_cast<double>(skinFactor) * static_cast<double>(rdcKm);
}

float AcResistancePerKmAt(const ElcalState& state, double tempC) {
  const auto rdc = static_cast<float>(DcResistancePerKm(state, tempC, state.AreaMm2));
  return static_cast<float>(AcResistancePerKm(state.SkinFactor, rdc));
}

bool RecalculateNumbers(const Elcal& window, int sizeIndex, ElcalState& numbers) {
  return Pass(window, numbers, sizeIndex).RunNumbers();
}

}  // namespace quillet
