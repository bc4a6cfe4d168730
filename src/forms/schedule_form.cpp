#include "forms/schedule_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kScheduleWidth = 16620;
constexpr int kScheduleHeight = 9075;
// A slice of rows a tick evaluates: short enough that the window answers
// between slices.
constexpr int kEvaluationInterval = 10;

constexpr Placement kSchedulePlaces[] = {
    {"Feeders", {120, 120, 16260, 6600}},
    {"RowNote", {120, 6780, 16260, 300}},
    {"AddRow", {120, 7140, 1680, 420}},
    {"Duplicate", {1860, 7140, 1680, 420}},
    {"DeleteRow", {3600, 7140, 1680, 420}},
    {"AddFeeder", {5340, 7140, 1680, 420}},
    {"OpenInCalc", {7080, 7140, 1680, 420}},
    {"Import", {9180, 7140, 1680, 420}},
    {"Export", {10920, 7140, 1680, 420}},
    {"Print", {12660, 7140, 1680, 420}},
    {"SavePdf", {14400, 7140, 1680, 420}},
    {"LimitLabel", {120, 7770, 2520, 300}},
    {"NewLimit", {2640, 7710, 720, 330}},
    {"NewContinuous", {3600, 7740, 2760, 300}},
    {"ShowTree", {6480, 7680, 1200, 420}},
    {"PrintTree", {7800, 7740, 2640, 300}},
    {"ResultsFirst", {10560, 7740, 2640, 300}},
    {"Progress", {120, 8250, 12000, 300}},
    {"EvaluationBar", {12240, 8235, 3840, 270}},
};

}  // namespace

ScheduleForm::ScheduleForm(Desktop& desktop) : Window(desktop, "Schedule") {
  SetSize(kScheduleWidth, kScheduleHeight);
  SetCaption(kScheduleTitle);
  Arrange(*this, kSchedulePlaces);
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
  NewLimit.SetText("3");
  PrintTree.SetValue(1);
  Evaluation.SetInterval(kEvaluationInterval);
  Evaluation.SetEnabled(false);
}

}  // namespace quillet
