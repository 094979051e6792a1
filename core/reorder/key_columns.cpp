#include "reorder/key_columns.h"

namespace kerbwise {
namespace {

std::size_t Index(KeyColumn column) { return static_cast<std::size_t>(column); }

}  // namespace

const std::array<KeyColumn, kKeyColumnCount>& AllKeyColumns() {
  static constexpr std::array<KeyColumn, kKeyColumnCount> kColumns = {
      KeyColumn::Proto,   KeyColumn::SrcAddr, KeyColumn::SrcMask, KeyColumn::SrcOpt,
      KeyColumn::DstAddr, KeyColumn::DstMask, KeyColumn::DstOpt};
  return kColumns;
}

std::string_view KeyColumnCaption(KeyColumn column) {
  static constexpr std::array<std::string_view, kKeyColumnCount> kCaptions = {
      "proto", "src addr", "src mask", "src opt", "dst addr", "dst mask", "dst opt"};
  const std::size_t index = Index(column);
  return index < kCaptions.size() ? kCaptions[index] : std::string_view("?");
}

std::uint8_t SortColumns::Rank(KeyColumn column) const {
  const std::size_t index = Index(column);
  return index < ranks_.size() ? ranks_[index] : 0;
}

std::string SortColumns::ButtonCaption(KeyColumn column) const {
  std::string caption(KeyColumnCaption(column));
  if (const std::uint8_t rank = Rank(column); rank > 0) {
    caption += '(' + std::to_string(rank) + ')';
  }
  return caption;
}

void SortColumns::Toggle(KeyColumn column) {
  ResetLaterColumns();
  if (IsDown(column)) {
    SwitchOff(column);
  } else {
    SwitchOn(column);
  }
}

void SortColumns::SwitchOn(KeyColumn column) {
  ResetLaterColumns();
  const std::size_t index = Index(column);
  if (index >= ranks_.size() || ranks_[index] > 0) return;
  ++activeKeyCount_;
  ranks_[index] = activeKeyCount_;
}

void SortColumns::SwitchOff(KeyColumn column) {
  ResetLaterColumns();
  const std::uint8_t rank = Rank(column);
  if (rank == 0) return;
  activeKeyCount_ = static_cast<std::uint8_t>(rank - 1);
}

std::vector<KeyColumn> SortColumns::ResetLaterColumns() {
  std::vector<KeyColumn> released;
  for (KeyColumn column : AllKeyColumns()) {
    std::uint8_t& rank = ranks_[Index(column)];
    if (rank > activeKeyCount_) {
      rank = 0;
      released.push_back(column);
    }
  }
  return released;
}

std::vector<KeyColumn> SortColumns::ActiveColumns() const {
  std::vector<KeyColumn> columns(activeKeyCount_);
  for (KeyColumn column : AllKeyColumns()) {
    const std::uint8_t rank = Rank(column);
    if (rank > 0 && rank <= activeKeyCount_) columns[rank - 1u] = column;
  }
  return columns;
}

}  // namespace kerbwise
