#include "script/scripted_services.h"

#include "platform/version.h"

namespace quillet {

int ScriptedServices::MessageBox(const std::string& text, int style, const std::string& title) {
  int answer = kAnswerOk;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  shown.push_back({text, style, title, answer});
  return answer;
}

VersionNumbers ScriptedServices::Version() { return ProgramVersion(); }

}  // namespace quillet
