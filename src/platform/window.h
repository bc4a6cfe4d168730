// A window of the control model: its controls by name, geometry in twips,
// state and keyboard focus.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace quillet {

class Desktop;

// A window's outer size less its client area, in twips: the borders and the
// caption bar.
inline constexpr int kNonClientWidth = 120;
inline constexpr int kNonClientHeight = 435;

enum class WindowState { Normal, Minimised, Maximised };

// A window's own values and its controls', in their creation order.
struct WindowValues {
  std::string caption;
  int left = 0, top = 0, width = 0, height = 0;
  WindowState state = WindowState::Normal;
  int minWidth = 0, minHeight = 0;
  int restoredLeft = 0, restoredTop = 0, restoredWidth = 0, restoredHeight = 0;
  bool loaded = false, shown = false, modal = false;
  Control* focused = nullptr;
  std::vector<ControlValues> controls;
  bool operator==(const WindowValues&) const = default;
};

class Window {
 public:
  Window(Desktop& desktop, std::string name);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& Name() const { return name_; }
  Desktop& Screen() const { return desktop_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Move(int left, int top);
  // A resizable window keeps at least its smallest size; a new size raises
  // Resize.
  void SetSize(int width, int height);
  void SetHeight(int height) { SetSize(width_, height); }
  WindowState State() const { return state_; }
  // A resizable window maximised fills the screen, and restored takes back
  // the place and size it had; a fixed window only records its state.
  void SetState(WindowState state);

  // A window the user may resize and maximise, no smaller than its smallest
  // outer size; it opens no larger than the screen, and on it.
  bool Resizable() const { return minWidth_ > 0; }
  int MinWidth() const { return minWidth_; }
  int MinHeight() const { return minHeight_; }
  void SetResizable(int minWidth, int minHeight);

  bool Shown() const { return shown_; }
  bool Modal() const { return modal_; }

  // Controls, in creation order; a view builds its widgets from this list.
  const std::vector<Control*>& Controls() const { return order_; }
  Control* Find(const std::string& name) const;
  // The control a table of this window names; a name the window lacks is a
  // programming error and throws, so a misspelt table fails every test.
  Control& Named(const std::string& name) const;

  template <typename T>
  T& Add(const std::string& name, Control* container = nullptr) {
    auto control = std::make_unique<T>(*this, name, container);
    T& ref = *control;
    Register(std::move(control));
    return ref;
  }

  Control& AddPlain(ControlKind kind, const std::string& name, Control* container = nullptr) {
    auto control = std::make_unique<Control>(*this, kind, name, container);
    Control& ref = *control;
    Register(std::move(control));
    return ref;
  }

  Control* Focused() const { return focused_; }
  // Moving the focus raises LostFocus on the old control, then GotFocus on
  // the new one; focusing the focused control raises nothing.
  void MoveFocus(Control* control);

  // Options share a group when they share a container.
  void SelectOption(OptionButton& option);

  // A view (or a test) watches every property change of every control.
  using Observer = std::function<void(Control*, Property)>;
  void SetObserver(Observer observer) { observer_ = std::move(observer); }
  void NotifyChange(Control* control, Property property);

  // Life cycle. Load runs once, before the first show.
  void Show(bool modal = false);
  void Close();

  // Asked before a close; false keeps the window open (unsaved work).
  std::function<bool()> QueryUnload;
  std::function<void()> Load, Unload, Activate, Deactivate, KeyDownOnWindow, MouseMoveOnWindow, ClickOnWindow,
      RightClickOnWindow, Resize;

  // The window's values and its controls', and the same put back as they
  // were kept: each change is reported to the observer and no event is
  // raised (no Load, no focus events), so a window can go back to a state
  // it was in, a calculator kept for many feeders to how it started.
  WindowValues Values() const;
  void PutBack(const WindowValues& kept);

  // Handler objects live as long as the window whose events they serve.
  void KeepAlive(std::shared_ptr<void> handlers) { keepAlive_.push_back(std::move(handlers)); }

 private:
  void Register(std::unique_ptr<Control> control);
  void FitOnScreen();

  Desktop& desktop_;
  std::string name_;
  std::string caption_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  WindowState state_ = WindowState::Normal;
  int minWidth_ = 0, minHeight_ = 0;
  // Where a maximised or minimised window goes back to.
  int restoredLeft_ = 0, restoredTop_ = 0, restoredWidth_ = 0, restoredHeight_ = 0;
  bool loaded_ = false;
  bool shown_ = false;
  bool modal_ = false;
  std::map<std::string, std::unique_ptr<Control>> controls_;
  std::vector<Control*> order_;
  Control* focused_ = nullptr;
  Observer observer_;
  std::vector<std::shared_ptr<void>> keepAlive_;
  std::uint64_t changes_ = 0;  // the controls' changes so far, which number their values

  friend class Control;
};

}  // namespace quillet
