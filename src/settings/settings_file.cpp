#include "settings/settings_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/file_output.h"
#include "platform/native_text.h"

namespace quillet {
namespace {

constexpr std::size_t kValueCount = 5;
// Five short values fit many times over; a larger file is never read whole.
constexpr std::size_t kReadCap = 64 * 1024;
constexpr std::string_view kSeparators = ",\r\n";
constexpr std::string_view kLineEnds = "\r\n";
constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view v) {
  const std::size_t first = v.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return v.substr(first, v.find_last_not_of(kBlanks) - first + 1);
}

// from_chars takes no '+'; "+-1" keeps its '+' so it still fails.
std::string_view DropPlus(std::string_view v) {
  if (v.size() > 1 && v[0] == '+' && v[1] != '-') v.remove_prefix(1);
  return v;
}

// A comma ends one value; a run of line ends counts as a single separator.
std::size_t NextValueStart(std::string_view content, std::size_t end) {
  if (end >= content.size()) return content.size();
  if (content[end] == ',') return end + 1;
  return std::min(content.find_first_not_of(kLineEnds, end), content.size());
}

// Missing values come back empty, which no field accepts.
std::array<std::string_view, kValueCount> SplitValues(std::string_view content) {
  std::array<std::string_view, kValueCount> values;
  std::size_t pos = 0;
  for (std::string_view& value : values) {
    const std::size_t end =
        std::min(content.find_first_of(kSeparators, pos), content.size());
    value = TrimBlanks(content.substr(pos, end - pos));
    pos = NextValueStart(content, end);
  }
  return values;
}

// Digits with an optional sign only, so "1.5" and "1e3" are refused.
bool ParseFlag(std::string_view v, std::int16_t& out) {
  v = DropPlus(v);
  const char* end = v.data() + v.size();
  const auto [ptr, ec] = std::from_chars(v.data(), end, out);
  return ec == std::errc() && ptr == end;
}

// Fixed format refuses exponents; from_chars still takes "inf" and "nan".
bool ParseReal(std::string_view v, float& out) {
  v = DropPlus(v);
  const char* end = v.data() + v.size();
  const auto [ptr, ec] =
      std::from_chars(v.data(), end, out, std::chars_format::fixed);
  return ec == std::errc() && ptr == end && std::isfinite(out);
}

// Shortest fixed form that round-trips: never an exponent, even for 1e-7.
std::string FormatReal(float x) {
  char buf[64];
  const auto [ptr, ec] =
      std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  return ec == std::errc() ? std::string(buf, ptr) : std::string();
}

std::filesystem::path SettingsPath(const std::string& folder) { return PathFromUtf8(folder) / kSettingsFileName; }

// Reads at most the cap; when more follows, a value cut at the cap boundary
// is dropped so it cannot pass for a complete one.
std::optional<std::string> ReadHead(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string head(kReadCap, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  if (in && in.peek() != std::char_traits<char>::eof()) {
    head.resize(head.find_last_of(kSeparators) + 1);  // npos + 1 == 0
  }
  return head;
}

bool AllFinite(const Settings& s) {
  return std::isfinite(s.HoursPerDay) && std::isfinite(s.DaysPerWeek) &&
         std::isfinite(s.CostPerKWh);
}

}  // namespace

std::optional<Settings> ParseSettings(std::string_view content) {
  const auto v = SplitValues(content);
  Settings s;
  if (ParseFlag(v[0], s.StartMetric) && ParseFlag(v[1], s.HideStatusPanel) &&
      ParseReal(v[2], s.HoursPerDay) && ParseReal(v[3], s.DaysPerWeek) &&
      ParseReal(v[4], s.CostPerKWh)) {
    return s;
  }
  return std::nullopt;
}

std::string FormatSettings(const Settings& s) {
  return std::to_string(s.StartMetric) + ',' + std::to_string(s.HideStatusPanel) +
         ',' + FormatReal(s.HoursPerDay) + ',' + FormatReal(s.DaysPerWeek) +
         ',' + FormatReal(s.CostPerKWh) + "\r\n";
}

bool SettingsFileExists(const std::string& folder) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::symlink_status(SettingsPath(folder), ec);
  return status.type() != std::filesystem::file_type::not_found;
}

std::optional<Settings> ReadSettingsFile(const std::string& folder) {
  const auto head = ReadHead(SettingsPath(folder));
  if (!head) return std::nullopt;
  return ParseSettings(*head);
}

bool WriteSettingsFile(const std::string& folder, const Settings& s) {
  if (!AllFinite(s)) return false;  // would not read back; keep the old file
  return WriteWholeFile(SettingsPath(folder), FormatSettings(s)).empty();
}

}  // namespace quillet
