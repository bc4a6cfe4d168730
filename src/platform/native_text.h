// Every text inside the program is UTF-8, file names included. Windows hands
// a program its file names, environment and command line in UTF-16, or in a
// legacy code page that cannot spell most of them; they cross over here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);
// The last part of a path: "out.csv" of "/home/ann/out.csv".
std::string FileNameOf(std::string_view path);

#ifdef _WIN32
// Texts for and from the wide (UTF-16) Windows functions. Invalid UTF-16 (a
// lone surrogate) becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
#endif

// An environment variable; "" when it is not set.
std::string EnvironmentText(const char* name);

// The program's arguments, as main's argv in UTF-8.
class Utf8Arguments {
 public:
  Utf8Arguments(int argc, char** argv);
  Utf8Arguments(const Utf8Arguments&) = delete;
  Utf8Arguments& operator=(const Utf8Arguments&) = delete;

  int Count() const { return static_cast<int>(texts_.size()); }
  char** Values() { return pointers_.data(); }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;  // ends with a null, as argv does
};

}  // namespace quillet
