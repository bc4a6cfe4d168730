// A new, empty folder for one test, removed with it. The name carries the
// running test and the process, so tests run side by side, from this build
// folder or another, never share a folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

namespace quillet {

class FreshFolder {
 public:
  explicit FreshFolder(const std::string& label = RunningTest()) {
    static std::atomic<int> made{0};
    const auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("quillet-" + label + "-" + std::to_string(getpid()) + "-" + std::to_string(made++));
    } while (!std::filesystem::create_directories(path_));
  }
  ~FreshFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FreshFolder(const FreshFolder&) = delete;
  FreshFolder& operator=(const FreshFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Text() const { return path_.string(); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  static std::string RunningTest() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return "test";
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name)
      if (c == '/') c = '-';
    return name;
  }

  std::filesystem::path path_;
};

}  // namespace quillet
