#pragma once

#include <functional>
#include <string>

namespace kerbwise {

// The yes/no questions a run may ask: about the list's numbering, and the
// analysis's question about conflicts.
enum class QuestionId {
  UnnumberedLine,  // a line without a number in a numbered list
  NumberingOrder,  // a number not above the one before it
  NumberedLine,    // a numbered line in an unnumbered list
  KeepNumbering,   // asked after "No": go on without optimising?
  ConflictsOnly,   // asked by the analysis: show only the conflicting lines?
};

struct YesNoQuestion {
  QuestionId Id;
  std::string Title;
  std::string Text;  // parts separated by two carriage returns (code 13)
};

// Answers the yes/no questions of a run: message boxes in the desktop app,
// options on the command line, scripted answers in tests.
class AnswerSource {
 public:
  virtual ~AnswerSource() = default;
  virtual bool Ask(const YesNoQuestion& question) = 0;
};

// Share of the current phase done, 0-100. A run calls it whenever the share
// changes and, while it stands still, at least every 40 ms or so
// (ProgressPacer): the desktop app repaints and handles its messages from it.
using ProgressCallback = std::function<void(int percent)>;

}  // namespace kerbwise
