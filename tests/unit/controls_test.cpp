// The control model's event rules, which the calculator's handlers rely on,
// its menus and grids, and what a control reads as on screen and to
// assistive tools. A rule is a row: steps played on one window whose
// handlers all write to one log, and the log they must leave.
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/shown_text.h"
#include "platform/user_actions.h"
#include "platform/utf8.h"
#include "started_program.h"

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

const char* const kProperties[] = {"Text",  "Caption",  "ForeColor", "Enabled", "Visible",  "Value",
                                   "Items", "ListIndex", "Selection", "Focus",   "Interval", "Geometry"};

// Text boxes A and B (changes and focus logged); Echo, whose Change sets B
// first; Sel, which selects all when focused; Digits, which swallows all but
// digits; options a, b, c in frame F and d in frame G; button Btn, label
// Lbl, list List (x, y, z), check box Chk, timer T; buttons that open a box
// (Boxer), post two pieces of work (Poster), click Inner, which posts
// (Outer), post a tick (TickPoster) or a box (BoxPoster); the menu M; the
// progress bar Bar.
class Bench {
 public:
  BoxServices services{"."};
  Desktop desktop{services, 28800, 16200};
  Window window{desktop, "Test"};
  UserActions act{desktop};
  std::vector<std::string> log;
  std::map<const Control*, std::string> noted;
  TextBox &a = window.Add<TextBox>("A"), &b = window.Add<TextBox>("B");
  Control& frame = window.AddPlain(ControlKind::Frame3D, "F");
  Control& other = window.AddPlain(ControlKind::Frame3D, "G");
  ComboBox& list = window.Add<ComboBox>("List");
  Timer& timer = window.Add<Timer>("T");
  Menu& menu = window.Add<Menu>("M");
  ProgressBar& bar = window.Add<ProgressBar>("Bar");

  Bench() {
    services.whileOpen = [this] { Tick(); };
    window.SetObserver([this](Control* c, Property p) { noted[c] += std::string(kProperties[int(p)]) + ","; });
    Logs(a, "A", true);
    Logs(b, "B", true);
    Logs(window.AddPlain(ControlKind::Label, "Lbl"), "Lbl");
    window.Add<TextBox>("Echo").Change = [this] { b.SetText("0"), Log("Echo:change"); };
    TextBox& sel = window.Add<TextBox>("Sel");
    sel.GotFocus = [&sel] { sel.SelectAll(); };
    window.Add<TextBox>("Digits").KeyPress = [](int& code) { code = code >= '0' && code <= '9' ? code : 0; };
    for (std::string name : {"a", "b", "c"}) window.Add<OptionButton>(name, &frame).Click = Logger(name + ":click");
    window.Add<OptionButton>("d", &other).Click = Logger("d:click");
    window.AddPlain(ControlKind::Command3D, "Btn").Click = Logger("Btn:click");
    window.Add<CheckBox>("Chk").Click = Logger("Chk:click");
    for (const char* item : {"x", "y", "z"}) list.AddItem(item);
    list.KeyDown = [this](int) { Log("List:key@" + std::to_string(list.ListIndex())); };
    list.Click = [this] { Log("List:click@" + std::to_string(list.ListIndex())); };
    timer.Tick = [this] { Log(desktop.Ticking() == &timer ? "tick" : "tick inside another handler"); };
    Button("Boxer", [this] { desktop.MessageBox("x", kStyleExclamation, "t"); });
    Button("Poster", [this] { Post("first"), Post("second"), Log("clicked"); });
    Button("Inner", [this] { Post("work"); });
    Button("Outer", [this] { act.Click(*window.Find("Inner")), Log("outer done"); });
    Button("TickPoster", [this] { desktop.Post([this] { Tick(); }); });
    Button("BoxPoster", [this] { desktop.Post([this] { desktop.MessageBox("x", kStyleExclamation, "t"); }); });
    menu.AddItem({"First", "Ctrl+P", [this] { Log("First(open=" + std::to_string(menu.Open()) + ")"); }});
    menu.AddItem({"Second", "Ctrl+Shift+S", Logger("Second")});
    window.MouseMoveOnWindow = Logger("window:hover");
    window.ClickOnWindow = Logger("window:click");
    window.KeyDownOnWindow = Logger("window:key");
    window.RightClickOnWindow = [this] { Log(desktop.Busy() ? "right-click busy" : "right-click idle"); };
    noted.clear();
  }

  void Log(const std::string& entry) { log.push_back(entry); }
  std::function<void()> Logger(const std::string& entry) { return [this, entry] { Log(entry); }; }
  void Logs(Control& c, const std::string& name, bool focus = false) {
    c.Change = Logger(name + ":change");
    if (focus) c.GotFocus = Logger(name + ":got"), c.LostFocus = Logger(name + ":lost");
  }
  void Button(const char* name, std::function<void()> click) {
    window.AddPlain(ControlKind::CommandButton, name).Click = std::move(click);
  }
  void Post(const std::string& entry) { desktop.Post(Logger(entry)); }
  void Tick() { Log(act.Tick(timer) ? "ticked" : "dropped"); }
  void Set(Control& c, const std::string& text) {
    if (auto* box = dynamic_cast<TextBox*>(&c)) box->SetText(text);
    else c.SetCaption(text);
  }
  void Type(TextBox& box, const std::string& text) {
    for (int i = 0; i < Utf8Length(text); ++i)
      act.TypeChar(box, text.substr(Utf8Offset(text, i), Utf8Offset(text, i + 1) - Utf8Offset(text, i)));
  }

  Control& Named(const std::string& name) { return *window.Find(name); }
  TextBox& Box(const std::string& name) { return static_cast<TextBox&>(Named(name)); }
  std::string Shown(const std::string& name) {
    if (name == "focus") return "focus=" + (window.Focused() ? window.Focused()->Name() : "");
    Control& c = Named(name);
    if (auto* box = dynamic_cast<TextBox*>(&c))
      return name + "=" + box->Text() + "@" + std::to_string(box->SelStart()) + "+" + std::to_string(box->SelLength());
    if (auto* option = dynamic_cast<OptionButton*>(&c)) return name + "=" + std::to_string(option->Value());
    if (auto* check = dynamic_cast<CheckBox*>(&c)) return name + "=" + std::to_string(check->Value());
    if (&c == &list) return "List=" + list.Text() + "@" + std::to_string(list.ListIndex());
    return "M=" + (menu.Open() ? "open@" + (menu.Anchor() ? menu.Anchor()->Name() : "") : std::string("closed"));
  }

  // Steps separated by ";": a verb, a control and what the verb takes.
  void Play(const std::string& steps) {
    std::istringstream in(steps);
    for (std::string step; std::getline(in, step, ';');) {
      std::istringstream split(step);
      std::vector<std::string> w(std::istream_iterator<std::string>(split), {});
      w.resize(4);
      const std::string &verb = w[0], &name = w[1], &text = w[2];
      const int n = std::atoi(text.c_str()), m = std::atoi(w[3].c_str());
      if (verb == "set") Set(Named(name), text);
      else if (verb == "type") Type(Box(name), text);
      else if (verb == "focus") act.Focus(Named(name));
      else if (verb == "click") act.Click(Named(name));
      else if (verb == "key") act.KeyDown(Named(name), n);
      else if (verb == "del") act.DeleteKey(Box(name));
      else if (verb == "select") act.SelectText(Box(name), n, m);
      else if (verb == "caret") Box(name).SetSelStart(n);
      else if (verb == "extent") Box(name).SetSelLength(n);
      else if (verb == "pick") act.Select(list, n);
      else if (verb == "index") list.SetListIndex(n);
      else if (verb == "add") list.AddItem(text, m);
      else if (verb == "remove") list.RemoveItem(n);
      else if (verb == "on") static_cast<OptionButton&>(Named(name)).SetValue(true);
      else if (verb == "off") Named(name).SetEnabled(false);
      else if (verb == "tick") Tick();
      else if (verb == "post") Post("work");
      else if (verb == "repost") desktop.Post([this] { Post("second"), Log("first"); });
      else if (verb == "hover") act.HoverWindow(window);
      else if (verb == "clickwindow") act.ClickWindow(window);
      else if (verb == "keywindow") act.KeyDownOnWindow(window);
      else if (verb == "rightclick") act.RightClickWindow(window);
      else if (verb == "popup") menu.Popup(name.empty() ? nullptr : &Named(name));
      else if (verb == "pickitem") act.PickMenuItem(menu, std::atoi(name.c_str()));
      else if (verb == "dismiss") act.DismissMenu(menu);
      else if (verb == "additem") menu.AddItem({"Third", "", nullptr});
      else if (verb == "shortcut") Log(act.Shortcut(window, name) ? "picked" : "none");
      else if (verb == "noted") Log(name + "~" + noted[&Named(name)]), noted.clear();
      else if (verb == "show") Log(Shown(name));
      else ADD_FAILURE() << "no step " << step;
    }
  }
};

TEST(ControlModel, EventRules) {
  const struct {
    const char* rule;
    const char* steps;
    const char* log;
  } rows[] = {
      {"a text raises Change once, only when it differs", "set A 10; set A 10; set A 11", "A:change A:change"},
      {"Change runs before the set returns", "set Echo x", "B:change Echo:change"},
      {"a label's caption raises Change once", "set Lbl 75°C; set Lbl 75°C", "Lbl:change"},
      {"an option set true deselects its group and clicks once", "on d; on a; on b; on b; show a; show b; show d",
       "d:click a:click b:click a=0 b=1 d=1"},
      {"clicking the selected option runs nothing", "on a; click a", "a:click"},
      {"a disabled control ignores clicks", "off a; click a; show a", "a=0"},
      {"focus moves: LostFocus, then GotFocus; nothing on the focused control", "focus A; focus A; focus B; show focus",
       "A:got A:lost B:got focus=B"},
      {"typing replaces the selection, backspace deletes before the caret",
       "set Sel 10; type Sel 5÷7; show Sel; type Sel \b\b; show Sel; caret Sel 0; type Sel \b; show Sel",
       "Sel=5÷7@3+0 Sel=5@1+0 Sel=5@0+0"},
      {"KeyPress can swallow a character", "type Digits 1x2; show Digits", "Digits=12@2+0"},
      {"typing the selected text again moves the caret without a Change",
       "set A 0.1; focus A; caret A 2; extent A 1; noted A; type A 1; show A; noted A",
       "A:change A:got A~Text,Focus,Selection,Selection, A=0.1@3+0 A~Selection,"},
      {"the selection stays inside the text",
       "set A 0.001÷12; caret A 50; show A; caret A 2; extent A 50; show A; set A 12; show A",
       "A:change A=0.001÷12@8+0 A=0.001÷12@2+6 A:change A=12@2+0"},
      {"the delete key removes the selection or the next character",
       "set A 1234; caret A 1; del A; show A; select A 0 2; del A; show A; select A 1 0; del A; show A",
       "A:change A:got A:change A=134@1+0 A:change A=4@0+0 A=4@1+0"},
      {"space clicks the focused button, other keys do not", "key Btn 32; key Btn 65", "Btn:click"},
      {"labels take no focus", "focus A; click Lbl; focus Lbl; show focus", "A:got focus=A"},
      {"arrows select the neighbouring option, past a disabled one, and wrap",
       "off c; on a; key a 40; show b; show focus; key b 40; show a; key a 38; show b",
       "a:click b:click b=1 focus=b a:click a=1 b:click b=1"},
      {"arrows step a list after its KeyDown handler; none past the top",
       "index List 0; key List 40; key List 38; key List 38",
       "List:key@0 List:click@1 List:key@1 List:click@0 List:key@0"},
      {"user clicks toggle check boxes and pick list items", "click Chk; click Chk; pick List 1; show Chk; show focus",
       "Chk:click Chk:click List:click@1 Chk=0 focus=List"},
      {"a list's pick follows inserts and removes, and stays within the items",
       "index List 1; add List w 0; show List; remove List 0; show List; remove List 1; show List; "
       "index List 5; show List",
       "List=y@2 List=y@1 List=@-1 List=@-1"},
      {"a view is told only of real changes", "set Lbl x; noted Lbl; set Lbl x; noted Lbl",
       "Lbl:change Lbl~Caption, Lbl~"},
      {"a disabled timer does not tick", "off T; tick", "dropped"},
      {"a tick while a handler's box is open is dropped", "click Boxer; tick", "dropped tick ticked"},
      {"posted in a handler: after it returns, in order", "click Poster", "clicked first second"},
      {"posted in a nested handler: after the outermost", "click Outer", "outer done work"},
      {"posted with no handler running: at once", "post; tick", "work tick ticked"},
      {"posted by posted work: right after it", "repost", "first second"},
      {"a tick in posted work is a real tick", "click TickPoster", "tick ticked"},
      {"a tick while posted work's box is open is dropped", "click BoxPoster", "dropped"},
      {"events on the window's surface reach its handlers; a right click runs busy",
       "hover; clickwindow; keywindow; rightclick", "window:hover window:click window:key right-click busy"},
      {"a menu starts closed and opens at its anchor or the pointer", "show M; popup Btn; show M; popup; show M",
       "M=closed M=open@Btn M=open@"},
      {"a pick closes the menu before its item runs", "popup Btn; pickitem 0; show M", "First(open=0) M=closed"},
      {"picks that cannot happen run nothing and close the menu",
       "popup Btn; pickitem -1; show M; popup Btn; pickitem 2; show M; off M; popup Btn; pickitem 0; show M",
       "M=closed M=closed M=closed"},
      {"a shortcut picks its item with the menu closed", "shortcut Ctrl+Shift+S; shortcut Ctrl+S; shortcut",
       "Second picked none none"},
      {"a view is told of items and of every opening, also elsewhere",
       "additem; popup Btn; popup; dismiss; dismiss; noted M", "M~Items,Visible,Visible,Visible,"},
  };
  for (const auto& row : rows) {
    Bench bench;
    bench.Play(row.steps);
    std::string joined;
    for (const std::string& entry : bench.log) joined += (joined.empty() ? "" : " ") + entry;
    EXPECT_EQ(joined, row.log) << row.rule;
    EXPECT_FALSE(bench.desktop.Busy()) << row.rule;
  }
}

// Whatever changed, the values put back are the ones kept, with no event
// raised, and a view is told of exactly the controls that changed.
TEST(ControlModel, AWindowGoesBackToTheValuesItKept) {
  const struct {
    const char* what;
    std::function<void(Bench&)> change;
    const char* reported;  // the controls a view hears of, in creation order
  } rows[] = {
      {"a typed text, its caret and the focus", [](Bench& b) { b.Play("type A 12; select A 0 1; focus B"); }, "A B"},
      {"an option, a check box and a disabled button",
       [](Bench& b) { b.Play("on b; click Chk; off Btn"); }, "b Btn Chk"},
      {"a list's items and its pick", [](Bench& b) { b.Play("add List w 0; pick List 2"); }, "List"},
      {"captions, colours, tips and visibility",
       [](Bench& b) {
         b.Play("set Lbl x");
         b.Named("Lbl").SetForeColor(kRed);
         b.Named("Btn").SetToolTip("tip");
         b.Named("F").SetVisible(false);
       },
       "F Lbl"},
      {"a caption changed and changed back", [](Bench& b) { b.Play("set Lbl x; set Lbl y"), b.Named("Lbl").SetCaption(""); },
       ""},
      {"a stopped timer with another interval",
       [](Bench& b) {
         b.timer.SetEnabled(false);
         b.timer.SetInterval(100);
       },
       "T"},
      {"an open menu at its anchor", [](Bench& b) { b.Play("popup Btn"); }, "M"},
      {"a progress bar's steps", [](Bench& b) { b.bar.SetProgress(3, 10); }, "Bar"},
      {"the window moved, resized and retitled",
       [](Bench& b) {
         b.window.Move(100, 200);
         b.window.SetSize(5000, 4000);
         b.window.SetCaption("Other");
       },
       ""},
      {"nothing at all", [](Bench&) {}, ""},
  };
  for (const auto& row : rows) {
    Bench bench;
    bench.window.Show();
    const WindowValues kept = bench.window.Values();
    row.change(bench);
    bench.log.clear();
    bench.noted.clear();
    bench.window.PutBack(kept);
    EXPECT_TRUE(bench.window.Values() == kept) << row.what;
    EXPECT_TRUE(bench.log.empty()) << row.what << ": " << bench.log.front();
    std::string reported;
    for (const Control* c : bench.window.Controls())
      if (bench.noted.count(c)) reported += (reported.empty() ? "" : " ") + c->Name();
    EXPECT_EQ(reported, row.reported) << row.what;
    EXPECT_EQ(bench.window.Focused(), nullptr) << row.what;
    EXPECT_FALSE(bench.menu.Open()) << row.what;
  }
}

TEST(ControlModel, AWindowGoesBackToOlderValuesAndOnToNewerOnes) {
  Bench bench;
  const WindowValues older = bench.window.Values();
  bench.Play("type A 12; set Lbl x");
  const WindowValues newer = bench.window.Values();
  bench.window.PutBack(older);
  bench.Play("type A 3");
  bench.window.PutBack(newer);
  EXPECT_TRUE(bench.window.Values() == newer);
  EXPECT_EQ(bench.Shown("A"), "A=12@2+0");
  bench.window.PutBack(older);
  EXPECT_TRUE(bench.window.Values() == older);
  EXPECT_EQ(bench.Named("Lbl").Caption(), "");
}

class RowsSource : public GridSource {
 public:
  std::vector<std::vector<std::string>> rows;
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int ColumnCount() const override { return 2; }
  std::string Heading(int) const override { return ""; }
  std::string Cell(int row, int column) const override { return rows[std::size_t(row)][std::size_t(column)]; }
  bool Editable(int) const override { return true; }
};

TEST(ControlModel, AGridKeepsItsMarkAndCurrentCellWithinTheRows) {
  Bench bench;
  Window& window = bench.window;
  RowsSource source;
  Grid& grid = window.Add<Grid>("Sizes");
  grid.SetSource(&source);
  const struct {
    const char* name;
    int mark, row, column, rowsLeft, keptMark, keptRow, keptColumn;
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
  source.rows = {{"a", "1"}};
  grid.Refresh();
  grid.SetReadOnly(true);
  grid.CellEdited = [&bench](int, int, const std::string&) { bench.Log("edited"); };
  bench.act.SelectCell(grid, 0, 1);
  bench.act.Focus(grid);
  bench.act.EditCell(grid, 0, 1, "x");
  EXPECT_NE(window.Focused(), &grid) << "a read-only grid takes no focus, no current cell and no edit";
  EXPECT_EQ(grid.CurrentRow(), -1);
  EXPECT_TRUE(bench.log.empty());
}

TEST(ShownCaption, ShowsTheCaptionAsTheControlDraws) {
  const struct {
    ControlKind kind;
    const char* caption;
    const char* shown;
  } cases[] = {
      {ControlKind::Label, "430.248 && 430.250", "430.248 & 430.250"}, {ControlKind::Label, "a &&&& b", "a && b"},
      {ControlKind::Label, "8 & 9", "8 & 9"},       {ControlKind::Label, "44 &", "44 &"},
      {ControlKind::Label, "&&&", "&&"},           {ControlKind::Frame3D, "Tables 8 && 9", "Tables 8 && 9"},
      {ControlKind::Panel3D, "R && D", "R && D"}, {ControlKind::CommandButton, "&OK", "&OK"},
  };
  ScriptedServices services{"."};
  Desktop desktop{services, 28800, 16200};
  Window window{desktop, "Test"};
  for (const auto& c : cases) {
    Control& control = window.AddPlain(c.kind, c.caption);
    control.SetCaption(c.caption);
    EXPECT_EQ(ShownCaption(control), c.shown) << c.caption;
  }
}

// Fields and results are named from their frames and labels, a result after
// its frame and not its value; every focusable control has a name.
TEST_F(StartedProgram, AssistiveToolsReadTheNamesOfTheWindowsControls) {
  w.VDACL.SetCaption("1.5 V");
  const struct {
    const Control& control;
    const char* name;
  } cases[] = {
      {w.V, "Voltage (U) (Phase to Phase)"}, {w.A, "Current ( I )"},
      {w.ComWS, "Conductor size"},           {w.VDACL, "AC Voltage drop 3-Ph, volts"},
      {w.VDACPRCL, "AC Voltage drop 3-Ph, percent"}, {w.TextACR, "AC resistance"},
      {w.TextXLR, "XL reactance"},           {w.WOTD, "Wire operating temperature, set to"},
      {w.OptPF095, "0.95"},                  {w.Label1, "V"},
      {w.DCres, "DC resistance"},            {w.Job, "Job name or feeder tag"},
      {program.effcon.Text2, "Days a week operation (52 weeks in a year)"},
  };
  for (const auto& c : cases) EXPECT_EQ(AccessibleName(c.control), c.name) << c.control.Name();
  w.FrameVDAC.SetCaption("AC Voltage drop  1-Ph");
  EXPECT_EQ(AccessibleName(w.VDACL), "AC Voltage drop 1-Ph, volts");
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
