#include "platform/shown_text.h"

#include "platform/controls.h"

namespace quillet {
namespace {

bool NamesItself(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: case ControlKind::CommandButton: case ControlKind::Command3D:
    case ControlKind::CheckBox: case ControlKind::Frame3D: case ControlKind::Option3D:
    case ControlKind::Panel3D:
      return true;
    default:
      return false;
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsTrailingMark(char c) { return IsBlank(c) || c == '=' || c == '/' || c == ':'; }

std::string Tidy(const std::string& text) {
  std::string tidy;
  for (char c : text) {
    if (!IsBlank(c)) tidy += c;
    else if (!tidy.empty() && tidy.back() != ' ') tidy += ' ';
  }
  while (!tidy.empty() && IsTrailingMark(tidy.back())) tidy.pop_back();
  return tidy;
}

std::string Joined(const std::string& name, const std::string& qualifier) {
  if (name.empty()) return qualifier;
  if (qualifier.empty()) return name;
  return name + ", " + qualifier;
}

}  // namespace

std::string ShownCaption(const Control& control) {
  const std::string& caption = control.Caption();
  if (control.Kind() != ControlKind::Label) return caption;
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    shown += caption[i];
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
  }
  return shown;
}

std::string MnemonicCaption(const Control& control) {
  std::string out;
  bool marked = control.AccessKey() == 0;
  for (char c : control.Caption()) {
    if (c == '&') out += '&';
    else if (!marked && control.HasAccessKey(c)) {
      out += '&';
      marked = true;
    }
    out += c;
  }
  return out;
}

std::string AccessibleName(const Control& control) {
  const Control* namer = control.NamedBy();
  if (control.HasNaming())
    return Joined(namer ? Tidy(ShownCaption(*namer)) : std::string(), control.NameQualifier());
  if (NamesItself(control.Kind())) {
    std::string own = Tidy(ShownCaption(control));
    if (!own.empty()) return own;
  }
  return namer ? Tidy(ShownCaption(*namer)) : std::string();
}

}  // namespace quillet
