// The settings window when the file cannot be written: nothing may be lost
// silently, and the running calculator keeps its figures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "settings/settings_file.h"
#include "started_program.h"

namespace quillet {
namespace {

class SettingsWindowTest : public StartedProgram {
 protected:
  EffConWindow& effcon = program.effcon;

  void OpenAndEnterDays(const char* days) {
    program.actions.Click(w.Command2);
    effcon.Text2.SetText(days);
  }
  // A folder where the file should be makes every write fail.
  void BlockTheFile() {
    std::filesystem::remove(folder / kSettingsFileName);
    std::filesystem::create_directory(folder / kSettingsFileName);
  }
};

TEST_F(SettingsWindowTest, FailedWriteIsReportedAndKeepsTheWindowAndEntries) {
  OpenAndEnterDays("5");
  BlockTheFile();
  services.shown.clear();
  program.actions.Click(effcon.Command1);
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(services.shown[0].title, "Settings not saved");
  EXPECT_EQ(services.shown[0].style, kStyleExclamation);
  EXPECT_NE(services.shown[0].text.find(folder.Text()), std::string::npos) << "names where it tried";
  EXPECT_TRUE(effcon.Shown());
  EXPECT_EQ(effcon.Text2.Text(), "5");
  EXPECT_EQ(w.state.DaysPerWeek, 7.0f) << "nothing is handed over when the file was not written";
}

TEST_F(SettingsWindowTest, SavingAgainOnceTheFileIsWritableSucceeds) {
  OpenAndEnterDays("5");
  BlockTheFile();
  program.actions.Click(effcon.Command1);
  std::filesystem::remove(folder / kSettingsFileName);
  program.actions.Click(effcon.Command1);
  EXPECT_FALSE(effcon.Shown());
  EXPECT_EQ(w.state.DaysPerWeek, 5.0f);
  const auto saved = ReadSettingsFile(folder.Text());
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->DaysPerWeek, 5.0f);
}

TEST_F(SettingsWindowTest, GarbageInTheFileOpensWithTheDefaults) {
  struct Row {
    const char* name;
    std::string content;
  } rows[] = {
      {"NUL bytes", std::string("1,0,\0\0,7,.1\r\n", 13)},
      {"too few values", "1,0,24\r\n"},
      {"letters", "a,b,c,d,e\r\n"},
      {"not finite", "1,0,1e999,7,.1\r\n"},
  };
  for (const Row& row : rows) {
    {
      std::ofstream file(folder / kSettingsFileName, std::ios::binary | std::ios::trunc);
      file << row.content;
    }
    services.shown.clear();
    program.actions.Click(w.Command2);
    ASSERT_EQ(services.shown.size(), 1u) << row.name;
    EXPECT_EQ(services.shown[0].title, "Configuration File Corrupted") << row.name;
    EXPECT_EQ(effcon.Text1.Text(), "24") << row.name;
    EXPECT_EQ(effcon.Text2.Text(), "7") << row.name;
    EXPECT_EQ(effcon.Text3.Text(), "0.1") << row.name;
    program.actions.Click(effcon.Command2);
  }
}

}  // namespace
}  // namespace quillet
