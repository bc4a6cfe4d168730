// The feeder tools' preferences while the program runs: read once from the
// file beside the settings file, written whole whenever a value changes.
#pragma once

#include <string>

#include "settings/preferences_file.h"

namespace quillet {

class Desktop;

class ToolPreferences {
 public:
  explicit ToolPreferences(Desktop& desktop);

  // "" for a key the file does not have.
  std::string Get(const std::string& key) const;
  // Keeps the values and writes the file when one of them changed; a file
  // that cannot be written is told in a box, and the values hold until the
  // program closes.
  void Set(const Preferences& changes);

 private:
  Desktop& desktop_;
  Preferences values_;
};

}  // namespace quillet
