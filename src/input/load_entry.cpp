#include "input/load_entry.h"

#include <memory>

#include "core/elcal.h"
#include "core/numbers.h"
#include "core/recalculation.h"
#include "core/result_captions.h"
#include "core/shown_state.h"
#include "motor/motor_list.h"
#include "platform/desktop.h"

namespace quillet {
namespace {

constexpr double kThreePhase = 1.7320508;
constexpr double kVoltageLimit = 1000000;
constexpr double kPowerLimit = 1000000000000;
constexpr double kPowerClamp = 999999999999;
constexpr double kCurrentLimit = 100000000;
constexpr double kCurrentClamp = 99999999;
constexpr int kBackspace = 8;
constexpr int kUpArrow = 38;
constexpr int kDownArrow = 40;
constexpr char kOutOfRange[] = "Sorry you are out of this calculator range";

bool HoldsNoNumber(const std::string& text) { return text.empty() || text == "." || !IsNumberText(text); }
bool EmptyOrPoint(const std::string& text) { return text.empty() || text == "."; }

class LoadEntry {
 public:
  explicit LoadEntry(Elcal& w) : w_(w), s_(w.state) {}

  void Attach() {
    for (TextBox* field : {&w_.V, &w_.A, &w_.W}) AttachNumericFilter(w_, *field);
    StepWithArrows(w_.V, w_.VS);
    StepWithArrows(w_.A, w_.AS);
    StepWithArrows(w_.W, w_.PS);
    w_.A.Change = [this] { A_Change(); };
    w_.V.Change = [this] { V_Change(); };
    w_.W.Change = [this] { W_Change(); };
    w_.A.GotFocus = [this] { A_GotFocus(); };
    w_.V.GotFocus = [this] { V_GotFocus(); };
    w_.W.GotFocus = [this] { W_GotFocus(); };
    w_.V.LostFocus = [this] { V_LostFocus(); };
    w_.W.LostFocus = [this] { W_LostFocus(); };
    w_.Timer1.Tick = [this] { Timer1_Timer(); };
    w_.Timer2.Tick = [this] { Timer2_Timer(); };
  }

 private:
  void OutOfRange(const char* text) { w_.Screen().MessageBox(text, kStyleExclamation, "Out of range"); }
  void LockCurrent() { SetLoadLock(w_, LoadLock::Current); }
  void LockPower() { SetLoadLock(w_, LoadLock::Power); }
  void EndMotorMode() {
    s_.MotorLoad = 0;
    RefillMotorList(w_);
  }
  bool ThreePhase() const { return w_.TPh.Value(); }

  // Power follows the power field only while it holds a number.
  void TakePowerFromField() {
    if (IsNumberText(w_.W.Text())) s_.Power = NumberValue(w_.W.Text());
  }

  void A_Change() {
    if (HoldsNoNumber(w_.A.Text())) {
      s_.Current = 0;
      s_.Power = 0;
      w_.W.SetText("0");
      return;
    }
    s_.Current = NumberValue(w_.A.Text());
    TakePowerFromField();
  }

  void V_Change() {
    if (HoldsNoNumber(w_.V.Text())) {
      s_.Voltage = 0;
      w_.W.SetText("0");
      // A power lock runs on; a current lock halts until a voltage or a focus restarts it.
      if (s_.Locked == LoadLock::Current) SetLoadLock(w_, LoadLock::Halted);
      return;
    }
    s_.Voltage = NumberValue(w_.V.Text());
    TakePowerFromField();
    LockCurrent();
    if (s_.Voltage >= kVoltageLimit) {
      OutOfRange(kOutOfRange);
      s_.Voltage = 999999;
      w_.V.SetText("999,999");
    }
  }

  void W_Change() {
    const std::string text = w_.W.Text();
    if (EmptyOrPoint(text)) return;
    // A grouped display such as 3,603 is read whole, not cut at the comma.
    s_.Power = IsNumberText(text) ? NumberValue(text) : LeadingNumber(text);
    if (!IsNumberText(text)) {
      w_.W.SetText("");
      W_GotFocus();
    }
    if (s_.Power >= kPowerLimit) {
      OutOfRange(kOutOfRange);
      s_.Power = kPowerClamp;
      w_.W.SetText(PlainDecimalText(s_.Power));
      w_.W.SetText(FormatPattern(s_.Power, "###,###,###,###"));
    }
  }

  void A_GotFocus() {
    LockCurrent();
    EndMotorMode();
    w_.A.SelectAll();
  }

  void V_GotFocus() {
    EndMotorMode();
    w_.V.SelectAll();
    LockCurrent();
  }

  void W_GotFocus() {
    w_.W.SelectAll();
    LockPower();
    EndMotorMode();
  }

  void V_LostFocus() { w_.V.SetText(FormatPattern(s_.Voltage, s_.Voltage < 1 ? "fixed" : "###,###")); }

  void W_LostFocus() {
    if (LeadingNumber(w_.W.Text()) == 0) return;
    s_.Power = NumberValue(w_.W.Text());
    const char* pattern = s_.Power < 10 ? "#,###.###" : s_.Power < 100 ? "#,###.#" : "#,###";
    w_.W.SetText(FormatPattern(s_.Power, pattern));
  }

  void CaptionCurrentFrame() {
    w_.Frame3D2.SetCaption(s_.MotorLoad ? "Motor Full Load Current (I)" : "Current (I)");
  }

  // The single-phase formulas leave the factor out.
  double SystemFactor() const { return ThreePhase() ? kThreePhase : 1.0; }

  void Timer1_Timer() {
    if (IsNumberText(w_.V.Text())) {
      s_.Voltage = NumberValue(w_.V.Text());
      w_.Frame3D3.SetCaption(ThreePhase() ? "Power (P) = 1.73 * U * I * PF" : "Power (P) = U * I * PF");
      CaptionCurrentFrame();
      const double power = s_.Voltage * SystemFactor() * s_.Current * static_cast<double>(s_.PowerFactor);
      s_.Power = power;
      if (s_.Current <= kCurrentLimit && s_.Power <= kPowerLimit) {
        const char* pattern = s_.Power < 1 ? "general number" : s_.Power < 100 ? "##.00" : "###,###";
        w_.W.SetText(FormatPattern(s_.Power, pattern));
        // The field shows the power rounded; the state keeps it exact.
        s_.Power = power;
      } else {
        PowerOutOfRange();
      }
    }
    RecalculationPass(w_);
  }

  void PowerOutOfRange() {
    OutOfRange(kOutOfRange);
    s_.Power = kPowerClamp;
    const double perAmpere = s_.Voltage * SystemFactor() * static_cast<double>(s_.PowerFactor);
    // At 0 V no current follows from the power; the current's own bound holds it.
    s_.Current = perAmpere != 0 ? s_.Power / perAmpere - 1 : kCurrentClamp;
    w_.A.SetText(FormatPattern(s_.Current, "#,###,###,###"));
    w_.W.SetText(FormatPattern(s_.Power, "###,###,###,###"));
    LockPower();
    w_.W.SetFocus();
  }

  void Timer2_Timer() {
    if (static_cast<double>(s_.PowerFactor) * s_.Voltage != 0) DeriveCurrent();
    RecalculationPass(w_);
  }

  void DeriveCurrent() {
    if (IsNumberText(w_.V.Text())) s_.Voltage = NumberValue(w_.V.Text());
    if (EmptyOrPoint(w_.W.Text())) return;
    s_.Power = NumberValue(w_.W.Text());
    w_.Frame3D2.SetCaption(ThreePhase() ? "Current (I) = P / (1.73 * U * PF)" : "Current (I) = P / (U * PF)");
    w_.Frame3D3.SetCaption("Power (P)");
    s_.Current = s_.Power / (s_.Voltage * SystemFactor() * static_cast<double>(s_.PowerFactor));
    if (s_.Current > kCurrentLimit) CurrentOutOfRange();
    w_.A.SetText(FormatPattern(s_.Current, DerivedCurrentPattern(s_.Current)));
  }

  void CurrentOutOfRange() {
    OutOfRange("Sorry this value is out of this calculator range");
    s_.Current = kCurrentClamp;
    s_.Power = s_.Voltage * SystemFactor() * s_.Current * static_cast<double>(s_.PowerFactor) - 1;
    w_.W.SetText(FormatPattern(s_.Power, "###,###,###,###"));
    w_.A.SetText(FormatPattern(s_.Current, "###,###,###"));
    LockCurrent();
    w_.A.SetFocus();
  }

  Elcal& w_;
  ElcalState& s_;
};

}  // namespace

void StepWithArrows(TextBox& field, SpinButton& spin) {
  field.KeyDown = [&spin](int code) {
    if (code == kDownArrow && spin.SpinDown) spin.SpinDown();
    if (code == kUpArrow && spin.SpinUp) spin.SpinUp();
  };
}

void AttachNumericFilter(Elcal& window, TextBox& field) {
  Desktop& desktop = window.Screen();
  field.KeyPress = [&desktop](int& code) {
    if (code == kBackspace || (code >= 46 && code <= 57)) return;
    code = 0;
    desktop.Os().Beep();
  };
}

void AttachLoadEntry(Elcal& window) {
  auto entry = std::make_shared<LoadEntry>(window);
  entry->Attach();
  window.KeepAlive(entry);
}

}  // namespace quillet
