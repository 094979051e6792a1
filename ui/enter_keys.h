#pragma once

#include <Qt>

namespace kerbwise::ui {

// What Enter starts in the condition pane and the condition line, by the
// modifiers held with it.
enum class EnterAction { None, DirectCheck, DirectCheckAndShow, ReverseCheck, ReverseCheckAndShow };

EnterAction ActionForEnter(Qt::KeyboardModifiers modifiers);

bool IsEnterKey(int key);

}  // namespace kerbwise::ui
