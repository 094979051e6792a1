// The commands that show their text in the result window, read through the
// window's show hook.
#include <QApplication>
#include <QPlainTextEdit>
#include <QtTest>

#include "result_window.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using namespace kerbwise::ui::testing;

namespace {

// What the result window showed, one entry per showing.
struct Shown {
  QString Caption, Text;
  bool Russian = false;
  bool FixedPitch = false;  // padded numbers line up in columns
};

// Records each showing of the result window while it lives.
struct ShowRecorder {
  QList<Shown> All;
  ShowRecorder() {
    ResultWindow::SetShowHook([this](ResultWindow& window) {
      const QFontMetrics metrics(window.TextPane()->font());
      All.push_back({window.windowTitle(), window.TextPane()->toPlainText(),
                     window.TextLanguage() == kerbwise::Language::Russian,
                     metrics.horizontalAdvance("1111") == metrics.horizontalAdvance("MMMM")});
    });
  }
  ~ShowRecorder() { ResultWindow::SetShowHook({}); }
  QString LastCaption() const { return All.isEmpty() ? QString() : All.back().Caption; }
};

}  // namespace

class ResultRoutesTest : public QObject {
  Q_OBJECT

 private slots:
  // From the menu, Enter in the number pane, a double click on the result
  // line, and Alt+Enter in the condition pane after its check.
  void theCheckResultIsShownWithItsLegend() {
    ShowRecorder shown;
    WindowDriver driver;
    driver.Normalize(kWebThenDeny);
    driver.Check("tcp any any eq 80");
    driver.Action("showResultAction")->trigger();
    QCOMPARE(shown.All.size(), 1);
    QCOMPARE(shown.LastCaption(), QString("tcp any any eq 80"));
    QCOMPARE(shown.All[0].Text, QString("+  10 permit tcp any any eq 80\n-  20 deny ip any any\n\n"
                                        "----------------------\n+ permit\n- deny"));
    QVERIFY(shown.All[0].FixedPitch);

    driver.Click("reverseButton");
    driver.Press("numberPane", Qt::Key_Return);
    QCOMPARE(shown.LastCaption(), QString("Inverse check: tcp any any eq 80"));
    QPlainTextEdit* resultLine = driver.Pane("resultLine");
    QTest::mouseDClick(resultLine->viewport(), Qt::LeftButton);
    QCOMPARE(shown.All.size(), 3);
    QVERIFY(!resultLine->textCursor().hasSelection());

    driver.Paste("conditionPane", "tcp any any eq 80");
    driver.PutCaretOn(0);
    driver.Press("conditionPane", Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(shown.LastCaption(), QString("tcp any any eq 80"));
    driver.Press("conditionPane", Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(shown.All.size(), 5);
    QVERIFY(shown.LastCaption().startsWith("Inverse check: "));
    // Nothing matched: there is no result to show.
    driver.Paste("conditionPane", "udp any any eq 53");
    driver.PutCaretOn(0);
    driver.Normalize("permit tcp any any");
    driver.Press("conditionPane", Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(shown.All.size(), 5);
  }

  void objectsReflectAndNamesReference() {
    ShowRecorder shown;
    WindowDriver driver({"/l", "rus"});
    driver.Normalize(
        "ip access-list extended X\n permit tcp any object-group WEB eq 80\n"
        " deny ip any any",
        "object-group network WEB\n host 10.1.0.11\n host 10.1.0.12");
    driver.Click("objectsButton");
    driver.Click("reflectButton");
    driver.Click("namesButton");
    QCOMPARE(shown.All.size(), 3);
    QCOMPARE(shown.All[0].Caption, QString::fromUtf8("Объекты"));
    QVERIFY(shown.All[0].Text.startsWith("object-group network WEB\n host 10.1.0.11"));
    QCOMPARE(shown.All[1].Caption, QString::fromUtf8("Отражение"));
    QVERIFY(shown.All[1].Text.contains("permit tcp host 10.1.0.11 eq 80 any"));
    QCOMPARE(shown.All[2].Caption, QString::fromUtf8("имена портов и кодов ICMP"));
    QVERIFY(shown.All[2].Text.startsWith("Alias"));
    for (const Shown& each : shown.All) QVERIFY(each.Russian && each.FixedPitch);
  }
};

QTEST_MAIN(ResultRoutesTest)
#include "result_routes_test.moc"
