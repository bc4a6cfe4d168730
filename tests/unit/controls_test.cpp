// The event rules the calculator's handlers rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/grid.h"
#include "platform/user_actions.h"
#include "platform/window.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

// Runs a step while a message box is open, as a timer would.
class BoxServices : public ScriptedServices {
 public:
  using ScriptedServices::ScriptedServices;
  int MessageBox(const std::string& text, int style, const std::string& title) override {
    if (whileOpen) whileOpen();
    return ScriptedServices::MessageBox(text, style, title);
  }
  std::function<void()> whileOpen;
};

class RowsSource : public GridSource {
 public:
  std::vector<std::vector<std::string>> rows;
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int ColumnCount() const override { return 2; }
  std::string Heading(int) const override { return ""; }
  std::string Cell(int row, int column) const override {
    return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  bool Editable(int) const override { return true; }
};

class ControlModel : public ::testing::Test {
 protected:
  BoxServices services{"."};
  Desktop desktop{services, 28800, 16200};
  Window window{desktop, "Test"};
  UserActions act{desktop};
  std::vector<std::string> log;

  std::function<void()> Logger(std::string what) {
    return [this, what] { log.push_back(what); };
  }
};

TEST_F(ControlModel, ChangeIsRaisedOnceAndOnlyForADifferentText) {
  TextBox& box = window.Add<TextBox>("A");
  box.Change = Logger("change");
  box.SetText("10");
  box.SetText("10");
  box.SetText("11");
  EXPECT_EQ(log, (std::vector<std::string>{"change", "change"}));
}

TEST_F(ControlModel, ChangeRunsBeforeTheSetReturns) {
  TextBox& a = window.Add<TextBox>("A");
  TextBox& w = window.Add<TextBox>("W");
  w.Change = [&] { log.push_back("W=" + w.Text()); };
  a.Change = [&] {
    w.SetText("0");
    log.push_back("A done");
  };
  a.SetText("x");
  EXPECT_EQ(log, (std::vector<std::string>{"W=0", "A done"}));
}

TEST_F(ControlModel, CaptionChangeRaisesTheLabelsChange) {
  Control& label = window.AddPlain(ControlKind::Label, "WOTD");
  label.Change = Logger("change");
  label.SetCaption("75°C");
  label.SetCaption("75°C");
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(ControlModel, OptionSetTrueSelectsItDeselectsItsGroupAndClicksOnce) {
  Control& frame = window.AddPlain(ControlKind::Frame3D, "F");
  Control& other = window.AddPlain(ControlKind::Frame3D, "G");
  OptionButton& a = window.Add<OptionButton>("a", &frame);
  OptionButton& b = window.Add<OptionButton>("b", &frame);
  OptionButton& c = window.Add<OptionButton>("c", &other);
  a.Click = Logger("a");
  b.Click = Logger("b");
  c.SetValue(true);
  a.SetValue(true);
  b.SetValue(true);
  b.SetValue(true);
  EXPECT_FALSE(a.Value());
  EXPECT_TRUE(b.Value());
  EXPECT_TRUE(c.Value());
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
}

TEST_F(ControlModel, ClickingTheSelectedOptionRunsNothing) {
  Control& frame = window.AddPlain(ControlKind::Frame3D, "F");
  OptionButton& a = window.Add<OptionButton>("a", &frame);
  a.SetValue(true);
  a.Click = Logger("a");
  act.Click(a);
  EXPECT_TRUE(log.empty());
}

TEST_F(ControlModel, DisabledControlsIgnoreClicks) {
  Control& frame = window.AddPlain(ControlKind::Frame3D, "F");
  OptionButton& a = window.Add<OptionButton>("a", &frame);
  a.SetEnabled(false);
  act.Click(a);
  EXPECT_FALSE(a.Value());
}

TEST_F(ControlModel, FocusMoveRaisesLostThenGotAndNothingForTheFocusedControl) {
  TextBox& a = window.Add<TextBox>("A");
  TextBox& b = window.Add<TextBox>("B");
  a.GotFocus = Logger("A got");
  a.LostFocus = Logger("A lost");
  b.GotFocus = Logger("B got");
  act.Focus(a);
  act.Focus(a);
  act.Focus(b);
  EXPECT_EQ(log, (std::vector<std::string>{"A got", "A lost", "B got"}));
  EXPECT_EQ(window.Focused(), &b);
}

TEST_F(ControlModel, TypingReplacesTheSelectionAndBackspaceDeletes) {
  TextBox& box = window.Add<TextBox>("L");
  box.SetText("10");
  box.GotFocus = [&] { box.SelectAll(); };
  act.TypeChar(box, "5");
  act.TypeChar(box, "÷");
  act.TypeChar(box, "7");
  EXPECT_EQ(box.Text(), "5÷7");
  act.TypeChar(box, "\b");
  act.TypeChar(box, "\b");
  EXPECT_EQ(box.Text(), "5");
  box.SetSelStart(0);
  act.TypeChar(box, "\b");
  EXPECT_EQ(box.Text(), "5");
}

TEST_F(ControlModel, KeyPressCanSwallowACharacter) {
  TextBox& box = window.Add<TextBox>("V");
  box.KeyPress = [&](int& code) {
    if (code < '0' || code > '9') code = 0;
  };
  for (const char* c : {"1", "x", "2"}) act.TypeChar(box, c);
  EXPECT_EQ(box.Text(), "12");
}

TEST_F(ControlModel, SpaceClicksTheFocusedButton) {
  Control& button = window.AddPlain(ControlKind::Command3D, "CmdUnit");
  button.Click = Logger("click");
  act.KeyDown(button, 32);
  act.KeyDown(button, 65);
  EXPECT_EQ(log, (std::vector<std::string>{"click"}));
}

// Ticks wait for the desktop to be idle; work for another window waits for
// the outermost handler to return.
TEST_F(ControlModel, TicksAndPostedWorkNeverRunInsideAHandler) {
  Control& outer = window.AddPlain(ControlKind::CommandButton, "Outer");
  Control& inner = window.AddPlain(ControlKind::CommandButton, "Inner");
  Timer& timer = window.Add<Timer>("Timer1");
  timer.Tick = [&] { log.push_back(desktop.Ticking() == &timer ? "tick" : "tick inside another handler"); };
  const auto post = [this](const char* what) { desktop.Post(Logger(what)); };
  const auto tick = [&] { log.push_back(act.Tick(timer) ? "ticked" : "dropped"); };
  const struct {
    const char* name;
    std::function<void()> play;
    std::vector<std::string> expected;
  } cases[] = {
      {"a tick while a handler's box is open is dropped",
       [&] {
         services.whileOpen = tick;
         outer.Click = [&] { desktop.MessageBox("x", kStyleExclamation, "t"); };
         act.Click(outer);
         services.whileOpen = nullptr;
         tick();
       },
       {"dropped", "tick", "ticked"}},
      {"posted in a handler: after it returns, in order",
       [&] {
         outer.Click = [&] {
           post("first");
           post("second");
           log.push_back("clicked");
         };
         act.Click(outer);
       },
       {"clicked", "first", "second"}},
      {"posted in a nested handler: after the outermost",
       [&] {
         inner.Click = [&] { post("work"); };
         outer.Click = [&] {
           act.Click(inner);
           log.push_back("outer done");
         };
         act.Click(outer);
       },
       {"outer done", "work"}},
      {"posted with no handler running: at once",
       [&] {
         post("work");
         log.push_back("after");
       },
       {"work", "after"}},
      {"posted by posted work: right after it",
       [&] {
         desktop.Post([&] {
           post("second");
           log.push_back("first");
         });
       },
       {"first", "second"}},
      {"a tick in posted work is a real tick",
       [&] {
         outer.Click = [&] { desktop.Post(tick); };
         act.Click(outer);
       },
       {"tick", "ticked"}},
      {"a tick while posted work's box is open is dropped",
       [&] {
         services.whileOpen = tick;
         outer.Click = [&] { desktop.Post([&] { desktop.MessageBox("x", kStyleExclamation, "t"); }); };
         act.Click(outer);
         services.whileOpen = nullptr;
       },
       {"dropped"}},
  };
  for (const auto& c : cases) {
    log.clear();
    c.play();
    EXPECT_EQ(log, c.expected) << c.name;
    EXPECT_FALSE(desktop.Busy()) << c.name;
  }
}

TEST_F(ControlModel, GridKeepsItsMarkAndCurrentCellWithinTheRows) {
  RowsSource source;
  Grid& grid = window.Add<Grid>("Sizes");
  grid.SetSource(&source);
  const struct {
    const char* name;
    int mark, row, column, rowsLeft;
    int keptMark, keptRow, keptColumn;
  } cases[] = {
      {"all inside", 1, 2, 1, 3, 1, 2, 1},
      {"a mark past the rows marks none", 3, 0, 0, 3, -1, 0, 0},
      {"a mark below the rows marks none", -5, 0, 0, 3, -1, 0, 0},
      {"rows taken away under the mark and the current cell", 2, 2, 1, 2, -1, 1, 1},
      {"every row taken away", 0, 0, 1, 0, -1, -1, -1},
  };
  for (const auto& c : cases) {
    source.rows = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    grid.Refresh();
    grid.SetMarked(c.mark);
    grid.SetCurrent(c.row, c.column);
    source.rows.resize(static_cast<std::size_t>(c.rowsLeft));
    grid.Refresh();
    EXPECT_EQ(grid.Marked(), c.keptMark) << c.name;
    EXPECT_EQ(grid.CurrentRow(), c.keptRow) << c.name;
    EXPECT_EQ(grid.CurrentColumn(), c.keptColumn) << c.name;
  }
}

TEST_F(ControlModel, AReadOnlyGridTakesNoFocusNoCurrentCellAndNoEdit) {
  RowsSource source;
  source.rows = {{"a", "1"}};
  Grid& grid = window.Add<Grid>("Sizes");
  grid.SetSource(&source);
  grid.SetReadOnly(true);
  grid.CellEdited = [this](int, int, const std::string&) { log.push_back("edited"); };
  act.SelectCell(grid, 0, 1);
  act.Focus(grid);
  act.EditCell(grid, 0, 1, "x");
  EXPECT_EQ(window.Focused(), nullptr);
  EXPECT_EQ(grid.CurrentRow(), -1);
  EXPECT_TRUE(log.empty());
}

TEST_F(ControlModel, DisabledTimerDoesNotTick) {
  Timer& timer = window.Add<Timer>("Timer2");
  timer.SetEnabled(false);
  timer.Tick = Logger("tick");
  EXPECT_FALSE(act.Tick(timer));
  EXPECT_TRUE(log.empty());
}

TEST_F(ControlModel, ListIndexFollowsInsertsAndRemoves) {
  ComboBox& list = window.Add<ComboBox>("ComWS");
  for (const char* item : {"  12 AWG", "  10 AWG"}) list.AddItem(item);
  list.SetListIndex(1);
  list.AddItem("  14 AWG", 0);
  EXPECT_EQ(list.Text(), "  10 AWG");
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  list.SetListIndex(5);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ControlModel, ObserverSeesOnlyRealChanges) {
  int notes = 0;
  window.SetObserver([&](Control*, Property) { ++notes; });
  Control& label = window.AddPlain(ControlKind::Label, "VDACL");
  label.SetForeColor(kRed);
  label.SetForeColor(kRed);
  label.SetCaption("6.21 V");
  label.SetCaption("6.21 V");
  EXPECT_EQ(notes, 2);
}

TEST_F(ControlModel, UserClicksToggleCheckBoxesAndPickListItems) {
  CheckBox& box = window.Add<CheckBox>("System");
  ComboBox& list = window.Add<ComboBox>("ComHP");
  for (const char* item : {" 1/2 HP", " 3/4 HP"}) list.AddItem(item);
  box.Click = Logger("box");
  list.Click = [&] { log.push_back("pick " + list.Text()); };
  act.Click(box);
  act.Click(box);
  act.Select(list, 1);
  EXPECT_EQ(box.Value(), 0);
  EXPECT_EQ(window.Focused(), &list);
  EXPECT_EQ(log, (std::vector<std::string>{"box", "box", "pick  3/4 HP"}));
}

TEST_F(ControlModel, TypingOverASelectionWithTheSameTextMovesTheCaretWithoutAChange) {
  TextBox& box = window.Add<TextBox>("Text3");
  box.SetText("0.1");
  box.SetSelStart(2);
  box.SetSelLength(1);
  int changes = 0;
  std::vector<Property> notes;
  box.Change = [&] { ++changes; };
  window.SetObserver([&](Control*, Property property) { notes.push_back(property); });
  act.TypeChar(box, "1");
  EXPECT_EQ(box.Text(), "0.1");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(box.SelStart(), 3);
  EXPECT_EQ(box.SelLength(), 0);
  EXPECT_NE(std::find(notes.begin(), notes.end(), Property::Selection), notes.end());
}

TEST_F(ControlModel, SelectionStaysInsideTheText) {
  TextBox& box = window.Add<TextBox>("Job");
  box.SetText("0.001÷12");
  box.SetSelStart(50);
  EXPECT_EQ(box.SelStart(), 8);
  box.SetSelStart(2);
  box.SetSelLength(50);
  EXPECT_EQ(box.SelLength(), 6);
  box.SetText("12");
  EXPECT_LE(box.SelStart() + box.SelLength(), 2);
}

TEST_F(ControlModel, LabelsAndFramesTakeNoFocus) {
  Control& label = window.AddPlain(ControlKind::Label, "VDACL");
  TextBox& box = window.Add<TextBox>("A");
  act.Focus(box);
  act.Click(label);
  act.Focus(label);
  EXPECT_EQ(window.Focused(), &box);
}

TEST_F(ControlModel, ArrowKeysSelectTheNeighbouringOptionAndWrap) {
  Control& frame = window.AddPlain(ControlKind::Frame3D, "Group");
  OptionButton& first = window.Add<OptionButton>("First", &frame);
  OptionButton& second = window.Add<OptionButton>("Second", &frame);
  OptionButton& third = window.Add<OptionButton>("Third", &frame);
  third.SetEnabled(false);
  first.SetValue(true);
  second.Click = Logger("second");
  act.KeyDown(first, 40);
  EXPECT_TRUE(second.Value());
  EXPECT_EQ(window.Focused(), &second);
  act.KeyDown(second, 40);  // the disabled option is passed over
  EXPECT_TRUE(first.Value());
  act.KeyDown(first, 38);
  EXPECT_TRUE(second.Value());
  EXPECT_EQ(log, (std::vector<std::string>{"second", "second"}));
}

TEST_F(ControlModel, ArrowKeysStepAListAfterItsKeyDownHandler) {
  ComboBox& list = window.Add<ComboBox>("List");
  for (const char* item : {"a", "b", "c"}) list.AddItem(item);
  list.SetListIndex(0);
  list.KeyDown = [&](int) { log.push_back("key at " + std::to_string(list.ListIndex())); };
  list.Click = [&] { log.push_back("click at " + std::to_string(list.ListIndex())); };
  act.KeyDown(list, 40);
  act.KeyDown(list, 38);
  act.KeyDown(list, 38);  // already at the top: no pick
  EXPECT_EQ(log, (std::vector<std::string>{"key at 0", "click at 1", "key at 1", "click at 0",
                                           "key at 0"}));
}

TEST_F(ControlModel, DeleteKeyRemovesTheSelectionOrTheNextCharacter) {
  TextBox& box = window.Add<TextBox>("A");
  box.SetText("1234");
  box.SetSelStart(1);
  act.DeleteKey(box);
  EXPECT_EQ(box.Text(), "134");
  act.SelectText(box, 0, 2);
  act.DeleteKey(box);
  EXPECT_EQ(box.Text(), "4");
  act.SelectText(box, 1, 0);
  act.DeleteKey(box);  // at the end: nothing after the caret
  EXPECT_EQ(box.Text(), "4");
}

TEST_F(ControlModel, WindowSurfaceEventsReachTheWindowsHandlers) {
  window.MouseMoveOnWindow = Logger("hover");
  window.ClickOnWindow = Logger("click");
  window.KeyDownOnWindow = Logger("key");
  act.HoverWindow(window);
  act.ClickWindow(window);
  act.KeyDownOnWindow(window);
  EXPECT_EQ(log, (std::vector<std::string>{"hover", "click", "key"}));
}

}  // namespace
}  // namespace quillet
