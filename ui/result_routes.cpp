// The commands that show their text in the result window.
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "analysis_window.h"
#include "check_controller.h"
#include "dialog_answers.h"
#include "intake_controller.h"
#include "main_window.h"
#include "reference/names_reference.h"
#include "reflect/reflect_acl.h"
#include "reorder/source_collapse.h"
#include "result_window.h"
#include "run_progress.h"
#include "sort_panel.h"
#include "text_panes.h"

namespace kerbwise::ui {

void MainWindow::ShowResult() {
  if (!showResultAction_->isEnabled()) return;
  resultWindow_->ShowText(ResultCaption(),
                          FromCoreLines(checks_->ResultWithLegend(ReadOptions().TextLanguage)));
}

void MainWindow::ShowObjects() {
  resultWindow_->ShowObjects(objectsButton_->text(), intake_->Used());
}

void MainWindow::ShowReflected() {
  const std::vector<std::string> reflected =
      ReflectACL(PaneCoreLines(*listPane_), ReadOptions(), recognizer_);
  resultWindow_->ShowText(reflectButton_->text(), FromCoreLines(reflected));
}

void MainWindow::ShowNamesReference() {
  resultWindow_->ShowText(namesButton_->text(), FromCoreLines(NamesReference()));
}

void MainWindow::CreateSortPanel() {
  // Every run reads the panes and the options as they are when it starts;
  // reading long ones lets messages through, as the sort that follows does.
  sortPanel_ = new SortPanel(*resultWindow_, recognizer_, [this] {
    const ProgressCallback progress = HandleMessagesDuringRun();
    std::vector<std::string> listLines = PaneCoreLines(*listPane_);
    progress(0);
    const std::vector<std::string> sourceLines = PaneCoreLines(*sourcePane_);
    return SortInput{
        std::move(listLines),
        CollapseSourceOf(sourceLines, intake_->AclName(), intake_->NumberedAs(), progress),
        ReadOptions(), intake_->AclName(), intake_->Kind()};
  });
}

void MainWindow::ShowSort() { sortPanel_->Open(sortButton_->text(), CanCollapse(intake_->Used())); }

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The result window speaks the main window's language.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && resultWindow_ != nullptr) {
    resultWindow_->SetLanguage(language_);
  }
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && analysisWindow_ != nullptr) {
    analysisWindow_->SetLanguage(language_);
  }
}

}  // namespace kerbwise::ui
