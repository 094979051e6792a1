// The sort window opened from the main window's Sort button: the key
// toggles, the option boxes, the CLI button, the order warning and the layout
// at the least width.
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

// The option boxes' and the CLI button's tooltips with their states ("x"
// ticked, "off" disabled).
QString Boxes(const QWidget& window) {
  QString boxes;
  for (const char* name : {"numbersBox", "groupBox", "collapseBox", "commandsButton"}) {
    const auto* box = Child<QAbstractButton>(window, name);
    boxes += box->toolTip() + ':' + (box->isChecked() ? "x" : "") + (box->isEnabled() ? "" : "off");
    boxes += '|';
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
    const QString byDstOpt =
        "permit ip any any\npermit udp any host 10.0.0.2 eq 53\n"
        "permit tcp any host 10.0.0.1 eq 80\npermit tcp any host 10.0.0.1 eq 443";
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
    row("no numbers", kEdge, {7, "numbersBox"}, "dst opt(1)", QString(byDstOpt).replace("\n", "\n\n"));
    row("no numbers, no groups", kEdge, {7, "numbersBox", "groupBox"}, "dst opt(1)", byDstOpt);
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
      QCOMPARE(Boxes(window), QString("Show string numbers:x|Group:x|"
                                      "Collapse to object-groups:off|"  // "OBJ" needs groups
                                      "CLI commands for ACL reorder:|"));
    });
    QCOMPARE(seen.captions, QString("dst opt(1)"));
    driver.Normalize(kWeb, kServers);
    Sort(driver, {}, [](ResultWindow& window) {
      QCOMPARE(Boxes(window), QString("Show string numbers:x|Group:x|Collapse to object-groups:|"
                                      "CLI commands for ACL reorder:|"));
    });
  }

  void russianTexts() {
    WindowDriver driver({"/l", "rus"});
    driver.Normalize(kEdge);
    const Seen seen = Sort(driver, {2, "commandsButton"}, [](ResultWindow& window) {
      QCOMPARE(window.windowTitle(), QString::fromUtf8("Сортировка"));
      QCOMPARE(Boxes(window),
               QString::fromUtf8("Выводить номера строк:x|Группировать:x|Сворачивать в "
                                 "object-группы:off|Команды CLI для перекомпоновки ACL:|"));
    });
    QCOMPARE(seen.said, QString::fromUtf8("Порядок строк не изменился|"));
  }

  // The window says the order changes what the list does, shows the pairs on
  // request, and the CLI button asks first: No writes nothing, Yes writes.
  void orderChangesAreShownAndAskedAbout() {
    WindowDriver driver;
    driver.Normalize(kOrderChanging);
    QStringList notices;
    const auto notice = [&](ResultWindow& window) {
      QApplication::processEvents();
      notices << (Child(window, "sortNotice")->isVisible()
                      ? Child<QLabel>(window, "orderWarning")->text()
                      : "-");
    };
    const auto look = [&](ResultWindow& window) {
      notice(window);
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      notice(window);
      QTest::mouseClick(Child(window, "pairsButton"), Qt::LeftButton);
      QTest::mouseClick(Child(window, "commandsButton"), Qt::LeftButton);  // No
      QVERIFY(window.Editor().LastFile().isEmpty());
      QTest::mouseClick(Child(window, "commandsButton"), Qt::LeftButton);  // Yes
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      notice(window);
    };
    const Seen seen = Sort(driver, {}, look, {false, true});
    QCOMPARE(notices, QStringList({"-",
                                   "The new order changes what the list does (1 pairs of "
                                   "entries).",
                                   "-"}));
    QCOMPARE(seen.pairs,
             QString("Order changes\n"
                     "Entries 10 and 20 overlap and have opposite actions; the new order changes "
                     "what the list does for their common traffic.\n"
                     "  line 1 -> 2:  10 permit tcp any any eq 22\n"
                     "  line 2 -> 1:  20 deny ip any any"));
    QCOMPARE(seen.said, QString("The new order changes what the list does (1 pairs of entries). "
                                "Produce the commands anyway?|")
                            .repeated(2));
    QVERIFY2(seen.written.startsWith("ip access-list extended EDGE\nno 20\n"),
             qPrintable(seen.written));
  }

  // Sort, a toggle that brings the order warning, Esc, Sort again with the
  // warning made long: the least width never moves, the warning wraps inside
  // the window, the panel stays between the Notepad and Close buttons, and a
  // later Reflect opens at the window's own size without the panel.
  void layoutHoldsAtTheLeastWidth() {
    WindowDriver driver;
    driver.Normalize(kOrderChanging);
    QList<int> least;
    const auto noteLeast = [&](ResultWindow& window) {
      QApplication::processEvents();
      least << window.minimumWidth();
    };
    Sort(driver, {}, [&](ResultWindow& window) {
      noteLeast(window);
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      noteLeast(window);
      QTest::keyRelease(window.TextPane(), Qt::Key_Escape);
    });
    QSize sortSize;
    Sort(driver, {}, [&](ResultWindow& window) {
      window.activateWindow();  // renews the texts and sorts again
      noteLeast(window);
      sortSize = window.size();
      auto* warning = Child<QLabel>(window, "orderWarning");
      warning->setText(QString(warning->text() + ' ').repeated(8));
      window.resize(window.minimumWidth(), sortSize.height());
      noteLeast(window);
      const QRect shown = warning->geometry().translated(warning->parentWidget()->pos());
      QVERIFY(shown.right() < window.width());
      QVERIFY(warning->height() >= warning->heightForWidth(warning->width()));  // all of it
      const QRect panel = Child(window, "sortPanel")->geometry();
      QVERIFY(panel.left() > Child(window, "notepadButton")->geometry().right());
      QVERIFY(panel.right() < Child(window, "closeButton")->x());
      QVERIFY(Child(window, "upperArea")->geometry().bottom() < panel.top());
      window.resize(sortSize);
    });
    QSize reflectSize;
    WhileShown<ResultWindow>([&] { driver.Click("reflectButton"); },
                             [&](ResultWindow& window) {
                               reflectSize = window.size();
                               QVERIFY(!Child(window, "sortPanel")->isVisible());
                             });
    QCOMPARE(least, QList<int>(4, least[0]));
    QCOMPARE(reflectSize, sortSize);
  }
};

QTEST_MAIN(SortPanelTest)
#include "sort_panel_test.moc"
