#include "analysis/report_commands.h"

#include <numeric>
#include <optional>
#include <string_view>

namespace kerbwise {
namespace {

// Adds the "no " command for one entry; an entry with a leading "0" is only
// noted.
void AddNoCommand(std::string_view entry, CopyNoResult& result) {
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
      return line.HeadsGroup() || line.IncompletePorts;
    default:
      return false;
  }
}

}  // namespace

std::vector<std::string> CopyAll(const AnalysisResult& result,
                                 const std::vector<std::size_t>& reportLines) {
  std::vector<std::string> copied;
  for (const std::size_t m : reportLines) {
    if (m < result.Lines.size()) copied.push_back(result.Lines[m].Entry);
  }
  return copied;
}

std::vector<std::string> CopyAllAndClose(const AnalysisResult& result,
                                         const std::vector<std::size_t>& relatedLines) {
  std::vector<std::string> copied = CopyAll(result, AllReportLines(result));
  copied.emplace_back(15, '-');
  for (std::string& line : CopyAll(result, relatedLines)) copied.push_back(std::move(line));
  return copied;
}

CopyNoResult CopyNo(const AnalysisResult& result, const std::vector<std::size_t>& reportLines,
                    CopyNoMode mode) {
  CopyNoResult copied;
  for (const std::size_t m : reportLines) {
    if (m >= result.Lines.size() || Skipped(result.Lines[m], mode)) continue;
    AddNoCommand(result.Lines[m].Entry, copied);
  }
  return copied;
}

std::vector<std::size_t> AllReportLines(const AnalysisResult& result) {
  std::vector<std::size_t> lines(result.Lines.size());
  std::iota(lines.begin(), lines.end(), std::size_t{0});
  return lines;
}

bool CanHideDerivedLines(const AnalysisResult& result, std::size_t line) {
  return line < result.Lines.size() && result.Lines[line].HeadsGroup() &&
         result.Lines[line].Group <= result.Groups.size();
}

bool HideDerivedLines(AnalysisResult& result, std::size_t line) {
  if (!CanHideDerivedLines(result, line)) return false;
  const std::uint32_t hidden = result.Lines[line].Group;
  result.Groups.erase(result.Groups.begin() + (hidden - 1));
  result.Lines[line].Group = 0;

  // New report positions of the lines that stay; none for those that go.
  std::vector<std::optional<std::size_t>> positions(result.Lines.size());
  std::vector<AnalysisLine> kept;
  for (std::size_t m = 0; m < result.Lines.size(); ++m) {
    AnalysisLine& record = result.Lines[m];
    record.Members.RemoveAndCloseGap(hidden);
    record.PartlyIn.RemoveAndCloseGap(hidden);
    if (record.Unrelated()) continue;
    if (record.Group > hidden) --record.Group;
    positions[m] = kept.size();
    kept.push_back(std::move(record));
  }
  for (AnalysisGroup& group : result.Groups) {
    if (group.Head)
      group.Head = *group.Head < positions.size() ? positions[*group.Head] : std::nullopt;
  }
  result.Lines = std::move(kept);
  return true;
}

}  // namespace kerbwise
