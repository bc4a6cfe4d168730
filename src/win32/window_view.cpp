#include "win32/window_view.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/native_text.h"
#include "platform/shown_text.h"
#include "platform/user_actions.h"
#include "platform/utf8.h"
#include "platform/view_rules.h"
#include "platform/window.h"
#include "win32/desktop_app.h"
#include "win32/list_grid.h"
#include "win32/picture_view.h"

namespace quillet {

LRESULT CALLBACK ViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

namespace {

constexpr wchar_t kWindowClass[] = L"QuilletWindow";
// Posted when a model menu opens: it is tracked once the handler that
// opened it has returned.
constexpr UINT kShowMenu = WM_APP + 1;
// A list shows this many items when it drops down.
constexpr int kListItemsShown = 21;
// The field of a drop-down list is its item's height and a border.
constexpr int kListBorder = 6;
// A button's caption keeps this far from its edges.
constexpr int kButtonMargin = 4;
// Tabs in a multi-line text stop every eight blanks.
constexpr int kBlanksPerTab = 8;

COLORREF Rgb(Colour colour) {
  return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour)) : static_cast<COLORREF>(colour);
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetText(HWND window, const std::wstring& text) {
  if (WindowText(window) != text) SetWindowTextW(window, text.c_str());
}

// The model counts characters; Windows counts UTF-16 units.
int CharactersBefore(const std::wstring& text, int units) {
  int characters = 0;
  for (int i = 0; i < units && i < static_cast<int>(text.size()); ++i)
    if (text[static_cast<std::size_t>(i)] < 0xDC00 || text[static_cast<std::size_t>(i)] > 0xDFFF) ++characters;
  return characters;
}

int UnitsBefore(const std::wstring& text, int characters) {
  int units = 0;
  for (int c = 0; c < characters && units < static_cast<int>(text.size()); ++c) {
    const wchar_t unit = text[static_cast<std::size_t>(units)];
    units += unit >= 0xD800 && unit < 0xDC00 ? 2 : 1;
  }
  return units;
}

// A multi-line text box shows its lines as Windows writes them.
std::wstring ShownLines(const TextBox& box) {
  std::wstring lines;
  for (wchar_t unit : WideFromUtf8(ShownText(box))) {
    if (unit == L'\n') lines += L'\r';
    lines += unit;
  }
  return lines;
}

// The caption with every "&" shown as itself.
std::wstring Literal(const std::string& caption) {
  std::wstring shown;
  for (wchar_t unit : WideFromUtf8(caption)) {
    if (unit == L'&') shown += L'&';
    shown += unit;
  }
  return shown;
}

std::wstring CaptionText(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::Label:
    case ControlKind::Panel3D:
      return WideFromUtf8(ShownCaption(control));  // drawn without a mnemonic
    case ControlKind::Frame3D:
      return Literal(control.Caption());
    default:
      return WideFromUtf8(MnemonicCaption(control));
  }
}

DWORD LabelStyle(const Control& control) {
  return WrapsCaption(control.Place()) ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

bool IsPrintable(char32_t c) {
  return c >= 0x20 && !(c >= 0x7F && c < 0xA0) && c != 0xFFFE && c != 0xFFFF;
}

bool KeyHeld(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

// Keys an edit field takes with Ctrl: copy, paste, cut, select all, undo, redo.
bool IsEditCommand(int virtualKey) {
  return virtualKey == 'C' || virtualKey == 'V' || virtualKey == 'X' || virtualKey == 'A' || virtualKey == 'Z' ||
         virtualKey == 'Y';
}

int Depth(const Control& control) {
  int depth = 0;
  for (const Control* at = control.Container(); at; at = at->Container()) ++depth;
  return depth;
}

const wchar_t* RegisteredWindowClass(HINSTANCE instance) {
  static const ATOM registered = [instance] {
    WNDCLASSW kind{};
    kind.style = CS_DBLCLKS;
    kind.lpfnWndProc = ViewProc;
    kind.hInstance = instance;
    kind.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    kind.lpszClassName = kWindowClass;
    return RegisterClassW(&kind);
  }();
  (void)registered;
  return kWindowClass;
}

}  // namespace

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* view = reinterpret_cast<Win32View*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!view || !view->window_) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return view->OnMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    view->app_.ShowFault(error.what());
  } catch (...) {
    view->app_.ShowFault("unknown");
  }
  return 0;
}

LRESULT CALLBACK ControlProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* view = reinterpret_cast<Win32View*>(data);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(handle, ControlProc, 0);
  const auto it = view->controlOf_.find(handle);
  if (it == view->controlOf_.end() || view->mirroring_) return DefSubclassProc(handle, message, wParam, lParam);
  try {
    return view->OnControlMessage(*it->second, handle, message, wParam, lParam);
  } catch (const std::exception& error) {
    view->app_.ShowFault(error.what());
  } catch (...) {
    view->app_.ShowFault("unknown");
  }
  return 0;
}

Win32View::Win32View(Window& model, Win32App& app, Win32View* owner)
    : model_(model), app_(app), actions_(app.Calculator().actions) {
  // Frames are group boxes beneath their controls, drawn over the window's
  // own background: the window does not clip its children out.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (owner ? 0 : WS_MINIMIZEBOX);
  window_ = CreateWindowExW(0, RegisteredWindowClass(app.Instance()), L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner ? owner->window_ : nullptr, nullptr,
                            app.Instance(), this);
  if (!window_) throw std::runtime_error("the window " + model.Name() + " could not be made");
  // The main window carries every timer's ticks.
  if (!owner) app.Timers().SetOwner(window_);
  tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, app.Instance(), nullptr);
  Build();
  model_.SetObserver([this](Control* control, Property property) {
    OwnWork guard(mirroring_);
    if (control) Sync(*control, property);
    else SyncWindow(property);
  });
}

Win32View::~Win32View() {
  model_.SetObserver(nullptr);
  for (const auto& [menu, handle] : menus_) DestroyMenu(handle);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

HWND Win32View::HandleOf(const Control& control) const {
  auto it = handles_.find(&control);
  return it == handles_.end() ? nullptr : it->second;
}

HMENU Win32View::MenuOf(const Menu& menu) const {
  auto it = menus_.find(&menu);
  return it == menus_.end() ? nullptr : it->second;
}

const ListGrid* Win32View::ListOf(const Grid& grid) const {
  auto it = lists_.find(&grid);
  return it == lists_.end() ? nullptr : it->second.get();
}

bool Win32View::Modal() const { return model_.Shown() && model_.Modal(); }

void Win32View::Build() {
  OwnWork guard(mirroring_);
  std::vector<const Control*> containers;
  for (Control* control : model_.Controls()) {
    if (auto* timer = dynamic_cast<Timer*>(control)) {
      app_.Timers().Sync(*timer);
      continue;
    }
    if (auto* menu = dynamic_cast<Menu*>(control)) {
      SyncMenu(*menu, Property::Items);
      continue;
    }
    HWND handle = MakeControl(*control);
    handles_[control] = handle;
    controlOf_[handle] = control;
    SetWindowSubclass(handle, ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    const Font& type = control->Typeface();
    SendMessageW(handle, WM_SETFONT,
                 reinterpret_cast<WPARAM>(app_.ScreenFonts().Arial(type.points, type.bold, ScreenDotsPerInch())), FALSE);
    if (!control->ToolTip().empty()) {
      std::wstring tip = WideFromUtf8(control->ToolTip());
      TTTOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = window_;
      tool.uId = reinterpret_cast<UINT_PTR>(handle);
      tool.lpszText = tip.data();
      SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (auto* grid = dynamic_cast<Grid*>(control))
      lists_[grid] = std::make_unique<ListGrid>(*grid, handle, app_.ScreenFonts().Arial(8, true, ScreenDotsPerInch()));
    ApplyPlace(*control);
    SyncAll(*control);
    if (control->Kind() == ControlKind::Frame3D || control->Kind() == ControlKind::Panel3D)
      containers.push_back(control);
  }
  // Side by side, a container lies beneath what it holds, the outermost lowest.
  std::stable_sort(containers.begin(), containers.end(),
                   [](const Control* a, const Control* b) { return Depth(*a) > Depth(*b); });
  for (const Control* container : containers)
    SetWindowPos(handles_.at(container), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SyncWindow(Property::Caption);
  SyncWindow(Property::Geometry);
}

HWND Win32View::MakeControl(Control& control) {
  const wchar_t* kind = L"STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS, extended = 0;
  void* parameter = nullptr;
  switch (control.Kind()) {
    case ControlKind::TextBox:
      kind = L"EDIT";
      if (static_cast<TextBox&>(control).MultiLine()) {
        style |= ES_MULTILINE | ES_READONLY;
      } else {
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        extended = WS_EX_CLIENTEDGE;
      }
      break;
    case ControlKind::Label:
      style |= SS_NOPREFIX | LabelStyle(control);
      break;
    case ControlKind::Panel3D:
      style |= SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_SUNKEN;
      break;
    case ControlKind::Frame3D:
      kind = L"BUTTON";
      style |= BS_GROUPBOX;
      break;
    case ControlKind::ComboBox:
      kind = L"COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case ControlKind::CommandButton:
    case ControlKind::Command3D:
      kind = L"BUTTON";
      style |= WS_TABSTOP | BS_OWNERDRAW;  // DrawButton
      break;
    case ControlKind::Option3D:
      kind = L"BUTTON";
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      break;
    case ControlKind::CheckBox:
      kind = L"BUTTON";
      style |= WS_TABSTOP | BS_CHECKBOX;
      break;
    case ControlKind::SpinButton:
      kind = UPDOWN_CLASSW;
      break;
    case ControlKind::Line:
      style |= SS_ETCHEDHORZ;
      break;
    case ControlKind::Picture:
      kind = PictureClass(app_.Instance());
      parameter = static_cast<Picture*>(&control);
      break;
    case ControlKind::Grid:
      if (!static_cast<Grid&>(control).ReadOnly())
        throw std::logic_error("the Windows view lists only read-only tables: " + control.Name());
      kind = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_NOSORTHEADER;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Diagram:
    case ControlKind::ProgressBar:
    case ControlKind::Timer:
    case ControlKind::Menu:
      throw std::logic_error("the Windows view has no control for " + control.Name());
  }
  HWND handle = CreateWindowExW(extended, kind, L"", style, 0, 0, 0, 0, window_, nullptr, app_.Instance(), parameter);
  if (!handle) throw std::runtime_error("the control " + control.Name() + " could not be made");
  if (control.Kind() == ControlKind::SpinButton) {
    // Steps are the model's: the arrows report, the position never moves.
    SendMessageW(handle, UDM_SETRANGE32, 0, 100);
    SendMessageW(handle, UDM_SETPOS32, 0, 50);
  }
  return handle;
}

void Win32View::SyncAll(Control& control) {
  for (Property p : {Property::Caption, Property::Text, Property::ForeColor, Property::Enabled, Property::Visible,
                     Property::Value, Property::Items})
    Sync(control, p);
}

void Win32View::Sync(Control& control, Property property) {
  if (auto* timer = dynamic_cast<Timer*>(&control)) {
    app_.Timers().Sync(*timer);
    return;
  }
  if (auto* menu = dynamic_cast<Menu*>(&control)) {
    SyncMenu(*menu, property);
    return;
  }
  HWND handle = handles_.at(&control);
  switch (property) {
    case Property::Caption:
      ApplyCaption(control);
      break;
    case Property::Text:
      if (auto* box = dynamic_cast<TextBox*>(&control)) ApplyText(*box);
      break;
    case Property::Selection:
      if (auto* box = dynamic_cast<TextBox*>(&control)) ApplySelection(*box);
      break;
    case Property::ForeColor:
      InvalidateRect(handle, nullptr, TRUE);
      break;
    case Property::Enabled:
      EnableWindow(handle, EnabledOnScreen(control));
      for (const Control* inside : AffectedBy(control, property))
        if (HWND other = HandleOf(*inside)) EnableWindow(other, EnabledOnScreen(*inside));
      break;
    case Property::Visible:
      ShowWindow(handle, ShownOnScreen(control) ? SW_SHOWNA : SW_HIDE);
      for (const Control* inside : AffectedBy(control, property))
        if (HWND other = HandleOf(*inside)) ShowWindow(other, ShownOnScreen(*inside) ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::Value:
      if (auto* option = dynamic_cast<OptionButton*>(&control))
        SendMessageW(handle, BM_SETCHECK, option->Value() ? BST_CHECKED : BST_UNCHECKED, 0);
      else if (auto* check = dynamic_cast<CheckBox*>(&control))
        SendMessageW(handle, BM_SETCHECK, check->Value() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Property::Items:
    case Property::ListIndex:
      ApplyItems(control);
      break;
    case Property::Focus:
      ApplyFocus(control);
      break;
    case Property::Geometry:
      ApplyPlace(control);
      for (const Control* inside : AffectedBy(control, property)) ApplyPlace(*inside);
      break;
    case Property::Interval:
      break;
  }
}

void Win32View::SyncWindow(Property property) {
  switch (property) {
    case Property::Caption:
      SetText(window_, WideFromUtf8(model_.Caption()));
      break;
    case Property::Geometry:
      ApplyGeometry();
      break;
    case Property::Visible:
      if (model_.Shown()) {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        app_.ModalityChanged();
      } else if (IsWindowVisible(window_)) {
        ShowWindow(window_, SW_HIDE);
        app_.ModalityChanged();
        if (onClosed) onClosed();
      }
      break;
    default:
      break;
  }
}

// The model's outer size less its borders and caption is the client area.
void Win32View::ApplyGeometry() {
  if (!HasSize(model_)) return;
  const PixelRect client = ClientArea(model_);
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, ToPixels(model_.Left()), ToPixels(model_.Top()), outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32View::ApplyPlace(const Control& control) {
  HWND handle = HandleOf(control);
  if (!handle) return;
  const PixelRect place = PixelsOf(PlaceInWindow(control));
  int height = place.height;
  if (control.Kind() == ControlKind::ComboBox) {
    // The field is the control's height; the list drops below it.
    const int item = std::max(1, place.height - kListBorder);
    SendMessageW(handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
    height += kListItemsShown * static_cast<int>(SendMessageW(handle, CB_GETITEMHEIGHT, 0, 0)) + 2;
  }
  if (control.Kind() == ControlKind::Label) {
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    const LONG_PTR wanted = (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | LabelStyle(control);
    if (style != wanted) SetWindowLongPtrW(handle, GWL_STYLE, wanted);
  }
  SetWindowPos(handle, nullptr, place.left, place.top, place.width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(handle, nullptr, TRUE);
}

void Win32View::ApplyCaption(const Control& control) {
  if (control.Kind() == ControlKind::TextBox || control.Kind() == ControlKind::ComboBox ||
      control.Kind() == ControlKind::Grid || control.Kind() == ControlKind::SpinButton)
    return;
  SetText(handles_.at(&control), CaptionText(control));
}

void Win32View::ApplyText(TextBox& box) {
  HWND handle = handles_.at(&box);
  if (box.MultiLine()) {
    const std::wstring lines = ShownLines(box);
    if (WindowText(handle) == lines) return;
    SetWindowTextW(handle, lines.c_str());
    // Tab stops eight blanks apart, in the quarter characters Windows counts in.
    HDC dc = GetDC(handle);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)));
    SIZE blank{};
    GetTextExtentPoint32W(dc, L" ", 1, &blank);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(handle, dc);
    int stop = kBlanksPerTab * blank.cx * 4 / std::max<LONG>(1, metrics.tmAveCharWidth);
    SendMessageW(handle, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    return;
  }
  SetText(handle, WideFromUtf8(box.Text()));
  ApplySelection(box);
}

void Win32View::ApplySelection(TextBox& box) {
  if (box.MultiLine()) return;
  HWND handle = handles_.at(&box);
  const std::wstring text = WindowText(handle);
  const int start = UnitsBefore(text, box.SelStart());
  const int end = UnitsBefore(text, box.SelStart() + box.SelLength());
  DWORD shownStart = 0, shownEnd = 0;
  SendMessageW(handle, EM_GETSEL, reinterpret_cast<WPARAM>(&shownStart), reinterpret_cast<LPARAM>(&shownEnd));
  if (static_cast<int>(shownStart) != start || static_cast<int>(shownEnd) != end)
    SendMessageW(handle, EM_SETSEL, static_cast<WPARAM>(start), end);
}

// The focus moves with the model's; in a window that is not active it waits
// for the window's activation, which would otherwise be taken from another.
void Win32View::ApplyFocus(const Control& control) {
  HWND handle = handles_.at(&control);
  if (model_.Focused() == &control && GetFocus() != handle && GetActiveWindow() == window_) SetFocus(handle);
}

void Win32View::ApplyItems(Control& control) {
  HWND handle = handles_.at(&control);
  if (auto* grid = dynamic_cast<Grid*>(&control)) {
    lists_.at(grid)->Refresh();
    return;
  }
  auto* list = dynamic_cast<ComboBox*>(&control);
  if (!list) return;
  bool same = SendMessageW(handle, CB_GETCOUNT, 0, 0) == list->ListCount();
  for (int i = 0; same && i < list->ListCount(); ++i) {
    const auto length = SendMessageW(handle, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(handle, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    same = item == WideFromUtf8(list->Items()[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    SendMessageW(handle, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : list->Items())
      SendMessageW(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
  }
  if (SendMessageW(handle, CB_GETCURSEL, 0, 0) != list->ListIndex())
    SendMessageW(handle, CB_SETCURSEL, static_cast<WPARAM>(list->ListIndex()), 0);
}

void Win32View::SyncMenu(Menu& menu, Property property) {
  if (property == Property::Items || property == Property::Enabled) {
    if (HMENU old = MenuOf(menu)) DestroyMenu(old);
    HMENU handle = CreatePopupMenu();
    for (std::size_t i = 0; i < menu.Items().size(); ++i) {
      const MenuItem& item = menu.Items()[i];
      std::wstring label = Literal(item.text);
      if (!item.shortcut.empty()) label += L"\t" + WideFromUtf8(item.shortcut);
      AppendMenuW(handle, MF_STRING | (menu.Enabled() ? 0 : MF_GRAYED), i + 1, label.c_str());
    }
    menus_[&menu] = handle;
  } else if (property == Property::Visible) {
    if (tracking_ == &menu) {
      // Closed, or asked to open elsewhere, while it is up.
      reopen_ = menu.Open();
      EndMenu();
    } else if (menu.Open()) {
      PostMessageW(window_, kShowMenu, 0, reinterpret_cast<LPARAM>(&menu));
    }
  }
}

void Win32View::ShowMenu(Menu& menu) {
  if (!menu.Open()) return;
  POINT at = rightClickAt_;
  if (menu.Anchor()) {
    RECT anchor{};
    GetWindowRect(handles_.at(menu.Anchor()), &anchor);
    at = {anchor.left, anchor.bottom};
  }
  tracking_ = &menu;
  reopen_ = false;
  SetForegroundWindow(window_);
  const auto picked = static_cast<UINT>(TrackPopupMenuEx(MenuOf(menu), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN |
                                                                            TPM_RIGHTBUTTON,
                                                         at.x, at.y, window_, nullptr));
  tracking_ = nullptr;
  if (reopen_) {
    PostMessageW(window_, kShowMenu, 0, reinterpret_cast<LPARAM>(&menu));
  } else if (picked > 0) {
    actions_.PickMenuItem(menu, static_cast<int>(picked) - 1);
  } else if (menu.Open()) {
    actions_.DismissMenu(menu);
  }
}

LRESULT Win32View::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), COLOR_BTNFACE);
    case WM_CTLCOLOREDIT:
      return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), COLOR_WINDOW);
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      if (OnMouse(message, lParam)) return 0;
      break;
    case WM_CAPTURECHANGED:
      pressed_ = nullptr;
      return 0;
    case WM_KEYDOWN:
      if (!mirroring_ && IsKeyCode(static_cast<int>(wParam))) actions_.KeyDownOnWindow(model_);
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      // The model decides; the window hides when the model window closes.
      if (model_.Shown()) actions_.CloseWindow(model_);
      return 0;
    case WM_TIMER:
      app_.Timers().OnTimer(wParam);
      return 0;
    case kShowMenu:
      ShowMenu(*reinterpret_cast<Menu*>(lParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT Win32View::OnCommand(WPARAM wParam, LPARAM lParam) {
  const auto it = controlOf_.find(reinterpret_cast<HWND>(lParam));
  if (it == controlOf_.end() || mirroring_) return 0;
  Control& control = *it->second;
  HWND handle = it->first;
  switch (HIWORD(wParam)) {
    case BN_CLICKED:
    case BN_DOUBLECLICKED:  // a drawn button's second click
      if (IsClickedButton(control.Kind())) actions_.Click(control);
      break;
    case CBN_SELENDOK:
      if (auto* list = dynamic_cast<ComboBox*>(&control)) {
        actions_.Select(*list, static_cast<int>(SendMessageW(handle, CB_GETCURSEL, 0, 0)));
        // The model may have refused or changed the pick.
        OwnWork guard(mirroring_);
        ApplyItems(*list);
      }
      break;
    case CBN_SELENDCANCEL: {
      OwnWork guard(mirroring_);
      ApplyItems(control);
      break;
    }
    default:
      break;
  }
  return 0;
}

LRESULT Win32View::OnNotify(NMHDR& header) {
  const auto it = controlOf_.find(header.hwndFrom);
  if (it == controlOf_.end()) return 0;
  Control& control = *it->second;
  if (auto* grid = dynamic_cast<Grid*>(&control)) return lists_.at(grid)->OnNotify(header);
  if (header.code == UDN_DELTAPOS && !mirroring_) {
    if (reinterpret_cast<NMUPDOWN&>(header).iDelta > 0) actions_.SpinUp(control);
    else actions_.SpinDown(control);
    return TRUE;  // the position stays; the model steps
  }
  return 0;
}

// A command button draws its caption itself, wrapped at blanks across its
// face and centred, as the Qt view's buttons do, in its own colour.
void Win32View::DrawButton(const DRAWITEMSTRUCT& item) {
  if (!controlOf_.count(item.hwndItem)) return;
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  OnColour(dc, item.hwndItem, COLOR_BTNFACE);
  if (item.itemState & ODS_DISABLED) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  const std::wstring caption = WindowText(item.hwndItem);
  const UINT format = DT_CENTER | DT_WORDBREAK | ((item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
  RECT text = item.rcItem;
  InflateRect(&text, -kButtonMargin, -kButtonMargin);
  if (pressed) OffsetRect(&text, 1, 1);
  RECT needed = text;
  DrawTextW(dc, caption.c_str(), -1, &needed, format | DT_CALCRECT);
  text.top += std::max(0L, (text.bottom - text.top - (needed.bottom - needed.top)) / 2);
  DrawTextW(dc, caption.c_str(), -1, &text, format);
  SelectObject(dc, font);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -kButtonMargin + 1, -kButtonMargin + 1);
    DrawFocusRect(dc, &focus);
  }
}

// Every control in its own colour, on the background its kind has.
LRESULT Win32View::OnColour(HDC dc, HWND handle, int background) {
  const auto it = controlOf_.find(handle);
  if (it == controlOf_.end()) return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
  const Control& control = *it->second;
  if (control.Kind() == ControlKind::TextBox && IsWindowEnabled(handle)) background = COLOR_WINDOW;
  SetTextColor(dc, Rgb(control.ForeColor()));
  SetBkColor(dc, GetSysColor(background));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

Control* Win32View::ControlUnder(LPARAM lParam) const {
  return ControlAt(model_, ToTwips(GET_X_LPARAM(lParam)), ToTwips(GET_Y_LPARAM(lParam)));
}

// The window's own surface and the controls that let the mouse through.
bool Win32View::OnMouse(UINT message, LPARAM lParam) {
  if (mirroring_) return false;
  Control* under = ControlUnder(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (under) actions_.Hover(*under);
      else actions_.HoverWindow(model_);
      return true;
    case WM_LBUTTONDOWN:
      pressed_ = under;
      SetCapture(window_);
      if (!under) actions_.ClickWindow(model_);
      return true;
    case WM_LBUTTONDBLCLK:
      pressed_ = under;
      SetCapture(window_);
      if (under) actions_.DoubleClick(*under);
      else actions_.ClickWindow(model_);
      return true;
    case WM_LBUTTONUP: {
      Control* pressed = pressed_;
      ReleaseCapture();
      if (pressed && pressed == under && ClicksOnRelease(under->Kind())) actions_.Click(*under);
      return true;
    }
    case WM_RBUTTONDOWN:
      if (under) return false;
      rightClickAt_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window_, &rightClickAt_);
      actions_.RightClickWindow(model_);
      return true;
    default:
      return false;
  }
}

void Win32View::OnActivate(bool active) {
  if (!active) {
    // Only a window that was active can lose the activation.
    if (wasActive_ && !mirroring_) {
      wasActive_ = false;
      actions_.DeactivateWindow(model_);
    }
    return;
  }
  wasActive_ = true;
  OwnWork guard(mirroring_);
  const Control* focused = model_.Focused();
  HWND handle = focused ? HandleOf(*focused) : nullptr;
  SetFocus(handle && IsWindowVisible(handle) && IsWindowEnabled(handle) ? handle : window_);
}

namespace {

// Messages after which a field may have moved its caret or selection itself
// (the timer: a selection dragged past its edge goes on growing).
bool MovesCaret(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP ||
         message == WM_MOUSEMOVE || message == WM_KEYDOWN || message == WM_TIMER;
}

}  // namespace

LRESULT Win32View::OnControlMessage(Control& control, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = dynamic_cast<TextBox*>(&control);
  auto* field = box && !box->MultiLine() ? box : nullptr;
  const bool list = control.Kind() == ControlKind::Grid;
  // A click is the button going down and up in the same text box.
  bool clicked = false;
  switch (message) {
    case WM_MOUSEMOVE:
      actions_.Hover(control);
      break;
    case WM_LBUTTONDOWN:
      if (list) return 0;  // a list of results: nothing to pick
      pressed_ = &control;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      if (list) return 0;
      break;
    case WM_CAPTURECHANGED:
      pressed_ = nullptr;
      break;
    case WM_LBUTTONDBLCLK:
      actions_.DoubleClick(control);
      if (list) return 0;
      break;
    case WM_LBUTTONUP: {
      RECT inside{};
      GetClientRect(handle, &inside);
      clicked = box && pressed_ == &control && PtInRect(&inside, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      pressed_ = nullptr;
      break;
    }
    case WM_SETFOCUS: {
      const LRESULT result = DefSubclassProc(handle, message, wParam, lParam);
      if (control.Focusable()) actions_.Focus(control);
      return result;
    }
    case WM_KEYDOWN:
      if (OnKeyDown(control, handle, static_cast<int>(wParam))) return 0;
      break;
    case WM_CHAR:
      if (field && OnChar(*field, handle, static_cast<wchar_t>(wParam))) return 0;
      // Lists change only through the model; read-only texts take no keys.
      if (!field && (box || list || control.Kind() == ControlKind::ComboBox)) return 0;
      break;
    case WM_MOUSEWHEEL:
      if (control.Kind() == ControlKind::ComboBox) return 0;
      break;
    case WM_PASTE:
      if (field) Paste(*field);
      return 0;
    case WM_CUT:
      if (field) Cut(*field, handle);
      return 0;
    case WM_UNDO:
    case EM_UNDO:
    case WM_CLEAR:
    case WM_CONTEXTMENU:
      if (box) return 0;
      break;
    default:
      break;
  }
  const LRESULT result = DefSubclassProc(handle, message, wParam, lParam);
  if (field && MovesCaret(message)) ReportSelection(*field, handle);
  if (clicked) actions_.Click(*box);
  return result;
}

bool Win32View::OnKeyDown(Control& control, HWND handle, int virtualKey) {
  auto* box = dynamic_cast<TextBox*>(&control);
  if (box && !box->MultiLine()) return OnTextKey(*box, handle, virtualKey);
  const int code = IsKeyCode(virtualKey) ? virtualKey : 0;
  // An open list takes its own keys; the space bar and F4 open it.
  if (control.Kind() == ControlKind::ComboBox &&
      (SendMessageW(handle, CB_GETDROPPEDSTATE, 0, 0) || OpensList(code)))
    return false;
  if (code != 0) actions_.KeyDown(control, code);
  return code != 0;
}

// Characters come as WM_CHAR, which the model's filter sees before any is
// inserted; caret keys move the caret in the field, which reports back.
bool Win32View::OnTextKey(TextBox& box, HWND, int virtualKey) {
  if (KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU) && IsEditCommand(virtualKey)) return true;
  if (virtualKey == VK_DELETE) {
    actions_.DeleteKey(box);
    return true;
  }
  const int code = IsKeyCode(virtualKey) ? virtualKey : 0;
  if (code != 0) actions_.KeyDown(box, code);
  if (virtualKey == VK_BACK) {
    actions_.TypeChar(box, "\b");
    return true;
  }
  return !IsCaretKey(code);
}

bool Win32View::OnChar(TextBox& box, HWND handle, wchar_t unit) {
  if (unit >= 0xD800 && unit < 0xDC00) {
    highSurrogate_ = unit;
    return true;
  }
  char32_t character = unit;
  if (unit >= 0xDC00 && unit <= 0xDFFF) {
    if (!highSurrogate_) return true;
    character = 0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) + (unit - 0xDC00);
  }
  highSurrogate_ = 0;
  switch (character) {
    case 0x03:  // Ctrl+C: the field copies its selection
      return false;
    case 0x16:  // Ctrl+V
      Paste(box);
      return true;
    case 0x18:  // Ctrl+X
      Cut(box, handle);
      return true;
    case 0x01:  // Ctrl+A
      DefSubclassProc(handle, EM_SETSEL, 0, -1);
      ReportSelection(box, handle);
      return true;
    default:
      break;
  }
  if (IsPrintable(character)) actions_.TypeChar(box, Utf8Encode(character));
  return true;
}

// The clipboard's first line, typed a character at a time.
void Win32View::Paste(TextBox& box) {
  const std::string text = ClipboardText(window_);
  const std::string line = text.substr(0, text.find('\n'));
  const int count = Utf8Length(line);
  for (int i = 0; i < count; ++i) {
    const std::size_t from = Utf8Offset(line, i);
    const std::string character = line.substr(from, Utf8Offset(line, i + 1) - from);
    if (IsPrintable(Utf8First(character))) actions_.TypeChar(box, character);
  }
}

void Win32View::Cut(TextBox& box, HWND handle) {
  if (box.SelLength() == 0) return;
  DefSubclassProc(handle, WM_COPY, 0, 0);
  actions_.DeleteKey(box);
}

void Win32View::ReportSelection(TextBox& box, HWND handle) {
  if (mirroring_) return;
  DWORD start = 0, end = 0;
  SendMessageW(handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring text = WindowText(handle);
  const int from = CharactersBefore(text, static_cast<int>(start));
  actions_.SelectText(box, from, CharactersBefore(text, static_cast<int>(end)) - from);
}

bool Win32View::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (GetAncestor(message.hwnd, GA_ROOT) != window_ || !IsWindowEnabled(window_)) return false;
  const int key = static_cast<int>(message.wParam);
  const bool control = KeyHeld(VK_CONTROL), shift = KeyHeld(VK_SHIFT), alt = message.message == WM_SYSKEYDOWN;
  if (key == VK_TAB && !control && !alt) {
    // An open list keeps Tab to itself.
    if (const auto it = controlOf_.find(GetFocus()); it != controlOf_.end() &&
        it->second->Kind() == ControlKind::ComboBox && SendMessageW(it->first, CB_GETDROPPEDSTATE, 0, 0))
      return false;
    if (Control* next = NextInTabOrder(model_, model_.Focused(), shift)) actions_.Focus(*next);
    return true;
  }
  if (alt && !control && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')))
    return actions_.AccessKey(model_, static_cast<char>(key));
  if (control) {
    const std::string keys = ShortcutName(control, shift, alt, key);
    return !keys.empty() && actions_.Shortcut(model_, keys);
  }
  return false;
}

}  // namespace quillet
