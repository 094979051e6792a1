// check: normalises a list as normalize does, then checks conditions against it.
//
// Each CONDITION is written without its action, as in the condition pane;
// --conditions FILE adds each non-empty line of FILE. Text output: one report
// per condition (CheckReportLines), a blank line between them. JSON output:
// {"results": [...]} with one object per condition (CheckResultJson).
// Exit status: 0 when every condition is allowed, 1 when any is blocked, 2
// when a check ended on an error or the list could not be read or normalised.

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "check/check_condition.h"
#include "check_json.h"
#include "command.h"
#include "input.h"
#include "list_intake.h"
#include "output.h"
#include "presentation/check_report.h"
#include "rules/primitives.h"

namespace kerbwise::cli {
namespace {

class CheckCommand final : public Command {
 public:
  std::string_view Name() const override { return "check"; }

  std::string_view Description() const override {
    return "Check conditions against a list: allowed or blocked, and at which line";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    intake_.RegisterOptions(subcommand);
    subcommand.add_flag("--reverse", reverse_,
                        "Reverse check: the condition is the rule, every entry a subject");
    subcommand.add_flag("--partial-addresses", options_.PartialAddresses,
                        "Also mark entries that share only part of the addresses");
    subcommand.add_flag("--partial-ports", options_.PartialPortsOption,
                        "Also mark entries that cover only part of the ports");
    subcommand.add_flag("--ignore-icmp", options_.IgnoreIcmp,
                        "Under partial matching, an ICMP condition skips ip entries");
    subcommand.add_option("--conditions", conditionsPath_, "Check each non-empty line of FILE")
        ->type_name("FILE");
    subcommand.add_option("CONDITION", conditions_,
                          "A condition without its action, e.g. \"tcp host 10.1.0.1 any eq 80\"");
    subcommand.footer("Exit status:\n  " + std::to_string(kExitOk) +
                      "  every condition is allowed\n  " + std::to_string(kExitFailure) +
                      "  a condition is blocked, or the output could not be written\n  " +
                      std::to_string(kExitUsage) +
                      "  a check stopped at a line it could not compare, or an error of use or "
                      "input");
  }

  int Run(const CommandContext& context) override {
    std::vector<std::string> conditions = conditions_;
    if (!conditionsPath_.empty()) {
      for (std::string& line : SplitLines(ReadFileText(conditionsPath_, "--conditions file"))) {
        if (!TrimControls(line).empty()) conditions.push_back(std::move(line));
      }
    }
    if (conditions.empty()) {
      throw UsageError("no condition to check: give CONDITION arguments or --conditions FILE");
    }

    std::optional<NormalizeResult> list = intake_.Normalize(context);
    if (!list) return kExitUsage;
    if (ReportObjectError(*list, context)) return kExitUsage;
    ReleaseAllButList(*list);

    CheckOptions options = options_;
    options.MaskType = context.globals.check.MaskType;
    options.TextLanguage = context.globals.check.TextLanguage;
    LineRecognizer recognizer;
    recognizer.EmptyCache(list->ListLines.size());
    // One condition reads each line once; several read them again.
    recognizer.SetCaching(conditions.size() > 1);

    bool blocked = false;
    bool failed = false;
    Json results = Json::array();
    for (std::size_t i = 0; i < conditions.size(); ++i) {
      const CheckResult result = CheckCondition(
          list->ListLines, conditions[i],
          reverse_ ? CheckDirection::Reverse : CheckDirection::Direct, options, recognizer);
      failed = failed || result.Outcome == CheckOutcome::Error;
      blocked = blocked || result.Outcome == CheckOutcome::Blocked;
      if (context.globals.json) {
        results.push_back(CheckResultJson(result, list->ListLines, options.TextLanguage));
        continue;
      }
      if (i > 0) context.out << '\n';
      for (const std::string& line :
           CheckReportLines(result, list->ListLines, options.TextLanguage)) {
        context.out << EscapeForLine(line) << '\n';
      }
    }
    if (context.globals.json) WriteJson(context.out, context.err, Json{{"results", results}});
    if (failed) return kExitUsage;
    return blocked ? kExitFailure : kExitOk;
  }

 private:
  ListIntake intake_;
  CheckOptions options_;
  bool reverse_ = false;
  std::string conditionsPath_;
  std::vector<std::string> conditions_;
};

}  // namespace

std::unique_ptr<Command> MakeCheckCommand() { return std::make_unique<CheckCommand>(); }

}  // namespace kerbwise::cli
