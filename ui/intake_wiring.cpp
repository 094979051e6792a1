// The arrow button's normalisation run, and the progress of long runs.
#include "check_controller.h"
#include "intake_controller.h"
#include "main_window.h"
#include "run_progress.h"

namespace kerbwise::ui {

ProgressCallback MainWindow::RunProgress() { return HandleMessagesDuringRun(progressBar_); }

void MainWindow::BuildIntake() {
  intake_ = new IntakeController(
      {this, objectPane_, sourcePane_, listPane_, progressBar_, errorLabel_, nameButton_,
       objectsButton_, analysisButton_, sortButton_, portsInSetBox_, reflectButton_},
      language_, this);
  // A new list voids the recognised entries and every check result.
  connect(intake_, &IntakeController::listReplacing, this,
          [this](std::size_t entries) { recognizer_.EmptyCache(entries); });
  connect(intake_, &IntakeController::listReplaced, this, [this] {
    checks_->ClearResults();
    checks_->SetResultLine({}, ResultColour::Workspace);
  });
}

void MainWindow::Normalize() {
  const ListRun run(*this);
  if (!run) return;
  intake_->Normalize(ReadOptions(), RunProgress());
}

}  // namespace kerbwise::ui
