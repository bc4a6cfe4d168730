#include "forms/about_form.h"

#include "forms/layout.h"

namespace quillet {
namespace {

constexpr int kAboutWidth = 4920;
constexpr int kAboutHeight = 2835;

constexpr Placement kAboutPlaces[] = {
    {"Lbl_Program", {240, 180, 4320, 480}},
    {"Lbl_Version", {240, 780, 4320, 300}},
    {"Command2", {240, 1680, 1500, 420}},
    {"Command3", {3060, 1680, 1500, 420}},
};

}  // namespace

AboutForm::AboutForm(Desktop& desktop) : Window(desktop, "About") {
  SetSize(kAboutWidth, kAboutHeight);
  Arrange(*this, kAboutPlaces);
  Lbl_Program.SetTypeface({16, true});
  Command2.SetCaption("Read Me");
  Command3.SetCaption("OK");
}

}  // namespace quillet
