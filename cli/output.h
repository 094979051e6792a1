#pragma once

#include <iosfwd>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

#include "text/language.h"

namespace kerbwise::cli {

// JSON objects keep their keys in the order they were added.
using Json = nlohmann::ordered_json;

// Writes `document` indented by 2 and followed by a newline. Strings that are
// not valid UTF-8 have their bad bytes written as U+FFFD, and a note on `err`
// says that this happened.
void WriteJson(std::ostream& out, std::ostream& err, const Json& document);

// `text` made safe for one line of text output: a backslash becomes "\\" and
// every control character (codes 0-31 and 127) "\xNN". Other bytes, UTF-8
// included, are kept as they are.
std::string EscapeForLine(std::string_view text);

// Tells on `err` that entries numbered 0 (from object groups) got no "no"
// command: the desktop's notice without its question about later notices,
// which has no place on a command line.
void WriteZeroNumberedNotice(std::ostream& err, Language language);

}  // namespace kerbwise::cli
