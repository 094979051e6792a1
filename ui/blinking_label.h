#pragma once

#include <QLabel>
#include <QTimer>

class QMenu;

namespace kerbwise::ui {

// The error label: its message blinks for 14 ticks of 100 ms when asked to,
// and when a missing object's name is stored with it, a mouse press offers to
// copy that name.
class BlinkingLabel : public QLabel {
  Q_OBJECT

 public:
  explicit BlinkingLabel(QWidget* parent = nullptr);

  void SetMessage(const QString& text, const QString& objectName);
  void Clear() { SetMessage({}, {}); }
  const QString& StoredObject() const { return storedObject_; }
  void SetCopyCaption(const QString& caption);
  void Blink();
  bool Blinking() const { return timer_.isActive(); }
  QMenu* CopyMenu() const { return menu_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Tick();

  QTimer timer_;
  int ticks_ = 0;
  QString storedObject_;
  QMenu* menu_;
};

}  // namespace kerbwise::ui
