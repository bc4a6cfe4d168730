#include "view_soak.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <random>
#include <vector>

#include "platform/utf8.h"
#include "platform/view_rules.h"
#include "platform/window.h"
#include "soak_rules.h"

namespace quillet {
namespace {

using Session = std::vector<ViewEvent>;

const char* const kClipboardTexts[] = {"", "208", "0.5", "12x", "99999999", "1,5", "abc", "\xe2\x82\xac", "0.0005",
                                       "24\n7", "-3"};
const int kNamedKeys[] = {key::kUp,    key::kDown,  key::kLeft,   key::kRight,  key::kTab,
                          key::kSpace, key::kEnter, key::kEscape, key::kBackspace, key::kDelete,
                          key::kHome,  key::kEnd,   key::kF4};
const char kTypedCharacters[] = "0123456789../,- ax";

class EventMaker {
 public:
  explicit EventMaker(unsigned seed) : random_(seed) {}

  ViewEvent Next() {
    ViewEvent e;
    e.window = Fraction();
    e.control = Between(0, 3) ? Fraction() : -1;
    e.x = Fraction();
    e.y = Fraction();
    e.answerOk = Between(0, 2) != 0;
    const int roll = Between(0, 99);
    if (roll < 15) e.kind = ViewEvent::Kind::Tick;
    else if (roll < 30) e.kind = ViewEvent::Kind::Move;
    else if (roll < 37) e.kind = ViewEvent::Kind::Press;
    else if (roll < 44) e.kind = ViewEvent::Kind::Release;
    else if (roll < 57) e.kind = ViewEvent::Kind::Click;
    else if (roll < 62) e.kind = ViewEvent::Kind::DoubleClick;
    else if (roll < 63) e.kind = ViewEvent::Kind::RightClick;
    else MakeKey(e);
    return e;
  }

 private:
  void MakeKey(ViewEvent& e) {
    const int roll = Between(0, 99);
    if (roll < 40) {
      e.kind = ViewEvent::Kind::Character;
      e.character = static_cast<char32_t>(kTypedCharacters[Between(0, sizeof kTypedCharacters - 2)]);
    } else if (roll < 45) {
      // Any character of the basic plane but the surrogates.
      e.kind = ViewEvent::Kind::Character;
      int code = Between(0x20, 0xFFFD);
      if (code >= 0xD800 && code <= 0xDFFF) code -= 0x800;
      e.character = static_cast<char32_t>(code);
    } else if (roll < 85) {
      e.kind = ViewEvent::Kind::Key;
      e.key = kNamedKeys[Between(0, std::size(kNamedKeys) - 1)];
      e.withShift = e.key == key::kTab && Between(0, 1);
    } else {
      e.kind = ViewEvent::Kind::Key;
      const int keys[] = {'C', 'V', 'X'};
      e.key = keys[Between(0, 2)];
      e.withControl = true;
      e.clipboard = kClipboardTexts[Between(0, std::size(kClipboardTexts) - 1)];
    }
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  int Between(int low, std::size_t high) { return Between(low, static_cast<int>(high)); }
  double Fraction() { return std::uniform_real_distribution<double>(0, 1)(random_); }
  std::mt19937 random_;
};

constexpr std::size_t kBurst = 10;
constexpr std::ptrdiff_t kEventsBeforeFailure = 40;
// Shrinking replays the session many times; past this budget it stops with
// the shortest list found so far.
constexpr auto kShrinkBudget = std::chrono::minutes(5);

Outcome Play(const Session& session, ViewPlayer& player, std::vector<std::string>* log = nullptr) {
  Outcome outcome;
  player.Start();
  for (std::size_t i = 0; i < session.size() && !outcome.broken; ++i) {
    const std::string done = Described(session[i]) + player.Play(session[i]);
    if (log) log->push_back(done);
    outcome.at = i;
    const bool tick = session[i].kind == ViewEvent::Kind::Tick;
    if (tick || (i + 1) % kBurst == 0 || i + 1 == session.size()) outcome.broken = player.Broken(tick);
  }
  return outcome;
}

std::string Listed(std::vector<std::string>::const_iterator from, std::vector<std::string>::const_iterator to) {
  std::string events;
  for (; from != to; ++from) events += "  " + *from + "\n";
  return events;
}

}  // namespace

std::string WithoutMnemonics(const std::string& caption) {
  std::string drawn;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    drawn += caption[i];
  }
  return drawn;
}

std::optional<std::string> WindowAgreement(
    const Window& model, const ShownWindow& shown,
    const std::function<std::optional<std::string>(const Control&)>& control) {
  if (auto broken = WindowDisagreement(model, shown)) return "window " + model.Name() + " " + *broken;
  for (const Control* each : model.Controls())
    if (auto broken = control(*each)) return model.Name() + "." + each->Name() + " " + *broken;
  return std::nullopt;
}

std::string Described(const ViewEvent& e) {
  static const char* const kinds[] = {"press", "release", "click", "double-click", "right click", "move",
                                      "",      "",        "tick"};
  if (e.kind == ViewEvent::Kind::Character) return "type \"" + Utf8Encode(e.character) + "\"";
  if (e.kind != ViewEvent::Kind::Key) return kinds[static_cast<int>(e.kind)];
  return std::string(e.withControl ? "ctrl+" : "") + (e.withShift ? "shift+" : "") + "key " + std::to_string(e.key) +
         (e.withControl && e.key == 'V' ? " with \"" + e.clipboard + "\" on the clipboard" : "");
}

int Scaled(double fraction, int count) { return std::min(count - 1, static_cast<int>(fraction * count)); }

void SoakView(unsigned seed, std::size_t events, ViewPlayer& player) {
  EventMaker maker(seed);
  Session session;
  for (std::size_t i = 0; i < events; ++i) session.push_back(maker.Next());
  std::vector<std::string> played;
  const Outcome outcome = Play(session, player, &played);
  if (!outcome.broken) return;
  // Reported at once: timing can make a failure hard to replay.
  ADD_FAILURE() << "seed " << seed << ": " << *outcome.broken << " after event " << outcome.at + 1
                << "\nthe events before it:\n"
                << Listed(played.end() - std::min(kEventsBeforeFailure, std::ssize(played)), played.end());
  const auto until = std::chrono::steady_clock::now() + kShrinkBudget;
  const std::function<Outcome(const Session&)> replay = [&](const Session& fewer) {
    return std::chrono::steady_clock::now() < until ? Play(fewer, player) : Outcome{};
  };
  const Session shortest = Shrink(session, replay);
  std::vector<std::string> log;
  const Outcome again = Play(shortest, player, &log);
  ADD_FAILURE() << "seed " << seed << ": shortest event list found ("
                << again.broken.value_or("it passes when replayed") << "):\n"
                << Listed(log.begin(), log.end());
}

}  // namespace quillet
