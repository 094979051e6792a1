#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_lines.h"
#include "presentation/result_colour.h"
#include "rules/check_options.h"
#include "rules/line_recognizer.h"
#include "run/run_hooks.h"

namespace kerbwise {

// How the pairs are shared out; the result never depends on it.
struct AnalysisRun {
  // Threads that compare pairs: 0 chooses by the machine and the list's
  // length, 1 compares on the calling thread.
  unsigned Threads = 0;
};

// Everything an analysis leaves for the main window and the analysis window.
struct AnalysisResult {
  bool Ran = false;  // false when the list has fewer than two lines: nothing changes

  // The zero-padded index of every list line the run reached.
  std::vector<std::string> NumberPane;
  // After an error: "Line: ", the list line, ": " and the message, split at
  // its line breaks. The colour says whether there was one.
  std::vector<std::string> ResultLines;
  ResultColour Colour = ResultColour::Workspace;
  bool Error = false;

  bool ConflictsFound = false;
  bool ConflictsOnly = false;  // the user chose to see only the lines in conflict

  // The report: one line per list line shown, in list order. Lines[m] is the
  // record of ReportText[m]; group heads point at report positions (1-based;
  // 0 for a group whose head is not shown).
  std::vector<AnalysisLine> Lines;
  GroupTable Groups;
  std::vector<std::string> ReportText;

  // "There are no excess or conflicting rules" and its caption when the
  // report is empty after a run without error; empty otherwise.
  std::string Message;
  std::string MessageCaption;
};

// Compares every pair of the normalised list (lines as the list pane holds
// them, each with its entry number) in both directions and builds the report
// of redundant and conflicting entries. Partial address matching is off for
// the run whatever `options` says; the caller's options are not changed.
// PortsInSet, AnyPortOverlap, MaskType and Russian are read. The conflict question
// goes to `answers`; `progress` gets the share of pairs done (0-100)
// whenever it changes, on the calling thread.
AnalysisResult AnalyseList(const std::vector<std::string>& listLines, const CheckOptions& options,
                           LineRecognizer& recognizer, AnswerSource& answers,
                           const ProgressCallback& progress = {}, const AnalysisRun& run = {});

// What goes before a report line's index: one blank per level down to
// kIndentSteps, which a reader can still follow by eye. A deeper line stays
// at that depth and says its level there, as "[17] ". Levels grow that deep
// when many entries cover one another (repeated entries, say), and without
// the cap the text drifts out of sight. The marker holds no ": ", which
// separates the index from the list line when lines are copied.
inline constexpr std::size_t kIndentSteps = 16;
std::string IndentText(std::uint64_t level);
// Its length, in pane offsets as in bytes (blanks, digits and brackets).
inline std::size_t IndentWidth(std::uint64_t level) { return IndentText(level).size(); }

// The report line's style: bold for a group head, italic for a line covered
// only with an incomplete set of ports.
inline bool IsBold(const AnalysisLine& line) { return line.Group != 0; }
inline bool IsItalic(const AnalysisLine& line) { return line.IncompletePorts; }

}  // namespace kerbwise
