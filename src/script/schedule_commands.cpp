#include "script/schedule_commands.h"

#include <charconv>
#include <utility>
#include <ostream>

#include "platform/desktop.h"
#include "platform/native_text.h"
#include "platform/user_actions.h"
#include "script/script_runner.h"
#include "script/recorded_reports.h"
#include "script/scripted_services.h"
#include "workbench/schedule_window.h"

namespace quillet {
namespace {

// Enough ticks for any schedule the driver can read; a bound keeps a fault
// from hanging the driver.
constexpr int kMaxWaitTicks = 1000000;

[[noreturn]] void Fail(const std::string& message) { throw ScriptError("schedule: " + message); }

void Arity(const std::vector<std::string>& args, std::size_t count) {
  if (args.size() != count + 2) Fail(args[1] + ": wrong number of arguments");
}

// A number from 1 to `count`, as a script names a row or a box; from 0 back.
int OneBased(const std::string& text, int count, const std::string& what, const std::string& whats) {
  int n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > count)
    Fail("no " + what + " " + text + " (" + whats + " 1 to " + std::to_string(count) + ")");
  return n - 1;
}

// The request, then the table's rows as they print, the marked ones with "x".
std::string PrintoutText(const SchedulePrintout& p) {
  std::string text = "job=" + QuoteText(p.job) + " date=" + QuoteText(p.date) + " title=" + TitleBlockText(p.titleBlock) +
                     " rows=" + std::to_string(p.rows.size()) + " headings=" + ListText(p.headings);
  if (p.diagram) text += " diagram=" + std::to_string(p.diagram->boxes.size()) + " boxes";
  for (std::size_t r = 0; r < p.rows.size(); ++r)
    text += "\n  " + std::string(p.marked[r] ? "x " : "  ") + ListText(p.rows[r]);
  if (!p.drawing) return text;
  // The drawing's rows indented under their supplies.
  text += " drawing=" + ListText(p.drawing->headings);
  for (const DrawingRow& row : p.drawing->rows) {
    std::vector<std::string> cells;
    for (const DrawingCell& cell : row.cells) cells.push_back(cell.text);
    text += "\n  " + std::string(2 * static_cast<std::size_t>(row.depth), ' ') + ListText(cells);
  }
  return text;
}

}  // namespace

void ScheduleCommands::RecordedPrints::Print(const SchedulePrintout& printout) {
  requests.push_back("print " + PrintoutText(printout));
}

void ScheduleCommands::RecordedPrints::SavePdf(const SchedulePrintout& printout, const std::string& suggestedName) {
  requests.push_back("pdf " + PrintoutText(printout) + " name=" + QuoteText(suggestedName));
}

ScheduleCommands::ScheduleCommands(ScheduleWindow& window, UserActions& actions, ScriptedServices& services,
                                   std::ostream& out,
                                   std::function<std::filesystem::path(const std::string&)> folderPath)
    : window_(window), actions_(actions), services_(services), out_(out), folderPath_(std::move(folderPath)) {
  window_.askFileName = [this](FileQuestion question, const std::string&) {
    if (question == FileQuestion::Import) return std::exchange(importing_, std::string());
    if (files_.empty()) return std::string();
    std::string path = files_.front();
    files_.pop_front();
    return path;
  };
  window_.printer = &prints_;
}

ScheduleCommands::~ScheduleCommands() {
  window_.askFileName = nullptr;
  window_.printer = nullptr;
}

int ScheduleCommands::RowArg(const std::string& text) const {
  return OneBased(text, static_cast<int>(window_.model.RowCount()), "row", "rows");
}

int ScheduleCommands::ColumnArg(const std::string& text) const {
  const auto column = window_.model.ColumnNamed(text);
  if (!column) Fail("no column " + text);
  return static_cast<int>(*column);
}

void ScheduleCommands::SelectRow(int row) {
  actions_.SelectCell(window_.Feeders, row, std::max(window_.Feeders.CurrentColumn(), 0));
}

void ScheduleCommands::Wait() {
  for (int i = 0; i < kMaxWaitTicks && window_.Evaluation.Enabled(); ++i) actions_.Tick(window_.Evaluation);
}

void ScheduleCommands::Run(const std::vector<std::string>& args) {
  if (args.size() < 2) Fail("what? (add, set, import, export, print, open, ...)");
  const std::string& verb = args[1];
  ScheduleWindow& w = window_;
  if (verb == "add") {
    Arity(args, 0);
    actions_.Click(w.AddRow);
  } else if (verb == "duplicate" || verb == "delete" || verb == "open") {
    Arity(args, 1);
    SelectRow(RowArg(args[2]));
    actions_.Click(verb == "duplicate" ? w.Duplicate : verb == "delete" ? w.DeleteRow : w.OpenInCalc);
  } else if (verb == "set") {
    Arity(args, 3);
    actions_.EditCell(w.Feeders, RowArg(args[2]), ColumnArg(args[3]), args[4]);
  } else if (verb == "paste") {
    Arity(args, 2);
    actions_.PasteCells(w.Feeders, RowArg(args[2]), ColumnArg(args[3]), services_.clipboard);
  } else if (verb == "copy") {
    Arity(args, 4);
    services_.SetClipboardText(w.Copy(RowArg(args[2]), ColumnArg(args[3]), RowArg(args[4]), ColumnArg(args[5])));
  } else if (verb == "undo") {
    Arity(args, 0);
    actions_.UndoInGrid(w.Feeders);
  } else if (verb == "import") {
    Arity(args, 1);
    importing_ = Utf8FromPath(folderPath_(args[2]));
    actions_.Click(w.Import);
    importing_.clear();
  } else if (verb == "export") {
    Arity(args, 1);
    files_.push_front(Utf8FromPath(folderPath_(args[2])));
    actions_.Click(w.Export);
  } else if (verb == "filename") {
    Arity(args, 1);
    files_.push_back(Utf8FromPath(folderPath_(args[2])));
  } else if (verb == "wait") {
    Arity(args, 0);
    Wait();
  } else if (verb == "print") {
    PrintTable({args.begin() + 2, args.end()});
  } else if (verb == "values") {
    PrintValues({args.begin() + 2, args.end()});
  } else if (verb == "cell") {
    Arity(args, 2);
    PrintCell(RowArg(args[2]), ColumnArg(args[3]));
  } else if (verb == "prints") {
    Arity(args, 0);
    for (const std::string& request : prints_.requests) out_ << request << "\n";
    prints_.requests.clear();
  } else if (verb == "headings") {
    Arity(args, 0);
    const GridSource& grid = *w.Feeders.Source();
    for (int c = 0; c < grid.ColumnCount(); ++c)
      out_ << "heading[" << c + 1 << "]=" << QuoteText(grid.Heading(c)) << " tooltip=" << QuoteText(grid.HeadingTip(c))
           << "\n";
  } else if (verb == "rowheader") {
    Arity(args, 1);
    const int row = RowArg(args[2]);
    const GridSource& grid = *w.Feeders.Source();
    out_ << "rowheader[" << row + 1 << "] forecolor=" << grid.RowHeaderColour(row)
         << " tooltip=" << QuoteText(grid.RowHeaderTip(row)) << "\n";
  } else if (verb == "legend") {
    Arity(args, 0);
    const SchedulePrintout printout = BuildSchedulePrintout(w.model, "", services_.NowText());
    out_ << "legend mark=" << QuoteText(printout.markMeaning) << "\n";
    for (const std::string& line : printout.legend) out_ << "legend " << QuoteText(line) << "\n";
  } else if (verb == "choices") {
    Arity(args, 2);
    const int row = RowArg(args[2]), column = ColumnArg(args[3]);
    out_ << "schedule[" << row + 1 << "]." << w.model.Heading(static_cast<std::size_t>(column))
         << ".choices=" << ListText(w.model.Choices(static_cast<std::size_t>(row), static_cast<std::size_t>(column)))
         << "\n";
  } else if (verb == "diagram") {
    Arity(args, 0);
    PrintDiagram();
  } else if (verb == "box") {
    Arity(args, 1);
    const int boxes = static_cast<int>(w.tree.Boxes.Drawing().boxes.size());
    actions_.ClickBox(w.tree.Boxes, OneBased(args[2], boxes, "box", "boxes"));
  } else if (verb == "close") {
    Arity(args, 0);
    actions_.CloseWindow(w);
  } else {
    Fail("unknown command " + verb);
  }
}

// The headings, then each row, of the named columns or of all.
void ScheduleCommands::PrintTable(const std::vector<std::string>& names) {
  std::vector<int> columns;
  for (const std::string& name : names) columns.push_back(ColumnArg(name));
  const Grid& grid = window_.Feeders;
  out_ << "schedule[0]=" << ListText(GridHeadings(grid, columns)) << "\n";
  for (int r = 0; r < grid.Source()->RowCount(); ++r)
    out_ << "schedule[" << r + 1 << "]=" << ListText(GridRow(grid, r, columns)) << "\n";
}

// The named columns' names and texts as an export writes them, at full
// precision.
void ScheduleCommands::PrintValues(const std::vector<std::string>& names) {
  const ScheduleModel& model = window_.model;
  std::vector<std::string> headings;
  for (const std::string& name : names) headings.push_back(model.HeadingTip(static_cast<std::size_t>(ColumnArg(name))));
  out_ << "values[0]=" << ListText(headings) << "\n";
  for (std::size_t r = 0; r < model.RowCount(); ++r) {
    std::vector<std::string> cells;
    for (const std::string& name : names) cells.push_back(model.FileCell(r, static_cast<std::size_t>(ColumnArg(name))));
    out_ << "values[" << r + 1 << "]=" << ListText(cells) << "\n";
  }
}

// The tree window's diagram: each box with the row it selects, its place,
// its texts and their colours; each line with the boxes it joins.
void ScheduleCommands::PrintDiagram() {
  const Diagram& diagram = window_.tree.Boxes;
  const DiagramDrawing& d = diagram.Drawing();
  out_ << "diagram width=" << d.width << " height=" << d.height << " marked=" << diagram.Marked() + 1 << "\n";
  for (std::size_t b = 0; b < d.boxes.size(); ++b) {
    const DiagramBox& box = d.boxes[b];
    std::vector<std::string> texts, colours;
    for (const DiagramText& line : box.lines) {
      texts.push_back(line.text);
      colours.push_back(std::to_string(line.colour));
    }
    out_ << "box[" << b + 1 << "] row=" << window_.tree.RowOf(static_cast<int>(b)) + 1 << " at=" << box.place.left
         << "," << box.place.top << " border=" << box.border << " texts=" << ListText(texts)
         << " colours=" << ListText(colours) << "\n";
  }
  for (std::size_t l = 0; l < d.links.size(); ++l)
    out_ << "link[" << l + 1 << "] from=" << d.links[l].from + 1 << " to=" << d.links[l].to + 1
         << (d.links[l].transformer ? " transformer" : "") << "\n";
}

void ScheduleCommands::PrintCell(int row, int column) {
  const GridSource& grid = *window_.Feeders.Source();
  out_ << "schedule[" << row + 1 << "]." << grid.Heading(column) << "=" << QuoteText(grid.Cell(row, column))
       << " forecolor=" << grid.CellColour(row, column) << " tooltip=" << QuoteText(grid.CellTip(row, column))
       << "\n";
}

}  // namespace quillet
