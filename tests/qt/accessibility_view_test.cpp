// Names for screen readers and UI automation (each widget's name is the
// model's, which the view agreement checks; the names: controls_test.cpp).
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

}  // namespace
}  // namespace quillet
