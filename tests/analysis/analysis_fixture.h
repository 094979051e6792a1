#pragma once

#include <deque>
#include <string>
#include <vector>

#include "../intake/scripted_answers.h"
#include "analysis/analyse_list.h"

namespace kerbwise::testing {

// Entries numbered 10, 20, ... as the list pane holds them.
inline std::vector<std::string> Numbered(const std::vector<std::string>& entries) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    lines.push_back(std::to_string((k + 1) * 10) + " " + entries[k]);
  }
  return lines;
}

inline AnalysisResult Analyse(const std::vector<std::string>& entries,
                              const CheckOptions& options = {},
                              std::deque<bool> answers = {false}) {
  LineRecognizer recognizer;
  ScriptedAnswers scripted(std::move(answers));
  return AnalyseList(Numbered(entries), options, recognizer, scripted, {});
}

}  // namespace kerbwise::testing
