// redundant: normalises a list as normalize does, then finds the entries that
// can go together without changing what the list does to any packet:
// shadowed entries, and entries a later entry of the same action takes over
// with nothing between them deciding otherwise. A closing "deny ip any any"
// is never offered; of identical entries one stays; an entry made from an
// object-group line is not deleted alone, so it is left out (with a notice
// on standard error, as analyze --no-commands gives it).
//
// Text output: the entries with their list indexes, then the "no " commands
// that delete them on the router; with --commands-only the commands alone.
// Or "No entry can go without changing what the list does".
//
// JSON output: {"removable": [{"entry", "sequence", "text", "action"}],
// "commands": [...], "object_group_entries_left": bool}.
//
// On a terminal a progress bar is drawn on standard error while it runs.
//
// Exit status: 0 nothing can go, 1 some entries can go, 2 an error of use or
// input (a line that cannot be read, an object error, the diagram size cap).

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "list_intake.h"
#include "output.h"
#include "packets/removable.h"
#include "packets_report.h"
#include "progress_bar.h"
#include "text/analysis_texts.h"
#include "text/packets_texts.h"

namespace kerbwise::cli {
namespace {

class RedundantCommand final : public Command {
 public:
  std::string_view Name() const override { return "redundant"; }

  std::string_view Description() const override {
    return "Find the entries that can go without changing what the list does, with their "
           "\"no\" commands";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    intake_.RegisterOptions(subcommand);
    subcommand.add_flag("--commands-only", commandsOnly_,
                        "Print only the \"no\" commands, ready to paste to the router");
    subcommand.footer(
        "Exit status:\n  0  no entry can go\n  1  some entries can go, or the output could not "
        "be written\n  2  a line could not be read, or an error of use or input");
  }

  int Run(const CommandContext& context) override {
    const std::optional<NormalizeResult> list = intake_.Normalize(context);
    if (!list) return kExitUsage;
    if (ReportObjectError(*list, context)) return kExitUsage;
    const std::vector<std::string> lines = list->ListLines.ToStrings();
    const Language language = context.globals.check.TextLanguage;

    const RemovableReport report = [&] {
      ProgressBar bar(context.err, "redundant");
      return FindRemovable(lines, context.globals.check, bar.Callback());
    }();
    if (report.Error) {
      WriteRunError(context.err, *report.Error);
      return kExitUsage;
    }
    if (report.ZeroNumberedSkipped) {
      WriteZeroNumberedNotice(context.err, language);
    }
    if (context.globals.json) {
      Json removable = Json::array();
      for (const std::size_t k : report.Indexes) removable.push_back(EntryJson(k, lines));
      WriteJson(context.out, context.err,
                Json{{"removable", removable},
                     {"commands", report.Commands},
                     {"object_group_entries_left", report.ZeroNumberedSkipped}});
    } else if (commandsOnly_) {
      for (const std::string& command : report.Commands) context.out << command << '\n';
    } else if (report.Indexes.empty()) {
      context.out << texts::kNothingRemovable.In(language) << '\n';
    } else {
      context.out << texts::kRemovableHeading.In(language) << '\n';
      for (const std::size_t k : report.Indexes) context.out << IndexedLine(k, lines) << '\n';
      context.out << '\n';
      for (const std::string& command : report.Commands) context.out << command << '\n';
    }
    return report.Indexes.empty() ? kExitOk : kExitFailure;
  }

 private:
  ListIntake intake_;
  bool commandsOnly_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeRedundantCommand() { return std::make_unique<RedundantCommand>(); }

}  // namespace kerbwise::cli
