#include "compare_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "caption_fit.h"
#include "dialog_answers.h"
#include "dialog_buttons.h"
#include "future_poll.h"
#include "intake/normalize_acl.h"
#include "modal_open.h"
#include "packets/list_diff_text.h"
#include "presentation/intake_messages.h"
#include "text/diff_texts.h"
#include "text_panes.h"
#include "window_texts.h"

namespace kerbwise::ui {
namespace {

constexpr int kStartWidth = 1120;
constexpr int kStartHeight = 620;

CompareWindow::ShowHook& ActiveShowHook() {
  static CompareWindow::ShowHook hook;
  return hook;
}

}  // namespace

CompareWindow::CompareWindow(QWidget* parent)
    : QDialog(parent),
      otherLabel_(new QLabel(this)),
      otherPane_(new QPlainTextEdit(this)),
      previousButton_(MakeDialogButton(this, "previousListButton")),
      runButton_(MakeDialogButton(this, "compareRunButton")),
      statusLabel_(new QLabel(this)),
      differenceTree_(new QTreeWidget(this)),
      closeButton_(MakeDialogButton(this, "closeButton")) {
  setObjectName(QStringLiteral("compareWindow"));
  setSizeGripEnabled(true);
  otherPane_->setObjectName(QStringLiteral("otherListPane"));
  otherPane_->setFont(FixedPitchFont());
  otherPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  otherLabel_->setBuddy(otherPane_);
  statusLabel_->setObjectName(QStringLiteral("compareStatus"));
  statusLabel_->setTextFormat(Qt::PlainText);
  statusLabel_->setWordWrap(true);
  QFont bold = statusLabel_->font();
  bold.setBold(true);
  statusLabel_->setFont(bold);
  differenceTree_->setObjectName(QStringLiteral("differenceTree"));
  differenceTree_->setColumnCount(3);
  differenceTree_->setFont(FixedPitchFont());
  // Each column as wide as its longest text; a wide difference scrolls.
  differenceTree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  differenceTree_->header()->setStretchLastSection(false);

  auto* runRow = new QHBoxLayout;
  runRow->addWidget(previousButton_);
  runRow->addStretch(1);
  runRow->addWidget(runButton_);
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch(1);
  closeRow->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(otherLabel_);
  layout->addWidget(otherPane_, 2);
  layout->addLayout(runRow);
  layout->addWidget(statusLabel_);
  layout->addWidget(differenceTree_, 3);
  layout->addLayout(closeRow);

  connect(previousButton_, &QPushButton::clicked, this, &CompareWindow::TakePrevious);
  connect(runButton_, &QPushButton::clicked, this, &CompareWindow::Compare);
  connect(closeButton_, &QPushButton::clicked, this, &CompareWindow::reject);
  ApplyTexts();
  resize(kStartWidth, kStartHeight);
}

CompareWindow::~CompareWindow() { DropRun(); }

void CompareWindow::DropRun() {
  if (dropRun_) dropRun_->store(true);
  dropRun_.reset();
  working_ = false;
}

void CompareWindow::SetShowHook(ShowHook hook) { ActiveShowHook() = std::move(hook); }

void CompareWindow::SetLanguage(Language language) {
  if (language == language_) return;
  language_ = language;
  ApplyTexts();
  FillDifference();
}

void CompareWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) ApplyTexts();
  QDialog::changeEvent(event);
}

void CompareWindow::ApplyTexts() {
  const auto say = [this](const Phrase& phrase) { return Say(phrase, language_); };
  setWindowTitle(say(texts::kCompareTitle));
  otherLabel_->setText(say(texts::kOtherListLabel));
  previousButton_->setText(say(texts::kTakePrevious));
  previousButton_->setToolTip(say(texts::kTakePreviousHint));
  runButton_->setText(say(texts::kRunCompare));
  closeButton_->setText(say(texts::kClose));
  for (QPushButton* button : {previousButton_, runButton_, closeButton_}) FitToCaption(*button);
  differenceTree_->setHeaderLabels(
      {say(texts::kPacketColumn), say(texts::kOtherDecides), say(texts::kCurrentDecides)});
}

void CompareWindow::Open(CompareInput input) {
  input_ = std::move(input);
  previousButton_->setEnabled(!input_.PreviousList.empty());
  // The last run's answer was about the list as it was then.
  DropRun();
  diff_.reset();
  statusText_.clear();
  FillDifference();

  OpenModally(*this, ActiveShowHook(), closeButton_);
}

void CompareWindow::TakePrevious() {
  takenLines_ = input_.PreviousList;
  SetPaneLines(*otherPane_, takenLines_);
}

void CompareWindow::Compare() {
  const std::vector<std::string> pasted = PaneCoreLines(*otherPane_);
  DropRun();
  diff_.reset();
  statusText_.clear();
  if (!takenLines_.empty() && pasted == takenLines_) {
    // Already a normalised list: the list pane's own lines.
    otherLines_ = pasted;
  } else {
    DialogAnswers answers(this);
    NormalizeResult normalized = NormalizeACL(pasted, input_.ObjectLines, input_.Options, answers);
    if (!normalized.Ran || normalized.Cancelled) {
      statusText_ = normalized.Ran ? QString() : Say(texts::kNoOtherList, language_);
      FillDifference();
      return;
    }
    if (normalized.Error) {
      statusText_ = FromCore(ObjectErrorMessage(*normalized.Error, language_));
      FillDifference();
      return;
    }
    otherLines_ = normalized.ListLines.ToStrings();
  }
  working_ = true;
  FillDifference();
  PendingRun<ListDiff> run = StartListDiff(otherLines_, input_.CurrentList, input_.Options);
  dropRun_ = run.Dropped;
  WhenReady(this, std::move(run.Answer), [this, dropped = run.Dropped](ListDiff diff) {
    if (dropped->load()) return;
    diff_ = std::move(diff);
    working_ = false;
    FillDifference();
  });
}

void CompareWindow::FillDifference() {
  differenceTree_->clear();
  QString status = statusText_;
  if (working_) {
    status = Say(texts::kWorking, language_);
  } else if (diff_ && diff_->Error) {
    status = FromCore(*diff_->Error);
  } else if (diff_ && diff_->Same) {
    status = FromCore(kerbwise::texts::kListsDoTheSame.In(language_));
  } else if (diff_) {
    AddPackets(texts::kPermittedHeading, diff_->NewlyPermitted);
    AddPackets(texts::kDeniedHeading, diff_->NewlyDenied);
    differenceTree_->expandAll();
  }
  statusLabel_->setText(status);
  statusLabel_->setVisible(!status.isEmpty());
}

void CompareWindow::AddPackets(const Phrase& heading, const std::vector<ExamplePacket>& packets) {
  if (packets.empty()) return;
  // A few examples, not a measure of the traffic: the heading counts nothing.
  auto* section = new QTreeWidgetItem(differenceTree_, {Say(heading, language_)});
  section->setFirstColumnSpanned(true);
  QFont bold = differenceTree_->font();
  bold.setBold(true);
  section->setFont(0, bold);
  for (const ExamplePacket& packet : packets) {
    auto* item = new QTreeWidgetItem(section, {FromCore(ExamplePacketText(packet, language_)),
                                               EntryText(otherLines_, packet.OldEntry),
                                               EntryText(input_.CurrentList, packet.NewEntry)});
    for (int column = 0; column < 3; ++column) item->setToolTip(column, item->text(column));
  }
}

QString CompareWindow::EntryText(const std::vector<std::string>& lines,
                                 std::optional<std::size_t> entry) const {
  // As the report writes a line: its 1-based place, then the list line.
  const QString text = FromCore(DecidingEntryText(entry, lines, language_)).trimmed();
  if (!entry || *entry >= lines.size()) return text;
  return QString::number(*entry + 1) + QStringLiteral(": ") + text;
}

}  // namespace kerbwise::ui
