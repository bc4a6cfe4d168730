// A tool joins the program through its registration: its item comes after
// the tools before it and ahead of the calculation's own, its window joins
// the program's once, and closing the program asks that window first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "started_program.h"

namespace quillet {
namespace {

std::vector<std::string> ItemTexts(const Menu& menu) {
  std::vector<std::string> texts;
  for (const MenuItem& item : menu.Items()) texts.push_back(item.text + " " + item.shortcut);
  return texts;
}

TEST_F(StartedProgram, ToolsJoinTheMenuAndTheWindowsInTheOrderTheyCome) {
  EXPECT_EQ(ItemTexts(w.ToolsMenu),
            (std::vector<std::string>{"Print calculation… Ctrl+P", "Save calculation as PDF… Ctrl+Shift+S"}));

  std::vector<std::string> ran;
  Window finder(program.desktop, "Finder"), schedule(program.desktop, "Schedule");
  program.AddTool({"Find", "Ctrl+F", &finder, [&] { ran.push_back("find"); }});
  program.AddTool({"Open", "Ctrl+E", &schedule, [&] { ran.push_back("open"); }});
  program.AddTool({"Add", "Ctrl+D", &schedule, [&] { ran.push_back("add"); }});
  EXPECT_EQ(ItemTexts(w.ToolsMenu),
            (std::vector<std::string>{"Find Ctrl+F", "Open Ctrl+E", "Add Ctrl+D", "Print calculation… Ctrl+P",
                                      "Save calculation as PDF… Ctrl+Shift+S"}));
  const std::vector<Window*> windows = program.Windows();
  EXPECT_EQ(std::vector<Window*>(windows.end() - 2, windows.end()), (std::vector<Window*>{&finder, &schedule}));

  program.actions.Shortcut(w, "Ctrl+D");
  program.actions.Shortcut(w, "Ctrl+F");
  EXPECT_EQ(ran, (std::vector<std::string>{"add", "find"}));

  bool keep = true;
  schedule.QueryUnload = [&] { return !keep; };
  schedule.Show();
  program.Stop();
  EXPECT_TRUE(w.Shown() && schedule.Shown());
  keep = false;
  program.Stop();
  EXPECT_FALSE(w.Shown() || schedule.Shown());
}

}  // namespace
}  // namespace quillet
