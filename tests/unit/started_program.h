// A started calculator in its own temporary program folder, fresh for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/program.h"
#include "script/scripted_services.h"

namespace quillet {

class StartedProgram : public ::testing::Test {
 protected:
  static std::filesystem::path FreshFolder() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("quillet-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
  }

  std::filesystem::path folder = FreshFolder();
  ScriptedServices services{folder.string()};
  Program program{services, 28800, 16200};
  Elcal& w = program.main;

  void SetUp() override { program.Start(); }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void Tick() {
    program.actions.Tick(w.Timer1);
    program.actions.Tick(w.Timer2);
  }
};

}  // namespace quillet
