// A short list through the analysis. The first byte picks the options and the
// answer to the conflict question; the rest are the list lines (at most 12).
//
// - The pair comparer the analysis uses must give, for every ordered pair, the
//   outcome and the port flag CheckForMatch gives for the same two lines.
// - The report must show exactly the lines that CheckForMatch relates to
//   another line (or, when only conflicts are shown, the lines in conflict),
//   and an error must name the line of the first pair that ends in one.
// - A subject said to lie inside a rule must have its corner packets fall
//   under the rule by a plain reading of the rule.
// - Sharing the pairs out over threads must not change the result.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "analysis/analyse_list.h"
#include "analysis/pair_comparer.h"
#include "check/check_for_match.h"
#include "fuzz_support.h"
#include "packet_oracle.h"
#include "presentation/analysis_report.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace {

using namespace kerbwise;

constexpr std::size_t kMaxLines = 12;

bool IsMatch(std::uint8_t outcome) { return outcome == MatchPermit || outcome == MatchDeny; }

char LowerFirst(const std::string& text) {
  const char c = text.empty() ? '\0' : text.front();
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A subject said to lie inside a rule: the packets at the corners of the
// subject (lowest and highest addresses and ports) must fall under the rule
// as a plain reading of it says. Rules that ask for what a bare packet lacks
// (precedence, TTL, established, an ICMP message) are left out.
void SampleCover(const RuleRecord& rule, const RuleRecord& subject, const std::string& detail) {
  for (const int slot : {SlotPort, SlotEstablished, SlotPrecedence, SlotTtl}) {
    if (!rule.Values.Get(SideNone, slot).empty()) return;
  }
  const std::string& number = subject.Values.Get(SideNone, SlotProtocol);
  const bool ports = number == "6" || number == "17";
  const fuzz::Protocol protocol{"", number.c_str(), ports};
  const std::vector<std::uint32_t> srcPorts =
      ports ? fuzz::PortCorners(subject.Values.Get(SideSource, SlotPort))
            : std::vector<std::uint32_t>{0};
  const std::vector<std::uint32_t> dstPorts =
      ports ? fuzz::PortCorners(subject.Values.Get(SideDestination, SlotPort))
            : std::vector<std::uint32_t>{0};
  for (const std::uint32_t src : {subject.SrcAddr, subject.SrcAddr | ~subject.SrcMask}) {
    for (const std::uint32_t dst : {subject.DstAddr, subject.DstAddr | ~subject.DstMask}) {
      for (const std::uint32_t srcPort : srcPorts) {
        for (const std::uint32_t dstPort : dstPorts) {
          const std::uint8_t outcome = fuzz::Expected(rule, protocol, src, dst, srcPort, dstPort);
          fuzz::Require(outcome == MatchPermit || outcome == MatchDeny,
                        "a packet of the subject does not fall under the rule it lies inside",
                        detail + "\npacket " + std::to_string(src) + ":" + std::to_string(srcPort) +
                            " -> " + std::to_string(dst) + ":" + std::to_string(dstPort));
        }
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  CheckOptions options;
  options.MaskType = flags & 0x01u ? MaskForm::Netmask : MaskForm::Wildcard;
  options.PortsInSet = flags & 0x02u;
  options.AnyPortOverlap = flags & 0x04u;
  options.TextLanguage = flags & 0x08u ? Language::Russian : Language::English;
  options.PartialAddresses = flags & 0x10u;  // the analysis must switch it off
  const bool showConflictsOnly = flags & 0x20u;
  std::vector<std::string> lines = fuzz::SplitLines(fuzz::AsText(data + 1, size - 1));
  if (lines.size() > kMaxLines) lines.resize(kMaxLines);
  const std::size_t n = lines.size();

  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  CheckOptions pairOptions = options;
  pairOptions.PartialAddresses = false;
  const MatchSettings settings{.PartialPorts = !options.PortsInSet,
                               .AnyOverlap = options.AnyPortOverlap,
                               .ReverseMode = false};
  std::vector<std::string> entries;
  std::vector<RecognisedLine> recognised;
  for (const std::string& line : lines) {
    entries.push_back(ListEntryText(line));
    recognised.push_back(RecogniseLine(entries.back(), pairOptions, recognizer));
  }
  const PairComparer comparer(recognised, settings, pairOptions);

  // matches[rule][subject]: the reference comparison of every ordered pair.
  std::vector<std::vector<MatchResult>> matches(n, std::vector<MatchResult>(n));
  for (std::size_t rule = 0; rule < n; ++rule) {
    for (std::size_t subject = 0; subject < n; ++subject) {
      const MatchResult expected =
          CheckForMatch(recognised[rule], recognised[subject], settings, pairOptions);
      const PairOutcome got = comparer.Compare(rule, subject);
      const std::string detail = "rule: " + entries[rule] + "\nsubject: " + entries[subject];
      fuzz::Require(got.Outcome == expected.Outcome, "the pair comparer's outcome differs", detail);
      fuzz::Require(!IsMatch(got.Outcome) || got.PortsIncomplete == expected.PortsIncomplete,
                    "the pair comparer's port flag differs", detail);
      matches[rule][subject] = expected;
      if (IsMatch(expected.Outcome) && !expected.PortsIncomplete) {
        SampleCover(*recognised[rule].Expr, *recognised[subject].Expr, detail);
      }
    }
  }

  // What the analysis should find, pair by pair in its order.
  std::set<std::size_t> related;
  std::set<std::size_t> conflicts;
  std::optional<std::size_t> errorLine;
  for (std::size_t i = 0; i < n && !errorLine; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const MatchResult& first = matches[j][i];
      const PairComparer::PairTests tests = comparer.ComparePair(i, j);
      const bool secondMade = !IsMatch(first.Outcome) && first.Outcome != MatchError;
      fuzz::Require(tests.first.Outcome == first.Outcome &&
                        tests.second.Outcome == (secondMade ? matches[i][j].Outcome : NoMatch),
                    "the pair tests differ from the comparisons", entries[i] + "\n" + entries[j]);
      if (IsMatch(first.Outcome)) {
        related.insert({i, j});
        continue;
      }
      if (first.Outcome == MatchError) {
        errorLine = j;
        break;
      }
      const MatchResult& second = matches[i][j];
      if (IsMatch(second.Outcome)) {
        related.insert({i, j});
        if (LowerFirst(entries[i]) != LowerFirst(entries[j])) conflicts.insert({i, j});
      } else if (second.Outcome == MatchError) {
        errorLine = i;
        break;
      }
    }
  }

  AnalysisResult results[2];
  for (unsigned threads = 1; threads <= 2; ++threads) {
    fuzz::BitAnswers answers(showConflictsOnly ? 0xFF : 0x00);
    results[threads - 1] =
        AnalyseList(lines, options, recognizer, answers, {}, {.Threads = threads});
  }
  const AnalysisResult& result = results[0];
  std::vector<std::string> report;
  for (const AnalysisLine& line : result.Lines) report.push_back(ReportLineText(line));
  fuzz::Require(result.Ran() == (n >= 2), "the analysis runs exactly for two lines or more");
  fuzz::Require(results[1] == result, "threads change the result");
  if (!result.Ran()) return 0;
  fuzz::Require(result.Error.has_value() == errorLine.has_value(), "the analysis errs differently");
  if (errorLine) {
    fuzz::Require(
        result.Error->Rule == *errorLine && result.Error->Entry == TrimControls(lines[*errorLine]),
        "the error names another line", lines[*errorLine]);
    return 0;
  }
  fuzz::Require(result.ConflictsFound == !conflicts.empty(), "conflicts found differently");
  const std::set<std::size_t>& shown = result.ConflictsOnly ? conflicts : related;
  std::set<std::size_t> reported;
  for (std::size_t m = 0; m < report.size(); ++m) {
    const std::string& text = report[m];
    const std::string indent = IndentText(result.Lines[m].Level);
    const std::size_t from = indent.size();
    const std::size_t colon = text.find(':', from);
    fuzz::Require(text.compare(0, from, indent) == 0 && colon != std::string::npos,
                  "a report line without its indentation and index", text);
    reported.insert(std::stoul(text.substr(from, colon - from)) - 1);
  }
  fuzz::Require(reported == shown, "the report shows other lines than the comparisons relate");
  return 0;
}
