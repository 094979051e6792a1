#pragma once

#include <string>
#include <string_view>

#include "run/run_hooks.h"
#include "text/language.h"

namespace kerbwise {

// The first line whose number does not fit the list's numbering: what is
// wrong with it (UnnumberedLine, NumberingOrder or NumberedLine) and the
// line as cleaning left it.
struct NumberingProblem {
  QuestionId Id = QuestionId::NumberingOrder;
  std::string Line;

  bool operator==(const NumberingProblem&) const = default;
};

// "Renumber the lines?" about `problem`; Yes renumbers the whole list.
YesNoQuestion RenumberQuestion(const NumberingProblem& problem, Language language);

// Asked after No: keep the numbers as written, and give up analysing and
// sorting the list? No cancels the run.
YesNoQuestion KeepNumberingQuestion(Language language);

}  // namespace kerbwise
