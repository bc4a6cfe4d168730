#include "workbench/schedule_window.h"

#include "app/program.h"
#include "core/numbers.h"
#include "platform/desktop.h"
#include "platform/native_text.h"
#include "platform/services.h"
#include "schedule/csv.h"
#include "schedule/feeder_engine.h"
#include "schedule/schedule.h"
#include "schedule/window_feeder.h"
#include "workbench/finder_window.h"
#include "workbench/title_block_window.h"
#include "workbench/tool_preferences.h"

namespace quillet {
namespace {

constexpr std::size_t kListedErrorRows = 10;
// The column order, kept between runs.
constexpr char kViewKey[] = "schedule.view";
constexpr char kResultsFirstView[] = "results first";
constexpr char kFileView[] = "file";

std::string Joined(const std::vector<std::string>& lines, const char* separator) {
  std::string joined;
  for (const std::string& line : lines) joined += (joined.empty() ? "" : separator) + line;
  return joined;
}

}  // namespace

ScheduleWindow::ScheduleWindow(Program& program, ToolPreferences& preferences, TitleBlockWindow& titleBlock,
                               const FinderWindow& finder)
    : ScheduleForm(program.desktop),
      tree(program.desktop, model, [this](std::size_t row) { SelectRow(row); }),
      program_(program),
      preferences_(preferences),
      titleBlock_(titleBlock),
      finder_(finder) {
  Feeders.SetSource(this);
  Feeders.Change = [this] {
    tree.MarkRow(Feeders.CurrentRow());
    ShowRowNote();
  };
  Feeders.CellEdited = [this](int row, int column, const std::string& text) { EditCell(row, column, text); };
  Feeders.UndoRequested = [this] { UndoLast(); };
  Feeders.BlockPasted = [this](int row, int column, const std::string& text) { Paste(row, column, text); };
  Evaluation.Tick = [this] { EvaluateWaiting(); };
  QueryUnload = [this] { return SaveOrDiscard(); };
  Unload = [this] { tree.Close(); };
  AttachButtons();
  RowNote.SetForeColor(kRed);
  ShowView(preferences.Get(kViewKey) == kResultsFirstView ? ColumnView::ResultsFirst : ColumnView::File);
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
    SendPrintout("Print schedule", [](SchedulePrinter& to, const SchedulePrintout& p) { to.Print(p); });
  };
  SavePdf.Click = [this] {
    SendPrintout("Save schedule as PDF",
                 [](SchedulePrinter& to, const SchedulePrintout& p) { to.SavePdf(p, SchedulePdfName(p)); });
  };
  Export.Click = [this] { ExportFile(); };
  ShowTree.Click = [this] { tree.Open(*this, Feeders.CurrentRow()); };
  for (const PrintedFormName& form : kPrintedForms) PrintForm.AddItem(form.name);
  PrintForm.SetListIndex(0);
  // The drawing carries no tree diagram.
  PrintForm.Click = [this] { PrintTree.SetEnabled(Printed() == PrintedForm::FullTable); };
  NewLimit.GotFocus = [this] { NewLimit.SelectAll(); };
  NewLimit.Change = [this] {
    const std::string& text = NewLimit.Text();
    if (IsNumberText(text) && NumberValue(text) > 0) model.newRowDefaults.maxVdPercent = NumberValue(text);
  };
  NewContinuous.Click = [this] { model.newRowDefaults.continuous = NewContinuous.Value() != 0; };
  ResultsFirst.Click = [this] {
    const bool first = ResultsFirst.Value() != 0;
    ShowView(first ? ColumnView::ResultsFirst : ColumnView::File);
    preferences_.Set({{kViewKey, first ? kResultsFirstView : kFileView}});
  };
}

// The current cell stays on its column when the columns move.
void ScheduleWindow::ShowView(ColumnView view) {
  const int column = Feeders.CurrentColumn();
  const std::optional<ScheduleColumn> current =
      column >= 0 ? std::optional(model.ColumnAt(static_cast<std::size_t>(column))) : std::nullopt;
  model.SetView(view);
  ResultsFirst.SetValue(view == ColumnView::ResultsFirst ? 1 : 0);
  if (current)
    for (std::size_t c = 0; c < model.ColumnCount(); ++c)
      if (model.ColumnAt(c) == *current) Feeders.SetCurrent(Feeders.CurrentRow(), static_cast<int>(c));
  Changed();
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

// An empty clipboard reads as no rows and changes nothing.
void ScheduleWindow::Paste(int row, int column, const std::string& text) {
  if (row < 0 || column < 0) return;
  const auto cells = ReadCopiedBlock(text);
  if (cells.empty()) return;
  model.PasteBlock(static_cast<std::size_t>(row), static_cast<std::size_t>(column), cells);
  Changed();
}

std::string ScheduleWindow::Copy(int firstRow, int firstColumn, int lastRow, int lastColumn) const {
  std::string text;
  for (int r = firstRow; r <= lastRow; ++r) {
    std::vector<std::string> cells;
    for (int c = firstColumn; c <= lastColumn; ++c) cells.push_back(Cell(r, c));
    text += CsvLine(cells, '\t', "\r\n");
  }
  return text;
}

// A feeder the finder sized keeps the limit and duty it was sized with
// (a motor's 125 % is the motor's, not a duty), and its DC and nonlinear
// choices.
void ScheduleWindow::AddCurrentFeeder() {
  FeederInputs feeder = FeederFromWindow(program_.main);
  ScheduleDefaults intent = model.newRowDefaults;
  if (const auto sized = finder_.SizedAs(feeder)) {
    intent.maxVdPercent = sized->maxVdPercent;
    if (sized->load != LoadKind::Motor) intent.continuous = sized->continuous;
    feeder.dc = sized->dc;
    feeder.nonlinear = sized->nonlinear;
  }
  const std::size_t row = model.AddFeeder(feeder, intent);
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
  // Entered once this handler has returned, so the main window's ticks run;
  // then the main window comes forward with the row's numbers.
  Screen().Post([this, inputs = feeder->inputs, area = feeder->area] {
    if (const auto refused = EnterFeederInWindow(program_.main, program_.actions, inputs, area))
      Say("The calculator refused this row: " + refused->reason);
    program_.main.Show();
  });
}

void ScheduleWindow::SendPrintout(const char* purpose, void (*send)(SchedulePrinter&, const SchedulePrintout&)) {
  if (!printer) return;
  titleBlock_.Ask(purpose, *this, [this, send](const TitleBlock& title) {
    if (!printer) return;
    // The printer's dialogs hold the desktop busy as a message box does.
    const Desktop::Guard busy(Screen());
    send(*printer, Printout(title));
  });
}

// Every row evaluated first: paper shows no row waiting.
SchedulePrintout ScheduleWindow::Printout(const TitleBlock& titleBlock) {
  model.EvaluateAll();
  Changed();
  const std::string job = model.FileName().empty() ? kNewScheduleName : FileNameOf(model.FileName());
  const bool drawing = Printed() == PrintedForm::Drawing;
  SchedulePrintout printout = (drawing ? BuildDrawingPrintout : BuildSchedulePrintout)(model, job, Screen().Os().NowText());
  printout.titleBlock = titleBlock;
  if (!drawing && PrintTree.Value() && model.HasTree()) printout.diagram = DrawTree(model).drawing;
  return printout;
}

PrintedForm ScheduleWindow::Printed() const {
  const int chosen = PrintForm.ListIndex();
  return chosen >= 0 && chosen < static_cast<int>(std::size(kPrintedForms)) ? kPrintedForms[chosen].form
                                                                            : PrintedForm::FullTable;
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
  ShowRowNote();
}

void ScheduleWindow::ShowTitle() {
  std::string title = kScheduleTitle;
  if (!model.FileName().empty()) title += " - " + FileNameOf(model.FileName());
  if (model.Dirty()) title += " *";
  SetCaption(title);
}

// Rows are counted as the row headers number them.
void ScheduleWindow::ShowProgress() {
  const std::size_t rows = model.RowCount(), waiting = model.PendingCount();
  EvaluationBar.SetProgress(static_cast<int>(rows - waiting), static_cast<int>(rows));
  EvaluationBar.SetVisible(waiting > 0);
  if (waiting > 0) {
    Progress.SetCaption("Evaluating: " + std::to_string(rows - waiting) + " of " + std::to_string(rows) + " rows");
    return;
  }
  ScheduleSummary summary;
  summary.rows = static_cast<long>(rows);
  summary.placedBy = "row";
  for (std::size_t r = 0; r < rows; ++r) {
    if (!model.HasError(r)) continue;
    ++summary.errors;
    if (summary.errorLines.size() < kListedErrorRows) summary.errorLines.push_back(static_cast<int>(r) + 1);
  }
  Progress.SetCaption(rows == 0 ? "" : summary.Text());
}

void ScheduleWindow::ShowRowNote() {
  const int row = Feeders.CurrentRow();
  const std::string note = row >= 0 ? model.RowNote(static_cast<std::size_t>(row)) : "";
  RowNote.SetCaption(note.empty() ? "" : "Row " + std::to_string(row + 1) + ": " + note);
}

void ScheduleWindow::Say(const std::string& message) {
  Screen().MessageBox(message, kStyleExclamation, kScheduleTitle);
}

void ScheduleWindow::Note(const std::string& message) {
  Screen().MessageBox(message, kStyleInformation, kScheduleTitle);
}

// A file that cannot be read, or a dialog cancelled, leaves the table as
// it was, changes and all: they are only gone once the new file is in.
void ScheduleWindow::ImportFile() {
  if (!MayLetChangesGo() || !askFileName) return;
  const std::string path = askFileName(FileQuestion::Import, model.FileName());
  if (path.empty()) return;
  const ScheduleDefaults defaults = model.newRowDefaults;
  if (const std::string error = model.Import(path); !error.empty()) return Say(error);
  if (!model.Notes().empty()) Note(FileNameOf(path) + ":\n" + Joined(model.Notes(), "\n"));
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

// Whether unsaved changes may go: saved, or the user chose not to keep
// them. The table itself stays until something takes its place.
bool ScheduleWindow::MayLetChangesGo() {
  if (!model.Dirty()) return true;
  const std::string name = model.FileName().empty() ? "the new schedule" : FileNameOf(model.FileName());
  const int answer =
      Screen().MessageBox("Save the changes to " + name + "?", kStyleYesNoCancelExclamation, kScheduleTitle);
  if (answer == kAnswerYes) return ExportFile();
  return answer == kAnswerNo;
}

// Closing drops the changes the user chose not to keep with the table.
bool ScheduleWindow::SaveOrDiscard() {
  if (!MayLetChangesGo()) return false;
  if (!model.Dirty()) return true;
  const ScheduleDefaults defaults = model.newRowDefaults;
  const ColumnView view = model.View();
  model = ScheduleModel();
  model.newRowDefaults = defaults;
  model.SetView(view);
  Feeders.SetCurrent(-1, -1);
  Changed();
  return true;
}

int ScheduleWindow::RowCount() const { return static_cast<int>(model.RowCount()); }
int ScheduleWindow::ColumnCount() const { return static_cast<int>(model.ColumnCount()); }
std::string ScheduleWindow::Heading(int column) const { return model.Heading(static_cast<std::size_t>(column)); }
std::string ScheduleWindow::HeadingTip(int column) const {
  return model.HeadingTip(static_cast<std::size_t>(column));
}
std::string ScheduleWindow::Cell(int row, int column) const {
  return model.Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}
bool ScheduleWindow::Editable(int column) const { return model.Editable(static_cast<std::size_t>(column)); }

Colour ScheduleWindow::CellColour(int row, int column) const {
  return ToneColour(model.Tone(static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
}

std::string ScheduleWindow::CellTip(int row, int) const { return model.RowNote(static_cast<std::size_t>(row)); }

Colour ScheduleWindow::RowHeaderColour(int row) const {
  return model.HasError(static_cast<std::size_t>(row)) ? kRed : kWindowText;
}

std::string ScheduleWindow::RowHeaderTip(int row) const { return model.RowNote(static_cast<std::size_t>(row)); }

std::vector<std::string> ScheduleWindow::Choices(int row, int column) const {
  return model.Choices(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

}  // namespace quillet
