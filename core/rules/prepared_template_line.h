#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/compare_element.h"
#include "rules/rule_record.h"

namespace kerbwise {

// A template line read ahead of time, so that interpreting it can take whole
// words and pass over whole alternatives in one step.
struct PreparedTemplateLine {
  PreparedTemplateLine(std::string_view trimmedLine, int lineNumber);

  std::string text;  // the trimmed line followed by one blank
  int number;        // 1-based, empty lines counted
  // For every position: the end of the run of plain element characters that
  // starts there; at the start of a run, what the word stands for and the
  // number it reads as (1000 when none, never a valid option number).
  std::vector<std::size_t> runEnd;
  std::vector<ElementType> runType;
  std::vector<std::int32_t> runNumber;
  // For every position: the next "," or closing bracket at the same depth,
  // when nothing on the way but words, blanks, commas and well-formed "[...]"
  // groups could change the state of a reader that is passing text over;
  // npos otherwise.
  std::vector<std::size_t> passOverEnd;
  // For every position: whether the text from there to the end is a run of
  // optional "(...)" items (with their "src:", "dst:" and option numbers)
  // that a reader with no input left passes over, so that the line matches
  // from there without reading on. Only the starts of items and of their
  // option numbers are marked. `slotsReadWhenDone` holds, as bits, the slots
  // whose numbers that run reads with no side in force or in a free-order
  // class; each is read there once, at `lastSlotUse`, its last place in the
  // line. Reading them is safe when they were first seen at that place.
  std::vector<bool> passedOverWhenDone;
  std::vector<std::uint32_t> slotsReadWhenDone;
  std::array<std::size_t, kSlotCount> lastSlotUse{};

  // A single word of the template with what it stands for.
  struct Word {
    std::string text;
    ElementType type;
  };
  // When the line opens with an action choice of "permit" and "deny" followed
  // by a protocol choice of single words ("[permit,deny] 0:[tcp,6]"), those
  // words: an entry whose first two words fail them is turned away without
  // reading the rest of the line.
  struct LeadingWords {
    std::vector<Word> actions;
    std::vector<Word> protocols;
  };
  std::optional<LeadingWords> leadingWords;
};

}  // namespace kerbwise
