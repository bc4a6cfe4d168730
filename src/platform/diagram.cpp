#include "platform/diagram.h"

namespace quillet {

void Diagram::SetDrawing(DiagramDrawing drawing) {
  if (drawing == drawing_) return;
  drawing_ = std::move(drawing);
  Notify(Property::Items);
  if (marked_ >= static_cast<int>(drawing_.boxes.size())) SetMarked(-1);
}

void Diagram::SetMarked(int box) {
  if (box < -1 || box >= static_cast<int>(drawing_.boxes.size())) box = -1;
  if (box == marked_) return;
  marked_ = box;
  Notify(Property::ListIndex);
}

}  // namespace quillet
