#include "rules/rule_record.h"

#include <algorithm>

#include "text/rules_texts.h"

namespace kerbwise {

std::string_view StatusName(std::uint8_t status, Language language) {
  switch (status) {
    case StatusTemplateError:
      return texts::kStatusTemplateError.In(language);
    case StatusUnrecognised:
      return texts::kStatusNotRecognised.In(language);
    case StatusPermit:
      return "permit";
    case StatusDeny:
      return "deny";
    case StatusRemark:
      return "remark";
    default:
      return "?";
  }
}

const std::string& OptionValues::Get(int side, int slot) const {
  static const std::string kEmpty;
  for (const Entry& entry : entries_) {
    if (entry.side == side && entry.slot == slot) return entry.text;
  }
  return kEmpty;
}

std::string* OptionValues::Find(int side, int slot) {
  for (Entry& entry : entries_) {
    if (entry.side == side && entry.slot == slot) return &entry.text;
  }
  return nullptr;
}

void OptionValues::Set(int side, int slot, std::string_view text) {
  if (side < 0 || side >= kSideCount || slot < 0 || slot >= kSlotCount) return;
  if (text.empty()) {  // an empty text is an unset slot
    std::erase_if(entries_,
                  [&](const Entry& entry) { return entry.side == side && entry.slot == slot; });
    return;
  }
  if (std::string* existing = Find(side, slot)) {
    existing->assign(text);
    return;
  }
  const auto position = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return entry.side > side || (entry.side == side && entry.slot > slot);
  });
  entries_.insert(position, Entry{static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(slot),
                                  std::string(text)});
}

void OptionValues::Append(int side, int slot, std::string_view word) {
  // A set slot never starts with a blank, so the word joins it in place: a
  // long list of ports grows in linear time.
  if (std::string* existing = Find(side, slot)) {
    existing->append(1, ' ').append(word);
    return;
  }
  const std::size_t first = word.find_first_not_of(' ');
  if (first != std::string_view::npos) Set(side, slot, word.substr(first));
}

}  // namespace kerbwise
