#include "reorder/sort_key.h"

#include <array>

#include "text/reorder_texts.h"

namespace kerbwise {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AppendPadded(std::string& out, std::string_view digits, std::size_t width) {
  if (digits.size() < width) out.append(width - digits.size(), '0');
  out += digits;
}

// The weight of every byte in a collation key; 0 marks a byte left out.
// Control characters come first, then the blank, the other ASCII punctuation
// in code order, digits, letters of either case, and the bytes above ASCII
// in code order (so lower-case Cyrillic in UTF-8 keeps its alphabet order).
constexpr std::array<unsigned char, 256> MakeWeights() {
  std::array<unsigned char, 256> weights{};
  unsigned next = 1;
  for (unsigned c = 0; c < 32; ++c) weights[c] = static_cast<unsigned char>(next++);
  weights[' '] = static_cast<unsigned char>(next++);
  for (unsigned c = 33; c < 128; ++c) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!alnum && c != '-') weights[c] = static_cast<unsigned char>(next++);
  }
  for (unsigned c = '0'; c <= '9'; ++c) weights[c] = static_cast<unsigned char>(next++);
  for (unsigned c = 'a'; c <= 'z'; ++c) {
    weights[c] = static_cast<unsigned char>(next);
    weights[c - 'a' + 'A'] = static_cast<unsigned char>(next++);
  }
  for (unsigned c = 128; c < 256; ++c) weights[c] = static_cast<unsigned char>(next++);
  return weights;
}

constexpr std::array<unsigned char, 256> kWeights = MakeWeights();

// "-", the kind of problem in the language, and a blank.
std::string ProblemWords(std::uint8_t status, Language language) {
  std::string words = "-";
  words += ProblemKindName(ProblemKindOf(status), language);
  words += ' ';
  return words;
}

std::size_t DecimalWidth(std::size_t value) {
  std::size_t width = 1;
  for (; value >= 10; value /= 10) ++width;
  return width;
}

}  // namespace

std::string ProtoComponent(std::string_view protocol) {
  if (protocol == "ip") return "*ip";
  std::string out;
  AppendPadded(out, protocol, 3);
  return out;
}

std::string AddressComponent(std::uint32_t value) {
  std::string out;
  AppendPadded(out, std::to_string(value), 10);
  return out;
}

std::string PortConditionComponent(std::string_view condition) {
  // The whole condition is kept, however long: cutting it would put
  // different conditions into one group.
  std::string out;
  out.reserve(condition.size() + 8);
  std::size_t i = 0;
  while (i < condition.size()) {
    if (!IsDigit(condition[i])) {
      out += condition[i++];
      continue;
    }
    const std::size_t start = i;
    while (i < condition.size() && IsDigit(condition[i])) ++i;
    AppendPadded(out, condition.substr(start, i - start), 5);
  }
  out += '+';
  return out;
}

std::string KeyComponent(KeyColumn column, const RuleRecord& expr) {
  switch (column) {
    case KeyColumn::Proto:
      return ProtoComponent(expr.Values.Get(SideNone, SlotProtocol));
    case KeyColumn::SrcAddr:
      return AddressComponent(expr.SrcAddr);
    case KeyColumn::SrcMask:
      return AddressComponent(expr.SrcMask);
    case KeyColumn::SrcOpt:
      return PortConditionComponent(expr.Values.Get(SideSource, SlotPort));
    case KeyColumn::DstAddr:
      return AddressComponent(expr.DstAddr);
    case KeyColumn::DstMask:
      return AddressComponent(expr.DstMask);
    case KeyColumn::DstOpt:
      return PortConditionComponent(expr.Values.Get(SideDestination, SlotPort));
  }
  return {};
}

ProblemKind ProblemKindOf(std::uint8_t status) {
  switch (status) {
    case StatusTemplateError:
      return ProblemKind::TemplateError;
    case StatusUnrecognised:
      return ProblemKind::NotRecognized;
    default:
      return ProblemKind::Remark;
  }
}

std::string_view ProblemKindName(ProblemKind kind, Language language) {
  switch (kind) {
    case ProblemKind::TemplateError:
      return texts::kProblemTemplateError.In(language);
    case ProblemKind::NotRecognized:
      return texts::kProblemNotRecognized.In(language);
    case ProblemKind::Remark:
      break;
  }
  return texts::kProblemRemark.In(language);
}

std::string SortKey(const RuleRecord& expr, const std::vector<KeyColumn>& activeColumns,
                    std::size_t position, std::size_t lineCount, Language language) {
  std::string key;
  if (expr.Status == StatusPermit || expr.Status == StatusDeny) {
    for (KeyColumn column : activeColumns) {
      key += KeyComponent(column, expr);
      key += ' ';
    }
  } else {
    key = ProblemWords(expr.Status, language);
  }
  if (key.empty()) key = " ";
  AppendPadded(key, std::to_string(position), DecimalWidth(lineCount));
  return key;
}

std::string CollationKey(std::string_view key) {
  std::string out;
  out.reserve(key.size());
  for (char c : key) {
    const unsigned char weight = kWeights[static_cast<unsigned char>(c)];
    if (weight != 0) out += static_cast<char>(weight);
  }
  return out;
}

bool SortKeyLess(std::string_view left, std::string_view right) {
  // The collation keys compared as they are made, without making them: a
  // sort of a long list compares keys many times over.
  const auto weight = [](char c) { return kWeights[static_cast<unsigned char>(c)]; };
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    while (i < left.size() && weight(left[i]) == 0) ++i;
    while (j < right.size() && weight(right[j]) == 0) ++j;
    if (i == left.size() || j == right.size()) break;
    if (weight(left[i]) != weight(right[j])) return weight(left[i]) < weight(right[j]);
    ++i;
    ++j;
  }
  if (i < left.size() || j < right.size()) return j < right.size();
  return left < right;
}

}  // namespace kerbwise
