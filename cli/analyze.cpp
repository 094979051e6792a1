// analyze: normalises a list as normalize does, then finds its redundant and
// conflicting entries.
//
// Text output: the report lines as the analysis window shows them (indented),
// each followed by the marks of its style, " [head]", " [incomplete]" and
// " [conflict]"; or "There are no excess or conflicting rules"; or, when a
// pair could not be compared, the result line and exit status 2. With
// --no-commands MODE the "no " commands for the whole report take the place
// of the report, and the notice about entries from object groups goes to
// standard error.
//
// JSON output: number_pane, result, conflicts_found, conflicts_only, message,
// report (text, level, bold, italic, conflict, group and members per line,
// members marked 0 for a head and 255 for an incomplete set of ports) and
// no_commands.
//
// On a terminal a progress bar is drawn on standard error while the pairs are
// compared.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "analysis/analyse_list.h"
#include "analysis/report_commands.h"
#include "command.h"
#include "list_intake.h"
#include "output.h"

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

// A bar redrawn in place on a terminal's standard error.
class ProgressBar {
 public:
  explicit ProgressBar(std::ostream& err) : err_(err) {}
  ~ProgressBar() {
    if (drawn_) err_ << '\r' << std::string(kWidth + 16, ' ') << '\r' << std::flush;
  }

  void Draw(int percent) {
    const auto filled = static_cast<std::size_t>(percent) * kWidth / 100;
    err_ << "\ranalyze [" << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] "
         << percent << '%' << std::flush;
    drawn_ = true;
  }

 private:
  static constexpr std::size_t kWidth = 40;
  std::ostream& err_;
  bool drawn_ = false;
};

bool StderrIsTerminal(const std::ostream& err) {
  return &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
}

std::string StyleMarks(const AnalysisLine& line) {
  std::string marks;
  if (IsBold(line)) marks += " [head]";
  if (IsItalic(line)) marks += " [incomplete]";
  if (line.Conflict) marks += " [conflict]";
  return marks;
}

Json ReportJson(const AnalysisResult& result) {
  Json report = Json::array();
  for (std::size_t m = 0; m < result.Lines.size(); ++m) {
    const AnalysisLine& line = result.Lines[m];
    report.push_back({{"text", result.ReportText[m]},
                      {"level", line.Level},
                      {"bold", IsBold(line)},
                      {"italic", IsItalic(line)},
                      {"conflict", line.Conflict},
                      {"group", line.Group},
                      {"members", line.MarkedMembers()}});
  }
  return report;
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
    LineRecognizer recognizer;
    recognizer.EmptyCache(list->ListLines.size());
    ConflictAnswer answer(conflictsOnly_);
    AnalysisResult result;
    {
      std::optional<ProgressBar> bar;
      if (StderrIsTerminal(context.err)) bar.emplace(context.err);
      ProgressCallback progress;
      if (bar) progress = [&bar](int percent) { bar->Draw(percent); };
      result = AnalyseList(list->ListLines, options, recognizer, answer, progress);
    }
    if (!result.Ran && !result.Error) {
      result.Message = (options.TextLanguage == Language::Russian) ? "Избыточных или конфликтующих правил нет"
                                       : "There are no excess or conflicting rules";
    }

    CopyNoResult noCommands;
    if (noCommandsMode_ && !result.Lines.empty()) {
      noCommands =
          CopyNo(result, static_cast<CopyNoMode>(*noCommandsMode_), 0, result.Lines.back().TextEnd);
      if (noCommands.ZeroNumberedSkipped) {
        std::string notice = ZeroNumberedNotice((options.TextLanguage == Language::Russian));
        notice.resize(notice.find("\r\n"));  // the question about later notices has no place here
        context.err << kProgramName << ": " << notice << '\n';
      }
    }

    if (context.globals.json) {
      Json json;
      json["number_pane"] = result.NumberPane;
      json["result"] = result.ResultLines;
      json["conflicts_found"] = result.ConflictsFound;
      json["conflicts_only"] = result.ConflictsOnly;
      json["message"] = result.Message;
      json["report"] = ReportJson(result);
      json["no_commands"] = noCommands.Lines;
      WriteJson(context.out, context.err, json);
    } else if (result.Error) {
      for (const std::string& line : result.ResultLines) context.out << line << '\n';
    } else if (noCommandsMode_) {
      for (const std::string& line : noCommands.Lines) context.out << line << '\n';
      // Standard output keeps to commands that can be pasted to the router.
      if (!result.Message.empty()) context.err << result.Message << '\n';
    } else if (!result.Message.empty()) {
      context.out << result.Message << '\n';
    } else {
      for (std::size_t m = 0; m < result.Lines.size(); ++m) {
        context.out << result.ReportText[m] << StyleMarks(result.Lines[m]) << '\n';
      }
    }
    return result.Error ? kExitUsage : kExitOk;
  }

 private:
  ListIntake intake_;
  bool noPortsInSet_ = false;
  bool anyPortOverlap_ = false;
  bool conflictsOnly_ = false;
  std::optional<int> noCommandsMode_;
};

}  // namespace

std::unique_ptr<Command> MakeAnalyzeCommand() { return std::make_unique<AnalyzeCommand>(); }

}  // namespace kerbwise::cli
