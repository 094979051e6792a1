#include "exact_results.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "caption_fit.h"
#include "dialog_answers.h"
#include "future_poll.h"
#include "text_panes.h"
#include "window_texts.h"

namespace kerbwise::ui {
namespace {

constexpr int kIndexRole = Qt::UserRole;
// The commands pane's height in lines: as many as the section has room for,
// within these bounds, so the window's least size stays that of its buttons.
constexpr int kLeastCommandLines = 1;
constexpr int kMostCommandLines = 4;
const QColor kConflictColour(255, 0, 0);

}  // namespace

ExactResultsView::ExactResultsView(QWidget* parent)
    : QWidget(parent),
      titleLabel_(new QLabel(this)),
      statusLabel_(new QLabel(this)),
      tree_(new QTreeWidget(this)),
      commandsPane_(new QPlainTextEdit(this)),
      copyRemovableButton_(new QPushButton(this)) {
  setObjectName(QStringLiteral("exactResults"));
  titleLabel_->setObjectName(QStringLiteral("exactTitle"));
  QFont bold = titleLabel_->font();
  bold.setBold(true);
  titleLabel_->setFont(bold);
  statusLabel_->setObjectName(QStringLiteral("exactStatus"));
  statusLabel_->setTextFormat(Qt::PlainText);
  statusLabel_->setWordWrap(true);
  tree_->setObjectName(QStringLiteral("exactTree"));
  tree_->setColumnCount(2);
  tree_->setHeaderHidden(true);
  tree_->setFont(FixedPitchFont());
  // The entry takes the room; its mark keeps the width it needs.
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  tree_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  commandsPane_->setObjectName(QStringLiteral("removableCommands"));
  commandsPane_->setReadOnly(true);
  commandsPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  commandsPane_->setFont(FixedPitchFont());
  const int lineHeight = QFontMetrics(commandsPane_->font()).lineSpacing();
  const int frame = 2 * commandsPane_->frameWidth() +
                    2 * static_cast<int>(commandsPane_->document()->documentMargin());
  commandsPane_->setMinimumHeight(kLeastCommandLines * lineHeight + frame);
  commandsPane_->setMaximumHeight(kMostCommandLines * lineHeight + frame);
  tree_->setMinimumHeight(2 * lineHeight);
  copyRemovableButton_->setObjectName(QStringLiteral("copyRemovableButton"));
  copyRemovableButton_->setAutoDefault(false);

  auto* heading = new QHBoxLayout;
  heading->addWidget(titleLabel_);
  heading->addWidget(statusLabel_, 1);
  auto* copyRow = new QHBoxLayout;
  copyRow->addStretch(1);
  copyRow->addWidget(copyRemovableButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(heading);
  // In a short window the commands give up their room before the entries.
  layout->addWidget(tree_, 3);
  layout->addWidget(commandsPane_, 1);
  layout->addLayout(copyRow);

  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    const QVariant index = item->data(0, kIndexRole);
    if (index.isValid()) emit entryChosen(index.value<std::size_t>());
  });
  connect(tree_, &QTreeWidget::itemActivated, tree_, &QTreeWidget::itemClicked);
  connect(copyRemovableButton_, &QPushButton::clicked, this, [this] {
    if (results_) {
      emit commandsCopied(results_->Removable.Commands, results_->Removable.ZeroNumberedSkipped);
    }
  });
  Fill();
}

void ExactResultsView::SetLanguage(Language language) {
  // The main window passes its language on every activation; refilling
  // would fold what the user opened in the tree.
  if (language == language_) return;
  language_ = language;
  Fill();
}

ExactResultsView::~ExactResultsView() {
  if (dropRun_) dropRun_->store(true);
}

void ExactResultsView::Start(std::vector<std::string> listLines, const CheckOptions& options) {
  // The answer of an earlier run would describe another list.
  if (dropRun_) dropRun_->store(true);
  results_.reset();
  working_ = true;
  Fill();
  PendingRun<ExactResults> run = StartExactResults(listLines, options);
  dropRun_ = run.Dropped;
  WhenReady(this, std::move(run.Answer), [this, dropped = run.Dropped](ExactResults results) {
    if (!dropped->load()) Show(std::move(results));
  });
  listLines_ = std::move(listLines);
}

void ExactResultsView::Show(ExactResults results) {
  results_ = std::move(results);
  working_ = false;
  Fill();
  emit runEnded();
}

bool ExactResultsView::FoundAny() const {
  if (!results_ || results_->Shadowed.Error || results_->Removable.Error) return false;
  const auto& rows = results_->Shadowed.Rows;
  return !results_->Removable.Indexes.empty() ||
         std::any_of(rows.begin(), rows.end(),
                     [](const ShadowRow& row) { return row.State != Reach::Reachable; });
}

void ExactResultsView::Fill() {
  const auto say = [this](const Phrase& phrase) { return Say(phrase, language_); };
  titleLabel_->setText(say(texts::kExactTitle));
  copyRemovableButton_->setText(say(texts::kCopyRemovable));
  FitToCaption(*copyRemovableButton_);
  copyRemovableButton_->setToolTip(say(texts::kRemovableHint));
  tree_->setToolTip(say(texts::kUnreachedHint));
  tree_->clear();
  commandsPane_->clear();
  commandsPane_->setPlaceholderText(QString());
  copyRemovableButton_->setEnabled(false);
  statusLabel_->setText(working_ ? say(texts::kWorking) : QString());
  if (!results_) return;
  // A run that failed says why; what it found before that is not shown.
  for (const auto& error : {results_->Shadowed.Error, results_->Removable.Error}) {
    if (error) {
      statusLabel_->setText(FromCore(*error));
      return;
    }
  }
  FillUnreached();
  FillRemovable();
  tree_->expandAll();
}

void ExactResultsView::FillUnreached() {
  std::vector<ShadowRow> rows;
  for (const ShadowRow& row : results_->Shadowed.Rows) {
    if (row.State != Reach::Reachable) rows.push_back(row);
  }
  // The entries whose action the list does not carry out come first.
  std::stable_partition(rows.begin(), rows.end(),
                        [](const ShadowRow& row) { return row.Conflict; });
  QTreeWidgetItem* section = AddSection(Say(texts::kUnreachedHeading, language_));
  if (rows.empty()) {
    new QTreeWidgetItem(section, {Say(texts::kEveryEntryReached, language_)});
    return;
  }
  for (const ShadowRow& row : rows) {
    const Phrase& state = row.State == Reach::MatchesNothing ? texts::kMatchesNothing
                          : row.Conflict                     ? texts::kShadowedConflict
                                                             : texts::kShadowed;
    QTreeWidgetItem* item = AddEntry(section, row.Index, Say(state, language_));
    if (row.Conflict) item->setForeground(1, kConflictColour);
    for (const std::size_t cover : row.CoveredBy) {
      AddEntry(item, cover, Say(texts::kCovers, language_));
    }
  }
}

void ExactResultsView::FillRemovable() {
  const RemovableReport& removable = results_->Removable;
  QTreeWidgetItem* section = AddSection(Say(texts::kRemovableHeading, language_));
  if (removable.Indexes.empty()) {
    new QTreeWidgetItem(section, {Say(texts::kNothingRemovable, language_)});
    commandsPane_->setPlaceholderText(Say(texts::kNothingRemovable, language_));
    return;
  }
  for (const std::size_t index : removable.Indexes) AddEntry(section, index, QString());
  SetPaneLines(*commandsPane_, removable.Commands);
  copyRemovableButton_->setEnabled(!removable.Commands.empty() || removable.ZeroNumberedSkipped);
}

QTreeWidgetItem* ExactResultsView::AddSection(const QString& heading) {
  auto* section = new QTreeWidgetItem(tree_, {heading});
  section->setFirstColumnSpanned(true);
  QFont bold = tree_->font();
  bold.setBold(true);
  section->setFont(0, bold);
  return section;
}

QTreeWidgetItem* ExactResultsView::AddEntry(QTreeWidgetItem* parent, std::size_t index,
                                            const QString& mark) {
  auto* item = new QTreeWidgetItem(parent, {EntryText(index), mark});
  item->setData(0, kIndexRole, QVariant::fromValue(index));
  item->setToolTip(0, item->text(0));
  return item;
}

QString ExactResultsView::EntryText(std::size_t index) const {
  // As the report writes a line: its 1-based place, then the list line.
  const QString line =
      index < listLines_.size() ? FromCore(listLines_[index]).trimmed() : QString();
  return QString::number(index + 1) + QStringLiteral(": ") + line;
}

}  // namespace kerbwise::ui
