#include <QAbstractButton>
#include <QDir>
#include <QPixmap>
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
  ASSERT_TRUE(about.grab().save(QDir(QStringLiteral(QUILLET_SHOT_DIR)).filePath("about-window.png")));
  QTest::mouseClick(As<QAbstractButton>("About.Command3"), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace quillet
