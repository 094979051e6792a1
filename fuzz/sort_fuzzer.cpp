// A pasted list and its object groups, normalised, then sorted and turned
// into reordering commands. The first byte picks the display options, the
// mask type, the language and the answers to the numbering questions; the
// low three bits of the second byte say how many of the following bytes are
// key-column clicks; the rest is the list, then, after a form feed, the
// object pane.
//
// - A sort without collapsing shows every list line exactly once, among the
//   ordered lines or the problems; with numbers shown the lines come out
//   unchanged. Collapsing a normalised list gives every rule's entry once.
// - The commands for the sorted order, played on a simulated device that
//   holds the lines under their sequence numbers, must leave the device's
//   list in the sorted order; "unchanged" must only be said of a list that
//   is already in ascending order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "intake/normalize_acl.h"
#include "reorder/key_columns.h"
#include "reorder/reorder_commands.h"
#include "reorder/sort_acl.h"
#include "reorder/source_collapse.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace {

using namespace kerbwise;

std::size_t NonEmpty(const LineList& lines) {
  return static_cast<std::size_t>(
      std::count_if(lines.begin(), lines.end(), [](std::string_view l) { return !l.empty(); }));
}

std::vector<std::string> Words(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Plays the commands on a device that holds `lines` under their numbers and
// checks that it ends with the lines in the given order, numbered 10, 20...
void PlayCommands(const LineList& lines, const std::vector<std::string>& commands) {
  std::map<std::uint64_t, std::string> device;
  for (const std::string_view line : lines) {
    const ListLineParts parts = SplitListLine(line);
    fuzz::Require(parts.Number.has_value(), "commands for an unnumbered line", line);
    fuzz::Require(device.emplace(*parts.Number, std::string(parts.Entry)).second,
                  "commands for a shared number", line);
  }
  for (const std::string& command : commands) {
    const std::vector<std::string> words = Words(command);
    if (words.empty() || command.rfind("ip access-list extended ", 0) == 0) continue;
    if (command.rfind("ip access-list resequence ", 0) == 0) {
      fuzz::Require(words.size() >= 6, "a short resequence command", command);
      const std::uint64_t start = std::stoull(words[words.size() - 2]);
      const std::uint64_t step = std::stoull(words.back());
      std::map<std::uint64_t, std::string> renumbered;
      std::uint64_t number = start;
      for (auto& [seq, text] : device) {
        renumbered.emplace(number, std::move(text));
        number += step;
      }
      device = std::move(renumbered);
    } else if (words.front() == "no") {
      fuzz::Require(words.size() == 2 && device.erase(std::stoull(words[1])) == 1,
                    "deletes a line the device does not hold", command);
    } else {
      const ListLineParts parts = SplitListLine(command);
      fuzz::Require(parts.Number.has_value(), "an entry command without a number", command);
      fuzz::Require(device.emplace(*parts.Number, std::string(parts.Entry)).second,
                    "enters a line over another", command);
    }
  }
  fuzz::Require(device.size() == lines.size(), "the device lost or gained lines");
  std::size_t k = 0;
  for (const auto& [seq, text] : device) {
    fuzz::Require(seq == 10 * (k + 1), "the device is not numbered 10, 20...");
    fuzz::Require(text == SplitListLine(lines[k]).Entry, "the device holds another order",
                  std::string(lines[k]) + "\n" + text);
    ++k;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t flags = data[0];
  const std::size_t clicks = std::min<std::size_t>(data[1] & 0x07u, size - 2);
  CheckOptions checkOptions;
  checkOptions.MaskType = flags & 0x08u ? MaskForm::Netmask : MaskForm::Wildcard;
  checkOptions.TextLanguage = flags & 0x10u ? Language::Russian : Language::English;
  SortOptions sortOptions;
  sortOptions.WithNumbers = flags & 0x01u;
  sortOptions.Group = flags & 0x02u;
  sortOptions.Collapse = flags & 0x04u;
  SortColumns columns;
  for (std::size_t c = 0; c < clicks; ++c) {
    columns.Toggle(AllKeyColumns()[data[2 + c] % kKeyColumnCount]);
  }

  const std::string_view text = fuzz::AsText(data + 2 + clicks, size - 2 - clicks);
  const std::size_t split = text.find('\f');
  const std::vector<std::string> source = fuzz::SplitLines(text.substr(0, split));
  const std::vector<std::string> objects = fuzz::SplitLines(
      split == std::string_view::npos ? std::string_view{} : text.substr(split + 1));
  fuzz::BitAnswers answers(static_cast<std::uint8_t>(flags >> 5));
  NormalizeResult normalised = NormalizeACL(source, objects, checkOptions, answers);
  std::vector<std::string> list = normalised.ListLines.ToStrings();
  // Collapsing reads the source pane as the front ends hand it over: the
  // chosen list's entries when the pane holds the whole paste.
  std::vector<std::string> sourcePane =
      CollapseSourceOf(normalised.SourceLines, normalised.AclName, normalised.NumberedAs);
  if (list.empty()) {
    // Sort the lines as they are, as a hand-edited list pane would hold them.
    for (const std::string& line : source) {
      if (!TrimControls(line).empty()) list.push_back(line);
    }
    sourcePane = list;
  }

  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  const SortResult sorted =
      SortACL(columns, list, sourcePane, sortOptions, checkOptions, recognizer);
  fuzz::Require(sorted.Ran == (columns.ActiveKeyCount() > 0 || !sortOptions.WithNumbers),
                "the sort runs exactly when there is a key or numbers are hidden");
  if (sorted.Ran && !sortOptions.Collapse) {
    fuzz::Require(NonEmpty(sorted.MainOutput) + sorted.Problems.size() == list.size(),
                  "the sort lost or repeated a line");
    if (!sortOptions.Group) {
      fuzz::Require(NonEmpty(sorted.MainOutput) == sorted.MainOutput.size(),
                    "an empty line without grouping");
    }
    if (sortOptions.WithNumbers) {
      std::vector<std::string> shown;
      for (const std::string_view line : sorted.MainOutput) {
        if (!line.empty()) shown.emplace_back(line);
      }
      for (const ProblemLine& problem : sorted.Problems) shown.push_back(problem.Text);
      std::vector<std::string> expected = list;
      std::sort(shown.begin(), shown.end());
      std::sort(expected.begin(), expected.end());
      fuzz::Require(shown == expected, "the sort changed a line");
    }
  }

  // Collapsing a normalised list puts every entry back in one piece: each
  // rule of the list is there exactly once under its number, and no entry is
  // "not found" among the source lines the normaliser itself wrote.
  const bool fromNormaliser = !normalised.ListLines.empty() && normalised.CanOptimize;
  if (sorted.Ran && sortOptions.Collapse && sortOptions.WithNumbers && fromNormaliser &&
      CanCollapse(normalised.Used)) {
    std::vector<std::int32_t> shown;
    for (const std::string_view line : sorted.MainOutput) {
      if (line.empty()) continue;
      fuzz::Require(line.rfind("ACE ", 0) != 0, "a normalised entry not found", line);
      if (const auto number = SplitListLine(line).Number) shown.push_back(*number);
    }
    for (const std::string& line : list) {
      const std::uint8_t status = recognizer.Recognize(ListEntryText(line), checkOptions)->Status;
      if (status != StatusPermit && status != StatusDeny) continue;
      const std::int32_t number = SplitListLine(line).Number.value_or(-1);
      const auto times = std::count(shown.begin(), shown.end(), number);
      fuzz::Require(times > 0, "collapsing lost an entry", line);
      fuzz::Require(times == 1, "collapsing left an entry in pieces", line);
    }
  }

  const SortResult forCommands =
      SortACL(columns, list, sourcePane, CommandModeOptions(sortOptions.Collapse), checkOptions,
              recognizer);
  if (!forCommands.Ran) return 0;
  const ReorderCommands commands = GenerateReorderCommands(
      forCommands.MainOutput, forCommands.Problems.size(), normalised.AclName);
  if (commands.Outcome == CommandOutcome::Produced) {
    PlayCommands(forCommands.MainOutput, commands.Commands);
  } else {
    fuzz::Require(commands.Commands.empty(), "commands with a refusal");
  }
  if (commands.Outcome == CommandOutcome::Unchanged) {
    std::vector<std::int64_t> numbers;
    for (const std::string_view line : forCommands.MainOutput) {
      numbers.push_back(SplitListLine(line).Number.value_or(-1));
    }
    fuzz::Require(std::is_sorted(numbers.begin(), numbers.end()),
                  "an order called unchanged that is not ascending");
  }
  return 0;
}
