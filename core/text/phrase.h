#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "text/language.h"

namespace kerbwise {

// A text the program shows, in both its languages. The catalogues name each
// one as a constant; that name is the text's id.
struct Phrase {
  std::string_view English;
  std::string_view Russian;

  constexpr std::string_view In(Language language) const {
    return language == Language::Russian ? Russian : English;
  }
};

// `pattern` with %1, %2 ... %9 replaced by the arguments in order. A
// placeholder without an argument and any other % stay as they are, so a
// text that holds a per cent sign of its own needs no escaping.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> arguments);

}  // namespace kerbwise
