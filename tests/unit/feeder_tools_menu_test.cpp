// The Tools menu offers a feeder tool once it is there, in the menu's order,
// and the tool's windows join the program's.
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

TEST_F(StartedProgram, ToolsMenuOffersOnlyTheToolsThatAreThere) {
  EXPECT_EQ(ItemTexts(w.ToolsMenu),
            (std::vector<std::string>{"Print calculation… Ctrl+P", "Save calculation as PDF… Ctrl+Shift+S"}));

  int found = 0;
  Window finder(program.desktop, "Finder");
  FeederTools tools;
  tools.findSmallestSize = [&] { ++found; };
  program.AddFeederTools(tools, {&finder});
  EXPECT_EQ(ItemTexts(w.ToolsMenu),
            (std::vector<std::string>{"Find the smallest size… Ctrl+F", "Print calculation… Ctrl+P",
                                      "Save calculation as PDF… Ctrl+Shift+S"}));
  EXPECT_EQ(program.FindWindow("Finder"), &finder);

  program.actions.Shortcut(w, "Ctrl+F");
  EXPECT_EQ(found, 1);
}

}  // namespace
}  // namespace quillet
