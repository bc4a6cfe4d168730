#include "forms/finder_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kFinderWidth = 7290;
constexpr int kFinderHeight = 6615;

constexpr Placement kFinderPlaces[] = {
    {"LimitLabel", {120, 150, 2280, 240}}, {"Limit", {2400, 120, 840, 300}},
    {"Continuous", {3600, 135, 3480, 270}},
    {"RunsLabel", {120, 540, 2280, 240}},  {"Runs", {2400, 510, 840, 300}},
    {"Sizes", {120, 960, 6960, 3840}},
    {"Answer", {120, 4920, 6960, 600}},
    {"UseSize", {3600, 5640, 1620, 420}},  {"CloseButton", {5460, 5640, 1620, 420}},
};

// Size, ampacity, drop, drop %, ampacity ok, drop ok.
constexpr int kSizeColumnWidths[] = {1140, 1080, 960, 960, 1200, 1080};

}  // namespace

FinderForm::FinderForm(Desktop& desktop) : Window(desktop, "Finder") {
  SetCaption("Smallest conductor size");
  SetSize(kFinderWidth, kFinderHeight);
  Arrange(*this, kFinderPlaces);
  LimitLabel.SetCaption("Voltage drop limit (%)");
  Continuous.SetCaption("Continuous load (125 %)");
  RunsLabel.SetCaption("Parallel runs");
  for (const char* runs : {"1", "2", "3", "4", "5", "6"}) Runs.AddItem(runs);
  Runs.SetListIndex(0);
  Sizes.SetReadOnly(true);
  Sizes.SetColumnWidths({std::begin(kSizeColumnWidths), std::end(kSizeColumnWidths)});
  UseSize.SetCaption("Use this size");
  CloseButton.SetCaption("Close");
}

}  // namespace quillet
