// The feeder schedule on landscape pages: the job, the date and the column
// headings on every page, the page number at the foot.
#pragma once

class QPageSize;
class QPainter;
class QPagedPaintDevice;

namespace quillet {

struct SchedulePrintout;

// Landscape, with the margins every schedule page uses.
void PrepareSchedulePage(QPagedPaintDevice& device, const QPageSize& size);

// Paints every page, starting new ones on the device as the rows need.
void PaintSchedule(QPainter& painter, QPagedPaintDevice& device, const SchedulePrintout& printout);

}  // namespace quillet
