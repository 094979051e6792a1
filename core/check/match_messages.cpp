#include "check/match_messages.h"

#include "rules/primitives.h"

namespace kerbwise {
namespace {

// Picks the text for the role and the language.
std::string_view Pick(LineRole role, bool russian, std::string_view conditionEn,
                      std::string_view aclEn, std::string_view conditionRu,
                      std::string_view aclRu) {
  if (role == LineRole::Condition) return russian ? conditionRu : conditionEn;
  return russian ? aclRu : aclEn;
}

}  // namespace

std::string TemplateErrorMessage(LineRole role, bool russian) {
  return std::string(Pick(role, russian, "A template error occurred while processing the condition",
                          "A template error occurred while processing the ACL",
                          "Ошибка шаблона при обработке условия",
                          "Ошибка шаблона при обработке ACL"));
}

std::string NotRecognisedMessage(LineRole role, bool russian) {
  return std::string(Pick(role, russian, "The condition is not recognized",
                          "The ACL is not recognized", "Условие не опознано", "ACL не опознан"));
}

std::string RemarkMessage(LineRole role, bool russian) {
  return std::string(Pick(role, russian, "remark in condition", "remark in ACL", "remark в условии",
                          "remark в ACL"));
}

std::string WrongCombinationMessage(AddressSide side, LineRole role, std::uint32_t address,
                                    std::uint32_t mask, const CheckOptions& options) {
  const bool russian = (options.TextLanguage == Language::Russian);
  const std::string_view sideWord = side == AddressSide::Source ? "src" : "dst";
  std::string text;
  if (russian) {
    text = "Неверная комбинация адреса и маски ";
    text += sideWord;
    text += role == LineRole::Condition ? " в условии" : " в ACL";
    text += "\r\nСледует исправить адрес на ";
  } else {
    text = "Wrong combination of ";
    text += sideWord;
    text += role == LineRole::Condition ? " address and mask in the condition"
                                        : " address and mask in the ACL";
    text += "\r\nIt should be fixed this address to ";
  }
  text += ValToIP(CorrectAddr(address, mask));
  text += russian ? " или маску на " : " or mask to ";
  text += ValToIP(CorrectMask(address, mask, options.MaskType));
  return text;
}

std::string TtlErrorMessage(LineRole role, std::string_view error, bool russian) {
  return std::string(Pick(role, russian, "condition ttl is ", "ACL ttl is ", "в условии ttl ",
                          "в ACL ttl ")) +
         std::string(error);
}

std::string PortErrorMessage(LineRole role, std::string_view error, bool russian) {
  return std::string(Pick(role, russian, "condition port ", "ACL port ", "в условии порт ",
                          "в ACL порт ")) +
         std::string(error);
}

std::string_view MatchWord(bool russian) { return russian ? "Совпадение" : "Match"; }

std::string_view IncompletePortsNote(bool russian) {
  return russian ? ". Неполный набор портов" : ". Incomplete set of ports";
}

std::string_view CompletelyWord(bool russian) { return russian ? "полностью" : "completely"; }

}  // namespace kerbwise
