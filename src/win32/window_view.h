// One model window on a Windows desktop. Every control becomes a Windows
// control side by side in the window (a frame is a group box beneath the
// controls it holds), placed from its twips; the model's changes are
// mirrored onto the controls, and the user's keys, clicks and mouse moves
// go back through the same user actions the Qt view and the script driver
// use. Labels, frames, panels, lines and pictures let the mouse through:
// the window finds the model control under the pointer itself.
#pragma once

#include "win32/windows_api.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace quillet {

class Control;
class Grid;
class ListGrid;
class Menu;
class TextBox;
class UserActions;
class Win32App;
class Window;
enum class Property;

class Win32View {
 public:
  // `owner` is the main window's view for the others.
  Win32View(Window& model, Win32App& app, Win32View* owner);
  ~Win32View();
  Win32View(const Win32View&) = delete;
  Win32View& operator=(const Win32View&) = delete;

  Window& Model() const { return model_; }
  HWND Handle() const { return window_; }
  // The Windows control bound to a model control; null for timers and menus.
  HWND HandleOf(const Control& control) const;
  HMENU MenuOf(const Menu& menu) const;
  const ListGrid* ListOf(const Grid& grid) const;
  // Whether the view holds the other windows of the program disabled.
  bool Modal() const;

  // Keys the window handles before Windows translates them: Tab moves the
  // focus in the model's order, Alt and a letter clicks the control with
  // that access key, a Ctrl combination picks the menu item that has it.
  bool PreTranslate(const MSG& message);

  // Runs when the model window closes (the main window's ends the program).
  std::function<void()> onClosed;

 private:
  friend LRESULT CALLBACK ViewProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  void Build();
  HWND MakeControl(Control& control);
  void Sync(Control& control, Property property);
  void SyncAll(Control& control);
  void SyncWindow(Property property);
  void ApplyGeometry();
  void ApplyPlace(const Control& control);
  void ApplyCaption(const Control& control);
  void ApplyText(TextBox& box);
  void ApplySelection(TextBox& box);
  void ApplyFocus(const Control& control);
  void ApplyItems(Control& control);
  void SyncMenu(Menu& menu, Property property);
  void ShowMenu(Menu& menu);

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnControlMessage(Control& control, HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(NMHDR& header);
  LRESULT OnColour(HDC dc, HWND handle, int background);
  void DrawButton(const DRAWITEMSTRUCT& item);
  bool OnMouse(UINT message, LPARAM lParam);
  void OnActivate(bool active);
  bool OnKeyDown(Control& control, HWND handle, int virtualKey);
  bool OnTextKey(TextBox& box, HWND handle, int virtualKey);
  bool OnChar(TextBox& box, HWND handle, wchar_t unit);
  void Paste(TextBox& box);
  void Cut(TextBox& box, HWND handle);
  void ReportSelection(TextBox& box, HWND handle);
  Control* ControlUnder(LPARAM lParam) const;

  Window& model_;
  Win32App& app_;
  UserActions& actions_;
  HWND window_ = nullptr;
  std::map<const Control*, HWND> handles_;
  std::map<HWND, Control*> controlOf_;
  std::map<const Menu*, HMENU> menus_;
  std::map<const Grid*, std::unique_ptr<ListGrid>> lists_;
  HWND tips_ = nullptr;
  // The control a left press went down on (one the window found under the
  // pointer, or a text box); the click comes as it goes up there.
  Control* pressed_ = nullptr;
  // Where the last right click on the background was, for a menu opened there.
  POINT rightClickAt_{};
  Menu* tracking_ = nullptr;
  bool reopen_ = false;
  // The first half of a character beyond the basic plane.
  wchar_t highSurrogate_ = 0;
  // Set while the view applies the model's changes, so the control
  // notifications they cause are not taken for the user's events.
  int mirroring_ = 0;
  bool wasActive_ = false;
};

}  // namespace quillet
