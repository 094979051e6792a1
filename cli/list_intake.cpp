#include "list_intake.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

#include "input.h"
#include "presentation/intake_messages.h"

namespace kerbwise::cli {
namespace {

enum class NumberingAnswer { None, Renumber, KeepNumbering };

// Answers the numbering questions as the command line was told to: Yes to
// renumber, or No and then Yes to keep the numbers. Without an answer it says
// No twice, which cancels the run, and keeps the first question to report.
class OptionAnswers final : public AnswerSource {
 public:
  explicit OptionAnswers(NumberingAnswer answer) : answer_(answer) {}

  bool Ask(const YesNoQuestion& question) override {
    if (!unanswered_ && answer_ == NumberingAnswer::None) unanswered_ = question;
    if (question.Id == QuestionId::KeepNumbering) {
      return answer_ == NumberingAnswer::KeepNumbering;
    }
    return answer_ == NumberingAnswer::Renumber;
  }

  const std::optional<YesNoQuestion>& Unanswered() const { return unanswered_; }

 private:
  NumberingAnswer answer_;
  std::optional<YesNoQuestion> unanswered_;
};

void WriteQuestion(const YesNoQuestion& question, std::ostream& err) {
  std::string text = question.Text;
  std::replace(text.begin(), text.end(), '\r', '\n');
  // Two carriage returns separate the parts; one empty line is enough here.
  for (std::size_t at; (at = text.find("\n\n")) != std::string::npos;) text.replace(at, 2, "\n");
  err << kProgramName << ": the list's numbering needs an answer:\n"
      << text << '\n'
      << "Give --renumber to renumber the lines, or --keep-numbering to keep the numbers "
         "(the list then cannot be analysed or sorted).\n";
}

}  // namespace

void ListIntake::RegisterOptions(CLI::App& subcommand) {
  AddAclOption(subcommand, aclPath_);
  AddObjectsOption(subcommand, objectsPath_);
  CLI::Option* renumber = subcommand.add_flag(
      "--renumber", renumber_, "Answer Yes when the numbering is inconsistent: renumber the lines");
  CLI::Option* keep = subcommand.add_flag(
      "--keep-numbering", keepNumbering_,
      "Answer No, then Yes: keep inconsistent numbers and go on without optimising");
  renumber->excludes(keep);
}

std::optional<NormalizeResult> ListIntake::Normalize(const CommandContext& context) const {
  const std::string source = ReadInputText(aclPath_, context.in, "access list");
  const std::string objects =
      objectsPath_.empty() ? std::string() : ReadFileText(objectsPath_, "--objects file");
  OptionAnswers answers(renumber_        ? NumberingAnswer::Renumber
                        : keepNumbering_ ? NumberingAnswer::KeepNumbering
                                         : NumberingAnswer::None);
  NormalizeResult result =
      NormalizeACL(SplitLines(source), SplitLines(objects), context.globals.check, answers);
  if (answers.Unanswered()) {
    WriteQuestion(*answers.Unanswered(), context.err);
    return std::nullopt;
  }
  return result;
}

bool ReportObjectError(const NormalizeResult& result, const CommandContext& context) {
  if (!result.Error) return false;
  context.err << kProgramName << ": "
              << ObjectErrorMessage(*result.Error, context.globals.check.TextLanguage) << '\n';
  return true;
}

}  // namespace kerbwise::cli
