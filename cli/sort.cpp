// sort: normalises a list as normalize does, then orders it by key columns,
// or gives the device commands that apply that order.
//
// --key names the columns in the order they are switched on. A list whose
// inconsistent numbering was kept as written is refused. Text output:
// the sort window's text, line by line. With --commands: the command text on
// standard output and any message ("ACL name not set") on standard error;
// when no commands come out (problem lines, lines without a number, a list
// already in order) the message goes to standard error and the exit status
// is 2.
//
// JSON output: {"text": [the window's text], "problems": [...]}, or with
// --commands {"commands": [...], "message": "..."}.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <utility>

#include "command.h"
#include "list_intake.h"
#include "output.h"
#include "reorder/reorder_commands.h"
#include "reorder/sort_acl.h"

namespace kerbwise::cli {
namespace {

constexpr std::array<std::pair<std::string_view, KeyColumn>, kKeyColumnCount> kKeyNames = {{
    {"proto", KeyColumn::Proto},
    {"src-addr", KeyColumn::SrcAddr},
    {"src-mask", KeyColumn::SrcMask},
    {"src-opt", KeyColumn::SrcOpt},
    {"dst-addr", KeyColumn::DstAddr},
    {"dst-mask", KeyColumn::DstMask},
    {"dst-opt", KeyColumn::DstOpt},
}};

KeyColumn ColumnNamed(std::string_view name) {
  for (const auto& [keyName, column] : kKeyNames) {
    if (keyName == name) return column;
  }
  throw UsageError("unknown key column: " + std::string(name));
}

class SortCommand final : public Command {
 public:
  std::string_view Name() const override { return "sort"; }

  std::string_view Description() const override {
    return "Order a list by key columns, or give the commands that reorder it on the router";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    std::vector<std::string> names;
    for (const auto& entry : kKeyNames) names.emplace_back(entry.first);
    subcommand
        .add_option("--key", keys_,
                    "Key columns in the order they are switched on: proto, src-addr, src-mask, "
                    "src-opt, dst-addr, dst-mask, dst-opt")
        ->delimiter(',')
        ->required()
        ->type_name("K[,K...]")
        ->check(CLI::IsMember(names));
    subcommand.add_flag("--no-numbers", noNumbers_, "Leave out the sequence numbers");
    subcommand.add_flag("--no-group", noGroup_, "No empty line between groups of equal keys");
    subcommand.add_flag("--collapse", collapse_,
                        "Put derived entries back as their object-group entries");
    subcommand.add_flag("--commands", commands_,
                        "Give the commands that apply the new order on the router");
    intake_.RegisterOptions(subcommand);
  }

  int Run(const CommandContext& context) override {
    SortColumns columns;
    for (const std::string& key : keys_) {
      const KeyColumn column = ColumnNamed(key);
      if (columns.IsDown(column)) throw UsageError("key column given twice: " + key);
      columns.SwitchOn(column);
    }

    const std::optional<NormalizeResult> list = intake_.Normalize(context);
    if (!list) return kExitUsage;
    if (ReportObjectError(*list, context.err)) return kExitUsage;
    if (!list->CanOptimize) {
      throw UsageError("a list whose numbering was kept as written cannot be sorted");
    }

    const bool collapseBox = collapse_ && CanCollapse(list->Used);
    const SortOptions options =
        commands_
            ? CommandModeOptions(collapseBox)
            : SortOptions{.WithNumbers = !noNumbers_, .Group = !noGroup_, .Collapse = collapseBox};
    LineRecognizer recognizer;
    recognizer.EmptyCache(list->ListLines.size());
    const SortResult sorted = SortACL(columns, list->ListLines, list->SourceLines, options,
                                      context.globals.check, recognizer);
    return commands_ ? WriteCommands(context, sorted, list->AclName) : WriteText(context, sorted);
  }

 private:
  static int WriteText(const CommandContext& context, const SortResult& sorted) {
    const std::vector<std::string> text = DisplayText(sorted);
    if (context.globals.json) {
      WriteJson(context.out, context.err, Json{{"text", text}, {"problems", sorted.Problems}});
    } else {
      for (const std::string& line : text) context.out << line << '\n';
    }
    return kExitOk;
  }

  static int WriteCommands(const CommandContext& context, const SortResult& sorted,
                           const std::string& aclName) {
    ReorderCommands commands;
    if (sorted.Ran) {
      commands = GenerateReorderCommands(sorted.MainOutput, sorted.Problems, aclName,
                                         context.globals.check.Russian);
    }
    const bool produced = commands.Outcome == CommandOutcome::Produced;
    if (context.globals.json) {
      WriteJson(context.out, context.err,
                Json{{"commands", commands.Commands}, {"message", commands.Message}});
    } else {
      if (!commands.Message.empty()) context.err << commands.Message << '\n';
      for (const std::string& line : commands.Commands) context.out << line << '\n';
    }
    return produced ? kExitOk : kExitUsage;
  }

  ListIntake intake_;
  std::vector<std::string> keys_;
  bool noNumbers_ = false;
  bool noGroup_ = false;
  bool collapse_ = false;
  bool commands_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeSortCommand() { return std::make_unique<SortCommand>(); }

}  // namespace kerbwise::cli
