// Names for screen readers and UI automation, and captions drawn as the
// model means them.
#include <QAbstractButton>
#include <QTest>

#include "qt_fixture.h"

namespace quillet {
namespace {

TEST_F(QtViewTest, EveryFocusableWidgetOfTheMainWindowHasAnAccessibleName) {
  QWidget& main = app_->View("Elcal");
  int focusable = 0;
  for (QWidget* widget : main.findChildren<QWidget*>()) {
    if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&main)) continue;
    ++focusable;
    EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
  }
  EXPECT_GE(focusable, 30);  // the walk reached the fields, lists and buttons
}

TEST_F(QtViewTest, AResultIsNamedAfterItsFrameAndReadsOutItsValue) {
  Run(150);
  QWidget* drop = Widget("VDACL");
  EXPECT_EQ(drop->accessibleName(), "AC Voltage drop 3-Ph, volts");
  EXPECT_EQ(drop->accessibleDescription(), LabelText("VDACL"));
  QTest::mouseClick(As<QAbstractButton>("SPh"), Qt::LeftButton);
  Run(150);
  EXPECT_EQ(drop->accessibleName(), "AC Voltage drop 1-Ph, volts");
  EXPECT_EQ(Widget("V")->accessibleName(), "Voltage (U)");
}

TEST_F(QtViewTest, FieldsNamedByTheirLabels) {
  EXPECT_EQ(Widget("TextACR")->accessibleName(), "AC resistance");
  EXPECT_EQ(Widget("A")->accessibleName(), "Current ( I )");
  EXPECT_EQ(Widget("AS")->accessibleName(), "Current ( I )");
  EXPECT_EQ(Widget("CmdUnit")->accessibleName(), QString::fromStdString(app_->Calculator().main.CmdUnit.Caption()));
}

TEST_F(QtViewTest, MotorLabelShowsOneAmpersandForTheEscapedPair) {
  QTest::mouseDClick(Widget("Frame3D16"), Qt::LeftButton, {}, QPoint(20, 5));
  const QString first = LabelText("Motor.Label1");
  EXPECT_TRUE(first.startsWith("Motor data conforms to NEC Tables: 430.248 & 430.250 and Canadian CEC table 44 & 45."))
      << first.toStdString();
  EXPECT_FALSE(first.contains("&&"));
}

}  // namespace
}  // namespace quillet
