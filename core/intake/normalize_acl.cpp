#include "intake/normalize_acl.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "intake/numbering_questions.h"
#include "intake/object_expander.h"
#include "intake/object_list.h"
#include "intake/pasted_text.h"
#include "intake/service_group_position.h"
#include "rules/integer_reader.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "run/progress_pacer.h"

namespace kerbwise {

namespace {

// The text before the first blank; empty when the line has none.
std::string_view FirstWord(std::string_view line) {
  const std::size_t blank = line.find(' ');
  return blank == std::string_view::npos ? std::string_view() : line.substr(0, blank);
}

// The groups the paste defines are read as if they stood in the object pane
// above its own; a group defined in both would be read from one of them
// without a word, so it stops the run instead.
std::optional<ObjectError> GroupDefinedTwice(const PastedText& paste,
                                             const std::vector<std::string>& objectLines) {
  if (paste.ObjectNames.empty()) return std::nullopt;
  for (const std::string& line : PrepareObjectList(objectLines)) {
    const std::optional<std::string> name = GroupHeaderName(line);
    if (name && std::find(paste.ObjectNames.begin(), paste.ObjectNames.end(), *name) !=
                    paste.ObjectNames.end()) {
      return ObjectError{ObjectProblem::DefinedTwice, *name, {}};
    }
  }
  return std::nullopt;
}

// The list a run works on: the one named (a list that is read before one
// that is not), or the only one, or the first extended, or the first
// standard; nullopt when there is none.
std::optional<std::size_t> ChooseList(const std::vector<PastedList>& lists,
                                      const std::string& listName) {
  const auto index = [&](auto predicate) -> std::optional<std::size_t> {
    const auto found = std::find_if(lists.begin(), lists.end(), predicate);
    if (found == lists.end()) return std::nullopt;
    return static_cast<std::size_t>(found - lists.begin());
  };
  if (!listName.empty()) {
    // A list that is read goes before one of the same name that is not.
    if (auto read = index([&](const PastedList& list) {
          return list.Found.Name == listName && list.Found.Kind != ListKind::Unread;
        })) {
      return read;
    }
    return index([&](const PastedList& list) { return list.Found.Name == listName; });
  }
  if (lists.size() <= 1) return lists.empty() ? std::nullopt : std::optional<std::size_t>(0);
  if (auto extended = index([](const PastedList& l) { return l.Found.Kind == ListKind::Extended; }))
    return extended;
  if (auto standard = index([](const PastedList& l) { return l.Found.Kind == ListKind::Standard; }))
    return standard;
  return 0;
}

// The first line whose number does not fit the list's numbering.
std::optional<NumberingProblem> FindNumberingProblem(const LineList& work, bool numbered) {
  std::uint32_t previous = 0;
  bool previousIsRemark = false;
  for (const std::string_view line : work) {
    const std::int32_t number = ReadIntDefault(FirstWord(line), 0);
    const auto asUnsigned = static_cast<std::uint32_t>(number);
    if (numbered && number == 0)
      return NumberingProblem{QuestionId::UnnumberedLine, std::string(line)};
    // Running configurations print a remark with the number of the entry
    // that follows it.
    const bool sharedWithRemark = previousIsRemark && asUnsigned == previous;
    if (numbered && asUnsigned <= previous && !sharedWithRemark)
      return NumberingProblem{QuestionId::NumberingOrder, std::string(line)};
    if (!numbered && number != 0)
      return NumberingProblem{QuestionId::NumberedLine, std::string(line)};
    previous = asUnsigned;
    previousIsRemark = IsRemarkLine(line);
  }
  return std::nullopt;
}

// The lines with new numbers 10, 20, 30, ... ending in one column; with
// `renumber`, the numbers they had are dropped first.
LineList GivenNumbers(const LineList& work, bool renumber, ProgressPacer& progress) {
  const std::size_t countDigits = DecimalDigits(work.size());
  const auto entryText = [&](std::string_view text) {
    if (renumber && ReadIntDefault(FirstWord(text), -1) >= 0) {
      text = text.substr(text.find(' ') + 1);
      text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    }
    return text;
  };
  // Sized exactly first: the list is built while the old one is still held.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < work.size(); ++i) {
    characters += countDigits + 1 + 1 + entryText(work[i]).size();
  }
  LineList numbered;
  numbered.Reserve(work.size(), characters);
  std::string line;
  for (std::size_t i = 0; i < work.size(); ++i) {
    progress.Report(i + 1, work.size());
    line.assign(countDigits - DecimalDigits(i + 1), ' ');
    line += std::to_string((i + 1) * 10);
    line += ' ';
    line += entryText(work[i]);
    numbered.push_back(line);
  }
  return numbered;
}

// Numbers kept as written: lines without one get "0" so that every line
// still starts with a number.
LineList MarkedUnnumbered(const LineList& work) {
  const std::string pad(DecimalDigits(work.size()) - 1, ' ');
  LineList marked;
  marked.Reserve(work.size(), work.CharacterCount() + work.size() * (pad.size() + 2));
  std::string line;
  for (const std::string_view text : work) {
    line.clear();
    if (ReadIntDefault(FirstWord(text), -1) == -1) line = pad + "0 ";
    line += text;
    marked.push_back(line);
  }
  return marked;
}

// Builds the list from the work lines, expanding object-group references.
// `hits` are the work lines' counters; the list's follow it line by line.
void AssembleList(const LineList& work, std::vector<std::optional<std::uint64_t>> hits,
                  const std::vector<std::string>& objects, const CheckOptions& options,
                  NormalizeResult& result, ProgressPacer& progress) {
  ObjectExpander expander(objects, options.MaskType);
  result.ListLines.Reserve(work.size(), work.CharacterCount() + work.size());
  // Until an entry expands, the counters are the work lines' own and are
  // handed over whole at the end instead of copied.
  bool expanded = false;
  std::string listLine;
  for (std::size_t i = 0; i < work.size(); ++i) {
    const std::string_view line = work[i];
    const std::size_t padLength = std::min(line.find_first_not_of(' '), line.size());
    const std::string_view trimmed = TrimControls(line);
    std::optional<ProtocolPositionWord> group;
    if (result.Kind == ListKind::Extended) group = FindProtocolPositionWord(trimmed);
    const bool serviceGroup =
        group && (!group->LooksLikeKeyword || expander.DefinesServiceGroup(group->Word));
    LineExpansion expansion = expander.ExpandLine(serviceGroup ? group->WithKeyword : trimmed);
    if (expansion.outcome == LineExpansion::Outcome::Failed) {
      result.ListLines.clear();
      result.Hits.clear();
      result.Error = std::move(expansion.Failure);
      break;
    }
    if (expansion.outcome == LineExpansion::Outcome::NoReference) {
      listLine.assign(" ");
      listLine += line;
      result.ListLines.push_back(listLine);
      if (expanded) result.Hits.push_back(hits[i]);
    } else {
      if (!expanded) {
        expanded = true;
        result.Hits.assign(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(i));
      }
      // Derived entries carry their source entry's number behind a "0".
      const std::string prefix = std::string(line.substr(0, padLength)) + "0";
      for (const std::string& entry : expansion.Lines) {
        result.ListLines.push_back(prefix + entry);
        result.Hits.push_back(hits[i]);
      }
      ++result.Counts.ExpandedEntries;
      result.Counts.DerivedEntries += expansion.Lines.size();
    }
    progress.Report(i + 1, work.size());
  }
  if (!expanded && !result.Error) result.Hits = std::move(hits);
  result.MembersExpanded = expander.MembersExpanded();
  result.Used = expander.TakeUsed();
}

}  // namespace

std::optional<std::string> ListCaptionName(const LineList& sourceLines, const std::string& listName,
                                           const ProgressCallback& progress) {
  const PastedText paste = ReadPaste(sourceLines, MaskForm::Wildcard, progress);
  const std::optional<std::size_t> chosen = ChooseList(paste.Lists, listName);
  if (!chosen || paste.Lists[*chosen].HeaderLine.empty()) return std::nullopt;
  return paste.Lists[*chosen].CaptionName;
}

NormalizeResult NormalizeACL(LineList sourceLines, const std::vector<std::string>& objectLines,
                             const CheckOptions& options, AnswerSource& answers,
                             const ProgressCallback& progressCallback,
                             const std::string& listName) {
  NormalizeResult result;
  const bool blank = std::all_of(sourceLines.begin(), sourceLines.end(),
                                 [](std::string_view line) { return TrimControls(line).empty(); });
  if (blank) return result;
  result.Ran = true;

  ProgressPacer progress(progressCallback);
  progress.Restart();
  PastedText paste = ReadPaste(sourceLines, options.MaskType, progressCallback);
  for (const PastedList& list : paste.Lists) result.Lists.push_back(list.Found);
  result.Counts.Dropped = paste.Dropped;
  result.Counts.Headers = paste.Headers;
  // A paste that holds more than one list gives itself back whole.
  const bool oneList = paste.IsOneList();
  const auto keepPaste = [&](bool always = false) {
    if (oneList && !always) return;
    result.PasteKept = true;
    result.SourceLines.clear();
    result.SourceLines.Reserve(sourceLines.size(), sourceLines.CharacterCount());
    for (const std::string_view line : sourceLines)
      result.SourceLines.push_back(TrimControls(line));
  };

  const std::optional<std::size_t> chosen = ChooseList(paste.Lists, listName);
  for (std::size_t i = 0; i < paste.Lists.size(); ++i) {
    if (i != chosen || paste.Lists[i].Found.Kind == ListKind::Unread)
      result.Counts.Elsewhere += paste.Lists[i].Entries.size();
  }
  result.Counts.Elsewhere += paste.ObjectLineCount;
  if (!chosen) {
    result.ListNotFound = !listName.empty();
    keepPaste();
    return result;
  }
  PastedList& list = paste.Lists[*chosen];
  result.Kind = list.Found.Kind;
  if (!list.HeaderLine.empty()) {
    result.AclName = list.Found.Name;
    result.CaptionName = list.CaptionName;
    result.HeaderLine = list.HeaderLine;
    result.HeaderIndex = list.HeaderIndex;
  }
  if (list.Found.Kind == ListKind::Unread) {
    keepPaste(true);
    return result;
  }

  // A paste of one list comes back as its cleaned entries: the pasted
  // lines are not needed any more.
  if (oneList) sourceLines.clear();
  LineList work = std::move(list.Entries);
  std::vector<std::optional<std::uint64_t>> hits = std::move(list.Hits);
  result.Counts.Entries = work.size();
  progress.Report(1, 1);

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
        keepPaste();
        return result;
      }
    }
    progress.Restart();
    if (!numbered) {
      work = GivenNumbers(work, renumber, progress);
      result.NumberedAs = renumber ? Numbering::Renumbered : Numbering::Given;
    } else if (!result.CanOptimize) {
      work = MarkedUnnumbered(work);
    }
    progress.Restart();
    if (std::optional<ObjectError> twice = GroupDefinedTwice(paste, objectLines)) {
      result.Error = std::move(twice);
    } else {
      std::vector<std::string> objects = std::move(paste.ObjectLines);
      objects.insert(objects.end(), objectLines.begin(), objectLines.end());
      AssembleList(work, std::move(hits), objects, options, result, progress);
    }
  }

  result.SourceLines = std::move(work);
  // A run that built no list (an object error, or nothing but headers and
  // comments) gives the header back to the source, so nothing is lost.
  if (result.ListLines.empty() && result.HasHeader()) {
    const std::size_t at = std::min(result.HeaderIndex, result.SourceLines.size());
    result.SourceLines.Insert(at, result.HeaderLine);
  }
  keepPaste();
  return result;
}

}  // namespace kerbwise
