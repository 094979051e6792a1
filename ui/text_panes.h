#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "run/run_hooks.h"

class QPlainTextEdit;

namespace kerbwise::ui {

// Line access to the plain-text panes, by the rule the command line reads
// its inputs with (SplitLines): lines end at LF, CR LF or CR, an empty pane
// has none, and a final line break does not open another.
std::vector<std::string> PaneCoreLines(const QPlainTextEdit& pane);
int PaneLineCount(const QPlainTextEdit& pane);
void SetPaneLines(QPlainTextEdit& pane, const std::vector<std::string>& lines);
void SetPaneLines(QPlainTextEdit& pane, const QStringList& lines);
// The same for a run that lets messages through: a long text goes in piece
// by piece, with `progress` called between them. The pane is to be hidden or
// read-only meanwhile.
void SetPaneLines(QPlainTextEdit& pane, const std::vector<std::string>& lines,
                  const ProgressCallback& progress);
void SetPaneLines(QPlainTextEdit& pane, const QStringList& lines, const ProgressCallback& progress);

// The pane's first visible line, and scrolling a line to the top (the panes
// do not wrap, so one scroll step is one line).
int FirstVisibleLine(const QPlainTextEdit& pane);
void ScrollToLine(QPlainTextEdit& pane, int line);
// 0-based line of the caret and its text.
int CaretLine(const QPlainTextEdit& pane);
QString CaretLineText(const QPlainTextEdit& pane);
// How many whole lines the pane shows at once (at least 1).
int VisibleLineCount(const QPlainTextEdit& pane);

// The system's fixed-pitch font, for the panes that hold lists.
QFont FixedPitchFont();

}  // namespace kerbwise::ui
