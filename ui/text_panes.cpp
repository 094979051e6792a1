#include "text_panes.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "dialog_answers.h"

namespace kerbwise::ui {

QStringList PaneLines(const QPlainTextEdit& pane) {
  QString text = pane.toPlainText();
  if (text.isEmpty()) return {};
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text.split(QLatin1Char('\n'));
}

std::vector<std::string> PaneCoreLines(const QPlainTextEdit& pane) {
  std::vector<std::string> lines;
  for (const QString& line : PaneLines(pane)) lines.push_back(ToCore(line));
  return lines;
}

int PaneLineCount(const QPlainTextEdit& pane) { return static_cast<int>(PaneLines(pane).size()); }

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
