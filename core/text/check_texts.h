#pragma once

#include "text/phrase.h"

// The texts of comparing one line with another.
namespace kerbwise::texts {

// A line that cannot take part in a comparison.
inline constexpr Phrase kTemplateErrorInCondition{
    "A template error occurred while processing the condition",
    "Ошибка шаблона при обработке условия"};
inline constexpr Phrase kTemplateErrorInAcl{"A template error occurred while processing the ACL",
                                            "Ошибка шаблона при обработке ACL"};
inline constexpr Phrase kConditionNotRecognised{"The condition is not recognized",
                                                "Условие не опознано"};
inline constexpr Phrase kAclNotRecognised{"The ACL is not recognized", "ACL не опознан"};
inline constexpr Phrase kRemarkInCondition{"remark in condition", "remark в условии"};
inline constexpr Phrase kRemarkInAcl{"remark in ACL", "remark в ACL"};

// An address with 1-bits outside its mask: %1 is src or dst, %2 the address
// cut to its mask, %3 the mask widened to the address.
inline constexpr Phrase kWrongCombinationInCondition{
    "Wrong combination of %1 address and mask in the condition\r\nIt should be fixed this address "
    "to %2 or mask to %3",
    "Неверная комбинация адреса и маски %1 в условии\r\nСледует исправить адрес на %2 или маску на "
    "%3"};
inline constexpr Phrase kWrongCombinationInAcl{
    "Wrong combination of %1 address and mask in the ACL\r\nIt should be fixed this address to %2 "
    "or mask to %3",
    "Неверная комбинация адреса и маски %1 в ACL\r\nСледует исправить адрес на %2 или маску на %3"};

// A TTL or port condition that could not be read; %1 says why.
inline constexpr Phrase kConditionTtlError{"condition ttl is %1", "в условии ttl %1"};
inline constexpr Phrase kAclTtlError{"ACL ttl is %1", "в ACL ttl %1"};
inline constexpr Phrase kConditionPortError{"condition port %1", "в условии порт %1"};
inline constexpr Phrase kAclPortError{"ACL port %1", "в ACL порт %1"};

// The pieces of a match message.
inline constexpr Phrase kMatch{"Match", "Совпадение"};
inline constexpr Phrase kIncompletePorts{". Incomplete set of ports", ". Неполный набор портов"};
inline constexpr Phrase kCompletely{"completely", "полностью"};

}  // namespace kerbwise::texts
