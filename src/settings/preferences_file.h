// The feeder tools' own preferences (the report's title block, the
// schedule's column view), kept between runs in a file of their own beside
// the settings file, so Quillet32.ini keeps its one fixed line. One
// "key=value" line each, UTF-8; a line feed, carriage return or backslash in
// a value is written "\n", "\r" or "\\".
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace quillet {

inline constexpr char kPreferencesFileName[] = "QuilletTools.ini";

using Preferences = std::map<std::string, std::string>;

// Every well-formed line; blank lines, "#" lines and lines without "=" or
// with an empty key are passed over, and a later key wins.
Preferences ParsePreferences(std::string_view content);
std::string FormatPreferences(const Preferences& preferences);

// Empty when the file is missing or unreadable.
Preferences ReadPreferencesFile(const std::string& folder);
// Replaces the file whole; "" or why it could not be written (the old file
// then stays as it was).
std::string WritePreferencesFile(const std::string& folder, const Preferences& preferences);

}  // namespace quillet
