#include "result_window.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpacerItem>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "caption_fit.h"
#include "dialog_buttons.h"
#include "external_editor.h"
#include "modal_open.h"
#include "object_spans.h"
#include "window_texts.h"

namespace kerbwise::ui {
namespace {

constexpr int kClientWidth = 962;
constexpr int kClientHeight = 495;
constexpr int kLeastWidth = 600;
constexpr int kLeastHeight = 160;
constexpr int kObjectListWidth = 224;
constexpr int kSplitMinimum = 100;

ResultWindow::ShowHook& ActiveShowHook() {
  static ResultWindow::ShowHook hook;
  return hook;
}

QString JoinLines(const std::vector<std::string>& lines) {
  QStringList converted;
  converted.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) {
    converted.push_back(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
  }
  return converted.join(QLatin1Char('\n'));
}

}  // namespace

ResultWindow::ResultWindow(QWidget* parent)
    : QDialog(parent),
      textPane_(new QPlainTextEdit(this)),
      objectList_(new QListWidget(this)),
      splitter_(new QSplitter(Qt::Horizontal, this)),
      copyButton_(MakeDialogButton(this, "copyButton")),
      notepadButton_(MakeDialogButton(this, "notepadButton")),
      sortPanel_(new QFrame(this)),
      sortNotice_(new QFrame(this)),
      closeButton_(MakeDialogButton(this, "closeButton")),
      buttonRow_(new QHBoxLayout),
      upperAreaLift_(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed)),
      editor_(std::make_unique<ExternalEditor>(this)) {
  setObjectName(QStringLiteral("resultWindow"));
  setWindowTitle(QStringLiteral("Result"));
  setSizeGripEnabled(true);

  textPane_->setObjectName(QStringLiteral("textPane"));
  textPane_->setReadOnly(true);
  textPane_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  textPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  textPane_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  textPane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Results, sort keys and the names table pad their numbers into columns,
  // which line up only when every character is as wide as the next.
  textPane_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The selection made from the object list must stay visible while the list
  // keeps the focus.
  QPalette palette = textPane_->palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  textPane_->setPalette(palette);
  textPane_->setMinimumWidth(kSplitMinimum);

  objectList_->setObjectName(QStringLiteral("objectList"));
  objectList_->setMinimumWidth(kSplitMinimum);
  objectList_->hide();

  splitter_->setObjectName(QStringLiteral("upperArea"));
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(objectList_);
  splitter_->addWidget(textPane_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->handle(1)->setObjectName(QStringLiteral("upperAreaHandle"));

  sortPanel_->setObjectName(QStringLiteral("sortPanel"));
  sortPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  sortPanel_->setLineWidth(1);
  sortPanel_->hide();
  sortNotice_->setObjectName(QStringLiteral("sortNotice"));
  sortNotice_->hide();

  buttonRow_->addWidget(copyButton_);
  buttonRow_->addWidget(notepadButton_);
  buttonRow_->addStretch(0);
  buttonRow_->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter_, 1);
  layout->addWidget(sortNotice_);
  layout->addItem(upperAreaLift_);
  layout->addLayout(buttonRow_);

  connect(copyButton_, &QPushButton::clicked, this, &ResultWindow::CopyAllAndClose);
  connect(notepadButton_, &QPushButton::clicked, this, &ResultWindow::SendToEditor);
  connect(closeButton_, &QPushButton::clicked, this, &ResultWindow::reject);
  for (QObject* watched :
       {static_cast<QObject*>(textPane_), static_cast<QObject*>(copyButton_),
        static_cast<QObject*>(notepadButton_), static_cast<QObject*>(closeButton_),
        static_cast<QObject*>(objectList_), static_cast<QObject*>(objectList_->viewport())}) {
    watched->installEventFilter(this);
  }

  ApplyTexts();
  resize(kClientWidth, kClientHeight);
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::SetShowHook(ShowHook hook) { ActiveShowHook() = std::move(hook); }

void ResultWindow::SetLanguage(Language language) {
  language_ = language;
  ApplyTexts();
}

void ResultWindow::ApplyTexts() {
  copyButton_->setText(Say(texts::kCopyAllAndClose, language_));
  notepadButton_->setText(Say(texts::kNotepad, language_));
  notepadButton_->setToolTip(Say(texts::kNotepadHint, language_));
  closeButton_->setText(Say(texts::kClose, language_));
  for (QPushButton* button : {copyButton_, notepadButton_, closeButton_}) FitToCaption(*button);
  editor_->SetLanguage(language_);

  // The least width holds the button row with the sort panel's room between
  // the Notepad and Close buttons, whatever the window shows: taken from the
  // layout as a whole, it would follow a long notice or a wide text and
  // never give the width back. The least height is six button heights.
  buttonRow_->invalidate();
  const QMargins margins = layout()->contentsMargins();
  const int width =
      margins.left() + buttonRow_->minimumSize().width() + sortPanelLeastGap_ + margins.right();
  setMinimumSize(std::max(kLeastWidth, width),
                 std::max(kLeastHeight, 6 * closeButton_->sizeHint().height()));
}

void ResultWindow::SetSortPanelLeastGap(int width) {
  sortPanelLeastGap_ = std::max(0, width);
  ApplyTexts();
}

void ResultWindow::SetUpperAreaLift(int lift) {
  lift = std::max(0, lift);
  if (upperAreaLift_->sizeHint().height() == lift) return;
  upperAreaLift_->changeSize(0, lift, QSizePolicy::Minimum, QSizePolicy::Fixed);
  layout()->invalidate();
  layout()->activate();
}

void ResultWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!sortPanel_->isHidden()) emit SortPanelRelaid();
}

void ResultWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!sortPanel_->isHidden()) emit SortPanelRelaid();
}

void ResultWindow::changeEvent(QEvent* event) {
  const bool activated = event->type() == QEvent::ActivationChange && isActiveWindow();
  if (activated) ApplyTexts();
  QDialog::changeEvent(event);
  if (activated) emit Activated();
}

void ResultWindow::Fill(const QString& caption, const QString& text) {
  // Captions quote the user's condition; Qt would take "[*]" in it for the
  // modified-state mark, and "[*][*]" shows it as written.
  setWindowTitle(QString(caption).replace(QLatin1String("[*]"), QLatin1String("[*][*]")));
  textPane_->setPlainText(text);
}

void ResultWindow::ShowText(const QString& caption, const QStringList& lines) {
  Fill(caption, lines.join(QLatin1Char('\n')));
  Present();
}

void ResultWindow::ShowObjects(const QString& caption, const kerbwise::UsedObjects& used) {
  ObjectListing listing = BuildObjectListing(used);
  objectText_ = used.UsdObjText();
  objectRecords_ = std::move(listing.Records);
  objectList_->clear();
  for (const std::string& name : listing.Names) {
    objectList_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  }
  Fill(caption, JoinLines(objectText_));
  objectList_->show();
  if (!objectListSized_) {
    layout()->activate();
    const int rest = splitter_->width() - splitter_->handleWidth() - kObjectListWidth;
    splitter_->setSizes({kObjectListWidth, std::max(rest, kSplitMinimum)});
    objectListSized_ = true;
  }
  Present();
}

void ResultWindow::ShowSorting(const QString& caption) {
  Fill(caption, QString());
  sortPanel_->show();
  emit SortPanelOpened();
  Present();
}

void ResultWindow::Present() {
  CentreOnParent();
  OpenModally(*this, ActiveShowHook(), closeButton_);
}

void ResultWindow::CentreOnParent() {
  QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  QScreen* where = owner != nullptr ? owner->screen() : screen();
  QRect frame(QPoint(), frameGeometry().size());
  if (owner != nullptr) {
    frame.moveCenter(owner->frameGeometry().center());
  } else if (where != nullptr) {
    frame.moveCenter(where->availableGeometry().center());
  }
  // Keep the title bar reachable when the owner sits at a screen edge.
  if (where != nullptr) {
    const QRect screenArea = where->availableGeometry();
    frame.moveLeft(
        std::max(screenArea.left(), std::min(frame.left(), screenArea.right() - frame.width())));
    frame.moveTop(
        std::max(screenArea.top(), std::min(frame.top(), screenArea.bottom() - frame.height())));
  }
  move(frame.topLeft());
}

void ResultWindow::done(int result) {
  sortPanel_->hide();
  sortNotice_->hide();
  SetUpperAreaLift(0);
  if (!objectList_->isHidden()) objectList_->hide();
  editor_->DeleteLast();
  QDialog::done(result);
}

void ResultWindow::CopyAllAndClose() {
  textPane_->selectAll();
  QGuiApplication::clipboard()->setText(textPane_->toPlainText());
  accept();
}

void ResultWindow::SendToEditor() {
  editor_->OpenInEditor(textPane_->toPlainText().split(QLatin1Char('\n')));
}

void ResultWindow::ObjNameSelect() {
  const int row = objectList_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= objectRecords_.size()) return;
  const UsedGroup& record = objectRecords_[static_cast<std::size_t>(row)];
  const PaneSpan span =
      ToPaneSpan(*textPane_->document(), objectText_, record.StartPos, record.EndPos);
  const int last = std::max(0, textPane_->document()->characterCount() - 1);

  QTextCursor cursor(textPane_->document());
  cursor.setPosition(std::min(span.Start, last));
  cursor.setPosition(std::min(span.End, last), QTextCursor::KeepAnchor);
  textPane_->setTextCursor(cursor);
  textPane_->ensureCursorVisible();
  // The caret sits at the end of the definition; when the whole definition
  // does not fit, its header line is what must stay in view.
  QScrollBar* vertical = textPane_->verticalScrollBar();
  const int firstLine = textPane_->document()->findBlock(cursor.selectionStart()).blockNumber();
  if (firstLine < vertical->value()) vertical->setValue(firstLine);
}

void ResultWindow::keyPressEvent(QKeyEvent* event) {
  // Esc closes the window when it is released in the text pane or on a
  // button (see eventFilter), not when it is pressed.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  // Enter presses the button that has the focus, as Space does.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    for (QPushButton* button : {copyButton_, notepadButton_, closeButton_}) {
      if (focusWidget() == button) button->click();
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool ResultWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (watched == textPane_ && key->key() == Qt::Key_F &&
          key->modifiers().testFlag(Qt::ControlModifier)) {
        SendToEditor();
        return true;
      }
      break;
    }
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (watched == objectList_) {
        ObjNameSelect();
      } else if (key->key() == Qt::Key_Escape && !key->isAutoRepeat()) {
        reject();
        return true;
      }
      break;
    }
    case QEvent::MouseButtonRelease:
      if (watched == objectList_->viewport()) ObjNameSelect();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kerbwise::ui
