// The settings file: what start-up accepts, and that writing never loses
// the old content.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "efficiency/settings_file.h"

namespace quillet {
namespace {

TEST(SettingsFile, ReadsWhatUsersAndOlderCopiesWrote) {
  struct Row {
    const char* name;
    std::string content;
    bool valid;
    Settings expected;
  } rows[] = {
      {"defaults line", "1,0,24,7,0.1\r\n", true, {}},
      {"no line end", "0,0,8,5,0.12", true, {0, 0, 8, 5, 0.12f}},
      {"no leading zero", "1,0,24,7,.1", true, {}},
      {"blanks around values", " 1 , 0 , 24 , 7 , 0.1 ", true, {}},
      {"one value a line", "1\r\n0\r\n24\r\n7\r\n0.1\r\n", true, {}},
      {"extra values ignored", "1,0,24,7,0.1,9,junk", true, {}},
      {"hidden panel 2", "1,2,24,7,0.1", true, {1, 2, 24, 7, 0.1f}},
      {"hours out of the window's range", "1,0,30,7,0.1", true, {1, 0, 30, 7, 0.1f}},
      {"fewer than five", "1,0,24,7", false, {}},
      {"not a number", "1,0,x,7,0.1", false, {}},
      {"flag not whole", "1.5,0,24,7,0.1", false, {}},
      {"flag beyond 16 bits", "70000,0,24,7,0.1", false, {}},
      {"real beyond single", "1,0,1e40,7,0.1", false, {}},
      {"NUL inside a value", std::string("1,0,2\0" "4,7,0.1", 13), false, {}},
      {"empty", "", false, {}},
      {"empty value", "1,,24,7,0.1", false, {}},
  };
  for (const Row& row : rows) {
    const auto parsed = ParseSettings(row.content);
    ASSERT_EQ(parsed.has_value(), row.valid) << row.name;
    if (row.valid) {
      EXPECT_EQ(*parsed, row.expected) << row.name;
    }
  }
}

TEST(SettingsFile, WritesOneLineInShortestPlainDecimals) {
  EXPECT_EQ(FormatSettings({}), "1,0,24,7,0.1\r\n");
  EXPECT_EQ(FormatSettings({0, 1, 8, 5.08f, 0.0005f}), "0,1,8,5.08,0.0005\r\n");
}

class SettingsFolder : public ::testing::Test {
 protected:
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("quillet-settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(SettingsFolder, WrittenValuesReadBack) {
  const Settings written{0, 1, 8, 5.08f, 0.12f};
  ASSERT_TRUE(WriteSettingsFile(folder.string(), written));
  EXPECT_EQ(ReadSettingsFile(folder.string()), written);
}

TEST_F(SettingsFolder, MissingFileOrFolderIsReportedNotInvented) {
  EXPECT_FALSE(ReadSettingsFile(folder.string()).has_value());
  EXPECT_FALSE(WriteSettingsFile((folder / "absent").string(), {}));
  EXPECT_FALSE(std::filesystem::exists(folder / "absent"));
}

TEST_F(SettingsFolder, HugeFileWithoutSeparatorsIsInvalid) {
  std::ofstream(folder / kSettingsFileName) << std::string(1 << 20, '7');
  EXPECT_FALSE(ReadSettingsFile(folder.string()).has_value());
}

}  // namespace
}  // namespace quillet
