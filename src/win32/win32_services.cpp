#include "win32/win32_services.h"

#include <cstring>
#include <vector>

#include "platform/native_text.h"
#include "platform/version.h"

namespace quillet {
namespace {

constexpr int kClipboardTries = 10;
constexpr DWORD kClipboardWaitMs = 20;

// Every window of the program that takes input now, but the box's owner.
std::vector<HWND> OtherEnabledWindows(HWND owner) {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        if (IsWindowVisible(window) && IsWindowEnabled(window))
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::erase(windows, owner);
  return windows;
}

// Lines end in CR LF, however the text ended them.
std::wstring WindowsLines(const std::string& text) {
  std::wstring out;
  const std::wstring wide = WideFromUtf8(text);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\n' && (i == 0 || wide[i - 1] != L'\r')) out += L'\r';
    out += wide[i];
  }
  return out;
}

// The locale's short date, always with a four-digit year.
std::wstring ShortDatePattern() {
  wchar_t pattern[80] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, static_cast<int>(std::size(pattern)));
  std::wstring date = pattern;
  if (date.find(L"yyyy") == std::wstring::npos)
    if (const auto at = date.find(L"yy"); at != std::wstring::npos) date.replace(at, 2, L"yyyy");
  return date;
}

std::string Today() {
  const std::wstring pattern = ShortDatePattern();
  wchar_t date[80] = {};
  GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, pattern.c_str(), date, static_cast<int>(std::size(date)),
                  nullptr);
  return Utf8FromWide(date);
}

}  // namespace

int Win32Services::MessageBox(const std::string& text, int style, const std::string& title) {
  // A spin arrow or a drag held down lets go, so nothing repeats behind the box.
  ReleaseCapture();
  HWND owner = GetActiveWindow();
  const std::vector<HWND> blocked = OtherEnabledWindows(owner);
  for (HWND window : blocked) EnableWindow(window, FALSE);
  const int answer = MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(),
                                 static_cast<UINT>(style) | MB_SETFOREGROUND);
  for (HWND window : blocked) EnableWindow(window, TRUE);
  return answer;
}

// Another program may hold the clipboard for a moment.
bool Win32Services::OpenClipboard() const {
  for (int i = 0; i < kClipboardTries; ++i) {
    if (::OpenClipboard(clipboardOwner_)) return true;
    Sleep(kClipboardWaitMs);
  }
  return false;
}

void Win32Services::ClearClipboard() {
  if (!OpenClipboard()) return;
  EmptyClipboard();
  CloseClipboard();
}

void Win32Services::SetClipboardText(const std::string& text) {
  const std::wstring lines = WindowsLines(text);
  const std::size_t bytes = (lines.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return;
  std::memcpy(GlobalLock(memory), lines.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard()) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  CloseClipboard();
}

void Win32Services::Beep() { MessageBeep(MB_OK); }

// The short date and the time with seconds, the way a general date reads.
std::string Win32Services::NowText() {
  wchar_t time[80] = {};
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, time, static_cast<int>(std::size(time)));
  return Today() + " " + Utf8FromWide(time);
}

std::string Win32Services::TodayText() { return Today(); }

VersionNumbers Win32Services::Version() { return ProgramVersion(); }

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Utf8FromWide(wide);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace quillet
