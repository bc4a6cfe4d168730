#include "input/spin_steps.h"

#include <cmath>
#include <memory>
#include <span>
#include <string>

#include "core/elcal.h"
#include "core/numbers.h"
#include "core/shown_state.h"
#include "core/tables.h"
#include "platform/desktop.h"
#include "platform/utf8.h"

namespace quillet {
namespace {

constexpr char kOutOfRange[] = "Sorry you are out of this calculator range";

// Halves go to the even integer.
double Nearest(double x) { return std::nearbyint(x); }
double FineStep(double decimals) { return std::pow(10.0, -decimals); }

void FocusAndSelect(TextBox& field) {
  field.SetFocus();
  field.SelectAll();
}

double CurrentDown(double i) {
  if (i == 1) return 0.9;
  if (i < 15) return Nearest(10 * i - 10) / 10;
  if (i <= 100) return Nearest(i / 5 - 1) * 5;
  if (i <= 1000) return Nearest(i / 50 - 1) * 50;
  return (i / 100 - 1) * 100;
}

double CurrentUp(double i) {
  if (i < 10) return Nearest(10 * i + 10) / 10;
  if (i < 100) return Nearest(i / 5 + 1) * 5;
  if (i < 1000) return std::floor(i / 50 + 1) * 50;
  return std::floor(i / 100 + 1) * 100;
}

double PowerDown(double p, int length) {
  if (p == 1) return 0.9;
  if (p < 2) return p - 0.1;
  if (p < 16) return std::floor(10 * p - 10) / 10;
  if (p < 101) return std::floor(p / 5 - 1) * 5;
  if (p < 1001) return std::floor(p / 50 - 1) * 50;
  if (p < 10001) return std::floor(p / 500 - 1) * 500;
  if (p < 100001) return std::floor(p / 5000 - 1) * 5000;
  if (p < 1000001) return std::floor(p / 50000 - 1) * 50000;
  // The separators of the display make these one unit of the second digit.
  if (p < 1000000001) return p - std::pow(10.0, length - 4);
  return p - std::pow(10.0, length - 5);
}

double PowerUp(double p) {
  if (p < 10) return Nearest(10 * p + 10) / 10;
  if (p < 100) return Nearest(p / 5 + 1) * 5;
  if (p < 1000) return Nearest(p / 50 + 1) * 50;
  if (p < 10000) return Nearest(p / 500 + 1) * 500;
  if (p < 1000000) return Nearest(p / 5000 + 1) * 5000;
  if (p < 10000000) return p + 5000;
  return p + 500;
}

// Standard system voltages: {at or below, step down to}.
struct VoltageStep {
  double limit, value;
};
constexpr VoltageStep kThreePhaseDown[] = {{1, 1}, {240, 208}, {480, 240}, {600, 480}, {700, 600}};
constexpr VoltageStep kSinglePhaseDown[] = {{1, 1},     {24, 12},   {48, 24},   {120, 48},
                                            {208, 120}, {240, 208}, {277, 240}, {347, 277},
                                            {480, 347}, {600, 480}, {700, 600}};
// {below, step up to}.
constexpr VoltageStep kThreePhaseUp[] = {{208, 208}, {240, 240}, {480, 480}};
constexpr VoltageStep kSinglePhaseUp[] = {{24, 24},   {48, 48},   {120, 120}, {208, 208}, {240, 240},
                                          {277, 277}, {347, 347}, {480, 480}};

using Ladder = std::span<const VoltageStep>;

double VoltageDown(double u, bool threePhase) {
  if (!threePhase && u > 1 && u <= 12) return u - 1;
  for (const VoltageStep& step : threePhase ? Ladder(kThreePhaseDown) : Ladder(kSinglePhaseDown))
    if (u <= step.limit) return step.value;
  return u - 100;
}

// The up ladder ends at 600 V.
double VoltageUp(double u, bool threePhase) {
  for (const VoltageStep& step : threePhase ? Ladder(kThreePhaseUp) : Ladder(kSinglePhaseUp))
    if (u < step.limit) return step.value;
  return 600;
}

double LengthDown(double x) {
  if (x < 2) return 1;
  if (x < 35) return Nearest(10 * x - 10) / 10;
  if (x < 90) return Nearest(x / 5 - 1) * 5;
  return Nearest(x / 10 - 1) * 10;
}

double LengthUp(double x) {
  if (x < 35) return Nearest(10 * x + 10) / 10;
  if (x < 90) return std::floor(x / 5 + 1) * 5;
  return std::floor(x / 10 + 1) * 10;
}

class SpinSteps {
 public:
  explicit SpinSteps(Elcal& w) : w_(w), s_(w.state) {}

  void Attach() {
    w_.AS.SpinDown = [this] { AS_SpinDown(); };
    w_.AS.SpinUp = [this] { AS_SpinUp(); };
    w_.PS.SpinDown = [this] { PS_Spin(false); };
    w_.PS.SpinUp = [this] { PS_Spin(true); };
    w_.VS.SpinDown = [this] { VS_Spin(false); };
    w_.VS.SpinUp = [this] { VS_Spin(true); };
    w_.LS.SpinDown = [this] { LS_Spin(false); };
    w_.LS.SpinUp = [this] { LS_Spin(true); };
    w_.VDPS.SpinDown = [this] { LargerSize(); };
    w_.VDPS.SpinUp = [this] { SmallerSize(); };
    // More ampacity is up: the reverse of the drop frame's arrows.
    w_.AmpS.SpinUp = [this] { LargerSize(); };
    w_.AmpS.SpinDown = [this] { SmallerSize(); };
    w_.WOTPS.SpinDown = [this] { WOTPS_Spin(false); };
    w_.WOTPS.SpinUp = [this] { WOTPS_Spin(true); };
  }

 private:
  void OutOfRange() { w_.Screen().MessageBox(kOutOfRange, kStyleExclamation, "Out of range"); }
  void LockCurrent() { SetLoadLock(w_, LoadLock::Current); }
  float DecimalsShown(const TextBox& field) const { return static_cast<float>(field.Length() - 2); }
  void ShowCurrentStep() {
    w_.A.SetText(FormatPattern(s_.Current, s_.Current < 10 ? "Fixed" : "###,###,###"));
  }

  void AS_SpinDown() {
    LockCurrent();
    if (s_.Current <= 0.000000001) {
      OutOfRange();
      s_.Current = 0.000000001;
    } else if (s_.Current < 1) {
      if (w_.A.Length() == 2) {
        s_.Current -= 0.1;
      } else {
        s_.SpinDecimals = DecimalsShown(w_.A);
        s_.Current -= FineStep(s_.SpinDecimals);
      }
    } else {
      s_.Current = CurrentDown(s_.Current);
      ShowCurrentStep();
      FocusAndSelect(w_.A);
      return;
    }
    if (s_.Current == 0) s_.Current = 9 * FineStep(static_cast<double>(s_.SpinDecimals) + 1);
    w_.A.SetText(FormatPattern(s_.Current, "General number"));
    FocusAndSelect(w_.A);
  }

  void AS_SpinUp() {
    LockCurrent();
    if (s_.Current < 1) {
      s_.SpinDecimals = DecimalsShown(w_.A);
      s_.Current += FineStep(s_.SpinDecimals);
      w_.A.SetText(FormatPattern(s_.Current, s_.Current == 1 ? "Fixed" : "General number"));
    } else {
      s_.Current = CurrentUp(s_.Current);
      ShowCurrentStep();
    }
    FocusAndSelect(w_.A);
  }

  void PS_Spin(bool up) {
    if (w_.W.Text().empty()) w_.W.SetText("1");
    if (!IsNumberText(w_.W.Text())) return;
    double p = NumberValue(w_.W.Text());
    if (up) {
      if (p < 1) {
        s_.SpinDecimals = 6;
        p += 0.000001;
      } else {
        p = PowerUp(p);
      }
    } else {
      if (p < 1) {
        if (w_.W.Length() == 2) {
          p -= 0.1;
        } else {
          s_.SpinDecimals = 6;
          p -= FineStep(6);
        }
      } else {
        p = PowerDown(p, w_.W.Length());
      }
      if (p == 0) {
        p = 0.9 * FineStep(s_.SpinDecimals);
      } else if (p < 0.000000000001) {
        OutOfRange();
        p = 0.000000000001;
      }
    }
    s_.Power = p;
    w_.W.SetText(FormatPattern(s_.Power, s_.Power < 1 ? "0.#####################" : "#,###,###,###,###"));
    FocusAndSelect(w_.W);
  }

  void VS_Spin(bool up) {
    const bool threePhase = w_.TPh.Value();
    double u = s_.Voltage;
    if (!up) {
      u = VoltageDown(u, threePhase);
    } else if (!threePhase && u < 1) {
      s_.SpinDecimals = DecimalsShown(w_.V);
      u += FineStep(s_.SpinDecimals);
    } else if (!threePhase && u < 12) {
      u += 1;
    } else {
      u = VoltageUp(u, threePhase);
    }
    s_.Voltage = u;
    w_.V.SetText(FormatPattern(s_.Voltage, "#,###"));
    FocusAndSelect(w_.V);
  }

  void LS_Spin(bool up) {
    w_.L.SetText(PlainDecimalText(LeadingNumber(w_.L.Text())));
    const double x = NumberValue(w_.L.Text());
    w_.L.SetText(PlainDecimalText(up ? LengthUp(x) : LengthDown(x)));
    FocusAndSelect(w_.L);
  }

  void LargerSize() {
    const int last = w_.OptCU.Value() ? kLastCopperIndex : kLastAluminiumIndex;
    s_.SizeIndex = static_cast<std::int16_t>(s_.SizeIndex >= last ? last : s_.SizeIndex + 1);
    w_.ComWS.SetListIndex(s_.SizeIndex);
  }

  void SmallerSize() {
    s_.SizeIndex = static_cast<std::int16_t>(s_.SizeIndex > 1 ? s_.SizeIndex - 1 : 0);
    w_.ComWS.SetListIndex(s_.SizeIndex);
  }

  void WOTPS_Spin(bool up) {
    const double t = s_.WireTempC;
    if (!up && t >= static_cast<double>(s_.AmbientC) + 5) s_.WireTempC = static_cast<float>(t - 5);
    else if (up) s_.WireTempC = t < s_.InsulationC ? static_cast<float>(t + 5) : s_.InsulationC;
    else return;
    s_.WireTempF = static_cast<float>(static_cast<double>(s_.WireTempC) * 9 / 5 + 32);
  }

  Elcal& w_;
  ElcalState& s_;
};

}  // namespace

void AttachSpinSteps(Elcal& window) {
  auto steps = std::make_shared<SpinSteps>(window);
  steps->Attach();
  window.KeepAlive(steps);
}

}  // namespace quillet
