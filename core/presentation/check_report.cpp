#include "presentation/check_report.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "presentation/check_panes.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "text/presentation_texts.h"

namespace kerbwise {
namespace {

const Phrase& KindWords(MatchKind kind) {
  switch (kind) {
    case MatchKind::AddressesInPart:
      return texts::kReportAddressesInPart;
    case MatchKind::PortsInPart:
      return texts::kReportPortsInPart;
    case MatchKind::AddressesAndPortsInPart:
      return texts::kReportAddressesAndPortsInPart;
    case MatchKind::Full:
    case MatchKind::None:
      break;
  }
  return texts::kReportFullMatch;
}

// Characters, not bytes: a Cyrillic letter takes two bytes and one column.
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Rows under a label in the first column, wide enough for the longest label
// of the language and two blanks; the rows of one label after the first
// leave the column blank.
class Rows {
 public:
  explicit Rows(Language language) {
    for (const Phrase* label :
         {&texts::kReportCondition, &texts::kReportReverseCheck, &texts::kReportVerdict,
          &texts::kReportDecidedBy, &texts::kReportOtherMatches, &texts::kReportMatches,
          &texts::kReportStoppedAt}) {
      width_ = std::max(width_, Columns(label->In(language)) + 2);
    }
  }

  void Add(std::string_view label, std::string_view text) {
    const std::string_view shown = label == lastLabel_ ? std::string_view() : label;
    lastLabel_ = label;
    std::string row(shown);
    row.append(width_ - Columns(shown), ' ');
    row += text;
    lines_.push_back(std::move(row));
  }

  // A message under the row it explains, indented; one row per line of a
  // message with CR LF line breaks.
  void AddMessage(std::string_view label, std::string_view message) {
    for (const std::string& line : SplitAtLineBreaks(message)) Add(label, "  " + line);
  }

  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  std::size_t width_ = 0;
  std::string_view lastLabel_;
  std::vector<std::string> lines_;
};

// "line 4, entry 40": where a list line stands.
std::string Place(std::size_t index, const std::optional<std::int32_t>& sequence,
                  Language language) {
  if (!sequence) return Fill(texts::kReportPlace.In(language), {std::to_string(index)});
  return Fill(texts::kReportPlaceAndEntry.In(language),
              {std::to_string(index), std::to_string(*sequence)});
}

// The entry of list line `index` without its number, as the user wrote it.
std::string_view EntryText(const LineList& listLines, std::size_t index) {
  if (index < 1 || index > listLines.size()) return {};
  return SplitListLine(listLines[index - 1]).Entry;
}

}  // namespace

std::vector<std::string> CheckReportLines(const CheckResult& result, const LineList& listLines,
                                          Language language) {
  Rows rows(language);
  std::string_view condition = result.Condition;
  condition.remove_prefix(condition.find(' ') + 1);  // the "permit " every key starts with
  const bool reverse = result.Direction == CheckDirection::Reverse;
  rows.Add((reverse ? texts::kReportReverseCheck : texts::kReportCondition).In(language),
           condition);
  for (const std::string& line : CheckResultLine(result, listLines, language).Lines) {
    rows.Add(texts::kReportVerdict.In(language), line);
  }
  if (result.FirstFullMatch) {
    const std::size_t index = *result.FirstFullMatch;
    const auto deciding = std::find_if(result.Matches.begin(), result.Matches.end(),
                                       [index](const EntryMatch& m) { return m.Index == index; });
    const std::optional<std::int32_t> sequence =
        deciding == result.Matches.end() ? std::nullopt : deciding->Sequence;
    rows.Add(texts::kReportDecidedBy.In(language),
             Place(index, sequence, language) + ": " + std::string(EntryText(listLines, index)));
  }
  // Without a deciding entry every match is one of the others.
  const std::string_view matches =
      (result.FirstFullMatch ? texts::kReportOtherMatches : texts::kReportMatches).In(language);
  for (const EntryMatch& match : result.Matches) {
    if (match.Kind == MatchKind::None || match.Index == result.FirstFullMatch) continue;
    rows.Add(matches, Place(match.Index, match.Sequence, language) + ", " +
                          std::string(KindWords(match.Kind).In(language)) + ": " +
                          std::string(EntryText(listLines, match.Index)));
    // A full match's message only says it matched; a partial one says how.
    if (!match.IsFull()) rows.AddMessage(matches, match.Message);
  }
  if (result.StoppedAt) {
    const CheckStop& stop = *result.StoppedAt;
    const std::string_view label = texts::kReportStoppedAt.In(language);
    rows.Add(label, Place(stop.Index, stop.Sequence, language) + ": " +
                        std::string(EntryText(listLines, stop.Index)));
    rows.AddMessage(label, stop.Message);
  }
  return rows.Take();
}

}  // namespace kerbwise
