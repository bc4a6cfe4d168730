#include "platform/menu.h"

namespace quillet {

Menu::Menu(Window& window, std::string name, Control* container)
    : Control(window, ControlKind::Menu, std::move(name), container) {
  SetVisible(false);
}

void Menu::AddItem(MenuItem item) {
  items_.push_back(std::move(item));
  Notify(Property::Items);
}

void Menu::SetItems(std::vector<MenuItem> items) {
  items_ = std::move(items);
  Notify(Property::Items);
}

int Menu::IndexOfText(const std::string& text) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].text == text) return static_cast<int>(i);
  return -1;
}

int Menu::IndexOfShortcut(const std::string& shortcut) const {
  if (shortcut.empty()) return -1;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].shortcut == shortcut) return static_cast<int>(i);
  return -1;
}

void Menu::Keep(ControlValues& kept) const {
  Control::Keep(kept);
  kept.anchor = anchor_;
}

// The items stay: the program sets them once, and nothing takes them back.
void Menu::PutBack(const ControlValues& kept) {
  Control::PutBack(kept);
  anchor_ = kept.anchor;
}

void Menu::Popup(Control* anchor) {
  anchor_ = anchor;
  // A second request while open moves it, as reopening a menu does.
  if (Open()) Notify(Property::Visible);
  SetVisible(true);
}

}  // namespace quillet
