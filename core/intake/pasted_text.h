#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "intake/found_lists.h"
#include "rules/check_options.h"
#include "rules/line_list.h"
#include "run/run_hooks.h"

namespace kerbwise {

// One list of a paste.
struct PastedList {
  FoundList Found;
  // The header as the paste gives it (counters cut). A list gathered from
  // "access-list N" lines gets the header it would have had in named form;
  // a paste without any header has none.
  std::string HeaderLine;
  std::string CaptionName;
  std::size_t HeaderIndex = 0;  // entries above the header (they stood above every header)
  // The entry lines as the paste holds them: trimmed, the router's counters
  // cut off, a mask that show output prints as ", wildcard bits MASK" in
  // configuration form. Hits: the number the counters gave, beside each.
  LineList Entries;
  std::vector<std::optional<std::uint64_t>> Hits;
};

// A pasted text taken apart.
struct PastedText {
  std::vector<PastedList> Lists;
  // The object-group definitions the paste holds, each followed by an empty
  // line, ready to go before the object pane's own.
  std::vector<std::string> ObjectLines;
  std::vector<std::string> ObjectNames;  // the groups they define, in order
  std::size_t ObjectLineCount = 0;       // the paste's lines among them
  std::size_t Dropped = 0;               // noise: prompts, comments, echoed commands, blanks
  std::size_t Headers = 0;               // list headers
  bool NumberedLines = false;            // some list came from "access-list N" lines

  // The paste is one list under at most one header and nothing else: what
  // the intake hands back as the cleaned source can replace the paste.
  bool IsOneList() const;
};

// Takes a paste apart into its lists and object-group definitions, leaving
// the noise around them out. Masks that entries get in configuration form
// are written as `maskType` says. `progress` hears the share of lines read.
PastedText ReadPaste(const LineList& sourceLines, MaskForm maskType = MaskForm::Wildcard,
                     const ProgressCallback& progress = {});

// A remark line, numbered or not. Its text is the user's own words: no
// counters are cut from it and a "#" in it is no prompt.
bool IsRemarkLine(std::string_view line);

}  // namespace kerbwise
