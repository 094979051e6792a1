#include "presentation/analysis_report.h"

#include "rules/primitives.h"
#include "text/phrase.h"
#include "text/presentation_texts.h"

namespace kerbwise {

std::string IndentText(std::uint64_t level) {
  if (level <= kIndentSteps) return std::string(static_cast<std::size_t>(level), ' ');
  return std::string(kIndentSteps, ' ') + '[' + std::to_string(level) + "] ";
}

std::string ReportLineText(const AnalysisLine& line) {
  // The index is unpadded, unlike the number pane's.
  return IndentText(line.Level) + std::to_string(line.ListIndex + 1) + ": " + line.Entry;
}

ReportLineStyle StyleOf(const AnalysisLine& line) {
  return {.Bold = line.HeadsGroup(), .Italic = line.IncompletePorts};
}

std::vector<std::string> AnalysisNumberPane(const AnalysisResult& result) {
  std::vector<std::string> pane;
  pane.reserve(result.LinesReached);
  const std::size_t width = DecimalDigits(result.ListSize);
  for (std::size_t k = 1; k <= result.LinesReached; ++k) pane.push_back(PaddedIndex(k, width));
  return pane;
}

std::vector<std::string> AnalysisResultLines(const AnalysisResult& result, Language language) {
  if (!result.Error) return {};
  return SplitAtLineBreaks(
      Fill(texts::kAnalysisErrorLine.In(language), {result.Error->Entry, result.Error->Message}));
}

ResultColour AnalysisResultColour(const AnalysisResult& result) {
  return result.Error ? ResultColour::Tooltip : ResultColour::Workspace;
}

std::optional<AnalysisMessage> NoRelationsMessage(const AnalysisResult& result, Language language) {
  if (result.Error || !result.Lines.empty()) return std::nullopt;
  return AnalysisMessage{std::string(texts::kNoRelationsCaption.In(language)),
                         std::string(texts::kNoRelationsMessage.In(language))};
}

}  // namespace kerbwise
