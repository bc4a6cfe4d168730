// Seeded random events on the real widgets of every window the program has:
// mouse presses, releases, double-clicks and moves, key strokes, clipboard
// keys, timer ticks and answers to the message boxes they open. After every
// burst each widget must show exactly its model control, no message box may
// be left open, and after every tick the model soak's rules must hold. A
// failure prints the seed and the shortest event list that still fails.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "platform/view_rules.h"
#include "platform/window.h"
#include "qt_fixture.h"
#include "soak/soak_rules.h"
#include "soak/view_soak.h"
#include "view_agreement.h"

namespace quillet {
namespace {

// The calculator's key codes as Qt's keys.
Qt::Key QtKey(int code) {
  static const std::map<int, Qt::Key> named = {
      {key::kUp, Qt::Key_Up},         {key::kDown, Qt::Key_Down},     {key::kLeft, Qt::Key_Left},
      {key::kRight, Qt::Key_Right},   {key::kTab, Qt::Key_Tab},       {key::kSpace, Qt::Key_Space},
      {key::kEnter, Qt::Key_Return},  {key::kEscape, Qt::Key_Escape}, {key::kBackspace, Qt::Key_Backspace},
      {key::kDelete, Qt::Key_Delete}, {key::kHome, Qt::Key_Home},     {key::kEnd, Qt::Key_End},
      {key::kF4, Qt::Key_F4}};
  const auto found = named.find(code);
  return found != named.end() ? found->second : static_cast<Qt::Key>(code);  // letters: Qt numbers them alike
}

// Plays the events on one calculator: picks their targets among the
// windows and widgets shown at the time and answers the message boxes they
// open.
class ViewSoak : public QtViewTest, public ViewPlayer, public ::testing::WithParamInterface<unsigned> {
 protected:
  void SetUp() override {
    QtViewTest::SetUp();
    watchdog_.stop();  // the soak answers every box itself
    QObject::connect(&answerer_, &QTimer::timeout, [this] { AnswerBox(); });
    answerer_.start(0);
  }

  void Start() override {
    rules_.reset();
    StartFresh();
    QCoreApplication::processEvents();
    for (Window* window : app_->Calculator().Windows()) {
      // The soak ticks the timers itself, so a session plays the same at any speed.
      for (QTimer* timer : View(*window).findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        timer->blockSignals(true);
    }
    rules_.emplace(app_->Calculator(), folder_->Text());
    boxesLooped_ = false;
  }

  std::string Play(const ViewEvent& e) override {
    answerOk_ = e.answerOk;
    boxes_ = 0;
    std::string done;
    if (e.kind == ViewEvent::Kind::Tick) {
      Tick();  // checked as the pass left it
    } else {
      done = e.kind == ViewEvent::Kind::Key || e.kind == ViewEvent::Kind::Character ? Key(e) : Mouse(e);
      QCoreApplication::processEvents();
    }
    boxesLooped_ = boxesLooped_ || BoxesLoop();
    return done + Answer();
  }

  // Every widget of every window against its model, then the model's rules.
  std::optional<std::string> Broken(bool afterTick) override {
    if (boxesLooped_) return "message boxes kept coming back";
    for (Window* window : app_->Calculator().Windows())
      if (auto disagreement = Disagreement(app_->View(window->Name()))) return disagreement;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (qobject_cast<QMessageBox*>(top) && top->isVisible()) return "a message box was left open";
    if (const QStringList warnings = TakeQtWarnings(); !warnings.isEmpty())
      return "Qt warned: " + warnings.join(QLatin1String("; ")).toStdString();
    if (afterTick) return rules_->Broken();
    return std::nullopt;
  }

 private:
  static constexpr int kMostBoxes = 20;

  // Message boxes that kept coming back after being answered.
  bool BoxesLoop() const { return boxes_ > kMostBoxes; }

  WindowView& View(const Window& window) const { return app_->View(window.Name()); }

  void Tick() {
    for (Window* window : app_->Calculator().Windows()) {
      for (Control* control : window->Controls()) {
        auto* qtimer = View(*window).findChild<QTimer*>(QString::fromStdString(control->Name()),
                                                        Qt::FindDirectChildrenOnly);
        if (!qtimer || !qtimer->isActive()) continue;
        qtimer->blockSignals(false);
        QMetaObject::invokeMethod(qtimer, "timeout");
        qtimer->blockSignals(true);
      }
    }
  }

  // A window on screen: the application-modal one while it is shown.
  WindowView* TargetWindow(double pick) const {
    std::vector<WindowView*> shown;
    for (Window* window : app_->Calculator().Windows()) {
      WindowView& view = View(*window);
      if (!view.isVisible()) continue;
      if (view.windowModality() == Qt::ApplicationModal) return &view;
      shown.push_back(&view);
    }
    return shown.empty() ? nullptr : shown[static_cast<std::size_t>(Scaled(pick, static_cast<int>(shown.size())))];
  }

  std::string Mouse(const ViewEvent& e) {
    QWidget* top = QApplication::activePopupWidget();
    if (!top) top = TargetWindow(e.window);
    if (!top || !top->windowHandle()) return " with nothing shown";
    QWidget* on = top;
    if (e.control >= 0) {
      QList<QWidget*> children;
      for (QWidget* child : top->findChildren<QWidget*>())
        if (child->isVisibleTo(top) && !child->objectName().isEmpty()) children << child;
      if (!children.isEmpty()) on = children[Scaled(e.control, static_cast<int>(children.size()))];
    }
    const QPoint local(static_cast<int>(e.x * on->width()), static_cast<int>(e.y * on->height()));
    const QPoint inside = on->mapTo(top, local);
    const QPoint at(std::clamp(inside.x(), 0, top->width() - 1), std::clamp(inside.y(), 0, top->height() - 1));
    // Named first: a pop-up may be gone once the event is through.
    const std::string where = (e.kind == ViewEvent::Kind::RightClick ? " (left button) " : " ") + Where(top, on) +
                              " at " + std::to_string(local.x()) + "," + std::to_string(local.y());
    SendMouse(top->windowHandle(), e.kind, at);
    return where;
  }

  static void SendMouse(QWindow* window, ViewEvent::Kind kind, QPoint at) {
    switch (kind) {
      case ViewEvent::Kind::Press: return QTest::mousePress(window, Qt::LeftButton, {}, at);
      case ViewEvent::Kind::Release: return QTest::mouseRelease(window, Qt::LeftButton, {}, at);
      // Qt's own widgets answer a right click with a menu of their own (a
      // scroll bar's) whose loop would hold the session: a left one here.
      case ViewEvent::Kind::Click:
      case ViewEvent::Kind::RightClick: return QTest::mouseClick(window, Qt::LeftButton, {}, at);
      case ViewEvent::Kind::DoubleClick: return QTest::mouseDClick(window, Qt::LeftButton, {}, at);
      default: return QTest::mouseMove(window, at);
    }
  }

  std::string Key(const ViewEvent& e) {
    QWidget* to = QApplication::activePopupWidget();
    if (!to) to = QApplication::activeWindow();
    if (!to) to = TargetWindow(e.window);
    if (!to) return " with nothing shown";
    QWidget* top = to->window();
    if (QWidget* focus = top->focusWidget()) to = focus;
    const std::string where = " in " + Where(top, to);
    if (e.kind == ViewEvent::Kind::Character) {
      const auto unit = static_cast<char16_t>(e.character);
      const Qt::Key key = unit == u' ' ? Qt::Key_Space
                          : unit < 0x80 ? static_cast<Qt::Key>(QChar(unit).toUpper().unicode())
                                        : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, to, key, QString(QChar(unit)), Qt::NoModifier);
      return where;
    }
    if (e.withControl && e.key == 'V') QGuiApplication::clipboard()->setText(QString::fromStdString(e.clipboard));
    // Shift+Tab reaches a widget as Qt's own back-tab key.
    const Qt::Key key = e.withShift && e.key == key::kTab ? Qt::Key_Backtab : QtKey(e.key);
    QTest::keyClick(to, key, (e.withControl ? Qt::ControlModifier : Qt::NoModifier) |
                                 (e.withShift ? Qt::ShiftModifier : Qt::NoModifier));
    return where;
  }

  std::string Where(QWidget* top, QWidget* on) const {
    std::string where = top->objectName().isEmpty() ? top->metaObject()->className() : top->objectName().toStdString();
    if (on != top) where += "." + (on->objectName().isEmpty() ? std::string(on->metaObject()->className())
                                                                : on->objectName().toStdString());
    return where;
  }

  std::string Answer() const {
    if (boxes_ == 0) return "";
    return ", " + std::to_string(boxes_) + " box" + (boxes_ > 1 ? "es" : "") + " answered " +
           (answerOk_ ? "OK" : "Cancel");
  }

  void AnswerBox() {
    QWidget* modal = QApplication::activeModalWidget();
    auto* box = qobject_cast<QMessageBox*>(modal);
    // A file or print dialog of the platform is cancelled, as a user who
    // changed their mind would: nothing is written or printed.
    if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && !box && dialog->isVisible()) {
      dialog->reject();
      return;
    }
    if (!box || !box->isVisible()) return;
    ++boxes_;
    QAbstractButton* button = box->button(answerOk_ || BoxesLoop() ? QMessageBox::Ok : QMessageBox::Cancel);
    if (!button) button = box->button(QMessageBox::Ok);
    if (button) button->click();
    else box->close();
  }

  std::optional<SoakRules> rules_;
  QTimer answerer_;
  bool boxesLooped_ = false;
  bool answerOk_ = true;
  int boxes_ = 0;
};

// Two sessions of 10,000 events: 20,000 per run (QUILLET_VIEW_SOAK_EVENTS
// sets the length of each).
TEST_P(ViewSoak, RandomEventsKeepEveryWidgetShowingItsModel) {
  SoakView(GetParam(), EventsPerSession("QUILLET_VIEW_SOAK_EVENTS", 10000), *this);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ViewSoak, ::testing::Values(1u, 2u));

}  // namespace
}  // namespace quillet
