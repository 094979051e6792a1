#include "analysis_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "caption_fit.h"
#include "dialog_answers.h"
#include "dialog_buttons.h"
#include "enter_keys.h"
#include "exact_results.h"
#include "message_boxes.h"
#include "modal_open.h"
#include "presentation/analysis_report.h"
#include "run/progress_pacer.h"
#include "text_panes.h"
#include "window_texts.h"

namespace kerbwise::ui {
namespace {

constexpr int kStartWidth = 1120;
constexpr int kStartHeight = 560;
const char* const kTitle = "Result";
// While only the conflicts are shown the title blinks: kBlinkTicks changes
// kBlinkMs apart, then it rests for kBlinkRestMs on the conflicts title.
const char* const kConflictsTitle = "Result: CONFLICTS ONLY";
constexpr int kBlinkMs = 100;
constexpr int kBlinkTicks = 11;
constexpr int kBlinkRestMs = 10'000;

AnalysisWindow::ShowHook& ActiveShowHook() {
  static AnalysisWindow::ShowHook hook;
  return hook;
}

QPlainTextEdit* MakePane(QWidget* parent, const char* name) {
  auto* pane = new QPlainTextEdit(parent);
  pane->setObjectName(QString::fromLatin1(name));
  pane->setReadOnly(true);
  pane->setUndoRedoEnabled(false);
  // A caret the keys move, so Enter and Ctrl+key act on the line it stands in.
  pane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane->setFont(FixedPitchFont());
  pane->setContextMenuPolicy(Qt::CustomContextMenu);
  return pane;
}

QAction* AddAction(QMenu* menu, const char* name) {
  QAction* action = menu->addAction(QString());
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

// Applies `change` to the characters [start, start + length) of the cursor's
// pane, clipped to its text. The cursor is left in an edit block by the
// caller, so the pane lays its text out once for many spans.
template <typename Change>
void FormatSpan(QTextCursor& cursor, std::size_t start, std::size_t length, Change change) {
  const int count = cursor.document()->characterCount();
  const auto last = static_cast<std::size_t>(std::max(0, count - 1));
  const std::size_t from = std::min(start, last);
  const std::size_t to = std::min(start + length, last);
  if (to <= from) return;
  cursor.setPosition(static_cast<int>(from));
  cursor.setPosition(static_cast<int>(to), QTextCursor::KeepAnchor);
  QTextCharFormat format;
  change(format);
  cursor.mergeCharFormat(format);
}

QColor ToColour(const Rgb& rgb) { return QColor(rgb.Red, rgb.Green, rgb.Blue); }

// Puts one styled line at the cursor.
void AppendLine(QTextCursor& cursor, const QString& text, bool bold, bool italic, bool underlined,
                bool first) {
  if (!first) cursor.insertBlock();
  QTextCharFormat format;
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(italic);
  format.setFontUnderline(underlined);
  cursor.insertText(text, format);
}

bool SameStyle(const ReportLineStyle& a, const ReportLineStyle& b) {
  return a.Bold == b.Bold && a.Italic == b.Italic;
}

int CaretLineOf(const QPlainTextEdit& pane) { return pane.textCursor().blockNumber(); }

QTextBlock LineOf(const QPlainTextEdit& pane, std::size_t line) {
  return pane.document()->findBlockByNumber(static_cast<int>(line));
}

// The text of a line without its break, in the pane's own positions.
std::size_t TextLength(const QTextBlock& block) {
  return static_cast<std::size_t>(std::max(0, block.length() - 1));
}

}  // namespace

AnalysisWindow::AnalysisWindow(QWidget* parent)
    : QDialog(parent),
      reportPane_(MakePane(this, "reportPane")),
      relatedPane_(MakePane(this, "relatedPane")),
      splitter_(new QSplitter(Qt::Vertical, this)),
      exactSplitter_(new QSplitter(Qt::Horizontal, this)),
      exactResults_(new ExactResultsView(this)),
      copyAllCloseButton_(MakeDialogButton(this, "copyAllCloseButton")),
      hierarchicalBox_(new QCheckBox(this)),
      closeButton_(MakeDialogButton(this, "closeButton")),
      reportMenu_(new QMenu(this)),
      relatedMenu_(new QMenu(this)) {
  setObjectName(QStringLiteral("analysisWindow"));
  setWindowTitle(QString::fromLatin1(kTitle));
  setSizeGripEnabled(true);

  splitter_->setObjectName(QStringLiteral("splitter"));
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(reportPane_);
  splitter_->addWidget(relatedPane_);
  hierarchicalBox_->setObjectName(QStringLiteral("hierarchicalBox"));
  exactSplitter_->setObjectName(QStringLiteral("exactSplitter"));
  exactSplitter_->setChildrenCollapsible(false);
  exactSplitter_->addWidget(splitter_);
  exactSplitter_->addWidget(exactResults_);
  exactSplitter_->setStretchFactor(0, 1);
  exactSplitter_->setStretchFactor(1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copyAllCloseButton_);
  buttons->addWidget(hierarchicalBox_);
  buttons->addStretch(1);
  buttons->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(exactSplitter_, 1);
  layout->addLayout(buttons);

  reportMenu_->setObjectName(QStringLiteral("reportMenu"));
  copyAllAction_ = AddAction(reportMenu_, "copyAllAction");
  copyNoAction_ = AddAction(reportMenu_, "copyNoAction");
  copyNoRedundantAction_ = AddAction(reportMenu_, "copyNoRedundantAction");
  copyNoRedundantAction_->setCheckable(true);
  copyNoRedundantAction_->setChecked(true);
  copyNoNotDerivedAction_ = AddAction(reportMenu_, "copyNoNotDerivedAction");
  hideDerivedAction_ = AddAction(reportMenu_, "hideDerivedAction");
  relatedMenu_->setObjectName(QStringLiteral("relatedMenu"));
  relatedCopyAllAction_ = AddAction(relatedMenu_, "relatedCopyAllAction");
  relatedCopyNoAction_ = AddAction(relatedMenu_, "relatedCopyNoAction");
  SetRelatedCommandsEnabled(false);

  connect(copyAllAction_, &QAction::triggered, this, &AnalysisWindow::CopyReportAll);
  connect(copyNoAction_, &QAction::triggered, this, [this] { CopyNoFromReport(CopyNoMode::All); });
  connect(copyNoRedundantAction_, &QAction::triggered, this, [this] {
    copyNoRedundantAction_->setChecked(true);  // the mark is the item's look, not a state
    CopyNoFromReport(CopyNoMode::Redundant);
  });
  connect(copyNoNotDerivedAction_, &QAction::triggered, this,
          [this] { CopyNoFromReport(CopyNoMode::RedundantNotDerived); });
  connect(hideDerivedAction_, &QAction::triggered, this, &AnalysisWindow::HideDerived);
  connect(relatedCopyAllAction_, &QAction::triggered, this, &AnalysisWindow::CopyRelatedAll);
  connect(relatedCopyNoAction_, &QAction::triggered, this, &AnalysisWindow::CopyNoFromRelated);
  connect(reportPane_, &QWidget::customContextMenuRequested, this, &AnalysisWindow::OpenReportMenu);
  connect(relatedPane_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    relatedMenu_->popup(relatedPane_->viewport()->mapToGlobal(at));
  });
  connect(copyAllCloseButton_, &QPushButton::clicked, this, &AnalysisWindow::CopyAllAndClose);
  connect(closeButton_, &QPushButton::clicked, this, &AnalysisWindow::reject);
  connect(hierarchicalBox_, &QCheckBox::toggled, this, [this] { ShowRelatedLines(true); });
  connect(&blinkTimer_, &QTimer::timeout, this, &AnalysisWindow::BlinkTick);
  connect(exactResults_, &ExactResultsView::entryChosen, this, [this](std::size_t listIndex) {
    GoToEntry(listIndex);
    emit listEntryChosen(listIndex);
  });
  connect(exactResults_, &ExactResultsView::commandsCopied, this,
          [this](const std::vector<std::string>& commands, bool zeroNumberedSkipped) {
            PutNoCommands(CopyNoResult{commands, zeroNumberedSkipped});
          });
  connect(exactResults_, &ExactResultsView::runEnded, this, &AnalysisWindow::exactRunEnded);

  for (QObject* watched :
       {static_cast<QObject*>(reportPane_), static_cast<QObject*>(reportPane_->viewport()),
        static_cast<QObject*>(relatedPane_), static_cast<QObject*>(relatedPane_->viewport())}) {
    watched->installEventFilter(this);
  }

  ApplyTexts();
  resize(kStartWidth, kStartHeight);
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::SetShowHook(ShowHook hook) { ActiveShowHook() = std::move(hook); }

void AnalysisWindow::SetLanguage(Language language) {
  language_ = language;
  ApplyTexts();
  exactResults_->SetLanguage(language);
}

void AnalysisWindow::StartExactRun(std::vector<std::string> listLines,
                                   const CheckOptions& options) {
  exactResults_->Start(std::move(listLines), options);
}

bool AnalysisWindow::ExactRunWorking() const { return exactResults_->Working(); }

bool AnalysisWindow::ExactRunFoundAny() const { return exactResults_->FoundAny(); }

void AnalysisWindow::GoToEntry(std::size_t listIndex) {
  const auto found =
      std::find_if(report_.Lines.begin(), report_.Lines.end(),
                   [listIndex](const AnalysisLine& line) { return line.ListIndex == listIndex; });
  if (found == report_.Lines.end()) return;
  const QTextBlock block =
      LineOf(*reportPane_, static_cast<std::size_t>(found - report_.Lines.begin()));
  if (!block.isValid()) return;
  QTextCursor caret(block);
  caret.movePosition(QTextCursor::EndOfBlock);
  reportPane_->setTextCursor(caret);
  reportPane_->ensureCursorVisible();
  ShowRelatedLines(false);
}

void AnalysisWindow::ApplyTexts() {
  const auto text = [this](const Phrase& phrase) { return Say(phrase, language_); };
  copyAllCloseButton_->setText(text(texts::kCopyAllAndClose));
  hierarchicalBox_->setText(text(texts::kHierarchicalView));
  closeButton_->setText(text(texts::kClose));
  FitToCaption(*copyAllCloseButton_);
  FitToCaption(*closeButton_);
  const QString copyAll = text(texts::kCopyAll);
  const QString copyNo = text(texts::kCopyWithNo);
  copyAllAction_->setText(copyAll);
  copyNoAction_->setText(copyNo);
  copyNoRedundantAction_->setText(text(texts::kCopyWithNoRedundant));
  copyNoNotDerivedAction_->setText(text(texts::kCopyWithNoNotDerived));
  hideDerivedAction_->setText(text(texts::kHideDerived));
  // An empty report: the pairs compared show nothing, the exact section may.
  reportPane_->setPlaceholderText(text(texts::kNoPairRelations));
  relatedCopyAllAction_->setText(copyAll);
  relatedCopyNoAction_->setText(copyNo);

  // Room for the three controls of the bottom row with a Close button's width
  // to spare, and for six button heights.
  const auto widthOf = [](const QWidget* control) {
    return std::max(control->sizeHint().width(), control->minimumWidth());
  };
  const int width =
      widthOf(copyAllCloseButton_) + widthOf(hierarchicalBox_) + 2 * widthOf(closeButton_);
  const QSize least(width, 6 * closeButton_->sizeHint().height());
  setMinimumSize(least.expandedTo(layout()->totalMinimumSize()));
}

void AnalysisWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) ApplyTexts();
  QDialog::changeEvent(event);
}

void AnalysisWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FitPanes();
}

void AnalysisWindow::FitPanes() {
  // The report pane takes half the height above the buttons.
  layout()->activate();
  const int reportHeight = copyAllCloseButton_->y() / 2;
  const int rest = splitter_->height() - splitter_->handleWidth() - reportHeight;
  splitter_->setSizes({reportHeight, std::max(rest, 1)});
}

void AnalysisWindow::Clear() {
  report_ = AnalysisResult{};
  related_.reset();
  selectedLine_ = -1;
  reportPane_->clear();
  relatedPane_->clear();
  SetRelatedCommandsEnabled(false);
}

void AnalysisWindow::ShowReport(AnalysisResult result, HitMarks marks) {
  SetReport(std::move(result), std::move(marks));
  Open();
}

void AnalysisWindow::SetReport(AnalysisResult result, HitMarks marks,
                               const ProgressCallback& progress) {
  report_ = std::move(result);
  marks_ = std::move(marks);
  related_.reset();
  selectedLine_ = -1;
  paneLanguage_ = language_;
  FillReportPane(
      [this](std::size_t line) {
        const AnalysisLine& shown = report_.Lines[line];
        return FromCore(ReportLineText(shown) + marks_.TextOf(shown, paneLanguage_));
      },
      progress);
  // From here on the pane holds the report's text; the records keep the rest.
  for (AnalysisLine& line : report_.Lines) std::string().swap(line.Entry);
  relatedPane_->clear();
  SetRelatedCommandsEnabled(false);
}

void AnalysisWindow::Open() {
  setWindowTitle(QString::fromLatin1(kTitle));
  if (report_.ConflictsOnly) {
    blinkCount_ = 0;
    blinkTimer_.start(kBlinkMs);
  }

  OpenModally(*this, ActiveShowHook(), closeButton_, [this] { FitPanes(); });
}

void AnalysisWindow::done(int result) {
  blinkTimer_.stop();
  setWindowTitle(QString::fromLatin1(kTitle));
  QDialog::done(result);
}

void AnalysisWindow::FillReportPane(const std::function<QString(std::size_t)>& textOf,
                                    const ProgressCallback& progress) {
  ProgressPacer pacer(progress);
  reportPane_->hide();
  reportPane_->clear();
  QTextCursor cursor(reportPane_->document());
  cursor.beginEditBlock();
  // Lines of one style go in together: the pane takes a run of lines as
  // quickly as one line.
  // Runs are cut every kLinesPerInsert lines, so that messages can go
  // through between them.
  constexpr std::size_t kLinesPerInsert = 2000;
  QString run;
  std::size_t runLines = 0;
  bool first = true;
  for (std::size_t m = 0; m < report_.Lines.size(); ++m) {
    pacer.Report(m, report_.Lines.size());
    const ReportLineStyle style = StyleOf(report_.Lines[m]);
    run += textOf(m);
    const bool last = m + 1 == report_.Lines.size();
    if (!last && ++runLines < kLinesPerInsert && SameStyle(StyleOf(report_.Lines[m + 1]), style)) {
      run += QLatin1Char('\n');
      continue;
    }
    AppendLine(cursor, run, style.Bold, style.Italic, false, first);
    first = false;
    run.clear();
    runLines = 0;
  }
  cursor.endEditBlock();
  reportPane_->moveCursor(QTextCursor::Start);
  reportPane_->show();
}

QString AnalysisWindow::LineText(std::size_t line) const {
  return LineOf(*reportPane_, line).text();
}

std::size_t AnalysisWindow::MarkLength(std::size_t line) const {
  // The pane counts characters in UTF-16 units, as the mark may be Russian.
  return static_cast<std::size_t>(
      FromCore(marks_.TextOf(report_.Lines[line], paneLanguage_)).size());
}

std::string AnalysisWindow::EntryOf(std::size_t line) const {
  // The line reads: indentation, index, ": ", the entry, its hit mark.
  const QString text = LineText(line);
  const qsizetype start = text.indexOf(QStringLiteral(": "));
  if (start < 0) return {};
  const auto length = text.size() - static_cast<qsizetype>(MarkLength(line)) - (start + 2);
  return ToCore(text.mid(start + 2, std::max<qsizetype>(length, 0)));
}

void AnalysisWindow::ShowRelatedLines(bool forceRefresh) {
  const int caret = CaretLineOf(*reportPane_);
  if (caret < 0 || static_cast<std::size_t>(caret) >= report_.Lines.size()) return;
  if (caret == selectedLine_ && !forceRefresh) return;
  std::optional<std::size_t> previous;
  if (selectedLine_ >= 0) previous = static_cast<std::size_t>(selectedLine_);
  selectedLine_ = caret;
  ShowRelated(
      RelatedLinesOf(report_, static_cast<std::size_t>(caret), hierarchicalBox_->isChecked()),
      previous);
}

void AnalysisWindow::ShowRelated(const RelatedView& view, std::optional<std::size_t> previousLine) {
  relatedPane_->hide();
  relatedPane_->clear();
  QTextCursor related(relatedPane_->document());
  related.beginEditBlock();
  for (std::size_t m = 0; m < view.Lines.size(); ++m) {
    const RelatedLine& line = view.Lines[m];
    AppendLine(related, LineText(line.ReportLine), line.Style.Bold, line.Style.Italic,
               line.Underlined, m == 0);
  }

  QTextCursor report(reportPane_->document());
  report.beginEditBlock();
  const auto underline = [&](std::size_t line, bool on) {
    const QTextBlock block = LineOf(*reportPane_, line);
    if (!block.isValid()) return;
    FormatSpan(report, static_cast<std::size_t>(block.position()), TextLength(block),
               [on](QTextCharFormat& format) { format.setFontUnderline(on); });
  };
  if (previousLine) underline(*previousLine, false);
  underline(static_cast<std::size_t>(selectedLine_), true);
  const QColor fontColour = reportPane_->palette().color(QPalette::Text);
  FormatSpan(report, 0, static_cast<std::size_t>(reportPane_->document()->characterCount()),
             [&](QTextCharFormat& format) { format.setForeground(fontColour); });
  // A related line and its report line hold the same text, so one set of runs
  // colours both.
  for (std::size_t m = 0; m < view.Lines.size(); ++m) {
    const QTextBlock relatedBlock = LineOf(*relatedPane_, m);
    const QTextBlock reportBlock = LineOf(*reportPane_, view.Lines[m].ReportLine);
    if (!relatedBlock.isValid() || !reportBlock.isValid()) continue;
    const std::size_t coloured =
        TextLength(reportBlock) -
        std::min(TextLength(reportBlock), MarkLength(view.Lines[m].ReportLine));
    for (const ColourRun& run : ColourRuns(view.Lines[m].Colouring, coloured)) {
      const auto paint = [&](QTextCharFormat& format) {
        format.setForeground(ToColour(run.Colour));
      };
      FormatSpan(related, static_cast<std::size_t>(relatedBlock.position()) + run.Start, run.Length,
                 paint);
      FormatSpan(report, static_cast<std::size_t>(reportBlock.position()) + run.Start, run.Length,
                 paint);
    }
  }
  report.endEditBlock();
  related.endEditBlock();

  related_ = view;
  relatedPane_->moveCursor(QTextCursor::Start);
  relatedPane_->show();
  SetRelatedCommandsEnabled(true);
}

void AnalysisWindow::ScrollReportToRelated() {
  if (!related_ || related_->Lines.empty()) return;
  const int line = CaretLineOf(*relatedPane_);
  if (line < 0 || static_cast<std::size_t>(line) >= related_->Lines.size()) return;
  // The pane scrolls by whole lines: its first shown line is the scroll position.
  const std::size_t reportLine = related_->Lines[static_cast<std::size_t>(line)].ReportLine;
  if (!LineOf(*reportPane_, reportLine).isValid()) return;
  reportPane_->verticalScrollBar()->setValue(static_cast<int>(reportLine));
}

void AnalysisWindow::SetRelatedCommandsEnabled(bool enabled) {
  relatedCopyAllAction_->setEnabled(enabled);
  relatedCopyNoAction_->setEnabled(enabled);
}

void AnalysisWindow::BlinkTick() {
  ++blinkCount_;
  setWindowTitle(QString::fromLatin1(blinkCount_ % 2 == 1 ? kConflictsTitle : kTitle));
  if (blinkCount_ >= kBlinkTicks) {
    blinkCount_ = 0;
    blinkTimer_.setInterval(kBlinkRestMs);
  } else {
    blinkTimer_.setInterval(kBlinkMs);
  }
}

void AnalysisWindow::keyPressEvent(QKeyEvent* event) {
  // Enter in a pane is the pane's (it shows the related lines on release);
  // it neither presses a button nor closes the window.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    for (QPushButton* button : {copyAllCloseButton_, closeButton_}) {
      if (focusWidget() == button) button->click();
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool AnalysisWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool report = watched == reportPane_ || watched == reportPane_->viewport();
  const bool related = watched == relatedPane_ || watched == relatedPane_->viewport();
  if (event->type() == QEvent::KeyRelease && (watched == reportPane_ || watched == relatedPane_)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
      if (report && (IsEnterKey(key->key()) || key->modifiers().testFlag(Qt::ControlModifier))) {
        ShowRelatedLines(false);
      } else if (related) {
        ScrollReportToRelated();
      }
    }
  } else if (event->type() == QEvent::MouseButtonRelease && (report || related)) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (report && mouse->modifiers().testFlag(Qt::ControlModifier)) {
      ShowRelatedLines(false);
    } else if (related) {
      ScrollReportToRelated();
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kerbwise::ui
