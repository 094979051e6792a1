// The sort window opened from the main window's Sort button: the key
// toggles, the option boxes, the CLI button and the panel's two layouts.
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "external_editor.h"
#include "message_boxes.h"
#include "result_window.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using namespace kerbwise::ui::testing;

namespace {

const QString kEdge =
    "ip access-list extended EDGE\n"
    " 10 permit udp any host 10.0.0.2 eq 53\n"
    " 20 permit tcp any host 10.0.0.1 eq 443\n"
    " 30 permit ip any any\n"
    " 40 permit tcp any host 10.0.0.1 eq 80";
const QString kWeb =
    "ip access-list extended WEB\n"
    " 10 permit tcp any object-group SRV eq 80\n"
    " 20 permit ip any any";
const QString kServers = "object-group network SRV\n host 10.1.0.12\n host 10.1.0.11";

template <typename T = QWidget>
T* Child(const QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) qFatal("no control named %s", name);
  return found;
}

void Click(const QWidget& window, const char* name) {
  QTest::mouseClick(Child(window, name), Qt::LeftButton);
}

// Toggles SpeedButton<n> for each n.
void Toggle(const QWidget& window, const QList<int>& toggles) {
  for (const int n : toggles) Click(window, qPrintable(QString("SpeedButton%1").arg(n)));
}

// The captions of the toggles that are down, in button order; a toggle that
// is up must show its plain caption.
QString Captions(const QWidget& window) {
  QStringList down;
  for (int n = 1; n <= 7; ++n) {
    auto* toggle = Child<QToolButton>(window, qPrintable(QString("SpeedButton%1").arg(n)));
    if (toggle->isChecked()) {
      down << toggle->text();
    } else if (toggle->text().contains('(')) {
      down << "stale " + toggle->text();
    }
  }
  return down.join(' ');
}

QString Text(const ResultWindow& window) { return window.TextPane()->toPlainText(); }

// Presses Sort and runs `look` while the sort window is open.
void WhileSorting(WindowDriver& driver, std::function<void(ResultWindow&)> look) {
  ResultWindow::SetShowHook(std::move(look));
  driver.Click("Button5");
  ResultWindow::SetShowHook(nullptr);
}

}  // namespace

class SortPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    ResultWindow::SetShowHook(nullptr);
    ExternalEditor::SetOpenHook(nullptr);
  }

  void togglesComposeTheKey_data() {
    QTest::addColumn<QList<int>>("toggles");
    QTest::addColumn<QString>("captions");
    QTest::addColumn<QString>("text");
    const QString byProto =
        " 30 permit ip any any\n\n 20 permit tcp any host 10.0.0.1 eq 443\n"
        " 40 permit tcp any host 10.0.0.1 eq 80\n\n 10 permit udp any host 10.0.0.2 eq 53";
    QTest::newRow("proto") << QList<int>{1} << "proto(1)" << byProto;
    QTest::newRow("dst opt, proto")
        << QList<int>{7, 1} << "proto(2) dst opt(1)"
        << " 30 permit ip any any\n\n 10 permit udp any host 10.0.0.2 eq 53\n\n"
           " 40 permit tcp any host 10.0.0.1 eq 80\n\n 20 permit tcp any host 10.0.0.1 eq 443";
    // Switching off the second column also switches off the third.
    QTest::newRow("second off") << QList<int>{1, 5, 2, 5} << "proto(1)" << byProto;
    QTest::newRow("all off") << QList<int>{1, 5, 1} << ""
                             << "";
  }

  void togglesComposeTheKey() {
    QFETCH(QList<int>, toggles);
    QFETCH(QString, captions);
    QFETCH(QString, text);
    WindowDriver driver;
    driver.Normalize(kEdge);
    QString shownCaptions, shownText, caption;
    WhileSorting(driver, [&](ResultWindow& window) {
      caption = window.windowTitle();
      Toggle(window, toggles);
      shownCaptions = Captions(window);
      shownText = Text(window);
    });
    QCOMPARE(caption, QString("Sort"));
    QCOMPARE(shownCaptions, captions);
    QCOMPARE(shownText, text);
  }

  void togglesKeepTheirStateAndBoxesShapeTheText() {
    WindowDriver driver;
    driver.Normalize(kEdge);
    WhileSorting(driver, [](ResultWindow& window) { Toggle(window, {7}); });
    QString reopened, noNumbers, noGroups;
    bool collapseOffered = true, panelShown = false;
    WhileSorting(driver, [&](ResultWindow& window) {
      panelShown = Child(window, "Panel1")->isVisible();
      reopened = Captions(window);
      collapseOffered = Child(window, "chk3")->isEnabled();
      Click(window, "chk1");
      noNumbers = Text(window);
      Click(window, "chk2");
      noGroups = Text(window);
      Click(window, "chk1");
      Click(window, "chk2");
    });
    QVERIFY(panelShown && !collapseOffered);
    QCOMPARE(reopened, QString("dst opt(1)"));
    QCOMPARE(noNumbers, QString("permit ip any any\n\npermit udp any host 10.0.0.2 eq 53\n\n"
                                "permit tcp any host 10.0.0.1 eq 80\n\n"
                                "permit tcp any host 10.0.0.1 eq 443"));
    QCOMPARE(noGroups, QString("permit ip any any\npermit udp any host 10.0.0.2 eq 53\n"
                               "permit tcp any host 10.0.0.1 eq 80\n"
                               "permit tcp any host 10.0.0.1 eq 443"));

    // A list with object groups offers collapsing back to its source entries.
    driver.Normalize(kWeb, kServers);
    QString expanded, collapsed;
    WhileSorting(driver, [&](ResultWindow& window) {
      collapseOffered = Child(window, "chk3")->isEnabled();
      Toggle(window, {7, 5});
      expanded = Text(window);
      Click(window, "chk3");
      collapsed = Text(window);
      Click(window, "chk3");
    });
    QVERIFY(collapseOffered);
    QCOMPARE(expanded,
             QString(" 20 permit ip any any\n\n010 permit tcp any host 10.1.0.11 eq 80\n\n"
                     "010 permit tcp any host 10.1.0.12 eq 80"));
    QCOMPARE(collapsed,
             QString("20 permit ip any any\n\n10 permit tcp any object-group SRV eq 80\n"));
  }

  void cliButtonMessagesAndCommands_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("objects");
    QTest::addColumn<QList<int>>("toggles");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("commands");
    QTest::newRow("no name") << "permit tcp any any eq 80\ndeny ip any any"
                             << "" << QList<int>{1} << "ACL name not set"
                             << "ip access-list extended *****\nno 20\n\n"
                                "ip access-list resequence ***** 2 2\n\n"
                                "ip access-list extended *****\n1 deny ip any any\n\n"
                                "ip access-list resequence ***** 10 10\n";
    QTest::newRow("unchanged") << kEdge << "" << QList<int>{2}
                               << "The order of the lines has not changed"
                               << "";
    QTest::newRow("remark") << "permit tcp any any eq 80\nremark hello\ndeny ip any any"
                            << "" << QList<int>{1} << "remark: 20 remark hello"
                            << "";
    QTest::newRow("shared number")
        << kWeb << kServers << QList<int>{1}
        << "Sequence number 10 is carried by more than one line; collapse the list to its object "
           "groups first"
        << "";
    QTest::newRow("no key column") << kEdge << "" << QList<int>{} << ""
                                   << "";
  }

  void cliButtonMessagesAndCommands() {
    QFETCH(QString, list);
    QFETCH(QString, objects);
    QFETCH(QList<int>, toggles);
    QFETCH(QString, message);
    QFETCH(QString, commands);
    QString written;
    ExternalEditor::SetOpenHook([&](const QString& path) {
      QFile file(path);
      if (file.open(QIODevice::ReadOnly)) written = QString::fromUtf8(file.readAll());
      return true;
    });
    ScriptedMessageBoxes boxes;
    WindowDriver driver;
    driver.Normalize(list, objects);
    WhileSorting(driver, [&](ResultWindow& window) {
      Toggle(window, toggles);
      Click(window, "Button4");
    });
    QStringList said;
    for (const ShownMessage& shown : boxes.Shown()) said << shown.Text;
    QCOMPARE(said.join('\n'), message);
    QCOMPARE(written, commands);
  }

  void panelLaysOutInOneRowOrTwo() {
    WindowDriver driver;
    driver.Normalize(kEdge);
    struct Seen {
      QRect panel, notepad, close, first, sixth, upper;
      int height = 0;
    };
    Seen wide, narrow;
    int toggleHeight = 0;
    WhileSorting(driver, [&](ResultWindow& window) {
      Toggle(window, {1, 2, 5});
      toggleHeight = Child(window, "SpeedButton1")->height();
      const auto look = [&window](int width, Seen& seen) {
        window.resize(width, 495);
        QApplication::processEvents();
        seen = {Child(window, "Panel1")->geometry(),
                Child(window, "Button3")->geometry(),
                Child(window, "Button1")->geometry(),
                Child(window, "SpeedButton1")->geometry(),
                Child(window, "SpeedButton6")->geometry(),
                Child(window, "upperArea")->geometry(),
                window.height()};
      };
      look(1300, wide);
      look(window.minimumWidth(), narrow);
    });
    // Shown for another command, the window's upper area reaches the buttons again.
    int reflectUpperHeight = 0;
    ResultWindow::SetShowHook([&](ResultWindow& window) {
      QApplication::processEvents();
      reflectUpperHeight = Child(window, "upperArea")->height();
    });
    driver.Click("Button7");
    QVERIFY(reflectUpperHeight > narrow.upper.height());
    for (const Seen& seen : {wide, narrow}) {
      // Centred between the Notepad and Close buttons.
      const int before = seen.panel.left() - (seen.notepad.right() + 1);
      const int after = seen.close.left() - (seen.panel.right() + 1);
      QVERIFY2(before >= 0 && after >= 0 && std::abs(before - after) <= 3,
               qPrintable(QString("%1 %2").arg(before).arg(after)));
      QVERIFY(seen.upper.bottom() < seen.panel.top());
    }
    QCOMPARE(wide.panel.top(), wide.notepad.top());
    QCOMPARE(wide.panel.height(), toggleHeight + 2);
    QCOMPARE(wide.sixth.top(), wide.first.top());
    QCOMPARE(narrow.panel.height(), 2 * toggleHeight + 3);
    QCOMPARE(narrow.panel.bottom() + 1, narrow.height - 4);
    QCOMPARE(narrow.sixth.left(), narrow.first.left());
    QCOMPARE(narrow.sixth.top(), narrow.first.bottom() + 2);
  }

  void russianTexts() {
    ScriptedMessageBoxes boxes;
    WindowDriver driver({"/l", "rus"});
    driver.Normalize(kEdge);
    QString caption;
    QStringList hints;
    WhileSorting(driver, [&](ResultWindow& window) {
      caption = window.windowTitle();
      for (const char* name : {"chk1", "chk2", "chk3", "Button4"}) {
        hints << Child(window, name)->toolTip();
      }
      Toggle(window, {2});
      Click(window, "Button4");
    });
    QCOMPARE(caption, QString::fromUtf8("Сортировка"));
    QCOMPARE(hints, QStringList({QString::fromUtf8("Выводить номера строк"),
                                 QString::fromUtf8("Группировать"),
                                 QString::fromUtf8("Сворачивать в object-группы"),
                                 QString::fromUtf8("Команды CLI для перекомпоновки ACL")}));
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QCOMPARE(boxes.Shown()[0].Text, QString::fromUtf8("Порядок строк не изменился"));
  }
};

QTEST_MAIN(SortPanelTest)
#include "sort_panel_test.moc"
