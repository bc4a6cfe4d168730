// A drawing of boxes joined by lines for a view to paint and scroll: each
// box a few lines of text, each line a path between boxes, some marked with
// a transformer. The window supplies the drawing whole; a click on a box
// comes back as BoxClicked, arrow keys as KeyDown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace quillet {

struct DiagramText {
  std::string text;
  Colour colour = kWindowText;
  bool bold = false;
  bool operator==(const DiagramText&) const = default;
};

struct DiagramBox {
  quillet::Bounds place;  // twips, from the drawing's top left
  std::vector<DiagramText> lines;
  Colour border = kWindowText;
  bool operator==(const DiagramBox&) const = default;
};

struct DiagramLink {
  int from = -1, to = -1;    // the boxes it joins
  std::vector<int> points;   // x, y pairs in twips along the line
  bool transformer = false;  // marked halfway along its last stretch
  bool operator==(const DiagramLink&) const = default;
};

struct DiagramDrawing {
  int width = 0, height = 0;  // twips
  // The boxes sit in rows and columns this far apart (twips): a page that
  // breaks at a multiple of them cuts no box. 0: anywhere.
  int rowPitch = 0, columnPitch = 0;
  std::vector<DiagramBox> boxes;
  std::vector<DiagramLink> links;
  bool operator==(const DiagramDrawing&) const = default;
};

class Diagram : public Control {
 public:
  Diagram(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::Diagram, std::move(name), container) {}

  const DiagramDrawing& Drawing() const { return drawing_; }
  // A different drawing is reported as Items; the mark stays within the boxes.
  void SetDrawing(DiagramDrawing drawing);
  // The marked box, or -1 for none; a box outside the drawing marks none.
  int Marked() const { return marked_; }
  void SetMarked(int box);

  std::function<void(int box)> BoxClicked;

 private:
  DiagramDrawing drawing_;
  int marked_ = -1;
};

}  // namespace quillet
