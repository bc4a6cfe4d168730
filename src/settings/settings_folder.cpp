#include "settings/settings_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "settings/settings_file.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

constexpr char kFolderName[] = "Quillet";

// Relative values are ignored, as the base-directory rules ask: they would
// move with the current folder.
fs::path AbsoluteOrEmpty(const std::string& value) {
  const fs::path path(value);
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

std::string ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string UserConfigFolder(ConfigConvention convention, const EnvironmentLookup& env) {
  const fs::path base = ConfigBase(convention, env);
  return base.empty() ? std::string() : (base / kFolderName).string();
}

bool CanCreateFilesIn(const std::string& folder) {
  const fs::path probe = fs::path(folder) / (std::string(kSettingsFileName) + ".probe");
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  const bool created = static_cast<bool>(std::ofstream(probe, std::ios::binary));
  fs::remove(probe, ec);
  return created;
}

std::string ChooseSettingsFolder(const std::string& programFolder, ConfigConvention convention,
                                 const EnvironmentLookup& env) {
  if (CanCreateFilesIn(programFolder)) return programFolder;
  const std::string user = UserConfigFolder(convention, env);
  if (user.empty()) return programFolder;
  std::error_code ec;
  fs::create_directories(user, ec);
  return CanCreateFilesIn(user) ? user : programFolder;
}

}  // namespace quillet
