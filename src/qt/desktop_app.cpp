#include "qt/desktop_app.h"

#include <stdexcept>

#include <QCoreApplication>
#include <QFileDialog>

#include "qt/qt_printer.h"
#include "qt/window_view.h"
#include "workbench/schedule_workbook.h"

namespace quillet {

DesktopApp::DesktopApp(const SettingsFolder& folder)
    : services_(folder), workbench_(services_, ScreenWidthTwips(), ScreenHeightTwips()) {
  WindowView* mainView = nullptr;
  for (Window* window : program_.Windows()) {
    views_.push_back(std::make_unique<WindowView>(*window, program_.actions, mainView));
    if (!mainView) mainView = views_.back().get();
  }
  mainView->onClosed = [] { QCoreApplication::quit(); };
  printer_ = std::make_unique<QtPrinter>(mainView, &View(workbench_.schedule.Name()));
  program_.reportPrinter = printer_.get();
  workbench_.schedule.printer = printer_.get();
  workbench_.schedule.askFileName = [this](FileQuestion question, const std::string& suggested) {
    QWidget* parent = &View(workbench_.schedule.Name());
    const QString filter = QStringLiteral("CSV files (*.csv);;All files (*)");
    // The export's type follows the name's extension; a build without the workbook writer offers CSV only.
    const QString exportFilter = WritesWorkbooks()
                                     ? QStringLiteral("CSV files (*.csv);;Excel workbooks (*.xlsx);;All files (*)")
                                     : filter;
    const QString start = QString::fromStdString(suggested);
    const QString path =
        question == FileQuestion::Import
            ? QFileDialog::getOpenFileName(parent, QStringLiteral("Import schedule"), start, filter)
            : QFileDialog::getSaveFileName(parent, QStringLiteral("Export schedule"), start, exportFilter);
    return path.toStdString();
  };
}

DesktopApp::~DesktopApp() {
  program_.reportPrinter = nullptr;
  workbench_.schedule.printer = nullptr;
  // The secondary views are children of the main one: they go first.
  while (!views_.empty()) views_.pop_back();
}

void DesktopApp::Start() { program_.Start(); }

WindowView& DesktopApp::View(const std::string& windowName) const {
  for (const auto& view : views_)
    if (view->Model().Name() == windowName) return *view;
  throw std::out_of_range("no window " + windowName);
}

}  // namespace quillet
