// How the start-up preferences survive on disk, including damaged files.
#include <gtest/gtest.h>

#include <cfloat>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "fresh_folder.h"
#include "settings/preferences_file.h"
#include "settings/settings_file.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

Settings Make(std::int16_t metric, std::int16_t hide, float hours, float days,
              float cost) {
  return Settings{metric, hide, hours, days, cost};
}

struct ParseRow {
  const char* name;
  std::string content;
  std::optional<Settings> expected;
};

class ParseTable : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParseTable, GivesTheExpectedSettings) {
  EXPECT_EQ(ParseSettings(GetParam().content), GetParam().expected);
}

const Settings kDefaults;

INSTANTIATE_TEST_SUITE_P(
    Settings, ParseTable,
    ::testing::Values(
        ParseRow{"DefaultsLine", "1,0,24,7,0.1\r\n", kDefaults},
        ParseRow{"NoLineEnd", "0,0,8,5,0.12", Make(0, 0, 8, 5, 0.12f)},
        ParseRow{"NoLeadingZero", "1,0,24,7,.1", kDefaults},
        ParseRow{"TrailingPoint", "1,0,24,5.,0.1", Make(1, 0, 24, 5, 0.1f)},
        ParseRow{"BlanksAroundValues", " 1 , 0 ,\t24\t, 7 , 0.1 ", kDefaults},
        ParseRow{"ValuesOnSeparateLines", "1\r\n0\r\n24\r\n7\r\n0.1\r\n",
                 kDefaults},
        ParseRow{"BareLfAndCrLineEnds", "1\n0\r24\n\n7\r\n\r\n0.1", kDefaults},
        ParseRow{"ExtraValuesIgnored", "1,0,24,7,0.1,9,junk", kDefaults},
        ParseRow{"GarbageAfterFifthIgnored", "1,0,24,7,0.1\r\n\x01\xff\0x",
                 kDefaults},
        ParseRow{"SignsAccepted", "+1,-2,+24,-7,-0.5", Make(1, -2, 24, -7, -0.5f)},
        ParseRow{"Int16Limits", "-32768,32767,24,7,0.1",
                 Make(-32768, 32767, 24, 7, 0.1f)},
        ParseRow{"HideStatusPanelTwo", "1,2,24,7,0.1", Make(1, 2, 24, 7, 0.1f)},
        ParseRow{"ThirtyHoursNotRangeChecked", "1,0,30,7,0.1",
                 Make(1, 0, 30, 7, 0.1f)},
        ParseRow{"FewerThanFive", "1,0,24,7", std::nullopt},
        ParseRow{"FewerThanFiveWithLineEnd", "1,0,24,7\r\n", std::nullopt},
        ParseRow{"EmptyBetweenCommas", "1,,0,24,7,0.1", std::nullopt},
        ParseRow{"CommaAfterLineEndIsEmptyValue", "1\r\n,0,24,7,0.1",
                 std::nullopt},
        ParseRow{"BlankOnlyValue", "1, ,0,24,7", std::nullopt},
        ParseRow{"NonNumber", "1,0,x,7,0.1", std::nullopt},
        ParseRow{"TrailingTextInValue", "1,0,24h,7,0.1", std::nullopt},
        ParseRow{"BlankInsideValue", "1,0,2 4,7,0.1", std::nullopt},
        ParseRow{"FlagNotWhole", "1.5,0,24,7,0.1", std::nullopt},
        ParseRow{"FlagWithPointZero", "1.0,0,24,7,0.1", std::nullopt},
        ParseRow{"FlagInt16Overflow", "70000,0,24,7,0.1", std::nullopt},
        ParseRow{"FlagInt16Underflow", "0,-32769,24,7,0.1", std::nullopt},
        ParseRow{"DoubleSign", "+-1,0,24,7,0.1", std::nullopt},
        ParseRow{"SignAlone", "1,0,24,7,-", std::nullopt},
        ParseRow{"ExponentRejected", "1,0,1e40,7,0.1", std::nullopt},
        ParseRow{"SmallExponentRejected", "1,0,2e1,7,0.1", std::nullopt},
        ParseRow{"BeyondFloatMax",
                 "1,0," + std::string("1") + std::string(40, '0') + ",7,0.1",
                 std::nullopt},
        ParseRow{"Infinity", "1,0,inf,7,0.1", std::nullopt},
        ParseRow{"NotANumber", "1,0,24,nan,0.1", std::nullopt},
        ParseRow{"HexFloat", "1,0,0x18,7,0.1", std::nullopt},
        ParseRow{"CommaAsDecimalSeparator", "1,0,24,7,0;1", std::nullopt},
        ParseRow{"NulByteInValue", std::string("1,0,2\0" "4,7,0.1", 13),
                 std::nullopt},
        ParseRow{"LeadingLineEnd", "\r\n1,0,24,7,0.1", std::nullopt},
        ParseRow{"Empty", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct FormatRow {
  const char* name;
  Settings settings;
  std::string expected;
};

class FormatTable : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatTable, WritesPlainShortestDecimals) {
  EXPECT_EQ(FormatSettings(GetParam().settings), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, FormatTable,
    ::testing::Values(
        FormatRow{"Defaults", kDefaults, "1,0,24,7,0.1\r\n"},
        FormatRow{"TwoDecimals", Make(0, 1, 8, 5.08f, 0.12f),
                  "0,1,8,5.08,0.12\r\n"},
        FormatRow{"SmallCostWithoutExponent", Make(1, 0, 24, 7, 0.0005f),
                  "1,0,24,7,0.0005\r\n"},
        FormatRow{"TinyCostWithoutExponent", Make(1, 0, 24, 7, 1e-7f),
                  "1,0,24,7,0.0000001\r\n"},
        FormatRow{"LargeWithoutExponent", Make(1, 0, 1e10f, 7, 0.1f),
                  "1,0,10000000000,7,0.1\r\n"},
        FormatRow{"Negatives", Make(-32768, -1, -2.5f, 7, 0.1f),
                  "-32768,-1,-2.5,7,0.1\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RealRow {
  const char* name;
  float value;
};

class RoundTripTable : public ::testing::TestWithParam<RealRow> {};

TEST_P(RoundTripTable, FormattedRealReadsBackBitForBit) {
  const float x = GetParam().value;
  const Settings s = Make(3, 1, x, x, x);
  EXPECT_EQ(ParseSettings(FormatSettings(s)), s);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RoundTripTable,
    ::testing::Values(RealRow{"OneTenth", 0.1f}, RealRow{"Third", 1.0f / 3},
                      RealRow{"BeyondIntegerPrecision", 16777217.0f},
                      RealRow{"LargestFloat", FLT_MAX},
                      RealRow{"MostNegativeFloat", -FLT_MAX},
                      RealRow{"SmallestNormal", FLT_MIN},
                      RealRow{"SmallestSubnormal", FLT_TRUE_MIN},
                      RealRow{"NegativeZero", -0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

class SettingsFile : public ::testing::Test {
 protected:
  std::string Folder() const { return folder_.Text(); }
  fs::path File() const { return folder_ / kSettingsFileName; }

  void Put(const std::string& content) const {
    std::ofstream(File(), std::ios::binary) << content;
  }
  std::string Get() const {
    std::ifstream in(File(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool OnlyTargetInFolder() const {
    for (const auto& entry : fs::directory_iterator(folder_.Path())) {
      if (entry.path() != File()) return false;
    }
    return true;
  }

 private:
  FreshFolder folder_;
};

TEST_F(SettingsFile, WriteThenReadGivesTheSameSettings) {
  const Settings s = Make(0, 1, 8.5f, 5, 0.0005f);
  ASSERT_TRUE(WriteSettingsFile(Folder(), s));
  EXPECT_EQ(ReadSettingsFile(Folder()), s);
  EXPECT_TRUE(OnlyTargetInFolder());
}

TEST_F(SettingsFile, WriteReplacesLongerOldContent) {
  Put("1,0,24,7,0.1\r\n" + std::string(1000, 'x'));
  ASSERT_TRUE(WriteSettingsFile(Folder(), kDefaults));
  EXPECT_EQ(Get(), "1,0,24,7,0.1\r\n");
}

TEST_F(SettingsFile, WriteIntoMissingFolderFailsAndCreatesNothing) {
  const fs::path missing = fs::path(Folder()) / "absent";
  EXPECT_FALSE(WriteSettingsFile(missing.string(), kDefaults));
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(SettingsFile, FailedRenameLeavesNoTemporaryFile) {
  fs::create_directory(File());  // a folder in the way of the target
  EXPECT_FALSE(WriteSettingsFile(Folder(), kDefaults));
  EXPECT_TRUE(OnlyTargetInFolder());
}

TEST_F(SettingsFile, NonFiniteValueIsNotWrittenAndOldFileKept) {
  Put("0,0,8,5,0.12\r\n");
  EXPECT_FALSE(WriteSettingsFile(Folder(), Make(1, 0, INFINITY, 7, 0.1f)));
  EXPECT_EQ(Get(), "0,0,8,5,0.12\r\n");
}

TEST_F(SettingsFile, MissingFileReadsAsNothing) {
  EXPECT_EQ(ReadSettingsFile(Folder()), std::nullopt);
}

TEST_F(SettingsFile, EmptyFileIsInvalid) {
  Put("");
  EXPECT_EQ(ReadSettingsFile(Folder()), std::nullopt);
}

TEST_F(SettingsFile, HugeFileOfDigitsIsInvalid) {
  Put(std::string(1 << 20, '7'));
  EXPECT_EQ(ReadSettingsFile(Folder()), std::nullopt);
}

TEST_F(SettingsFile, HugeTailAfterFiveValuesIsIgnored) {
  Put("0,0,8,5,0.12\r\n" + std::string(1 << 20, '\0'));
  EXPECT_EQ(ReadSettingsFile(Folder()), Make(0, 0, 8, 5, 0.12f));
}

TEST_F(SettingsFile, FifthValueUnfinishedWithinCapIsInvalid) {
  // "0.1" lies past 64 KiB; a reader that slurped the whole file would take it.
  Put("1,0,24,7," + std::string(70000, ' ') + "0.1\r\n");
  EXPECT_EQ(ReadSettingsFile(Folder()), std::nullopt);
}

TEST_F(SettingsFile, FifthValueCutByCapIsNotTakenAsComplete) {
  // Without the cut the reader would see "0.1" and call the file valid.
  Put("1,0,24,7," + std::string(65536 - 12, ' ') + "0.1" + "junk");
  EXPECT_EQ(ReadSettingsFile(Folder()), std::nullopt);
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
