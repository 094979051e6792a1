// The arrow button's normalisation run, and the progress of long runs.
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>

#include "check_controller.h"
#include "intake_controller.h"
#include "main_window.h"

namespace kerbwise::ui {
namespace {

// Window messages are let through at most this often during a long run.
constexpr qint64 kEventsIntervalMs = 1728;

}  // namespace

ProgressCallback MainWindow::RunProgress() {
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  return [this, sinceEvents](int percent) mutable {
    progressBar_->setValue(percent);
    if (sinceEvents.elapsed() > kEventsIntervalMs) {
      QApplication::processEvents();
      sinceEvents.restart();
    }
  };
}

void MainWindow::BuildIntake() {
  intake_ = new IntakeController(
      {this, objectPane_, sourcePane_, listPane_, progressBar_, errorLabel_, nameButton_,
       objectsButton_, analysisButton_, sortButton_, portsInSetBox_, reflectButton_},
      russian_ ? Language::Russian : Language::English, this);
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
