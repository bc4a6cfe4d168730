#include "workbench/tool_preferences.h"

#include "platform/desktop.h"

namespace quillet {

ToolPreferences::ToolPreferences(Desktop& desktop)
    : desktop_(desktop), values_(ReadPreferencesFile(desktop.Os().ProgramFolder())) {}

std::string ToolPreferences::Get(const std::string& key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? "" : found->second;
}

void ToolPreferences::Set(const Preferences& changes) {
  bool changed = false;
  for (const auto& [key, value] : changes) {
    std::string& kept = values_[key];
    changed = changed || kept != value;
    kept = value;
  }
  if (!changed) return;
  const std::string why = WritePreferencesFile(desktop_.Os().ProgramFolder(), values_);
  if (!why.empty())
    desktop_.MessageBox("The feeder tools' preferences could not be saved in " + std::string(kPreferencesFileName) +
                            ": " + why + ".\nThey hold until the program closes.",
                        kStyleExclamation, "Feeder tools");
}

}  // namespace quillet
