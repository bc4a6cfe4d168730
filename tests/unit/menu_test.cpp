// The pop-up menu model: closing before the pick runs, shortcuts from
// anywhere in the window, and what a view is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/menu.h"
#include "platform/user_actions.h"
#include "platform/window.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

class MenuModel : public ::testing::Test {
 protected:
  ScriptedServices services{"."};
  Desktop desktop{services, 28800, 16200};
  Window window{desktop, "Test"};
  UserActions act{desktop};
  Control& button = window.AddPlain(ControlKind::CommandButton, "Tools");
  Menu& menu = window.Add<Menu>("ToolsMenu");
  std::vector<std::string> log;

  void SetUp() override {
    menu.AddItem({"First", "Ctrl+P", [this] { log.push_back("first, open=" + std::to_string(menu.Open())); }});
    menu.AddItem({"Second", "Ctrl+Shift+S", [this] { log.push_back("second"); }});
  }
};

TEST_F(MenuModel, StartsClosedAndOpensAtItsAnchor) {
  EXPECT_FALSE(menu.Open());
  menu.Popup(&button);
  EXPECT_TRUE(menu.Open());
  EXPECT_EQ(menu.Anchor(), &button);
  menu.Popup(nullptr);
  EXPECT_EQ(menu.Anchor(), nullptr);
}

TEST_F(MenuModel, ThePickClosesTheMenuBeforeTheItemRuns) {
  menu.Popup(&button);
  act.PickMenuItem(menu, 0);
  EXPECT_FALSE(menu.Open());
  EXPECT_EQ(log, (std::vector<std::string>{"first, open=0"}));
}

TEST_F(MenuModel, PicksThatCannotHappenRunNothing) {
  struct Row {
    const char* name;
    int index;
    bool enabled;
  } rows[] = {{"before the first", -1, true}, {"past the last", 2, true}, {"disabled menu", 0, false}};
  for (const Row& row : rows) {
    menu.SetEnabled(row.enabled);
    menu.Popup(&button);
    act.PickMenuItem(menu, row.index);
    EXPECT_TRUE(log.empty()) << row.name;
    EXPECT_FALSE(menu.Open()) << row.name;
  }
}

TEST_F(MenuModel, ShortcutPicksItsItemWithTheMenuClosed) {
  EXPECT_TRUE(act.Shortcut(window, "Ctrl+Shift+S"));
  EXPECT_FALSE(act.Shortcut(window, "Ctrl+S"));
  EXPECT_FALSE(act.Shortcut(window, ""));
  EXPECT_EQ(log, (std::vector<std::string>{"second"}));
}

TEST_F(MenuModel, ItemsAndOpeningAreReportedToTheView) {
  std::vector<Property> seen;
  window.SetObserver([&](Control* c, Property p) {
    if (c == &menu) seen.push_back(p);
  });
  menu.AddItem({"Third", "", nullptr});
  menu.Popup(&button);
  // Opened again elsewhere while open: the view must move it.
  menu.Popup(nullptr);
  act.DismissMenu(menu);
  act.DismissMenu(menu);
  EXPECT_EQ(seen, (std::vector<Property>{Property::Items, Property::Visible, Property::Visible,
                                         Property::Visible}));
}

TEST_F(MenuModel, RightClickOnTheWindowRunsItsHandlerBusy) {
  bool busy = false;
  window.RightClickOnWindow = [&] { busy = desktop.Busy(); };
  act.RightClickWindow(window);
  EXPECT_TRUE(busy);
}

}  // namespace
}  // namespace quillet
