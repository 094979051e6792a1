#pragma once

#include "text/phrase.h"

// The texts of the rule language: the value readers and the recognizer.
namespace kerbwise::texts {

// Why a port or TTL condition could not be turned into ranges.
inline constexpr Phrase kUnknownOperator{"unknown operator \"%1\"", "неизвестный оператор \"%1\""};
inline constexpr Phrase kWrongValueCount{"wrong number of values after %1",
                                         "неверное число значений после %1"};
inline constexpr Phrase kValueNotNumber{"value %1 is not a number",
                                        "значение %1 не является числом"};
inline constexpr Phrase kValueOutOfRange{"value %1 is out of range %2-%3",
                                         "значение %1 вне диапазона %2-%3"};
inline constexpr Phrase kGreaterThanTop{"gt should be less than %1", "gt должен быть меньше %1"};
inline constexpr Phrase kLessThanBottom{"lt should be greater than %1", "lt должен быть больше %1"};

// The shared part of two address sets, in a partial-match message.
inline constexpr Phrase kSharedHosts{"%1 hosts from %2 to %3", "%1 хостов с %2 по %3"};
inline constexpr Phrase kSharedSubnets{" %1 subnets of %2 hosts", " %1 сетей по %2 хостов"};

// The names of record statuses that are not keywords.
inline constexpr Phrase kStatusTemplateError{"template error", "ошибка шаблона"};
inline constexpr Phrase kStatusNotRecognised{"not recognized", "не опознано"};

}  // namespace kerbwise::texts
