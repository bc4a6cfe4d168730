#include "forms/phases_form.h"

#include "forms/layout.h"
#include "forms/naming.h"

namespace quillet {
namespace {

constexpr int kPhasesWidth = 7350;
constexpr int kPhasesHeight = 4635;

// The pictures are 160 x 120 pixels (2400 x 1800 twips).
constexpr Placement kPhasesPlaces[] = {
    {"Panel3ph", {60, 60, 7110, 1980}},
    {"Picture1", {90, 90, 2400, 1800}},
    {"Label2", {2640, 150, 4320, 270}},
    {"Label1", {2640, 540, 4320, 1200}},
    {"Panel1ph", {60, 2100, 7110, 1980}},
    {"Picture2", {90, 90, 2400, 1800}},
    {"Label3", {2640, 150, 4320, 450}},
    {"Label4", {2640, 720, 4320, 900}},
};

// The panels have no caption; each picture goes by its system's title.
constexpr Naming kPhasesNames[] = {
    {"Panel3ph", "Label2", ""}, {"Picture1", "Label2", ""},
    {"Panel1ph", "Label3", ""}, {"Picture2", "Label3", ""}};

constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kNavy = 0x800000;
constexpr Colour kTeal = 0x808000;

Shape Fill(Colour colour) { return {Shape::Kind::Fill, colour, {}, 1, false, false, {}}; }
Shape Wire(int x1, int y, int x2) { return {Shape::Kind::Line, kYellow, {x1, y, x2, y}, 3, false, false, {}}; }
Shape Caption(int x, int y) { return {Shape::Kind::Text, kWhite, {x, y}, 1, false, false, "Voltage drop"}; }

// Three phase wires into a round load, the drop measured along them.
std::vector<Shape> ThreePhasePicture() {
  return {Fill(kNavy),
          Wire(8, 62, 108), Wire(8, 78, 104), Wire(8, 94, 108),
          {Shape::Kind::Ellipse, kYellow, {104, 56, 148, 100}, 3, false, false, {}},
          {Shape::Kind::Line, kWhite, {12, 40, 100, 40}, 2, true, true, {}},
          Caption(24, 32)};
}

// Two wires into a box load, the drop running out along one and back along the other.
std::vector<Shape> SinglePhasePicture() {
  return {Fill(kTeal),
          Wire(8, 58, 116), Wire(8, 96, 116),
          {Shape::Kind::Rectangle, kYellow, {116, 44, 150, 110}, 3, false, false, {}},
          {Shape::Kind::Polyline, kWhite, {12, 46, 104, 46, 104, 108, 12, 108}, 2, false, true, {}},
          Caption(24, 36)};
}

}  // namespace

PhasesForm::PhasesForm(Desktop& desktop) : Window(desktop, "Phases") {
  SetCaption("Click on the applicable picture to select");
  SetSize(kPhasesWidth, kPhasesHeight);
  Arrange(*this, kPhasesPlaces);
  NameControls(*this, kPhasesNames);
  Picture1.SetShapes(ThreePhasePicture());
  Picture2.SetShapes(SinglePhasePicture());
  Label2.SetCaption("Three Phase system");
  Label1.SetCaption(
      "The voltage drop calculated will represent a drop along the phase (hot) wires of a balanced three, or four "
      "wire system.");
  Label3.SetCaption("Single Phase (AC) system or Direct Current (DC) system");
  Label4.SetCaption("The voltage drop will represents a drop in both wires.");
  for (Control* bold : {&Label2, &Label3}) bold->SetTypeface({8, true});
}

}  // namespace quillet
