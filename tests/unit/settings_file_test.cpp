// How the start-up preferences survive on disk, including damaged files.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "fresh_folder.h"
#include "settings/preferences_file.h"
#include "settings/settings_file.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

// The settings as the file writes them, or "invalid".
std::string Read(const std::optional<Settings>& settings) {
  return settings ? FormatSettings(*settings) : "invalid";
}

TEST(SettingsFile, ReadsWhatTheOriginalProgramWroteAndRefusesTheRest) {
  const struct {
    const char* name;
    std::string content;
    const char* settings;
  } rows[] = {
      {"the defaults", "1,0,24,7,0.1\r\n", "1,0,24,7,0.1\r\n"},
      {"no line end", "0,0,8,5,0.12", "0,0,8,5,0.12\r\n"},
      {"no leading zero", "1,0,24,7,.1", "1,0,24,7,0.1\r\n"},
      {"a trailing point", "1,0,24,5.,0.1", "1,0,24,5,0.1\r\n"},
      {"blanks around values", " 1 , 0 ,\t24\t, 7 , 0.1 ", "1,0,24,7,0.1\r\n"},
      {"values on lines of their own", "1\r\n0\r\n24\r\n7\r\n0.1\r\n", "1,0,24,7,0.1\r\n"},
      {"bare LF and CR line ends", "1\n0\r24\n\n7\r\n\r\n0.1", "1,0,24,7,0.1\r\n"},
      {"extra values ignored", "1,0,24,7,0.1,9,junk", "1,0,24,7,0.1\r\n"},
      {"garbage after the fifth ignored", std::string("1,0,24,7,0.1\r\n\x01\xff\0x", 18), "1,0,24,7,0.1\r\n"},
      {"signs", "+1,-2,+24,-7,-0.5", "1,-2,24,-7,-0.5\r\n"},
      {"the 16-bit limits", "-32768,32767,24,7,0.1", "-32768,32767,24,7,0.1\r\n"},
      {"a hidden status panel of 2", "1,2,24,7,0.1", "1,2,24,7,0.1\r\n"},
      {"30 hours, not checked here", "1,0,30,7,0.1", "1,0,30,7,0.1\r\n"},
      {"fewer than five", "1,0,24,7", "invalid"},
      {"fewer than five with a line end", "1,0,24,7\r\n", "invalid"},
      {"empty between commas", "1,,0,24,7,0.1", "invalid"},
      {"a comma after a line end is an empty value", "1\r\n,0,24,7,0.1", "invalid"},
      {"a blank value", "1, ,0,24,7", "invalid"},
      {"no number", "1,0,x,7,0.1", "invalid"},
      {"text after a value", "1,0,24h,7,0.1", "invalid"},
      {"a blank inside a value", "1,0,2 4,7,0.1", "invalid"},
      {"a flag not whole", "1.5,0,24,7,0.1", "invalid"},
      {"a flag with .0", "1.0,0,24,7,0.1", "invalid"},
      {"a flag above 16 bits", "70000,0,24,7,0.1", "invalid"},
      {"a flag below 16 bits", "0,-32769,24,7,0.1", "invalid"},
      {"two signs", "+-1,0,24,7,0.1", "invalid"},
      {"a sign alone", "1,0,24,7,-", "invalid"},
      {"an exponent", "1,0,1e40,7,0.1", "invalid"},
      {"a small exponent", "1,0,2e1,7,0.1", "invalid"},
      {"beyond the largest float", "1,0,1" + std::string(40, '0') + ",7,0.1", "invalid"},
      {"infinity", "1,0,inf,7,0.1", "invalid"},
      {"not a number", "1,0,24,nan,0.1", "invalid"},
      {"a hex float", "1,0,0x18,7,0.1", "invalid"},
      {"a semicolon as the decimal mark", "1,0,24,7,0;1", "invalid"},
      {"a NUL byte in a value", std::string("1,0,2\0" "4,7,0.1", 13), "invalid"},
      {"a leading line end", "\r\n1,0,24,7,0.1", "invalid"},
      {"empty", "", "invalid"},
  };
  for (const auto& row : rows) EXPECT_EQ(Read(ParseSettings(row.content)), row.settings) << row.name;
}

TEST(SettingsFile, WritesPlainShortestDecimalsThatReadBackBitForBit) {
  const struct {
    Settings settings;
    const char* text;
  } rows[] = {
      {{1, 0, 24, 7, 0.1f}, "1,0,24,7,0.1\r\n"},
      {{0, 1, 8, 5.08f, 0.12f}, "0,1,8,5.08,0.12\r\n"},
      {{1, 0, 24, 7, 0.0005f}, "1,0,24,7,0.0005\r\n"},
      {{1, 0, 24, 7, 1e-7f}, "1,0,24,7,0.0000001\r\n"},
      {{1, 0, 1e10f, 7, 0.1f}, "1,0,10000000000,7,0.1\r\n"},
      {{-32768, -1, -2.5f, 7, 0.1f}, "-32768,-1,-2.5,7,0.1\r\n"},
  };
  for (const auto& row : rows) EXPECT_EQ(FormatSettings(row.settings), row.text);
  for (float x : {0.1f, 1.0f / 3, 16777217.0f, FLT_MAX, -FLT_MAX, FLT_MIN, FLT_TRUE_MIN, -0.0f}) {
    const Settings s{3, 1, x, x, x};
    EXPECT_EQ(ParseSettings(FormatSettings(s)), s) << x;
  }
}

class SettingsOnDisk : public ::testing::Test {
 protected:
  fs::path File() const { return folder / kSettingsFileName; }
  void Put(const std::string& content) const { std::ofstream(File(), std::ios::binary) << content; }
  std::string Get() const {
    std::ifstream in(File(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool OnlyTheFile() const {
    for (const auto& entry : fs::directory_iterator(folder.Path()))
      if (entry.path() != File()) return false;
    return true;
  }
  FreshFolder folder;
};

// The reader takes at most 64 KiB: a value past it, or cut by it, is not
// taken as complete.
TEST_F(SettingsOnDisk, ReadsAFileUpToItsFifthValue) {
  const struct {
    const char* name;
    std::optional<std::string> content;
    const char* settings;
  } rows[] = {
      {"no file", std::nullopt, "invalid"},
      {"an empty file", "", "invalid"},
      {"a huge file of digits", std::string(1 << 20, '7'), "invalid"},
      {"a huge tail after five values", "0,0,8,5,0.12\r\n" + std::string(1 << 20, '\0'), "0,0,8,5,0.12\r\n"},
      {"the fifth value past 64 KiB", "1,0,24,7," + std::string(70000, ' ') + "0.1\r\n", "invalid"},
      {"the fifth value cut at 64 KiB", "1,0,24,7," + std::string(65536 - 12, ' ') + "0.1junk", "invalid"},
  };
  for (const auto& row : rows) {
    fs::remove(File());
    if (row.content) Put(*row.content);
    EXPECT_EQ(Read(ReadSettingsFile(folder.Text())), row.settings) << row.name;
  }
}

TEST_F(SettingsOnDisk, WritesAWholeFileOrNothing) {
  Put("1,0,24,7,0.1\r\n" + std::string(1000, 'x'));
  const Settings s{0, 1, 8.5f, 5, 0.0005f};
  ASSERT_TRUE(WriteSettingsFile(folder.Text(), s));
  EXPECT_EQ(ReadSettingsFile(folder.Text()), s);
  EXPECT_EQ(Get(), "0,1,8.5,5,0.0005\r\n");
  EXPECT_TRUE(OnlyTheFile());
  EXPECT_FALSE(WriteSettingsFile(folder.Text(), {1, 0, INFINITY, 7, 0.1f}));
  EXPECT_EQ(Get(), "0,1,8.5,5,0.0005\r\n") << "a value that is not finite keeps the old file";
  EXPECT_FALSE(WriteSettingsFile((folder / "absent").string(), {}));
  EXPECT_FALSE(fs::exists(folder / "absent"));
  fs::remove(File());
  fs::create_directory(File());  // a folder in the way of the target
  EXPECT_FALSE(WriteSettingsFile(folder.Text(), {}));
  EXPECT_TRUE(OnlyTheFile()) << "a failed rename leaves no temporary file";
}

// The tools' preferences: values with line breaks, backslashes and "=" come
// back as they were; what is not a "key=value" line is passed over.
TEST(PreferencesFile, WritesAndReadsBackEveryValue) {
  const FreshFolder folder;
  const Preferences written = {{"title.project", "Plant = 2\\ A"}, {"title.notes", "two\nlines\r"}, {"view", ""}};
  ASSERT_EQ(WritePreferencesFile(folder.Text(), written), "");
  EXPECT_EQ(ReadPreferencesFile(folder.Text()), written);
  EXPECT_EQ(ParsePreferences("# note\nno equals\n=no key\r\na=1\r\na=2\n"), (Preferences{{"a", "2"}}));
  EXPECT_TRUE(ReadPreferencesFile((folder / "missing").string()).empty());
  EXPECT_NE(WritePreferencesFile((folder / "missing").string(), written), "");
}

}  // namespace
}  // namespace quillet
