#include "workbench/tree_window.h"

#include <algorithm>

#include "platform/desktop.h"
#include "workbench/schedule_model.h"

namespace quillet {
namespace {

constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;

}  // namespace

TreeWindow::TreeWindow(Desktop& desktop, const ScheduleModel& model, std::function<void(std::size_t row)> selectRow)
    : TreeForm(desktop), model_(model), selectRow_(std::move(selectRow)) {
  Boxes.BoxClicked = [this](int box) { Select(RowOf(box)); };
  Boxes.KeyDown = [this](int keyCode) { Step(keyCode); };
}

void TreeWindow::Open(const Window& schedule, int currentRow) {
  // Beside the schedule where the screen has room, else at its right edge.
  const int left = std::min(schedule.Left() + schedule.Width(), Screen().ScreenWidth() - Width());
  Move(std::max(left, 0), schedule.Top());
  Show();
  Redraw(currentRow);
}

void TreeWindow::Redraw(int currentRow) {
  if (!Shown()) return;
  drawn_ = DrawTree(model_);
  Boxes.SetDrawing(drawn_.drawing);
  MarkRow(currentRow);
}

void TreeWindow::MarkRow(int row) {
  if (!Shown()) return;
  const auto box = std::find(drawn_.rows.begin(), drawn_.rows.end(), static_cast<std::size_t>(row));
  Boxes.SetMarked(row < 0 || box == drawn_.rows.end() ? -1 : static_cast<int>(box - drawn_.rows.begin()));
}

void TreeWindow::Select(std::size_t row) {
  if (selectRow_) selectRow_(row);
}

// Up to the supply, down to the first row it feeds, left and right among
// the rows of the same supply (or the tops).
void TreeWindow::Step(int keyCode) {
  if (drawn_.rows.empty()) return;
  if (Boxes.Marked() < 0) {
    Select(drawn_.rows.front());
    return;
  }
  const DistributionTree& tree = model_.Tree();
  const std::size_t row = RowOf(Boxes.Marked());
  const auto supply = tree.SupplyOf(row);
  if (keyCode == kKeyUp) {
    if (supply) Select(*supply);
  } else if (keyCode == kKeyDown) {
    const std::vector<std::size_t> fed = tree.FedBy(row);
    if (!fed.empty()) Select(fed.front());
  } else if (keyCode == kKeyLeft || keyCode == kKeyRight) {
    const std::vector<std::size_t> same = supply ? tree.FedBy(*supply) : tree.Tops();
    const auto at = std::find(same.begin(), same.end(), row);
    if (keyCode == kKeyLeft && at != same.begin()) Select(*(at - 1));
    if (keyCode == kKeyRight && at + 1 < same.end()) Select(*(at + 1));
  }
}

}  // namespace quillet
