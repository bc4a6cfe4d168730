#include "forms/finder_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kFinderWidth = 10050;
constexpr int kFinderHeight = 7215;

constexpr Placement kFinderPlaces[] = {
    {"LimitLabel", {120, 150, 2280, 240}}, {"Limit", {2400, 120, 840, 300}},
    {"Continuous", {3600, 135, 3600, 270}},
    {"RunsLabel", {120, 540, 2280, 240}},  {"Runs", {2400, 510, 840, 300}},
    {"DcFeeder", {3600, 525, 3600, 270}},
    {"Nonlinear", {7320, 135, 2520, 270}},
    {"Sizes", {120, 960, 9720, 3840}},
    {"Design", {120, 4920, 9720, 240}},
    {"ConductorSet", {120, 5190, 9720, 240}},
    {"Answer", {120, 5520, 9720, 600}},
    {"UseSize", {6360, 6240, 1620, 420}},  {"CloseButton", {8220, 6240, 1620, 420}},
};

// Size, ampacity, design ampacity, protected, drop, drop %, ampacity ok, drop ok.
constexpr int kSizeColumnWidths[] = {1140, 1080, 1500, 1260, 960, 960, 1200, 1080};

}  // namespace

FinderForm::FinderForm(Desktop& desktop) : Window(desktop, "Finder") {
  SetCaption("Smallest conductor size");
  SetSize(kFinderWidth, kFinderHeight);
  Arrange(*this, kFinderPlaces);
  LimitLabel.SetCaption("Voltage drop limit (%)");
  Continuous.SetCaption(kContinuousCaption);
  DcFeeder.SetCaption("DC feeder (DC drop)");
  Nonlinear.SetCaption("Nonlinear load");
  RunsLabel.SetCaption("Parallel runs");
  for (const char* runs : {"1", "2", "3", "4", "5", "6"}) Runs.AddItem(runs);
  Runs.SetListIndex(0);
  Sizes.SetReadOnly(true);
  Sizes.SetColumnWidths({std::begin(kSizeColumnWidths), std::end(kSizeColumnWidths)});
  UseSize.SetCaption("Use this size");
  CloseButton.SetCaption("Close");
  UseSize.SetAccessKey('U');
  CloseButton.SetAccessKey('C');
  Continuous.SetAccessKey('o');
  DcFeeder.SetAccessKey('D');
  Nonlinear.SetAccessKey('N');
}

}  // namespace quillet
