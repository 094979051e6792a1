#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analyse_list.h"

namespace kerbwise {

struct Rgb {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The colours of the group columns, taken in turn.
inline constexpr Rgb kColumnColours[] = {{0, 0, 255}, {255, 0, 255}, {0, 128, 0},    {128, 0, 0},
                                         {255, 0, 0}, {0, 128, 128}, {128, 128, 128}};

enum class AnalysisPane : std::uint8_t { Report, Related };

// Characters of a pane to colour, as offsets of that pane.
struct ColouredSpan {
  AnalysisPane Pane = AnalysisPane::Related;
  std::size_t Start = 0;
  std::size_t Length = 0;
  Rgb Colour;
  bool operator==(const ColouredSpan&) const = default;
};

// Where a line stands in its pane: its first character and its text's length.
struct LineSpan {
  std::size_t Start = 0;
  std::size_t Length = 0;
  bool operator==(const LineSpan&) const = default;
};

// What the related pane shows for one report line.
struct RelatedView {
  std::vector<std::string> Text;               // the related lines, each a report line's text
  std::vector<std::size_t> RelatedMap;         // for each related line, its report line (0-based)
  std::vector<std::size_t> RelatedEnds;        // 0, then the offset just after each related line
  std::vector<bool> Bold, Italic, Underlined;  // the style of each related line
  std::vector<std::uint32_t> Columns;          // group numbers, ascending
  std::vector<Rgb> ColumnColours;              // parallel to Columns
  // Applied in order, after the report pane's text is reset to its font colour.
  std::vector<ColouredSpan> Spans;
  // The report line whose underline goes, and the one that gets it.
  std::optional<std::size_t> UnderlineRemoved;
  std::size_t UnderlineAdded = 0;
};

// The span of report line `line` (0-based) in the report pane.
LineSpan ReportLineSpan(const AnalysisResult& result, std::size_t line);

// Fills the related pane for the report line the caret stands in. Nothing is
// done (nullopt) when that is no report line, or when it is `selectedLine`
// (-1 for none) and no refresh is forced (toggling the hierarchical view
// forces one). Otherwise `selectedLine` becomes `caretLine`. The related
// lines are in report order, or with `hierarchical` by level and then in
// report order.
std::optional<RelatedView> ShowRelatedLines(const AnalysisResult& result, std::size_t caretLine,
                                      bool hierarchical, bool forceRefresh,
                                      std::ptrdiff_t& selectedLine);

// The title of the analysis window on a tick of its blinking timer, when only
// the conflicts are shown. `count` is the timer's count, updated here.
struct TitleTick {
  std::string Title;
  int NextIntervalMs = 100;
};
TitleTick BlinkTitle(int& count);

}  // namespace kerbwise
