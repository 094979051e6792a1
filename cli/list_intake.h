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
// files, and the answer to a question about the list's numbering given in
// advance with --renumber or --keep-numbering.
class ListIntake {
 public:
  void RegisterOptions(CLI::App& subcommand);

  // Reads and normalises the list. When the run stops on a numbering question
  // that no option answers, writes the question and a hint to `context.err`
  // and gives nullopt; the command then ends with kExitUsage. An object error
  // is left in the result for the command to report (ReportObjectError).
  std::optional<NormalizeResult> Normalize(const CommandContext& context) const;

 private:
  std::string aclPath_;
  std::string objectsPath_;
  bool renumber_ = false;
  bool keepNumbering_ = false;
};

// Writes the object error of `result`, if any, to standard error in the
// chosen language; true when there was one.
bool ReportObjectError(const NormalizeResult& result, const CommandContext& context);

}  // namespace kerbwise::cli
