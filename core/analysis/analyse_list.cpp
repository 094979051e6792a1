#include "analysis/analyse_list.h"

#include <algorithm>
#include <cctype>
#include <thread>

#include "analysis/pair_rows.h"
#include "analysis/pane_text.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace kerbwise {
namespace {

// Below this many lines the pairs are too few to be worth a thread.
constexpr std::size_t kLinesForThreads = 300;

// The share of pairs done after the rows of lines 1..i (1-based), rounded.
int PairsDonePercent(std::size_t lines, std::size_t i) {
  const std::uint64_t n = lines;
  const std::uint64_t done = n * i - i * (i + 1) / 2;
  const std::uint64_t all = n * (n - 1) / 2;
  return static_cast<int>((done * 200 + all) / (all * 2));
}

unsigned ChooseThreads(const AnalysisRun& run, std::size_t lines) {
  if (run.Threads != 0) return run.Threads;
  if (lines < kLinesForThreads) return 1;
  return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

// The groups and their members as the pairs are found. Lines are 0-based
// here; group g is groups_[g - 1].
class GroupBuilder {
 public:
  explicit GroupBuilder(std::size_t lines) : lines_(lines) {}

  // Line m lies inside line h: m becomes a member of the group h heads.
  void Join(std::size_t m, std::size_t h, bool incomplete) {
    std::uint32_t g = lines_[h].Group;
    if (g == 0) g = FormGroup(h);
    AnalysisLine& member = lines_[m];
    if (!member.IsMemberOf(g)) {
      member.AddMember(g);
      if (member.Group != 0) memberGroups_[g - 1].push_back(member.Group);
    }
    if (incomplete) member.IncompletePorts = true;
    lines_[h].HeadsGroup = true;
    member.Level = Slot(g).Level + 1;
    // A head that sinks a level takes the groups headed by its members with it.
    if (const std::uint32_t own = member.Group; own != 0) {
      Slot(own).Level = Slot(g).Level + 1;
      for (const std::uint32_t group : memberGroups_[own - 1]) ++Slot(group).Level;
    }
  }

  std::vector<AnalysisLine>& Lines() { return lines_; }
  GroupTable& Groups() { return groups_; }

 private:
  GroupSlot& Slot(std::uint32_t g) { return groups_[g - 1]; }

  std::uint32_t FormGroup(std::size_t h) {
    groups_.push_back({h + 1, lines_[h].Level});
    memberGroups_.emplace_back();
    const auto g = static_cast<std::uint32_t>(groups_.size());
    lines_[h].Group = g;
    for (const std::uint32_t group : lines_[h].Members) memberGroups_[group - 1].push_back(g);
    return g;
  }

  std::vector<AnalysisLine> lines_;
  GroupTable groups_;
  // For each group, the groups headed by its members.
  std::vector<std::vector<std::uint32_t>> memberGroups_;
};

char LowerFirst(const std::string& text) {
  return text.empty() ? '\0'
                      : static_cast<char>(std::tolower(static_cast<unsigned char>(text.front())));
}

// The report line's level: a head's group level, otherwise one below the
// deepest group the line belongs to.
std::uint64_t ReportLevel(const AnalysisLine& line, const GroupTable& groups) {
  if (line.Group != 0) return groups[line.Group - 1].Level;
  std::uint64_t deepest = 0;
  for (const std::uint32_t g : line.Members) deepest = std::max(deepest, groups[g - 1].Level);
  return deepest + 1;
}

// Keeps the lines shown, in order, with their texts; group heads follow their
// lines to their report positions.
void BuildReport(const std::vector<std::string>& listLines, std::vector<AnalysisLine> lines,
                 GroupTable groups, AnalysisResult& result) {
  for (GroupSlot& slot : groups) slot.Head = 0;  // set again below for the heads shown
  std::size_t textEnd = 0;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    AnalysisLine& line = lines[k];
    if (line.MembersEmpty() || (result.ConflictsOnly && !line.Conflict)) continue;
    line.Level = ReportLevel(line, groups);
    std::string text = IndentText(line.Level);
    text += std::to_string(k + 1);  // unpadded, unlike the number pane
    text += ": ";
    text += TrimControls(listLines[k]);
    textEnd += PaneLength(text) + 1;
    line.TextEnd = textEnd;
    if (line.Group != 0) groups[line.Group - 1].Head = result.Lines.size() + 1;
    result.Lines.push_back(std::move(line));
    result.ReportText.push_back(std::move(text));
  }
  result.Groups = std::move(groups);
}

}  // namespace

std::string IndentText(std::uint64_t level) {
  if (level <= kIndentSteps) return std::string(static_cast<std::size_t>(level), ' ');
  return std::string(kIndentSteps, ' ') + '[' + std::to_string(level) + "] ";
}

AnalysisResult AnalyseList(const std::vector<std::string>& listLines, const CheckOptions& options,
                           LineRecognizer& recognizer, AnswerSource& answers,
                           const ProgressCallback& progress, const AnalysisRun& run) {
  AnalysisResult result;
  const std::size_t n = listLines.size();
  if (n < 2) return result;
  result.Ran = true;

  CheckOptions runOptions = options;
  runOptions.PartialAddresses = false;  // only whole cover makes a relation
  const MatchSettings settings{
      .PartialPorts = !options.PortsInSet, .AnyOverlap = options.AnyPortOverlap, .ReverseMode = false};

  // Each line is recognised once, here; the pairs compare the records.
  std::vector<RecognisedLine> recognised;
  std::vector<char> firstChars;
  recognised.reserve(n);
  firstChars.reserve(n);
  for (const std::string& line : listLines) {
    const std::string entry = ListEntryText(line);
    firstChars.push_back(LowerFirst(entry));
    recognised.push_back(RecogniseLine(entry, runOptions, recognizer));
  }
  const PairComparer comparer(std::move(recognised), settings, runOptions);

  if (progress) progress(0);
  int lastPercent = 0;
  const std::size_t width = DecimalDigits(n);
  GroupBuilder builder(n);
  std::optional<PairError> error;
  result.NumberPane.reserve(n);
  ForEachRow(comparer, ChooseThreads(run, n), [&](std::size_t i, PairRow& row) {
    result.NumberPane.push_back(PaddedIndex(i + 1, width));
    for (const PairFinding& finding : row.Findings) {
      const std::size_t j = finding.Later;
      if (finding.InsideLater) {
        builder.Join(i, j, finding.PortsIncomplete);
        continue;
      }
      // A later line inside an earlier one of the opposite action never acts.
      if (firstChars[i] != firstChars[j]) {
        builder.Lines()[i].Conflict = true;
        builder.Lines()[j].Conflict = true;
        result.ConflictsFound = true;
      }
      builder.Join(j, i, finding.PortsIncomplete);
    }
    if (row.Error) {
      error = row.Error;
      return false;
    }
    const int percent = PairsDonePercent(n, i + 1);
    if (percent != lastPercent && progress) progress(percent);
    lastPercent = percent;
    return true;
  });

  if (error) {
    const bool russian = (options.TextLanguage == Language::Russian);
    std::string text = russian ? "Строка: " : "Line: ";
    text += TrimControls(listLines[error->Rule]);
    text += ": " + comparer.Explain(error->Rule, error->Subject).Message;
    result.ResultLines = SplitAtLineBreaks(text);
    result.Colour = ResultColour::Tooltip;
    result.Error = true;
    return result;
  }
  result.NumberPane.push_back(PaddedIndex(n, width));

  if (result.ConflictsFound) {
    result.ConflictsOnly =
        answers.Ask({QuestionId::ConflictsOnly, "",
                     (options.TextLanguage == Language::Russian) ? "Имеются конфликтующие правила. Показать только их ?"
                                     : "There are conflicting rules. Show only them ?"});
  }
  BuildReport(listLines, std::move(builder.Lines()), std::move(builder.Groups()), result);
  if (result.Lines.empty()) {
    result.Message = (options.TextLanguage == Language::Russian) ? "Избыточных или конфликтующих правил нет"
                                     : "There are no excess or conflicting rules";
    result.MessageCaption = (options.TextLanguage == Language::Russian) ? "Всё ok !" : "All is ok !";
  }
  return result;
}

}  // namespace kerbwise
