// A build without libxlsxwriter (the Windows one): the schedule is exported
// as CSV only, and a workbook asked for is refused with a message.
#include "platform/native_text.h"
#include "workbench/schedule_workbook.h"

namespace quillet {

bool WritesWorkbooks() { return false; }

std::string WriteScheduleWorkbook(const ScheduleModel&, const std::string& target) {
  return "Cannot write " + FileNameOf(target) +
         ": this build of the program writes no spreadsheet workbooks (.xlsx); export the schedule as CSV.";
}

}  // namespace quillet
