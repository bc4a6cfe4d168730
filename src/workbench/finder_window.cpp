#include "workbench/finder_window.h"

#include <algorithm>

#include "app/program.h"
#include "core/elcal.h"
#include "core/numbers.h"
#include "forms/center_over_main.h"
#include "platform/desktop.h"
#include "platform/services.h"
#include "platform/user_actions.h"
#include "schedule/feeder_engine.h"
#include "schedule/window_feeder.h"

namespace quillet {
namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr double kHighestLimit = 30;
constexpr int kPowerFactorOne = 5;  // the option of PF 1.0
constexpr char kMotorCaption[] = "Motor: 125 % of its current (430.22)";

OptionButton& RunsOption(const Elcal& w, int runs) {
  return *w.RunsOptions()[static_cast<std::size_t>(std::clamp(runs, 1, 6) - 1)];
}

}  // namespace

FinderWindow::FinderWindow(Program& program)
    : FinderForm(program.desktop), main_(program.main), actions_(program.actions) {
  Sizes.SetSource(&sizes_);
  Limit.Change = [this] {
    if (filling_) return;
    if (!LimitTextValid()) {
      ShowNoLimit();
      return;
    }
    limit_ = NumberValue(Limit.Text());
    Refresh();
  };
  Limit.KeyPress = [this](int& code) {
    if (code == kBackspace || code == '.' || (code >= '0' && code <= '9')) return;
    code = 0;
    Screen().Os().Beep();
  };
  Limit.LostFocus = [this] { AcceptOrRefuseLimit(); };
  // However it closes, a limit standing in the field is the next opening's,
  // and the feeder is remembered as it was judged.
  Unload = [this] {
    if (LimitTextValid()) accepted_ = limit_;
    sized_ = inputs_;
    sized_->maxVdPercent = accepted_;
  };
  Continuous.Click = [this] { Refresh(); };
  Runs.Click = [this] { Refresh(); };
  DcFeeder.Click = [this] { Refresh(); };
  Nonlinear.Click = [this] { Refresh(); };
  UseSize.Click = [this] { UseThisSize(); };
  CloseButton.Click = [this] { Close(); };
  for (Control* control : {static_cast<Control*>(&Limit), static_cast<Control*>(&Continuous),
                           static_cast<Control*>(&Runs), static_cast<Control*>(&DcFeeder),
                           static_cast<Control*>(&Nonlinear), &UseSize, &CloseButton})
    control->KeyDown = [this](int keyCode) { OnKey(keyCode); };
  program.AddTool({"Find the smallest size…", "Ctrl+F", this, [this] { Open(); }});
}

void FinderWindow::Open() {
  inputs_ = FeederFromWindow(main_);
  filling_ = true;
  limit_ = accepted_;
  Limit.SetText(PlainDecimalText(limit_));
  // A motor's feeder is sized for 125 % of its current whatever the duty.
  const bool motor = inputs_.load == LoadKind::Motor;
  Continuous.SetCaption(motor ? kMotorCaption : kContinuousCaption);
  Continuous.SetValue(motor ? 1 : 0);
  Continuous.SetEnabled(!motor);
  // The main window shows a DC drop for "1 Phase or DC" at PF 1.0; the motor
  // lists hold AC motors.
  DcFeeder.SetValue(0);
  DcFeeder.SetEnabled(inputs_.singlePhase && inputs_.pfOption == kPowerFactorOne && !motor);
  // Only the neutral of a three-phase four-wire feeder counts for nonlinear loads (310.15(E)(3)).
  const Wiring wiring = WiringOf(inputs_);
  Nonlinear.SetValue(0);
  Nonlinear.SetEnabled(wiring.supply.threePhase && wiring.neutral.kind != NeutralKind::None);
  Runs.SetListIndex(inputs_.runs - 1);
  filling_ = false;
  Refresh();
  CenterOverMain(*this, main_, Width(), Height());
  Show(true);
  Limit.SetFocus();
  Limit.SelectAll();
}

void FinderWindow::Refresh() {
  inputs_.maxVdPercent = limit_;
  inputs_.continuous = Continuous.Value() != 0;
  inputs_.dc = DcFeeder.Value() != 0;
  inputs_.nonlinear = Nonlinear.Value() != 0;
  // A pick outside the list clears it; the runs stay as they were.
  if (Runs.ListIndex() < 0) Runs.SetListIndex(inputs_.runs - 1);
  inputs_.runs = std::max(Runs.ListIndex(), 0) + 1;
  sizes_.table = BuildSizeTable(inputs_);
  const SizeTable& table = sizes_.table;
  Sizes.SetMarked(table.answerRow);
  Sizes.Refresh();
  Design.SetCaption(table.design);
  ConductorSet.SetCaption(table.conductorSet);
  Answer.SetCaption(table.sentence);
  answerArea_ = table.answerRow >= 0 ? table.answerArea : std::nullopt;
  UseSize.SetEnabled(answerArea_.has_value());
}

void FinderWindow::ShowNoLimit() {
  sizes_.table = SizeTable();
  Sizes.Refresh();
  Design.SetCaption("");
  ConductorSet.SetCaption("");
  Answer.SetCaption("Enter a drop limit above 0 and at most 30 %.");
  answerArea_.reset();
  UseSize.SetEnabled(false);
}

bool FinderWindow::LimitTextValid() const {
  if (!IsNumberText(Limit.Text())) return false;
  const double value = NumberValue(Limit.Text());
  return value > 0 && value <= kHighestLimit;
}

std::optional<FeederInputs> FinderWindow::SizedAs(const FeederInputs& feeder) const {
  if (!sized_) return std::nullopt;
  // What the finder chooses or the schedule alone keeps does not tell feeders apart.
  const auto load = [](FeederInputs f) {
    f.tag.clear();
    f.areaIndex.reset();
    f.runs = 1;
    f.maxVdPercent = 0;
    f.continuous = f.dc = f.nonlinear = false;
    return f;
  };
  if (load(feeder) != load(*sized_)) return std::nullopt;
  return sized_;
}

// A refused limit goes back to the last one accepted, ready to be typed over.
bool FinderWindow::AcceptOrRefuseLimit() {
  if (LimitTextValid()) {
    accepted_ = limit_;
    return true;
  }
  Screen().MessageBox("The voltage drop limit must be a number above 0 and at most 30 %.",
                      kStyleExclamation, "Entry not accepted");
  Limit.SetText(PlainDecimalText(accepted_));
  Limit.SelectAll();
  return false;
}

void FinderWindow::OnKey(int keyCode) {
  if (keyCode == kEscape) {
    Close();
  } else if (keyCode == kEnter) {
    if (Focused() == &CloseButton) Close();
    else if (AcceptOrRefuseLimit()) UseThisSize();
  }
}

// The main window takes the size and the runs once this window's handler
// has returned, as a person's next clicks would; the next pass shows them.
void FinderWindow::UseThisSize() {
  if (!answerArea_) return;
  const int listIndex = *answerArea_ - (inputs_.aluminium ? 1 : 0);
  const int runs = inputs_.runs;
  Close();
  Screen().Post([this, listIndex, runs] { PickInMain(listIndex, runs); });
}

void FinderWindow::PickInMain(int listIndex, int runs) {
  actions_.Select(main_.ComWS, listIndex);
  OptionButton& option = RunsOption(main_, runs);
  if (option.Value() && main_.state.Runs == runs) return;
  // Several runs are offered from 1/0 up only once a pass has seen the size.
  if (!option.Enabled()) WaitForPass(main_, actions_);
  actions_.Click(option);
}

}  // namespace quillet
