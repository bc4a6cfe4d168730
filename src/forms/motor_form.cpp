#include "forms/motor_form.h"

#include <initializer_list>
#include <string>

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kMotorWidth = 10290;
constexpr int kMotorHeight = 6900;

constexpr Placement kMotorPlaces[] = {
    {"Label1", {150, 120, 9870, 870}},
    {"Label2", {150, 1080, 9870, 1500}},
    {"Label3", {150, 2670, 9870, 1590}},
    {"Label4", {150, 4350, 9870, 1950}},
};

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += (text.empty() ? "" : "\r\n") + std::string(line);
  return text;
}

Control& Label(Window& w, const char* name, const std::string& caption) {
  Control& label = w.AddPlain(ControlKind::Label, name);
  label.SetCaption(caption);
  return label;
}

}  // namespace

MotorForm::MotorForm(Desktop& desktop)
    : Window(desktop, "Motor"),
      Label1(Label(*this, "Label1",
                   Lines({"Motor data conforms to NEC Tables: 430.248 && 430.250 and Canadian CEC table 44 && 45.",
                          "Only induction-type, squirrel cage and wound rotor AC motors are shown",
                          "To obtain motor Full Load Ampers (FLA) First enter the \"System voltage\" from the table below",
                          "For example: enter 240 V for 230 V motor."}))),
      Label2(Label(*this, "Label2",
                   Lines({"  Common motor voltages in North America include:",
                          "   Motor voltage     System voltage       System voltage range",
                          "            - 115 V    ||        120 V          ||           110 to 120V",
                          "            - 200 V    ||        208 V          ||           192 to 208V",
                          "            - 230 V    ||        240 V          ||           220 to 240V ",
                          "            - 460 V    ||        480 V          ||           440 to 480V ",
                          "            - 575 V    ||        600 V          ||           550 to 600V"}))),
      Label3(Label(*this, "Label3",
                   Lines({"For voltages within the \"System voltage range\" the FLA does not change.",
                          "For voltages outside the \"System voltage range\" listed above, the FLA shown is calculated "
                          "proportionally based on the ratio of the base 230V motor FLA to the shown voltage (U)",
                          "The FLA listed by NEC shall be used to determine:",
                          "   - Conductor ampacity  430.21 / 430.22",
                          "   - Motor Protection.  Article 430 Part IV and Part V",
                          "   - Minimum disconnect switch rating.  430.110"}))),
      Label4(Label(*this, "Label4",
                   Lines({"Thermal overload protection should be selected using actual motor nameplate data. ",
                          " To estimate motor FLA from your motor's speci"
                          "fications use this equation for three phase motors ",
                          "FLA = P / (1.73 × U × PF × EF ) - Omit the 1.73 for single phase motors.",
                          "  where: ",
                          "P - motor power rating in watts. To convert  HP rating to watts use formula P = 745.7 × HP ",
                          "U - motor voltage (line to line) ",
                          "PF - power factor , ",
                          " EF - motor efficiency"}))) {
  SetCaption("Select Horse Power to obtain motor FLA (Full Load Ampers)");
  SetSize(kMotorWidth, kMotorHeight);
  Arrange(*this, kMotorPlaces);
}

}  // namespace quillet
