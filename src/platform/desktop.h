// The session of windows: screen size, services and the rule that handlers
// never overlap.
#pragma once

#include <vector>

#include "platform/services.h"

namespace quillet {

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

  // True while a handler or a modal box runs; ticks arriving then are dropped.
  bool Busy() const { return depth_ > 0; }
  // Holds the desktop busy for the life of the guard.
  class Guard {
   public:
    explicit Guard(Desktop& desktop) : desktop_(desktop) { ++desktop_.depth_; }
    ~Guard() { --desktop_.depth_; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    Desktop& desktop_;
  };

 private:
  Services& services_;
  int screenWidth_;
  int screenHeight_;
  int depth_ = 0;
};

}  // namespace quillet
