// The program's own version numbers, set by the build.
#pragma once

#include "platform/services.h"

namespace quillet {

inline VersionNumbers ProgramVersion() {
  return {QUILLET_VERSION_MAJOR, QUILLET_VERSION_MINOR, QUILLET_VERSION_PATCH};
}

}  // namespace quillet
