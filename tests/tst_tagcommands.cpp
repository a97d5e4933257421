// The insertion core and the simple tag commands: text, caret, undo and read-only pages.
#include "app/textfile.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QColor>
#include <QTabBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;

class TestTagCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
    }
    void cleanup() { F.reset(); }

    void commands_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("before"); // "[" and "]" mark the selection, "|" the caret
        QTest::addColumn<QString>("after");  // "|" marks the caret
        QTest::newRow("bold wraps") << u"acBold"_s << u"a [word] b"_s << u"a <b>word</b>| b"_s;
        QTest::newRow("bold empty") << u"acBold"_s << u"|"_s << u"<b>|</b>"_s;
        QTest::newRow("underline") << u"acUnderline"_s << u"[x]"_s << u"<u>x</u>|"_s;
        for (const QString& pair : u"acItalics:i acCaption:caption acLi:li"_s.split(u' '))
            QTest::newRow(qPrintable(pair))
                << pair.section(u':', 0, 0) << u"|"_s << u"<%1>|</%1>"_s.arg(pair.section(u':', 1));
        QTest::newRow("paragraph empty") << u"acParagraph"_s << u"|"_s << u"<p>\n|\n\n</p>\n"_s;
        QTest::newRow("paragraph wraps") << u"acParagraph"_s << u"[text]"_s << u"<p>text</p>|\n"_s;
        QTest::newRow("block over lines") << u"acDiv"_s << u"[a\nb]"_s << u"<div>a\nb</div>|\n"_s;
        // Each command:tag pair pins which tag its command writes.
        for (const QString& pair :
             u"acPreformatted:pre acCenter:center acTr:tr acObject:object acEmbed:embed "
             u"acNoembed:noembed acApplet:applet acNoscript:noscript acNoframes:noframes"_s.split(
                 u' '))
            QTest::newRow(qPrintable(pair)) << pair.section(u':', 0, 0) << u"|"_s
                                            << u"<%1>\n|\n\n</%1>\n"_s.arg(pair.section(u':', 1));
        QTest::newRow("br replaces selection") << u"acBr"_s << u"a[xx]b"_s << u"a<br />|\nb"_s;
        QTest::newRow("hr") << u"acHr"_s << u"a|b"_s << u"a<hr />|b"_s;
        QTest::newRow("comment") << u"acComment"_s << u"|"_s << u"<!-- | //-->\n"_s;
        QTest::newRow("opening brackets") << u"acOpeningBrackets"_s << u"|"_s << u"<|>"_s;
        QTest::newRow("closing brackets") << u"acClosingBrackets"_s << u"|"_s << u"</|>"_s;
        QTest::newRow("cyrillic selection") << u"acBold"_s << u"[Привет]"_s << u"<b>Привет</b>|"_s;
    }
    void commands() {
        QFETCH(QString, action);
        QFETCH(QString, before);
        QFETCH(QString, after);
        F->Open(F->Page(u"a.html"_s, QString()));
        int selStart = int(before.indexOf(u'['));
        int selLength = 0;
        QString text = before;
        if (selStart >= 0) {
            selLength = int(before.indexOf(u']')) - selStart - 1;
            text.remove(u'[').remove(u']');
        } else {
            selStart = int(before.indexOf(u'|'));
            text.remove(u'|');
        }
        W->reSource->SetText(text);
        W->reSource->SetModified(false);
        W->reSource->Select(selStart, selLength);
        QAction* a = W->ActionByName(action);
        QVERIFY(a);
        a->trigger();
        const int caret = int(after.indexOf(u'|'));
        QCOMPARE(W->reSource->Text(), QString(after).remove(u'|'));
        QCOMPARE(W->reSource->SelStart(), caret);
        QCOMPARE(W->reSource->SelLength(), 0);
        QVERIFY(W->reSource->Modified());
        QCOMPARE(W->ModifiedFlags(), QStringList{u"1"_s});
        QVERIFY(W->acUndo->isEnabled());
        QVERIFY(W->acSaveAll->isEnabled());
        // One undo step brings back the text as it was, the replaced selection included.
        W->reSource->undo();
        QCOMPARE(W->reSource->Text(), text);
    }

    void typingFillsEmptyParagraph() {
        F->Open(F->Page(u"a.html"_s, QString()));
        W->reSource->SetText(QString());
        W->acParagraph->trigger();
        F->Type(u"text"_s);
        QCOMPARE(W->reSource->Text(), u"<p>\ntext\n\n</p>\n"_s);
    }

    void readOnlyPageRefusesEveryCommand() {
        const QString p = F->Page(u"a.html"_s, u"abc\n"_s);
        QFile::setPermissions(p, QFileDevice::ReadOwner);
        F->Open(p);
        F->Platform.QueueColor(QColor(255, 0, 0));
        const QStringList names =
            u"acBold acItalics acUnderline acCaption acLi acPreformatted acParagraph acCenter "
            u"acTr acDiv acObject acEmbed acNoembed acApplet acNoscript acNoframes acBr acHr "
            u"acComment acOpeningBrackets acClosingBrackets acInsertColor"_s.split(u' ');
        for (const QString& name : names) {
            QAction* a = W->ActionByName(name);
            QVERIFY2(a, qPrintable(name));
            W->reSource->Select(1, 1);
            a->trigger();
            QVERIFY2(W->reSource->Text() == u"abc\n"_s, qPrintable(a->objectName()));
        }
        QVERIFY(!W->reSource->Modified());
        QCOMPARE(W->ModifiedFlags(), QStringList{u"0"_s});
        QCOMPARE(W->reSource->SelStart(), 1);
    }

    void insertColor() {
        F->Open(F->Page(u"a.html"_s, QString()));
        F->Platform.QueueColor(QColor(255, 0, 0));
        W->acInsertColor->trigger();
        QCOMPARE(W->reSource->Text(), u"\"#ff0000\""_s);
        QCOMPARE(W->reSource->SelStart(), 9);
        F->Platform.QueueColor(std::nullopt);
        W->acInsertColor->trigger();
        QCOMPARE(W->reSource->Text(), u"\"#ff0000\""_s);
    }

    void shortcutsFromTheEditor_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("result");
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << u"<b>ab</b>\n"_s;
        QTest::newRow("Ctrl+I") << int(Qt::Key_I) << u"<i>ab</i>\n"_s;
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << u"<br />\n\n"_s;
        QTest::newRow("Ctrl+,") << int(Qt::Key_Comma) << u"<>\n"_s;
        QTest::newRow("Ctrl+.") << int(Qt::Key_Period) << u"</>\n"_s;
        QTest::newRow("Ctrl+D") << int(Qt::Key_D) << u"<div>ab</div>\n\n"_s;
    }
    void shortcutsFromTheEditor() {
        QFETCH(int, key);
        QFETCH(QString, result);
        F->Open(F->Page(u"a.html"_s, u"ab\n"_s));
        QVERIFY(QTest::qWaitForWindowActive(W));
        W->reSource->setFocus();
        W->reSource->Select(0, 2);
        QTest::keyClick(W->reSource, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(W->reSource->Text(), result);
    }

    // Open a page, select a word, Ctrl+B, Ctrl+S: the bytes on disk.
    void roadOneEndToEnd() {
        const QString p = F->Page(u"index.html"_s, u"<p>Привет, мир</p>\n"_s);
        QVERIFY(QTest::qWaitForWindowActive(W));
        F->Platform.QueueOpen(TOpenFileResult{p, false});
        QTest::keyClick(W->reSource, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(W->DocumentCount(), 1);
        W->reSource->setFocus();
        W->reSource->Select(3, 6); // "Привет"
        QTest::keyClick(W->reSource, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(W->ModifiedFlags(), QStringList{u"1"_s});
        QTest::keyClick(W->reSource, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ReadBytes(p),
                 QByteArray("<p><b>\xCF\xF0\xE8\xE2\xE5\xF2</b>, \xEC\xE8\xF0</p>\r\n"));
        QCOMPARE(W->ModifiedFlags(), QStringList{u"0"_s});
        QVERIFY(!W->reSource->Modified());
        QVERIFY(F->Platform.Messages().isEmpty());
    }
};

QTEST_MAIN(TestTagCommands)
#include "tst_tagcommands.moc"
