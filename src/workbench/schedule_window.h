// The feeder schedule window at work: the table shows the schedule model,
// the buttons edit it, read and write its file, and trade feeders with the
// main window through the user actions a person would use.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "forms/schedule_form.h"
#include "workbench/schedule_model.h"
#include "workbench/schedule_printout.h"
#include "workbench/tree_window.h"

namespace quillet {

class FinderWindow;
class Program;
class TitleBlockWindow;
struct TitleBlock;
class ToolPreferences;

enum class FileQuestion { Import, Export };

class ScheduleWindow : public ScheduleForm, private GridSource {
 public:
  // Joins the program's Tools menu as "Feeder schedule…" and "Add this
  // feeder to the schedule". The finder says how a feeder it sized was
  // meant; the title block goes on every printed page.
  ScheduleWindow(Program& program, ToolPreferences& preferences, TitleBlockWindow& titleBlock,
                 const FinderWindow& finder);

  // Shows the window, or brings it forward.
  void Open();
  // The main window's inputs as a new row.
  void AddCurrentFeeder();
  // The block's cells as tab-separated rows, as a spreadsheet copies them.
  std::string Copy(int firstRow, int firstColumn, int lastRow, int lastColumn) const;
  // Evaluates the rows still waiting, one slice per tick of `Evaluation`.
  void EvaluateWaiting();
  // Rows a tick evaluates: a few milliseconds of work, so the window answers
  // between slices however long the file.
  static constexpr std::size_t kRowsPerTick = 256;

  // Asks the user for a file; "" when they cancel. Set by the view or the driver.
  std::function<std::string(FileQuestion, const std::string& suggested)> askFileName;

  ScheduleModel model;
  // Where the printed and PDF schedule goes; set by the view or the driver.
  SchedulePrinter* printer = nullptr;
  // The rows as a one-line diagram, beside this window.
  TreeWindow tree;

 private:
  int RowCount() const override;
  int ColumnCount() const override;
  std::string Heading(int column) const override;
  std::string HeadingTip(int column) const override;
  std::string Cell(int row, int column) const override;
  Colour CellColour(int row, int column) const override;
  std::string CellTip(int row, int column) const override;
  Colour RowHeaderColour(int row) const override;
  std::string RowHeaderTip(int row) const override;
  bool Editable(int column) const override;
  std::vector<std::string> Choices(int row, int column) const override;

  void AttachButtons();
  void EditCell(int row, int column, const std::string& text);
  // Pastes tab-separated rows of cells with their top left at the cell.
  void Paste(int row, int column, const std::string& text);
  void UndoLast();
  // The window shows the model again; the tree too unless told otherwise.
  void Changed(bool drawTree = true);
  void ShowTitle();
  void ShowProgress();
  void ShowRowNote();
  void ShowView(ColumnView view);
  // Asks for the title block, then hands the printout to `send`.
  void SendPrintout(const char* purpose, void (*send)(SchedulePrinter&, const SchedulePrintout&));
  void ImportFile();
  bool ExportFile();
  bool MayLetChangesGo();
  bool SaveOrDiscard();
  void OpenInCalculator();
  SchedulePrintout Printout(const TitleBlock& titleBlock);
  // The form the list of print forms names.
  PrintedForm Printed() const;
  void Say(const std::string& message);
  void Note(const std::string& message);
  std::size_t CurrentRow() const;
  void SelectRow(std::size_t row);

  Program& program_;
  ToolPreferences& preferences_;
  TitleBlockWindow& titleBlock_;
  const FinderWindow& finder_;
};

}  // namespace quillet
