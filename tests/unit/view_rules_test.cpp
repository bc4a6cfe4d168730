// What every view decides alike from the model: which control the pointer is
// over, where Tab goes, what a change of one control redraws in others, the
// menus' key names, and the agreement check's verdicts. A rule is a row.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/desktop.h"
#include "platform/menu.h"
#include "platform/view_rules.h"
#include "platform/window.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

// Frame F (at 1000,1000) holds the option O and the frame Inner, which
// holds the label L; the text boxes A and B and the button Btn lie on the
// window itself.
struct Bench {
  Bench() {
    Place(frame, {1000, 1000, 3000, 2000});
    Place(option, {100, 100, 1000, 300});
    Place(inner, {100, 600, 2000, 1000});
    Place(label, {100, 200, 1500, 300});
    Place(a, {100, 100, 600, 300});
    Place(b, {5000, 100, 600, 300});
    Place(button, {5000, 3000, 1200, 420});
    a.SetNaming(&label, "");
  }
  static void Place(Control& c, Bounds b) { c.SetPlace(b); }

  ScriptedServices services{"."};
  Desktop desktop{services, 28800, 16200};
  Window window{desktop, "Test"};
  TextBox& a = window.Add<TextBox>("A");
  Control& frame = window.AddPlain(ControlKind::Frame3D, "F");
  OptionButton& option = window.Add<OptionButton>("O", &frame);
  Control& inner = window.AddPlain(ControlKind::Frame3D, "Inner", &frame);
  Control& label = window.AddPlain(ControlKind::Label, "L", &inner);
  TextBox& b = window.Add<TextBox>("B");
  Control& button = window.AddPlain(ControlKind::CommandButton, "Btn");
  Timer& timer = window.Add<Timer>("T");
};

TEST(ViewRules, ThePointerIsOverTheInnermostShownControl) {
  const struct {
    const char* name;
    int x, y;
    std::function<void(Bench&)> before;
    const char* expected;  // "" for the window's own surface
  } rows[] = {
      {"a frame's own surface", 3500, 2800, nullptr, "F"},
      {"a label two frames deep", 1300, 1850, nullptr, "L"},
      {"a frame inside a frame", 2900, 2400, nullptr, "Inner"},
      {"an option in a frame", 1200, 1200, nullptr, "O"},
      {"a field on the window", 200, 200, nullptr, "A"},
      {"no control", 8000, 8000, nullptr, ""},
      {"the last twip outside", 700, 200, nullptr, ""},
      {"a hidden label: its frame", 1300, 1850, [](Bench& l) { l.label.SetVisible(false); }, "Inner"},
      {"a hidden frame hides what it holds", 1300, 1850, [](Bench& l) { l.frame.SetVisible(false); }, ""},
  };
  for (const auto& row : rows) {
    Bench fresh;
    if (row.before) row.before(fresh);
    const Control* at = ControlAt(fresh.window, row.x, row.y);
    EXPECT_EQ(at ? at->Name() : "", row.expected) << row.name;
  }
}

TEST(ViewRules, PlacesAddUpThroughTheContainers) {
  Bench bench;
  Control &label = bench.label, &frame = bench.frame;
  TextBox& a = bench.a;
  EXPECT_EQ(PlaceInWindow(label), (Bounds{1200, 1800, 1500, 300}));
  EXPECT_EQ(PixelsOf(PlaceInWindow(label)), (PixelRect{80, 120, 100, 20}));
  frame.SetEnabled(false);
  EXPECT_FALSE(EnabledOnScreen(label));
  EXPECT_TRUE(EnabledOnScreen(a));
  EXPECT_TRUE(label.Enabled());
}

TEST(ViewRules, TabVisitsTheShownEnabledFocusableControlsInTheWindowsOrder) {
  const struct {
    const char* name;
    std::function<void(Bench&)> before;
    const char* from;
    bool backwards;
    const char* expected;
  } rows[] = {
      {"from a field to the option inside a frame", nullptr, "A", false, "O"},
      {"labels and frames are passed over", nullptr, "O", false, "B"},
      {"round again from the last", nullptr, "Btn", false, "A"},
      {"Shift+Tab goes back", nullptr, "B", true, "O"},
      {"Shift+Tab from the first goes to the last", nullptr, "A", true, "Btn"},
      {"nothing focused yet: the first", nullptr, "", false, "A"},
      {"a disabled field is passed over", [](Bench& l) { l.b.SetEnabled(false); }, "O", false, "Btn"},
      {"inside a hidden frame is passed over", [](Bench& l) { l.frame.SetVisible(false); }, "A", false, "B"},
  };
  for (const auto& row : rows) {
    Bench fresh;
    if (row.before) row.before(fresh);
    const Control* next = NextInTabOrder(fresh.window, fresh.window.Find(row.from), row.backwards);
    EXPECT_EQ(next ? next->Name() : "", row.expected) << row.name;
  }
}

TEST(ViewRules, AChangeReachesTheControlsItNamesOrHolds) {
  Bench bench;
  Control &label = bench.label, &frame = bench.frame, &inner = bench.inner;
  TextBox& a = bench.a;
  auto names = [](const std::vector<Control*>& controls) {
    std::string out;
    for (const Control* c : controls) out += c->Name() + " ";
    return out;
  };
  EXPECT_EQ(names(AffectedBy(label, Property::Caption)), "A ");
  EXPECT_EQ(names(AffectedBy(frame, Property::Visible)), "O Inner L ");
  EXPECT_EQ(names(AffectedBy(inner, Property::Geometry)), "L ");
  EXPECT_EQ(names(AffectedBy(frame, Property::Caption)), "O Inner ");
  EXPECT_EQ(names(AffectedBy(a, Property::Text)), "");
}

TEST(ViewRules, KeyCombinationsAreNamedAsTheMenusWriteThem) {
  EXPECT_EQ(ShortcutName(true, false, false, 'F'), "Ctrl+F");
  EXPECT_EQ(ShortcutName(true, true, false, 'S'), "Ctrl+Shift+S");
  EXPECT_EQ(ShortcutName(false, false, false, key::kF1 + 4), "F5");
  EXPECT_EQ(ShortcutName(true, false, false, key::kTab), "");
  EXPECT_TRUE(IsKeyCode('Q'));
  EXPECT_TRUE(IsKeyCode(key::kDelete));
  EXPECT_FALSE(IsKeyCode(key::kTab));
  EXPECT_FALSE(IsKeyCode(0xBE));  // the full stop's own key
}

TEST(ViewRules, TheAgreementCheckNamesWhatDiffers) {
  Bench bench;
  TextBox& a = bench.a;
  OptionButton& option = bench.option;
  Control& frame = bench.frame;
  Timer& timer = bench.timer;
  a.SetText("12");
  a.SetSelStart(2);
  const auto colours = [](Colour c) { return static_cast<std::uint32_t>(c); };
  auto agreeing = [&] {
    ShownControl shown;
    shown.place = PixelsOf(PlaceInWindow(a));
    shown.text = "12";
    shown.colour = kWindowText;
    shown.selection = std::pair{2, 0};
    return shown;
  };
  const struct {
    const char* name;
    std::function<void(ShownControl&)> drift;
    const char* expected;
  } rows[] = {
      {"agreeing", [](ShownControl&) {}, ""},
      {"text", [](ShownControl& s) { s.text = "1"; }, "shows \"1\" for \"12\""},
      {"place", [](ShownControl& s) { s.place->left += 1; }, "sits at 7,6 40 x 20"},
      {"colour", [](ShownControl& s) { s.colour = kRed; }, "is drawn in colour 255 for colour 2147483656"},
      {"caret", [](ShownControl& s) { s.selection = std::pair{0, 0}; }, "selects 0+0 for 2+0"},
      {"hidden", [](ShownControl& s) { s.visible = false; }, "is hidden"},
      {"disabled", [](ShownControl& s) { s.enabled = false; }, "is disabled"},
  };
  for (const auto& row : rows) {
    ShownControl shown = agreeing();
    row.drift(shown);
    EXPECT_EQ(ControlDisagreement(a, shown, colours, Nesting::SideBySide).value_or(""), row.expected) << row.name;
  }
  // Where containers nest, a control is placed within its container and keeps its own settings.
  frame.SetVisible(false);
  ShownControl inFrame;
  inFrame.place = PixelsOf(option.Place());
  EXPECT_EQ(ControlDisagreement(option, inFrame, colours, Nesting::InContainers), std::nullopt);
  EXPECT_EQ(ControlDisagreement(option, inFrame, colours, Nesting::SideBySide).value_or(""), "sits at 6,6 66 x 20");
  inFrame.place = PixelsOf(PlaceInWindow(option));
  EXPECT_EQ(ControlDisagreement(option, inFrame, colours, Nesting::SideBySide).value_or(""), "is shown");
  ShownControl stopped;
  stopped.timerRunning = false;
  stopped.timerInterval = 50;
  EXPECT_EQ(ControlDisagreement(timer, stopped, colours, Nesting::SideBySide).value_or(""), "is stopped");
}

}  // namespace
}  // namespace quillet
