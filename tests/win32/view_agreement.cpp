#include "view_agreement.h"

#include "win32/windows_api.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/native_text.h"
#include "platform/utf8.h"
#include "platform/view_rules.h"
#include "platform/window.h"
#include "soak/view_soak.h"
#include "win32/desktop_app.h"
#include "win32/list_grid.h"
#include "win32/window_view.h"

namespace quillet {
namespace {

std::wstring WindowText(HWND handle) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::optional<std::string> DrawnText(const Control& control, HWND handle) {
  switch (control.Kind()) {
    case ControlKind::Label:
    case ControlKind::Panel3D:
      return Utf8FromWide(WindowText(handle));
    case ControlKind::TextBox: {
      std::wstring text = WindowText(handle), lines;
      for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) lines += text[i];
      return Utf8FromWide(lines);
    }
    case ControlKind::Frame3D:
    case ControlKind::CommandButton:
    case ControlKind::Command3D:
    case ControlKind::Option3D:
    case ControlKind::CheckBox:
      return WithoutMnemonics(Utf8FromWide(WindowText(handle)));
    default:
      return std::nullopt;
  }
}

// The colour the window hands the control to draw its text in.
std::optional<std::uint32_t> DrawnColour(const Control& control, HWND window, HWND handle) {
  UINT ask = WM_CTLCOLORSTATIC;
  switch (control.Kind()) {
    case ControlKind::CommandButton:
    case ControlKind::Command3D:
      ask = WM_CTLCOLORBTN;
      break;
    case ControlKind::TextBox:
    case ControlKind::ComboBox: {
      const bool readOnly = GetWindowLongPtrW(handle, GWL_STYLE) & ES_READONLY;
      if (IsWindowEnabled(handle) && (control.Kind() == ControlKind::ComboBox || !readOnly)) ask = WM_CTLCOLOREDIT;
      break;
    }
    case ControlKind::Label: case ControlKind::Panel3D: case ControlKind::Frame3D: case ControlKind::Option3D:
    case ControlKind::CheckBox:
      break;
    default:
      return std::nullopt;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(window, ask, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(handle));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

std::pair<int, int> Selection(HWND handle) {
  DWORD start = 0, end = 0;
  SendMessageW(handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring text = WindowText(handle);
  const auto characters = [&text](DWORD units) {
    return Utf8Length(Utf8FromWide(text.substr(0, std::min<std::size_t>(units, text.size()))));
  };
  return {characters(start), characters(end) - characters(start)};
}

std::vector<std::string> ListItems(HWND handle) {
  std::vector<std::string> items;
  const auto count = SendMessageW(handle, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = SendMessageW(handle, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(handle, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    items.push_back(Utf8FromWide(item));
  }
  return items;
}

std::vector<std::string> MenuItems(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[300] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
    items.push_back(WithoutMnemonics(Utf8FromWide(text)));
  }
  return items;
}

ShownGrid GridShown(const ListGrid& list) {
  ShownGrid grid;
  grid.headings = list.Headings();
  for (int r = 0; r < list.Rows(); ++r) {
    std::vector<std::string>& cells = grid.cells.emplace_back();
    for (std::size_t c = 0; c < grid.headings.size(); ++c) cells.push_back(list.Cell(r, static_cast<int>(c)));
  }
  grid.marked = list.Marked();
  return grid;
}

ShownControl Shown(const Win32View& view, const Control& control, HWND handle) {
  ShownControl shown;
  RECT r{};
  GetWindowRect(handle, &r);
  MapWindowPoints(nullptr, view.Handle(), reinterpret_cast<POINT*>(&r), 2);
  shown.place = PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  shown.text = DrawnText(control, handle);
  shown.colour = DrawnColour(control, view.Handle(), handle);
  shown.enabled = IsWindowEnabled(handle);
  shown.visible = (GetWindowLongPtrW(handle, GWL_STYLE) & WS_VISIBLE) != 0;
  if (auto* box = dynamic_cast<const TextBox*>(&control); box && !box->MultiLine()) shown.selection = Selection(handle);
  if (control.Kind() == ControlKind::Option3D || control.Kind() == ControlKind::CheckBox)
    shown.checked = SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (control.Kind() == ControlKind::ComboBox) {
    shown.items = ListItems(handle);
    if (!SendMessageW(handle, CB_GETDROPPEDSTATE, 0, 0))
      shown.listIndex = static_cast<int>(SendMessageW(handle, CB_GETCURSEL, 0, 0));
  }
  if (auto* grid = dynamic_cast<const Grid*>(&control)) shown.grid = GridShown(*view.ListOf(*grid));
  return shown;
}

// Modal: it takes the input while every other window shown waits.
ShownWindow WindowShown(const Win32App& app, const Win32View& view) {
  ShownWindow shown;
  shown.title = Utf8FromWide(WindowText(view.Handle()));
  shown.shown = IsWindowVisible(view.Handle());
  RECT outer{}, client{};
  GetWindowRect(view.Handle(), &outer);
  GetClientRect(view.Handle(), &client);
  shown.left = outer.left;
  shown.top = outer.top;
  shown.client = {0, 0, client.right, client.bottom};
  bool othersWait = false, othersTakeInput = false;
  for (const auto& other : app.Views()) {
    if (other.get() == &view || !IsWindowVisible(other->Handle())) continue;
    (IsWindowEnabled(other->Handle()) ? othersTakeInput : othersWait) = true;
  }
  shown.modal = IsWindowEnabled(view.Handle()) && othersWait && !othersTakeInput;
  return shown;
}

std::uint32_t OnScreen(Colour colour) {
  return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour)) : colour;
}

std::optional<std::string> ViewDisagreement(const Win32App& app, const Win32View& view) {
  const auto differs = [&](const Control& control) -> std::optional<std::string> {
    ShownControl shown;
    if (auto* timer = dynamic_cast<const Timer*>(&control)) {
      shown.timerRunning = app.Timers().Running(*timer);
      shown.timerInterval = app.Timers().Interval(*timer);
    } else if (auto* menu = dynamic_cast<const Menu*>(&control)) {
      shown.items = MenuItems(view.MenuOf(*menu));
      shown.enabled = menu->Enabled();
    } else if (HWND handle = view.HandleOf(control)) {
      shown = Shown(view, control, handle);
    } else {
      return "has no control";
    }
    return ControlDisagreement(control, shown, OnScreen, Nesting::SideBySide);
  };
  return WindowAgreement(view.Model(), WindowShown(app, view), differs);
}

}  // namespace

std::optional<std::string> Disagreement(const Win32App& app) {
  for (const auto& view : app.Views())
    if (auto broken = ViewDisagreement(app, *view)) return broken;
  return std::nullopt;
}

}  // namespace quillet
