// The schedule as printed: the title block, the job, the date, the table of
// the input columns with the Check column and the results a designer
// checks (headings in words, figures rounded as the window shows them), the
// legend of the checks, and the tree's diagram. A printer puts it on
// landscape pages with the headings repeated; the script driver records
// the requests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/diagram.h"
#include "report/calculation_report.h"
#include "workbench/drawing_schedule.h"

namespace quillet {

class ScheduleModel;

// What a schedule without a file is called on paper.
inline constexpr char kNewScheduleName[] = "New schedule";

struct SchedulePrintout {
  std::string title = "Feeder schedule";
  std::string job;   // the file's name, or "New schedule"
  std::string date;
  TitleBlock titleBlock;
  // The row's number as the window shows it, then the columns.
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
  // Rows that fail a check or have an error: marked in colour and with a
  // symbol that survives printing in black and white.
  std::vector<bool> marked;
  std::string markMeaning;
  std::size_t checkColumn = 0;  // among the headings
  // What the Check column's words mean, with their code references.
  std::vector<std::string> legend;
  std::optional<DiagramDrawing> diagram;  // the tree, on pages of its own after the table
  // Set: the printout is the feeder schedule as drawings carry it, this
  // table in place of the headings and rows above.
  std::optional<DrawingSchedule> drawing;
};

// What the schedule window prints: every column, or the drawing's few.
enum class PrintedForm { FullTable, Drawing };
struct PrintedFormName {
  PrintedForm form;
  const char* name;  // as the window offers it
};
inline constexpr PrintedFormName kPrintedForms[] = {
    {PrintedForm::FullTable, "Full table"},
    {PrintedForm::Drawing, "Feeder schedule (drawing)"},
};

// The model's rows (evaluated) as they print.
SchedulePrintout BuildSchedulePrintout(const ScheduleModel& model, const std::string& job, const std::string& date);
// The drawing schedule of the model's rows (evaluated) with its legend.
SchedulePrintout BuildDrawingPrintout(const ScheduleModel& model, const std::string& job, const std::string& date);

// The name printing to a file and saving as PDF suggest: the schedule file's
// name without its extension, or "New schedule", made safe as the report's.
std::string SchedulePdfName(const SchedulePrintout& printout);

class SchedulePrinter {
 public:
  virtual ~SchedulePrinter() = default;
  virtual void Print(const SchedulePrintout& printout) = 0;
  virtual void SavePdf(const SchedulePrintout& printout, const std::string& suggestedName) = 0;
};

}  // namespace quillet
