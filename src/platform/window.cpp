#include "platform/window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/desktop.h"

namespace quillet {

Window::Window(Desktop& desktop, std::string name) : desktop_(desktop), name_(std::move(name)) {}

Window::~Window() {
  if (desktop_.Front() == this) desktop_.SetFront(nullptr);
}

void Window::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  NotifyChange(nullptr, Property::Caption);
}

void Window::Move(int left, int top) {
  left_ = left;
  top_ = top;
  NotifyChange(nullptr, Property::Geometry);
}

void Window::SetSize(int width, int height) {
  width = std::max(width, minWidth_);
  height = std::max(height, minHeight_);
  if (width_ == width && height_ == height) return;
  width_ = width;
  height_ = height;
  NotifyChange(nullptr, Property::Geometry);
  if (Resize) Resize();
}

void Window::SetState(WindowState state) {
  if (state_ == state) return;
  if (!Resizable()) {
    state_ = state;
    return;
  }
  if (state_ == WindowState::Normal) {
    restoredLeft_ = left_;
    restoredTop_ = top_;
    restoredWidth_ = width_;
    restoredHeight_ = height_;
  }
  // The view reads the state as it mirrors the new geometry.
  state_ = state;
  if (state == WindowState::Maximised) {
    Move(0, 0);
    SetSize(desktop_.ScreenWidth(), desktop_.ScreenHeight());
  } else if (state == WindowState::Normal) {
    Move(restoredLeft_, restoredTop_);
    SetSize(restoredWidth_, restoredHeight_);
  }
  NotifyChange(nullptr, Property::Geometry);
}

void Window::SetResizable(int minWidth, int minHeight) {
  minWidth_ = minWidth;
  minHeight_ = minHeight;
  SetSize(width_, height_);
}

void Window::FitOnScreen() {
  SetSize(std::min(width_, desktop_.ScreenWidth()), std::min(height_, desktop_.ScreenHeight()));
  Move(std::clamp(left_, 0, std::max(0, desktop_.ScreenWidth() - width_)),
       std::clamp(top_, 0, std::max(0, desktop_.ScreenHeight() - height_)));
}

Control* Window::Find(const std::string& name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second.get();
}

Control& Window::Named(const std::string& name) const {
  Control* control = Find(name);
  if (!control) throw std::logic_error("the window " + name_ + " has no control " + name);
  return *control;
}

void Window::Register(std::unique_ptr<Control> control) {
  order_.push_back(control.get());
  controls_[control->Name()] = std::move(control);
}

void Window::MoveFocus(Control* control) {
  if (control == focused_ || (control && !control->Focusable())) return;
  Control* old = focused_;
  focused_ = control;
  if (old) {
    NotifyChange(old, Property::Focus);
    if (old->LostFocus) old->LostFocus();
  }
  if (control) {
    NotifyChange(control, Property::Focus);
    // A LostFocus handler may already have moved the focus elsewhere.
    if (focused_ == control && control->GotFocus) control->GotFocus();
  }
}

void Window::SelectOption(OptionButton& option) {
  for (Control* c : order_) {
    if (c->Kind() == ControlKind::Option3D && c->Container() == option.Container() && c != &option)
      static_cast<OptionButton*>(c)->SetValueSilently(false);
  }
  option.SetValueSilently(true);
}

WindowValues Window::Values() const {
  WindowValues kept;
  kept.caption = caption_;
  kept.left = left_;
  kept.top = top_;
  kept.width = width_;
  kept.height = height_;
  kept.state = state_;
  kept.minWidth = minWidth_;
  kept.minHeight = minHeight_;
  kept.restoredLeft = restoredLeft_;
  kept.restoredTop = restoredTop_;
  kept.restoredWidth = restoredWidth_;
  kept.restoredHeight = restoredHeight_;
  kept.loaded = loaded_;
  kept.shown = shown_;
  kept.modal = modal_;
  kept.focused = focused_;
  kept.controls.resize(order_.size());
  for (std::size_t i = 0; i < order_.size(); ++i) order_[i]->Keep(kept.controls[i]);
  return kept;
}

void Window::PutBack(const WindowValues& kept) {
  if (caption_ != kept.caption) {
    caption_ = kept.caption;
    NotifyChange(nullptr, Property::Caption);
  }
  const bool moved = left_ != kept.left || top_ != kept.top || width_ != kept.width || height_ != kept.height ||
                     state_ != kept.state;
  left_ = kept.left;
  top_ = kept.top;
  width_ = kept.width;
  height_ = kept.height;
  state_ = kept.state;
  minWidth_ = kept.minWidth;
  minHeight_ = kept.minHeight;
  restoredLeft_ = kept.restoredLeft;
  restoredTop_ = kept.restoredTop;
  restoredWidth_ = kept.restoredWidth;
  restoredHeight_ = kept.restoredHeight;
  if (moved) NotifyChange(nullptr, Property::Geometry);
  loaded_ = kept.loaded;
  modal_ = kept.modal;
  if (shown_ != kept.shown) {
    shown_ = kept.shown;
    NotifyChange(nullptr, Property::Visible);
  }
  // A control still at the version kept holds the values kept.
  for (std::size_t i = 0; i < order_.size() && i < kept.controls.size(); ++i) {
    Control& control = *order_[i];
    if (control.version_ == kept.controls[i].version) continue;
    control.PutBack(kept.controls[i]);
    control.version_ = kept.controls[i].version;
  }
  if (focused_ != kept.focused) {
    Control* old = focused_;
    focused_ = kept.focused;
    if (old) NotifyChange(old, Property::Focus);
    if (focused_) NotifyChange(focused_, Property::Focus);
  }
}

void Window::NotifyChange(Control* control, Property property) {
  if (observer_) observer_(control, property);
}

void Window::Show(bool modal) {
  if (!loaded_) {
    loaded_ = true;
    if (Load) Load();
  }
  if (Resizable() && state_ == WindowState::Normal) FitOnScreen();
  modal_ = modal;
  shown_ = true;
  desktop_.SetFront(this);
  NotifyChange(nullptr, Property::Visible);
  if (Activate) Activate();
}

void Window::Close() {
  if (!loaded_) return;
  if (QueryUnload && !QueryUnload()) return;
  loaded_ = false;
  shown_ = false;
  if (desktop_.Front() == this) desktop_.SetFront(nullptr);
  NotifyChange(nullptr, Property::Visible);
  if (Unload) Unload();
}

}  // namespace quillet
