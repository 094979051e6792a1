#pragma once

#include <QAbstractButton>
#include <functional>

namespace kerbwise::ui {

// Opens a modal window with its own message loop. While a test hook is set,
// the window is shown without one instead, `shown` runs (to lay it out as an
// open window is), the hook is called with the window (so it can read or
// press anything) and the window is then closed as `closeButton` would. The
// hook is taken by value: it may set another while it runs.
template <typename Window>
void OpenModally(Window& window, std::function<void(Window&)> hook, QAbstractButton* closeButton,
                 const std::function<void()>& shown = {}) {
  if (!hook) {
    window.exec();
    return;
  }
  window.show();
  if (shown) shown();
  hook(window);
  if (window.isVisible()) closeButton->click();
}

}  // namespace kerbwise::ui
