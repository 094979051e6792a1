#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "dialog_answers.h"

using namespace kerbwise;
using namespace kerbwise::ui;

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void questionsOfferYesAndNoWithoutAnIcon() {
    QMessageBox::Icon icon = QMessageBox::Question;
    QMessageBox::StandardButtons buttons;
    // Answers the box once its modal loop runs.
    QTimer::singleShot(0, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      icon = box->icon();
      buttons = box->standardButtons();
      box->button(QMessageBox::No)->click();
    });
    QVERIFY(!AskYesNo(nullptr, "Oops ...", "Renumber the lines?"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
  }

  void coreQuestionsArriveWithLineBreaksAndUtf8() {
    ScriptedMessageBoxes boxes({true});
    DialogAnswers answers(nullptr);
    const YesNoQuestion question{NumberingQuestion::NumberingOrder, "Нумерация", "first\r\rsecond"};
    QVERIFY(answers.Ask(question));
    QCOMPARE(boxes.Shown().front().Title, QString::fromUtf8("Нумерация"));
    QCOMPARE(boxes.Shown().front().Text, QString("first\n\nsecond"));
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
