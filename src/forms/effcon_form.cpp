#include "forms/effcon_form.h"

#include "forms/layout.h"
#include "forms/naming.h"

namespace quillet {
namespace {

constexpr int kEffConWidth = 6090;
constexpr int kEffConHeight = 3360;

constexpr Placement kEffConPlaces[] = {
    {"Label5", {120, 120, 5760, 240}},
    {"Label2", {120, 510, 3960, 240}},  {"Text1", {4200, 480, 1560, 300}},
    {"Label3", {120, 870, 3960, 240}},  {"Text2", {4200, 840, 1560, 300}},
    {"Label4", {120, 1230, 3960, 240}}, {"Text3", {4200, 1200, 1560, 300}},
    {"System", {120, 1650, 5760, 270}},
    {"Help", {120, 1950, 5760, 270}},
    {"Command1", {1320, 2400, 1560, 420}},
    {"Command2", {3120, 2400, 1560, 420}},
};

constexpr Naming kEffConNames[] = {
    {"Text1", "Label2", ""}, {"Text2", "Label3", ""}, {"Text3", "Label4", ""}};

}  // namespace

EffConForm::EffConForm(Desktop& desktop) : Window(desktop, "EffCon") {
  SetCaption("Calculator configuration");
  SetSize(kEffConWidth, kEffConHeight);
  Arrange(*this, kEffConPlaces);
  Label5.SetCaption("When calculating energy lost in feeder assume the following:");
  Label2.SetCaption("Hours per day operation");
  Label3.SetCaption("Days a week operation (52 weeks in a year)");
  Label4.SetCaption("Dollar per one (1) kWh - Energy cost");
  Text2.SetToolTip(
      "If operating 6 days a week but only for 44 weeks in the year. Multiply number of days by 44/52 i.e. 6x44/52 = "
      "5.08 days");
  System.SetCaption("Start the calculator in metric system (Restart required)");
  Help.SetCaption("Enable the help/information status bar at the bottom");
  Command1.SetCaption("Save Changes");
  Command2.SetCaption("Cancel");
  NameControls(*this, kEffConNames);
}

}  // namespace quillet
