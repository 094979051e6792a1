#include "rules/template_matcher.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "rules/compare_element.h"
#include "rules/integer_reader.h"
#include "rules/rule_template.h"
#include "text/rules_texts.h"

namespace kerbwise {
namespace {

constexpr int kNoSlot = kSlotCount;
constexpr std::size_t kUnset = static_cast<std::size_t>(-1);

constexpr std::uint32_t SlotBit(int slot) { return std::uint32_t{1} << slot; }

// Reads a template line character by character against the words of an
// input line. The notation: a blank ends an element (and, outside brackets, a
// top-level item); "," separates alternatives; "[...]" is a choice of which
// one alternative must match; "(...)" an optional group; "src:" and "dst:"
// say which side an item's addresses and values go to; "N:" gives the option
// slot N mod 100, and items of one class N div 100 above 0 may come in any
// order; "!" makes an element repeat over the following words.

// Bracket level of the template line being read. Level 0 counts as a choice
// that is neither in sequence nor skipping.
struct Level {
  bool choice = true;       // "[" group: one alternative must match
  bool inSequence = false;  // an alternative has begun to match
  bool skipping = false;    // the rest of the current alternative is passed over
};

// The bracket levels outlive one match, so that recognising a line does not
// allocate them afresh for every template line it tries.
std::vector<Level>& LevelStorage() {
  thread_local std::vector<Level> levels;
  return levels;
}

std::uint32_t ParseDecimal(std::string_view text) {
  std::uint32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

class TemplateLineMatcher {
 public:
  TemplateLineMatcher(const PreparedTemplateLine& templateLine, std::string_view input,
                      MaskForm maskType, RuleRecord& record)
      : line_(templateLine.text),
        runEnd_(templateLine.runEnd),
        runType_(templateLine.runType),
        runNumber_(templateLine.runNumber),
        passOverEnd_(templateLine.passOverEnd),
        templateLine_(templateLine),
        lineNumber_(templateLine.number),
        input_(input),
        maskType_(maskType),
        record_(record),
        levels_(LevelStorage()) {
    record_.Values.Clear();
    levels_.assign(1, Level{});
    slotStart_.fill(kUnset);
    slotEnd_.fill(kUnset);
    token_ = input_.substr(0, input_.find(' '));
  }

  TemplateLineResult Run();

 private:
  enum class Step { Continue, Fail, Stop, JumpToTopLevel };

  void PassOver();
  Step ReadCharacter(char c);
  void ReadPlainRun();
  Step CloseBracket(char c);
  Step ReadColon();
  Step CompareElements(char c);
  Step ApplyEffect(ElementType type, const std::string& value);
  bool EndTopLevelItem();
  bool RestPassedOver(std::size_t from, std::size_t budget) const;

  void ClearElement();
  void OpenLevel(bool choice);
  void AdvanceToken();
  void StoreAddress(bool mask, std::uint32_t value);
  Step TemplateError(std::string text);
  Step ParameterError(std::string_view what);

  std::string Position() const { return std::to_string(pos_ + 1); }
  // A template error in the words of the catalogue, where it happened.
  Step TemplateErrorAt(const Phrase& phrase, std::initializer_list<std::string_view> arguments) {
    return TemplateError(Fill(texts::kTemplateErrorAt.English,
                              {std::to_string(lineNumber_), Fill(phrase.English, arguments)}));
  }

  const std::string_view line_;
  const std::vector<std::size_t>& runEnd_;
  const std::vector<ElementType>& runType_;
  const std::vector<std::int32_t>& runNumber_;
  const std::vector<std::size_t>& passOverEnd_;
  const PreparedTemplateLine& templateLine_;
  const int lineNumber_;
  const std::string_view input_;
  const MaskForm maskType_;
  RuleRecord& record_;

  std::size_t pos_ = 0;  // 0-based position in the template line
  std::string_view token_;
  std::size_t tokenPos_ = 0;
  std::vector<Level>& levels_;
  std::size_t depth_ = 0;         // d
  std::size_t elementDepth_ = 0;  // D: depth at which the element text was written
  std::string element_;           // E
  bool elementTypeKnown_ = false;
  ElementType elementType_ = ElementType::NumberLiteral;
  std::int32_t elementNumber_ = 1000;
  bool comparePending_ = false;
  bool groupSatisfied_ = false;
  bool repeat_ = false;
  bool repeatMatched_ = false;
  bool lastKindEmpty_ = true;
  int side_ = SideNone;
  int slot_ = kNoSlot;
  int class_ = 0;
  std::uint32_t declared_ = 0;  // slots as bits
  std::uint32_t done_ = 0;
  std::array<std::size_t, kSlotCount> slotStart_{};
  std::array<std::size_t, kSlotCount> slotEnd_{};
  std::string value_;
  TemplateLineOutcome stopOutcome_ = TemplateLineOutcome::Failed;
  std::string message_;
};

TemplateLineResult TemplateLineMatcher::Run() {
  // Free-order sets jump back in the line; a malformed template must not be
  // able to make that go on for ever, so the number of steps is bounded far
  // above what any well-formed line needs.
  std::size_t budget = 64 * (line_.size() + 1) * (kSlotCount + 1);
  while (pos_ < line_.size()) {
    if (budget-- == 0) return {TemplateLineOutcome::Failed, {}};
    PassOver();
    const char c = line_[pos_];
    Step step = ReadCharacter(c);
    if (step == Step::Continue) step = CompareElements(c);
    switch (step) {
      case Step::Fail:
        return {TemplateLineOutcome::Failed, {}};
      case Step::Stop:
        return {stopOutcome_, message_};
      case Step::Continue:
      case Step::JumpToTopLevel:
        break;
    }
    if (depth_ == 0 && pos_ < line_.size() && line_[pos_] == ' ') {
      const bool jumped = EndTopLevelItem();
      if (RestPassedOver(jumped ? pos_ : pos_ + 1, budget)) break;
      if (jumped) continue;
    }
    ++pos_;
  }
  // The line matches when every word is consumed. A run of blanks inside the
  // input reads as an empty word, which would end it early; words after it
  // are not consumed, so such a line does not match rather than losing them.
  const bool consumed =
      token_.empty() && input_.find_first_not_of(' ', tokenPos_) == std::string_view::npos;
  return {consumed ? TemplateLineOutcome::Matched : TemplateLineOutcome::Failed, {}};
}

// Inside a group whose rest is being passed over (satisfied, or the current
// alternative skipped) and with no element waiting to be compared, words and
// blanks have no effect: go straight to the next comma or closing bracket of
// this level when the text between holds nothing else that would. Reading it
// character by character gives the same.
void TemplateLineMatcher::PassOver() {
  if (depth_ == 0 || elementDepth_ > depth_ || !element_.empty()) return;
  if (!groupSatisfied_ && !levels_[depth_].skipping) return;
  const std::size_t end = passOverEnd_[pos_];
  if (end != std::string_view::npos) pos_ = end;
}

TemplateLineMatcher::Step TemplateLineMatcher::ReadCharacter(char c) {
  switch (c) {
    case ' ':
      if (!groupSatisfied_) comparePending_ = true;
      return Step::Continue;
    case ',':
      if (!groupSatisfied_) comparePending_ = true;
      if (depth_ == elementDepth_) levels_[depth_].skipping = false;  // a new alternative starts
      return Step::Continue;
    case '(':
      OpenLevel(false);
      if (token_.empty()) {  // input used up: pass the whole group over
        groupSatisfied_ = true;
        elementDepth_ = depth_;
      }
      return Step::Continue;
    case '[':
      OpenLevel(true);
      return Step::Continue;
    case ')':
    case ']':
      return CloseBracket(c);
    case ':':
      return ReadColon();
    default:
      ReadPlainRun();
      return Step::Continue;
  }
}

// Element characters: appended to the element text unless the group is
// satisfied or the alternative is being passed over. A whole run is taken at
// once; reading goes on at its last character.
void TemplateLineMatcher::ReadPlainRun() {
  const std::size_t end = runEnd_[pos_];
  if (!groupSatisfied_ && !levels_[depth_].skipping) {
    // Usually the element is this one word, whose type is known in advance.
    elementTypeKnown_ = element_.empty();
    elementType_ = runType_[pos_];
    elementNumber_ = runNumber_[pos_];
    std::string_view run = line_.substr(pos_, end - pos_);
    for (std::size_t bang; (bang = run.find('!')) != std::string_view::npos;) {
      repeat_ = true;
      element_.append(run.substr(0, bang));
      run.remove_prefix(bang + 1);
    }
    element_.append(run);
    comparePending_ = false;
    elementDepth_ = depth_;
  }
  pos_ = end - 1;
}

// The element has been compared or used: nothing waits, and what was read
// ahead about its word no longer applies ("0 :" has no number before ":").
void TemplateLineMatcher::ClearElement() {
  element_.clear();
  elementTypeKnown_ = false;
  comparePending_ = false;
}

void TemplateLineMatcher::OpenLevel(bool choice) {
  const bool parentSkipping = levels_[depth_].skipping;
  ++depth_;
  if (levels_.size() <= depth_) levels_.resize(depth_ + 1);
  levels_[depth_] = Level{choice, false, parentSkipping};
}

TemplateLineMatcher::Step TemplateLineMatcher::CloseBracket(char c) {
  if (depth_ == 0) {
    return TemplateErrorAt(texts::kExtraClosingBracket, {Position()});
  }
  Level& level = levels_[depth_];
  if (level.choice != (c == ']')) {
    return TemplateErrorAt(texts::kInvalidClosingBracket, {Position()});
  }
  // An optional group fails the line only when an alternative broke off; a
  // choice fails it when none of its alternatives matched.
  const bool broken =
      c == ')' ? level.skipping && level.inSequence : level.skipping && depth_ == elementDepth_;
  if (broken) return Step::Fail;
  if (depth_ == elementDepth_) {
    groupSatisfied_ = false;
    level.skipping = false;
  }
  --depth_;
  return Step::Continue;
}

TemplateLineMatcher::Step TemplateLineMatcher::ReadColon() {
  if (element_ == "src") {
    side_ = SideSource;
  } else if (element_ == "dst") {
    side_ = SideDestination;
  } else {
    const std::int32_t number = elementTypeKnown_ ? elementNumber_ : ReadIntDefault(element_, 1000);
    if (number >= 1000) {
      return TemplateErrorAt(texts::kWrongOptionNumber, {Position()});
    }
    const int slot = number % 100;
    if (slot < 0 || slot >= kSlotCount) {
      return TemplateErrorAt(texts::kOptionNumberOutOfRange,
                             {Position(), "0", std::to_string(kSlotCount - 1)});
    }
    declared_ |= SlotBit(slot);
    const std::size_t numberStart = pos_ - element_.size();
    if (slotStart_[slot] == kUnset) {
      slotStart_[slot] = numberStart;
    } else if (side_ == SideNone && numberStart != slotStart_[slot]) {
      return TemplateErrorAt(texts::kOptionNumberRepeated, {element_, Position()});
    }
    slot_ = slot;
    const int itemClass = number / 100;
    if (itemClass != class_) {
      done_ = 0;
      declared_ = SlotBit(slot);
      class_ = itemClass;
    } else if ((done_ & SlotBit(slot)) != 0 && slotEnd_[slot] != kUnset) {
      // Already matched in this free-order set: go to the end of the item.
      pos_ = slotEnd_[slot];
      ClearElement();
      return Step::JumpToTopLevel;
    }
  }
  ClearElement();
  return Step::Continue;
}

TemplateLineMatcher::Step TemplateLineMatcher::CompareElements(char c) {
  while (comparePending_ && !element_.empty()) {
    const ElementType type = elementTypeKnown_ ? elementType_ : ClassifyElement(element_);
    const bool matched = MatchElement(type, element_, token_, value_);
    lastKindEmpty_ = !matched;
    Level& level = levels_[elementDepth_];
    if (!matched) {
      // A mandatory item, the last alternative of a closed choice, or an
      // alternative that had begun to match: the line cannot match.
      if (elementDepth_ == 0 || (depth_ < elementDepth_ && level.choice) || level.inSequence) {
        return Step::Fail;
      }
      repeat_ = false;
      if (c == ' ') level.skipping = true;  // pass over the rest of this alternative
      ClearElement();
      return Step::Continue;
    }
    const Step effect = ApplyEffect(type, value_);
    if (effect != Step::Continue) return effect;
    AdvanceToken();
    if (c == ',') {
      groupSatisfied_ = true;
      levels_[elementDepth_].inSequence = false;
    } else {
      levels_[elementDepth_].inSequence = true;
    }
    if (!repeat_) {
      ClearElement();
    } else {
      repeatMatched_ = true;  // compare the same element with the next word
    }
  }
  return Step::Continue;
}

TemplateLineMatcher::Step TemplateLineMatcher::ApplyEffect(ElementType type,
                                                           const std::string& value) {
  OptionValues& values = record_.Values;
  switch (type) {
    case ElementType::Keyword:
      break;
    case ElementType::Addr:
    case ElementType::CommaAddr:
      if (side_ == SideNone) return ParameterError("address");
      StoreAddress(false, ParseDecimal(value));
      return Step::Continue;
    case ElementType::HostAddr:
      if (side_ == SideNone) return ParameterError("host address");
      StoreAddress(false, ParseDecimal(value));
      StoreAddress(true, 0xFFFFFFFFu);
      return Step::Continue;
    case ElementType::Wildcard:
      if (side_ == SideNone) return ParameterError("mask");
      StoreAddress(true, ~ParseDecimal(value));
      return Step::Continue;
    case ElementType::RangeState:
      // Lists show it after a time range's name; it is no part of what the
      // entry matches and is not kept.
      return values.Get(SideNone, SlotTimeRange).empty() ? Step::Fail : Step::Continue;
    case ElementType::Mask: {
      if (side_ == SideNone) return ParameterError("mask");
      const std::uint32_t mask = ParseDecimal(value);
      StoreAddress(true, maskType_ == MaskForm::Netmask ? mask : ~mask);
      return Step::Continue;
    }
    case ElementType::Cidr: {
      if (side_ == SideNone) return ParameterError("address/mask");
      const std::size_t slash = value.find('/');
      StoreAddress(false, ParseDecimal(std::string_view(value).substr(0, slash)));
      StoreAddress(true, ParseDecimal(std::string_view(value).substr(slash + 1)));
      return Step::Continue;
    }
    case ElementType::NumberLiteral:
    case ElementType::TcpPort:
    case ElementType::UdpPort:
    case ElementType::Byte:
    case ElementType::Str256:
    case ElementType::IcmpMessage:
    case ElementType::Precedence:
    case ElementType::ProtocolNumber:
    case ElementType::IgmpMessage:
    case ElementType::Dscp:
    case ElementType::Tos:
    case ElementType::IpOption:
    case ElementType::TcpFlag:
    case ElementType::SignedTcpFlag:
    case ElementType::Count:
      values.Append(side_, slot_, value);
      return Step::Continue;
  }

  const std::string_view keyword = element_;
  if (keyword == "permit") {
    record_.Status = StatusPermit;
  } else if (keyword == "deny") {
    record_.Status = StatusDeny;
  } else if (keyword == "remark") {
    // A remark takes the rest of the input whatever it holds.
    record_.Status = StatusRemark;
    token_ = input_.substr(tokenPos_);
    pos_ = line_.size() - 1;
  } else if (const auto protocol = ProtocolValue(keyword)) {
    values.Set(SideNone, slot_, *protocol);
  } else if (keyword == "eq" || keyword == "neq" || keyword == "gt" || keyword == "lt" ||
             keyword == "range") {
    values.Append(side_, slot_, keyword);
  } else if (keyword == "host") {
    if (side_ == SideNone) return ParameterError("host address");
    StoreAddress(true, 0xFFFFFFFFu);
  } else if (keyword == "any") {
    if (side_ == SideNone) return ParameterError("any");
    StoreAddress(false, 0);
    StoreAddress(true, 0);
  } else if (keyword == "wildcard" || keyword == "bits") {
    // "ADDRESS, wildcard bits MASK": the words only announce the mask.
  } else {  // established, ttl, precedence, time-range, log, and the other option keywords
    values.Set(side_, slot_, keyword);
  }
  return Step::Continue;
}

void TemplateLineMatcher::StoreAddress(bool mask, std::uint32_t value) {
  if (side_ == SideSource) {
    (mask ? record_.SrcMask : record_.SrcAddr) = value;
  } else if (side_ == SideDestination) {
    (mask ? record_.DstMask : record_.DstAddr) = value;
  }
}

void TemplateLineMatcher::AdvanceToken() {
  tokenPos_ += token_.size() + 1;
  if (tokenPos_ >= input_.size()) {
    tokenPos_ = input_.size();
    token_ = {};
    return;
  }
  const std::string_view rest = input_.substr(tokenPos_);
  token_ = rest.substr(0, rest.find(' '));
}

// A blank at depth 0 ends a top-level item. Returns true when reading jumps
// back to the first unmatched item of a free-order set.
bool TemplateLineMatcher::EndTopLevelItem() {
  side_ = SideNone;
  bool added = false;
  if (slot_ != kNoSlot) {
    slotEnd_[slot_] = pos_;
    if (class_ > 0 && (!lastKindEmpty_ || repeatMatched_) && (done_ & SlotBit(slot_)) == 0) {
      done_ |= SlotBit(slot_);
      added = true;
    }
  }
  repeatMatched_ = false;
  if (added) {
    for (std::uint32_t open = declared_ & ~done_; open != 0; open &= open - 1) {
      const std::size_t start = slotStart_[std::countr_zero(open)];
      if (start != kUnset) {
        pos_ = start;
        return true;
      }
    }
  }
  slot_ = kNoSlot;
  return false;
}

// With every word consumed and nothing waiting, whether reading on from
// `from` would only pass optional items over, the free-order items still
// unmatched (to which reading may jump back) included: then the line's
// outcome is settled without reading them.
bool TemplateLineMatcher::RestPassedOver(std::size_t from, std::size_t budget) const {
  if (!token_.empty() || !element_.empty() || groupSatisfied_ || repeat_) return false;
  if (class_ > 0) {
    for (std::uint32_t open = declared_ & ~done_; open != 0; open &= open - 1) {
      const std::size_t start = slotStart_[std::countr_zero(open)];
      if (start != kUnset) from = std::min(from, start);
    }
  }
  if (from >= line_.size() || !templateLine_.passedOverWhenDone[from]) return false;
  for (std::uint32_t read = templateLine_.slotsReadWhenDone[from]; read != 0; read &= read - 1) {
    const int slot = std::countr_zero(read);
    if (slotStart_[slot] != kUnset && slotStart_[slot] != templateLine_.lastSlotUse[slot]) {
      return false;
    }
  }
  // Reading them would take at most a pass per slot; a line that would run
  // out of steps on the way must still fail as it does when read.
  return budget > 2 * (line_.size() + 1) * (kSlotCount + 1);
}

TemplateLineMatcher::Step TemplateLineMatcher::TemplateError(std::string text) {
  stopOutcome_ = TemplateLineOutcome::TemplateError;
  message_ = std::move(text);
  return Step::Stop;
}

TemplateLineMatcher::Step TemplateLineMatcher::ParameterError(std::string_view what) {
  stopOutcome_ = TemplateLineOutcome::ParameterError;
  message_ = Fill(texts::kParameterError.English, {what});
  return Step::Stop;
}

// The first word of `words` that `token` matches.
const PreparedTemplateLine::Word* FirstMatch(const std::vector<PreparedTemplateLine::Word>& words,
                                             std::string_view token, std::string& value) {
  for (const PreparedTemplateLine::Word& word : words) {
    if (MatchElement(word.type, word.text, token, value)) return &word;
  }
  return nullptr;
}

// Whether the input's first two words rule the template line out at its
// action and protocol; if so, `record` is left as reading the line up to
// there would leave it.
bool TurnedAwayByLeadingWords(const PreparedTemplateLine& templateLine, std::string_view input,
                              RuleRecord& record) {
  if (!templateLine.leadingWords) return false;
  const PreparedTemplateLine::LeadingWords& leading = *templateLine.leadingWords;
  thread_local std::string value;
  const std::size_t actionEnd = input.find(' ');
  if (actionEnd == std::string_view::npos) return false;
  const PreparedTemplateLine::Word* action =
      FirstMatch(leading.actions, input.substr(0, actionEnd), value);
  if (action != nullptr) {
    const std::string_view rest = input.substr(actionEnd + 1);
    if (FirstMatch(leading.protocols, rest.substr(0, rest.find(' ')), value) != nullptr) {
      return false;
    }
  }
  record.Values.Clear();
  if (action != nullptr) record.Status = action->text == "permit" ? StatusPermit : StatusDeny;
  return true;
}

}  // namespace

TemplateLineResult MatchTemplateLine(const PreparedTemplateLine& templateLine,
                                     std::string_view input, MaskForm maskType,
                                     RuleRecord& record) {
  if (TurnedAwayByLeadingWords(templateLine, input, record)) return {};
  return TemplateLineMatcher(templateLine, input, maskType, record).Run();
}

}  // namespace kerbwise
