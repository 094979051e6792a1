#pragma once

#include "text/phrase.h"

// The analysis window's captions and menu texts.
namespace kerbwise::ui::captions {

inline constexpr Phrase kCopyAllAndClose{"Copy all and close", "Скопировать всё и закрыть"};
inline constexpr Phrase kHierarchicalView{"Hierarchical view", "Иерархический вид"};
inline constexpr Phrase kClose{"Close", "Закрыть"};
inline constexpr Phrase kCopyAll{"Copy all", "Скопировать всё"};
inline constexpr Phrase kCopyNo{"Copy with \"no\" prefix", "Скопировать с префиксом \"no \""};
inline constexpr Phrase kCopyNoRedundant{"Copy with \"no\" prefix redundant rules",
                                         "Скопировать с префиксом \"no \" избыточные правила"};
inline constexpr Phrase kCopyNoNotDerived{
    "Copy with \"no\" prefix redundant rules that do not have derived rules",
    "Скопировать с префиксом \"no \" избыточные правила, не имеющие производных"};
inline constexpr Phrase kHideDerived{"Hide the derived lines of this occurrence",
                                     "Скрыть производные этого вхождения"};

}  // namespace kerbwise::ui::captions
