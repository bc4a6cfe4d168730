// The platform services on a real Qt desktop.
#pragma once

#include <string>

#include "settings/settings_folder.h"

class QWidget;

namespace quillet {

class QtServices : public FolderServices {
 public:
  using FolderServices::FolderServices;

  int MessageBox(const std::string& text, int style, const std::string& title) override;
  void ClearClipboard() override;
  void SetClipboardText(const std::string& text) override;
  void Beep() override;
  std::string NowText() override;
  std::string TodayText() override;
  VersionNumbers Version() override;
};

// The screen the calculator opens on, in twips.
int ScreenWidthTwips();
int ScreenHeightTwips();

}  // namespace quillet
