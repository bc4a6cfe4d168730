// What the random-event soaks of the desktop views share: the agreement
// check's frame, the seeded user events, in terms each toolkit turns into its own input, and the session
// loop that checks the view after every burst and every tick and, on a
// failure, prints the seed, the events before it and the shortest event
// list found that still fails. A view supplies only how it plays an event
// on its real widgets and what it finds wrong.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/view_rules.h"

namespace quillet {

struct ViewEvent {
  enum class Kind { Press, Release, Click, DoubleClick, RightClick, Move, Key, Character, Tick };
  Kind kind = Kind::Tick;
  double window = 0;    // which of the shown windows, as a fraction of their count
  double control = -1;  // which control of it, as a fraction of their count; < 0: the window itself
  double x = 0, y = 0;  // where, as fractions of the target's width and height
  int key = 0;          // with Key: the calculator's key code (platform/view_rules.h)
  char32_t character = 0;  // with Character
  bool withControl = false, withShift = false;
  std::string clipboard;  // put there before Ctrl+V
  bool answerOk = true;   // every message box the event opens gets OK, else Cancel
};

// ---- The check after every burst: a view shows exactly its model --------

// What a button, a frame or a menu draws of a caption: "&&" as "&", "&x"
// as an underlined x.
std::string WithoutMnemonics(const std::string& caption);

// The first way a window on screen differs from its model, as a sentence
// naming the window or the control; `control` says how one control differs.
std::optional<std::string> WindowAgreement(
    const Window& model, const ShownWindow& shown,
    const std::function<std::optional<std::string>(const Control&)>& control);

// ---- The events and the session -----------------------------------------

// What the event is, for the failure report: "click", "type \"5\"".
std::string Described(const ViewEvent& event);

// One of `count` things, picked by a fraction.
int Scaled(double fraction, int count);

// How a view plays the events on its real widgets.
class ViewPlayer {
 public:
  virtual ~ViewPlayer() = default;
  // A new program folder and a new calculator, as at the start of a session.
  virtual void Start() = 0;
  // Plays one event; returns where it went and what it opened, for the
  // failure report (" in Elcal.A, 1 box answered").
  virtual std::string Play(const ViewEvent& event) = 0;
  // The first thing the view shows wrong; the model's rules too after a tick.
  virtual std::optional<std::string> Broken(bool afterTick) = 0;
};

// Plays a seeded session of `events` events and adds a test failure for a
// broken rule.
void SoakView(unsigned seed, std::size_t events, ViewPlayer& player);

}  // namespace quillet
