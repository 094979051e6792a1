#include "presentation/check_listing.h"

#include <algorithm>
#include <array>

#include "presentation/check_panes.h"
#include "text/presentation_texts.h"

namespace kerbwise {
namespace {

struct LegendLine {
  char Marker;
  const Phrase& Text;
};

const std::array<LegendLine, 5> kLegend{{
    {'+', texts::kLegendPermit},
    {'-', texts::kLegendDeny},
    {'?', texts::kLegendAddressesInPart},
    {'^', texts::kLegendPortsInPart},
    {'.', texts::kLegendAddressesAndPortsInPart},
}};

}  // namespace

std::vector<std::string> ResultListing(const CheckResult& result,
                                       const std::vector<std::string>& listLines) {
  std::vector<std::string> lines;
  for (const EntryMatch& match : result.Matches) {
    if (match.Kind == MatchKind::None) continue;
    std::string line{MarkerChar(match), ' '};
    // The list the result describes is the one shown; a shorter one leaves
    // the marker without its line rather than reading past the end.
    if (match.Index <= listLines.size()) line += listLines[match.Index - 1];
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> ResultLegend(const CheckResult& result, Language language) {
  std::vector<std::string> lines{"", "----------------------"};
  for (const LegendLine& legend : kLegend) {
    const bool occurs = std::any_of(
        result.Matches.begin(), result.Matches.end(), [&legend](const EntryMatch& match) {
          return match.Kind != MatchKind::None && MarkerChar(match) == legend.Marker;
        });
    if (occurs) lines.emplace_back(legend.Text.In(language));
  }
  return lines;
}

}  // namespace kerbwise
