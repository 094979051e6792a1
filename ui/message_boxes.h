#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "text/language.h"

class QWidget;

namespace kerbwise::ui {

// Every modal message box of the app goes through these two functions, so
// that window tests can answer the questions and read what was said.
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);
void Inform(QWidget* parent, const QString& title, const QString& text);

// The language of the boxes' buttons (in Russian the program names them itself). The language
// is chosen once, at start-up, for the whole run.
void SetMessageBoxesLanguage(Language language);

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
  // Runs `action` when the next question is asked, before it is answered: a
  // test acts there as a user could while a run waits or lets messages through.
  void WhenAsked(std::function<void()> action) { whenAsked_ = std::move(action); }
  const std::vector<ShownMessage>& Shown() const { return shown_; }

 private:
  friend bool AskYesNo(QWidget*, const QString&, const QString&);
  friend void Inform(QWidget*, const QString&, const QString&);

  std::deque<bool> answers_;
  std::function<void()> whenAsked_;
  std::vector<ShownMessage> shown_;
};

}  // namespace kerbwise::ui
