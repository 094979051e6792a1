#include "enter_keys.h"

#include <QKeyEvent>
#include <utility>

namespace kerbwise::ui {

EnterAction ActionForEnter(Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
  const bool alt = modifiers.testFlag(Qt::AltModifier);
  const bool shift = modifiers.testFlag(Qt::ShiftModifier);
  if (ctrl && alt) return EnterAction::ReverseCheckAndShow;
  if (ctrl) return shift ? EnterAction::None : EnterAction::ReverseCheck;
  if (shift) return EnterAction::None;
  return alt ? EnterAction::DirectCheckAndShow : EnterAction::DirectCheck;
}

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void EnterKeyTracker::Pressed(const QKeyEvent& event) {
  if (!IsEnterKey(event.key()) || event.isAutoRepeat()) return;
  // The Enter of the number block carries the keypad flag; it is the same key.
  heldAtPress_ = event.modifiers() & ~Qt::KeypadModifier;
}

std::optional<Qt::KeyboardModifiers> EnterKeyTracker::Released(const QKeyEvent& event) {
  if (!IsEnterKey(event.key()) || event.isAutoRepeat()) return std::nullopt;
  return std::exchange(heldAtPress_, std::nullopt);
}

}  // namespace kerbwise::ui
