#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitterHandle>
#include <QtTest>

#include "external_editor.h"
#include "message_boxes.h"
#include "result_window.h"

using namespace kerbwise;
using namespace kerbwise::ui;

namespace {

// Shows the window through the test hook: `look` runs while it is open.
template <typename Show>
void WhileShown(Show show, std::function<void(ResultWindow&)> look) {
  ResultWindow::SetShowHook(std::move(look));
  show();
  ResultWindow::SetShowHook(nullptr);
}

QString ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
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

  void showTextFillsTheReadOnlyPaneWithoutTheObjectList() {
    ResultWindow window;
    QString text, title;
    bool listShown = true, splitterShown = true, panelShown = true, readOnly = false;
    QSize size;
    WhileShown([&] { window.ShowText("Reflect", {"10 permit ip any any", "20 deny tcp any any"}); },
               [&](ResultWindow& shown) {
                 auto* pane = shown.findChild<QPlainTextEdit*>("Memo1");
                 text = pane->toPlainText();
                 readOnly = pane->isReadOnly() && pane->lineWrapMode() == QPlainTextEdit::NoWrap;
                 title = shown.windowTitle();
                 listShown = shown.findChild<QListWidget*>("lst1")->isVisible();
                 splitterShown = shown.findChild<QSplitterHandle*>("spl1")->isVisible();
                 panelShown = shown.findChild<QWidget*>("Panel1")->isVisible();
                 size = shown.size();
               });
    QCOMPARE(text, QString("10 permit ip any any\n20 deny tcp any any"));
    QCOMPARE(title, QString("Reflect"));
    QVERIFY(readOnly);
    QVERIFY(!listShown && !splitterShown && !panelShown);
    QCOMPARE(size, QSize(962, 495));
    QVERIFY(window.minimumWidth() >= 600 && window.minimumHeight() >= 160);
    QVERIFY(!window.isVisible());
  }

  void copyAllAndClosePutsThePlainTextOnTheClipboard() {
    ResultWindow window;
    QGuiApplication::clipboard()->clear();
    bool stillOpen = true;
    WhileShown([&] { window.ShowText("Show result", {"Allowed at line 1", "  detail"}); },
               [&](ResultWindow& shown) {
                 QTest::mouseClick(shown.findChild<QPushButton*>("Button2"), Qt::LeftButton);
                 stillOpen = shown.isVisible();
               });
    QVERIFY(!stillOpen);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("Allowed at line 1\n  detail"));
  }

  void escReleasedInThePaneOrOnAButtonCloses_data() {
    QTest::addColumn<QString>("control");
    for (const char* name : {"Memo1", "Button1", "Button2", "Button3"}) QTest::newRow(name) << name;
  }

  void escReleasedInThePaneOrOnAButtonCloses() {
    QFETCH(QString, control);
    ResultWindow window;
    bool openAfterPress = false, openAfterRelease = true;
    WhileShown([&] { window.ShowText("Result", {"text"}); }, [&](ResultWindow& shown) {
      QWidget* widget = shown.findChild<QWidget*>(control);
      QTest::keyPress(widget, Qt::Key_Escape);
      openAfterPress = shown.isVisible();
      QTest::keyRelease(widget, Qt::Key_Escape);
      openAfterRelease = shown.isVisible();
    });
    QVERIFY(openAfterPress);
    QVERIFY(!openAfterRelease);
  }

  void enterPressesOnlyAFocusedButton() {
    ResultWindow window;
    QGuiApplication::clipboard()->setText("kept");
    bool open = false, openAfterEnterOnClose = true;
    WhileShown([&] { window.ShowText("Result", {"text"}); }, [&](ResultWindow& shown) {
      QTest::keyClick(shown.findChild<QPlainTextEdit*>("Memo1"), Qt::Key_Return);
      open = shown.isVisible();
      auto* close = shown.findChild<QPushButton*>("Button1");
      close->setFocus();
      QTest::keyClick(close, Qt::Key_Return);
      openAfterEnterOnClose = shown.isVisible();
    });
    QVERIFY(open);
    QVERIFY(!openAfterEnterOnClose);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
  }

  void notepadWritesOneFileDeletedOnTheNextUseAndOnClosing() {
    ResultWindow window;
    QStringList opened;
    ExternalEditor::SetOpenHook([&](const QString& path) {
      opened.push_back(path);
      return true;
    });
    QString firstText, secondText;
    bool firstGoneAfterSecond = false;
    WhileShown([&] { window.ShowText("Result", {"line one", "строка два"}); },
               [&](ResultWindow& shown) {
                 QTest::keyClick(shown.findChild<QPlainTextEdit*>("Memo1"), Qt::Key_F,
                                 Qt::ControlModifier);
                 if (opened.size() == 1) firstText = ReadFile(opened[0]);
                 QTest::mouseClick(shown.findChild<QPushButton*>("Button3"), Qt::LeftButton);
                 if (opened.size() == 2) {
                   firstGoneAfterSecond = !QFile::exists(opened[0]);
                   secondText = ReadFile(opened[1]);
                 }
               });
    QCOMPARE(opened.size(), qsizetype{2});
    QCOMPARE(firstText, QString::fromUtf8("line one\nстрока два\n"));
    QCOMPARE(secondText, firstText);
    QVERIFY(firstGoneAfterSecond);
    QVERIFY(!QFile::exists(opened[1]));
    const QFileInfo info(opened[1]);
    QCOMPARE(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    QVERIFY(info.fileName().startsWith('~') && info.fileName().endsWith(".txt"));
  }

  void anEditorThatCannotBeStartedIsReportedAndItsFileStillDeleted() {
    ResultWindow window;
    window.SetRussian(true);
    ScriptedMessageBoxes boxes;
    QString path;
    ExternalEditor::SetOpenHook([&](const QString& file) {
      path = file;
      return false;
    });
    WhileShown([&] { window.ShowText("Result", {"text"}); }, [](ResultWindow& shown) {
      QTest::mouseClick(shown.findChild<QPushButton*>("Button3"), Qt::LeftButton);
    });
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QVERIFY(boxes.Shown()[0].Text.contains(QDir::toNativeSeparators(path)));
    QVERIFY(boxes.Shown()[0].Text.startsWith(QString::fromUtf8("Не удалось")));
    QVERIFY(!path.isEmpty() && !QFile::exists(path));
  }

  void anUnwritableTemporaryFolderIsReported() {
    ResultWindow window;
    ScriptedMessageBoxes boxes;
    bool opened = false;
    ExternalEditor::SetOpenHook([&](const QString&) { return opened = true; });
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/kerbwise-test");
    const bool done = window.Editor().ExtrEdit({"text"});
    if (tmpdir.isEmpty()) qunsetenv("TMPDIR"); else qputenv("TMPDIR", tmpdir);
    QVERIFY(!done && !opened);
    QCOMPARE(boxes.Shown().size(), std::size_t{1});
    QVERIFY(boxes.Shown()[0].Text.startsWith("Could not write"));
    QVERIFY(window.Editor().LastFile().isEmpty());
  }

  void opensCentredOnItsOwner() {
    QWidget owner;
    owner.setGeometry(20, 60, 760, 700);
    owner.show();
    ResultWindow window(&owner);
    window.resize(640, 300);  // fits the offscreen screen
    QPoint centre;
    WhileShown([&] { window.ShowText("Result", {"x"}); },
               [&](ResultWindow& shown) { centre = shown.frameGeometry().center(); });
    // The frame is not known before the first show: allow its width.
    QVERIFY((centre - owner.frameGeometry().center()).manhattanLength() <= 8);
  }

  void choosingAnObjectNameSelectsItsDefinitionAndScrollsToIt() {
    ResultWindow window;
    const UsedObjects used = ThreeGroups();
    QStringList names;
    QString afterClick, afterKey;
    bool listShown = false, splitterShown = false, inView = false;
    int listWidth = 0;
    WhileShown([&] { window.ShowObjects("Objects", used); }, [&](ResultWindow& shown) {
      auto* list = shown.findChild<QListWidget*>("lst1");
      auto* pane = shown.findChild<QPlainTextEdit*>("Memo1");
      listShown = list->isVisible();
      splitterShown = shown.findChild<QSplitterHandle*>("spl1")->isVisible();
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
    QVERIFY(listShown && splitterShown);
    QCOMPARE(listWidth, 224);
    // beta was recorded last: its definition runs to the end of the text.
    QCOMPARE(afterClick, QString("object-group service beta\u2029 tcp eq 443"));
    QVERIFY(inView);
    // zeta's span ends just before the next group's header, past the empty
    // separator line's start.
    QCOMPARE(afterKey, QString::fromUtf8("object-group network zeta\u2029 description Сервер "
                                         "учёта\u2029 host 10.0.0.1\u2029"));
    QVERIFY(window.findChild<QListWidget*>("lst1")->isHidden());
  }

  void objectListStaysHiddenForOtherResults() {
    ResultWindow window;
    WhileShown([&] { window.ShowObjects("Objects", ThreeGroups()); }, [](ResultWindow&) {});
    bool listShown = true;
    WhileShown([&] { window.ShowText("Result", {"x"}); }, [&](ResultWindow& shown) {
      listShown = shown.findChild<QListWidget*>("lst1")->isVisible();
    });
    QVERIFY(!listShown);
  }

  void referenceUsesTheFixedPitchFontThenThePanesOwnFont() {
    ResultWindow window;
    const QFont own = window.TextPane()->font();
    QFont shownFont;
    WhileShown([&] { window.ShowReference("ports and ICMP codes names", {"Alias  Num"}); },
               [&](ResultWindow& shown) { shownFont = shown.TextPane()->font(); });
    QCOMPARE(shownFont.family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    QCOMPARE(window.TextPane()->font(), own);
  }

  void textsFollowTheLanguage() {
    ResultWindow window;
    const auto texts = [&window] {
      return QStringList{window.findChild<QPushButton*>("Button2")->text(),
                         window.findChild<QPushButton*>("Button3")->text(),
                         window.findChild<QPushButton*>("Button3")->toolTip(),
                         window.findChild<QPushButton*>("Button1")->text()};
    };
    QCOMPARE(texts(), QStringList({"Copy all and close", "Notepad", "Sent to external editor", "Close"}));
    window.SetRussian(true);
    QCOMPARE(texts(), QStringList({QString::fromUtf8("Скопировать всё и закрыть"),
                                   QString::fromUtf8("Блокнот"),
                                   QString::fromUtf8("Передать во внешний редактор"),
                                   QString::fromUtf8("Закрыть")}));
  }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
