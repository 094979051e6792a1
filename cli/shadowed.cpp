// shadowed: normalises a list as normalize does, then finds the entries no
// packet reaches: each entry is reachable, shadowed (earlier entries, one or
// several together, take every packet it matches) or matches no packet at
// all.
//
// Text output: each entry that is not reachable, with its list index, then
// the earlier entries that cover it (the largest share first) or "matches no
// packet", then a summary; or "Every entry is reached by some packet".
//
// JSON output: {"rows": [...]}, one row per entry: "entry" (1-based list
// index), "sequence" (the entry's number, null without one), "text" (the
// list line), "action" ("permit" or "deny"), "state" ("reachable",
// "shadowed" or "matches nothing"), "covered_by" ([{"entry", "text"}]) and
// "conflict" (the covering entries decide some of its packets the other
// way).
//
// On a terminal a progress bar is drawn on standard error while it runs.
//
// Exit status: 0 every entry reachable, 1 some entry shadowed or matching
// nothing, 2 an error of use or input (a line that cannot be read, an
// object error, the diagram size cap).

#include "packets/shadowed.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "list_intake.h"
#include "output.h"
#include "packets_report.h"
#include "progress_bar.h"
#include "text/packets_texts.h"

namespace kerbwise::cli {
namespace {

std::string_view StateName(Reach state) {
  switch (state) {
    case Reach::Shadowed:
      return "shadowed";
    case Reach::MatchesNothing:
      return "matches nothing";
    default:
      return "reachable";
  }
}

Json RowsJson(const ShadowReport& report, const std::vector<std::string>& lines) {
  Json rows = Json::array();
  for (const ShadowRow& row : report.Rows) {
    Json covering = Json::array();
    for (const std::size_t k : row.CoveredBy) {
      covering.push_back(Json{{"entry", k + 1}, {"text", ListedText(lines[k])}});
    }
    Json json = EntryJson(row.Index, lines);
    json["state"] = StateName(row.State);
    json["covered_by"] = covering;
    json["conflict"] = row.Conflict;
    rows.push_back(json);
  }
  return rows;
}

std::vector<std::string> ReportLines(const ShadowReport& report,
                                     const std::vector<std::string>& lines, Language language) {
  std::vector<std::string> text;
  std::size_t shadowed = 0, conflicts = 0, nothing = 0;
  for (const ShadowRow& row : report.Rows) {
    if (row.State == Reach::Reachable) continue;
    text.push_back(IndexedLine(row.Index, lines));
    if (row.State == Reach::MatchesNothing) {
      ++nothing;
      text.push_back("  " + std::string(texts::kMatchesNothing.In(language)));
      continue;
    }
    ++shadowed;
    conflicts += row.Conflict ? 1 : 0;
    const Phrase& heading = row.Conflict ? texts::kShadowedInConflictBy : texts::kShadowedBy;
    text.push_back("  " + std::string(heading.In(language)));
    for (const std::size_t k : row.CoveredBy) text.push_back("    " + IndexedLine(k, lines));
  }
  if (text.empty()) return {std::string(texts::kEveryEntryReached.In(language))};
  text.push_back(Fill(texts::kShadowedSummary.In(language),
                      {std::to_string(report.Rows.size()), std::to_string(shadowed),
                       std::to_string(conflicts), std::to_string(nothing)}));
  return text;
}

class ShadowedCommand final : public Command {
 public:
  std::string_view Name() const override { return "shadowed"; }

  std::string_view Description() const override {
    return "Find the entries no packet reaches, and the entries that take their packets";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    intake_.RegisterOptions(subcommand);
    subcommand.footer(
        "Exit status:\n  0  every entry is reached by some packet\n  1  some entry is shadowed "
        "or matches no packet, or the output could not be written\n  2  a line could not be "
        "read, or an error of use or input");
  }

  int Run(const CommandContext& context) override {
    const std::optional<NormalizeResult> list = intake_.Normalize(context);
    if (!list) return kExitUsage;
    if (ReportObjectError(*list, context)) return kExitUsage;
    const std::vector<std::string> lines = list->ListLines.ToStrings();
    const Language language = context.globals.check.TextLanguage;

    const ShadowReport report = [&] {
      ProgressBar bar(context.err, "shadowed");
      return FindShadowed(lines, context.globals.check, bar.Callback());
    }();
    if (report.Error) {
      WriteRunError(context.err, *report.Error);
      return kExitUsage;
    }
    if (context.globals.json) {
      WriteJson(context.out, context.err, Json{{"rows", RowsJson(report, lines)}});
    } else {
      for (const std::string& line : ReportLines(report, lines, language)) {
        context.out << line << '\n';
      }
    }
    const bool allReached =
        std::all_of(report.Rows.begin(), report.Rows.end(),
                    [](const ShadowRow& row) { return row.State == Reach::Reachable; });
    return allReached ? kExitOk : kExitFailure;
  }

 private:
  ListIntake intake_;
};

}  // namespace

std::unique_ptr<Command> MakeShadowedCommand() { return std::make_unique<ShadowedCommand>(); }

}  // namespace kerbwise::cli
