// The schedule model's edits: lines as the written file will have them,
// blocks pasted, the last edits undone, a failed import changing nothing,
// every choice of a list taken.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fresh_folder.h"
#include "workbench/schedule_model.h"
#include "workbench/schedule_workbook.h"

namespace quillet {
namespace {

std::size_t Col(const ScheduleModel& m, const char* name) { return *m.ColumnNamed(name); }

ScheduleModel WithRows(int rows) {
  ScheduleModel m;
  for (int i = 0; i < rows; ++i) {
    const std::size_t r = m.AddRow();
    m.SetCell(r, Col(m, "tag"), "F" + std::to_string(i + 1));
    m.SetCell(r, Col(m, "voltage"), "208");
    m.SetCell(r, Col(m, "current"), "10");
    m.SetCell(r, Col(m, "length"), "30");
  }
  m.EvaluateAll();
  return m;
}

TEST(ScheduleModel, ErrorsNameTheLineTheRowHasInTheWrittenFile) {
  ScheduleModel m = WithRows(3);
  m.SetCell(2, Col(m, "length"), "x");
  m.EvaluateAll();
  EXPECT_EQ(m.RowError(2), "line 4, length x: not a plain number (a one-way length above 0)");
  // A line break inside a cell pushes the later rows down a line.
  m.SetCell(0, Col(m, "tag"), "two\nlines");
  m.EvaluateAll();
  EXPECT_EQ(m.RowError(2), "line 5, length x: not a plain number (a one-way length above 0)");
  m.DeleteRow(0);
  m.EvaluateAll();
  EXPECT_EQ(m.RowError(1), "line 3, length x: not a plain number (a one-way length above 0)");
}

TEST(ScheduleModel, PastesABlockAddingRowsAndDroppingWhatFallsOutsideTheInputs) {
  ScheduleModel m = WithRows(1);
  const std::size_t lastInput = m.InputColumnCount() - 1, last = m.ColumnCount() - 1;
  m.PasteBlock(0, lastInput, {{"", "spill"}, {""}});
  EXPECT_EQ(m.RowCount(), 2u);
  m.PasteBlock(0, Col(m, "continuous"), {{"yes"}, {"no"}});
  EXPECT_EQ(m.Cell(0, Col(m, "continuous")), "yes");
  EXPECT_EQ(m.Cell(1, Col(m, "continuous")), "no");
  EXPECT_EQ(m.Cell(0, lastInput + 1), "");  // a result cell is never pasted over
  EXPECT_EQ(m.Cell(0, last), "");
  m.EvaluateAll();
  EXPECT_EQ(m.Cell(0, Col(m, "sized_by")), "ampacity");
}

TEST(ScheduleModel, UndoTakesBackTheLastEditsInTurn) {
  ScheduleModel m = WithRows(2);
  m.SetCell(0, Col(m, "current"), "50");
  m.DeleteRow(1);
  ASSERT_TRUE(m.Undo());
  EXPECT_EQ(m.RowCount(), 2u);
  ASSERT_TRUE(m.Undo());
  EXPECT_EQ(m.Cell(0, Col(m, "current")), "10");
  m.EvaluateAll();
  EXPECT_EQ(m.Cell(0, Col(m, "current_a")), "10.00");
}

TEST(ScheduleModel, AFailedImportLeavesTheScheduleAsItWas) {
  const FreshFolder folder;
  const struct {
    const char* name;
    const char* content;
    const char* message;
  } bad[] = {
      {"nolength.csv", "voltage,current\n480,10\n",
       "nolength.csv: line 1: no column length; the first line names the columns (voltage, current, power or "
       "motor_hp, length, ...)"},
      {"twice.csv", "voltage,length,current,Voltage\n", "twice.csv: line 1: the column voltage appears twice"},
      {"empty.csv", "", nullptr},
      {"sheet.XLSX", "tag,voltage,current,length\nA,208,10,30\n",
       "sheet.XLSX: this is a spreadsheet workbook (.xlsx), not CSV: save it as CSV from the spreadsheet program "
       "first"},
      {"renamed.csv", "PK\x03\x04\x14\x06[Content_Types].xml",
       "renamed.csv: this is a spreadsheet workbook (.xlsx), not CSV: save it as CSV from the spreadsheet program "
       "first"},
  };
  ScheduleModel m = WithRows(2);
  for (const auto& file : bad) {
    SCOPED_TRACE(file.name);
    std::ofstream((folder / file.name).string(), std::ios::binary) << file.content;
    const std::string message = m.Import((folder / file.name).string());
    if (file.message) EXPECT_EQ(message, file.message);
    else EXPECT_FALSE(message.empty());
    EXPECT_EQ(m.RowCount(), 2u);
    EXPECT_TRUE(m.Dirty());
  }
  EXPECT_EQ(m.Import((folder / "missing.csv").string()), "Cannot read missing.csv.");
}

TEST(ScheduleModel, AFailedExportSaysWhyAndKeepsTheUnsavedMark) {
  ScheduleModel m = WithRows(1);
  const FreshFolder folder;
  EXPECT_TRUE(m.Export((folder / "missing" / "taken.csv").string()).starts_with("Cannot write taken.csv: "));
  EXPECT_TRUE(m.Dirty());
}

// A workbook is no file the schedule reads back: its name and unsaved mark
// stay. A build without the writer says so and writes nothing.
TEST(ScheduleModel, AWorkbookIsWrittenWhereTheBuildHasTheWriterAndRefusedElse) {
  const FreshFolder folder;
  ScheduleModel m = WithRows(2);
  const std::filesystem::path workbook = folder / "schedule.xlsx";
  const std::string message = m.Export(workbook.string());
  if (WritesWorkbooks()) {
    EXPECT_EQ(message, "");
    std::ifstream written(workbook, std::ios::binary);
    std::string signature(4, '\0');
    written.read(signature.data(), 4);
    EXPECT_EQ(signature, "PK\x03\x04");
  } else {
    EXPECT_EQ(message,
              "Cannot write schedule.xlsx: this build of the program writes no spreadsheet workbooks (.xlsx); export "
              "the schedule as CSV.");
    EXPECT_FALSE(std::filesystem::exists(workbook));
  }
  EXPECT_EQ(m.FileName(), "");
  EXPECT_TRUE(m.Dirty());
  // Nothing left beside it: no part file, no scratch.
  const auto left =
      std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator());
  EXPECT_EQ(left, WritesWorkbooks() ? 1 : 0);
}

TEST(ScheduleModel, AnExportedScheduleReadsBackAsItWas) {
  const FreshFolder folder;
  ScheduleModel m = WithRows(2);
  m.SetCell(1, Col(m, "length"), "x");
  const std::string first = (folder / "first.csv").string(), second = (folder / "second.csv").string();
  ASSERT_EQ(m.Export(first), "");
  ScheduleModel back;
  ASSERT_EQ(back.Import(first), "");
  EXPECT_EQ(back.InputColumnCount(), m.InputColumnCount());
  back.EvaluateAll();
  EXPECT_EQ(back.OutputText(), m.OutputText());
}

TEST(ScheduleModel, ARowItWritesReadsBackInTheFilesMarkAndHeadingUnits) {
  const auto folder = std::filesystem::temp_directory_path() / "quillet-schedule-model-mark";
  std::filesystem::create_directories(folder);
  const std::string file = (folder / "whole.csv").string();
  std::ofstream(file, std::ios::binary) << "tag;voltage;current;length;PF (%)\nA;480;10;30;90\n";
  ScheduleModel m;
  ASSERT_EQ(m.Import(file), "");
  std::filesystem::remove_all(folder);
  FeederInputs feeder;
  feeder.length = "1.125";
  feeder.pfOption = 3;
  const std::size_t row = m.AddFeeder(feeder, m.newRowDefaults);
  m.EvaluateAll();
  EXPECT_EQ(m.RowError(row), "");
  EXPECT_EQ(m.Cell(row, Col(m, "length")), "1,1250");  // 1,125 would read either way
  EXPECT_EQ(m.Cell(row, Col(m, "PF (%)")), "90");
  EXPECT_NE(m.Cell(0, Col(m, "vd_pct")).find(','), std::string::npos);
  // A decimal point typed above it makes the point the file's mark.
  m.SetCell(0, Col(m, "length"), "30.5");
  m.EvaluateAll();
  EXPECT_NE(m.Cell(0, Col(m, "vd_pct")).find('.'), std::string::npos);
  EXPECT_EQ(m.RowError(row), "line 3, length 1,1250: this file writes decimals with a point; write 1.1250");
}

TEST(ScheduleModel, EveryChoiceAListOffersIsARowsValue) {
  // The ambient list follows the row's rating.
  for (const char* rating : {"60", "75", "90"}) {
    ScheduleModel m = WithRows(1);
    m.SetCell(0, Col(m, "insulation"), rating);
    for (std::size_t column = 0; column < m.InputColumnCount(); ++column) {
      for (const std::string& choice : m.Choices(0, column)) {
        ScheduleModel row = m;
        row.SetCell(0, column, choice);
        row.EvaluateAll();
        // A device larger than the load may leave no size that fits; the value itself is read.
        EXPECT_FALSE(row.RowError(0).starts_with("line 2, ")) << rating << " °C, " << m.Heading(column) << " " << choice
                                                             << ": " << row.RowError(0);
      }
    }
  }
  const ScheduleModel m;
  EXPECT_TRUE(m.Choices(0, Col(m, "tag")).empty());
}

}  // namespace
}  // namespace quillet
