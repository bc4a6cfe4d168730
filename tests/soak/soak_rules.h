// What the random-event soaks share: the rules that must hold after every
// tick whatever the user did, and the shrinking of a failing session.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

class Program;

class SoakRules {
 public:
  // From now on every timer of the program is watched: its handler must run
  // as its own tick, never inside another handler. `folder` is the
  // program folder.
  SoakRules(Program& program, std::string folder);

  // The first rule the running calculator breaks, if any.
  std::optional<std::string> Broken() const;

 private:
  Program& program_;
  std::string folder_;
  // Shared with the timers' handlers, which may outlive the rules.
  std::shared_ptr<std::optional<std::string>> overlap_;
};

// The session length: the environment variable when set, else the default.
std::size_t EventsPerSession(const char* variable, std::size_t fallback);

struct Outcome {
  std::optional<std::string> broken;
  std::size_t at = 0;  // the event after which the rule broke
};

// Drops ever smaller chunks of a failing session while it still fails.
template <typename Event>
std::vector<Event> Shrink(std::vector<Event> events,
                          const std::function<Outcome(const std::vector<Event>&)>& play) {
  events.resize(play(events).at + 1);
  for (std::size_t chunk = events.size() / 2; chunk >= 1; chunk /= 2) {
    for (std::size_t start = 0; start < events.size();) {
      std::vector<Event> fewer(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(start));
      fewer.insert(fewer.end(),
                   events.begin() + static_cast<std::ptrdiff_t>(std::min(start + chunk, events.size())),
                   events.end());
      const Outcome outcome = play(fewer);
      if (outcome.broken) events.assign(fewer.begin(), fewer.begin() + static_cast<std::ptrdiff_t>(outcome.at + 1));
      else start += chunk;
    }
  }
  return events;
}

}  // namespace quillet
