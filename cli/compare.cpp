// compare: compares one subject line with one rule line, as a check does for
// every entry of a list.
//
//   kerbwise-cli compare [--partial-addresses] [--partial-ports] [--any-overlap]
//                        [--ignore-icmp] [--reverse-mode] RULE SUBJECT
//
// RULE and SUBJECT are whole lines with their action ("permit tcp any any eq
// 80") and without entry numbers; outer blanks are removed and runs of blanks
// collapsed before they are compared. --reverse-mode changes only the role
// words of the messages: the subject is then called the ACL and the rule the
// condition. --netmask and --lang apply as everywhere.
//
// Text output, one line:
//   <outcome> <name>[ addr-partial][ ports-incomplete][ | <message>]
// <outcome> is the code 0-4 and <name> one of permit, deny, remark, no-match,
// error (the same words in every language). The flags appear when set. The
// message, in the language of --lang, follows " | " when there is one; a
// message of several lines goes on, one output line each, indented by two
// blanks. Backslashes and control characters are escaped (EscapeForLine).
//
// JSON output: one object
//   {"outcome": 0, "addr_partial": false, "ports_incomplete": false, "message": "Match"}
// whose message keeps its line breaks ("\r\n").
//
// The exit status is 0 when the two lines were compared, whatever the outcome,
// and 2 when they could not be (outcome 4: a line the rule template cannot
// read, an address that does not fit its mask, a bad port or TTL); the
// outcome is written all the same.

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "check/check_for_match.h"
#include "command.h"
#include "output.h"
#include "rules/line_recognizer.h"
#include "rules/primitives.h"

namespace kerbwise::cli {
namespace {

std::string_view OutcomeName(std::uint8_t outcome) {
  switch (outcome) {
    case MatchPermit:
      return "permit";
    case MatchDeny:
      return "deny";
    case MatchRemark:
      return "remark";
    case NoMatch:
      return "no-match";
    default:
      return "error";
  }
}

// A line as the check hands it over: outer blanks gone, blanks collapsed.
std::string PrepareLine(std::string_view line) { return SpaceCompress(TrimControls(line)); }

void WriteText(std::ostream& out, const MatchResult& result) {
  std::string head =
      std::to_string(result.Outcome) + " " + std::string(OutcomeName(result.Outcome));
  if (result.AddrPartial) head += " addr-partial";
  if (result.PortsIncomplete) head += " ports-incomplete";
  if (result.Message.empty()) {
    out << head << '\n';
    return;
  }
  std::string_view message = result.Message;
  std::string_view separator = " | ";
  for (std::size_t end; (end = message.find("\r\n")) != std::string_view::npos;
       message.remove_prefix(end + 2)) {
    out << head << separator << EscapeForLine(message.substr(0, end)) << '\n';
    head.clear();
    separator = "  ";
  }
  out << head << separator << EscapeForLine(message) << '\n';
}

Json ToJson(const MatchResult& result) {
  Json object;
  object["outcome"] = result.Outcome;
  object["addr_partial"] = result.AddrPartial;
  object["ports_incomplete"] = result.PortsIncomplete;
  object["message"] = result.Message;
  return object;
}

class CompareCommand final : public Command {
 public:
  std::string_view Name() const override { return "compare"; }

  std::string_view Description() const override {
    return "Compare one line with another: does the subject fall under the rule?";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    subcommand.add_flag("--partial-addresses", options_.PartialAddresses,
                        "Report addresses shared only in part");
    subcommand.add_flag("--partial-ports", settings_.PartialPorts,
                        "Report an incomplete set of ports instead of no match");
    subcommand.add_flag("--any-overlap", settings_.AnyOverlap,
                        "With --partial-ports, any overlap of port ranges counts");
    subcommand.add_flag("--ignore-icmp", options_.IgnoreIcmp,
                        "With --partial-addresses, an icmp subject does not match an ip rule");
    subcommand.add_flag("--reverse-mode", settings_.ReverseMode,
                        "Name the subject the ACL and the rule the condition in messages");
    subcommand.add_option("RULE", rule_, "The line tested against, with its action")
        ->required()
        ->type_name("");
    subcommand
        .add_option("SUBJECT", subject_,
                    "The line whose traffic is tested, with its action. Put -- before a line "
                    "that starts with -")
        ->required()
        ->type_name("");
    subcommand.footer("Exit status:\n  " + std::to_string(kExitOk) +
                      "  the lines were compared, whatever the outcome\n  " +
                      std::to_string(kExitFailure) + "  the output could not be written\n  " +
                      std::to_string(kExitUsage) + "  they could not be compared (outcome " +
                      std::to_string(MatchError) + "), or an error of use");
  }

  int Run(const CommandContext& context) override {
    CheckOptions options = options_;
    options.MaskType = context.globals.check.MaskType;
    options.TextLanguage = context.globals.check.TextLanguage;
    LineRecognizer recognizer;
    const MatchResult result =
        CheckForMatch(PrepareLine(rule_), PrepareLine(subject_), settings_, options, recognizer);
    if (context.globals.json) {
      WriteJson(context.out, context.err, ToJson(result));
    } else {
      WriteText(context.out, result);
    }
    return result.Outcome == MatchError ? kExitUsage : kExitOk;
  }

 private:
  CheckOptions options_;
  MatchSettings settings_;
  std::string rule_;
  std::string subject_;
};

}  // namespace

std::unique_ptr<Command> MakeCompareCommand() { return std::make_unique<CompareCommand>(); }

}  // namespace kerbwise::cli
