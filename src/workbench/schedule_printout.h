// The schedule as printed: the job, the date, the table of the input
// columns with the results a designer checks, and the tree's diagram. A printer puts it on landscape
// pages with the headings repeated; the script driver records the requests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/diagram.h"

namespace quillet {

class ScheduleModel;

// What a schedule without a file is called on paper.
inline constexpr char kNewScheduleName[] = "New schedule";

struct SchedulePrintout {
  std::string title = "Feeder schedule";
  std::string job;   // the file's name, or "New schedule"
  std::string date;
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
  std::optional<DiagramDrawing> diagram;  // the tree, on pages of its own after the table
};

// The model's rows (evaluated) as they print.
SchedulePrintout BuildSchedulePrintout(const ScheduleModel& model, const std::string& job, const std::string& date);

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
