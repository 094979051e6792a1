#include "intake/object_expander.h"

#include <deque>
#include <utility>

#include "rules/primitives.h"

namespace kerbwise {

namespace {

constexpr std::string_view kAddrGroup = " addrgroup ";
constexpr std::string_view kPortGroup = " portgroup ";
constexpr std::string_view kObjectGroup = " object-group ";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The first word of `text` and what follows its blank (empty when none).
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

bool IsDescription(std::string_view member) { return member.substr(1, 11) == "escription "; }

// "A M" with both words dotted quads: the address and its mask as the entry
// shows them. The members give masks in netmask form.
std::optional<std::string> AddressAndMask(std::string_view member, MaskForm maskType) {
  const auto [addressText, maskText] = SplitWord(member);
  const auto address = IPToVal(addressText);
  const auto mask = IPToVal(maskText);
  if (!address || !mask) return std::nullopt;
  const std::uint32_t shown = maskType == MaskForm::Wildcard ? ~*mask : *mask;
  return " " + ValToIP(*address) + " " + ValToIP(shown);
}

bool EndsPortGroup(std::string_view member) {
  if (member.empty() || member == "!") return true;
  return member.find("object") != std::string_view::npos &&
         (StartsWith(member, "object-group ") || StartsWith(member, "Network object ") ||
          StartsWith(member, "Protocol port "));
}

bool EndsServiceGroup(std::string_view member) {
  return member.empty() || member == "!" || StartsWith(member, "object-group ") ||
         StartsWith(member, "Service object group ") || StartsWith(member, "Network object group ");
}

// Takes an address off the front of `text`: "any", or two words ("host A",
// "A W", or a further reference). `text` keeps its leading blank.
std::string TakeAddress(std::string_view& text) {
  std::string_view rest = text.substr(text.empty() ? 0 : 1);
  const auto [first, afterFirst] = SplitWord(rest);
  std::size_t taken = first.size();
  if (first != "any" && !afterFirst.empty()) taken += 1 + SplitWord(afterFirst).first.size();
  const std::string address(rest.substr(0, taken));
  text = rest.substr(taken);
  return address;
}

// The entries one service member makes of an entry whose protocol is the
// reference: the member's protocol takes the reference's place, its source
// ports follow the source address and the rest of it the destination.
std::vector<std::string> ServiceEntries(std::string_view before, std::string_view after,
                                        std::string_view member) {
  const std::string compressed = SpaceCompress(member);
  const auto [protocol, ports] = SplitWord(compressed);
  std::string sourcePorts;
  std::string destinationPorts;
  if (compressed.find(' ') != std::string::npos) {
    std::string_view rest = ports;
    if (SplitWord(rest).first == "source") {
      rest = SplitWord(rest).second;
      const int words = SplitWord(rest).first == "range" ? 3 : 2;
      for (int i = 0; i < words && !rest.empty(); ++i) {
        const auto [word, next] = SplitWord(rest);
        sourcePorts += " " + std::string(word);
        rest = next;
      }
    }
    destinationPorts = " " + std::string(rest);
  }

  std::string_view addresses = after;
  const std::string source = TakeAddress(addresses);
  const std::string destination = TakeAddress(addresses);
  const auto entry = [&](std::string_view proto) {
    return std::string(before) + " " + std::string(proto) + " " + source + sourcePorts + " " +
           destination + destinationPorts + std::string(addresses);
  };
  if (protocol == "tcp-udp") return {entry("tcp"), entry("udp")};
  return {entry(protocol)};
}

// The reference a pass expands: the leftmost address-group reference, else
// the leftmost network or service group, else the leftmost port group.
std::optional<std::pair<GroupFamily, std::size_t>> FirstReferenceAt(std::string_view entry) {
  for (const auto& [family, keyword] : {std::pair{GroupFamily::Address, kAddrGroup},
                                        std::pair{GroupFamily::NetworkService, kObjectGroup},
                                        std::pair{GroupFamily::Port, kPortGroup}}) {
    if (const std::size_t at = entry.find(keyword); at != std::string_view::npos) {
      return std::pair{family, at};
    }
  }
  return std::nullopt;
}

std::size_t CountReferences(std::string_view entry) {
  std::size_t count = 0;
  for (std::string_view keyword : {kAddrGroup, kObjectGroup, kPortGroup}) {
    for (std::size_t at = entry.find(keyword); at != std::string_view::npos;
         at = entry.find(keyword, at + 1)) {
      ++count;
    }
  }
  return count;
}

std::string_view KeywordOf(GroupFamily family) {
  switch (family) {
    case GroupFamily::Address:
      return kAddrGroup;
    case GroupFamily::Port:
      return kPortGroup;
    default:
      return kObjectGroup;
  }
}

}  // namespace

std::optional<ObjectExpander::FoundReference> ObjectExpander::FindFirstReference(
    const std::string& entry) {
  const auto reference = FirstReferenceAt(entry);
  if (!reference) return std::nullopt;
  const auto [family, at] = *reference;
  // The name runs to the next blank, or to the end of the entry.
  const std::size_t nameStart = at + KeywordOf(family).size();
  const std::size_t nameEnd = std::min(entry.find(' ', nameStart), entry.size());
  return FoundReference{
      family,
      {entry.substr(0, at), entry.substr(nameStart, nameEnd - nameStart), entry.substr(nameEnd)}};
}

ObjectExpander::ObjectExpander(const std::vector<std::string>& objectPane, MaskForm maskType)
    : objects_(PrepareObjectList(objectPane)), index_(objects_), maskType_(maskType) {}

bool ObjectExpander::DefinesServiceGroup(std::string_view name) {
  std::optional<std::size_t> after;
  while (const std::optional<GroupHeader> header =
             index_.Next(GroupFamily::NetworkService, name, after)) {
    if (header->kind == GroupKind::Service) return true;
    after = header->line;
  }
  return false;
}

LineExpansion ObjectExpander::ExpandLine(std::string_view line) {
  LineExpansion expansion;
  const auto fail = [&](ObjectError failure) {
    expansion.outcome = LineExpansion::Outcome::Failed;
    expansion.Failure = std::move(failure);
    return expansion;
  };
  // Each expansion removes one reference, so no entry can need more passes
  // than the line has references, unless a member brought in a reference of
  // its own: that would expand forever.
  const std::size_t references = CountReferences(SpaceCompress(line));
  std::deque<QueuedEntry> queue{{std::string(line), 0}};
  bool expanded = false;
  // Each pass expands the leftmost reference of the kind that goes first in
  // the front entry and queues its results behind the others; when the front
  // entry holds no reference, none of the queue does.
  while (!queue.empty()) {
    const std::string entry = SpaceCompress(queue.front().text);
    const std::optional<FoundReference> found = FindFirstReference(entry);
    if (!found) break;
    const SplitEntry& split = found->split;
    const std::size_t passes = queue.front().passes + 1;
    if (passes > references) {
      return fail({ObjectProblem::RecursiveNesting, split.Name, {}});
    }
    std::vector<std::string> results;
    std::optional<ObjectError> failure = found->family == GroupFamily::NetworkService
                                             ? ExpandTopObjectGroup(split, results)
                                             : ExpandSimpleGroup(found->family, split, results);
    if (failure) return fail(std::move(*failure));
    queue.pop_front();
    for (std::string& result : results) queue.push_back({std::move(result), passes});
    expanded = true;
    if (queue.size() > kMaxDerivedEntries) {
      return fail({ObjectProblem::TooManyEntries, split.Name, {}});
    }
  }
  if (!expanded) return expansion;
  expansion.outcome = LineExpansion::Outcome::Expanded;
  expansion.Lines.reserve(queue.size());
  for (const QueuedEntry& entry : queue) expansion.Lines.push_back(SpaceCompress(entry.text));
  return expansion;
}

std::optional<ObjectError> ObjectExpander::ExpandSimpleGroup(GroupFamily family,
                                                             const SplitEntry& entry,
                                                             std::vector<std::string>& out) {
  const bool address = family == GroupFamily::Address;
  std::optional<std::size_t> after;
  bool found = false;
  while (!found) {
    const std::optional<GroupHeader> header = index_.Next(family, entry.Name, after);
    if (!header) break;
    after = header->line;
    const bool recording = !used_.HasHeader(objects_[header->line]);
    if (recording) used_.BeginGroup(entry.Name, objects_[header->line]);

    for (std::size_t i = header->line + 1; i < objects_.size(); ++i) {
      const std::string& member = objects_[i];
      std::string replacement;
      if (address) {
        if (member.empty()) break;
        if (StartsWith(member, "host ")) {
          replacement = " host " + member.substr(5);
        } else if (StartsWith(member, "host-info ")) {
          replacement = " host " + member.substr(10);
        } else if (auto both = AddressAndMask(SpaceCompress(member), maskType_)) {
          replacement = std::move(*both);
        } else {
          break;
        }
      } else {
        if (EndsPortGroup(member)) break;
        replacement = " " + member;
        if (StartsWith(member, "range ")) {
          if (const std::size_t dash = replacement.find(" - "); dash != std::string::npos) {
            replacement.replace(dash, 3, " ");
          }
        }
      }
      out.push_back(entry.Before + replacement + entry.After);
      found = true;
      membersExpanded_ = true;
      if (recording) used_.AppendMember(member);
    }
  }
  if (found) return std::nullopt;
  return ObjectError{
      address ? ObjectProblem::AddressGroupNotFound : ObjectProblem::GroupNotFound, entry.Name, {}};
}

std::optional<ObjectError> ObjectExpander::ExpandTopObjectGroup(const SplitEntry& entry,
                                                                std::vector<std::string>& out) {
  recursion_ = 0;
  GroupLines group = ExpandObjGroup(entry);
  if (group.Failure) return group.Failure;
  if (recursion_ > kMaxNestedGroups)
    return ObjectError{ObjectProblem::RecursiveNesting, entry.Name, {}};
  if (!group.Found && group.Lines.empty()) {
    return ObjectError{ObjectProblem::GroupNotFound, entry.Name, {}};
  }
  if (!group.Found) {
    // Each level that failed added its own name; the last is the group
    // whose nested group is missing.
    return ObjectError{ObjectProblem::MissingNestedGroup, group.Lines.back(), {}};
  }
  if (group.Lines.empty()) {
    // Only descriptions: the entry would have nothing to become.
    return ObjectError{ObjectProblem::NoMembers, entry.Name, {}};
  }
  out = std::move(group.Lines);
  return std::nullopt;
}

ObjectExpander::GroupLines ObjectExpander::ExpandObjGroup(const SplitEntry& entry) {
  GroupLines result;
  std::optional<std::size_t> after;
  while (!result.Found) {
    const std::optional<GroupHeader> header =
        index_.Next(GroupFamily::NetworkService, entry.Name, after);
    if (!header) break;
    after = header->line;
    std::vector<std::string> definition;
    const bool complete = header->kind == GroupKind::Network
                              ? ReadNetworkGroup(entry, header->line, result, definition)
                              : ReadServiceGroup(entry, header->line, result, definition);
    // Nested groups were recorded while reading; this one follows them.
    const std::string& headerLine = objects_[header->line];
    if (!used_.HasHeader(headerLine)) {
      used_.BeginGroup(entry.Name, headerLine);
      for (const std::string& member : definition) used_.AppendMember(member);
    }
    // A failure below this group ends the search: a later definition of the
    // same name must not be mixed into a result that is already broken.
    if (!complete) break;
  }
  return result;
}

bool ObjectExpander::ExpandNestedGroup(const SplitEntry& entry, std::string_view member,
                                       GroupLines& result) {
  result.Found = true;
  membersExpanded_ = true;
  ++recursion_;
  if (recursion_ > kMaxNestedGroups) {
    result.Found = false;
    result.Lines.push_back(entry.Name);
    return false;
  }
  const SplitEntry nested{entry.Before, std::string(member.substr(13)), entry.After};
  GroupLines inner = ExpandObjGroup(nested);
  for (std::string& line : inner.Lines) result.Lines.push_back(std::move(line));
  if (inner.Failure) {
    result.Failure = std::move(inner.Failure);
    return false;
  }
  if (!inner.Found) {
    result.Found = false;
    result.Lines.push_back(entry.Name);
    return false;
  }
  return true;
}

bool ObjectExpander::ReadNetworkGroup(const SplitEntry& entry, std::size_t headerLine,
                                      GroupLines& result, std::vector<std::string>& definition) {
  for (std::size_t i = headerLine + 1; i < objects_.size(); ++i) {
    const std::string& raw = objects_[i];
    if (raw.empty() || raw == "!") break;
    const std::string member = SpaceCompress(raw);
    if (StartsWith(member, "group-object ")) {
      definition.push_back(raw);
      if (!ExpandNestedGroup(entry, member, result)) return false;
      continue;
    }
    if (IsDescription(member)) {
      result.Found = true;
    } else if (StartsWith(member, "host ")) {
      result.Lines.push_back(entry.Before + " host " + member.substr(5) + entry.After);
      result.Found = membersExpanded_ = true;
    } else if (StartsWith(member, "range ")) {
      const auto [firstText, lastText] = SplitWord(std::string_view(member).substr(6));
      const auto first = IPToVal(firstText);
      const auto last = IPToVal(lastText);
      if (first && last) {
        const std::uint32_t low = std::min(*first, *last);
        const std::uint32_t high = std::max(*first, *last);
        if (low == 0 && high == UINT32_MAX) {
          result.Lines.push_back(entry.Before + " any" + entry.After);
        } else if (std::uint64_t{high} - low + 1 > kMaxRangeAddresses) {
          result.Failure = ObjectError{ObjectProblem::RangeTooWide, entry.Name,
                                       std::string(firstText) + " " + std::string(lastText)};
          return false;
        } else {
          for (std::uint64_t value = low; value <= high; ++value) {
            result.Lines.push_back(entry.Before + " host " +
                                   ValToIP(static_cast<std::uint32_t>(value)) + entry.After);
          }
        }
        result.Found = membersExpanded_ = true;
      }
    } else if (auto both = AddressAndMask(member, maskType_)) {
      result.Lines.push_back(entry.Before + *both + entry.After);
      result.Found = membersExpanded_ = true;
    } else {
      break;  // not an address: the next header, or the end of the group
    }
    definition.push_back(raw);
  }
  return true;
}

bool ObjectExpander::ReadServiceGroup(const SplitEntry& entry, std::size_t headerLine,
                                      GroupLines& result, std::vector<std::string>& definition) {
  for (std::size_t i = headerLine + 1; i < objects_.size(); ++i) {
    const std::string& raw = objects_[i];
    if (EndsServiceGroup(raw)) break;
    definition.push_back(raw);
    const std::string member = SpaceCompress(raw);
    if (StartsWith(member, "group-object ")) {
      if (!ExpandNestedGroup(entry, member, result)) return false;
    } else if (IsDescription(member)) {
      result.Found = true;
    } else {
      for (std::string& line : ServiceEntries(entry.Before, entry.After, member)) {
        result.Lines.push_back(std::move(line));
      }
      result.Found = membersExpanded_ = true;
    }
  }
  return true;
}

}  // namespace kerbwise
