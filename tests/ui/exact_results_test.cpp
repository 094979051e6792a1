// The exact answers on the desktop: the analysis window's exact section and
// the Compare window, driven from the main window. What the engine finds is
// the core's (tests/packets); these prove the windows start the runs without
// waiting, fill in when they end, and route the clicks and copies.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <optional>

#include "analysis_window.h"
#include "compare_window.h"
#include "message_boxes.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using kerbwise::ui::testing::Child;
using kerbwise::ui::testing::WhileShown;
using kerbwise::ui::testing::WindowDriver;

namespace {

// How long a run on a tiny list may take on a busy machine.
constexpr int kRunMs = 30'000;

// The third entry lies inside the union of the first two, in neither alone,
// and says the opposite of them.
const QString kUnion =
    "ip access-list extended EDGE\n"
    " permit tcp 10.0.0.0 0.0.0.127 any\n"
    " permit tcp 10.0.0.128 0.0.0.127 any\n"
    " deny tcp 10.0.0.0 0.0.0.255 any eq 80\n"
    " permit udp any any\n";
const QString kUnionEntry3 = "3: 30 deny tcp 10.0.0.0 0.0.0.255 any eq 80";

// The texts of a tree item's children, each one's columns joined by " | ".
QStringList Children(const QTreeWidgetItem* item) {
  QStringList rows;
  for (int i = 0; i < item->childCount(); ++i) {
    QStringList columns;
    for (int column = 0; column < item->child(i)->columnCount(); ++column) {
      columns << item->child(i)->text(column);
    }
    rows << columns.join(" | ");
  }
  return rows;
}

QString Status(const QWidget& window, const char* label) {
  return Child<QLabel>(window, label)->text();
}

// The Compare window's sections, each heading followed by its first example
// as "protocol from | old entry | new entry".
QStringList Difference(const CompareWindow& w) {
  const auto* tree = Child<QTreeWidget>(w, "differenceTree");
  QStringList rows;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* section = tree->topLevelItem(i);
    rows << section->text(0);
    if (const QTreeWidgetItem* example = section->child(0)) {
      rows << example->text(0).section(' ', 0, 1) + " | " + example->text(1) + " | " +
                  example->text(2);
    }
  }
  return rows;
}

}  // namespace

class ExactResultsTest : public QObject {
  Q_OBJECT

 private slots:
  // No pair of entries relates: the box says all is well, and the window
  // follows, its report empty, only when the exact run that ends later finds
  // an entry (here the third, shadowed by the first two together).
  void allIsWellThenTheWindowOnlyWhenTheExactRunFindsSomething() {
    // Presses Analysis on `list` and lets the exact run end: whether the
    // window opened then (none when the run did not end).
    const auto opened = [](WindowDriver& driver, const QString& list,
                           const std::function<void(AnalysisWindow&)>& look) {
      driver.Normalize(list);
      bool shown = false;
      AnalysisWindow::SetShowHook([&](AnalysisWindow& w) {
        shown = true;
        look(w);
      });
      driver.Click("analysisButton");
      const auto* window = driver.Find<AnalysisWindow>("analysisWindow");
      const bool ended = QTest::qWaitFor([&] { return !window->ExactRunWorking(); }, kRunMs);
      (void)QTest::qWaitFor([&] { return shown; }, 500);  // the opening is queued after the answer
      AnalysisWindow::SetShowHook(nullptr);
      return ended ? std::optional(shown) : std::nullopt;
    };
    const auto onlyAllIsWell = [](const ScriptedMessageBoxes& boxes) {
      const std::vector<ShownMessage>& shown = boxes.Shown();
      return shown.size() == 1 && shown[0].Title == "All is ok !" &&
             shown[0].Text == "There are no excess or conflicting rules";
    };

    {  // A third entry beside the first two, permitting: nothing more after the box.
      ScriptedMessageBoxes boxes;
      WindowDriver driver;
      const QString beside =
          QString(kUnion).replace("deny tcp 10.0.0.0 0.0.0.255", "permit tcp 10.0.1.0 0.0.0.255");
      QVERIFY(opened(driver, beside, [](AnalysisWindow&) {}) == std::optional(false));
      QVERIFY(onlyAllIsWell(boxes));
    }

    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    const auto look = [&](AnalysisWindow& w) {
      QVERIFY(onlyAllIsWell(boxes));
      QVERIFY(Child<QPlainTextEdit>(w, "reportPane")->toPlainText().isEmpty());
      QCOMPARE(Status(w, "exactStatus"), QString());
      auto* tree = Child<QTreeWidget>(w, "exactTree");
      QCOMPARE(tree->topLevelItemCount(), 2);

      const QTreeWidgetItem* unreached = tree->topLevelItem(0);
      QCOMPARE(unreached->text(0), QString("Entries no packet reaches"));
      QCOMPARE(Children(unreached), QStringList({kUnionEntry3 + " | conflict"}));
      QCOMPARE(Children(unreached->child(0)),
               QStringList({"1: 10 permit tcp 10.0.0.0 0.0.0.127 any | covers it",
                            "2: 20 permit tcp 10.0.0.128 0.0.0.127 any | covers it"}));
      QCOMPARE(Children(tree->topLevelItem(1)), QStringList({kUnionEntry3 + " | "}));

      // A click on a covering entry selects it in the list pane.
      const QTreeWidgetItem* cover = unreached->child(0)->child(1);
      tree->scrollToItem(cover);
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(cover).center());
      QCOMPARE(driver.Pane("listPane")->textCursor().selectedText().trimmed(),
               QString("20 permit tcp 10.0.0.128 0.0.0.127 any"));

      QTest::mouseClick(Child<QAbstractButton>(w, "copyRemovableButton"), Qt::LeftButton);
      QCOMPARE(QApplication::clipboard()->text(),
               QString("no deny tcp 10.0.0.0 0.0.0.255 any eq 80\n"));
    };
    QVERIFY(opened(driver, kUnion, look) == std::optional(true));
  }

  // A pair the report shows too: a click on the covering entry puts the
  // report's caret on its line and shows the lines related to it.
  void aClickFindsTheEntryInTheReport() {
    ScriptedMessageBoxes boxes({false});  // not only the conflicts
    WindowDriver driver;
    driver.Normalize("permit tcp any any\ndeny tcp host 10.0.0.1 any eq 80");
    WhileShown<AnalysisWindow>(
        [&] { driver.Click("analysisButton"); },
        [&](AnalysisWindow& w) {
          // The window does not wait for the exact run; its section fills in later.
          QCOMPARE(Status(w, "exactStatus"), QString("working…"));
          auto* tree = Child<QTreeWidget>(w, "exactTree");
          QTRY_VERIFY_WITH_TIMEOUT(tree->topLevelItemCount() == 2, kRunMs);
          const QTreeWidgetItem* cover = tree->topLevelItem(0)->child(0)->child(0);
          QCOMPARE(cover->text(0), QString("1: 10 permit tcp any any"));
          QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                            tree->visualItemRect(cover).center());
          QCOMPARE(Child<QPlainTextEdit>(w, "reportPane")->textCursor().blockNumber(), 0);
          QVERIFY(!Child<QPlainTextEdit>(w, "relatedPane")->toPlainText().isEmpty());
        });
  }

  // Another list pasted, or the list before its last normalisation or hand
  // edit: the difference with the deciding entries on both sides, or the
  // lists doing the same.
  void compareShowsTheDifferenceOrTheSameLists() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    driver.Normalize("ip access-list extended WEB-IN\n permit tcp any any\n");
    driver.Normalize(testing::kWebThenDeny);
    driver.Normalize(testing::kWebThenDeny);  // the same list again is no change
    // A null `other` takes the list before its last change.
    const auto compare = [&](const QString& other,
                             const std::function<void(CompareWindow&)>& look) {
      WhileShown<CompareWindow>(
          [&] { driver.Click("compareButton"); },
          [&](CompareWindow& w) {
            if (other.isNull()) {
              QTest::mouseClick(Child<QAbstractButton>(w, "previousListButton"), Qt::LeftButton);
            } else {
              Child<QPlainTextEdit>(w, "otherListPane")->setPlainText(other);
            }
            QTest::mouseClick(Child<QAbstractButton>(w, "compareRunButton"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!w.Working(), kRunMs);
            look(w);
          });
    };
    // The list before permitted all tcp; the current one only web traffic.
    compare(QString(), [](CompareWindow& w) {
      QVERIFY(Child<QLabel>(w, "compareStatus")->isHidden());
      QCOMPARE(Difference(w),
               QStringList({"Newly denied",
                            "tcp from | 1: 10 permit tcp any any | 2: 20 deny ip any any"}));
    });
    compare(testing::kWebThenDeny, [](CompareWindow& w) {
      QCOMPARE(Status(w, "compareStatus"), QString("the lists do the same"));
      QCOMPARE(Difference(w), QStringList());
    });
    compare("", [](CompareWindow& w) {
      QCOMPARE(Status(w, "compareStatus"), QString("Paste the other list first"));
    });

    // A hand edit of the list pane: the list before it is offered.
    driver.Pane("listPane")->moveCursor(QTextCursor::Start);
    driver.Pane("listPane")->insertPlainText("5 permit udp any any\n");
    compare(QString(), [](CompareWindow& w) {
      QCOMPARE(Difference(w),
               QStringList({"Newly permitted",
                            "udp from | 2: 20 deny ip any any | 1: 5 permit udp any any"}));
    });
    QVERIFY(boxes.Shown().empty());
  }
};

QTEST_MAIN(ExactResultsTest)
#include "exact_results_test.moc"
