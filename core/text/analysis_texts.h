#pragma once

#include "text/phrase.h"

// The texts of the redundancy and conflict analysis and of its report's
// commands.
namespace kerbwise::texts {

// Asked, with an empty caption, when the analysis found conflicts.
inline constexpr Phrase kConflictsOnlyQuestion{
    "There are conflicting rules. Show only them ?",
    "Имеются конфликтующие правила. Показать только их ?"};

// Asked with Yes and No when a "no" copy left out entries made from an object
// group; No means do not ask again. CR LF ends the first sentence.
inline constexpr Phrase kZeroNumberedNotice{
    "Rules whose numbers begin with \"0\" will not be copied.\r\nNotify in the future?",
    "Правила, номера которых начинаются с \"0\", являются групповыми и скопированы не "
    "будут.\r\nПредупреждать в дальнейшем ?"};

}  // namespace kerbwise::texts
