// The schedule as a spreadsheet workbook (.xlsx), for designers who keep
// working in a spreadsheet. Its first sheet holds every column the CSV
// output has, the tag first: headings in words over the CSV names, numbers
// typed as numbers with every digit the CSV has, shown rounded as the
// window rounds them, and the cells the window colours in its colours. The
// headings and the tag stay in sight; the CSV names carry a filter.
//
// Written through libxlsxwriter where the build found it; a build without
// it refuses the workbook with a message.
#pragma once

#include <string>

namespace quillet {

class ScheduleModel;

// This build writes workbooks.
bool WritesWorkbooks();

// The evaluated schedule as the workbook at `target`, put in place as every
// output is (file_output.h); "" or the message to show.
std::string WriteScheduleWorkbook(const ScheduleModel& model, const std::string& target);

}  // namespace quillet
