// One model window on screen. Every control becomes a Qt widget bound to it
// by name; the model's changes are mirrored onto the widgets, the user's
// events go back through the same user actions the script driver uses.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QPoint>
#include <QSize>
#include <QWidget>

class QMenu;
class QTimer;

namespace quillet {

class Control;
class Menu;
class TextBox;
class Timer;
class UserActions;
class Window;
enum class Property;

class WindowView : public QWidget {
 public:
  WindowView(Window& model, UserActions& actions, QWidget* owner);
  ~WindowView() override;

  Window& Model() const { return model_; }
  QWidget* WidgetOf(const std::string& controlName) const;
  // Runs when the model window closes (the main window's ends the program).
  std::function<void()> onClosed;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Build();
  QWidget* MakeWidget(Control& control, QWidget* parent);
  void Bind(QWidget* widget, Control& control);
  void WireEvents(Control& control, QWidget* widget);
  void SyncAll(Control& control);
  void Sync(Control& control, Property property);
  void SyncWindow(Property property);
  static QSize ClientSize(int width, int height);
  void ApplyFixedGeometry();
  void ApplyResizableGeometry();
  void FinishGridEdit();
  void SyncTimer(Timer& timer);
  void BuildMenu(Menu& menu);
  void SyncMenu(Menu& menu, Property property);
  void ApplyCaption(Control& control, QWidget* widget);
  void ApplyName(const Control& control, QWidget* widget);
  void ApplyText(TextBox& box, QWidget* widget);
  void ApplySelection(TextBox& box, QWidget* widget);
  void ApplyColour(Control& control, QWidget* widget);
  bool OnKeyPress(Control& control, QKeyEvent* event);
  bool OnTextKey(TextBox& box, QKeyEvent* event);
  void ReportSelection(TextBox& box, QWidget* widget);

  Window& model_;
  UserActions& actions_;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const QObject*, Control*> controlOf_;
  std::map<const Timer*, QTimer*> timers_;
  std::map<const Menu*, QMenu*> menus_;
  // Where the last right click on the background was, for a menu opened there.
  QPoint rightClickAt_;
  // Set while the view applies the model's changes, so the widget signals
  // they cause are not taken for the user's events.
  int mirroring_ = 0;
  bool wasActive_ = false;
};

}  // namespace quillet
