// A pasted list and an object pane through the normaliser. The first byte
// picks the mask type, the language and the answers to the numbering
// questions; the rest is the list, then, after a form feed, the object pane.
//
// Beyond not crashing, the run must account for every line: each source
// line is dropped, a header, a kept line or a line of another list or an
// object group of the paste (the counts add up), the kept lines keep their
// text and their order, and each kept line reaches the list pane unchanged
// behind one blank or as the derived lines the counts report, unless the run
// says why not (cancelled, or an object error with an empty list). A paste
// of more than one list comes back whole, and its hit counts run beside the
// list lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "intake/normalize_acl.h"
#include "intake/wildcard_bits.h"

namespace {

// A kept line without the leading blanks and number that numbering may have
// added, given or changed: the text the source line must still hold.
std::string_view Body(std::string_view line) {
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return {};
  line.remove_prefix(blank + 1);
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  return line;
}

// Kept lines must come from source lines in order: a subsequence check that
// takes the earliest source line holding each body. The one rewrite cleaning
// makes, the mask of show output's "A, wildcard bits W" in configuration
// form, follows the cut of a counter and the trim of blanks and control
// characters at both ends, so it is tried on the source line and on each
// part of it before a bracket, so trimmed.
void RequireInSourceOrder(const std::vector<std::string>& source,
                          const std::vector<std::string>& kept, kerbwise::MaskForm maskType) {
  std::size_t from = 0;
  const auto holds = [&](std::size_t at, std::string_view body) {
    const std::string_view line = source[at];
    if (line.find(body) != std::string::npos) return true;
    for (std::size_t end = line.size(); end != std::string::npos;
         end = end == 0 ? std::string::npos : line.find_last_of("([", end - 1)) {
      std::string_view part = line.substr(0, end);
      while (!part.empty() && static_cast<unsigned char>(part.back()) <= ' ') {
        part.remove_suffix(1);
      }
      while (!part.empty() && static_cast<unsigned char>(part.front()) <= ' ') {
        part.remove_prefix(1);
      }
      if (kerbwise::WithConfigurationMasks(part, maskType).find(body) != std::string::npos) {
        return true;
      }
    }
    return false;
  };
  for (const std::string& line : kept) {
    const std::string_view body = Body(line);
    while (from < source.size() && !holds(from, body)) ++from;
    kerbwise::fuzz::Require(from < source.size(), "a kept line is out of order or invented", line);
    ++from;
  }
}

// The list lines in [from, to) must all be derived: after the alignment
// blanks, a "0" and the source entry's number.
void RequireDerived(const std::vector<std::string>& list, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    const std::size_t start = list[i].find_first_not_of(' ');
    kerbwise::fuzz::Require(start != std::string::npos && list[i][start] == '0',
                            "a list line belongs to no entry", list[i]);
  }
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
  const IntakeCounts& counts = result.Counts;
  fuzz::Require(
      counts.Dropped + counts.Headers + counts.Entries + counts.Elsewhere == source.size(),
      "taking the paste apart lost or invented a line");
  fuzz::Require(result.Hits.size() == result.ListLines.size(), "hit counts beside no entry");
  if (result.PasteKept) {
    fuzz::Require(result.SourceLines.size() == source.size(), "the paste did not come back whole");
    for (std::size_t i = 0; i < source.size(); ++i) {
      fuzz::Require(source[i].find(result.SourceLines[i]) != std::string::npos,
                    "the paste did not come back as it was", source[i]);
    }
    return 0;
  }
  fuzz::Require(counts.Elsewhere == 0, "a paste of one list held more");
  fuzz::Require(result.HasHeader() == (counts.Headers > 0), "a header went uncounted");

  // A run that leaves the list pane empty puts the header line back; a
  // cancelled run leaves the kept lines without it.
  std::vector<std::string> kept = result.SourceLines.ToStrings();
  if (!result.Cancelled && result.ListLines.empty() && result.HasHeader()) {
    const std::size_t at = std::min(result.HeaderIndex, kept.size() - 1);
    fuzz::Require(!kept.empty() && kept[at] == result.HeaderLine, "the header line is not back");
    kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(at));
  }
  fuzz::Require(counts.Entries == kept.size(), "cleaning lost or invented a line");
  RequireInSourceOrder(source, kept, options.MaskType);

  if (result.Cancelled || result.Error) {
    fuzz::Require(result.ListLines.empty(), "a failed run left a list");
    return 0;
  }
  const std::vector<std::string> list = result.ListLines.ToStrings();
  fuzz::Require(counts.ExpandedEntries <= kept.size() &&
                    list.size() == kept.size() - counts.ExpandedEntries + counts.DerivedEntries,
                "the list holds more or fewer lines than its entries make");
  // The entries left as they were stand in the list in their order; every
  // other line is a derived one, its source number behind a "0".
  std::size_t next = 0;
  std::size_t unchanged = 0;
  for (const std::string& line : kept) {
    const auto at =
        std::find(list.begin() + static_cast<std::ptrdiff_t>(next), list.end(), " " + line);
    if (at == list.end()) continue;
    RequireDerived(list, next, static_cast<std::size_t>(at - list.begin()));
    next = static_cast<std::size_t>(at - list.begin()) + 1;
    ++unchanged;
  }
  RequireDerived(list, next, list.size());
  fuzz::Require(unchanged >= kept.size() - counts.ExpandedEntries,
                "an entry did not reach the list");
  return 0;
}
