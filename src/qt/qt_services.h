// The platform services on a real Qt desktop.
#pragma once

#include <string>

#include "platform/services.h"
#include "settings/settings_folder.h"

class QWidget;

namespace quillet {

class QtServices : public Services {
 public:
  explicit QtServices(const SettingsFolder& folder) : folder_(folder.path), perUser_(folder.perUser) {}

  int MessageBox(const std::string& text, int style, const std::string& title) override;
  void ClearClipboard() override;
  void SetClipboardText(const std::string& text) override;
  void Beep() override;
  std::string NowText() override;
  std::string TodayText() override;
  std::string ProgramFolder() override { return folder_; }
  bool PerUserSettings() override { return perUser_; }
  VersionNumbers Version() override;

 private:
  std::string folder_;
  bool perUser_;
};

// The screen the calculator opens on, in twips.
int ScreenWidthTwips();
int ScreenHeightTwips();

}  // namespace quillet
