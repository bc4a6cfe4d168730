// The window `TitleBlock`: the project, client, people, revision and date a
// printed page carries, asked for before it is printed or saved as PDF.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace quillet {

class TitleBlockForm : public Window {
 public:
  explicit TitleBlockForm(Desktop& desktop);

  Control& ProjectLabel = AddPlain(ControlKind::Label, "ProjectLabel");
  TextBox& Project = Add<TextBox>("Project");
  Control& ClientLabel = AddPlain(ControlKind::Label, "ClientLabel");
  TextBox& Client = Add<TextBox>("Client");
  Control& PreparedByLabel = AddPlain(ControlKind::Label, "PreparedByLabel");
  TextBox& PreparedBy = Add<TextBox>("PreparedBy");
  Control& CheckedByLabel = AddPlain(ControlKind::Label, "CheckedByLabel");
  TextBox& CheckedBy = Add<TextBox>("CheckedBy");
  Control& RevisionLabel = AddPlain(ControlKind::Label, "RevisionLabel");
  TextBox& Revision = Add<TextBox>("Revision");
  Control& DateLabel = AddPlain(ControlKind::Label, "DateLabel");
  TextBox& Date = Add<TextBox>("Date");
  Control& Ok = AddPlain(ControlKind::CommandButton, "Ok");
  Control& Cancel = AddPlain(ControlKind::CommandButton, "Cancel");
};

}  // namespace quillet
