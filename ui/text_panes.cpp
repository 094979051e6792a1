#include "text_panes.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "dialog_answers.h"
#include "rules/primitives.h"

namespace kerbwise::ui {

namespace {

// The pane's text with its lines joined by LF. A pane breaks pasted text
// into lines at LF, CR LF and CR, so its lines are those of the text as
// pasted; toPlainText() would also break a line at a Unicode line separator
// inside it, where the command line sees none.
QString PaneText(const QPlainTextEdit& pane) {
  QString text;
  const QTextDocument& document = *pane.document();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += QLatin1Char('\n');
    text += block.text();
  }
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
  QStringList converted;
  converted.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) converted.push_back(FromCore(line));
  SetPaneLines(pane, converted);
}

void SetPaneLines(QPlainTextEdit& pane, const QStringList& lines) {
  pane.setPlainText(lines.join(QLatin1Char('\n')));
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
