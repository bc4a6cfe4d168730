#include "qt/key_codes.h"

#include <QKeyEvent>

#include "platform/view_rules.h"

namespace quillet {

int KeyCodeOf(const QKeyEvent& event) {
  const int qtKey = event.key();
  // Qt numbers letters and digits as the calculator does.
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return key::kF1 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return key::kBackspace;
    case Qt::Key_Return: case Qt::Key_Enter: return key::kEnter;
    case Qt::Key_Escape: return key::kEscape;
    case Qt::Key_Space: return key::kSpace;
    case Qt::Key_PageUp: return key::kPageUp;
    case Qt::Key_PageDown: return key::kPageDown;
    case Qt::Key_End: return key::kEnd;
    case Qt::Key_Home: return key::kHome;
    case Qt::Key_Left: return key::kLeft;
    case Qt::Key_Up: return key::kUp;
    case Qt::Key_Right: return key::kRight;
    case Qt::Key_Down: return key::kDown;
    case Qt::Key_Insert: return key::kInsert;
    case Qt::Key_Delete: return key::kDelete;
    default: return 0;
  }
}

}  // namespace quillet
