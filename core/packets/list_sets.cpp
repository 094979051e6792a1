#include "packets/list_sets.h"

#include "check/check_for_match.h"
#include "packets/entry_set.h"
#include "packets/packet_worker.h"
#include "rules/line_recognizer.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "text/packets_texts.h"
#include "text/presentation_texts.h"

namespace kerbwise {

namespace {

constexpr unsigned kRandomWitnesses = 3;
constexpr std::size_t kKeptSets = 20000;

// Why an entry cannot be compared, as a full match of it says it: the line as
// the rule, so that its own faults are told in the list's words.
std::string FaultOf(const RecognisedLine& line, const CheckOptions& options,
                    LineRecognizer& recognizer) {
  const MatchSettings settings;
  const bool rule = line.Expr && !line.ParameterError &&
                    (line.Expr->Status == StatusPermit || line.Expr->Status == StatusDeny);
  // Against itself a rule reports its own address, TTL and port faults
  // first; a line that is no rule is reported against a plain rule.
  const RecognisedLine other =
      rule ? line : RecogniseLine("permit ip any any", options, recognizer);
  return CheckForMatch(line, other, settings, options).Message;
}

}  // namespace

ReadList ReadForSets(const std::vector<std::string>& listLines, const CheckOptions& options) {
  ReadList list;
  list.Lines = listLines;
  CheckOptions readOptions = options;
  readOptions.PartialAddresses = false;
  LineRecognizer recognizer;
  recognizer.EmptyCache(listLines.size());
  list.Entries.Reserve(listLines.size());
  for (const std::string& line : listLines) {
    const RecognisedLine recognised = RecogniseLine(ListEntryText(line), readOptions, recognizer);
    const std::size_t k = list.Entries.Add(*recognised.Expr, recognised.ParameterError);
    const CompiledEntry& entry = list.Entries[k];
    list.Rule.push_back(entry.Kind == EntryKind::Rule);
    if (entry.Kind == EntryKind::Remark) continue;
    std::string fault;
    if (entry.Kind != EntryKind::Rule || !entry.Clean) {
      fault = FaultOf(recognised, readOptions, recognizer);
      // A port condition on a protocol a full match reads no ports of is
      // never compared, so it gives no message of its own.
      if (fault.empty()) {
        fault =
            Fill(texts::kEntryNotExact.In(options.TextLanguage), {"a value that cannot be read"});
      }
    } else if (const std::optional<std::string> why = EntrySetFault(entry)) {
      fault = Fill(texts::kEntryNotExact.In(options.TextLanguage), {*why});
    }
    if (!fault.empty()) {
      list.Error = Fill(texts::kAnalysisErrorLine.In(options.TextLanguage),
                        {std::string(TrimControls(line)), fault});
      break;  // the run ends here; the rest need not be read
    }
  }
  return list;
}

ListSets::ListSets(const ReadList& list)
    : list_(list), index_(list.Entries, list.Rule), sets_(list.Entries.size()) {}

const PacketSet& ListSets::Of(std::size_t k) {
  std::optional<PacketSet>& set = sets_[k];
  if (set) return *set;
  if (kept_.size() >= kKeptSets) {
    for (const std::size_t dropped : kept_) sets_[dropped].reset();
    kept_.clear();
  }
  set = EntrySet(list_.Entries, list_.Entries[k]);
  kept_.push_back(k);
  return *set;
}

std::vector<Packet> ListSets::Witnesses(const PacketSet& set) {
  std::vector<Packet> witnesses;
  if (const std::optional<Packet> lowest = set.Example()) witnesses.push_back(*lowest);
  for (unsigned seed = 1; seed <= kRandomWitnesses; ++seed) {
    if (const std::optional<Packet> picked = set.Example(seed)) witnesses.push_back(*picked);
  }
  return witnesses;
}

std::vector<Packet> ListSets::Witnesses(std::size_t k) const {
  std::vector<Packet> witnesses;
  for (unsigned seed = 0; seed <= kRandomWitnesses; ++seed) {
    const std::optional<Packet> picked = EntryWitness(list_.Entries, list_.Entries[k], seed);
    if (!picked) break;
    witnesses.push_back(*picked);
  }
  return witnesses;
}

std::optional<std::size_t> ListSets::FirstHolding(const std::vector<std::size_t>& entries,
                                                  const Packet& packet,
                                                  const std::vector<bool>* skip) const {
  for (const std::size_t k : entries) {
    if (skip != nullptr && (*skip)[k]) continue;
    if (EntryMatches(list_.Entries, list_.Entries[k], packet)) return k;
  }
  return std::nullopt;
}

std::string JobErrorText(const std::exception& error, const CheckOptions& options) {
  if (dynamic_cast<const PacketSetTooLarge*>(&error) != nullptr) {
    return Fill(texts::kPacketSetsTooLarge.In(options.TextLanguage),
                {std::to_string(PacketWorker::Shared().MaxNodes())});
  }
  return error.what();
}

}  // namespace kerbwise
