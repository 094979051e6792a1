#include "presentation/analysis_related.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace kerbwise {
namespace {

bool IsRelated(const AnalysisLine& line, std::size_t k, const AnalysisLine& selected,
               std::size_t y) {
  if (k == y) return true;
  if (selected.HeadsGroup() && line.IsMemberOf(selected.Group)) return true;
  return line.HeadsGroup() && selected.IsMemberOf(line.Group);
}

// The groups that get a column: headed by one related line and holding
// another, unless their head is itself a member of a column group.
std::vector<std::uint32_t> ChooseColumns(const AnalysisResult& result,
                                         const std::vector<std::size_t>& related) {
  std::set<std::uint32_t> heads;
  std::set<std::uint32_t> members;
  for (const std::size_t k : related) {
    const AnalysisLine& line = result.Lines[k];
    if (line.HeadsGroup()) heads.insert(line.Group);
    members.insert(line.Members.begin(), line.Members.end());
  }
  GroupSet columns;
  for (const std::uint32_t group : heads) {
    if (members.count(group) != 0) columns.Add(group);
  }
  for (const std::size_t k : related) {
    const AnalysisLine& line = result.Lines[k];
    if (line.HeadsGroup() && line.Members.SharesAnyWith(columns)) columns.Remove(line.Group);
  }
  return {columns.begin(), columns.end()};
}

LineColouring ColouringOf(const AnalysisLine& line, const std::vector<std::uint32_t>& columns) {
  LineColouring colouring;
  colouring.Indent = IndentText(line.Level).size();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const Rgb colour = kColumnColours[c % std::size(kColumnColours)];
    if (line.IsMemberOf(columns[c])) {
      colouring.Parts.push_back(colour);
    } else if (columns[c] == line.Group) {
      colouring.Whole = colour;
    }
  }
  return colouring;
}

}  // namespace

std::vector<ColourRun> ColourRuns(const LineColouring& colouring, std::size_t length) {
  std::vector<ColourRun> runs;
  const std::size_t indent = std::min(colouring.Indent, length);
  const std::size_t rest = length - indent;
  const std::size_t parts = colouring.Parts.size();
  for (std::size_t part = 0; part < parts; ++part) {
    const std::size_t share = rest / parts;
    const std::size_t partLength = part + 1 == parts ? rest - (parts - 1) * share : share;
    runs.push_back({indent + part * share, partLength, colouring.Parts[part]});
  }
  if (colouring.Whole) runs.push_back({0, length, *colouring.Whole});
  return runs;
}

RelatedView RelatedLinesOf(const AnalysisResult& result, std::size_t line, bool hierarchical) {
  RelatedView view;
  if (line >= result.Lines.size()) return view;
  const AnalysisLine& selected = result.Lines[line];
  std::vector<std::size_t> related;
  for (std::size_t k = 0; k < result.Lines.size(); ++k) {
    if (IsRelated(result.Lines[k], k, selected, line)) related.push_back(k);
  }
  if (hierarchical) {
    // One pass per level, each in report order.
    std::stable_sort(related.begin(), related.end(), [&](std::size_t a, std::size_t b) {
      return result.Lines[a].Level < result.Lines[b].Level;
    });
  }
  view.Columns = ChooseColumns(result, related);
  for (const std::size_t k : related) {
    const AnalysisLine& reported = result.Lines[k];
    view.Lines.push_back({.ReportLine = k,
                          .Style = StyleOf(reported),
                          .Underlined = k == line,
                          .Colouring = ColouringOf(reported, view.Columns)});
  }
  return view;
}

}  // namespace kerbwise
