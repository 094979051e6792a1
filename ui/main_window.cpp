#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>

#include "analysis_window.h"
#include "arrow_glyph.h"
#include "blinking_label.h"
#include "caption_fit.h"
#include "check_controller.h"
#include "condition_area.h"
#include "condition_pane.h"
#include "dialog_answers.h"
#include "marker_image.h"
#include "message_boxes.h"
#include "pane_sync.h"
#include "presentation/intake_messages.h"
#include "result_window.h"
#include "rules/rule_template.h"
#include "text_panes.h"
#include "window_texts.h"

namespace kerbwise::ui {
namespace {

constexpr int kDesignWidth = 1053;
constexpr int kDesignHeight = 559;
constexpr int kConditionColumnWidth = 390;
constexpr int kSourcePaneLeft = kConditionColumnWidth + 40;  // after the arrow button
constexpr int kConditionPaneTop = 150;                       // under the pasted panes
// The object and source panes keep this height when the window grows.
constexpr int kPastedPanesHeight = 105;
// At the least window size the result line's first line holds a verdict
// quoting an entry of ordinary length, and its second line the note after it.
constexpr int kVerdictCharacters = 72;
// Room for a usual window frame, which is not known before the window shows.
constexpr QSize kFrameRoom(16, 40);

QPlainTextEdit* MakePane(const char* name, QWidget* parent) {
  auto* pane = new QPlainTextEdit(parent);
  pane->setObjectName(name);
  return pane;
}

QPushButton* MakeButton(const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  return button;
}

QCheckBox* MakeBox(const char* name, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  return box;
}

const char* const kObjectSample = "object-group ip address xxx\n host-info 10.10.10.10";
const char* const kSourceSample = "ip access-list extended BlaBlaBla\n permit ip any any";

// The sample text makes way for the user's on the first visit, but text
// that arrived otherwise (dropped in, or the sample already normalised into
// something else) is the user's and stays.
void ClearSample(QPlainTextEdit& pane, const char* sample) {
  if (pane.toPlainText() == QLatin1String(sample)) pane.clear();
}

// Panes that are hidden during a run keep their place, so nothing jumps.
void KeepPlaceWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

}  // namespace

MainWindow::MainWindow(const CheckOptions& startOptions, QWidget* parent)
    : QMainWindow(parent), language_(startOptions.TextLanguage) {
  setObjectName("mainWindow");
  setWindowTitle(
      QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())));
  SetMessageBoxesLanguage(language_);
  BuildControls();
  BuildMenus();
  BuildIntake();
  resultWindow_ = new ResultWindow(this);
  resultWindow_->SetLanguage(language_);
  CreateSortPanel();
  analysisWindow_ = new AnalysisWindow(this);
  analysisWindow_->SetLanguage(language_);
  WireControls();
  BuildExactWiring();
  SetOptions(startOptions);
  ApplyTexts();
  recognizer_.EmptyCache();
  checks_->SetResultLine({}, ResultColour::Workspace);
  SetLeastSize();
  OpenWithinScreen();
  // The focus starts where no sample text waits to be cleared by it, so
  // that the user sees both samples.
  conditionPane_->setFocus();
  checks_->ForgetMarkers();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetLeastSize() {
  // Room for the source pane to show 24 lines' height of width, and for the
  // condition pane to show about 22 lines; never less than the controls
  // need in the chosen language.
  const int lh = QFontMetrics(conditionPane_->font()).lineSpacing();
  setMinimumSize(
      QSize(kSourcePaneLeft + 24 * lh, kConditionPaneTop + 22 * lh).expandedTo(minimumSizeHint()));
}

void MainWindow::OpenWithinScreen() {
  // The design size, but no larger than the screen's room for windows (on a
  // scaled screen the design can be wider than the screen) and no smaller
  // than the least size; placed in the middle of that room.
  const QRect available = screen()->availableGeometry();
  const QSize room = (available.size() - kFrameRoom).expandedTo(QSize(0, 0));
  const QSize size = QSize(kDesignWidth, kDesignHeight).boundedTo(room).expandedTo(minimumSize());
  resize(size);
  const QSize framed = size + kFrameRoom;
  move(available.x() + std::max(0, (available.width() - framed.width()) / 2),
       available.y() + std::max(0, (available.height() - framed.height()) / 2));
}

void MainWindow::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  const QFont fixed = FixedPitchFont();

  // Top: the object pane under the Name and Objects buttons, the arrow
  // button, and the source pane.
  nameButton_ = MakeButton("nameButton", central);
  objectsButton_ = MakeButton("objectsButton", central);
  objectPane_ = MakePane("objectPane", central);
  objectPane_->setPlainText(kObjectSample);
  sourcePane_ = MakePane("sourcePane", central);
  sourcePane_->setPlainText(kSourceSample);
  KeepPlaceWhenHidden(sourcePane_);
  normalizeAction_ = new QAction(this);
  normalizeAction_->setObjectName("normalizeAction");
  normalizeAction_->setShortcut(QKeySequence(Qt::Key_F5));
  normalizeAction_->setIcon(LongDownArrow(palette().color(QPalette::ButtonText)));
  arrowButton_ = new QToolButton(central);
  arrowButton_->setObjectName("normalizeButton");
  arrowButton_->setDefaultAction(normalizeAction_);
  arrowButton_->setIconSize(QSize(kArrowGlyphWidth, kArrowGlyphHeight));
  arrowButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  arrowButton_->setFixedWidth(28);

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(nameButton_);
  nameRow->addWidget(objectsButton_);
  nameRow->addStretch();
  auto* objectColumn = new QVBoxLayout;
  objectColumn->addLayout(nameRow);
  objectColumn->addWidget(objectPane_);
  auto* objectColumnWidget = new QWidget(central);
  objectColumnWidget->setLayout(objectColumn);
  objectColumn->setContentsMargins(0, 0, 0, 0);
  objectColumnWidget->setFixedWidth(kConditionColumnWidth);
  auto* top = new QHBoxLayout;
  top->setContentsMargins(0, 0, 0, 0);
  top->addWidget(objectColumnWidget);
  top->addWidget(arrowButton_);
  top->addWidget(sourcePane_, 1);
  // The pasted panes widen with the window but keep their height.
  auto* topWidget = new QWidget(central);
  topWidget->setLayout(top);
  topWidget->setFixedHeight(kPastedPanesHeight);

  // Middle: the condition area, the marker image, the number and list panes.
  errorLabel_ = new BlinkingLabel(central);
  conditionPane_ = new ConditionPane(central);
  conditionPane_->setFont(fixed);
  conditionPane_->setPlainText("tcp host 10.1.0.1 192.168.0.0 0.0.0.255 ttl eq 14");
  verdictStrip_ = MakePane("verdictStrip", central);
  verdictStrip_->setReadOnly(true);
  verdictStrip_->setFont(conditionPane_->font());
  verdictStrip_->setLineWrapMode(QPlainTextEdit::NoWrap);
  verdictStrip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verdictStrip_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Same frame and margins as the condition pane, so their lines face each other.
  conditionPane_->document()->setDocumentMargin(1);
  verdictStrip_->document()->setDocumentMargin(1);
  caretGauge_ = new QSlider(Qt::Vertical, central);
  caretGauge_->setObjectName("caretGauge");
  caretGauge_->setEnabled(false);
  caretGauge_->setInvertedAppearance(true);
  caretGauge_->setTickPosition(QSlider::NoTicks);
  conditionArea_ = new ConditionArea(conditionPane_, verdictStrip_, caretGauge_, central);
  auto* conditionColumn = new QVBoxLayout;
  conditionColumn->setContentsMargins(0, 0, 0, 0);
  conditionColumn->addWidget(errorLabel_);
  conditionColumn->addWidget(conditionArea_, 1);
  auto* conditionColumnWidget = new QWidget(central);
  conditionColumnWidget->setLayout(conditionColumn);
  conditionColumnWidget->setFixedWidth(kConditionColumnWidth);

  markerImage_ = new MarkerImage(central);
  KeepPlaceWhenHidden(markerImage_);
  numberPane_ = MakePane("numberPane", central);
  numberPane_->setReadOnly(true);
  numberPane_->setFont(fixed);
  numberPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  listPane_ = MakePane("listPane", central);
  listPane_->setFont(fixed);
  listPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  listPane_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  listPane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  KeepPlaceWhenHidden(listPane_);
  // Both panes scroll one line per step, so their scroll ranges line up.
  numberPane_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  listSplitter_ = new QSplitter(Qt::Horizontal, central);
  listSplitter_->setObjectName("listArea");
  listSplitter_->addWidget(numberPane_);
  listSplitter_->addWidget(listPane_);
  listSplitter_->setStretchFactor(1, 1);
  listSplitter_->setChildrenCollapsible(false);
  listSplitter_->setSizes({130, 520});

  auto* middle = new QHBoxLayout;
  middle->addWidget(conditionColumnWidget);
  middle->addWidget(markerImage_);
  middle->addWidget(listSplitter_, 1);

  // Bottom: the condition line, the check buttons and labels, the result
  // line, the options and the buttons of the other operations.
  conditionLabel_ = new QLabel(central);
  conditionLine_ = new QLineEdit(central);
  conditionLine_->setObjectName("conditionLine");
  conditionLine_->setFont(fixed);
  directButton_ = MakeButton("directButton", central);
  reverseButton_ = MakeButton("reverseButton", central);
  statusLabel_ = new QLabel(central);
  statusLabel_->setObjectName("statusLabel");
  statusLabel_->setTextFormat(Qt::PlainText);
  templateErrorLabel_ = new QLabel(central);
  templateErrorLabel_->setObjectName("templateErrorLabel");
  templateErrorLabel_->setTextFormat(Qt::PlainText);
  templateErrorLabel_->setStyleSheet("QLabel { color: red; font-weight: bold; }");
  templateErrorLabel_->setWordWrap(true);
  resultLine_ = MakePane("resultLine", central);
  resultLine_->setReadOnly(true);
  QTextOption rightAligned(Qt::AlignRight);
  rightAligned.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  resultLine_->document()->setDefaultTextOption(rightAligned);
  resultLine_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  resultLine_->setFixedHeight(2 * QFontMetrics(resultLine_->font()).lineSpacing() +
                              2 * resultLine_->frameWidth() +
                              2 * static_cast<int>(resultLine_->document()->documentMargin()));
  resultLine_->setContextMenuPolicy(Qt::CustomContextMenu);
  resultLine_->setMinimumWidth(kVerdictCharacters *
                                   QFontMetrics(resultLine_->font()).averageCharWidth() +
                               2 * resultLine_->frameWidth() +
                               2 * static_cast<int>(resultLine_->document()->documentMargin()));
  progressBar_ = new QProgressBar(central);
  progressBar_->setObjectName("progressBar");
  progressBar_->setRange(0, 100);
  progressBar_->hide();
  KeepPlaceWhenHidden(progressBar_);
  templatePane_ = MakePane("templatePane", central);
  templatePane_->setReadOnly(true);
  templatePane_->setEnabled(false);
  templatePane_->hide();
  QStringList templateLines;
  for (const std::string& line : BuiltInTemplate()) templateLines.push_back(FromCore(line));
  SetPaneLines(*templatePane_, templateLines);

  maskGroup_ = new QGroupBox(central);
  maskGroup_->setObjectName("maskGroup");
  wildcardButton_ = new QRadioButton(maskGroup_);
  wildcardButton_->setObjectName("wildcardButton");
  netmaskButton_ = new QRadioButton(maskGroup_);
  netmaskButton_->setObjectName("netmaskButton");
  auto* maskLayout = new QVBoxLayout(maskGroup_);
  maskLayout->addWidget(wildcardButton_);
  maskLayout->addWidget(netmaskButton_);
  partialGroup_ = new QGroupBox(central);
  partialGroup_->setObjectName("partialGroup");
  partialAddressesBox_ = MakeBox("partialAddressesBox", partialGroup_);
  partialPortsBox_ = MakeBox("partialPortsBox", partialGroup_);
  ignoreIcmpBox_ = MakeBox("ignoreIcmpBox", partialGroup_);
  auto* partialLayout = new QVBoxLayout(partialGroup_);
  partialLayout->addWidget(partialAddressesBox_);
  partialLayout->addWidget(partialPortsBox_);
  partialLayout->addWidget(ignoreIcmpBox_);

  namesButton_ = MakeButton("namesButton", central);
  reflectButton_ = MakeButton("reflectButton", central);
  sortButton_ = MakeButton("sortButton", central);
  analysisButton_ = MakeButton("analysisButton", central);
  compareButton_ = MakeButton("compareButton", central);
  portsInSetBox_ = MakeBox("portsInSetBox", central);
  anyPortOverlapBox_ = MakeBox("anyPortOverlapBox", central);

  // Left: the condition line over the check buttons; right of it the result
  // line over the options and the remaining buttons.
  auto* conditionRow = new QHBoxLayout;
  conditionRow->addWidget(conditionLabel_);
  conditionRow->addWidget(conditionLine_, 1);
  auto* checkRow = new QHBoxLayout;
  checkRow->addWidget(directButton_);
  checkRow->addWidget(reverseButton_);
  checkRow->addStretch();
  auto* leftBottom = new QVBoxLayout;
  leftBottom->setContentsMargins(0, 0, 0, 0);
  leftBottom->addLayout(checkRow);
  leftBottom->addWidget(templateErrorLabel_);
  leftBottom->addStretch();
  auto* leftBottomWidget = new QWidget(central);
  leftBottomWidget->setLayout(leftBottom);
  // Under the condition line as wide as it where there is room; in a narrow
  // window it gives up what its buttons do not need to the options.
  leftBottomWidget->setMaximumWidth(kConditionColumnWidth);
  leftBottomWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* conditionRowWidget = new QWidget(central);
  conditionRow->setContentsMargins(0, 0, 0, 0);
  conditionRowWidget->setLayout(conditionRow);
  conditionRowWidget->setFixedWidth(kConditionColumnWidth);

  auto* statusColumn = new QVBoxLayout;
  statusColumn->addWidget(statusLabel_);
  statusColumn->addWidget(progressBar_);
  statusColumn->addStretch();
  auto* operationRow = new QHBoxLayout;
  operationRow->addWidget(reflectButton_);
  operationRow->addWidget(sortButton_);
  operationRow->addWidget(analysisButton_);
  operationRow->addWidget(compareButton_);
  auto* analysisBoxes = new QHBoxLayout;
  analysisBoxes->addWidget(portsInSetBox_);
  analysisBoxes->addWidget(anyPortOverlapBox_);
  auto* rightColumn = new QVBoxLayout;
  rightColumn->addWidget(namesButton_);
  rightColumn->addLayout(operationRow);
  rightColumn->addLayout(analysisBoxes);
  rightColumn->addStretch();

  auto* resultRow = new QHBoxLayout;
  resultRow->addWidget(conditionRowWidget, 0, Qt::AlignTop);
  resultRow->addWidget(resultLine_, 1);
  auto* optionRow = new QHBoxLayout;
  optionRow->addWidget(leftBottomWidget, 1);
  optionRow->addLayout(statusColumn, 1);
  optionRow->addWidget(maskGroup_, 0, Qt::AlignTop);
  optionRow->addWidget(partialGroup_, 0, Qt::AlignTop);
  optionRow->addLayout(rightColumn);
  auto* bottom = new QVBoxLayout;
  bottom->addLayout(resultRow);
  bottom->addLayout(optionRow);

  // Only the middle band grows with the window's height.
  auto* root = new QVBoxLayout(central);
  root->addWidget(topWidget, 0);
  root->addLayout(middle, 1);
  root->addLayout(bottom, 0);
}

void MainWindow::BuildMenus() {
  resultMenu_ = new QMenu(this);
  resultMenu_->setObjectName("resultMenu");
  showResultAction_ = resultMenu_->addAction(QString());
  showResultAction_->setObjectName("showResultAction");
  copyResultAction_ = resultMenu_->addAction(QString());
  copyResultAction_->setObjectName("copyResultAction");
  copyResultAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  copyResultAction_->setShortcutContext(Qt::WidgetShortcut);
  numberPane_->setContextMenuPolicy(Qt::CustomContextMenu);
}

void MainWindow::ApplyTexts() {
  maskGroup_->setTitle(Say(texts::kMaskGroup, language_));
  wildcardButton_->setText(Say(texts::kWildcard, language_));
  netmaskButton_->setText(Say(texts::kNetmask, language_));
  partialGroup_->setTitle(Say(texts::kPartialGroup, language_));
  partialAddressesBox_->setText(Say(texts::kPartialAddresses, language_));
  partialPortsBox_->setText(Say(texts::kPartialPorts, language_));
  ignoreIcmpBox_->setText(Say(texts::kIgnoreIcmp, language_));
  portsInSetBox_->setText(Say(texts::kPortsInSet, language_));
  anyPortOverlapBox_->setText(Say(texts::kAnyPortOverlap, language_));
  conditionLabel_->setText(Say(texts::kConditionLabel, language_));
  directButton_->setText(Say(texts::kDirectCheck, language_));
  directButton_->setToolTip(Say(texts::kDirectCheckHint, language_));
  reverseButton_->setText(Say(texts::kInverseCheck, language_));
  reverseButton_->setToolTip(Say(texts::kInverseCheckHint, language_));
  analysisButton_->setText(Say(texts::kAnalysis, language_));
  sortButton_->setText(Say(texts::kSort, language_));
  compareButton_->setText(Say(texts::kCompare, language_));
  compareButton_->setToolTip(Say(texts::kCompareHint, language_));
  reflectButton_->setText(Say(texts::kReflect, language_));
  reflectButton_->setToolTip(Say(texts::kReflectHint, language_));
  namesButton_->setText(Say(texts::kNames, language_));
  nameButton_->setText(Say(texts::kName, language_));
  nameButton_->setToolTip(Say(texts::kNameHint, language_));
  objectsButton_->setText(Say(texts::kObjects, language_));
  objectsButton_->setToolTip(Say(texts::kObjectsHint, language_));
  const QString arrowKey = normalizeAction_->shortcut().toString(QKeySequence::NativeText);
  normalizeAction_->setToolTip(Say(texts::kArrowHint, language_) + " (" + arrowKey + ")");
  arrowButton_->setAccessibleName(Say(texts::kArrowName, language_));
  maskGroup_->setToolTip(Say(texts::kMaskTypeHint, language_));
  partialAddressesBox_->setToolTip(Say(texts::kPartialAddressesHint, language_));
  partialPortsBox_->setToolTip(Say(texts::kPartialPortsHint, language_));
  ignoreIcmpBox_->setToolTip(Say(texts::kIgnoreIcmpHint, language_));
  portsInSetBox_->setToolTip(Say(texts::kPortsInSetHint, language_));
  anyPortOverlapBox_->setToolTip(Say(texts::kAnyPortOverlapHint, language_));
  for (QPushButton* button :
       {directButton_, reverseButton_, analysisButton_, compareButton_, sortButton_, reflectButton_,
        namesButton_, nameButton_, objectsButton_}) {
    FitToCaption(*button);
  }
  showResultAction_->setText(Say(texts::kShowResult, language_));
  copyResultAction_->setText(Say(texts::kCopyResult, language_));
  errorLabel_->SetCopyCaption(Say(texts::kCopy, language_));
}

void MainWindow::SetOptions(const CheckOptions& options) {
  netmaskButton_->setChecked(options.MaskType == MaskForm::Netmask);
  wildcardButton_->setChecked(options.MaskType != MaskForm::Netmask);
  partialAddressesBox_->setChecked(options.PartialAddresses);
  partialPortsBox_->setChecked(options.PartialPortsOption);
  ignoreIcmpBox_->setChecked(options.IgnoreIcmp);
  portsInSetBox_->setChecked(true);
  portsInSetBox_->setEnabled(false);
  anyPortOverlapBox_->setChecked(false);
  anyPortOverlapBox_->setEnabled(false);
  for (QPushButton* button :
       {analysisButton_, sortButton_, reflectButton_, nameButton_, objectsButton_}) {
    button->setEnabled(false);
  }
}

CheckOptions MainWindow::ReadOptions() const {
  CheckOptions options;
  options.MaskType = netmaskButton_->isChecked() ? MaskForm::Netmask : MaskForm::Wildcard;
  options.PartialAddresses = partialAddressesBox_->isChecked();
  options.PartialPortsOption = partialPortsBox_->isChecked();
  options.IgnoreIcmp = ignoreIcmpBox_->isChecked();
  options.PortsInSet = portsInSetBox_->isChecked();
  options.AnyPortOverlap = anyPortOverlapBox_->isChecked();
  options.TextLanguage = language_;
  return options;
}

void MainWindow::WireControls() {
  paneSync_ = new PaneSync({listPane_, numberPane_, markerImage_, conditionPane_, verdictStrip_,
                            conditionLine_, caretGauge_},
                           this);
  checks_ = new CheckController(
      {listPane_, numberPane_, markerImage_, conditionPane_, verdictStrip_, resultLine_,
       resultMenu_, showResultAction_, copyResultAction_, paneSync_},
      this);
  connect(normalizeAction_, &QAction::triggered, this, &MainWindow::Normalize);
  connect(directButton_, &QPushButton::clicked, this, [this] { RunCheck(CheckDirection::Direct); });
  connect(reverseButton_, &QPushButton::clicked, this,
          [this] { RunCheck(CheckDirection::Reverse); });
  connect(analysisButton_, &QPushButton::clicked, this, &MainWindow::RunAnalysis);
  connect(sortButton_, &QPushButton::clicked, this, &MainWindow::ShowSort);
  connect(reflectButton_, &QPushButton::clicked, this, &MainWindow::ShowReflected);
  connect(namesButton_, &QPushButton::clicked, this, &MainWindow::ShowNamesReference);
  connect(objectsButton_, &QPushButton::clicked, this, &MainWindow::ShowObjects);
  connect(portsInSetBox_, &QCheckBox::toggled, anyPortOverlapBox_, &QWidget::setDisabled);

  connect(showResultAction_, &QAction::triggered, this, &MainWindow::ShowResult);
  connect(conditionPane_, &QPlainTextEdit::textChanged, this, [this] { recognizer_.EmptyCache(); });
  connect(conditionLine_, &QLineEdit::textChanged, this, [this] { recognizer_.EmptyCache(); });
  connect(conditionPane_, &ConditionPane::Released, this, &MainWindow::ConditionPaneReleased);

  for (QObject* watched : std::initializer_list<QObject*>{
           sourcePane_, objectPane_, verdictStrip_, conditionLine_, numberPane_,
           numberPane_->viewport(), listPane_->viewport(), resultLine_, resultLine_->viewport()}) {
    watched->installEventFilter(this);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing mid-run would pull the window away from the run still using it.
  if (listBusy_) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusIn) {
    if (watched == verdictStrip_) {
      conditionPane_->setFocus();
    } else if (watched == sourcePane_ && !sourceSampleCleared_) {
      sourceSampleCleared_ = true;
      ClearSample(*sourcePane_, kSourceSample);
    } else if (watched == objectPane_ && !objectSampleCleared_) {
      objectSampleCleared_ = true;
      ClearSample(*objectPane_, kObjectSample);
    }
  } else if (type == QEvent::KeyPress && watched == conditionLine_) {
    lineEnterKeys_.Pressed(*static_cast<QKeyEvent*>(event));
  } else if (type == QEvent::KeyRelease && watched == conditionLine_) {
    if (const auto held = lineEnterKeys_.Released(*static_cast<QKeyEvent*>(event))) {
      RunEnterAction(ActionForEnter(*held));
    }
  } else if (type == QEvent::KeyPress && (watched == numberPane_ || watched == resultLine_)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == numberPane_ && IsEnterKey(key->key())) {
      ShowResult();
      return true;
    }
    // Ctrl+C copies the result unless the user selected text to copy.
    const auto* pane = static_cast<QPlainTextEdit*>(watched);
    if (key->matches(QKeySequence::Copy) && !pane->textCursor().hasSelection() &&
        copyResultAction_->isEnabled()) {
      checks_->CopyResult();
      return true;
    }
  } else if (type == QEvent::MouseButtonDblClick) {
    const int listAreaWidth = listSplitter_->width();
    if (watched == numberPane_->viewport()) {
      listSplitter_->setSizes({listAreaWidth / 5 * 4, listAreaWidth - listAreaWidth / 5 * 4});
    } else if (watched == listPane_->viewport()) {
      listSplitter_->setSizes({listAreaWidth / 5, listAreaWidth - listAreaWidth / 5});
    } else if (watched == resultLine_->viewport()) {
      if (showResultAction_->isEnabled()) ShowResult();
      QTextCursor cursor = resultLine_->textCursor();
      cursor.clearSelection();
      resultLine_->setTextCursor(cursor);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace kerbwise::ui
