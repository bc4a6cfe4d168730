// The session of windows: screen size, services and the rule that handlers
// never overlap.
#pragma once

#include <deque>
#include <functional>

#include "platform/services.h"

namespace quillet {

class Timer;
class Window;

class Desktop {
 public:
  Desktop(Services& services, int screenWidth, int screenHeight);

  Services& Os() const { return services_; }
  int ScreenWidth() const { return screenWidth_; }
  int ScreenHeight() const { return screenHeight_; }

  // A message box through the services, with the desktop marked busy so no
  // timer tick runs a handler while it is open.
  int MessageBox(const std::string& text, int style, const std::string& title);

  // The window last shown or brought forward, while it stays open.
  const Window* Front() const { return front_; }
  void SetFront(const Window* window) { front_ = window; }

  // True while a handler or a modal box runs; ticks arriving then are dropped.
  bool Busy() const { return depth_ > 0; }
  // The timer whose tick is running, if any: a timer's handler runs only as
  // its own tick, never from inside another handler.
  const Timer* Ticking() const { return ticking_; }

  // Work for one window to do in another, as a person's next action: it runs
  // once the outermost handler has returned, so the desktop is idle again
  // and ticks are real ticks. Posted with no handler running, it runs at
  // once; posted from posted work, right after it. Work runs in the order
  // posted and must not throw.
  void Post(std::function<void()> work);

  // Holds the desktop busy for the life of the guard; the guard of a tick
  // names its timer.
  class Guard {
   public:
    explicit Guard(Desktop& desktop, const Timer* ticking = nullptr);
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    Desktop& desktop_;
    const Timer* ticking_;
  };

 private:
  void RunPosted();

  Services& services_;
  int screenWidth_;
  int screenHeight_;
  int depth_ = 0;
  const Timer* ticking_ = nullptr;
  const Window* front_ = nullptr;
  std::deque<std::function<void()>> posted_;
  bool runningPosted_ = false;
};

}  // namespace quillet
