// The Tools button and its menu on a real window, and the report and the
// schedule written as PDF and printed to a file, read back with pdftotext.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "core/elcal.h"
#include "qt/qt_printer.h"
#include "qt/report_page.h"
#include "qt/widgets.h"
#include "qt_fixture.h"
#include "workbench/schedule_window.h"

namespace quillet {
namespace {

class ToolsViewTest : public QtViewTest {
 protected:
  void SetUp() override {
    QtViewTest::SetUp();
    Elcal& main = app_->Calculator().main;
    // Two runs of 1/0 copper for a 200 HP motor: numbers worth finding.
    app_->Calculator().actions.Select(main.ComWS, 9);
    Run(120);
    // Two runs explain themselves in a message box first.
    AcceptNextMessageBox();
    QTest::mouseClick(As<QAbstractButton>("OptionNOF2"), Qt::LeftButton);
    ASSERT_FALSE(expectBox_);
    app_->Calculator().actions.Select(main.ComHP, 20);
    main.Job.SetText("Pump house P-1");
    Run(150);
  }

  QMenu* Menu() const { return qobject_cast<QMenu*>(Widget("ToolsMenu")); }
  void ActivateMainWindow() {
    QWidget& view = app_->View("Elcal");
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  }
  QTemporaryDir out_;
};

// Every focusable widget of the main window in the order Tab visits them.
std::vector<std::string> TabChain(QWidget& window) {
  std::vector<std::string> chain;
  QWidget* w = &window;
  do {
    w = w->nextInFocusChain();
    if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(&window) && !w->objectName().isEmpty())
      chain.push_back(w->objectName().toStdString());
  } while (w != &window);
  return chain;
}

TEST_F(ToolsViewTest, ToolsSitsAfterSettingsAndTabReachesItLast) {
  QWidget* tools = Widget("Tools");
  QWidget* settings = Widget("Command2");
  EXPECT_EQ(static_cast<CaptionButton*>(tools)->Caption(), "Tools");
  EXPECT_EQ(tools->y(), settings->y());
  EXPECT_EQ(tools->height(), settings->height());
  EXPECT_GT(tools->x(), settings->geometry().right());
  QWidget& view = app_->View("Elcal");
  EXPECT_LE(tools->geometry().right(), view.width() - 4);
  for (QWidget* other : view.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (other == tools || !other->isVisible()) continue;
    EXPECT_FALSE(other->geometry().intersects(tools->geometry())) << other->objectName().toStdString();
  }
  // The model's order is the tab order, the new button after the old ones.
  std::vector<std::string> expected;
  for (Control* c : app_->Calculator().main.Controls())
    if (c->Focusable() && c->Visible()) expected.push_back(c->Name());
  EXPECT_EQ(TabChain(view), expected);
  EXPECT_EQ(expected.back(), "Tools");
  QTest::mouseMove(tools);
  Run(20);
  EXPECT_EQ(LabelText("Stat"), " Smallest size for a voltage-drop limit, feeder schedule, printing and PDF.");
}

TEST_F(ToolsViewTest, ClickingToolsOpensTheMenuBelowItAndEscapeClosesIt) {
  auto* tools = As<QAbstractButton>("Tools");
  QTest::mouseClick(tools, Qt::LeftButton);
  QMenu* menu = Menu();
  ASSERT_TRUE(menu->isVisible());
  EXPECT_TRUE(app_->Calculator().main.ToolsMenu.Open());
  // The feeder tools first, the reports last.
  const auto items = menu->actions();
  ASSERT_EQ(items.size(), 5);
  const struct {
    const char* text;
    QKeySequence keys;
  } expected[] = {{"Find the smallest size…", QKeySequence(Qt::CTRL | Qt::Key_F)},
                  {"Feeder schedule…", QKeySequence(Qt::CTRL | Qt::Key_E)},
                  {"Add this feeder to the schedule", QKeySequence(Qt::CTRL | Qt::Key_D)},
                  {"Print calculation…", QKeySequence(Qt::CTRL | Qt::Key_P)},
                  {"Save calculation as PDF…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(items[i]->text(), QString::fromUtf8(expected[i].text));
    EXPECT_EQ(items[i]->shortcut(), expected[i].keys);
  }
  // Below the button; moved left only as far as the screen's edge needs.
  const QPoint below = tools->mapToGlobal(QPoint(0, tools->height()));
  EXPECT_EQ(menu->y(), below.y());
  EXPECT_LE(menu->x(), below.x());
  EXPECT_LE(menu->geometry().right(), menu->screen()->geometry().right());
  ASSERT_TRUE(menu->grab().save(ShotPath("tools-menu")));
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_FALSE(menu->isVisible());
  EXPECT_FALSE(app_->Calculator().main.ToolsMenu.Open());
}

TEST_F(ToolsViewTest, RightClickOnTheBackgroundOpensTheSameMenuThere) {
  QWidget& view = app_->View("Elcal");
  // Between About and the paste button.
  const QPoint gap(67, 346);
  ASSERT_EQ(view.childAt(gap), nullptr);
  QTest::mouseClick(&view, Qt::RightButton, {}, gap);
  ASSERT_TRUE(Menu()->isVisible());
  EXPECT_EQ(Menu()->pos(), view.mapToGlobal(gap));
  QTest::keyClick(Menu(), Qt::Key_Escape);
  // On a control it stays closed.
  QTest::mouseClick(Widget("Frame3D7"), Qt::RightButton);
  EXPECT_FALSE(Menu()->isVisible());
}

TEST_F(ToolsViewTest, SavingFromTheMenuWritesThePdfWithTheJobDropAndAmpacity) {
  if (!HavePdfTools()) GTEST_SKIP() << "pdftotext and pdftoppm (poppler-utils) are needed";
  QString suggested;
  const QString path = out_.filePath(QStringLiteral("report.pdf"));
  app_->Printer().choosePdfPath = [&](const QString& s) {
    suggested = s;
    return path;
  };
  QTest::mouseClick(As<QAbstractButton>("Tools"), Qt::LeftButton);
  // Down to the last item, "Save calculation as PDF…".
  for (qsizetype i = 0; i < Menu()->actions().size(); ++i) QTest::keyClick(Menu(), Qt::Key_Down);
  QTest::keyClick(Menu(), Qt::Key_Return);
  auto* project = As<QLineEdit>("TitleBlock.Project");
  project->setFocus();
  QTest::keyClicks(project, QStringLiteral("Riverside plant"));
  AcceptTitleBlock();
  EXPECT_EQ(QFileInfo(suggested).fileName(), "Pump house P-1.pdf");
  ASSERT_TRUE(QFile::exists(path));
  const Elcal& main = app_->Calculator().main;
  const QString text = PdfPages(path).join(QLatin1Char(' ')).simplified();
  for (const std::string& expected : {std::string("Voltage drop calculation"), std::string("Pump house P-1"),
                                      main.VDACL.Caption() + " / " + main.VDACPRCL.Caption(), main.Ampacit.Caption(),
                                      std::string("Warning: Current exceeds the wire ampacity"),
                                      std::string("Overcurrent device"), std::string("Grounding conductor"),
                                      std::string("Riverside plant"), std::string("Checked by"),
                                      std::string("Drop limit 3 % of the supply voltage"),
                                      std::string("Verdict Fails: the ampacity is short of the current."),
                                      std::string("Conductor set 2 sets of (3 #1/0 + 1 #1/0 G), 1-1/2\" EMT each")})
    EXPECT_TRUE(text.contains(QString::fromStdString(expected))) << expected << " not in: " << text.toStdString();
  SavePdfPage(path, 1, 80, "report-page");
  EXPECT_TRUE(QFile::exists(ShotPath("report-page")));
}

// Printing to a file takes the name a saved PDF gets, for the report (from
// the job field) and the schedule (from its file), so a "/" in the job never
// names a folder that is not there. Ctrl+P from a field types nothing.
TEST_F(ToolsViewTest, PrintingToAFileUsesTheSavedPdfNameForAnyJob) {
  if (!HavePdfTools()) GTEST_SKIP() << "pdftotext and pdftoppm (poppler-utils) are needed";
  enum Document { kReport, kSchedule };
  const struct Row {
    const char* name;
    Document document;
    const char* text;  // the job, or the schedule's file ("" for none)
    const char* file;
    const char* shown;  // on the page
  } rows[] = {
      {"slash in the job", kReport, "Panel A/B", "Panel A B.pdf", "Panel A/B"},
      {"backslash in the job", kReport, "MCC-1\\2", "MCC-1 2.pdf", "MCC-1\\2"},
      {"colon in the job", kReport, "Bay 3: lights", "Bay 3 lights.pdf", "Bay 3: lights"},
      // The field's prompt is no job name: the page leaves the job blank.
      {"untouched job field", kReport, nullptr, "Voltage drop calculation.pdf", "Job Name/Feeder Tag Date"},
      {"backslash in the file", kSchedule, "MCC-1\\2.csv", "MCC-1 2.pdf", "MCC-1\\2.csv"},
      {"colon in the file", kSchedule, "Bay 3: lights.csv", "Bay 3 lights.pdf", "Bay 3: lights.csv"},
      {"schedule without a file", kSchedule, "", "New schedule.pdf", "New schedule"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    StartFresh();
    QTemporaryDir out;
    QString docName, suggested;
    app_->Printer().choosePrinter = [&](QPrinter& printer) {
      docName = printer.docName();
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(out.filePath(docName));
      return true;
    };
    app_->Printer().choosePdfPath = [&](const QString& path) {
      suggested = QFileInfo(path).fileName();
      return QString();
    };
    Program& program = app_->Calculator();
    if (row.document == kReport) {
      if (row.text) program.main.Job.SetText(row.text);
      ActivateMainWindow();
      auto* job = As<QLineEdit>("Job");
      job->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(job, Qt::Key_P, Qt::ControlModifier);
      EXPECT_EQ(job->text().toStdString(), program.main.Job.Text());
      AcceptTitleBlock();
      program.actions.Shortcut(program.main, "Ctrl+Shift+S");
      AcceptTitleBlock();
    } else {
      program.actions.Shortcut(program.main, "Ctrl+E");
      auto& schedule = *dynamic_cast<ScheduleWindow*>(program.FindWindow("Schedule"));
      schedule.askFileName = [&](FileQuestion, const std::string&) {
        return out.filePath(QString::fromUtf8(row.text)).toStdString();
      };
      if (*row.text) QTest::mouseClick(As<QAbstractButton>("Schedule.Export"), Qt::LeftButton);
      QTest::mouseClick(As<QAbstractButton>("Schedule.Print"), Qt::LeftButton);
      AcceptTitleBlock();
      QTest::mouseClick(As<QAbstractButton>("Schedule.SavePdf"), Qt::LeftButton);
      AcceptTitleBlock();
    }
    EXPECT_FALSE(Menu()->isVisible());
    EXPECT_EQ(docName.toStdString(), row.file);
    EXPECT_EQ(suggested.toStdString(), row.file);
    const QString text = PdfPages(out.filePath(QString::fromUtf8(row.file))).join(QLatin1Char(' ')).simplified();
    EXPECT_TRUE(text.contains(QString::fromUtf8(row.shown))) << text.toStdString();
  }
}

TEST_F(ToolsViewTest, CancellingTheTitleBlockOrTheSaveDialogWritesNothing) {
  int asked = 0;
  app_->Printer().choosePdfPath = [&](const QString&) {
    ++asked;
    return QString();
  };
  ActivateMainWindow();
  QTest::keyClick(As<QLineEdit>("Job"), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::mouseClick(As<QAbstractButton>("TitleBlock.Cancel"), Qt::LeftButton);
  EXPECT_FALSE(app_->View("TitleBlock").isVisible());
  EXPECT_EQ(asked, 0);
  ActivateMainWindow();
  QTest::keyClick(As<QLineEdit>("Job"), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  AcceptTitleBlock();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(QDir(out_.path()).isEmpty());
}

TEST_F(ToolsViewTest, AFailedWriteIsReportedAndLeavesNothingBehind) {
  const QString missing = out_.filePath(QStringLiteral("no such folder/report.pdf"));
  app_->Printer().choosePdfPath = [&](const QString&) { return missing; };
  AcceptNextMessageBox();
  app_->Calculator().actions.Shortcut(app_->Calculator().main, "Ctrl+Shift+S");
  AcceptTitleBlock();
  EXPECT_FALSE(expectBox_) << "no message box was shown";
  EXPECT_TRUE(QDir(out_.path()).isEmpty());
}

TEST(ReportPdf, AFolderInTheWayFailsWithoutLeavingAPartFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("feeder.pdf"));
  // A folder where the file should go: the rename cannot happen.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("feeder.pdf")));
  QString error;
  EXPECT_FALSE(WritePdf(path, QString(), [](QPdfWriter&) {}, [](QPainter&, QPdfWriter&) {}, error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(QFileInfo(path).isDir());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

TEST(ReportPdf, PaperFollowsTheLocale) {
  struct Row {
    const char* locale;
    QPageSize::PageSizeId paper;
  } rows[] = {{"en_US", QPageSize::Letter}, {"en_CA", QPageSize::Letter}, {"fr_CA", QPageSize::Letter},
              {"es_MX", QPageSize::Letter}, {"C", QPageSize::Letter},      {"en_GB", QPageSize::A4},
              {"de_DE", QPageSize::A4},     {"fr_FR", QPageSize::A4},      {"en_AU", QPageSize::A4}};
  for (const Row& row : rows)
    EXPECT_EQ(LocalePageSize(QLocale(QString::fromLatin1(row.locale))).id(), row.paper) << row.locale;
}

}  // namespace
}  // namespace quillet
