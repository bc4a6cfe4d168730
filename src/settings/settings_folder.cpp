#include "settings/settings_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/file_output.h"
#include "platform/native_text.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

constexpr char kFolderName[] = "Quillet";

// Relative values are ignored, as the base-directory rules ask: they would
// move with the current folder.
fs::path AbsoluteOrEmpty(const std::string& value) {
  const fs::path path = PathFromUtf8(value);
  return path.is_absolute() ? path : fs::path();
}

fs::path ConfigBase(ConfigConvention convention, const EnvironmentLookup& env) {
  switch (convention) {
    case ConfigConvention::kWindows: {
      const fs::path appData = AbsoluteOrEmpty(env("APPDATA"));
      if (!appData.empty()) return appData;
      const fs::path profile = AbsoluteOrEmpty(env("USERPROFILE"));
      return profile.empty() ? fs::path() : profile / "AppData" / "Roaming";
    }
    case ConfigConvention::kMac: {
      const fs::path home = AbsoluteOrEmpty(env("HOME"));
      return home.empty() ? fs::path() : home / "Library" / "Application Support";
    }
    case ConfigConvention::kXdg:
      break;
  }
  const fs::path configHome = AbsoluteOrEmpty(env("XDG_CONFIG_HOME"));
  if (!configHome.empty()) return configHome;
  const fs::path home = AbsoluteOrEmpty(env("HOME"));
  return home.empty() ? fs::path() : home / ".config";
}

// The folders Windows installs programs into, 64-bit and 32-bit.
constexpr const char* kProgramFilesVariables[] = {"ProgramFiles", "ProgramW6432", "ProgramFiles(x86)"};

// Windows compares names without regard to case.
std::string Folded(const fs::path& part) {
  std::string text = Utf8FromPath(part);
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool WithinFolder(const fs::path& path, const fs::path& folder) {
  const fs::path inner = path.lexically_normal(), outer = folder.lexically_normal();
  auto at = inner.begin();
  for (const fs::path& part : outer) {
    if (part.empty()) continue;  // a trailing separator
    if (at == inner.end() || Folded(*at) != Folded(part)) return false;
    ++at;
  }
  return true;
}

}  // namespace

std::string ProcessEnvironment(const char* name) { return EnvironmentText(name); }

std::string UserConfigFolder(ConfigConvention convention, const EnvironmentLookup& env) {
  const fs::path base = ConfigBase(convention, env);
  return base.empty() ? std::string() : Utf8FromPath(base / kFolderName);
}

bool CanCreateFilesIn(const std::string& folder) {
  std::error_code ec;
  return fs::is_directory(PathFromUtf8(folder), ec) && CanMakeFileIn(PathFromUtf8(folder));
}

bool InstalledProgramFolder(const std::string& programFolder, ConfigConvention convention,
                            const EnvironmentLookup& env) {
  if (convention != ConfigConvention::kWindows) return false;
  for (const char* variable : kProgramFilesVariables) {
    const fs::path installed = AbsoluteOrEmpty(env(variable));
    if (!installed.empty() && WithinFolder(PathFromUtf8(programFolder), installed)) return true;
  }
  return false;
}

SettingsFolder ChooseSettingsFolder(const std::string& programFolder, ConfigConvention convention,
                                    const EnvironmentLookup& env) {
  if (!InstalledProgramFolder(programFolder, convention, env) && CanCreateFilesIn(programFolder))
    return {programFolder, false};
  const std::string user = UserConfigFolder(convention, env);
  if (user.empty()) return {programFolder, false};
  std::error_code ec;
  fs::create_directories(PathFromUtf8(user), ec);
  if (CanCreateFilesIn(user)) return {user, true};
  return {programFolder, false};
}

}  // namespace quillet
