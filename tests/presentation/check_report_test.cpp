// The check as a report; the English layout is checked through the command line.
#include "presentation/check_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

// The label column is as wide in characters, not bytes, as the language's
// longest label.
TEST(CheckReport, RussianLabelsKeepTheColumnAligned) {
  const Lines list{" 10 permit tcp any any eq 80", "deny ip any any"};
  LineRecognizer recognizer;
  const CheckResult result = CheckCondition(list, "tcp any any", CheckDirection::Reverse,
                                            {.TextLanguage = Language::Russian}, recognizer);
  EXPECT_EQ(CheckReportLines(result, list, Language::Russian),
            (Lines{"Обратная проверка:  tcp any any",
                   "Вердикт:            Разрешено в строке 1: 10 permit tcp any any eq 80",
                   "Решает:             строка 1, запись 10: permit tcp any any eq 80"}));
}

}  // namespace
}  // namespace kerbwise
