#include "analysis/analyse_list.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <thread>

#include "analysis/pair_rows.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "run/progress_pacer.h"
#include "text/analysis_texts.h"

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
  explicit GroupBuilder(std::vector<AnalysisLine> lines) : lines_(std::move(lines)) {}

  // Line m lies inside line h: m becomes a member of the group h heads.
  void Join(std::size_t m, std::size_t h, bool incomplete) {
    std::uint32_t g = lines_[h].Group;
    if (g == 0) g = FormGroup(h);
    AnalysisLine& member = lines_[m];
    if (!member.IsMemberOf(g)) {
      member.Members.Add(g);
      if (member.Group != 0) memberGroups_[g - 1].Add(member.Group);
    }
    if (incomplete) {
      member.IncompletePorts = true;
      member.PartlyIn.Add(g);
    }
    member.Level = Slot(g).Level + 1;
    // A head that sinks a level takes the groups headed by its members with it.
    if (const std::uint32_t own = member.Group; own != 0) {
      Slot(own).Level = Slot(g).Level + 1;
      // The hottest loop of a list of repeated entries: a run of groups in a row.
      AnalysisGroup* const groups = groups_.data();
      for (const GroupSet::Run& run : memberGroups_[own - 1].Runs()) {
        for (std::uint64_t k = run.First; k <= run.Last; ++k) ++groups[k - 1].Level;
      }
    }
  }

  std::vector<AnalysisLine>& Lines() { return lines_; }
  std::vector<AnalysisGroup>& Groups() { return groups_; }

 private:
  AnalysisGroup& Slot(std::uint32_t g) { return groups_[g - 1]; }

  std::uint32_t FormGroup(std::size_t h) {
    groups_.push_back({std::nullopt, lines_[h].Level});
    memberGroups_.emplace_back();
    const auto g = static_cast<std::uint32_t>(groups_.size());
    lines_[h].Group = g;
    for (const std::uint32_t group : lines_[h].Members) memberGroups_[group - 1].Add(g);
    return g;
  }

  std::vector<AnalysisLine> lines_;
  std::vector<AnalysisGroup> groups_;
  // For each group, the groups headed by its members.
  std::vector<GroupSet> memberGroups_;
};

char LowerFirst(const std::string& text) {
  return text.empty() ? '\0'
                      : static_cast<char>(std::tolower(static_cast<unsigned char>(text.front())));
}

// The report line's level: a head's group level, otherwise one below the
// deepest group the line belongs to.
std::uint64_t ReportLevel(const AnalysisLine& line, const std::vector<AnalysisGroup>& groups) {
  if (line.Group != 0) return groups[line.Group - 1].Level;
  std::uint64_t deepest = 0;
  line.Members.ForEach([&](std::uint32_t g) { deepest = std::max(deepest, groups[g - 1].Level); });
  return deepest + 1;
}

// Keeps the lines to report, in order, at their report levels; group heads
// point at their report lines.
void KeepReported(std::vector<AnalysisLine> lines, std::vector<AnalysisGroup> groups,
                  AnalysisResult& result) {
  for (AnalysisLine& line : lines) {
    if (line.Unrelated() || (result.ConflictsOnly && !line.Conflict)) continue;
    line.Level = ReportLevel(line, groups);
    if (line.Group != 0) groups[line.Group - 1].Head = result.Lines.size();
    result.Lines.push_back(std::move(line));
  }
  result.Groups = std::move(groups);
}

}  // namespace

AnalysisResult AnalyseList(const std::vector<std::string>& listLines, const CheckOptions& options,
                           LineRecognizer& recognizer, AnswerSource& answers,
                           const ProgressCallback& progress, const AnalysisRun& run) {
  AnalysisResult result;
  const std::size_t n = listLines.size();
  result.ListSize = n;
  if (n < 2) return result;

  CheckOptions runOptions = options;
  runOptions.PartialAddresses = false;  // only whole cover makes a relation
  const MatchSettings settings{.PartialPorts = !options.PortsInSet,
                               .AnyOverlap = options.AnyPortOverlap,
                               .ReverseMode = false};

  ProgressPacer pacer(progress);
  pacer.Restart();
  // Each line is recognised once, here; the pairs compare the records.
  std::vector<RecognisedLine> recognised;
  std::vector<AnalysisLine> lines(n);
  recognised.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    const std::string entry = ListEntryText(listLines[k]);
    lines[k].ListIndex = k;
    lines[k].Entry = TrimControls(listLines[k]);
    // A matching entry begins with permit or deny.
    lines[k].Permits = LowerFirst(entry) == 'p';
    recognised.push_back(RecogniseLine(entry, runOptions, recognizer));
    pacer.Report(0);
  }
  const PairComparer comparer(std::move(recognised), settings, runOptions,
                              [&pacer] { pacer.Report(0); });
  std::optional<PairIndex> index;
  if (run.Indexed) index.emplace(comparer.Entries());
  const PairIndex* pairs = index ? &*index : nullptr;

  GroupBuilder builder(std::move(lines));
  ForEachRow(comparer, pairs, ChooseThreads(run, n), [&](std::size_t i, PairRow& row) {
    result.LinesReached = i + 1;
    std::vector<AnalysisLine>& all = builder.Lines();
    for (const PairFinding& finding : row.Findings) {
      pacer.Tick();  // a row of a list of like entries finds them all
      const std::size_t j = finding.Later;
      if (finding.InsideLater) {
        builder.Join(i, j, finding.PortsIncomplete);
        continue;
      }
      // A later line inside an earlier one of the opposite action never acts.
      if (all[i].Permits != all[j].Permits) {
        all[i].Conflict = true;
        all[j].Conflict = true;
        result.ConflictsFound = true;
      }
      builder.Join(j, i, finding.PortsIncomplete);
    }
    if (row.Error) {
      const MatchResult failed = comparer.Explain(row.Error->Rule, row.Error->Subject);
      result.Error = AnalysisError{row.Error->Rule, row.Error->Subject, all[row.Error->Rule].Entry,
                                   failed.Message};
      return false;
    }
    pacer.Report(PairsDonePercent(n, i + 1));
    return true;
  });
  if (result.Error) return result;
  result.LinesReached = n;

  if (result.ConflictsFound) {
    result.ConflictsOnly =
        answers.Ask({QuestionId::ConflictsOnly, "",
                     std::string(texts::kConflictsOnlyQuestion.In(options.TextLanguage))});
  }
  KeepReported(std::move(builder.Lines()), std::move(builder.Groups()), result);
  return result;
}

}  // namespace kerbwise
