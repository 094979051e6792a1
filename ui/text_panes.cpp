#include "text_panes.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <algorithm>

#include "dialog_answers.h"
#include "rules/primitives.h"
#include "run/progress_pacer.h"

namespace kerbwise::ui {

namespace {

// Lines put into a pane at a time while a run lets messages through.
constexpr qsizetype kLinesPerPiece = 2000;

// The pane's text with its lines joined by LF. A pane breaks pasted text
// into lines at LF, CR LF and CR, so its lines are those of the text as
// pasted; toPlainText() would also break a line at a Unicode line separator
// inside it, where the command line sees none. The raw text keeps those and
// parts the pane's lines with paragraph separators.
QString PaneText(const QPlainTextEdit& pane) {
  QString text = pane.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  // No-break spaces, common in lists copied from web pages, read as blanks.
  text.replace(QChar::Nbsp, QLatin1Char(' '));
  return text;
}

}  // namespace

std::vector<std::string> PaneCoreLines(const QPlainTextEdit& pane) {
  return SplitLines(ToCore(PaneText(pane)));
}

int PaneLineCount(const QPlainTextEdit& pane) {
  const QTextDocument& document = *pane.document();
  // The empty line after a final line break is no line of the text.
  return document.blockCount() - (document.lastBlock().text().isEmpty() ? 1 : 0);
}

void SetPaneLines(QPlainTextEdit& pane, const std::vector<std::string>& lines) {
  SetPaneLines(pane, lines, {});
}

void SetPaneLines(QPlainTextEdit& pane, const QStringList& lines) {
  pane.setPlainText(lines.join(QLatin1Char('\n')));
}

void SetPaneLines(QPlainTextEdit& pane, const QStringList& lines,
                  const ProgressCallback& progress) {
  if (!progress || lines.size() <= kLinesPerPiece) return SetPaneLines(pane, lines);
  QTextDocument& document = *pane.document();
  const bool undo = document.isUndoRedoEnabled();
  {
    // Listeners hear of the new text once, when it is all there; the pane
    // is not painted half filled.
    const QSignalBlocker quiet(pane);
    const bool updates = pane.updatesEnabled();
    pane.setUpdatesEnabled(false);
    document.setUndoRedoEnabled(false);
    pane.setPlainText(lines.first(kLinesPerPiece).join(QLatin1Char('\n')));
    QTextCursor end(&document);
    end.movePosition(QTextCursor::End);
    ProgressPacer pacer(progress);
    for (qsizetype at = kLinesPerPiece; at < lines.size(); at += kLinesPerPiece) {
      pacer.Report(static_cast<std::uint64_t>(at), static_cast<std::uint64_t>(lines.size()));
      end.insertText(
          QLatin1Char('\n') +
          lines.sliced(at, std::min(kLinesPerPiece, lines.size() - at)).join(QLatin1Char('\n')));
    }
    pacer.Report(100);
    document.setUndoRedoEnabled(undo);
    pane.setUpdatesEnabled(updates);
  }
  emit pane.textChanged();
}

void SetPaneLines(QPlainTextEdit& pane, const std::vector<std::string>& lines,
                  const ProgressCallback& progress) {
  QStringList converted;
  converted.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) converted.push_back(FromCore(line));
  SetPaneLines(pane, converted, progress);
}

int FirstVisibleLine(const QPlainTextEdit& pane) { return pane.verticalScrollBar()->value(); }

void ScrollToLine(QPlainTextEdit& pane, int line) { pane.verticalScrollBar()->setValue(line); }

int CaretLine(const QPlainTextEdit& pane) { return pane.textCursor().blockNumber(); }

QString CaretLineText(const QPlainTextEdit& pane) { return pane.textCursor().block().text(); }

int VisibleLineCount(const QPlainTextEdit& pane) {
  const int lineHeight = QFontMetrics(pane.font()).lineSpacing();
  if (lineHeight <= 0) return 1;
  return std::max(1, pane.viewport()->height() / lineHeight);
}

QFont FixedPitchFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

}  // namespace kerbwise::ui
