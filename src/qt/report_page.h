// The calculation report laid out on one page, as real text, for the printer
// and for PDF files.
#pragma once

#include <functional>

#include <QPageSize>
#include <QString>

class QLocale;
class QPagedPaintDevice;
class QPdfWriter;
class QPainter;

namespace quillet {

struct CalculationReport;

// US Letter, or A4 where the locale's paper is A4.
QPageSize LocalePageSize(const QLocale& locale);

// Paints the report on the device's page with 20 mm margins.
void PaintReport(QPainter& painter, const CalculationReport& report);

// Sets the page size and margins every report page uses.
void PrepareReportPage(QPagedPaintDevice& device, const QPageSize& size);

// Writes pages beside the file, then renames it into place: a failed write
// leaves the old file, or none, and says why in `error`.
bool WritePdf(const QString& path, const QString& title, const std::function<void(QPdfWriter&)>& prepare,
              const std::function<void(QPainter&, QPdfWriter&)>& paint, QString& error);

}  // namespace quillet
