#include "win32/desktop_app.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "platform/native_text.h"
#include "platform/view_rules.h"
#include "win32/window_view.h"

namespace quillet {
namespace {

// This view draws read-only tables and no diagrams, and makes no PDF files
// of its own: the schedule and its tree stay with the Qt view.
constexpr ViewSupport kWindowsSupport{.pdfFiles = false, .editableGrids = false, .diagrams = false};

RECT WorkArea() {
  RECT area{0, 0, 1920, 1080};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

}  // namespace

int WorkAreaWidthTwips() {
  const RECT area = WorkArea();
  return ToTwips(area.right - area.left);
}

int WorkAreaHeightTwips() {
  const RECT area = WorkArea();
  return ToTwips(area.bottom - area.top);
}

Win32App::Win32App(HINSTANCE instance, const SettingsFolder& folder)
    : instance_(instance),
      services_(folder),
      workbench_(services_, WorkAreaWidthTwips(), WorkAreaHeightTwips()),
      ticker_(program_.actions) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES |
                                                                        ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  program_.SetViewSupport(kWindowsSupport);
  Win32View* mainView = nullptr;
  for (Window* window : program_.Windows()) {
    if (!program_.Shows(*window)) continue;
    views_.push_back(std::make_unique<Win32View>(*window, *this, mainView));
    if (!mainView) mainView = views_.back().get();
  }
  mainView->onClosed = [this] {
    ended_ = true;
    PostQuitMessage(status_);
  };
  services_.SetClipboardOwner(mainView->Handle());
  printer_.SetOwner(mainView->Handle());
  program_.reportPrinter = &printer_;
}

Win32App::~Win32App() {
  program_.reportPrinter = nullptr;
  // The secondary windows are owned by the main one: they go first.
  while (!views_.empty()) views_.pop_back();
}

void Win32App::Start() { program_.Start(); }

Win32View* Win32App::View(const std::string& windowName) const {
  for (const auto& view : views_)
    if (view->Model().Name() == windowName) return view.get();
  return nullptr;
}

// The latest modal window shown takes the input; the others wait.
void Win32App::ModalityChanged() {
  std::erase_if(modalOrder_, [](const Win32View* view) { return !view->Modal(); });
  for (const auto& view : views_)
    if (view->Modal() && std::find(modalOrder_.begin(), modalOrder_.end(), view.get()) == modalOrder_.end())
      modalOrder_.push_back(view.get());
  const Win32View* modal = modalOrder_.empty() ? nullptr : modalOrder_.back();
  for (const auto& view : views_) EnableWindow(view->Handle(), !modal || view.get() == modal);
}

// One box at a time, however often a fault repeats behind it (a timer's).
void Win32App::ShowFault(const std::string& what) {
  if (reporting_) return;
  reporting_ = true;
  MessageBoxW(GetActiveWindow(), WideFromUtf8(FaultMessage(what)).c_str(), WideFromUtf8(kFaultTitle).c_str(),
              MB_ICONERROR | MB_OK);
  reporting_ = false;
}

bool Win32App::Dispatch(MSG& message) {
  if (message.message == WM_QUIT) {
    ended_ = true;
    return false;
  }
  const bool taken = std::any_of(views_.begin(), views_.end(),
                                 [&message](const auto& view) { return view->PreTranslate(message); });
  if (!taken) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

int Win32App::Run() {
  MSG message;
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return status_;
}

bool Win32App::Pump() {
  MSG message;
  while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Dispatch(message);
  return !ended_;
}

}  // namespace quillet
