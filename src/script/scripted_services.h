// Services for the script driver and the tests: message boxes answered from
// a queue and recorded, an in-memory clipboard, counted beeps, a fixed clock.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/services.h"

namespace quillet {

struct ShownMessage {
  std::string text;
  int style = 0;
  std::string title;
  int answer = 0;
};

class ScriptedServices : public Services {
 public:
  explicit ScriptedServices(std::string folder) : folder_(std::move(folder)) {}

  int MessageBox(const std::string& text, int style, const std::string& title) override;
  void ClearClipboard() override { clipboard = ""; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  void Beep() override { ++beeps; }
  std::string NowText() override { return now; }
  // The date part of `now`.
  std::string TodayText() override { return now.substr(0, now.find(' ')); }
  std::string ProgramFolder() override { return folder_; }
  bool PerUserSettings() override { return perUserSettings; }
  VersionNumbers Version() override;

  std::deque<int> answers;  // next answers; OK when empty
  std::vector<ShownMessage> shown;
  std::string clipboard;
  int beeps = 0;
  std::string now = "12/6/2026 9:30:00 AM";
  bool perUserSettings = false;

 private:
  std::string folder_;
};

}  // namespace quillet
