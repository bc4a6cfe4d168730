// A state field's value as text, every digit of it: two states compare
// field by field, and a difference reads as the two values.
#pragma once

#include <charconv>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

#include "core/elcal_state.h"

namespace quillet {

inline std::string FieldText(const StateFieldRef& ref) {
  return std::visit(
      [](auto value) -> std::string {
        using T = decltype(value);
        if constexpr (std::is_same_v<T, std::span<float>>) {
          std::string text;
          for (float item : value) {
            char buffer[32];
            text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, item).ptr);
            text += ' ';
          }
          return text;
        } else if constexpr (std::is_same_v<T, std::string*>) {
          return *value;
        } else if constexpr (std::is_floating_point_v<std::remove_pointer_t<T>>) {
          char buffer[32];
          return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, *value).ptr);
        } else {
          return std::to_string(static_cast<long long>(*value));
        }
      },
      ref);
}

}  // namespace quillet
