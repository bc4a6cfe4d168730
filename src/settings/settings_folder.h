// Which folder holds the settings file. A copy of the program in a folder
// its user may write keeps the file beside it, as it always has; an
// installed program (a system folder, Program Files) keeps it in the
// user's own configuration folder instead, so every user has settings that
// save.
#pragma once

#include <functional>
#include <string>

#include "platform/services.h"

namespace quillet {

// Where a platform keeps per-user configuration.
enum class ConfigConvention { kXdg, kWindows, kMac };

#if defined(_WIN32)
inline constexpr ConfigConvention kNativeConvention = ConfigConvention::kWindows;
#elif defined(__APPLE__)
inline constexpr ConfigConvention kNativeConvention = ConfigConvention::kMac;
#else
inline constexpr ConfigConvention kNativeConvention = ConfigConvention::kXdg;
#endif

// Looks up an environment variable; "" when unset.
using EnvironmentLookup = std::function<std::string(const char* name)>;
std::string ProcessEnvironment(const char* name);

// The program's folder under the user's configuration folder ("" when the
// environment names no usable one): $XDG_CONFIG_HOME/Quillet or
// ~/.config/Quillet; %APPDATA%\Quillet; ~/Library/Application Support/Quillet.
std::string UserConfigFolder(ConfigConvention convention, const EnvironmentLookup& env);

// True when a new file can be created in the folder (tried, not guessed
// from permission bits, which miss root, ACLs and read-only mounts).
bool CanCreateFilesIn(const std::string& folder);

// A program inside the platform's folder for installed programs (Program
// Files on Windows, as the environment names it) is installed, even where
// its user may write there (an administrator, Wine).
bool InstalledProgramFolder(const std::string& programFolder, ConfigConvention convention,
                            const EnvironmentLookup& env);

struct SettingsFolder {
  std::string path;
  // The user's own configuration folder: a first start there finds no
  // file, and nothing is lost.
  bool perUser = false;
};

// The program folder when it is writable and the program is not installed;
// otherwise the user's configuration folder, created when missing. Falls
// back to the program folder when there is no usable user folder either,
// so start-up reports the file and runs on the defaults.
SettingsFolder ChooseSettingsFolder(const std::string& programFolder,
                                    ConfigConvention convention = kNativeConvention,
                                    const EnvironmentLookup& env = ProcessEnvironment);

// A view's services report the settings folder its launch chose.
class FolderServices : public Services {
 public:
  explicit FolderServices(const SettingsFolder& folder) : folder_(folder.path), perUser_(folder.perUser) {}
  std::string ProgramFolder() override { return folder_; }
  bool PerUserSettings() override { return perUser_; }

 private:
  std::string folder_;
  bool perUser_;
};

}  // namespace quillet
