// Toolkit-independent control model. The calculator talks only to these
// objects; a view mirrors them and feeds user actions back in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillet {

class Control;
class Window;

// Colours as 0x00BBGGRR, or a system colour with the high bit set.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 255;
inline constexpr Colour kDarkGreen = 32768;
inline constexpr Colour kDarkRed = 128;
inline constexpr Colour kDarkBlue = 0x800000;
inline constexpr Colour kWindowText = 0x80000008;
inline constexpr Colour kGrayText = 0x80000011;

// Position and size in twips, relative to the container (or the window's
// client area).
struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Bounds&) const = default;
};

struct Font {
  int points = 8;
  bool bold = false;
};

enum class ControlKind {
  TextBox, Label, ComboBox, CommandButton, Command3D, CheckBox,
  Frame3D, Option3D, Panel3D, SpinButton, Timer, Line, Picture, Menu, Grid, Diagram, ProgressBar
};

// What a view needs to refresh after a change.
enum class Property {
  Text, Caption, ForeColor, Enabled, Visible, Value, Items, ListIndex,
  Selection, Focus, Interval,
  Geometry  // of a control, or of the window itself (reported with no control)
};

// Everything about a control that may change once its window is built,
// whatever its kind: what a window keeps to come back to (Window::Values).
// A grid's cells, a diagram's drawing and a picture's shapes belong to the
// window that supplies them and are not among them.
struct ControlValues {
  // The window's count of changes when the values were last set: equal
  // versions are equal values.
  std::uint64_t version = 0;
  bool enabled = true;
  bool visible = true;
  Colour foreColor = kWindowText;
  std::string caption;
  std::string toolTip;
  quillet::Bounds bounds;
  std::string text;  // a text box's, with its caret and selection
  int selStart = 0, selLength = 0;
  std::vector<std::string> items;  // a list's
  int listIndex = -1;
  int value = 0;  // a check box's, an option's (0 or 1), a progress bar's
  int maximum = 0;  // a progress bar's
  int interval = 0;  // a timer's
  Control* anchor = nullptr;  // an open menu's
  bool operator==(const ControlValues&) const = default;
};

class Control {
 public:
  Control(Window& window, ControlKind kind, std::string name, Control* container);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  Control* Container() const { return container_; }
  Window& Owner() const { return window_; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  Colour ForeColor() const { return foreColor_; }
  void SetForeColor(Colour colour);
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(std::string text);
  // Layout: set when the window is built, and again as a resizable window
  // lays its controls out for its new size.
  const quillet::Bounds& Place() const { return bounds_; }
  void SetPlace(const quillet::Bounds& bounds);
  const quillet::Font& Typeface() const { return font_; }
  void SetTypeface(const quillet::Font& font) { font_ = font; }

  // Caption for labels, buttons, frames, options and panels.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The letter of the caption that Alt picks it with (a button or a check
  // box); 0 for none. Fixed when the window is built.
  char AccessKey() const { return accessKey_; }
  void SetAccessKey(char key) { accessKey_ = key; }
  // Whether the letter, in either case, is the access key.
  bool HasAccessKey(char letter) const;

  // For assistive tools: the control whose caption names this one (its
  // container unless set) and a word telling it from its neighbours.
  const Control* NamedBy() const { return namedBy_ ? namedBy_ : container_; }
  const std::string& NameQualifier() const { return nameQualifier_; }
  bool HasNaming() const { return namedBy_ || !nameQualifier_.empty(); }
  void SetNaming(const Control* namedBy, std::string qualifier) {
    namedBy_ = namedBy;
    nameQualifier_ = std::move(qualifier);
  }

  // True for controls that can hold the keyboard focus.
  virtual bool Focusable() const;
  void SetFocus();

  std::function<void()> Click, DblClick, MouseMove, GotFocus, LostFocus, Change;
  std::function<void(int keyCode)> KeyDown;

 protected:
  // The control's values, and the same put back as they were kept (by its
  // window): each change is reported to the observer, and no event is
  // raised, since no user changed anything.
  virtual void Keep(ControlValues& kept) const;
  virtual void PutBack(const ControlValues& kept);

  void Notify(Property property);
  static void Raise(const std::function<void()>& handler) {
    if (handler) handler();
  }

 private:
  Window& window_;
  ControlKind kind_;
  std::string name_;
  Control* container_;
  bool enabled_ = true;
  bool visible_ = true;
  Colour foreColor_ = kWindowText;
  std::string caption_;
  char accessKey_ = 0;
  std::string toolTip_;
  const Control* namedBy_ = nullptr;
  std::string nameQualifier_;
  quillet::Bounds bounds_;
  quillet::Font font_;
  std::uint64_t version_ = 0;

  friend class Window;
  // A new version of the values, from the window's count of changes.
  void Changed();
};

class TextBox : public Control {
 public:
  TextBox(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::TextBox, std::move(name), container) {}

  // A read-only text shown over several lines (the Read Me window's boxes).
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine) { multiLine_ = multiLine; }

  const std::string& Text() const { return text_; }
  // A different text raises Change before returning; an equal one nothing.
  void SetText(const std::string& text);
  // Caret and selection count characters, not bytes.
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelStart(int start);
  void SetSelLength(int length);
  void SelectAll();
  int Length() const;

  // The key-press handler may swallow the character by setting it to 0.
  std::function<void(int& charCode)> KeyPress;

  // What typing does once KeyPress let the character through.
  void InsertAtCaret(const std::string& utf8Char);
  void Backspace();
  // The delete key: the selection, or the character after the caret.
  void DeleteForward();

 protected:
  void Keep(ControlValues& kept) const override;
  void PutBack(const ControlValues& kept) override;

 private:
  std::string text_;
  bool multiLine_ = false;
  int selStart_ = 0;
  int selLength_ = 0;
};

class ComboBox : public Control {
 public:
  ComboBox(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::ComboBox, std::move(name), container) {}

  const std::vector<std::string>& Items() const { return items_; }
  int ListCount() const { return static_cast<int>(items_.size()); }
  void AddItem(const std::string& item);
  void AddItem(const std::string& item, int position);
  void RemoveItem(int position);
  void Clear();
  int ListIndex() const { return listIndex_; }
  // -1 clears the selection; an index outside the list is ignored.
  void SetListIndex(int index);
  std::string Text() const;

 protected:
  void Keep(ControlValues& kept) const override;
  void PutBack(const ControlValues& kept) override;

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

class CheckBox : public Control {
 public:
  CheckBox(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::CheckBox, std::move(name), container) {}
  int Value() const { return value_; }
  void SetValue(int value);

 protected:
  void Keep(ControlValues& kept) const override;
  void PutBack(const ControlValues& kept) override;

 private:
  int value_ = 0;
};

class OptionButton : public Control {
 public:
  OptionButton(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::Option3D, std::move(name), container) {}
  bool Value() const { return value_; }
  // True selects it, deselects the others of its container and raises Click
  // once; true on the selected option raises nothing.
  void SetValue(bool value);

 protected:
  void Keep(ControlValues& kept) const override;
  void PutBack(const ControlValues& kept) override;

 private:
  friend class Window;
  void SetValueSilently(bool value);
  bool value_ = false;
};

class SpinButton : public Control {
 public:
  SpinButton(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::SpinButton, std::move(name), container) {}
  std::function<void()> SpinUp, SpinDown;
};

// A drawing in pixels of the picture's own area, fixed when the window is
// built; a view paints the shapes in order.
struct Shape {
  enum class Kind { Fill, Line, Polyline, Ellipse, Rectangle, Text };
  Kind kind = Kind::Line;
  Colour colour = kBlack;
  std::vector<int> points;  // x, y pairs; the bounding corners for ellipses and rectangles
  int width = 1;
  bool arrowAtStart = false, arrowAtEnd = false;
  std::string text;  // at the first point, for Kind::Text
};

class Picture : public Control {
 public:
  Picture(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::Picture, std::move(name), container) {}
  const std::vector<Shape>& Shapes() const { return shapes_; }
  void SetShapes(std::vector<Shape> shapes) { shapes_ = std::move(shapes); }

 private:
  std::vector<Shape> shapes_;
};

// How far a long piece of work has come: Value of Maximum steps.
class ProgressBar : public Control {
 public:
  ProgressBar(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::ProgressBar, std::move(name), container) {}
  int Value() const { return value_; }
  int Maximum() const { return maximum_; }
  // Both at once, the value kept within 0 and the maximum; a change is
  // reported as Value.
  void SetProgress(int value, int maximum);

 protected:
  void Keep(ControlValues& kept) const override;
  void PutBack(const ControlValues& kept) override;

 private:
  int value_ = 0;
  int maximum_ = 0;
};

class Timer : public Control {
 public:
  Timer(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::Timer, std::move(name), container) {}
  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  std::function<void()> Tick;

 protected:
  void Keep(ControlValues& kept) const override;
  void PutBack(const ControlValues& kept) override;

 private:
  int interval_ = 50;
};

}  // namespace quillet
