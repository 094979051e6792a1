#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reorder/key_columns.h"
#include "rules/rule_record.h"
#include "text/language.h"

namespace kerbwise {

// The kinds of lines that are not rules.
enum class ProblemKind : std::uint8_t { TemplateError, NotRecognized, Remark };

// The kind of a line that is no rule, from its recognition status.
ProblemKind ProblemKindOf(std::uint8_t status);

// "template error", "not recognized" or "remark" in the language. Problem
// lines sort by these words, so their order follows the language.
std::string_view ProblemKindName(ProblemKind kind, Language language);

// Key components: each sorts by plain text comparison of equal-length
// numbers, hence the zero padding.
// "*ip" for ip, else the protocol number padded with "0" to 3 digits.
std::string ProtoComponent(std::string_view protocol);
// The unsigned decimal value padded with "0" to 10 digits.
std::string AddressComponent(std::uint32_t value);
// Every run of digits padded with "0" to 5 digits, other characters kept,
// then "+": "eq 80" gives "eq 00080+", no condition gives "+".
std::string PortConditionComponent(std::string_view condition);

// The component the column takes from a recognised line.
std::string KeyComponent(KeyColumn column, const RuleRecord& expr);

// The sort key of the line at 1-based `position` of a list of `lineCount`
// lines: for a rule, the components of the active columns each followed by a
// blank (a lone blank with no active column); for any other line "-" and the
// kind of problem and a blank; then the position padded with "0" to the
// width of `lineCount`.
std::string SortKey(const RuleRecord& expr, const std::vector<KeyColumn>& activeColumns,
                    std::size_t position, std::size_t lineCount, Language language);

// A byte string whose plain comparison orders keys as the sort wants them:
// case-insensitive, blank before other punctuation ("*" before "+"), then
// digits, then letters, then bytes above ASCII; hyphens are left out, so
// a problem key ranks by its words.
std::string CollationKey(std::string_view key);

// Orders two sort keys: by their collation keys, then, to break ties, by
// their plain text (where the hyphens count).
bool SortKeyLess(std::string_view left, std::string_view right);

}  // namespace kerbwise
