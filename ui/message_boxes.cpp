#include "message_boxes.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

#include "window_texts.h"

namespace kerbwise::ui {
namespace {

ScriptedMessageBoxes* activeScript = nullptr;
Language buttonsLanguage = Language::English;

// Qt names the standard buttons in English unless a translation is loaded;
// the program carries its own two words instead.
void NameButtons(QMessageBox& box) {
  if (buttonsLanguage == Language::English) return;
  if (QAbstractButton* yes = box.button(QMessageBox::Yes))
    yes->setText(Say(texts::kYes, buttonsLanguage));
  if (QAbstractButton* no = box.button(QMessageBox::No))
    no->setText(Say(texts::kNo, buttonsLanguage));
}

}  // namespace

void SetMessageBoxesLanguage(Language language) { buttonsLanguage = language; }

ScriptedMessageBoxes::ScriptedMessageBoxes(std::deque<bool> answers)
    : answers_(std::move(answers)) {
  activeScript = this;
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
  if (activeScript == this) activeScript = nullptr;
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
  if (activeScript != nullptr) {
    activeScript->shown_.push_back({title, text, true});
    if (const std::function<void()> action = std::exchange(activeScript->whenAsked_, {})) {
      action();
    }
    if (activeScript->answers_.empty()) return false;
    const bool yes = activeScript->answers_.front();
    activeScript->answers_.pop_front();
    return yes;
  }
  // The questions carry no icon: the offending line is what the eye should find.
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  NameButtons(box);
  return box.exec() == QMessageBox::Yes;
}

void Inform(QWidget* parent, const QString& title, const QString& text) {
  if (activeScript != nullptr) {
    activeScript->shown_.push_back({title, text, false});
    return;
  }
  QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
  NameButtons(box);
  box.exec();
}

}  // namespace kerbwise::ui
