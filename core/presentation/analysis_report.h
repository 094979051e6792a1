#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_result.h"
#include "presentation/result_colour.h"
#include "text/language.h"

namespace kerbwise {

// What goes before a report line's index: one blank per level down to
// kIndentSteps, which a reader can still follow by eye. A deeper line stays
// at that depth and says its level there, as "[17] ". Levels grow that deep
// when many entries cover one another (repeated entries, say), and without
// the cap the text drifts out of sight. The marker holds no ": ", which
// separates the index from the list line. Plain ASCII, so its size is its
// width in characters in any pane.
inline constexpr std::size_t kIndentSteps = 16;
std::string IndentText(std::uint64_t level);

// A line of the report pane (and of the related pane): the indentation of its
// level, its 1-based list index, ": " and the list line.
std::string ReportLineText(const AnalysisLine& line);

// Bold for a group head, italic for a line covered only with an incomplete set
// of ports.
struct ReportLineStyle {
  bool Bold = false;
  bool Italic = false;
};
ReportLineStyle StyleOf(const AnalysisLine& line);

// The number pane after a run: the index of every line the run reached,
// zero-padded to the width of the list's length.
std::vector<std::string> AnalysisNumberPane(const AnalysisResult& result);

// The result line: after an error "Line: ", the rule's list line, ": " and the
// message, split at its line breaks, on the tooltip colour; otherwise empty on
// the workspace colour.
std::vector<std::string> AnalysisResultLines(const AnalysisResult& result, Language language);
ResultColour AnalysisResultColour(const AnalysisResult& result);

// The message box shown instead of the window when a run without error
// relates no lines.
struct AnalysisMessage {
  std::string Caption;
  std::string Text;
};
std::optional<AnalysisMessage> NoRelationsMessage(const AnalysisResult& result, Language language);

}  // namespace kerbwise
