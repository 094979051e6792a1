// analyze: normalises a list as normalize does, then finds its redundant and
// conflicting entries.
//
// Text output: a report a person reads, each group with its head and its
// members (marked when their ports are covered only in part, or when they
// have the opposite action and never take effect), then a summary; or "There
// are no excess or conflicting rules"; or, when a pair could not be compared,
// the result line and exit status 2. With --no-commands MODE the "no "
// commands for the whole report take the place of the report, and the notice
// about entries from object groups goes to standard error.
//
// JSON output: number_pane, result, conflicts_found, conflicts_only, message,
// report (text, level, bold, italic, conflict, group and members per line,
// members marked 0 for a head and 255 for an incomplete set of ports; when the
// list carries match counters also hits, null for an entry without one, and
// hit_mark: "no_hits", "covered_yet_hit" or "") and no_commands. The text
// report marks entries never hit and entries hit although an earlier entry
// covers them.
//
// On a terminal a progress bar is drawn on standard error while the pairs are
// compared.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "analysis/analyse_list.h"
#include "analysis/report_commands.h"
#include "command.h"
#include "json_stream.h"
#include "list_intake.h"
#include "output.h"
#include "presentation/analysis_groups.h"
#include "presentation/analysis_hits.h"
#include "presentation/analysis_report.h"
#include "progress_bar.h"
#include "text/analysis_texts.h"

namespace kerbwise::cli {
namespace {

// Answers the conflict question as --conflicts-only says.
class ConflictAnswer final : public AnswerSource {
 public:
  explicit ConflictAnswer(bool conflictsOnly) : conflictsOnly_(conflictsOnly) {}
  bool Ask(const YesNoQuestion&) override { return conflictsOnly_; }

 private:
  bool conflictsOnly_;
};

// The groups a line belongs to as scripts read them: 0 when it heads a group,
// 255 when it is covered with an incomplete set of ports; ascending (the mark
// 255 beside a group numbered 255, should there be one).
Json MarkedMembers(const AnalysisLine& line) {
  Json marked = Json::array();
  if (line.HeadsGroup()) marked.push_back(0);
  bool markDue = line.IncompletePorts;
  for (const std::uint32_t group : line.Members) {
    if (markDue && group >= 255) {
      marked.push_back(255);
      markDue = false;
    }
    marked.push_back(group);
  }
  if (markDue) marked.push_back(255);
  return marked;
}

// A report line as scripts read it. "hits" and "hit_mark" appear only when
// the list has counters.
Json ReportLineJson(const AnalysisLine& line, const HitMarks& marks) {
  const ReportLineStyle style = StyleOf(line);
  Json entry{{"text", ReportLineText(line)},  {"level", line.Level},       {"bold", style.Bold},
             {"italic", style.Italic},        {"conflict", line.Conflict}, {"group", line.Group},
             {"members", MarkedMembers(line)}};
  if (!marks.Hits.empty()) {
    const std::optional<std::uint64_t> count = marks.HitsOf(line);
    entry["hits"] = count ? Json(*count) : Json(nullptr);
    entry["hit_mark"] = HitMarkName(marks.MarkOf(line));
  }
  return entry;
}

// Hands `write` the "no " command of each report line in turn, so that the
// commands of a large report are never held together. True when an entry
// numbered with a leading "0" was left out.
bool ForEachNoCommand(const AnalysisResult& result, CopyNoMode mode,
                      const std::function<void(const std::string&)>& write) {
  bool zeroNumberedSkipped = false;
  for (std::size_t m = 0; m < result.Lines.size(); ++m) {
    const CopyNoResult copied = CopyNo(result, {m}, mode);
    zeroNumberedSkipped = zeroNumberedSkipped || copied.ZeroNumberedSkipped;
    for (const std::string& line : copied.Lines) write(line);
  }
  return zeroNumberedSkipped;
}

class AnalyzeCommand final : public Command {
 public:
  std::string_view Name() const override { return "analyze"; }

  std::string_view Description() const override {
    return "Find redundant and conflicting entries of a list";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    intake_.RegisterOptions(subcommand);
    subcommand.add_flag("--no-ports-in-set", noPortsInSet_,
                        "Report entries whose ports are covered only in part");
    // "--paranoic" is the desktop box's name, kept for scripts that use it.
    subcommand.add_flag("--any-port-overlap,--paranoic", anyPortOverlap_,
                        "With --no-ports-in-set: any overlap of port ranges counts");
    subcommand.add_flag("--conflicts-only", conflictsOnly_,
                        "When there are conflicts, report only the lines in conflict");
    subcommand
        .add_option("--no-commands", noCommandsMode_,
                    "Print the \"no\" commands for the whole report instead: 0 all lines, "
                    "1 redundant lines, 2 redundant lines without derived rules")
        ->check(CLI::Range(0, 2))
        ->type_name("MODE");
  }

  int Run(const CommandContext& context) override {
    const std::optional<NormalizeResult> list = intake_.Normalize(context);
    if (!list) return kExitUsage;
    if (ReportObjectError(*list, context)) return kExitUsage;
    if (!list->CanOptimize) {
      throw UsageError("a list whose numbering was kept as written cannot be analysed");
    }

    CheckOptions options = context.globals.check;
    options.PortsInSet = !noPortsInSet_;
    options.AnyPortOverlap = noPortsInSet_ && anyPortOverlap_;  // the box is enabled only then
    const std::vector<std::string> listLines = list->ListLines.ToStrings();
    LineRecognizer recognizer;
    recognizer.EmptyCache(listLines.size());
    ConflictAnswer answer(conflictsOnly_);
    AnalysisResult result;
    {
      ProgressBar bar(context.err, "analyze");
      result = AnalyseList(listLines, options, recognizer, answer, bar.Callback());
    }
    const Language language = options.TextLanguage;
    const HitMarks marks = MarkHits(result, listLines, list->Hits, options, recognizer);
    const std::optional<AnalysisMessage> message = NoRelationsMessage(result, language);

    bool zeroNumberedSkipped = false;
    const std::vector<std::string> resultLines = AnalysisResultLines(result, language);
    // The report is written as it is made, line by line.
    if (context.globals.json) {
      JsonObjectWriter json(context.out, context.err);
      json.Field("number_pane", AnalysisNumberPane(result));
      json.Field("result", resultLines);
      json.Field("conflicts_found", result.ConflictsFound);
      json.Field("conflicts_only", result.ConflictsOnly);
      json.Field("message", message ? message->Text : std::string());
      json.BeginArray("report");
      for (const AnalysisLine& line : result.Lines) json.Element(ReportLineJson(line, marks));
      json.EndArray();
      json.BeginArray("no_commands");
      if (noCommandsMode_) {
        zeroNumberedSkipped = ForEachNoCommand(
            result, NoMode(), [&](const std::string& command) { json.Element(command); });
      }
      json.EndArray();
      json.Finish();
    } else if (result.Error) {
      for (const std::string& line : resultLines) context.out << line << '\n';
    } else if (noCommandsMode_) {
      zeroNumberedSkipped = ForEachNoCommand(
          result, NoMode(), [&](const std::string& command) { context.out << command << '\n'; });
      // Standard output keeps to commands that can be pasted to the router.
      if (message) context.err << message->Text << '\n';
    } else if (message) {
      context.out << message->Text << '\n';
    } else {
      WriteGroupReport(result, language, marks,
                       [&](const std::string& line) { context.out << line << '\n'; });
    }
    if (zeroNumberedSkipped) {
      WriteZeroNumberedNotice(context.err, language);
    }
    return result.Error ? kExitUsage : kExitOk;
  }

 private:
  CopyNoMode NoMode() const { return static_cast<CopyNoMode>(noCommandsMode_.value_or(0)); }

  ListIntake intake_;
  bool noPortsInSet_ = false;
  bool anyPortOverlap_ = false;
  bool conflictsOnly_ = false;
  std::optional<int> noCommandsMode_;
};

}  // namespace

std::unique_ptr<Command> MakeAnalyzeCommand() { return std::make_unique<AnalyzeCommand>(); }

}  // namespace kerbwise::cli
