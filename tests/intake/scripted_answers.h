#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "intake/normalize_acl.h"

namespace kerbwise::testing {

// Answers the run's questions from a script and remembers what was asked.
// Asking past the end of the script is a test failure, answered No.
class ScriptedAnswers final : public AnswerSource {
 public:
  explicit ScriptedAnswers(std::deque<bool> script = {}) : script_(std::move(script)) {}

  bool Ask(const YesNoQuestion& question) override {
    asked.push_back(question);
    if (script_.empty()) {
      ADD_FAILURE() << "unexpected question: " << question.Text;
      return false;
    }
    const bool answer = script_.front();
    script_.pop_front();
    return answer;
  }

  std::vector<YesNoQuestion> asked;

 private:
  std::deque<bool> script_;
};

}  // namespace kerbwise::testing
