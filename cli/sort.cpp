// sort: normalises a list as normalize does, then orders it by key columns,
// or gives the device commands that apply that order.
//
// --key names the columns in the order they are switched on. A list whose
// inconsistent numbering was kept as written is refused. Text output:
// the sort window's text, line by line. --keep-remarks keeps each remark above
// the entry that followed it (so that --commands takes lists with remarks)
// instead of listing it apart as a problem line. With --commands: the command text on
// standard output and any message ("ACL name not set") on standard error;
// when no commands come out (problem lines, lines without a number, a list
// already in order, a list so long that the commands would need sequence
// numbers past 2,147,483,647) the message goes to standard error and the exit
// status is 2. When the new order changes what the list does for some packet
// (decided exactly over packet sets), the commands are refused the same way,
// with the pairs of entries turned round that decide such packets on
// standard error, unless --force is given; then they come out and the pairs
// are still reported. With --check-order: only those pairs, and the exit
// status 1 when there are any.
//
// JSON output: {"text": [the window's text], "problems": [...]}; with
// --commands {"commands": [...], "message": "...", "changes": [...],
// "count": N}; with --check-order {"changes": [...], "count": N}. Each change
// is {"first", "second", "old": [i, j], "new": [k, l], "message"}: the two
// list lines, their places before and after, and what the pair means. At most
// 100,000 changes are listed; "count" gives them all.

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
#include "packets/exact_order.h"
#include "presentation/sort_text.h"
#include "reorder/order_safety.h"
#include "reorder/reorder_commands.h"
#include "reorder/sort_acl.h"
#include "reorder/source_collapse.h"

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
    subcommand.add_flag("--keep-remarks", keepRemarks_,
                        "Keep each remark just above the entry that followed it; with "
                        "--commands the remarks are moved too");
    CLI::Option* commands = subcommand.add_flag(
        "--commands", commands_, "Give the commands that apply the new order on the router");
    subcommand
        .add_flag("--force", force_,
                  "Give the commands even when the new order changes what the list does")
        ->needs(commands);
    subcommand
        .add_flag("--check-order", checkOrder_,
                  "List the pairs of entries whose new order changes what the list does; "
                  "exit status 1 when there are any")
        ->excludes(commands);
    intake_.RegisterOptions(subcommand);
  }

  int Run(const CommandContext& context) override {
    SortColumns columns;
    for (const std::string& key : keys_) {
      const KeyColumn column = ColumnNamed(key);
      if (columns.IsDown(column)) throw UsageError("key column given twice: " + key);
      columns.SwitchOn(column);
    }

    std::optional<NormalizeResult> list = intake_.Normalize(context);
    if (!list) return kExitUsage;
    if (ReportObjectError(*list, context)) return kExitUsage;
    if (!list->CanOptimize) {
      throw UsageError("a list whose numbering was kept as written cannot be sorted");
    }

    const bool collapseBox = collapse_ && CanCollapse(list->Used);
    if (!collapseBox) ReleaseAllButList(*list);
    const SortOptions options = commands_ ? CommandModeOptions(collapseBox, keepRemarks_)
                                          : SortOptions{.WithNumbers = !noNumbers_,
                                                        .Group = !noGroup_,
                                                        .Collapse = collapseBox,
                                                        .KeepRemarks = keepRemarks_};
    const bool orderWanted = commands_ || checkOrder_;
    LineRecognizer recognizer;
    recognizer.EmptyCache(list->ListLines.size());
    // The text alone reads each line once: records kept would only cost.
    recognizer.SetCaching(orderWanted);
    const std::vector<std::string> source =
        options.Collapse ? CollapseSourceOf(list->SourceLines, list->AclName, list->NumberedAs)
                         : std::vector<std::string>();
    const SortResult sorted =
        SortACL(columns, list->ListLines, source, options, context.globals.check, recognizer);
    if (!orderWanted) return WriteText(context, sorted);
    const std::vector<std::string> listLines = list->ListLines.ToStrings();
    const OrderChanges changes =
        FindExactOrderChanges(listLines, sorted.NewPosition, context.globals.check, recognizer);
    if (checkOrder_) return WriteChanges(context, changes, listLines);
    return WriteCommands(context, sorted, changes, *list, listLines);
  }

 private:
  static Json ChangesJson(const OrderChanges& changes, const std::vector<std::string>& listLines,
                          Language language) {
    Json listed = Json::array();
    for (const OrderChange& change : changes.Listed) {
      listed.push_back(Json{{"first", listLines[change.First]},
                            {"second", listLines[change.Second]},
                            {"old", {change.First + 1, change.Second + 1}},
                            {"new", {change.NewFirst, change.NewSecond}},
                            {"message", OrderChangeMessage(change, listLines, language)}});
    }
    return listed;
  }

  // The warning and the pairs, for reading.
  static void WriteChangeReport(std::ostream& out, const OrderChanges& changes,
                                const std::vector<std::string>& listLines, Language language) {
    out << OrderChangeWarning(changes.Count, language) << "\n\n";
    for (const std::string& line : OrderChangeReport(changes, listLines, language)) {
      out << line << '\n';
    }
  }

  static int WriteChanges(const CommandContext& context, const OrderChanges& changes,
                          const std::vector<std::string>& listLines) {
    const Language language = context.globals.check.TextLanguage;
    if (context.globals.json) {
      WriteJson(
          context.out, context.err,
          Json{{"changes", ChangesJson(changes, listLines, language)}, {"count", changes.Count}});
    } else if (changes.Count > 0) {
      WriteChangeReport(context.out, changes, listLines, language);
    }
    return changes.Count > 0 ? kExitFailure : kExitOk;
  }

  static int WriteText(const CommandContext& context, const SortResult& sorted) {
    const Language language = context.globals.check.TextLanguage;
    if (context.globals.json) {
      std::vector<std::string> problems;
      for (const ProblemLine& problem : sorted.Problems) {
        problems.push_back(ProblemText(problem, language));
      }
      WriteJson(context.out, context.err,
                Json{{"text", SortPaneLines(sorted, language)}, {"problems", problems}});
    } else {
      WriteSortPaneLines(sorted, language,
                         [&](std::string_view line) { context.out << line << '\n'; });
    }
    return kExitOk;
  }

  int WriteCommands(const CommandContext& context, const SortResult& sorted,
                    const OrderChanges& changes, const NormalizeResult& list,
                    const std::vector<std::string>& listLines) const {
    const Language language = context.globals.check.TextLanguage;
    ReorderCommands commands;
    if (sorted.Ran) {
      commands = GenerateReorderCommands(sorted.MainOutput, sorted.Problems.size(), list.AclName,
                                         list.Kind);
    }
    std::string message = ReorderMessage(commands, sorted, language);
    // Commands that change what the list does reach the router only on request.
    const bool orderChanged = commands.Outcome == CommandOutcome::Produced && changes.Count > 0;
    const bool refused = orderChanged && !force_;
    if (refused) {
      commands.Commands.clear();
      message = OrderChangeWarning(changes.Count, language);
    }
    if (context.globals.json) {
      WriteJson(context.out, context.err,
                Json{{"commands", commands.Commands},
                     {"message", message},
                     {"changes", ChangesJson(changes, listLines, language)},
                     {"count", changes.Count}});
    } else {
      if (orderChanged) WriteChangeReport(context.err, changes, listLines, language);
      if (refused) {
        context.err << "\ncommands not produced; --force produces them anyway\n";
      } else if (!message.empty()) {
        context.err << message << '\n';
      }
      for (const std::string& line : commands.Commands) context.out << line << '\n';
    }
    const bool produced = commands.Outcome == CommandOutcome::Produced && !refused;
    return produced ? kExitOk : kExitUsage;
  }

  ListIntake intake_;
  std::vector<std::string> keys_;
  bool noNumbers_ = false;
  bool noGroup_ = false;
  bool collapse_ = false;
  bool keepRemarks_ = false;
  bool commands_ = false;
  bool force_ = false;
  bool checkOrder_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeSortCommand() { return std::make_unique<SortCommand>(); }

}  // namespace kerbwise::cli
