#include "platform/native_text.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace quillet {

#ifdef _WIN32
std::wstring WideFromUtf8(std::string_view text) {
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), units);
  return out;
}

std::string Utf8FromWide(std::wstring_view text) {
  const int size = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}
#endif

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FileNameOf(std::string_view path) { return Utf8FromPath(PathFromUtf8(path).filename()); }

std::string EnvironmentText(const char* name) {
#ifdef _WIN32
  const std::wstring wide = PathFromUtf8(name).native();
  const wchar_t* value = _wgetenv(wide.c_str());
  return value ? Utf8FromWide(value) : std::string();
#else
  const char* value = std::getenv(name);
  return value ? value : "";
#endif
}

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
  // argv holds the arguments in the ANSI code page, with '?' for whatever it
  // cannot spell; the wide command line has them all.
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) texts_.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
  }
  if (texts_.empty())
#endif
    texts_.assign(argv, argv + argc);
  for (std::string& text : texts_) pointers_.push_back(text.data());
  pointers_.push_back(nullptr);
}

}  // namespace quillet
