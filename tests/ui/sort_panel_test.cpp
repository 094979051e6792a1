// The sort window opened from the main window's Sort button: the key
// toggles, the option boxes, the CLI button and the order warning.
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>
#include <deque>

#include "external_editor.h"
#include "message_boxes.h"
#include "result_window.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using namespace kerbwise::ui::testing;

namespace {

const QString kEdge =
    "ip access-list extended EDGE\n 10 permit udp any host 10.0.0.2 eq 53\n"
    " 20 permit tcp any host 10.0.0.1 eq 443\n 30 permit ip any any\n"
    " 40 permit tcp any host 10.0.0.1 eq 80";
const QString kWeb = "permit tcp any object-group SRV eq 80\npermit ip any any";  // no name
const QString kRemarks =
    "ip access-list extended EDGE\n 10 remark web\n 20 permit tcp any any eq 80\n"
    " 30 permit ip any any";
const QString kStandard =
    "Standard IP access list 99\n    10 permit 172.16.191.199\n"
    "    20 permit 10.0.10.0, wildcard bits 0.255.0.255";
const QString kServers = "object-group network SRV\n host 10.1.0.12\n host 10.1.0.11";
// By protocol the ip deny comes before the tcp permit: the order changes what
// the list does.
const QString kOrderChanging =
    "ip access-list extended EDGE\n 10 permit tcp any any eq 22\n 20 deny ip any any";

QToolButton* Toggle(const QWidget& window, int n) {
  static const char* const kToggles[] = {"protoKey",   "srcAddrKey", "srcMaskKey", "srcOptKey",
                                         "dstAddrKey", "dstMaskKey", "dstOptKey"};
  return Child<QToolButton>(window, kToggles[n - 1]);
}

// The option boxes' and the CLI button's states: "x" ticked, "off" disabled.
QString Boxes(const QWidget& window) {
  QString boxes;
  for (const char* name : {"numbersBox", "groupBox", "collapseBox", "commandsButton"}) {
    const auto* box = Child<QAbstractButton>(window, name);
    boxes += QString(box->isChecked() ? "x" : "") + (box->isEnabled() ? "" : "off") + '|';
  }
  return boxes;
}

// What the sort window showed and did; `pairs` is the order changes' own
// window: its caption and text.
struct Seen {
  QString captions, pane, said, written, pairs;
};

// Presses Sort, clicks each control (a number n is the n-th key toggle), notes
// what the window shows, runs `look` and closes it. Questions get `answers`.
Seen Sort(WindowDriver& driver, const QVariantList& clicks, ResultWindow::ShowHook look = {},
          std::deque<bool> answers = {}) {
  Seen seen;
  ExternalEditor::SetOpenHook([&](const QString& path) {
    seen.written = ReadText(path);
    return true;
  });
  ScriptedMessageBoxes boxes(std::move(answers));
  WhileShown<ResultWindow>(
      [&] { driver.Click("sortButton"); },
      [&](ResultWindow& window) {
        if (window.findChild<QToolButton*>() == nullptr) {
          seen.pairs = window.windowTitle() + '\n' + window.TextPane()->toPlainText();
          return;
        }
        for (const QVariant& c : clicks) {
          QWidget* control = c.typeId() == QMetaType::Int ? Toggle(window, c.toInt())
                                                          : Child(window, c.toString());
          QTest::mouseClick(control, Qt::LeftButton);
        }
        // The captions of the toggles that are down; one that is up must show its
        // plain caption.
        QStringList down;
        for (int n = 1; n <= 7; ++n) {
          QToolButton* toggle = Toggle(window, n);
          if (toggle->isChecked() || toggle->text().contains('(')) {
            down << (toggle->isChecked() ? "" : "stale ") + toggle->text();
          }
        }
        seen.captions = down.join(' ');
        seen.pane = window.TextPane()->toPlainText();
        if (look) look(window);
      });
  ExternalEditor::SetOpenHook(nullptr);
  for (const ShownMessage& shown : boxes.Shown()) seen.said += shown.Text + '|';
  return seen;
}

// One run of the window: the list, the controls clicked and what follows
// ("*" as the pane: not looked at).
struct Case {
  QString list;
  QVariantList clicks;
  QString captions, pane, said, written;
};

}  // namespace

Q_DECLARE_METATYPE(Case)

class SortPanelTest : public QObject {
  Q_OBJECT

 private slots:
  // Each outcome of the CLI button that says something goes the same way as
  // the unchanged order of the Russian case below.
  void sortAndCommands_data() {
    QTest::addColumn<Case>("c");
    const auto row = [](const char* name, const QString& list, const QVariantList& clicks,
                        const QString& captions, const QString& pane, const QString& said = {},
                        const QString& written = {}) {
      QTest::newRow(name) << Case{list, clicks, captions, pane, said, written};
    };
    row("dst opt, proto", kEdge, {7, 1}, "proto(2) dst opt(1)",
        " 30 permit ip any any\n\n 10 permit udp any host 10.0.0.2 eq 53\n\n"
        " 40 permit tcp any host 10.0.0.1 eq 80\n\n 20 permit tcp any host 10.0.0.1 eq 443");
    // Switching off the first column also switches off the second.
    row("all off", kEdge, {1, 5, 1}, "", "");
    row("no numbers, no groups", kEdge, {7, "numbersBox", "groupBox"}, "dst opt(1)",
        "permit ip any any\npermit udp any host 10.0.0.2 eq 53\n"
        "permit tcp any host 10.0.0.1 eq 80\npermit tcp any host 10.0.0.1 eq 443");
    row("collapsed", kWeb, {5, "collapseBox"}, "dst addr(1)",
        "20 permit ip any any\n\n10 permit tcp any object-group SRV eq 80\n");
    row("CLI, no key column", kEdge, {"commandsButton"}, "", "");
    // "OBJ" unticked: the expanded lines reach the commands as they are.
    row("CLI, expanded", kWeb, {1, "commandsButton"}, "proto(1)", "*",
        "Sequence number 10 is carried by more than one line; collapse the list to its object "
        "groups first|");
    row("CLI, collapsed, no name", kWeb, {5, "collapseBox", "commandsButton"}, "dst addr(1)", "*",
        "ACL name not set|",
        "ip access-list extended *****\nno 20\n\nip access-list resequence ***** 2 2\n\n"
        "ip access-list extended *****\n1 permit ip any any\n\n"
        "ip access-list resequence ***** 10 10\n");
    // Kept with its entry, the remark moves with it instead of blocking the
    // commands.
    row("CLI, remarks kept", kRemarks, {1, "keepRemarksBox", "commandsButton"}, "proto(1)",
        " 30 permit ip any any\n\n 10 remark web\n 20 permit tcp any any eq 80", {},
        "ip access-list extended EDGE\nno 30\n\nip access-list resequence EDGE 2 2\n\n"
        "ip access-list extended EDGE\n1 permit ip any any\n\n"
        "ip access-list resequence EDGE 10 10\n");
    // A standard list is entered as one, its entries as configuration writes them.
    row("CLI, standard list", kStandard, {2, "commandsButton"}, "src addr(1)", "*", {},
        "ip access-list standard 99\nno 20\n\nip access-list resequence 99 2 2\n\n"
        "ip access-list standard 99\n1 permit 10.0.10.0 0.255.0.255\n\n"
        "ip access-list resequence 99 10 10\n");
  }

  void sortAndCommands() {
    QFETCH(Case, c);
    WindowDriver driver;
    driver.Normalize(c.list, c.list.contains("object-group") ? kServers : QString());
    const Seen seen = Sort(driver, c.clicks);
    QCOMPARE(seen.captions, c.captions);
    if (c.pane != "*") QCOMPARE(seen.pane, c.pane);
    QCOMPARE(seen.said, c.said);
    QCOMPARE(seen.written, c.written);
  }

  void openingKeepsTheToggles() {
    WindowDriver driver;
    driver.Normalize(kEdge);
    Sort(driver, {7});
    const Seen seen = Sort(driver, {}, [](ResultWindow& window) {
      QCOMPARE(window.windowTitle(), QString("Sort"));
      QCOMPARE(Boxes(window), QString("x|x|off||"));  // "OBJ" needs groups
    });
    QCOMPARE(seen.captions, QString("dst opt(1)"));
    driver.Normalize(kWeb, kServers);
    Sort(driver, {}, [](ResultWindow& window) { QCOMPARE(Boxes(window), QString("x|x|||")); });
  }

  void russianUnchangedOrder() {
    WindowDriver driver({"/l", "rus"});
    driver.Normalize(kEdge);
    const Seen seen = Sort(driver, {2, "commandsButton"});
    QCOMPARE(seen.said, QString::fromUtf8("Порядок строк не изменился|"));
  }

  // The window says the order changes what the list does, shows the pairs on
  // request, and the CLI button asks first: No writes nothing, Yes writes.
  // The warning, however long, wraps inside the window and never moves its
  // least width.
  void orderChangesAreShownAndAskedAbout() {
    WindowDriver driver;
    driver.Normalize(kOrderChanging);
    QStringList notices;
    QList<int> least;
    const auto notice = [&](ResultWindow& window) {
      QApplication::processEvents();
      least << window.minimumWidth();
      notices << (Child(window, "sortNotice")->isVisible()
                      ? Child<QLabel>(window, "orderWarning")->text()
                      : "-");
    };
    const auto look = [&](ResultWindow& window) {
      notice(window);
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      notice(window);
      auto* warning = Child<QLabel>(window, "orderWarning");
      const QString text = warning->text();
      warning->setText(QString(text + ' ').repeated(8));
      window.resize(window.minimumWidth(), window.height());
      QApplication::processEvents();
      QVERIFY(warning->geometry().translated(warning->parentWidget()->pos()).right() <
              window.width());
      QVERIFY(warning->height() >= warning->heightForWidth(warning->width()));  // all of it
      QCOMPARE(window.minimumWidth(), least[0]);
      warning->setText(text);
      QTest::mouseClick(Child(window, "pairsButton"), Qt::LeftButton);
      QTest::mouseClick(Child(window, "commandsButton"), Qt::LeftButton);  // No
      QVERIFY(window.Editor().LastFile().isEmpty());
      QTest::mouseClick(Child(window, "commandsButton"), Qt::LeftButton);  // Yes
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      notice(window);
    };
    const Seen seen = Sort(driver, {}, look, {false, true});
    QCOMPARE(least, QList<int>(3, least[0]));
    QCOMPARE(notices, QStringList({"-",
                                   "The new order changes what the list does (1 pairs of "
                                   "entries).",
                                   "-"}));
    // The pairs' own wording is the core's.
    QVERIFY2(seen.pairs.startsWith("Order changes\n") &&
                 seen.pairs.endsWith("line 2 -> 1:  20 deny ip any any"),
             qPrintable(seen.pairs));
    QCOMPARE(seen.said, QString("The new order changes what the list does (1 pairs of entries). "
                                "Produce the commands anyway?|")
                            .repeated(2));
    QVERIFY2(seen.written.startsWith("ip access-list extended EDGE\nno 20\n"),
             qPrintable(seen.written));
  }

  // The pairwise check warns of 20 and 30 turned round; entry 10 decides
  // their shared packets first, so the exact answer, when it comes, clears it.
  void aThirdEntryDecidingFirstIsNoOrderChange() {
    WindowDriver driver;
    driver.Normalize(
        "ip access-list extended EDGE\n 10 deny tcp any any eq 22\n"
        " 20 permit tcp any any eq 22\n 30 deny ip any any");
    bool cleared = false;
    Sort(driver, {}, [&](ResultWindow& window) {
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      cleared = QTest::qWaitFor([&] { return !Child(window, "sortNotice")->isVisible(); }, 30000);
    });
    QVERIFY(cleared);
  }
};

QTEST_MAIN(SortPanelTest)
#include "sort_panel_test.moc"
