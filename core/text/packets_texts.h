#pragma once

#include "text/phrase.h"

// The texts of the exact answers over sets of packets.
namespace kerbwise::texts {

// %1: the node cap.
inline constexpr Phrase kPacketSetsTooLarge{
    "The packet sets grew past %1 diagram nodes; the run was stopped",
    "Множества пакетов превысили %1 узлов диаграммы; расчёт остановлен"};

// %1: what the engine could not read in the entry.
inline constexpr Phrase kEntryNotExact{"the entry cannot be read exactly: %1",
                                       "запись нельзя прочесть точно: %1"};

// The reports of entries no packet reaches and of entries that can go.
inline constexpr Phrase kShadowedBy{"shadowed by:", "перекрыта записями:"};
inline constexpr Phrase kShadowedInConflictBy{
    "shadowed, in conflict (the entries before it decide otherwise), by:",
    "перекрыта, в конфликте (предшествующие записи решают иначе), записями:"};
inline constexpr Phrase kMatchesNothing{"matches no packet", "не совпадает ни с одним пакетом"};
// %1 entries, %2 shadowed, %3 of them in conflict, %4 matching nothing.
inline constexpr Phrase kShadowedSummary{
    "%1 entries: %2 shadowed (%3 in conflict), %4 matching no packet",
    "Записей: %1; перекрыто: %2 (в конфликте: %3); не совпадают ни с одним пакетом: %4"};
inline constexpr Phrase kEveryEntryReached{"Every entry is reached by some packet",
                                           "Каждая запись достижима для какого-либо пакета"};
inline constexpr Phrase kRemovableHeading{
    "Entries that can go together, the list doing the same without them:",
    "Записи, которые можно удалить вместе, не изменив действия списка:"};
inline constexpr Phrase kNothingRemovable{
    "No entry can go without changing what the list does",
    "Ни одну запись нельзя удалить, не изменив действия списка"};

}  // namespace kerbwise::texts
