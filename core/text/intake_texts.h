// The texts of the list intake: the questions about a list's numbering, the
// object-group errors and the Name button's copy commands.
#pragma once

#include "text/phrase.h"

namespace kerbwise::texts {

// The questions about the numbering. A renumbering question shows the
// problem, the line it was found in and the question itself.
inline constexpr Phrase kRenumberTitle{"Oops ...", "Хм ..."};
inline constexpr Phrase kUnnumberedLine{"There is an unnumbered line in the numbered list:",
                                        "В нумерованном списке есть ненумерованная строка:"};
inline constexpr Phrase kNumberingOrder{"Invalid numbering order in the string:",
                                        "Неверный порядок нумерации в строке:"};
inline constexpr Phrase kNumberedLine{"There is a numbered line in the unnumbered list:",
                                      "В ненумерованном списке есть нумерованная строка:"};
inline constexpr Phrase kRenumberLines{"Renumber the lines?", "Перенумеровать строки ?"};
inline constexpr Phrase kKeepNumbering{"Continue without the ability to optimize the ACL?",
                                       "Продолжить без возможности оптимизации access листа ?"};

// Why an object group could not be expanded; %1 is the group's name.
inline constexpr Phrase kAddressGroupNotFound{"Object %1 not found", "Объект %1 не найден"};
inline constexpr Phrase kGroupNotFound{"Object %1 is not found", "Объект %1 не найден"};
inline constexpr Phrase kRecursiveNesting{"The %1 object contains a recursively nested object",
                                          "Объект %1 содержит рекурсивно вложенный объект"};
inline constexpr Phrase kMissingNestedGroup{"The %1 object contains the missing nested object",
                                            "Объект %1 содержит отсутствующий вложенный объект"};
inline constexpr Phrase kNoMembers{"The %1 object has no members",
                                   "Объект %1 не содержит элементов"};
// %1 the range's two addresses, %2 the group, %3 the most addresses a range may span.
inline constexpr Phrase kRangeTooWide{"The range %1 of the %2 object spans more than %3 addresses",
                                      "Диапазон %1 объекта %2 содержит больше %3 адресов"};
// %2 the most entries one line may become.
inline constexpr Phrase kTooManyEntries{"The %1 object makes more than %2 entries of one line",
                                        "Объект %1 даёт больше %2 записей из одной строки"};
// A group defined both beside the list in the paste and in the object pane.
inline constexpr Phrase kDefinedTwice{
    "The %1 object is defined both in the list text and in the objects",
    "Объект %1 определён и в тексте списка, и в объектах"};

// A command of the Name button's copy menu; %1 is the text it copies.
inline constexpr Phrase kCopyText{"Copy \"%1\"", "Скопировать \"%1\""};

}  // namespace kerbwise::texts
