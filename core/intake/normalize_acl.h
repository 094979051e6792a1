#pragma once

#include <functional>
#include <string>
#include <vector>

#include "intake/used_objects.h"
#include "rules/check_options.h"

namespace kerbwise {

// The yes/no questions a run may ask: about the list's numbering, and the
// analysis's question about conflicts.
enum class NumberingQuestion {
  UnnumberedLine,  // a line without a number in a numbered list
  NumberingOrder,  // a number not above the one before it
  NumberedLine,    // a numbered line in an unnumbered list
  KeepNumbering,   // asked after "No": go on without optimising?
  ConflictsOnly,   // asked by the analysis: show only the conflicting lines?
};

struct YesNoQuestion {
  NumberingQuestion Id;
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
// changes; the desktop app repaints from it.
using ProgressCallback = std::function<void(int percent)>;

// The buttons and boxes that work on the list, as a run leaves them.
struct IntakeControls {
  bool Name = false;
  bool Objects = false;
  bool Analysis = false;
  bool Sort = false;
  bool PortsInSet = false;
  bool Reflect = false;
};

struct NormalizeResult {
  // False when the source held nothing but blanks: nothing changes except
  // that the error label is emptied.
  bool Ran = false;
  // True when the user answered No twice: the list pane keeps its contents
  // (ListLines stays empty), everything else below applies.
  bool Cancelled = false;

  std::vector<std::string> ListLines;    // the normalised list, one entry per line
  std::vector<std::string> SourceLines;  // the cleaned list, without the header line
  std::string AclName;
  std::string Caption = "Kerbwise";  // window caption and application title
  std::string HeaderLine;
  std::size_t HeaderIndex = 0;
  std::string ErrorText;    // an object error, for the error label
  std::string ErrorObject;  // the object it names
  bool BlinkError = false;
  bool CanOptimize = true;
  IntakeControls Enabled;
  UsedObjects Used;
};

// The caption a run over `sourceLines` gives the window: from the last
// header line that cleaning keeps, or the program's title when there is
// none. A caller shows it before the run can ask about the numbering.
std::string ListCaption(const std::vector<std::string>& sourceLines);

// Normalises a pasted access list: cleans it of blank, comment, prompt and
// counter lines, takes the name from its header line, checks and gives
// numbers, and expands the object groups it refers to. Entries the rule
// language does not know are carried through; recognising them is the
// business of whoever reads the list.
NormalizeResult NormalizeACL(const std::vector<std::string>& sourceLines,
                             const std::vector<std::string>& objectLines,
                             const CheckOptions& options, AnswerSource& answers,
                             const ProgressCallback& progress = {});

}  // namespace kerbwise
