#include "platform/desktop.h"

#include <exception>
#include <utility>

namespace quillet {

Desktop::Desktop(Services& services, int screenWidth, int screenHeight)
    : services_(services), screenWidth_(screenWidth), screenHeight_(screenHeight) {}

int Desktop::MessageBox(const std::string& text, int style, const std::string& title) {
  Guard busy(*this);
  return services_.MessageBox(text, style, title);
}

void Desktop::Post(std::function<void()> work) {
  posted_.push_back(std::move(work));
  if (!Busy()) RunPosted();
}

// Posted work may post more and open boxes; it never runs inside itself.
void Desktop::RunPosted() {
  if (runningPosted_) return;
  runningPosted_ = true;
  while (!posted_.empty()) {
    const std::function<void()> work = std::move(posted_.front());
    posted_.pop_front();
    work();
  }
  runningPosted_ = false;
}

Desktop::Guard::Guard(Desktop& desktop, const Timer* ticking) : desktop_(desktop), ticking_(ticking) {
  ++desktop_.depth_;
  if (ticking_) desktop_.ticking_ = ticking_;
}

Desktop::Guard::~Guard() {
  if (ticking_) desktop_.ticking_ = nullptr;
  // While an error unwinds the handlers, the work waits for the next return.
  if (--desktop_.depth_ == 0 && std::uncaught_exceptions() == 0) desktop_.RunPosted();
}

}  // namespace quillet
