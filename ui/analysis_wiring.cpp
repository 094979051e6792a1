// The Analysis button: compares every pair of the list's entries, shows the
// run's progress and opens the analysis window over the report, or says all
// is well when no pair relates.
#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <optional>
#include <utility>

#include "analysis/analyse_list.h"
#include "analysis_window.h"
#include "check_controller.h"
#include "dialog_answers.h"
#include "intake_controller.h"
#include "main_window.h"
#include "message_boxes.h"
#include "pane_sync.h"
#include "presentation/analysis_report.h"
#include "text_panes.h"

namespace kerbwise::ui {
namespace {

// How often a found answer looks again for a free desktop to open on.
constexpr int kOpenRetryMs = 100;

}  // namespace

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
  awaitedAnalysisLines_.clear();
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
  SetPaneLines(*numberPane_, AnalysisNumberPane(result), progress);
  numberPane_->show();
  paneSync_->AlignNumberPane();
  const bool failed = result.Error.has_value();
  if (failed) {
    checks_->SetResultLine(AnalysisResultLines(result, options.TextLanguage),
                           AnalysisResultColour(result));
  }
  std::optional<AnalysisMessage> allIsWell;
  if (!failed) {
    analysisWindow_->SetLanguage(language_);
    HitMarks marks = MarkHits(result, listLines, intake_->HitsFor(listLines), options, recognizer_);
    allIsWell = NoRelationsMessage(result, options.TextLanguage);
    // Filled while the controls are still held: a long report lets messages
    // through as it goes in, and no second run may start meanwhile.
    analysisWindow_->SetReport(std::move(result), std::move(marks), progress);
  }
  for (std::size_t i = 0; i < std::size(held); ++i) held[i]->setEnabled(wasEnabled[i]);
  listPane_->setReadOnly(listWasReadOnly);
  // The window opens after the run: checks may start again behind it.
  run.reset();

  if (failed) return;
  if (!allIsWell) {
    analysisWindow_->Open();
    return;
  }
  // No pair relates: the box says so, and the window follows only if the
  // exact run, still on the worker, finds entries several earlier entries
  // together keep every packet from, or entries that can go.
  awaitedAnalysisLines_ = listLines;
  Inform(this, FromCore(allIsWell->Caption), FromCore(allIsWell->Text));
  OpenAnalysisIfExactFound();
}

void MainWindow::OpenAnalysisIfExactFound() {
  if (awaitedAnalysisLines_.empty() || analysisWindow_->ExactRunWorking()) return;
  // Not over the box, another window or a run that lets messages through.
  if (listBusy_ || QApplication::activeModalWidget() != nullptr) {
    QTimer::singleShot(kOpenRetryMs, this, &MainWindow::OpenAnalysisIfExactFound);
    return;
  }
  const std::vector<std::string> analysed = std::exchange(awaitedAnalysisLines_, {});
  // A list edited since no longer is the one the exact section describes.
  if (!analysisWindow_->ExactRunFoundAny() || PaneCoreLines(*listPane_) != analysed) return;
  analysisWindow_->Open();
}

}  // namespace kerbwise::ui
