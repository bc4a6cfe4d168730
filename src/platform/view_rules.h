// What every view of the control model decides alike, from the model
// alone: where a control sits on screen and in what units, which kinds
// report their own clicks, the key codes, the tab order, which control a
// mouse event belongs to, and when a view shows exactly its model (the
// agreement the view tests check). A view is then only toolkit calls.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace quillet {

class Window;
struct MenuItem;

// Twips to a view's pixels: 15 twips each, 96 pixels an inch.
inline constexpr int kTwipsPerPixel = 15;
constexpr int ToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int ToTwips(int pixels) { return pixels * kTwipsPerPixel; }

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};
PixelRect PixelsOf(const Bounds& twips);

// A fixed window's client area in pixels: its outer size less the borders
// and caption bar. A window whose load sets its size has none before.
PixelRect ClientArea(const Window& window);
bool HasSize(const Window& window);

// Where a control lies in its window's client area (twips), its
// containers' places added, for a view whose controls all share the window.
Bounds PlaceInWindow(const Control& control);
// A control inside a hidden or disabled container is hidden or disabled
// too, whatever its own setting.
bool ShownOnScreen(const Control& control);
bool EnabledOnScreen(const Control& control);

// Command buttons, options and check boxes: the toolkit's button reports
// the click.
bool IsClickedButton(ControlKind kind);
// Labels, frames, panels, lines, pictures and text boxes report a click
// themselves, as the left button comes up inside them.
bool ClicksOnRelease(ControlKind kind);
// A caption with room for two lines wraps, as the original labels do.
bool WrapsCaption(const Bounds& place);
// The kinds a view draws with nothing of their own under the pointer:
// a mouse event over them belongs to the window's controls beneath.
bool LetsMouseThrough(ControlKind kind);

// The innermost shown control at a point of the window's client area
// (twips); null for the window's own surface.
Control* ControlAt(const Window& window, int x, int y);
// Where Tab (or Shift+Tab) moves the focus from `from`: the next shown,
// enabled control that takes the focus, in the window's order, round
// again at the end; null when there is none.
Control* NextInTabOrder(const Window& window, const Control* from, bool backwards);
// Controls whose look follows a change of `changed` beyond its own: the
// fields a caption names, and what lies inside a container that is hidden,
// disabled or moved.
std::vector<Control*> AffectedBy(const Control& changed, Property property);

// Marks a view busy with work of its own (mirroring the model, fitting or
// committing a table) for as long as it lives, so the widget signals that
// work sets off are not taken for the user's; it nests.
class OwnWork {
 public:
  explicit OwnWork(int& depth) : depth_(depth) { ++depth_; }
  ~OwnWork() { --depth_; }
  OwnWork(const OwnWork&) = delete;
  OwnWork& operator=(const OwnWork&) = delete;

 private:
  int& depth_;
};

// The calculator's key codes are the Windows virtual-key numbers.
namespace key {
inline constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kEscape = 27, kSpace = 32, kPageUp = 33,
                     kPageDown = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40,
                     kInsert = 45, kDelete = 46, kF1 = 112, kF4 = 115, kF12 = 123;
}  // namespace key
// Letters and digits (their capitals' codes), F1 to F12 and the named keys
// above; a key without a code reaches no handler.
bool IsKeyCode(int code);
// Keys a text field handles itself: caret moves.
bool IsCaretKey(int code);
// Keys with which a list opens itself the usual way (space, F4).
bool OpensList(int code);
// A key combination in the menus' portable form: "Ctrl+Shift+S".
std::string ShortcutName(bool control, bool shift, bool alt, int code);

// System colours (window text, grey text) carry the platform's colour
// index in their low byte.
bool IsSystemColour(Colour colour);
int SystemColourIndex(Colour colour);

// What a view says when an action stops on an error nobody expected; the
// view goes on.
inline constexpr char kFaultTitle[] = "Quillet";
std::string FaultMessage(const std::string& what);

// What a control reads as on screen: a text box's text (a multi-line one's
// lines joined by line feeds), else its shown caption.
std::string ShownText(const Control& control);
// A menu item as a view lists it: its text, a tab and its keys, if any.
std::string MenuItemLabel(const MenuItem& item);

// A control as a view shows it, for the agreement check. What a view does
// not show for a control (no text, no list) stays empty.
struct ShownGrid {
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> cells;  // rows as laid out
  int marked = -1;
  int currentRow = -1, currentColumn = -1;
};
struct ShownControl {
  std::optional<PixelRect> place;  // in its parent's pixels; none for a pop-up
  // Its own setting where containers nest, else what the screen shows.
  std::optional<std::string> text;
  std::optional<std::uint32_t> colour;  // as the view resolves colours
  bool enabled = true;
  bool visible = true;
  std::optional<bool> checked;
  std::optional<std::vector<std::string>> items;  // a list's, or a menu's as MenuItemLabel
  // A list's pick; none while the list is open and the user still choosing.
  std::optional<int> listIndex;
  std::optional<std::pair<int, int>> selection;  // a text box's start and length, in characters
  std::optional<std::string> accessibleName;
  std::optional<ShownGrid> grid;
  std::optional<bool> timerRunning;
  int timerInterval = 0;
};
struct ShownWindow {
  std::string title;
  bool shown = false;
  int left = 0, top = 0;  // pixels
  PixelRect client;
  bool modal = false;
};

// Turns a model colour into the colour a view draws it in.
using ColourOnScreen = std::function<std::uint32_t(Colour)>;

// How a view holds its controls: inside their containers' widgets, which
// hide, disable and place them with themselves, or all side by side in the
// window, each with what its containers make of it.
enum class Nesting { InContainers, SideBySide };

// The first way the view's control differs from its model, as a sentence
// starting with a verb ("shows \"1 V\" for \"2 V\""); nothing when they
// agree.
std::optional<std::string> ControlDisagreement(const Control& control, const ShownControl& shown,
                                               const ColourOnScreen& colours, Nesting nesting);
std::optional<std::string> WindowDisagreement(const Window& window, const ShownWindow& shown);

}  // namespace quillet
