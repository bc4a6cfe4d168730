// The platform services on a real Qt desktop.
#pragma once

#include <string>

#include "platform/services.h"

class QWidget;

namespace quillet {

class QtServices : public Services {
 public:
  explicit QtServices(std::string programFolder) : folder_(std::move(programFolder)) {}

  int MessageBox(const std::string& text, int style, const std::string& title) override;
  void ClearClipboard() override;
  void SetClipboardText(const std::string& text) override;
  void Beep() override;
  std::string NowText() override;
  std::string TodayText() override;
  std::string ProgramFolder() override { return folder_; }
  VersionNumbers Version() override;

 private:
  std::string folder_;
};

// The screen the calculator opens on, in twips.
int ScreenWidthTwips();
int ScreenHeightTwips();

}  // namespace quillet
