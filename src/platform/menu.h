// A pop-up menu of commands, opened below a control or at the pointer. The
// items carry the key combination that picks them from anywhere in the
// window; a view shows the menu while it is open and reports the pick.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace quillet {

struct MenuItem {
  std::string text;
  // In the portable form "Ctrl+Shift+S"; empty for none.
  std::string shortcut;
  std::function<void()> Pick;
};

class Menu : public Control {
 public:
  // A menu starts closed.
  Menu(Window& window, std::string name, Control* container);

  const std::vector<MenuItem>& Items() const { return items_; }
  void AddItem(MenuItem item);
  void SetItems(std::vector<MenuItem> items);
  // The position of the item with that text or shortcut, or -1.
  int IndexOfText(const std::string& text) const;
  int IndexOfShortcut(const std::string& shortcut) const;

  bool Open() const { return Visible(); }
  // Opens below the anchor control, or at the pointer when it is null.
  void Popup(Control* anchor);
  void Dismiss() { SetVisible(false); }
  Control* Anchor() const { return anchor_; }

 protected:
  void Keep(ControlValues& kept) const override;
  void PutBack(const ControlValues& kept) override;

 private:
  std::vector<MenuItem> items_;
  Control* anchor_ = nullptr;
};

}  // namespace quillet
