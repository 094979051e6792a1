#include "presentation/sort_text.h"

#include <optional>

#include "rules/list_entry.h"
#include "text/phrase.h"
#include "text/reorder_texts.h"

namespace kerbwise {
namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

std::string EntryName(const std::vector<std::string>& listLines, std::size_t line) {
  const std::optional<std::int32_t> number = SplitListLine(listLines[line]).Number;
  return std::to_string(number ? static_cast<std::int64_t>(*number)
                               : static_cast<std::int64_t>(line) + 1);
}

// "  line 2 -> 5: 20 permit ...": a line with its old and new places.
std::string PlacedLine(std::size_t oldPlace, std::size_t newPlace, const std::string& line,
                       Language language) {
  return Fill(texts::kPlacedLine.In(language),
              {std::to_string(oldPlace), std::to_string(newPlace), line});
}

}  // namespace

SortPanelTexts SortPanelText(Language language) {
  SortPanelTexts panel;
  panel.NumbersHint = texts::kShowNumbersHint.In(language);
  panel.GroupHint = texts::kGroupHint.In(language);
  panel.CollapseHint = texts::kCollapseHint.In(language);
  panel.KeepRemarksHint = texts::kKeepRemarksHint.In(language);
  panel.CommandsHint = texts::kReorderCommandsHint.In(language);
  panel.PairsCaption = texts::kShowPairs.In(language);
  panel.OrderChangesCaption = texts::kOrderChangesCaption.In(language);
  return panel;
}

std::string ProblemText(const ProblemLine& problem, Language language) {
  std::string text(ProblemKindName(problem.Kind, language));
  text += ':';
  text += problem.Text;
  return text;
}

void WriteSortPaneLines(const SortResult& result, Language language,
                        const std::function<void(std::string_view)>& write) {
  for (const std::string_view line : result.MainOutput) write(line);
  if (result.Problems.empty()) return;
  write({});
  for (const ProblemLine& problem : result.Problems) write(ProblemText(problem, language));
}

std::vector<std::string> SortPaneLines(const SortResult& result, Language language) {
  std::vector<std::string> text;
  WriteSortPaneLines(result, language, [&](std::string_view line) { text.emplace_back(line); });
  return text;
}

std::string ReorderMessage(const ReorderCommands& commands, const SortResult& sorted,
                           Language language) {
  switch (commands.Outcome) {
    case CommandOutcome::Produced:
      return commands.NameMissing ? std::string(texts::kAclNameNotSet.In(language)) : "";
    case CommandOutcome::Problems: {
      std::vector<std::string> lines;
      for (const ProblemLine& problem : sorted.Problems) {
        lines.push_back(ProblemText(problem, language));
      }
      return JoinLines(lines);
    }
    case CommandOutcome::Unnumbered:
      return JoinLines(commands.Unnumbered);
    case CommandOutcome::SharedNumbers:
      return Fill(texts::kSharedNumber.In(language), {std::to_string(commands.Number)});
    case CommandOutcome::Unchanged:
      return std::string(texts::kOrderUnchanged.In(language));
    case CommandOutcome::NumbersTooLarge:
      return Fill(texts::kNumbersTooLarge.In(language),
                  {std::to_string(commands.Number), std::to_string(kMaxSequenceNumber)});
  }
  return {};
}

std::string OrderChangeMessage(const OrderChange& change, const std::vector<std::string>& listLines,
                               Language language) {
  return Fill(texts::kOrderChangeMessage.In(language),
              {EntryName(listLines, change.First), EntryName(listLines, change.Second)});
}

std::string OrderChangeWarning(std::uint64_t count, Language language) {
  return Fill(texts::kOrderChangeWarning.In(language), {std::to_string(count)});
}

std::string OrderChangeQuestion(std::uint64_t count, Language language) {
  return Fill(texts::kOrderChangeQuestion.In(language), {std::to_string(count)});
}

std::vector<std::string> OrderChangeReport(const OrderChanges& changes,
                                           const std::vector<std::string>& listLines,
                                           Language language) {
  std::vector<std::string> report;
  for (const OrderChange& change : changes.Listed) {
    if (!report.empty()) report.emplace_back();
    report.push_back(OrderChangeMessage(change, listLines, language));
    report.push_back(
        PlacedLine(change.First + 1, change.NewFirst, listLines[change.First], language));
    report.push_back(
        PlacedLine(change.Second + 1, change.NewSecond, listLines[change.Second], language));
  }
  if (changes.Count > changes.Listed.size()) {
    const std::string more = std::to_string(changes.Count - changes.Listed.size());
    report.emplace_back();
    report.push_back(Fill(texts::kMorePairsNotShown.In(language), {more}));
  }
  return report;
}

}  // namespace kerbwise
