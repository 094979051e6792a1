#include "rules/line_recognizer.h"

#include "rules/primitives.h"
#include "rules/protocols.h"
#include "rules/rule_template.h"

namespace kerbwise {

LineRecognizer::LineRecognizer() : LineRecognizer(BuiltInTemplate()) {}

LineRecognizer::LineRecognizer(std::vector<std::string> templateLines) {
  int number = 0;
  for (const std::string& line : templateLines) {
    ++number;
    const std::string_view trimmed = TrimControls(line);
    if (trimmed.empty()) continue;
    template_.emplace_back(trimmed, number);
  }
}

void LineRecognizer::EmptyCache(std::size_t expectedLines) {
  emptyCachePending_ = true;
  expectedLines_ = expectedLines;
}

RecordPtr LineRecognizer::Recognize(std::string_view line, const CheckOptions& options) {
  static const RecordPtr kEmptyRecord = std::make_shared<const RuleRecord>();
  templateError_.clear();
  parameterError_.clear();
  if (line.empty()) return kEmptyRecord;
  if (!caching_) return RecognizeUncached(line, options.MaskType);

  // Masks are read according to the mask type, which is not part of the key,
  // so records read under another mask type must not be reused.
  if (emptyCachePending_ || cacheMaskType_ != options.MaskType) {
    emptyCachePending_ = false;
    cache_.Reset(expectedLines_ + 1);
    cacheMaskType_ = options.MaskType;
  }
  if (const RecordPtr* cached = cache_.Find(line)) return *cached;
  return RecognizeUncached(line, options.MaskType);
}

RecordPtr LineRecognizer::RecognizeUncached(std::string_view line, MaskForm maskType) {
  input_.assign(line);
  input_ += "  ";
  RuleRecord record;
  for (const PreparedTemplateLine& templateLine : template_) {
    const TemplateLineResult result = MatchTemplateLine(templateLine, input_, maskType, record);
    switch (result.outcome) {
      case TemplateLineOutcome::Failed:
        continue;
      case TemplateLineOutcome::Matched: {
        // A rule without a protocol is an entry of a standard list: every
        // protocol from its source to anywhere.
        if ((record.Status == StatusPermit || record.Status == StatusDeny) &&
            record.Values.Get(SideNone, SlotProtocol).empty()) {
          record.Values.Set(SideNone, SlotProtocol, kAnyProtocol);
        }
        auto shared = std::make_shared<const RuleRecord>(std::move(record));
        if (caching_) cache_.Insert(line, shared);
        return shared;
      }
      case TemplateLineOutcome::TemplateError:
        templateError_ = result.message;
        record.Status = StatusTemplateError;
        return std::make_shared<const RuleRecord>(std::move(record));
      case TemplateLineOutcome::ParameterError:
        parameterError_ = result.message;  // the status stays as it stood
        return std::make_shared<const RuleRecord>(std::move(record));
    }
  }
  record.Status = StatusUnrecognised;
  return std::make_shared<const RuleRecord>(std::move(record));
}

}  // namespace kerbwise
