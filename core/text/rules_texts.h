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

// What is wrong with the rule template, or with an entry read by it. These
// are shown in English whatever the language, so both forms are the same.
inline constexpr Phrase kTemplateErrorAt{"At the %1 line of the template, %2",
                                         "At the %1 line of the template, %2"};
inline constexpr Phrase kExtraClosingBracket{"an extra closing bracket at position %1",
                                             "an extra closing bracket at position %1"};
inline constexpr Phrase kInvalidClosingBracket{"an invalid closing bracket at position %1",
                                               "an invalid closing bracket at position %1"};
inline constexpr Phrase kWrongOptionNumber{
    "the wrong type / option number before the \":\" sign at position %1",
    "the wrong type / option number before the \":\" sign at position %1"};
inline constexpr Phrase kOptionNumberOutOfRange{
    "the option number before the \":\" sign at position %1 is out of range %2..%3",
    "the option number before the \":\" sign at position %1 is out of range %2..%3"};
inline constexpr Phrase kOptionNumberRepeated{
    "the option number %1 before the \":\" sign at position %2 is repeated",
    "the option number %1 before the \":\" sign at position %2 is repeated"};
inline constexpr Phrase kParameterError{"\"%1\" parameter error", "\"%1\" parameter error"};

}  // namespace kerbwise::texts
