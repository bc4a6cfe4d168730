// A started calculator in its own temporary program folder, fresh for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/program.h"
#include "fresh_folder.h"
#include "script/scripted_services.h"

namespace quillet {

class StartedProgram : public ::testing::Test {
 protected:
  FreshFolder folder;
  ScriptedServices services{folder.Text()};
  Program program{services, 28800, 16200};
  Elcal& w = program.main;

  void SetUp() override { program.Start(); }
  void Tick() {
    program.actions.Tick(w.Timer1);
    program.actions.Tick(w.Timer2);
  }
};

}  // namespace quillet
