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

struct ConventionRow {
  const char* name;
  ConfigConvention convention;
  std::map<std::string, std::string> env;
  std::string expected;
};

class UserConfigFolderTest : public ::testing::TestWithParam<ConventionRow> {};

TEST_P(UserConfigFolderTest, FollowsThePlatformConvention) {
  const ConventionRow& row = GetParam();
  EXPECT_EQ(fs::path(UserConfigFolder(row.convention, Env(row.env))), fs::path(row.expected));
}

// What counts as absolute differs between the platforms, so each checks
// the conventions with paths of its own form.
#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Conventions, UserConfigFolderTest,
    ::testing::Values(
        ConventionRow{"XdgConfigHomeWins", ConfigConvention::kXdg,
                      {{"XDG_CONFIG_HOME", "/x/cfg"}, {"HOME", "/home/u"}}, "/x/cfg/Quillet"},
        ConventionRow{"XdgFallsBackToDotConfig", ConfigConvention::kXdg, {{"HOME", "/home/u"}},
                      "/home/u/.config/Quillet"},
        ConventionRow{"XdgRelativeConfigHomeIsIgnored", ConfigConvention::kXdg,
                      {{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}}, "/home/u/.config/Quillet"},
        ConventionRow{"XdgWithoutHomeHasNone", ConfigConvention::kXdg, {}, ""},
        ConventionRow{"XdgRelativeHomeHasNone", ConfigConvention::kXdg, {{"HOME", "home/u"}}, ""},
        ConventionRow{"MacApplicationSupport", ConfigConvention::kMac,
                      {{"HOME", "/Users/u"}, {"XDG_CONFIG_HOME", "/x/cfg"}},
                      "/Users/u/Library/Application Support/Quillet"},
        ConventionRow{"MacWithoutHomeHasNone", ConfigConvention::kMac, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    WindowsConventions, UserConfigFolderTest,
    ::testing::Values(
        ConventionRow{"AppData", ConfigConvention::kWindows,
                      {{"APPDATA", "C:\\Users\\u\\AppData\\Roaming"}}, "C:\\Users\\u\\AppData\\Roaming\\Quillet"},
        ConventionRow{"ProfileWithoutAppData", ConfigConvention::kWindows, {{"USERPROFILE", "C:\\Users\\u"}},
                      "C:\\Users\\u\\AppData\\Roaming\\Quillet"},
        ConventionRow{"WindowsWithNeitherHasNone", ConfigConvention::kWindows, {{"HOME", "C:\\h"}}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
#else
INSTANTIATE_TEST_SUITE_P(
    WindowsConventions, UserConfigFolderTest,
    ::testing::Values(ConventionRow{"AppData", ConfigConvention::kWindows, {{"APPDATA", "/roaming"}},
                                    "/roaming/Quillet"},
                      ConventionRow{"ProfileWithoutAppData", ConfigConvention::kWindows,
                                    {{"USERPROFILE", "/profile"}}, "/profile/AppData/Roaming/Quillet"},
                      ConventionRow{"WindowsWithNeitherHasNone", ConfigConvention::kWindows,
                                    {{"HOME", "/home/u"}}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

class ChooseSettingsFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(root / "program"); }

  std::string Choose(const fs::path& program) const {
    return ChooseSettingsFolder(program.string(), ConfigConvention::kXdg,
                                Env({{"XDG_CONFIG_HOME", (root / "config").string()}}));
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

TEST_F(ChooseSettingsFolderTest, NoUsableUserFolderFallsBackToTheProgramFolder) {
  const fs::path missing = root / "missing";
  EXPECT_EQ(ChooseSettingsFolder(missing.string(), ConfigConvention::kXdg, Env({})), missing.string());
}

TEST_F(ChooseSettingsFolderTest, UserFolderThatCannotBeCreatedFallsBackToTheProgramFolder) {
  std::ofstream(root / "config").put('x');  // a file where the folder would go
  const fs::path missing = root / "missing";
  EXPECT_EQ(Choose(missing), missing.string());
}

}  // namespace
}  // namespace quillet
