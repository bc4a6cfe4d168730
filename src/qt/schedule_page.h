// The feeder schedule on landscape pages: the job, the date and the column
// headings on every page, the page number at the foot; printed through the
// print dialog or saved as PDF beside its target and renamed into place.
#pragma once

#include <functional>

#include <QPageSize>
#include <QString>

#include "workbench/schedule_printout.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace quillet {

// Paints every page, starting new ones on the device as the rows need.
void PaintSchedule(QPainter& painter, QPagedPaintDevice& device, const SchedulePrintout& printout);

class QtSchedulePrinter : public SchedulePrinter {
 public:
  explicit QtSchedulePrinter(QWidget* owner);

  void Print(const SchedulePrintout& printout) override;
  void SavePdf(const SchedulePrintout& printout, const std::string& suggestedName) override;

  // Returns false when the user cancels.
  std::function<bool(QPrinter& printer)> choosePrinter;
  // Returns the chosen path, or an empty text when the user cancels.
  std::function<QString(const QString& suggestedPath)> choosePdfPath;
  QPageSize pageSize;

 private:
  QWidget* owner_;
};

}  // namespace quillet
