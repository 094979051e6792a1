#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/check_options.h"
#include "text/language.h"

namespace kerbwise {

// Which line a comparison message speaks of: the condition the user typed or
// an entry of the access list.
enum class LineRole : std::uint8_t { Condition, Acl };

// The texts a comparison shows.
std::string TemplateErrorMessage(LineRole role, Language language);
std::string NotRecognisedMessage(LineRole role, Language language);
std::string RemarkMessage(LineRole role, Language language);

enum class AddressSide : std::uint8_t { Source, Destination };

// An address with 1-bits outside its mask, and the two fixes offered: the
// address cut to its mask, or the mask widened to the address (written in the
// mask form the user chose).
std::string WrongCombinationMessage(AddressSide side, LineRole role, std::uint32_t address,
                                    std::uint32_t mask, const CheckOptions& options);

// A TTL or port condition that could not be turned into ranges.
std::string TtlErrorMessage(LineRole role, std::string_view error, Language language);
std::string PortErrorMessage(LineRole role, std::string_view error, Language language);

}  // namespace kerbwise
