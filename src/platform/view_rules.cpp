#include "platform/view_rules.h"

#include <algorithm>

#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/shown_text.h"
#include "platform/window.h"

namespace quillet {
namespace {

constexpr std::uint32_t kSystemColourBit = 0x80000000u;

// How deep a control sits: 0 on the window, 1 inside one container, ...
int Depth(const Control& control) {
  int depth = 0;
  for (const Control* at = control.Container(); at; at = at->Container()) ++depth;
  return depth;
}

bool Inside(const Bounds& b, int x, int y) {
  return x >= b.left && y >= b.top && x < b.left + b.width && y < b.top + b.height;
}

bool TakesTab(const Control& c) { return c.Focusable() && ShownOnScreen(c) && EnabledOnScreen(c); }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Place(const PixelRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + " x " +
         std::to_string(r.height);
}

std::vector<std::string> ExpectedItems(const Control& control) {
  std::vector<std::string> items;
  if (auto* list = dynamic_cast<const ComboBox*>(&control)) return list->Items();
  if (auto* menu = dynamic_cast<const Menu*>(&control))
    for (const MenuItem& item : menu->Items()) items.push_back(MenuItemLabel(item));
  return items;
}

std::optional<std::string> ItemsDisagreement(const Control& control, const ShownControl& shown) {
  const std::vector<std::string> expected = ExpectedItems(control);
  const std::vector<std::string>& items = *shown.items;
  if (items.size() != expected.size())
    return "lists " + std::to_string(items.size()) + " items for " + std::to_string(expected.size());
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] != expected[i]) return "lists item " + std::to_string(i) + " as " + Quoted(items[i]);
  const auto* list = dynamic_cast<const ComboBox*>(&control);
  if (list && shown.listIndex && *shown.listIndex != list->ListIndex())
    return "shows pick " + std::to_string(*shown.listIndex) + " for " + std::to_string(list->ListIndex());
  return std::nullopt;
}

// The rows and columns the view laid out (not what the source would answer
// now), the headings, every cell, the marked row and the current cell.
std::optional<std::string> GridDisagreement(const Grid& grid, const ShownGrid& shown) {
  const GridSource* source = grid.Source();
  const int rows = source ? source->RowCount() : 0, columns = source ? source->ColumnCount() : 0;
  const int shownColumns = static_cast<int>(shown.headings.size());
  if (std::ssize(shown.cells) != rows || shownColumns != columns)
    return "lays out " + std::to_string(shown.cells.size()) + " x " + std::to_string(shownColumns) +
           " cells for " + std::to_string(rows) + " x " + std::to_string(columns);
  for (int c = 0; c < columns; ++c)
    if (shown.headings[static_cast<std::size_t>(c)] != source->Heading(c))
      return "heads column " + std::to_string(c) + " " + Quoted(shown.headings[static_cast<std::size_t>(c)]);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      if (const std::string& cell = shown.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
          cell != source->Cell(r, c))
        return "shows " + Quoted(cell) + " in cell " + std::to_string(r) + "," + std::to_string(c);
  if (shown.marked != (grid.Marked() < rows ? grid.Marked() : -1))
    return shown.marked < 0 ? "does not mark row " + std::to_string(grid.Marked())
                            : "marks row " + std::to_string(shown.marked);
  if (grid.CurrentRow() >= 0 && (shown.currentRow != grid.CurrentRow() || shown.currentColumn != grid.CurrentColumn()))
    return "has its current cell at " + std::to_string(shown.currentRow) + "," + std::to_string(shown.currentColumn);
  return std::nullopt;
}

std::optional<std::string> TimerDisagreement(const Timer& timer, const ShownControl& shown) {
  if (!shown.timerRunning) return "has no timer";
  if (*shown.timerRunning != timer.Enabled()) return timer.Enabled() ? "is stopped" : "runs";
  if (shown.timerInterval != timer.Interval()) return "runs every " + std::to_string(shown.timerInterval) + " ms";
  return std::nullopt;
}

}  // namespace

PixelRect PixelsOf(const Bounds& b) { return {ToPixels(b.left), ToPixels(b.top), ToPixels(b.width), ToPixels(b.height)}; }

bool HasSize(const Window& window) {
  return window.Width() > kNonClientWidth && window.Height() > kNonClientHeight;
}

PixelRect ClientArea(const Window& window) {
  return {0, 0, ToPixels(window.Width() - kNonClientWidth), ToPixels(window.Height() - kNonClientHeight)};
}

Bounds PlaceInWindow(const Control& control) {
  Bounds place = control.Place();
  for (const Control* at = control.Container(); at; at = at->Container()) {
    place.left += at->Place().left;
    place.top += at->Place().top;
  }
  return place;
}

bool ShownOnScreen(const Control& control) {
  for (const Control* at = &control; at; at = at->Container())
    if (!at->Visible()) return false;
  return true;
}

bool EnabledOnScreen(const Control& control) {
  for (const Control* at = &control; at; at = at->Container())
    if (!at->Enabled()) return false;
  return true;
}

bool IsClickedButton(ControlKind kind) {
  return kind == ControlKind::CommandButton || kind == ControlKind::Command3D || kind == ControlKind::Option3D ||
         kind == ControlKind::CheckBox;
}

bool ClicksOnRelease(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Frame3D || kind == ControlKind::Panel3D ||
         kind == ControlKind::TextBox || kind == ControlKind::Line || kind == ControlKind::Picture;
}

bool WrapsCaption(const Bounds& place) { return place.height >= 400; }

bool LetsMouseThrough(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Frame3D || kind == ControlKind::Panel3D ||
         kind == ControlKind::Line || kind == ControlKind::Picture;
}

Control* ControlAt(const Window& window, int x, int y) {
  Control* found = nullptr;
  int foundDepth = -1;
  for (Control* control : window.Controls()) {
    const ControlKind kind = control->Kind();
    if (kind == ControlKind::Timer || kind == ControlKind::Menu || !ShownOnScreen(*control)) continue;
    if (!Inside(PlaceInWindow(*control), x, y)) continue;
    // The deepest wins; of equals, the later one, drawn over the earlier.
    if (const int depth = Depth(*control); depth >= foundDepth) {
      found = control;
      foundDepth = depth;
    }
  }
  return found;
}

Control* NextInTabOrder(const Window& window, const Control* from, bool backwards) {
  const std::vector<Control*>& controls = window.Controls();
  const auto count = static_cast<std::ptrdiff_t>(controls.size());
  if (count == 0) return nullptr;
  const auto at = std::find(controls.begin(), controls.end(), from);
  std::ptrdiff_t index = at == controls.end() ? (backwards ? 0 : -1) : at - controls.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    index = ((backwards ? index - 1 : index + 1) % count + count) % count;
    Control* candidate = controls[static_cast<std::size_t>(index)];
    if (TakesTab(*candidate)) return candidate;
  }
  return nullptr;
}

std::vector<Control*> AffectedBy(const Control& changed, Property property) {
  std::vector<Control*> affected;
  const bool containerChange =
      property == Property::Visible || property == Property::Enabled || property == Property::Geometry;
  for (Control* control : changed.Owner().Controls()) {
    if (control == &changed) continue;
    if (property == Property::Caption && control->NamedBy() == &changed) affected.push_back(control);
    if (!containerChange) continue;
    for (const Control* at = control->Container(); at; at = at->Container())
      if (at == &changed) {
        affected.push_back(control);
        break;
      }
  }
  return affected;
}

bool IsKeyCode(int code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return true;
  if (code >= key::kF1 && code <= key::kF12) return true;
  switch (code) {
    case key::kBackspace: case key::kEnter: case key::kEscape: case key::kSpace: case key::kPageUp:
    case key::kPageDown: case key::kEnd: case key::kHome: case key::kLeft: case key::kUp: case key::kRight:
    case key::kDown: case key::kInsert: case key::kDelete:
      return true;
    default:
      return false;
  }
}

bool IsCaretKey(int code) {
  return code == key::kLeft || code == key::kRight || code == key::kHome || code == key::kEnd;
}

bool OpensList(int code) { return code == key::kSpace || code == key::kF4; }

std::string ShortcutName(bool control, bool shift, bool alt, int code) {
  std::string name;
  if (control) name += "Ctrl+";
  if (alt) name += "Alt+";
  if (shift) name += "Shift+";
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return name + static_cast<char>(code);
  if (code >= key::kF1 && code <= key::kF12) return name + "F" + std::to_string(code - key::kF1 + 1);
  return "";
}

bool IsSystemColour(Colour colour) { return (colour & kSystemColourBit) != 0; }

int SystemColourIndex(Colour colour) { return static_cast<int>(colour & 0xFF); }

std::string FaultMessage(const std::string& what) {
  return "The last action stopped on an unexpected error:\n" + what;
}

std::string ShownText(const Control& control) {
  auto* box = dynamic_cast<const TextBox*>(&control);
  if (!box) return ShownCaption(control);
  if (!box->MultiLine()) return box->Text();
  std::string text;
  const std::string& raw = box->Text();
  for (std::size_t i = 0; i < raw.size(); ++i)
    if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')) text += raw[i];
  return text;
}

std::string MenuItemLabel(const MenuItem& item) {
  return item.shortcut.empty() ? item.text : item.text + "\t" + item.shortcut;
}

std::optional<std::string> ControlDisagreement(const Control& control, const ShownControl& shown,
                                               const ColourOnScreen& colours, Nesting nesting) {
  if (auto* timer = dynamic_cast<const Timer*>(&control)) return TimerDisagreement(*timer, shown);
  const bool nested = nesting == Nesting::InContainers;
  if (shown.place) {
    const PixelRect expected = PixelsOf(nested ? control.Place() : PlaceInWindow(control));
    if (*shown.place != expected) return "sits at " + Place(*shown.place);
  }
  if (shown.text && *shown.text != ShownText(control))
    return "shows " + Quoted(*shown.text) + " for " + Quoted(ShownText(control));
  if (shown.colour && *shown.colour != colours(control.ForeColor()))
    return "is drawn in colour " + std::to_string(*shown.colour) + " for colour " +
           std::to_string(control.ForeColor());
  if (shown.selection) {
    auto& box = static_cast<const TextBox&>(control);
    if (shown.selection->first != box.SelStart() || shown.selection->second != box.SelLength())
      return "selects " + std::to_string(shown.selection->first) + "+" + std::to_string(shown.selection->second) +
             " for " + std::to_string(box.SelStart()) + "+" + std::to_string(box.SelLength());
  }
  const bool enabled = nested ? control.Enabled() : EnabledOnScreen(control);
  if (shown.enabled != enabled) return enabled ? "is disabled" : "is enabled";
  // A menu is shown while it is open; the view's pop-up is its own.
  const bool visible = nested ? control.Visible() : ShownOnScreen(control);
  if (control.Kind() != ControlKind::Menu && shown.visible != visible) return visible ? "is hidden" : "is shown";
  if (shown.checked) {
    bool checked = false;
    if (auto* option = dynamic_cast<const OptionButton*>(&control)) checked = option->Value();
    if (auto* check = dynamic_cast<const CheckBox*>(&control)) checked = check->Value() != 0;
    if (*shown.checked != checked) return checked ? "is not checked" : "is checked";
  }
  if (shown.items)
    if (auto broken = ItemsDisagreement(control, shown)) return broken;
  if (shown.grid)
    if (auto broken = GridDisagreement(static_cast<const Grid&>(control), *shown.grid)) return broken;
  if (shown.accessibleName && *shown.accessibleName != AccessibleName(control))
    return "is named " + Quoted(*shown.accessibleName) + " for " + Quoted(AccessibleName(control));
  return std::nullopt;
}

std::optional<std::string> WindowDisagreement(const Window& window, const ShownWindow& shown) {
  if (shown.title != window.Caption()) return "is titled " + Quoted(shown.title);
  if (shown.shown != window.Shown()) return window.Shown() ? "is not shown" : "is still shown";
  if (!window.Shown()) return std::nullopt;
  if (shown.left != ToPixels(window.Left()) || shown.top != ToPixels(window.Top()))
    return "sits at " + std::to_string(shown.left) + "," + std::to_string(shown.top);
  if (HasSize(window) && shown.client != ClientArea(window))
    return "is " + std::to_string(shown.client.width) + " x " + std::to_string(shown.client.height);
  if (shown.modal != window.Modal()) return window.Modal() ? "is not modal" : "is modal";
  return std::nullopt;
}

}  // namespace quillet
