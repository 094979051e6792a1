#pragma once

#include <cstdint>

namespace kerbwise {

// The language of every caption and message the program shows.
enum class Language : std::uint8_t { English, Russian };

}  // namespace kerbwise
