// The model's timers as Windows timers of the main window: each model timer
// runs while it is enabled, every interval, and its ticks go through
// UserActions::Tick, which drops a tick arriving while a handler runs.
#pragma once

#include "win32/windows_api.h"

#include <map>

namespace quillet {

class Timer;
class UserActions;

class Ticker {
 public:
  explicit Ticker(UserActions& actions) : actions_(actions) {}
  ~Ticker();
  Ticker(const Ticker&) = delete;
  Ticker& operator=(const Ticker&) = delete;

  // The window whose messages carry the ticks; set before any timer runs.
  void SetOwner(HWND owner) { owner_ = owner; }
  // Starts, stops or retimes the timer as the model has it.
  void Sync(Timer& timer);
  // A WM_TIMER of the owner.
  void OnTimer(UINT_PTR id);

  // Whether the timer runs, and how often, as set on Windows.
  bool Running(const Timer& timer) const;
  int Interval(const Timer& timer) const;
  // Ticks every running timer once, as its message would (the soak ticks
  // them itself so that a session plays the same at any speed).
  void TickAll();
  // Windows' own ticks are ignored while held.
  void Hold(bool held) { held_ = held; }

 private:
  struct Set {
    UINT_PTR id = 0;
    bool running = false;
    int interval = 0;
  };

  UserActions& actions_;
  HWND owner_ = nullptr;
  std::map<const Timer*, Set> set_;
  std::map<UINT_PTR, Timer*> byId_;
  bool held_ = false;
};

}  // namespace quillet
