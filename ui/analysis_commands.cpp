// The analysis window's commands: copying lines as written or as "no "
// commands, and hiding a group's derived lines.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <string>
#include <vector>

#include "analysis_window.h"
#include "dialog_answers.h"
#include "message_boxes.h"
#include "text/analysis_texts.h"

namespace kerbwise::ui {
namespace {

// The lines as clipboard text, each ended by a line break.
void PutOnClipboard(const std::vector<std::string>& lines) {
  QString text;
  for (const std::string& line : lines) text += FromCore(line) + QLatin1Char('\n');
  QApplication::clipboard()->setText(text);
}

// The lines (0-based) a pane's selection touches, its line breaks counted
// with their lines. Without a selection, the line the caret stands in, unless
// it stands at the line's very start.
std::vector<std::size_t> TouchedLines(const QPlainTextEdit& pane) {
  const QTextCursor cursor = pane.textCursor();
  if (!cursor.hasSelection()) {
    if (cursor.positionInBlock() == 0) return {};
    return {static_cast<std::size_t>(cursor.blockNumber())};
  }
  const QTextDocument& document = *pane.document();
  const int first = document.findBlock(cursor.selectionStart()).blockNumber();
  const int last = document.findBlock(cursor.selectionEnd() - 1).blockNumber();
  std::vector<std::size_t> lines;
  for (int line = std::max(first, 0); line <= last; ++line) {
    lines.push_back(static_cast<std::size_t>(line));
  }
  return lines;
}

}  // namespace

void AnalysisWindow::OpenReportMenu(const QPoint& position) {
  const int caret = reportPane_->textCursor().blockNumber();
  hideDerivedAction_->setEnabled(caret >= 0 &&
                                 CanHideDerivedLines(report_, static_cast<std::size_t>(caret)));
  reportMenu_->popup(reportPane_->viewport()->mapToGlobal(position));
}

std::vector<std::size_t> AnalysisWindow::AllRelatedReportLines() const {
  std::vector<std::size_t> lines;
  if (related_) {
    for (const RelatedLine& line : related_->Lines) lines.push_back(line.ReportLine);
  }
  return lines;
}

std::vector<std::size_t> AnalysisWindow::ReportLinesOf(
    const std::vector<std::size_t>& relatedLines) const {
  std::vector<std::size_t> lines;
  if (!related_) return lines;
  for (const std::size_t m : relatedLines) {
    if (m < related_->Lines.size()) lines.push_back(related_->Lines[m].ReportLine);
  }
  return lines;
}

template <typename Command>
auto AnalysisWindow::WithEntries(const std::vector<std::size_t>& lines, Command command) {
  for (const std::size_t m : lines) {
    if (m < report_.Lines.size()) report_.Lines[m].Entry = EntryOf(m);
  }
  auto result = command();
  for (const std::size_t m : lines) {
    if (m < report_.Lines.size()) std::string().swap(report_.Lines[m].Entry);
  }
  return result;
}

void AnalysisWindow::CopyReportAll() {
  const std::vector<std::size_t> all = AllReportLines(report_);
  PutOnClipboard(WithEntries(all, [&] { return CopyAll(report_, all); }));
}

void AnalysisWindow::CopyRelatedAll() {
  if (!related_) return;
  const std::vector<std::size_t> related = AllRelatedReportLines();
  PutOnClipboard(WithEntries(related, [&] { return CopyAll(report_, related); }));
}

void AnalysisWindow::CopyAllAndClose() {
  const std::vector<std::size_t> related = AllRelatedReportLines();
  PutOnClipboard(WithEntries(AllReportLines(report_),
                             [&] { return kerbwise::CopyAllAndClose(report_, related); }));
  accept();
}

void AnalysisWindow::CopyNoFromReport(CopyNoMode mode) {
  const std::vector<std::size_t> touched = TouchedLines(*reportPane_);
  PutNoCommands(WithEntries(touched, [&] { return CopyNo(report_, touched, mode); }));
}

void AnalysisWindow::CopyNoFromRelated() {
  if (!related_) return;
  const std::vector<std::size_t> lines = ReportLinesOf(TouchedLines(*relatedPane_));
  PutNoCommands(WithEntries(lines, [&] { return CopyNo(report_, lines); }));
}

void AnalysisWindow::PutNoCommands(const CopyNoResult& copied) {
  if (copied.ZeroNumberedSkipped && !dontNotify_) {
    // The core's text ends its first sentence with CR LF; FromCore makes it a
    // line break the box shows.
    const QString notice = FromCore(kerbwise::texts::kZeroNumberedNotice.In(language_));
    if (!AskYesNo(this, QString(), notice)) {
      dontNotify_ = true;
    }
  }
  PutOnClipboard(copied.Lines);
}

void AnalysisWindow::HideDerived() {
  const int caret = reportPane_->textCursor().blockNumber();
  if (caret < 0 || !CanHideDerivedLines(report_, static_cast<std::size_t>(caret))) return;
  // The lines that stay keep their text; each is found again by its list line.
  std::vector<std::pair<std::size_t, QString>> before;
  before.reserve(report_.Lines.size());
  for (std::size_t m = 0; m < report_.Lines.size(); ++m) {
    before.emplace_back(report_.Lines[m].ListIndex, LineText(m));
  }
  HideDerivedLines(report_, static_cast<std::size_t>(caret));
  const int scrolled = reportPane_->verticalScrollBar()->value();
  selectedLine_ = -1;
  related_.reset();
  auto old = before.begin();
  FillReportPane([&](std::size_t line) {
    while (old != before.end() && old->first != report_.Lines[line].ListIndex) ++old;
    return old != before.end() ? old->second : QString();
  });
  reportPane_->verticalScrollBar()->setValue(scrolled);
  relatedPane_->clear();
  SetRelatedCommandsEnabled(false);
}

}  // namespace kerbwise::ui
