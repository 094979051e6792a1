#include "analysis/related_lines.h"

#include <algorithm>
#include <set>

#include "analysis/pane_text.h"

namespace kerbwise {
namespace {

bool IsRelated(const AnalysisLine& line, std::size_t k, const AnalysisLine& selected,
               std::size_t y) {
  if (k == y) return true;
  if (selected.Group != 0 && line.IsMemberOf(selected.Group)) return true;
  return line.Group != 0 && selected.IsMemberOf(line.Group);
}

// The groups that get a column: headed by one related line and holding
// another, unless their head is itself a member of a column group.
std::vector<std::uint32_t> ChooseColumns(const AnalysisResult& result,
                                         const std::vector<std::size_t>& related) {
  std::set<std::uint32_t> heads;
  std::set<std::uint32_t> members;
  for (const std::size_t k : related) {
    const AnalysisLine& line = result.Lines[k];
    if (line.Group != 0) heads.insert(line.Group);
    members.insert(line.Members.begin(), line.Members.end());
  }
  std::vector<std::uint32_t> columns;
  std::set_intersection(heads.begin(), heads.end(), members.begin(), members.end(),
                        std::back_inserter(columns));
  for (const std::size_t k : related) {
    const AnalysisLine& line = result.Lines[k];
    if (line.Group != 0 && line.SharesGroupWith(columns)) {
      columns.erase(std::remove(columns.begin(), columns.end(), line.Group), columns.end());
    }
  }
  return columns;
}

// Colours each related line and its report line by its columns: a line in
// several column groups is split into equal parts after its indentation; the
// head of a column group takes its colour whole.
void ColourLines(const AnalysisResult& result, RelatedView& view) {
  for (std::size_t m = 0; m < view.RelatedMap.size(); ++m) {
    const std::size_t k = view.RelatedMap[m];
    const AnalysisLine& line = result.Lines[k];
    const LineSpan report = ReportLineSpan(result, k);
    const std::size_t length = report.Length;
    const std::size_t indent = std::min(IndentWidth(line.Level), length);
    const std::size_t rest = length - indent;
    const auto parts = static_cast<std::size_t>(
        std::count_if(view.Columns.begin(), view.Columns.end(),
                      [&](std::uint32_t group) { return line.IsMemberOf(group); }));
    std::size_t part = 0;
    for (std::size_t c = 0; c < view.Columns.size(); ++c) {
      const std::uint32_t group = view.Columns[c];
      const Rgb colour = view.ColumnColours[c];
      if (line.IsMemberOf(group)) {
        const std::size_t share = rest / parts;
        const std::size_t offset = indent + part * share;
        ++part;
        // The last part takes what the division leaves over.
        const std::size_t partLength = part == parts ? rest - (parts - 1) * share : share;
        view.Spans.push_back(
            {AnalysisPane::Related, view.RelatedEnds[m] + offset, partLength, colour});
        view.Spans.push_back({AnalysisPane::Report, report.Start + offset, partLength, colour});
      } else if (group == line.Group) {
        view.Spans.push_back({AnalysisPane::Related, view.RelatedEnds[m], length, colour});
        view.Spans.push_back({AnalysisPane::Report, report.Start, length, colour});
      }
    }
  }
}

}  // namespace

LineSpan ReportLineSpan(const AnalysisResult& result, std::size_t line) {
  if (line >= result.Lines.size() || line >= result.ReportText.size()) return {};
  const std::size_t start = line == 0 ? 0 : result.Lines[line - 1].TextEnd;
  return {start, PaneLength(result.ReportText[line])};
}

std::optional<RelatedView> ShowRelatedLines(const AnalysisResult& result, std::size_t caretLine,
                                      bool hierarchical, bool forceRefresh,
                                      std::ptrdiff_t& selectedLine) {
  const std::size_t y = caretLine;
  if (y >= result.Lines.size() || y >= result.ReportText.size()) return std::nullopt;
  if (static_cast<std::ptrdiff_t>(y) == selectedLine && !forceRefresh) return std::nullopt;

  RelatedView view;
  if (selectedLine >= 0) view.UnderlineRemoved = static_cast<std::size_t>(selectedLine);
  view.UnderlineAdded = y;
  selectedLine = static_cast<std::ptrdiff_t>(y);

  const AnalysisLine& selected = result.Lines[y];
  std::vector<std::size_t> related;
  for (std::size_t k = 0; k < result.Lines.size(); ++k) {
    if (IsRelated(result.Lines[k], k, selected, y)) related.push_back(k);
  }
  if (hierarchical) {
    // One pass per level, each in report order.
    std::stable_sort(related.begin(), related.end(), [&](std::size_t a, std::size_t b) {
      return result.Lines[a].Level < result.Lines[b].Level;
    });
  }

  view.RelatedEnds.push_back(0);
  for (const std::size_t k : related) {
    const AnalysisLine& line = result.Lines[k];
    view.Text.push_back(result.ReportText[k]);
    view.RelatedEnds.push_back(view.RelatedEnds.back() + PaneLength(result.ReportText[k]) + 1);
    view.RelatedMap.push_back(k);
    view.Bold.push_back(IsBold(line));
    view.Italic.push_back(IsItalic(line));
    view.Underlined.push_back(k == y);
  }
  view.Columns = ChooseColumns(result, related);
  for (std::size_t c = 0; c < view.Columns.size(); ++c) {
    view.ColumnColours.push_back(kColumnColours[c % std::size(kColumnColours)]);
  }
  ColourLines(result, view);
  return view;
}

TitleTick BlinkTitle(int& count) {
  ++count;
  TitleTick tick;
  tick.Title = count % 2 == 1 ? "Result: CONFLICTS ONLY" : "Result";
  if (count >= 11) {
    count = 0;
    tick.NextIntervalMs = 10'000;
  }
  return tick;
}

}  // namespace kerbwise
