#pragma once

// What the sort window and the command line show of a sort: the pane's
// lines, the problem lines, the messages of the command generator and the
// report of the pairs of entries a new order reverses.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "reorder/order_safety.h"
#include "reorder/reorder_commands.h"
#include "reorder/sort_acl.h"
#include "text/language.h"

namespace kerbwise {

// Captions and hints of the three option boxes and the CLI button; the
// button that shows the pairs of entries a new order reverses, and the caption
// of their window.
struct SortPanelTexts {
  std::string_view NumbersCaption = "10 20";
  std::string_view NumbersHint;
  std::string_view GroupCaption = "{";
  std::string_view GroupHint;
  std::string_view CollapseCaption = "OBJ";
  std::string_view CollapseHint;
  std::string_view KeepRemarksHint;
  std::string_view CommandsCaption = "CLI";
  std::string_view CommandsHint;
  std::string_view PairsCaption;
  std::string_view OrderChangesCaption;
};

SortPanelTexts SortPanelText(Language language);

// "not recognized:20 bogus": the kind of problem, ":" and the line.
std::string ProblemText(const ProblemLine& problem, Language language);

// The sort window's text: the main output, then, when there are problems,
// an empty line and the problem lines.
std::vector<std::string> SortPaneLines(const SortResult& result, Language language);

// The same lines handed to `write` one by one, for writing a long list's
// text as it goes.
void WriteSortPaneLines(const SortResult& result, Language language,
                        const std::function<void(std::string_view)>& write);

// The message box text that goes with the commands of `sorted`: why none
// were produced (the problem lines or the lines without a number, one a
// line), or that the name is missing; empty when there is nothing to say.
std::string ReorderMessage(const ReorderCommands& commands, const SortResult& sorted,
                           Language language);

// "Entries 20 and 30 overlap and have opposite actions; ..." with the
// entries' sequence numbers (a line without one is named by its place).
std::string OrderChangeMessage(const OrderChange& change, const std::vector<std::string>& listLines,
                               Language language);

// "The new order changes what the list does (N pairs of entries)."
std::string OrderChangeWarning(std::uint64_t count, Language language);

// The question before commands that apply such an order are produced.
std::string OrderChangeQuestion(std::uint64_t count, Language language);

// The pairs for reading: per pair its message and its two lines with their
// old and new places, pairs apart by an empty line, and a closing line when
// not every pair was listed.
std::vector<std::string> OrderChangeReport(const OrderChanges& changes,
                                           const std::vector<std::string>& listLines,
                                           Language language);

}  // namespace kerbwise
