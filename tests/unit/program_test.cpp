// The program around the calculator: start-up without a settings file, the
// main window's height, where a secondary window opens, every control's
// place and a settings file that cannot be written. (The Tools menu's
// tools and the close box: the tools_menu, schedule_close and
// secondary_windows scenarios.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/center_over_main.h"
#include "forms/layout.h"
#include "platform/menu.h"
#include "settings/settings_file.h"
#include "started_program.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

// The start-up the feeder engine relies on: the default settings, metric,
// and the program folder left alone.
TEST(StartWithoutSettingsFile, AppliesTheDefaultsAndTouchesNoFile) {
  struct NoFile : ScriptedServices {
    using ScriptedServices::ScriptedServices;
    bool KeepsSettingsFile() override { return false; }
  };
  const FreshFolder folder;
  NoFile services(folder.Text());
  Program program(services, 28800, 16200);
  program.Start();
  EXPECT_TRUE(services.shown.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_EQ(program.main.CmdUnit.Caption(), "m");
  EXPECT_EQ(program.main.CmdDeg.Caption(), "°C");
  EXPECT_EQ(program.main.state.LengthFactor, 1.0f);
  EXPECT_EQ(program.main.state.HoursPerDay, 24.0f);
  EXPECT_EQ(program.main.state.CostPerKWh, 0.1f);
}

// The box says a file was altered or erased. A user's first start of an
// installed program finds no file in their own folder and has lost
// nothing; a copy in its own folder keeps the box for a missing file.
TEST(StartUpSettings, OnlyAFileThatWasAlteredOrErasedIsReported) {
  const std::string defaults = "1,0,24,7,0.1\r\n";
  const struct {
    const char* name;
    bool perUser;
    std::optional<std::string> file;  // none: no file
    bool box;
    std::string after;
  } rows[] = {
      {"a user's first start", true, std::nullopt, false, defaults},
      {"a user's damaged file", true, "1,0,24", true, defaults},
      {"a user's emptied file", true, "", true, defaults},
      {"a user's file", true, "0,1,8,5,0.25\n", false, "0,1,8,5,0.25\r\n"},
      {"no file beside the program", false, std::nullopt, true, defaults},
      {"a damaged file beside the program", false, "x", true, defaults},
  };
  for (const auto& row : rows) {
    const FreshFolder folder;
    if (row.file) std::ofstream(folder / kSettingsFileName, std::ios::binary) << *row.file;
    ScriptedServices services(folder.Text());
    services.perUserSettings = row.perUser;
    Program program(services, 28800, 16200);
    program.Start();
    EXPECT_EQ(services.shown.size(), row.box ? 1u : 0u) << row.name;
    if (row.box && !services.shown.empty()) {
      EXPECT_EQ(services.shown[0].title, "Invalid Initialization file") << row.name;
    }
    std::ifstream written(folder / kSettingsFileName, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), row.after) << row.name;
    EXPECT_EQ(program.main.CmdUnit.Caption(), row.after == defaults ? "m" : "FT") << row.name;
  }
}

// A view without PDF files, editable tables or diagrams (the Windows one)
// is offered the finder and printing, and the keys of the rest do nothing.
TEST(ViewSupport, TheToolsMenuOffersWhatTheViewCanShow) {
  const FreshFolder folder;
  ScriptedServices services(folder.Text());
  Workbench workbench(services, 28800, 16200);
  Program& program = workbench.program;
  program.SetViewSupport({.pdfFiles = false, .editableGrids = false, .diagrams = false});
  program.Start();
  std::vector<std::string> offered;
  for (const MenuItem& item : program.main.ToolsMenu.Items()) offered.push_back(item.text + " " + item.shortcut);
  EXPECT_EQ(offered, (std::vector<std::string>{"Find the smallest size… Ctrl+F", "Print calculation… Ctrl+P"}));
  EXPECT_TRUE(program.Shows(workbench.finder));
  EXPECT_TRUE(program.Shows(workbench.titleBlock));
  EXPECT_FALSE(program.Shows(workbench.schedule));
  EXPECT_FALSE(program.Shows(workbench.schedule.tree));
  for (const char* keys : {"Ctrl+E", "Ctrl+D", "Ctrl+Shift+S"}) EXPECT_FALSE(program.actions.Shortcut(program.main, keys)) << keys;
  EXPECT_FALSE(workbench.schedule.Shown());
  EXPECT_TRUE(program.actions.Shortcut(program.main, "Ctrl+F"));
  EXPECT_TRUE(workbench.finder.Shown());
}

TEST_F(StartedProgram, OnlyANormalWindowTakesTheHeightOfTheStatusPanelSetting) {
  w.state.HideStatusPanel = 1;
  for (WindowState state : {WindowState::Minimised, WindowState::Maximised}) {
    w.SetState(state);
    Tick();
    EXPECT_EQ(w.Height(), kHeightWithStatus);
    EXPECT_FALSE(w.Stat.Visible());
  }
  w.SetState(WindowState::Normal);
  Tick();
  EXPECT_EQ(w.Height(), kHeightWithoutStatus);
}

TEST(CenterOverMain, CentresOverTheMainWindowWithinTheScreen) {
  const struct {
    const char* name;
    int mainLeft, mainTop, mainWidth, mainHeight, width, height, left, top;
  } cases[] = {
      {"centred", 1000, 1000, 9000, 6000, 5000, 3000, 3000, 2500},
      {"an odd difference truncates", 1000, 1000, 9001, 6001, 5000, 3000, 3000, 2500},
      {"a negative place gives zero", -3000, -2000, 4000, 2000, 5000, 3000, 0, 0},
      {"a zero place gives zero", -2000, 0, 6000, 3000, 2000, 3000, 0, 0},
      {"the screen's right edge pushes it left", 17000, 9000, 9000, 6000, 5000, 3000, 14200, 7800},
      {"larger than the main window", 5000, 4000, 2000, 2000, 6000, 4000, 3000, 3000},
  };
  ScriptedServices services(".");
  Desktop desktop(services, 19200, 10800);
  for (const auto& c : cases) {
    Window main(desktop, "Elcal"), window(desktop, "Other");
    main.Move(c.mainLeft, c.mainTop);
    main.SetSize(c.mainWidth, c.mainHeight);
    window.SetSize(c.width, c.height);
    CenterOverMain(window, main, c.width, c.height);
    EXPECT_EQ(window.Left(), c.left) << c.name;
    EXPECT_EQ(window.Top(), c.top) << c.name;
    EXPECT_EQ(window.Width(), c.width) << c.name;
  }
}

// Timers and menus have no place of their own; the main window's helper
// fields are built hidden and never shown. A table that names a control its
// window lacks fails loudly instead of leaving the control unplaced.
TEST(Layout, EveryControlAViewShowsIsPlaced) {
  ScriptedServices services{""};
  Workbench bench(services, 28800, 16200);
  for (Window* window : bench.program.Windows()) {
    for (const Control* control : window->Controls()) {
      const ControlKind kind = control->Kind();
      if (kind == ControlKind::Timer || kind == ControlKind::Menu || !control->Visible()) continue;
      EXPECT_TRUE(control->Place().width > 0 && control->Place().height > 0)
          << window->Name() << "." << control->Name() << " has no place";
    }
  }
  const Placement misspelt[] = {{"Comws", {0, 0, 10, 10}}};
  EXPECT_THROW(Arrange(bench.program.main, misspelt), std::logic_error);
}

// Nothing is lost silently: the box names where it tried, the window keeps
// the entries and the calculator its figures until a save succeeds. A
// folder where the file should be makes every write fail.
TEST_F(StartedProgram, ASettingsFileThatCannotBeWrittenIsReportedAndTheEntriesKept) {
  EffConWindow& effcon = program.effcon;
  program.actions.Click(w.Command2);
  effcon.Text2.SetText("5");
  std::filesystem::remove(folder / kSettingsFileName);
  std::filesystem::create_directory(folder / kSettingsFileName);
  services.shown.clear();
  program.actions.Click(effcon.Command1);
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(services.shown[0].title, "Settings not saved");
  EXPECT_EQ(services.shown[0].style, kStyleExclamation);
  EXPECT_NE(services.shown[0].text.find(folder.Text()), std::string::npos);
  EXPECT_TRUE(effcon.Shown());
  EXPECT_EQ(effcon.Text2.Text(), "5");
  EXPECT_EQ(w.state.DaysPerWeek, 7.0f);

  std::filesystem::remove(folder / kSettingsFileName);
  program.actions.Click(effcon.Command1);
  EXPECT_FALSE(effcon.Shown());
  EXPECT_EQ(w.state.DaysPerWeek, 5.0f);
  const auto saved = ReadSettingsFile(folder.Text());
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->DaysPerWeek, 5.0f);
}

}  // namespace
}  // namespace quillet
