// The platform services on a Windows desktop: message boxes, the clipboard
// as Unicode text, the beep, the locale's date and time, and the folder of
// the settings file.
#pragma once

#include "win32/windows_api.h"

#include <string>

#include "settings/settings_folder.h"

namespace quillet {

class Win32Services : public FolderServices {
 public:
  using FolderServices::FolderServices;

  // The window that owns what the program puts on the clipboard.
  void SetClipboardOwner(HWND owner) { clipboardOwner_ = owner; }

  // Modal over every window of the program; the style is Windows' own.
  int MessageBox(const std::string& text, int style, const std::string& title) override;
  void ClearClipboard() override;
  // CR LF between lines, as Windows text has them.
  void SetClipboardText(const std::string& text) override;
  void Beep() override;
  std::string NowText() override;
  std::string TodayText() override;
  VersionNumbers Version() override;

 private:
  bool OpenClipboard() const;

  HWND clipboardOwner_ = nullptr;
};

// The text on the clipboard, "" when it holds none.
std::string ClipboardText(HWND owner);

}  // namespace quillet
