// What the calculator needs of the machine it runs on, behind one interface
// so the script driver and the tests can stand in for the desktop.
#pragma once

#include <string>

namespace quillet {

// Message box styles and answers, as the calculator passes them.
inline constexpr int kStyleExclamation = 48;
inline constexpr int kStyleInformation = 64;
inline constexpr int kStyleOkCancelExclamation = 49;
inline constexpr int kStyleYesNoCancelExclamation = 51;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

struct VersionNumbers {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

class Services {
 public:
  virtual ~Services() = default;
  // Modal; returns the button pressed.
  virtual int MessageBox(const std::string& text, int style, const std::string& title) = 0;
  virtual void ClearClipboard() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual void Beep() = 0;
  virtual std::string NowText() = 0;
  // Today's date alone, as the locale writes a short date.
  virtual std::string TodayText() = 0;
  virtual std::string ProgramFolder() = 0;
  // False for a session that keeps no settings file (a batch evaluation):
  // start-up then applies the default settings without reading or writing.
  virtual bool KeepsSettingsFile() { return true; }
  // True when that folder is the user's own configuration folder (the
  // program is installed): a first start finds no file there and has lost
  // nothing.
  virtual bool PerUserSettings() { return false; }
  virtual VersionNumbers Version() = 0;
};

}  // namespace quillet
