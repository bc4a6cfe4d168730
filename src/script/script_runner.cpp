#include "script/script_runner.h"

#include <charconv>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <utility>

#include "app/program.h"
#include "platform/diagram.h"
#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/native_text.h"
#include "report/calculation_report.h"
#include "platform/utf8.h"
#include "script/scripted_services.h"
#include "workbench/schedule_window.h"

namespace quillet {
namespace {

constexpr int kMaxTickRounds = 1000;

[[noreturn]] void Fail(const std::string& message) { throw ScriptError(message); }

char32_t HexCodePoint(const std::string& line, std::size_t at) {
  if (at + 4 > line.size()) Fail("\\u needs four hex digits");
  unsigned value = 0;
  auto [end, ec] = std::from_chars(line.data() + at, line.data() + at + 4, value, 16);
  if (ec != std::errc() || end != line.data() + at + 4) Fail("\\u needs four hex digits");
  return value;
}

char Escaped(char c) {
  switch (c) {
    case '"': return '"';
    case '\\': return '\\';
    case 'r': return '\r';
    case 'n': return '\n';
    case 't': return '\t';
    case 'b': return '\b';
    default: Fail(std::string("unknown escape \\") + c);
  }
}

int ToInt(const std::string& text) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) Fail("not a whole number: " + text);
  return value;
}

// A value for a state field, read exactly as written (a float field gets the
// float nearest the text).
template <typename T>
T ParseAs(const std::string& text) {
  T value{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) Fail("not a number for the field: " + text);
  return value;
}

void SetStateField(ElcalState& state, const std::string& field, const std::string& text) {
  for (const StateField& f : StateFields(state)) {
    if (field != f.name) continue;
    std::visit(
        [&text](auto ref) {
          using T = decltype(ref);
          using Value = std::remove_pointer_t<T>;
          if constexpr (std::is_same_v<T, std::string*>) *ref = text;
          else if constexpr (std::is_same_v<T, std::span<float>>) Fail("setstate: tables cannot be set");
          else if constexpr (std::is_enum_v<Value>) {
            if (!ChoiceNamed(text, *ref)) Fail("not a value of the field: " + text);
          } else *ref = ParseAs<Value>(text);
        },
        f.ref);
    return;
  }
  Fail("unknown field " + field);
}

template <typename T>
std::string Shortest(T value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::vector<std::string> SplitCharacters(const std::string& text) {
  std::vector<std::string> characters;
  for (int i = 0, n = Utf8Length(text); i < n; ++i) {
    std::size_t from = Utf8Offset(text, i);
    characters.push_back(text.substr(from, Utf8Offset(text, i + 1) - from));
  }
  return characters;
}

// A menu's items as it shows them: the text, a tab, the shortcut.
std::string MenuItemsText(const Menu& menu) {
  std::vector<std::string> items;
  for (const MenuItem& item : menu.Items())
    items.push_back(item.shortcut.empty() ? item.text : item.text + "\t" + item.shortcut);
  return ListText(items);
}

// A grid's rows, each as its cells joined by tabs.
std::string GridRowsText(const Grid& grid) {
  std::vector<std::string> rows;
  for (int row = 0, count = grid.Source() ? grid.Source()->RowCount() : 0; row < count; ++row) {
    const std::vector<std::string> cells = GridRow(grid, row);
    std::string joined;
    for (std::size_t i = 0; i < cells.size(); ++i) joined += (i ? "\t" : "") + cells[i];
    rows.push_back(joined);
  }
  return ListText(rows);
}

std::string ControlProperty(Control& c, const std::string& prop) {
  if (auto* menu = dynamic_cast<Menu*>(&c)) {
    if (prop == "list") return MenuItemsText(*menu);
    if (prop == "listcount") return std::to_string(menu->Items().size());
  }
  if (auto* grid = dynamic_cast<Grid*>(&c)) {
    if (prop == "list") return GridRowsText(*grid);
    if (prop == "listcount") return std::to_string(grid->Source() ? grid->Source()->RowCount() : 0);
    if (prop == "listindex") return std::to_string(grid->Marked());
    if (prop == "columns") return ListText(GridHeadings(*grid));
  }
  if (auto* diagram = dynamic_cast<Diagram*>(&c)) {
    if (prop == "listcount") return std::to_string(diagram->Drawing().boxes.size());
    if (prop == "listindex") return std::to_string(diagram->Marked());
  }
  auto* box = dynamic_cast<TextBox*>(&c);
  auto* list = dynamic_cast<ComboBox*>(&c);
  if (prop == "caption") return QuoteText(c.Caption());
  if (prop == "forecolor") return std::to_string(c.ForeColor());
  if (prop == "enabled") return c.Enabled() ? "1" : "0";
  if (prop == "visible") return c.Visible() ? "1" : "0";
  if (prop == "value") {
    if (auto* option = dynamic_cast<OptionButton*>(&c)) return option->Value() ? "1" : "0";
    if (auto* check = dynamic_cast<CheckBox*>(&c)) return std::to_string(check->Value());
  }
  if (prop == "tooltip") return QuoteText(c.ToolTip());
  if (prop == "place") {
    const Bounds& b = c.Place();
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width) + "x" +
           std::to_string(b.height);
  }
  if (box) {
    if (prop == "text") return QuoteText(box->Text());
    if (prop == "selstart") return std::to_string(box->SelStart());
    if (prop == "sellength") return std::to_string(box->SelLength());
  }
  if (list) {
    if (prop == "text") return QuoteText(list->Text());
    if (prop == "listindex") return std::to_string(list->ListIndex());
    if (prop == "listcount") return std::to_string(list->ListCount());
    if (prop == "list") return ListText(list->Items());
  }
  if (auto* timer = dynamic_cast<Timer*>(&c); timer && prop == "interval")
    return std::to_string(timer->Interval());
  if (auto* bar = dynamic_cast<ProgressBar*>(&c)) {
    if (prop == "value") return std::to_string(bar->Value());
    if (prop == "max") return std::to_string(bar->Maximum());
  }
  if (prop == "accesskey") return c.AccessKey() ? QuoteText(std::string(1, c.AccessKey())) : "\"\"";
  Fail("unknown property " + c.Name() + "." + prop);
}

constexpr std::pair<WindowState, const char*> kWindowStates[] = {
    {WindowState::Normal, "normal"}, {WindowState::Maximised, "maximised"}, {WindowState::Minimised, "minimised"}};

WindowState WindowStateNamed(const std::string& name) {
  for (const auto& [state, text] : kWindowStates)
    if (name == text) return state;
  Fail("windowstate: normal, maximised or minimised, not " + name);
}

std::string WindowStateName(WindowState state) {
  for (const auto& [s, text] : kWindowStates)
    if (s == state) return text;
  return "";
}

std::string WindowProperty(Window& w, const std::string& prop) {
  if (prop == "left") return std::to_string(w.Left());
  if (prop == "top") return std::to_string(w.Top());
  if (prop == "width") return std::to_string(w.Width());
  if (prop == "height") return std::to_string(w.Height());
  if (prop == "caption") return QuoteText(w.Caption());
  if (prop == "shown") return w.Shown() ? "1" : "0";
  if (prop == "modal") return w.Modal() ? "1" : "0";
  if (prop == "focus") return w.Focused() ? w.Focused()->Name() : "";
  if (prop == "front") return w.Screen().Front() == &w ? "1" : "0";
  if (prop == "state") return WindowStateName(w.State());
  if (prop == "minwidth") return std::to_string(w.MinWidth());
  if (prop == "minheight") return std::to_string(w.MinHeight());
  Fail("unknown window property " + w.Name() + "." + prop);
}

}  // namespace

std::vector<std::string> SplitScriptLine(const std::string& line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    std::string arg;
    if (line[i] != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') arg += line[i++];
      args.push_back(arg);
      continue;
    }
    for (++i;; ++i) {
      if (i >= line.size()) Fail("unterminated quote");
      if (line[i] == '"') break;
      if (line[i] != '\\') {
        arg += line[i];
        continue;
      }
      if (++i >= line.size()) Fail("unterminated quote");
      if (line[i] == 'u') {
        arg += Utf8Encode(HexCodePoint(line, i + 1));
        i += 4;
      } else {
        arg += Escaped(line[i]);
      }
    }
    ++i;
    args.push_back(arg);
  }
  return args;
}

std::string ListText(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + QuoteText(items[i]);
  return out + "]";
}

namespace {

std::vector<int> AllColumnsWhenNone(const GridSource& source, std::vector<int> columns) {
  if (columns.empty())
    for (int c = 0; c < source.ColumnCount(); ++c) columns.push_back(c);
  return columns;
}

}  // namespace

std::vector<std::string> GridHeadings(const Grid& grid, std::vector<int> columns) {
  std::vector<std::string> headings;
  if (!grid.Source()) return headings;
  for (int c : AllColumnsWhenNone(*grid.Source(), std::move(columns))) headings.push_back(grid.Source()->Heading(c));
  return headings;
}

std::vector<std::string> GridRow(const Grid& grid, int row, std::vector<int> columns) {
  std::vector<std::string> cells;
  if (!grid.Source()) return cells;
  for (int c : AllColumnsWhenNone(*grid.Source(), std::move(columns))) cells.push_back(grid.Source()->Cell(row, c));
  return cells;
}

std::string QuoteText(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') out += "\\\"";
    else if (c == '\\') out += "\\\\";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
      out += "\\u00a0";
      ++i;
    } else out += c;
  }
  return out + "\"";
}

namespace {

class Command {
 public:
  Command(Program& program, std::vector<std::string> args)
      : program_(program), args_(std::move(args)) {}

  const std::string& Verb() const { return args_[0]; }
  std::size_t Count() const { return args_.size(); }
  const std::string& Arg(std::size_t i) const {
    if (i >= args_.size()) Fail(Verb() + ": missing argument");
    return args_[i];
  }
  void Arity(std::size_t min, std::size_t max) const {
    if (args_.size() < min + 1 || args_.size() > max + 1) Fail(Verb() + ": wrong number of arguments");
  }

  // A bare window name, for the events on a window's own surface.
  Window* WindowArg(std::size_t i) const {
    const std::string& name = Arg(i);
    return name.find('.') == std::string::npos ? program_.FindWindow(name) : nullptr;
  }

  Control& ControlArg(std::size_t i) const {
    const std::string& name = Arg(i);
    Window* window = &program_.main;
    std::string control = name;
    if (auto dot = name.find('.'); dot != std::string::npos) {
      window = program_.FindWindow(name.substr(0, dot));
      if (!window) Fail("unknown window " + name.substr(0, dot));
      control = name.substr(dot + 1);
    }
    Control* c = window->Find(control);
    if (!c) Fail("unknown control " + name);
    return *c;
  }

  template <typename T>
  T& ControlArgAs(std::size_t i, const char* kind) const {
    auto* typed = dynamic_cast<T*>(&ControlArg(i));
    if (!typed) Fail(Verb() + ": " + Arg(i) + " is not a " + kind);
    return *typed;
  }

 private:
  Program& program_;
  std::vector<std::string> args_;
};

}  // namespace

ScriptRunner::ScriptRunner(Program& program, ScriptedServices& services, std::ostream& out)
    : program_(program), services_(services), out_(out) {
  program_.reportPrinter = &reports_;
  if (auto* schedule = dynamic_cast<ScheduleWindow*>(program_.FindWindow("Schedule")))
    schedule_ = std::make_unique<ScheduleCommands>(*schedule, program_.actions, services_, out_,
                                                   [this](const std::string& name) { return FolderPath(name); });
}

ScriptRunner::~ScriptRunner() {
  if (program_.reportPrinter == &reports_) program_.reportPrinter = nullptr;
}

void ScriptRunner::RunLine(const std::string& line) {
  auto first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos || line[first] == '#') return;
  Command cmd(program_, SplitScriptLine(line));
  UserActions& act = program_.actions;
  const std::string& verb = cmd.Verb();
  if (verb == "tick") {
    cmd.Arity(0, 1);
    const int rounds = cmd.Count() > 1 ? ToInt(cmd.Arg(1)) : 1;
    // A bound keeps a mistyped count from freezing the driver.
    if (rounds < 0 || rounds > kMaxTickRounds) Fail("tick: the count must be 0 to " + std::to_string(kMaxTickRounds));
    for (int r = 0; r < rounds; ++r) TickRound();
  } else if (verb == "focus") {
    cmd.Arity(1, 1);
    act.Focus(cmd.ControlArg(1));
  } else if (verb == "type") {
    cmd.Arity(2, 2);
    auto& box = cmd.ControlArgAs<TextBox>(1, "text box");
    act.Focus(box);
    for (const std::string& ch : SplitCharacters(cmd.Arg(2))) act.TypeChar(box, ch);
  } else if (verb == "key") {
    cmd.Arity(2, 2);
    if (Window* window = cmd.WindowArg(1)) act.KeyDownOnWindow(*window);
    else act.KeyDown(cmd.ControlArg(1), ToInt(cmd.Arg(2)));
  } else if (verb == "settext") {
    cmd.Arity(2, 2);
    Desktop::Guard busy(program_.desktop);
    cmd.ControlArgAs<TextBox>(1, "text box").SetText(cmd.Arg(2));
  } else if (verb == "click") {
    cmd.Arity(1, 1);
    if (Window* window = cmd.WindowArg(1)) act.ClickWindow(*window);
    else act.Click(cmd.ControlArg(1));
  } else if (verb == "rightclick") {
    cmd.Arity(1, 1);
    Window* window = cmd.WindowArg(1);
    if (!window) Fail("rightclick: unknown window " + cmd.Arg(1));
    act.RightClickWindow(*window);
  } else if (verb == "pick") {
    cmd.Arity(2, 2);
    PickFromMenu(cmd.Arg(1), cmd.Arg(2));
  } else if (verb == "dismiss") {
    cmd.Arity(1, 1);
    act.DismissMenu(cmd.ControlArgAs<Menu>(1, "menu"));
  } else if (verb == "shortcut") {
    cmd.Arity(1, 1);
    act.Shortcut(program_.main, cmd.Arg(1));
  } else if (verb == "alt") {
    cmd.Arity(2, 2);
    Window* window = cmd.WindowArg(1);
    if (!window) Fail("alt: unknown window " + cmd.Arg(1));
    if (cmd.Arg(2).size() != 1) Fail("alt: one letter");
    if (!act.AccessKey(*window, cmd.Arg(2)[0])) out_ << "alt " << cmd.Arg(1) << " " << cmd.Arg(2) << ": no control\n";
  } else if (verb == "report") {
    cmd.Arity(0, 0);
    PrintReport();
  } else if (verb == "reports") {
    cmd.Arity(0, 0);
    PrintReportRequests();
  } else if (verb == "select") {
    cmd.Arity(2, 2);
    act.Select(cmd.ControlArgAs<ComboBox>(1, "list"), ToInt(cmd.Arg(2)));
  } else if (verb == "spinup" || verb == "spindown") {
    cmd.Arity(1, 1);
    auto& spin = cmd.ControlArgAs<SpinButton>(1, "spin button");
    verb == "spinup" ? act.SpinUp(spin) : act.SpinDown(spin);
  } else if (verb == "hover") {
    cmd.Arity(1, 1);
    if (Window* window = cmd.WindowArg(1)) act.HoverWindow(*window);
    else act.Hover(cmd.ControlArg(1));
  } else if (verb == "move" || verb == "resize") {
    cmd.Arity(3, 3);
    Window* window = cmd.WindowArg(1);
    if (!window) Fail(verb + ": unknown window " + cmd.Arg(1));
    if (verb == "move") act.MoveWindow(*window, ToInt(cmd.Arg(2)), ToInt(cmd.Arg(3)));
    else act.ResizeWindow(*window, ToInt(cmd.Arg(2)), ToInt(cmd.Arg(3)));
  } else if (verb == "windowstate") {
    cmd.Arity(2, 2);
    Window* window = cmd.WindowArg(1);
    if (!window) Fail("windowstate: unknown window " + cmd.Arg(1));
    act.SetWindowState(*window, WindowStateNamed(cmd.Arg(2)));
  } else if (verb == "deactivate") {
    cmd.Arity(1, 1);
    Window* window = cmd.WindowArg(1);
    if (!window) Fail("deactivate: unknown window " + cmd.Arg(1));
    act.DeactivateWindow(*window);
  } else if (verb == "dblclick") {
    cmd.Arity(1, 1);
    act.DoubleClick(cmd.ControlArg(1));
  } else if (verb == "answer") {
    cmd.Arity(1, 1);
    services_.answers.push_back(ToInt(cmd.Arg(1)));
  } else if (verb == "print") {
    cmd.Arity(1, 1);
    Print(cmd.Arg(1));
  } else if (verb == "setstate") {
    cmd.Arity(2, 2);
    SetStateField(program_.main.state, cmd.Arg(1), cmd.Arg(2));
  } else if (verb == "state") {
    cmd.Arity(1, 1);
    PrintState(cmd.Arg(1));
  } else if (verb == "messages") {
    cmd.Arity(0, 0);
    PrintMessages();
  } else if (verb == "clipboard") {
    cmd.Arity(0, 1);
    if (cmd.Count() > 1 && cmd.Arg(1) != "lines") Fail("clipboard: the argument can only be lines");
    if (cmd.Count() > 1) PrintLines("clipboard", services_.clipboard);
    else out_ << "clipboard=" << QuoteText(services_.clipboard) << "\n";
  } else if (verb == "setclipboard") {
    cmd.Arity(1, 1);
    services_.clipboard = cmd.Arg(1);
  } else if (verb == "writefile") {
    cmd.Arity(2, 2);
    WriteFile(cmd.Arg(1), cmd.Arg(2));
  } else if (verb == "removefile") {
    cmd.Arity(1, 1);
    std::error_code ignored;
    std::filesystem::remove(FolderPath(cmd.Arg(1)), ignored);
  } else if (verb == "beeps") {
    cmd.Arity(0, 0);
    out_ << "beeps=" << services_.beeps << "\n";
  } else if (verb == "file") {
    cmd.Arity(1, 1);
    PrintFile(cmd.Arg(1));
  } else if (verb == "schedule") {
    if (!schedule_) Fail("schedule: this program has no feeder schedule");
    schedule_->Run(SplitScriptLine(line));
  } else if (verb == "close") {
    cmd.Arity(0, 0);
    program_.Stop();
  } else {
    Fail("unknown command " + verb);
  }
}

// The main window's two timers, then those of the other windows, which
// follow its passes.
void ScriptRunner::TickRound() {
  UserActions& act = program_.actions;
  act.Tick(program_.main.Timer1);
  act.Tick(program_.main.Timer2);
  for (Window* window : program_.Windows()) {
    if (window == &program_.main) continue;
    for (Control* control : window->Controls())
      if (auto* timer = dynamic_cast<Timer*>(control)) act.Tick(*timer);
  }
}

void ScriptRunner::RunAll(std::istream& in) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    try {
      RunLine(line);
    } catch (const ScriptError& error) {
      throw ScriptError("line " + std::to_string(number) + ": " + error.what());
    }
  }
}

void ScriptRunner::Print(const std::string& what) {
  if (what == "focus") {
    Control* focused = program_.main.Focused();
    out_ << "focus=" << (focused ? focused->Name() : "") << "\n";
    return;
  }
  auto dot = what.rfind('.');
  if (dot == std::string::npos) Fail("print needs CONTROL.PROPERTY");
  std::string target = what.substr(0, dot), prop = what.substr(dot + 1);
  std::string value;
  if (Window* window = program_.FindWindow(target)) {
    value = WindowProperty(*window, prop);
  } else {
    Window* owner = &program_.main;
    std::string name = target;
    if (auto sep = target.find('.'); sep != std::string::npos) {
      owner = program_.FindWindow(target.substr(0, sep));
      if (!owner) Fail("unknown window " + target.substr(0, sep));
      name = target.substr(sep + 1);
    }
    Control* control = owner->Find(name);
    if (!control) Fail("unknown control " + target);
    value = ControlProperty(*control, prop);
  }
  out_ << what << "=" << value << "\n";
}

void ScriptRunner::PrintState(const std::string& field) {
  for (const StateField& f : StateFields(program_.main.state)) {
    if (field != f.name) continue;
    std::string text = std::visit(
        [](auto ref) -> std::string {
          using T = decltype(ref);
          if constexpr (std::is_same_v<T, std::string*>) return QuoteText(*ref);
          else if constexpr (std::is_enum_v<std::remove_pointer_t<T>>) return std::string(ChoiceName(*ref));
          else if constexpr (std::is_same_v<T, std::span<float>>) {
            std::string out = "[";
            for (std::size_t i = 0; i < ref.size(); ++i) out += (i ? "," : "") + Shortest(ref[i]);
            return out + "]";
          } else return Shortest(*ref);
        },
        f.ref);
    out_ << field << "=" << text << "\n";
    return;
  }
  Fail("unknown field " + field);
}

std::filesystem::path ScriptRunner::FolderPath(const std::string& name) const {
  if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name == "..")
    Fail("a file name of the program folder, without a path, is needed");
  return PathFromUtf8(services_.ProgramFolder()) / PathFromUtf8(name);
}

void ScriptRunner::WriteFile(const std::string& name, const std::string& content) {
  std::ofstream file(FolderPath(name), std::ios::binary | std::ios::trunc);
  if (!(file << content)) Fail("cannot write " + name);
}

// Each CR LF-ended line on its own, numbered from 1.
void ScriptRunner::PrintLines(const std::string& what, const std::string& text) {
  std::size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out_ << what << "[" << number << "]=" << QuoteText(text.substr(start, end - start)) << "\n";
    start = end + 2;
  }
}

void ScriptRunner::PrintFile(const std::string& name) {
  std::ifstream file(FolderPath(name), std::ios::binary);
  if (!file) {
    out_ << "file=missing\n";
    return;
  }
  std::ostringstream content;
  content << file.rdbuf();
  out_ << "file=" << QuoteText(content.str()) << "\n";
}

void ScriptRunner::PickFromMenu(const std::string& menuName, const std::string& itemText) {
  auto* menu = dynamic_cast<Menu*>(program_.main.Find(menuName));
  if (!menu) Fail("pick: " + menuName + " is not a menu of the main window");
  // A person picks only from a menu on screen.
  if (!menu->Open()) Fail("pick: " + menuName + " is not open");
  const int index = menu->IndexOfText(itemText);
  if (index < 0) Fail("pick: " + menuName + " has no item " + QuoteText(itemText));
  program_.actions.PickMenuItem(*menu, index);
}

void ScriptRunner::PrintReport() {
  for (const std::string& line : ReportLines(program_.Report())) out_ << line << "\n";
}

void ScriptRunner::PrintReportRequests() {
  for (const std::string& request : reports_.requests) out_ << request << "\n";
  reports_.requests.clear();
}

void ScriptRunner::PrintMessages() {
  for (const ShownMessage& m : services_.shown)
    out_ << "msgbox style=" << m.style << " title=" << QuoteText(m.title)
         << " text=" << QuoteText(m.text) << " answer=" << m.answer << "\n";
  services_.shown.clear();
}

}  // namespace quillet
