#include "json_stream.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"

namespace kerbwise::cli {
namespace {

constexpr std::size_t kIndent = 2;

}  // namespace

std::string JsonObjectWriter::Dump(const Json& value, std::size_t depth) {
  std::string text;
  try {
    text = value.dump(kIndent);
  } catch (const nlohmann::json::type_error&) {  // invalid UTF-8 somewhere
    text = value.dump(kIndent, ' ', false, Json::error_handler_t::replace);
    if (!noted_) {
      err_ << kProgramName
           << ": note: the input is not valid UTF-8; the bad bytes are written as U+FFFD\n";
    }
    noted_ = true;
  }
  // Line breaks in a dump are its own: strings hold theirs escaped.
  if (depth == 0) return text;
  const std::string indent(depth * kIndent, ' ');
  std::string indented;
  indented.reserve(text.size() + text.size() / 4);
  std::size_t from = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos;
       from = end + 1, end = text.find('\n', from)) {
    indented.append(text, from, end + 1 - from).append(indent);
  }
  return indented.append(text, from);
}

void JsonObjectWriter::StartField(std::string_view key) {
  out_ << (anyField_ ? ",\n" : "{\n") << std::string(kIndent, ' ')
       << Dump(Json(std::string(key)), 0) << ": ";
  anyField_ = true;
}

void JsonObjectWriter::Field(std::string_view key, const Json& value) {
  StartField(key);
  out_ << Dump(value, 1);
}

void JsonObjectWriter::BeginArray(std::string_view key) {
  StartField(key);
  anyElement_ = false;
}

void JsonObjectWriter::Element(const Json& value) {
  out_ << (anyElement_ ? ",\n" : "[\n") << std::string(2 * kIndent, ' ') << Dump(value, 2);
  anyElement_ = true;
}

void JsonObjectWriter::EndArray() {
  out_ << (anyElement_ ? "\n" + std::string(kIndent, ' ') + "]" : std::string("[]"));
}

void JsonObjectWriter::Finish() { out_ << (anyField_ ? "\n}\n" : "{}\n"); }

}  // namespace kerbwise::cli
