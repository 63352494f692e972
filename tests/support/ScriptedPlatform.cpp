#include "tests/support/ScriptedPlatform.h"

#include "platform/CoreServices.h"

namespace scripted {

Script gScript;

void Reset() { gScript = Script{}; }

std::string StatusText() {
  return gScript.statusTexts.empty() ? std::string() : gScript.statusTexts.back();
}

}  // namespace scripted

using scripted::gScript;

void SetStatusText(const std::string& text) {
  ++gScript.statusSets;
  if (gScript.statusTexts.empty() || gScript.statusTexts.back() != text)
    gScript.statusTexts.push_back(text);
}

bool PollForStop() {
  ++gScript.polls;
  if (gScript.polls == gScript.stopAtPoll) return true;
  if (gScript.events.empty()) return false;
  scripted::Event event = gScript.events.front();
  gScript.events.pop_front();
  return event == scripted::Event::Stop;
}

bool AskYesNo(const std::string& title, const std::string& text) {
  gScript.questions.push_back(title + "|" + text);
  if (gScript.answers.empty()) return false;
  bool answer = gScript.answers.front();
  gScript.answers.pop_front();
  return answer;
}
