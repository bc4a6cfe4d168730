#include "forms/schedule_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kScheduleWidth = 16620;
constexpr int kScheduleHeight = 9075;
constexpr int kMargin = 120;
// A few rows of the table always show.
constexpr int kSmallestTable = 2400;
// The current row's error, between the table and the buttons.
constexpr int kNoteHeight = 300;
// A slice of rows a tick evaluates: short enough that the window answers
// between slices.
constexpr int kEvaluationInterval = 10;

// Under the table, wrapping as the window narrows: the buttons for rows,
// those for the file, then the defaults for new rows, the tree and the
// order of the columns; last the progress bar and the summary, which takes
// the rest of its line and two lines of height, so a long list of rows
// with errors wraps rather than being cut.
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
    {"ResultsFirst", 2640, 300, 120},
    {"PrintFormLabel", 1080, 300, 120},
    {"PrintForm", 2760, 330, 0},
    {"EvaluationBar", 3840, 270, 0, Flow::Line},
    {"Progress", 5520, 480, 120, Flow::Along, true},
};

// As narrow as the row buttons in one line.
constexpr int kFlowWidth = 5 * 1680 + 4 * 60;
constexpr int kMinWidth = kNonClientWidth + 2 * kMargin + kFlowWidth;

}  // namespace

ScheduleForm::ScheduleForm(Desktop& desktop) : Window(desktop, "Schedule") {
  SetSize(kScheduleWidth, kScheduleHeight);
  Resize = [this] { Fit(); };
  SetResizable(kMinWidth, kNonClientHeight + 4 * kMargin + kSmallestTable + kNoteHeight +
                               FlowHeight(kUnderTable, kFlowWidth));
  Fit();
  SetCaption(kScheduleTitle);
  const struct {
    Control& control;
    const char* caption;
    char key;
  } captions[] = {
      {AddRow, "Add row", 'A'},
      {Duplicate, "Duplicate", 'u'},
      {DeleteRow, "Delete row", 'D'},
      {AddFeeder, "Add this feeder", 'f'},
      {OpenInCalc, "Open in calculator", 'O'},
      {Import, "Import…", 'I'},
      {Export, "Export…", 'E'},
      {Print, "Print…", 'P'},
      {SavePdf, "Save as PDF…", 'S'},
      {NewContinuous, "New rows are continuous", 'c'},
      {ShowTree, "Tree…", 'T'},
      {PrintTree, "Print the tree diagram", 'h'},
      {ResultsFirst, "Results first", 'R'},
  };
  for (const auto& c : captions) {
    c.control.SetCaption(c.caption);
    c.control.SetAccessKey(c.key);
  }
  LimitLabel.SetCaption("Drop limit for new rows, %:");
  PrintFormLabel.SetCaption("Print as:");
  NewLimit.SetText("3");
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
  const int note = top - kMargin - kNoteHeight;
  RowNote.SetPlace({kMargin, note, width, kNoteHeight});
  Feeders.SetPlace({kMargin, kMargin, width, note - 2 * kMargin});
}

}  // namespace quillet
