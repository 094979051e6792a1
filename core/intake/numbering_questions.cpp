#include "intake/numbering_questions.h"

#include "text/intake_texts.h"

namespace kerbwise {
namespace {

// What is wrong, as the renumbering question says it before quoting the line.
std::string_view NumberingProblemText(QuestionId id, Language language) {
  switch (id) {
    case QuestionId::UnnumberedLine:
      return texts::kUnnumberedLine.In(language);
    case QuestionId::NumberedLine:
      return texts::kNumberedLine.In(language);
    default:
      return texts::kNumberingOrder.In(language);
  }
}

}  // namespace

YesNoQuestion RenumberQuestion(const NumberingProblem& problem, Language language) {
  // The parts of a question stand apart by two carriage returns.
  constexpr std::string_view kBreak = "\r\r";
  std::string text(NumberingProblemText(problem.Id, language));
  text += kBreak;
  text += problem.Line;
  text += kBreak;
  text += texts::kRenumberLines.In(language);
  return {problem.Id, std::string(texts::kRenumberTitle.In(language)), std::move(text)};
}

YesNoQuestion KeepNumberingQuestion(Language language) {
  return {QuestionId::KeepNumbering, "", std::string(texts::kKeepNumbering.In(language))};
}

}  // namespace kerbwise
