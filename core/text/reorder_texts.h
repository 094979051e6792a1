// The texts of the sort: the option hints, the kinds of problem lines, the
// refusals of the command generator and the warnings about a changed order.
#pragma once

#include "text/phrase.h"

namespace kerbwise::texts {

// Hints of the sort panel's option boxes and of its command button.
inline constexpr Phrase kShowNumbersHint{"Show string numbers", "Выводить номера строк"};
inline constexpr Phrase kGroupHint{"Group", "Группировать"};
inline constexpr Phrase kCollapseHint{"Collapse to object-groups", "Сворачивать в object-группы"};
inline constexpr Phrase kKeepRemarksHint{
    "Keep remarks with their entries: each remark stays just above the entry that followed it, "
    "and the CLI button moves it with that entry",
    "Сохранять примечания при своих записях: каждое примечание остаётся над записью, что шла за "
    "ним, и кнопка CLI переносит его вместе с этой записью"};
inline constexpr Phrase kReorderCommandsHint{"CLI commands for ACL reorder",
                                             "Команды CLI для перекомпоновки ACL"};
// The button beside the order warning, and the caption of the window it opens.
inline constexpr Phrase kShowPairs{"Show the pairs", "Показать пары"};
inline constexpr Phrase kOrderChangesCaption{"Order changes", "Изменения порядка"};

// The kinds of lines that are not rules. The sort orders problem lines by
// these words, so the order of the problems follows the language.
inline constexpr Phrase kProblemTemplateError{"template error", "ошибка шаблона"};
inline constexpr Phrase kProblemNotRecognized{"not recognized", "не опознано"};
inline constexpr Phrase kProblemRemark{"remark", "remark"};

// Why no commands were produced; %1 is a sequence number, %2 the largest a
// router takes.
inline constexpr Phrase kSharedNumber{
    "Sequence number %1 is carried by more than one line; collapse the list to its object groups "
    "first",
    "Номер %1 стоит у нескольких строк; сначала сверните список в object-группы"};
inline constexpr Phrase kOrderUnchanged{"The order of the lines has not changed",
                                        "Порядок строк не изменился"};
inline constexpr Phrase kNumbersTooLarge{
    "Sequence numbers up to %1 would be needed to apply this order, but a router takes numbers up "
    "to %2; no commands are produced",
    "Для этого порядка нужны номера строк до %1, а маршрутизатор принимает номера не больше %2; "
    "команды не созданы"};
// The commands are produced all the same, for a list named "*****".
inline constexpr Phrase kAclNameNotSet{"ACL name not set", "Не задано имя ACL"};

// Pairs of entries whose action a new order reverses; %1 and %2 are their
// sequence numbers, %1 alone a count of pairs.
inline constexpr Phrase kOrderChangeMessage{
    "Entries %1 and %2 overlap and have opposite actions; the new order changes what the list "
    "does for their common traffic.",
    "Записи %1 и %2 пересекаются и имеют противоположные действия; новый порядок меняет действие "
    "списка для их общего трафика."};
inline constexpr Phrase kOrderChangeWarning{
    "The new order changes what the list does (%1 pairs of entries).",
    "Новый порядок меняет действие списка (пар записей: %1)."};
inline constexpr Phrase kOrderChangeQuestion{
    "The new order changes what the list does (%1 pairs of entries). Produce the commands anyway?",
    "Новый порядок меняет действие списка (пар записей: %1). Всё равно сформировать команды?"};
// A line of such a pair: %1 its old place, %2 its new one, %3 the line.
inline constexpr Phrase kPlacedLine{"  line %1 -> %2: %3", "  строка %1 -> %2: %3"};
inline constexpr Phrase kMorePairsNotShown{"... and %1 more pairs not shown here",
                                           "... и ещё пар, не показанных здесь: %1"};

}  // namespace kerbwise::texts
