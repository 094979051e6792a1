#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/analysis_result.h"
#include "presentation/analysis_report.h"

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

// How a related line is coloured, the same in the related pane and on its
// report line: either in equal parts after its indentation, one per column
// group it belongs to, or whole, as the head of a column group; or not at all.
struct LineColouring {
  std::size_t Indent = 0;  // characters left uncoloured at the start
  std::vector<Rgb> Parts;  // in column order
  std::optional<Rgb> Whole;
};

// A stretch of one line, counted in the characters of the pane that shows it.
struct ColourRun {
  std::size_t Start = 0;
  std::size_t Length = 0;
  Rgb Colour;
  bool operator==(const ColourRun&) const = default;
};

// The runs that colour a line of `length` characters, whatever unit the pane
// counts in: the parts share what follows the indentation equally, the last
// one taking what the division leaves over.
std::vector<ColourRun> ColourRuns(const LineColouring& colouring, std::size_t length);

struct RelatedLine {
  std::size_t ReportLine = 0;  // the report line it shows, 0-based
  ReportLineStyle Style;
  bool Underlined = false;  // the line asked about
  LineColouring Colouring;
};

// What the related pane shows for one report line.
struct RelatedView {
  std::vector<RelatedLine> Lines;
  std::vector<std::uint32_t> Columns;  // the column groups, ascending
};

// The lines related to report line `line` (0-based): itself, the members of
// the group it heads and the heads of the groups it belongs to; in report
// order, or with `hierarchical` by level and then in report order. Empty when
// `line` is no report line.
RelatedView RelatedLinesOf(const AnalysisResult& result, std::size_t line, bool hierarchical);

}  // namespace kerbwise
