// The Analysis button and the analysis window, driven from the main window.
#include "analysis_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPalette>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>
#include <functional>

#include "message_boxes.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using kerbwise::ui::testing::WindowDriver;

namespace {

// Heads 2 and 3 share member 1; with "ports in set" off, 4 is covered by 5
// with an incomplete set of ports.
const QString kGroups =
    "permit tcp host 10.0.0.1 any eq 80\n"
    "permit tcp 10.0.0.0 0.0.0.255 any\n"
    "permit tcp any any eq 80\n"
    "permit udp any any range 70 90\n"
    "permit udp any any range 80 100";

const QString kConflict =
    "permit tcp any any\n"
    "deny tcp host 10.0.0.1 any eq 80\n"
    "permit udp any any\n"
    "permit udp host 10.0.0.2 any";

const QString kObjects = "object-group network SRV\n host 10.0.0.1\n host 10.0.0.2";
const QString kFromGroup =
    "ip access-list extended E\n permit tcp object-group SRV any eq 80\n permit tcp any any eq 80";

const QColor kBlue(0, 0, 255);
const QColor kFuchsia(255, 0, 255);

template <typename T = QWidget>
T* Child(QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) qFatal("no control named %s", name);
  return found;
}

QTextEdit* Report(AnalysisWindow& w) { return Child<QTextEdit>(w, "redt1"); }
QTextEdit* Related(AnalysisWindow& w) { return Child<QTextEdit>(w, "redt2"); }
QStringList Lines(QTextEdit* pane) {
  return pane->toPlainText().isEmpty() ? QStringList() : pane->toPlainText().split('\n');
}

// The format of the character at `column` of line `line`.
QTextCharFormat FormatAt(QTextEdit* pane, int line, int column) {
  QTextCursor cursor(pane->document()->findBlockByNumber(line));
  cursor.setPosition(cursor.position() + column + 1);
  return cursor.charFormat();
}
QColor ColourAt(QTextEdit* pane, int line, int column) {
  return FormatAt(pane, line, column).foreground().color();
}

void PutCaret(QTextEdit* pane, int line, int column = 1) {
  QTextCursor cursor(pane->document()->findBlockByNumber(line));
  cursor.setPosition(cursor.position() + column);
  pane->setTextCursor(cursor);
}

void CtrlClick(QTextEdit* pane, int line) {
  QTextCursor cursor(pane->document()->findBlockByNumber(line));
  cursor.setPosition(cursor.position() + 3);
  QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    pane->cursorRect(cursor).center());
}

// Selects from the start of line `first` to the end of line `last`.
void SelectLines(QTextEdit* pane, int first, int last) {
  QTextCursor cursor(pane->document()->findBlockByNumber(first));
  const QTextBlock end = pane->document()->findBlockByNumber(last);
  cursor.setPosition(end.position() + end.length() - 1, QTextCursor::KeepAnchor);
  pane->setTextCursor(cursor);
}

void Trigger(AnalysisWindow& w, const char* action) { Child<QAction>(w, action)->trigger(); }
QString Clipboard() { return QApplication::clipboard()->text(); }

// Opens the report pane's menu and reads whether "Hide the derived lines" is offered.
bool HideOffered(AnalysisWindow& w) {
  emit Report(w)->customContextMenuRequested(QPoint(2, 2));
  Child<QMenu>(w, "PopupMenu1")->hide();
  return Child<QAction>(w, "N5")->isEnabled();
}

}  // namespace

class AnalysisWindowTest : public QObject {
  Q_OBJECT

  // Normalises `list`, presses Analysis and runs `look` while the window is open.
  bool Analyse(WindowDriver& driver, const QString& list, std::function<void(AnalysisWindow&)> look,
               const QString& objects = {}) {
    bool opened = false;
    AnalysisWindow::SetShowHook([&](AnalysisWindow& window) {
      opened = true;
      look(window);
    });
    driver.Normalize(list, objects);
    driver.Click("Button4");
    AnalysisWindow::SetShowHook(nullptr);
    return opened;
  }

 private slots:
  void cleanup() { AnalysisWindow::SetShowHook(nullptr); }

  void reportStylesAndRelatedLinesColouredByGroup() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    driver.Find<QCheckBox>("PortsInSet")->setChecked(false);
    const bool opened = Analyse(driver, kGroups, [](AnalysisWindow& w) {
      QTextEdit* report = Report(w);
      QCOMPARE(Lines(report), QStringList({" 1: 10 permit tcp host 10.0.0.1 any eq 80",
                                           "2: 20 permit tcp 10.0.0.0 0.0.0.255 any",
                                           "3: 30 permit tcp any any eq 80",
                                           " 4: 40 permit udp any any range 70 90",
                                           "5: 50 permit udp any any range 80 100"}));
      QCOMPARE(FormatAt(report, 1, 3).fontWeight(), QFont::Bold);
      QCOMPARE(FormatAt(report, 0, 3).fontWeight(), QFont::Normal);
      QVERIFY(FormatAt(report, 3, 3).fontItalic());
      QVERIFY(Lines(Related(w)).isEmpty());
      QVERIFY(!Child<QAction>(w, "N6")->isEnabled());

      // Ctrl+click on the member: it and both heads; its text after the
      // indentation in two halves, each head whole in its column's colour.
      CtrlClick(report, 0);
      QTextEdit* related = Related(w);
      QCOMPARE(Lines(related), QStringList({" 1: 10 permit tcp host 10.0.0.1 any eq 80",
                                            "2: 20 permit tcp 10.0.0.0 0.0.0.255 any",
                                            "3: 30 permit tcp any any eq 80"}));
      QVERIFY(FormatAt(report, 0, 3).fontUnderline());
      QVERIFY(FormatAt(related, 0, 3).fontUnderline());
      QCOMPARE(ColourAt(related, 0, 2), kBlue);
      QCOMPARE(ColourAt(related, 0, 40), kFuchsia);
      QCOMPARE(ColourAt(related, 1, 0), kBlue);
      QCOMPARE(ColourAt(related, 2, 0), kFuchsia);
      QVERIFY(Child<QAction>(w, "N6")->isEnabled());

      // Enter on the head of the incomplete member: the report's colours and
      // underline move with the selection.
      PutCaret(report, 4);
      QTest::keyClick(report, Qt::Key_Return);
      QCOMPARE(Lines(related), QStringList({" 4: 40 permit udp any any range 70 90",
                                            "5: 50 permit udp any any range 80 100"}));
      QVERIFY(FormatAt(related, 0, 3).fontItalic());
      QVERIFY(!FormatAt(report, 0, 3).fontUnderline());
      QCOMPARE(ColourAt(report, 0, 40), report->palette().color(QPalette::Text));

      // The same line again changes nothing; toggling the hierarchical view
      // rebuilds, ordered by level.
      related->clear();
      CtrlClick(report, 4);
      QVERIFY(related->toPlainText().isEmpty());
      Child<QCheckBox>(w, "chk1")->setChecked(true);
      QCOMPARE(Lines(related), QStringList({"5: 50 permit udp any any range 80 100",
                                            " 4: 40 permit udp any any range 70 90"}));

      // A click in the related pane scrolls the report towards that line.
      w.resize(w.minimumSize());
      QTRY_VERIFY(report->verticalScrollBar()->maximum() > 0);
      report->verticalScrollBar()->setValue(0);
      PutCaret(related, 1);
      QTest::mouseClick(related->viewport(), Qt::LeftButton, {}, related->cursorRect().center());
      QVERIFY(report->verticalScrollBar()->value() > 0);
    });
    QVERIFY(opened);
    QVERIFY(boxes.Shown().empty());
    QVERIFY(driver.Find<QProgressBar>("ProgressBar1")->isHidden());
    QCOMPARE(driver.Text("Memo6"), QString("1\n2\n3\n4\n5"));
  }

  void conflictQuestionAnsweredBothWays() {
    for (const bool onlyConflicts : {false, true}) {
      ScriptedMessageBoxes boxes({onlyConflicts});
      WindowDriver driver;
      bool blinked = false;
      AnalysisWindow* seen = nullptr;
      QVERIFY(Analyse(driver, kConflict, [&](AnalysisWindow& w) {
        seen = &w;
        QCOMPARE(Lines(Report(w)).size(), onlyConflicts ? 2 : 4);
        QCOMPARE(w.TitleBlinking(), onlyConflicts);
        if (onlyConflicts) {
          QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QString("Result: CONFLICTS ONLY"), 1000);
          QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QString("Result"), 1000);
          blinked = true;
        }
      }));
      QCOMPARE(boxes.Shown().size(), std::size_t{1});
      QCOMPARE(boxes.Shown()[0].Text, QString("There are conflicting rules. Show only them ?"));
      QVERIFY(boxes.Shown()[0].Title.isEmpty());
      QCOMPARE(blinked, onlyConflicts);
      QVERIFY(!seen->TitleBlinking());  // closing stops it
      QCOMPARE(seen->windowTitle(), QString("Result"));
    }
  }

  void errorReportAndNoExcessBox() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    QVERIFY(!Analyse(driver, "permit tcp any any\npermit tcp 10.0.0.0 255.0.0.0 any",
                     [](AnalysisWindow&) {}));
    QCOMPARE(driver.Text("mmo1"),
             QString("Line: 20 permit tcp 10.0.0.0 255.0.0.0 any: Wrong combination of src "
                     "address and mask in the ACL\nIt should be fixed this address to 0.0.0.0 "
                     "or mask to 245.0.0.0"));
    QCOMPARE(driver.Pane("mmo1")->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::ToolTipBase));
    QVERIFY(boxes.Shown().empty());

    QVERIFY(!Analyse(driver, "permit tcp any any\npermit udp any any", [](AnalysisWindow&) {}));
    QVERIFY(driver.Text("mmo1").isEmpty());
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QCOMPARE(boxes.Shown()[0].Title, QString("All is ok !"));
    QCOMPARE(boxes.Shown()[0].Text, QString("There are no excess or conflicting rules"));
  }

  // The run lets window messages through; no key may start a check inside it.
  void noCheckStartsWhileTheAnalysisRuns() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    driver.SetCondition("tcp host 10.0.0.1 any eq 80");
    driver.Paste("Memo7", "tcp host 10.0.0.1 any eq 80");
    boxes.WhenAsked([&] {  // the conflict question comes in the middle of the run
      for (const Qt::KeyboardModifiers modifiers :
           {Qt::KeyboardModifiers{}, Qt::KeyboardModifiers{Qt::AltModifier},
            Qt::KeyboardModifiers{Qt::ControlModifier}, Qt::ControlModifier | Qt::AltModifier}) {
        for (const char* pane : {"edt1", "Memo7"}) {
          driver.Press(pane, Qt::Key_Return, modifiers);
          QVERIFY(driver.Text("mmo1").isEmpty() && driver.Text("Memo3").isEmpty());
        }
      }
    });
    Analyse(driver, kConflict, [](AnalysisWindow&) {});
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QCOMPARE(driver.Text("Memo6"), QString("1\n2\n3\n4"));
    driver.Press("edt1", Qt::Key_Return);  // and once it is over, they do again
    QVERIFY(driver.Text("mmo1").startsWith("Allowed"));
  }

  void copyCommandsAndTheNotice() {
    ScriptedMessageBoxes boxes({false});
    WindowDriver driver;
    QVERIFY(Analyse(driver, kGroups, [&](AnalysisWindow& w) {
      QTextEdit* report = Report(w);
      Trigger(w, "N1");
      QCOMPARE(Clipboard(), QString("10 permit tcp host 10.0.0.1 any eq 80\n"
                                    "20 permit tcp 10.0.0.0 0.0.0.255 any\n"
                                    "30 permit tcp any any eq 80\n"));
      SelectLines(report, 0, 2);
      Trigger(w, "N2");
      QCOMPARE(Clipboard(), QString("no permit tcp host 10.0.0.1 any eq 80\n"
                                    "no permit tcp 10.0.0.0 0.0.0.255 any\n"
                                    "no permit tcp any any eq 80\n"));
      Trigger(w, "N3");
      QCOMPARE(Clipboard(), QString("no permit tcp host 10.0.0.1 any eq 80\n"));
      PutCaret(report, 1);
      Trigger(w, "N4");
      QCOMPARE(Clipboard(), QString());
      CtrlClick(report, 2);
      PutCaret(Related(w), 0);
      Trigger(w, "N7");
      QCOMPARE(Clipboard(), QString("no permit tcp host 10.0.0.1 any eq 80\n"));
      Trigger(w, "N6");
      QCOMPARE(Clipboard(), QString("10 permit tcp host 10.0.0.1 any eq 80\n"
                                    "30 permit tcp any any eq 80\n"));
      QTest::mouseClick(Child<QAbstractButton>(w, "Button1"), Qt::LeftButton);
      QVERIFY(!w.isVisible());
      QCOMPARE(Clipboard(), QString("10 permit tcp host 10.0.0.1 any eq 80\n"
                                    "20 permit tcp 10.0.0.0 0.0.0.255 any\n"
                                    "30 permit tcp any any eq 80\n"
                                    "---------------\n"
                                    "10 permit tcp host 10.0.0.1 any eq 80\n"
                                    "30 permit tcp any any eq 80\n"));
    }));

    // Entries made from an object group are not copied; the notice is asked
    // until the user answers No, then not again in this run.
    QVERIFY(Analyse(
        driver, kFromGroup,
        [&](AnalysisWindow& w) {
          SelectLines(Report(w), 0, 2);
          Trigger(w, "N2");
          QCOMPARE(Clipboard(), QString("no permit tcp any any eq 80\n"));
          QVERIFY(w.DontNotify());
          Trigger(w, "N2");
        },
        kObjects));
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QCOMPARE(boxes.Shown()[0].Text,
             QString("Rules whose numbers begin with \"0\" will not be copied.\nNotify in the "
                     "future?"));
    QVERIFY(Analyse(
        driver, kFromGroup,
        [&](AnalysisWindow& w) {
          SelectLines(Report(w), 0, 1);
          Trigger(w, "N2");
        },
        kObjects));
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
  }

  void hidingAGroupAndWhenTheMenuOffersIt() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    QVERIFY(Analyse(driver, kGroups, [](AnalysisWindow& w) {
      QTextEdit* report = Report(w);
      PutCaret(report, 0);
      QVERIFY(!HideOffered(w));
      PutCaret(report, 2);
      QVERIFY(HideOffered(w));
      QTest::keyClick(report, Qt::Key_C, Qt::ControlModifier);  // any key with Ctrl held
      QCOMPARE(Lines(Related(w)).size(), 2);
      Trigger(w, "N5");
      // Head 3 leaves with its group; member 1 stays in head 2's group.
      QCOMPARE(Lines(report), QStringList({" 1: 10 permit tcp host 10.0.0.1 any eq 80",
                                           "2: 20 permit tcp 10.0.0.0 0.0.0.255 any"}));
      QVERIFY(Related(w)->toPlainText().isEmpty());
      QCOMPARE(w.SelectedLine(), -1);
      QVERIFY(!Child<QAction>(w, "N7")->isEnabled());
      CtrlClick(report, 0);
      QCOMPARE(Lines(Related(w)).size(), 2);
      QCOMPARE(ColourAt(Related(w), 1, 0), kBlue);
    }));
  }

  void russianTexts() {
    ScriptedMessageBoxes boxes({false});
    WindowDriver driver({"/l", "rus"});
    QVERIFY(Analyse(driver, kConflict, [](AnalysisWindow& w) {
      QCOMPARE(Child<QAbstractButton>(w, "Button1")->text(), QString("Скопировать всё и закрыть"));
      QCOMPARE(Child<QAbstractButton>(w, "chk1")->text(), QString("Иерархический вид"));
      QCOMPARE(Child<QAction>(w, "N3")->text(),
               QString("Скопировать с префиксом \"no \" избыточные правила"));
      QVERIFY(Child<QAction>(w, "N3")->isChecked());
      QCOMPARE(Child<QAction>(w, "N5")->text(), QString("Скрыть производные этого вхождения"));
    }));
    QCOMPARE(boxes.Shown()[0].Text, QString("Имеются конфликтующие правила. Показать только их ?"));
  }
};

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
