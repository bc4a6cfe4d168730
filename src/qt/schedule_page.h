// The feeder schedule on landscape pages: the job, the date and the column
// headings on every page, the page number at the foot.
#pragma once

#include <string>

class QPageSize;
class QPainter;
class QPagedPaintDevice;

namespace quillet {

struct SchedulePrintout;

// Landscape, with the margins every schedule page uses.
void PrepareSchedulePage(QPagedPaintDevice& device, const QPageSize& size);

// Paints every page, starting new ones on the device as the rows need: the
// full table, or the drawing schedule where the printout has it.
void PaintSchedule(QPainter& painter, QPagedPaintDevice& device, const SchedulePrintout& printout);

// Writes the printout's pages to a PDF file without a window (a command-line
// tool's: no display needed), on `pageSize` or the locale's paper. Returns
// "" or why the file could not be written.
std::string WriteSchedulePdf(const SchedulePrintout& printout, const std::string& path);

}  // namespace quillet
