#pragma once

class QPushButton;

namespace kerbwise::ui {

// Widens `button` so that its caption keeps a letter's room from either
// edge: the style's own width leaves the long Russian captions touching the
// bevel. Called again whenever the caption changes.
void FitToCaption(QPushButton& button);

}  // namespace kerbwise::ui
