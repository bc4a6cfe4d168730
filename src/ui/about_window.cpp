#include "ui/about_window.h"

#include "ui/center_over_main.h"
#include "ui/elcal.h"
#include "ui/layout.h"

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

AboutWindow::AboutWindow(Desktop& desktop, Elcal& main) : Window(desktop, "About"), main_(main) {
  SetSize(kAboutWidth, kAboutHeight);
  Arrange(*this, kAboutPlaces);
  Lbl_Program.SetTypeface({16, true});
  Command2.SetCaption("Read Me");
  Command3.SetCaption("OK");
  Load = [this] {
    CenterOverMain(*this, main_, Width(), Height());
    SetCaption("About " + main_.state.ProgramName);
  };
  Activate = [this] {
    Lbl_Program.SetCaption(main_.state.ProgramName);
    Lbl_Version.SetCaption(main_.state.VersionText);
    Command3.SetFocus();
  };
  Command3.Click = [this] { Close(); };
  ClickOnWindow = [this] { Close(); };
}

}  // namespace quillet
