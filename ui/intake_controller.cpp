#include "intake_controller.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <algorithm>
#include <utility>

#include "blinking_label.h"
#include "dialog_answers.h"
#include "hit_tips.h"
#include "intake/found_lists.h"
#include "intake/normalize_acl.h"
#include "list_chooser.h"
#include "run/progress_pacer.h"
#include "text_panes.h"

namespace kerbwise::ui {
namespace {

// The name menu's actions: the name, "ip access-list NAME" and
// "ip access-list extended NAME" (standard for a standard list).
const char* const kNameCopyActionNames[] = {"copyNameAction", "copyAccessListAction",
                                            "copyExtendedAccessListAction"};

}  // namespace

IntakeController::IntakeController(const Widgets& widgets, Language language, QObject* parent)
    : QObject(parent),
      widgets_(widgets),
      language_(language),
      hitTips_(new HitTips(*widgets.listPane, language)) {
  BuildNameMenu();
}

HitCounts IntakeController::HitsFor(const std::vector<std::string>& listLines) const {
  return hitTips_->HitsFor(listLines);
}

IntakeController::ListChoice IntakeController::ChooseList(
    const std::vector<std::string>& sourceLines, const ProgressCallback& progress) {
  if (choice_ && (sourceLines == choice_->Pasted || sourceLines == choice_->Written)) {
    return {.Name = choice_->Name};
  }
  const std::vector<FoundList> lists = FindLists(sourceLines, progress);
  const bool choosable = std::any_of(lists.begin(), lists.end(), [](const FoundList& list) {
    return list.Kind != ListKind::Unread;
  });
  if (lists.size() < 2 || !choosable) return {};
  const std::optional<std::string> chosen = ListChooser::Choose(lists, language_, widgets_.window);
  if (!chosen) return {.Cancelled = true, .Name = {}};
  choice_ = RememberedChoice{.Pasted = sourceLines, .Written = {}, .Name = *chosen};
  return {.Name = *chosen};
}

void IntakeController::Normalize(const CheckOptions& options, const ProgressCallback& progress) {
  const Widgets& w = widgets_;
  const std::vector<std::string> sourceLines = PaneCoreLines(*w.sourcePane);
  // Asked first, so that cancelling leaves everything as it was.
  const ListChoice choice = ChooseList(sourceLines, progress);
  if (choice.Cancelled) return;
  w.errorLabel->Clear();
  const std::vector<std::string> objectLines = PaneCoreLines(*w.objectPane);

  // The controls that need a list stay off while the run lasts.
  const ListControls before = EnabledControls();
  ApplyEnabled(ListControls{});
  // The caption names the list being read before the run can ask about its
  // numbering; a source of blanks starts no run and changes nothing.
  const QString previousCaption = w.window->windowTitle();
  w.window->setWindowTitle(
      FromCore(ListCaption(ListCaptionName(sourceLines, choice.Name, progress))));
  w.sourcePane->hide();
  w.progressBar->setValue(0);
  w.progressBar->show();

  DialogAnswers answers(w.window);
  NormalizeResult result =
      NormalizeACL(sourceLines, objectLines, options, answers, progress, choice.Name);

  w.progressBar->hide();
  if (!result.Ran) {
    w.sourcePane->show();
    w.window->setWindowTitle(previousCaption);
    ApplyEnabled(before);
    return;
  }
  aclName_ = result.AclName;
  kind_ = result.Kind;
  used_ = std::move(result.Used);
  numberedAs_ = result.NumberedAs;
  // Filled while hidden: messages go through meanwhile, keystrokes do not
  // reach it.
  std::vector<std::string> sourceWritten = result.SourceLines.ToStrings();
  SetPaneLines(*w.sourcePane, sourceWritten, progress);
  w.sourcePane->show();
  if (choice_ && choice_->Pasted == sourceLines) choice_->Written = std::move(sourceWritten);
  w.sourcePane->moveCursor(QTextCursor::Start);
  ApplyEnabled(ControlsAfter(result));
  if (result.Cancelled) return;

  emit listReplacing(result.ListLines.size());
  w.listPane->hide();
  std::vector<std::string> listLines = result.ListLines.ToStrings();
  SetPaneLines(*w.listPane, listLines, progress);
  // The steps after the run let messages through as the run did.
  ProgressPacer pacer(progress);
  pacer.Report(100);
  hitTips_->SetHits(std::move(listLines), std::move(result.Hits));
  w.listPane->show();
  pacer.Report(100);
  emit listReplaced();
  pacer.Report(100);
  ShowObjectError(result);
}

void IntakeController::ShowObjectError(const NormalizeResult& result) {
  if (!result.Error) {
    widgets_.errorLabel->SetMessage(QString(), QString());
    return;
  }
  widgets_.errorLabel->SetMessage(FromCore(ObjectErrorMessage(*result.Error, language_)),
                                  FromCore(result.Error->Object));
  widgets_.errorLabel->Blink();
}

ListControls IntakeController::EnabledControls() const {
  const Widgets& w = widgets_;
  return {w.nameButton->isEnabled(), w.objectsButton->isEnabled(), w.analysisButton->isEnabled(),
          w.sortButton->isEnabled(), w.portsInSetBox->isEnabled(), w.reflectButton->isEnabled()};
}

void IntakeController::ApplyEnabled(const ListControls& enabled) {
  const Widgets& w = widgets_;
  w.nameButton->setEnabled(enabled.Name);
  w.objectsButton->setEnabled(enabled.Objects);
  w.analysisButton->setEnabled(enabled.Analysis);
  w.sortButton->setEnabled(enabled.Sort);
  w.portsInSetBox->setEnabled(enabled.PortsInSet);
  w.reflectButton->setEnabled(enabled.Reflect);
}

void IntakeController::BuildNameMenu() {
  QPushButton* button = widgets_.nameButton;
  nameMenu_ = new QMenu(widgets_.window);
  nameMenu_->setObjectName("nameMenu");
  for (int i = 0; i < 3; ++i) {
    nameCopyActions_[i] = nameMenu_->addAction(QString());
    nameCopyActions_[i]->setObjectName(kNameCopyActionNames[i]);
  }
  FillNameMenu();
  // A click opens the copy menu at the button's corner, a context request
  // where the mouse is.
  const auto openAt = [this, button](const QPoint& at) {
    nameMenu_->popup(button->mapToGlobal(at));
  };
  button->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(button, &QPushButton::clicked, this, [openAt] { openAt(QPoint(0, 0)); });
  connect(button, &QWidget::customContextMenuRequested, this, openAt);
  connect(nameMenu_, &QMenu::aboutToShow, this, &IntakeController::FillNameMenu);
}

void IntakeController::FillNameMenu() {
  const auto commands = NameCopyCommands(aclName_, language_, kind_);
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
