// The main window driven through its controls: start switches, normalisation
// with its questions, the checks and everything that shows their results.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextLayout>
#include <QtTest>
#include <deque>

#include "analysis_window.h"
#include "blinking_label.h"
#include "message_boxes.h"
#include "result_window.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using namespace kerbwise::ui::testing;

namespace {

// The verdict the strip shows level with line `line` of the condition pane.
QString VerdictBeside(WindowDriver& driver, int line) {
  QPlainTextEdit* pane = driver.Pane("conditionPane");
  QPlainTextEdit* strip = driver.Pane("verdictStrip");
  const QRect at = pane->cursorRect(QTextCursor(pane->document()->findBlockByNumber(line)));
  const int y = strip->viewport()->mapFromGlobal(pane->viewport()->mapToGlobal(at.center())).y();
  return strip->cursorForPosition(QPoint(1, y)).block().text();
}

// At its least size, no visible caption comes within a letter of its button's edges.
void CaptionsFit(QWidget& window) {
  window.resize(window.minimumSize());
  QApplication::processEvents();
  for (const QPushButton* button : window.findChildren<QPushButton*>()) {
    const QFontMetrics metrics = button->fontMetrics();
    QVERIFY2(!button->isVisible() || button->width() - metrics.horizontalAdvance(button->text()) >=
                                         2 * metrics.averageCharWidth(),
             qPrintable(button->text()));
  }
}

// The list buttons that are enabled, in a fixed order.
QString EnabledListButtons(WindowDriver& driver) {
  QStringList enabled;
  for (const char* button :
       {"nameButton", "objectsButton", "analysisButton", "sortButton", "reflectButton"}) {
    if (driver.Button(button)->isEnabled()) enabled << button;
  }
  return enabled.join(' ');
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startSwitchesReachTheWindow() {
    // How the switches read is the core's business; here they reach the window.
    ScriptedMessageBoxes boxes;
    WindowDriver driver({"/l", "rus", "/?", "/nm", "/pa", "unknown", "/pp", "/skipicmp"});
    QCOMPARE(driver.Button("directButton")->text(), QString::fromUtf8("Прямая проверка"));
    QCOMPARE(boxes.Shown().size(), std::size_t{1});  // the switches' help
    QVERIFY(driver.Find<QRadioButton>("netmaskButton")->isChecked());
    for (const char* box : {"partialAddressesBox", "partialPortsBox", "ignoreIcmpBox"}) {
      QVERIFY(driver.Find<QCheckBox>(box)->isChecked());
    }
  }

  void arrowButtonNormalisesTheSampleThenTheBundledExample() {
    WindowDriver driver;
    QApplication::setActiveWindow(&driver.Window());
    QTest::keyClick(&driver.Window(), Qt::Key_F5);  // the arrow button's shortcut
    QCOMPARE(driver.Text("listPane"), QString(" 10 permit ip any any"));
    QCOMPARE(driver.Text("sourcePane"), QString("10 permit ip any any"));
    QCOMPARE(driver.Window().windowTitle(), QString("Kerbwise: BlaBlaBla"));
    QVERIFY(!driver.Find("progressBar")->isVisible());

    driver.Normalize(ReadExample("sample-acl.txt"), ReadExample("objects.txt"));
    QVERIFY(driver.Text("listPane").contains("030 permit tcp any host 10.1.0.11 eq 8080"));
    QCOMPARE(EnabledListButtons(driver),
             QString("nameButton objectsButton analysisButton sortButton reflectButton"));
    QVERIFY(driver.Find<QCheckBox>("portsInSetBox")->isEnabled());
    QVERIFY(!driver.Find<QCheckBox>("anyPortOverlapBox")->isEnabled());
    driver.Find<QCheckBox>("portsInSetBox")->setChecked(false);
    QVERIFY(driver.Find<QCheckBox>("anyPortOverlapBox")->isEnabled());
  }

  // Over a list named OLD the numbering questions are asked under the new
  // list's caption; No, No leaves the list pane as it was. The questions'
  // texts and languages are the core's.
  void numberingQuestionsAndTheCaptionTheyAreAskedUnder() {
    struct Case {
      std::deque<bool> Answers;  // renumber?, then go on without optimising?
      QString Header, Caption, ListEnd, Enabled;
    };
    const QString named = "ip access-list extended NEW";
    const QList<Case> cases{
        {{true},
         named,
         "Kerbwise: NEW",
         " 30 deny ip any any",
         "nameButton analysisButton sortButton reflectButton"},
        {{false, false}, "", "Kerbwise", " 10 permit ip any any", ""},
        {{false, true}, "", "Kerbwise", " 20 deny ip any any", "reflectButton"},
    };
    for (const Case& c : cases) {
      ScriptedMessageBoxes boxes(c.Answers);
      WindowDriver driver;
      driver.Normalize("ip access-list extended OLD\npermit ip any any");
      QString captionWhenAsked;
      boxes.WhenAsked([&] { captionWhenAsked = driver.Window().windowTitle(); });
      driver.Normalize(c.Header +
                       "\n10 permit ip any any\n20 permit tcp any any\n20 deny ip any any");
      QCOMPARE(boxes.Shown().size(), c.Answers.size());
      QCOMPARE(captionWhenAsked, c.Caption);
      QVERIFY2(driver.Text("listPane").endsWith(c.ListEnd), qPrintable(driver.Text("listPane")));
      QCOMPARE(EnabledListButtons(driver), c.Enabled);
    }
  }

  void missingObjectShowsTheErrorLabelWithItsCopyMenu() {
    WindowDriver driver;
    driver.Normalize("permit ip any object-group <b>NOWHERE");
    auto* label = driver.Find<BlinkingLabel>("objectErrorLabel");
    QVERIFY(label->text().contains("<b>NOWHERE"));
    QCOMPARE(label->textFormat(), Qt::PlainText);  // a name is never markup
    QVERIFY(label->Blinking());
    QVERIFY(driver.Text("listPane").isEmpty());
    QVERIFY(driver.Text("sourcePane").contains("NOWHERE"));
    QTest::mousePress(label, Qt::LeftButton);
    auto* menu = label->findChild<QMenu*>();
    QVERIFY(menu && menu->isVisible());
    menu->actions().front()->trigger();
    menu->close();
    QCOMPARE(QApplication::clipboard()->text(), QString("<b>NOWHERE"));
  }

  // A match, an edit of the list, a failed check, a new list and a blocked
  // check: the panes, colours, markers and copy commands each leaves.
  void checkResultsFollowTheChecksAndTheList() {
    WindowDriver driver;
    driver.Normalize(kWebThenDeny);
    driver.Paste("conditionPane", "udp any any\ntcp any any eq 80");
    driver.Check("tcp any any eq 80");
    QCOMPARE(driver.Text("numberPane"), QString("1+ Match\n2- Match"));
    QCOMPARE(driver.Text("resultLine"),
             QString("Allowed at line 1: 10 permit tcp any any eq 80\nThere are other matches"));
    QVERIFY(driver.Find("markerImage")->isVisible());
    QCOMPARE(driver.Text("verdictStrip"), QString(" \n+"));

    const QString copied = "+  10 permit tcp any any eq 80\n-  20 deny ip any any\n";
    driver.Action("copyResultAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), copied);
    QApplication::clipboard()->clear();
    QTest::keyClick(driver.Pane("numberPane"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), copied);

    // Editing the list voids the markers and verdicts; the verdict line
    // stays until the next check or normalisation.
    const QString verdict = driver.Text("resultLine");
    driver.Paste("listPane", " 10 permit tcp any any eq 80\n 20 this is no entry");
    QVERIFY(driver.Text("numberPane").isEmpty());
    QVERIFY(driver.Text("verdictStrip").isEmpty());
    QVERIFY(!driver.Find("markerImage")->isVisible());
    QVERIFY(!driver.Action("showResultAction")->isEnabled());
    QCOMPARE(driver.Text("resultLine"), verdict);

    const auto noMarkers = [&] {
      QVERIFY(!driver.Find("markerImage")->isVisible());
      QVERIFY(!driver.Action("copyResultAction")->isEnabled());
    };
    driver.Check("udp any any");
    QCOMPARE(driver.Text("resultLine"),
             QString("Line: 20 this is no entry: The ACL is not recognized"));
    noMarkers();

    driver.Normalize("permit tcp any any eq 80");
    QVERIFY(driver.Text("resultLine").isEmpty());
    driver.Check("udp any any");
    QCOMPARE(driver.Text("resultLine"), QString("Blocked"));
    noMarkers();
  }

  void enterKeyTableInTheConditionPaneAndLine() {
    // The direct check finds no entry inside "tcp any any"; the reverse check does.
    const auto prepared = [] {
      WindowDriver driver;
      driver.Normalize("permit tcp host 1.1.1.1 any eq 22");
      driver.Paste("conditionPane", "tcp any any");
      driver.SetCondition("tcp any any");
      return driver;
    };
    const QString allowed = "Allowed at line 1: 10 permit tcp host 1.1.1.1 any eq 22";
    const QList<std::pair<Qt::KeyboardModifiers, QString>> cases{
        {Qt::NoModifier, "Blocked"},
        {Qt::AltModifier, "Blocked"},
        {Qt::ControlModifier, allowed},
        {Qt::ControlModifier | Qt::ShiftModifier, ""},  // empty: no check ran
    };
    for (const char* target : {"conditionPane", "conditionLine"}) {
      for (const auto& [modifiers, result] : cases) {
        WindowDriver driver = prepared();
        driver.Press(target, Qt::Key_Return, modifiers);
        QCOMPARE(driver.Text("resultLine"), result);
        const bool newLine =
            QString(target) == "conditionPane" && modifiers.testFlag(Qt::ShiftModifier);
        QCOMPARE(driver.Pane("conditionPane")->document()->blockCount(), newLine ? 2 : 1);
      }
      // The modifiers held when Enter went down count, and a release whose
      // press went elsewhere (it closed a message box) starts nothing.
      WindowDriver driver = prepared();
      QTest::keyRelease(driver.Find(target), Qt::Key_Return);
      QVERIFY(driver.Text("resultLine").isEmpty());
      QTest::keyPress(driver.Find(target), Qt::Key_Return, Qt::ControlModifier);
      QTest::keyRelease(driver.Find(target), Qt::Key_Return);
      QCOMPARE(driver.Text("resultLine"), allowed);
    }
  }

  void verdictStripFollowsTheConditions() {
    WindowDriver driver;
    driver.Normalize(kWebThenDeny);
    driver.Paste("conditionPane", "tcp any any eq 80\nudp any any\nicmp any any");
    for (int line : {0, 1}) {
      driver.PutCaretOn(line);
      driver.Press("conditionPane", Qt::Key_Return);
    }
    QCOMPARE(driver.Text("verdictStrip"), QString("+\n-\n "));
    QCOMPARE(driver.Find<QLineEdit>("conditionLine")->text(),
             QString("udp any any"));  // the caret's line
    // A key after an edit renews the strip (which verdicts stay is the
    // core's); an emptied pane matches nothing and forgets nothing.
    driver.Paste("conditionPane", "");
    driver.Press("conditionPane", Qt::Key_Home);
    QVERIFY(driver.Text("verdictStrip").isEmpty());
    driver.Paste("conditionPane", "udp any any");
    driver.Press("conditionPane", Qt::Key_Home);
    QCOMPARE(driver.Text("verdictStrip"), QString("-"));

    // At the end of a long pane each verdict stays level with its condition.
    QStringList conditions;  // wide enough for the pane's horizontal scroll bar
    for (int i = 0; i < 40; ++i) {
      conditions << QString("%1 host 10.0.0.%2 host 192.168.100.100 eq 80")
                        .arg(i % 2 == 0 ? "tcp" : "udp")
                        .arg(i);
    }
    driver.Paste("conditionPane", conditions.join('\n') + '\n');
    driver.Press("conditionPane", Qt::Key_End, Qt::ControlModifier);
    for (int i = 0; i < 6; ++i) {
      driver.Press("conditionPane", Qt::Key_Up);
      driver.Press("conditionPane", Qt::Key_Return);
    }
    QVERIFY(driver.Pane("conditionPane")->horizontalScrollBar()->isVisible());
    QVERIFY(driver.Pane("conditionPane")->verticalScrollBar()->value() > 0);
    for (int line = 34; line < 40; ++line) {
      QCOMPARE(VerdictBeside(driver, line), QString(line % 2 == 0 ? "+" : "-"));
    }
    QCOMPARE(VerdictBeside(driver, 33), QString(" "));  // not checked
    QCOMPARE(VerdictBeside(driver, 40), QString());     // the empty line after the last
  }

  void nameCopyMenuPutsTheThreeTexts() {
    WindowDriver driver;
    driver.Normalize("ip access-list extended R&D\n permit ip any any");
    driver.Click("nameButton");
    auto* menu = driver.Find<QMenu>("nameMenu");
    QVERIFY(menu->isVisible());
    for (const auto& [name, text] :
         {std::pair{"copyNameAction", "R&D"},
          std::pair{"copyAccessListAction", "ip access-list R&D"},
          std::pair{"copyExtendedAccessListAction", "ip access-list extended R&D"}}) {
      QAction* action = driver.Action(name);
      QCOMPARE(action->iconText(), QString("Copy \"%1\"").arg(text));  // as the menu shows it
      action->trigger();
      QCOMPARE(QApplication::clipboard()->text(), QString(text));
    }
    menu->close();
    // The menu names the kind of the list.
    driver.Normalize("ip access-list standard BRANCH\n permit 10.1.1.1");
    driver.Click("nameButton");
    driver.Action("copyExtendedAccessListAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("ip access-list standard BRANCH"));
    menu->close();
  }

  void longListScrollsTogetherAndShowsTheViewFrame() {
    WindowDriver driver;
    QStringList list;
    for (int i = 1; i <= 200; ++i) list << QString("permit tcp any any eq %1").arg(i);
    driver.Normalize(list.join('\n'));
    driver.Check("tcp any any eq 150");
    auto* frame = driver.Find<QFrame>("markerFrame");
    QVERIFY(frame->isVisible());
    const int topBefore = frame->y();
    driver.Pane("listPane")->verticalScrollBar()->setValue(120);
    QCOMPARE(driver.Pane("numberPane")->verticalScrollBar()->value(), 120);
    QVERIFY(frame->y() > topBefore);
    driver.Pane("numberPane")->verticalScrollBar()->setValue(40);
    QCOMPARE(driver.Pane("listPane")->verticalScrollBar()->value(), 40);
    // Double clicks widen the pane clicked in.
    QTest::mouseDClick(driver.Pane("numberPane")->viewport(), Qt::LeftButton);
    QVERIFY(driver.Pane("numberPane")->width() > driver.Pane("listPane")->width());
    QTest::mouseDClick(driver.Pane("listPane")->viewport(), Qt::LeftButton);
    QVERIFY(driver.Pane("numberPane")->width() < driver.Pane("listPane")->width());

    WindowDriver shortList;
    shortList.Normalize("permit ip any any");
    shortList.Check("ip any any");
    QVERIFY(shortList.Find("markerImage")->isVisible());
    QVERIFY(!shortList.Find<QFrame>("markerFrame")->isVisible());
  }

  // At the least size the verdict and its note fit the two lines, and every
  // caption of the main, result and analysis windows keeps a letter's room
  // each side, the long Russian ones too.
  void leastSizeFitsTheVerdictAndEveryCaption() {
    for (const QStringList& arguments : {QStringList{}, QStringList{"/l", "rus"}}) {
      ScriptedMessageBoxes boxes({false});
      WindowDriver least(arguments);
      least.Window().resize(least.Window().minimumSize());
      least.Normalize("permit tcp any host 10.1.0.10 eq www 443\ndeny ip any any");
      least.Check("tcp host 192.168.5.5 host 10.1.0.10 eq 443");
      QCOMPARE(least.Text("resultLine").count('\n'), 1);
      int laidOutLines = 0;
      for (QTextBlock block = least.Pane("resultLine")->document()->begin(); block.isValid();
           block = block.next()) {
        laidOutLines += block.layout()->lineCount();
      }
      QCOMPARE(laidOutLines, 2);
      CaptionsFit(least.Window());
      WhileShown<ResultWindow>([&] { least.Click("reflectButton"); }, CaptionsFit);
      least.Normalize("permit tcp any any\ndeny tcp host 10.0.0.1 any eq 80");
      WhileShown<AnalysisWindow>([&] { least.Click("analysisButton"); }, CaptionsFit);
      QCOMPARE(boxes.Shown().at(0).Text,
               arguments.isEmpty()
                   ? QString("There are conflicting rules. Show only them ?")
                   : QString::fromUtf8("Имеются конфликтующие правила. Показать только их ?"));
    }
  }

  void sampleTextGoesOnFirstFocusOnly() {
    WindowDriver driver;
    QApplication::setActiveWindow(&driver.Window());
    // The focus starts in the condition pane, so both samples are seen.
    QCOMPARE(QApplication::focusWidget(), driver.Find("conditionPane"));
    QVERIFY(driver.Text("objectPane").startsWith("object-group") &&
            driver.Text("sourcePane").startsWith("ip access-list"));
    driver.Pane("sourcePane")->setFocus();
    QVERIFY(driver.Text("sourcePane").isEmpty());
    driver.Paste("sourcePane", "mine");
    driver.Pane("objectPane")->setFocus();
    driver.Pane("sourcePane")->setFocus();
    QCOMPARE(driver.Text("sourcePane"), QString("mine"));
    QVERIFY(driver.Text("objectPane").isEmpty());
    driver.Pane("verdictStrip")->setFocus();  // the verdict strip passes the focus on
    QCOMPARE(QApplication::focusWidget(), driver.Find("conditionPane"));

    // Text that replaced the sample without a visit (dropped in) stays.
    WindowDriver dropped;
    QApplication::setActiveWindow(&dropped.Window());
    dropped.Paste("sourcePane", "dropped list");
    dropped.Pane("sourcePane")->setFocus();
    QCOMPARE(dropped.Text("sourcePane"), QString("dropped list"));
  }

  void paneLinesEndWhereTheCommandLineEndsThem() {
    WindowDriver driver;
    const QString remark = QString("remark a") + QChar(QChar::LineSeparator) + "b";
    driver.Normalize("ip access-list extended X\r\n " + remark + "\r permit ip any any\n");
    const QTextDocument* source = driver.Pane("sourcePane")->document();
    QCOMPARE(source->blockCount(), 2);
    QCOMPARE(source->firstBlock().text(), "10 " + remark);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
