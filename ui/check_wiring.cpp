// Starting the direct and reverse checks; the check area shows what they find.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "blinking_label.h"
#include "check_controller.h"
#include "dialog_answers.h"
#include "main_window.h"
#include "pane_sync.h"
#include "run_progress.h"
#include "text_panes.h"

namespace kerbwise::ui {

bool MainWindow::RunCheck(CheckDirection direction) {
  const ListRun run(*this);
  if (!run) return false;
  if (!errorLabel_->text().isEmpty()) errorLabel_->Blink();
  const std::vector<std::string> listLines = PaneCoreLines(*listPane_);
  const CheckOptions options = ReadOptions();
  checks_->Show(CheckCondition(listLines, ToCore(conditionLine_->text()), direction, options,
                               recognizer_, HandleMessagesDuringRun()),
                listLines, options.TextLanguage);
  if (!recognizer_.TemplateError().empty()) {
    templateErrorLabel_->setText(FromCore(recognizer_.TemplateError()));
  }
  if (!recognizer_.ParameterError().empty()) {
    statusLabel_->setText(FromCore(recognizer_.ParameterError()));
  }
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
  checks_->RefreshVerdictsIfOutOfDate();
}

QString MainWindow::ResultCaption() const {
  if (checks_->LastDirection() == CheckDirection::Reverse) {
    return reverseButton_->text() + ": " + conditionLine_->text();
  }
  return conditionLine_->text();
}

}  // namespace kerbwise::ui
