// What controls read as on screen and to assistive tools.
#include <gtest/gtest.h>

#include <string>

#include "platform/shown_text.h"
#include "platform/window.h"
#include "started_program.h"

namespace quillet {
namespace {

struct CaptionCase {
  const char* what;
  ControlKind kind;
  const char* caption;
  const char* shown;
};

class ShownCaptionRule : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(ShownCaptionRule, ShowsTheCaptionAsTheControlDraws) {
  ScriptedServices services{"."};
  Desktop desktop{services, 28800, 16200};
  Window window{desktop, "Test"};
  Control& control = window.AddPlain(GetParam().kind, "C");
  control.SetCaption(GetParam().caption);
  EXPECT_EQ(ShownCaption(control), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShownCaptionRule,
    ::testing::Values(
        CaptionCase{"LabelDoubleAmpersandIsOne", ControlKind::Label, "430.248 && 430.250", "430.248 & 430.250"},
        CaptionCase{"LabelFourAmpersandsAreTwo", ControlKind::Label, "a &&&& b", "a && b"},
        CaptionCase{"LabelLoneAmpersandStays", ControlKind::Label, "8 & 9", "8 & 9"},
        CaptionCase{"LabelTrailingAmpersandStays", ControlKind::Label, "44 &", "44 &"},
        CaptionCase{"LabelOddRunKeepsTheLast", ControlKind::Label, "&&&", "&&"},
        CaptionCase{"FrameShowsExactly", ControlKind::Frame3D, "Tables 8 && 9", "Tables 8 && 9"},
        CaptionCase{"PanelShowsExactly", ControlKind::Panel3D, "R && D", "R && D"},
        CaptionCase{"ButtonShowsExactly", ControlKind::CommandButton, "&OK", "&OK"}),
    [](const auto& info) { return std::string(info.param.what); });

class MainWindowNames : public StartedProgram {};

TEST_F(MainWindowNames, FieldsAndResultsAreNamedFromTheirFramesAndLabels) {
  const struct {
    const Control& control;
    const char* name;
  } cases[] = {
      {w.V, "Voltage (U) (Phase to Phase)"},
      {w.A, "Current ( I )"},
      {w.ComWS, "Conductor size"},
      {w.VDACL, "AC Voltage drop 3-Ph, volts"},
      {w.VDACPRCL, "AC Voltage drop 3-Ph, percent"},
      {w.TextACR, "AC resistance"},
      {w.TextXLR, "XL reactance"},
      {w.WOTD, "Wire operating temperature, set to"},
      {w.OptPF095, "0.95"},
      {w.Label1, "V"},
      {w.DCres, "DC resistance"},
      {w.Job, "Job name or feeder tag"},
      {program.effcon.Text2, "Days a week operation (52 weeks in a year)"},
  };
  for (const auto& c : cases) EXPECT_EQ(AccessibleName(c.control), c.name) << c.control.Name();
}

TEST_F(MainWindowNames, AResultNameFollowsItsFrameNotItsValue) {
  w.VDACL.SetCaption("1.5 V");
  w.FrameVDAC.SetCaption("AC Voltage drop  1-Ph");
  EXPECT_EQ(AccessibleName(w.VDACL), "AC Voltage drop 1-Ph, volts");
}

TEST_F(MainWindowNames, EveryFocusableControlHasAName) {
  for (Window* window : program.Windows()) {
    for (const Control* control : window->Controls()) {
      if (control->Focusable() && control->Visible()) {
        EXPECT_FALSE(AccessibleName(*control).empty()) << window->Name() << "." << control->Name();
      }
    }
  }
}

}  // namespace
}  // namespace quillet
