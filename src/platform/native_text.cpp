#include "platform/native_text.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace quillet {
namespace {

#ifdef _WIN32
// Invalid UTF-16 (a lone surrogate) becomes U+FFFD instead of an exception.
std::string Utf8FromWide(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  out.pop_back();  // the terminating null
  return out;
}
#endif

}  // namespace

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
