// The secondary windows on real Windows controls: each opens as the model
// says, shows its texts, is saved as a picture beside the Qt ones, and
// closes the way it is meant to.
#include "core/elcal.h"
#include "platform/window.h"
#include "view_agreement.h"
#include "win32_fixture.h"

namespace quillet {
namespace {

bool Shown(Win32View& view) { return IsWindowVisible(view.Handle()) != 0; }

TEST_F(Win32ViewTest, AboutOpensFromTheMainWindowAndOkClosesIt) {
  Click("CmdAbout");
  Win32View& about = View("About");
  ASSERT_TRUE(Shown(about));
  EXPECT_EQ(Text("About.Lbl_Version"), app_->Calculator().main.state.VersionText);
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
  SavePicture("About", "win32-about-window");
  Click("About.Command3");
  EXPECT_FALSE(Shown(about));
}

TEST_F(Win32ViewTest, ReadMeOpensModallyFromTheStatusLineAndAClickInTheTextClosesIt) {
  DoubleClick("Stat");
  Win32View& discl = View("Discl");
  ASSERT_TRUE(Shown(discl));
  EXPECT_FALSE(IsWindowEnabled(View("Elcal").Handle())) << "modal";
  EXPECT_EQ(Text("Discl.Text1").rfind("The aim of this software", 0), 0u);
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
  SavePicture("Discl", "win32-discl-window");
  Click("Discl.Text1");
  EXPECT_FALSE(Shown(discl));
  EXPECT_TRUE(IsWindowEnabled(View("Elcal").Handle()));
}

TEST_F(Win32ViewTest, PickerClickOnTheSinglePhaseTextSelectsThatSystem) {
  DoubleClick("Frame3D13", 0.3, 0.05);
  Win32View& phases = View("Phases");
  ASSERT_TRUE(Shown(phases));
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
  SavePicture("Phases", "win32-phases-window");
  Click("Phases.Label4");
  EXPECT_FALSE(Shown(phases));
  EXPECT_EQ(SendMessageW(Handle("SPh"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Text("V"), "120");
}

TEST_F(Win32ViewTest, PickerClosesWhenTheMainWindowIsClicked) {
  DoubleClick("Frame3D13", 0.3, 0.05);
  ASSERT_TRUE(Shown(View("Phases")));
  Click("Frame3D7", 0.5, 0.5);
  EXPECT_FALSE(Shown(View("Phases")));
  EXPECT_EQ(SendMessageW(Handle("TPh"), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Win32ViewTest, MotorWindowOpensAtTheMainWindowShowingOneAmpersandForTwo) {
  DoubleClick("Frame3D16", 0.3, 0.05);
  Win32View& motor = View("Motor");
  ASSERT_TRUE(Shown(motor));
  RECT main{}, shown{};
  GetWindowRect(View("Elcal").Handle(), &main);
  GetWindowRect(motor.Handle(), &shown);
  EXPECT_EQ(shown.left, main.left);
  EXPECT_EQ(shown.top, main.top);
  EXPECT_NE(Text("Motor.Label1").find("NEC Tables: 430.248 & 430.250 and Canadian CEC table 44 & 45."),
            std::string::npos);
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
  SavePicture("Motor", "win32-motor-window");
  Click("Motor.Label2");
  EXPECT_FALSE(Shown(motor));
}

TEST_F(Win32ViewTest, SettingsRefuseABadCostThenCancelClosesWithoutSaving) {
  Click("Command2");
  Win32View& effcon = View("EffCon");
  ASSERT_TRUE(Shown(effcon));
  EXPECT_EQ(Text("EffCon.Text3"), "0.1");
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
  SavePicture("EffCon", "win32-effcon-window");
  Click("EffCon.Text3");
  Press('A', true);
  Type("0.0005");
  AnswerBoxes(IDOK);
  Click("EffCon.Command1");
  Run(100);
  EXPECT_EQ(BoxesAnswered(), 1);
  EXPECT_TRUE(Shown(effcon));
  EXPECT_EQ(Text("EffCon.Text3"), "0.1");
  DWORD start = 0, end = 0;
  SendMessageW(Handle("EffCon.Text3"), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end - start, 3u);
  Click("EffCon.Command2");
  EXPECT_FALSE(Shown(effcon));
}

}  // namespace
}  // namespace quillet
