#pragma once

#include <string>
#include <vector>

#include "intake/used_objects.h"
#include "rules/check_options.h"
#include "run/run_hooks.h"

namespace kerbwise {

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
