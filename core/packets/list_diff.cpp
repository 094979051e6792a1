#include "packets/list_diff.h"

#include <set>
#include <utility>

#include "check/check_for_match.h"
#include "check/match_messages.h"
#include "packets/entry_set.h"
#include "packets/packet_worker.h"
#include "rules/line_recognizer.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "rules/protocols.h"
#include "rules/value_ranges.h"
#include "text/diff_texts.h"
#include "text/packets_texts.h"

namespace kerbwise {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The rule entries of one list: their places in the shared store, their
// lines and what they say (the key that tells equal entries).
struct ListRules {
  std::vector<std::size_t> Entry;
  std::vector<std::size_t> Line;
  std::vector<std::string> Key;
  std::size_t Begin = 0, End = 0;  // the list's lines in the store
};

// Why a compiled entry is not clean: the first value the comparison would
// refuse, in the order it looks.
std::string ValueProblem(const RuleRecord& record, const CheckOptions& options) {
  const Language language = options.TextLanguage;
  if ((record.SrcAddr & ~record.SrcMask) != 0) {
    return WrongCombinationMessage(AddressSide::Source, LineRole::Acl, record.SrcAddr,
                                   record.SrcMask, options);
  }
  if ((record.DstAddr & ~record.DstMask) != 0) {
    return WrongCombinationMessage(AddressSide::Destination, LineRole::Acl, record.DstAddr,
                                   record.DstMask, options);
  }
  const std::string& ttl = record.Values.Get(SideNone, SlotTtl);
  if (ttl.size() > 4) {
    const RangeList ranges = ValuesToRanges(std::string_view(ttl).substr(4), 255, language);
    if (!ranges.Ok()) return TtlErrorMessage(LineRole::Acl, ranges.Error, language);
  }
  for (const int side : {SideSource, SideDestination}) {
    const std::string& ports = record.Values.Get(side, SlotPort);
    if (ports.empty()) continue;
    const RangeList ranges = ValuesToRanges(ports, 65535, language);
    if (!ranges.Ok()) return PortErrorMessage(LineRole::Acl, ranges.Error, language);
  }
  return NotRecognisedMessage(LineRole::Acl, language);
}

// Reads the lines into the store; the message of the first line that is
// neither a rule nor a remark, or whose values cannot be matched.
std::optional<std::string> ReadRules(const std::vector<std::string>& lines, const Phrase& where,
                                     const CheckOptions& options, LineRecognizer& recognizer,
                                     CompiledEntries& store, ListRules& rules) {
  const Language language = options.TextLanguage;
  rules.Begin = store.size();
  rules.End = store.size();
  for (std::size_t line = 0; line < lines.size(); ++line) {
    const std::string text = ListEntryText(lines[line]);
    if (text.empty()) continue;
    const RecognisedLine read = RecogniseLine(text, options, recognizer);
    const std::size_t index = store.Add(*read.Expr, read.ParameterError);
    rules.End = store.size();
    const CompiledEntry& entry = store[index];
    std::string problem;
    switch (entry.Kind) {
      case EntryKind::Remark:
        continue;
      case EntryKind::TemplateError:
        problem = TemplateErrorMessage(LineRole::Acl, language);
        break;
      case EntryKind::Unrecognised:
        problem = NotRecognisedMessage(LineRole::Acl, language);
        break;
      case EntryKind::Rule:
        if (!entry.Clean) {
          problem = ValueProblem(*read.Expr, options);
        } else if (const std::optional<std::string> why = EntrySetFault(entry)) {
          // What the packet sets have no field for (an IP option).
          problem = Fill(texts::kEntryNotExact.In(language), {*why});
        }
        break;
    }
    if (!problem.empty()) {
      const std::size_t start = lines[line].find_first_not_of(' ');
      return Fill(where.In(language), {std::string_view(lines[line]).substr(start), problem});
    }
    rules.Entry.push_back(index);
    rules.Line.push_back(line);
    rules.Key.push_back(text);
  }
  return std::nullopt;
}

// The packets a protocol name shows best: an example is taken from these
// first, so that an "ip" entry is shown with a tcp packet rather than
// protocol 0.
constexpr std::uint8_t kPreferredProtocols[] = {kProtocolTcp, kProtocolUdp, kProtocolIcmp};

// A packet of the set as a person would pick one: tcp, udp or icmp when the
// set holds such packets, from a client port when it can.
Packet Pick(const PacketSet& packets) {
  const PacketSet clientPorts = FieldRange(PacketField::SourcePort, 1024, 65535);
  for (const std::uint8_t protocol : kPreferredProtocols) {
    const PacketSet ofProtocol = packets & FieldRange(PacketField::Protocol, protocol, protocol);
    if (ofProtocol.Empty()) continue;
    if (protocol != kProtocolIcmp) {
      if (const auto packet = (ofProtocol & clientPorts).Example()) return *packet;
    }
    return *ofProtocol.Example();
  }
  return *packets.Example();
}

ExamplePacket Describe(const PacketSet& packets) {
  const std::optional<Packet> packet = Pick(packets);
  ExamplePacket example;
  example.Raw = *packet;
  const std::optional<std::string_view> name = ProtocolName(packet->Protocol);
  example.Protocol = name ? std::string(*name) : std::to_string(packet->Protocol);
  example.Source = ValToIP(packet->Source);
  example.Destination = ValToIP(packet->Destination);
  if (packet->Protocol == kProtocolTcp || packet->Protocol == kProtocolUdp) {
    example.SourcePort = packet->SourcePort;
    example.DestinationPort = packet->DestinationPort;
  }
  if (packet->Protocol == kProtocolIcmp) {
    example.IcmpType = packet->IcmpType;
    example.IcmpCode = packet->IcmpCode;
  }
  return example;
}

// The comparison of two lists read into one store, inside a worker job.
class Differ {
 public:
  // `from`: when given, only the packets that the old list decides at the
  // lines it marks are followed, and only from the old list.
  Differ(const CompiledEntries& store, const ListRules& oldRules, const ListRules& newRules,
         std::size_t examples, const std::vector<bool>* from = nullptr)
      : store_(store),
        old_(oldRules),
        new_(newRules),
        examples_(examples),
        from_(from),
        rule_(Rules()),
        lineOf_(store.size()),
        sets_(store.size()) {
    for (const ListRules* rules : {&old_, &new_}) {
      for (std::size_t k = 0; k < rules->Entry.size(); ++k)
        lineOf_[rules->Entry[k]] = rules->Line[k];
    }
  }

  ListDiff Run() {
    // Packets the common head decides are decided alike; packets neither
    // middle matches fall through to the common tail alike. So every packet
    // decided differently is decided by a middle entry in one list or the
    // other, and walking from those entries finds them all.
    std::size_t head = 0;
    while (head < old_.Key.size() && head < new_.Key.size() && old_.Key[head] == new_.Key[head]) {
      ++head;
    }
    std::size_t tail = 0;
    while (tail < old_.Key.size() - head && tail < new_.Key.size() - head &&
           old_.Key[old_.Key.size() - 1 - tail] == new_.Key[new_.Key.size() - 1 - tail]) {
      ++tail;
    }
    for (std::size_t k = head; k < old_.Key.size() - tail; ++k) {
      if (!from_ || (*from_)[old_.Line[k]]) Walk(old_, new_, k, head, true);
    }
    if (from_) return Finish();
    for (std::size_t k = head; k < new_.Key.size() - tail; ++k) Walk(new_, old_, k, head, false);
    return Finish();
  }

 private:
  ListDiff Finish() {
    result_.Same = !differs_;
    return std::move(result_);
  }

  const PacketSet& SetOf(std::size_t entry) {
    if (!sets_[entry]) sets_[entry] = EntrySet(store_, store_[entry]);
    return *sets_[entry];
  }

  // Whether some packet can match both entries: the cheap tests of
  // protocol and addresses first, then the options.
  bool Meet(std::size_t a, std::size_t b) const {
    const EntryTraffic& x = store_[a].Traffic;
    const EntryTraffic& y = store_[b].Traffic;
    if (!rule_[b]) return false;
    if (x.Protocol != 0 && y.Protocol != 0 && x.Protocol != y.Protocol) return false;
    if (((x.SrcAddr ^ y.SrcAddr) & x.SrcMask & y.SrcMask) != 0) return false;
    if (((x.DstAddr ^ y.DstAddr) & x.DstMask & y.DstMask) != 0) return false;
    return store_.OptionsMeet(store_[a], store_[b]);
  }

  std::vector<bool> Rules() const {
    std::vector<bool> rule(store_.size(), false);
    for (const ListRules* rules : {&old_, &new_}) {
      for (const std::size_t entry : rules->Entry) rule[entry] = true;
    }
    return rule;
  }

  // The packets that `mine` (a list) decides at its rule `at`, followed
  // down `theirs` from the first rule after the common head: every part
  // decided there with the opposite action is a difference. Entries are
  // scanned in list order (the store holds each list's entries in order)
  // with a cheap test first, and the scan ends as soon as no packet is left:
  // on lists with broad entries that comes early, which an index of the
  // meeting entries, gathered in full before the first step, cannot use.
  void Walk(const ListRules& mine, const ListRules& theirs, std::size_t at, std::size_t head,
            bool mineIsOld) {
    const std::size_t entry = mine.Entry[at];
    PacketSet decided = SetOf(entry);
    for (std::size_t other = mine.Begin; other < entry && !decided.Empty(); ++other) {
      if (Meet(entry, other)) decided -= SetOf(other);
    }
    if (decided.Empty()) return;
    const bool permits = store_[entry].Permits;
    const std::size_t from = head < theirs.Entry.size() ? theirs.Entry[head] : theirs.End;
    for (std::size_t other = from; other < theirs.End; ++other) {
      if (!Meet(entry, other)) continue;
      const PacketSet& otherSet = SetOf(other);
      if (store_[other].Permits != permits) {
        const PacketSet both = decided & otherSet;
        if (!both.Empty()) {
          Found(mineIsOld ? lineOf_[entry] : lineOf_[other],
                mineIsOld ? lineOf_[other] : lineOf_[entry], both, mineIsOld ? permits : !permits);
        }
      }
      decided -= otherSet;
      if (decided.Empty()) return;
    }
    // What is left falls to the other list's implicit deny.
    if (permits) {
      if (mineIsOld) {
        Found(lineOf_[entry], kNone, decided, true);
      } else {
        Found(kNone, lineOf_[entry], decided, false);
      }
    }
  }

  void Found(std::size_t oldLine, std::size_t newLine, const PacketSet& packets, bool oldPermits) {
    differs_ = true;
    if (oldLine != kNone && newLine != kNone) {
      const DecidingPair pair{oldLine, newLine};
      // Each pair is met once from either list.
      if (!seen_.insert({oldLine, newLine}).second) return;
      result_.Pairs.push_back(pair);
    } else if (!seen_.insert({oldLine, newLine}).second) {
      return;
    }
    std::vector<ExamplePacket>& examples =
        oldPermits ? result_.NewlyDenied : result_.NewlyPermitted;
    if (examples.size() >= examples_) return;
    ExamplePacket example = Describe(packets);
    if (oldLine != kNone) example.OldEntry = oldLine;
    if (newLine != kNone) example.NewEntry = newLine;
    example.OldPermits = oldPermits;
    example.NewPermits = !oldPermits;
    examples.push_back(std::move(example));
  }

  const CompiledEntries& store_;
  const ListRules& old_;
  const ListRules& new_;
  std::size_t examples_;
  const std::vector<bool>* from_;
  std::vector<bool> rule_;           // per store entry: a permit or deny entry
  std::vector<std::size_t> lineOf_;  // per store entry, its line in its list
  std::vector<std::optional<PacketSet>> sets_;
  std::set<std::pair<std::size_t, std::size_t>> seen_;
  bool differs_ = false;
  ListDiff result_;
};

}  // namespace

namespace {

ListDiff Diff(const std::vector<std::string>& oldLines, const std::vector<std::string>& newLines,
              const CheckOptions& options, std::size_t examples, const std::vector<bool>* from) {
  ListDiff diff;
  CompiledEntries store;
  store.Reserve(oldLines.size() + newLines.size());
  ListRules oldRules, newRules;
  LineRecognizer recognizer;
  recognizer.EmptyCache(oldLines.size() + newLines.size());
  diff.Error = ReadRules(oldLines, texts::kOldListLine, options, recognizer, store, oldRules);
  if (!diff.Error) {
    diff.Error = ReadRules(newLines, texts::kNewListLine, options, recognizer, store, newRules);
  }
  if (diff.Error) {
    diff.Same = false;
    return diff;
  }
  try {
    return PacketWorker::Shared()
        .Run([&] { return Differ(store, oldRules, newRules, examples, from).Run(); })
        .get();
  } catch (const PacketSetTooLarge&) {
    diff.Same = false;
    diff.Error = std::string(texts::kDiffTooLarge.In(options.TextLanguage));
    return diff;
  } catch (const std::exception& failure) {
    diff.Same = false;
    diff.Error = failure.what();
    return diff;
  }
}

}  // namespace

ListDiff DiffLists(const std::vector<std::string>& oldLines,
                   const std::vector<std::string>& newLines, const CheckOptions& options,
                   std::size_t examples) {
  return Diff(oldLines, newLines, options, examples, nullptr);
}

ListDiff DiffReordered(const std::vector<std::string>& oldLines,
                       const std::vector<std::string>& newLines, const CheckOptions& options,
                       const std::vector<bool>& from) {
  return Diff(oldLines, newLines, options, 0, &from);
}

}  // namespace kerbwise
