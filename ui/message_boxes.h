#pragma once

#include <deque>
#include <QString>
#include <vector>

class QWidget;

namespace kerbwise::ui {

// Every modal message box of the app goes through these two functions, so
// that window tests can answer the questions and read what was said.
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);
void Inform(QWidget* parent, const QString& title, const QString& text);

// What a box showed, as the test hook records it.
struct ShownMessage {
  QString Title;
  QString Text;
  bool Question = false;
};

// Test hook: while scripted, no box is shown; AskYesNo takes the next
// scripted answer (No once the script runs out) and every box is recorded.
class ScriptedMessageBoxes {
 public:
  explicit ScriptedMessageBoxes(std::deque<bool> answers = {});
  ~ScriptedMessageBoxes();
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  void Answer(bool yes) { answers_.push_back(yes); }
  const std::vector<ShownMessage>& Shown() const { return shown_; }

 private:
  friend bool AskYesNo(QWidget*, const QString&, const QString&);
  friend void Inform(QWidget*, const QString&, const QString&);

  std::deque<bool> answers_;
  std::vector<ShownMessage> shown_;
};

}  // namespace kerbwise::ui
