#pragma once

#include <Qt>
#include <optional>

class QKeyEvent;

namespace kerbwise::ui {

// What Enter starts in the condition pane and the condition line, by the
// modifiers held with it.
enum class EnterAction { None, DirectCheck, DirectCheckAndShow, ReverseCheck, ReverseCheckAndShow };

EnterAction ActionForEnter(Qt::KeyboardModifiers modifiers);

bool IsEnterKey(int key);

// Checks run when Enter comes up, but with the modifiers held when it went
// down: a user who lets go of Ctrl a moment before Enter still asked for
// the inverse check. One tracker per control that takes Enter.
class EnterKeyTracker {
 public:
  // Every key press of the control.
  void Pressed(const QKeyEvent& event);
  // Every key release of the control: the modifiers held when this Enter
  // went down, or nothing when the release ends no Enter stroke begun here
  // (another key, or an Enter whose press closed a message box).
  std::optional<Qt::KeyboardModifiers> Released(const QKeyEvent& event);

 private:
  std::optional<Qt::KeyboardModifiers> heldAtPress_;
};

}  // namespace kerbwise::ui
