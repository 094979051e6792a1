#include "analysis/report_commands.h"

#include <algorithm>

#include "analysis/pane_text.h"

namespace kerbwise {
namespace {

constexpr std::string_view kSeparator = ": ";

std::string_view AfterSeparator(std::string_view line) {
  return line.substr(line.find(kSeparator) + kSeparator.size());
}

// The pane lines a selection touches. Line m spans from S, the end of the
// line before, to E = `ends[m]` - 1 (its break included); with A the
// selection's start and B = A + length - 1 its last offset, the line is
// touched when E >= A and S <= B, or E <= A and S >= B. Without a selection
// (B = A - 1) that is the line the caret stands in, unless the caret stands at
// its very start. The comparisons never step past either end of size_t, so a
// selection however far out touches no line it does not reach.
std::vector<std::size_t> TouchedLines(const std::vector<std::size_t>& ends,
                                      std::size_t selectionStart, std::size_t selectionLength) {
  const std::size_t a = selectionStart;
  const std::size_t length = selectionLength;
  std::vector<std::size_t> touched;
  std::size_t s = 0;
  for (std::size_t m = 0; m < ends.size(); ++m) {
    const std::size_t end = ends[m];
    const bool endAtOrAfterA = end > a;
    const bool endAtOrBeforeA = end == 0 || end - 1 <= a;
    const bool startAtOrBeforeB = length == 0 ? s < a : s < a || s - a < length;
    const bool startAtOrAfterB = length == 0 ? a == 0 || s >= a - 1 : s >= a && s - a >= length - 1;
    if ((endAtOrAfterA && startAtOrBeforeB) || (endAtOrBeforeA && startAtOrAfterB)) {
      touched.push_back(m);
    }
    s = end;
  }
  return touched;
}

// Adds the "no " command for one pane line; an entry with a leading "0" is
// only noted.
void AddNoCommand(std::string_view line, CopyNoResult& result) {
  const std::string_view entry = AfterSeparator(line);
  if (!entry.empty() && entry.front() == '0') {
    result.ZeroNumberedSkipped = true;
    return;
  }
  const std::size_t blank = entry.find(' ');
  const std::string_view withoutNumber =
      blank == std::string_view::npos ? std::string_view() : entry.substr(blank + 1);
  result.Lines.push_back("no " + std::string(withoutNumber));
}

bool Skipped(const AnalysisLine& line, CopyNoMode mode) {
  switch (mode) {
    case CopyNoMode::Redundant:
      return line.Level == 0 || line.IncompletePorts;
    case CopyNoMode::RedundantNotDerived:
      return line.Group != 0 || line.IncompletePorts;
    default:
      return false;
  }
}

std::vector<std::size_t> ReportEnds(const AnalysisResult& result) {
  std::vector<std::size_t> ends;
  ends.reserve(result.Lines.size());
  for (const AnalysisLine& line : result.Lines) ends.push_back(line.TextEnd);
  return ends;
}

void RecomputeTextEnds(AnalysisResult& result) {
  std::size_t end = 0;
  for (std::size_t m = 0; m < result.Lines.size(); ++m) {
    end += PaneLength(result.ReportText[m]) + 1;
    result.Lines[m].TextEnd = end;
  }
}

}  // namespace

std::vector<std::string> CopyAll(const std::vector<std::string>& paneLines) {
  std::vector<std::string> copied;
  for (const std::string& line : paneLines) {
    if (line.find(kSeparator) != std::string::npos) copied.emplace_back(AfterSeparator(line));
  }
  return copied;
}

std::vector<std::string> CopyAllAndClose(const std::vector<std::string>& reportLines,
                                         const std::vector<std::string>& relatedLines) {
  std::vector<std::string> copied = CopyAll(reportLines);
  copied.emplace_back(15, '-');
  for (std::string& line : CopyAll(relatedLines)) copied.push_back(std::move(line));
  return copied;
}

CopyNoResult CopyNo(const AnalysisResult& result, CopyNoMode mode, std::size_t selectionStart,
                    std::size_t selectionLength) {
  CopyNoResult copied;
  const std::size_t count = std::min(result.Lines.size(), result.ReportText.size());
  for (const std::size_t m : TouchedLines(ReportEnds(result), selectionStart, selectionLength)) {
    if (m >= count) break;
    const std::string& text = result.ReportText[m];
    if (text.find(kSeparator) == std::string::npos || Skipped(result.Lines[m], mode)) continue;
    AddNoCommand(text, copied);
  }
  return copied;
}

CopyNoResult CopyNoRelated(const RelatedView& view, std::size_t selectionStart,
                           std::size_t selectionLength) {
  CopyNoResult copied;
  const std::vector<std::size_t> ends(view.RelatedEnds.begin() + (view.RelatedEnds.empty() ? 0 : 1),
                                      view.RelatedEnds.end());
  for (const std::size_t m : TouchedLines(ends, selectionStart, selectionLength)) {
    if (m >= view.Text.size()) break;
    if (view.Text[m].find(kSeparator) != std::string::npos) AddNoCommand(view.Text[m], copied);
  }
  return copied;
}

std::string ZeroNumberedNotice(bool russian) {
  return russian ? "Правила, номера которых начинаются с \"0\", являются групповыми и скопированы "
                   "не будут.\r\nПредупреждать в дальнейшем ?"
                 : "Rules whose numbers begin with \"0\" will not be copied.\r\nNotify in the "
                   "future?";
}

bool CanHideDerivedLines(const AnalysisResult& result, std::size_t line) {
  return line < result.Lines.size() && result.Lines.size() == result.ReportText.size() &&
         result.Lines[line].Group != 0 && result.Lines[line].Group <= result.Groups.size();
}

bool HideDerivedLines(AnalysisResult& result, std::size_t line) {
  if (!CanHideDerivedLines(result, line)) return false;
  const std::uint32_t hidden = result.Lines[line].Group;
  result.Groups.erase(result.Groups.begin() + (hidden - 1));
  result.Lines[line].HeadsGroup = false;
  result.Lines[line].Group = 0;

  // New report positions (1-based) of the lines that stay; 0 for those that go.
  std::vector<std::size_t> positions(result.Lines.size() + 1, 0);
  std::vector<AnalysisLine> kept;
  std::vector<std::string> keptText;
  for (std::size_t m = 0; m < result.Lines.size(); ++m) {
    AnalysisLine& record = result.Lines[m];
    record.RemoveMember(hidden);
    if (record.MembersEmpty()) continue;
    for (std::uint32_t& group : record.Members) {
      if (group > hidden) --group;
    }
    if (record.Group > hidden) --record.Group;
    kept.push_back(std::move(record));
    keptText.push_back(std::move(result.ReportText[m]));
    positions[m + 1] = kept.size();
  }
  for (GroupSlot& slot : result.Groups) {
    slot.Head = slot.Head < positions.size() ? positions[slot.Head] : 0;
  }
  result.Lines = std::move(kept);
  result.ReportText = std::move(keptText);
  RecomputeTextEnds(result);
  return true;
}

}  // namespace kerbwise
