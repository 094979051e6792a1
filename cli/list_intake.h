#pragma once

#include <optional>
#include <string>

#include "command.h"
#include "intake/normalize_acl.h"

namespace CLI {
class App;
}

namespace kerbwise::cli {

// How commands that work on a list take it in: the --acl and --objects
// files, the list of the paste to work on (--list), and the answer to a
// question about the list's numbering given in advance with --renumber or
// --keep-numbering.
class ListIntake {
 public:
  // `emptyListAllowed`: the command has something to say about a list
  // without entries (normalize); for the others such a list is an error.
  explicit ListIntake(bool emptyListAllowed = false) : emptyListAllowed_(emptyListAllowed) {}

  void RegisterOptions(CLI::App& subcommand);

  // Reads and normalises the list. Gives nullopt, after writing why to
  // `context.err`, when the paste holds several lists and --list names none
  // of them, when the list chosen is of a kind that is not read or (unless
  // allowed) has no entries, and when the run stops on a numbering question
  // that no option answers; the command then ends with kExitUsage. An object
  // error is left in the result for the command to report (ReportObjectError).
  std::optional<NormalizeResult> Normalize(const CommandContext& context) const;

 private:
  std::string aclPath_;
  std::string objectsPath_;
  std::string listName_;
  bool renumber_ = false;
  bool keepNumbering_ = false;
  bool emptyListAllowed_ = false;
};

// Normalises the list `listName` of the pasted `source` (the only list when
// the name is empty), answering numbering questions from `answers`. Gives
// nullopt, after writing why to `context.err`, as ListIntake::Normalize does.
std::optional<NormalizeResult> NormalizeChosenList(std::string source, const std::string& objects,
                                                   const std::string& listName,
                                                   AnswerSource& answers,
                                                   const CommandContext& context,
                                                   bool emptyListAllowed = false);

// "standard", "extended", or for a list that is not read what its header
// calls it.
std::string ListKindName(const FoundList& list);

// Gives back what a command that reads only the list does not need: the
// cleaned source and the counters.
void ReleaseAllButList(NormalizeResult& result);

// Writes the object error of `result`, if any, to standard error in the
// chosen language; true when there was one.
bool ReportObjectError(const NormalizeResult& result, const CommandContext& context);

}  // namespace kerbwise::cli
