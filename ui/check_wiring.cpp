// The direct and reverse checks and everything that shows their results: the
// number pane, the result line, the marker image and the verdict strip.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

#include "blinking_label.h"
#include "condition_pane.h"
#include "dialog_answers.h"
#include "main_window.h"
#include "marker_image.h"
#include "pane_sync.h"
#include "presentation/check_listing.h"
#include "presentation/check_panes.h"
#include "text_panes.h"

namespace kerbwise::ui {
namespace {

QColor ColourOf(ResultColour colour, const QPalette& palette) {
  switch (colour) {
    case ResultColour::LightGreen:
      return QColor(128, 255, 128);
    case ResultColour::LightRed:
      return QColor(255, 128, 128);
    case ResultColour::Tooltip:
      return palette.color(QPalette::ToolTipBase);
    case ResultColour::Workspace:
      break;
  }
  return palette.color(QPalette::Mid);  // the closest to an application workspace
}

}  // namespace

bool MainWindow::RunCheck(CheckDirection direction) {
  const ListRun run(*this);
  if (!run) return false;
  if (!errorLabel_->text().isEmpty()) errorLabel_->Blink();
  const std::vector<std::string> listLines = PaneCoreLines(*listPane_);
  const CheckOptions options = ReadOptions();
  CheckResult result =
      CheckCondition(listLines, ToCore(conditionLine_->text()), direction, options, recognizer_);
  numberPane_->hide();
  SetPaneLines(*numberPane_, NumberPane(result));
  numberPane_->show();
  paneSync_->AlignNumberPane();
  const ResultLine shown = CheckResultLine(result, listLines, options.TextLanguage);
  SetResultLine(shown.Lines, shown.Colour);
  if (!recognizer_.TemplateError().empty()) {
    templateErrorLabel_->setText(FromCore(recognizer_.TemplateError()));
  }
  if (!recognizer_.ParameterError().empty()) {
    statusLabel_->setText(FromCore(recognizer_.ParameterError()));
  }
  checked_.Record(result);
  const bool stopped = result.Outcome == CheckOutcome::Error;
  lastCheck_ = std::move(result);
  ColorizeResult();
  if (!stopped) RefreshVerdicts();
  return true;
}

void MainWindow::RunEnterAction(EnterAction action) {
  bool checked = false;
  switch (action) {
    case EnterAction::None:
      return;
    case EnterAction::DirectCheck:
    case EnterAction::DirectCheckAndShow:
      checked = RunCheck(CheckDirection::Direct);
      break;
    case EnterAction::ReverseCheck:
    case EnterAction::ReverseCheckAndShow:
      checked = RunCheck(CheckDirection::Reverse);
      break;
  }
  if (!checked) return;
  const bool show =
      action == EnterAction::DirectCheckAndShow || action == EnterAction::ReverseCheckAndShow;
  if (show && showResultAction_->isEnabled()) ShowResult();
}

void MainWindow::ConditionPaneReleased(bool enter, Qt::KeyboardModifiers heldWithEnter) {
  paneSync_->FollowConditionCaret();
  if (enter) RunEnterAction(ActionForEnter(heldWithEnter));
  if (stripOutOfDate_) {
    RefreshVerdicts();
  } else {
    paneSync_->AlignVerdictStrip();
  }
}

void MainWindow::ColorizeResult() {
  const std::vector<MarkerTick> ticks = lastCheck_ ? MarkerTicks(*lastCheck_) : std::vector<MarkerTick>();
  showResultAction_->setEnabled(!ticks.empty());
  copyResultAction_->setEnabled(!ticks.empty());
  markerImage_->ColorizeResult(ticks, PaneLineCount(*numberPane_),
                               VisibleLineCount(*numberPane_));
  markerImage_->FollowFirstVisibleLine(FirstVisibleLine(*numberPane_));
}

void MainWindow::RefreshVerdicts() {
  stripOutOfDate_ = false;
  // An emptied pane shows no verdicts but forgets none: a condition typed
  // back in finds its verdict again.
  const std::vector<std::string> conditions = PaneCoreLines(*conditionPane_);
  if (conditions.empty()) {
    verdictStrip_->clear();
    return;
  }
  std::vector<std::string> verdicts = VerdictStrip(checked_.Renew(conditions));
  // One strip line for every line of the pane, the empty one after a final
  // line break included, so that both scroll alike.
  if (!verdicts.empty()) {
    verdicts.resize(static_cast<std::size_t>(conditionPane_->document()->blockCount()));
  }
  SetPaneLines(*verdictStrip_, verdicts);
  paneSync_->AlignVerdictStrip();
}

void MainWindow::ClearCheckResults() {
  numberPane_->clear();
  lastCheck_.reset();
  checked_.Clear();
  verdictStrip_->clear();
  ColorizeResult();
}

void MainWindow::ListPaneChanged() {
  // Markers and verdicts describe the list as it was checked; an edited list
  // voids them. The verdict line stays until the next check.
  if (copyResultAction_->isEnabled()) ClearCheckResults();
}

void MainWindow::SetResultLine(const std::vector<std::string>& lines, ResultColour colour) {
  SetPaneLines(*resultLine_, lines);
  QPalette palette = resultLine_->palette();
  palette.setColor(QPalette::Base, ColourOf(colour, QApplication::palette()));
  resultLine_->setPalette(palette);
}

std::vector<std::string> MainWindow::ResultWithLegend() const {
  if (!lastCheck_) return {};
  std::vector<std::string> lines = ResultListing(*lastCheck_, PaneCoreLines(*listPane_));
  const std::vector<std::string> legend = ResultLegend(*lastCheck_, ReadOptions().TextLanguage);
  lines.insert(lines.end(), legend.begin(), legend.end());
  return lines;
}

QString MainWindow::ResultCaption() const {
  if (lastCheck_ && lastCheck_->Direction == CheckDirection::Reverse) {
    return reverseButton_->text() + ": " + conditionLine_->text();
  }
  return conditionLine_->text();
}

void MainWindow::CopyResult() {
  if (!lastCheck_) return;
  QString text;
  for (const std::string& line : ResultListing(*lastCheck_, PaneCoreLines(*listPane_))) {
    text += FromCore(line) + '\n';
  }
  QApplication::clipboard()->setText(text);
}

void MainWindow::OpenResultLineMenu(const QPoint& position) {
  const QPoint at = resultLine_->mapToGlobal(position);
  if (resultLine_->textCursor().hasSelection()) {
    QMenu* standard = resultLine_->createStandardContextMenu();
    standard->setAttribute(Qt::WA_DeleteOnClose);
    standard->popup(at);
  } else {
    resultMenu_->popup(at);
  }
}

}  // namespace kerbwise::ui
