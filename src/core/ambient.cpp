#include "core/ambient.h"

#include <algorithm>
#include <span>
#include <string>

#include "core/elcal.h"

namespace quillet {
namespace {

struct AmbientEntry {
  std::int16_t celsius, fahrenheit;
  float factor;
};

// Walking order after the 30 °C state: 35 °C upwards to the hottest entry,
// then 10 to 25 °C, then back to 30 °C.
const AmbientEntry kChain60[] = {{35, 95, 0.91f},  {40, 104, 0.82f}, {45, 113, 0.71f},
                                 {50, 122, 0.58f}, {55, 131, 0.41f}, {10, 50, 1.29f},
                                 {15, 59, 1.22f},  {20, 68, 1.15f},  {25, 77, 1.08f}};
const AmbientEntry kChain75[] = {{35, 95, 0.94f},  {40, 104, 0.88f}, {45, 113, 0.82f}, {50, 122, 0.75f},
                                 {55, 131, 0.67f}, {60, 140, 0.58f}, {65, 149, 0.47f}, {70, 158, 0.33f},
                                 {10, 50, 1.20f},  {15, 59, 1.15f},  {20, 68, 1.11f},  {25, 77, 1.05f}};
const AmbientEntry kChain90[] = {{35, 95, 0.96f},  {40, 104, 0.91f}, {45, 113, 0.87f}, {50, 122, 0.82f},
                                 {55, 131, 0.76f}, {60, 140, 0.71f}, {65, 149, 0.65f}, {70, 158, 0.58f},
                                 {75, 167, 0.50f}, {80, 176, 0.41f}, {85, 185, 0.29f}, {10, 50, 1.15f},
                                 {15, 59, 1.12f},  {20, 68, 1.08f},  {25, 77, 1.04f}};
constexpr AmbientEntry kThirty{30, 86, 1.0f};

// By InsulationColumn: 75, 90, 60 °C.
std::span<const AmbientEntry> Chain(std::int16_t column) {
  if (column == 1) return kChain90;
  if (column == 2) return kChain60;
  return kChain75;
}

std::span<const AmbientEntry> ChainOfRating(int insulationC) {
  if (insulationC == 60) return kChain60;
  if (insulationC == 90) return kChain90;
  return kChain75;
}

AmbientEntry NextEntry(std::span<const AmbientEntry> chain, float factor) {
  if (factor == 1.0f) return chain.front();
  // The 25 °C entry is not looked up: its successor is the 30 °C state.
  for (std::size_t i = 0; i + 1 < chain.size(); ++i)
    if (chain[i].factor == factor) return chain[i + 1];
  return kThirty;
}

std::string Caption(const AmbientEntry& e, bool sixtyChain) {
  if (e.celsius == 30) return kAmbientDefaultCaption;
  // The 60 °C chain's 35 °C entry has always had an ordinary blank here.
  const char* gap = sixtyChain && e.celsius == 35 ? " " : kNbsp;
  return "Ambient\r\n<= " + std::to_string(e.celsius) + "°C" + gap + "(" + std::to_string(e.fahrenheit) +
         "°F)";
}

void AmbCmnd_Click(Elcal& w) {
  ElcalState& s = w.state;
  const AmbientEntry next = NextEntry(Chain(s.InsulationColumn), s.AmbientFactor);
  s.AmbientFactor = next.factor;
  s.AmbientC = next.celsius;
  s.AmbientF = next.fahrenheit;
  w.AmbCmnd.SetCaption(Caption(next, s.InsulationColumn == 2));
}

}  // namespace

void ResetAmbient(Elcal& w) {
  w.state.AmbientFactor = 1.0f;
  w.state.AmbientC = 30;
  w.state.AmbientF = 86;
  w.AmbCmnd.SetCaption(std::string("Ambient Temperature\r\n<= 30°C") + kNbsp + "(86°F)");
}

std::vector<int> AmbientChain(int insulationC) {
  std::vector<int> bounds = {kThirty.celsius};
  for (const AmbientEntry& entry : ChainOfRating(insulationC)) bounds.push_back(entry.celsius);
  std::sort(bounds.begin(), bounds.end());
  return bounds;
}

void AttachAmbient(Elcal& w) {
  w.AmbCmnd.Click = [&w] { AmbCmnd_Click(w); };
}

}  // namespace quillet
