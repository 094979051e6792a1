#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rules/check_options.h"
#include "rules/record_cache.h"
#include "rules/rule_record.h"
#include "rules/template_matcher.h"

namespace kerbwise {

// Turns text lines into RuleRecord records by interpreting a rule template, and
// remembers the lines it has recognised.
class LineRecognizer {
 public:
  // Uses the built-in template.
  LineRecognizer();
  // Uses the given template lines instead, for trying out a changed template.
  explicit LineRecognizer(std::vector<std::string> templateLines);

  // Recognises `line`, which should have its blanks collapsed (SpaceCompress)
  // and no leading blank. An empty line gives a zeroed record (status 0).
  // Only MaskType is read from the options.
  RecordPtr Recognize(std::string_view line, const CheckOptions& options);

  // Raises the empty-cache flag: the next Recognize starts from an empty
  // cache, sized for about `expectedLines` lines.
  void EmptyCache(std::size_t expectedLines = 0);

  // Messages of the last Recognize call, empty when it produced none: a
  // malformed template (English only) and an address element with no side.
  const std::string& TemplateError() const { return templateError_; }
  const std::string& ParameterError() const { return parameterError_; }

  std::size_t CachedLineCount() const { return cache_.size(); }

  // Whether recognised lines are remembered (at first they are). A single
  // pass over a long list of distinct lines gains nothing from the cache and
  // would hold a record for every line.
  void SetCaching(bool on) { caching_ = on; }

 private:
  RecordPtr RecognizeUncached(std::string_view line, MaskForm maskType);

  std::vector<PreparedTemplateLine> template_;
  RecordCache cache_;
  bool emptyCachePending_ = true;
  bool caching_ = true;
  std::size_t expectedLines_ = 0;
  MaskForm cacheMaskType_ = MaskForm::Wildcard;
  std::string templateError_;
  std::string parameterError_;
  std::string input_;  // the line followed by two blanks, reused between calls
};

}  // namespace kerbwise
