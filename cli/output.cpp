#include "output.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "text/analysis_texts.h"

namespace kerbwise::cli {

void WriteJson(std::ostream& out, std::ostream& err, const Json& document) {
  std::string text;
  try {
    text = document.dump(2);
  } catch (const nlohmann::json::type_error&) {  // invalid UTF-8 somewhere
    text = document.dump(2, ' ', false, Json::error_handler_t::replace);
    err << kProgramName
        << ": note: the input is not valid UTF-8; the bad bytes are written as U+FFFD\n";
  }
  out << text << '\n';
}

std::string EscapeForLine(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '\\') {
      escaped += "\\\\";
    } else if (code < 32 || code == 127) {
      escaped += "\\x";
      escaped += kHex[code >> 4];
      escaped += kHex[code & 15];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

void WriteZeroNumberedNotice(std::ostream& err, Language language) {
  std::string_view notice = texts::kZeroNumberedNotice.In(language);
  notice = notice.substr(0, notice.find("\r\n"));
  err << kProgramName << ": " << notice << '\n';
}

}  // namespace kerbwise::cli
