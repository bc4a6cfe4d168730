// The user's start-up preferences, kept in a one-line text file beside the
// program so they survive reinstalls and can be edited by hand.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

inline constexpr char kSettingsFileName[] = "Quillet32.ini";

struct Settings {
  std::int16_t StartMetric = 1;
  std::int16_t HideStatusPanel = 0;
  float HoursPerDay = 24;
  float DaysPerWeek = 7;
  float CostPerKWh = 0.1f;

  bool operator==(const Settings&) const = default;
};

// Parses file content; std::nullopt when invalid.
std::optional<Settings> ParseSettings(std::string_view content);

// One line ended by CR LF, with reals in plain decimal that read back exactly.
std::string FormatSettings(const Settings& s);

// Whether the folder holds the file (or anything by its name); true when
// that cannot be told.
bool SettingsFileExists(const std::string& folder);

// std::nullopt when the file is missing, unreadable or invalid.
std::optional<Settings> ReadSettingsFile(const std::string& folder);

// Replaces the file's content, whole or not at all (the program's one file
// writer); false when it cannot be written.
bool WriteSettingsFile(const std::string& folder, const Settings& s);

}  // namespace quillet
