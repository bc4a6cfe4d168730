#include "settings/preferences_file.h"

#include <fstream>
#include <iterator>

#include "platform/file_output.h"
#include "platform/native_text.h"

namespace quillet {
namespace {

// Far more than a title block and a column list need; a larger file is not ours.
constexpr std::size_t kReadCap = 64 * 1024;

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

// Keys are written as they are, so one may not hold what ends it.
bool UsableKey(std::string_view key) {
  return !key.empty() && key.front() != '#' && key.find_first_of("=\r\n") == std::string_view::npos;
}

std::filesystem::path PreferencesPath(const std::string& folder) {
  return PathFromUtf8(folder) / kPreferencesFileName;
}

}  // namespace

Preferences ParsePreferences(std::string_view content) {
  Preferences preferences;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !UsableKey(line.substr(0, equals))) continue;
    preferences[std::string(line.substr(0, equals))] = Unescaped(line.substr(equals + 1));
  }
  return preferences;
}

std::string FormatPreferences(const Preferences& preferences) {
  std::string out;
  for (const auto& [key, value] : preferences)
    if (UsableKey(key)) out += key + "=" + Escaped(value) + "\n";
  return out;
}

Preferences ReadPreferencesFile(const std::string& folder) {
  std::ifstream in(PreferencesPath(folder), std::ios::binary);
  std::string content(kReadCap, '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(in.gcount()));
  return ParsePreferences(content);
}

std::string WritePreferencesFile(const std::string& folder, const Preferences& preferences) {
  return WriteWholeFile(PreferencesPath(folder), FormatPreferences(preferences));
}

}  // namespace quillet
