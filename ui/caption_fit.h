#pragma once

class QPushButton;

namespace kerbwise::ui {

// Widens `button` so that its caption keeps half a line's height of room
// from either edge: the style's own width leaves the long Russian captions
// touching the bevel, and more room would widen the main window's least size
// past what a scaled laptop screen holds in Russian. Called again whenever
// the caption changes.
void FitToCaption(QPushButton& button);

}  // namespace kerbwise::ui
