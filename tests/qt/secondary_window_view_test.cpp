#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTest>

#include "qt_fixture.h"

namespace quillet {
namespace {

TEST_F(QtViewTest, AboutOpensFromTheMainWindowAndOkClosesIt) {
  QTest::mouseClick(As<QAbstractButton>("CmdAbout"), Qt::LeftButton);
  QWidget& about = app_->View("About");
  ASSERT_TRUE(about.isVisible());
  EXPECT_EQ(about.windowTitle(), "About Quillet");
  EXPECT_EQ(LabelText("About.Lbl_Version").toStdString(), app_->Calculator().main.state.VersionText);
  ASSERT_TRUE(about.grab().save(ShotPath("about-window")));
  QTest::mouseClick(As<QAbstractButton>("About.Command3"), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
}

TEST_F(QtViewTest, ReadMeOpensModallyFromTheStatusLineAndAClickInTheTextClosesIt) {
  QTest::mouseDClick(Widget("Stat"), Qt::LeftButton);
  QWidget& discl = app_->View("Discl");
  ASSERT_TRUE(discl.isVisible());
  EXPECT_EQ(discl.windowModality(), Qt::ApplicationModal);
  auto* readMe = As<QPlainTextEdit>("Discl.Text1");
  EXPECT_TRUE(readMe->toPlainText().startsWith("The aim of this software"));
  ASSERT_TRUE(discl.grab().save(ShotPath("discl-window")));
  QTest::mouseClick(readMe->viewport(), Qt::LeftButton);
  EXPECT_FALSE(discl.isVisible());
}

TEST_F(QtViewTest, PickerClickOnTheSinglePhaseTextSelectsThatSystem) {
  QTest::mouseDClick(Widget("Frame3D13"), Qt::LeftButton, {}, QPoint(20, 5));
  QWidget& phases = app_->View("Phases");
  ASSERT_TRUE(phases.isVisible());
  ASSERT_TRUE(phases.grab().save(ShotPath("phases-window")));
  QTest::mouseClick(Widget("Phases.Label4"), Qt::LeftButton);
  EXPECT_FALSE(phases.isVisible());
  EXPECT_TRUE(As<QAbstractButton>("SPh")->isChecked());
  EXPECT_EQ(As<QLineEdit>("V")->text(), "120");
}

TEST_F(QtViewTest, MotorWindowOpensAtTheMainWindowShowingOneAmpersandForTwoAndAClickClosesIt) {
  QTest::mouseDClick(Widget("Frame3D16"), Qt::LeftButton, {}, QPoint(20, 5));
  QWidget& motor = app_->View("Motor");
  ASSERT_TRUE(motor.isVisible());
  EXPECT_EQ(motor.pos(), app_->View("Elcal").pos());
  EXPECT_TRUE(LabelText("Motor.Label1").contains("NEC Tables: 430.248 & 430.250 and Canadian CEC table 44 & 45."));
  ASSERT_TRUE(motor.grab().save(ShotPath("motor-window")));
  QTest::mouseClick(Widget("Motor.Label2"), Qt::LeftButton);
  EXPECT_FALSE(motor.isVisible());
}

TEST_F(QtViewTest, SettingsRefuseABadCostThenCancelClosesWithoutSaving) {
  QTest::mouseClick(As<QAbstractButton>("Command2"), Qt::LeftButton);
  QWidget& effcon = app_->View("EffCon");
  ASSERT_TRUE(effcon.isVisible());
  auto* cost = As<QLineEdit>("EffCon.Text3");
  EXPECT_EQ(cost->text(), "0.1");
  ASSERT_TRUE(effcon.grab().save(ShotPath("effcon-window")));
  cost->setFocus();
  cost->selectAll();
  QTest::keyClicks(cost, "0.0005");
  AcceptNextMessageBox();
  QTest::mouseClick(As<QAbstractButton>("EffCon.Command1"), Qt::LeftButton);
  EXPECT_TRUE(effcon.isVisible());
  EXPECT_EQ(cost->text(), "0.1");
  EXPECT_EQ(cost->selectedText(), "0.1");
  QTest::mouseClick(As<QAbstractButton>("EffCon.Command2"), Qt::LeftButton);
  EXPECT_FALSE(effcon.isVisible());
}

TEST_F(QtViewTest, TypingOverASelectedDigitWithTheSameDigitLeavesTheCaretWhereTheModelHasIt) {
  QTest::mouseClick(As<QAbstractButton>("Command2"), Qt::LeftButton);
  auto* cost = As<QLineEdit>("EffCon.Text3");
  cost->setFocus(Qt::MouseFocusReason);
  cost->setSelection(2, 1);
  QTest::keyClick(cost, Qt::Key_1);
  const TextBox& model = app_->Calculator().effcon.Text3;
  EXPECT_EQ(cost->text().toStdString(), model.Text());
  EXPECT_FALSE(cost->hasSelectedText());
  EXPECT_EQ(cost->cursorPosition(), model.SelStart());
  QTest::mouseClick(As<QAbstractButton>("EffCon.Command2"), Qt::LeftButton);
}

TEST_F(QtViewTest, PasteAfterOkPutsTheSummaryOnTheClipboard) {
  QGuiApplication::clipboard()->setText("before");
  Run(120);
  AcceptNextMessageBox();
  QTest::mouseClick(As<QAbstractButton>("PasteComm"), Qt::LeftButton);
  const QString text = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith("Voltage Drop Calculations - Date: ")) << text.toStdString();
  EXPECT_TRUE(text.contains("\r\nJob Name/Feeder Tag: Type Job Name/Feeder Tag here\r\n"));
  EXPECT_EQ(As<QLineEdit>("Job")->selectedText(), "Type Job Name/Feeder Tag here");
}

}  // namespace
}  // namespace quillet
