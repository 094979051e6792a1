#include "rules/record_cache.h"

#include <bit>
#include <functional>
#include <utility>

namespace kerbwise {

namespace {

constexpr std::size_t kMinSlots = 64;

std::uint32_t HashBits(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 32) | 1u; }

}  // namespace

std::size_t RecordCache::Hash(std::string_view line) { return std::hash<std::string_view>{}(line); }

void RecordCache::Reset(std::size_t expected) {
  entries_.clear();
  entries_.reserve(expected);
  slots_.assign(std::bit_ceil(std::max(kMinSlots, expected * 2)), Slot{});
}

const RecordPtr* RecordCache::Find(std::string_view line) const {
  if (slots_.empty()) return nullptr;
  const std::size_t hash = Hash(line);
  const std::uint32_t bits = HashBits(hash);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.position == 0) return nullptr;
    if (slot.hashBits != bits) continue;
    const Entry& entry = entries_[slot.position - 1];
    if (entry.line == line) return &entry.record;
  }
}

void RecordCache::Insert(std::string_view line, RecordPtr record) {
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  entries_.push_back(Entry{std::string(line), std::move(record)});
  Place(Hash(line), static_cast<std::uint32_t>(entries_.size()));
}

void RecordCache::Grow() {
  slots_.assign(std::max(kMinSlots, slots_.size() * 2), Slot{});
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    Place(Hash(entries_[i].line), static_cast<std::uint32_t>(i + 1));
  }
}

void RecordCache::Place(std::size_t hash, std::uint32_t position) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].position != 0) i = (i + 1) & mask;
  slots_[i] = Slot{HashBits(hash), position};
}

}  // namespace kerbwise
