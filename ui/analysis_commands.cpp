// The analysis window's commands: copying lines as written or as "no "
// commands, and hiding a group's derived lines.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <string>
#include <vector>

#include "analysis_window.h"
#include "dialog_answers.h"
#include "message_boxes.h"

namespace kerbwise::ui {
namespace {

// The lines as clipboard text, each ended by a line break.
void PutOnClipboard(const std::vector<std::string>& lines) {
  QString text;
  for (const std::string& line : lines) text += FromCore(line) + QLatin1Char('\n');
  QApplication::clipboard()->setText(text);
}

}  // namespace

void AnalysisWindow::OpenReportMenu(const QPoint& position) {
  const int caret = reportPane_->textCursor().blockNumber();
  hideDerivedAction_->setEnabled(caret >= 0 &&
                                 CanHideDerivedLines(report_, static_cast<std::size_t>(caret)));
  reportMenu_->popup(reportPane_->viewport()->mapToGlobal(position));
}

void AnalysisWindow::CopyReportAll() { PutOnClipboard(CopyAll(report_.ReportText)); }

void AnalysisWindow::CopyRelatedAll() {
  if (related_) PutOnClipboard(CopyAll(related_->Text));
}

void AnalysisWindow::CopyAllAndClose() {
  PutOnClipboard(kerbwise::CopyAllAndClose(report_.ReportText,
                                           related_ ? related_->Text : std::vector<std::string>{}));
  accept();
}

void AnalysisWindow::CopyNoFromReport(CopyNoMode mode) {
  const QTextCursor cursor = reportPane_->textCursor();
  const auto start = static_cast<std::size_t>(cursor.selectionStart());
  const auto length = static_cast<std::size_t>(cursor.selectionEnd() - cursor.selectionStart());
  PutNoCommands(CopyNo(report_, mode, start, length));
}

void AnalysisWindow::CopyNoFromRelated() {
  if (!related_) return;
  const QTextCursor cursor = relatedPane_->textCursor();
  const auto start = static_cast<std::size_t>(cursor.selectionStart());
  const auto length = static_cast<std::size_t>(cursor.selectionEnd() - cursor.selectionStart());
  PutNoCommands(CopyNoRelated(*related_, start, length));
}

void AnalysisWindow::PutNoCommands(const CopyNoResult& copied) {
  if (copied.ZeroNumberedSkipped && !dontNotify_) {
    if (!AskYesNo(this, QString(), FromCore(ZeroNumberedNotice(russian_)))) dontNotify_ = true;
  }
  PutOnClipboard(copied.Lines);
}

void AnalysisWindow::HideDerived() {
  const int caret = reportPane_->textCursor().blockNumber();
  if (caret < 0 || !HideDerivedLines(report_, static_cast<std::size_t>(caret))) return;
  const int scrolled = reportPane_->verticalScrollBar()->value();
  selectedLine_ = -1;
  related_.reset();
  FillReportPane();
  reportPane_->verticalScrollBar()->setValue(scrolled);
  relatedPane_->clear();
  SetRelatedCommandsEnabled(false);
}

}  // namespace kerbwise::ui
