#include "win32/ticker.h"

#include "platform/controls.h"
#include "platform/user_actions.h"

namespace quillet {

Ticker::~Ticker() {
  for (const auto& [timer, set] : set_)
    if (set.running) KillTimer(owner_, set.id);
}

void Ticker::Sync(Timer& timer) {
  Set& set = set_[&timer];
  if (set.id == 0) {
    set.id = byId_.size() + 1;
    byId_[set.id] = &timer;
  }
  if (timer.Enabled() && (!set.running || set.interval != timer.Interval())) {
    // Setting a running timer again restarts it with the new interval.
    SetTimer(owner_, set.id, static_cast<UINT>(timer.Interval()), nullptr);
    set.running = true;
    set.interval = timer.Interval();
  } else if (!timer.Enabled() && set.running) {
    KillTimer(owner_, set.id);
    set.running = false;
  }
  set.interval = timer.Interval();
}

void Ticker::OnTimer(UINT_PTR id) {
  if (held_) return;
  if (auto it = byId_.find(id); it != byId_.end()) actions_.Tick(*it->second);
}

bool Ticker::Running(const Timer& timer) const {
  auto it = set_.find(&timer);
  return it != set_.end() && it->second.running;
}

int Ticker::Interval(const Timer& timer) const {
  auto it = set_.find(&timer);
  return it == set_.end() ? 0 : it->second.interval;
}

void Ticker::TickAll() {
  for (const auto& [id, timer] : byId_)
    if (Running(*timer)) actions_.Tick(*timer);
}

}  // namespace quillet
