// A pasted list and an object pane through the normaliser. The first byte
// picks the mask type, the language and the answers to the numbering
// questions; the rest is the list, then, after a form feed, the object pane.
//
// Beyond not crashing, no entry may be lost: every source line that cleaning
// keeps (not blank, no "#", not "statistics per-entry", not a header, not
// only counters) must
// come back as a cleaned line, and every cleaned line must reach the list
// pane, unchanged behind one blank or as derived lines carrying its number,
// unless the run reports why (cancelled, or an object error with an empty
// list).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "intake/normalize_acl.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace {

using kerbwise::TrimControls;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Whether cleaning keeps the line as an entry.
bool KeptByCleaning(std::string_view raw) {
  const std::string_view line = TrimControls(raw);
  const std::string_view entry = kerbwise::SplitListLine(line).Entry;
  // A remark is kept whole, brackets and "#" included.
  if (entry.substr(0, 6) == "remark" && (entry.size() == 6 || entry[6] == ' ')) return true;
  if (line.empty() || line.find('#') != std::string_view::npos || line == "statistics per-entry") {
    return false;
  }
  std::size_t cut = line.find('(');
  if (cut == std::string_view::npos) cut = line.find('[');
  std::string_view kept = line.substr(0, cut);
  // The cut drops trailing control characters too, as TrimControls does.
  while (!kept.empty() && static_cast<unsigned char>(kept.back()) <= ' ') kept.remove_suffix(1);
  // A line of counters alone carries no entry.
  return !kept.empty() &&
         !(StartsWith(kept, "ip access-list ") || StartsWith(kept, "Extended IP access list ") ||
           StartsWith(kept, "IP access list "));
}

std::string FirstWord(std::string_view text) { return std::string(text.substr(0, text.find(' '))); }

// What the lines expanded from a cleaned line start with: its indent, then
// its number behind a "0".
std::string DerivedPrefix(const std::string& line) {
  const std::size_t padLength = std::min(line.find_first_not_of(' '), line.size());
  return line.substr(0, padLength) + "0" + FirstWord(TrimControls(line));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  if (size == 0) return 0;
  CheckOptions options;
  options.MaskType = data[0] & 0x80u ? MaskForm::Netmask : MaskForm::Wildcard;
  options.TextLanguage = data[0] & 0x40u ? Language::Russian : Language::English;
  fuzz::BitAnswers answers(data[0]);
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  const std::size_t split = text.find('\f');
  const std::vector<std::string> source = fuzz::SplitLines(text.substr(0, split));
  const std::vector<std::string> objects = fuzz::SplitLines(
      split == std::string_view::npos ? std::string_view{} : text.substr(split + 1));

  const NormalizeResult result = NormalizeACL(source, objects, options, answers);
  fuzz::Require(answers.Asked() <= 2, "more than two questions");
  if (!result.Ran) return 0;

  std::size_t kept = 0;
  for (const std::string& line : source) kept += KeptByCleaning(line);
  std::vector<std::string> cleaned = result.SourceLines;
  // A run that leaves the list pane empty puts the header line back; a
  // cancelled run leaves the cleaned lines without it.
  if (!result.Cancelled && result.ListLines.empty() && !result.HeaderLine.empty()) {
    fuzz::Require(!cleaned.empty() && result.HeaderIndex <= kept, "the header line is not back");
    const std::size_t at = std::min(result.HeaderIndex, cleaned.size() - 1);
    fuzz::Require(cleaned[at] == result.HeaderLine, "the header line is not back at its place");
    cleaned.erase(cleaned.begin() + static_cast<std::ptrdiff_t>(at));
  }
  fuzz::Require(cleaned.size() == kept, "cleaning lost or invented an entry");

  if (result.Cancelled || result.Error) {
    fuzz::Require(result.ListLines.empty(), "a failed run left a list");
    return 0;
  }
  // Walk the list pane along the cleaned lines. Entries that share a number
  // expand into lines with one prefix, so a run of them is walked together:
  // their unchanged lines must come in order, and there must be at least one
  // derived line for each of them that is not unchanged. A line that could be
  // either a derived line or the next entry unchanged is taken as the latter.
  const std::vector<std::string>& list = result.ListLines;
  std::size_t next = 0;
  for (std::size_t i = 0; i < cleaned.size();) {
    const std::string derived = DerivedPrefix(cleaned[i]);
    std::size_t end = i + 1;
    while (end < cleaned.size() && DerivedPrefix(cleaned[end]) == derived) ++end;
    fuzz::Require(next < list.size(), "an entry did not reach the list", cleaned[i]);
    std::size_t unchanged = 0;
    std::size_t expanded = 0;
    const auto runEnd = cleaned.begin() + static_cast<std::ptrdiff_t>(end);
    for (auto from = cleaned.begin() + static_cast<std::ptrdiff_t>(i); next < list.size(); ++next) {
      const auto same = [&](const std::string& line) { return list[next] == " " + line; };
      if (const auto keptLine = std::find_if(from, runEnd, same); keptLine != runEnd) {
        from = keptLine + 1;
        ++unchanged;
      } else if (StartsWith(list[next], derived + " ") &&
                 (runEnd == cleaned.end() || list[next] != " " + *runEnd)) {
        ++expanded;
      } else {
        break;
      }
    }
    fuzz::Require(expanded >= end - i - unchanged && (expanded == 0 || unchanged < end - i),
                  "an entry is neither kept nor expanded", cleaned[i]);
    i = end;
  }
  fuzz::Require(next == result.ListLines.size(), "the list holds lines of no entry");
  return 0;
}
