#include "qt/diagram_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "platform/diagram.h"
#include "platform/user_actions.h"
#include "qt/theme.h"
#include "qt/twips.h"
#include "qt/widgets.h"

namespace quillet {
namespace {

constexpr double kFontTwips = 160;  // 8 points
constexpr double kLineTwips = 210;
constexpr double kPaddingTwips = 60;
constexpr double kTransformerTwips = 110;  // each winding's radius

QRectF Place(const Bounds& b, double scale, QPointF origin) {
  return {origin.x() + b.left * scale, origin.y() + b.top * scale, b.width * scale, b.height * scale};
}

// Two overlapping windings across the line.
void PaintTransformer(QPainter& painter, QPointF at, double scale) {
  const double r = kTransformerTwips * scale;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(at.x(), at.y() - r * 0.6), r, r);
  painter.drawEllipse(QPointF(at.x(), at.y() + r * 0.6), r, r);
  painter.restore();
}

void PaintLink(QPainter& painter, const DiagramLink& link, double scale, QPointF origin) {
  QPainterPath path;
  for (std::size_t i = 0; i + 1 < link.points.size(); i += 2) {
    const QPointF p(origin.x() + link.points[i] * scale, origin.y() + link.points[i + 1] * scale);
    if (i == 0)
      path.moveTo(p);
    else
      path.lineTo(p);
  }
  painter.drawPath(path);
  const std::size_t n = link.points.size();
  if (!link.transformer || n < 4) return;
  const QPointF end(link.points[n - 2], link.points[n - 1]), before(link.points[n - 4], link.points[n - 3]);
  PaintTransformer(painter, origin + (end + before) / 2 * scale, scale);
}

void PaintBox(QPainter& painter, const DiagramBox& box, bool marked, double scale, QPointF origin) {
  const QRectF rect = Place(box.place, scale, origin);
  const QPalette& palette = QApplication::palette();
  painter.setPen(QPen(marked ? palette.color(QPalette::Highlight) : ShownColour(box.border), marked ? 2 : 1));
  QColor fill = marked ? palette.color(QPalette::Highlight).lighter(180) : palette.color(QPalette::Base);
  for (const DiagramText& line : box.lines) fill = BackdropFor(ShownColour(line.colour), fill);
  painter.setBrush(fill);
  painter.drawRect(rect);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(kFontTwips * scale))));
  for (std::size_t i = 0; i < box.lines.size(); ++i) {
    const DiagramText& line = box.lines[i];
    if (line.text.empty()) continue;
    font.setBold(line.bold);
    painter.setFont(font);
    painter.setPen(ShownColour(line.colour));
    const QRectF row(rect.left() + kPaddingTwips * scale, rect.top() + (kPaddingTwips + kLineTwips * i) * scale,
                     rect.width() - 2 * kPaddingTwips * scale, kLineTwips * scale);
    const QString text = painter.fontMetrics().elidedText(QString::fromStdString(line.text), Qt::ElideRight,
                                                          static_cast<int>(row.width()));
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, text);
  }
}

}  // namespace

void PaintDiagram(QPainter& painter, const DiagramDrawing& drawing, int marked, double scale, QPointF origin,
                  const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(ShownColour(kWindowText), 1));
  for (const DiagramLink& link : drawing.links) {
    QRectF reach;
    for (std::size_t i = 0; i + 1 < link.points.size(); i += 2)
      reach |= QRectF(origin.x() + link.points[i] * scale, origin.y() + link.points[i + 1] * scale, 1, 1);
    if (reach.adjusted(-kTransformerTwips * scale, 0, kTransformerTwips * scale, 0).intersects(area))
      PaintLink(painter, link, scale, origin);
  }
  for (std::size_t b = 0; b < drawing.boxes.size(); ++b)
    if (Place(drawing.boxes[b].place, scale, origin).intersects(area))
      PaintBox(painter, drawing.boxes[b], static_cast<int>(b) == marked, scale, origin);
  painter.restore();
}

DiagramView::DiagramView(Diagram& diagram, UserActions& actions, QWidget* parent)
    : QAbstractScrollArea(parent), diagram_(diagram), actions_(actions) {
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  horizontalScrollBar()->setSingleStep(ToPixels(1200));
  verticalScrollBar()->setSingleStep(ToPixels(1200));
}

void DiagramView::Refresh() {
  UpdateBars();
  viewport()->update();
}

QPointF DiagramView::Origin() const {
  return {-static_cast<double>(horizontalScrollBar()->value()), -static_cast<double>(verticalScrollBar()->value())};
}

void DiagramView::UpdateBars() {
  const DiagramDrawing& drawing = diagram_.Drawing();
  const QSize shown = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, ToPixels(drawing.width) - shown.width()));
  horizontalScrollBar()->setPageStep(shown.width());
  verticalScrollBar()->setRange(0, std::max(0, ToPixels(drawing.height) - shown.height()));
  verticalScrollBar()->setPageStep(shown.height());
}

void DiagramView::ShowMarked() {
  viewport()->update();
  const int marked = diagram_.Marked();
  if (marked < 0) return;
  const QRect box = ToRect(diagram_.Drawing().boxes[static_cast<std::size_t>(marked)].place);
  const QRect shown(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), viewport()->size());
  if (shown.contains(box)) return;
  horizontalScrollBar()->setValue(box.center().x() - shown.width() / 2);
  verticalScrollBar()->setValue(box.center().y() - shown.height() / 2);
}

int DiagramView::BoxAt(QPoint point) const {
  const auto& boxes = diagram_.Drawing().boxes;
  const QPointF at = point - Origin();
  for (std::size_t b = 0; b < boxes.size(); ++b)
    if (QRectF(ToRect(boxes[b].place)).contains(at)) return static_cast<int>(b);
  return -1;
}

void DiagramView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  PaintDiagram(painter, diagram_.Drawing(), diagram_.Marked(), 1.0 / kTwipsPerPixel, Origin(),
               QRectF(viewport()->rect()));
}

// Taken, so the release comes here too.
void DiagramView::mousePressEvent(QMouseEvent* event) { event->setAccepted(event->button() == Qt::LeftButton); }

void DiagramView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int box = BoxAt(event->position().toPoint());
  if (box >= 0) actions_.ClickBox(diagram_, box);
}

void DiagramView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateBars();
}

}  // namespace quillet
