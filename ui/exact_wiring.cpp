// The exact analyses in the main window: the Compare button and its window,
// the list as it was before its last change, and the analysis window's exact
// section pointing into the list pane.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "analysis_window.h"
#include "compare_window.h"
#include "intake_controller.h"
#include "list_history.h"
#include "main_window.h"
#include "text_panes.h"

namespace kerbwise::ui {

void MainWindow::BuildExactWiring() {
  listHistory_ = new ListHistory(*listPane_, this);
  connect(intake_, &IntakeController::listReplacing, listHistory_, &ListHistory::Replacing);
  connect(intake_, &IntakeController::listReplaced, listHistory_, &ListHistory::Replaced);

  compareWindow_ = new CompareWindow(this);
  compareWindow_->SetLanguage(language_);
  connect(compareButton_, &QPushButton::clicked, this, &MainWindow::ShowCompare);

  // Queued, so the window does not open inside the poll that brought the answer.
  connect(analysisWindow_, &AnalysisWindow::exactRunEnded, this,
          &MainWindow::OpenAnalysisIfExactFound, Qt::QueuedConnection);

  // An entry chosen in the exact section is selected in the list pane.
  connect(analysisWindow_, &AnalysisWindow::listEntryChosen, this, [this](std::size_t line) {
    const QTextBlock block = listPane_->document()->findBlockByNumber(static_cast<int>(line));
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    listPane_->setTextCursor(cursor);
    listPane_->centerCursor();
  });
}

void MainWindow::ShowCompare() {
  // The list may not be read while a run rewrites it.
  if (listBusy_) return;
  compareWindow_->Open({PaneCoreLines(*listPane_), listHistory_->Previous(),
                        PaneCoreLines(*objectPane_), ReadOptions()});
}

}  // namespace kerbwise::ui
