#include "forms/schedule_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kScheduleWidth = 16620;
constexpr int kScheduleHeight = 8655;
// A slice of rows a tick evaluates: short enough that the window answers
// between slices.
constexpr int kEvaluationInterval = 10;

constexpr Placement kSchedulePlaces[] = {
    {"Feeders", {120, 120, 16260, 6900}},
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
    {"Progress", {10560, 7770, 5520, 300}},
};

}  // namespace

ScheduleForm::ScheduleForm(Desktop& desktop) : Window(desktop, "Schedule") {
  SetSize(kScheduleWidth, kScheduleHeight);
  SetCaption(kScheduleTitle);
  Arrange(*this, kSchedulePlaces);
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

}  // namespace quillet
