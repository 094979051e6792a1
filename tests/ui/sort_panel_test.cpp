// The sort window opened from the main window's Sort button: the key
// toggles, the option boxes, the CLI button and the panel's two layouts.
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

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

template <typename T = QWidget>
T* Child(const QWidget& window, const QString& name) {
  T* found = window.findChild<T*>(name);
  if (found == nullptr) qFatal("no control named %s", qPrintable(name));
  return found;
}

QToolButton* Toggle(const QWidget& window, int n) {
  return Child<QToolButton>(window, QString("SpeedButton%1").arg(n));
}

// What the sort window showed and did.
struct Seen {
  QString title, hints, boxes, captions, pane, said, written;
  int contrast = 0;  // how far a toggle down looks from one up
};

// Presses Sort, clicks each control (a number n is SpeedButton<n>), notes
// what the window shows and closes it.
Seen Sort(WindowDriver& driver, const QVariantList& clicks) {
  Seen seen;
  ExternalEditor::SetOpenHook([&](const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) seen.written = QString::fromUtf8(file.readAll());
    return true;
  });
  ScriptedMessageBoxes boxes;
  ResultWindow::SetShowHook([&](ResultWindow& window) {
    seen.title = window.windowTitle();
    for (const char* name : {"chk1", "chk2", "chk3", "Button4"}) {
      const auto* box = Child<QAbstractButton>(window, name);
      seen.hints += box->toolTip() + '|';
      seen.boxes += QString(box->isChecked() ? "x" : "") + (box->isEnabled() ? "" : "off") + '|';
    }
    for (const QVariant& c : clicks) {
      QWidget* control =
          c.typeId() == QMetaType::Int ? Toggle(window, c.toInt()) : Child(window, c.toString());
      QTest::mouseClick(control, Qt::LeftButton);
    }
    // The captions of the toggles that are down; one that is up must show its
    // plain caption.
    QStringList down;
    QRgb looks[2] = {};  // the mean colour of the last toggle up and down
    for (int n = 1; n <= 7; ++n) {
      QToolButton* toggle = Toggle(window, n);
      if (toggle->isChecked() || toggle->text().contains('(')) {
        down << (toggle->isChecked() ? "" : "stale ") + toggle->text();
      }
      looks[toggle->isChecked() ? 1 : 0] =
          toggle->grab()
              .toImage()
              .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
              .pixel(0, 0);
    }
    seen.contrast = std::abs(qRed(looks[0]) - qRed(looks[1])) +
                    std::abs(qGreen(looks[0]) - qGreen(looks[1])) +
                    std::abs(qBlue(looks[0]) - qBlue(looks[1]));
    seen.captions = down.join(' ');
    seen.pane = window.TextPane()->toPlainText();
  });
  driver.Click("Button5");
  ResultWindow::SetShowHook(nullptr);
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
    row("no numbers", kEdge, {7, "chk1"}, "dst opt(1)", QString(byDstOpt).replace("\n", "\n\n"));
    row("no numbers, no groups", kEdge, {7, "chk1", "chk2"}, "dst opt(1)", byDstOpt);
    row("collapsed", kWeb, {5, "chk3"}, "dst addr(1)",
        "20 permit ip any any\n\n10 permit tcp any object-group SRV eq 80\n");
    row("CLI, no key column", kEdge, {"Button4"}, "", "");
    row("CLI, unchanged", kEdge, {2, "Button4"}, "src addr(1)", "*",
        "The order of the lines has not changed|");
    row("CLI, remark", "permit tcp any any eq 80\nremark hello\ndeny ip any any", {1, "Button4"},
        "proto(1)", "*", "remark: 20 remark hello|");
    // "OBJ" unticked: the expanded lines reach the commands as they are.
    row("CLI, expanded", kWeb, {1, "Button4"}, "proto(1)", "*",
        "Sequence number 10 is carried by more than one line; collapse the list to its object "
        "groups first|");
    row("CLI, collapsed, no name", kWeb, {5, "chk3", "Button4"}, "dst addr(1)", "*",
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
    const Seen seen = Sort(driver, {});
    QCOMPARE(seen.title, QString("Sort"));
    QCOMPARE(seen.hints, QString("Show string numbers|Group|Collapse to object-groups|"
                                 "CLI commands for ACL reorder|"));
    QCOMPARE(seen.boxes, QString("x|x|off||"));  // "OBJ" needs object groups
    QCOMPARE(seen.captions, QString("dst opt(1)"));
    // A toggle that is down is told apart from one that is up at a glance.
    QVERIFY2(seen.contrast >= 100, qPrintable(QString::number(seen.contrast)));
    driver.Normalize(kWeb, kServers);
    QCOMPARE(Sort(driver, {}).boxes, QString("x|x|||"));
  }

  void russianTexts() {
    WindowDriver driver({"/l", "rus"});
    driver.Normalize(kEdge);
    const Seen seen = Sort(driver, {2, "Button4"});
    QCOMPARE(seen.title, QString::fromUtf8("Сортировка"));
    QCOMPARE(seen.hints, QString::fromUtf8("Выводить номера строк|Группировать|Сворачивать в "
                                           "object-группы|Команды CLI для перекомпоновки ACL|"));
    QCOMPARE(seen.said, QString::fromUtf8("Порядок строк не изменился|"));
  }

  // The window says the order changes what the list does, shows the pair on
  // request, and the CLI button asks first.
  void orderChangesAreShownAndAskedAbout() {
    WindowDriver driver;
    driver.Normalize(kOrderChanging);
    QString written, pairsText;
    QStringList notices;
    ExternalEditor::SetOpenHook([&](const QString& path) {
      QFile file(path);
      if (file.open(QIODevice::ReadOnly)) written = QString::fromUtf8(file.readAll());
      return true;
    });
    ScriptedMessageBoxes boxes({false, true});
    ResultWindow::SetShowHook([&](ResultWindow& window) {
      if (window.windowTitle() == "Order changes") {
        pairsText = window.TextPane()->toPlainText();
        return;
      }
      const auto notice = [&] {
        QApplication::processEvents();
        notices << (Child(window, "pnlSortNotice")->isVisible()
                        ? Child<QLabel>(window, "lblOrderChange")->text()
                        : "-");
      };
      notice();
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      notice();
      QTest::mouseClick(Child(window, "btnOrderPairs"), Qt::LeftButton);
      QTest::mouseClick(Child(window, "Button4"), Qt::LeftButton);  // No
      QCOMPARE(written, QString());
      QTest::mouseClick(Child(window, "Button4"), Qt::LeftButton);  // Yes
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      notice();
    });
    driver.Click("Button5");
    ResultWindow::SetShowHook(nullptr);
    ExternalEditor::SetOpenHook(nullptr);

    QCOMPARE(notices, QStringList({"-",
                                   "The new order changes what the list does (1 pairs of "
                                   "entries).",
                                   "-"}));
    QCOMPARE(pairsText,
             QString("Entries 10 and 20 overlap and have opposite actions; the new order changes "
                     "what the list does for their common traffic.\n"
                     "  line 1 -> 2:  10 permit tcp any any eq 22\n"
                     "  line 2 -> 1:  20 deny ip any any"));
    QCOMPARE(boxes.Shown().size(), std::size_t{2});
    QCOMPARE(boxes.Shown()[0].Text, QString("The new order changes what the list does (1 pairs of "
                                            "entries). Produce the commands anyway?"));
    QVERIFY(boxes.Shown()[1].Question);
    QVERIFY2(written.startsWith("ip access-list extended EDGE\nno 20\n"), qPrintable(written));
  }

  // Sort, a toggle that brings the order warning, Esc, Sort again with the
  // warning made long: the least width never moves, the warning wraps inside
  // the window, and a later Reflect opens at the window's own size.
  void leastWidthHoldsAndTheWarningWraps() {
    WindowDriver driver;
    driver.Normalize(kOrderChanging);
    QList<int> least;
    ResultWindow::SetShowHook([&](ResultWindow& window) {
      QApplication::processEvents();
      least << window.minimumWidth();
      QTest::mouseClick(Toggle(window, 1), Qt::LeftButton);
      QApplication::processEvents();
      QVERIFY(Child(window, "pnlSortNotice")->isVisible());
      least << window.minimumWidth();
      QTest::keyRelease(window.TextPane(), Qt::Key_Escape);
    });
    driver.Click("Button5");
    QSize sortSize;
    ResultWindow::SetShowHook([&](ResultWindow& window) {
      window.activateWindow();  // renews the texts and sorts again
      QApplication::processEvents();
      least << window.minimumWidth();
      sortSize = window.size();
      auto* warning = Child<QLabel>(window, "lblOrderChange");
      warning->setText(QString(warning->text() + ' ').repeated(8));
      window.resize(window.minimumWidth(), 495);
      QApplication::processEvents();
      least << window.minimumWidth();
      const QRect shown = warning->geometry().translated(warning->parentWidget()->pos());
      QVERIFY(shown.right() < window.width());
      QVERIFY(warning->height() >= 3 * warning->fontMetrics().height());
      QVERIFY(warning->height() >= warning->heightForWidth(warning->width()));  // all of it
      window.resize(sortSize);
    });
    driver.Click("Button5");
    QSize reflectSize;
    ResultWindow::SetShowHook([&](ResultWindow& window) { reflectSize = window.size(); });
    driver.Click("Button7");
    ResultWindow::SetShowHook(nullptr);
    QCOMPARE(least, QList<int>(4, least[0]));
    QCOMPARE(sortSize, QSize(962, 495));
    QCOMPARE(reflectSize, QSize(962, 495));
  }

  // Wide, the panel takes one row; at the least width two, still between the
  // Notepad and Close buttons and below the text. Another command's window
  // has no panel, and its text reaches down to the buttons again.
  void panelLaysOutInOneRowOrTwo() {
    WindowDriver driver;
    driver.Normalize(kEdge);
    int sortUpper = 0, reflectUpper = 0;
    ResultWindow::SetShowHook([&](ResultWindow& window) {
      for (const int width : {1300, window.minimumWidth()}) {
        window.resize(width, 495);
        QApplication::processEvents();
        const QRect panel = Child(window, "Panel1")->geometry();
        QVERIFY(panel.left() > Child(window, "Button3")->geometry().right());
        QVERIFY(panel.right() < Child(window, "Button1")->x());
        const QRect upper = Child(window, "upperArea")->geometry();
        QVERIFY(upper.bottom() < panel.top());
        sortUpper = upper.height();
        QCOMPARE(Toggle(window, 6)->y() == Toggle(window, 1)->y(), width == 1300);
      }
    });
    driver.Click("Button5");
    ResultWindow::SetShowHook([&](ResultWindow& window) {
      QApplication::processEvents();
      QVERIFY(!Child(window, "Panel1")->isVisible());
      reflectUpper = Child(window, "upperArea")->height();
    });
    driver.Click("Button7");
    ResultWindow::SetShowHook(nullptr);
    QVERIFY(reflectUpper > sortUpper);
  }
};

QTEST_MAIN(SortPanelTest)
#include "sort_panel_test.moc"
