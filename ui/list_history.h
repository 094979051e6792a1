#pragma once

#include <QObject>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace kerbwise::ui {

// Keeps the list pane's list as it was before its last change: before the
// last normalisation replaced it, or before the user began editing it by
// hand. Normalising the same list again changes nothing. The Compare window
// offers it as the other list.
class ListHistory : public QObject {
  Q_OBJECT

 public:
  explicit ListHistory(QPlainTextEdit& listPane, QObject* parent = nullptr);

  // Around a normalisation that replaces the pane's list.
  void Replacing();
  void Replaced();

  // Empty when the list has not changed since it first came.
  const std::vector<std::string>& Previous() const { return previous_; }

 private:
  void Edited();

  QPlainTextEdit& listPane_;
  std::vector<std::string> settled_;   // as the last normalisation left it
  std::vector<std::string> previous_;  // before the last change
  std::vector<std::string> replaced_;  // while a normalisation replaces the list
  bool replacing_ = false;
  bool edited_ = false;  // edited by hand since it settled
};

}  // namespace kerbwise::ui
