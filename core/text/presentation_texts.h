#pragma once

#include "text/phrase.h"

// What the windows and the command line show of the results, in both
// languages. Each constant's name is the text's id.
namespace kerbwise::texts {

// The check.
// The result line: the verdict, with the list index and the list line that
// decides it, and the notes under it.
inline constexpr Phrase kAllowedAtLine{"Allowed at line %1: %2", "Разрешено в строке %1: %2"};
inline constexpr Phrase kBlockedAtLine{"Blocked at line %1: %2", "Блок в строке %1: %2"};
inline constexpr Phrase kBlocked{"Blocked", "Блок"};
inline constexpr Phrase kOtherMatches{"There are other matches", "Имеются ещё совпадения"};
inline constexpr Phrase kPartialMatchesFound{"Partial matches were also found",
                                             "Также обнаружены частичные совпадения"};
// A check that stopped: the list line it could not compare and why.
inline constexpr Phrase kCheckStoppedAtLine{"Line: %1: %2", "Строка: %1: %2"};
// The legend under a shown check result, one line per marker character.
inline constexpr Phrase kLegendPermit{"+ permit", "+ permit"};
inline constexpr Phrase kLegendDeny{"- deny", "- deny"};
inline constexpr Phrase kLegendAddressesInPart{"? partial match of IP addresses",
                                               "? частичное совпадение IP адресов"};
inline constexpr Phrase kLegendPortsInPart{"^ incomplete set of ports",
                                           "^ совпадение неполным набором портов"};
inline constexpr Phrase kLegendAddressesAndPortsInPart{
    ". partial match of IP addresses, incomplete set of ports",
    ". частичное совпадение адресов, неполный набор портов"};

}  // namespace kerbwise::texts
