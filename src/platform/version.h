// The program's own version numbers, set by the build.
#pragma once

#include <string>

#include "platform/services.h"

namespace quillet {

inline VersionNumbers ProgramVersion() {
  return {QUILLET_VERSION_MAJOR, QUILLET_VERSION_MINOR, QUILLET_VERSION_PATCH};
}

// "1.0.0", as command lines print it after the program's name.
inline std::string ProgramVersionText() {
  const VersionNumbers v = ProgramVersion();
  return std::to_string(v.major) + '.' + std::to_string(v.minor) + '.' + std::to_string(v.revision);
}

}  // namespace quillet
