// Where the settings file goes: beside a writable program, else in the
// user's configuration folder of each platform's convention.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "fresh_folder.h"
#include "settings/settings_folder.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup Env(std::map<std::string, std::string> values) {
  return [values](const char* name) {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  };
}

// What counts as absolute differs between the platforms, so the Windows
// convention is checked with paths of each platform's form.
TEST(UserConfigFolder, FollowsThePlatformConvention) {
  const struct {
    const char* name;
    ConfigConvention convention;
    std::map<std::string, std::string> env;
    std::string expected;
  } rows[] = {
#ifndef _WIN32
      {"XDG_CONFIG_HOME wins", ConfigConvention::kXdg, {{"XDG_CONFIG_HOME", "/x/cfg"}, {"HOME", "/home/u"}},
       "/x/cfg/Quillet"},
      {"XDG falls back to ~/.config", ConfigConvention::kXdg, {{"HOME", "/home/u"}}, "/home/u/.config/Quillet"},
      {"a relative XDG_CONFIG_HOME is ignored", ConfigConvention::kXdg,
       {{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}}, "/home/u/.config/Quillet"},
      {"XDG without HOME has none", ConfigConvention::kXdg, {}, ""},
      {"XDG with a relative HOME has none", ConfigConvention::kXdg, {{"HOME", "home/u"}}, ""},
      {"macOS: Application Support", ConfigConvention::kMac, {{"HOME", "/Users/u"}, {"XDG_CONFIG_HOME", "/x/cfg"}},
       "/Users/u/Library/Application Support/Quillet"},
      {"macOS without HOME has none", ConfigConvention::kMac, {}, ""},
      {"APPDATA", ConfigConvention::kWindows, {{"APPDATA", "/roaming"}}, "/roaming/Quillet"},
      {"the profile without APPDATA", ConfigConvention::kWindows, {{"USERPROFILE", "/profile"}},
       "/profile/AppData/Roaming/Quillet"},
      {"Windows with neither has none", ConfigConvention::kWindows, {{"HOME", "/home/u"}}, ""},
#else
      {"APPDATA", ConfigConvention::kWindows, {{"APPDATA", "C:\\Users\\u\\AppData\\Roaming"}},
       "C:\\Users\\u\\AppData\\Roaming\\Quillet"},
      {"the profile without APPDATA", ConfigConvention::kWindows, {{"USERPROFILE", "C:\\Users\\u"}},
       "C:\\Users\\u\\AppData\\Roaming\\Quillet"},
      {"Windows with neither has none", ConfigConvention::kWindows, {{"HOME", "C:\\h"}}, ""},
#endif
  };
  for (const auto& row : rows)
    EXPECT_EQ(fs::path(UserConfigFolder(row.convention, Env(row.env))), fs::path(row.expected)) << row.name;
}

class ChooseSettingsFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(root / "program"); }

  std::string Choose(const fs::path& program) const {
    const SettingsFolder chosen = ChooseSettingsFolder(program.string(), ConfigConvention::kXdg,
                                                       Env({{"XDG_CONFIG_HOME", (root / "config").string()}}));
    EXPECT_EQ(chosen.perUser, chosen.path != program.string());
    return chosen.path;
  }

  FreshFolder fresh;
  const fs::path& root = fresh.Path();
};

TEST_F(ChooseSettingsFolderTest, WritableProgramFolderKeepsTheFileAndLeavesNothingBehind) {
  EXPECT_EQ(Choose(root / "program"), (root / "program").string());
  EXPECT_TRUE(fs::is_empty(root / "program")) << "the write probe is removed";
  EXPECT_FALSE(fs::exists(root / "config"));
}

// Root writes into read-only folders, so a folder that cannot exist stands
// in for one the user may not write.
TEST_F(ChooseSettingsFolderTest, UnwritableProgramFolderUsesTheCreatedUserFolder) {
  const fs::path blocked = root / "program" / "file-not-folder";
  std::ofstream(blocked).put('x');
  EXPECT_EQ(fs::path(Choose(blocked)), root / "config" / "Quillet");
  EXPECT_TRUE(fs::is_directory(root / "config" / "Quillet"));
}

// Without a user folder, or one that cannot be made, the program's folder.
TEST_F(ChooseSettingsFolderTest, NoUsableUserFolderFallsBackToTheProgramFolder) {
  const fs::path missing = root / "missing";
  EXPECT_EQ(ChooseSettingsFolder(missing.string(), ConfigConvention::kXdg, Env({})).path, missing.string());
  std::ofstream(root / "config").put('x');  // a file where the folder would go
  EXPECT_EQ(Choose(missing), missing.string());
}

// Program Files may be writable (an administrator, Wine): a program there
// is installed all the same, and its users keep their own settings.
TEST_F(ChooseSettingsFolderTest, AProgramInProgramFilesKeepsItsUsersSettingsInTheirOwnFolder) {
  const fs::path programFiles = root / "Program Files";
  const fs::path installed = programFiles / "Quillet";
  fs::create_directories(installed);
  const struct {
    const char* name;
    std::map<std::string, std::string> env;
    fs::path program;
    bool perUser;
  } rows[] = {
      {"inside Program Files", {{"ProgramFiles", programFiles.string()}}, installed, true},
      {"inside the 64-bit folder named apart", {{"ProgramW6432", programFiles.string()}}, installed, true},
      {"its name in another case", {{"ProgramFiles", (root / "PROGRAM FILES").string()}}, installed, true},
      {"a folder that only starts with the name", {{"ProgramFiles", (root / "Program").string()}}, installed, false},
      {"a copy elsewhere", {{"ProgramFiles", programFiles.string()}}, root / "program", false},
  };
  for (const auto& row : rows) {
    std::map<std::string, std::string> env = row.env;
    env["APPDATA"] = (root / "roaming").string();
    const SettingsFolder chosen = ChooseSettingsFolder(row.program.string(), ConfigConvention::kWindows, Env(env));
    EXPECT_EQ(chosen.perUser, row.perUser) << row.name;
    EXPECT_EQ(fs::path(chosen.path), row.perUser ? root / "roaming" / "Quillet" : row.program) << row.name;
  }
  EXPECT_FALSE(InstalledProgramFolder(installed.string(), ConfigConvention::kXdg,
                                      Env({{"ProgramFiles", programFiles.string()}})));
}

}  // namespace
}  // namespace quillet
