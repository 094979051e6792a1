#include "check/match_messages.h"

#include "rules/primitives.h"
#include "text/check_texts.h"

namespace kerbwise {
namespace {

const Phrase& ForRole(LineRole role, const Phrase& condition, const Phrase& acl) {
  return role == LineRole::Condition ? condition : acl;
}

}  // namespace

std::string TemplateErrorMessage(LineRole role, Language language) {
  return std::string(
      ForRole(role, texts::kTemplateErrorInCondition, texts::kTemplateErrorInAcl).In(language));
}

std::string NotRecognisedMessage(LineRole role, Language language) {
  return std::string(
      ForRole(role, texts::kConditionNotRecognised, texts::kAclNotRecognised).In(language));
}

std::string RemarkMessage(LineRole role, Language language) {
  return std::string(ForRole(role, texts::kRemarkInCondition, texts::kRemarkInAcl).In(language));
}

std::string WrongCombinationMessage(AddressSide side, LineRole role, std::uint32_t address,
                                    std::uint32_t mask, const CheckOptions& options) {
  const Phrase& phrase =
      ForRole(role, texts::kWrongCombinationInCondition, texts::kWrongCombinationInAcl);
  return Fill(phrase.In(options.TextLanguage),
              {side == AddressSide::Source ? "src" : "dst", ValToIP(CorrectAddr(address, mask)),
               ValToIP(CorrectMask(address, mask, options.MaskType))});
}

std::string TtlErrorMessage(LineRole role, std::string_view error, Language language) {
  return Fill(ForRole(role, texts::kConditionTtlError, texts::kAclTtlError).In(language), {error});
}

std::string PortErrorMessage(LineRole role, std::string_view error, Language language) {
  return Fill(ForRole(role, texts::kConditionPortError, texts::kAclPortError).In(language),
              {error});
}

}  // namespace kerbwise
