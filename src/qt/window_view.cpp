#include "qt/window_view.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

#include "platform/controls.h"
#include "platform/diagram.h"
#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/shown_text.h"
#include "platform/user_actions.h"
#include "platform/view_rules.h"
#include "platform/window.h"
#include "qt/diagram_view.h"
#include "qt/grid_view.h"
#include "qt/key_codes.h"
#include "qt/twips.h"
#include "qt/theme.h"
#include "qt/widgets.h"

namespace quillet {
namespace {

// The model counts characters; Qt counts UTF-16 units.
int CharactersBefore(const QString& text, int units) {
  return static_cast<int>(text.left(units).toUcs4().size());
}

int UnitsBefore(const QString& text, int characters) {
  int units = 0;
  for (int c = 0; c < characters && units < text.size(); ++c)
    units += text.at(units).isHighSurrogate() ? 2 : 1;
  return units;
}

// A mouse event belongs to the innermost widget under the cursor.
bool UnderNoChild(QWidget* widget, const QPointF& position) {
  return widget->childAt(position.toPoint()) == nullptr;
}

Qt::WindowStates ShownState(WindowState state) {
  switch (state) {
    case WindowState::Maximised: return Qt::WindowMaximized;
    case WindowState::Minimised: return Qt::WindowMinimized;
    case WindowState::Normal: break;
  }
  return Qt::WindowNoState;
}

WindowState ModelState(Qt::WindowStates state) {
  if (state & Qt::WindowMinimized) return WindowState::Minimised;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) return WindowState::Maximised;
  return WindowState::Normal;
}

}  // namespace

WindowView::WindowView(Window& model, UserActions& actions, QWidget* owner)
    : QWidget(owner, owner ? Qt::Window : Qt::WindowFlags()), model_(model), actions_(actions) {
  setObjectName(QString::fromStdString(model.Name()));
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  Build();
  model_.SetObserver([this](Control* control, Property property) {
    OwnWork guard(mirroring_);
    if (control) Sync(*control, property);
    else SyncWindow(property);
  });
}

WindowView::~WindowView() { model_.SetObserver(nullptr); }

QWidget* WindowView::WidgetOf(const std::string& controlName) const {
  const Control* control = model_.Find(controlName);
  auto it = widgets_.find(control);
  return it == widgets_.end() ? nullptr : it->second;
}

void WindowView::Build() {
  OwnWork guard(mirroring_);
  for (Control* control : model_.Controls()) {
    if (auto* timer = dynamic_cast<Timer*>(control)) {
      auto* qtimer = new QTimer(this);
      qtimer->setObjectName(QString::fromStdString(timer->Name()));
      QObject::connect(qtimer, &QTimer::timeout, this, [this, timer] { actions_.Tick(*timer); });
      timers_[timer] = qtimer;
      SyncTimer(*timer);
      continue;
    }
    if (auto* menu = dynamic_cast<Menu*>(control)) {
      BuildMenu(*menu);
      continue;
    }
    QWidget* parent = this;
    if (Control* container = control->Container()) parent = widgets_.at(container);
    QWidget* widget = MakeWidget(*control, parent);
    widget->setGeometry(ToRect(control->Place()));
    if (control->Typeface().points != 8 || control->Typeface().bold) {
      QFont font = widget->font();
      font.setPointSize(control->Typeface().points);
      font.setBold(control->Typeface().bold);
      widget->setFont(font);
    }
    if (!control->ToolTip().empty()) widget->setToolTip(PlainCaption(control->ToolTip()));
    Bind(widget, *control);
    WireEvents(*control, widget);
    SyncAll(*control);
  }
  for (const auto& [control, widget] : widgets_) ApplyName(*control, widget);
  SyncWindow(Property::Caption);
  SyncWindow(Property::Geometry);
}

QWidget* WindowView::MakeWidget(Control& control, QWidget* parent) {
  switch (control.Kind()) {
    case ControlKind::TextBox:
      if (static_cast<TextBox&>(control).MultiLine()) {
        auto* box = new QPlainTextEdit(parent);
        box->setReadOnly(true);
        box->setFrameShape(QFrame::NoFrame);
        box->viewport()->setMouseTracking(true);
        // The texts are laid out to fit their boxes; tabs indent like eight spaces.
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setTabStopDistance(8 * box->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
        return box;
      } else {
        auto* edit = new QLineEdit(parent);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setDragEnabled(false);
        edit->setAcceptDrops(false);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        return edit;
      }
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(WrapsCaption(control.Place()));
      return label;
    }
    case ControlKind::Panel3D: {
      auto* panel = new QLabel(parent);
      panel->setTextFormat(Qt::PlainText);
      panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      return panel;
    }
    case ControlKind::Frame3D:
      return new QGroupBox(parent);
    case ControlKind::ComboBox: {
      auto* list = new QComboBox(parent);
      list->setMaxVisibleItems(21);
      return list;
    }
    case ControlKind::CommandButton:
    case ControlKind::Command3D:
      return new CaptionButton(parent);
    case ControlKind::Option3D:
      return new ModelOption(parent);
    case ControlKind::CheckBox:
      return new ModelCheckBox(parent);
    case ControlKind::SpinButton:
      return new SpinArrows(parent);
    case ControlKind::Line: {
      auto* line = new QFrame(parent);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      return line;
    }
    case ControlKind::Picture:
      return new PictureWidget(static_cast<Picture&>(control), parent);
    case ControlKind::Timer:
    case ControlKind::Menu:
      break;
    case ControlKind::Grid:
      return new GridView(static_cast<Grid&>(control), actions_, parent);
    case ControlKind::Diagram:
      return new DiagramView(static_cast<Diagram&>(control), actions_, parent);
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      return bar;
    }
  }
  return new QWidget(parent);
}

void WindowView::Bind(QWidget* widget, Control& control) {
  widget->setObjectName(QString::fromStdString(control.Name()));
  widgets_[&control] = widget;
  auto watch = [&](QWidget* w) {
    controlOf_[w] = &control;
    w->setMouseTracking(true);
    w->installEventFilter(this);
  };
  watch(widget);
  if (auto* spin = dynamic_cast<SpinArrows*>(widget)) {
    watch(spin->Up());
    watch(spin->Down());
  }
  if (auto* box = dynamic_cast<QPlainTextEdit*>(widget)) watch(box->viewport());
  if (!control.Focusable()) widget->setFocusPolicy(Qt::NoFocus);
}

void WindowView::WireEvents(Control& control, QWidget* widget) {
  if (IsClickedButton(control.Kind())) {
    auto* button = static_cast<QAbstractButton*>(widget);
    QObject::connect(button, &QAbstractButton::clicked, this, [this, &control] {
      if (!mirroring_) actions_.Click(control);
    });
  } else if (auto* list = dynamic_cast<ComboBox*>(&control)) {
    auto* combo = static_cast<QComboBox*>(widget);
    QObject::connect(combo, &QComboBox::activated, this, [this, list, combo](int index) {
      if (mirroring_) return;
      actions_.Select(*list, index);
      // The model may have refused or changed the pick.
      OwnWork guard(mirroring_);
      combo->setCurrentIndex(list->ListIndex());
    });
  } else if (auto* spin = dynamic_cast<SpinButton*>(&control)) {
    auto* arrows = static_cast<SpinArrows*>(widget);
    arrows->onUp = [this, spin] { actions_.SpinUp(*spin); };
    arrows->onDown = [this, spin] { actions_.SpinDown(*spin); };
  } else if (auto* box = dynamic_cast<TextBox*>(&control)) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      auto report = [this, box, edit] { ReportSelection(*box, edit); };
      QObject::connect(edit, &QLineEdit::cursorPositionChanged, this, report);
      QObject::connect(edit, &QLineEdit::selectionChanged, this, report);
    }
  }
}

void WindowView::SyncAll(Control& control) {
  for (Property p : {Property::Caption, Property::Text, Property::ForeColor, Property::Enabled,
                     Property::Visible, Property::Value, Property::Items})
    Sync(control, p);
}

void WindowView::Sync(Control& control, Property property) {
  if (auto* timer = dynamic_cast<Timer*>(&control)) {
    SyncTimer(*timer);
    return;
  }
  if (auto* menu = dynamic_cast<Menu*>(&control)) {
    SyncMenu(*menu, property);
    return;
  }
  QWidget* widget = widgets_.at(&control);
  switch (property) {
    case Property::Caption:
      ApplyCaption(control, widget);
      ApplyName(control, widget);
      // Widgets still to be built take their names once all are.
      for (const Control* named : AffectedBy(control, property))
        if (auto it = widgets_.find(named); it != widgets_.end()) ApplyName(*named, it->second);
      break;
    case Property::Text:
      if (auto* box = dynamic_cast<TextBox*>(&control)) ApplyText(*box, widget);
      break;
    case Property::Selection:
      if (auto* box = dynamic_cast<TextBox*>(&control)) ApplySelection(*box, widget);
      if (auto* grid = dynamic_cast<GridView*>(widget)) grid->ShowCurrent();
      break;
    case Property::ForeColor:
      ApplyColour(control, widget);
      break;
    case Property::Enabled:
      // Its own setting, not the one inherited from a disabled container.
      if (widget->testAttribute(Qt::WA_ForceDisabled) == control.Enabled())
        widget->setEnabled(control.Enabled());
      break;
    case Property::Visible:
      if (widget->isHidden() == control.Visible()) widget->setHidden(!control.Visible());
      break;
    case Property::Value:
      if (auto* option = dynamic_cast<OptionButton*>(&control))
        static_cast<QAbstractButton*>(widget)->setChecked(option->Value());
      else if (auto* check = dynamic_cast<CheckBox*>(&control))
        static_cast<QAbstractButton*>(widget)->setChecked(check->Value() != 0);
      else if (auto* progress = dynamic_cast<ProgressBar*>(&control)) {
        auto* bar = static_cast<QProgressBar*>(widget);
        bar->setRange(0, std::max(progress->Maximum(), 1));
        bar->setValue(progress->Value());
      }
      break;
    case Property::Items:
    case Property::ListIndex:
      if (auto* grid = dynamic_cast<GridView*>(widget)) {
        grid->Refresh();
      } else if (auto* diagram = dynamic_cast<DiagramView*>(widget)) {
        if (property == Property::Items) diagram->Refresh();
        else diagram->ShowMarked();
      } else if (auto* list = dynamic_cast<ComboBox*>(&control)) {
        auto* combo = static_cast<QComboBox*>(widget);
        QStringList items, shown;
        for (const std::string& item : list->Items()) items << PlainCaption(item);
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (items != shown) {
          combo->clear();
          combo->addItems(items);
        }
        if (combo->currentIndex() != list->ListIndex()) combo->setCurrentIndex(list->ListIndex());
      }
      break;
    case Property::Focus:
      if (model_.Focused() == &control && !widget->hasFocus()) {
        // Before the control's handler runs, even in a window that is not
        // active, where the focus change itself would not end the edit.
        FinishGridEdit();
        widget->setFocus(Qt::OtherFocusReason);
      }
      break;
    case Property::Geometry:
      widget->setGeometry(ToRect(control.Place()));
      if (auto* label = qobject_cast<QLabel*>(widget)) label->setWordWrap(WrapsCaption(control.Place()));
      break;
    case Property::Interval:
      break;
  }
}

void WindowView::FinishGridEdit() {
  for (QWidget* at = focusWidget(); at; at = at->parentWidget())
    if (auto* grid = dynamic_cast<GridView*>(at)) return grid->FinishEdit();
}

void WindowView::SyncWindow(Property property) {
  switch (property) {
    case Property::Caption:
      setWindowTitle(PlainCaption(model_.Caption()));
      break;
    case Property::Geometry:
      if (model_.Resizable()) ApplyResizableGeometry();
      else ApplyFixedGeometry();
      break;
    case Property::Visible:
      if (model_.Shown()) {
        setWindowModality(model_.Modal() ? Qt::ApplicationModal : Qt::NonModal);
        show();
        raise();
        activateWindow();
      } else if (isVisible()) {
        hide();
        if (onClosed) onClosed();
      }
      break;
    default:
      break;
  }
}

QSize WindowView::ClientSize(int width, int height) {
  return {ToPixels(width - kNonClientWidth), ToPixels(height - kNonClientHeight)};
}

void WindowView::ApplyFixedGeometry() {
  move(ToPixels(model_.Left()), ToPixels(model_.Top()));
  // A window whose size its load sets has none before.
  if (HasSize(model_)) setFixedSize(ClientSize(model_.Width(), model_.Height()));
}

// A maximised or minimised window is placed by the platform, which reports
// where it put it.
void WindowView::ApplyResizableGeometry() {
  setMinimumSize(ClientSize(model_.MinWidth(), model_.MinHeight()));
  const Qt::WindowStates state = ShownState(model_.State());
  if ((windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) != state)
    setWindowState((windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) | state);
  if (model_.State() != WindowState::Normal) return;
  const QPoint place(ToPixels(model_.Left()), ToPixels(model_.Top()));
  if (pos() != place) move(place);
  const QSize client = ClientSize(model_.Width(), model_.Height());
  if (size() != client) resize(client);
}

// What the user does to a resizable window's frame, the model hears.
void WindowView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (model_.Resizable() && !mirroring_ && isVisible())
    actions_.MoveWindow(model_, ToTwips(pos().x()), ToTwips(pos().y()));
}

void WindowView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!model_.Resizable() || mirroring_ || !isVisible() || event->size() != size()) return;
  if (size() != ClientSize(model_.Width(), model_.Height()))
    actions_.ResizeWindow(model_, ToTwips(width()) + kNonClientWidth, ToTwips(height()) + kNonClientHeight);
}

void WindowView::SyncTimer(Timer& timer) {
  QTimer* qtimer = timers_.at(&timer);
  if (qtimer->interval() != timer.Interval()) qtimer->setInterval(timer.Interval());
  if (timer.Enabled() && !qtimer->isActive()) qtimer->start();
  if (!timer.Enabled() && qtimer->isActive()) qtimer->stop();
}

// The menu's actions also belong to the window, so their keys work wherever
// the focus is in it, with the menu closed.
void WindowView::BuildMenu(Menu& menu) {
  auto* qmenu = new QMenu(this);
  qmenu->setObjectName(QString::fromStdString(menu.Name()));
  menus_[&menu] = qmenu;
  widgets_[&menu] = qmenu;
  QObject::connect(qmenu, &QMenu::aboutToHide, this, [this, &menu] {
    if (!mirroring_ && menu.Open()) actions_.DismissMenu(menu);
  });
  SyncMenu(menu, Property::Items);
}

void WindowView::SyncMenu(Menu& menu, Property property) {
  QMenu* qmenu = menus_.at(&menu);
  if (property == Property::Items) {
    for (QAction* action : qmenu->actions()) {
      removeAction(action);
      delete action;
    }
    for (std::size_t i = 0; i < menu.Items().size(); ++i) {
      const MenuItem& item = menu.Items()[i];
      QAction* action = qmenu->addAction(PlainCaption(item.text));
      action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut), QKeySequence::PortableText));
      action->setShortcutContext(Qt::WindowShortcut);
      addAction(action);
      QObject::connect(action, &QAction::triggered, this, [this, &menu, index = static_cast<int>(i)] {
        if (!mirroring_) actions_.PickMenuItem(menu, index);
      });
    }
  } else if (property == Property::Enabled) {
    qmenu->setEnabled(menu.Enabled());
  } else if (property == Property::Visible) {
    if (!menu.Open()) {
      qmenu->hide();
      return;
    }
    QWidget* anchor = menu.Anchor() ? widgets_.at(menu.Anchor()) : nullptr;
    qmenu->popup(anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : rightClickAt_);
  }
}

void WindowView::ApplyCaption(Control& control, QWidget* widget) {
  const QString caption = PlainCaption(ShownCaption(control));
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->text() != caption) label->setText(caption);
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    const QString title = EscapedMnemonics(control.Caption());
    if (frame->title() != title) frame->setTitle(title);
  } else if (auto* button = dynamic_cast<CaptionButton*>(widget)) {
    button->SetCaption(PlainCaption(MnemonicCaption(control)));
  } else if (auto* option = qobject_cast<QAbstractButton*>(widget)) {
    const QString text = PlainCaption(MnemonicCaption(control));
    if (option->text() != text) option->setText(text);
  }
}

void WindowView::ApplyName(const Control& control, QWidget* widget) {
  const QString name = QString::fromStdString(AccessibleName(control));
  if (widget->accessibleName() != name) widget->setAccessibleName(name);
  // A result label named after its frame still reads out its value.
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    const QString value = label->text() == name ? QString() : label->text();
    if (widget->accessibleDescription() != value) widget->setAccessibleDescription(value);
  }
  if (auto* spin = dynamic_cast<SpinArrows*>(widget)) {
    spin->Up()->setAccessibleName(name + QStringLiteral(", up"));
    spin->Down()->setAccessibleName(name + QStringLiteral(", down"));
  }
}

void WindowView::ApplyText(TextBox& box, QWidget* widget) {
  const QString text = PlainCaption(box.Text());
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    if (edit->text() != text) edit->setText(text);
    ApplySelection(box, widget);
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (area->toPlainText() != shown) area->setPlainText(shown);
  }
}

void WindowView::ApplySelection(TextBox& box, QWidget* widget) {
  auto* edit = qobject_cast<QLineEdit*>(widget);
  if (!edit) return;
  const QString text = edit->text();
  const int start = UnitsBefore(text, box.SelStart());
  const int length = UnitsBefore(text, box.SelStart() + box.SelLength()) - start;
  if (length > 0) {
    if (edit->selectionStart() != start || edit->selectionLength() != length)
      edit->setSelection(start, length);
  } else if (edit->hasSelectedText() || edit->cursorPosition() != start) {
    edit->setCursorPosition(start);
  }
}

// The control's own colour, on paper where a dark palette would hide it.
void WindowView::ApplyColour(Control& control, QWidget* widget) {
  const QColor colour = ShownColour(control.ForeColor());
  const QPalette::ColorRole behind = widget->backgroundRole();
  const QColor ground = QApplication::palette(widget).color(QPalette::Active, behind);
  const QColor backdrop = BackdropFor(colour, ground);
  QPalette palette = widget->palette();
  // Set even when equal: a colour the widget only inherits would follow its
  // frame's colour instead of its own.
  if (palette.isBrushSet(QPalette::Active, QPalette::WindowText) &&
      palette.color(QPalette::Active, QPalette::WindowText) == colour &&
      palette.color(QPalette::Active, QPalette::Text) == colour && palette.color(QPalette::Active, behind) == backdrop)
    return;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      palette.setColor(group, role, colour);
    palette.setColor(group, behind, backdrop);
  }
  widget->setPalette(palette);
  if (backdrop != ground) widget->setAutoFillBackground(true);
}

void WindowView::ReportSelection(TextBox& box, QWidget* widget) {
  // A field losing the focus the model moved drops its selection; the
  // model's box keeps it, so the field shows it again.
  if (mirroring_) {
    ApplySelection(box, widget);
    return;
  }
  auto* edit = static_cast<QLineEdit*>(widget);
  const QString text = edit->text();
  const int startUnits = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  const int endUnits = startUnits + static_cast<int>(edit->selectedText().size());
  const int start = CharactersBefore(text, startUnits);
  actions_.SelectText(box, start, CharactersBefore(text, endUnits) - start);
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
  auto it = controlOf_.find(watched);
  if (it == controlOf_.end() || mirroring_) return QWidget::eventFilter(watched, event);
  Control& control = *it->second;
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress:
      // A table moves and edits its cells itself.
      if (control.Kind() == ControlKind::Grid) break;
      return OnKeyPress(control, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn: {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
          reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        actions_.Focus(control);
      break;
    }
    case QEvent::MouseMove:
      if (UnderNoChild(widget, static_cast<QMouseEvent*>(event)->position())) actions_.Hover(control);
      break;
    case QEvent::MouseButtonDblClick:
      if (UnderNoChild(widget, static_cast<QMouseEvent*>(event)->position()))
        actions_.DoubleClick(control);
      break;
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (ClicksOnRelease(control.Kind()) && mouse->button() == Qt::LeftButton &&
          widget->rect().contains(mouse->position().toPoint()) &&
          UnderNoChild(widget, mouse->position()))
        actions_.Click(control);
      break;
    }
    case QEvent::Wheel:
      // The list changes only through the model.
      return control.Kind() == ControlKind::ComboBox;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool WindowView::OnKeyPress(Control& control, QKeyEvent* event) {
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) return false;
  auto* box = dynamic_cast<TextBox*>(&control);
  if (box && !box->MultiLine()) return OnTextKey(*box, event);
  const int code = KeyCodeOf(*event);
  if (control.Kind() == ControlKind::ComboBox && OpensList(code)) return false;
  if (code != 0) actions_.KeyDown(control, code);
  return code != 0;
}

bool WindowView::OnTextKey(TextBox& box, QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    const QString pasted = QGuiApplication::clipboard()->text().section(QLatin1Char('\n'), 0, 0);
    for (char32_t c : pasted.toUcs4())
      if (QChar::isPrint(c)) actions_.TypeChar(box, QString::fromUcs4(&c, 1).toStdString());
    return true;
  }
  if (event->matches(QKeySequence::Cut)) {
    if (box.SelLength() > 0) {
      auto* edit = static_cast<QLineEdit*>(widgets_.at(&box));
      QGuiApplication::clipboard()->setText(edit->selectedText());
      actions_.DeleteKey(box);
    }
    return true;
  }
  if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) return false;
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) return true;
  if (event->key() == Qt::Key_Delete) {
    actions_.DeleteKey(box);
    return true;
  }
  const int code = KeyCodeOf(*event);
  if (code != 0) actions_.KeyDown(box, code);
  if (event->key() == Qt::Key_Backspace) {
    actions_.TypeChar(box, "\b");
    return true;
  }
  const QString text = event->text();
  const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  if (!text.isEmpty() && !command && text.at(0).isPrint()) {
    for (char32_t c : text.toUcs4()) actions_.TypeChar(box, QString::fromUcs4(&c, 1).toStdString());
    return true;
  }
  // Caret keys move the caret in the widget; the selection is reported back.
  return !IsCaretKey(code);
}

void WindowView::mouseMoveEvent(QMouseEvent* event) {
  if (UnderNoChild(this, event->position())) actions_.HoverWindow(model_);
}

void WindowView::mousePressEvent(QMouseEvent* event) {
  if (!UnderNoChild(this, event->position())) return;
  if (event->button() == Qt::LeftButton) {
    actions_.ClickWindow(model_);
  } else if (event->button() == Qt::RightButton) {
    rightClickAt_ = event->globalPosition().toPoint();
    actions_.RightClickWindow(model_);
  }
}

void WindowView::keyPressEvent(QKeyEvent* event) {
  if (KeyCodeOf(*event) != 0) actions_.KeyDownOnWindow(model_);
}

void WindowView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // A new palette (the desktop turned dark): the controls' own colours
  // find their backgrounds again.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
    for (QWidget* widget : findChildren<QWidget*>())
      if (const auto it = controlOf_.find(widget);
          it != controlOf_.end() && widget->palette().isBrushSet(QPalette::Active, QPalette::WindowText))
        ApplyColour(*it->second, widget);
  if (event->type() == QEvent::WindowStateChange && model_.Resizable() && !mirroring_ && isVisible())
    actions_.SetWindowState(model_, ModelState(windowState()));
  if (event->type() != QEvent::ActivationChange) return;
  // Only a window that was active can lose the activation.
  if (isActiveWindow()) wasActive_ = true;
  else if (wasActive_ && !mirroring_) {
    wasActive_ = false;
    actions_.DeactivateWindow(model_);
  }
}

void WindowView::closeEvent(QCloseEvent* event) {
  // The model decides; the widget hides when the model window closes.
  event->ignore();
  if (model_.Shown()) actions_.CloseWindow(model_);
}

}  // namespace quillet
