#include "result_window.h"

#include <QClipboard>
#include <QListWidget>
#include <QScrollBar>
#include <QWindow>
#include <QtTest>

#include "external_editor.h"
#include "message_boxes.h"
#include "window_driver.h"

using namespace kerbwise;
using namespace kerbwise::ui;
using kerbwise::ui::testing::Child;
using kerbwise::ui::testing::ReadText;

namespace {

// Shows a one-line text; `look` runs while the window is open.
void WhileShowingText(ResultWindow& window, ResultWindow::ShowHook look) {
  testing::WhileShown<ResultWindow>([&] { window.ShowText("Result", {"text"}); }, std::move(look));
}

// Groups recorded in the order zeta, Alpha, beta; Alpha is long enough that
// beta's definition lies below the first screen of the pane.
UsedObjects ThreeGroups() {
  UsedObjects used;
  used.BeginGroup("zeta", "object-group network zeta");
  used.AppendMember("description Сервер учёта");
  used.AppendMember("host 10.0.0.1");
  used.BeginGroup("Alpha", "object-group network Alpha");
  for (int i = 0; i < 200; ++i) used.AppendMember("host 10.1.0." + std::to_string(i % 250));
  used.BeginGroup("beta", "object-group service beta");
  used.AppendMember("tcp eq 443");
  return used;
}

}  // namespace

class ResultWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { ExternalEditor::SetOpenHook(nullptr); }

  void showTextFillsThePaneAndCopyAllCloses() {
    ResultWindow window;
    const QString text = "10 permit ip any any\n  20 deny tcp any any";
    testing::WhileShown<ResultWindow>(
        [&] { window.ShowText("Reflect [*]", text.split('\n')); },
        [&](ResultWindow& shown) {
          QCOMPARE(shown.TextPane()->toPlainText(), text);
          QCOMPARE(shown.windowHandle()->title(), QString("Reflect [*]"));  // as the title bar
          for (const char* extra : {"objectList", "upperAreaHandle", "sortPanel"}) {
            QVERIFY2(!Child(shown, extra)->isVisible(), extra);
          }
          QTest::mouseClick(Child(shown, "copyButton"), Qt::LeftButton);
          QVERIFY(!shown.isVisible());
        });
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
  }

  // Esc closes on its release from the pane or any button; Enter presses
  // only a focused button and never copies.
  void closingKeys() {
    ResultWindow window;
    for (const char* name : {"textPane", "closeButton", "copyButton", "notepadButton"}) {
      WhileShowingText(window, [&](ResultWindow& shown) {
        QTest::keyPress(Child(shown, name), Qt::Key_Escape);
        QVERIFY2(shown.isVisible(), name);
        QTest::keyRelease(Child(shown, name), Qt::Key_Escape);
        QVERIFY2(!shown.isVisible(), name);
      });
    }
    QGuiApplication::clipboard()->setText("kept");
    WhileShowingText(window, [&](ResultWindow& shown) {
      QTest::keyClick(Child(shown, "textPane"), Qt::Key_Return);
      QVERIFY(shown.isVisible());
      Child(shown, "closeButton")->setFocus();
      QTest::keyClick(Child(shown, "closeButton"), Qt::Key_Return);
      QVERIFY(!shown.isVisible());
    });
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
  }

  void notepadWritesOneFileDeletedOnTheNextUseAndOnClosing() {
    ResultWindow window;
    QStringList opened;
    ExternalEditor::SetOpenHook([&](const QString& path) {
      opened.push_back(path);
      return true;
    });
    const QString text = QString::fromUtf8("line one\nстрока два\n");
    testing::WhileShown<ResultWindow>(
        [&] { window.ShowText("Result", text.trimmed().split('\n')); },
        [&](ResultWindow& shown) {
          QTest::keyClick(Child(shown, "textPane"), Qt::Key_F, Qt::ControlModifier);
          QCOMPARE(ReadText(opened.value(0)), text);
          QTest::mouseClick(Child(shown, "notepadButton"), Qt::LeftButton);
          QVERIFY(!QFile::exists(opened.value(0)));
          QCOMPARE(ReadText(opened.value(1)), text);
        });
    QCOMPARE(opened.size(), qsizetype{2});
    QVERIFY(!QFile::exists(opened[1]));
  }

  void failuresOfTheEditorAreReportedAndLeaveNoFile() {
    ResultWindow window;
    window.SetLanguage(Language::Russian);
    ScriptedMessageBoxes boxes;
    QString path;
    ExternalEditor::SetOpenHook([&](const QString& file) {
      path = file;
      return false;
    });
    WhileShowingText(window, [](ResultWindow& shown) {
      QTest::mouseClick(Child(shown, "notepadButton"), Qt::LeftButton);
    });
    QVERIFY(!path.isEmpty() && !QFile::exists(path));

    // A TMPDIR that does not exist: nothing is written, not even elsewhere.
    window.SetLanguage(Language::English);
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/kerbwise-test");
    path.clear();
    const bool written = window.Editor().OpenInEditor({"text"});
    tmpdir.isEmpty() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    QVERIFY(!written && path.isEmpty() && window.Editor().LastFile().isEmpty());

    QCOMPARE(boxes.Shown().size(), std::size_t{2});
    QVERIFY(boxes.Shown()[0].Text.startsWith(QString::fromUtf8("Не удалось")));
    QVERIFY(boxes.Shown()[1].Text.startsWith("Could not write"));
  }

  void choosingAnObjectNameSelectsItsDefinitionAndScrollsToIt() {
    ResultWindow window;
    testing::WhileShown<ResultWindow>(
        [&] { window.ShowObjects("Objects", ThreeGroups()); },
        [&](ResultWindow& open) {
          auto* list = Child<QListWidget>(open, "objectList");
          QPlainTextEdit* pane = open.TextPane();
          QVERIFY(list->isVisible() && Child(open, "upperAreaHandle")->isVisible());
          QStringList names;
          for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text());
          QCOMPARE(names, QStringList({"Alpha", "beta", "zeta"}));
          QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                            list->visualItemRect(list->item(1)).center());
          // beta was recorded last: its definition runs to the end of the text.
          QCOMPARE(pane->textCursor().selectedText(),
                   QString("object-group service beta\u2029 tcp eq 443"));
          QVERIFY(pane->verticalScrollBar()->value() > 0);
          QVERIFY(pane->viewport()->rect().contains(pane->cursorRect().center()));
          // zeta's span ends just before the next group's header, past the
          // empty separator line's start.
          QTest::keyClick(list, Qt::Key_Down);
          QCOMPARE(pane->textCursor().selectedText(),
                   QString::fromUtf8("object-group network zeta\u2029 description Сервер "
                                     "учёта\u2029 host 10.0.0.1\u2029"));
        });
    WhileShowingText(window,
                     [](ResultWindow& open) { QVERIFY(!Child(open, "objectList")->isVisible()); });
  }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
