// The Analysis button: compares every pair of the list's entries, shows the
// run's progress and opens the analysis window over the report.
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <optional>

#include "analysis/analyse_list.h"
#include "analysis_window.h"
#include "check_controller.h"
#include "dialog_answers.h"
#include "intake_controller.h"
#include "main_window.h"
#include "pane_sync.h"
#include "presentation/analysis_report.h"
#include "text_panes.h"

namespace kerbwise::ui {

void MainWindow::RunAnalysis() {
  std::optional<ListRun> run(std::in_place, *this);
  if (!*run) return;
  const std::vector<std::string> listLines = PaneCoreLines(*listPane_);
  if (listLines.size() < 2) return;
  QWidget* const held[] = {arrowButton_,    directButton_, reverseButton_,
                           analysisButton_, sortButton_,   reflectButton_};
  std::vector<bool> wasEnabled;
  for (QWidget* control : held) {
    wasEnabled.push_back(control->isEnabled());
    control->setEnabled(false);
  }
  const bool listWasReadOnly = listPane_->isReadOnly();
  listPane_->setReadOnly(true);

  const CheckOptions options = ReadOptions();
  checks_->SetResultLine({}, ResultColour::Workspace);
  analysisWindow_->Clear();
  numberPane_->hide();
  numberPane_->clear();
  // The markers of the last check no longer face the number pane.
  checks_->ForgetMarkers();
  progressBar_->setValue(0);
  progressBar_->show();

  // The exact run goes on the packet worker while the pairs are compared here.
  analysisWindow_->StartExactRun(listLines, options);
  const ProgressCallback progress = RunProgress();
  DialogAnswers answers(this);
  AnalysisResult result = AnalyseList(listLines, options, recognizer_, answers, progress);

  progressBar_->hide();
  SetPaneLines(*numberPane_, AnalysisNumberPane(result));
  numberPane_->show();
  paneSync_->AlignNumberPane();
  for (std::size_t i = 0; i < std::size(held); ++i) held[i]->setEnabled(wasEnabled[i]);
  listPane_->setReadOnly(listWasReadOnly);
  // The window opens after the run: checks may start again behind it.
  run.reset();

  if (result.Error) {
    checks_->SetResultLine(AnalysisResultLines(result, options.TextLanguage),
                           AnalysisResultColour(result));
    return;
  }
  // Opened even when no pair relates: the exact section may still find
  // entries that several earlier entries together keep every packet from.
  analysisWindow_->SetLanguage(language_);
  HitMarks marks = MarkHits(result, listLines, intake_->HitsFor(listLines), options, recognizer_);
  analysisWindow_->ShowReport(std::move(result), std::move(marks));
}

}  // namespace kerbwise::ui
