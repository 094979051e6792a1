#include "presentation/analysis_groups.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "text/phrase.h"
#include "text/presentation_texts.h"

namespace kerbwise {
namespace {

std::string ListNumber(const AnalysisLine& line) { return std::to_string(line.ListIndex + 1); }

// Adds the member lines of `group`; returns how many there were.
std::size_t AddMembers(const AnalysisResult& result, std::uint32_t group, const AnalysisLine* head,
                       Language language, const HitMarks& marks, std::vector<std::string>& out) {
  std::size_t added = 0;
  for (const AnalysisLine& line : result.Lines) {
    if (!line.IsMemberOf(group)) continue;
    std::string text = Fill(texts::kReportMember.In(language), {ListNumber(line), line.Entry});
    if (std::binary_search(line.PartlyIn.begin(), line.PartlyIn.end(), group)) {
      text += texts::kReportIncompletePorts.In(language);
    }
    if (head != nullptr && Contradicts(line, *head)) text += texts::kReportNeverActs.In(language);
    text += marks.TextOf(line, language);
    out.push_back(std::move(text));
    ++added;
  }
  return added;
}

}  // namespace

std::vector<std::string> GroupReportLines(const AnalysisResult& result, Language language,
                                          const HitMarks& marks) {
  std::vector<std::string> out;
  std::size_t groups = 0;
  // A group is worth its lines only for the members shown: with only the
  // conflicts shown, a head may have none left.
  const auto addGroup = [&](std::string title, std::uint32_t group, const AnalysisLine* head) {
    std::vector<std::string> members;
    if (AddMembers(result, group, head, language, marks, members) == 0) return;
    out.push_back(std::move(title));
    out.insert(out.end(), members.begin(), members.end());
    ++groups;
  };
  for (const AnalysisLine& head : result.Lines) {
    if (!head.HeadsGroup()) continue;
    addGroup(
        Fill(texts::kReportGroupHead.In(language), {std::to_string(head.Group), ListNumber(head),
                                                    head.Entry + marks.TextOf(head, language)}),
        head.Group, &head);
  }
  for (std::uint32_t g = 1; g <= result.Groups.size(); ++g) {
    if (result.Groups[g - 1].Head) continue;
    addGroup(Fill(texts::kReportHeadNotShown.In(language), {std::to_string(g)}), g, nullptr);
  }
  if (result.ConflictsOnly) out.emplace_back(texts::kReportConflictsOnly.In(language));
  const auto inConflict = std::count_if(result.Lines.begin(), result.Lines.end(),
                                        [](const AnalysisLine& line) { return line.Conflict; });
  out.push_back(Fill(texts::kReportSummary.In(language),
                     {std::to_string(result.Lines.size()), std::to_string(result.ListSize),
                      std::to_string(groups), std::to_string(inConflict)}));
  return out;
}

}  // namespace kerbwise
