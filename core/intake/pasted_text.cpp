#include "intake/pasted_text.h"

#include <algorithm>
#include <array>

#include "intake/acl_header.h"
#include "intake/object_list.h"
#include "intake/wildcard_bits.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "run/progress_pacer.h"

namespace kerbwise {

namespace {

constexpr std::size_t kMaxListNumberDigits = 10;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view FirstWord(std::string_view text) { return text.substr(0, text.find(' ')); }

// The word that says what an entry does, after its number if it has one.
std::string_view EntryWord(std::string_view line) { return FirstWord(SplitListLine(line).Entry); }

// Cuts the match counters the router's show output appends: everything from
// the first "(" or, when there is none, from the first "[".
std::string_view CutCounters(std::string_view line) {
  std::size_t cut = line.find('(');
  if (cut == std::string_view::npos) cut = line.find('[');
  if (cut == std::string_view::npos) return line;
  line = line.substr(0, cut);
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ') line.remove_suffix(1);
  return line;
}

// Decimal digits at the start of `text` as a count; nullopt when there are
// none or the count does not fit.
std::optional<std::uint64_t> LeadingCount(std::string_view text, std::size_t& length) {
  std::uint64_t value = 0;
  length = 0;
  while (length < text.size() && IsDigit(text[length])) {
    const std::uint64_t digit = static_cast<std::uint64_t>(text[length] - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
    ++length;
  }
  if (length == 0) return std::nullopt;
  return value;
}

// The counter show output prints after an entry: "(N matches)", "(N match)",
// "[N matches]" or "(hitcnt=N)", wherever it stands among the brackets.
std::optional<std::uint64_t> ReadHits(std::string_view line) {
  for (std::size_t open = line.find_first_of("(["); open != std::string_view::npos;
       open = line.find_first_of("([", open + 1)) {
    std::string_view inside = line.substr(open + 1);
    const bool hitcnt = StartsWith(inside, "hitcnt=");
    if (hitcnt) inside.remove_prefix(7);
    std::size_t length = 0;
    const std::optional<std::uint64_t> count = LeadingCount(inside, length);
    if (!count) continue;
    if (hitcnt || StartsWith(inside.substr(length), " match")) return count;
  }
  return std::nullopt;
}

// Lines that stand around lists in a real paste and are never entries:
// prompts and echoed commands, the router's status lines, comments and
// configuration commands that open or close no list.
bool IsNoise(std::string_view line) {
  if (IsRemarkLine(line)) return false;
  if (line.empty() || line[0] == '!' || line.find('#') != std::string_view::npos) return true;
  if (line == "statistics per-entry" || line == "exit" || line == "end") return true;
  // "R1>show access-lists": a prompt of the unprivileged mode.
  if (FirstWord(line).find('>') != std::string_view::npos) return true;
  static constexpr std::array<std::string_view, 9> kPrefixes = {
      "no ",
      "show ",
      "Load for ",
      "Time source is ",
      "Building configuration",
      "Current configuration",
      "Last configuration change",
      "NVRAM config last updated",
      "end ",
  };
  for (std::string_view prefix : kPrefixes) {
    if (StartsWith(line, prefix)) return true;
  }
  return StartsWith(line, "ip access-list ") && !ReadAclHeader(CutCounters(line));
}

// An entry line and the counter it carried.
struct PastedEntry {
  std::string Text;
  std::optional<std::uint64_t> Hits;
};

// An entry as configuration writes it: the counters cut, and a mask that
// show output words its own way given in configuration form.
std::optional<PastedEntry> CleanEntry(std::string_view line, MaskForm maskType) {
  if (IsRemarkLine(line)) return PastedEntry{std::string(line), std::nullopt};
  const std::string_view cut = CutCounters(line);
  // A line of counters alone would otherwise become an empty entry.
  if (cut.empty()) return std::nullopt;
  return PastedEntry{WithConfigurationMasks(cut, maskType), ReadHits(line)};
}

// "access-list N REST": a line of a numbered list in configuration form.
struct NumberedLine {
  std::string number;
  std::string_view rest;
};

std::optional<NumberedLine> ReadNumberedLine(std::string_view line) {
  constexpr std::string_view kCommand = "access-list ";
  if (!StartsWith(line, kCommand)) return std::nullopt;
  const std::string_view afterCommand = line.substr(kCommand.size());
  const std::string_view number = FirstWord(afterCommand);
  if (number.empty() || number.size() > kMaxListNumberDigits ||
      !std::all_of(number.begin(), number.end(), IsDigit) || number.size() == afterCommand.size()) {
    return std::nullopt;
  }
  const std::string_view rest = TrimControls(afterCommand.substr(number.size()));
  if (rest.empty()) return std::nullopt;
  return NumberedLine{std::string(number), rest};
}

// The ranges of list numbers the router gives to IPv4 lists.
ListKind KindOfNumber(std::uint64_t number) {
  if ((number >= 1 && number <= 99) || (number >= 1300 && number <= 1999)) {
    return ListKind::Standard;
  }
  if ((number >= 100 && number <= 199) || (number >= 2000 && number <= 2699)) {
    return ListKind::Extended;
  }
  return ListKind::Unread;
}

bool EndsObjectBlock(std::string_view raw, std::string_view line) {
  if (line.empty() || line[0] == '!' || line == "exit") return true;
  if (GroupHeaderName(line) || ReadAclHeader(CutCounters(line)) || ReadNumberedLine(line)) {
    return true;
  }
  // Members are indented; an entry that is not belongs to a list.
  const bool indented = !raw.empty() && (raw[0] == ' ' || raw[0] == '\t');
  const std::string_view word = EntryWord(line);
  return !indented && (word == "permit" || word == "deny" || word == "remark");
}

class PasteReader {
 public:
  explicit PasteReader(MaskForm maskType) : maskType_(maskType) {}

  PastedText Read(const LineList& sourceLines, const ProgressCallback& progress) {
    ProgressPacer pacer(progress);
    remainingLines_ = sourceLines.size();
    remainingCharacters_ = sourceLines.CharacterCount();
    for (std::size_t i = 0; i < sourceLines.size(); ++i) {
      pacer.Report(i, sourceLines.size());
      const std::string_view raw = sourceLines[i];
      ReadLine(raw);
      --remainingLines_;
      remainingCharacters_ -= raw.size();
    }
    PlaceLeadingEntries();
    for (PastedList& list : paste_.Lists) list.Found.Entries = list.Entries.size();
    return std::move(paste_);
  }

 private:
  void ReadLine(std::string_view raw) {
    const std::string_view line = TrimControls(raw);
    if (inObjects_) {
      if (EndsObjectBlock(raw, line)) {
        inObjects_ = false;
        paste_.ObjectLines.emplace_back();
      } else if (!IsNoise(line)) {
        paste_.ObjectLines.emplace_back(line);
        ++paste_.ObjectLineCount;
        return;
      }
    }
    if (IsNoise(line)) {
      ++paste_.Dropped;
      return;
    }
    // A remark is the user's own words, whatever they say.
    if (IsRemarkLine(line)) {
      AddEntry({std::string(line), std::nullopt});
      return;
    }
    if (std::optional<std::string> group = GroupHeaderName(line)) {
      paste_.ObjectLines.emplace_back(line);
      ++paste_.ObjectLineCount;
      paste_.ObjectNames.push_back(std::move(*group));
      inObjects_ = true;
      return;
    }
    const std::string_view cut = CutCounters(line);
    if (std::optional<AclHeader> header = ReadAclHeader(cut)) {
      StartList(std::move(*header), std::string(cut));
      return;
    }
    if (std::optional<NumberedLine> numbered = ReadNumberedLine(line)) {
      AddNumbered(*numbered);
      return;
    }
    std::optional<PastedEntry> entry = CleanEntry(line, maskType_);
    if (!entry) {
      ++paste_.Dropped;
      return;
    }
    AddEntry(std::move(*entry));
  }

  void AddEntry(const PastedEntry& entry) {
    Append(current_ ? paste_.Lists[*current_] : leading_, entry);
  }

  // The first list to get an entry makes room for the rest of the paste,
  // so that the buffer of a paste of one long list is allocated once; the
  // lists after it (a configuration holds many) grow as they go.
  void Append(PastedList& list, const PastedEntry& entry) {
    if (!roomMade_) {
      roomMade_ = true;
      list.Entries.Reserve(remainingLines_, remainingCharacters_);
      list.Hits.reserve(remainingLines_);
    }
    list.Entries.push_back(entry.Text);
    list.Hits.push_back(entry.Hits);
  }

  void StartList(AclHeader header, std::string headerLine) {
    PastedList list;
    list.Found = {std::move(header.AclName), header.Kind, std::move(header.KindText), 0};
    list.HeaderLine = std::move(headerLine);
    list.CaptionName = std::move(header.CaptionName);
    ++paste_.Headers;
    current_ = paste_.Lists.size();
    paste_.Lists.push_back(std::move(list));
  }

  // Gathers the line into the list of its number: the first list of that
  // name and kind, or a new one, as if it had been written under
  // "ip access-list extended|standard N".
  void AddNumbered(const NumberedLine& numbered) {
    paste_.NumberedLines = true;
    std::size_t digits = 0;
    const ListKind kind = KindOfNumber(LeadingCount(numbered.number, digits).value_or(0));
    auto list = std::find_if(paste_.Lists.begin(), paste_.Lists.end(), [&](const PastedList& l) {
      return l.Found.Name == numbered.number && l.Found.Kind == kind;
    });
    if (list == paste_.Lists.end()) {
      PastedList gathered;
      gathered.Found = {numbered.number, kind, kind == ListKind::Unread ? "non-IP" : "", 0};
      if (kind != ListKind::Unread) {
        gathered.HeaderLine =
            "ip access-list " + std::string(ConfigKindWord(kind)) + ' ' + numbered.number;
      }
      gathered.CaptionName = numbered.number;
      paste_.Lists.push_back(std::move(gathered));
      list = paste_.Lists.end() - 1;
    }
    if (std::optional<PastedEntry> entry = CleanEntry(numbered.rest, maskType_)) {
      Append(*list, *entry);
    } else {
      ++paste_.Dropped;
    }
  }

  // Entries above every header belong to the first list that is read; a
  // paste without a readable list makes them a nameless list of their own.
  void PlaceLeadingEntries() {
    if (leading_.Entries.empty()) return;
    const auto first = std::find_if(paste_.Lists.begin(), paste_.Lists.end(),
                                    [](const auto& l) { return l.Found.Kind != ListKind::Unread; });
    if (first == paste_.Lists.end()) {
      paste_.Lists.insert(paste_.Lists.begin(), std::move(leading_));
      return;
    }
    first->HeaderIndex = leading_.Entries.size();
    leading_.Entries.Reserve(first->Entries.size(), first->Entries.CharacterCount());
    for (const std::string_view entry : first->Entries) leading_.Entries.push_back(entry);
    leading_.Hits.insert(leading_.Hits.end(), first->Hits.begin(), first->Hits.end());
    first->Entries = std::move(leading_.Entries);
    first->Hits = std::move(leading_.Hits);
  }

  MaskForm maskType_;
  PastedText paste_;
  PastedList leading_;  // entries above every header
  std::size_t remainingLines_ = 0;
  std::size_t remainingCharacters_ = 0;
  bool roomMade_ = false;
  std::optional<std::size_t> current_;
  bool inObjects_ = false;
};

}  // namespace

bool IsRemarkLine(std::string_view line) {
  const std::string_view entry = SplitListLine(line).Entry;
  return entry.substr(0, 6) == "remark" && (entry.size() == 6 || entry[6] == ' ');
}

bool PastedText::IsOneList() const {
  return Lists.size() <= 1 && ObjectLines.empty() && !NumberedLines;
}

PastedText ReadPaste(const LineList& sourceLines, MaskForm maskType,
                     const ProgressCallback& progress) {
  return PasteReader(maskType).Read(sourceLines, progress);
}

std::vector<FoundList> FindLists(const std::vector<std::string>& sourceLines,
                                 const ProgressCallback& progress) {
  std::vector<FoundList> lists;
  for (PastedList& list : ReadPaste(sourceLines, MaskForm::Wildcard, progress).Lists)
    lists.push_back(std::move(list.Found));
  return lists;
}

}  // namespace kerbwise
