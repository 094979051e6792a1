#include "presentation/intake_messages.h"

#include "text/intake_texts.h"

namespace kerbwise {

namespace {

const Phrase& ProblemPhrase(ObjectProblem problem) {
  switch (problem) {
    case ObjectProblem::AddressGroupNotFound:
      return texts::kAddressGroupNotFound;
    case ObjectProblem::GroupNotFound:
      return texts::kGroupNotFound;
    case ObjectProblem::RecursiveNesting:
      return texts::kRecursiveNesting;
    case ObjectProblem::MissingNestedGroup:
      return texts::kMissingNestedGroup;
    case ObjectProblem::NoMembers:
      return texts::kNoMembers;
    case ObjectProblem::RangeTooWide:
      return texts::kRangeTooWide;
    case ObjectProblem::TooManyEntries:
      return texts::kTooManyEntries;
    case ObjectProblem::DefinedTwice:
      return texts::kDefinedTwice;
  }
  return texts::kGroupNotFound;  // not reached: every problem has its text
}

}  // namespace

std::string ListCaption(const std::optional<std::string>& captionName) {
  std::string caption(kProgramTitle);
  if (captionName) caption += ": " + *captionName;
  return caption;
}

std::string ListCaption(const NormalizeResult& result) {
  return ListCaption(result.HasHeader() ? std::optional(result.CaptionName) : std::nullopt);
}

ListControls ControlsAfter(const NormalizeResult& result) {
  const bool analysable = result.CanAnalyseAndSort();
  return {result.HasHeader(), result.MembersExpanded,   analysable, analysable,
          analysable,         !result.ListLines.empty()};
}

std::string ObjectErrorMessage(const ObjectError& error, Language language) {
  const std::string_view pattern = ProblemPhrase(error.Problem).In(language);
  switch (error.Problem) {
    case ObjectProblem::RangeTooWide:
      return Fill(pattern, {error.Range, error.Object, std::to_string(kMaxRangeAddresses)});
    case ObjectProblem::TooManyEntries:
      return Fill(pattern, {error.Object, std::to_string(kMaxDerivedEntries)});
    default:
      return Fill(pattern, {error.Object});
  }
}

std::array<NameCopyCommand, 3> NameCopyCommands(std::string_view aclName, Language language,
                                                ListKind kind) {
  const std::string name(aclName);
  const std::array<std::string, 3> copied = {
      name, "ip access-list " + name,
      "ip access-list " + std::string(ConfigKindWord(kind)) + ' ' + name};
  std::array<NameCopyCommand, 3> commands;
  for (std::size_t i = 0; i < copied.size(); ++i) {
    commands[i] = {Fill(texts::kCopyText.In(language), {copied[i]}), copied[i]};
  }
  return commands;
}

}  // namespace kerbwise
