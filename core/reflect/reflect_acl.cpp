#include "reflect/reflect_acl.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "rules/integer_reader.h"
#include "rules/limits.h"
#include "rules/list_entry.h"
#include "rules/name_tables.h"
#include "rules/primitives.h"
#include "rules/protocols.h"
#include "rules/rule_record.h"

namespace kerbwise {
namespace {

constexpr std::uint32_t kAllOnes = 0xFFFFFFFFu;

// The protocol as the recognizer stores it, and the word written for it.
std::string ProtocolWord(const std::string& value) {
  const std::optional<std::int32_t> number = ReadInteger(value);
  if (number && *number >= 0 && *number <= kMaxProtocol) {
    if (const auto name = ProtocolName(static_cast<std::uint8_t>(*number))) {
      return std::string(*name);
    }
  }
  return value;  // ip, or a protocol without a name: written as stored
}

// " any", " host A", or " A M" with M written as the mask type says.
void AppendAddress(std::string& out, std::uint32_t address, std::uint32_t mask, MaskForm maskType) {
  if (address == 0 && mask == 0) {
    out += " any";
  } else if (mask == kAllOnes) {
    out += " host ";
    out += ValToIP(address);
  } else {
    out += ' ';
    out += ValToIP(address);
    out += ' ';
    out += ValToIP(maskType == MaskForm::Wildcard ? ~mask : mask);
  }
}

void AppendWord(std::string& out, std::string_view word) {
  if (word.empty()) return;
  out += ' ';
  out += word;
}

std::string MirrorRule(const RuleRecord& expr, MaskForm maskType) {
  const OptionValues& values = expr.Values;
  std::string rule = expr.Status == StatusPermit ? "permit" : "deny";
  AppendWord(rule, ProtocolWord(values.Get(SideNone, SlotProtocol)));
  AppendAddress(rule, expr.DstAddr, expr.DstMask, maskType);
  AppendWord(rule, values.Get(SideDestination, SlotPort));
  AppendAddress(rule, expr.SrcAddr, expr.SrcMask, maskType);
  AppendWord(rule, values.Get(SideSource, SlotPort));
  // A message that nothing answers, or that the table does not know, is left
  // out: the mirrored rule then lets every message between the two through.
  // IGMP messages have no answers of that kind: they are left out as well.
  if (const std::string& message = values.Get(SideNone, SlotPort);
      !message.empty() && values.Get(SideNone, SlotProtocol) == "1") {
    AppendWord(rule, IcmpReplyName(message).value_or(""));
  }
  // Return traffic never opens a connection, so "established" has no mirror;
  // nor have the flags of the outgoing packets (the answer to a syn carries
  // syn and ack). A reflect or evaluate belongs to the outgoing list.
  if (const std::string& flag = values.Get(SideNone, SlotEstablished); flag != "established") {
    AppendWord(rule, flag);
  }
  for (const Slot slot : {SlotPrecedence, SlotDscp, SlotTos, SlotTtl, SlotFragments, SlotOption,
                          SlotTimeRange, SlotLog, SlotLogUpdate, SlotThreshold}) {
    AppendWord(rule, values.Get(SideNone, slot));
  }
  return rule;
}

}  // namespace

std::string ReflectListLine(std::string_view line, const CheckOptions& options,
                            LineRecognizer& recognizer) {
  const std::string entry = ListEntryText(line);
  const RecordPtr expr = recognizer.Recognize(entry, options);
  // A parameter error leaves a half-read record behind: it is no rule.
  const std::uint8_t status =
      recognizer.ParameterError().empty() ? expr->Status : std::uint8_t{StatusUnrecognised};
  switch (status) {
    case StatusPermit:
    case StatusDeny:
      return MirrorRule(*expr, options.MaskType);
    case StatusRemark:
      return "-remark ";
    default: {
      std::string marked = "-";
      marked += StatusName(status, options.TextLanguage);
      marked += ": ";
      marked += entry;
      return marked;
    }
  }
}

std::vector<std::string> ReflectACL(const LineList& listLines, const CheckOptions& options,
                                    LineRecognizer& recognizer) {
  std::vector<std::string> reflected;
  reflected.reserve(listLines.size());
  for (const std::string_view line : listLines) {
    reflected.push_back(ReflectListLine(line, options, recognizer));
  }
  return reflected;
}

std::vector<std::string> ReflectACL(const LineList& listLines, const CheckOptions& options) {
  LineRecognizer recognizer;
  recognizer.EmptyCache(listLines.size());
  return ReflectACL(listLines, options, recognizer);
}

}  // namespace kerbwise
