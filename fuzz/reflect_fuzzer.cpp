// List lines through the reflection. The first byte picks the mask type and
// the language; the rest are the lines.
//
// - The reflected list has one line per list line.
// - Reflecting a rule twice gives back the rule: the recogniser reads the
//   twice-reflected line into the record of the original. Rules with an ICMP
//   message, "established", TCP flags or "reflect"/"evaluate" are left out:
//   the reflection turns requests into replies, leaves out messages without
//   an answer and drops the rest, so those come back different by design.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "reflect/reflect_acl.h"
#include "rules/list_entry.h"
#include "rules/rule_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  if (size == 0) return 0;
  CheckOptions options;
  options.MaskType = data[0] & 0x01u ? MaskForm::Netmask : MaskForm::Wildcard;
  options.TextLanguage = data[0] & 0x02u ? Language::Russian : Language::English;
  const std::vector<std::string> lines = fuzz::SplitLines(fuzz::AsText(data + 1, size - 1));

  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  const std::vector<std::string> once = ReflectACL(lines, options, recognizer);
  fuzz::Require(once.size() == lines.size(), "the reflection has another line count");
  const std::vector<std::string> twice = ReflectACL(once, options, recognizer);
  fuzz::Require(twice.size() == lines.size(), "the second reflection has another line count");

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string entry = ListEntryText(lines[i]);
    const RecordPtr original = recognizer.Recognize(entry, options);
    if (original->Status != StatusPermit && original->Status != StatusDeny) {
      fuzz::Require(!once[i].empty() && once[i].front() == '-', "a non-rule not marked", once[i]);
      continue;
    }
    const auto has = [&](Slot slot) { return !original->Values.Get(SideNone, slot).empty(); };
    if (has(SlotPort) || has(SlotEstablished) || has(SlotTcpFlags) || has(SlotReflect) ||
        has(SlotTimeout)) {
      continue;
    }
    const RecordPtr back = recognizer.Recognize(ListEntryText(twice[i]), options);
    fuzz::Require(*back == *original, "reflecting twice does not give the rule back",
                  entry + "\n" + once[i] + "\n" + twice[i]);
  }
  return 0;
}
