#include "intake/used_objects.h"

#include <algorithm>
#include <utility>

#include "rules/primitives.h"

namespace kerbwise {

namespace {

// Positions are stored in 32 bits, as the text pane counts them; a text long
// enough to pass that is pinned at the largest position rather than wrapped.
std::int32_t ToPosition(std::size_t length) {
  constexpr std::size_t kMax = static_cast<std::size_t>(INT32_MAX);
  return static_cast<std::int32_t>(std::min(length, kMax));
}

}  // namespace

bool UsedObjects::HasHeader(std::string_view header) const {
  return headers_.count(ToLowerAscii(header)) > 0;
}

void UsedObjects::BeginGroup(std::string_view name, std::string_view header) {
  if (!text_.empty()) AppendLine(std::string());
  AddUsdObjN(UsedGroup{std::string(name), ToPosition(textLength_), 0});
  headers_.insert(ToLowerAscii(header));
  AppendLine(std::string(header));
}

void UsedObjects::AppendMember(std::string_view member) { AppendLine(" " + std::string(member)); }

void UsedObjects::AddUsdObjN(UsedGroup record) { records_.push_back(std::move(record)); }

void UsedObjects::AppendLine(std::string line) {
  textLength_ += line.size() + kLineBreakLength;
  text_.push_back(std::move(line));
}

ObjectListing BuildObjectListing(const UsedObjects& used) {
  ObjectListing listing;
  listing.Records = used.UsdObjList();
  std::vector<UsedGroup>& records = listing.Records;
  for (std::size_t i = 0; i < records.size(); ++i) {
    records[i].EndPos =
        i + 1 < records.size() ? records[i + 1].StartPos - 1 : ToPosition(used.TextLength());
  }

  std::vector<std::string> keys;
  keys.reserve(records.size());
  for (const UsedGroup& record : records) keys.push_back(ToUpperAscii(record.Name));
  // std::string compares its chars as unsigned bytes (char_traits<char>).
  for (std::size_t position = 0; position + 1 < records.size(); ++position) {
    std::size_t smallest = position;
    for (std::size_t i = position + 1; i < records.size(); ++i) {
      if (keys[i] < keys[smallest]) smallest = i;
    }
    if (smallest != position) {
      std::swap(records[position], records[smallest]);
      std::swap(keys[position], keys[smallest]);
    }
  }

  for (const UsedGroup& record : records) listing.Names.push_back(record.Name);
  return listing;
}

}  // namespace kerbwise
