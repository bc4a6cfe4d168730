#include "qt_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include <utility>

#include "settings/settings_file.h"

namespace quillet {
namespace {

QStringList heardWarnings;

}  // namespace

void HearQtWarning(const QString& message) { heardWarnings << message; }

QStringList TakeQtWarnings() { return std::exchange(heardWarnings, {}); }

bool HavePdfTools() {
  return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

QStringList PdfPages(const QString& path) {
  QProcess run;
  run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!run.waitForFinished(20000) || run.exitCode() != 0) return {QStringLiteral("pdftotext failed")};
  QStringList pages = QString::fromUtf8(run.readAllStandardOutput()).split(QLatin1Char('\f'));
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

QString ShotPath(const char* name) {
  return QDir(QStringLiteral(QUILLET_SHOT_DIR)).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
}

// pdftoppm adds ".png" itself.
void SavePdfPage(const QString& pdf, int page, int dpi, const char* picture) {
  const QString number = QString::number(page);
  QProcess::execute(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number,
                     QStringLiteral("-l"), number, QStringLiteral("-singlefile"), pdf,
                     QDir(QStringLiteral(QUILLET_SHOT_DIR)).filePath(QString::fromLatin1(picture))});
}

void QtViewTest::SetUp() {
  TakeQtWarnings();  // the start-up's, before any test
  StartFresh();
  QObject::connect(&watchdog_, &QTimer::timeout, [this] {
    QWidget* modal = QApplication::activeModalWidget();
    // The program's own modal windows are the test's to close.
    if (!modal || dynamic_cast<WindowView*>(modal)) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal); box && expectBox_) {
      expectBox_ = false;
      // As the user does: the button, which is what the answer is read from.
      QAbstractButton* button = box->button(answerButton_);
      if (!button) ADD_FAILURE() << "the box has no such button: " << box->text().toStdString();
      if (button) button->click();
      else box->close();
      return;
    }
    ADD_FAILURE() << "a modal window was left open: " << modal->windowTitle().toStdString();
    modal->close();
  });
  watchdog_.start(200);
}

void QtViewTest::StartFresh() {
  app_.reset();
  folder_.reset();
  folder_ = std::make_unique<FreshFolder>();
  // A settings file in place: no restore message at start.
  ASSERT_TRUE(WriteSettingsFile(folder_->Text(), Settings{}));
  app_ = std::make_unique<DesktopApp>(SettingsFolder{folder_->Text(), false});
  app_->Start();
}

void QtViewTest::TearDown() {
  watchdog_.stop();
  app_.reset();
  folder_.reset();
  for (const QString& warning : TakeQtWarnings()) ADD_FAILURE() << "Qt warned: " << warning.toStdString();
}

QWidget* QtViewTest::Widget(const std::string& name) const {
  const auto dot = name.find('.');
  const std::string window = dot == std::string::npos ? "Elcal" : name.substr(0, dot);
  QWidget* widget = app_->View(window).WidgetOf(dot == std::string::npos ? name : name.substr(dot + 1));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

void QtViewTest::Run(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void QtViewTest::AcceptTitleBlock() {
  ASSERT_TRUE(app_->View("TitleBlock").isVisible());
  qobject_cast<QAbstractButton*>(Widget("TitleBlock.Ok"))->click();
}

QString QtViewTest::PicturePath(const QString& name) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen->availableGeometry().size();
  const qreal scale = screen->devicePixelRatio();
  QString file = name;
  if (size != QSize(800, 600) || scale != 1)
    file += QStringLiteral("-%1x%2").arg(size.width()).arg(size.height()) +
            (scale != 1 ? QStringLiteral("@%1x").arg(scale) : QString());
  return QDir(QStringLiteral(QUILLET_SHOT_DIR)).filePath(file + QStringLiteral(".png"));
}

void QtViewTest::AcceptNextMessageBox(QMessageBox::StandardButton button) {
  expectBox_ = true;
  answerButton_ = button;
}

}  // namespace quillet
