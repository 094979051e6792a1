#pragma once

// Texts of the difference between two lists and of the exact order check.

#include "text/phrase.h"

namespace kerbwise::texts {

inline constexpr Phrase kListsDoTheSame{"the lists do the same", "списки делают одно и то же"};
inline constexpr Phrase kNewlyPermitted{"Newly permitted:", "Теперь разрешено:"};
inline constexpr Phrase kNewlyDenied{"Newly denied:", "Теперь запрещено:"};
// %1 the protocol, %2 the source, %3 the destination (each with its port).
inline constexpr Phrase kExamplePacket{"%1 from %2 to %3", "%1 от %2 к %3"};
inline constexpr Phrase kExamplePort{"%1 port %2", "%1 порт %2"};
inline constexpr Phrase kExampleIcmp{"%1 type %2 code %3", "%1 тип %2 код %3"};
inline constexpr Phrase kOldDecides{"old: %1", "было: %1"};
inline constexpr Phrase kNewDecides{"new: %1", "стало: %1"};
inline constexpr Phrase kImplicitDeny{"implicit deny at the end", "неявный запрет в конце"};
inline constexpr Phrase kOldListLine{"old list, line: %1: %2", "старый список, строка: %1: %2"};
inline constexpr Phrase kNewListLine{"new list, line: %1: %2", "новый список, строка: %1: %2"};
inline constexpr Phrase kDiffTooLarge{
    "The difference is too large to work out within the memory limit",
    "Разница слишком велика, чтобы вычислить её в пределах памяти"};

}  // namespace kerbwise::texts
