// Facts of the state that take one of a few values, each kept once in
// `ElcalState` and shown from there (a caption, a colour, a running timer).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quillet {

// The load against the feeder ampacity, as the pass found it.
enum class AmpacityCheck { Ok, Over80, Over100 };
// The length unit of `CmdUnit`: metres, or feet with values per 1000 ft.
enum class LengthSystem { Metric, Imperial };
// The temperature unit of `CmdDeg`.
enum class TemperatureScale { Celsius, Fahrenheit };
// Which quantity the load lock keeps: the current (`Timer1` runs), the power
// (`Timer2` runs), or neither ticker runs until a focus or a voltage starts one.
enum class LoadLock { Current, Power, Halted };

// The names the script driver prints and reads, in the order of the values.
template <typename Choice>
struct ChoiceNames;
template <>
struct ChoiceNames<AmpacityCheck> {
  static constexpr std::array<std::string_view, 3> kNames{"Ok", "Over80", "Over100"};
};
template <>
struct ChoiceNames<LengthSystem> {
  static constexpr std::array<std::string_view, 2> kNames{"Metric", "Imperial"};
};
template <>
struct ChoiceNames<TemperatureScale> {
  static constexpr std::array<std::string_view, 2> kNames{"Celsius", "Fahrenheit"};
};
template <>
struct ChoiceNames<LoadLock> {
  static constexpr std::array<std::string_view, 3> kNames{"Current", "Power", "Halted"};
};

template <typename Choice>
std::string_view ChoiceName(Choice value) {
  return ChoiceNames<Choice>::kNames.at(static_cast<std::size_t>(value));
}

// The value of that name; false when no value has it.
template <typename Choice>
bool ChoiceNamed(std::string_view name, Choice& value) {
  const auto& names = ChoiceNames<Choice>::kNames;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] != name) continue;
    value = static_cast<Choice>(i);
    return true;
  }
  return false;
}

}  // namespace quillet
