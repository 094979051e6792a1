// The Analysis button and the analysis window, driven from the main window.
// What the report and its commands hold is the core's (tests/analysis); these
// tests prove the window shows it and routes every key, click and menu.
#include "analysis_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>
#include <functional>

#include "message_boxes.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using kerbwise::ui::testing::Child;
using kerbwise::ui::testing::WhileShown;
using kerbwise::ui::testing::WindowDriver;

namespace {

// Heads 2 and 3 share member 1; with "ports in set" off, 4 is covered by 5
// with an incomplete set of ports.
const QString kGroups =
    "permit tcp host 10.0.0.1 any eq 80\npermit tcp 10.0.0.0 0.0.0.255 any\n"
    "permit tcp any any eq 80\npermit udp any any range 70 90\npermit udp any any range 80 100";
const QString kLine1 = "10 permit tcp host 10.0.0.1 any eq 80";
const QString kLine2 = "20 permit tcp 10.0.0.0 0.0.0.255 any";
const QString kLine3 = "30 permit tcp any any eq 80";
const QString kNo1 = "no permit tcp host 10.0.0.1 any eq 80";

const QString kConflict =
    "permit tcp any any\ndeny tcp host 10.0.0.1 any eq 80\npermit udp any any\n"
    "permit udp host 10.0.0.2 any";

QStringList Lines(QPlainTextEdit* pane) {
  return pane->toPlainText().isEmpty() ? QStringList() : pane->toPlainText().split('\n');
}
QString Joined(const QStringList& lines) { return lines.isEmpty() ? "" : lines.join('\n') + '\n'; }

// The format of the character at `column` of line `line`.
QTextCharFormat FormatAt(QPlainTextEdit* pane, int line, int column) {
  QTextCursor cursor(pane->document()->findBlockByNumber(line));
  cursor.setPosition(cursor.position() + column + 1);
  return cursor.charFormat();
}

// Puts the caret on `line`, or selects from its start to the end of `last`.
void PutCaret(QPlainTextEdit* pane, int line, int column = 1, int last = -1) {
  QTextCursor cursor(pane->document()->findBlockByNumber(line));
  cursor.setPosition(cursor.position() + column);
  if (last >= 0) {
    const QTextBlock end = pane->document()->findBlockByNumber(last);
    cursor.setPosition(end.position() + end.length() - 1, QTextCursor::KeepAnchor);
  }
  pane->setTextCursor(cursor);
}

void CtrlClick(QPlainTextEdit* pane, int line) {
  PutCaret(pane, line, 3);
  QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    pane->cursorRect().center());
}

// Normalises `list`, presses Analysis and runs `look` while the window is
// open; whether it opened.
bool Analyse(WindowDriver& driver, const QString& list,
             const std::function<void(AnalysisWindow&)>& look, const QString& objects = {}) {
  bool opened = false;
  driver.Normalize(list, objects);
  const auto seen = [&](AnalysisWindow& w) {
    opened = true;
    look(w);
  };
  WhileShown<AnalysisWindow>([&] { driver.Click("analysisButton"); }, seen);
  return opened;
}

// Triggers a menu command and reads what it left on the clipboard.
QString Copied(AnalysisWindow& w, const char* action) {
  Child<QAction>(w, action)->trigger();
  return QApplication::clipboard()->text();
}

}  // namespace

class AnalysisWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void reportStylesAndRelatedLinesColouredByGroup() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    driver.Find<QCheckBox>("portsInSetBox")->setChecked(false);
    QVERIFY(Analyse(driver, kGroups, [](AnalysisWindow& w) {
      QPlainTextEdit* report = Child<QPlainTextEdit>(w, "reportPane");
      QPlainTextEdit* related = Child<QPlainTextEdit>(w, "relatedPane");
      const QString line4 = " 4: 40 permit udp any any range 70 90";
      const QString line5 = "5: 50 permit udp any any range 80 100";
      QCOMPARE(Lines(report),
               QStringList({" 1: " + kLine1, "2: " + kLine2, "3: " + kLine3, line4, line5}));
      QCOMPARE(FormatAt(report, 1, 3).fontWeight(), QFont::Bold);
      QCOMPARE(FormatAt(report, 0, 3).fontWeight(), QFont::Normal);
      QVERIFY(FormatAt(report, 3, 3).fontItalic());
      QVERIFY(!Child<QAction>(w, "relatedCopyAllAction")->isEnabled());

      // Ctrl+click on the member of two groups: it and both heads, underlined
      // in both panes.
      CtrlClick(report, 0);
      QCOMPARE(Lines(related), QStringList({" 1: " + kLine1, "2: " + kLine2, "3: " + kLine3}));
      QVERIFY(FormatAt(report, 0, 3).fontUnderline() && FormatAt(related, 0, 3).fontUnderline());
      QVERIFY(Child<QAction>(w, "relatedCopyAllAction")->isEnabled());

      // Enter on another line: the report's underline follows.
      PutCaret(report, 4);
      QTest::keyClick(report, Qt::Key_Return);
      QCOMPARE(Lines(related), QStringList({line4, line5}));
      QVERIFY(FormatAt(related, 0, 3).fontItalic());
      QVERIFY(!FormatAt(report, 0, 3).fontUnderline());

      // The same line again changes nothing; toggling the hierarchical view
      // rebuilds, ordered by level.
      related->clear();
      CtrlClick(report, 4);
      QVERIFY(related->toPlainText().isEmpty());
      Child<QCheckBox>(w, "hierarchicalBox")->setChecked(true);
      QCOMPARE(Lines(related), QStringList({line5, line4}));

      // A click in the related pane scrolls the report to that line.
      w.resize(w.minimumSize());
      QTRY_VERIFY(report->verticalScrollBar()->maximum() > 0);
      report->verticalScrollBar()->setValue(0);
      PutCaret(related, 1);
      QTest::mouseClick(related->viewport(), Qt::LeftButton, {}, related->cursorRect().center());
      QVERIFY(report->verticalScrollBar()->value() > 0);
    }));
    QVERIFY(boxes.Shown().empty());
    QVERIFY(driver.Find<QProgressBar>("progressBar")->isHidden());
    QCOMPARE(driver.Text("numberPane"), QString("1\n2\n3\n4\n5"));
  }

  // A run ends in the window (all lines, or the conflicts only with a blinking
  // title) or in the error in the result line. The box saying all is well is
  // in exact_results_test, which waits for the exact run after it.
  void runOutcomes() {
    const QString question = "|There are conflicting rules. Show only them ?";  // title|text
    const struct {
      QString list;
      bool onlyConflicts;
      int reportLines;  // -1: the window does not open
      QString box, resultLine;
    } rows[] = {
        {kConflict, false, 4, question, ""},
        {kConflict, true, 2, question, ""},
        {"permit tcp any any\npermit tcp 10.0.0.0 255.0.0.0 any", false, -1, "",
         "Line: 20 permit tcp 10.0.0.0 255.0.0.0 any: Wrong combination of src address and mask "
         "in the ACL\nIt should be fixed this address to 0.0.0.0 or mask to 245.0.0.0"},
    };
    for (const auto& row : rows) {
      ScriptedMessageBoxes boxes({row.onlyConflicts});
      WindowDriver driver;
      int shownLines = -1;
      AnalysisWindow* seen = nullptr;
      Analyse(driver, row.list, [&](AnalysisWindow& w) {
        seen = &w;
        shownLines = static_cast<int>(Lines(Child<QPlainTextEdit>(w, "reportPane")).size());
        QCOMPARE(w.TitleBlinking(), row.onlyConflicts);
        if (row.onlyConflicts) QTRY_COMPARE(w.windowTitle(), QString("Result: CONFLICTS ONLY"));
      });
      QCOMPARE(shownLines, row.reportLines);
      QVERIFY(seen == nullptr || !seen->TitleBlinking());  // closing stops it
      const auto& shown = boxes.Shown();
      QCOMPARE(shown.empty() ? QString() : shown[0].Title + '|' + shown[0].Text, row.box);
      QCOMPARE(driver.Text("resultLine"), row.resultLine);
    }
  }

  // The run lets window messages through; no key may start a check inside it.
  void noCheckStartsWhileTheAnalysisRuns() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    driver.SetCondition("tcp host 10.0.0.1 any eq 80");
    driver.Paste("conditionPane", "tcp host 10.0.0.1 any eq 80");
    boxes.WhenAsked([&] {  // the conflict question comes in the middle of the run
      for (const Qt::KeyboardModifiers modifiers :
           QList<Qt::KeyboardModifiers>{Qt::NoModifier, Qt::AltModifier, Qt::ControlModifier,
                                        Qt::ControlModifier | Qt::AltModifier}) {
        for (const char* pane : {"conditionLine", "conditionPane"}) {
          driver.Press(pane, Qt::Key_Return, modifiers);
          QVERIFY(driver.Text("resultLine").isEmpty() && driver.Text("verdictStrip").isEmpty());
        }
      }
      QVERIFY(!driver.Window().close());  // nor does the window close under the run
    });
    Analyse(driver, kConflict, [](AnalysisWindow&) {});
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QCOMPARE(driver.Text("numberPane"), QString("1\n2\n3\n4"));
    driver.Press("conditionLine", Qt::Key_Return);  // and once it is over, they do again
    QVERIFY(driver.Text("resultLine").startsWith("Allowed"));
  }

  void copyCommandsAndTheNotice() {
    ScriptedMessageBoxes boxes({false});
    WindowDriver driver;
    QVERIFY(Analyse(driver, kGroups, [&](AnalysisWindow& w) {
      QPlainTextEdit* report = Child<QPlainTextEdit>(w, "reportPane");
      QCOMPARE(Copied(w, "copyAllAction"), Joined({kLine1, kLine2, kLine3}));
      PutCaret(report, 0, 0, 2);
      QCOMPARE(Copied(w, "copyNoAction"), Joined({kNo1, "no permit tcp 10.0.0.0 0.0.0.255 any",
                                                  "no permit tcp any any eq 80"}));
      PutCaret(report, 1, 0);  // a caret at a line's very start takes no line
      QCOMPARE(Copied(w, "copyNoAction"), QString());
      CtrlClick(report, 2);
      PutCaret(Child<QPlainTextEdit>(w, "relatedPane"), 0);
      QCOMPARE(Copied(w, "relatedCopyNoAction"), Joined({kNo1}));
      QCOMPARE(Copied(w, "relatedCopyAllAction"), Joined({kLine1, kLine3}));
      QTest::mouseClick(Child<QAbstractButton>(w, "copyAllCloseButton"), Qt::LeftButton);
      QVERIFY(!w.isVisible());
      QCOMPARE(QApplication::clipboard()->text(),
               Joined({kLine1, kLine2, kLine3, "---------------", kLine1, kLine3}));
    }));

    // Entries made from an object group are not copied; the notice is asked
    // until the user answers No, then not again in this run.
    for (int run = 0; run < 2; ++run) {
      QVERIFY(Analyse(
          driver,
          "ip access-list extended E\n permit tcp object-group SRV any eq 80\n"
          " permit tcp any any eq 80",
          [&](AnalysisWindow& w) {
            PutCaret(Child<QPlainTextEdit>(w, "reportPane"), 0, 0, 2);
            QCOMPARE(Copied(w, "copyNoAction"), Joined({"no permit tcp any any eq 80"}));
          },
          "object-group network SRV\n host 10.0.0.1\n host 10.0.0.2"));
    }
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QVERIFY(boxes.Shown()[0].Text.startsWith("Rules whose numbers begin with \"0\""));
  }

  // The counters' marks follow the report lines, outside the group colours
  // and the copies.
  void hitMarksFollowTheReportLines() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    QVERIFY(Analyse(
        driver,
        "Extended IP access list T\n    10 permit tcp any any (0 matches)\n"
        "    20 permit tcp host 10.0.0.1 any (5 matches)",
        [](AnalysisWindow& w) {
          QPlainTextEdit* report = Child<QPlainTextEdit>(w, "reportPane");
          const QString mark = " [5 hits, though an earlier entry covers it]";
          QCOMPARE(Lines(report), QStringList({"1: 10 permit tcp any any [no hits]",
                                               " 2: 20 permit tcp host 10.0.0.1 any" + mark}));
          CtrlClick(report, 1);
          const int markStart = static_cast<int>(Lines(report)[1].indexOf(" ["));
          QVERIFY(FormatAt(report, 1, markStart - 2).foreground() !=
                  FormatAt(report, 1, markStart + 2).foreground());
          QCOMPARE(Copied(w, "copyAllAction"),
                   Joined({"10 permit tcp any any", "20 permit tcp host 10.0.0.1 any"}));
          // The copies are read from the pane, whose marks keep their language.
          w.SetLanguage(kerbwise::Language::Russian);
          PutCaret(report, 0, 2, 1);
          QCOMPARE(Copied(w, "copyNoAction"),
                   Joined({"no permit tcp any any", "no permit tcp host 10.0.0.1 any"}));
        }));
  }

  void hidingAGroupAndWhenTheMenuOffersIt() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    QVERIFY(Analyse(driver, kGroups, [](AnalysisWindow& w) {
      QPlainTextEdit* report = Child<QPlainTextEdit>(w, "reportPane");
      QPlainTextEdit* related = Child<QPlainTextEdit>(w, "relatedPane");
      for (const auto& [line, offered] : {std::pair{0, false}, std::pair{2, true}}) {
        PutCaret(report, line);
        emit report->customContextMenuRequested(QPoint(2, 2));
        Child<QMenu>(w, "reportMenu")->hide();
        QCOMPARE(Child<QAction>(w, "hideDerivedAction")->isEnabled(), offered);
      }
      QTest::keyClick(report, Qt::Key_C, Qt::ControlModifier);  // any key with Ctrl held
      QCOMPARE(Lines(related).size(), 2);
      Child<QAction>(w, "hideDerivedAction")->trigger();
      // Head 3 leaves with its group; member 1 stays in head 2's group.
      QCOMPARE(Lines(report), QStringList({" 1: " + kLine1, "2: " + kLine2}));
      QVERIFY(related->toPlainText().isEmpty());
      QCOMPARE(w.SelectedLine(), -1);
      QVERIFY(!Child<QAction>(w, "relatedCopyNoAction")->isEnabled());
    }));
  }
};

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
