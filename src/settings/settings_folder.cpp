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

std::string ChooseSettingsFolder(const std::string& programFolder, ConfigConvention convention,
                                 const EnvironmentLookup& env) {
  if (CanCreateFilesIn(programFolder)) return programFolder;
  const std::string user = UserConfigFolder(convention, env);
  if (user.empty()) return programFolder;
  std::error_code ec;
  fs::create_directories(PathFromUtf8(user), ec);
  return CanCreateFilesIn(user) ? user : programFolder;
}

}  // namespace quillet
