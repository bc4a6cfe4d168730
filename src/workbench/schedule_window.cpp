#include "workbench/schedule_window.h"

#include "app/program.h"
#include "core/numbers.h"
#include "platform/desktop.h"
#include "platform/native_text.h"
#include "platform/services.h"
#include "schedule/feeder_engine.h"
#include "schedule/schedule.h"
#include "schedule/window_feeder.h"

namespace quillet {
namespace {

// Rows a tick evaluates: a few milliseconds of work, so the window answers
// between slices however long the file.
constexpr std::size_t kRowsPerTick = 64;
constexpr std::size_t kListedErrorLines = 10;

std::vector<std::string> SplitOn(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::string Joined(const std::vector<std::string>& lines, const char* separator) {
  std::string joined;
  for (const std::string& line : lines) joined += (joined.empty() ? "" : separator) + line;
  return joined;
}

}  // namespace

ScheduleWindow::ScheduleWindow(Program& program)
    : ScheduleForm(program.desktop),
      tree(program.desktop, model, [this](std::size_t row) { SelectRow(row); }),
      program_(program) {
  Feeders.SetSource(this);
  Feeders.Change = [this] { tree.MarkRow(Feeders.CurrentRow()); };
  Feeders.CellEdited = [this](int row, int column, const std::string& text) { EditCell(row, column, text); };
  Feeders.UndoRequested = [this] { UndoLast(); };
  Feeders.BlockPasted = [this](int row, int column, const std::string& text) { Paste(row, column, text); };
  Evaluation.Tick = [this] { EvaluateWaiting(); };
  QueryUnload = [this] { return SaveOrDiscard(); };
  Unload = [this] { tree.Close(); };
  AttachButtons();
  ShowTitle();
  program.AddTool({"Feeder schedule…", "Ctrl+E", this, [this] { Open(); }});
  program.AddTool({"Add this feeder to the schedule", "Ctrl+D", this, [this] { AddCurrentFeeder(); }});
  program.AddToolWindow(tree);
}

void ScheduleWindow::AttachButtons() {
  AddRow.Click = [this] {
    model.AddRow();
    Feeders.SetCurrent(static_cast<int>(model.RowCount()) - 1, 0);
    Changed();
  };
  Duplicate.Click = [this] {
    if (model.RowCount() == 0) return;
    model.DuplicateRow(CurrentRow());
    Feeders.SetCurrent(static_cast<int>(CurrentRow()) + 1, std::max(Feeders.CurrentColumn(), 0));
    Changed();
  };
  DeleteRow.Click = [this] {
    if (model.RowCount() == 0) return;
    model.DeleteRow(CurrentRow());
    if (Feeders.CurrentRow() >= static_cast<int>(model.RowCount()))
      Feeders.SetCurrent(static_cast<int>(model.RowCount()) - 1, Feeders.CurrentColumn());
    Changed();
  };
  AddFeeder.Click = [this] { AddCurrentFeeder(); };
  OpenInCalc.Click = [this] { OpenInCalculator(); };
  Import.Click = [this] { ImportFile(); };
  Print.Click = [this] {
    if (printer) printer->Print(Printout());
  };
  SavePdf.Click = [this] {
    if (!printer) return;
    const SchedulePrintout printout = Printout();
    printer->SavePdf(printout, SchedulePdfName(printout));
  };
  Export.Click = [this] { ExportFile(); };
  ShowTree.Click = [this] { tree.Open(*this, Feeders.CurrentRow()); };
  NewLimit.GotFocus = [this] { NewLimit.SelectAll(); };
  NewLimit.Change = [this] {
    const std::string& text = NewLimit.Text();
    if (IsNumberText(text) && NumberValue(text) > 0) model.newRowDefaults.maxVdPercent = NumberValue(text);
  };
  NewContinuous.Click = [this] { model.newRowDefaults.continuous = NewContinuous.Value() != 0; };
}

void ScheduleWindow::Open() {
  Show();
  Changed();
}

void ScheduleWindow::SelectRow(std::size_t row) {
  Feeders.SetCurrent(static_cast<int>(row), std::max(Feeders.CurrentColumn(), 0));
}

std::size_t ScheduleWindow::CurrentRow() const {
  const int row = Feeders.CurrentRow();
  return row < 0 ? 0 : static_cast<std::size_t>(row);
}

void ScheduleWindow::EditCell(int row, int column, const std::string& text) {
  if (row < 0 || column < 0) return;
  model.SetCell(static_cast<std::size_t>(row), static_cast<std::size_t>(column), text);
  // One row is quick: its results follow the edit at once.
  model.EvaluateRow(static_cast<std::size_t>(row));
  Changed();
}

void ScheduleWindow::Paste(int row, int column, const std::string& text) {
  if (row < 0 || column < 0) return;
  std::string block = text;
  while (!block.empty() && (block.back() == '\n' || block.back() == '\r')) block.pop_back();
  std::vector<std::vector<std::string>> cells;
  for (std::string line : SplitOn(block, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    cells.push_back(SplitOn(line, '\t'));
  }
  model.PasteBlock(static_cast<std::size_t>(row), static_cast<std::size_t>(column), cells);
  Changed();
}

std::string ScheduleWindow::Copy(int firstRow, int firstColumn, int lastRow, int lastColumn) const {
  std::string text;
  for (int r = firstRow; r <= lastRow; ++r) {
    for (int c = firstColumn; c <= lastColumn; ++c)
      text += (c > firstColumn ? "\t" : "") + Cell(r, c);
    text += "\r\n";
  }
  return text;
}

void ScheduleWindow::AddCurrentFeeder() {
  const std::size_t row = model.AddFeeder(FeederFromWindow(program_.main));
  model.EvaluateRow(row);
  Open();
  Feeders.SetCurrent(static_cast<int>(row), 0);
}

// The row's feeder goes into the main window with the size the row used, so
// the window shows what the row shows.
void ScheduleWindow::OpenInCalculator() {
  if (model.RowCount() == 0) return;
  const std::size_t row = CurrentRow();
  model.EvaluateRow(row);
  const auto feeder = model.FeederOf(row);
  if (!feeder) {
    Say("This row has an error and cannot be opened: " + model.RowError(row));
    return;
  }
  program_.main.Show();
  // Entered once this handler has returned, so the main window's ticks run.
  Screen().Post([this, inputs = feeder->inputs, area = feeder->area] {
    if (const auto refused = EnterFeederInWindow(program_.main, program_.actions, inputs, area))
      Say("The calculator refused this row: " + refused->reason);
  });
}

// Every row evaluated first: paper shows no row waiting.
SchedulePrintout ScheduleWindow::Printout() {
  model.EvaluateAll();
  Changed();
  const std::string job = model.FileName().empty() ? kNewScheduleName : FileNameOf(model.FileName());
  SchedulePrintout printout = BuildSchedulePrintout(model, job, Screen().Os().NowText());
  if (PrintTree.Value() && model.HasTree()) printout.diagram = DrawTree(model).drawing;
  return printout;
}

void ScheduleWindow::UndoLast() {
  if (model.Undo()) Changed();
}

// The tree is drawn again once the last slice is done: drawing thousands of
// boxes at every tick would slow the evaluation down by a third.
void ScheduleWindow::EvaluateWaiting() {
  model.EvaluateSome(kRowsPerTick);
  Changed(model.PendingCount() == 0);
}

void ScheduleWindow::Changed(bool drawTree) {
  Evaluation.SetEnabled(model.PendingCount() > 0);
  Feeders.Refresh();
  if (drawTree) tree.Redraw(Feeders.CurrentRow());
  ShowTitle();
  ShowProgress();
}

void ScheduleWindow::ShowTitle() {
  std::string title = kScheduleTitle;
  if (!model.FileName().empty()) title += " - " + FileNameOf(model.FileName());
  if (model.Dirty()) title += " *";
  SetCaption(title);
}

void ScheduleWindow::ShowProgress() {
  const std::size_t rows = model.RowCount(), waiting = model.PendingCount();
  if (waiting > 0) {
    Progress.SetCaption("Evaluating: " + std::to_string(rows - waiting) + " of " + std::to_string(rows) + " rows");
    return;
  }
  ScheduleSummary summary;
  summary.rows = static_cast<long>(rows);
  for (std::size_t r = 0; r < rows; ++r) {
    if (!model.HasError(r)) continue;
    ++summary.errors;
    if (summary.errorLines.size() < kListedErrorLines) summary.errorLines.push_back(model.Line(r));
  }
  Progress.SetCaption(rows == 0 ? "" : summary.Text());
}

void ScheduleWindow::Say(const std::string& message) {
  Screen().MessageBox(message, kStyleExclamation, kScheduleTitle);
}

void ScheduleWindow::Note(const std::string& message) {
  Screen().MessageBox(message, kStyleInformation, kScheduleTitle);
}

void ScheduleWindow::ImportFile() {
  if (!SaveOrDiscard() || !askFileName) return;
  const std::string path = askFileName(FileQuestion::Import, model.FileName());
  if (path.empty()) return;
  const ScheduleDefaults defaults = model.newRowDefaults;
  if (const std::string error = model.Import(path); !error.empty()) Say(error);
  else if (!model.Notes().empty()) Note(FileNameOf(path) + ":\n" + Joined(model.Notes(), "\n"));
  model.newRowDefaults = defaults;
  Feeders.SetCurrent(model.RowCount() > 0 ? 0 : -1, 0);
  Changed();
}

bool ScheduleWindow::ExportFile() {
  if (!askFileName) return false;
  std::string suggested = model.FileName();
  if (suggested.empty()) suggested = "feeders.csv";
  const std::string path = askFileName(FileQuestion::Export, suggested);
  if (path.empty()) return false;
  const std::string error = model.Export(path);
  if (!error.empty()) Say(error);
  Changed();
  return error.empty();
}

// Before unsaved rows would be lost: save them, let them go, or stay.
bool ScheduleWindow::SaveOrDiscard() {
  if (!model.Dirty()) return true;
  const std::string name = model.FileName().empty() ? "the new schedule" : FileNameOf(model.FileName());
  const int answer =
      Screen().MessageBox("Save the changes to " + name + "?", kStyleYesNoCancelExclamation, kScheduleTitle);
  if (answer == kAnswerYes) return ExportFile();
  if (answer != kAnswerNo) return false;
  const ScheduleDefaults defaults = model.newRowDefaults;
  model = ScheduleModel();
  model.newRowDefaults = defaults;
  Feeders.SetCurrent(-1, -1);
  Changed();
  return true;
}

int ScheduleWindow::RowCount() const { return static_cast<int>(model.RowCount()); }
int ScheduleWindow::ColumnCount() const { return static_cast<int>(model.ColumnCount()); }
std::string ScheduleWindow::Heading(int column) const { return model.Heading(static_cast<std::size_t>(column)); }
std::string ScheduleWindow::Cell(int row, int column) const {
  return model.Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}
bool ScheduleWindow::Editable(int column) const { return model.Editable(static_cast<std::size_t>(column)); }

Colour ScheduleWindow::CellColour(int row, int column) const {
  return ToneColour(model.Tone(static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
}

std::string ScheduleWindow::CellTip(int row, int) const { return model.RowError(static_cast<std::size_t>(row)); }

std::vector<std::string> ScheduleWindow::Choices(int row, int column) const {
  return model.Choices(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

}  // namespace quillet
