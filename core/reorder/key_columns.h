#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kerbwise {

// The columns a sort key is composed of, in the order of their buttons.
enum class KeyColumn : std::uint8_t {
  Proto,
  SrcAddr,
  SrcMask,
  SrcOpt,
  DstAddr,
  DstMask,
  DstOpt,
};

inline constexpr std::size_t kKeyColumnCount = 7;

// Every column in button order.
const std::array<KeyColumn, kKeyColumnCount>& AllKeyColumns();

// The plain caption of a column ("proto", "src addr", ...), the same in both
// languages.
std::string_view KeyColumnCaption(KeyColumn column);

// The state of the key-column buttons: which columns are on and their ranks,
// the position each holds in the composed key. The active columns always hold
// the ranks 1..ActiveKeyCount.
//
// Switching a column off only lowers ActiveKeyCount to the column's rank
// minus 1; the columns whose rank is then above it keep their rank until
// ResetLaterColumns, which the sort runs first. So switching off the column
// of rank r switches off every column added after it as well.
class SortColumns {
 public:
  std::uint8_t ActiveKeyCount() const { return activeKeyCount_; }

  // 0 when the column is off, else its place 1..7 in the key.
  std::uint8_t Rank(KeyColumn column) const;

  // Whether the column's button is down.
  bool IsDown(KeyColumn column) const { return Rank(column) > 0; }

  // The button caption: the plain caption, followed by "(", the rank and ")"
  // while the column is on ("src addr(2)").
  std::string ButtonCaption(KeyColumn column) const;

  // A button click: a column that is off is switched on as the last key
  // column; a column that is on is switched off. Columns still waiting for
  // their reset are reset first, so a click never meets a stale rank.
  void Toggle(KeyColumn column);
  void SwitchOn(KeyColumn column);
  void SwitchOff(KeyColumn column);

  // Releases every column whose rank is above ActiveKeyCount, in button
  // order; gives the columns released.
  std::vector<KeyColumn> ResetLaterColumns();

  // The active columns in rank order.
  std::vector<KeyColumn> ActiveColumns() const;

 private:
  std::array<std::uint8_t, kKeyColumnCount> ranks_{};
  std::uint8_t activeKeyCount_ = 0;
};

}  // namespace kerbwise
