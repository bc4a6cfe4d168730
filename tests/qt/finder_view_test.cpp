// The size finder on real widgets: opened with Ctrl+F, the limit typed, the
// answer used with Enter and shown by the main window; Escape changes nothing.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "core/elcal.h"
#include "qt_fixture.h"

namespace quillet {
namespace {

class FinderViewTest : public QtViewTest {
 protected:
  void SetUp() override {
    QtViewTest::SetUp();
    // 100 A over 100 m at 208 V: the drop governs.
    Type("A", "100");
    Type("L", "100");
    Run(120);
  }

  void Type(const std::string& field, const char* text) {
    auto* edit = As<QLineEdit>(field);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  }

  QWidget& Finder() const { return app_->View("Finder"); }
  QAbstractItemModel& Table() const { return *As<QTableView>("Finder.Sizes")->model(); }
  QString Cell(int row, int column) const { return Table().index(row, column).data().toString(); }
  int MarkedRow() const {
    for (int row = 0; row < Table().rowCount(); ++row)
      if (Table().index(row, 0).data(Qt::FontRole).value<QFont>().bold()) return row;
    return -1;
  }
  void OpenWithCtrlF() {
    QWidget& main = app_->View("Elcal");
    QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
    Run(30);
    ASSERT_TRUE(Finder().isVisible());
  }
};

TEST_F(FinderViewTest, CtrlFOpensItModalOverTheMainWindowWithTheAnswerMarked) {
  OpenWithCtrlF();
  EXPECT_EQ(Finder().windowTitle(), QStringLiteral("Smallest conductor size"));
  EXPECT_EQ(Finder().windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(As<QLineEdit>("Finder.Limit")->text(), QStringLiteral("3"));
  EXPECT_EQ(Table().columnCount(), 8);
  EXPECT_EQ(Table().headerData(2, Qt::Horizontal).toString(), QStringLiteral("Design ampacity"));
  ASSERT_EQ(Table().rowCount(), 12);
  EXPECT_EQ(MarkedRow(), 10);
  EXPECT_EQ(Cell(10, 0), QStringLiteral("2/0 AWG"));
  EXPECT_EQ(Cell(10, 5), QStringLiteral("2.67 %"));
  // 100 A at 208 V, 36.03 kVA: a 100 A device with 60 °C terminals, so 1 AWG's 110 A for the ampacity alone; its 8 AWG
  // grounding conductor grows with 2/0: 16,510 × 133,100 / 83,690 = 26,257 cmil, above 6 AWG's 26,240.
  EXPECT_EQ(Cell(7, 3), QStringLiteral("next size up"));
  EXPECT_EQ(As<QLabel>("Finder.Answer")->text(),
            QString::fromUtf8("2/0 AWG copper: the voltage drop governs (2.67 % ≤ 3 %); the ampacity alone needs 1 AWG."));
  EXPECT_EQ(As<QLabel>("Finder.Design")->text(),
            QString::fromUtf8("Load 36.03 kVA, overcurrent device 100 A, terminals 60 °C, grounding conductor 4 AWG copper "
                              "(upsized)."));
  // 4 × 0.2223 + 0.0824 = 0.9716 in², above the 0.8144 in² of 1-1/2" EMT; 2" holds 1.3424 in².
  EXPECT_EQ(As<QLabel>("Finder.ConductorSet")->text(), QString::fromUtf8("Conductor set: 4 #2/0 + 1 #4 G, 2\" EMT."));
  // Every control inside the window, none over another.
  const QRect inside = Finder().rect();
  std::vector<QRect> places;
  for (const char* name : {"Finder.LimitLabel", "Finder.Limit", "Finder.Continuous", "Finder.RunsLabel", "Finder.Runs",
                           "Finder.DcFeeder", "Finder.Nonlinear", "Finder.Sizes", "Finder.Design", "Finder.ConductorSet",
                           "Finder.Answer", "Finder.UseSize", "Finder.CloseButton"}) {
    const QRect place = Widget(name)->geometry();
    EXPECT_TRUE(inside.contains(place)) << name;
    for (const QRect& other : places) EXPECT_FALSE(place.intersects(other)) << name;
    places.push_back(place);
  }
  ASSERT_TRUE(Finder().grab().save(ShotPath("finder-window")));
}

TEST_F(FinderViewTest, TypingALooserLimitFindsASmallerSize) {
  OpenWithCtrlF();
  auto* limit = As<QLineEdit>("Finder.Limit");
  ASSERT_TRUE(limit->hasFocus());
  QTest::keyClick(limit, Qt::Key_5);  // replaces the selected 3
  EXPECT_EQ(limit->text(), QStringLiteral("5"));
  EXPECT_EQ(Cell(MarkedRow(), 0), QStringLiteral("1 AWG"));
  QTest::mouseClick(As<QAbstractButton>("Finder.Continuous"), Qt::LeftButton);
  EXPECT_TRUE(As<QAbstractButton>("Finder.Continuous")->isChecked());
  EXPECT_EQ(Cell(MarkedRow(), 0), QStringLiteral("1 AWG"));
}

TEST_F(FinderViewTest, ARefusedLimitIsReportedAndTheLastOneComesBack) {
  OpenWithCtrlF();
  auto* limit = As<QLineEdit>("Finder.Limit");
  QTest::keyClicks(limit, QStringLiteral("45"));
  EXPECT_EQ(Table().rowCount(), 0);
  EXPECT_FALSE(As<QAbstractButton>("Finder.UseSize")->isEnabled());
  AcceptNextMessageBox();
  QTest::keyClick(limit, Qt::Key_Return);
  Run(300);
  EXPECT_FALSE(expectBox_);
  EXPECT_EQ(limit->text(), QStringLiteral("3"));
  EXPECT_EQ(MarkedRow(), 10);
  EXPECT_TRUE(Finder().isVisible());
}

TEST_F(FinderViewTest, EnterUsesTheSizeAndTheMainWindowShowsTheRow) {
  OpenWithCtrlF();
  const QString drop = Cell(10, 4);
  const QString percent = Cell(10, 5);
  const QString ampacity = Cell(10, 1);
  QTest::keyClick(As<QLineEdit>("Finder.Limit"), Qt::Key_Return);
  Run(150);
  EXPECT_FALSE(Finder().isVisible());
  EXPECT_EQ(As<QComboBox>("ComWS")->currentText(), QStringLiteral(" 2/0 AWG"));
  EXPECT_EQ(LabelText("VDACL"), drop);
  EXPECT_EQ(LabelText("VDACPRCL"), percent);
  EXPECT_EQ(LabelText("Ampacit"), ampacity);
}

TEST_F(FinderViewTest, EscapeClosesAndLeavesTheMainWindowAsItWas) {
  const QString size = As<QComboBox>("ComWS")->currentText();
  const QString drop = LabelText("VDACL");
  OpenWithCtrlF();
  QTest::keyClick(As<QLineEdit>("Finder.Limit"), Qt::Key_Escape);
  Run(150);
  EXPECT_FALSE(Finder().isVisible());
  EXPECT_EQ(As<QComboBox>("ComWS")->currentText(), size);
  EXPECT_EQ(LabelText("VDACL"), drop);
}

}  // namespace
}  // namespace quillet
