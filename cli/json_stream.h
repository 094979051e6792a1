#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "output.h"

namespace kerbwise::cli {

// Writes one JSON object field by field, and an array field element by
// element, so that a document far larger than any of its parts is never held
// whole. The bytes are those WriteJson writes for the whole document:
// indented by 2, a newline at the end, bad UTF-8 written as U+FFFD with one
// note on `err`.
class JsonObjectWriter {
 public:
  JsonObjectWriter(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  void Field(std::string_view key, const Json& value);
  void BeginArray(std::string_view key);
  void Element(const Json& value);
  void EndArray();
  // Closes the object; nothing may be written after.
  void Finish();

 private:
  void StartField(std::string_view key);
  // `value` as dump(2) writes it, its later lines indented by `depth` levels
  // more, as it stands inside the document.
  std::string Dump(const Json& value, std::size_t depth);

  std::ostream& out_;
  std::ostream& err_;
  bool anyField_ = false;
  bool anyElement_ = false;
  bool noted_ = false;
};

}  // namespace kerbwise::cli
