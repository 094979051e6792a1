#include "enter_keys.h"

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

}  // namespace kerbwise::ui
