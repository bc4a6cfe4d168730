// The calculation report laid out on one page, as real text, for the printer
// and for PDF files.
#pragma once

#include <functional>

#include <string_view>

#include <QFontMetricsF>
#include <QPageSize>
#include <QPointF>
#include <QString>
#include <QTextOption>

#include "report/page_layout.h"

class QLocale;
class QPagedPaintDevice;
class QPdfWriter;
class QPainter;

namespace quillet {

struct CalculationReport;
struct TitleBlock;

// The page's type measured as the painter's device sets it.
class QtTextMetrics : public TextMetrics {
 public:
  explicit QtTextMetrics(const QPaintDevice* device);
  double Advance(const PageFont& font, std::string_view text) const override;
  double Ascent(const PageFont& font) const override;
  double Descent(const PageFont& font) const override;
  double Leading(const PageFont& font) const override;

 private:
  QFontMetricsF Metrics(const PageFont& font) const;
  const QPaintDevice* device_;
};

// A page laid out without a toolkit, from `origin`, in its colours.
void PaintPage(QPainter& painter, const PageDrawing& page, QPointF origin = {});

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
