#include "forms/title_block_form.h"

#include "forms/layout.h"

#include <utility>

namespace quillet {
namespace {

constexpr int kWidth = 6600;
constexpr int kHeight = 3540;

constexpr Placement kPlaces[] = {
    {"ProjectLabel", {120, 150, 1440, 240}},    {"Project", {1560, 120, 4800, 300}},
    {"ClientLabel", {120, 540, 1440, 240}},     {"Client", {1560, 510, 4800, 300}},
    {"PreparedByLabel", {120, 930, 1440, 240}}, {"PreparedBy", {1560, 900, 2160, 300}},
    {"CheckedByLabel", {120, 1320, 1440, 240}}, {"CheckedBy", {1560, 1290, 2160, 300}},
    {"RevisionLabel", {120, 1710, 1440, 240}},  {"Revision", {1560, 1680, 1080, 300}},
    {"DateLabel", {120, 2100, 1440, 240}},      {"Date", {1560, 2070, 2160, 300}},
    {"Ok", {3060, 2580, 1560, 420}},            {"Cancel", {4800, 2580, 1560, 420}},
};

}  // namespace

TitleBlockForm::TitleBlockForm(Desktop& desktop) : Window(desktop, "TitleBlock") {
  SetCaption("Title block");
  SetSize(kWidth, kHeight);
  Arrange(*this, kPlaces);
  ProjectLabel.SetCaption("Project:");
  ClientLabel.SetCaption("Client:");
  PreparedByLabel.SetCaption("Prepared by:");
  CheckedByLabel.SetCaption("Checked by:");
  RevisionLabel.SetCaption("Revision:");
  DateLabel.SetCaption("Date:");
  for (auto [field, label] : {std::pair{&Project, &ProjectLabel}, std::pair{&Client, &ClientLabel},
                              std::pair{&PreparedBy, &PreparedByLabel}, std::pair{&CheckedBy, &CheckedByLabel},
                              std::pair{&Revision, &RevisionLabel}, std::pair{&Date, &DateLabel}})
    field->SetNaming(label, "");
  Ok.SetCaption("OK");
  Cancel.SetCaption("Cancel");
  Ok.SetAccessKey('O');
  Cancel.SetAccessKey('C');
}

}  // namespace quillet
