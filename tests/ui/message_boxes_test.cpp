#include <QtTest>

#include "dialog_answers.h"
#include "message_boxes.h"

using namespace kerbwise;
using namespace kerbwise::ui;

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void scriptedAnswersAreTakenInOrderThenNo() {
    ScriptedMessageBoxes boxes({true, false});
    QVERIFY(AskYesNo(nullptr, "T", "first"));
    QVERIFY(!AskYesNo(nullptr, "T", "second"));
    QVERIFY(!AskYesNo(nullptr, "T", "script ran out"));
    Inform(nullptr, "Info", "said");
    QCOMPARE(boxes.Shown().size(), std::size_t{4});
    QCOMPARE(boxes.Shown()[3].Text, QString("said"));
    QVERIFY(!boxes.Shown()[3].Question);
  }

  void coreQuestionsArriveWithLineBreaksAndUtf8() {
    ScriptedMessageBoxes boxes({true});
    DialogAnswers answers(nullptr);
    const YesNoQuestion question{NumberingQuestion::NumberingOrder, "Нумерация",
                                 "first\r\rsecond"};
    QVERIFY(answers.Ask(question));
    QCOMPARE(boxes.Shown().front().Title, QString::fromUtf8("Нумерация"));
    QCOMPARE(boxes.Shown().front().Text, QString("first\n\nsecond"));
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
