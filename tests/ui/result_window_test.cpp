#include "result_window.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitterHandle>
#include <QWindow>
#include <QtTest>

#include "external_editor.h"
#include "message_boxes.h"

using namespace kerbwise;
using namespace kerbwise::ui;

namespace {

// Runs `show`; `look` runs while the window is open, then it is closed.
template <typename Show>
void WhileShown(Show show, std::function<void(ResultWindow&)> look) {
  ResultWindow::SetShowHook(std::move(look));
  show();
  ResultWindow::SetShowHook(nullptr);
}

// Shows a one-line text; `look` runs while the window is open.
void WhileShowingText(ResultWindow& window, std::function<void(ResultWindow&)> look) {
  WhileShown([&] { window.ShowText("Result", {"text"}); }, std::move(look));
}

template <typename T = QWidget>
T* Child(const QWidget& window, const char* name) {
  return window.findChild<T*>(name);
}

QString ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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
  void cleanup() {
    ResultWindow::SetShowHook(nullptr);
    ExternalEditor::SetOpenHook(nullptr);
  }

  void showTextFillsTheReadOnlyPaneCentredOnTheOwnerAndCopyAllCloses() {
    QWidget owner;
    owner.setGeometry(20, 60, 760, 700);
    owner.show();
    ResultWindow window(&owner);
    const QSize designSize = window.size();
    window.resize(640, 300);  // fits the offscreen screen
    QString text, title;
    bool readOnly = false, extrasShown = true, openAfterCopy = true;
    QPoint centre;
    WhileShown(
        [&] {
          window.ShowText("Reflect [*]", {"10 permit ip any any", "  20 deny tcp any any"});
        },
        [&](ResultWindow& shown) {
          auto* pane = Child<QPlainTextEdit>(shown, "Memo1");
          text = pane->toPlainText();
          readOnly = pane->isReadOnly() && pane->lineWrapMode() == QPlainTextEdit::NoWrap;
          title = shown.windowHandle()->title();  // as the title bar shows it
          extrasShown = Child(shown, "lst1")->isVisible() || Child(shown, "spl1")->isVisible() ||
                        Child(shown, "Panel1")->isVisible();
          centre = shown.frameGeometry().center();
          QTest::mouseClick(Child<QPushButton>(shown, "Button2"), Qt::LeftButton);
          openAfterCopy = shown.isVisible();
        });
    QCOMPARE(text, QString("10 permit ip any any\n  20 deny tcp any any"));
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QCOMPARE(title, QString("Reflect [*]"));
    QVERIFY(readOnly && !extrasShown && !openAfterCopy);
    QCOMPARE(designSize, QSize(962, 495));
    QVERIFY(window.minimumWidth() >= 600 && window.minimumHeight() >= 160);
    // The frame is not known before the first show: allow its width.
    QVERIFY((centre - owner.frameGeometry().center()).manhattanLength() <= 8);
  }

  void escReleasedInThePaneOrOnAButtonCloses_data() {
    QTest::addColumn<QString>("control");
    for (const char* name : {"Memo1", "Button1", "Button2", "Button3"}) QTest::newRow(name) << name;
  }

  void escReleasedInThePaneOrOnAButtonCloses() {
    QFETCH(QString, control);
    ResultWindow window;
    bool openAfterPress = false, openAfterRelease = true;
    WhileShowingText(window, [&](ResultWindow& shown) {
      QWidget* widget = shown.findChild<QWidget*>(control);
      QTest::keyPress(widget, Qt::Key_Escape);
      openAfterPress = shown.isVisible();
      QTest::keyRelease(widget, Qt::Key_Escape);
      openAfterRelease = shown.isVisible();
    });
    QVERIFY(openAfterPress && !openAfterRelease);
  }

  void enterPressesOnlyAFocusedButton() {
    ResultWindow window;
    QGuiApplication::clipboard()->setText("kept");
    bool openAfterEnterInPane = false, openAfterEnterOnClose = true;
    WhileShowingText(window, [&](ResultWindow& shown) {
      QTest::keyClick(Child(shown, "Memo1"), Qt::Key_Return);
      openAfterEnterInPane = shown.isVisible();
      Child(shown, "Button1")->setFocus();
      QTest::keyClick(Child(shown, "Button1"), Qt::Key_Return);
      openAfterEnterOnClose = shown.isVisible();
    });
    QVERIFY(openAfterEnterInPane && !openAfterEnterOnClose);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
  }

  void notepadWritesOneFileDeletedOnTheNextUseAndOnClosing() {
    ResultWindow window;
    QStringList opened;
    ExternalEditor::SetOpenHook([&](const QString& path) {
      opened.push_back(path);
      return true;
    });
    QStringList texts;
    bool firstGoneAfterSecond = false;
    WhileShown(
        [&] {
          window.ShowText("Result", {"line one", "строка два"});
        },
        [&](ResultWindow& shown) {
          QTest::keyClick(Child(shown, "Memo1"), Qt::Key_F, Qt::ControlModifier);
          texts.push_back(ReadFile(opened.value(0)));
          QTest::mouseClick(Child<QPushButton>(shown, "Button3"), Qt::LeftButton);
          firstGoneAfterSecond = !QFile::exists(opened.value(0));
          texts.push_back(ReadFile(opened.value(1)));
        });
    QCOMPARE(opened.size(), qsizetype{2});
    QCOMPARE(texts, QStringList(2, QString::fromUtf8("line one\nстрока два\n")));
    QVERIFY(firstGoneAfterSecond && !QFile::exists(opened[1]));
    const QFileInfo info(opened[1]);
    QCOMPARE(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    QVERIFY(info.fileName().startsWith('~') && info.fileName().endsWith(".txt"));
  }

  void failuresOfTheEditorAreReportedAndLeaveNoFile() {
    ResultWindow window;
    window.SetRussian(true);
    ScriptedMessageBoxes boxes;
    QString path;
    ExternalEditor::SetOpenHook([&](const QString& file) {
      path = file;
      return false;
    });
    WhileShowingText(window, [](ResultWindow& shown) {
      QTest::mouseClick(Child<QPushButton>(shown, "Button3"), Qt::LeftButton);
    });
    QVERIFY(!path.isEmpty() && !QFile::exists(path));

    // A TMPDIR that does not exist: nothing is written, not even elsewhere.
    window.SetRussian(false);
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/kerbwise-test");
    path.clear();
    const bool written = window.Editor().ExtrEdit({"text"});
    tmpdir.isEmpty() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    QVERIFY(!written && path.isEmpty() && window.Editor().LastFile().isEmpty());

    QCOMPARE(boxes.Shown().size(), std::size_t{2});
    QVERIFY(boxes.Shown()[0].Text.startsWith(QString::fromUtf8("Не удалось")));
    QVERIFY(boxes.Shown()[1].Text.startsWith("Could not write"));
  }

  void choosingAnObjectNameSelectsItsDefinitionAndScrollsToIt() {
    ResultWindow window;
    QStringList names;
    QString afterClick, afterKey;
    bool shown = false, inView = false;
    int listWidth = 0;
    WhileShown([&] { window.ShowObjects("Objects", ThreeGroups()); },
               [&](ResultWindow& open) {
                 auto* list = Child<QListWidget>(open, "lst1");
                 auto* pane = Child<QPlainTextEdit>(open, "Memo1");
                 shown = list->isVisible() && Child(open, "spl1")->isVisible();
                 listWidth = list->width();
                 for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text());
                 QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                   list->visualItemRect(list->item(1)).center());
                 afterClick = pane->textCursor().selectedText();
                 inView = pane->verticalScrollBar()->value() > 0 &&
                          pane->viewport()->rect().contains(pane->cursorRect().center());
                 QTest::keyClick(list, Qt::Key_Down);
                 afterKey = pane->textCursor().selectedText();
               });
    QCOMPARE(names, QStringList({"Alpha", "beta", "zeta"}));
    QVERIFY(shown);
    QCOMPARE(listWidth, 224);
    // beta was recorded last: its definition runs to the end of the text.
    QCOMPARE(afterClick, QString("object-group service beta\u2029 tcp eq 443"));
    QVERIFY(inView);
    // zeta's span ends just before the next group's header, past the empty
    // separator line's start.
    QCOMPARE(afterKey, QString::fromUtf8("object-group network zeta\u2029 description Сервер "
                                         "учёта\u2029 host 10.0.0.1\u2029"));

    bool listShownForText = true;
    WhileShowingText(
        window, [&](ResultWindow& open) { listShownForText = Child(open, "lst1")->isVisible(); });
    QVERIFY(!listShownForText);
  }

  // Every caption keeps clear of its button's edges, the long Russian ones
  // too, even at the window's least size.
  void textsFollowTheLanguageAndFitTheButtons() {
    ResultWindow window;
    const auto texts = [&window] {
      return QStringList{Child<QPushButton>(window, "Button2")->text(),
                         Child<QPushButton>(window, "Button3")->text(),
                         Child<QPushButton>(window, "Button3")->toolTip(),
                         Child<QPushButton>(window, "Button1")->text()};
    };
    QCOMPARE(texts(),
             QStringList({"Copy all and close", "Notepad", "Sent to external editor", "Close"}));
    window.SetRussian(true);
    QCOMPARE(texts(), QString::fromUtf8("Скопировать всё и закрыть|Блокнот|Передать во внешний "
                                        "редактор|Закрыть")
                          .split('|'));
    QStringList cramped;
    WhileShowingText(window, [&](ResultWindow& shown) {
      shown.resize(shown.minimumSize());
      QApplication::processEvents();
      for (const char* name : {"Button1", "Button2", "Button3"}) {
        const auto* button = Child<QPushButton>(shown, name);
        const QFontMetrics metrics = button->fontMetrics();
        const int room = button->width() - metrics.horizontalAdvance(button->text());
        if (room < 2 * metrics.averageCharWidth()) cramped << button->text();
      }
    });
    QCOMPARE(cramped, QStringList());
  }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
