#include "reorder/source_collapse.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "intake/pasted_text.h"
#include "rules/integer_reader.h"
#include "rules/list_entry.h"

namespace kerbwise {
namespace {

// Position of the first 'd', 'p' or 'r': where the action keyword starts.
// The recognizer reads "Deny" and "PERMIT" as well, so either case counts;
// otherwise such an entry would keep its expanded lines when collapsed.
std::size_t ActionStart(std::string_view line) { return line.find_first_of("dprDPR"); }

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::optional<std::int32_t> ReadWholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const std::optional<std::int32_t> value = ReadInteger(text);
  if (!value || *value < 0) return std::nullopt;
  return value;
}

}  // namespace

std::vector<std::string> CollapseSourceOf(const LineList& sourceLines, const std::string& listName,
                                          Numbering numberedAs, const ProgressCallback& progress) {
  const PastedText paste = ReadPaste(sourceLines, MaskForm::Wildcard, progress);
  if (paste.IsOneList()) return sourceLines.ToStrings();
  const auto list = std::find_if(paste.Lists.begin(), paste.Lists.end(), [&](const PastedList& l) {
    return l.Found.Name == listName && l.Found.Kind != ListKind::Unread;
  });
  if (list == paste.Lists.end()) return {};
  std::vector<std::string> entries;
  entries.reserve(list->Entries.size());
  for (std::size_t i = 0; i < list->Entries.size(); ++i) {
    const std::string_view text = list->Entries[i];
    if (numberedAs == Numbering::AsWritten) {
      entries.emplace_back(text);
      continue;
    }
    const ListLineParts parts = SplitListLine(text);
    const bool dropNumber = numberedAs == Numbering::Renumbered && parts.Number;
    entries.push_back(std::to_string((i + 1) * 10) + ' ' +
                      std::string(dropNumber ? parts.Entry : text));
  }
  return entries;
}

SourceEntry ReadSourceEntry(std::string_view line) {
  SourceEntry entry;
  const std::size_t start = ActionStart(line);
  if (start == std::string_view::npos) return entry;
  entry.Number = ReadWholeNumber(TrimBlanks(line.substr(0, start)));
  if (entry.Number) entry.Text = std::string(line.substr(start));
  return entry;
}

SortedEntry ReadSortedEntry(std::string_view line) {
  SortedEntry entry;
  if (line.empty()) return entry;
  entry.Type = SortedEntry::Kind::Unreadable;
  const std::size_t start = ActionStart(line);
  if (start == std::string_view::npos) return entry;
  std::string_view field = TrimBlanks(line.substr(0, start));
  // A derived line has a "0" glued to the number of its source entry.
  if (field.size() > 1 && field.front() == '0') field.remove_prefix(1);
  if (const std::optional<std::int32_t> number = ReadWholeNumber(field)) {
    entry.Type = SortedEntry::Kind::Numbered;
    entry.Number = *number;
  }
  return entry;
}

std::vector<SortedEntry> ScoreSortedLines(const LineList& sortedLines) {
  std::vector<SortedEntry> entries;
  entries.reserve(sortedLines.size());
  for (const std::string_view line : sortedLines) entries.push_back(ReadSortedEntry(line));

  // The numbered lines ordered by number, then by position: each group of
  // equal numbers is one run of this order, its positions ascending.
  std::vector<std::pair<std::int32_t, std::size_t>> order;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].Type == SortedEntry::Kind::Numbered) order.emplace_back(entries[i].Number, i);
  }
  std::sort(order.begin(), order.end());

  const std::uint64_t lineCount = entries.size();
  for (std::size_t first = 0; first < order.size();) {
    std::size_t end = first + 1;
    while (end < order.size() && order[end].first == order[first].first) ++end;
    const std::uint64_t size = end - first;
    if (size > 1) {
      // The score of the member at p is the sum over the others of
      // lineCount - |q - p|: (size - 1) * lineCount minus the distances to
      // the members before it and after it.
      std::uint64_t total = 0;
      for (std::size_t m = first; m < end; ++m) total += order[m].second;
      std::uint64_t before = 0;  // sum of the positions of the members before
      std::uint64_t best = 0;
      std::size_t bestIndex = order[first].second;
      for (std::size_t m = first; m < end; ++m) {
        const std::uint64_t position = order[m].second;
        const std::uint64_t rank = m - first;
        const std::uint64_t after = total - before - position;
        const std::uint64_t distances =
            (rank * position - before) + (after - (size - 1 - rank) * position);
        const std::uint64_t score = (size - 1) * lineCount - distances;
        entries[order[m].second].Score = score;
        if (score > best) {
          best = score;
          bestIndex = order[m].second;
        }
        before += position;
      }
      for (std::size_t m = first; m < end; ++m) entries[order[m].second].GroupScore = best;
      entries[bestIndex].Score = best + 1;
    }
    first = end;
  }
  return entries;
}

std::vector<std::string> CollapseToSource(const LineList& sortedLines,
                                          const std::vector<std::string>& sourceLines,
                                          bool withNumbers, std::vector<std::size_t>* placement) {
  // The first source entry of each number.
  std::unordered_map<std::int32_t, std::string> sourceText;
  for (const std::string& line : sourceLines) {
    SourceEntry entry = ReadSourceEntry(line);
    if (entry.Number) sourceText.try_emplace(*entry.Number, std::move(entry.Text));
  }

  const std::vector<SortedEntry> entries = ScoreSortedLines(sortedLines);
  std::vector<std::string> out;
  std::size_t placed = 0;  // output lines so far that are not empty
  // Where each number's representative went; the other members follow it.
  std::unordered_map<std::int32_t, std::size_t> representativePlace;
  if (placement) placement->assign(entries.size(), 0);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const SortedEntry& entry = entries[i];
    switch (entry.Type) {
      case SortedEntry::Kind::Separator:
        if (!out.empty() && !out.back().empty()) out.emplace_back();
        break;
      case SortedEntry::Kind::Unreadable:
        out.emplace_back(sortedLines[i]);
        if (placement) (*placement)[i] = ++placed;
        break;
      case SortedEntry::Kind::Numbered: {
        const bool represents = entry.GroupScore == 0 || entry.GroupScore < entry.Score;
        if (!represents) break;
        representativePlace[entry.Number] = ++placed;
        const auto found = sourceText.find(entry.Number);
        const std::string number = std::to_string(entry.Number);
        if (found == sourceText.end()) {
          out.push_back("ACE " + number + " not found");
        } else {
          out.push_back(withNumbers ? number + ' ' + found->second : found->second);
        }
        break;
      }
    }
  }
  if (placement) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].Type == SortedEntry::Kind::Numbered) {
        (*placement)[i] = representativePlace[entries[i].Number];
      }
    }
  }
  return out;
}

}  // namespace kerbwise
