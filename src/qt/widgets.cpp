#include "qt/widgets.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include "platform/controls.h"
#include <QStyleOptionButton>
#include <QToolButton>

namespace quillet {

QColor ShownColour(Colour colour) {
  const QPalette& system = QApplication::palette();
  if (colour == kGrayText) return system.color(QPalette::Disabled, QPalette::WindowText);
  if (colour & 0x80000000u) return system.color(QPalette::Active, QPalette::WindowText);
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QString PlainCaption(const std::string& caption) { return QString::fromStdString(caption); }

QString EscapedMnemonics(const std::string& caption) {
  return PlainCaption(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

// A caption's "&" marks its access key, as a toolkit button's does.
void CaptionButton::SetCaption(const QString& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  setShortcut(QKeySequence::mnemonic(caption));
  update();
}

void CaptionButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption_);
}

namespace {

// The pictures are drawn on a 160 x 120 grid.
constexpr qreal kGridWidth = 160;
constexpr qreal kGridHeight = 120;

QPolygonF PointsOf(const Shape& shape) {
  QPolygonF points;
  for (std::size_t i = 0; i + 1 < shape.points.size(); i += 2)
    points << QPointF(shape.points[i], shape.points[i + 1]);
  return points;
}

void DrawArrowHead(QPainter& painter, QPointF tip, QPointF from) {
  const qreal angle = qAtan2(tip.y() - from.y(), tip.x() - from.x());
  constexpr qreal kLength = 7, kSpread = 0.45;
  QPolygonF head;
  head << tip << tip - QPointF(kLength * qCos(angle - kSpread), kLength * qSin(angle - kSpread))
       << tip - QPointF(kLength * qCos(angle + kSpread), kLength * qSin(angle + kSpread));
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(head);
  painter.setBrush(Qt::NoBrush);
}

void DrawShape(QPainter& painter, const Shape& shape) {
  const QPolygonF points = PointsOf(shape);
  painter.setPen(QPen(ShownColour(shape.colour), shape.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  switch (shape.kind) {
    case Shape::Kind::Fill:
      painter.fillRect(QRectF(0, 0, kGridWidth, kGridHeight), ShownColour(shape.colour));
      return;
    case Shape::Kind::Text:
      if (!points.isEmpty()) painter.drawText(points.first(), QString::fromStdString(shape.text));
      return;
    case Shape::Kind::Ellipse:
    case Shape::Kind::Rectangle:
      if (points.size() < 2) return;
      if (shape.kind == Shape::Kind::Ellipse) painter.drawEllipse(QRectF(points[0], points[1]));
      else painter.drawRect(QRectF(points[0], points[1]));
      return;
    case Shape::Kind::Line:
    case Shape::Kind::Polyline:
      if (points.size() < 2) return;
      painter.drawPolyline(points);
      if (shape.arrowAtStart) DrawArrowHead(painter, points[0], points[1]);
      if (shape.arrowAtEnd) DrawArrowHead(painter, points.last(), points[points.size() - 2]);
      return;
  }
}

}  // namespace

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(width() / kGridWidth, height() / kGridHeight);
  for (const Shape& shape : picture_.Shapes()) DrawShape(painter, shape);
}

ModelOption::ModelOption(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setAutoRepeat(true);
    arrow->setIconSize(QSize(6, 6));
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  QObject::connect(up_, &QToolButton::clicked, this, [this] { if (onUp) onUp(); });
  QObject::connect(down_, &QToolButton::clicked, this, [this] { if (onDown) onDown(); });
}

// A message box opened by a step takes the mouse: an arrow still held down
// would keep stepping behind it and open box after box.
bool SpinArrows::event(QEvent* event) {
  if (event->type() == QEvent::WindowBlocked) {
    up_->setDown(false);
    down_->setDown(false);
  }
  return QWidget::event(event);
}

void SpinArrows::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}


}  // namespace quillet
