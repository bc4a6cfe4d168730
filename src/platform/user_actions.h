// The user's actions, one entry point each. The script driver and the Qt
// view both come through here, so they behave the same. Every action runs
// with the desktop marked busy: a timer tick arriving meanwhile is dropped.
#pragma once

#include <functional>
#include <string>

namespace quillet {

class Control;
class ComboBox;
class Desktop;
class Diagram;
class Grid;
class Menu;
class TextBox;
class Timer;
class Window;
enum class WindowState;

class UserActions {
 public:
  explicit UserActions(Desktop& desktop) : desktop_(desktop) {}

  void Focus(Control& control);
  // One key stroke of a character (UTF-8, one character; "\b" is backspace).
  void TypeChar(TextBox& box, const std::string& character);
  void KeyDown(Control& control, int keyCode);
  // The delete key in a text box (no character reaches the key-press filter).
  void DeleteKey(TextBox& box);
  // Caret moves and mouse selections inside a text box.
  void SelectText(TextBox& box, int start, int length);
  void Click(Control& control);
  void Select(ComboBox& list, int index);
  void SpinUp(Control& spin);
  void SpinDown(Control& spin);
  void Hover(Control& control);
  void DoubleClick(Control& control);
  // Events on a window's own surface, not on one of its controls.
  void HoverWindow(Window& window);
  void ClickWindow(Window& window);
  void KeyDownOnWindow(Window& window);
  void RightClickWindow(Window& window);
  // An item picked from an open menu; the menu closes before the item runs.
  void PickMenuItem(Menu& menu, int index);
  // The menu closed without a pick (a click elsewhere, the escape key).
  void DismissMenu(Menu& menu);
  // A key combination ("Ctrl+P") pressed anywhere in the window picks the
  // menu item it belongs to; returns false when none has it.
  bool Shortcut(Window& window, const std::string& keys);
  // Alt and a letter in the window: clicks the shown, enabled button or
  // check box whose access key it is; returns false when none has it.
  bool AccessKey(Window& window, char key);
  // Another window took the activation from this one.
  void DeactivateWindow(Window& window);
  // The window's close box.
  void CloseWindow(Window& window);
  // The window dragged to a new place; a resizable one also resized by its
  // borders (outer size in twips, no smaller than its smallest), maximised,
  // minimised or restored.
  void MoveWindow(Window& window, int left, int top);
  void ResizeWindow(Window& window, int width, int height);
  void SetWindowState(Window& window, WindowState state);
  // A key-down on a list or an option also does what the platform does with
  // arrows: a list steps its selection, an option selects its neighbour.
  // A cell of a grid made current; a cell's edit finished with its new text.
  void SelectCell(Grid& grid, int row, int column);
  void EditCell(Grid& grid, int row, int column, const std::string& text);
  void PasteCells(Grid& grid, int row, int column, const std::string& text);
  void UndoInGrid(Grid& grid);
  // A box of a diagram clicked.
  void ClickBox(Diagram& diagram, int box);
  // A timer's tick; returns false when it was dropped.
  bool Tick(Timer& timer);

 private:
  void StepWithArrow(Control& control, int keyCode);
  void RunBusy(const std::function<void()>& handler);
  Desktop& desktop_;
};

}  // namespace quillet
