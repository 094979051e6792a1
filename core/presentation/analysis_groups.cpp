#include "presentation/analysis_groups.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "text/phrase.h"
#include "text/presentation_texts.h"

namespace kerbwise {
namespace {

std::string ListNumber(const AnalysisLine& line) { return std::to_string(line.ListIndex + 1); }

std::string MemberText(const AnalysisLine& line, std::uint32_t group, const AnalysisLine* head,
                       Language language, const HitMarks& marks) {
  std::string text = Fill(texts::kReportMember.In(language), {ListNumber(line), line.Entry});
  if (line.PartlyIn.Contains(group)) text += texts::kReportIncompletePorts.In(language);
  if (head != nullptr && Contradicts(line, *head)) text += texts::kReportNeverActs.In(language);
  return text + marks.TextOf(line, language);
}

}  // namespace

void WriteGroupReport(const AnalysisResult& result, Language language, const HitMarks& marks,
                      const std::function<void(const std::string&)>& write) {
  const std::vector<std::vector<std::uint32_t>> membersOf = MemberLinesByGroup(result);
  std::size_t groups = 0;
  // A group is worth its lines only for the members shown: with only the
  // conflicts shown, a head may have none left.
  const auto writeGroup = [&](const std::string& title, std::uint32_t group,
                              const AnalysisLine* head) {
    const std::vector<std::uint32_t>& members = membersOf[group - 1];
    if (members.empty()) return;
    write(title);
    for (const std::uint32_t k : members) {
      write(MemberText(result.Lines[k], group, head, language, marks));
    }
    ++groups;
  };
  for (const AnalysisLine& head : result.Lines) {
    if (!head.HeadsGroup() || head.Group > membersOf.size()) continue;
    writeGroup(
        Fill(texts::kReportGroupHead.In(language), {std::to_string(head.Group), ListNumber(head),
                                                    head.Entry + marks.TextOf(head, language)}),
        head.Group, &head);
  }
  for (std::uint32_t g = 1; g <= result.Groups.size(); ++g) {
    if (result.Groups[g - 1].Head) continue;
    writeGroup(Fill(texts::kReportHeadNotShown.In(language), {std::to_string(g)}), g, nullptr);
  }
  if (result.ConflictsOnly) write(std::string(texts::kReportConflictsOnly.In(language)));
  const auto inConflict = std::count_if(result.Lines.begin(), result.Lines.end(),
                                        [](const AnalysisLine& line) { return line.Conflict; });
  write(Fill(texts::kReportSummary.In(language),
             {std::to_string(result.Lines.size()), std::to_string(result.ListSize),
              std::to_string(groups), std::to_string(inConflict)}));
}

std::vector<std::string> GroupReportLines(const AnalysisResult& result, Language language,
                                          const HitMarks& marks) {
  std::vector<std::string> out;
  WriteGroupReport(result, language, marks, [&](const std::string& line) { out.push_back(line); });
  return out;
}

}  // namespace kerbwise
