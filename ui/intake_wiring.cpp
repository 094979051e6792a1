// The arrow button's normalisation run and the Name button's copy menu.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>

#include "blinking_label.h"
#include "dialog_answers.h"
#include "main_window.h"
#include "presentation/intake_messages.h"
#include "text_panes.h"

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

void MainWindow::Normalize() {
  const ListRun run(*this);
  if (!run) return;

  errorLabel_->Clear();
  const CheckOptions options = ReadOptions();
  const std::vector<std::string> sourceLines = PaneCoreLines(*sourcePane_);
  const std::vector<std::string> objectLines = PaneCoreLines(*objectPane_);

  // The buttons that need a list stay off while the run lasts.
  const ListControls before{nameButton_->isEnabled(),     objectsButton_->isEnabled(),
                            analysisButton_->isEnabled(), sortButton_->isEnabled(),
                            portsInSetBox_->isEnabled(),  reflectButton_->isEnabled()};
  ApplyEnabled(ListControls{});
  // The caption names the list being read before the run can ask about its
  // numbering; a source of blanks starts no run and changes nothing.
  const QString previousCaption = windowTitle();
  setWindowTitle(FromCore(ListCaption(ListCaptionName(sourceLines))));
  sourcePane_->hide();
  progressBar_->setValue(0);
  progressBar_->show();

  const ProgressCallback progress = RunProgress();
  DialogAnswers answers(this);
  NormalizeResult result = NormalizeACL(sourceLines, objectLines, options, answers, progress);

  progressBar_->hide();
  sourcePane_->show();
  if (!result.Ran) {
    setWindowTitle(previousCaption);
    ApplyEnabled(before);
    return;
  }
  aclName_ = result.AclName;
  usedObjects_ = std::move(result.Used);
  SetPaneLines(*sourcePane_, result.SourceLines);
  sourcePane_->moveCursor(QTextCursor::Start);
  ApplyEnabled(ControlsAfter(result));
  if (result.Cancelled) return;

  recognizer_.EmptyCache(result.ListLines.size());
  listPane_->hide();
  SetPaneLines(*listPane_, result.ListLines);
  listPane_->show();
  ClearCheckResults();
  SetResultLine({}, ResultColour::Workspace);
  if (result.Error) {
    const Language language = russian_ ? Language::Russian : Language::English;
    errorLabel_->SetMessage(FromCore(ObjectErrorMessage(*result.Error, language)),
                            FromCore(result.Error->Object));
    errorLabel_->Blink();
  } else {
    errorLabel_->SetMessage(QString(), QString());
  }
}

void MainWindow::ApplyEnabled(const ListControls& enabled) {
  nameButton_->setEnabled(enabled.Name);
  objectsButton_->setEnabled(enabled.Objects);
  analysisButton_->setEnabled(enabled.Analysis);
  sortButton_->setEnabled(enabled.Sort);
  portsInSetBox_->setEnabled(enabled.PortsInSet);
  reflectButton_->setEnabled(enabled.Reflect);
}

void MainWindow::OpenNameMenu(const QPoint& at) { nameMenu_->popup(nameButton_->mapToGlobal(at)); }

void MainWindow::FillNameMenu() {
  const auto commands = NameCopyCommands(aclName_, russian_ ? Language::Russian : Language::English);
  for (std::size_t i = 0; i < commands.size(); ++i) {
    QAction* action = nameCopyActions_[i];
    // An ampersand in the name is shown, not taken for a shortcut mark.
    action->setText(FromCore(commands[i].Caption).replace(QLatin1Char('&'), QLatin1String("&&")));
    const QString text = FromCore(commands[i].Text);
    action->disconnect();
    connect(action, &QAction::triggered, this,
            [text] { QApplication::clipboard()->setText(text); });
  }
}

}  // namespace kerbwise::ui
