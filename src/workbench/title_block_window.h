// The title block asked for before a page is printed or saved: prefilled
// with what was entered last (kept in the tools' preferences) and today's
// date; OK lets the page go, Cancel stops it.
#pragma once

#include <functional>
#include <string>

#include "forms/title_block_form.h"
#include "report/calculation_report.h"

namespace quillet {

class ToolPreferences;

class TitleBlockWindow : public TitleBlockForm {
 public:
  TitleBlockWindow(Desktop& desktop, ToolPreferences& preferences);

  // Shows the window over `over`, titled for what is about to happen
  // ("Print calculation"); `go` runs with the title block once OK has
  // closed it, never after Cancel.
  void Ask(const std::string& purpose, const Window& over, std::function<void(const TitleBlock&)> go);

 private:
  void Accept();
  TextBox& Box(const char* name);
  void OnKey(int keyCode);

  ToolPreferences& preferences_;
  std::function<void(const TitleBlock&)> go_;
};

}  // namespace quillet
