#include "rules/prepared_template_line.h"

#include "rules/integer_reader.h"

namespace kerbwise {
namespace {

bool IsPlainCharacter(char c) {
  switch (c) {
    case ' ':
    case ',':
    case '(':
    case ')':
    case '[':
    case ']':
    case ':':
      return false;
    default:
      return true;
  }
}

}  // namespace

PreparedTemplateLine::PreparedTemplateLine(std::string_view trimmedLine, int lineNumber)
    : text(std::string(trimmedLine) + ' '),
      number(lineNumber),
      runEnd(text.size()),
      runType(text.size(), ElementType::NumberLiteral),
      runNumber(text.size(), 1000) {
  std::size_t end = text.size();
  for (std::size_t i = text.size(); i-- > 0;) {
    if (!IsPlainCharacter(text[i])) end = i;
    runEnd[i] = IsPlainCharacter(text[i]) ? end : i + 1;
  }
  // Right to left, so that a "[" can jump over its whole group.
  constexpr std::size_t npos = std::string_view::npos;
  passOverEnd.assign(text.size() + 1, npos);
  for (std::size_t i = text.size(); i-- > 0;) {
    switch (text[i]) {
      case ',':
      case ')':
      case ']':
        passOverEnd[i] = i;
        break;
      case ':':  // an option number is read even while text is passed over
      case '(':  // an optional group may start passing over on its own terms
        break;
      case '[': {
        std::size_t close = passOverEnd[i + 1];
        while (close != npos && text[close] == ',') close = passOverEnd[close + 1];
        if (close != npos && text[close] == ']') passOverEnd[i] = passOverEnd[close + 1];
        break;
      }
      default:
        passOverEnd[i] = passOverEnd[i + 1];
        break;
    }
  }
  passOverEnd.pop_back();

  for (std::size_t i = 0; i < text.size(); i = runEnd[i]) {
    if (!IsPlainCharacter(text[i])) continue;
    std::string word;
    for (std::size_t j = i; j < runEnd[i]; ++j) {
      if (text[j] != '!') word += text[j];
    }
    runType[i] = ClassifyElement(word);
    runNumber[i] = ReadIntDefault(word, 1000);
  }
}

}  // namespace kerbwise
