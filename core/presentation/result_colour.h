#pragma once

#include <cstdint>

namespace kerbwise {

// The colour the result line is given.
enum class ResultColour : std::uint8_t {
  Workspace,   // the system's application-workspace colour: no result yet
  Tooltip,     // the system's tooltip background: the run ended on an error
  LightGreen,  // 128, 255, 128: allowed
  LightRed,    // 255, 128, 128: blocked
};

// The colour of a tick in the marker image beside the list.
enum class TickColour : std::uint8_t {
  Green,  // 0, 255, 0: a full match that permits
  Red,    // 255, 0, 0: a full match that denies
  Black,  // a partial match
};

}  // namespace kerbwise
