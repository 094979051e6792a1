#include "rules/value_ranges.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "rules/integer_reader.h"
#include "text/rules_texts.h"

namespace kerbwise {
namespace {

enum class Operator { Eq, Neq, Gt, Lt, Range };

std::optional<Operator> ReadOperator(std::string_view word) {
  if (word == "eq") return Operator::Eq;
  if (word == "neq") return Operator::Neq;
  if (word == "gt") return Operator::Gt;
  if (word == "lt") return Operator::Lt;
  if (word == "range") return Operator::Range;
  return std::nullopt;
}

// The next word of `text` from `pos` on, with `pos` moved past it; runs of
// blanks give no empty words, the end gives an empty word. Port lists can
// hold hundreds of thousands of words, so they are walked, not collected.
std::string_view NextWord(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  const std::size_t start = pos;
  pos = std::min(text.find(' ', start), text.size());
  return text.substr(start, pos - start);
}

std::size_t CountWords(std::string_view text, std::size_t pos) {
  std::size_t count = 0;
  while (!NextWord(text, pos).empty()) ++count;
  return count;
}

RangeList Refused(std::string error) {
  RangeList list;
  list.Error = std::move(error);
  return list;
}

std::string Decimal(std::int32_t value) { return std::to_string(value); }

bool CountFits(Operator op, std::size_t count) {
  switch (op) {
    case Operator::Eq:
    case Operator::Neq:
      return count >= 1;
    case Operator::Gt:
    case Operator::Lt:
      return count == 1;
    case Operator::Range:
      return count == 2;
  }
  return false;
}

// One range per run of consecutive values; `values` sorted and distinct.
std::vector<ValueRange> EqualRanges(const std::vector<std::uint16_t>& values) {
  std::vector<ValueRange> ranges;
  for (std::uint16_t value : values) {
    if (!ranges.empty() && value == ranges.back().Hi + 1) {
      ranges.back().Hi = value;
    } else {
      ranges.push_back({value, value});
    }
  }
  return ranges;
}

// The values of 0..maxValue that are not listed; `values` sorted and distinct.
std::vector<ValueRange> ComplementRanges(const std::vector<std::uint16_t>& values,
                                         std::uint16_t maxValue) {
  std::vector<ValueRange> ranges;
  std::uint32_t next = 0;  // lowest value not yet known to be listed or covered
  for (std::uint16_t value : values) {
    if (value > next) {
      ranges.push_back({static_cast<std::uint16_t>(next), static_cast<std::uint16_t>(value - 1)});
    }
    next = static_cast<std::uint32_t>(value) + 1;
  }
  if (next <= maxValue) ranges.push_back({static_cast<std::uint16_t>(next), maxValue});
  return ranges;
}

}  // namespace

RangeList ValuesToRanges(std::string_view condition, std::uint16_t maxValue, Language language) {
  std::size_t pos = 0;
  const std::string_view opWord = NextWord(condition, pos);
  const std::optional<Operator> op = ReadOperator(opWord);
  if (!op) {
    return Refused(Fill(texts::kUnknownOperator.In(language), {opWord}));
  }
  const std::size_t count = CountWords(condition, pos);
  if (!CountFits(*op, count)) {
    return Refused(Fill(texts::kWrongValueCount.In(language), {opWord}));
  }

  std::vector<std::uint16_t> values;
  values.reserve(count);
  for (std::string_view word = NextWord(condition, pos); !word.empty();
       word = NextWord(condition, pos)) {
    const std::optional<std::int32_t> value = ReadInteger(word);
    if (!value) {
      return Refused(Fill(texts::kValueNotNumber.In(language), {word}));
    }
    if (*value < 0 || *value > maxValue) {
      return Refused(Fill(texts::kValueOutOfRange.In(language),
                          {Decimal(*value), Decimal(0), Decimal(maxValue)}));
    }
    values.push_back(static_cast<std::uint16_t>(*value));
  }
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());

  RangeList list;
  switch (*op) {
    case Operator::Eq:
      list.Ranges = EqualRanges(values);
      break;
    case Operator::Neq:
      list.Ranges = ComplementRanges(values, maxValue);
      break;
    case Operator::Gt:
      if (values.front() == maxValue) {
        return Refused(Fill(texts::kGreaterThanTop.In(language), {Decimal(maxValue)}));
      }
      list.Ranges.push_back({static_cast<std::uint16_t>(values.front() + 1), maxValue});
      break;
    case Operator::Lt:
      if (values.front() == 0) {
        return Refused(Fill(texts::kLessThanBottom.In(language), {Decimal(0)}));
      }
      list.Ranges.push_back({0, static_cast<std::uint16_t>(values.front() - 1)});
      break;
    case Operator::Range:
      list.Ranges.push_back({values.front(), values.back()});
      break;
  }
  return list;
}

}  // namespace kerbwise
