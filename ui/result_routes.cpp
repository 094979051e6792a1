// The commands that show their text in the result window.
#include <QEvent>

#include "main_window.h"

namespace kerbwise::ui {

// The result window is not part of this build yet: these commands do nothing.
void TForm1::ShowResult() {}
void TForm1::ShowObjects() {}
void TForm1::ShowReflected() {}
void TForm1::ShowNamesReference() {}

void TForm1::changeEvent(QEvent* event) { QMainWindow::changeEvent(event); }

}  // namespace kerbwise::ui
