// Shared by the tests of the desktop view: an offscreen platform, the
// program folder in a temporary directory, and a watchdog that fails a test
// leaving a modal box open (and closes the box so the test can end).
#pragma once

#include <memory>
#include <string>

#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

#include "fresh_folder.h"
#include "qt/desktop_app.h"
#include "qt/window_view.h"

namespace quillet {

// Qt's warnings (and worse) are faults of the view: every test fails on one.
void HearQtWarning(const QString& message);
// The warnings heard since the last call.
QStringList TakeQtWarnings();

// pdftotext and pdftoppm (poppler-utils), with which the PDF tests read
// what they wrote.
bool HavePdfTools();
// The text of a PDF as pdftotext reads it, page by page.
QStringList PdfPages(const QString& path);
// Where a picture goes beside the others, whatever the screen: "name.png".
QString ShotPath(const char* name);
// A page of a PDF saved as a picture beside the others.
void SavePdfPage(const QString& pdf, int page, int dpi, const char* picture);

class QtViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The widget bound to a control of the main window (or "Window.Control").
  QWidget* Widget(const std::string& name) const;
  template <typename T>
  T* As(const std::string& name) const {
    return qobject_cast<T*>(Widget(name));
  }
  QString LabelText(const std::string& name) const { return As<QLabel>(name)->text(); }
  // Lets the event loop run, timers included, for about that long.
  static void Run(int milliseconds);
  // Where a picture of a window goes, named after the screen when it is not
  // the offscreen platform's own 800 x 600 at 1x ("name-960x540@2x.png").
  static QString PicturePath(const QString& name);
  // Answers the next message box with OK (or the given button) once it shows.
  void AcceptNextMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok);
  // Clicks OK in the title block a print or a PDF asks for first.
  void AcceptTitleBlock();
  // A new program folder and a new calculator, as at the start of a test.
  void StartFresh();

  // The program folder, as a path the view's file dialogs take.
  QString Folder() const { return QString::fromStdString(folder_->Text()); }

  std::unique_ptr<FreshFolder> folder_;
  std::unique_ptr<DesktopApp> app_;
  QTimer watchdog_;
  bool expectBox_ = false;
  QMessageBox::StandardButton answerButton_ = QMessageBox::Ok;
};

}  // namespace quillet
