#include "forms/schedule_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kScheduleWidth = 16620;
constexpr int kScheduleHeight = 8655;
constexpr int kMargin = 120;
// A few rows of the table always show.
constexpr int kSmallestTable = 2400;
// A slice of rows a tick evaluates: short enough that the window answers
// between slices.
constexpr int kEvaluationInterval = 10;

// Under the table, wrapping as the window narrows: the buttons for rows,
// those for the file, then the defaults for new rows, the tree and the
// progress, which takes the rest of its line.
constexpr FlowItem kUnderTable[] = {
    {"AddRow", 1680, 420, 0, Flow::Group},
    {"Duplicate", 1680, 420, 60},
    {"DeleteRow", 1680, 420, 60},
    {"AddFeeder", 1680, 420, 60},
    {"OpenInCalc", 1680, 420, 60},
    {"Import", 1680, 420, 420, Flow::Group},
    {"Export", 1680, 420, 60},
    {"Print", 1680, 420, 60},
    {"SavePdf", 1680, 420, 60},
    {"LimitLabel", 2520, 300, 0, Flow::Line},
    {"NewLimit", 720, 330, 0},
    {"NewContinuous", 2760, 300, 240},
    {"ShowTree", 1200, 420, 120, Flow::Group},
    {"PrintTree", 2640, 300, 120},
    {"Progress", 5520, 300, 120, Flow::Group, true},
};

// As narrow as the row buttons in one line.
constexpr int kFlowWidth = 5 * 1680 + 4 * 60;
constexpr int kMinWidth = kNonClientWidth + 2 * kMargin + kFlowWidth;

}  // namespace

ScheduleForm::ScheduleForm(Desktop& desktop) : Window(desktop, "Schedule") {
  SetSize(kScheduleWidth, kScheduleHeight);
  Resize = [this] { Fit(); };
  SetResizable(kMinWidth, kNonClientHeight + 3 * kMargin + kSmallestTable + FlowHeight(kUnderTable, kFlowWidth));
  Fit();
  SetCaption(kScheduleTitle);
  AddRow.SetCaption("Add row");
  Duplicate.SetCaption("Duplicate");
  DeleteRow.SetCaption("Delete row");
  AddFeeder.SetCaption("Add this feeder");
  OpenInCalc.SetCaption("Open in calculator");
  Import.SetCaption("Import…");
  Export.SetCaption("Export…");
  Print.SetCaption("Print…");
  SavePdf.SetCaption("Save as PDF…");
  LimitLabel.SetCaption("Drop limit for new rows, %:");
  NewLimit.SetText("3");
  NewContinuous.SetCaption("New rows are continuous");
  ShowTree.SetCaption("Tree…");
  PrintTree.SetCaption("Print the tree diagram");
  PrintTree.SetValue(1);
  Evaluation.SetInterval(kEvaluationInterval);
  Evaluation.SetEnabled(false);
}

// The table takes what the controls under it leave.
void ScheduleForm::Fit() {
  const int width = Width() - kNonClientWidth - 2 * kMargin;
  const int below = FlowHeight(kUnderTable, width);
  const int top = Height() - kNonClientHeight - kMargin - below;
  ArrangeFlow(*this, kUnderTable, kMargin, top, width);
  Feeders.SetPlace({kMargin, kMargin, width, top - 2 * kMargin});
}

}  // namespace quillet
