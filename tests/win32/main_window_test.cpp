// The main window on real Windows controls under Wine: what it shows at the
// start, typed input against the same actions played without a view, the
// numeric filter, a spin arrow, an option, the keys, the hints, the
// clipboard summary and a fault in a handler.
#include <algorithm>
#include <set>
#include <stdexcept>

#include "core/elcal.h"
#include "platform/controls.h"
#include "platform/user_actions.h"
#include "platform/view_rules.h"
#include "script/scripted_services.h"
#include "view_agreement.h"
#include "win32_fixture.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

// An arrow is a mark in the text colour, far darker than the face around it.
constexpr int kArrowContrast = 128;

int Brightness(COLORREF colour) { return (GetRValue(colour) + GetGValue(colour) + GetBValue(colour)) / 3; }

int Darkest(const Pixels& shown, const RECT& area) {
  int darkest = 255;
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x) darkest = std::min(darkest, Brightness(shown.At(x, y)));
  return darkest;
}

TEST_F(Win32ViewTest, StartsShowingTheModelsCaptionsInItsLayout) {
  Run(200);
  const Elcal& main = app_->Calculator().main;
  EXPECT_EQ(Text("VDACL"), main.VDACL.Caption());
  EXPECT_NE(main.VDACL.Caption(), "vd V") << "no pass ran";
  EXPECT_EQ(Text("Frame3D13"), "Voltage System");
  EXPECT_EQ(Text("A"), "10.0");
  EXPECT_EQ(Text("Command2"), "Settings");
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
  RECT client{};
  GetClientRect(View("Elcal").Handle(), &client);
  EXPECT_EQ(client.right, (main.Width() - kNonClientWidth) / 15);
  EXPECT_EQ(client.bottom, (main.Height() - kNonClientHeight) / 15);
  SavePicture("Elcal", "win32-main-window");
}

// Every spin button shown draws both its arrows, whatever its size, where
// the window has it: the upper half holds the up arrow, the lower the down.
TEST_F(Win32ViewTest, EverySpinButtonShownDrawsBothItsArrows) {
  const Pixels shown = Capture("Elcal");
  const int face = Brightness(GetSysColor(COLOR_BTNFACE));
  int spins = 0;
  for (const Control* control : app_->Calculator().main.Controls()) {
    if (control->Kind() != ControlKind::SpinButton || !ShownOnScreen(*control)) continue;
    ++spins;
    RECT place{};
    GetWindowRect(Handle(control->Name()), &place);
    MapWindowPoints(nullptr, View("Elcal").Handle(), reinterpret_cast<POINT*>(&place), 2);
    const LONG middle = (place.top + place.bottom) / 2;
    const RECT up{place.left, place.top, place.right, middle}, down{place.left, middle, place.right, place.bottom};
    EXPECT_GE(face - Darkest(shown, up), kArrowContrast) << control->Name() << "'s up arrow";
    EXPECT_GE(face - Darkest(shown, down), kArrowContrast) << control->Name() << "'s down arrow";
  }
  EXPECT_GT(spins, 0);
}

// The same key strokes played on a calculator without a view give the
// captions the window shows.
TEST_F(Win32ViewTest, TypedCurrentShowsTheDropsAndAmpacityTheModelComputes) {
  Click("A");
  Press('A', true);
  Type("100");
  EXPECT_EQ(Text("A"), "100");
  Run(250);
  const FreshFolder headlessFolder("headless");
  ScriptedServices services(headlessFolder.Text());
  Workbench headless(services, WorkAreaWidthTwips(), WorkAreaHeightTwips());
  Program& program = headless.program;
  program.Start();
  program.actions.SelectText(program.main.A, 0, program.main.A.Length());
  for (const char* digit : {"1", "0", "0"}) program.actions.TypeChar(program.main.A, digit);
  for (int i = 0; i < 3; ++i) program.actions.Tick(program.main.Timer1);
  for (const char* result : {"VDACL", "VDACPRCL", "Ampacit", "AmpacAmb", "W", "EAWOTD", "DCres"}) {
    const Control& computed = program.main.Named(result);
    const auto* field = dynamic_cast<const TextBox*>(&computed);
    EXPECT_EQ(Text(result), field ? field->Text() : computed.Caption()) << result;
  }
  EXPECT_EQ(Text("Ampacit"), "20 A");
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
}

TEST_F(Win32ViewTest, ARefusedCharacterNeverReachesTheField) {
  Click("A");
  Press(VK_END);
  Type("x");
  EXPECT_EQ(Text("A"), "10.0");
  Type("5");
  EXPECT_EQ(Text("A"), "10.05");
  EXPECT_EQ(Text("A"), app_->Calculator().main.A.Text());
}

TEST_F(Win32ViewTest, ASpinArrowStepsTheCurrentAsTheModelDoes) {
  Click("AS", 0.5, 0.2);
  EXPECT_NE(Text("A"), "10.0");
  EXPECT_EQ(Text("A"), app_->Calculator().main.A.Text());
  const std::string up = Text("A");
  Click("AS", 0.5, 0.8);
  EXPECT_NE(Text("A"), up);
  EXPECT_EQ(Text("A"), app_->Calculator().main.A.Text());
  // The up arrow key in the field steps it too.
  Click("A");
  Press(VK_UP);
  EXPECT_EQ(Text("A"), up);
}

// The option is selected by the model, never by the button itself.
TEST_F(Win32ViewTest, ClickingAnOptionSelectsItAndTheSelectedOneRunsNothing) {
  Click("OptAL");
  EXPECT_EQ(SendMessageW(Handle("OptAL"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Handle("OptCU"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Handle("ComWS"), CB_GETCOUNT, 0, 0), 20);
  int clicks = 0;
  OptionButton& aluminium = app_->Calculator().main.OptAL;
  aluminium.Click = [&clicks, handler = aluminium.Click] { ++clicks, handler(); };
  Click("OptAL");
  EXPECT_EQ(clicks, 0);
  // The arrow keys move the selection within the group.
  Press(VK_LEFT);
  EXPECT_EQ(SendMessageW(Handle("OptCU"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
}

// The list steps through the model, which picks the next size; the list
// never moves itself.
TEST_F(Win32ViewTest, ArrowKeysStepTheSizeListAsTheModelDoes) {
  Program& program = app_->Calculator();
  program.actions.Focus(program.main.ComWS);
  Run(30);
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(program.main.ComWS.ListIndex(), 2);
  EXPECT_EQ(SendMessageW(Handle("ComWS"), CB_GETCURSEL, 0, 0), 2);
  Press(VK_UP);
  EXPECT_EQ(SendMessageW(Handle("ComWS"), CB_GETCURSEL, 0, 0), 1);
  Run(120);
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
}

TEST_F(Win32ViewTest, TabFollowsTheModelsOrderAndSpaceClicksAButton) {
  Program& program = app_->Calculator();
  program.actions.Focus(program.main.CmdUnit);
  Run(30);
  const std::string units = app_->Calculator().main.CmdUnit.Caption();
  Press(VK_SPACE);
  EXPECT_NE(app_->Calculator().main.CmdUnit.Caption(), units);
  EXPECT_EQ(Text("CmdUnit"), app_->Calculator().main.CmdUnit.Caption());
  const Control* before = app_->Calculator().main.Focused();
  Press(VK_TAB);
  const Control* after = app_->Calculator().main.Focused();
  EXPECT_NE(after, before);
  EXPECT_EQ(GetFocus(), View("Elcal").HandleOf(*after));
  Press(VK_TAB, false, true);
  EXPECT_EQ(app_->Calculator().main.Focused(), before);
}

TEST_F(Win32ViewTest, TheHintOfTheControlUnderThePointerShowsInTheStatusLine) {
  Click("CmdAbout");
  Click("About.Command3");
  for (const char* name : {"Frame3D13", "Label1", "PasteComm"}) {
    const POINT at = [&] {
      RECT r{};
      GetWindowRect(Handle(name), &r);
      return POINT{r.left + 6, r.top + 6};
    }();
    SetCursorPos(at.x, at.y);
    SendInputs({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at)});
    Run(60);
    EXPECT_EQ(Text("Stat"), app_->Calculator().main.Stat.Caption()) << name;
    EXPECT_NE(Text("Stat"), " ") << name;
  }
}

TEST_F(Win32ViewTest, PasteAfterOkPutsTheSummaryOnTheClipboardWithWindowsLineEnds) {
  app_->Os().SetClipboardText("before");
  AnswerBoxes(IDOK);
  Click("PasteComm");
  Run(100);
  EXPECT_EQ(BoxesAnswered(), 1);
  const std::string text = ClipboardText(View("Elcal").Handle());
  EXPECT_EQ(text.rfind("Voltage Drop Calculations - Date: ", 0), 0u) << text;
  EXPECT_NE(text.find("\r\nJob Name/Feeder Tag: Type Job Name/Feeder Tag here\r\n"), std::string::npos);
  EXPECT_EQ(text.find("\n\n"), std::string::npos);
}

// A fault in a handler costs the action, not the program and its data.
TEST_F(Win32ViewTest, AnExceptionInAHandlerIsShownAndTheWindowGoesOn) {
  app_->Calculator().main.CmdAbout.Click = [] { throw std::runtime_error("no more memory"); };
  AnswerBoxes(IDOK);
  Click("CmdAbout");
  Run(100);
  EXPECT_EQ(BoxesAnswered(), 1);
  Click("A");
  Press(VK_END);
  Type("7");
  EXPECT_EQ(Text("A"), "10.07");
}

}  // namespace
}  // namespace quillet
