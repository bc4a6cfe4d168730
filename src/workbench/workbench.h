// The calculator with its feeder tools: the running program, and the windows
// of the tools its Tools menu opens. The desktop view and the script driver
// each own one.
#pragma once

#include "app/program.h"
#include "workbench/finder_window.h"
#include "workbench/schedule_window.h"
#include "workbench/title_block_window.h"
#include "workbench/tool_preferences.h"

namespace quillet {

class Services;

class Workbench {
 public:
  Workbench(Services& services, int screenWidth, int screenHeight);

  Program program;
  // The tools' own preferences, saved as they change.
  ToolPreferences preferences;
  // Asked for before any page is printed or saved.
  TitleBlockWindow titleBlock;
  // Each tool joins the Tools menu as it is built, so this order is the menu's.
  FinderWindow finder;
  ScheduleWindow schedule;
};

}  // namespace quillet
