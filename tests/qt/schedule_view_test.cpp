// The feeder schedule window on screen: the table over the schedule, cells
// edited with the keyboard, blocks pasted and copied as a spreadsheet does,
// and the question before unsaved rows are lost.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QLineEdit>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "qt/diagram_view.h"
#include "qt/grid_view.h"
#include "qt/qt_printer.h"
#include "qt/theme.h"
#include "qt/twips.h"
#include "qt_fixture.h"
#include "view_agreement.h"
#include "workbench/schedule_workbook.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

class ScheduleViewTest : public QtViewTest {
 protected:
  void SetUp() override {
    QtViewTest::SetUp();
    dialogs_ = schedule().askFileName;
    schedule().askFileName = [this](FileQuestion, const std::string&) { return nextFile_; };
    // Ctrl+E from a field of the main window opens the schedule.
    QWidget& main = app_->View("Elcal");
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    auto* field = qobject_cast<QLineEdit*>(Widget("A"));
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
    Run(50);
    QWidget& view = app_->View("Schedule");
    ASSERT_TRUE(view.isVisible());
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  }

  ScheduleWindow& schedule() { return *dynamic_cast<ScheduleWindow*>(app_->Calculator().FindWindow("Schedule")); }
  GridView* Table() { return dynamic_cast<GridView*>(Widget("Schedule.Feeders")); }
  QString Shown(int row, const char* column) {
    const int c = static_cast<int>(*schedule().model.ColumnNamed(column));
    return Table()->model()->index(row, c).data().toString();
  }
  void Import(const QString& path) {
    nextFile_ = path.toStdString();
    QTest::mouseClick(As<QAbstractButton>("Schedule.Import"), Qt::LeftButton);
    // A minute at most: a sanitized build on a busy machine is slow, and a
    // table still filling would move its columns under the test.
    for (int i = 0; i < 3000 && schedule().Evaluation.Enabled(); ++i) Run(20);
    ASSERT_FALSE(schedule().Evaluation.Enabled()) << "the import was still being evaluated after a minute";
  }
  void ImportSmall() {
    QFile file(QDir(Folder()).filePath(QStringLiteral("small.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("tag,system,voltage,current,length,unit,size\nA,3,208,100,100,ft,\nB,3,480,40,200,ft,\n");
    file.close();
    Import(file.fileName());
  }
  // The example, then more copies of its flat rows than a page holds.
  void ImportExampleWithCopies(int copies) {
    Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
    const std::string rows = schedule().Copy(0, 0, 21, static_cast<int>(schedule().model.InputColumnCount()) - 1);
    for (int copy = 0; copy < copies; ++copy)
      app_->Calculator().actions.PasteCells(schedule().Feeders, static_cast<int>(schedule().model.RowCount()), 0, rows);
  }
  void FocusCell(int row, const char* column) {
    const int c = static_cast<int>(*schedule().model.ColumnNamed(column));
    Table()->setFocus();
    Table()->setCurrentIndex(Table()->model()->index(row, c));
  }

  // Keys go where the keyboard focus is: the first starts the cell's editor.
  static void Type(const QString& text) {
    for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
  }

  std::string nextFile_;
  // The view's own file dialogs.
  std::function<std::string(FileQuestion, const std::string&)> dialogs_;
};

// The export's dialog offers a workbook beside the CSV where the build
// writes one; the import's reads CSV only.
TEST_F(ScheduleViewTest, TheExportDialogOffersAWorkbookBesideTheCsv) {
  const struct {
    const char* name;
    FileQuestion question;
    bool workbook;
  } rows[] = {
      {"export", FileQuestion::Export, WritesWorkbooks()},
      {"import", FileQuestion::Import, false},
  };
  for (const auto& row : rows) {
    QStringList filters;
    QTimer poll;
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog) {
        filters = dialog->nameFilters();
        dialog->reject();
      }
      // A minute at the most: a loaded machine may take seconds to show it.
      if (dialog || ++polls > 2400) poll.stop();
    });
    poll.start(25);
    EXPECT_EQ(dialogs_(row.question, "feeders.csv"), "") << row.name;
    EXPECT_TRUE(filters.contains(QStringLiteral("CSV files (*.csv)"))) << row.name;
    EXPECT_EQ(filters.contains(QStringLiteral("Excel workbooks (*.xlsx)")), row.workbook) << row.name;
  }
}

TEST_F(ScheduleViewTest, ShowsTheExampleScheduleWithItsColoursAndSavesAPicture) {
  ASSERT_TRUE(app_->View("Schedule").isVisible());
  Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
  ASSERT_EQ(Table()->model()->rowCount(), 32);
  EXPECT_EQ(Shown(0, "size_used"), QStringLiteral("600 kcmil"));
  EXPECT_EQ(app_->View("Schedule").windowTitle(), QStringLiteral("Feeder schedule - feeders.csv"));
  EXPECT_EQ(As<QLabel>("Schedule.Progress")->text(),
            QStringLiteral("32 feeders: 30 evaluated, 2 with errors (rows 21, 22)"));
  // The row with an error is marked where the eye starts: its number and its tag.
  const QAbstractItemModel& m = *Table()->model();
  for (const QModelIndex& crane : {m.index(20, static_cast<int>(*schedule().model.ColumnNamed("error"))),
                                   m.index(20, static_cast<int>(*schedule().model.ColumnNamed("tag")))}) {
    EXPECT_EQ(crane.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_TRUE(crane.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("no size fits")));
  }
  EXPECT_EQ(m.headerData(20, Qt::Vertical, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
  EXPECT_TRUE(m.headerData(20, Qt::Vertical, Qt::ToolTipRole).toString().startsWith(QStringLiteral("no size fits")));
  EXPECT_FALSE(m.headerData(19, Qt::Vertical, Qt::ForegroundRole).isValid());
  const int drop = static_cast<int>(*schedule().model.ColumnNamed("vd_pct"));
  EXPECT_EQ(m.headerData(drop, Qt::Horizontal).toString(), QStringLiteral("Drop (%)"));
  EXPECT_EQ(m.headerData(drop, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("vd_pct"));
  const int check = static_cast<int>(*schedule().model.ColumnNamed("ampacity_check"));
  EXPECT_EQ(Table()->model()->index(0, check).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
  Run(300);  // the columns take their widths once the cells settle
  ASSERT_TRUE(app_->View("Schedule").grab().save(ShotPath("schedule-window")));
}

// Every control of the window lies inside it, where a click reaches it.
void ExpectEveryControlInside(const WindowView& view) {
  for (const Control* control : view.Model().Controls()) {
    const QWidget* widget = view.WidgetOf(control->Name());
    if (!widget || widget->isWindow() || !control->Visible()) continue;
    EXPECT_TRUE(view.rect().contains(QRect(widget->mapTo(&view, QPoint()), widget->size())))
        << view.Model().Name() << "." << control->Name();
  }
  EXPECT_EQ(Disagreement(view), std::nullopt);
}

// Opened on any screen (800 x 600 at 1x, 1920 x 1080 at 2x) the window
// fits it with every button inside; the user's resizing and maximising
// reach the model, which lays the controls out again.
TEST_F(ScheduleViewTest, FitsTheScreenAndFollowsResizingAndMaximisingAndSavesPictures) {
  Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
  WindowView& view = app_->View("Schedule");
  EXPECT_TRUE(view.screen()->availableGeometry().contains(view.frameGeometry()));
  ExpectEveryControlInside(view);
  Run(300);  // the columns take their widths once the cells settle
  ASSERT_TRUE(view.grab().save(PicturePath(QStringLiteral("schedule-window"))));
  const QSize smallest = view.minimumSize();
  view.resize(smallest.width(), smallest.height() + 40);
  Run(50);
  EXPECT_EQ(schedule().Width(), ToTwips(smallest.width()) + kNonClientWidth);
  ExpectEveryControlInside(view);
  view.showMaximized();
  Run(100);
  EXPECT_EQ(schedule().State(), WindowState::Maximised);
  EXPECT_GT(view.width(), smallest.width());
  ExpectEveryControlInside(view);
  ASSERT_TRUE(view.grab().save(PicturePath(QStringLiteral("schedule-window-maximised"))));
  view.showNormal();
  Run(100);
  EXPECT_EQ(schedule().State(), WindowState::Normal);
  EXPECT_EQ(view.size(), QSize(smallest.width(), smallest.height() + 40));
  ExpectEveryControlInside(view);
}

// "Results first" brings the tag, the check and the results a designer
// reads to the front, coloured as before. Its picture is the README's
// (scripts/screenshots.sh copies it to docs/images/).
TEST_F(ScheduleViewTest, ResultsFirstShowsTheChecksBeforeTheInputsAndSavesAPicture) {
  Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
  // On its box: the widget is wider than its text, and a click past the text is no click.
  auto* box = As<QAbstractButton>("Schedule.ResultsFirst");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  Run(300);  // the columns take their widths once the cells settle
  EXPECT_EQ(schedule().model.View(), ColumnView::ResultsFirst);
  const QAbstractItemModel& m = *Table()->model();
  const std::vector<std::pair<QString, QString>> leading = {
      {QStringLiteral("Tag"), QStringLiteral("MDP main feeder")},
      {QStringLiteral("Check"), QStringLiteral("OK")},
      {QStringLiteral("Size used"), QStringLiteral("600 kcmil")},
  };
  for (int c = 0; c < static_cast<int>(leading.size()); ++c) {
    EXPECT_EQ(m.headerData(c, Qt::Horizontal).toString(), leading[c].first);
    EXPECT_EQ(m.index(0, c).data().toString(), leading[c].second);
  }
  EXPECT_EQ(m.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
  EXPECT_EQ(m.index(20, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
  EXPECT_EQ(Disagreement(app_->View("Schedule")), std::nullopt);
  ASSERT_TRUE(app_->View("Schedule").grab().save(ShotPath("schedule-window-results-first")));
}

TEST_F(ScheduleViewTest, TheTreeWindowSelectsTheClickedFeedersRowAndFollowsEditsAndSavesAPicture) {
  Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
  QTest::mouseClick(As<QAbstractButton>("Schedule.ShowTree"), Qt::LeftButton);
  Run(50);
  QWidget& tree = app_->View("Tree");
  ASSERT_TRUE(tree.isVisible());
  auto* view = dynamic_cast<DiagramView*>(Widget("Tree.Boxes"));
  ASSERT_NE(view, nullptr);
  const TreeWindow& window = schedule().tree;
  const auto& boxes = window.Boxes.Drawing().boxes;
  const auto dp2 = std::find_if(boxes.begin(), boxes.end(), [](const DiagramBox& b) { return b.lines[0].text == "Panel DP-2"; });
  ASSERT_NE(dp2, boxes.end());
  // The example's service has source data: every box has a line for its fault current.
  ASSERT_EQ(dp2->lines.size(), 6u);
  EXPECT_EQ(dp2->lines[5].text, "6.96 kA");
  const int box = static_cast<int>(dp2 - boxes.begin());
  // Scrolled to, then clicked where it shows.
  view->verticalScrollBar()->setValue(ToRect(dp2->place).top() - 10);
  const QRect place = ToRect(dp2->place).translated(-view->horizontalScrollBar()->value(), -view->verticalScrollBar()->value());
  ASSERT_EQ(view->BoxAt(place.center()), box);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
  Run(30);
  EXPECT_EQ(Table()->currentIndex().row(), static_cast<int>(window.RowOf(box)));
  EXPECT_EQ(window.Boxes.Marked(), box);
  // A longer feeder: its own drop and the total below it are drawn again.
  const QString before = QString::fromStdString(boxes[static_cast<std::size_t>(box)].lines[3].text);
  app_->Calculator().actions.EditCell(schedule().Feeders, Table()->currentIndex().row(),
                                      static_cast<int>(*schedule().model.ColumnNamed("length")), "500");
  for (int i = 0; i < 100 && schedule().Evaluation.Enabled(); ++i) Run(20);
  EXPECT_NE(QString::fromStdString(window.Boxes.Drawing().boxes[static_cast<std::size_t>(box)].lines[3].text), before);
  ASSERT_TRUE(tree.grab().save(ShotPath("tree-window")));
}

TEST_F(ScheduleViewTest, OpenInCalculatorShowsTheRowWithTheMainWindowsOwnBox) {
  Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
  FocusCell(0, "tag");  // four parallel runs of 600 kcmil
  // The first choice of several runs is explained in a box, raised after the button's handler returned.
  AcceptNextMessageBox();
  QTest::mouseClick(As<QAbstractButton>("Schedule.OpenInCalc"), Qt::LeftButton);
  Run(300);
  EXPECT_FALSE(expectBox_);
  EXPECT_EQ(LabelText("VDACPRCL"), QStringLiteral("0.38 %"));
  EXPECT_EQ(LabelText("Ampacit"), QStringLiteral("1,680 A"));
}

TEST_F(ScheduleViewTest, TypingInACellEditsItAndEnterMovesDown) {
  ImportSmall();
  FocusCell(0, "current");
  Type(QStringLiteral("150"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Run(30);
  EXPECT_EQ(Shown(0, "current"), QStringLiteral("150"));
  EXPECT_EQ(Shown(0, "current_a"), QStringLiteral("150"));
  EXPECT_EQ(Shown(0, "size_used"), QStringLiteral("1/0 AWG"));
  EXPECT_EQ(Table()->currentIndex().row(), 1);
  // The cell Enter moved to keeps a frame in the selection's text colour.
  const QRect cell = Table()->visualRect(Table()->currentIndex());
  const QImage shown = Table()->viewport()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(cell.left() + 1, cell.center().y()),
            Table()->palette().color(QPalette::HighlightedText));
  EXPECT_TRUE(app_->View("Schedule").windowTitle().endsWith(QStringLiteral(" *")));
  // F2 on a column with fixed values offers them in a list.
  FocusCell(0, "system");
  QTest::keyClick(Table(), Qt::Key_F2);
  auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 3);
  list->setCurrentIndex(list->findText(QStringLiteral("1")));
  QTest::keyClick(list, Qt::Key_Return);
  Run(30);
  EXPECT_EQ(Shown(0, "system"), QStringLiteral("1"));
  // Delete clears the cell; the row then says what is missing.
  FocusCell(1, "length");
  QTest::keyClick(Table(), Qt::Key_Delete);
  Run(30);
  EXPECT_EQ(Shown(1, "length"), QString());
  EXPECT_EQ(Shown(1, "error"), QStringLiteral("length (blank): a one-way length above 0"));
  EXPECT_EQ(As<QLabel>("Schedule.RowNote")->text(), QStringLiteral("Row 2: length (blank): a one-way length above 0"));
  // Ctrl+Z takes the clearing back.
  QTest::keyClick(Table(), Qt::Key_Z, Qt::ControlModifier);
  Run(30);
  EXPECT_EQ(Shown(1, "length"), QStringLiteral("200"));
  EXPECT_EQ(Shown(1, "error"), QString());
}

// The tag stays at the left edge while the other columns scroll sideways,
// and a click on it selects its row.
TEST_F(ScheduleViewTest, KeepsTheTagInPlaceWhileTheColumnsScrollSideways) {
  Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
  auto* frozen = Table()->findChild<QTableView*>(QStringLiteral("frozenColumn"));
  ASSERT_NE(frozen, nullptr);
  ASSERT_TRUE(frozen->isVisible());
  QScrollBar* across = Table()->horizontalScrollBar();
  across->setValue(across->maximum());
  Run(30);
  EXPECT_GT(Table()->columnAt(frozen->width() + 1), 10);
  EXPECT_EQ(frozen->geometry().left(), Table()->verticalHeader()->width() + Table()->frameWidth());
  EXPECT_EQ(frozen->indexAt(QPoint(2, 2)).data().toString(), QStringLiteral("MDP main feeder"));
  QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, frozen->visualRect(frozen->model()->index(2, 0)).center());
  Run(30);
  EXPECT_EQ(schedule().Feeders.CurrentRow(), 2);
  EXPECT_EQ(across->value(), across->maximum());
  // Typing on a tag edits it above the table; Enter moves down.
  FocusCell(2, "tag");
  Type(QStringLiteral("LP-9"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Run(30);
  EXPECT_EQ(Shown(2, "tag"), QStringLiteral("LP-9"));
  EXPECT_EQ(Table()->currentIndex().row(), 3);
  EXPECT_EQ(QApplication::focusWidget(), Table());
}

// What a widget's text is drawn on: its own background where it paints
// one, else the nearest parent's that does.
QColor Behind(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget())
    if (w == widget ? w->autoFillBackground() || qobject_cast<const QLineEdit*>(w) ||
                          qobject_cast<const QPushButton*>(w)
                    : w->autoFillBackground() || w->isWindow())
      return w->palette().color(w->backgroundRole());
  return {};
}

// Under a dark palette every text of the main window and the schedule
// stands out from what it is drawn on, and the rule colours stay as they are.
TEST_F(ScheduleViewTest, UnderADarkPaletteEveryTextStandsOutAndTheColoursStay) {
  const QPalette light = QApplication::palette();
  const QString style = QApplication::style()->name();
  UseDarkLook();
  Import(QStringLiteral(QUILLET_EXAMPLE_SCHEDULE));
  Run(300);
  for (const char* window : {"Elcal", "Schedule"}) {
    for (const QWidget* w : app_->View(window).findChildren<QWidget*>()) {
      if (!w->isVisible() || !(qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
                               qobject_cast<const QLineEdit*>(w)))
        continue;
      EXPECT_GE(Contrast(w->palette().color(w->foregroundRole()), Behind(w)), 3.0)
          << window << " " << w->objectName().toStdString();
    }
  }
  const QAbstractItemModel& m = *Table()->model();
  for (int r = 0; r < m.rowCount(); ++r)
    for (int c = 0; c < m.columnCount(); ++c) {
      const QVariant text = m.index(r, c).data(Qt::ForegroundRole), ground = m.index(r, c).data(Qt::BackgroundRole);
      if (!text.isValid()) continue;
      EXPECT_GE(Contrast(text.value<QColor>(), ground.isValid() ? ground.value<QColor>()
                                                                  : Table()->palette().color(QPalette::Base)),
                3.0)
          << r << "," << c;
    }
  EXPECT_EQ(m.index(20, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
  ASSERT_TRUE(app_->View("Elcal").grab().save(PicturePath(QStringLiteral("main-window-dark"))));
  ASSERT_TRUE(app_->View("Schedule").grab().save(PicturePath(QStringLiteral("schedule-window-dark"))));
  QApplication::setStyle(style);
  QApplication::setPalette(light);
}

// The model changes the table while an editor is open: a refresh of the
// same rows leaves the typing alone, a button of the window takes the edit
// first even while the window is not active, and rows arriving from
// elsewhere drop it rather than write it into another row (with no Qt
// warning).
TEST_F(ScheduleViewTest, AnOpenEditorKeepsItsTypingUntilRowsComeFromElsewhere) {
  ImportSmall();
  FocusCell(1, "current");
  Type(QStringLiteral("55"));
  schedule().EvaluateWaiting();  // a tick of a long evaluation refreshes every cell
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Run(30);
  EXPECT_EQ(Shown(1, "current"), QStringLiteral("55"));
  // Typed and clicked while the tree window is active: no focus change ends the edit.
  QWidget* tree = As<QAbstractButton>("Schedule.ShowTree");
  QTest::mouseClick(tree->window()->windowHandle(), Qt::LeftButton, {}, tree->mapTo(tree->window(), QPoint(5, 5)));
  Run(30);
  FocusCell(0, "tag");
  QTest::sendKeyEvent(QTest::Click, Table(), Qt::Key_Z, QStringLiteral("z"), {});
  app_->Calculator().actions.Click(schedule().Duplicate);
  Run(30);
  ASSERT_EQ(Table()->model()->rowCount(), 3);
  EXPECT_EQ(Shown(0, "tag"), QStringLiteral("z"));
  EXPECT_EQ(Shown(1, "tag"), QStringLiteral("z"));
  FocusCell(2, "tag");
  QTest::sendKeyEvent(QTest::Click, Table(), Qt::Key_Q, QStringLiteral("q"), {});
  app_->Calculator().actions.Shortcut(app_->Calculator().main, "Ctrl+D");
  Run(30);
  ASSERT_EQ(Table()->model()->rowCount(), 4);
  EXPECT_EQ(Shown(2, "tag"), QStringLiteral("B"));
}

TEST_F(ScheduleViewTest, PastesAndCopiesBlocksAsTabSeparatedText) {
  ImportSmall();
  QGuiApplication::clipboard()->setText(QStringLiteral("C\t3\t208\t20\t50\r\nD\t1\t120\t15\t40\r\n"));
  FocusCell(1, "tag");
  QTest::keyClick(Table(), Qt::Key_V, Qt::ControlModifier);
  for (int i = 0; i < 50 && schedule().Evaluation.Enabled(); ++i) Run(20);
  ASSERT_EQ(Table()->model()->rowCount(), 3);
  EXPECT_EQ(Shown(1, "tag"), QStringLiteral("C"));
  EXPECT_EQ(Shown(2, "length"), QStringLiteral("40"));
  EXPECT_EQ(Shown(2, "current_a"), QStringLiteral("15.00"));
  const QAbstractItemModel& m = *Table()->model();
  Table()->selectionModel()->select(QItemSelection(m.index(1, 0), m.index(2, 2)), QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(Table(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("C\t3\t208\r\nD\t1\t120\r\n"));
}

TEST_F(ScheduleViewTest, ClosingWithUnsavedRowsAsksFirst) {
  ImportSmall();
  FocusCell(0, "tag");
  Type(QStringLiteral("Renamed"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Run(30);  // the editor hands its text over once the key is through
  AcceptNextMessageBox(QMessageBox::Cancel);
  app_->View("Schedule").close();
  Run(300);
  EXPECT_FALSE(expectBox_);
  EXPECT_TRUE(app_->View("Schedule").isVisible());
  EXPECT_EQ(Shown(0, "tag"), QStringLiteral("Renamed"));
  AcceptNextMessageBox(QMessageBox::Save);
  nextFile_ = QDir(Folder()).filePath(QStringLiteral("saved.csv")).toStdString();
  app_->View("Schedule").close();
  Run(300);
  EXPECT_FALSE(expectBox_);
  EXPECT_FALSE(app_->View("Schedule").isVisible());
  QFile saved(QString::fromStdString(nextFile_));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains("Renamed,3,208,100"));
}

TEST_F(ScheduleViewTest, SavesTheTableAsPdfWithTheHeadingsOnEveryPage) {
  if (!HavePdfTools()) GTEST_SKIP() << "pdftotext and pdftoppm (poppler-utils) are needed";
  ImportExampleWithCopies(4);  // five copies of the example
  QString suggested;
  const QString path = QDir(Folder()).filePath(QStringLiteral("schedule.pdf"));
  app_->Printer().choosePdfPath = [&](const QString& s) {
    suggested = s;
    return path;
  };
  QTest::mouseClick(As<QAbstractButton>("Schedule.SavePdf"), Qt::LeftButton);
  auto* project = As<QLineEdit>("TitleBlock.Project");
  project->setFocus();
  QTest::keyClicks(project, QStringLiteral("Riverside plant"));
  AcceptTitleBlock();
  EXPECT_EQ(QFileInfo(suggested).fileName(), QStringLiteral("feeders.pdf"));
  const QStringList pages = PdfPages(path);
  // The table's pages, then the example's tree on pages of its own.
  const auto tree = std::find_if(pages.begin(), pages.end(),
                                 [](const QString& page) { return page.contains(QLatin1String("Distribution tree")); });
  const auto table = static_cast<int>(tree - pages.begin());
  ASSERT_GE(table, 2);
  ASSERT_LT(table, pages.size());
  QString drawn, tabled;
  for (int p = 0; p < pages.size(); ++p) {
    const QString page = pages[p].simplified();
    EXPECT_TRUE(page.contains(QLatin1String(p < table ? "Feeder schedule" : "Distribution tree"))) << p;
    EXPECT_TRUE(page.contains(QStringLiteral("feeders.csv"))) << p;
    // Every band of columns opens with the row and the tag.
    EXPECT_EQ(page.contains(QStringLiteral("Tag")), p < table) << p;
    EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()))) << p;
    (p >= table ? drawn : tabled) += page;
  }
  // Long tags wrap between words rather than being cut; numbers stay whole.
  for (const char* whole : {"MDP main", "feeder", "400000", "1,680"})
    EXPECT_TRUE(tabled.contains(QLatin1String(whole))) << whole;
  for (const char* box : {"Service SB-2", "Panel DP-2", "Receptacles R-2", "total 2.84 %", "19.53 kA"})
    EXPECT_TRUE(drawn.contains(QLatin1String(box))) << box;
  // The fault current with the date of its calculation (110.24(A)).
  for (const char* fault : {"Fault", "19.53", "calculated", "110.24(A)"})
    EXPECT_TRUE(tabled.contains(QLatin1String(fault))) << fault;
  SavePdfPage(path, 1, 80, "schedule-page");
  // The table's last page, with the legend and the fault current's date.
  SavePdfPage(path, table, 80, "legend-page");
  SavePdfPage(path, table + 1, 80, "tree-page");
}

// The drawing schedule: chosen beside the full table, one line a row under
// its supply, with the headings and the page number on every page.
TEST_F(ScheduleViewTest, SavesTheDrawingScheduleAsPdfWithItsHeadingsOnEveryPage) {
  if (!HavePdfTools()) GTEST_SKIP() << "pdftotext and pdftoppm (poppler-utils) are needed";
  ImportExampleWithCopies(3);
  auto* form = As<QComboBox>("Schedule.PrintForm");
  EXPECT_EQ(form->itemText(1), QStringLiteral("Feeder schedule (drawing)"));
  form->setFocus();
  QTest::keyClick(form, Qt::Key_Down);
  ASSERT_EQ(schedule().PrintForm.ListIndex(), 1);
  EXPECT_FALSE(As<QCheckBox>("Schedule.PrintTree")->isEnabled());
  const QString path = QDir(Folder()).filePath(QStringLiteral("drawing.pdf"));
  app_->Printer().choosePdfPath = [&](const QString&) { return path; };
  QTest::mouseClick(As<QAbstractButton>("Schedule.SavePdf"), Qt::LeftButton);
  AcceptTitleBlock();
  const QStringList pages = PdfPages(path);
  int tablePages = 0;
  QString all;
  for (int p = 0; p < pages.size(); ++p) {
    const QString page = pages[p].simplified();
    all += page;
    EXPECT_TRUE(page.contains(QLatin1String("Feeder schedule feeders.csv"))) << p;
    EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()))) << p;
    if (!page.contains(QLatin1String(" ft "))) continue;  // the legend's end alone
    ++tablePages;
    for (const char* head : {"Tag Fed from Load", "Conductor set", "Fault current", "Check"})
      EXPECT_TRUE(page.contains(QLatin1String(head))) << p << " " << head;
  }
  EXPECT_GE(tablePages, 2);
  const QString& first = all;
  // The rolled-up panel on one line: its supply, calculated load, design
  // current, device, conductor set, length, drops, fault current and check.
  EXPECT_TRUE(first.contains(QLatin1String(
      "Panel LP-3 (store) Service SB-2 28.4 135 150 3 #1/0 + 1 #6 G, 1-1/2\" EMT 80 ft 0.97 0.97 4.92 OK")))
      << first.toStdString();
  for (const char* legend : {"Fault current calculated", "110.24(A)", "Table 310.16", "240.4"})
    EXPECT_TRUE(first.contains(QLatin1String(legend))) << legend;
  SavePdfPage(path, 1, 100, "drawing-schedule-page");
}

}  // namespace
}  // namespace quillet
