#include "workbench/title_block_window.h"

#include <utility>

#include "forms/center_over_main.h"
#include "platform/desktop.h"
#include "workbench/tool_preferences.h"

namespace quillet {
namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

// Each field's control and its key in the preferences; the date is today's
// at every asking.
struct Field {
  const char* control;
  std::string TitleBlock::*value;
  const char* key;
};
constexpr Field kFields[] = {
    {"Project", &TitleBlock::project, "title.project"},
    {"Client", &TitleBlock::client, "title.client"},
    {"PreparedBy", &TitleBlock::preparedBy, "title.prepared_by"},
    {"CheckedBy", &TitleBlock::checkedBy, "title.checked_by"},
    {"Revision", &TitleBlock::revision, "title.revision"},
    {"Date", &TitleBlock::date, nullptr},
};

}  // namespace

TitleBlockWindow::TitleBlockWindow(Desktop& desktop, ToolPreferences& preferences)
    : TitleBlockForm(desktop), preferences_(preferences) {
  Ok.Click = [this] { Accept(); };
  Cancel.Click = [this] { Close(); };
  Unload = [this] { go_ = nullptr; };
  for (Control* control : Controls()) {
    if (auto* field = dynamic_cast<TextBox*>(control)) field->GotFocus = [field] { field->SelectAll(); };
    if (control->Focusable()) control->KeyDown = [this](int keyCode) { OnKey(keyCode); };
  }
}

void TitleBlockWindow::Ask(const std::string& purpose, const Window& over,
                           std::function<void(const TitleBlock&)> go) {
  for (const Field& f : kFields) Box(f.control).SetText(f.key ? preferences_.Get(f.key) : Screen().Os().TodayText());
  SetCaption(purpose + ": title block");
  go_ = std::move(go);
  CenterOverMain(*this, over, Width(), Height());
  Show(true);
  Project.SetFocus();
}

// The fields are remembered for the next page, the date excepted.
void TitleBlockWindow::Accept() {
  Preferences kept;
  TitleBlock block;
  for (const Field& f : kFields) {
    block.*f.value = Box(f.control).Text();
    if (f.key) kept[f.key] = block.*f.value;
  }
  preferences_.Set(kept);
  auto go = std::move(go_);
  Close();
  if (go) Screen().Post([go = std::move(go), block] { go(block); });
}

TextBox& TitleBlockWindow::Box(const char* name) { return static_cast<TextBox&>(Named(name)); }

void TitleBlockWindow::OnKey(int keyCode) {
  if (keyCode == kEscape) Close();
  else if (keyCode == kEnter && Focused() != &Cancel) Accept();
  else if (keyCode == kEnter) Close();
}

}  // namespace quillet
