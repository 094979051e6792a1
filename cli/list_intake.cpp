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

std::string ShownName(const std::string& name) {
  return name.empty() ? std::string("(without a name)") : name;
}

// One line per list: its name, kind and entry count.
std::string DescribeLists(const std::vector<FoundList>& lists) {
  std::string text;
  for (const FoundList& list : lists) {
    text += "  " + ShownName(list.Name) + " (" + ListKindName(list) + ", " +
            std::to_string(list.Entries) + (list.Entries == 1 ? " entry" : " entries") +
            (list.Kind == ListKind::Unread ? ", not read)\n" : ")\n");
  }
  return text;
}

}  // namespace

std::string ListKindName(const FoundList& list) {
  switch (list.Kind) {
    case ListKind::Standard:
      return "standard";
    case ListKind::Unread:
      return list.KindText.empty() ? std::string("not read") : list.KindText;
    case ListKind::Extended:
      break;
  }
  return "extended";
}

void ListIntake::RegisterOptions(CLI::App& subcommand) {
  AddAclOption(subcommand, aclPath_);
  AddObjectsOption(subcommand, objectsPath_);
  subcommand
      .add_option("--list", listName_,
                  "The list to work on when the paste holds several (its name or number)")
      ->type_name("NAME");
  CLI::Option* renumber = subcommand.add_flag(
      "--renumber", renumber_, "Answer Yes when the numbering is inconsistent: renumber the lines");
  CLI::Option* keep = subcommand.add_flag(
      "--keep-numbering", keepNumbering_,
      "Answer No, then Yes: keep inconsistent numbers and go on without optimising");
  renumber->excludes(keep);
}

std::optional<NormalizeResult> ListIntake::Normalize(const CommandContext& context) const {
  std::string source = ReadInputText(aclPath_, context.in, "access list");
  const std::string objects =
      objectsPath_.empty() ? std::string() : ReadFileText(objectsPath_, "--objects file");
  OptionAnswers answers(renumber_        ? NumberingAnswer::Renumber
                        : keepNumbering_ ? NumberingAnswer::KeepNumbering
                                         : NumberingAnswer::None);
  std::optional<NormalizeResult> result = NormalizeChosenList(std::move(source), objects, listName_,
                                                              answers, context, emptyListAllowed_);
  if (result && answers.Unanswered()) {
    WriteQuestion(*answers.Unanswered(), context.err);
    return std::nullopt;
  }
  return result;
}

std::optional<NormalizeResult> NormalizeChosenList(std::string source, const std::string& objects,
                                                   const std::string& listName,
                                                   AnswerSource& answers,
                                                   const CommandContext& context,
                                                   bool emptyListAllowed) {
  // The pasted text becomes the lines in its own storage, and the run gives
  // that back once it has read them: a long paste is held once.
  NormalizeResult result = NormalizeACL(LineList::FromText(std::move(source)), SplitLines(objects),
                                        context.globals.check, answers, {}, listName);
  const std::vector<FoundList>& lists = result.Lists;
  const auto named = std::find_if(lists.begin(), lists.end(),
                                  [&](const FoundList& list) { return list.Name == listName; });
  if (!listName.empty() && named == lists.end()) {
    context.err << kProgramName << ": the paste holds no list " << listName << "; it holds:\n"
                << DescribeLists(lists);
    return std::nullopt;
  }
  if (listName.empty() && lists.size() > 1) {
    context.err << kProgramName << ": the paste holds " << lists.size()
                << " lists; choose one with --list NAME:\n"
                << DescribeLists(lists);
    return std::nullopt;
  }
  if (result.Kind == ListKind::Unread) {
    const FoundList& list = *std::find_if(lists.begin(), lists.end(), [&](const FoundList& l) {
      return l.Kind == ListKind::Unread && (listName.empty() || l.Name == listName);
    });
    context.err << kProgramName << ": the list " << ShownName(list.Name) << " ("
                << ListKindName(list)
                << ") is not read: only IPv4 standard and extended lists are\n";
    return std::nullopt;
  }
  if (!emptyListAllowed && result.Ran && !result.Cancelled && !result.Error &&
      result.ListLines.empty()) {
    context.err << kProgramName << ": the list " << ShownName(result.AclName)
                << " has no entries\n";
    return std::nullopt;
  }
  return result;
}

void ReleaseAllButList(NormalizeResult& result) {
  result.SourceLines.clear();
  std::vector<std::optional<std::uint64_t>>().swap(result.Hits);
}

bool ReportObjectError(const NormalizeResult& result, const CommandContext& context) {
  if (!result.Error) return false;
  context.err << kProgramName << ": "
              << ObjectErrorMessage(*result.Error, context.globals.check.TextLanguage) << '\n';
  return true;
}

}  // namespace kerbwise::cli
