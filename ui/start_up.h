#pragma once

#include <QStringList>
#include <memory>

namespace kerbwise::ui {

class MainWindow;

// Reads the start switches (the arguments after the program name, with Qt's
// own already taken out), creates the main window in the language they chose
// and shows the help box when they ask for it.
std::unique_ptr<MainWindow> StartMainWindow(const QStringList& arguments);

}  // namespace kerbwise::ui
