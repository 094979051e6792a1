#include "rules/prepared_template_line.h"

#include <algorithm>
#include <array>
#include <utility>

#include "rules/integer_reader.h"
#include "rules/rule_record.h"

namespace kerbwise {
namespace {

bool IsPlainCharacter(char c) {
  switch (c) {
    case ' ':
    case ',':
    case '(':
    case ')':
    case '[':
    case ']':
    case ':':
      return false;
    default:
      return true;
  }
}

// The words of a top-level item at `pos` that is one plain word or a "[...]"
// choice of plain words; `pos` moves past the blank that ends the item.
std::optional<std::vector<PreparedTemplateLine::Word>> ReadWordChoice(std::string_view text,
                                                                      std::size_t& pos) {
  std::size_t end = 0;
  std::string_view words;
  if (text[pos] == '[') {
    end = text.find(']', pos);
    if (end == std::string_view::npos) return std::nullopt;
    words = text.substr(pos + 1, end - pos - 1);
    ++end;
  } else {
    end = text.find(' ', pos);
    if (end == std::string_view::npos) return std::nullopt;
    words = text.substr(pos, end - pos);
  }
  if (end >= text.size() || text[end] != ' ') return std::nullopt;
  std::vector<PreparedTemplateLine::Word> choice;
  for (std::size_t start = 0; start <= words.size();) {
    const std::size_t comma = std::min(words.find(',', start), words.size());
    const std::string_view word = words.substr(start, comma - start);
    for (const char c : word) {
      if (!IsPlainCharacter(c) || c == '!') return std::nullopt;
    }
    if (word.empty()) return std::nullopt;
    choice.push_back({std::string(word), ClassifyElement(word)});
    start = comma + 1;
  }
  pos = end + 1;
  return choice;
}

// The option number of "N:" at `pos` (1000 when too large to be one), or -1
// when there is none.
int OptionNumberAt(std::string_view text, std::size_t pos) {
  std::size_t colon = pos;
  while (colon < text.size() && text[colon] >= '0' && text[colon] <= '9') ++colon;
  if (colon == pos || colon >= text.size() || text[colon] != ':') return -1;
  return ReadIntDefault(text.substr(pos, colon - pos), 1000);
}

// "[permit,deny] 0:[tcp,6] ...": an action choice that only sets the status,
// then a protocol choice, perhaps with an option number of the first class.
// Failing the protocol, a reader of the line has done no more than that.
std::optional<PreparedTemplateLine::LeadingWords> ReadLeadingWords(std::string_view text) {
  std::size_t pos = 0;
  auto actions = ReadWordChoice(text, pos);
  if (!actions) return std::nullopt;
  for (const PreparedTemplateLine::Word& action : *actions) {
    if (action.text != "permit" && action.text != "deny") return std::nullopt;
  }
  if (const int number = OptionNumberAt(text, pos); number >= 0) {
    if (number >= kSlotCount) return std::nullopt;
    pos = text.find(':', pos) + 1;
  }
  if (pos >= text.size()) return std::nullopt;
  auto protocols = ReadWordChoice(text, pos);
  if (!protocols) return std::nullopt;
  return PreparedTemplateLine::LeadingWords{std::move(*actions), std::move(*protocols)};
}

// Whether text[open..close] is "(" ... ")" holding nothing but words, blanks,
// commas and well-formed "[...]" groups: with no input left, reading it
// changes nothing.
bool IsQuietGroup(std::string_view text, std::size_t open, std::size_t close) {
  if (open >= close || text[open] != '(' || text[close] != ')') return false;
  int choices = 0;
  for (std::size_t i = open + 1; i < close; ++i) {
    switch (text[i]) {
      case '(':
      case ')':
      case ':':
        return false;
      case '[':
        ++choices;
        break;
      case ']':
        if (--choices < 0) return false;
        break;
      default:
        break;
    }
  }
  return choices == 0;
}

// Fills the line's passedOverWhenDone, slotsReadWhenDone and lastSlotUse.
void MarkPassedOverWhenDone(PreparedTemplateLine& line) {
  const std::string_view text = line.text;
  line.passedOverWhenDone.assign(text.size(), false);
  line.slotsReadWhenDone.assign(text.size(), 0);
  line.lastSlotUse.fill(std::string_view::npos);
  // Top-level items: text between blanks outside brackets.
  std::vector<std::pair<std::size_t, std::size_t>> items;
  int depth = 0;
  for (std::size_t i = 0, start = 0; i < text.size(); ++i) {
    if (text[i] == '(' || text[i] == '[') ++depth;
    if (text[i] == ')' || text[i] == ']') --depth;
    if (depth == 0 && text[i] == ' ') {
      items.emplace_back(start, i);
      start = i + 1;
    }
  }
  // Right to left, so that each item knows the slots that the rest uses. A
  // number read with no side in force, or of a free-order class, must be the
  // only use of its slot in the rest: a second one would be an error of the
  // template or a jump back, which only reading the line settles.
  std::uint32_t used = 0;
  std::uint32_t strict = 0;
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    const auto [start, end] = *item;
    std::vector<std::size_t> starts{start};
    bool sided = false;
    std::size_t pos = start;
    for (;;) {
      if (text.substr(pos, 4) == "src:" || text.substr(pos, 4) == "dst:") {
        sided = true;
        pos += 4;
      } else if (const int number = OptionNumberAt(text, pos); number >= 0) {
        if (number >= 1000 || number % 100 >= kSlotCount) return;
        const std::uint32_t bit = std::uint32_t{1} << (number % 100);
        const bool strictUse = number >= 100 || !sided;
        if ((strict & bit) != 0 || (strictUse && (used & bit) != 0)) return;
        if ((used & bit) == 0) line.lastSlotUse[number % 100] = pos;
        used |= bit;
        if (strictUse) strict |= bit;
        pos = text.find(':', pos) + 1;
      } else {
        break;
      }
      starts.push_back(pos);
    }
    if (end == 0 || !IsQuietGroup(text, pos, end - 1)) return;
    for (const std::size_t position : starts) {
      line.passedOverWhenDone[position] = true;
      line.slotsReadWhenDone[position] = strict;
    }
  }
}

}  // namespace

PreparedTemplateLine::PreparedTemplateLine(std::string_view trimmedLine, int lineNumber)
    : text(std::string(trimmedLine) + ' '),
      number(lineNumber),
      runEnd(text.size()),
      runType(text.size(), ElementType::NumberLiteral),
      runNumber(text.size(), 1000) {
  std::size_t end = text.size();
  for (std::size_t i = text.size(); i-- > 0;) {
    if (!IsPlainCharacter(text[i])) end = i;
    runEnd[i] = IsPlainCharacter(text[i]) ? end : i + 1;
  }
  // Right to left, so that a "[" can jump over its whole group.
  constexpr std::size_t npos = std::string_view::npos;
  passOverEnd.assign(text.size() + 1, npos);
  for (std::size_t i = text.size(); i-- > 0;) {
    switch (text[i]) {
      case ',':
      case ')':
      case ']':
        passOverEnd[i] = i;
        break;
      case ':':  // an option number is read even while text is passed over
      case '(':  // an optional group may start passing over on its own terms
        break;
      case '[': {
        std::size_t close = passOverEnd[i + 1];
        while (close != npos && text[close] == ',') close = passOverEnd[close + 1];
        if (close != npos && text[close] == ']') passOverEnd[i] = passOverEnd[close + 1];
        break;
      }
      default:
        passOverEnd[i] = passOverEnd[i + 1];
        break;
    }
  }
  passOverEnd.pop_back();

  for (std::size_t i = 0; i < text.size(); i = runEnd[i]) {
    if (!IsPlainCharacter(text[i])) continue;
    std::string word;
    for (std::size_t j = i; j < runEnd[i]; ++j) {
      if (text[j] != '!') word += text[j];
    }
    runType[i] = ClassifyElement(word);
    runNumber[i] = ReadIntDefault(word, 1000);
  }
  leadingWords = ReadLeadingWords(text);
  MarkPassedOverWhenDone(*this);
}

}  // namespace kerbwise
