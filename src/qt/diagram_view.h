// A diagram control on screen: its drawing painted at 15 twips a pixel in a
// scrolling area, the marked box in the selection colours and kept in
// sight. A click on a box goes back through the user actions; arrow keys
// reach the model through the window's key handling. The same painting
// puts a diagram on paper.
#pragma once

#include <QAbstractScrollArea>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace quillet {

class Diagram;
struct DiagramDrawing;
class UserActions;

// Paints the drawing with `scale` device pixels a twip, its top left at
// `origin`; only what meets `area` (device pixels). The marked box, if any,
// in the selection colours.
void PaintDiagram(QPainter& painter, const DiagramDrawing& drawing, int marked, double scale, QPointF origin,
                  const QRectF& area);

class DiagramView : public QAbstractScrollArea {
 public:
  DiagramView(Diagram& diagram, UserActions& actions, QWidget* parent);

  // The drawing changed.
  void Refresh();
  // The mark moved: shown, and scrolled into sight.
  void ShowMarked();
  // The box under a point of the viewport, or -1.
  int BoxAt(QPoint point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateBars();
  QPointF Origin() const;

  Diagram& diagram_;
  UserActions& actions_;
};

}  // namespace quillet
