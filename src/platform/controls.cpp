#include "platform/controls.h"

#include <algorithm>

#include "platform/utf8.h"
#include "platform/window.h"

namespace quillet {
namespace {

// Sets the field to its kept value; true when that changed it.
template <typename T, typename Kept>
bool PutBackField(T& field, const Kept& kept) {
  if (field == kept) return false;
  field = kept;
  return true;
}

}  // namespace

Control::Control(Window& window, ControlKind kind, std::string name, Control* container)
    : window_(window), kind_(kind), name_(std::move(name)), container_(container) {}

void Control::Changed() { version_ = ++window_.changes_; }

void Control::Notify(Property property) {
  Changed();
  window_.NotifyChange(this, property);
}

void Control::SetToolTip(std::string text) {
  toolTip_ = std::move(text);
  Changed();
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Property::Enabled);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(Property::Visible);
}

void Control::SetForeColor(Colour colour) {
  if (foreColor_ == colour) return;
  foreColor_ = colour;
  Notify(Property::ForeColor);
}

void Control::SetPlace(const quillet::Bounds& bounds) {
  if (bounds_ == bounds) return;
  bounds_ = bounds;
  Notify(Property::Geometry);
}

void Control::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Notify(Property::Caption);
  Raise(Change);
}

void Control::Keep(ControlValues& kept) const {
  kept.version = version_;
  kept.enabled = enabled_;
  kept.visible = visible_;
  kept.foreColor = foreColor_;
  kept.caption = caption_;
  kept.toolTip = toolTip_;
  kept.bounds = bounds_;
}

void Control::PutBack(const ControlValues& kept) {
  if (PutBackField(enabled_, kept.enabled)) Notify(Property::Enabled);
  if (PutBackField(visible_, kept.visible)) Notify(Property::Visible);
  if (PutBackField(foreColor_, kept.foreColor)) Notify(Property::ForeColor);
  if (PutBackField(caption_, kept.caption)) Notify(Property::Caption);
  PutBackField(toolTip_, kept.toolTip);  // read when shown, never reported
  if (PutBackField(bounds_, kept.bounds)) Notify(Property::Geometry);
}

bool Control::Focusable() const {
  switch (kind_) {
    case ControlKind::TextBox: case ControlKind::ComboBox:
    case ControlKind::CommandButton: case ControlKind::Command3D:
    case ControlKind::CheckBox: case ControlKind::Option3D: case ControlKind::Grid:
    case ControlKind::Diagram:
      return true;
    default:
      return false;
  }
}

void Control::SetFocus() { window_.MoveFocus(this); }

void TextBox::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  const int length = Length();
  selStart_ = std::min(selStart_, length);
  selLength_ = std::min(selLength_, length - selStart_);
  Notify(Property::Text);
  Raise(Change);
}

void TextBox::Keep(ControlValues& kept) const {
  Control::Keep(kept);
  kept.text = text_;
  kept.selStart = selStart_;
  kept.selLength = selLength_;
}

void TextBox::PutBack(const ControlValues& kept) {
  Control::PutBack(kept);
  if (PutBackField(text_, kept.text)) Notify(Property::Text);
  const bool caretMoved = PutBackField(selStart_, kept.selStart);
  if (PutBackField(selLength_, kept.selLength) || caretMoved) Notify(Property::Selection);
}

int TextBox::Length() const { return Utf8Length(text_); }

void TextBox::SetSelStart(int start) {
  selStart_ = std::clamp(start, 0, Length());
  selLength_ = 0;
  Notify(Property::Selection);
}

void TextBox::SetSelLength(int length) {
  selLength_ = std::clamp(length, 0, Length() - selStart_);
  Notify(Property::Selection);
}

void TextBox::SelectAll() {
  SetSelStart(0);
  SetSelLength(Length());
}

void TextBox::InsertAtCaret(const std::string& utf8Char) {
  const std::size_t from = Utf8Offset(text_, selStart_);
  const std::size_t to = Utf8Offset(text_, selStart_ + selLength_);
  std::string next = text_.substr(0, from) + utf8Char + text_.substr(to);
  // The caret sits after the new character before Change runs, as typing does.
  selStart_ += 1;
  selLength_ = 0;
  // Typing over a selection with the same text changes nothing but the
  // caret, and a view must still be told where it went.
  if (next == text_) Notify(Property::Selection);
  else SetText(next);
}

void TextBox::Backspace() {
  int start = selStart_;
  int length = selLength_;
  if (length == 0) {
    if (start == 0) return;
    start -= 1;
    length = 1;
  }
  const std::size_t from = Utf8Offset(text_, start);
  const std::size_t to = Utf8Offset(text_, start + length);
  std::string next = text_.substr(0, from) + text_.substr(to);
  selStart_ = start;
  selLength_ = 0;
  SetText(next);
}

void TextBox::DeleteForward() {
  if (selLength_ == 0) {
    if (selStart_ >= Length()) return;
    selLength_ = 1;
  }
  Backspace();
}

void ComboBox::AddItem(const std::string& item) { AddItem(item, ListCount()); }

void ComboBox::AddItem(const std::string& item, int position) {
  position = std::clamp(position, 0, ListCount());
  items_.insert(items_.begin() + position, item);
  if (listIndex_ >= position) ++listIndex_;
  Notify(Property::Items);
}

void ComboBox::RemoveItem(int position) {
  if (position < 0 || position >= ListCount()) return;
  items_.erase(items_.begin() + position);
  if (listIndex_ == position) listIndex_ = -1;
  else if (listIndex_ > position) --listIndex_;
  Notify(Property::Items);
}

void ComboBox::Clear() {
  if (items_.empty() && listIndex_ == -1) return;
  items_.clear();
  listIndex_ = -1;
  Notify(Property::Items);
}

void ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount() || index == listIndex_) return;
  listIndex_ = index;
  Notify(Property::ListIndex);
}

void ComboBox::Keep(ControlValues& kept) const {
  Control::Keep(kept);
  kept.items = items_;
  kept.listIndex = listIndex_;
}

void ComboBox::PutBack(const ControlValues& kept) {
  Control::PutBack(kept);
  if (PutBackField(items_, kept.items)) Notify(Property::Items);
  if (PutBackField(listIndex_, kept.listIndex)) Notify(Property::ListIndex);
}

std::string ComboBox::Text() const {
  return listIndex_ >= 0 ? items_[static_cast<std::size_t>(listIndex_)] : std::string();
}

void CheckBox::SetValue(int value) {
  value = value ? 1 : 0;
  if (value_ == value) return;
  value_ = value;
  Notify(Property::Value);
}

void CheckBox::Keep(ControlValues& kept) const {
  Control::Keep(kept);
  kept.value = value_;
}

void CheckBox::PutBack(const ControlValues& kept) {
  Control::PutBack(kept);
  if (PutBackField(value_, kept.value)) Notify(Property::Value);
}

bool Control::HasAccessKey(char letter) const {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return accessKey_ != 0 && lower(letter) == lower(accessKey_);
}

void ProgressBar::SetProgress(int value, int maximum) {
  maximum = std::max(maximum, 0);
  value = std::clamp(value, 0, maximum);
  if (value == value_ && maximum == maximum_) return;
  value_ = value;
  maximum_ = maximum;
  Notify(Property::Value);
}

void ProgressBar::Keep(ControlValues& kept) const {
  Control::Keep(kept);
  kept.value = value_;
  kept.maximum = maximum_;
}

void ProgressBar::PutBack(const ControlValues& kept) {
  Control::PutBack(kept);
  const bool moved = PutBackField(value_, kept.value);
  if (PutBackField(maximum_, kept.maximum) || moved) Notify(Property::Value);
}

void OptionButton::SetValue(bool value) {
  if (value_ == value) return;
  if (!value) {
    SetValueSilently(false);
    return;
  }
  Owner().SelectOption(*this);
  Raise(Click);
}

void OptionButton::SetValueSilently(bool value) {
  if (value_ == value) return;
  value_ = value;
  Notify(Property::Value);
}

void OptionButton::Keep(ControlValues& kept) const {
  Control::Keep(kept);
  kept.value = value_ ? 1 : 0;
}

void OptionButton::PutBack(const ControlValues& kept) {
  Control::PutBack(kept);
  if (PutBackField(value_, kept.value != 0)) Notify(Property::Value);
}

void Timer::Keep(ControlValues& kept) const {
  Control::Keep(kept);
  kept.interval = interval_;
}

void Timer::PutBack(const ControlValues& kept) {
  Control::PutBack(kept);
  if (PutBackField(interval_, kept.interval)) Notify(Property::Interval);
}

void Timer::SetInterval(int milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  Notify(Property::Interval);
}

}  // namespace quillet
