#pragma once

#include <QPushButton>
#include <QString>

namespace kerbwise::ui {

// A button of a window built around a text pane, found by its role name. It
// is never the dialog's default: Enter belongs to the pane and must neither
// press a button (overwriting the clipboard, say) nor close the window.
inline QPushButton* MakeDialogButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace kerbwise::ui
