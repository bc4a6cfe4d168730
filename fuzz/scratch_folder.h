// A scratch folder for a fuzz target's files, made once per process.
#pragma once

#include <filesystem>
#include <string>

inline const std::filesystem::path& ScratchFolder(const std::string& name) {
  static const std::filesystem::path folder = [&name] {
    auto path = std::filesystem::temp_directory_path() / ("quillet-fuzz-" + name);
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}
