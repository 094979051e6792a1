#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "dialog_answers.h"
#include "main_window.h"

using namespace kerbwise;
using namespace kerbwise::ui;

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void questionsOfferYesAndNoWithoutAnIconInTheWindowsLanguage() {
    for (const bool russian : {false, true}) {
      CheckOptions options;
      options.TextLanguage = russian ? Language::Russian : Language::English;
      const MainWindow window(options);
      QMessageBox::Icon icon = QMessageBox::Question;
      QStringList buttons;
      // Reads the box once its modal loop runs, then answers No.
      QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        icon = box->icon();
        for (QAbstractButton* button : box->buttons()) buttons << button->text();
        box->button(QMessageBox::No)->click();
      });
      QVERIFY(!AskYesNo(nullptr, "Oops ...", "Renumber the lines?"));
      QCOMPARE(icon, QMessageBox::NoIcon);
      buttons.sort();
      const QStringList expected =
          russian ? QStringList{QString::fromUtf8("Да"), QString::fromUtf8("Нет")}
                  : QStringList{"&No", "&Yes"};
      QCOMPARE(buttons, expected);
    }
  }

  void coreQuestionsArriveWithLineBreaksAndUtf8() {
    ScriptedMessageBoxes boxes({true});
    DialogAnswers answers(nullptr);
    const YesNoQuestion question{QuestionId::NumberingOrder, "Нумерация", "first\r\rsecond"};
    QVERIFY(answers.Ask(question));
    QCOMPARE(boxes.Shown().front().Title, QString::fromUtf8("Нумерация"));
    QCOMPARE(boxes.Shown().front().Text, QString("first\n\nsecond"));
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
