#include "intake/normalize_acl.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "intake/acl_header.h"
#include "intake/numbering_questions.h"
#include "intake/object_expander.h"
#include "rules/integer_reader.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace kerbwise {

namespace {

// Calls the progress callback only when the share shown changes.
class ProgressReporter {
 public:
  explicit ProgressReporter(const ProgressCallback& callback) : callback_(callback) {}

  void Report(std::size_t done, std::size_t total) {
    if (!callback_ || total == 0) return;
    const int percent = static_cast<int>(std::min<std::size_t>(done * 100 / total, 100));
    if (percent == last_) return;
    last_ = percent;
    callback_(percent);
  }

  void Restart() { Report(0, 1); }

 private:
  const ProgressCallback& callback_;
  int last_ = -1;
};

// The text before the first blank; empty when the line has none.
std::string_view FirstWord(std::string_view line) {
  const std::size_t blank = line.find(' ');
  return blank == std::string_view::npos ? std::string_view() : line.substr(0, blank);
}

// A remark, numbered or not. Its text is the user's own words: the router
// prints no counters after it, and a "#" or a bracket in it is no prompt or
// counter, so cleaning leaves it whole.
bool IsRemark(std::string_view line) {
  const std::string_view entry = SplitListLine(line).Entry;
  return entry.substr(0, 6) == "remark" && (entry.size() == 6 || entry[6] == ' ');
}

bool IsDropped(std::string_view line) {
  if (IsRemark(line)) return false;
  return line.empty() || line.find('#') != std::string_view::npos || line == "statistics per-entry";
}

// Cuts the match counters the router's show output appends: everything from
// the first "(" or, when there is none, from the first "[".
std::string_view CutCounters(std::string_view line) {
  if (IsRemark(line)) return line;
  std::size_t cut = line.find('(');
  if (cut == std::string_view::npos) cut = line.find('[');
  if (cut == std::string_view::npos) return line;
  line = line.substr(0, cut);
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ') line.remove_suffix(1);
  return line;
}

// A trimmed source line as cleaning leaves it: nullopt when it goes, the
// line without its counters when it stays.
std::optional<std::string_view> CleanedLine(std::string_view line) {
  if (IsDropped(line)) return std::nullopt;
  line = CutCounters(line);
  // A line of counters alone would otherwise become an empty entry.
  if (line.empty()) return std::nullopt;
  return line;
}

// Cleans the work list in place and takes the last header line out of it.
void CleanWorkList(std::vector<std::string>& work, NormalizeResult& result,
                   ProgressReporter& progress) {
  std::vector<std::string> kept;
  kept.reserve(work.size());
  for (std::size_t i = 0; i < work.size(); ++i) {
    progress.Report(i + 1, work.size());
    const std::optional<std::string_view> cleaned = CleanedLine(work[i]);
    if (!cleaned) {
      ++result.Counts.Dropped;
      continue;
    }
    const std::string_view line = *cleaned;
    if (std::optional<AclHeader> header = ReadAclHeader(line)) {
      result.AclName = std::move(header->AclName);
      result.CaptionName = std::move(header->CaptionName);
      result.HeaderLine = std::string(line);
      result.HeaderIndex = kept.size();
      ++result.Counts.Headers;
      continue;
    }
    kept.emplace_back(line);
  }
  result.Counts.Entries = kept.size();
  work = std::move(kept);
}

// The first line whose number does not fit the list's numbering.
std::optional<NumberingProblem> FindNumberingProblem(const std::vector<std::string>& work,
                                                     bool numbered) {
  std::uint32_t previous = 0;
  for (const std::string& line : work) {
    const std::int32_t number = ReadIntDefault(FirstWord(line), 0);
    const auto asUnsigned = static_cast<std::uint32_t>(number);
    if (numbered && number == 0) return NumberingProblem{QuestionId::UnnumberedLine, line};
    if (numbered && asUnsigned <= previous)
      return NumberingProblem{QuestionId::NumberingOrder, line};
    if (!numbered && number != 0) return NumberingProblem{QuestionId::NumberedLine, line};
    previous = asUnsigned;
  }
  return std::nullopt;
}

void GiveNumbers(std::vector<std::string>& work, bool renumber, ProgressReporter& progress) {
  const std::size_t countDigits = DecimalDigits(work.size());
  for (std::size_t i = 0; i < work.size(); ++i) {
    progress.Report(i + 1, work.size());
    std::string_view text = work[i];
    if (renumber && ReadIntDefault(FirstWord(text), -1) >= 0) {
      text = text.substr(text.find(' ') + 1);
      text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    }
    const std::size_t number = (i + 1) * 10;
    work[i] = std::string(countDigits - DecimalDigits(i + 1), ' ') + std::to_string(number) + " " +
              std::string(text);
  }
}

// Numbers kept as written: lines without one get "0" so that every line
// still starts with a number.
void MarkUnnumbered(std::vector<std::string>& work) {
  const std::string pad(DecimalDigits(work.size()) - 1, ' ');
  for (std::string& line : work) {
    if (ReadIntDefault(FirstWord(line), -1) == -1) line = pad + "0 " + line;
  }
}

void AssembleList(const std::vector<std::string>& work, const std::vector<std::string>& objects,
                  const CheckOptions& options, NormalizeResult& result,
                  ProgressReporter& progress) {
  ObjectExpander expander(objects, options.MaskType);
  result.ListLines.reserve(work.size());
  for (std::size_t i = 0; i < work.size(); ++i) {
    const std::string& line = work[i];
    const std::size_t padLength = std::min(line.find_first_not_of(' '), line.size());
    LineExpansion expansion = expander.ExpandLine(TrimControls(line));
    if (expansion.outcome == LineExpansion::Outcome::Failed) {
      result.ListLines.clear();
      result.Error = std::move(expansion.Failure);
      break;
    }
    if (expansion.outcome == LineExpansion::Outcome::NoReference) {
      result.ListLines.push_back(" " + line);
    } else {
      // Derived entries carry their source entry's number behind a "0".
      const std::string prefix = line.substr(0, padLength) + "0";
      for (const std::string& entry : expansion.Lines) result.ListLines.push_back(prefix + entry);
      ++result.Counts.ExpandedEntries;
      result.Counts.DerivedEntries += expansion.Lines.size();
    }
    progress.Report(i + 1, work.size());
  }
  result.MembersExpanded = expander.MembersExpanded();
  result.Used = expander.TakeUsed();
}

}  // namespace

std::optional<std::string> ListCaptionName(const std::vector<std::string>& sourceLines) {
  std::optional<std::string> name;
  for (const std::string& source : sourceLines) {
    const std::optional<std::string_view> line = CleanedLine(TrimControls(source));
    if (!line) continue;
    if (std::optional<AclHeader> header = ReadAclHeader(*line)) name = header->CaptionName;
  }
  return name;
}

NormalizeResult NormalizeACL(const std::vector<std::string>& sourceLines,
                             const std::vector<std::string>& objectLines,
                             const CheckOptions& options, AnswerSource& answers,
                             const ProgressCallback& progressCallback) {
  NormalizeResult result;
  const bool blank =
      std::all_of(sourceLines.begin(), sourceLines.end(),
                  [](const std::string& line) { return TrimControls(line).empty(); });
  if (blank) return result;
  result.Ran = true;

  ProgressReporter progress(progressCallback);
  progress.Restart();
  std::vector<std::string> work;
  work.reserve(sourceLines.size());
  for (const std::string& line : sourceLines) work.emplace_back(TrimControls(line));
  CleanWorkList(work, result, progress);

  if (!work.empty()) {
    bool numbered = ReadIntDefault(FirstWord(work.front()), 0) != 0;
    bool renumber = false;
    result.Problem = FindNumberingProblem(work, numbered);
    if (result.Problem) {
      const Language language = options.TextLanguage;
      if (answers.Ask(RenumberQuestion(*result.Problem, language))) {
        renumber = true;
        numbered = false;
      } else if (answers.Ask(KeepNumberingQuestion(language))) {
        // The numbers stay as written, even when the first line had none:
        // the lines without a number get "0" below.
        result.CanOptimize = false;
        numbered = true;
      } else {
        result.Cancelled = true;
        result.SourceLines = std::move(work);
        return result;
      }
    }
    progress.Restart();
    if (!numbered) {
      GiveNumbers(work, renumber, progress);
      result.NumberedAs = renumber ? Numbering::Renumbered : Numbering::Given;
    } else if (!result.CanOptimize) {
      MarkUnnumbered(work);
    }
    progress.Restart();
    AssembleList(work, objectLines, options, result, progress);
  }

  result.SourceLines = std::move(work);
  // A run that built no list (an object error, or nothing but headers and
  // comments) gives the header back to the source, so nothing is lost.
  if (result.ListLines.empty() && result.HasHeader()) {
    const std::size_t at = std::min(result.HeaderIndex, result.SourceLines.size());
    result.SourceLines.insert(result.SourceLines.begin() + static_cast<std::ptrdiff_t>(at),
                              result.HeaderLine);
  }
  return result;
}

}  // namespace kerbwise
