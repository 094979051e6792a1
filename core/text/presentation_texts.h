#pragma once

#include "text/phrase.h"

// The texts the presentation puts into panes, result lines and message boxes,
// and the words of the command line's reports.
namespace kerbwise::texts {

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
inline constexpr Phrase kReportConflictsOnly{"Only the lines in conflict are shown.",
                                             "Показаны только строки в конфликте."};
inline constexpr Phrase kReportSummary{
    "Lines reported: %1 of %2; groups shown: %3; lines in conflict: %4.",
    "Строк в отчёте: %1 из %2; групп показано: %3; строк в конфликте: %4."};

}  // namespace kerbwise::texts
