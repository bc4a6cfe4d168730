#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QLineEdit>
#include <QToolButton>
#include <QTest>
#include <set>
#include <stdexcept>

#include "core/elcal.h"
#include "qt/widgets.h"
#include "qt_fixture.h"

namespace quillet {
namespace {

TEST_F(QtViewTest, TypedCurrentChangesTheVoltageDropAfterTheTimerRuns) {
  Run(150);
  const QString before = LabelText("VDACL");
  auto* current = As<QLineEdit>("A");
  current->setFocus(Qt::MouseFocusReason);
  current->selectAll();
  QTest::keyClicks(current, "100");
  EXPECT_EQ(current->text(), "100");
  Run(200);
  EXPECT_NE(LabelText("VDACL"), before);
  EXPECT_EQ(LabelText("VDACL").toStdString(), app_->Calculator().main.VDACL.Caption());
}

TEST_F(QtViewTest, RejectedCharacterNeverReachesTheField) {
  auto* current = As<QLineEdit>("A");
  current->setFocus(Qt::MouseFocusReason);
  current->setCursorPosition(current->text().size());
  QTest::keyClicks(current, "x");
  EXPECT_EQ(current->text(), "10.0");
  EXPECT_EQ(app_->Calculator().main.A.Text(), "10.0");
}

// The option is selected by the model, never by the button itself.
TEST_F(QtViewTest, ClickingAnOptionSelectsItAndTheSelectedOneRunsNothing) {
  Run(100);
  QTest::mouseClick(As<QAbstractButton>("OptAL"), Qt::LeftButton);
  EXPECT_TRUE(As<QAbstractButton>("OptAL")->isChecked());
  EXPECT_FALSE(As<QAbstractButton>("OptCU")->isChecked());
  EXPECT_EQ(As<QComboBox>("ComWS")->count(), 20);
  int clicks = 0;
  OptionButton& aluminium = app_->Calculator().main.OptAL;
  aluminium.Click = [&clicks, handler = aluminium.Click] { ++clicks, handler(); };
  QTest::mouseClick(As<QAbstractButton>("OptAL"), Qt::LeftButton);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(As<QAbstractButton>("OptAL")->isChecked());
}

TEST_F(QtViewTest, SpaceClicksTheFocusedUnitButton) {
  auto* unit = As<QAbstractButton>("CmdUnit");
  const std::string before = app_->Calculator().main.CmdUnit.Caption();
  unit->setFocus(Qt::TabFocusReason);
  QTest::keyClick(unit, Qt::Key_Space);
  EXPECT_NE(app_->Calculator().main.CmdUnit.Caption(), before);
}

TEST_F(QtViewTest, ArrowKeyStepsTheCurrent) {
  auto* current = As<QLineEdit>("A");
  current->setFocus(Qt::TabFocusReason);
  QTest::keyClick(current, Qt::Key_Up);
  EXPECT_NE(current->text(), "10.0");
  EXPECT_EQ(current->text().toStdString(), app_->Calculator().main.A.Text());
}

TEST_F(QtViewTest, HoverWritesTheHintIntoTheStatusPanel) {
  QTest::mouseMove(Widget("CmdAbout"));
  Run(20);
  EXPECT_EQ(LabelText("Stat").toStdString(), app_->Calculator().main.Stat.Caption());
}

// Saved for review as main-window.png.
TEST_F(QtViewTest, WindowFitsTheModelsClientArea) {
  Run(200);
  Elcal& main = app_->Calculator().main;
  QWidget& view = app_->View("Elcal");
  EXPECT_EQ(view.width(), (main.Width() - kNonClientWidth) / 15);
  EXPECT_EQ(view.height(), (main.Height() - kNonClientHeight) / 15);
  for (QWidget* child : view.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->isHidden()) continue;
    EXPECT_TRUE(view.rect().contains(child->geometry())) << child->objectName().toStdString();
  }
  EXPECT_TRUE(view.grab().save(ShotPath("main-window")));
}

TEST_F(QtViewTest, AResultKeepsItsOwnColourWhenItsFrameIsGreyed) {
  Elcal& main = app_->Calculator().main;
  main.FrameVDDC.SetForeColor(kGrayText);
  main.VDC.SetForeColor(kWindowText);
  EXPECT_EQ(Widget("VDC")->palette().color(QPalette::WindowText), ShownColour(kWindowText));
  EXPECT_EQ(Widget("FrameVDDC")->palette().color(QPalette::WindowText), ShownColour(kGrayText));
}

TEST_F(QtViewTest, AControlDisabledInsideADisabledFrameStaysDisabledWhenTheFrameReturns) {
  Elcal& main = app_->Calculator().main;
  main.Frame3D16.SetEnabled(false);
  main.ComHP.SetEnabled(false);
  main.Frame3D16.SetEnabled(true);
  EXPECT_FALSE(Widget("ComHP")->isEnabled());
  main.ComHP.SetEnabled(true);
  EXPECT_TRUE(Widget("ComHP")->isEnabled());
}

TEST_F(QtViewTest, AHeldSpinArrowStopsRepeatingWhenItsMessageBoxOpens) {
  watchdog_.stop();  // the boxes are answered here, after a while
  app_->Calculator().main.state.Current = 0;
  auto* arrows = dynamic_cast<SpinArrows*>(Widget("AS"));
  ASSERT_NE(arrows, nullptr);
  std::set<QWidget*> boxes;
  QElapsedTimer shown;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    if (boxes.insert(box).second) shown.start();
    // Boxes piling up: let go of the arrow so the test can end and fail.
    if (boxes.size() > 3) arrows->Down()->setDown(false);
    // Long enough for an arrow that still repeated to run its handler again.
    if (shown.elapsed() > 800 || boxes.size() > 3) box->button(QMessageBox::Ok)->click();
  });
  answerer.start(20);
  QTest::mousePress(arrows->Down(), Qt::LeftButton);
  Run(1500);
  QTest::mouseRelease(arrows->Down(), Qt::LeftButton);
  Run(100);
  EXPECT_EQ(boxes.size(), 1u);
}

// A fault in a handler costs the action, not the program and its data.
TEST_F(QtViewTest, AnExceptionInAHandlerIsShownAndTheWindowGoesOn) {
  struct Faulty : QObject {
    bool event(QEvent*) override { throw std::runtime_error("no more memory"); }
  } faulty;
  AcceptNextMessageBox();
  QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
  Run(600);
  EXPECT_FALSE(expectBox_) << "no message box";
  QTest::keyClicks(As<QLineEdit>("A"), "7");
  Run(100);
  EXPECT_EQ(As<QLineEdit>("A")->text().right(1), "7");
}

}  // namespace
}  // namespace quillet
