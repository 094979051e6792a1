#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "intake/found_lists.h"
#include "intake/numbering_questions.h"
#include "intake/object_error.h"
#include "intake/used_objects.h"
#include "rules/check_options.h"
#include "rules/line_list.h"
#include "run/run_hooks.h"

namespace kerbwise {

// How a run left the entry numbers.
enum class Numbering : std::uint8_t {
  AsWritten,   // kept; when CanOptimize is false, lines without a number got "0"
  Given,       // the list had none: 10, 20, 30, ...
  Renumbered,  // the user answered Yes to the renumbering question
};

// How many lines each step of a run met.
struct IntakeCounts {
  std::size_t Dropped = 0;          // blank, comment, prompt, statistics and counter lines
  std::size_t Headers = 0;          // header lines taken out of the list
  std::size_t Entries = 0;          // lines kept as entries
  std::size_t ExpandedEntries = 0;  // entries whose object-group references were expanded
  std::size_t DerivedEntries = 0;   // the entries those became
  std::size_t Elsewhere = 0;        // lines of the paste's other lists and object groups
};

struct NormalizeResult {
  // False when the source held nothing but blanks; nothing else is set.
  bool Ran = false;
  // True when the user answered No twice: the list is not built (ListLines
  // stays empty and the list pane keeps what it had).
  bool Cancelled = false;

  // Every list of the paste; the run works on one of them (the chosen list).
  std::vector<FoundList> Lists;
  ListKind Kind = ListKind::Extended;  // the chosen list's
  // The name given to the run named none of Lists; nothing else is set.
  bool ListNotFound = false;

  LineList ListLines;  // the normalised list, one entry per line
  // The counter show output printed after each entry, parallel to ListLines;
  // entries expanded from one line carry that line's counter.
  std::vector<std::optional<std::uint64_t>> Hits;
  // The cleaned list, without the header line. A paste that holds more than
  // the chosen list (other lists, object groups, "access-list N" lines), or a
  // list that is not read, is given back as it was (each line trimmed), so
  // that nothing of it is lost; PasteKept says so.
  LineList SourceLines;
  bool PasteKept = false;
  // From the last header line; all empty when the source had none.
  std::string AclName;
  std::string CaptionName;
  std::string HeaderLine;
  std::size_t HeaderIndex = 0;  // where the header stood among the kept lines

  Numbering NumberedAs = Numbering::AsWritten;
  std::optional<NumberingProblem> Problem;  // what the numbering question asked about
  bool CanOptimize = true;                  // false when inconsistent numbers were kept

  std::optional<ObjectError> Error;  // the object error that emptied the list
  bool MembersExpanded = false;      // a group member was put into an entry
  UsedObjects Used;
  IntakeCounts Counts;

  bool HasHeader() const { return !HeaderLine.empty(); }
  // Analysing and sorting need two entries whose numbers can be trusted.
  bool CanAnalyseAndSort() const { return CanOptimize && ListLines.size() >= 2; }
};

// The name a run over `sourceLines` will find, as a window caption shows it:
// from the header of the list the run chooses (see NormalizeACL); none when
// it has none. A window shows it before the run can ask about the numbering.
std::optional<std::string> ListCaptionName(const LineList& sourceLines,
                                           const std::string& listName = {},
                                           const ProgressCallback& progress = {});

// Normalises one access list of a paste: cleans it of blank, comment, prompt
// and counter lines, takes the name from its header line, checks and gives
// numbers, and expands the object groups it refers to, with the groups the
// paste defines read before the object pane's. Entries the rule language does
// not know are carried through; recognising them is the business of whoever
// reads the list. The questions are asked in options.TextLanguage.
// `listName` chooses the list (of two lists of one name, the one that is
// read); empty: the only list, or when there are several the first extended
// list, else the first standard one. A list of a
// kind the intake does not read gives an empty list with Kind Unread.
// `sourceLines` moved in are given back as soon as the run has read them,
// which keeps a long paste from being held twice.
NormalizeResult NormalizeACL(LineList sourceLines, const std::vector<std::string>& objectLines,
                             const CheckOptions& options, AnswerSource& answers,
                             const ProgressCallback& progress = {},
                             const std::string& listName = {});

}  // namespace kerbwise
