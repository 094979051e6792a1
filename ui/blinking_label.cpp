#include "blinking_label.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>

namespace kerbwise::ui {

BlinkingLabel::BlinkingLabel(QWidget* parent) : QLabel(parent), menu_(new QMenu(this)) {
  setObjectName("objectErrorLabel");
  setTextFormat(Qt::PlainText);  // messages quote object names as the user wrote them
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  QSizePolicy keepPlace = sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);  // blinking must not shift the panes
  setSizePolicy(keepPlace);
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, &BlinkingLabel::Tick);
  QAction* copy = menu_->addAction(QString());
  copy->setObjectName("copyObjectAction");
  connect(copy, &QAction::triggered, this,
          [this] { QApplication::clipboard()->setText(storedObject_); });
}

void BlinkingLabel::SetMessage(const QString& text, const QString& objectName) {
  setText(text);
  storedObject_ = objectName;
  setToolTip(objectName);
}

void BlinkingLabel::SetCopyCaption(const QString& caption) {
  menu_->actions().front()->setText(caption);
}

void BlinkingLabel::Blink() {
  ticks_ = 0;
  timer_.start();
}

void BlinkingLabel::Tick() {
  setVisible(!isVisible());
  if (++ticks_ > 13) {
    timer_.stop();
    ticks_ = 0;
    setVisible(true);
  }
}

void BlinkingLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (!storedObject_.isEmpty()) menu_->popup(event->globalPosition().toPoint());
}

}  // namespace kerbwise::ui
