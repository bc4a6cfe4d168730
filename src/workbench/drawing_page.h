// The drawing schedule laid out on landscape pages, without a toolkit: on
// every page the title with the job and the date, the title block, the
// headings and "Page n of m"; one line a row, each tag indented under its
// supply; the legend after the last row. Each view paints the pages.
#pragma once

#include <vector>

#include "report/page_layout.h"

namespace quillet {

struct SchedulePrintout;

// The type the table is set in never goes below this.
inline constexpr double kDrawingSmallestPoints = 7;

// Every page of a printout that has its drawing (none without one).
std::vector<PageDrawing> LayOutDrawingSchedule(const SchedulePrintout& printout, const TextMetrics& metrics,
                                               const PageArea& area);

}  // namespace quillet
