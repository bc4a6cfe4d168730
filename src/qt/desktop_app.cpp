#include "qt/desktop_app.h"

#include <stdexcept>

#include <QCoreApplication>

#include "qt/window_view.h"

namespace quillet {

DesktopApp::DesktopApp(const std::string& programFolder)
    : services_(programFolder), program_(services_, ScreenWidthTwips(), ScreenHeightTwips()) {
  WindowView* mainView = nullptr;
  for (Window* window : program_.Windows()) {
    views_.push_back(std::make_unique<WindowView>(*window, program_.actions, mainView));
    if (!mainView) mainView = views_.back().get();
  }
  mainView->onClosed = [] { QCoreApplication::quit(); };
}

DesktopApp::~DesktopApp() {
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
