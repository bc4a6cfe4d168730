// The schedule model's files and lists: a failed export changing nothing, a
// workbook where the build writes one, every choice of a list taken. (Edits,
// undo, pasted blocks, a file's own mark and failed imports: the schedule_*
// scenarios.)
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
