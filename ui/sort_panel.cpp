#include "sort_panel.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <future>
#include <optional>
#include <utility>

#include "caption_fit.h"
#include "dialog_answers.h"
#include "external_editor.h"
#include "future_poll.h"
#include "message_boxes.h"
#include "packets/exact_order.h"
#include "reorder/reorder_commands.h"
#include "result_window.h"
#include "rules/line_recognizer.h"
#include "run_progress.h"
#include "text_panes.h"
#include "window_texts.h"

namespace kerbwise::ui {

constexpr std::size_t kSortPanelBoxes = 4;

// The sizes the layout works with.
struct PanelMetrics {
  int Border = 1;
  QSize Toggle;
  std::array<QSize, kSortPanelBoxes> Boxes;
  QSize Commands;
};

namespace {

// The key toggles' object names, in the order of the key columns.
const char* const kToggleNames[kKeyColumnCount] = {
    "protoKey", "srcAddrKey", "srcMaskKey", "srcOptKey", "dstAddrKey", "dstMaskKey", "dstOptKey"};

constexpr int kBoxGap = 8;             // between the boxes, and after the toggles
constexpr int kOneRowBoxTop = 7;       // the boxes' top in the one-row layout
constexpr int kTwoRowBoxDrop = 5;      // below the second row's top
constexpr int kTwoRowCommandGap = 13;  // between the last box and the CLI button
constexpr int kOneRowSlack = 40;       // room the one-row test keeps for the gaps
constexpr int kBottomMargin = 4;       // the two-row panel's bottom above the window's
// The toggles that go under "proto" and "src addr" in the two-row layout.
constexpr std::size_t kFirstRowToggles = 5;
// How far a toggle that is down is tinted towards the selection colour.
constexpr double kPressedTint = 0.45;

// Where everything goes, in the panel's coordinates, and the panel in the
// window's.
struct PanelPlacement {
  bool OneRow = true;
  QRect Panel;
  std::array<QRect, kKeyColumnCount> Toggles;
  std::array<QRect, kSortPanelBoxes> Boxes;
  QRect Commands;
};

int BoxesWidth(const PanelMetrics& metrics) {
  int width = 0;
  for (const QSize& box : metrics.Boxes) width += box.width();
  return width;
}

// A box's top in a row of toggles `rowHeight` high starting at `rowTop`:
// `drop` pixels down when the box fits there, else in the row's middle.
int BoxTop(int rowTop, int rowHeight, int drop, int boxHeight) {
  return drop + boxHeight <= rowHeight ? rowTop + drop : rowTop + (rowHeight - boxHeight) / 2;
}

// Lays the panel out between the Notepad button (right edge `notepadRight`,
// exclusive, top `notepadTop`) and the Close button (left edge `closeLeft`)
// of a window `clientHeight` high: in one row when it fits, else in two.
PanelPlacement PlacePanel(const PanelMetrics& m, int notepadRight, int notepadTop, int closeLeft,
                          int clientHeight) {
  PanelPlacement place;
  const int b = m.Border;
  const int w = m.Toggle.width();
  const int h = m.Toggle.height();
  const int gap = closeLeft - notepadRight;
  const int dstAddrRight = b + 4 * (w + 1) + w;
  const int oneRowNeed =
      dstAddrRight + 2 * b + 2 * (w + 1) + kOneRowSlack + BoxesWidth(m) + m.Commands.width();
  place.OneRow = oneRowNeed <= gap;

  int right = 0;  // the rightmost edge of the controls, exclusive
  int height = 0;
  if (place.OneRow) {
    for (std::size_t i = 0; i < kKeyColumnCount; ++i) {
      place.Toggles[i] = QRect(b + static_cast<int>(i) * (w + 1), b, w, h);
    }
    int x = place.Toggles.back().x() + w + kBoxGap;
    for (std::size_t i = 0; i < kSortPanelBoxes; ++i) {
      const QSize box = m.Boxes[i];
      place.Boxes[i] = QRect(QPoint(x, BoxTop(b, h, kOneRowBoxTop - b, box.height())), box);
      x += box.width() + kBoxGap;
    }
    place.Commands = QRect(x, b, m.Commands.width(), h);
    right = place.Commands.x() + place.Commands.width();
    height = h + 2 * b;
  } else {
    const int secondRow = b + h + 1;
    for (std::size_t i = 0; i < kFirstRowToggles; ++i) {
      place.Toggles[i] = QRect(b + static_cast<int>(i) * (w + 1), b, w, h);
    }
    for (std::size_t i = kFirstRowToggles; i < kKeyColumnCount; ++i) {
      place.Toggles[i] =
          QRect(b + static_cast<int>(i - kFirstRowToggles) * (w + 1), secondRow, w, h);
    }
    int x = place.Toggles.back().x() + w + kBoxGap;
    for (std::size_t i = 0; i < kSortPanelBoxes; ++i) {
      place.Boxes[i] =
          QRect(QPoint(x, BoxTop(secondRow, h, kTwoRowBoxDrop, m.Boxes[i].height())), m.Boxes[i]);
      x += m.Boxes[i].width() + kBoxGap;
    }
    x += kTwoRowCommandGap - kBoxGap;
    place.Commands = QRect(x, secondRow, m.Commands.width(), h);
    right = std::max(b + static_cast<int>(kFirstRowToggles) * (w + 1) - 1,
                     place.Commands.x() + place.Commands.width());
    height = 2 * h + 1 + 2 * b;
  }
  const int width = right + b;
  const int left = notepadRight + (gap - 2 - width) / 2;
  const int top = place.OneRow ? notepadTop : clientHeight - kBottomMargin - height;
  place.Panel = QRect(left, top, width, height);
  return place;
}

// `from` moved `share` of the way towards `to`.
QColor Mix(const QColor& from, const QColor& to, double share) {
  const auto channel = [share](int a, int b) { return a + static_cast<int>((b - a) * share); };
  return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                channel(from.blue(), to.blue()));
}

}  // namespace

SortPanel::SortPanel(ResultWindow& window, LineRecognizer& recognizer, InputReader readInput)
    : QObject(&window),
      window_(window),
      recognizer_(recognizer),
      readInput_(std::move(readInput)),
      numbersBox_(new QCheckBox(window.SortPanel())),
      groupBox_(new QCheckBox(window.SortPanel())),
      collapseBox_(new QCheckBox(window.SortPanel())),
      keepRemarksBox_(new QCheckBox(window.SortPanel())),
      commandsButton_(new QPushButton(window.SortPanel())),
      orderWarning_(new QLabel(window.SortNotice())),
      pairsButton_(new QPushButton(window.SortNotice())) {
  QFrame* panel = window.SortPanel();
  for (std::size_t i = 0; i < kKeyColumnCount; ++i) {
    auto* toggle = new QToolButton(panel);
    toggle->setObjectName(kToggleNames[i]);
    toggle->setCheckable(true);
    const KeyColumn column = AllKeyColumns()[i];
    connect(toggle, &QToolButton::clicked, this, [this, column] { ToggleColumn(column); });
    toggles_[i] = toggle;
  }
  numbersBox_->setObjectName(QStringLiteral("numbersBox"));
  groupBox_->setObjectName(QStringLiteral("groupBox"));
  collapseBox_->setObjectName(QStringLiteral("collapseBox"));
  keepRemarksBox_->setObjectName(QStringLiteral("keepRemarksBox"));
  commandsButton_->setObjectName(QStringLiteral("commandsButton"));
  commandsButton_->setAutoDefault(false);
  const SortOptions start;
  numbersBox_->setChecked(start.WithNumbers);
  groupBox_->setChecked(start.Group);
  collapseBox_->setChecked(start.Collapse);
  keepRemarksBox_->setChecked(start.KeepRemarks);
  const SortPanelTexts captions = SortPanelText(Language::English);
  numbersBox_->setText(FromCore(captions.NumbersCaption));
  groupBox_->setText(FromCore(captions.GroupCaption));
  collapseBox_->setText(FromCore(captions.CollapseCaption));
  commandsButton_->setText(FromCore(captions.CommandsCaption));
  for (QCheckBox* box : {numbersBox_, groupBox_, collapseBox_, keepRemarksBox_}) {
    connect(box, &QCheckBox::clicked, this, &SortPanel::Display);
  }
  connect(commandsButton_, &QPushButton::clicked, this, &SortPanel::GenerateCommands);
  BuildOrderNotice();

  // A toggle that is down is drawn in the style's own sunken way, and tinted
  // towards the selection colour so that it stands out from one that is up.
  releasedLook_ = toggles_[0]->palette();
  pressedLook_ = releasedLook_;
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pressedLook_.setColor(group, QPalette::Button,
                          Mix(releasedLook_.color(group, QPalette::Button),
                              releasedLook_.color(group, QPalette::Highlight), kPressedTint));
  }

  // One width for every toggle: the widest caption with a rank.
  for (std::size_t i = 0; i < kKeyColumnCount; ++i) {
    toggles_[i]->setText(FromCore(KeyColumnCaption(AllKeyColumns()[i])) +
                         QStringLiteral("(%1)").arg(kKeyColumnCount));
    toggleWidth_ = std::max(toggleWidth_, toggles_[i]->sizeHint().width());
  }
  SyncToggles();

  connect(&window_, &ResultWindow::SortPanelOpened, this, &SortPanel::Display);
  connect(&window_, &ResultWindow::SortPanelRelaid, this, &SortPanel::Arrange);
  connect(&window_, &ResultWindow::Activated, this, [this] {
    ApplyTexts();
    if (window_.SortPanel()->isVisible()) Display();
  });
  ApplyTexts();
}

Language SortPanel::WindowLanguage() const { return window_.TextLanguage(); }

void SortPanel::ApplyTexts() {
  const SortPanelTexts texts = SortPanelText(WindowLanguage());
  numbersBox_->setToolTip(FromCore(texts.NumbersHint));
  groupBox_->setToolTip(FromCore(texts.GroupHint));
  collapseBox_->setToolTip(FromCore(texts.CollapseHint));
  keepRemarksBox_->setText(Say(ui::texts::kKeepRemarks, WindowLanguage()));
  keepRemarksBox_->setToolTip(FromCore(texts.KeepRemarksHint));
  commandsButton_->setToolTip(FromCore(texts.CommandsHint));
  pairsButton_->setText(FromCore(texts.PairsCaption));
  FitToCaption(*pairsButton_);

  // The window must leave room for the panel in either layout: six toggle
  // widths, and never less than the two-row panel itself (no gap gives two
  // rows).
  // The window's least width counts its buttons at their least widths, but
  // they grow to their size hints before the gap gets any room: the gap asks
  // for that difference too.
  const PanelPlacement twoRows = PlacePanel(Metrics(), 0, 0, 0, 0);
  int buttonsGrowth = 0;
  for (const char* name : {"copyButton", "notepadButton", "closeButton"}) {
    if (const auto* button = window_.findChild<QPushButton*>(QString::fromLatin1(name))) {
      buttonsGrowth += std::max(0, button->sizeHint().width() - button->minimumWidth());
    }
  }
  window_.SetSortPanelLeastGap(
      std::max(6 * toggleWidth_, twoRows.Panel.width() + 2 + buttonsGrowth));
}

void SortPanel::Open(const QString& caption, bool canCollapse) {
  collapseBox_->setEnabled(canCollapse);
  ApplyTexts();
  window_.ShowSorting(caption);
}

bool SortPanel::CollapseActive() const {
  return collapseBox_->isEnabled() && collapseBox_->isChecked();
}

void SortPanel::ToggleColumn(KeyColumn column) {
  columns_.Toggle(column);
  Display();
}

SortResult SortPanel::Run(const SortInput& input, const SortOptions& options,
                          const ProgressCallback& progress) {
  SortResult result = SortACL(columns_, input.ListLines, input.SourceLines, options, input.Options,
                              recognizer_, progress);
  SyncToggles();
  return result;
}

void SortPanel::CheckOrder(const SortInput& input, const SortResult& result,
                           const ProgressCallback& progress) {
  const Language language = input.Options.TextLanguage;
  const std::uint64_t run = ++orderRun_;
  OrderChanges pairwise = FindOrderChanges(input.ListLines, result.NewPosition, input.Options,
                                           recognizer_, kListedOrderChanges, progress);
  const bool decided = pairwise.Count == 0;  // no pair: the exact check has nothing to drop
  ShowOrderNotice(std::move(pairwise), language);
  shownExact_ = decided;
  if (decided) return;
  // The pairwise answer errs on the side of warning until the exact one
  // comes. The run reads the lines with a recognizer of its own: the window's
  // is not shared across threads.
  auto exact =
      std::async(std::launch::async,
                 [lines = input.ListLines, position = result.NewPosition, options = input.Options] {
                   LineRecognizer recognizer;
                   return FindExactOrderChanges(lines, position, options, recognizer);
                 });
  WhenReady(this, std::move(exact), [this, run, language](OrderChanges changes) {
    if (run != orderRun_) return;
    ShowOrderNotice(std::move(changes), language);
    shownExact_ = true;
  });
}

void SortPanel::Display() {
  if (sorting_) {
    sortAgain_ = true;
    return;
  }
  {
    const QScopedValueRollback busy(sorting_, true);
    const SortOptions options{.WithNumbers = numbersBox_->isChecked(),
                              .Group = groupBox_->isChecked(),
                              .Collapse = CollapseActive(),
                              .KeepRemarks = keepRemarksBox_->isChecked()};
    const SortInput input = readInput_();
    // Each step on a long list lets messages through, at its end too.
    const ProgressCallback progress = HandleMessagesDuringRun();
    const SortResult result = Run(input, options, progress);
    progress(0);
    const std::vector<std::string> shown = SortPaneLines(result, input.Options.TextLanguage);
    progress(0);
    SetPaneLines(*window_.TextPane(), shown, progress);
    CheckOrder(input, result, progress);
  }
  if (std::exchange(sortAgain_, false)) Display();
}

void SortPanel::BuildOrderNotice() {
  QFrame* notice = window_.SortNotice();
  orderWarning_->setObjectName(QStringLiteral("orderWarning"));
  pairsButton_->setObjectName(QStringLiteral("pairsButton"));
  pairsButton_->setAutoDefault(false);
  // A warning, drawn like a tooltip so that it stands apart from the list.
  notice->setFrameStyle(QFrame::Box | QFrame::Plain);
  notice->setAutoFillBackground(true);
  QPalette look = notice->palette();
  look.setColor(QPalette::Window, look.color(QPalette::ToolTipBase));
  look.setColor(QPalette::WindowText, look.color(QPalette::ToolTipText));
  notice->setPalette(look);
  auto* icon = new QLabel(notice);
  const int iconSize = notice->style()->pixelMetric(QStyle::PM_SmallIconSize);
  icon->setPixmap(
      notice->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize, iconSize));
  // The warning wraps rather than widen the window.
  orderWarning_->setWordWrap(true);
  auto* row = new QHBoxLayout(notice);
  row->setContentsMargins(4, 2, 4, 2);
  row->addWidget(icon);
  row->addWidget(orderWarning_, 1);
  row->addWidget(pairsButton_);
  connect(pairsButton_, &QPushButton::clicked, this, &SortPanel::ShowOrderChanges);
}

void SortPanel::ShowOrderNotice(OrderChanges changes, Language language) {
  shownChanges_ = std::move(changes);
  if (shownChanges_.Count == 0) {
    window_.SortNotice()->hide();
    return;
  }
  orderWarning_->setText(FromCore(OrderChangeWarning(shownChanges_.Count, language)));
  window_.SortNotice()->show();
}

// The pairs open in a result window of their own, over the sort window. The
// list pane cannot change while the modal sort window is open, so it still
// holds the lines the pairs refer to.
void SortPanel::ShowOrderChanges() {
  const Language language = WindowLanguage();
  ResultWindow pairs(&window_);
  pairs.SetLanguage(window_.TextLanguage());
  pairs.ShowText(FromCore(SortPanelText(language).OrderChangesCaption),
                 FromCoreLines(OrderChangeReport(shownChanges_, readInput_().ListLines, language)));
}

void SortPanel::GenerateCommands() {
  if (sorting_) return;
  const SortInput input = readInput_();
  std::optional<QScopedValueRollback<bool>> busy(std::in_place, sorting_, true);
  const SortResult result =
      Run(input, CommandModeOptions(CollapseActive(), keepRemarksBox_->isChecked()),
          HandleMessagesDuringRun());
  busy.reset();
  // A click while the sort ran changed the order: the commands for the old
  // one are dropped and the pane shows the new one.
  if (std::exchange(sortAgain_, false)) {
    Display();
    return;
  }
  // No key column: there is no order to apply.
  if (!result.Ran) return;
  const Language language = input.Options.TextLanguage;
  const ReorderCommands commands =
      GenerateReorderCommands(result.MainOutput, result.Problems.size(), input.AclName, input.Kind);
  // An order that changes what the list does reaches the router only when
  // the user says so.
  if (commands.Outcome == CommandOutcome::Produced) {
    // The answer shown for this order when it is exact; until then the
    // pairwise one, which asks rather than let a change pass unasked.
    const OrderChanges changes = shownExact_ ? shownChanges_
                                             : FindOrderChanges(input.ListLines, result.NewPosition,
                                                                input.Options, recognizer_);
    if (changes.Count > 0 && !AskYesNo(&window_, window_.windowTitle(),
                                       FromCore(OrderChangeQuestion(changes.Count, language)))) {
      return;
    }
  }
  if (const std::string message = ReorderMessage(commands, result, language); !message.empty()) {
    Inform(&window_, window_.windowTitle(), FromCore(message));
  }
  if (commands.Outcome == CommandOutcome::Produced) {
    window_.Editor().OpenInEditor(FromCoreLines(commands.Commands));
  }
}

void SortPanel::SyncToggles() {
  for (std::size_t i = 0; i < kKeyColumnCount; ++i) {
    const KeyColumn column = AllKeyColumns()[i];
    toggles_[i]->setChecked(columns_.IsDown(column));
    toggles_[i]->setPalette(columns_.IsDown(column) ? pressedLook_ : releasedLook_);
    toggles_[i]->setText(FromCore(columns_.ButtonCaption(column)));
  }
}

PanelMetrics SortPanel::Metrics() const {
  PanelMetrics metrics;
  metrics.Border = window_.SortPanel()->frameWidth();
  metrics.Toggle = QSize(toggleWidth_, toggles_[0]->sizeHint().height());
  metrics.Boxes = {numbersBox_->sizeHint(), groupBox_->sizeHint(), collapseBox_->sizeHint(),
                   keepRemarksBox_->sizeHint()};
  metrics.Commands = commandsButton_->sizeHint();
  return metrics;
}

void SortPanel::Arrange() {
  QFrame* panel = window_.SortPanel();
  const QPushButton* notepad = window_.NotepadButton();
  const QPushButton* close = window_.CloseButton();
  const PanelPlacement place = PlacePanel(Metrics(), notepad->x() + notepad->width(), notepad->y(),
                                          close->x(), window_.height());
  for (std::size_t i = 0; i < kKeyColumnCount; ++i) toggles_[i]->setGeometry(place.Toggles[i]);
  const std::array<QCheckBox*, kSortPanelBoxes> boxes = {numbersBox_, groupBox_, collapseBox_,
                                                         keepRemarksBox_};
  for (std::size_t i = 0; i < kSortPanelBoxes; ++i) boxes[i]->setGeometry(place.Boxes[i]);
  commandsButton_->setGeometry(place.Commands);
  panel->setGeometry(place.Panel);
  panel->raise();
  window_.SetUpperAreaLift(place.OneRow ? 0 : notepad->y() - place.Panel.y());
}

}  // namespace kerbwise::ui
