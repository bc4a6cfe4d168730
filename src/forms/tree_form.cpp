#include "forms/tree_form.h"


namespace quillet {
namespace {

constexpr int kTreeWidth = 12000;
constexpr int kTreeHeight = 7710;
constexpr int kMargin = 120;
// The hint's one line fits the window's first width; a narrower window
// gives it two.
constexpr int kHintOneLineWidth = 11640;
constexpr int kHintLine = 300, kHintTwoLines = 540;
constexpr int kMinWidth = 6000, kMinHeight = 4500;

}  // namespace

TreeForm::TreeForm(Desktop& desktop) : Window(desktop, "Tree") {
  SetSize(kTreeWidth, kTreeHeight);
  Resize = [this] { Fit(); };
  SetResizable(kMinWidth, kMinHeight);
  Fit();
  SetCaption(kTreeTitle);
  Boxes.SetNaming(nullptr, "One-line diagram");
  Hint.SetCaption(
      "Click a feeder to select its row; the arrow keys move between feeders. Red: over a limit or an error.");
}

// The diagram takes what the hint under it leaves.
void TreeForm::Fit() {
  const int width = Width() - kNonClientWidth - 2 * kMargin;
  const int hint = width >= kHintOneLineWidth ? kHintLine : kHintTwoLines;
  const int top = Height() - kNonClientHeight - kMargin - hint;
  Hint.SetPlace({kMargin, top, width, hint});
  Boxes.SetPlace({kMargin, kMargin, width, top - 2 * kMargin});
}

}  // namespace quillet
