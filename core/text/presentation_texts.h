#pragma once

#include "text/phrase.h"

// The texts the presentation puts into panes, result lines and message boxes,
// and the words of the command line's reports.
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
// The command line's check report: a label in the first column, then the
// condition, the verdict, the deciding entry, the other matches with their
// kind, and the line the check stopped at.
inline constexpr Phrase kReportCondition{"Condition:", "Условие:"};
inline constexpr Phrase kReportReverseCheck{"Reverse check:", "Обратная проверка:"};
inline constexpr Phrase kReportVerdict{"Verdict:", "Вердикт:"};
inline constexpr Phrase kReportDecidedBy{"Decided by:", "Решает:"};
inline constexpr Phrase kReportOtherMatches{"Other matches:", "Другие совпадения:"};
inline constexpr Phrase kReportMatches{"Matches:", "Совпадения:"};
inline constexpr Phrase kReportStoppedAt{"Stopped at:", "Остановлена на:"};
inline constexpr Phrase kReportPlace{"line %1", "строка %1"};
inline constexpr Phrase kReportPlaceAndEntry{"line %1, entry %2", "строка %1, запись %2"};
inline constexpr Phrase kReportFullMatch{"full", "полное"};
inline constexpr Phrase kReportAddressesInPart{"addresses in part", "адреса частично"};
inline constexpr Phrase kReportPortsInPart{"ports in part", "порты частично"};
inline constexpr Phrase kReportAddressesAndPortsInPart{"addresses and ports in part",
                                                       "адреса и порты частично"};

// The analysis.

// The result line after a pair that could not be compared: the list line and
// the comparison's message.
inline constexpr Phrase kAnalysisErrorLine{"Line: %1: %2", "Строка: %1: %2"};
// The message box after an analysis that found nothing, and its caption.
inline constexpr Phrase kNoRelationsMessage{"There are no excess or conflicting rules",
                                            "Избыточных или конфликтующих правил нет"};
inline constexpr Phrase kNoRelationsCaption{"All is ok !", "Всё ok !"};
// The command line's report: each group with its head, then its members
// with their marks, then a summary.
inline constexpr Phrase kReportGroupHead{"Group %1, headed by line %2: %3",
                                         "Группа %1, во главе строка %2: %3"};
inline constexpr Phrase kReportHeadNotShown{"Group %1, its head not shown (not in conflict)",
                                            "Группа %1, её глава не показана (не в конфликте)"};
inline constexpr Phrase kReportMember{"  member line %1: %2", "  в ней строка %1: %2"};
inline constexpr Phrase kReportIncompletePorts{" (ports covered in part)",
                                               " (порты покрыты частично)"};
inline constexpr Phrase kReportNeverActs{" (conflict: never takes effect)",
                                         " (конфликт: никогда не срабатывает)"};
// The router's match counters beside a report line: an entry no traffic has
// matched, and one covered by an earlier entry that has matched all the same
// (%1 its count), a sign that the covering entry is not what it seems.
inline constexpr Phrase kReportNoHits{" [no hits]", " [попаданий нет]"};
inline constexpr Phrase kReportCoveredYetHit{
    " [%1 hits, though an earlier entry covers it]",
    " [попаданий: %1, хотя её покрывает более ранняя запись]"};
inline constexpr Phrase kReportConflictsOnly{"Only the lines in conflict are shown.",
                                             "Показаны только строки в конфликте."};
inline constexpr Phrase kReportSummary{
    "Lines reported: %1 of %2; groups shown: %3; lines in conflict: %4.",
    "Строк в отчёте: %1 из %2; групп показано: %3; строк в конфликте: %4."};

}  // namespace kerbwise::texts
