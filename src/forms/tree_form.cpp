#include "forms/tree_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kTreeWidth = 12000;
constexpr int kTreeHeight = 7710;

constexpr Placement kTreePlaces[] = {
    {"Boxes", {120, 120, 11640, 6600}},
    {"Hint", {120, 6840, 11640, 300}},
};

}  // namespace

TreeForm::TreeForm(Desktop& desktop) : Window(desktop, "Tree") {
  SetSize(kTreeWidth, kTreeHeight);
  SetCaption(kTreeTitle);
  Arrange(*this, kTreePlaces);
  Boxes.SetNaming(nullptr, "One-line diagram");
  Hint.SetCaption(
      "Click a feeder to select its row; the arrow keys move between feeders. Red: over a limit or an error.");
}

}  // namespace quillet
