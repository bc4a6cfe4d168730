// The calculation report laid out on one page, as real text, for the printer
// and for PDF files.
#pragma once

#include <functional>

#include <QPageSize>
#include <QString>
#include <QTextOption>

class QLocale;
class QPagedPaintDevice;
class QPdfWriter;
class QPainter;

namespace quillet {

struct CalculationReport;
struct TitleBlock;

// US Letter, or A4 where the locale's paper is A4.
QPageSize LocalePageSize(const QLocale& locale);

// Text wrapped at blanks, or inside a word too long for its width.
QTextOption WrappedText(Qt::Alignment alignment);

// The title block as a box of labelled cells, `columns` to a row, with its
// top left at `top` across `width`; returns its height. A long value wraps
// inside its cell.
double PaintTitleBlock(QPainter& painter, const TitleBlock& block, double top, double width, int columns,
                       double valuePoints);
double TitleBlockHeight(QPainter& painter, const TitleBlock& block, double width, int columns, double valuePoints);

// Paints the report on the device's page with 20 mm margins.
void PaintReport(QPainter& painter, const CalculationReport& report);

// Sets the page size and margins every report page uses.
void PrepareReportPage(QPagedPaintDevice& device, const QPageSize& size);

// Writes pages beside the file, then renames it into place: a failed write
// leaves the old file, or none, and says why in `error`.
bool WritePdf(const QString& path, const QString& title, const std::function<void(QPdfWriter&)>& prepare,
              const std::function<void(QPainter&, QPdfWriter&)>& paint, QString& error);

}  // namespace quillet
