#include "qt/schedule_page.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include "qt/diagram_view.h"
#include "workbench/schedule_printout.h"

namespace quillet {
namespace {

constexpr double kMarginMm = 12;
constexpr double kBodyPoints = 7;
constexpr double kSmallestPoints = 4.5;
constexpr double kTitlePoints = 12;
// No column takes more than this share of the width; longer texts end in "…".
constexpr double kWidestShare = 0.3;
constexpr double kCellPadding = 0.6;  // of a character's height, between columns

class ScheduleLayout {
 public:
  ScheduleLayout(QPainter& painter, const SchedulePrintout& printout, double pageWidth)
      : painter_(painter), printout_(printout), pageWidth_(pageWidth) {
    // The longest columns give way first, down to their heading or a few
    // characters; then the type shrinks until every column fits.
    for (points_ = kBodyPoints; points_ > kSmallestPoints; points_ -= 0.5)
      if (Fit() <= pageWidth_) break;
  }

  QFont Body(bool bold = false) const {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points_);
    font.setBold(bold);
    return font;
  }
  double Widths() {
    widths_.assign(printout_.headings.size(), 0);
    minimum_.assign(printout_.headings.size(), 0);
    const QFontMetricsF body(Body(), painter_.device()), head(Body(true), painter_.device());
    const double limit = pageWidth_ * kWidestShare, padding = body.height() * kCellPadding;
    double total = 0;
    for (std::size_t c = 0; c < widths_.size(); ++c) {
      double width = head.horizontalAdvance(QString::fromStdString(printout_.headings[c]));
      minimum_[c] = std::max(width, body.horizontalAdvance(QStringLiteral("00000000"))) + padding;
      for (const auto& row : printout_.rows)
        width = std::max(width, body.horizontalAdvance(QString::fromStdString(row[c])));
      widths_[c] = std::min(width, limit) + padding;
      total += widths_[c];
    }
    return total;
  }
  double Fit() {
    double total = Widths();
    while (total > pageWidth_) {
      auto widest = std::max_element(widths_.begin(), widths_.end());
      const std::size_t at = static_cast<std::size_t>(widest - widths_.begin());
      double next = 0;
      for (double w : widths_)
        if (w < *widest) next = std::max(next, w);
      const double target = std::max({next, minimum_[at], *widest - (total - pageWidth_)});
      if (target >= *widest) break;
      total -= *widest - target;
      *widest = target;
    }
    return total;
  }
  const std::vector<double>& ColumnWidths() const { return widths_; }

 private:
  QPainter& painter_;
  const SchedulePrintout& printout_;
  double pageWidth_;
  double points_ = kBodyPoints;
  std::vector<double> widths_, minimum_;
};

void PaintRow(QPainter& painter, const std::vector<std::string>& cells, const std::vector<double>& widths, double y,
              double height) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  double x = 0;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const QString text = metrics.elidedText(QString::fromStdString(cells[c]), Qt::ElideRight,
                                            widths[c] - metrics.height() * kCellPadding);
    painter.drawText(QRectF(x, y, widths[c], height), Qt::AlignLeft | Qt::AlignVCenter, text);
    x += widths[c];
  }
}

// The tree at its own size where a page holds it, else shrunk to fit, but
// no smaller than kSmallestShare of its size: then spread over sheets, each
// breaking between rows and columns of boxes.
constexpr double kSmallestShare = 0.55;

struct DiagramSheets {
  // None without a drawing.
  DiagramSheets(const DiagramDrawing* drawing, double dpi, double width, double height) {
    if (!drawing) return;
    const double natural = dpi / 1440.0;
    const double fit = std::min(width / std::max(drawing->width, 1), height / std::max(drawing->height, 1));
    scale = std::min(natural, std::max(fit, natural * kSmallestShare));
    across = Whole(width / scale, drawing->columnPitch);
    down = Whole(height / scale, drawing->rowPitch);
    columns = std::max(1, static_cast<int>(std::ceil(drawing->width / across)));
    rows = std::max(1, static_cast<int>(std::ceil(drawing->height / down)));
  }
  // The most of `room` that holds whole steps of `pitch`, when it holds one.
  static double Whole(double room, int pitch) {
    return pitch > 0 && room >= pitch ? std::floor(room / pitch) * pitch : room;
  }
  int Count() const { return columns * rows; }
  double scale = 1, across = 1, down = 1;  // a sheet's reach in twips
  int columns = 0, rows = 0;
};

void PaintHeading(QPainter& painter, const QFont& title, const QFont& body, double width, double titleHeight,
                  double line, const QString& heading, const SchedulePrintout& printout) {
  painter.setFont(title);
  painter.drawText(QRectF(0, 0, width, titleHeight), Qt::AlignLeft | Qt::AlignTop, heading);
  painter.setFont(body);
  painter.drawText(QRectF(0, titleHeight, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(printout.job));
  painter.drawText(QRectF(0, titleHeight, width, line), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromStdString(printout.date));
}

}  // namespace

void PrepareSchedulePage(QPagedPaintDevice& device, const QPageSize& size) {
  device.setPageSize(size);
  device.setPageOrientation(QPageLayout::Landscape);
  device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

void PaintSchedule(QPainter& painter, QPagedPaintDevice& device, const SchedulePrintout& printout) {
  // The device's size is the printable area inside the margins.
  const double width = device.width(), height = device.height();
  ScheduleLayout layout(painter, printout, width);
  const auto& widths = layout.ColumnWidths();
  QFont title(QStringLiteral("Arial"));
  title.setPointSizeF(kTitlePoints);
  title.setBold(true);
  const double titleHeight = QFontMetricsF(title, &device).height() * 1.4;
  const double line = QFontMetricsF(layout.Body(), &device).height() * 1.25;
  const double top = titleHeight + line * 2.2;  // title, job and date, headings
  const int perPage = std::max(1, static_cast<int>((height - top - line * 1.5) / line));
  const int tablePages = std::max(1, static_cast<int>((printout.rows.size() + perPage - 1) / perPage));
  // The tree below the job and date, above the page number.
  const double treeTop = titleHeight + line * 1.5, treeHeight = height - treeTop - line * 1.5;
  const DiagramSheets sheets(printout.diagram ? &*printout.diagram : nullptr, device.logicalDpiX(), width, treeHeight);
  const int pages = tablePages + sheets.Count();
  const auto footer = [&](int page) {
    painter.setFont(layout.Body());
    painter.drawText(QRectF(0, height - line, width, line), Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
  };
  for (int p = 0; p < tablePages; ++p) {
    if (p > 0) device.newPage();
    PaintHeading(painter, title, layout.Body(), width, titleHeight, line, QString::fromStdString(printout.title),
                 printout);
    painter.setFont(layout.Body(true));
    const double headY = titleHeight + line * 1.1;
    PaintRow(painter, printout.headings, widths, headY, line);
    painter.drawLine(QPointF(0, headY + line), QPointF(width, headY + line));
    painter.setFont(layout.Body());
    const std::size_t first = static_cast<std::size_t>(p) * static_cast<std::size_t>(perPage);
    const std::size_t last = std::min(printout.rows.size(), first + static_cast<std::size_t>(perPage));
    for (std::size_t r = first; r < last; ++r)
      PaintRow(painter, printout.rows[r], widths, top + line * static_cast<double>(r - first), line);
    footer(p);
  }
  for (int sheet = 0; sheet < sheets.Count(); ++sheet) {
    device.newPage();
    PaintHeading(painter, title, layout.Body(), width, titleHeight, line, QStringLiteral("Distribution tree"),
                 printout);
    const QRectF area(0, treeTop, sheets.across * sheets.scale, sheets.down * sheets.scale);
    const QPointF origin(-(sheet % sheets.columns) * sheets.across * sheets.scale,
                         treeTop - (sheet / sheets.columns) * sheets.down * sheets.scale);
    painter.save();
    painter.setClipRect(area);
    PaintDiagram(painter, *printout.diagram, -1, sheets.scale, origin, area);
    painter.restore();
    footer(tablePages + sheet);
  }
}

}  // namespace quillet
